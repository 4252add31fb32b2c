// Dialogs shown as pages of an MDI layer frame, found again by title or page class. Declared
// with the framework's view helpers (framework/VXUtil.h); it lives here because it builds the
// controls' layer frame.
#include "framework/VXUtil.h"
#include "controls/VXDlgLayerFrame.h"

#include <cstring>
#include <memory>

namespace {

const char kLayerFrameClass[] = "CVXDlgLayerFrame";
const char kPageCaption[] = "General";
const DWORD kLayerFrameStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE;

// Reuse searches: by window title, by the class of the frame's first page, or by both.
const int kSearchTitleOrClass = 1;
const int kSearchTitle = 2;
const int kSearchClass = 4;

bool IsLayerFrame(CWnd* wnd)
{
    return wnd && !strcmp(wnd->GetRuntimeClass()->m_lpszClassName, kLayerFrameClass);
}

// The layer frame among the client's children that the search mode accepts for title and
// page class; null when there is none.
CVXDlgLayerFrame* FindLayerFrame(HWND mdiClient, const char* title, const char* pageClass, int mode)
{
    const bool byTitle = mode == kSearchTitleOrClass || mode == kSearchTitle;
    const bool byClass = (mode == kSearchTitleOrClass || mode == kSearchClass) && *pageClass;
    for (HWND child = ::GetWindow(mdiClient, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        CWnd* wnd = CWnd::FromHandlePermanent(child);
        if (!IsLayerFrame(wnd))
            continue;
        auto* frame = static_cast<CVXDlgLayerFrame*>(wnd);
        if (byTitle && title) {
            CString text;
            frame->GetWindowText(text);
            if (text == title)
                return frame;
        }
        CDialog* page = frame->GetPageDialog(0);
        if (byClass && page && !strcmp(page->GetRuntimeClass()->m_lpszClassName, pageClass))
            return frame;
    }
    return nullptr;
}

}  // namespace

CDialog* OpenLayerViewFromDlg(const char* title, CDialog* dlg, UINT dlgTemplateId, UINT frameResourceId,
                              HWND mdiClient, CWnd* parentFrame, BOOL maximize, int searchMode)
{
    const char* pageClass = dlg ? dlg->GetRuntimeClass()->m_lpszClassName : "";
    if (searchMode != 0 && mdiClient) {
        if (CVXDlgLayerFrame* found = FindLayerFrame(mdiClient, title, pageClass, searchMode)) {
            found->MDIActivate();
            CDialog* page = found->GetPageDialog(0);
            if (dlg && dlg != page)
                delete dlg;
            return page;
        }
    }
    // Nothing to show: an empty page frame would only mislead the caller.
    if (!dlg)
        return nullptr;
    // The dialog is ours from here: the new frame's layer takes it, or it goes.
    std::unique_ptr<CDialog> page(dlg);
    auto* frame = new CVXDlgLayerFrame;  // deletes itself when its window goes or fails to come
    if (!frame->LoadFrame(frameResourceId, kLayerFrameStyle, parentFrame, nullptr))
        return nullptr;
    frame->SetCaptionVisible(FALSE);
    frame->SetFrameTitle(title ? title : "");
    LPCSTR iconName = MAKEINTRESOURCE(LOWORD(frameResourceId));
    HICON icon = ::LoadIcon(AfxFindResourceHandle(iconName, RT_GROUP_ICON), iconName);
    frame->SendMessage(WM_SETICON, ICON_BIG, (LPARAM)icon);
    if (!frame->InsertDialogToLayer(dlg, dlgTemplateId, kPageCaption, 1, -1)) {
        frame->DestroyWindow();
        return nullptr;
    }
    page.release();  // the layer deletes its pages
    frame->FitLayerToFrame();
    frame->ShowWindow(SW_SHOW);
    frame->MDIActivate();
    if (maximize)
        frame->MDIMaximize();
    return dlg;
}
