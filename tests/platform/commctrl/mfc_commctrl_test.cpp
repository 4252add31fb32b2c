#include <gtest/gtest.h>

#include <mfc.h>

#include "support/MessageLoop.h"

#include <cstring>

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
