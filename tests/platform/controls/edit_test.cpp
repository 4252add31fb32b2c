// The edit control: notifications, Korean text typed as double-byte WM_CHAR
// pairs, whole-character caret movement and deletion, limits, styles, lines.
#include "ControlFixture.h"

#include "mivo/testing/layoutsteps.h"
#include "support/InputSynth.h"
#include "support/MessageSequence.h"
#include "support/WindowCapture.h"

using namespace mivo::test;
using controls_test::ControlFixture;

namespace {

const int kEdit = 300;

class EditTest : public ControlFixture {
protected:
    HWND MakeEdit(DWORD style = ES_AUTOHSCROLL, int cx = 200, int cy = 24)
    {
        HWND e = Child("Edit", "", style | WS_BORDER, 10, 10, cx, cy, kEdit);
        SetFocus(e);
        PumpUntilIdle();
        recorder.Clear();
        return e;
    }
    void Type(const std::string& cp949)
    {
        TypeText(cp949);
        PumpUntilIdle();
    }
    void Key(UINT vk)
    {
        PressKey(vk);
        PumpUntilIdle();
    }
};

}  // namespace

TEST_F(EditTest, SetWindowTextReportsUpdateThenChange)
{
    HWND e = MakeEdit();
    SetWindowText(e, "바탕화면");
    EXPECT_ORDER(recorder, parent, {Command(e, EN_UPDATE), Command(e, EN_CHANGE)});
    EXPECT_EQ(TextOf(e), "바탕화면");
    EXPECT_FALSE(SendMessage(e, EM_GETMODIFY, 0, 0)) << "text set by the program is no modification";

    recorder.Clear();
    Type("x");
    EXPECT_ORDER(recorder, parent, {Command(e, EN_UPDATE), Command(e, EN_CHANGE)});
    EXPECT_TRUE(SendMessage(e, EM_GETMODIFY, 0, 0));

    HWND multi = Child("Edit", "", ES_MULTILINE | WS_BORDER, 10, 50, 200, 80, kEdit + 1);
    recorder.Clear();
    SetWindowText(multi, "첫 줄\r\n둘째 줄");
    EXPECT_EQ(CountOf(kEdit + 1, EN_CHANGE), 0) << "a multi-line edit does not report WM_SETTEXT";
}

TEST_F(EditTest, KoreanTypedAsByteValuePairsAndDeletedWhole)
{
    HWND e = MakeEdit();
    Type("한글");  // four WM_CHAR messages, two per character
    Type("a");
    EXPECT_EQ(TextOf(e), "한글a");
    EXPECT_EQ(Selection(e), std::make_pair(DWORD(5), DWORD(5)));
    EXPECT_EQ(CountOf(kEdit, EN_CHANGE), 3) << "one change per character, not per byte";

    Key(VK_BACK);
    EXPECT_EQ(TextOf(e), "한글");
    Key(VK_BACK);
    EXPECT_EQ(TextOf(e), "한") << "Backspace removes both bytes of a character";
    Key(VK_BACK);
    EXPECT_EQ(TextOf(e), "");
    Key(VK_BACK);
    EXPECT_EQ(TextOf(e), "");

    // A character typed through the input method arrives as WM_IME_CHAR.
    SendMessage(e, WM_IME_CHAR, 0xB0A1, 1);  // "가"
    EXPECT_EQ(TextOf(e), "가");
}

TEST_F(EditTest, CaretAndSelectionNeverSplitACharacter)
{
    HWND e = MakeEdit();
    // Trail bytes of CP949 include ASCII letters: "값" is 0xB0 0x41 ('A').
    SetWindowText(e, "값A값");
    Key(VK_END);
    EXPECT_EQ(Selection(e).second, 5u);
    Key(VK_LEFT);
    EXPECT_EQ(Selection(e).second, 3u) << "left over a double-byte character";
    Key(VK_LEFT);
    EXPECT_EQ(Selection(e).second, 2u);
    Key(VK_LEFT);
    EXPECT_EQ(Selection(e).second, 0u);

    SendMessage(e, EM_SETSEL, 1, 4);
    EXPECT_EQ(Selection(e), std::make_pair(DWORD(0), DWORD(3))) << "positions inside a character move to its start";
    PressKey(VK_DELETE);
    PumpUntilIdle();
    EXPECT_EQ(TextOf(e), "값");

    SetWindowText(e, "값A값");
    Key(VK_HOME);
    PressKey(VK_RIGHT, true);
    PumpUntilIdle();
    EXPECT_EQ(Selection(e), std::make_pair(DWORD(0), DWORD(2)));
    PressKey(VK_DELETE);
    PumpUntilIdle();
    EXPECT_EQ(TextOf(e), "A값");
}

TEST_F(EditTest, LimitKeepsWholeCharactersAndReportsMaxText)
{
    HWND e = MakeEdit();
    SendMessage(e, EM_LIMITTEXT, 3, 0);
    EXPECT_EQ(SendMessage(e, EM_GETLIMITTEXT, 0, 0), 3);
    Type("가나");
    EXPECT_EQ(TextOf(e), "가") << "the second character does not fit in one byte";
    EXPECT_EQ(CountOf(kEdit, EN_MAXTEXT), 1);
    Type("x");
    EXPECT_EQ(TextOf(e), "가x");
    SetWindowText(e, "program text past the limit");
    EXPECT_EQ(TextOf(e), "program text past the limit") << "the limit binds the user only";
}

TEST_F(EditTest, StylesFilterTypedText)
{
    HWND number = MakeEdit(ES_NUMBER | ES_AUTOHSCROLL);
    Type("1a2");
    EXPECT_EQ(TextOf(number), "12");
    DestroyWindow(number);

    HWND upper = MakeEdit(ES_UPPERCASE | ES_AUTOHSCROLL);
    Type("ab값z");
    EXPECT_EQ(TextOf(upper), "AB값Z") << "upper-casing leaves the trail byte 'A' of the Korean character alone";
    SetWindowText(upper, "mixed");
    EXPECT_EQ(TextOf(upper), "MIXED");
    DestroyWindow(upper);

    HWND readOnly = MakeEdit(ES_READONLY | ES_AUTOHSCROLL);
    SetWindowText(readOnly, "고정");
    Type("x");
    Key(VK_BACK);
    EXPECT_EQ(TextOf(readOnly), "고정");
    SendMessage(readOnly, EM_SETREADONLY, FALSE, 0);
    Key(VK_END);
    Type("!");
    EXPECT_EQ(TextOf(readOnly), "고정!");
}

TEST_F(EditTest, NarrowLineWithoutAutoScrollRefusesWhatDoesNotFit)
{
    HWND e = MakeEdit(0, 40, 24);
    Type("abcdefghijklmnopqrstuvwxyz");
    std::string text = TextOf(e);
    EXPECT_LT(text.size(), 26u);
    EXPECT_GT(text.size(), 0u);
    EXPECT_GT(CountOf(kEdit, EN_MAXTEXT), 0);
}

TEST_F(EditTest, PasswordShowsTheTextToTheProgramOnly)
{
    HWND e = MakeEdit(ES_PASSWORD | ES_AUTOHSCROLL);
    EXPECT_EQ(SendMessage(e, EM_GETPASSWORDCHAR, 0, 0), '*');
    Type("비밀1");
    EXPECT_EQ(TextOf(e), "비밀1");
    SendMessage(e, EM_SETSEL, 0, -1);
    OpenClipboard(nullptr);
    EmptyClipboard();
    CloseClipboard();
    SendMessage(e, WM_COPY, 0, 0);
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT)) << "a password is never copied";
}

TEST_F(EditTest, UndoSwapsWithTheLastEdit)
{
    HWND e = MakeEdit();
    SetWindowText(e, "start");
    EXPECT_FALSE(SendMessage(e, EM_CANUNDO, 0, 0));
    Key(VK_END);
    Type(" 추가");
    EXPECT_TRUE(SendMessage(e, EM_CANUNDO, 0, 0));
    EXPECT_TRUE(SendMessage(e, EM_UNDO, 0, 0));
    EXPECT_EQ(TextOf(e), "start") << "typing in one run undoes at once";
    EXPECT_TRUE(SendMessage(e, EM_UNDO, 0, 0));
    EXPECT_EQ(TextOf(e), "start 추가") << "a second undo redoes";
    SendMessage(e, EM_SETSEL, 0, 5);
    SendMessage(e, EM_REPLACESEL, TRUE, (LPARAM)"끝");
    EXPECT_EQ(TextOf(e), "끝 추가");
    SendMessage(e, WM_UNDO, 0, 0);
    EXPECT_EQ(TextOf(e), "start 추가");
}

TEST_F(EditTest, ClipboardCutCopyPaste)
{
    HWND e = MakeEdit();
    SetWindowText(e, "가나다라");
    SendMessage(e, EM_SETSEL, 2, 6);
    SendMessage(e, WM_CUT, 0, 0);
    EXPECT_EQ(TextOf(e), "가라");
    Key(VK_END);
    SendMessage(e, WM_PASTE, 0, 0);
    EXPECT_EQ(TextOf(e), "가라나다");
    SendMessage(e, EM_SETSEL, 0, 2);
    PressKey('C', false, true);
    PumpUntilIdle();
    Key(VK_END);
    PressKey('V', false, true);
    PumpUntilIdle();
    EXPECT_EQ(TextOf(e), "가라나다가");

    HWND single = Child("Edit", "", ES_AUTOHSCROLL, 10, 100, 200, 24, kEdit + 2);
    HWND multi = Child("Edit", "", ES_MULTILINE | ES_AUTOVSCROLL, 10, 130, 200, 80, kEdit + 3);
    const char two[] = "위\r\n아래";
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof(two));
    memcpy(GlobalLock(block), two, sizeof(two));
    GlobalUnlock(block);
    OpenClipboard(nullptr);
    EmptyClipboard();
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
    SendMessage(single, WM_PASTE, 0, 0);
    SendMessage(multi, WM_PASTE, 0, 0);
    EXPECT_EQ(TextOf(single), "위") << "a single line takes the first line only";
    EXPECT_EQ(TextOf(multi), "위\r\n아래");
}

TEST_F(EditTest, LinesOfAMultiLineEdit)
{
    HWND e = MakeEdit(ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN, 200, 100);
    SetWindowText(e, "첫째\r\n\r\nthird line");
    EXPECT_EQ(SendMessage(e, EM_GETLINECOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessage(e, EM_LINEINDEX, 1, 0), 6);
    EXPECT_EQ(SendMessage(e, EM_LINEINDEX, 2, 0), 8);
    EXPECT_EQ(SendMessage(e, EM_LINEINDEX, 3, 0), -1);
    EXPECT_EQ(SendMessage(e, EM_LINEFROMCHAR, 9, 0), 2);
    EXPECT_EQ(SendMessage(e, EM_LINELENGTH, 0, 0), 4);
    EXPECT_EQ(SendMessage(e, EM_LINELENGTH, 6, 0), 0);
    char line[16];
    *(WORD*)line = 5;
    EXPECT_EQ(SendMessage(e, EM_GETLINE, 2, (LPARAM)line), 5);
    EXPECT_EQ(std::string(line, 5), "third");
    *(WORD*)line = 3;
    EXPECT_EQ(SendMessage(e, EM_GETLINE, 0, (LPARAM)line), 2) << "a short buffer never takes half a character";

    Key(VK_END);
    PressKey(VK_END, false, true);
    PumpUntilIdle();
    Type("\r");
    Type("넷");
    EXPECT_EQ(SendMessage(e, EM_GETLINECOUNT, 0, 0), 4) << "Enter starts a line with ES_WANTRETURN";
    Key(VK_UP);
    EXPECT_EQ(SendMessage(e, EM_LINEFROMCHAR, (WPARAM)-1, 0), 2);

    HWND wrap = Child("Edit", "", ES_MULTILINE, 10, 120, 60, 100, kEdit + 4);
    SetWindowText(wrap, "one two three four five six seven");
    EXPECT_GT(SendMessage(wrap, EM_GETLINECOUNT, 0, 0), 2) << "without ES_AUTOHSCROLL lines wrap at the width";
    LRESULT second = SendMessage(wrap, EM_LINEINDEX, 1, 0);
    std::string text = TextOf(wrap);
    ASSERT_GT(second, 0);
    EXPECT_EQ(text[(size_t)second - 1], ' ') << "lines break after a blank";
}

// A server's notice may hold one endless word: wrapping it must cost in
// proportion to its length, counted as the bytes layout steps over.
TEST_F(EditTest, WrappingALongLineWithoutBreakPointsIsLinear)
{
    const size_t size = 64 * 1024;
    struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"letters", std::string(size, 'w')},
        {"digits then one blank", std::string(size - 2, '7') + " x"},
        {"trail-byte letters", [&] {
             std::string t;
             while (t.size() + 3 <= size)
                 t += "\xb0" "Aq";  // a double-byte character whose trail byte is a letter, then a letter
             return t;
         }()},
    };
    HWND e = Child("Edit", "", ES_MULTILINE | WS_VSCROLL, 10, 10, 300, 200, kEdit);
    SendMessage(e, EM_SETLIMITTEXT, 0, 0);
    for (const auto& c : cases) {
        mivo::ResetTextLayoutSteps();
        SetWindowText(e, c.text.c_str());
        uint64_t steps = mivo::TextLayoutSteps();
        EXPECT_LT(steps, 32 * (uint64_t)c.text.size()) << c.name;
        // Every byte lands on exactly one line, and the lines are many.
        LRESULT lines = SendMessage(e, EM_GETLINECOUNT, 0, 0);
        EXPECT_GT(lines, 100) << c.name;
        LRESULT last = SendMessage(e, EM_LINEINDEX, (WPARAM)(lines - 1), 0);
        EXPECT_EQ((LRESULT)c.text.size(), last + SendMessage(e, EM_LINELENGTH, (WPARAM)last, 0)) << c.name;
    }
}

TEST_F(EditTest, PointsAndCharactersMapBothWays)
{
    HWND e = MakeEdit();
    SetWindowText(e, "가나다abc");
    for (WPARAM pos : {0u, 2u, 4u, 6u, 9u}) {
        LRESULT pt = SendMessage(e, EM_POSFROMCHAR, pos, 0);
        ASSERT_NE(pt, -1);
        LRESULT back = SendMessage(e, EM_CHARFROMPOS, 0, MAKELPARAM(LOWORD(pt) + 1, HIWORD(pt) + 2));
        EXPECT_EQ(LOWORD(back), pos);
    }
    LRESULT at = SendMessage(e, EM_POSFROMCHAR, 4, 0);
    SendMessage(e, WM_LBUTTONDOWN, 0, MAKELPARAM(LOWORD(at) + 1, HIWORD(at) + 2));
    SendMessage(e, WM_LBUTTONUP, 0, MAKELPARAM(LOWORD(at) + 1, HIWORD(at) + 2));
    EXPECT_EQ(Selection(e), std::make_pair(DWORD(4), DWORD(4)));
}

TEST_F(EditTest, FocusNotifications)
{
    HWND e = Child("Edit", "", ES_AUTOHSCROLL, 10, 10, 100, 24, kEdit);
    HWND other = Child("Edit", "", ES_AUTOHSCROLL, 10, 40, 100, 24, kEdit + 1);
    recorder.Clear();
    SetFocus(e);
    SetFocus(other);
    EXPECT_ORDER(recorder, parent, {
        Command(e, EN_SETFOCUS),
        Command(e, EN_KILLFOCUS),
        Command(other, EN_SETFOCUS),
    });
    EXPECT_EQ(SendMessage(e, WM_GETDLGCODE, 0, 0) & (DLGC_WANTCHARS | DLGC_HASSETSEL),
              DLGC_WANTCHARS | DLGC_HASSETSEL);
}

namespace {

// Rows of two pictures of the same size that differ anywhere.
std::vector<int> DifferingRows(const WindowImage& a, const WindowImage& b)
{
    std::vector<int> rows;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            if (a.At(x, y) != b.At(x, y)) {
                rows.push_back(y);
                break;
            }
    return rows;
}

}  // namespace

TEST_F(EditTest, TheInputMethodsSyllableShowsUnderlinedAtTheCaretUntilCommitted)
{
    HWND e = MakeEdit();
    Type("abcd");
    Key(VK_LEFT);
    Key(VK_LEFT);
    recorder.Clear();
    mivo::InjectComposition("하");
    mivo::InjectComposition("한");
    PumpUntilIdle();
    char composing[8] = {};
    EXPECT_EQ(ImmGetCompositionString(ImmGetContext(e), GCS_COMPSTR, composing, sizeof composing), 2);
    EXPECT_STREQ(composing, "한");
    EXPECT_EQ(TextOf(e), "abcd") << "a syllable being composed is not text yet";
    EXPECT_EQ(CountOf(kEdit, EN_CHANGE), 0);
    HideCaret(e);
    WindowImage shown = CaptureWindow(e, true);
    ShowCaret(e);

    mivo::InjectComposition("");
    mivo::InjectText("한");
    PumpUntilIdle();
    EXPECT_EQ(TextOf(e), "ab한cd");
    EXPECT_EQ(Selection(e), std::make_pair(DWORD(4), DWORD(4)));
    HideCaret(e);
    WindowImage committed = CaptureWindow(e, true);
    ShowCaret(e);
    // Composed and committed look alike but for the underline under the syllable.
    std::vector<int> rows = DifferingRows(shown, committed);
    ASSERT_EQ(rows.size(), 1u);
    int underlined = 0;
    for (int x = 0; x < shown.width; ++x)
        underlined += shown.At(x, rows[0]) != committed.At(x, rows[0]);
    EXPECT_GE(underlined, 4);

    // A syllable given up leaves the field as it was.
    mivo::InjectComposition("가");
    PumpUntilIdle();
    mivo::InjectComposition("");
    PumpUntilIdle();
    HideCaret(e);
    EXPECT_TRUE(DifferingRows(CaptureWindow(e, true), committed).empty());
    EXPECT_EQ(TextOf(e), "ab한cd");
}
