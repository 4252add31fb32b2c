// Fonts and text: Korean faces, metrics, DrawText layout and vertical text.
#include "GdiTestUtil.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

using namespace gditest;

namespace {

HFONT MakeFont(const char* face, int height, int escapement = 0)
{
    LOGFONT lf = {};
    lf.lfHeight = height;
    lf.lfWeight = FW_NORMAL;
    lf.lfEscapement = escapement;
    lf.lfOrientation = escapement;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirect(&lf);
}

// Draws text and returns the canvas pixels as a string of '#' and '.'.
std::string Render(const char* face, const char* text, int height = -16)
{
    Canvas c(120, 30);
    HFONT f = MakeFont(face, height);
    Select s(c.dc, f);
    SetBkMode(c.dc, TRANSPARENT);
    TextOut(c.dc, 2, 2, text, (int)std::strlen(text));
    std::string out;
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x)
            out.push_back(IsDark(c.At(x, y)) ? '#' : '.');
    SelectObject(c.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(f);
    return out;
}

bool HasCp949Boundaries(const std::string& s)
{
    for (size_t i = 0; i < s.size(); ++i) {
        unsigned char c = (unsigned char)s[i];
        if (c >= 0x81 && c <= 0xFE) {
            if (i + 1 >= s.size() || (unsigned char)s[i + 1] < 0x41)
                return false;
            ++i;
        }
    }
    return true;
}

}  // namespace

TEST(GdiText, KoreanFaceNamesDrawHangulWithAKoreanFont)
{
    std::string gulim = Render("굴림", "가나다라");
    std::string nanum = Render("NanumGothic", "가나다라");
    EXPECT_NE(gulim.find('#'), std::string::npos);
    EXPECT_EQ(gulim, nanum);
    EXPECT_EQ(Render("Gulim", "가나다라"), nanum);
    EXPECT_EQ(Render("돋움", "가나다라"), nanum);
    // 바탕 is a serif face: a different drawing.
    EXPECT_NE(Render("바탕", "가나다라"), nanum);
    // Latin faces map to their metric-compatible stand-ins.
    EXPECT_EQ(Render("Arial", "Hello"), Render("Liberation Sans", "Hello"));
    EXPECT_EQ(Render("Times New Roman", "Hello"), Render("Liberation Serif", "Hello"));
    EXPECT_NE(Render("Courier New", "Hello"), Render("Arial", "Hello"));
}

TEST(GdiText, HeightSignRules)
{
    Canvas c(10, 10);
    TEXTMETRIC tm;
    HFONT cell = MakeFont("굴림", 20);
    {
        Select s(c.dc, cell);
        ASSERT_TRUE(GetTextMetrics(c.dc, &tm));
        EXPECT_LE(tm.tmHeight, 20);
        EXPECT_GE(tm.tmHeight, 18);
        EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
        EXPECT_EQ(tm.tmCharSet, HANGEUL_CHARSET);
    }
    HFONT character = MakeFont("굴림", -20);
    {
        Select s(c.dc, character);
        ASSERT_TRUE(GetTextMetrics(c.dc, &tm));
        EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 20);
        SIZE sz;
        ASSERT_TRUE(GetTextExtentPoint32(c.dc, "가", 2, &sz));
        EXPECT_EQ(sz.cy, tm.tmHeight);
        SIZE two;
        GetTextExtentPoint32(c.dc, "가가", 4, &two);
        EXPECT_EQ(two.cx, 2 * sz.cx);
        SIZE none;
        GetTextExtentPoint32(c.dc, "", 0, &none);
        EXPECT_EQ(none.cx, 0);
        char face[LF_FACESIZE];
        EXPECT_EQ(GetTextFace(c.dc, sizeof(face), face), 5);
        EXPECT_STREQ(face, "굴림");
        INT widths[2];
        ASSERT_TRUE(GetCharWidth(c.dc, 'A', 'B', widths));
        EXPECT_GT(widths[0], 0);
    }
    DeleteObject(cell);
    DeleteObject(character);
}

// Menus measure "Open\tCtrl+O" in one piece: the tab must take room, in both forms.
TEST(GdiText, ExtentsGiveATabAWidth)
{
    Canvas c(10, 10);
    HFONT font = MakeFont("굴림", -12);
    {
        Select s(c.dc, font);
        SIZE plain, tabbed, wide, blank;
        ASSERT_TRUE(GetTextExtentPoint32(c.dc, "ab", 2, &plain));
        ASSERT_TRUE(GetTextExtentPoint32(c.dc, "a\tb", 3, &tabbed));
        ASSERT_TRUE(GetTextExtentPoint32W(c.dc, (LPCWSTR)u"a\tb", 3, &wide));
        ASSERT_TRUE(GetTextExtentPoint32(c.dc, " ", 1, &blank));
        EXPECT_GT(blank.cx, 0);
        EXPECT_EQ(tabbed.cx, plain.cx + blank.cx);
        EXPECT_EQ(wide.cx, tabbed.cx);
    }
    DeleteObject(font);
}

TEST(GdiText, DrawTextCalcRectBoundsWhatItDraws)
{
    Canvas c(200, 100);
    HFONT f = MakeFont("굴림", -14);
    Select s(c.dc, f);
    const char* text = "한글 Text 그리기";
    RECT calc = {10, 10, 10, 10};
    int h = DrawText(c.dc, text, -1, &calc, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
    EXPECT_GT(calc.right, 10 + 50);
    EXPECT_EQ(calc.bottom - calc.top, h);
    EXPECT_EQ(c.Count(kWhite), 200 * 100);  // measuring draws nothing

    RECT draw = {10, 10, 190, 90};
    SetBkMode(c.dc, TRANSPARENT);
    EXPECT_EQ(DrawText(c.dc, text, -1, &draw, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX), h);
    RECT ink = c.Extent(kWhite);
    EXPECT_GE(ink.left, calc.left);
    EXPECT_LE(ink.right, calc.right);
    EXPECT_GE(ink.top, calc.top);
    EXPECT_LE(ink.bottom, calc.bottom);
    EXPECT_GT(ink.right - ink.left, (calc.right - calc.left) * 3 / 4);

    // An empty text still measures one line.
    RECT empty = {5, 5, 50, 50};
    EXPECT_EQ(DrawText(c.dc, "", 0, &empty, DT_SINGLELINE | DT_CALCRECT), h);
    EXPECT_TRUE(RectIs(empty, 5, 5, 5, 5 + h));
    SelectObject(c.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(f);
}

TEST(GdiText, AlignmentWithinTheRectangle)
{
    Canvas c(200, 60);
    HFONT f = MakeFont("굴림", -12);
    Select s(c.dc, f);
    SetBkMode(c.dc, TRANSPARENT);
    RECT r = {0, 0, 200, 60};
    DrawText(c.dc, "가나", -1, &r, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE);
    RECT ink = c.Extent(kWhite);
    EXPECT_GT(ink.left, 150);
    EXPECT_GT(ink.top, 35);

    c.Fill(kWhite);
    int h = DrawText(c.dc, "가나", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ink = c.Extent(kWhite);
    EXPECT_NEAR((ink.left + ink.right) / 2, 100, 3);
    EXPECT_NEAR((ink.top + ink.bottom) / 2, 30, 4);
    EXPECT_GT(h, 30);  // offset from the top to the text's bottom

    // DT_VCENTER without DT_SINGLELINE stays at the top.
    c.Fill(kWhite);
    DrawText(c.dc, "가나", -1, &r, DT_LEFT | DT_VCENTER);
    EXPECT_LT(c.Extent(kWhite).top, 8);
    SelectObject(c.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(f);
}

TEST(GdiText, WordWrapAndEllipsisNeverSplitACharacter)
{
    Canvas c(300, 300);
    HFONT f = MakeFont("굴림", -12);
    Select s(c.dc, f);
    TEXTMETRIC tm;
    GetTextMetrics(c.dc, &tm);
    const char* text = "대한민국의 수도는 서울이고 가장 큰 항구 도시는 부산이다";
    RECT r = {0, 0, 60, 0};
    int h = DrawText(c.dc, text, -1, &r, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_GE(h, 3 * tm.tmHeight);
    EXPECT_EQ(h % tm.tmHeight, 0);
    EXPECT_LE(r.right, 60 + 2 * tm.tmMaxCharWidth);

    // Long Korean text without spaces still wraps, between characters.
    const char* solid = "가나다라마바사아자차카타파하";
    RECT narrow = {0, 0, 40, 0};
    h = DrawText(c.dc, solid, -1, &narrow, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_GE(h, 3 * tm.tmHeight);
    EXPECT_LE(narrow.right, 40);

    // End ellipsis with DT_MODIFYSTRING shortens at a character boundary.
    char buf[128];
    std::strcpy(buf, solid);
    RECT cut = {0, 0, 50, 20};
    DrawText(c.dc, buf, -1, &cut, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
    std::string shown = buf;
    ASSERT_GE(shown.size(), 3u);
    EXPECT_EQ(shown.substr(shown.size() - 3), "...");
    EXPECT_TRUE(HasCp949Boundaries(shown));
    EXPECT_EQ(std::string(solid).compare(0, shown.size() - 3, shown, 0, shown.size() - 3), 0);
    EXPECT_LT(shown.size(), std::strlen(solid));

    // Path ellipsis keeps the file name.
    std::strcpy(buf, "C:\\사진\\여행\\2004\\제주도\\바다.jpg");
    RECT path = {0, 0, 90, 20};
    DrawText(c.dc, buf, -1, &path, DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_MODIFYSTRING);
    shown = buf;
    EXPECT_NE(shown.find("..."), std::string::npos);
    EXPECT_EQ(shown.substr(shown.size() - std::strlen("\\바다.jpg")), "\\바다.jpg");
    EXPECT_TRUE(HasCp949Boundaries(shown));
    SelectObject(c.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(f);
}

TEST(GdiText, PrefixUnderlinesAndTabs)
{
    Canvas c(200, 40);
    HFONT f = MakeFont("굴림", -14);
    Select s(c.dc, f);
    RECT a = {0, 0, 0, 0}, b = {0, 0, 0, 0};
    DrawText(c.dc, "&File", -1, &a, DT_SINGLELINE | DT_CALCRECT);
    DrawText(c.dc, "File", -1, &b, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(a.right, b.right);
    RECT n = {0, 0, 0, 0};
    DrawText(c.dc, "&File", -1, &n, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
    EXPECT_GT(n.right, b.right);

    RECT r = {0, 0, 200, 40};
    SetBkMode(c.dc, TRANSPARENT);
    DrawText(c.dc, "File", -1, &r, DT_SINGLELINE);
    int plain = c.Count(kWhite);
    c.Fill(kWhite);
    DrawText(c.dc, "&File", -1, &r, DT_SINGLELINE);
    EXPECT_LT(c.Count(kWhite), plain);  // the underline adds ink

    RECT t1 = {0, 0, 0, 0}, t2 = {0, 0, 0, 0};
    DrawText(c.dc, "a\tb", -1, &t1, DT_SINGLELINE | DT_CALCRECT | DT_EXPANDTABS);
    DrawText(c.dc, "ab", -1, &t2, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_GT(t1.right, t2.right);
    DWORD ext = GetTabbedTextExtent(c.dc, "a\tb", 3, 0, nullptr);
    EXPECT_GT(LOWORD(ext), (WORD)t2.right);
    SelectObject(c.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(f);
}

TEST(GdiText, OpaqueBackgroundAndTextAlign)
{
    Canvas c(100, 40);
    HFONT f = MakeFont("굴림", -12);
    Select s(c.dc, f);
    SetBkColor(c.dc, RGB(0, 0, 255));
    SetBkMode(c.dc, OPAQUE);
    TextOut(c.dc, 10, 5, "A", 1);
    SIZE sz;
    GetTextExtentPoint32(c.dc, "A", 1, &sz);
    EXPECT_TRUE(RectIs(c.Extent(kWhite), 10, 5, 10 + sz.cx, 5 + sz.cy));
    EXPECT_GT(c.Count(RGB(0, 0, 255)), 0);

    c.Fill(kWhite);
    SetTextAlign(c.dc, TA_RIGHT | TA_BOTTOM);
    TextOut(c.dc, 50, 30, "A", 1);
    EXPECT_TRUE(RectIs(c.Extent(kWhite), 50 - sz.cx, 30 - sz.cy, 50, 30));

    c.Fill(kWhite);
    SetTextAlign(c.dc, TA_LEFT | TA_TOP | TA_UPDATECP);
    MoveToEx(c.dc, 5, 5, nullptr);
    TextOut(c.dc, 0, 0, "AA", 2);
    POINT pos;
    GetCurrentPositionEx(c.dc, &pos);
    EXPECT_EQ(pos.x, 5 + 2 * sz.cx);
    SelectObject(c.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(f);
}

TEST(GdiText, VerticalTextWithEscapement900)
{
    Canvas c(60, 120);
    HFONT f = MakeFont("굴림", -16, 900);
    Select s(c.dc, f);
    SetBkMode(c.dc, TRANSPARENT);
    TextOut(c.dc, 20, 110, "가나다라마", 10);
    RECT ink = c.Extent(kWhite);
    EXPECT_GT(ink.bottom - ink.top, 3 * (ink.right - ink.left));
    // Written upwards from the reference point, the cell to its right.
    EXPECT_LE(ink.bottom, 111);
    EXPECT_GE(ink.left, 19);
    SelectObject(c.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(f);
}

TEST(GdiText, TextOnMonochromeAndClippedExtTextOut)
{
    Canvas mono(60, 20, kWhite, 1);
    HFONT f = MakeFont("굴림", -14);
    Select s(mono.dc, f);
    SetBkMode(mono.dc, TRANSPARENT);
    TextOut(mono.dc, 2, 2, "가나", 4);
    EXPECT_GT(mono.Count(kBlack), 10);

    Canvas c(60, 20, RGB(0, 255, 0));
    Select s2(c.dc, f);
    RECT clip = {0, 0, 8, 20};
    SetBkColor(c.dc, RGB(255, 0, 0));
    ASSERT_TRUE(ExtTextOut(c.dc, 2, 2, ETO_CLIPPED | ETO_OPAQUE, &clip, "가나다", 6, nullptr));
    EXPECT_EQ(c.Extent(RGB(0, 255, 0)).right, 8);
    EXPECT_EQ(c.At(0, 19), RGB(255, 0, 0));  // the opaque rectangle
    c.Fill(kWhite);
    SetBkMode(c.dc, TRANSPARENT);
    ExtTextOut(c.dc, 0, 0, 0, nullptr, "가나다", 6, nullptr);
    LONG natural = c.Extent(kWhite).right;
    // Per-byte advances: a double-byte character's two entries add up.
    INT dx[6] = {6, 4, 6, 4, 6, 4};
    c.Fill(kWhite);
    ExtTextOut(c.dc, 0, 0, 0, nullptr, "가나다", 6, dx);
    EXPECT_LT(c.Extent(kWhite).right, natural);
    EXPECT_GT(c.Extent(kWhite).right, 20);
    SelectObject(mono.dc, GetStockObject(SYSTEM_FONT));
    SelectObject(c.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(f);
}

static int CALLBACK CollectFace(const LOGFONT* lf, const TEXTMETRIC*, DWORD type, LPARAM lParam)
{
    auto* names = reinterpret_cast<std::vector<std::string>*>(lParam);
    names->push_back(lf->lfFaceName);
    EXPECT_EQ(type, (DWORD)TRUETYPE_FONTTYPE);
    return names->size() < 1000 ? 1 : 0;
}

static int CALLBACK StopAtOnce(const LOGFONT*, const TEXTMETRIC*, DWORD, LPARAM lParam)
{
    ++*reinterpret_cast<int*>(lParam);
    return 0;
}

TEST(GdiText, EnumFontFamiliesOffersKoreanNames)
{
    Canvas c(2, 2);
    std::vector<std::string> names;
    EXPECT_NE(EnumFontFamilies(c.dc, nullptr, CollectFace, (LPARAM)&names), 0);
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.front(), "굴림");
    auto has = [&](const char* n) { return std::find(names.begin(), names.end(), n) != names.end(); };
    EXPECT_TRUE(has("돋움"));
    EXPECT_TRUE(has("Arial"));
    int calls = 0;
    EXPECT_EQ(EnumFontFamilies(c.dc, nullptr, StopAtOnce, (LPARAM)&calls), 0);
    EXPECT_EQ(calls, 1);
    names.clear();
    EnumFontFamilies(c.dc, "arial", CollectFace, (LPARAM)&names);
    EXPECT_EQ(names.size(), 1u);
}
