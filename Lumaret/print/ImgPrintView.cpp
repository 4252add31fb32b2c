#include "print/ImgPrintView.h"

#include "controls/VXMenu.h"
#include "print/DlgImgPrint.h"
#include "print/PrintLayout.h"
#include "resource.h"

namespace {

const UINT kHandCursor = 128;
const UINT kMenuImages = 129;
const UINT kCloseCommand = 57602;

}  // namespace

IMPLEMENT_DYNCREATE(CImgPrintView, CImgDetailView)

BEGIN_MESSAGE_MAP(CImgPrintView, CImgDetailView)
    ON_WM_CONTEXTMENU()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEMOVE()
    ON_COMMAND(33115, OnZoomIn)
    ON_COMMAND(33116, OnZoomOut)
    ON_COMMAND(ID_PRINT_ONLY_SLOT, OnPrintOnlySlot)
    ON_COMMAND(ID_PRINT_EXCLUDE_SLOT, OnPrintExcludeSlot)
    ON_COMMAND(ID_NAV_FIRST, OnNavFirst)
    ON_COMMAND(ID_NAV_PREV, OnNavPrev)
    ON_COMMAND(ID_NAV_NEXT, OnNavNext)
    ON_COMMAND(ID_NAV_LAST, OnNavLast)
    ON_COMMAND(ID_IMAGE_PRINT, OnImagePrint)
    ON_COMMAND(kCloseCommand, OnClose57602)
END_MESSAGE_MAP()

CImgPrintView::CImgPrintView() : m_pPrintDlg(nullptr), m_bOverSlot(0), m_nHitSlot(-1)
{
}

CImgPrintView::~CImgPrintView() = default;

void CImgPrintView::SetNavigationRect()
{
    if (!m_pPrintDlg || !GetSafeHwnd())
        return;
    CRect client;
    GetClientRect(&client);
    m_pPrintDlg->OnViewRectChanged(GetSrcRectFromView(client));
}

int CImgPrintView::HitTestSlot(CPoint point)
{
    if (!m_pPrintDlg || m_pPrintDlg->GetPageCount() != 1)
        return -1;
    const std::vector<PrintFormItem>& items = m_pPrintDlg->m_form.items;
    int z = GetZoomRatio();
    CPoint scroll = GetScrollPosition();
    for (size_t i = 0; i < items.size(); ++i) {
        if (!items[i].IsSlot())
            continue;
        CRect slot = PrintLayout::PreviewSlot(items[i]);
        auto x = [&](int v) { return (int)((long long)z * v / 1000) + m_nOffsetX - scroll.x; };
        auto y = [&](int v) { return (int)((long long)z * v / 1000) + m_nOffsetY - scroll.y; };
        CRect client(x(slot.left), y(slot.top), x(slot.right), y(slot.bottom));
        if (client.PtInRect(point))
            return (int)i;
    }
    return -1;
}

void CImgPrintView::OnMouseMove(UINT nFlags, CPoint point)
{
    m_bOverSlot = HitTestSlot(point) >= 0;
    CImgDetailView::OnMouseMove(nFlags, point);
}

BOOL CImgPrintView::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_bOverSlot) {
        ::SetCursor(AfxGetApp()->LoadCursor(kHandCursor));
        return TRUE;
    }
    return CImgDetailView::OnSetCursor(pWnd, nHitTest, message);
}

void CImgPrintView::OnContextMenu(CWnd*, CPoint point)
{
    CPoint client = point;
    ScreenToClient(&client);
    m_nHitSlot = HitTestSlot(client);
    CVXMenu menu;
    if (!menu.LoadMenuA(IDR_PRINT_MENU))
        return;
    const UINT toolbars[] = {kMenuImages};
    menu.LoadToolbars(toolbars, 1);
    CMenu* popup = menu.GetSubMenu(0);
    if (!popup)
        return;
    if (m_nHitSlot == -1) {
        popup->EnableMenuItem(ID_PRINT_ONLY_SLOT, MF_BYCOMMAND | MF_GRAYED);
        popup->EnableMenuItem(ID_PRINT_EXCLUDE_SLOT, MF_BYCOMMAND | MF_GRAYED);
    }
    popup->TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, this);
}

void CImgPrintView::OnZoomIn()
{
    ZoomIn();
}

void CImgPrintView::OnZoomOut()
{
    ZoomOut();
}

void CImgPrintView::OnPrintOnlySlot()
{
    if (!m_pPrintDlg || m_pPrintDlg->GetPageCount() != 1)
        return;
    std::vector<PrintFormItem>& items = m_pPrintDlg->m_form.items;
    if (m_nHitSlot < 0 || m_nHitSlot >= (int)items.size())
        return;
    for (size_t i = 0; i < items.size(); ++i)
        items[i].nPrintFlag = (int)i == m_nHitSlot ? 1 : 0;
    m_pPrintDlg->RebuildCurrentPage();
}

void CImgPrintView::OnPrintExcludeSlot()
{
    if (!m_pPrintDlg || m_pPrintDlg->GetPageCount() != 1)
        return;
    std::vector<PrintFormItem>& items = m_pPrintDlg->m_form.items;
    if (m_nHitSlot < 0 || m_nHitSlot >= (int)items.size())
        return;
    items[m_nHitSlot].nPrintFlag = 0;
    m_pPrintDlg->RebuildCurrentPage();
}

void CImgPrintView::OnNavFirst()
{
    if (m_pPrintDlg)
        m_pPrintDlg->OnFirstPage();
}

void CImgPrintView::OnNavPrev()
{
    if (m_pPrintDlg)
        m_pPrintDlg->OnPrevPage();
}

void CImgPrintView::OnNavNext()
{
    if (m_pPrintDlg)
        m_pPrintDlg->OnNextPage();
}

void CImgPrintView::OnNavLast()
{
    if (m_pPrintDlg)
        m_pPrintDlg->OnLastPage();
}

void CImgPrintView::OnImagePrint()
{
    if (m_pPrintDlg)
        m_pPrintDlg->OnPrint();
}

void CImgPrintView::OnClose57602()
{
    if (m_pPrintDlg)
        m_pPrintDlg->OnCancel();
}
