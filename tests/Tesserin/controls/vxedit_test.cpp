// The edit field: mask typing (dates, months, time limits), the numeric
// display and typing mode, focus colours and fonts, as keystroke tables.
#include <gtest/gtest.h>

#include "ControlHost.h"
#include "controls/VXEdit.h"
#include "support/MenuTemplateBuilder.h"
#include "support/MessageLoop.h"
#include "support/MessageRecorder.h"
#include "support/WindowCapture.h"
#include "mivo/resources.h"

#include <string>
#include <vector>

using controlstest::BeepListener;
using controlstest::ControlHost;

namespace {

const COLORREF kFocusBlue = RGB(153, 185, 230);
const char kBack = '\b';
const char kDeleteKey = 0x7F;  // stands for the Delete key in the key strings below

struct EditField {
    ControlHost host;
    CVXEdit edit;

    EditField() { edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(10, 10, 300, 40), host.wnd(), 100); }

    void Type(const std::string& keys)
    {
        for (char c : keys) {
            if (c == kDeleteKey)
                edit.SendMessage(WM_KEYDOWN, VK_DELETE, 1);
            else
                edit.SendMessage(WM_CHAR, (BYTE)c, 1);
        }
    }
    std::string Text()
    {
        CString text;
        edit.GetWindowText(text);
        return (const char*)text;
    }
    int Caret()
    {
        int start = 0, end = 0;
        edit.GetSel(start, end);
        return end;
    }
};

struct KeyCase {
    const char* name;
    const char* start;  // compact date shown first
    int caret;
    std::string keys;
    const char* text;
    int caret_after;
    int beeps;
};

}  // namespace

TEST(VXEditDate, KeystrokesGiveTextCaretAndBeeps)
{
    const std::vector<KeyCase> cases = {
        {"year types its dash, month tens 1 refuses 3 silently", "20240509", 0, "202513", "2025-15-09", 6, 0},
        {"month 0 refuses a second 0", "20241225", 0, "202400", "2024-02-25", 6, 0},
        {"at the dash the dash is typed, then the digit checked", "20240509", 4, "1", "2024-15-09", 6, 0},
        {"day tens below 4", "20240509", 8, "4", "2024-05-09", 8, 0},
        {"day 0 refuses a second 0", "20240519", 8, "00", "2024-05-09", 9, 0},
        {"a letter beeps", "20240509", 0, "x", "2024-05-09", 0, 1},
        {"past the end beeps", "20240509", 10, "1", "2024-05-09", 10, 1},
        {"backspace puts the date back and stays before it", "20240509", 0, "1999\b\b", "1994-05-09", 3, 0},
        {"backspace at the start beeps", "20240509", 0, "\b", "2024-05-09", 0, 1},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        EditField f;
        f.edit.SetDateMode(TRUE);
        f.edit.SetEditCompactDate(c.start);
        f.edit.SetSel(c.caret, c.caret);
        BeepListener beeps;
        f.Type(c.keys);
        EXPECT_EQ(f.Text(), c.text);
        EXPECT_EQ(f.Caret(), c.caret_after);
        EXPECT_EQ(beeps.count(), c.beeps);
    }
}

TEST(VXEditDate, DayThreeTakesUnitsZeroToThree)
{
    for (char unit = '0'; unit <= '9'; ++unit) {
        SCOPED_TRACE(std::string("unit ") + unit);
        EditField f;
        f.edit.SetDateMode(TRUE);
        f.edit.SetEditCompactDate("20240509");
        f.edit.SetSel(8, 8);
        BeepListener beeps;
        f.Type(std::string("3") + unit);
        bool taken = unit <= '3';
        EXPECT_EQ(f.Text(), taken ? std::string("2024-05-3") + unit : "2024-05-39");
        EXPECT_EQ(beeps.count(), 0) << "range refusals are silent";
    }
}

TEST(VXEditDate, CompactFormsAndModes)
{
    EditField f;
    EXPECT_EQ(f.edit.GetEditCompactDate(), "") << "outside date mode";
    f.edit.SetDateMode(TRUE);
    EXPECT_EQ(f.Text().size(), 10u) << "today is shown";
    f.edit.SetEditCompactDate("20240509");
    EXPECT_EQ(f.edit.GetEditCompactDate(), "20240509");
    EXPECT_EQ(f.edit.GetEditDate(), "2024-05-09");
    EXPECT_EQ(f.edit.GetEditMonth(), "");
    f.edit.SetEditCompactDate("2024");
    EXPECT_EQ(f.Text(), "2024-05-09") << "too short to be a date: left alone";

    f.edit.SetMonthMode(TRUE);
    f.edit.SetEditCompactMonth("202411");
    EXPECT_EQ(f.Text(), "2024-11");
    EXPECT_EQ(f.edit.GetEditCompactMonth(), "202411");
    EXPECT_EQ(f.edit.GetEditCompactDate(), "");
    f.edit.SetSel(5, 5);
    f.Type("13");
    EXPECT_EQ(f.Text(), "2024-11") << "month units below 3 after 1";
}

TEST(VXEditMask, TimeLimitsFortySevenAndFiftyNine)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"5", ""},         {"48", "4"},      {"4759", "47:59"}, {"3960", "39:0"},
        {"1969", "19:"},   {"1259", "12:59"}, {"0000", "00:00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        EditField f;
        f.edit.SetMask("00:00", "__:__");
        BeepListener beeps;
        f.Type(c.first);
        EXPECT_EQ(f.Text(), c.second);
        EXPECT_EQ(beeps.count(), 0);
    }
}

TEST(VXEditMask, LettersExtraCharactersAndTheEnd)
{
    struct Case {
        const char* mask;
        const char* literals;
        const char* valid;
        std::string keys;
        const char* text;
        int beeps;
    };
    const std::vector<Case> cases = {
        {"LLL", nullptr, "-", "a-b", "a-b", 0},
        {"LLL", nullptr, nullptr, "a1b", "ab", 1},
        {"AAA", nullptr, nullptr, "a1?", "a1", 1},
        {"??", nullptr, nullptr, "a ", "a ", 0},
        {"##9", nullptr, nullptr, " 1x", " 1", 1},
        {"&&", nullptr, nullptr, "%$!", "%$", 1},
        {"00-", "__-", nullptr, "123", "12-", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mask) + " " + c.keys);
        EditField f;
        f.edit.SetMask(c.mask, c.literals, c.valid);
        BeepListener beeps;
        f.Type(c.keys);
        EXPECT_EQ(f.Text(), c.text);
        EXPECT_EQ(beeps.count(), c.beeps);
    }
}

TEST(VXEditMask, LiteralInTheLastPlaceLeavesNoRoom)
{
    EditField f;
    f.edit.SetMask("00-", "__-");
    f.edit.SetWindowText("12");
    f.edit.SetSel(2, 2);
    BeepListener beeps;
    f.Type("3");
    EXPECT_EQ(f.Text(), "12-") << "the literal is typed, the digit has no place left";
    EXPECT_EQ(beeps.count(), 1);
}

TEST(VXEditMask, DoubleByteCharacterIsRefusedWhole)
{
    EditField f;
    f.edit.SetMask("LL");
    BeepListener beeps;
    // A Hangul syllable whose second byte is the letter A.
    f.Type("\x81\x41");
    EXPECT_EQ(f.Text(), "");
    EXPECT_EQ(beeps.count(), 1);
    f.Type("\xB0\xA1" "B");
    EXPECT_EQ(f.Text(), "B");
    EXPECT_EQ(beeps.count(), 2);
}

TEST(VXEditNumeric, DisplayRoundsGroupsAndSigns)
{
    struct Case {
        double value;
        int decimals;
        char comma;
        char point;
        BOOL commas;
        const char* text;
    };
    const std::vector<Case> cases = {
        {1234567.891, 2, ',', '.', TRUE, "1,234,567.89"},
        {0.5, 2, ',', '.', TRUE, ".50"},
        {0, 2, ',', '.', TRUE, ".00"},
        {-1234, 0, ',', '.', TRUE, "-1,234"},
        {1234567.891, 2, '.', ',', TRUE, "1.234.567,89"},
        {1234567.891, 2, ',', '.', FALSE, "1234567.89"},
        {999.996, 2, ',', '.', TRUE, "1,000.00"},
        {-0.001, 2, ',', '.', TRUE, ".00"},
        {0, 0, ',', '.', TRUE, "0"},
        {123, 0, ',', '.', TRUE, "123"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EditField f;
        f.edit.SetComma(c.comma);
        f.edit.SetDecimalPoint(c.point);
        f.edit.EnableCommas(c.commas);
        f.edit.SetDecimals(c.decimals);
        f.edit.SetValue(c.value);
        EXPECT_EQ(f.Text(), c.text);
        EXPECT_EQ(f.Caret(), 0);
        EXPECT_EQ(f.edit.GetValue(), c.value);
    }
}

TEST(VXEditNumeric, SeparatorsComeFromTheLocale)
{
    CVXEdit edit;
    EXPECT_EQ(edit.GetDecimalPoint(), '.');
    EXPECT_EQ(edit.GetComma(), ',');
    EXPECT_EQ(edit.GetDecimals(), 0);
}

TEST(VXEditNumeric, TypingKeepsTheNumberFormatted)
{
    struct Case {
        const char* name;
        double value;
        int decimals;
        int selStart, selEnd;  // -1: the end of the text
        std::string keys;
        const char* text;
        int caret;
        double after;
    };
    const std::vector<Case> cases = {
        {"minus before digits", 0, 0, 0, -1, "-12", "-12", 3, -12},
        {"minus before digits with decimals", 0, 2, 0, -1, "-5", "-5.00", 2, -5},
        {"a lone minus survives", 0, 0, 0, -1, "-", "-", 1, 0},
        {"plus drops the minus", -7, 0, 2, 2, "+", "7", 1, 7},
        {"digits then the point", 0, 2, 0, 0, "12.5", "12.50", 4, 12.5},
        {"point drops the digits after the caret", 1234.5, 2, 1, 1, ".", "1.50", 2, 1.5},
        {"digit regroups, caret keeps its distance from the end", 12345, 0, 0, 0, "5", "512,345", 1, 512345},
        {"backspace over a comma takes the digit before it", 1234567, 0, 2, 2, "\b", "234,567", 0, 234567},
        {"backspace in the integer part", 1234567, 0, 5, 5, "\b", "123,567", 3, 123567},
        {"backspace in the decimals appends a zero", 12.5, 2, 4, 4, "\b", "12.00", 3, 12},
        {"backspace just after the point", 12.5, 2, 3, 3, "\b", "1.50", 1, 1.5},
        {"delete over a comma takes the digit after it", 1234567, 0, 1, 1, "\x7F", "134,567", 1, 134567},
        {"delete in the decimals appends a zero", 12.5, 2, 3, 3, "\x7F", "12.00", 3, 12},
        {"delete just before the point", 12.75, 2, 2, 2, "\x7F", "12.50", 3, 12.5},
        {"decimals are overwritten, none past the end", 0, 2, 1, 1, "987", ".98", 3, 0.98},
        {"a comma after the caret is stepped over", 1234, 0, 1, 1, "5", "15,234", 3, 15234},
        {"other characters are ignored", 12, 0, 2, 2, "x ,", "12", 2, 12},
        {"a selection is deleted first", 123456, 0, 0, 3, "9", "9,456", 2, 9456},
        {"twenty characters at most", 123456789012345, 0, -1, -1, "67", "1,234,567,890,123,456", 21, 1234567890123456},
        {"half a double-byte character is not a digit", 12, 0, 2, 2, "\x81\x41", "12", 2, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditField f;
        f.edit.m_bNumeric = TRUE;
        f.edit.SetDecimals(c.decimals);
        f.edit.SetValue(c.value);
        int length = (int)f.Text().size();
        f.edit.SetSel(c.selStart < 0 ? length : c.selStart, c.selEnd < 0 ? length : c.selEnd);
        f.Type(c.keys);
        EXPECT_EQ(f.Text(), c.text);
        EXPECT_EQ(f.Caret(), c.caret);
        EXPECT_DOUBLE_EQ(f.edit.GetValue(), c.after);
    }
}

TEST(VXEditNumeric, ReadOnlyFieldTypesNothing)
{
    EditField f;
    f.edit.m_bNumeric = TRUE;
    f.edit.SetValue(12);
    f.edit.SetReadOnly(TRUE);
    f.edit.SetSel(2, 2);
    f.Type("3\b");
    EXPECT_EQ(f.Text(), "12");
}

TEST(VXEditColours, FocusColourPaintsTheBackground)
{
    EditField f;
    f.edit.SetWindowText("");
    EXPECT_EQ(f.edit.GetEditBkColor(), GetSysColor(COLOR_WINDOW));
    f.edit.SetFocus();
    mivo::test::PumpUntilIdle();
    EXPECT_EQ(f.edit.GetEditBkColor(), kFocusBlue);
    mivo::test::WindowImage focused = mivo::test::CaptureWindow(f.edit.m_hWnd, true);
    EXPECT_EQ(focused.At(focused.width - 5, focused.height / 2), kFocusBlue);

    f.host.wnd()->SetFocus();
    mivo::test::PumpUntilIdle();
    EXPECT_EQ(f.edit.GetEditBkColor(), GetSysColor(COLOR_WINDOW));
    mivo::test::WindowImage left = mivo::test::CaptureWindow(f.edit.m_hWnd, true);
    EXPECT_EQ(left.At(left.width - 5, left.height / 2), GetSysColor(COLOR_WINDOW));
}

TEST(VXEditColours, SettersReturnThePreviousColourAndSkipTheUnchanged)
{
    EditField f;
    COLORREF window = GetSysColor(COLOR_WINDOW);
    EXPECT_EQ(f.edit.SetEditBkColor(RGB(1, 2, 3)), window);
    EXPECT_EQ(f.edit.SetEditTextColor(RGB(9, 9, 9)), GetSysColor(COLOR_WINDOWTEXT));
    f.edit.ApplyBackColors(0xFFFFFFFF, RGB(200, 0, 0));
    EXPECT_EQ(f.edit.GetEditBkColor(), RGB(1, 2, 3)) << "no normal colour given: the current one stays";
    f.edit.SetFocus();
    mivo::test::PumpUntilIdle();
    EXPECT_EQ(f.edit.GetEditBkColor(), RGB(200, 0, 0));
    f.edit.ApplyBackColors(RGB(0, 80, 0), 0xFFFFFFFF);
    EXPECT_EQ(f.edit.GetEditBkColor(), RGB(0, 80, 0));
}

TEST(VXEditColours, NumericZeroShowsZeroWhenFocusLeaves)
{
    EditField f;
    f.edit.m_bNumeric = TRUE;
    f.edit.SetValue(5);
    f.edit.SetFocus();
    f.edit.SetSel(0, -1);
    f.Type("\b");
    EXPECT_EQ(f.Text(), "");
    f.host.wnd()->SetFocus();
    mivo::test::PumpUntilIdle();
    EXPECT_EQ(f.Text(), "0");
}

TEST(VXEditFont, HeightFromPointsAndFaceCutOnACharacterBoundary)
{
    struct Case {
        std::string face;
        int points;
        LONG height;
        std::string shown;
    };
    std::string hangul16;
    for (int i = 0; i < 16; ++i)
        hangul16 += "\xB1\xBC";  // 굼: two bytes each
    const std::vector<Case> cases = {
        {"Arial", 9, -12, "Arial"},
        {"Arial", 12, -16, "Arial"},
        {std::string(40, 'x'), 10, -13, std::string(31, 'x')},
        {hangul16, 10, -13, hangul16.substr(0, 30)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        EditField f;
        f.edit.SetEditFont(c.face.c_str(), c.points, FW_BOLD);
        LOGFONT lf;
        ASSERT_TRUE(f.edit.GetFont()->GetLogFont(&lf));
        EXPECT_EQ(lf.lfHeight, c.height);
        EXPECT_EQ(lf.lfWeight, FW_BOLD);
        EXPECT_EQ(lf.lfOutPrecision, OUT_TT_PRECIS);
        EXPECT_EQ(std::string(lf.lfFaceName), c.shown);
    }
}

TEST(VXEditCopy, AssignmentTakesColoursAndAFontCopy)
{
    EditField a, b;
    a.edit.SetEditBkColor(RGB(10, 20, 30));
    a.edit.SetEditTextColor(RGB(40, 50, 60));
    a.edit.SetEditFont("Arial", 14);
    b.edit = a.edit;
    EXPECT_EQ(b.edit.GetEditBkColor(), RGB(10, 20, 30));
    EXPECT_EQ(b.edit.GetEditTextColor(), RGB(40, 50, 60));
    LOGFONT lf;
    ASSERT_TRUE(b.edit.GetFont()->GetLogFont(&lf));
    EXPECT_EQ(lf.lfHeight, -19);
    EXPECT_NE(b.edit.GetFont()->GetSafeHandle(), a.edit.GetFont()->GetSafeHandle());
}

TEST(VXEditMenu, ContextMenuIsTheResourcesFirstPopup)
{
    static std::vector<BYTE> menu = mivo::test::BuildMenuTemplate(
        {mivo::test::Popup(u"m", {mivo::test::Item(u"copy code", 901), mivo::test::Item(u"paste code", 902)})});
    static const mivo::ResourceEntry entries[] = {{4, nullptr, 7500, nullptr, menu.data(), (DWORD)menu.size()}};
    static const mivo::ResourceTable resources = {entries, 1};
    mivo::RegisterModuleResources("vxedit_test", &resources, false);

    {
        EditField f;
        f.edit.DefinePopupMenu(7500);
        mivo::test::MessageRecorder rec;
        rec.Attach(f.edit.m_hWnd);
        UINT first = 0;
        rec.OnMessage(WM_INITMENUPOPUP, [&](HWND, UINT, WPARAM wp, LPARAM, LRESULT*) {
            first = ::GetMenuItemID((HMENU)wp, 0);
            return false;
        });
        rec.OnMessage(WM_ENTERIDLE, [&](HWND, UINT, WPARAM, LPARAM, LRESULT* r) {
            ::EndMenu();
            *r = 0;
            return true;
        });
        f.edit.SendMessage(WM_CONTEXTMENU, (WPARAM)f.edit.m_hWnd, MAKELPARAM(50, 50));
        mivo::test::PumpUntilIdle();
        EXPECT_EQ(first, 901u);
    }
    mivo::UnregisterModuleResources(&resources);
}
