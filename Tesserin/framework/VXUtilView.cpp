// MDI views found or opened by document name, dialogs shown as MDI pages, and the input mode.
#include "framework/VXUtil.h"
#include "controls/VXDlgLayerFrame.h"

#include <cstring>

namespace {

const char kLayerFrameClass[] = "CVXDlgLayerFrame";
const char kPageCaption[] = "General";
const DWORD kLayerFrameStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE;
const DWORD kImeModeBits = 0x3;

// Reuse searches: by window title, by the class of the frame's first page, or by both.
const int kSearchTitleOrClass = 1;
const int kSearchTitle = 2;
const int kSearchClass = 4;

CDocTemplate* FindTemplate(const CString& docName)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return nullptr;
    for (POSITION pos = app->GetFirstDocTemplatePosition(); pos;) {
        CDocTemplate* docTemplate = app->GetNextDocTemplate(pos);
        CString name;
        if (docTemplate && docTemplate->GetDocString(name, CDocTemplate::docName) && name == docName)
            return docTemplate;
    }
    return nullptr;
}

CView* LastView(CDocument* doc)
{
    CView* last = nullptr;
    for (POSITION pos = doc->GetFirstViewPosition(); pos;)
        last = doc->GetNextView(pos);
    return last;
}

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

void ActivateChild(CWnd* frame, BOOL maximize)
{
    HWND client = ::GetParent(frame->m_hWnd);
    ::SendMessage(client, WM_MDIACTIVATE, (WPARAM)frame->m_hWnd, 0);
    if (maximize)
        ::SendMessage(client, WM_MDIMAXIMIZE, (WPARAM)frame->m_hWnd, 0);
}

}  // namespace

CView* OpenView(CString docName, BOOL maximize, BOOL reuse)
{
    CDocTemplate* docTemplate = FindTemplate(docName);
    if (!docTemplate)
        return nullptr;
    CDocument* doc = nullptr;
    if (reuse)
        for (POSITION pos = docTemplate->GetFirstDocPosition(); pos;)
            doc = docTemplate->GetNextDoc(pos);
    if (!doc)
        doc = docTemplate->OpenDocumentFile(nullptr);
    CView* view = doc ? LastView(doc) : nullptr;
    CFrameWnd* frame = view ? view->GetParentFrame() : nullptr;
    if (!frame)
        return view;
    ActivateChild(frame, maximize);
    return view;
}

void GetDocViewList(CString docName, CPtrArray* views)
{
    CDocTemplate* docTemplate = FindTemplate(docName);
    if (!docTemplate || !views)
        return;
    for (POSITION docPos = docTemplate->GetFirstDocPosition(); docPos;) {
        CDocument* doc = docTemplate->GetNextDoc(docPos);
        for (POSITION viewPos = doc->GetFirstViewPosition(); viewPos;)
            views->Add(doc->GetNextView(viewPos));
    }
}

CDialog* OpenLayerViewFromDlg(const char* title, CDialog* dlg, UINT dlgTemplateId, UINT frameResourceId,
                              HWND mdiClient, CWnd* parentFrame, BOOL maximize, int searchMode)
{
    const char* pageClass = dlg ? dlg->GetRuntimeClass()->m_lpszClassName : "";
    if (searchMode != 0 && mdiClient) {
        if (CVXDlgLayerFrame* found = FindLayerFrame(mdiClient, title, pageClass, searchMode)) {
            ::SendMessage(::GetParent(found->m_hWnd), WM_MDIACTIVATE, (WPARAM)found->m_hWnd, 0);
            CDialog* page = found->GetPageDialog(0);
            if (dlg && dlg != page)
                delete dlg;
            return page;
        }
    }
    // Nothing to show: an empty page frame would only mislead the caller.
    if (!dlg)
        return nullptr;
    auto* frame = new CVXDlgLayerFrame;
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
    frame->FitLayerToFrame();
    frame->ShowWindow(SW_SHOW);
    ActivateChild(frame, maximize);
    return dlg;
}

int IME_SET_Hangul(HWND wnd, BOOL hangul)
{
    HIMC context = ImmGetContext(wnd);
    if (!context)
        return 0;
    DWORD conversion = 0, sentence = 0;
    int result = ImmGetConversionStatus(context, &conversion, &sentence) ? 1 : 0;
    const bool native = (conversion & IME_CMODE_NATIVE) != 0;
    if (result && native != (hangul != FALSE)) {
        conversion &= ~kImeModeBits;
        if (hangul)
            conversion |= IME_CMODE_NATIVE;
        result = ImmSetConversionStatus(context, conversion, sentence) ? 1 : 0;
    }
    ImmReleaseContext(wnd, context);
    return result;
}
