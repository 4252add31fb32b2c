// The combo box with codes: names and codes in one order, focus colours for
// its children, and the flat frame painted over the control's own.
#include <gtest/gtest.h>

#include "ControlHost.h"
#include "controls/VXComboBox.h"
#include "support/MessageLoop.h"
#include "support/WindowCapture.h"

#include <cstring>
#include "support/FrameworkThrow.h"

using controlstest::ControlHost;

namespace {

const COLORREF kFocusBlue = RGB(153, 185, 230);

struct ComboField {
    ControlHost host;
    CVXComboBox combo;

    explicit ComboField(DWORD style = CBS_DROPDOWN, DWORD exStyle = 0)
    {
        combo.CreateEx(exStyle, "ComboBox", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | style, CRect(10, 10, 200, 200),
                       host.wnd(), 101);
    }
    HWND Edit() { return ::GetWindow(combo.m_hWnd, GW_CHILD); }
};

COLORREF BrushColour(HBRUSH brush)
{
    LOGBRUSH lb = {};
    ::GetObject(brush, sizeof(lb), &lb);
    return lb.lbColor;
}

}  // namespace

TEST(VXComboBox, MatchCodeUsesTheBoxTextAndEmptyGivesNull)
{
    ComboField f;
    f.combo.AddStringCode("Seoul", "SEL");
    f.combo.AddStringCode("Busan", "PUS");
    f.combo.SetWindowText("Busan");
    EXPECT_STREQ(f.combo.GetMatchCode(), "PUS");
    EXPECT_STREQ(f.combo.GetMatchCode("Seoul"), "SEL");
    EXPECT_EQ(f.combo.GetMatchCode("seoul"), nullptr) << "names compare exactly";
    f.combo.SetWindowText("");
    EXPECT_EQ(f.combo.GetMatchCode(), nullptr);
    EXPECT_STREQ(f.combo.GetMatchCode(1), "PUS");
}

TEST(VXComboBox, SameNameTwiceGivesTheFirstCode)
{
    ComboField f;
    f.combo.AddStringCode("Jung-gu", "SEOUL-JUNG");
    f.combo.AddStringCode("Jung-gu", "BUSAN-JUNG");
    EXPECT_STREQ(f.combo.GetMatchCode("Jung-gu"), "SEOUL-JUNG");
    char name[16] = "";
    EXPECT_STREQ(f.combo.GetMatchName("BUSAN-JUNG", name), "Jung-gu");
}

TEST(VXComboBox, MatchNameLeavesTheBufferWhenNothingMatches)
{
    ComboField f;
    f.combo.AddStringCode("Seoul", "SEL");
    char name[16] = "kept";
    EXPECT_EQ(f.combo.GetMatchName("XXX", name), name);
    EXPECT_STREQ(name, "kept");
}

TEST(VXComboBox, MatchNameIsCutOnACharacterBoundary)
{
    ComboField f;
    f.combo.AddStringCode("\xBA\xCE\xBB\xEA\xB1\xA4\xBF\xAA\xBD\xC3", "PUS");  // 부산광역시
    char name[8];
    std::memset(name, 'z', sizeof(name));
    f.combo.GetMatchName("PUS", name, 5);
    EXPECT_STREQ(name, "\xBA\xCE\xBB\xEA") << "two whole syllables, not half of the third";
}

TEST(VXComboBox, ResetContentClearsBothResetCodeArrayOnlyTheCodes)
{
    ComboField f;
    f.combo.AddStringCode("Seoul", "SEL");
    f.combo.ResetCodeArray();
    EXPECT_EQ(f.combo.GetCount(), 1);
    char name[16] = "kept";
    f.combo.GetMatchName("SEL", name);
    EXPECT_STREQ(name, "kept");
    EXPECT_TRUE(mivo::test::ThrowsFrameworkException<CInvalidArgException>([&] { f.combo.GetMatchCode("Seoul"); }))
        << "an item without a code";

    f.combo.AddStringCode("Busan", "PUS");
    f.combo.ResetContent();
    EXPECT_EQ(f.combo.GetCount(), 0);
    EXPECT_TRUE(mivo::test::ThrowsFrameworkException<CInvalidArgException>([&] { f.combo.GetMatchCode(0); }));
}

TEST(VXComboBox, SortedBoxKeepsNamesWithTheirCodes)
{
    ComboField f(CBS_DROPDOWN | CBS_SORT);
    f.combo.AddStringCode("Seoul", "SEL");
    EXPECT_EQ(f.combo.AddStringCode("Busan", "PUS"), 1);
    EXPECT_STREQ(f.combo.GetMatchCode("Busan"), "PUS");
    EXPECT_STREQ(f.combo.GetMatchCode("Seoul"), "SEL");
}

TEST(VXComboBox, FocusColourReachesTheChildrenBrush)
{
    ComboField f;
    HDC dc = ::GetDC(f.Edit());
    HBRUSH normal = (HBRUSH)::SendMessage(f.combo.m_hWnd, WM_CTLCOLOREDIT, (WPARAM)dc, (LPARAM)f.Edit());
    EXPECT_EQ(BrushColour(normal), GetSysColor(COLOR_WINDOW));

    f.combo.SetFocus();
    mivo::test::PumpUntilIdle();
    EXPECT_EQ(f.combo.GetEditBkColor(), kFocusBlue);
    HBRUSH focused = (HBRUSH)::SendMessage(f.combo.m_hWnd, WM_CTLCOLOREDIT, (WPARAM)dc, (LPARAM)f.Edit());
    EXPECT_EQ(BrushColour(focused), kFocusBlue);
    EXPECT_EQ(::GetBkColor(dc), kFocusBlue);
    ::ReleaseDC(f.Edit(), dc);
    mivo::test::WindowImage edit = mivo::test::CaptureWindow(f.Edit(), true);
    EXPECT_EQ(edit.At(edit.width - 3, edit.height / 2), kFocusBlue);

    f.host.wnd()->SetFocus();
    mivo::test::PumpUntilIdle();
    EXPECT_EQ(f.combo.GetEditBkColor(), GetSysColor(COLOR_WINDOW));
}

TEST(VXComboBox, FlatFrameIsDrawnAndPaintingSettles)
{
    ComboField f(CBS_DROPDOWN, WS_EX_CLIENTEDGE);
    bool settled = mivo::test::PumpUntil([&] {
        mivo::test::PumpUntilIdle();
        return !::GetUpdateRect(f.combo.m_hWnd, nullptr, FALSE);
    }, 3000);
    EXPECT_TRUE(settled);
    EXPECT_EQ(f.combo.GetExStyle() & WS_EX_CLIENTEDGE, 0u);

    mivo::test::WindowImage img = mivo::test::CaptureWindow(f.combo.m_hWnd);
    ASSERT_GT(img.width, 20);
    EXPECT_EQ(img.At(0, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(img.At(img.width - 1, img.height - 1), GetSysColor(COLOR_BTNHILIGHT));
    EXPECT_EQ(img.At(1, img.height / 2), GetSysColor(COLOR_BTNFACE));
    // The drop button's raised edge stands one scroll-arrow width from the right.
    int buttonLeft = img.width - 2 - GetSystemMetrics(SM_CXHSCROLL);
    EXPECT_EQ(img.At(buttonLeft, img.height / 2), GetSysColor(COLOR_BTNHILIGHT));
    EXPECT_EQ(img.At(img.width - 3, img.height / 2), GetSysColor(COLOR_BTNSHADOW));
}

TEST(VXComboBox, FontFromPoints)
{
    ComboField f;
    f.combo.SetComboBoxFont("Arial", 9);
    LOGFONT lf;
    ASSERT_TRUE(f.combo.GetFont()->GetLogFont(&lf));
    EXPECT_EQ(lf.lfHeight, -12);
}
