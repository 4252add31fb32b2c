// The rich edit control: formats of runs and paragraphs, Korean typing,
// rich text streamed in (hostile streams included) and out, printing ranges
// and what it paints.
#include "ControlFixture.h"

#include "mivo/codepage.h"
#include "mivo/testing/layoutsteps.h"
#include "support/InputSynth.h"
#include "support/WindowCapture.h"

#include <dirent.h>

#include <cstring>
#include <fstream>
#include <sstream>

using namespace mivo::test;
using controls_test::ControlFixture;

namespace {

const int kRich = 310;

struct Source {
    std::string data;
    size_t pos = 0;
};

DWORD CALLBACK ReadSource(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done)
{
    auto* s = (Source*)cookie;
    size_t n = std::min((size_t)count, s->data.size() - s->pos);
    std::memcpy(buffer, s->data.data() + s->pos, n);
    s->pos += n;
    *done = (LONG)n;
    return 0;
}

DWORD CALLBACK WriteSink(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done)
{
    ((std::string*)cookie)->append((const char*)buffer, (size_t)count);
    *done = count;
    return 0;
}

// Every character of `text` decodes as CP949.
bool WholeCharacters(const std::string& text)
{
    for (size_t i = 0; i < text.size();) {
        char16_t unit = 0;
        bool valid = false;
        int n = mivo::DecodeAnsiChar(text.data(), text.size(), i, unit, valid);
        if (!valid || n <= 0)
            return false;
        i += (size_t)n;
    }
    return true;
}

class RichEditTest : public ControlFixture {
protected:
    HWND Make(DWORD style = ES_MULTILINE, int cx = 300, int cy = 160)
    {
        HWND r = Child(RICHEDIT_CLASS, "", style, 10, 10, cx, cy, kRich);
        SetFocus(r);
        PumpUntilIdle();
        return r;
    }

    static LRESULT StreamIn(HWND r, const std::string& data, WPARAM format = SF_RTF)
    {
        Source s{data};
        EDITSTREAM es = {(DWORD_PTR)&s, 0, ReadSource};
        return SendMessage(r, EM_STREAMIN, format, (LPARAM)&es);
    }

    static std::string StreamOut(HWND r, WPARAM format)
    {
        std::string out;
        EDITSTREAM es = {(DWORD_PTR)&out, 0, WriteSink};
        SendMessage(r, EM_STREAMOUT, format, (LPARAM)&es);
        return out;
    }

    static void Select(HWND r, LONG from, LONG to)
    {
        CHARRANGE cr = {from, to};
        SendMessage(r, EM_EXSETSEL, 0, (LPARAM)&cr);
    }

    static CHARFORMATA Format(HWND r, LONG from, LONG to)
    {
        Select(r, from, to);
        CHARFORMATA cf = {sizeof(cf)};
        SendMessage(r, EM_GETCHARFORMAT, SCF_SELECTION, (LPARAM)&cf);
        return cf;
    }

    static PARAFORMAT Paragraph(HWND r, LONG at)
    {
        Select(r, at, at);
        PARAFORMAT pf = {sizeof(pf)};
        SendMessage(r, EM_GETPARAFORMAT, 0, (LPARAM)&pf);
        return pf;
    }

    static void SetEffect(HWND r, DWORD mask, DWORD effects)
    {
        CHARFORMATA cf = {sizeof(cf)};
        cf.dwMask = mask;
        cf.dwEffects = effects;
        SendMessage(r, EM_SETCHARFORMAT, SCF_SELECTION, (LPARAM)&cf);
    }
};

}  // namespace

TEST_F(RichEditTest, SelectionFormatReportsWhatTheWholeRangeShares)
{
    HWND r = Make();
    SetWindowText(r, "abcdef");
    Select(r, 0, 3);
    SetEffect(r, CFM_BOLD | CFM_ITALIC, CFE_BOLD);
    struct Case {
        LONG from, to;
        DWORD boldMask, boldEffect;
    } cases[] = {
        {0, 3, CFM_BOLD, CFE_BOLD},  // all bold
        {3, 6, CFM_BOLD, 0},         // none bold
        {1, 5, 0, CFE_BOLD},         // mixed: the mask drops bold, the first character decides the effect
        {2, 2, CFM_BOLD, CFE_BOLD},  // an empty selection reads the character before it
    };
    for (const Case& c : cases) {
        CHARFORMATA cf = Format(r, c.from, c.to);
        EXPECT_EQ(c.boldMask, cf.dwMask & CFM_BOLD) << c.from << "-" << c.to;
        EXPECT_EQ(c.boldEffect, cf.dwEffects & CFE_BOLD) << c.from << "-" << c.to;
        EXPECT_EQ((DWORD)CFM_ITALIC, cf.dwMask & CFM_ITALIC) << "italic is off everywhere";
    }
}

TEST_F(RichEditTest, FormatRecordsOfTheWrongSizeAreRefused)
{
    HWND r = Make();
    SetWindowText(r, "abc");
    Select(r, 0, 3);
    CHARFORMATA cf = {sizeof(cf) - 4, CFM_BOLD, CFE_BOLD};
    EXPECT_FALSE(SendMessage(r, EM_SETCHARFORMAT, SCF_SELECTION, (LPARAM)&cf));
    PARAFORMAT pf = {sizeof(pf) - 4, PFM_ALIGNMENT};
    pf.wAlignment = PFA_CENTER;
    EXPECT_FALSE(SendMessage(r, EM_SETPARAFORMAT, 0, (LPARAM)&pf));
    EXPECT_EQ(0u, Format(r, 0, 3).dwEffects & CFE_BOLD);
    EXPECT_EQ(PFA_LEFT, Paragraph(r, 0).wAlignment);
}

TEST_F(RichEditTest, TypedKoreanTakesTheFormatSetAtTheCaret)
{
    HWND r = Make();
    TypeText("가");
    SetEffect(r, CFM_BOLD, CFE_BOLD);  // nothing selected: what is typed next is bold
    TypeText("나");
    PumpUntilIdle();
    char text[16] = {};
    GetWindowText(r, text, sizeof(text));
    EXPECT_STREQ("가나", text);
    EXPECT_EQ(0u, Format(r, 0, 2).dwEffects & CFE_BOLD);
    EXPECT_EQ((DWORD)CFE_BOLD, Format(r, 2, 4).dwEffects & CFE_BOLD);
    // The caret moves over whole characters and Backspace takes one whole.
    Select(r, 4, 4);
    PressKey(VK_LEFT);
    PumpUntilIdle();
    DWORD s = 0, e = 0;
    SendMessage(r, EM_GETSEL, (WPARAM)&s, (LPARAM)&e);
    EXPECT_EQ(2u, s);
    TypeText("\b");
    PumpUntilIdle();
    GetWindowText(r, text, sizeof(text));
    EXPECT_STREQ("나", text);
}

TEST_F(RichEditTest, ClicksAndDragsSelectWholeCharacters)
{
    HWND r = Make();
    SetWindowText(r, "가나다");
    LRESULT second = SendMessage(r, EM_POSFROMCHAR, 2, 0), third = SendMessage(r, EM_POSFROMCHAR, 4, 0);
    int x2 = (short)LOWORD(second), x3 = (short)LOWORD(third), y = (short)HIWORD(second) + 4;
    ASSERT_GT(x3, x2);
    struct Case {
        int x;
        DWORD caret;
    } cases[] = {{x2 + 1, 2}, {x3 - 1, 4}, {x2 + (x3 - x2) / 2 - 2, 2}, {290, 6}};
    for (const Case& c : cases) {
        Click(r, c.x, y);
        PumpUntilIdle();
        DWORD s = 0, e = 0;
        SendMessage(r, EM_GETSEL, (WPARAM)&s, (LPARAM)&e);
        EXPECT_EQ(c.caret, s) << c.x;
        EXPECT_EQ(c.caret, e) << c.x;
    }
    MouseDown(r, x2 + 1, y);
    MouseMove(r, 290, y);
    MouseUp(r, 290, y);
    PumpUntilIdle();
    DWORD s = 0, e = 0;
    SendMessage(r, EM_GETSEL, (WPARAM)&s, (LPARAM)&e);
    EXPECT_EQ(2u, s);
    EXPECT_EQ(6u, e);
}

TEST_F(RichEditTest, EnterStartsAParagraphWithTheSameFormat)
{
    HWND r = Make();
    TypeText("one");
    PARAFORMAT pf = {sizeof(pf), PFM_ALIGNMENT | PFM_NUMBERING};
    pf.wAlignment = PFA_CENTER;
    pf.wNumbering = PFN_BULLET;
    SendMessage(r, EM_SETPARAFORMAT, 0, (LPARAM)&pf);
    TypeText("\rtwo");
    PumpUntilIdle();
    EXPECT_EQ(7, GetWindowTextLength(r));  // "one\rtwo"
    for (LONG at : {0, 5}) {
        PARAFORMAT got = Paragraph(r, at);
        EXPECT_EQ(PFA_CENTER, got.wAlignment) << at;
        EXPECT_EQ(PFN_BULLET, got.wNumbering) << at;
    }
    // A selection over both reports what they share.
    pf = {sizeof(pf), PFM_ALIGNMENT};
    pf.wAlignment = PFA_RIGHT;
    Select(r, 0, 0);
    SendMessage(r, EM_SETPARAFORMAT, 0, (LPARAM)&pf);
    Select(r, 1, 6);
    PARAFORMAT both = {sizeof(both)};
    DWORD mask = (DWORD)SendMessage(r, EM_GETPARAFORMAT, 0, (LPARAM)&both);
    EXPECT_EQ(0u, mask & PFM_ALIGNMENT);
    EXPECT_EQ((DWORD)PFM_NUMBERING, mask & PFM_NUMBERING);
}

TEST_F(RichEditTest, RichTextStreamsInWithItsFormats)
{
    HWND r = Make();
    const std::string rtf =
        "{\\rtf1\\ansi\\ansicpg949\\deff0{\\fonttbl{\\f0\\fnil\\fcharset129 \\'b1\\'bc\\'b8\\'b2;}{\\f1 Arial;}}"
        "{\\colortbl ;\\red255\\green0\\blue0;}"
        "\\pard\\qc\\f0\\fs24 \\b \\'c7\\'d1\\b0 \\i\\cf1 \\'b1\\'db\\i0\\cf0\\par"
        "\\pard{\\*\\pn\\pnlvlblt{\\pntxtb\\'a1\\'a4}}{\\pntext\\'a1\\'a4\\tab}\\f1\\ul A\\ulnone\\u44032?}";
    LRESULT n = StreamIn(r, rtf);
    char text[32] = {};
    GetWindowText(r, text, sizeof(text));
    EXPECT_STREQ("한글\rA가", text);
    EXPECT_EQ((LRESULT)std::strlen(text), n);

    CHARFORMATA bold = Format(r, 0, 2);
    EXPECT_EQ((DWORD)CFE_BOLD, bold.dwEffects & (CFE_BOLD | CFE_ITALIC));
    EXPECT_STREQ("굴림", bold.szFaceName);
    EXPECT_EQ(240, bold.yHeight);
    CHARFORMATA red = Format(r, 2, 4);
    EXPECT_EQ((DWORD)CFE_ITALIC, red.dwEffects & (CFE_BOLD | CFE_ITALIC | CFE_AUTOCOLOR));
    EXPECT_EQ(RGB(255, 0, 0), red.crTextColor);
    CHARFORMATA latin = Format(r, 5, 6);
    EXPECT_STREQ("Arial", latin.szFaceName);
    EXPECT_EQ((DWORD)CFE_UNDERLINE, latin.dwEffects & CFE_UNDERLINE);

    EXPECT_EQ(PFA_CENTER, Paragraph(r, 0).wAlignment);
    EXPECT_EQ(0, Paragraph(r, 0).wNumbering);
    EXPECT_EQ(PFA_LEFT, Paragraph(r, 5).wAlignment);
    EXPECT_EQ(PFN_BULLET, Paragraph(r, 5).wNumbering);
}

TEST_F(RichEditTest, RichTextWrittenOutReadsBackTheSame)
{
    HWND r = Make();
    StreamIn(r, "{\\rtf1{\\colortbl;\\red0\\green0\\blue255;}\\qr\\b \\'b1\\'bd\\b0\\par\\ql\\cf1\\i {x\\}}\\par}");
    std::string rtf = StreamOut(r, SF_RTF);
    HWND copy = Child(RICHEDIT_CLASS, "", ES_MULTILINE, 10, 180, 300, 60, kRich + 1);
    StreamIn(copy, rtf);
    char a[32] = {}, b[32] = {};
    GetWindowText(r, a, sizeof(a));
    GetWindowText(copy, b, sizeof(b));
    EXPECT_STREQ("굵\rx}\r", a);
    EXPECT_STREQ(a, b);
    for (LONG at : {0, 3, 4}) {
        CHARFORMATA x = Format(r, at, at + 1), y = Format(copy, at, at + 1);
        EXPECT_EQ(x.dwEffects & (CFE_BOLD | CFE_ITALIC | CFE_AUTOCOLOR), y.dwEffects & (CFE_BOLD | CFE_ITALIC | CFE_AUTOCOLOR))
            << at;
        EXPECT_EQ(x.crTextColor, y.crTextColor) << at;
        EXPECT_EQ(Paragraph(r, at).wAlignment, Paragraph(copy, at).wAlignment) << at;
    }
    EXPECT_EQ("굵\r\nx}\r\n", StreamOut(r, SF_TEXT));
}

TEST_F(RichEditTest, SavingAndLoadingAgainKeepsBulletedTextAndLatinCharsets)
{
    HWND r = Make();
    StreamIn(r, "{\\rtf1{\\fonttbl{\\f0\\fnil\\fcharset129 \\'b1\\'bc\\'b8\\'b2;}{\\f1\\fnil\\fcharset0 Arial;}}"
                "\\pard{\\*\\pn\\pnlvlblt}\\f1 z\\par\\pard\\f0 \\'b0\\'a1}");
    for (int save = 1; save <= 3; ++save) {
        std::string rtf = StreamOut(r, SF_RTF);
        EXPECT_NE(std::string::npos, rtf.find("\\fcharset0 Arial;")) << rtf;
        EXPECT_NE(std::string::npos, rtf.find("\\fcharset129 ")) << rtf;
        StreamIn(r, rtf);
        char text[32] = {};
        GetWindowText(r, text, sizeof(text));
        EXPECT_STREQ("z\r가", text) << "after save " << save;
        EXPECT_EQ(PFN_BULLET, Paragraph(r, 0).wNumbering);
        EXPECT_EQ(ANSI_CHARSET, Format(r, 0, 1).bCharSet);
        EXPECT_EQ(HANGEUL_CHARSET, Format(r, 2, 4).bCharSet);
    }
}

TEST_F(RichEditTest, AStreamIntoASelectionKeepsToTheLimit)
{
    HWND r = Make();
    SendMessage(r, EM_EXLIMITTEXT, 0, 10);
    SetWindowText(r, "abcdef");
    Select(r, 2, 4);
    EXPECT_EQ(6, StreamIn(r, "0123456789", SF_TEXT | SFF_SELECTION));
    char text[32] = {};
    GetWindowText(r, text, sizeof(text));
    EXPECT_STREQ("ab012345ef", text);
    Select(r, 0, 0);
    EXPECT_EQ(0, StreamIn(r, "{\\rtf1 more}", SF_RTF | SFF_SELECTION));
    GetWindowText(r, text, sizeof(text));
    EXPECT_STREQ("ab012345ef", text);
}

// Layout is counted in the bytes it steps over: a 64 KB word costs in
// proportion to its length, a key only its own paragraph, a scroll nothing,
// and the lines come out as a fresh layout of the same text lays them.
TEST_F(RichEditTest, LayoutIsLinearAndRedoneOnlyWhereTheTextChanged)
{
    const size_t size = 64 * 1024;
    HWND r = Make(ES_MULTILINE | WS_VSCROLL, 300, 160);
    SendMessage(r, EM_EXLIMITTEXT, 0, 1 << 20);
    mivo::ResetTextLayoutSteps();
    ASSERT_EQ((LRESULT)size, StreamIn(r, std::string(size, 'w'), SF_TEXT));
    EXPECT_LT(mivo::TextLayoutSteps(), 32 * (uint64_t)size);
    EXPECT_GT(SendMessage(r, EM_GETLINECOUNT, 0, 0), 100);

    std::string text;
    std::vector<LONG> starts;
    for (int i = 0; text.size() < size; ++i) {
        starts.push_back((LONG)text.size());
        text += "줄 " + std::to_string(i) + " 에는 몇 개의 낱말이 들어 있고 가끔은 한 줄을 넘게 이어집니다\r";
    }
    StreamIn(r, text, SF_TEXT);
    const uint64_t paragraph = 200;  // comfortably more than the bytes of one paragraph
    struct {
        const char* what;
        LONG at;
        UINT key;
        const char* typed;
    } edits[] = {
        {"a letter", starts[500] + 3, 0, "x"},
        {"a Korean letter", starts[10], 0, "한"},
        {"a new paragraph", starts[700] + 5, 0, "\r"},
        {"a joined paragraph", starts[900], VK_BACK, nullptr},
        {"a deleted letter", starts[1000], VK_DELETE, nullptr},
    };
    for (const auto& e : edits) {
        Select(r, e.at, e.at);
        mivo::ResetTextLayoutSteps();
        if (e.typed)
            TypeText(e.typed);
        else
            PressKey(e.key);
        PumpUntilIdle();
        EXPECT_LT(mivo::TextLayoutSteps(), 3 * paragraph) << e.what;
    }
    mivo::ResetTextLayoutSteps();
    for (WPARAM code : {SB_PAGEDOWN, SB_LINEDOWN, SB_BOTTOM, SB_PAGEUP, SB_TOP})
        SendMessage(r, WM_VSCROLL, code, 0);
    UpdateWindow(r);
    EXPECT_EQ(0u, mivo::TextLayoutSteps());

    HWND fresh = Child(RICHEDIT_CLASS, "", ES_MULTILINE | WS_VSCROLL, 10, 10, 300, 160, kRich + 1);
    SendMessage(fresh, EM_EXLIMITTEXT, 0, 1 << 20);
    StreamIn(fresh, StreamOut(r, SF_RTF));
    LRESULT lines = SendMessage(r, EM_GETLINECOUNT, 0, 0);
    ASSERT_EQ(SendMessage(fresh, EM_GETLINECOUNT, 0, 0), lines);
    for (LRESULT i = 0; i < lines; ++i) {
        LRESULT start = SendMessage(r, EM_LINEINDEX, (WPARAM)i, 0);
        ASSERT_EQ(SendMessage(fresh, EM_LINEINDEX, (WPARAM)i, 0), start) << "line " << i;
        ASSERT_EQ(SendMessage(fresh, EM_POSFROMCHAR, (WPARAM)start, 0), SendMessage(r, EM_POSFROMCHAR, (WPARAM)start, 0))
            << "line " << i;
    }
}

TEST_F(RichEditTest, PlainStreamsAndTextThatIsNotRichTextStayText)
{
    HWND r = Make();
    EXPECT_EQ(5, StreamIn(r, "ab\r\ncd", SF_TEXT));
    char text[16] = {};
    GetWindowText(r, text, sizeof(text));
    EXPECT_STREQ("ab\rcd", text);
    StreamIn(r, "{\\b no header}", SF_RTF);
    GetWindowText(r, text, sizeof(text));
    EXPECT_STREQ("{\\b no header}", text);
}

// Streams from outside may be broken or built to hurt: each is read to its
// end, leaves whole characters only and paints.
TEST_F(RichEditTest, HostileRichTextIsSurvived)
{
    std::vector<std::pair<std::string, std::string>> cases = {
        {"unterminated group", "{\\rtf1 {\\b abc"},
        {"stray closing braces", "{\\rtf1 a}}}}b}"},
        {"deep nesting", "{\\rtf1 " + std::string(200000, '{') + "x" + std::string(200000, '}')},
        {"bad hex escapes", "{\\rtf1 \\'zz\\'4\\'\\'c7}"},
        {"lone lead byte", "{\\rtf1 \\'c7\\par \\'b0}"},
        {"huge numbers", "{\\rtf1 \\fs99999999999999999999999 \\cf4294967297 \\f-99999999999 \\li99999999999 x}"},
        {"huge unicode", "{\\rtf1 \\uc99999999 \\u-99999999999 \\u55296 y}"},
        {"control word without end", "{\\rtf1 \\" + std::string(100000, 'a')},
        {"escape at the very end", "{\\rtf1 x\\'"},
        {"font table entries without end", "{\\rtf1{\\fonttbl" + std::string(5000, ';') + "{\\f1 " + std::string(500, 'F')},
        {"colour table overflow", "{\\rtf1{\\colortbl" + std::string(100000, ';') + "}\\cf99999 z}"},
        {"many paragraphs", [] {
             std::string s = "{\\rtf1 ";
             for (int i = 0; i < 40000; ++i)
                 s += "\\par ";
             return s + "}";
         }()},
        {"more formats than are kept", [] {
             std::string s = "{\\rtf1{\\colortbl;";
             for (int c = 0; c < 255; ++c)
                 s += "\\red" + std::to_string(c) + "\\green1\\blue2;";
             s += "}";
             for (int i = 0; i < 8192; ++i)
                 s += "\\cf" + std::to_string(i % 256) + "\\b" + std::to_string(i / 256 % 2) + "\\i" +
                      std::to_string(i / 512 % 2) + "\\ul" + std::to_string(i / 1024 % 2) + "\\strike" +
                      std::to_string(i / 2048 % 2) + "\\fs" + std::to_string(20 + i / 4096 * 2) + " a";
             return s;
         }()},
    };
    DIR* dir = opendir(MIVO_HOSTILE_DIR);
    ASSERT_NE(nullptr, dir);
    while (dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".rtf") == 0) {
            std::ifstream in(std::string(MIVO_HOSTILE_DIR) + "/" + name, std::ios::binary);
            std::ostringstream data;
            data << in.rdbuf();
            cases.push_back({name, data.str()});
        }
    }
    closedir(dir);

    HWND r = Make();
    for (const auto& c : cases) {
        StreamIn(r, c.second);
        int n = GetWindowTextLength(r);
        std::string text((size_t)n + 1, '\0');
        GetWindowText(r, &text[0], n + 1);
        text.resize((size_t)n);
        EXPECT_TRUE(WholeCharacters(text)) << c.first;
        InvalidateRect(r, nullptr, TRUE);
        UpdateWindow(r);
        EXPECT_TRUE(IsWindow(r)) << c.first;
    }
}

TEST_F(RichEditTest, LoneLeadBytesBecomeQuestionMarks)
{
    HWND r = Make();
    StreamIn(r, "{\\rtf1 \\'c7\\par \\'b0}");
    char text[16] = {};
    GetWindowText(r, text, sizeof(text));
    EXPECT_STREQ("?\r?", text);
}

TEST_F(RichEditTest, FormatRangeFillsPagesAndStopsWhereNothingFits)
{
    HWND r = Make();
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "줄 " + std::to_string(i) + "\r";
    SetWindowText(r, text.c_str());
    LONG length = GetWindowTextLength(r);
    HDC dc = CreateCompatibleDC(nullptr);  // 96 dots per inch

    FORMATRANGE fr = {dc, dc, {0, 0, 1440 * 4, 1440 * 2}, {0, 0, 1440 * 4, 1440 * 2}, {0, -1}};
    std::vector<LONG> starts;
    for (LONG at = 0; at < length && starts.size() < 100;) {
        starts.push_back(at);
        fr.chrg.cpMin = at;
        LONG next = (LONG)SendMessage(r, EM_FORMATRANGE, FALSE, (LPARAM)&fr);
        ASSERT_GT(next, at) << "a two-inch page takes some lines";
        at = next;
    }
    EXPECT_GT(starts.size(), 1u) << "forty lines do not fit two inches";
    EXPECT_LT(starts.size(), 40u);

    // A page smaller than a line (or of no width) takes nothing.
    for (RECT tiny : {RECT{0, 0, 1440 * 4, 10}, RECT{0, 0, 0, 1440 * 2}}) {
        fr.rc = tiny;
        fr.chrg.cpMin = 0;
        EXPECT_EQ(0, SendMessage(r, EM_FORMATRANGE, TRUE, (LPARAM)&fr));
    }
    // A page large enough takes everything; a range stops at its end.
    fr.rc = {0, 0, 1440 * 8, 1440 * 100};
    fr.chrg = {0, -1};
    EXPECT_EQ(length, SendMessage(r, EM_FORMATRANGE, TRUE, (LPARAM)&fr));
    fr.chrg = {0, 8};
    EXPECT_EQ(8, SendMessage(r, EM_FORMATRANGE, FALSE, (LPARAM)&fr));
    RECT band = {0, 0, 800, 800};
    EXPECT_TRUE(SendMessage(r, EM_DISPLAYBAND, 0, (LPARAM)&band));
    SendMessage(r, EM_FORMATRANGE, FALSE, 0);
    EXPECT_FALSE(SendMessage(r, EM_DISPLAYBAND, 0, (LPARAM)&band));
    DeleteDC(dc);
}

TEST_F(RichEditTest, PaintsColouredRunsAndTheBullet)
{
    HWND r = Make(ES_MULTILINE, 300, 80);
    StreamIn(r, "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
                "\\fs36\\cf1 \\'c7\\'d1\\'b1\\'db\\par{\\*\\pn\\pnlvlblt}\\cf2 \\'b1\\'db}");
    SendMessage(r, EM_HIDESELECTION, TRUE, 0);
    SetFocus(parent);
    InvalidateRect(r, nullptr, TRUE);
    PumpUntilIdle();
    WindowImage image = CaptureWindow(r, true);
    int redLeft = image.width, blueLeft = image.width, redBottom = 0, blueTop = image.height;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            COLORREF c = image.At(x, y);
            if (c == RGB(255, 0, 0)) {
                redLeft = std::min(redLeft, x);
                redBottom = std::max(redBottom, y);
            } else if (c == RGB(0, 0, 255)) {
                blueLeft = std::min(blueLeft, x);
                blueTop = std::min(blueTop, y);
            }
        }
    ASSERT_LT(redLeft, image.width) << "the red run is painted";
    ASSERT_LT(blueLeft, image.width) << "the blue run is painted";
    EXPECT_LT(redLeft, 8) << "the first paragraph starts at the left margin";
    EXPECT_GT(blueTop, redBottom - 4) << "the second paragraph lies below";
    EXPECT_LT(blueLeft, 12) << "the bullet, in the text's colour, stands at the left";
    int textLeft = image.width;
    for (int y = blueTop; y < image.height; ++y)
        for (int x = blueLeft + 12; x < image.width; ++x)
            if (image.At(x, y) == RGB(0, 0, 255))
                textLeft = std::min(textLeft, x);
    EXPECT_LT(textLeft, image.width) << "the bulleted text follows its bullet";
}

TEST_F(RichEditTest, UnderlinesLieBelowTheBaselineWithinTheirOwnLine)
{
    HWND r = Make(ES_MULTILINE, 300, 120);
    StreamIn(r, "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
                "\\fs20\\cf1\\ul xxxx xxxx\\ulnone\\par\\cf2 BBBB}");
    SendMessage(r, EM_HIDESELECTION, TRUE, 0);
    SetFocus(parent);
    InvalidateRect(r, nullptr, TRUE);
    PumpUntilIdle();
    WindowImage image = CaptureWindow(r, true);
    int underline = -1, longest = 0, lettersBottom = -1, blueTop = image.height;
    for (int y = 0; y < image.height; ++y) {
        int red = 0;
        for (int x = 0; x < image.width; ++x) {
            red += image.At(x, y) == RGB(255, 0, 0);
            if (image.At(x, y) == RGB(0, 0, 255))
                blueTop = std::min(blueTop, y);
        }
        if (red > longest)
            longest = red, underline = y;
        if (red > 0 && red < 20)
            lettersBottom = std::max(lettersBottom, y);
    }
    int secondTop = (short)HIWORD(SendMessage(r, EM_POSFROMCHAR, 10, 0));
    ASSERT_GT(longest, 40) << "an underline is drawn";
    EXPECT_LT(underline, secondTop) << "inside the first line";
    EXPECT_LT(underline, blueTop);
    EXPECT_GE(underline, lettersBottom - 2) << "under the letters, not through them";
}
