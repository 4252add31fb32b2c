#include "mfc.h"
#include "controls/DragListHook.h"

IMPLEMENT_DYNAMIC(CDragListBox, CListBox)

namespace {

UINT DragListMessage()
{
    static UINT msg = ::RegisterWindowMessage(DRAGLISTMSGSTRING);
    return msg;
}

}  // namespace

CDragListBox::~CDragListBox()
{
    DestroyWindow();
}

BOOL CDragListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CListBox::Create(dwStyle, rect, pParentWnd, nID);
}

// The drag list's notifications reach the object before the parent, as a
// reflected message would.
bool CDragListBox::HandleDragList(HWND list, DRAGLISTINFO* info, LRESULT* result)
{
    CDragListBox* box = DYNAMIC_DOWNCAST(CDragListBox, CWnd::FromHandlePermanent(list));
    if (!box)
        return false;
    return box->OnChildNotify(DragListMessage(), (WPARAM)::GetDlgCtrlID(list), (LPARAM)info, result) != FALSE;
}

void CDragListBox::PreSubclassWindow()
{
    CListBox::PreSubclassWindow();
    mivo::SetDragListHandler(&CDragListBox::HandleDragList);
    ::MakeDragList(m_hWnd);
}

int CDragListBox::ItemFromPt(CPoint pt, BOOL bAutoScroll) const
{
    return ::LBItemFromPt(m_hWnd, pt, bAutoScroll);
}

BOOL CDragListBox::BeginDrag(CPoint pt)
{
    m_nLast = -1;
    DrawInsert(ItemFromPt(pt));
    return TRUE;
}

void CDragListBox::CancelDrag(CPoint)
{
    DrawInsert(-1);
}

UINT CDragListBox::Dragging(CPoint pt)
{
    int index = ItemFromPt(pt, FALSE);
    DrawInsert(index);
    ItemFromPt(pt);
    return index < 0 ? DL_STOPCURSOR : DL_MOVECURSOR;
}

void CDragListBox::Dropped(int nSrcIndex, CPoint pt)
{
    DrawInsert(-1);
    int dest = ItemFromPt(pt);
    if (nSrcIndex == -1 || dest == -1 || dest == nSrcIndex || dest == nSrcIndex + 1)
        return;
    CString text;
    GetText(nSrcIndex, text);
    DWORD_PTR data = GetItemData(nSrcIndex);
    DeleteString((UINT)nSrcIndex);
    if (nSrcIndex < dest)
        --dest;
    dest = InsertString(dest, text);
    SetItemData(dest, data);
    SetCurSel(dest);
}

void CDragListBox::DrawInsert(int nItem)
{
    if (m_nLast == nItem)
        return;
    ::DrawInsert(::GetParent(m_hWnd), m_hWnd, nItem);
    m_nLast = nItem;
}

BOOL CDragListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != DragListMessage() || !lParam)
        return CListBox::OnChildNotify(message, wParam, lParam, pResult);
    LRESULT local = 0;
    if (!pResult)
        pResult = &local;
    auto* info = (DRAGLISTINFO*)lParam;
    CPoint pt(info->ptCursor);
    switch (info->uNotification) {
    case DL_BEGINDRAG:
        *pResult = BeginDrag(pt);
        break;
    case DL_CANCELDRAG:
        CancelDrag(pt);
        break;
    case DL_DRAGGING:
        *pResult = Dragging(pt);
        break;
    case DL_DROPPED:
        Dropped(GetCurSel(), pt);
        break;
    }
    return TRUE;
}
