// MDI helpers: views opened and listed by document name, and dialogs shown as pages of their
// own MDI child frame, found again by title or by the page's class.
#include <gtest/gtest.h>

#include "controls/VXDlgLayerFrame.h"
#include "dialogs/VXDialog.h"
#include "framework/VXUtil.h"
#include "mivo/modules.h"
#include "mivo/resources.h"
#include "res/resource.h"
#include "support/DialogTemplateBuilder.h"
#include "support/MessageLoop.h"

#include <vector>

using namespace mivo::test;

namespace {

const WORD kPageTemplate = 31101;
// A frame resource that has an icon: the library's own.
const UINT kFrameResource = IDI_FT_TRANSFER;

class CUtilDoc : public CDocument {
    DECLARE_DYNCREATE(CUtilDoc)
};
IMPLEMENT_DYNCREATE(CUtilDoc, CDocument)

class CUtilView : public CView {
    DECLARE_DYNCREATE(CUtilView)
public:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CUtilView, CView)

class CUtilChild : public CMDIChildWnd {
    DECLARE_DYNCREATE(CUtilChild)
};
IMPLEMENT_DYNCREATE(CUtilChild, CMDIChildWnd)

class CUtilMain : public CMDIFrameWnd {
    DECLARE_DYNCREATE(CUtilMain)
};
IMPLEMENT_DYNCREATE(CUtilMain, CMDIFrameWnd)

// Page classes, counting how many of them are alive.
class CPageOne : public CDialog {
    DECLARE_DYNCREATE(CPageOne)
public:
    static int s_alive;
    CPageOne() { ++s_alive; }
    ~CPageOne() override { --s_alive; }
};
int CPageOne::s_alive = 0;
IMPLEMENT_DYNCREATE(CPageOne, CDialog)

class CPageTwo : public CDialog {
    DECLARE_DYNCREATE(CPageTwo)
public:
    static int s_alive;
    CPageTwo() { ++s_alive; }
    ~CPageTwo() override { --s_alive; }
};
int CPageTwo::s_alive = 0;
IMPLEMENT_DYNCREATE(CPageTwo, CDialog)

class CPageThree : public CDialog {
    DECLARE_DYNCREATE(CPageThree)
public:
    static int s_alive;
    CPageThree() { ++s_alive; }
    ~CPageThree() override { --s_alive; }
};
int CPageThree::s_alive = 0;
IMPLEMENT_DYNCREATE(CPageThree, CDialog)

int PagesAlive()
{
    return CPageOne::s_alive + CPageTwo::s_alive + CPageThree::s_alive;
}

// A page of class 1, 2 or 3.
CDialog* NewPage(int kind)
{
    if (kind == 1)
        return new CPageOne;
    if (kind == 2)
        return new CPageTwo;
    return new CPageThree;
}

// A library dialog made to be hosted as a page.
class CToolPage : public CVXDialog {
    DECLARE_DYNAMIC(CToolPage)
public:
    CToolPage() : CVXDialog(kPageTemplate) {}
};
IMPLEMENT_DYNAMIC(CToolPage, CVXDialog)

// A child dialog page holding one edit.
std::vector<BYTE> PageBytes()
{
    DialogTemplateBuilder page(WS_CHILD | DS_CONTROL, 0, 0, 80, 40, u"");
    page.Font(9, u"굴림").Item(ItemClass::Edit, u"", 1001, 4, 4, 40, 12, WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    return page.Bytes();
}

class PageResources : public mivo::test::ProgramDialogTemplate {
public:
    PageResources() : ProgramDialogTemplate(kPageTemplate, PageBytes()) {}
};

class VXUtilView : public ::testing::Test {
protected:
    void SetUp() override
    {
        main = new CUtilMain;
        ASSERT_TRUE(main->LoadFrame(7400));
        app.m_pMainWnd = main;
        main->MoveWindow(0, 0, 640, 480);
        main->ShowWindow(SW_SHOW);
        docTemplate = new CMultiDocTemplate(7401, RUNTIME_CLASS(CUtilDoc), RUNTIME_CLASS(CUtilChild),
                                            RUNTIME_CLASS(CUtilView));
        docTemplate->m_strDocStrings = "\n사진\n";
        app.AddDocTemplate(docTemplate);
        client = main->m_hWndMDIClient;
    }
    void TearDown() override
    {
        if (app.m_pMainWnd)
            main->SendMessage(WM_CLOSE);
        PumpUntilIdle();
        DiscardQuitRequest();
        EXPECT_EQ(0, PagesAlive());
    }
    std::vector<HWND> Children() const
    {
        std::vector<HWND> out;
        for (HWND child = ::GetWindow(client, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
            out.push_back(child);
        return out;
    }
    CDialog* Open(const char* title, CDialog* dlg, int mode, BOOL maximize = FALSE)
    {
        CDialog* page = OpenLayerViewFromDlg(title, dlg, kPageTemplate, kFrameResource, client, main, maximize, mode);
        PumpUntilIdle();
        return page;
    }
    static CVXDlgLayerFrame* FrameOf(CDialog* page)
    {
        return page ? static_cast<CVXDlgLayerFrame*>(page->GetParentFrame()) : nullptr;
    }

    PageResources resources;
    CWinApp app{"MDI 도구"};
    CUtilMain* main = nullptr;
    CMultiDocTemplate* docTemplate = nullptr;
    HWND client = nullptr;
};

}  // namespace

TEST_F(VXUtilView, OpenViewCreatesOrReusesTheLastDocument)
{
    EXPECT_EQ(nullptr, OpenView("없는 문서", FALSE, TRUE));
    CView* first = OpenView("사진", FALSE, TRUE);
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(first, OpenView("사진", FALSE, TRUE));
    CView* second = OpenView("사진", FALSE, FALSE);
    ASSERT_NE(nullptr, second);
    EXPECT_NE(first, second);
    EXPECT_EQ(second, OpenView("사진", TRUE, TRUE)) << "reuse takes the last document";
}

TEST_F(VXUtilView, OpenViewActivatesAndMaximises)
{
    CView* first = OpenView("사진", FALSE, FALSE);
    CView* second = OpenView("사진", FALSE, FALSE);
    ASSERT_TRUE(first && second);
    BOOL maximized = TRUE;
    EXPECT_EQ(second->GetParentFrame(), main->MDIGetActive(&maximized));
    EXPECT_FALSE(maximized);
    EXPECT_EQ(second, OpenView("사진", TRUE, TRUE));
    EXPECT_EQ(second->GetParentFrame(), main->MDIGetActive(&maximized));
    EXPECT_TRUE(maximized);

    CPtrArray views;
    GetDocViewList("사진", &views);
    ASSERT_EQ(2, views.GetSize());
    EXPECT_EQ(first, views[0]);
    EXPECT_EQ(second, views[1]);
    GetDocViewList("그림", &views);
    EXPECT_EQ(2, views.GetSize());
}

TEST_F(VXUtilView, ANewPageFrameIsSetUpAndShown)
{
    CPageOne* dlg = new CPageOne;
    CDialog* page = Open("보정 도구", dlg, 0, TRUE);
    ASSERT_EQ(dlg, page);
    CVXDlgLayerFrame* frame = FrameOf(page);
    ASSERT_NE(nullptr, frame);
    EXPECT_EQ(client, ::GetParent(frame->m_hWnd));
    EXPECT_STREQ("CVXDlgLayerFrame", frame->GetRuntimeClass()->m_lpszClassName);
    CString title;
    frame->GetWindowText(title);
    EXPECT_STREQ("보정 도구", title);
    EXPECT_EQ(DWORD(WS_OVERLAPPEDWINDOW), frame->GetStyle() & WS_OVERLAPPEDWINDOW);
    EXPECT_FALSE(frame->GetLayer()->GetCaptionVisible());
    EXPECT_STREQ("General", frame->GetLayer()->GetPageInfo(0)->caption);
    EXPECT_EQ(page, frame->GetPageDialog(0));
    // The frame's own loading looks in the program only; the library's icon came as ICON_BIG.
    EXPECT_NE(nullptr, (HICON)frame->SendMessage(WM_GETICON, ICON_BIG));
    EXPECT_TRUE(frame->IsWindowVisible());
    BOOL maximized = FALSE;
    EXPECT_EQ(frame, main->MDIGetActive(&maximized));
    EXPECT_TRUE(maximized);
}

TEST_F(VXUtilView, SearchModesReuseByTitleOrByPageClass)
{
    CDialog* one = Open("하나", new CPageOne, 0);
    CDialog* two = Open("둘", new CPageTwo, 0);
    ASSERT_TRUE(one && two);
    ASSERT_EQ(2u, Children().size());
    const struct {
        const char* name;
        const char* title;
        int kind;  // the class of the dialog passed; 3 is on no frame
        int mode;
        CDialog* reused;  // null: a new frame
    } cases[] = {
        {"mode 2, same title", "하나", 3, 2, one},
        {"mode 1, same title", "둘", 3, 1, two},
        {"mode 4, same class", "다른", 1, 4, one},
        {"mode 1, same class", "다른", 2, 1, two},
        {"mode 2, class only", "다른", 1, 2, nullptr},
        {"mode 4, title only", "하나", 3, 4, nullptr},
        {"mode 1, neither", "다른", 3, 1, nullptr},
        {"mode 0, same title and class", "하나", 1, 0, nullptr},
    };
    for (const auto& c : cases) {
        const size_t before = Children().size();
        CDialog* dlg = NewPage(c.kind);
        CDialog* page = Open(c.title, dlg, c.mode);
        if (c.reused) {
            EXPECT_EQ(c.reused, page) << c.name;
            EXPECT_EQ(before, Children().size()) << c.name;
            EXPECT_EQ(FrameOf(c.reused), main->MDIGetActive()) << c.name;
            EXPECT_EQ((int)before, PagesAlive()) << c.name << ": the spare was deleted";
        } else {
            EXPECT_EQ(dlg, page) << c.name;
            EXPECT_EQ(before + 1, Children().size()) << c.name;
            // Later cases look for the first two frames only.
            FrameOf(page)->DestroyWindow();
            PumpUntilIdle();
        }
    }
}

TEST_F(VXUtilView, NoDialogAndNoMatchGivesNullAndNoFrame)
{
    CDialog* one = Open("하나", new CPageOne, 0);
    ASSERT_NE(nullptr, one);
    const int modes[] = {0, 1, 2, 4};
    for (int mode : modes) {
        EXPECT_EQ(nullptr, Open("없음", nullptr, mode)) << mode;
        EXPECT_EQ(1u, Children().size()) << mode;
    }
    EXPECT_EQ(one, Open("하나", nullptr, 2)) << "a title still finds its frame without a dialog";
    EXPECT_EQ(nullptr, Open("하나", nullptr, 4)) << "no dialog, no class to match";
}

TEST_F(VXUtilView, APageThatCannotBeCreatedIsDeletedWithItsFrame)
{
    const UINT kNoSuchTemplate = 31999;
    EXPECT_EQ(nullptr, OpenLayerViewFromDlg("없는 양식", new CPageOne, kNoSuchTemplate, kFrameResource, client, main,
                                            FALSE, 0));
    PumpUntilIdle();
    EXPECT_EQ(0, PagesAlive());
    EXPECT_TRUE(Children().empty());
}

TEST_F(VXUtilView, ALibraryDialogPageTitlesAndClosesItsFrame)
{
    auto* page = new CToolPage;
    ASSERT_EQ(page, Open("보정", page, 1));
    CVXDlgLayerFrame* frame = FrameOf(page);
    ASSERT_NE(nullptr, frame);
    page->SetCaption("보정 도구");
    CString title;
    frame->GetWindowText(title);
    EXPECT_STREQ("보정 도구", title);
    EXPECT_EQ(page, Open("다른", new CToolPage, 4)) << "found again by its class";
    EXPECT_EQ(page, Open("보정 도구", new CToolPage, 2)) << "and by its new title";
    ASSERT_EQ(1u, Children().size());
    page->CloseVXDialog();
    PumpUntilIdle();
    EXPECT_TRUE(Children().empty());
}
