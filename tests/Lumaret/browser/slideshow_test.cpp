// The slide show window: slides taken from a browser listing, wrapping navigation and its
// buttons, the position text, the menu's greying, automatic mode, the single-picture mode,
// loads that arrive while navigating fast, the strip's keys and clicks, and the settings
// dialog lending the music player back.
#include "BrowserFixture.h"

#include "browser/DlgImgSlideShow.h"
#include "browser/DlgImgSlideShowSet.h"
#include "browser/SlideImgListView.h"
#include "controls/VXMenu.h"
#include "image/ImageObject.h"
#include "resource.h"
#include "shell/DlgMediaPlayerBar.h"
#include "support/MessageLoop.h"

#include <memory>

using namespace browsertest;

namespace {

class SlideShow : public BrowserTest {
protected:
    // Opens a show over `count` pictures of the folder "show"; thumbnails on the even slides.
    CDlgImgSlideShow* OpenShow(int count, int start = 0)
    {
        CString folder = MakeFolder("show");
        CImageObject maker;
        std::unique_ptr<CImageObject> thumb(maker.MakeBlankImageObject(RGB(0, 90, 200), 40, 30));
        auto show = std::make_unique<CDlgImgSlideShow>();
        for (int i = 0; i < count; i++) {
            CString path;
            path.Format("%sp%02d.jpg", (LPCSTR)folder, i);
            WritePicture(path, 64 + i, 48, RGB(20 * i, 100, 50));
            show->AddSlide(path, path.Mid(path.ReverseFind('\\') + 1), (UINT)-1, (UINT)-1,
                           i % 2 == 0 ? thumb.get() : nullptr);
        }
        show->m_nSlide = start;
        EXPECT_TRUE(show->Open());
        hwnd = show->m_hWnd;
        return show.release();
    }
    // Until the current slide has been loaded and revealed.
    void Settle(CDlgImgSlideShow* show)
    {
        ASSERT_TRUE(mivo::test::PumpUntil([&] { return g_bSlideLoadDone.load() != 0; }));
        show->WaitForWorkers();
        mivo::test::PumpUntilIdle();
    }
    static bool Enabled(CDlgImgSlideShow* show, int id) { return show->GetDlgItem(id)->IsWindowEnabled() != 0; }
    static std::string Grey(CMenu* popup)
    {
        std::string out;
        for (UINT id : {ID_SLIDE_FIRST, ID_SLIDE_PREV, ID_SLIDE_NEXT, ID_SLIDE_LAST, ID_SLIDE_AUTO, ID_SLIDE_MUSIC,
                        ID_SLIDE_STOP, ID_SLIDE_CLOSE})
            out += (popup->GetMenuState(id, MF_BYCOMMAND) & MF_GRAYED) ? "x" : ".";
        return out;
    }
    void Close(CDlgImgSlideShow* show)
    {
        show->SendMessage(WM_COMMAND, IDCANCEL);
        mivo::test::PumpUntilIdle();
        EXPECT_FALSE(::IsWindow(hwnd));
    }

    HWND hwnd = nullptr;
};

}  // namespace

TEST_F(SlideShow, TheSlidesAreTheListedFilesWithCopiesOfTheirThumbnails)
{
    CString folder = MakeFolder("items");
    WritePicture(folder + "a.jpg", 30, 20);
    WritePicture(folder + "b.jpg", 30, 20);
    WritePicture(folder + "c.jpg", 30, 20);
    List(folder);
    ASSERT_EQ("<..>,a.jpg,b.jpg,c.jpg", Names());
    struct Case {
        int start;
        BOOL selectedOnly;
        std::string slides;
        int first;
    };
    const Case cases[] = {{-1, FALSE, "a.jpg,b.jpg,c.jpg", 0}, {2, FALSE, "a.jpg,b.jpg,c.jpg", 1},
                          {3, TRUE, "a.jpg,c.jpg", 1}, {0, FALSE, "a.jpg,b.jpg,c.jpg", 0}};
    browser->m_arrSelected[1] = 1;
    browser->m_arrSelected[3] = 1;
    for (const Case& c : cases) {
        CDlgImgSlideShow show;
        ASSERT_TRUE(show.TakeItems(&View(), c.start, c.selectedOnly));
        std::string slides;
        for (int i = 0; i < show.SlideCount(); i++)
            slides += (i ? "," : "") + std::string((LPCSTR)show.m_arrSlideTitle[i]);
        EXPECT_EQ(c.slides, slides) << c.start;
        EXPECT_EQ(c.first, show.m_nSlide) << c.start;
        for (int i = 0; i < show.SlideCount(); i++) {
            ASSERT_NE(nullptr, show.m_arrSlideThumb[i]) << "the loader had finished";
            EXPECT_NE(browser->m_arrThumb[i + 1], show.m_arrSlideThumb[i]) << "a copy, not the browser's";
        }
    }
    // A listing of folders only has nothing to show.
    List(MakeFolder("empty"));
    CDlgImgSlideShow none;
    EXPECT_FALSE(none.TakeItems(&View(), -1, FALSE));
}

TEST_F(SlideShow, NavigationWrapsAndTheButtonsFollowTheSlide)
{
    CDlgImgSlideShow* show = OpenShow(10);
    Settle(show);
    struct Case {
        int from;
        void (CDlgImgSlideShow::*step)();
        int to;
    };
    const Case cases[] = {
        {9, &CDlgImgSlideShow::NextSlide, 0}, {0, &CDlgImgSlideShow::PrevSlide, 9},
        {4, &CDlgImgSlideShow::NextSlide, 5}, {4, &CDlgImgSlideShow::PrevSlide, 3},
        {6, &CDlgImgSlideShow::FirstSlide, 0}, {2, &CDlgImgSlideShow::LastSlide, 9},
    };
    for (const Case& c : cases) {
        show->m_nSlide = c.from;
        (show->*c.step)();
        EXPECT_EQ(c.to, show->m_nSlide) << c.from;
        EXPECT_EQ(c.to, show->m_pStrip->m_nCurrent);
        EXPECT_EQ(c.to != 0, Enabled(show, IDC_SLIDE_FIRST)) << c.from;
        EXPECT_EQ(c.to != 9, Enabled(show, IDC_SLIDE_LAST)) << c.from;
        EXPECT_TRUE(Enabled(show, IDC_SLIDE_PREV)) << "stays enabled at the ends";
        EXPECT_TRUE(Enabled(show, IDC_SLIDE_NEXT));
        EXPECT_FALSE(Enabled(show, IDC_SLIDE_MANUAL));
        Settle(show);
    }
    show->m_nSlide = 1;
    show->NextSlide();
    CString pos;
    show->GetDlgItemText(IDC_SLIDE_POS, pos);
    EXPECT_STREQ(" 3 / 10 ", pos);
    CString title;
    show->GetDlgItemText(IDC_SLIDE_TITLE, title);
    EXPECT_STREQ("p02.jpg", title);
    Settle(show);
    ASSERT_NE(nullptr, show->m_pSlideImage);
    EXPECT_EQ(66, show->m_pSlideImage->GetWidth()) << "not enlarged";
    Close(show);
}

TEST_F(SlideShow, TheMenuGreysWhatCannotBeDoneNow)
{
    CDlgImgSlideShowSet::s_findPlayer = [] { return (CDlgMediaPlayerBar*)nullptr; };
    CDlgImgSlideShow* show = OpenShow(3);
    Settle(show);
    struct Case {
        int slide;
        int autoPlay;
        const char* grey;  // first, prev, next, last, auto, music, stop, close
    };
    const Case cases[] = {
        {0, 0, "xx...xx."},
        {1, 0, ".....xx."},
        {2, 0, "..xx.xx."},
        {1, 1, "xxxx.x.."},
    };
    for (const Case& c : cases) {
        show->m_nSlide = c.slide;
        show->m_bAutoPlay = c.autoPlay;
        CVXMenu menu;
        CMenu* popup = show->BuildContextMenu(menu);
        ASSERT_NE(nullptr, popup);
        EXPECT_EQ(c.grey, Grey(popup)) << c.slide << " auto " << c.autoPlay;
    }
    show->m_bAutoPlay = 0;
    show->ToggleMusic();  // no player: nothing happens
    CDlgImgSlideShowSet::s_findPlayer = nullptr;
    Close(show);
}

TEST_F(SlideShow, AutomaticModeStepsOnTheTimerAndEnterReturnsToManual)
{
    CDlgImgSlideShow* show = OpenShow(4);
    Settle(show);
    show->m_nInterval = 0;
    show->StartAutoPlay();
    EXPECT_EQ(1, show->m_nSlide);
    EXPECT_EQ(1, show->m_nInterval) << "at least a second between slides";
    EXPECT_FALSE(show->m_pStrip->IsWindowVisible());
    EXPECT_EQ(0, show->m_rcPicture.left);
    EXPECT_FALSE(Enabled(show, IDC_SLIDE_NEXT));
    EXPECT_TRUE(Enabled(show, IDC_SLIDE_MANUAL));
    show->SendMessage(WM_TIMER, CDlgImgSlideShow::kAutoTimer);
    EXPECT_EQ(2, show->m_nSlide);
    show->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-120), 0);
    EXPECT_EQ(2, show->m_nSlide) << "the wheel down does nothing in automatic mode";
    show->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(1, show->m_nSlide);
    show->SendMessage(WM_COMMAND, IDOK);
    EXPECT_EQ(0, show->m_bAutoPlay);
    EXPECT_EQ(2, show->m_nSlide);
    EXPECT_TRUE(show->m_pStrip->IsWindowVisible());
    EXPECT_GT(show->m_rcPicture.left, 0);
    Settle(show);
    Close(show);
}

TEST_F(SlideShow, FiftyFastStepsAndACloseDuringATransitionEndCleanly)
{
    CDlgImgSlideShow* show = OpenShow(6);
    for (int i = 0; i < 50; i++) {
        show->NextSlide();
        mivo::test::PumpUntilIdle();
    }
    EXPECT_EQ(50 % 6, show->m_nSlide);
    Settle(show);
    ASSERT_NE(nullptr, show->m_pSlideImage);
    EXPECT_EQ(64 + show->m_nSlide, show->m_pSlideImage->GetWidth()) << "the picture shown is the current slide's";
    // Start one more and close while it is being revealed.
    show->NextSlide();
    ASSERT_TRUE(mivo::test::PumpUntil([&] { return show->m_pSlideImage != nullptr; }));
    const int effect = show->m_nEffect;
    show->m_bStopTransition = 1;
    show->WaitForWorkers();
    EXPECT_EQ(effect, show->m_nEffect.load()) << "a stopped effect is not counted";
    show->NextSlide();
    Close(show);
}

TEST_F(SlideShow, ASinglePictureShowsAloneAndAnyStepCloses)
{
    CImageObject maker;
    std::unique_ptr<CImageObject> picture(maker.MakeBlankImageObject(RGB(250, 200, 0), 40, 30));
    auto owned = std::make_unique<CDlgImgSlideShow>();
    owned->AddSlide("C:\\x.jpg", "C:\\x.jpg", (UINT)-1, (UINT)-1, nullptr);
    owned->m_bSingle = 1;
    owned->m_pSourceImage = picture.get();
    ASSERT_TRUE(owned->Open());
    CDlgImgSlideShow* show = owned.release();
    hwnd = show->m_hWnd;
    EXPECT_EQ(nullptr, show->m_pStrip);
    EXPECT_EQ(nullptr, show->m_pSourceImage) << "read once while opening";
    ASSERT_NE(nullptr, show->m_pSlideImage);
    EXPECT_EQ(CSize(40, 30), CSize(show->m_pSlideImage->GetWidth(), show->m_pSlideImage->GetHeight()));
    for (int id : {IDC_SLIDE_FIRST, IDC_SLIDE_PREV, IDC_SLIDE_LAST, IDC_SLIDE_AUTO, IDC_SLIDE_MANUAL})
        EXPECT_FALSE(Enabled(show, id)) << id;
    EXPECT_TRUE(Enabled(show, IDC_SLIDE_NEXT));
    CString pos;
    show->GetDlgItemText(IDC_SLIDE_POS, pos);
    EXPECT_STREQ("", pos);
    show->WaitForWorkers();
    EXPECT_EQ(1, show->m_nEffect.load());
    show->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SLIDE_NEXT, BN_CLICKED));
    mivo::test::PumpUntilIdle();
    EXPECT_FALSE(::IsWindow(hwnd));
}

TEST_F(SlideShow, TheStripsKeysStayInsideTheListAndOnlyAPictureTakesARightClick)
{
    CDlgImgSlideShow* show = OpenShow(7, 3);
    Settle(show);
    CSlideImgListView* strip = show->m_pStrip;
    ASSERT_NE(nullptr, strip);
    EXPECT_EQ(3, strip->m_nCurrent);
    struct Case {
        UINT key;
        int to;
    };
    const Case cases[] = {{VK_END, 6},  {VK_RIGHT, 6}, {VK_HOME, 0}, {VK_LEFT, 0},
                          {VK_DOWN, 1}, {VK_PRIOR, 0}, {VK_END, 6},  {VK_LEFT, 5}, {VK_NEXT, 6}};
    for (const Case& c : cases) {
        EXPECT_TRUE(strip->MoveByKey(c.key));
        EXPECT_EQ(c.to, show->m_nSlide) << c.key;
        EXPECT_EQ(c.to, strip->m_nCurrent) << c.key;
        Settle(show);
    }
    EXPECT_FALSE(strip->MoveByKey('A'));
    // Slide 1 has no thumbnail: the right button leaves it; the left button picks it.
    EXPECT_TRUE(strip->PictureRect(1).IsRectEmpty());
    EXPECT_FALSE(strip->PictureRect(2).IsRectEmpty());
    strip->MoveByKey(VK_HOME);
    Settle(show);
    CPoint inCell1(-1, -1);
    for (int y = 0; y < 2000 && inCell1.y < 0; y += 4)
        if (strip->HitTest(CPoint(80, y)) == 1)
            inCell1 = CPoint(80, y + 8);
    ASSERT_EQ(1, strip->HitTest(inCell1));
    strip->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(inCell1.x, inCell1.y));
    EXPECT_EQ(0, show->m_nSlide);
    strip->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inCell1.x, inCell1.y));
    EXPECT_EQ(1, show->m_nSlide);
    Settle(show);
    CPoint onPicture2 = strip->PictureRect(2).CenterPoint();
    strip->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(onPicture2.x, onPicture2.y));
    EXPECT_EQ(2, show->m_nSlide);
    Settle(show);
    Close(show);
}

TEST_F(SlideShow, TheSettingsLendTheMusicPlayerAndGiveItBackAsItWas)
{
    for (BOOL visible : {TRUE, FALSE}) {
        CDlgMediaPlayerBar bar(&host);
        ASSERT_TRUE(bar.Create(IDD_MEDIAPLAYER_BAR, &host));
        bar.MoveWindow(10, 20, 200, 90);
        bar.ShowWindow(visible ? SW_SHOW : SW_HIDE);
        CDlgImgSlideShowSet::s_findPlayer = [&] { return &bar; };
        CDlgImgSlideShowSet dlg;
        ASSERT_TRUE(dlg.Create(IDD_SLIDE_SHOW_SET, nullptr));
        EXPECT_EQ(&dlg, bar.GetParent());
        EXPECT_TRUE(bar.IsWindowVisible() || !dlg.IsWindowVisible());
        EXPECT_EQ(5, dlg.m_nSeconds);
        HWND spin = dlg.GetDlgItem(IDC_SLIDESET_SPIN)->m_hWnd;
        for (int i = 0; i < 6; i++)
            dlg.SendMessage(WM_VSCROLL, SB_LINEDOWN, (LPARAM)spin);
        EXPECT_EQ(1, dlg.m_nSeconds) << "the interval stops at a second";
        dlg.DestroyWindow();
        CDlgImgSlideShowSet::s_findPlayer = nullptr;
        EXPECT_EQ(&host, bar.GetParent());
        CRect r;
        bar.GetWindowRect(&r);
        host.ScreenToClient(&r);
        EXPECT_EQ(CRect(10, 20, 210, 110), r);
        EXPECT_EQ(visible, (bar.GetStyle() & WS_VISIBLE) != 0);
        bar.DestroyWindow();
    }
}

// The program's loop: each message first offered to the windows from its target up.
void PumpLikeTheProgram()
{
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (CWnd::WalkPreTranslateTree(nullptr, &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

TEST_F(SlideShow, SpaceStepsAndEscapeClosesThroughTheMessageLoop)
{
    CDlgImgSlideShow* show = OpenShow(3);
    Settle(show);
    HWND focus = ::GetFocus();
    ASSERT_NE(nullptr, focus);
    ::PostMessage(focus, WM_KEYDOWN, VK_SPACE, 0);
    PumpLikeTheProgram();
    EXPECT_EQ(1, show->m_nSlide);
    Settle(show);
    ::PostMessage(::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
    PumpLikeTheProgram();
    mivo::test::PumpUntilIdle();
    EXPECT_FALSE(::IsWindow(hwnd));
}

TEST_F(SlideShow, ADoubleClickOnAFileStartsTheShowThereAndTheMenuNeedsASelection)
{
    CString folder = MakeFolder("open");
    WritePicture(folder + "a.jpg", 30, 20);
    WritePicture(folder + "b.jpg", 30, 20);
    List(folder);
    ASSERT_EQ("<..>,a.jpg,b.jpg", Names());
    {
        CVXMenu menu;
        CMenu* popup = View().BuildContextMenu(menu, -1);
        ASSERT_NE(nullptr, popup);
        EXPECT_TRUE(popup->GetMenuState(ID_BROWSER_SLIDESHOW, MF_BYCOMMAND) & MF_GRAYED);
    }
    browser->m_arrSelected[2] = 1;
    {
        CVXMenu menu;
        CMenu* popup = View().BuildContextMenu(menu, 2);
        EXPECT_FALSE(popup->GetMenuState(ID_BROWSER_SLIDESHOW, MF_BYCOMMAND) & MF_GRAYED);
    }
    View().m_nAnchor = 2;
    CPoint at = CellPoint(2);
    View().SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    CDlgImgSlideShow* show = nullptr;
    for (HWND h = ::GetWindow(::GetDesktopWindow(), GW_CHILD); h && !show; h = ::GetWindow(h, GW_HWNDNEXT))
        show = dynamic_cast<CDlgImgSlideShow*>(CWnd::FromHandlePermanent(h));
    ASSERT_NE(nullptr, show);
    hwnd = show->m_hWnd;
    EXPECT_EQ(2, show->SlideCount());
    EXPECT_EQ(1, show->m_nSlide);
    EXPECT_EQ(browser->m_nMode, show->m_nOwnerMode);
    Settle(show);
    Close(show);
}
