#include "browser/ImgBrowserDetailView.h"

#include "album/DlgConsoleAlbum.h"
#include "album/DlgConsoleBrowse.h"
#include "album/DlgConsoleSubPreview.h"
#include "browser/BrowserShell.h"
#include "browser/DlgImgBrowser.h"
#include "image/ImageObject.h"

#include "resource.h"

namespace {

const UINT kZoomSteps[CImgBrowserDetailView::STEPS] = {125,  250,  333,   500,   1000,  2000,  3000,
                                                       4000, 5000, 8000, 10000, 12000, 16000, 32000};

}  // namespace

IMPLEMENT_DYNCREATE(CImgBrowserDetailView, CImgDetailView)

BEGIN_MESSAGE_MAP(CImgBrowserDetailView, CImgDetailView)
    ON_COMMAND_RANGE(ID_BROWSER_ZOOM_FIRST, ID_BROWSER_ZOOM_LAST, OnZoomStep)
    ON_UPDATE_COMMAND_UI_RANGE(ID_BROWSER_ZOOM_FIRST, ID_BROWSER_ZOOM_LAST, OnUpdateZoomStep)
    ON_COMMAND(ID_BROWSER_ZOOM_IN, OnZoomIn)
    ON_COMMAND(ID_BROWSER_ZOOM_OUT, OnZoomOut)
    ON_WM_LBUTTONDBLCLK()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CImgBrowserDetailView::CImgBrowserDetailView() : m_pBrowser(nullptr)
{
    m_ZoomRatios.RemoveAll();
    for (UINT step : kZoomSteps)
        m_ZoomRatios.Add(step);
    m_nZoomIndex = START_STEP;
}

CImgBrowserDetailView::~CImgBrowserDetailView() = default;

void CImgBrowserDetailView::OnZoomStep(UINT nID)
{
    m_nZoomIndex = (int)(nID - ID_BROWSER_ZOOM_FIRST);
    RebuildScrollSizes();
    Invalidate(TRUE);
    UpdateStatusText();
    SetNavigationRect();
}

void CImgBrowserDetailView::OnUpdateZoomStep(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(pCmdUI->m_nID == ID_BROWSER_ZOOM_FIRST + (UINT)m_nZoomIndex);
}

void CImgBrowserDetailView::OnZoomIn()
{
    ZoomIn();
    UpdateStatusText();
}

void CImgBrowserDetailView::OnZoomOut()
{
    ZoomOut();
    UpdateStatusText();
}

CString CImgBrowserDetailView::StatusText()
{
    CString text;
    if (m_pImgObj)
        text.Format("전체 W %d x H %d (%.1f %%)", m_pImgObj->GetWidth(), m_pImgObj->GetHeight(),
                    GetZoomRatio() * 0.1);
    return text;
}

void CImgBrowserDetailView::UpdateStatusText()
{
    browser_shell::SetStatusText(2, StatusText());
    browser_shell::SetStatusText(4, "");
}

void CImgBrowserDetailView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    UpdateStatusText();
    CImgDetailView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

void CImgBrowserDetailView::SetNavigationRect()
{
    if (!m_pBrowser || !m_pImgObj || !::IsWindow(m_hWnd))
        return;
    CRect client;
    GetClientRect(&client);
    CRect visible = GetSrcRectFromView(client);
    CDlgConsoleSubPreview* preview = nullptr;
    if (m_pBrowser->m_nMode == CDlgImgBrowser::MODE_FOLDER)
        preview = m_pBrowser->BrowsePane() ? m_pBrowser->BrowsePane()->m_pPreview : nullptr;
    else
        preview = m_pBrowser->AlbumPane() ? m_pBrowser->AlbumPane()->m_pPreview : nullptr;
    if (preview)
        preview->UpdateNavigatorRect(visible);
}

void CImgBrowserDetailView::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (m_pBrowser)
        m_pBrowser->ShowThumbnails();
    CImgDetailView::OnLButtonDblClk(nFlags, point);
}

BOOL CImgBrowserDetailView::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN) {
        switch (pMsg->wParam) {
        case VK_RETURN:
            if (m_pBrowser)
                m_pBrowser->ShowThumbnails();
            return TRUE;
        case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
        case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
            return TRUE;
        }
    }
    return CImgDetailView::PreTranslateMessage(pMsg);
}

void CImgBrowserDetailView::OnDestroy()
{
    CImgDetailView::OnDestroy();
    // The panes' previews must not keep pointing here; a closing program tears the panes down itself.
    if (browser_shell::IsClosing() || !m_pBrowser)
        return;
    if (m_pBrowser->BrowsePane())
        m_pBrowser->BrowsePane()->SetPreviewDetailView(nullptr);
    if (m_pBrowser->AlbumPane())
        m_pBrowser->AlbumPane()->SetPreviewDetailView(nullptr);
}
