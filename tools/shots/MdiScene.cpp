// An MDI frame with three Korean picture documents, one of them maximized and
// then the children cascaded, photographed through MIVO_SHOT_COMMAND.
#include "ShotSupport.h"
#include <mfc.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

namespace {

class CShotDoc : public CDocument {
    DECLARE_DYNCREATE(CShotDoc)
};
IMPLEMENT_DYNCREATE(CShotDoc, CDocument)

// Paints a colour band and the document's title, as a picture would fill it.
class CShotView : public CScrollView {
    DECLARE_DYNCREATE(CShotView)
public:
    void OnInitialUpdate() override
    {
        SetScrollSizes(MM_TEXT, CSize(480, 360));
        CScrollView::OnInitialUpdate();
    }
    void OnDraw(CDC* pDC) override
    {
        static const COLORREF kBands[] = {RGB(70, 130, 180), RGB(60, 160, 90), RGB(200, 120, 60)};
        COLORREF band = kBands[std::hash<std::string>()(std::string(GetDocument()->GetTitle())) % 3];
        pDC->FillSolidRect(0, 0, 480, 360, band);
        pDC->FillSolidRect(40, 40, 400, 280, RGB(250, 250, 245));
        pDC->SetBkMode(TRANSPARENT);
        pDC->TextOut(60, 60, GetDocument()->GetTitle());
        pDC->TextOut(60, 90, CString("바다와 하늘, 가을 풍경"));
    }
};
IMPLEMENT_DYNCREATE(CShotView, CScrollView)

class CShotChild : public CMDIChildWnd {
    DECLARE_DYNCREATE(CShotChild)
};
IMPLEMENT_DYNCREATE(CShotChild, CMDIChildWnd)

class CShotFrame : public CMDIFrameWnd {
    DECLARE_DYNCREATE(CShotFrame)
public:
    CShotFrame() { m_strTitle = "Mivo 사진 편집"; }
};
IMPLEMENT_DYNCREATE(CShotFrame, CMDIFrameWnd)

}  // namespace

int main()
{
    CWinApp app("Mivo 사진 편집");
    auto* frame = new CShotFrame;
    if (!frame->LoadFrame(7300))
        return 1;
    app.m_pMainWnd = frame;
    frame->MoveWindow(20, 20, 720, 540);
    frame->ShowWindow(SW_SHOW);
    auto* docTemplate =
        new CMultiDocTemplate(7301, RUNTIME_CLASS(CShotDoc), RUNTIME_CLASS(CShotChild), RUNTIME_CLASS(CShotView));
    docTemplate->m_strDocStrings = "\n사진\n";
    app.AddDocTemplate(docTemplate);
    const char* titles[] = {"제주도 바다.jpg", "설악산 단풍.jpg", "서울 야경.jpg"};
    CDocument* last = nullptr;
    for (const char* title : titles) {
        last = docTemplate->OpenDocumentFile(nullptr);
        if (last)
            last->SetTitle(title);
    }
    Settle();
    frame->MDICascade();
    Settle();
    Shoot("mdi-cascaded");
    if (CMDIChildWnd* active = frame->MDIGetActive())
        frame->MDIMaximize(active);
    Settle();
    Shoot("mdi-maximized");
    frame->SendMessage(WM_CLOSE);
    Settle();
    return 0;
}
