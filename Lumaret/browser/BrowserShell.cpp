#include "browser/BrowserShell.h"

#include "shell/MainApp.h"
#include "shell/MainFrame.h"

namespace browser_shell {

CMainFrame* MainFrame()
{
    CWnd* wnd = AfxGetMainWnd();
    if (!wnd || !::IsWindow(wnd->GetSafeHwnd()))
        return nullptr;
    return dynamic_cast<CMainFrame*>(wnd);
}

BOOL IsClosing()
{
    return theApp.m_bClosing;
}

CString DataFolder()
{
    CString folder = theApp.m_strDataDir;
    if (!folder.IsEmpty() && folder.Right(1) != "\\")
        folder += "\\";
    return folder;
}

void SetStatusText(int pane, const CString& text)
{
    CMainFrame* frame = MainFrame();
    if (frame && ::IsWindow(frame->m_wndStatusBar.GetSafeHwnd()))
        frame->m_wndStatusBar.SetPaneText(pane, text);
}

void SetProgress(int percent)
{
    CMainFrame* frame = MainFrame();
    if (frame && ::IsWindow(frame->m_wndProgress.GetSafeHwnd()))
        frame->m_wndProgress.SendMessage(PBM_SETPOS, (WPARAM)percent);
}

void ShowFolderGroup(int group)
{
    CMainFrame* frame = MainFrame();
    if (frame && ::IsWindow(frame->m_wndFolderBar.GetSafeHwnd()) && frame->GetSelFolder() != group)
        frame->SetSelFolder(group);
}

void ActivateView(CView* view)
{
    if (!view || !::IsWindow(view->GetSafeHwnd()))
        return;
    if (CFrameWnd* frame = view->GetParentFrame())
        frame->SetActiveView(view);
}

}  // namespace browser_shell
