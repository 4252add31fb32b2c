// Tab controls and month calendars: selections by click and key, their
// notifications in order, and the silent programmatic changes.
#include "ControlFixture.h"

#include "support/InputSynth.h"
#include "support/WindowCapture.h"

#include <algorithm>
#include <climits>

using namespace mivo::test;
using controls_test::ControlFixture;

namespace {

class NotifyFixture : public ControlFixture {
protected:
    void SetUp() override
    {
        ControlFixture::SetUp();
        recorder.OnMessage(WM_NOTIFY, [this](HWND, UINT, WPARAM, LPARAM l, LRESULT* r) {
            auto* hdr = (NMHDR*)l;
            codes.push_back(hdr->code);
            if (hdr->code == MCN_SELCHANGE || hdr->code == MCN_SELECT)
                dates.push_back(((NMSELCHANGE*)l)->stSelStart);
            if (hdr->code == TCN_SELCHANGING)
                selWhileChanging = (int)SendMessage(hdr->hwndFrom, TCM_GETCURSEL, 0, 0);
            *r = hdr->code == TCN_SELCHANGING ? refuseChange : 0;
            return true;
        });
    }
    std::vector<UINT> codes;
    std::vector<SYSTEMTIME> dates;
    int selWhileChanging = -2;
    LRESULT refuseChange = FALSE;
};

// An image list of one solid 12 x 10 picture in `colour`.
HIMAGELIST SolidImageList(COLORREF colour)
{
    HIMAGELIST list = ImageList_Create(12, 10, ILC_COLOR32, 1, 1);
    HDC screen = GetDC(nullptr);
    HBITMAP picture = CreateCompatibleBitmap(screen, 12, 10);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, picture);
    RECT all = {0, 0, 12, 10};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(mem, &all, brush);
    DeleteObject(brush);
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    ImageList_Add(list, picture, nullptr);
    DeleteObject(picture);
    return list;
}

// The bounds of the pixels of one colour, with their count.
struct Spot {
    int count = 0;
    RECT bounds = {INT_MAX, INT_MAX, INT_MIN, INT_MIN};
};

Spot FindColour(const WindowImage& image, COLORREF colour)
{
    Spot spot;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (image.At(x, y) == colour) {
                ++spot.count;
                spot.bounds.left = std::min<LONG>(spot.bounds.left, x);
                spot.bounds.top = std::min<LONG>(spot.bounds.top, y);
                spot.bounds.right = std::max<LONG>(spot.bounds.right, x + 1);
                spot.bounds.bottom = std::max<LONG>(spot.bounds.bottom, y + 1);
            }
    return spot;
}

SYSTEMTIME Date(int y, int m, int d)
{
    SYSTEMTIME st = {};
    st.wYear = (WORD)y;
    st.wMonth = (WORD)m;
    st.wDay = (WORD)d;
    return st;
}

std::string Text(const SYSTEMTIME& st)
{
    return std::to_string(st.wYear) + "-" + std::to_string(st.wMonth) + "-" + std::to_string(st.wDay);
}

// A client point of the calendar that hits `date`, found through MCM_HITTEST.
POINT PointOfDate(HWND cal, const SYSTEMTIME& date)
{
    RECT rc;
    GetClientRect(cal, &rc);
    for (int y = 0; y < rc.bottom; y += 2)
        for (int x = 0; x < rc.right; x += 2) {
            MCHITTESTINFO info = {sizeof(info)};
            info.pt = POINT{x, y};
            UINT hit = (UINT)SendMessage(cal, MCM_HITTEST, 0, (LPARAM)&info);
            if ((hit & MCHT_CALENDARDATE) == MCHT_CALENDARDATE && Text(info.st) == Text(date))
                return POINT{x + 3, y + 3};
        }
    return POINT{-1, -1};
}

}  // namespace

using TabTest = NotifyFixture;
using MonthCalTest = NotifyFixture;

TEST_F(TabTest, ClicksAskThenSelectAndSetCurSelIsSilent)
{
    HWND tab = Child(WC_TABCONTROL, "", 0, 10, 10, 300, 150, 1011);
    const char* names[] = {"밝기", "빨강", "초록", "파랑"};
    for (int i = 0; i < 4; ++i) {
        TCITEM item = {TCIF_TEXT | TCIF_PARAM};
        item.pszText = (LPSTR)names[i];
        item.lParam = 100 + i;
        EXPECT_EQ(SendMessage(tab, TCM_INSERTITEM, i, (LPARAM)&item), i);
    }
    EXPECT_EQ(SendMessage(tab, TCM_GETITEMCOUNT, 0, 0), 4);
    EXPECT_EQ(SendMessage(tab, TCM_GETCURSEL, 0, 0), 0) << "the first tab inserted is selected";

    RECT r2;
    ASSERT_TRUE(SendMessage(tab, TCM_GETITEMRECT, 2, (LPARAM)&r2));
    TCHITTESTINFO hit = {{(r2.left + r2.right) / 2, (r2.top + r2.bottom) / 2}, 0};
    EXPECT_EQ(SendMessage(tab, TCM_HITTEST, 0, (LPARAM)&hit), 2);
    EXPECT_EQ(hit.flags & TCHT_ONITEM, (UINT)TCHT_ONITEMLABEL);

    Click(tab, hit.pt.x, hit.pt.y);
    std::vector<UINT> expected = {TCN_SELCHANGING, TCN_SELCHANGE, (UINT)NM_CLICK};
    EXPECT_EQ(codes, expected);
    EXPECT_EQ(selWhileChanging, 0) << "asked before the change";
    EXPECT_EQ(SendMessage(tab, TCM_GETCURSEL, 0, 0), 2);

    codes.clear();
    refuseChange = TRUE;
    RECT r1;
    SendMessage(tab, TCM_GETITEMRECT, 1, (LPARAM)&r1);
    Click(tab, r1.left + 4, r1.top + 4);
    EXPECT_EQ(SendMessage(tab, TCM_GETCURSEL, 0, 0), 2) << "the parent refused";
    refuseChange = FALSE;

    codes.clear();
    PressKey(VK_RIGHT);
    EXPECT_EQ(codes, (std::vector<UINT>{TCN_KEYDOWN, TCN_SELCHANGING, TCN_SELCHANGE}));
    EXPECT_EQ(SendMessage(tab, TCM_GETCURSEL, 0, 0), 3);

    codes.clear();
    EXPECT_EQ(SendMessage(tab, TCM_SETCURSEL, 1, 0), 3);
    EXPECT_EQ(SendMessage(tab, TCM_SETCURSEL, 9, 0), -1);
    EXPECT_TRUE(codes.empty());

    TCITEM item = {TCIF_PARAM};
    SendMessage(tab, TCM_GETITEM, 3, (LPARAM)&item);
    EXPECT_EQ(item.lParam, 103);
    SendMessage(tab, TCM_DELETEITEM, 0, 0);
    EXPECT_EQ(SendMessage(tab, TCM_GETCURSEL, 0, 0), 0) << "the selection follows its tab";

    RECT area = {0, 0, 300, 150};
    SendMessage(tab, TCM_ADJUSTRECT, FALSE, (LPARAM)&area);
    EXPECT_GT(area.top, r2.bottom - 1);
    SendMessage(tab, TCM_ADJUSTRECT, TRUE, (LPARAM)&area);
    EXPECT_EQ(area.left, 0);
    EXPECT_EQ(area.top, 0);
    EXPECT_EQ(area.right, 300);
    EXPECT_EQ(area.bottom, 150);
}

TEST_F(TabTest, ControlsOverTheDisplayAreaGetTheirClicks)
{
    HWND tab = Child(WC_TABCONTROL, "", 0, 10, 10, 300, 150, 1011);
    TCITEM item = {TCIF_TEXT};
    item.pszText = (LPSTR) "밝기";
    SendMessage(tab, TCM_INSERTITEM, 0, (LPARAM)&item);
    // Created after the tab control, the button lies beneath it among the siblings.
    HWND button = Child("Button", "적용", BS_PUSHBUTTON, 60, 90, 80, 24, 1012);
    recorder.Clear();
    Click(button, 10, 10);
    EXPECT_EQ(CountOf(1012, BN_CLICKED), 1);
    EXPECT_TRUE(codes.empty()) << "the tab control saw nothing";

    RECT r0;
    SendMessage(tab, TCM_GETITEMRECT, 0, (LPARAM)&r0);
    Click(tab, r0.left + 4, r0.top + 4);
    EXPECT_EQ(codes, std::vector<UINT>{(UINT)NM_CLICK}) << "the tabs themselves still take the mouse";
}

TEST_F(TabTest, AnItemsImageIsDrawnLeftOfItsText)
{
    HWND tab = Child(WC_TABCONTROL, "", 0, 10, 10, 300, 150, 1011);
    HIMAGELIST images = SolidImageList(RGB(0, 200, 0));
    SendMessage(tab, TCM_SETIMAGELIST, 0, (LPARAM)images);
    TCITEM plain = {TCIF_TEXT};
    plain.pszText = (LPSTR)"일반";
    SendMessage(tab, TCM_INSERTITEM, 0, (LPARAM)&plain);
    TCITEM item = {TCIF_TEXT | TCIF_IMAGE};
    item.pszText = (LPSTR)"사진";
    item.iImage = 0;
    SendMessage(tab, TCM_INSERTITEM, 1, (LPARAM)&item);
    RedrawWindow(tab, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PumpUntilIdle();

    RECT r = {};
    SendMessage(tab, TCM_GETITEMRECT, 1, (LPARAM)&r);
    Spot image = FindColour(CaptureWindow(tab, true), RGB(0, 200, 0));
    EXPECT_EQ(12 * 10, image.count);
    EXPECT_GT(image.bounds.left, r.left);
    EXPECT_LT(image.bounds.right, (r.left + r.right) / 2) << "left of the text";
    EXPECT_GE(image.bounds.top, r.top);
    EXPECT_LE(image.bounds.bottom, r.bottom);
    DestroyWindow(tab);
    ImageList_Destroy(images);
}

TEST_F(MonthCalTest, CurrentSelectionIsValidatedAndSilent)
{
    HWND cal = Child(MONTHCAL_CLASS, "", 0, 10, 10, 180, 170, 11000);
    char cls[32] = {};
    GetClassName(cal, cls, sizeof(cls));
    EXPECT_STREQ(cls, "SysMonthCal32");
    SYSTEMTIME bad = Date(2026, 2, 30);
    EXPECT_FALSE(SendMessage(cal, MCM_SETCURSEL, 0, (LPARAM)&bad));
    SYSTEMTIME day = Date(2026, 12, 10);
    day.wHour = 13;  // the time of day is not kept
    EXPECT_TRUE(SendMessage(cal, MCM_SETCURSEL, 0, (LPARAM)&day));
    SYSTEMTIME got = {};
    ASSERT_TRUE(SendMessage(cal, MCM_GETCURSEL, 0, (LPARAM)&got));
    EXPECT_EQ(Text(got), "2026-12-10");
    EXPECT_EQ(got.wDayOfWeek, 4) << "a Thursday";
    EXPECT_EQ(got.wHour, 0);
    EXPECT_TRUE(codes.empty());

    SYSTEMTIME range[2] = {Date(2026, 1, 1), {}};
    EXPECT_TRUE(SendMessage(cal, MCM_SETRANGE, GDTR_MIN, (LPARAM)range));
    SYSTEMTIME before = Date(2025, 12, 31);
    EXPECT_FALSE(SendMessage(cal, MCM_SETCURSEL, 0, (LPARAM)&before));
    SendMessage(cal, MCM_GETCURSEL, 0, (LPARAM)&got);
    EXPECT_EQ(Text(got), "2026-12-10");

    SYSTEMTIME month[2];
    EXPECT_EQ(SendMessage(cal, MCM_GETMONTHRANGE, GMR_VISIBLE, (LPARAM)month), 1);
    EXPECT_EQ(Text(month[0]), "2026-12-1");
    EXPECT_EQ(Text(month[1]), "2026-12-31");
    EXPECT_EQ(LOWORD(SendMessage(cal, MCM_GETFIRSTDAYOFWEEK, 0, 0)), 6) << "weeks start on Sunday";
}

TEST_F(MonthCalTest, DayClickSelectsThenReportsTheSelect)
{
    HWND cal = Child(MONTHCAL_CLASS, "", 0, 10, 10, 180, 170, 11000);
    SYSTEMTIME day = Date(2026, 12, 10);
    SendMessage(cal, MCM_SETCURSEL, 0, (LPARAM)&day);
    POINT pt = PointOfDate(cal, Date(2026, 12, 24));
    ASSERT_GE(pt.x, 0);
    Click(cal, pt.x, pt.y);
    EXPECT_EQ(codes, (std::vector<UINT>{MCN_SELCHANGE, MCN_SELECT}));
    ASSERT_EQ(dates.size(), 2u);
    EXPECT_EQ(Text(dates[1]), "2026-12-24");
    EXPECT_EQ(GetFocus(), cal);

    // A trailing day of the next month selects it and shows its month.
    POINT next = PointOfDate(cal, Date(2027, 1, 2));
    ASSERT_GE(next.x, 0);
    codes.clear();
    Click(cal, next.x, next.y);
    EXPECT_EQ(codes, (std::vector<UINT>{MCN_SELCHANGE, MCN_SELECT}));
    SYSTEMTIME month[2];
    SendMessage(cal, MCM_GETMONTHRANGE, GMR_VISIBLE, (LPARAM)month);
    EXPECT_EQ(Text(month[0]), "2027-1-1");
}

TEST_F(MonthCalTest, ArrowKeysMoveTheSelectionAcrossMonths)
{
    HWND cal = Child(MONTHCAL_CLASS, "", 0, 10, 10, 180, 170, 11000);
    SYSTEMTIME day = Date(2026, 12, 31);
    SendMessage(cal, MCM_SETCURSEL, 0, (LPARAM)&day);
    SetFocus(cal);
    const struct {
        UINT vk;
        const char* date;
    } steps[] = {{VK_RIGHT, "2027-1-1"}, {VK_LEFT, "2026-12-31"}, {VK_UP, "2026-12-24"},
                 {VK_DOWN, "2026-12-31"}, {VK_DOWN, "2027-1-7"},  {VK_PRIOR, "2026-12-7"}};
    for (auto& s : steps) {
        codes.clear();
        PressKey(s.vk);
        SYSTEMTIME got = {};
        SendMessage(cal, MCM_GETCURSEL, 0, (LPARAM)&got);
        EXPECT_EQ(Text(got), s.date) << "key " << s.vk;
        EXPECT_EQ(codes, std::vector<UINT>{MCN_SELCHANGE}) << "keys never select";
    }
}

namespace {

// Pixels of exactly `ink` in the band [top, bottom) between x0 and x1 of a DC,
// and their leftmost and rightmost columns.
struct Ink {
    int count = 0;
    int left = INT_MAX;
    int right = -1;
};

Ink InkIn(HDC dc, COLORREF ink, int x0, int x1, int top, int bottom)
{
    Ink out;
    for (int y = top; y < bottom; ++y)
        for (int x = x0; x < x1; ++x)
            if (GetPixel(dc, x, y) == ink) {
                ++out.count;
                out.left = std::min(out.left, x);
                out.right = std::max(out.right, x);
            }
    return out;
}

// A white memory DC of the given size with `font` selected.
class Canvas {
public:
    Canvas(int cx, int cy, HFONT font)
    {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, cx, cy);
        ReleaseDC(nullptr, screen);
        oldBitmap = SelectObject(dc, bitmap);
        oldFont = SelectObject(dc, font);
        RECT all = {0, 0, cx, cy};
        FillRect(dc, &all, (HBRUSH)GetStockObject(WHITE_BRUSH));
    }
    ~Canvas()
    {
        SelectObject(dc, oldFont);
        SelectObject(dc, oldBitmap);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    HDC dc;

private:
    HBITMAP bitmap;
    HGDIOBJ oldBitmap, oldFont;
};

}  // namespace

TEST_F(MonthCalTest, TitleAndWeekdaysAreKorean)
{
    const int cx = 220, cy = 190;
    const COLORREF title = RGB(0, 0, 128), titleText = RGB(255, 255, 0);
    HWND cal = Child(MONTHCAL_CLASS, "", 0, 10, 10, cx, cy, 11000);
    SYSTEMTIME day = Date(2026, 12, 10);
    SendMessage(cal, MCM_SETCURSEL, 0, (LPARAM)&day);
    SendMessage(cal, MCM_SETCOLOR, MCSC_TITLEBK, title);
    SendMessage(cal, MCM_SETCOLOR, MCSC_TITLETEXT, titleText);
    HFONT font = (HFONT)GetStockObject(DEFAULT_GUI_FONT);
    LOGFONTA lf = {};
    GetObject(font, sizeof(lf), &lf);
    lf.lfWeight = FW_BOLD;
    HFONT bold = CreateFontIndirect(&lf);

    Canvas shown(cx, cy, font);
    SendMessage(cal, WM_PRINTCLIENT, (WPARAM)shown.dc, PRF_CLIENT);
    // The title band is where MCM_HITTEST answers a title code.
    int titleBottom = 0, namesBottom = 0;
    for (int y = 0; y < cy; ++y) {
        MCHITTESTINFO info = {sizeof(info)};
        info.pt = POINT{cx / 2, y};
        UINT hit = (UINT)SendMessage(cal, MCM_HITTEST, 0, (LPARAM)&info);
        if (hit == MCHT_TITLEMONTH || hit == MCHT_TITLEYEAR)
            titleBottom = y + 1;
        if (hit == MCHT_CALENDARDAY)
            namesBottom = y + 1;
    }
    ASSERT_GT(titleBottom, 0);
    ASSERT_GT(namesBottom, titleBottom);

    // Away from the arrow buttons, the title shows "2026년 12월" in bold.
    Canvas expected(cx, cy, bold);
    RECT band = {0, 0, cx, titleBottom};
    SetBkMode(expected.dc, TRANSPARENT);
    SetTextColor(expected.dc, titleText);
    DrawText(expected.dc, "2026년 12월", -1, &band, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    Ink want = InkIn(expected.dc, titleText, 30, cx - 30, 0, titleBottom);
    Ink got = InkIn(shown.dc, titleText, 30, cx - 30, 0, titleBottom);
    ASSERT_GT(want.count, 20);
    EXPECT_EQ(got.count, want.count);
    EXPECT_EQ(got.left, want.left);
    EXPECT_EQ(got.right, want.right);

    // The weekday row holds 일 to 토, as many pixels as the seven names drawn alone.
    Canvas names(cx, cy, font);
    SetBkMode(names.dc, TRANSPARENT);
    SetTextColor(names.dc, title);
    int alone = 0;
    for (const char* name : {"일", "월", "화", "수", "목", "금", "토"}) {
        RECT cell = {0, 0, 40, 30};
        FillRect(names.dc, &cell, (HBRUSH)GetStockObject(WHITE_BRUSH));
        DrawText(names.dc, name, -1, &cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        alone += InkIn(names.dc, title, 0, 40, 0, 30).count;
    }
    EXPECT_GT(alone, 7 * 10);
    EXPECT_EQ(InkIn(shown.dc, title, 0, cx, titleBottom, namesBottom).count, alone);
    DeleteObject(bold);
}
