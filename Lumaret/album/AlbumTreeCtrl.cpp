#include "album/AlbumTreeCtrl.h"

#include "framework/VXUtil.h"
#include "editor/OwnedSlot.h"

namespace {

const CPoint kDragHotSpot(-15, -15);

// The album tree that takes dropped photos while it lives.
CAlbumTreeCtrl* g_dropTree = nullptr;

}  // namespace

BEGIN_MESSAGE_MAP(CAlbumTreeCtrl, CTreeCtrl)
    ON_NOTIFY_REFLECT(TVN_BEGINDRAG, OnBeginDrag)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CAlbumTreeCtrl::CAlbumTreeCtrl()
    : m_pNotifyWnd(nullptr), m_pDragImage(nullptr), m_bDragging(0), m_hDragItem(nullptr), m_hDropItem(nullptr)
{
}

CAlbumTreeCtrl::~CAlbumTreeCtrl()
{
    if (g_dropTree == this) {
        m_dropTarget.Revoke();
        g_dropTree = nullptr;
    }
    owned_slot::Free(m_pDragImage);
}

BOOL CAlbumTreeCtrl::RegisterDropTarget()
{
    if (g_dropTree != nullptr)
        return TRUE;
    if (!m_dropTarget.Register(this))
        return FALSE;
    g_dropTree = this;
    return TRUE;
}

void CAlbumTreeCtrl::OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    NMTREEVIEW* nm = (NMTREEVIEW*)pNMHDR;
    m_hDragItem = nm->itemNew.hItem;
    m_hDropItem = nullptr;
    owned_slot::Replace(m_pDragImage, std::unique_ptr<CImageList>(CreateDragImage(m_hDragItem)));
    if (m_pDragImage == nullptr)
        return;
    m_bDragging = 1;
    m_pDragImage->BeginDrag(0, kDragHotSpot);
    CPoint point = nm->ptDrag;
    ClientToScreen(&point);
    CImageList::DragEnter(nullptr, point);
    SetCapture();
}

void CAlbumTreeCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bDragging) {
        CPoint screen = point;
        ClientToScreen(&screen);
        CImageList::DragMove(screen);
        if (HTREEITEM item = HitTest(point)) {
            CImageList::DragShowNolock(FALSE);
            SelectDropTarget(item);
            m_hDropItem = item;
            CImageList::DragShowNolock(TRUE);
        }
    }
    CTreeCtrl::OnMouseMove(nFlags, point);
}

void CAlbumTreeCtrl::EndDragImage()
{
    m_bDragging = 0;
    CImageList::DragLeave(nullptr);
    CImageList::EndDrag();
    ReleaseCapture();
    owned_slot::Free(m_pDragImage);
    SelectDropTarget(nullptr);
}

bool CAlbumTreeCtrl::IsSameOrBelow(HTREEITEM item, HTREEITEM ancestor) const
{
    for (HTREEITEM at = item; at; at = GetParentItem(at))
        if (at == ancestor)
            return true;
    return false;
}

void CAlbumTreeCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    CTreeCtrl::OnLButtonUp(nFlags, point);
    if (!m_bDragging)
        return;
    EndDragImage();
    // Released before any album was highlighted: there is no target.
    if (m_hDropItem == nullptr || IsSameOrBelow(m_hDropItem, m_hDragItem))
        return;
    SelectItem(m_hDropItem);
    if (m_pNotifyWnd == nullptr)
        return;
    MoveDraggedAlbum();
}

void CAlbumTreeCtrl::MoveDraggedAlbum()
{
    int moved = (int)GetItemData(m_hDragItem);
    int parent = (int)GetItemData(m_hDropItem);
    if (CopyTreeBranch(this, m_hDragItem, m_hDropItem, TRUE) == nullptr)
        return;
    Expand(m_hDropItem, TVE_EXPAND);
    m_hDragItem = nullptr;
    m_pNotifyWnd->SendMessage(WM_TREE_ITEM_DROPPED, (WPARAM)moved, (LPARAM)parent);
}
