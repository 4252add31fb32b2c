// An MDI program: documents opened from a template into child frames inside
// the MDI client, activated, maximized, restored and closed.
#include <gtest/gtest.h>

#include <mfc.h>

#include "support/GeometryPrinters.h"
#include "support/MessageLoop.h"
#include "support/MessageRecorder.h"
#include "support/MessageSequence.h"

using namespace mivo::test;

namespace {

class CPhotoDoc : public CDocument {
    DECLARE_DYNCREATE(CPhotoDoc)
public:
    static int s_alive;
    CPhotoDoc() { ++s_alive; }
    ~CPhotoDoc() override { --s_alive; }
};
int CPhotoDoc::s_alive = 0;
IMPLEMENT_DYNCREATE(CPhotoDoc, CDocument)

class CPhotoView : public CView {
    DECLARE_DYNCREATE(CPhotoView)
public:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CPhotoView, CView)

class CPhotoChild : public CMDIChildWnd {
    DECLARE_DYNCREATE(CPhotoChild)
};
IMPLEMENT_DYNCREATE(CPhotoChild, CMDIChildWnd)

class CMainFrame : public CMDIFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame() { m_strTitle = "Mivo"; }
};
IMPLEMENT_DYNCREATE(CMainFrame, CMDIFrameWnd)

class MdiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        main = new CMainFrame;
        ASSERT_TRUE(main->LoadFrame(7200));
        app.m_pMainWnd = main;
        main->MoveWindow(0, 0, 640, 480);
        main->ShowWindow(SW_SHOW);
        docTemplate = new CMultiDocTemplate(7201, RUNTIME_CLASS(CPhotoDoc), RUNTIME_CLASS(CPhotoChild),
                                            RUNTIME_CLASS(CPhotoView));
        docTemplate->m_strDocStrings = "\n사진\n";
        app.AddDocTemplate(docTemplate);
    }
    void TearDown() override
    {
        if (app.m_pMainWnd)
            main->SendMessage(WM_CLOSE);
        PumpUntilIdle();
        DiscardQuitRequest();
        EXPECT_EQ(nullptr, app.m_pMainWnd);
        EXPECT_EQ(0, CPhotoDoc::s_alive);
    }
    static CMDIChildWnd* ChildOf(CDocument* doc)
    {
        POSITION pos = doc->GetFirstViewPosition();
        return static_cast<CMDIChildWnd*>(doc->GetNextView(pos)->GetParentFrame());
    }
    static CString TextOf(CWnd* wnd)
    {
        CString text;
        wnd->GetWindowText(text);
        return text;
    }

    CWinApp app{"MDI 테스트"};
    CMainFrame* main = nullptr;
    CMultiDocTemplate* docTemplate = nullptr;
};

}  // namespace

TEST_F(MdiTest, DocumentsOpenAsChildrenOfTheClientAndTitleTheFrame)
{
    CDocument* first = docTemplate->OpenDocumentFile(nullptr);
    CDocument* second = docTemplate->OpenDocumentFile(nullptr);
    ASSERT_TRUE(first && second);
    CMDIChildWnd* a = ChildOf(first);
    CMDIChildWnd* b = ChildOf(second);
    EXPECT_EQ(main->m_hWndMDIClient, ::GetParent(a->m_hWnd));
    EXPECT_EQ(main, a->GetMDIFrame());
    EXPECT_EQ(b, main->MDIGetActive());
    EXPECT_STREQ("사진1", TextOf(a));
    EXPECT_STREQ("사진2", TextOf(b));
    EXPECT_STREQ("Mivo - 사진2", TextOf(main));
    // Children enumerate in z-order, the active one first.
    EXPECT_EQ(b->m_hWnd, ::GetWindow(main->m_hWndMDIClient, GW_CHILD));
    EXPECT_EQ(a->m_hWnd, ::GetWindow(b->m_hWnd, GW_HWNDNEXT));
    EXPECT_EQ(b, main->GetActiveFrame());
}

TEST_F(MdiTest, ActivationTellsTheLeavingChildThenTheComingOne)
{
    CMDIChildWnd* a = ChildOf(docTemplate->OpenDocumentFile(nullptr));
    CMDIChildWnd* b = ChildOf(docTemplate->OpenDocumentFile(nullptr));
    MessageRecorder rec;
    rec.Attach(a->m_hWnd);
    rec.Attach(b->m_hWnd);
    main->MDIActivate(a);
    EXPECT_ORDER(rec, nullptr, {
        At(b->m_hWnd, WM_NCACTIVATE, kSent | kWParam, FALSE),
        At(b->m_hWnd, WM_MDIACTIVATE, kSent | kWParam | kLParam, (WPARAM)b->m_hWnd, (LPARAM)a->m_hWnd),
        At(a->m_hWnd, WM_NCACTIVATE, kSent | kWParam, TRUE),
        At(a->m_hWnd, WM_MDIACTIVATE, kSent | kWParam | kLParam, (WPARAM)b->m_hWnd, (LPARAM)a->m_hWnd),
    });
    EXPECT_EQ(a, main->MDIGetActive());
    EXPECT_STREQ("Mivo - 사진1", TextOf(main));

    // Ctrl+F6 goes on to the other child.
    main->MDINext();
    EXPECT_EQ(b, main->MDIGetActive());
}

TEST_F(MdiTest, MaximizedStateCarriesToTheNextChildAndRestores)
{
    CMDIChildWnd* a = ChildOf(docTemplate->OpenDocumentFile(nullptr));
    CMDIChildWnd* b = ChildOf(docTemplate->OpenDocumentFile(nullptr));
    main->MDIMaximize(b);
    BOOL maximized = FALSE;
    EXPECT_EQ(b, main->MDIGetActive(&maximized));
    EXPECT_TRUE(maximized);
    EXPECT_STREQ("Mivo - [사진2]", TextOf(main));
    // The maximized child's client fills the MDI client.
    CRect client, childClient;
    ::GetClientRect(main->m_hWndMDIClient, &client);
    b->GetClientRect(&childClient);
    EXPECT_EQ(client.Size(), childClient.Size());

    main->MDIActivate(a);
    EXPECT_TRUE(a->IsZoomed());
    EXPECT_FALSE(b->IsZoomed());
    EXPECT_STREQ("Mivo - [사진1]", TextOf(main));

    main->MDIRestore(a);
    EXPECT_FALSE(a->IsZoomed());
    main->MDIGetActive(&maximized);
    EXPECT_FALSE(maximized);
    EXPECT_STREQ("Mivo - 사진1", TextOf(main));
}

TEST_F(MdiTest, ANewCaptionOfTheMaximizedChildShowsInTheFrameAtOnce)
{
    CMDIChildWnd* a = ChildOf(docTemplate->OpenDocumentFile(nullptr));
    CMDIChildWnd* b = ChildOf(docTemplate->OpenDocumentFile(nullptr));
    main->MDIMaximize(b);
    b->SetWindowText("캘린더");
    EXPECT_STREQ("Mivo - [캘린더]", TextOf(main));
    // A child behind the maximized one keeps the frame's caption as it is.
    a->SetWindowText("뒤");
    EXPECT_STREQ("Mivo - [캘린더]", TextOf(main));
}

TEST_F(MdiTest, ClosingAChildActivatesTheNextAndTheLastLeavesTheFrameAlone)
{
    CDocument* first = docTemplate->OpenDocumentFile(nullptr);
    CDocument* second = docTemplate->OpenDocumentFile(nullptr);
    CMDIChildWnd* a = ChildOf(first);
    ChildOf(second)->SendMessage(WM_CLOSE);
    PumpUntilIdle();
    EXPECT_EQ(1, CPhotoDoc::s_alive);
    EXPECT_EQ(a, main->MDIGetActive());
    a->SendMessage(WM_CLOSE);
    PumpUntilIdle();
    EXPECT_EQ(0, CPhotoDoc::s_alive);
    EXPECT_EQ(nullptr, main->MDIGetActive());
    EXPECT_STREQ("Mivo", TextOf(main));
}
