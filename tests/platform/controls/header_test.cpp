#include "CommonFixture.h"

namespace commctrl_test {
namespace {

class Header : public CommonFixture {
protected:
    void SetUp() override
    {
        CommonFixture::SetUp();
        header = Child(WC_HEADER, HDS_BUTTONS | HDS_DRAGDROP | HDS_FULLDRAG, 0, 0, 400, 20, 300);
        ASSERT_NE(header, nullptr);
        const char* titles[] = {"사진", "제목", "날짜", "크기"};
        for (int i = 0; i < 4; ++i) {
            HDITEM item = {HDI_TEXT | HDI_WIDTH | HDI_FORMAT | HDI_LPARAM};
            item.pszText = (LPSTR)titles[i];
            item.cxy = 80;
            item.fmt = HDF_STRING | HDF_LEFT;
            item.lParam = 10 + i;
            ASSERT_EQ(SendMessage(header, HDM_INSERTITEM, i, (LPARAM)&item), i);
        }
        RECT rc;
        GetClientRect(header, &rc);
        EXPECT_GT(rc.bottom, 0);
    }

    std::vector<int> Order()
    {
        std::vector<int> order(4);
        SendMessage(header, HDM_GETORDERARRAY, 4, (LPARAM)order.data());
        return order;
    }

    HWND header = nullptr;
};

TEST_F(Header, DraggingAColumnReordersItAfterHdnEndDrag)
{
    int endOrder = -2;
    answers[HDN_ENDDRAG] = [&](NMHDR* hdr) -> LRESULT {
        auto* nm = (NMHEADER*)hdr;
        endOrder = nm->pitem->iOrder;
        return 0;
    };
    // Item 0 dragged to just past item 2's middle: it lands after item 2.
    SendMessage(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 8));
    SendMessage(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(120, 8));
    SendMessage(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(225, 8));
    SendMessage(header, WM_LBUTTONUP, 0, MAKELPARAM(225, 8));
    EXPECT_EQ(Codes({HDN_BEGINDRAG, HDN_ENDDRAG, HDN_ITEMCLICK}), (std::vector<UINT>{HDN_BEGINDRAG, HDN_ENDDRAG}));
    EXPECT_EQ(endOrder, 2);
    EXPECT_EQ(Order(), (std::vector<int>{1, 2, 0, 3}));
    EXPECT_EQ(SendMessage(header, HDM_ORDERTOINDEX, 2, 0), 0);
    RECT rc;
    SendMessage(header, HDM_GETITEMRECT, 0, (LPARAM)&rc);
    EXPECT_EQ(rc.left, 160);

    // A parent that answers HDN_ENDDRAG with non-zero keeps the order.
    answers[HDN_ENDDRAG] = [](NMHDR*) -> LRESULT { return TRUE; };
    SendMessage(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 8));
    SendMessage(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, 8));
    SendMessage(header, WM_LBUTTONUP, 0, MAKELPARAM(300, 8));
    EXPECT_EQ(Order(), (std::vector<int>{1, 2, 0, 3}));

    // An order that is not a permutation is refused.
    int bad[4] = {0, 0, 1, 2};
    EXPECT_FALSE(SendMessage(header, HDM_SETORDERARRAY, 4, (LPARAM)bad));
    EXPECT_EQ(Order(), (std::vector<int>{1, 2, 0, 3}));
}

TEST_F(Header, ClickDividerDoubleClickAndTracking)
{
    int clicked = -1, divider = -1;
    answers[HDN_ITEMCLICK] = [&](NMHDR* hdr) -> LRESULT {
        clicked = ((NMHEADER*)hdr)->iItem;
        return 0;
    };
    answers[HDN_DIVIDERDBLCLICK] = [&](NMHDR* hdr) -> LRESULT {
        divider = ((NMHEADER*)hdr)->iItem;
        return 0;
    };
    Click(header, 120, 8);
    EXPECT_EQ(clicked, 1);

    HDHITTESTINFO hit = {{160, 8}};
    EXPECT_EQ(SendMessage(header, HDM_HITTEST, 0, (LPARAM)&hit), 1);
    EXPECT_EQ(hit.flags, (UINT)HHT_ONDIVIDER);
    hit.pt = {100, 8};
    SendMessage(header, HDM_HITTEST, 0, (LPARAM)&hit);
    EXPECT_EQ(hit.flags, (UINT)HHT_ONHEADER);
    hit.pt = {390, 8};
    SendMessage(header, HDM_HITTEST, 0, (LPARAM)&hit);
    EXPECT_EQ(hit.flags, (UINT)HHT_NOWHERE);

    SendMessage(header, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(161, 8));
    EXPECT_EQ(divider, 1);

    // Dragging the divider tracks the width and reports the end.
    codes.clear();
    SendMessage(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(160, 8));
    SendMessage(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(190, 8));
    SendMessage(header, WM_LBUTTONUP, 0, MAKELPARAM(190, 8));
    EXPECT_EQ(Codes({HDN_BEGINTRACK, HDN_ENDTRACK}), (std::vector<UINT>{HDN_BEGINTRACK, HDN_ENDTRACK}));
    HDITEM item = {HDI_WIDTH};
    SendMessage(header, HDM_GETITEM, 1, (LPARAM)&item);
    EXPECT_EQ(item.cxy, 110);
    EXPECT_EQ(clicked, 1) << "tracking a divider is no click";
}

TEST_F(Header, LayoutHotDividerAndChangeRefusal)
{
    RECT area = {0, 0, 300, 200};
    WINDOWPOS wp = {};
    HDLAYOUT layout = {&area, &wp};
    ASSERT_TRUE(SendMessage(header, HDM_LAYOUT, 0, (LPARAM)&layout));
    EXPECT_EQ(wp.cx, 300);
    EXPECT_GT(wp.cy, 10);
    EXPECT_EQ(area.top, wp.cy);

    EXPECT_EQ(SendMessage(header, HDM_SETHOTDIVIDER, TRUE, MAKELPARAM(130, 5)), 2);
    EXPECT_EQ(SendMessage(header, HDM_SETHOTDIVIDER, FALSE, 3), 3);
    EXPECT_EQ(SendMessage(header, HDM_SETHOTDIVIDER, FALSE, -1), -1);

    answers[HDN_ITEMCHANGING] = [](NMHDR*) -> LRESULT { return TRUE; };
    HDITEM item = {HDI_WIDTH};
    item.cxy = 10;
    EXPECT_FALSE(SendMessage(header, HDM_SETITEM, 0, (LPARAM)&item));
    SendMessage(header, HDM_GETITEM, 0, (LPARAM)&item);
    EXPECT_EQ(item.cxy, 80);
    EXPECT_TRUE(SendMessage(header, HDM_DELETEITEM, 0, 0));
    EXPECT_EQ(SendMessage(header, HDM_GETITEMCOUNT, 0, 0), 3);
    item.mask = HDI_LPARAM;
    SendMessage(header, HDM_GETITEM, 0, (LPARAM)&item);
    EXPECT_EQ(item.lParam, 11);
}

}  // namespace
}  // namespace commctrl_test
