// MDI views found or opened by document name, dialogs shown as MDI pages, and the input mode.
#include "framework/VXUtil.h"

#include <cstring>

namespace {

const DWORD kImeModeBits = 0x3;

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
