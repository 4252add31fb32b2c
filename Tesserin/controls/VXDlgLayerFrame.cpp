#include "controls/VXDlgLayerFrame.h"

IMPLEMENT_DYNCREATE(CVXDlgLayerFrame, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CVXDlgLayerFrame, CMDIChildWnd)
    ON_WM_CREATE()
    ON_WM_SETFOCUS()
END_MESSAGE_MAP()

CVXDlgLayerFrame::CVXDlgLayerFrame() = default;

CVXDlgLayerFrame::~CVXDlgLayerFrame() = default;

BOOL CVXDlgLayerFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CMDIChildWnd::PreCreateWindow(cs))
        return FALSE;
    cs.lpszClass = AfxRegisterWndClass(0);
    return TRUE;
}

int CVXDlgLayerFrame::OnCreate(LPCREATESTRUCT cs)
{
    if (CMDIChildWnd::OnCreate(cs) == -1)
        return -1;
    if (!m_wndLayer.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST))
        return -1;
    return 0;
}

void CVXDlgLayerFrame::OnSetFocus(CWnd*)
{
    if (m_wndLayer.m_hWnd)
        m_wndLayer.SetFocus();
}

BOOL CVXDlgLayerFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (m_wndLayer.m_hWnd && m_wndLayer.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CMDIChildWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CVXDlgLayerFrame::SetCaptionVisible(BOOL visible)
{
    m_wndLayer.SetCaptionVisible(visible);
}

void CVXDlgLayerFrame::SetFrameTitle(CString title)
{
    m_strTitle = title;
    if (m_hWnd)
        SetWindowText(m_strTitle);
}

void CVXDlgLayerFrame::OnUpdateFrameTitle(BOOL)
{
    SetWindowText(m_strTitle);
}

CDialog* CVXDlgLayerFrame::GetPageDialog(int index)
{
    return m_wndLayer.GetPageDialog(index);
}

int CVXDlgLayerFrame::InsertDialogToLayer(CDialog* dlg, UINT templateId, const char* caption, DWORD, int)
{
    return m_wndLayer.InsertPage(dlg, templateId, caption, CVXDlgLayer::kShown, -1);
}

int CVXDlgLayerFrame::InsertDialogToLayer(CDialog* dlg, const char* templateName, const char* caption, DWORD, int)
{
    return m_wndLayer.InsertPage(dlg, templateName, caption, CVXDlgLayer::kShown, -1);
}

void CVXDlgLayerFrame::FitLayerToFrame()
{
    CRect client;
    GetClientRect(&client);
    m_wndLayer.SetChildDlgSizes(client.Width(), client.Height());
}
