// The editor's calls into the shell. The shell's windows land on their own
// schedule; each call compiles against them only once their headers exist.
#include "editor/EditorShell.h"

#include "editor/ImgEditView.h"
#include "framework/VXApp.h"

#if __has_include("shell/MainApp.h")
#include "shell/MainApp.h"
#define EDITOR_HAS_MAIN_APP 1
#endif
#if __has_include("shell/MainFrame.h")
#include "shell/MainFrame.h"
#include "album/DlgConsoleBrowse.h"
#define EDITOR_HAS_MAIN_FRAME 1
#endif
#if __has_include("editor/DlgConsoleEditTools.h")
#include "editor/DlgConsoleEditTools.h"
#define EDITOR_HAS_PANE 1
#endif

#if __has_include("album/ThumbnailCache.h")
#include "album/ThumbnailCache.h"
#define EDITOR_HAS_THUMBNAIL_CACHE 1
#endif

#include <cstring>

namespace editor_shell {
namespace {

#ifdef EDITOR_HAS_MAIN_FRAME
CMainFrame* MainFrame()
{
    CWnd* wnd = AfxGetMainWnd();
    if (!wnd || !::IsWindow(wnd->GetSafeHwnd()))
        return nullptr;
    return dynamic_cast<CMainFrame*>(wnd);
}
#endif

#ifndef EDITOR_HAS_MAIN_APP
// Settings while the application class is missing.
CString g_saveFolder;
#endif

// The active view while no main frame keeps it.
CImgEditView* g_activeView = nullptr;

}  // namespace

int JpegQuality()
{
#ifdef EDITOR_HAS_MAIN_APP
    return theApp.m_nJpegQuality;
#else
    return 95;
#endif
}

int UndoLevel()
{
#ifdef EDITOR_HAS_MAIN_APP
    return theApp.m_nUndoLevel;
#else
    return 8;
#endif
}

BOOL IsClosing()
{
    CVXApp* app = dynamic_cast<CVXApp*>(AfxGetApp());
    return app && app->m_bClosing;
}

CString SaveFolder()
{
#ifdef EDITOR_HAS_MAIN_APP
    return CString(theApp.m_szImageSaveDir);
#else
    return g_saveFolder;
#endif
}

void SetSaveFolder(const CString& folder)
{
#ifdef EDITOR_HAS_MAIN_APP
    const size_t size = sizeof(theApp.m_szImageSaveDir);
    std::strncpy(theApp.m_szImageSaveDir, folder, size - 1);
    theApp.m_szImageSaveDir[size - 1] = 0;
#else
    g_saveFolder = folder.Left(255);
#endif
}

void SetActiveEditView(CImgEditView* view)
{
#ifdef EDITOR_HAS_MAIN_FRAME
    if (CMainFrame* frame = MainFrame()) {
        frame->m_pActiveEditView = view;
        return;
    }
#endif
    g_activeView = view;
}

void ClearActiveEditView(CImgEditView* view)
{
#ifdef EDITOR_HAS_MAIN_FRAME
    if (CMainFrame* frame = MainFrame()) {
        if (frame->m_pActiveEditView == view)
            frame->m_pActiveEditView = nullptr;
        return;
    }
#endif
    if (g_activeView == view)
        g_activeView = nullptr;
}

CImgEditView* ActiveEditView()
{
#ifdef EDITOR_HAS_MAIN_FRAME
    if (CMainFrame* frame = MainFrame())
        return frame->m_pActiveEditView;
#endif
    return g_activeView;
}

void SetStatusText(int pane, const CString& text)
{
#ifdef EDITOR_HAS_MAIN_FRAME
    CMainFrame* frame = MainFrame();
    if (frame && ::IsWindow(frame->m_wndStatusBar.GetSafeHwnd()))
        frame->m_wndStatusBar.SetPaneText(pane, text);
#else
    (void)pane;
    (void)text;
#endif
}

void SetProgress(int percent)
{
#ifdef EDITOR_HAS_MAIN_FRAME
    CMainFrame* frame = MainFrame();
    if (frame && ::IsWindow(frame->m_wndProgress.GetSafeHwnd()))
        frame->m_wndProgress.SendMessage(PBM_SETPOS, percent);
#else
    (void)percent;
#endif
}

void ShowEditToolsGroup()
{
#ifdef EDITOR_HAS_MAIN_FRAME
    CMainFrame* frame = MainFrame();
    if (frame && ::IsWindow(frame->m_wndFolderBar.GetSafeHwnd()) && frame->m_wndFolderBar.GetSelFolder() != 2)
        frame->m_wndFolderBar.SetSelFolder(2);
#endif
}

void StoreThumbnail(const CString& path, CImageObject* picture)
{
#ifdef EDITOR_HAS_THUMBNAIL_CACHE
    CThumbnailCache cache;
    cache.StoreThumbnail(path, picture);
#else
    (void)path;
    (void)picture;
#endif
}

BOOL HasFolderPane()
{
#ifdef EDITOR_HAS_MAIN_FRAME
    CMainFrame* frame = MainFrame();
    return frame && frame->m_pBrowsePane && ::IsWindow(frame->m_pBrowsePane->GetSafeHwnd());
#else
    return FALSE;
#endif
}

BOOL ShowFolderInPane(const CString& folder)
{
#ifdef EDITOR_HAS_MAIN_FRAME
    if (!HasFolderPane())
        return FALSE;
    CMainFrame* frame = MainFrame();
    if (::IsWindow(frame->m_wndFolderBar.GetSafeHwnd()) && frame->m_wndFolderBar.GetSelFolder() != kFolderBrowse)
        frame->m_wndFolderBar.SetSelFolder(kFolderBrowse);
    CDlgConsoleBrowse* pane = frame->m_pBrowsePane;
    pane->InitDirTree();
    pane->m_wndTree.SetPathByStr(folder);
    return TRUE;
#else
    (void)folder;
    return FALSE;
#endif
}

ToolDefaults& NoPaneTools()
{
    static ToolDefaults defaults;
    return defaults;
}

BOOL PaneAvailable()
{
#ifdef EDITOR_HAS_PANE
    return TRUE;
#else
    return FALSE;
#endif
}

#ifdef EDITOR_HAS_PANE
COLORREF PaneColor(CDlgConsoleEditTools* pane)
{
    return pane ? pane->m_clrCurrent : NoPaneTools().colour;
}
int PaneBrushSize(CDlgConsoleEditTools* pane)
{
    return pane ? pane->m_nBrushSize : NoPaneTools().brushSize;
}
int PaneOpacity(CDlgConsoleEditTools* pane)
{
    return pane ? pane->m_nOpacity : NoPaneTools().opacity;
}
void PaneRatio(CDlgConsoleEditTools* pane, int* rw, int* rh)
{
    *rw = pane ? pane->m_nRatioX : NoPaneTools().ratioX;
    *rh = pane ? pane->m_nRatioY : NoPaneTools().ratioY;
}
void PaneSetCurrentColor(CDlgConsoleEditTools* pane, COLORREF colour)
{
    if (pane)
        pane->SetCurrentColor(colour);
    else
        NoPaneTools().colour = colour;
}
void PaneViewChanged(CDlgConsoleEditTools* pane, CImgEditView* view)
{
    if (pane)
        pane->OnEditorViewChanged(view);
}
void PaneViewActivated(CDlgConsoleEditTools* pane, CImgEditView* view)
{
    if (pane)
        pane->OnEditorViewActivated(view);
}
void PaneViewDeactivated(CDlgConsoleEditTools* pane, CImgEditView* view)
{
    if (pane)
        pane->OnEditorViewDeactivated(view);
}
void PaneViewDestroyed(CDlgConsoleEditTools* pane, CImgEditView* view)
{
    if (pane)
        pane->OnEditorViewDestroyed(view);
}
void PaneNavigator(CDlgConsoleEditTools* pane, CRect visible, BOOL repaint)
{
    if (!pane)
        return;
    pane->UpdateNavigatorFrame(visible);
    if (repaint && ::IsWindow(pane->GetSafeHwnd()))
        pane->UpdateWindow();
}
void PaneSyncTools(CDlgConsoleEditTools* pane)
{
    if (pane)
        pane->SyncToolButtons();
}
#else
COLORREF PaneColor(CDlgConsoleEditTools*)
{
    return NoPaneTools().colour;
}
int PaneBrushSize(CDlgConsoleEditTools*)
{
    return NoPaneTools().brushSize;
}
int PaneOpacity(CDlgConsoleEditTools*)
{
    return NoPaneTools().opacity;
}
void PaneRatio(CDlgConsoleEditTools*, int* rw, int* rh)
{
    *rw = NoPaneTools().ratioX;
    *rh = NoPaneTools().ratioY;
}
void PaneSetCurrentColor(CDlgConsoleEditTools*, COLORREF colour)
{
    NoPaneTools().colour = colour;
}
void PaneViewChanged(CDlgConsoleEditTools*, CImgEditView*) {}
void PaneViewActivated(CDlgConsoleEditTools*, CImgEditView*) {}
void PaneViewDeactivated(CDlgConsoleEditTools*, CImgEditView*) {}
void PaneViewDestroyed(CDlgConsoleEditTools*, CImgEditView*) {}
void PaneNavigator(CDlgConsoleEditTools*, CRect, BOOL) {}
void PaneSyncTools(CDlgConsoleEditTools*) {}
#endif

}  // namespace editor_shell
