#include "editor/ImgEditFrame.h"

#include "editor/ImgEditView.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CImgEditFrame, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CImgEditFrame, CMDIChildWnd)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CImgEditFrame::CImgEditFrame() = default;

CImgEditFrame::~CImgEditFrame() = default;

BOOL CImgEditFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CMDIChildWnd::PreCreateWindow(cs))
        return FALSE;
    HICON icon = AfxGetApp() ? AfxGetApp()->LoadIcon(IDI_EDITOR_FRAME) : nullptr;
    cs.lpszClass = AfxRegisterWndClass(0, nullptr, nullptr, icon);
    return TRUE;
}

CImgEditView* CImgEditFrame::GetEditView() const
{
    if (CImgEditView* view = dynamic_cast<CImgEditView*>(GetActiveView()))
        return view;
    return dynamic_cast<CImgEditView*>(GetDlgItem(AFX_IDW_PANE_FIRST));
}

BOOL CImgEditFrame::QueryClose()
{
    CImgEditView* view = GetEditView();
    if (!view)
        return TRUE;
    if (view->IsBusy()) {
        view->ShowBusyMessage();
        return FALSE;
    }
    if (!view->m_bModified)
        return TRUE;
    CString question;
    CString name = view->m_strPathName.IsEmpty() ? view->m_strTitle : view->m_strPathName;
    question.Format("%s 이미지가 변경되었습니다.\r\n저장하시겠습니까?", (LPCSTR)name);
    switch (AfxMessageBox(question, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
        return view->Save();
    case IDNO:
        return TRUE;
    default:
        return FALSE;
    }
}

void CImgEditFrame::OnClose()
{
    if (QueryClose())
        CMDIChildWnd::OnClose();
}
