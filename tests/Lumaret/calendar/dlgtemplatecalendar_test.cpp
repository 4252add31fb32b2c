// The calendar template editor driven as a user drives it: a background chosen in the file
// dialog, saves of new and stored templates, list clicks after a refresh reordered the list,
// removal, the month preview with its picture box, and the zoom text.
#include "../templates/TemplateFixture.h"

#include "calendar/DlgTemplateCalendar.h"
#include "calendar/DlgTemplateCalendarPages.h"
#include "calendar/TmplCalendarView.h"
#include "image/ImageObject.h"
#include "resource.h"
#include "support/DialogDriver.h"
#include "support/InputSynth.h"
#include "support/MessageBoxCapture.h"
#include "support/MessageLoop.h"

using mivo::test::ModalScript;
using mivo::test::PumpUntilIdle;
using templatetest::TemplateDatabase;

namespace {

struct HostedEditor {
    ModalScript script;
    CWnd owner;
    CDlgTemplateCalendar editor{nullptr};

    HostedEditor()
    {
        owner.Attach(script.Owner());
        ::MoveWindow(script.Owner(), 20, 20, 1000, 640, TRUE);
        editor.m_nPreviewYear = 2026;
        editor.m_nPreviewMonth = 8;
        editor.Create(IDD_TEMPLATE_CALENDAR, &owner);
        CRect client;
        owner.GetClientRect(&client);
        editor.MoveWindow(0, 0, client.Width(), client.Height());
        editor.ShowWindow(SW_SHOW);
        PumpUntilIdle();
    }
    ~HostedEditor()
    {
        editor.DestroyWindow();
        owner.Detach();
        PumpUntilIdle();
    }
    void Command(UINT id)
    {
        CWnd& bar = *editor.m_pCommands;
        bar.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)::GetDlgItem(bar, id));
        PumpUntilIdle();
    }
    void Type(CWnd& page, UINT id, const char* text) { ::SetDlgItemText(page, id, text); }
    void ChooseBackground(const CString& path)
    {
        std::string typed = (LPCSTR)path;
        script.Then([typed](HWND dialog) {
            ::SetDlgItemText(dialog, 0x480, typed.c_str());
            ::SendMessage(dialog, WM_COMMAND, IDOK, 0);
        });
        CWnd& basic = *editor.m_pBasic;
        basic.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CAL_BACK_FILE, BN_CLICKED),
                          (LPARAM)::GetDlgItem(basic, IDC_CAL_BACK_FILE));
        PumpUntilIdle();
    }
    std::vector<std::string> Names()
    {
        std::vector<std::string> names;
        for (int row = 0; row < editor.m_wndGrid.GetItemCount(); ++row)
            names.push_back((LPCSTR)editor.m_wndGrid.GetItemText(row, 0));
        return names;
    }
};

class CalendarEditor : public TemplateDatabase {
protected:
    mivotest::MessageBoxCapture boxes;
    char saved[MAX_PATH] = "";

    void SetUp() override
    {
        TemplateDatabase::SetUp();
        ::GetCurrentDirectory(sizeof(saved), saved);
        theApp.m_szTemplateDir[0] = '\0';
    }
    void TearDown() override { ::SetCurrentDirectory(saved); }

    std::vector<std::string> Shown() const
    {
        std::vector<std::string> texts;
        for (const auto& box : boxes.shown())
            texts.push_back(box.text);
        return texts;
    }
};

}  // namespace

TEST_F(CalendarEditor, TwoSavesOfANewTemplateStoreTwoRowsAndTheBackground)
{
    CString back = Picture("back.bmp", 300, 200, RGB(250, 250, 250));
    HostedEditor host;
    EXPECT_EQ(-1, host.editor.m_nCalNo);
    host.ChooseBackground(back);
    EXPECT_EQ(1, host.editor.m_pBasic->m_bNewPicture);
    EXPECT_STREQ("bmp", host.editor.m_pBasic->m_strFileType);
    host.Type(*host.editor.m_pBasic, IDC_CAL_NAME, "Tom's");
    host.Type(*host.editor.m_pBasic, IDC_CAL_YEAR_X, "12");
    host.Command(IDC_CAL_SAVE);
    host.Command(IDC_CAL_SAVE);
    EXPECT_EQ((std::vector<std::string>{"저장완료", "저장완료"}), Shown());
    EXPECT_EQ(u8"1:Tom\x1Es:12:bmp ; 2:Tom\x1Es:12:bmp",
              Rows("CalNo||':'||CalName||':'||YearX||':'||FileType", "CalendarForms", "CalNo"));
    EXPECT_EQ(std::to_string(templatetest::ReadAll(PosixPicture("back.bmp")).size()),
              db.scalar("select length(CalBackImg) from CalendarForms where CalNo = 2"));
    // Newest first; the form is still a new template.
    EXPECT_EQ(2, (int)host.editor.m_wndGrid.GetItemData(0));
    EXPECT_EQ(-1, host.editor.m_nCalNo);
}

TEST_F(CalendarEditor, ASaveAfterARefreshChangesTheRowOfItsKeyAndRemovalAsksNothing)
{
    ASSERT_TRUE(db.exec("insert into CalendarForms (CalNo, CalName) values (1, 'a'), (2, 'b')"));
    HostedEditor host;
    host.Command(IDC_CAL_DELETE);  // the new state: nothing happens
    EXPECT_TRUE(Shown().empty());
    host.Type(*host.editor.m_pBasic, IDC_CAL_NAME, "c");
    host.Command(IDC_CAL_SAVE);
    ASSERT_EQ((std::vector<std::string>{"c", "a", "b"}), host.Names());
    host.editor.OpenTemplate(2);
    ASSERT_EQ(2, host.editor.m_nCalNo);
    host.Command(IDC_CAL_REFRESH);
    ASSERT_EQ((std::vector<std::string>{"a", "b", "c"}), host.Names());
    EXPECT_EQ(2, host.editor.m_nCalNo);
    host.Type(*host.editor.m_pBasic, IDC_CAL_NAME, "b2");
    host.Command(IDC_CAL_SAVE);
    EXPECT_EQ((std::vector<std::string>{"a", "b2", "c"}), host.Names());
    host.Command(IDC_CAL_DELETE);
    EXPECT_EQ((std::vector<std::string>{"a", "c"}), host.Names());
    EXPECT_EQ("1:a ; 3:c", Rows("CalNo||':'||CalName", "CalendarForms", "CalNo"));
    EXPECT_EQ((std::vector<std::string>{"저장완료", "저장완료", "삭제완료"}), Shown());
    EXPECT_EQ(-1, host.editor.m_nCalNo);
}

TEST_F(CalendarEditor, ThePreviewDrawsTheMonthAndThePictureBoxOnTheBackground)
{
    CString back = Picture("back.bmp", 400, 300, RGB(250, 250, 250));
    HostedEditor host;
    host.ChooseBackground(back);
    struct Field {
        UINT id;
        const char* value;
        bool basic;
    } fields[] = {{IDC_CAL_DAYS_X, "20", true},     {IDC_CAL_DAYS_Y, "60", true},  {IDC_CAL_DAYS_WIDTH, "350", true},
                  {IDC_CAL_DAYS_HEIGHT, "210", true}, {IDC_CAL_USER_X, "10", false}, {IDC_CAL_USER_Y, "10", false},
                  {IDC_CAL_USER_WIDTH, "40", false},  {IDC_CAL_USER_HEIGHT, "30", false}};
    for (const Field& f : fields)
        host.Type(f.basic ? static_cast<CWnd&>(*host.editor.m_pBasic) : *host.editor.m_pUserImg, f.id, f.value);
    host.Command(IDC_CAL_PREVIEW);
    CImageObject* preview = host.editor.m_pPreviewImage.get();
    ASSERT_NE(nullptr, preview);
    EXPECT_EQ(preview, host.editor.m_pView->m_pImgObj);
    EXPECT_EQ(RGB(0xC8, 0xC8, 0xDC), preview->GetPixelColor(30, 25));   // 0xDCC8C8 as COLORREF
    EXPECT_EQ(RGB(250, 250, 250), preview->GetPixelColor(60, 50));
    // August 2026: cell 6 (1 August, Saturday) holds a blue digit.
    bool blue = false;
    for (int y = 60; y < 95; ++y)
        for (int x = 20 + 6 * 50; x < 20 + 7 * 50; ++x) {
            COLORREF c = preview->GetPixelColor(x, y);
            blue = blue || (GetBValue(c) > 150 && GetRValue(c) < 100);
        }
    EXPECT_TRUE(blue);
    EXPECT_EQ(6, host.editor.m_layout.m_nFirstDay);
    // The navigator holds the reduced preview and the zoom text the view's ratio.
    EXPECT_NE(nullptr, host.editor.m_overview.OverviewImage());
    host.editor.m_pView->m_nZoomIndex = 12;  // 2000 per mille
    host.editor.m_pView->RebuildScrollSizes();
    host.editor.m_pView->SetNavigationRect();
    char text[64] = "";
    ::GetDlgItemText(host.editor, IDC_CAL_ZOOM_TEXT, text, sizeof(text));
    EXPECT_STREQ("화면 비율 = 200.0 %", text);
}

TEST_F(CalendarEditor, ABrokenStoredRowOpensWithoutABackground)
{
    ASSERT_TRUE(db.exec("insert into CalendarForms (CalNo, CalName, DaysLineDraw, FileType, CalBackImg) values "
                        "(4, 'x', 7, '../../x', X'00010203')"));
    HostedEditor host;
    host.editor.OpenTemplate(0);
    EXPECT_EQ(4, host.editor.m_nCalNo);
    EXPECT_TRUE(host.editor.m_pBasic->m_strPath.IsEmpty());
    EXPECT_EQ(nullptr, host.editor.m_pBackImage.get());
    EXPECT_EQ(1, host.editor.m_form[CAL_DAYS_LINE_DRAW]);
    EXPECT_TRUE(Shown().empty());
}
