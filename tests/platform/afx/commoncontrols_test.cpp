// The framework's common control classes over their window classes.
#include <gtest/gtest.h>

#include <mfc.h>

#include "support/MessageLoop.h"

#include <cstring>

using namespace mivo::test;

namespace {

class CommonControlClasses : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "p", WS_POPUP | WS_VISIBLE, 0, 0, 600, 400, nullptr,
                                    nullptr));
    }
    void TearDown() override
    {
        parent.DestroyWindow();
        PumpUntilIdle();
    }
    CWnd parent;
    CRect rect{10, 10, 250, 60};
};

}  // namespace

TEST_F(CommonControlClasses, SliderAndItsDataExchange)
{
    CSliderCtrl slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE | TBS_AUTOTICKS, rect, &parent, 1318));
    EXPECT_TRUE(slider.IsKindOf(RUNTIME_CLASS(CSliderCtrl)));
    slider.SetRange(3, 50, TRUE);
    slider.SetPos(99);
    EXPECT_EQ(slider.GetPos(), 50);
    int lo = 0, hi = 0;
    slider.GetRange(lo, hi);
    EXPECT_EQ(lo, 3);
    EXPECT_EQ(hi, 50);

    int ratio = 15;
    CDataExchange toControls(&parent, FALSE);
    DDX_Slider(&toControls, 1318, ratio);
    EXPECT_EQ(slider.GetPos(), 15);
    slider.SetPos(30);
    CDataExchange fromControls(&parent, TRUE);
    DDX_Slider(&fromControls, 1318, ratio);
    EXPECT_EQ(ratio, 30);
}

TEST_F(CommonControlClasses, MonthCalendarDatesAsOleDates)
{
    CMonthCalCtrl cal;
    ASSERT_TRUE(cal.Create(WS_CHILD | WS_VISIBLE, CPoint(10, 10), &parent, 11000));
    CRect r;
    cal.GetWindowRect(&r);
    EXPECT_GT(r.Width(), 100) << "sized to show a month";
    EXPECT_TRUE(cal.SetCurSel(COleDateTime(2026, 12, 10, 15, 30, 0)));
    COleDateTime got;
    ASSERT_TRUE(cal.GetCurSel(got));
    EXPECT_EQ(got.GetYear(), 2026);
    EXPECT_EQ(got.GetMonth(), 12);
    EXPECT_EQ(got.GetDay(), 10);
    EXPECT_EQ(got.GetHour(), 0);
    COleDateTime invalid;
    invalid.SetStatus(COleDateTime::invalid);
    EXPECT_FALSE(cal.SetCurSel(invalid));
    int old = -1;
    cal.SetFirstDayOfWeek(0, &old);
    EXPECT_EQ(old, 6);
    EXPECT_EQ(cal.GetFirstDayOfWeek(), 0);
}

TEST_F(CommonControlClasses, StatusBarToolBarAndTabs)
{
    CStatusBarCtrl status;
    ASSERT_TRUE(status.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), &parent, 59393));
    int widths[] = {300, 400, -1};
    EXPECT_TRUE(status.SetParts(3, widths));
    status.SetText("페이지 1 / 2", 2, SBT_NOBORDERS);
    int type = 0;
    EXPECT_EQ(status.GetText(2, &type), CString("페이지 1 / 2"));
    EXPECT_EQ(type, SBT_NOBORDERS);
    int h = 0, v = 0, s = 0;
    EXPECT_TRUE(status.GetBorders(h, v, s));
    CRect part;
    EXPECT_TRUE(status.GetRect(1, &part));
    EXPECT_EQ(part.left, 300 + s);

    CToolBarCtrl tools;
    ASSERT_TRUE(tools.Create(WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT, CRect(0, 0, 0, 0), &parent, 59392));
    EXPECT_EQ(tools.AddStrings("작게\0크게\0"), 0);
    TBBUTTON buttons[2] = {};
    buttons[0].idCommand = 33116;
    buttons[0].fsState = TBSTATE_ENABLED;
    buttons[0].fsStyle = TBSTYLE_DROPDOWN;
    buttons[0].iString = 0;
    buttons[1].idCommand = 33115;
    buttons[1].fsState = TBSTATE_ENABLED;
    buttons[1].iString = 1;
    EXPECT_TRUE(tools.AddButtons(2, buttons));
    EXPECT_EQ(tools.GetButtonText(33115), CString("크게"));
    EXPECT_EQ(tools.CommandToIndex(33115), 1u);
    tools.EnableButton(33115, FALSE);
    EXPECT_FALSE(tools.IsButtonEnabled(33115));

    CTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, rect, &parent, 1011));
    EXPECT_EQ(tabs.InsertItem(0, "밝기"), 0);
    EXPECT_EQ(tabs.InsertItem(1, "빨강"), 1);
    EXPECT_EQ(tabs.SetCurSel(1), 0);
    EXPECT_EQ(tabs.GetCurSel(), 1);

    CProgressCtrl progress;
    ASSERT_TRUE(progress.Create(WS_CHILD | WS_VISIBLE | PBS_SMOOTH, part, &status, 1));
    progress.SetRange(0, 100);
    progress.SetPos(40);
    EXPECT_EQ(progress.GetPos(), 40);
    EXPECT_EQ(progress.GetParent(), &status);

    CReBarCtrl rebar;
    ASSERT_TRUE(rebar.Create(WS_CHILD | WS_VISIBLE | RBS_BANDBORDERS, CRect(0, 0, 0, 0), &parent, 59396));
    REBARBANDINFO band = {sizeof(band)};
    band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_ID;
    band.hwndChild = tools.GetSafeHwnd();
    band.cyMinChild = 30;
    band.wID = 7;
    EXPECT_TRUE(rebar.InsertBand(0, &band));
    EXPECT_EQ(rebar.GetBandCount(), 1u);
    EXPECT_EQ(rebar.IDToIndex(7), 0);
    EXPECT_GE(rebar.GetBarHeight(), 30u);
}

TEST(RichEditInit, AnswersTrue)
{
    EXPECT_TRUE(AfxInitRichEdit());
    EXPECT_TRUE(AfxInitRichEdit2());
}

namespace {


class CHost : public CWnd {
public:
    int needText = 0;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override
    {
        if (point.x >= 40 || !pTI)
            return CWnd::OnToolHitTest(point, pTI);
        pTI->hwnd = m_hWnd;
        pTI->uId = 5;
        pTI->rect = {0, 0, 40, 40};
        pTI->lpszText = LPSTR_TEXTCALLBACK;
        return 5;
    }

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        auto* hdr = (NMHDR*)lParam;
        if (hdr->code == TTN_NEEDTEXT) {
            ++needText;
            strcpy(((TOOLTIPTEXT*)hdr)->szText, "도구 설명");
            *pResult = 0;
            return TRUE;
        }
        return CWnd::OnNotify(wParam, lParam, pResult);
    }
};

TEST(MfcCommonControls, ImageListAttachDetachAndTemporaryWrappers)
{
    CImageList owned;
    ASSERT_TRUE(owned.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 4));
    EXPECT_EQ(CImageList::FromHandlePermanent(owned.m_hImageList), &owned);
    HIMAGELIST handle = owned.Detach();
    EXPECT_EQ(CImageList::FromHandlePermanent(handle), nullptr);
    {
        // A wrapper for a handle someone else owns never destroys it (the shell's system list).
        CImageList* temp = CImageList::FromHandle(handle);
        ASSERT_NE(temp, nullptr);
        EXPECT_EQ(temp->m_hImageList, handle);
        CImageList attached;
        attached.Attach(handle);
        attached.Detach();
    }
    EXPECT_EQ(ImageList_GetImageCount(handle), 0);
    int cx = 0, cy = 0;
    EXPECT_TRUE(ImageList_GetIconSize(handle, &cx, &cy)) << "still alive";
    ImageList_Destroy(handle);
}

TEST(MfcCommonControls, TreeAndListThroughTheirClasses)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE, 0, 0, 300, 300, nullptr, nullptr));
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_CHECKBOXES, CRect(0, 0, 150, 150), &host, 1));
    HTREEITEM root = tree.InsertItem("앨범");
    HTREEITEM child = tree.InsertItem("여름", root);
    tree.SetItemData(child, 77);
    EXPECT_EQ(tree.GetItemText(child), CString("여름"));
    EXPECT_EQ(tree.GetItemData(child), 77u);
    EXPECT_TRUE(tree.ItemHasChildren(root));
    EXPECT_FALSE(tree.GetCheck(child));
    tree.SetCheck(child);
    EXPECT_TRUE(tree.GetCheck(child));
    EXPECT_EQ(tree.GetParentItem(child), root);
    CImageList* drag = tree.CreateDragImage(child);
    ASSERT_NE(drag, nullptr);
    EXPECT_EQ(drag->GetImageCount(), 1);
    delete drag;

    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 150, 300, 300), &host, 2));
    list.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    EXPECT_EQ(list.InsertColumn(0, "이름", LVCFMT_LEFT, 100), 0);
    EXPECT_EQ(list.InsertColumn(1, "크기", LVCFMT_RIGHT, 60), 1);
    list.InsertItem(0, "하나");
    list.InsertItem(1, "둘");
    list.SetItemText(1, 1, "2 KB");
    EXPECT_EQ(list.GetItemText(1, 1), CString("2 KB"));
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    POSITION pos = list.GetFirstSelectedItemPosition();
    ASSERT_NE(pos, nullptr);
    EXPECT_EQ(list.GetNextSelectedItem(pos), 1);
    EXPECT_EQ(pos, nullptr);
    list.SetCheck(0);
    EXPECT_TRUE(list.GetCheck(0));
    EXPECT_FALSE(list.GetCheck(1));
    CHeaderCtrl* header = list.GetHeaderCtrl();
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->GetItemCount(), 2);
    host.DestroyWindow();
}

TEST(MfcCommonControls, EnableToolTipsAsksTheWindowForItsText)
{
    CHost host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr));
    host.EnableToolTips(TRUE);
    MSG msg = {};
    msg.hwnd = host.m_hWnd;
    msg.message = WM_MOUSEMOVE;
    msg.lParam = MAKELPARAM(10, 10);
    host.PreTranslateMessage(&msg);
    ASSERT_TRUE(mivo::test::PumpUntil([&] { return host.needText > 0; }));
    EXPECT_TRUE(host.EnableToolTips(FALSE));
    EXPECT_TRUE(host.DestroyWindow());
    mivo::test::PumpUntilIdle();
}

}  // namespace
