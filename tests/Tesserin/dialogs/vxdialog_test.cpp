// The base dialog: window position and bound members in the profile, top-level against hosted and
// embedded dialogs, closing a hosting frame, and the three ways of painting a background picture.
#include <gtest/gtest.h>

#include "DialogTestSupport.h"
#include "controls/VXDlgLayerFrame.h"
#include "dialogs/DlgFrameOwner.h"
#include "dialogs/VXDialog.h"
#include "image/ImageObject.h"
#include "support/GeometryPrinters.h"
#include "support/MessageLoop.h"

#include <vector>

using namespace mivo::test;
using dialogtest::ProfileApp;
using dialogtest::TestResources;

namespace {

const WORD kTopTemplate = 31101;
const WORD kPageTemplate = 31102;
const WORD kLabelId = 100;
const WORD kButtonId = 101;
const WORD kEditId = 102;
const char kSection[] = "TestDlg";

// A derived dialog as the programs write one: picture, base start, bindings, profile.
class CTestDialog : public CVXDialog {
public:
    explicit CTestDialog(UINT templateId, CWnd* parent = nullptr) : CVXDialog(templateId, parent)
    {
        m_strProfileName = kSection;
    }
    BOOL OnInitDialog() override
    {
        if (backId)
            SetBackImg(backId);
        CVXDialog::OnInitDialog();
        for (const Binding& b : bindings) {
            if (b.text)
                AddStringProfile(b.entry, b.text);
            else
                AddNumberProfile(b.entry, b.number);
        }
        LoadProfile();
        return TRUE;
    }
    void OnPostEraseBkgnd(CDC* dc) override
    {
        postDCs.push_back(dc->GetSafeHdc());
        postCorner.push_back(dc->GetPixel(0, 0));
    }

    void ForgetErases()
    {
        postDCs.clear();
        postCorner.clear();
    }

    struct Binding {
        const char* entry;
        CString* text;
        int* number;
    };
    UINT backId = 0;
    std::vector<Binding> bindings;
    std::vector<HDC> postDCs;
    std::vector<COLORREF> postCorner;
};

class VXDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DialogTemplateBuilder top(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX |
                                      WS_MINIMIZEBOX | DS_MODALFRAME,
                                  0, 0, 150, 100, u"base");
        top.Font(9, u"돋움")
            .Item(ItemClass::Static, u"label", kLabelId, 5, 5, 60, 10, WS_CHILD | WS_VISIBLE)
            .Item(ItemClass::Button, u"button", kButtonId, 5, 20, 60, 14, WS_CHILD | WS_VISIBLE)
            .Item(ItemClass::Edit, u"", kEditId, 5, 40, 60, 12, WS_CHILD | WS_VISIBLE | ES_READONLY);
        DialogTemplateBuilder page(WS_CHILD | DS_CONTROL, 0, 0, 100, 60, u"");
        page.Font(9, u"돋움").Item(ItemClass::Static, u"page", kLabelId, 5, 5, 60, 10, WS_CHILD | WS_VISIBLE);
        resources.AddDialog(kTopTemplate, top);
        resources.AddDialog(kPageTemplate, page);
        resources.AddBitmap(31201, 1, 1, [](int, int) { return RGB(10, 200, 30); });
        resources.AddBitmap(31202, 3, 2, [](int x, int y) { return RGB(40 * x + 20, 100 * y + 50, 7); });
        resources.AddBitmap(31203, 206, 156, [](int x, int y) { return RGB(x, y, 90); });
        resources.AddBitmap(31204, 2, 2, [](int x, int y) { return RGB(200 * x, 200 * y, 60); });
        resources.AddBitmap(31205, 20, 10, [](int, int) { return RGB(250, 0, 250); });
        resources.Register();

        owner = new CFrameWnd;
        ASSERT_TRUE(owner->Create(nullptr, "owner", WS_OVERLAPPEDWINDOW, CRect(100, 80, 740, 560)));
        owner->ShowWindow(SW_SHOW);
        PumpUntilIdle();
    }
    void TearDown() override
    {
        owner->DestroyWindow();  // frames delete themselves
        PumpUntilIdle();
        DiscardQuitRequest();
    }
    void Open(CTestDialog& dlg, UINT templateId = kTopTemplate)
    {
        ASSERT_TRUE(dlg.Create(templateId, owner));
        dlg.ShowWindow(SW_SHOW);
        PumpUntilIdle();
    }
    CRect Saved(int* state = nullptr)
    {
        CRect r;
        const int s = profile.app().RtrvWindowPos(kSection, &r);
        if (state)
            *state = s;
        return r;
    }

    ProfileApp profile;
    TestResources resources;
    CFrameWnd* owner = nullptr;
};

CRect WindowRect(CWnd& wnd)
{
    CRect r;
    wnd.GetWindowRect(&r);
    return r;
}

}  // namespace

TEST_F(VXDialogTest, NothingSavedCentresOnTheOwnerAndEmptiesBoundMembers)
{
    CTestDialog dlg(kTopTemplate);
    CString name = "from the constructor";
    int count = 7;
    dlg.bindings = {{"Name", &name, nullptr}, {"Count", nullptr, &count}};
    Open(dlg);
    const CPoint centre = WindowRect(dlg).CenterPoint();
    const CPoint ownerCentre = WindowRect(*owner).CenterPoint();
    EXPECT_LE(abs(centre.x - ownerCentre.x), 1);
    EXPECT_LE(abs(centre.y - ownerCentre.y), 1);
    EXPECT_FALSE(dlg.m_bChild);
    EXPECT_STREQ("", name) << "no saved value replaces the default";
    EXPECT_EQ(0, count);
    dlg.DestroyWindow();
}

TEST_F(VXDialogTest, SavedRectangleAndStateAreRestored)
{
    struct Case {
        const char* name;
        int state;
    } cases[] = {{"normal", 0}, {"maximized", 1}};
    for (const Case& c : cases) {
        CRect saved(50, 60, 350, 280);
        profile.app().SaveWindowPos(kSection, &saved, c.state);
        CTestDialog dlg(kTopTemplate);
        Open(dlg);
        EXPECT_EQ(c.state != 0, dlg.IsZoomed() != 0) << c.name;
        WINDOWPLACEMENT wp = {sizeof(wp)};
        dlg.GetWindowPlacement(&wp);
        EXPECT_EQ(saved, CRect(wp.rcNormalPosition)) << c.name << ": the restored rectangle";
        dlg.DestroyWindow();
    }
}

TEST_F(VXDialogTest, OkAndCancelStoreTheRestoredRectangleAndWhetherMaximizedOrMinimized)
{
    struct Case {
        const char* name;
        int show;
        UINT command;
        int state;
    } cases[] = {
        {"normal, OK", SW_SHOW, IDOK, 0},
        {"maximized, Cancel", SW_SHOWMAXIMIZED, IDCANCEL, 1},
        {"minimized, OK", SW_SHOWMINIMIZED, IDOK, 1},
    };
    const CRect placed(40, 30, 420, 330);
    for (const Case& c : cases) {
        CTestDialog dlg(kTopTemplate);
        Open(dlg);
        dlg.MoveWindow(placed);
        dlg.ShowWindow(c.show);
        PumpUntilIdle();
        dlg.SendMessage(WM_COMMAND, c.command);
        int state = -1;
        EXPECT_EQ(placed, Saved(&state)) << c.name;
        EXPECT_EQ(c.state, state) << c.name;
        dlg.DestroyWindow();

        CTestDialog again(kTopTemplate);
        Open(again);
        EXPECT_EQ(c.state != 0, again.IsZoomed() != 0) << c.name << ": a minimized one reopens maximized";
        again.DestroyWindow();
    }
}

TEST_F(VXDialogTest, WithoutPositionSavingOnlyTheMembersAreStored)
{
    CTestDialog dlg(kTopTemplate);
    dlg.m_bSavePosition = 0;
    CString name;
    int count = 0;
    dlg.bindings = {{"Name", &name, nullptr}, {"Count", nullptr, &count}};
    Open(dlg);
    name = "사진 폴더";
    count = 42;
    dlg.SendMessage(WM_COMMAND, IDOK);
    dlg.DestroyWindow();
    EXPECT_EQ(CRect(-1, -1, -1, -1), Saved()) << "no position written";
    EXPECT_STREQ("사진 폴더", profile.app().LoadProfileString(kSection, "Name"));
    EXPECT_EQ(42, profile.app().LoadProfileInt(kSection, "Count"));
}

TEST_F(VXDialogTest, BindingsOfOneEntryReadTheSameValueAndTheLaterOneIsStoredLast)
{
    profile.app().SaveProfileInt(kSection, "Size", 5);
    profile.app().SaveProfileString(kSection, "Face", "굴림");
    CTestDialog dlg(kTopTemplate);
    int first = -1, second = -1;
    CString face;
    dlg.bindings = {{"Size", nullptr, &first}, {"Face", &face, nullptr}, {"Size", nullptr, &second}};
    Open(dlg);
    EXPECT_EQ(5, first);
    EXPECT_EQ(5, second);
    EXPECT_STREQ("굴림", face);
    first = 1;
    second = 2;
    dlg.DestroyWindow();
    EXPECT_EQ(2, profile.app().LoadProfileInt(kSection, "Size"));
}

TEST_F(VXDialogTest, EmbeddedAndChildDialogsIgnoreEnterAndEscape)
{
    struct Case {
        const char* name;
        UINT templateId;
        BOOL embedded;
    } cases[] = {{"child page", kPageTemplate, FALSE}, {"embedded", kTopTemplate, TRUE}};
    CRect saved(10, 10, 300, 200);
    for (const Case& c : cases) {
        profile.app().SaveWindowPos(kSection, &saved, 0);
        profile.app().SaveProfileInt(kSection, "Count", 9);
        CTestDialog dlg(c.templateId);
        dlg.m_bEmbedded = c.embedded;
        int count = 3;
        dlg.bindings = {{"Count", nullptr, &count}};
        Open(dlg, c.templateId);
        EXPECT_TRUE(dlg.m_bChild) << c.name;
        for (UINT command : {IDOK, IDCANCEL}) {
            dlg.SendMessage(WM_COMMAND, command);
            PumpUntilIdle();
            EXPECT_TRUE(::IsWindow(dlg.m_hWnd) && dlg.IsWindowVisible()) << c.name << " " << command;
        }
        EXPECT_EQ(saved, Saved()) << c.name << ": nothing stored";
        if (c.embedded) {
            EXPECT_EQ(3, count) << "an embedded dialog restores nothing";
            EXPECT_NE(CRect(10, 10, 300, 200), WindowRect(dlg));
            count = 4;
            dlg.DestroyWindow();
            EXPECT_EQ(9, profile.app().LoadProfileInt(kSection, "Count")) << "and saves nothing";
        } else {
            EXPECT_EQ(9, count) << "a child page restores its members";
            dlg.DestroyWindow();
        }
    }
}

TEST_F(VXDialogTest, ChildDialogsAreShownInPairsAndDestroyedWithTheirOwner)
{
    CTestDialog dlg(kTopTemplate);
    Open(dlg);
    std::vector<HWND> pages;
    for (int i = 0; i < 3; ++i) {
        CTestDialog* page = new CTestDialog(kPageTemplate);
        ASSERT_TRUE(page->Create(kPageTemplate, &dlg));
        dlg.AddChildDialog(page);
        pages.push_back(page->m_hWnd);
    }
    struct Case {
        int a, b;
        bool shown[3];
    } cases[] = {{0, 2, {true, false, true}}, {1, 1, {false, true, false}}, {-1, 5, {false, false, false}}};
    for (const Case& c : cases) {
        dlg.ShowChildWnds(c.a, c.b);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(c.shown[i], ::IsWindowVisible(pages[i]) != 0) << c.a << "," << c.b << " page " << i;
    }
    dlg.DestroyWindow();
    for (HWND page : pages)
        EXPECT_FALSE(::IsWindow(page));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(nullptr, dlg.m_arrChildDlgs[i]);
}

TEST_F(VXDialogTest, TopLevelCaptionIsTheWindowTextAndCloseEndsThroughCancel)
{
    CTestDialog dlg(kTopTemplate);
    Open(dlg);
    dlg.SetCaption("보정");
    CString text;
    dlg.GetWindowText(text);
    EXPECT_STREQ("보정", text);
    dlg.MoveWindow(CRect(20, 20, 320, 220));
    dlg.CloseVXDialog();
    EXPECT_EQ(CRect(20, 20, 320, 220), Saved()) << "the position is stored on the way";
    dlg.DestroyWindow();
}

// Painting: the picture laid into a memory device of the client's size.
namespace {

class BackgroundTest : public VXDialogTest {
protected:
    // Sizes the dialog so that its client area is exactly w x h.
    void OpenSized(CTestDialog& dlg, int w, int h)
    {
        Open(dlg);
        CRect window = WindowRect(dlg), client;
        dlg.GetClientRect(&client);
        dlg.SetWindowPos(nullptr, 0, 0, w + window.Width() - client.Width(), h + window.Height() - client.Height(),
                         SWP_NOMOVE | SWP_NOZORDER);
        dlg.GetClientRect(&client);
        ASSERT_EQ(CSize(w, h), client.Size());
    }
    // Erases into a fresh memory bitmap whose background colour is set as a window DC's would be.
    void Erase(CTestDialog& dlg, int w, int h)
    {
        memory.CreateCompatibleDC(nullptr);
        bitmap.CreateBitmap(w, h, 1, 32, nullptr);
        memory.SelectObject(&bitmap);
        memory.FillSolidRect(0, 0, w, h, RGB(0, 0, 0));
        memory.SetBkColor(kBack);
        EXPECT_TRUE(dlg.SendMessage(WM_ERASEBKGND, (WPARAM)memory.GetSafeHdc()));
    }
    static const COLORREF kBack = RGB(1, 2, 3);
    CDC memory;
    CBitmap bitmap;
};

}  // namespace

TEST_F(BackgroundTest, ModesLayThePictureOverTheClientArea)
{
    struct Probe {
        int x, y;
        COLORREF colour;
    };
    struct Case {
        const char* name;
        UINT bitmap;
        int mode;
        std::vector<Probe> probes;
    } cases[] = {
        {"1 x 1 tile covers everything", 31201, 1,
         {{0, 0, RGB(10, 200, 30)}, {200, 0, RGB(10, 200, 30)}, {0, 150, RGB(10, 200, 30)},
          {200, 150, RGB(10, 200, 30)}, {97, 61, RGB(10, 200, 30)}}},
        {"3 x 2 tiles repeat from the corner", 31202, 0,
         {{0, 0, RGB(20, 50, 7)}, {4, 1, RGB(60, 150, 7)}, {200, 150, RGB(100, 50, 7)}, {199, 149, RGB(60, 150, 7)}}},
        {"larger picture centred toward zero", 31203, 2,
         {{0, 0, RGB(2, 2, 90)}, {200, 150, RGB(202, 152, 90)}, {100, 75, RGB(102, 77, 90)}}},
        {"2 x 2 stretched to the client", 31204, 3,
         {{5, 5, RGB(0, 0, 60)}, {195, 5, RGB(200, 0, 60)}, {5, 145, RGB(0, 200, 60)}, {195, 145, RGB(200, 200, 60)}}},
        {"small picture centred on the device's background colour", 31205, 2,
         {{0, 0, kBack}, {200, 150, kBack}, {90, 70, RGB(250, 0, 250)}, {109, 79, RGB(250, 0, 250)},
          {89, 70, kBack}, {110, 79, kBack}}},
    };
    for (const Case& c : cases) {
        CTestDialog dlg(kTopTemplate);
        dlg.backId = c.bitmap;
        dlg.m_nBackMode = c.mode;
        OpenSized(dlg, 201, 151);
        ASSERT_NE(nullptr, dlg.m_pBackImg) << c.name;
        dlg.ForgetErases();
        Erase(dlg, 201, 151);
        for (const Probe& p : c.probes)
            EXPECT_EQ(p.colour, memory.GetPixel(p.x, p.y)) << c.name << " at " << p.x << "," << p.y;
        ASSERT_EQ(1u, dlg.postDCs.size()) << c.name;
        EXPECT_NE(memory.GetSafeHdc(), dlg.postDCs[0]) << c.name << ": the hook gets the memory device";
        EXPECT_EQ(memory.GetPixel(0, 0), dlg.postCorner[0]) << c.name << ": which holds the background";
        dlg.DestroyWindow();
        EXPECT_EQ(nullptr, dlg.m_pBackImg);
        memory.DeleteDC();
        bitmap.DeleteObject();
    }
}

TEST_F(BackgroundTest, WithoutPictureTheHookRunsBeforeTheDefaultErase)
{
    CTestDialog dlg(kTopTemplate);
    dlg.backId = 31999;  // no such bitmap: no picture, SetBackImg still succeeds
    OpenSized(dlg, 120, 80);
    EXPECT_EQ(nullptr, dlg.m_pBackImg);
    EXPECT_EQ(1, dlg.SetBackImg(31999));
    dlg.ForgetErases();
    Erase(dlg, 120, 80);
    ASSERT_EQ(1u, dlg.postDCs.size());
    EXPECT_EQ(memory.GetSafeHdc(), dlg.postDCs[0]);
    EXPECT_EQ(RGB(0, 0, 0), dlg.postCorner[0]) << "called before the default erase painted";
    dlg.DestroyWindow();
}

TEST_F(BackgroundTest, PictureWithoutPixelsCountsAsNone)
{
    CTestDialog dlg(kTopTemplate);
    OpenSized(dlg, 120, 80);
    dlg.m_pBackImg = new CImageObject;  // nothing loaded: width and height 0
    dlg.ForgetErases();
    Erase(dlg, 120, 80);
    ASSERT_EQ(1u, dlg.postDCs.size());
    EXPECT_EQ(memory.GetSafeHdc(), dlg.postDCs[0]) << "painted as a dialog without a picture";
    dlg.DestroyWindow();
}

TEST_F(BackgroundTest, ButtonsAndLabelsGoTransparentOverAPictureButNotEditsOrTrackBars)
{
    CTestDialog dlg(kTopTemplate);
    dlg.backId = 31201;
    Open(dlg);
    ASSERT_NE(nullptr, dlg.m_brHollow.GetSafeHandle());
    CWnd* track = new CWnd;
    ASSERT_TRUE(track->Create("msctls_trackbar32", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 20), &dlg, 103));
    struct Case {
        const char* name;
        HWND control;
        UINT message;
        bool hollow;
    } cases[] = {
        {"button", dlg.GetDlgItem(kButtonId)->m_hWnd, WM_CTLCOLORBTN, true},
        {"label", dlg.GetDlgItem(kLabelId)->m_hWnd, WM_CTLCOLORSTATIC, true},
        {"read-only edit", dlg.GetDlgItem(kEditId)->m_hWnd, WM_CTLCOLORSTATIC, false},
        {"track bar", track->m_hWnd, WM_CTLCOLORSTATIC, false},
        {"edit field", dlg.GetDlgItem(kEditId)->m_hWnd, WM_CTLCOLOREDIT, false},
    };
    for (const Case& c : cases) {
        HDC dc = ::GetDC(c.control);
        ::SetBkMode(dc, OPAQUE);
        HBRUSH brush = (HBRUSH)dlg.SendMessage(c.message, (WPARAM)dc, (LPARAM)c.control);
        EXPECT_EQ(c.hollow, brush == (HBRUSH)::GetStockObject(HOLLOW_BRUSH)) << c.name;
        EXPECT_EQ(c.hollow ? TRANSPARENT : OPAQUE, ::GetBkMode(dc)) << c.name;
        ::ReleaseDC(c.control, dc);
    }
    track->DestroyWindow();
    delete track;
    dlg.DestroyWindow();
}

// A page hosted in a page frame: caption through the frame, closing closes the frame.
namespace {

class CHostMain : public CMDIFrameWnd {
    DECLARE_DYNCREATE(CHostMain)
};
IMPLEMENT_DYNCREATE(CHostMain, CMDIFrameWnd)

}  // namespace

TEST_F(VXDialogTest, HostedPageSetsTheFrameTitleAndClosesItsFrame)
{
    CWinApp* app = AfxGetApp();
    CHostMain* main = new CHostMain;
    ASSERT_TRUE(main->LoadFrame(7300));
    app->m_pMainWnd = main;
    main->ShowWindow(SW_SHOW);
    CVXDlgLayerFrame* frame = new CVXDlgLayerFrame;
    ASSERT_TRUE(frame->LoadFrame(7301, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, main));
    frame->ShowWindow(SW_SHOW);
    CTestDialog* page = new CTestDialog(kPageTemplate);
    ASSERT_EQ(1, frame->InsertDialogToLayer(page, kPageTemplate, "page", 0, 0));
    PumpUntilIdle();
    ASSERT_TRUE(page->m_bChild);

    page->SetCaption("인화 주문");
    frame->OnUpdateFrameTitle(TRUE);
    CString title;
    frame->GetWindowText(title);
    EXPECT_STREQ("인화 주문", title);

    page->SendMessage(WM_COMMAND, IDCANCEL);
    EXPECT_TRUE(::IsWindow(frame->m_hWnd)) << "Escape does not close the page";
    HWND frameHwnd = frame->m_hWnd;
    page->CloseVXDialog();
    PumpUntilIdle();
    EXPECT_FALSE(::IsWindow(frameHwnd));
    EXPECT_TRUE(::IsWindow(main->m_hWnd));
    main->DestroyWindow();
    app->m_pMainWnd = nullptr;
    PumpUntilIdle();
}

TEST(DlgFrameOwnerTest, PlainDialogOnItsOwnTemplate)
{
    EXPECT_TRUE(RUNTIME_CLASS(CDlgFrameOwner)->IsDerivedFrom(RUNTIME_CLASS(CDialog)));
    EXPECT_STREQ("CDlgFrameOwner", RUNTIME_CLASS(CDlgFrameOwner)->m_lpszClassName);
    CDlgFrameOwner dlg;
    ASSERT_TRUE(dlg.Create(11004));
    CString title, ok, cancel;
    dlg.GetWindowText(title);
    dlg.GetDlgItemText(IDOK, ok);
    dlg.GetDlgItemText(IDCANCEL, cancel);
    EXPECT_STREQ("Dialog", title);
    EXPECT_STREQ("확인", ok);
    EXPECT_STREQ("취소", cancel);
    dlg.DestroyWindow();
}
