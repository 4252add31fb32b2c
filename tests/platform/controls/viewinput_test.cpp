// The input the list and tree views share: focus notifications, double clicks
// of either button, scroll bar codes and wheel turns, checked on both views.
#include "CommonFixture.h"

#include <string>

namespace commctrl_test {
namespace {

const int kRows = 60;

struct ViewKind {
    const char* name;
    const char* cls;
    DWORD style;
};

const ViewKind kViews[] = {{"list", WC_LISTVIEW, LVS_REPORT | LVS_NOCOLUMNHEADER | WS_BORDER},
                           {"tree", WC_TREEVIEW, WS_BORDER}};

class ViewInput : public CommonFixture, public ::testing::WithParamInterface<ViewKind> {
protected:
    void SetUp() override
    {
        CommonFixture::SetUp();
        view = Child(GetParam().cls, GetParam().style, 10, 10, 300, 200, 300);
        ASSERT_NE(view, nullptr);
        bool list = std::string(GetParam().cls) == WC_LISTVIEW;
        if (list) {
            LVCOLUMN column = {LVCF_WIDTH};
            column.cx = 250;
            SendMessage(view, LVM_INSERTCOLUMN, 0, (LPARAM)&column);
        }
        for (int i = 0; i < kRows; ++i) {
            std::string text = "row " + std::to_string(i);
            if (list) {
                LVITEM item = {LVIF_TEXT};
                item.iItem = i;
                item.pszText = (LPSTR)text.c_str();
                SendMessage(view, LVM_INSERTITEM, 0, (LPARAM)&item);
            } else {
                TVINSERTSTRUCT ins = {};
                ins.hParent = TVI_ROOT;
                ins.hInsertAfter = TVI_LAST;
                ins.item.mask = TVIF_TEXT;
                ins.item.pszText = (LPSTR)text.c_str();
                SendMessage(view, TVM_INSERTITEM, 0, (LPARAM)&ins);
            }
        }
        mivo::test::PumpUntilIdle();
        codes.clear();
    }

    SCROLLINFO Bar()
    {
        SCROLLINFO si = {sizeof(si), SIF_ALL};
        GetScrollInfo(view, SB_VERT, &si);
        return si;
    }

    HWND view = nullptr;
};

TEST_P(ViewInput, FocusComesAndGoesWithNotifications)
{
    SetFocus(view);
    SetFocus(parent);
    EXPECT_EQ((std::vector<UINT>{NM_SETFOCUS, NM_KILLFOCUS}), Codes({NM_SETFOCUS, NM_KILLFOCUS}));
}

TEST_P(ViewInput, DoubleClicksOfEitherButton)
{
    const struct {
        UINT message;
        UINT code;
    } cases[] = {{WM_LBUTTONDBLCLK, NM_DBLCLK}, {WM_RBUTTONDBLCLK, NM_RDBLCLK}};
    for (const auto& c : cases) {
        codes.clear();
        SendMessage(view, c.message, 0, MAKELPARAM(20, 5));
        EXPECT_EQ(std::vector<UINT>{c.code}, Codes({NM_DBLCLK, NM_RDBLCLK})) << c.message;
    }
}

// Each step from where the one before left the bar; a wheel notch is 3 rows.
TEST_P(ViewInput, ScrollCodesAndWheelMoveTheTopRow)
{
    SCROLLINFO start = Bar();
    int page = (int)start.nPage;
    ASSERT_GT(page, 1);
    int last = start.nMax - page + 1;
    const struct {
        UINT message;
        WPARAM wParam;
        int top;
    } steps[] = {
        {WM_VSCROLL, SB_LINEDOWN, 1},
        {WM_VSCROLL, SB_PAGEDOWN, 1 + page},
        {WM_VSCROLL, SB_PAGEUP, 1},
        {WM_VSCROLL, SB_LINEUP, 0},
        {WM_VSCROLL, SB_LINEUP, 0},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)-WHEEL_DELTA), 3},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(-2 * WHEEL_DELTA)), 9},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 6},
        {WM_VSCROLL, SB_BOTTOM, last},
        {WM_VSCROLL, SB_ENDSCROLL, last},
        {WM_VSCROLL, SB_TOP, 0},
    };
    for (const auto& s : steps) {
        SendMessage(view, s.message, s.wParam, 0);
        EXPECT_EQ(s.top, Bar().nPos) << s.message << " " << (short)HIWORD(s.wParam) << " " << LOWORD(s.wParam);
    }
}

INSTANTIATE_TEST_SUITE_P(BothViews, ViewInput, ::testing::ValuesIn(kViews),
                         [](const ::testing::TestParamInfo<ViewKind>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace commctrl_test
