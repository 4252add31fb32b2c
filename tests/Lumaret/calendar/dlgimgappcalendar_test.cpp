// The make-calendar dialog: a template chosen in its list composes the page on the worker, the
// fonts of a template come from its profile section or the row, the hand-over gives the page to
// a stand-in editor that then owns it, and closing or starting again while a composition runs
// never leaves a worker behind.
#include "../templates/TemplateFixture.h"

#include "calendar/CalendarEditorLink.h"
#include "calendar/DlgImgAppCalendar.h"
#include "calendar/DlgImgAppCalendarPages.h"
#include "calendar/ImgAppCalendarView.h"
#include "image/ImageObject.h"
#include "resource.h"
#include "support/DialogDriver.h"
#include "support/MessageBoxCapture.h"
#include "support/MessageLoop.h"

using mivo::test::ModalScript;
using mivo::test::PumpUntilIdle;
using templatetest::TemplateDatabase;

namespace {

// The editor's part of the hand-over: keeps the picture it was given, or refuses it.
class StandInEditor : public CCalendarEditorLink {
public:
    StandInEditor() { Install(this); }
    ~StandInEditor() override { Install(nullptr); }
    BOOL TakeCalendar(CImageObject* picture) override
    {
        if (!accept)
            return FALSE;
        taken.reset(picture);
        picture->SetParent(&progress);
        return TRUE;
    }
    bool accept = true;
    CWnd progress;
    std::unique_ptr<CImageObject> taken;
};

struct HostedDialog {
    ModalScript script;
    CWnd owner;
    std::unique_ptr<CDlgImgAppCalendar> dialog{new CDlgImgAppCalendar(nullptr)};

    explicit HostedDialog(const CString& picture)
    {
        owner.Attach(script.Owner());
        dialog->m_bFromFile = 1;
        dialog->m_strSrcPath = picture;
        dialog->Create(IDD_IMGAPP_CALENDAR, &owner);
        dialog->ShowWindow(SW_SHOW);
        Settle();
    }
    ~HostedDialog()
    {
        if (dialog->GetSafeHwnd())
            dialog->DestroyWindow();
        dialog.reset();
        owner.Detach();
        PumpUntilIdle();
    }
    void Settle()
    {
        dialog->WaitComposition();
        PumpUntilIdle();
    }
    void Click(UINT id)
    {
        dialog->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)::GetDlgItem(*dialog, id));
    }
    std::string Status(int part)
    {
        char text[128] = "";
        dialog->m_wndStatus.SendMessage(SB_GETTEXT, part, (LPARAM)text);
        return text;
    }
};

class MakeCalendar : public TemplateDatabase {
protected:
    mivotest::MessageBoxCapture boxes;
    mivotest::TempFolder run{"mivo-calendar-profile"};

    void SetUp() override
    {
        TemplateDatabase::SetUp();
        theApp.m_strRunDir = run.windowsPath().c_str();
        theApp.OpenDBProfile("Profile.test");
    }
    void TearDown() override { theApp.CloseDBProfile(); }

    // A template with a plain background of w x h and a picture box.
    void StoreTemplate(int key, int w, int h, int yearHeight = 40)
    {
        CString back = Picture("back" + std::to_string(key) + ".bmp", w, h, RGB(250, 250, 250));
        std::string hex;
        static const char digits[] = "0123456789ABCDEF";
        for (unsigned char b : templatetest::ReadAll(PosixPicture("back" + std::to_string(key) + ".bmp"))) {
            hex += digits[b >> 4];
            hex += digits[b & 15];
        }
        ASSERT_TRUE(db.exec("insert into CalendarForms (CalNo, CalName, CalDir, CalSize, YearX, YearY, YearHeight, "
                            "YearColor, MonthX, MonthY, MonthHeight, DaysAreaX, DaysAreaY, DaysAreaWidth, "
                            "DaysAreaHeight, DaysLineDraw, UserImgX, UserImgY, UserImgWidth, UserImgHeight, "
                            "DescHeight, FileType, CalBackImg) values (" +
                            std::to_string(key) + ", 'T" + std::to_string(key) + "', 'v', 'A4', 10, 10, " +
                            std::to_string(yearHeight) + ", 255, 200, 10, 30, 10, " + std::to_string(h / 2) + ", " +
                            std::to_string(w - 20) + ", " + std::to_string(h / 2 - 10) + ", 1, 10, 60, " +
                            std::to_string(w - 20) + ", " + std::to_string(h / 2 - 70) + ", 14, 'bmp', X'" + hex +
                            "')"));
    }
    std::vector<std::string> Shown() const
    {
        std::vector<std::string> texts;
        for (const auto& box : boxes.shown())
            texts.push_back(box.text);
        return texts;
    }
};

}  // namespace

TEST_F(MakeCalendar, WithoutATemplateTheHandOverOnlyAsksForOne)
{
    StandInEditor editor;
    HostedDialog host(Picture("me.bmp", 60, 40));
    EXPECT_EQ(nullptr, host.dialog->m_pCalImg);
    host.Click(IDC_CAL_OK_EDIT);
    EXPECT_EQ((std::vector<std::string>{"달력 포맷을 선택하세요."}), Shown());
    EXPECT_EQ(nullptr, editor.taken);
    // The year list holds this year and the eleven after it.
    EXPECT_EQ(12, host.dialog->m_cmbYear.GetCount());
    EXPECT_EQ(12, host.dialog->m_cmbMonth.GetCount());
}

TEST_F(MakeCalendar, AChosenTemplateComposesAndTheHandOverGivesThePageAway)
{
    StoreTemplate(3, 400, 300, 36);
    StandInEditor editor;
    HostedDialog host(Picture("me.bmp", 60, 40, RGB(0, 128, 255)));
    host.dialog->m_pTmplPage->ChooseRow(0);
    host.Settle();
    EXPECT_EQ(3, host.dialog->m_nCalNo);
    // No stored fonts: "돋움" and the row's heights.
    CDlgImgAppCalendarOption& page = *host.dialog->m_pOptionPage;
    EXPECT_STREQ("돋움", page.m_strYearFace);
    EXPECT_STREQ("돋움", page.m_strDayFace);
    EXPECT_EQ(36, page.m_nYearSize);
    EXPECT_EQ(30, page.m_nMonthSize);
    EXPECT_EQ(14, page.m_nDescSize);
    CImageObject* calendar = host.dialog->m_pCalImg;
    ASSERT_NE(nullptr, calendar);
    EXPECT_EQ(calendar, host.dialog->m_pView->m_pImgObj);
    EXPECT_EQ(400, calendar->GetWidth());
    // The user's picture sits in its box (fit: 380 x 80 box, centred).
    EXPECT_EQ(RGB(0, 128, 255), calendar->GetPixelColor(200, 100));
    EXPECT_NE(nullptr, host.dialog->m_overview.OverviewImage());

    // Zoom 2000 per mille shows in the status bar.
    host.dialog->m_pView->m_nZoomIndex = 12;
    host.dialog->m_pView->RebuildScrollSizes();
    host.dialog->m_pView->SetNavigationRect();
    EXPECT_EQ("화면 축소/확대 비율 = 200.0 %", host.Status(3));

    page.m_nYearSize = 50;  // not read until the next composition starts
    host.Click(IDC_CAL_OK_EDIT);
    PumpUntilIdle();
    EXPECT_EQ(calendar, editor.taken.get());
    EXPECT_EQ(&editor.progress, calendar->GetParent());
    EXPECT_EQ(nullptr, host.dialog->m_pCalImg);
    EXPECT_EQ(nullptr, host.dialog->m_pView->m_pImgObj);
    EXPECT_EQ(nullptr, host.dialog->m_overview.OverviewImage());
    for (const char* entry : {"YearFontName", "MonthFontName", "DayFontName", "DescFontName"})
        EXPECT_STREQ("돋움", theApp.LoadProfileString("MivoCal3", entry)) << entry;
    EXPECT_EQ(36, theApp.LoadProfileInt("MivoCal3", "YearFontSize"));
    EXPECT_EQ(30, theApp.LoadProfileInt("MivoCal3", "MonthMonthSize"));
    EXPECT_EQ(14, theApp.LoadProfileInt("MivoCal3", "DescFontSize"));
    EXPECT_TRUE(Shown().empty());
}

TEST_F(MakeCalendar, StoredFontsWinOverTheRowAndARefusedHandOverKeepsThePage)
{
    StoreTemplate(5, 200, 160);
    theApp.SaveProfileString("MivoCal5", "MonthFontName", "바탕");
    theApp.SaveProfileInt("MivoCal5", "YearFontSize", 22);
    StandInEditor editor;
    editor.accept = false;
    HostedDialog host(Picture("me.bmp", 30, 20));
    host.dialog->m_pTmplPage->ChooseRow(0);
    host.Settle();
    EXPECT_STREQ("바탕", host.dialog->m_pOptionPage->m_strMonthFace);
    EXPECT_STREQ("돋움", host.dialog->m_pOptionPage->m_strYearFace);
    EXPECT_EQ(22, host.dialog->m_pOptionPage->m_nYearSize);
    CImageObject* calendar = host.dialog->m_pCalImg;
    ASSERT_NE(nullptr, calendar);
    host.Click(IDC_CAL_OK_EDIT);
    EXPECT_EQ(calendar, host.dialog->m_pCalImg);
    EXPECT_TRUE(::IsWindow(*host.dialog));
}

TEST_F(MakeCalendar, StartsDuringACompositionAreDroppedAndClosingWaitsForIt)
{
    StoreTemplate(2, 1600, 1200);
    StandInEditor editor;
    CString big = Picture("big.bmp", 1200, 900);
    for (UINT close : {(UINT)IDCANCEL, (UINT)IDOK}) {
        SCOPED_TRACE(close);
        HostedDialog host(big);
        host.dialog->m_nCalNo = 2;
        host.dialog->m_strYear = "2030";
        host.dialog->StartCompose();
        ASSERT_EQ(1, g_bCalendarComposing);
        host.dialog->m_strYear = "2031";
        host.dialog->StartCompose();                     // dropped
        host.dialog->m_pTmplPage->ChooseRow(0);          // a template click meanwhile
        EXPECT_STREQ("2030", host.dialog->m_input.strYear);
        host.dialog->SendMessage(WM_COMMAND, close);
        EXPECT_EQ(0, g_bCalendarComposing);
        EXPECT_EQ(nullptr, host.dialog->m_pCalImg);
    }
}

TEST_F(MakeCalendar, TheFitButtonsLeaveAtMostOneModeOnAndThePagesSwitch)
{
    HostedDialog host(Picture("me.bmp", 30, 20));
    CDlgImgAppCalendarOption& page = *host.dialog->m_pOptionPage;
    host.Click(IDC_CAL_TAB_OPTION);
    EXPECT_TRUE(page.IsWindowVisible());
    EXPECT_FALSE(host.dialog->m_pTmplPage->IsWindowVisible());
    EXPECT_EQ(1, host.dialog->m_btnTabOption.GetCheck());
    EXPECT_EQ(0, host.dialog->m_btnTabTmpl.GetCheck());
    for (UINT id : {IDC_CAL_STRETCH, IDC_CAL_CROP, IDC_CAL_STRETCH}) {
        host.Settle();
        CButton* button = static_cast<CButton*>(page.GetDlgItem(id));
        page.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)button->GetSafeHwnd());
        // The button turns itself on as the click reaches it; the other mode goes off.
        EXPECT_EQ(BST_CHECKED, button->SendMessage(BM_GETCHECK));
        EXPECT_EQ(id == IDC_CAL_STRETCH, page.m_bStretch == 1);
        EXPECT_EQ(id == IDC_CAL_CROP, page.m_bCrop == 1);
    }
    host.Settle();
}

TEST_F(MakeCalendar, AResizedDialogKeepsThreePixelMarginsBesideAndAboveTheStatusBar)
{
    HostedDialog host(Picture("me.bmp", 30, 20));
    host.dialog->MoveWindow(10, 10, 900, 700);
    PumpUntilIdle();
    CRect client, view, status, nav;
    host.dialog->GetClientRect(&client);
    host.dialog->m_pView->GetWindowRect(&view);
    host.dialog->m_wndStatus.GetWindowRect(&status);
    host.dialog->GetDlgItem(IDC_CAL_NAVIGATOR)->GetWindowRect(&nav);
    host.dialog->ScreenToClient(&view);
    host.dialog->ScreenToClient(&status);
    host.dialog->ScreenToClient(&nav);
    EXPECT_EQ(client.right - 3, view.right);
    // The status bar keeps to the bottom edge itself; the view and navigator stop 3 px above it.
    EXPECT_EQ(client.bottom, status.bottom);
    EXPECT_EQ(status.top - 3, view.bottom);
    EXPECT_EQ(status.top - 3, nav.bottom);
}

TEST_F(MakeCalendar, TheNavigatorFrameStopsAtThePicturesEdgesAndTheViewFollows)
{
    StoreTemplate(1, 800, 600);
    HostedDialog host(Picture("me.bmp", 30, 20));
    host.dialog->m_pTmplPage->ChooseRow(0);
    host.Settle();
    CImgAppCalendarView& view = *host.dialog->m_pView;
    view.m_nZoomIndex = 12;  // 2000 per mille: the view shows a small part
    view.RebuildScrollSizes();
    view.SetNavigationRect();
    COverviewPanel& nav = host.dialog->m_overview;
    ASSERT_NE(nullptr, nav.OverviewImage());
    const CRect start = nav.Frame();
    ASSERT_GT(start.Width(), 1);
    const CPoint inside = start.CenterPoint();
    host.dialog->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(inside.x, inside.y));
    ASSERT_TRUE(nav.OnSetCursor());  // the hand: a drag may start
    host.dialog->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inside.x, inside.y));
    host.dialog->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(inside.x + 2000, inside.y + 2000));
    host.dialog->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(inside.x + 2000, inside.y + 2000));
    const CPoint at = nav.PicturePos();
    EXPECT_EQ(at.x + nav.OverviewImage()->GetWidth(), nav.Frame().right);
    EXPECT_EQ(at.y + nav.OverviewImage()->GetHeight(), nav.Frame().bottom);
    EXPECT_EQ(start.Size(), nav.Frame().Size());
    EXPECT_GT(view.GetScrollPosition().x, 0);
    EXPECT_GT(view.GetScrollPosition().y, 0);
    // The status bar's four parts.
    int parts[4] = {};
    ASSERT_EQ(4, (int)host.dialog->m_wndStatus.SendMessage(SB_GETPARTS, 4, (LPARAM)parts));
    EXPECT_EQ(300, parts[0]);
    EXPECT_EQ(400, parts[1]);
    EXPECT_EQ(500, parts[2]);
}
