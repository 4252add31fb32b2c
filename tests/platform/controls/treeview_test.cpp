#include "CommonFixture.h"

#include <cstring>
#include <string>

namespace commctrl_test {
namespace {

class TreeView : public CommonFixture {
protected:
    void SetUp() override
    {
        CommonFixture::SetUp();
        tree = Child(WC_TREEVIEW, TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | WS_BORDER, 10, 10, 300, 250, 100);
        ASSERT_NE(tree, nullptr);
    }

    HTREEITEM Insert(const char* text, HTREEITEM parentItem = TVI_ROOT, HTREEITEM after = TVI_LAST, LPARAM data = 0)
    {
        TVINSERTSTRUCT ins = {};
        ins.hParent = parentItem;
        ins.hInsertAfter = after;
        ins.item.mask = TVIF_TEXT | TVIF_PARAM;
        ins.item.pszText = (LPSTR)text;
        ins.item.lParam = data;
        return (HTREEITEM)SendMessage(tree, TVM_INSERTITEM, 0, (LPARAM)&ins);
    }

    std::string Text(HTREEITEM item)
    {
        char buf[128] = "";
        TVITEM tv = {TVIF_TEXT | TVIF_HANDLE};
        tv.hItem = item;
        tv.pszText = buf;
        tv.cchTextMax = sizeof(buf);
        SendMessage(tree, TVM_GETITEM, 0, (LPARAM)&tv);
        return buf;
    }

    HTREEITEM Next(HTREEITEM item, UINT code) { return (HTREEITEM)SendMessage(tree, TVM_GETNEXTITEM, code, (LPARAM)item); }

    std::vector<std::string> Children(HTREEITEM p)
    {
        std::vector<std::string> out;
        for (HTREEITEM c = Next(p, TVGN_CHILD); c; c = Next(c, TVGN_NEXT))
            out.push_back(Text(c));
        return out;
    }

    RECT TextRect(HTREEITEM item)
    {
        RECT rc;
        memcpy(&rc, &item, sizeof(item));  // the item handle travels in the rectangle
        SendMessage(tree, TVM_GETITEMRECT, TRUE, (LPARAM)&rc);
        return rc;
    }

    UINT StateImage(HTREEITEM item)
    {
        return ((UINT)SendMessage(tree, TVM_GETITEMSTATE, (WPARAM)item, TVIS_STATEIMAGEMASK)) >> 12;
    }

    HWND tree = nullptr;
};

int CALLBACK Descending(LPARAM a, LPARAM b, LPARAM)
{
    return (int)(b - a);
}

TEST_F(TreeView, SortedInsertsAndCallbackSorts)
{
    HTREEITEM root = Insert("사진");
    Insert("다람쥐", root, TVI_SORT, 1);
    Insert("가방", root, TVI_SORT, 3);
    Insert("나무", root, TVI_SORT, 2);
    Insert("마지막", root, TVI_LAST, 0);
    Insert("처음", root, TVI_FIRST, 5);
    EXPECT_EQ(Children(root), (std::vector<std::string>{"처음", "가방", "나무", "다람쥐", "마지막"}));

    TVSORTCB sort = {root, Descending, 0};
    ASSERT_TRUE(SendMessage(tree, TVM_SORTCHILDRENCB, 0, (LPARAM)&sort));
    EXPECT_EQ(Children(root), (std::vector<std::string>{"처음", "가방", "나무", "다람쥐", "마지막"}));
    sort.lpfnCompare = [](LPARAM a, LPARAM b, LPARAM) -> int { return (int)(a - b); };
    SendMessage(tree, TVM_SORTCHILDRENCB, 0, (LPARAM)&sort);
    EXPECT_EQ(Children(root), (std::vector<std::string>{"마지막", "다람쥐", "나무", "가방", "처음"}));

    // Every navigation code answers from the same structure.
    HTREEITEM first = Next(root, TVGN_CHILD);
    EXPECT_EQ(Next(nullptr, TVGN_ROOT), root);
    EXPECT_EQ(Next(first, TVGN_PARENT), root);
    EXPECT_EQ(Next(Next(first, TVGN_NEXT), TVGN_PREVIOUS), first);
    EXPECT_EQ(Next(root, TVGN_NEXTVISIBLE), nullptr) << "children of a collapsed item are not visible";
    SendMessage(tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)root);
    EXPECT_EQ(Next(root, TVGN_NEXTVISIBLE), first);
    EXPECT_EQ(Text(Next(nullptr, TVGN_LASTVISIBLE)), "처음");
    EXPECT_EQ(Next(nullptr, TVGN_FIRSTVISIBLE), root);

    EXPECT_EQ(SendMessage(tree, TVM_GETCOUNT, 0, 0), 6);
    SendMessage(tree, TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT);
    EXPECT_EQ(SendMessage(tree, TVM_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(Text(first), "") << "a deleted item's handle answers nothing";
}

TEST_F(TreeView, CallbackTextAndImagesComeFromTheParent)
{
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 0);
    ImageList_SetImageCount(images, 3);
    SendMessage(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, (LPARAM)images);
    UINT asked = 0;
    answers[TVN_GETDISPINFO] = [&](NMHDR* hdr) -> LRESULT {
        auto* di = (NMTVDISPINFO*)hdr;
        asked |= di->item.mask;
        if (di->item.mask & TVIF_TEXT)
            lstrcpyn(di->item.pszText, di->item.lParam == 7 ? "일곱" : "다른", di->item.cchTextMax);
        if (di->item.mask & TVIF_IMAGE)
            di->item.iImage = 1;
        if (di->item.mask & TVIF_SELECTEDIMAGE)
            di->item.iSelectedImage = 2;
        return 0;
    };
    TVINSERTSTRUCT ins = {};
    ins.hParent = TVI_ROOT;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    ins.item.pszText = LPSTR_TEXTCALLBACK;
    ins.item.iImage = ins.item.iSelectedImage = I_IMAGECALLBACK;
    ins.item.lParam = 7;
    HTREEITEM item = (HTREEITEM)SendMessage(tree, TVM_INSERTITEM, 0, (LPARAM)&ins);
    EXPECT_EQ(Text(item), "일곱");
    SendMessage(tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)item);
    asked = 0;
    InvalidateRect(tree, nullptr, TRUE);
    UpdateWindow(tree);
    EXPECT_EQ(asked & (TVIF_TEXT | TVIF_SELECTEDIMAGE), (UINT)(TVIF_TEXT | TVIF_SELECTEDIMAGE));
    SendMessage(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, 0);
    ImageList_Destroy(images);
}

TEST_F(TreeView, ExpandingAChildlessItemRemovesItsButton)
{
    HTREEITEM folder = Insert("빈 폴더");
    TVITEM tv = {TVIF_CHILDREN | TVIF_HANDLE};
    tv.hItem = folder;
    tv.cChildren = 1;
    SendMessage(tree, TVM_SETITEM, 0, (LPARAM)&tv);
    RECT rc = TextRect(folder);
    TVHITTESTINFO hit = {{(LONG)rc.left - 10, (rc.top + rc.bottom) / 2}};
    SendMessage(tree, TVM_HITTEST, 0, (LPARAM)&hit);
    EXPECT_EQ(hit.flags, (UINT)TVHT_ONITEMBUTTON);

    // The parent fills nothing in while the item expands.
    EXPECT_FALSE(SendMessage(tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)folder));
    EXPECT_EQ(Codes({TVN_ITEMEXPANDING, TVN_ITEMEXPANDED}),
              (std::vector<UINT>{TVN_ITEMEXPANDING, TVN_ITEMEXPANDED}));
    tv.cChildren = 9;
    SendMessage(tree, TVM_GETITEM, 0, (LPARAM)&tv);
    EXPECT_EQ(tv.cChildren, 0);
    SendMessage(tree, TVM_HITTEST, 0, (LPARAM)&hit);
    EXPECT_EQ(hit.flags, (UINT)TVHT_ONITEMINDENT);

    // One that gets children while expanding keeps the button and opens.
    HTREEITEM full = Insert("사진 폴더");
    tv.hItem = full;
    tv.cChildren = 1;
    SendMessage(tree, TVM_SETITEM, 0, (LPARAM)&tv);
    answers[TVN_ITEMEXPANDING] = [&](NMHDR* hdr) -> LRESULT {
        auto* nm = (NMTREEVIEW*)hdr;
        if (nm->action == TVE_EXPAND)
            Insert("가족", nm->itemNew.hItem);
        return 0;
    };
    EXPECT_TRUE(SendMessage(tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)full));
    EXPECT_TRUE(SendMessage(tree, TVM_GETITEMSTATE, (WPARAM)full, TVIS_EXPANDED) & TVIS_EXPANDED);
}

TEST_F(TreeView, ExpandingAnOpenItemOrCollapsingAClosedOneSucceedsQuietly)
{
    HTREEITEM album = Insert("앨범");
    Insert("여름", album);
    ASSERT_TRUE(SendMessage(tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)album));
    codes.clear();
    struct {
        UINT action;
        bool expanded;
    } cases[] = {{TVE_EXPAND, true}, {TVE_COLLAPSE, false}, {TVE_COLLAPSE, false}, {TVE_EXPAND, true}};
    for (const auto& c : cases) {
        bool already = (SendMessage(tree, TVM_GETITEMSTATE, (WPARAM)album, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
        codes.clear();
        EXPECT_TRUE(SendMessage(tree, TVM_EXPAND, c.action, (LPARAM)album)) << c.action;
        EXPECT_EQ(c.expanded, (SendMessage(tree, TVM_GETITEMSTATE, (WPARAM)album, TVIS_EXPANDED) & TVIS_EXPANDED) != 0);
        if (already == c.expanded) {
            EXPECT_TRUE(Codes({TVN_ITEMEXPANDING, TVN_ITEMEXPANDED}).empty()) << c.action;
        }
    }
}

TEST_F(TreeView, CheckBoxesAddedLaterAndClickedSendNmClickBeforeTheBoxToggles)
{
    HTREEITEM a = Insert("바탕 화면");
    HTREEITEM b = Insert("내 문서");
    EXPECT_EQ(StateImage(a), 0u);
    SetWindowLong(tree, GWL_STYLE, GetWindowLong(tree, GWL_STYLE) | TVS_CHECKBOXES);
    EXPECT_EQ(StateImage(a), 1u) << "every item shows an empty box once the style is on";
    EXPECT_EQ(StateImage(Insert("새 항목")), 1u);

    RECT rc = TextRect(b);
    // The box sits just left of the label (no normal image list).
    POINT box = {rc.left - 8, (rc.top + rc.bottom) / 2};
    TVHITTESTINFO hit = {box};
    EXPECT_EQ((HTREEITEM)SendMessage(tree, TVM_HITTEST, 0, (LPARAM)&hit), b);
    EXPECT_EQ(hit.flags, (UINT)TVHT_ONITEMSTATEICON);

    std::vector<UINT> seenAtClick;
    answers[NM_CLICK] = [&](NMHDR*) -> LRESULT {
        seenAtClick.push_back(StateImage(b));
        return 0;
    };
    HTREEITEM selected = (HTREEITEM)SendMessage(tree, TVM_GETNEXTITEM, TVGN_CARET, 0);
    Click(tree, box.x, box.y);
    EXPECT_EQ(seenAtClick, std::vector<UINT>{1u}) << "NM_CLICK saw the box before the toggle";
    EXPECT_EQ(StateImage(b), 2u);
    EXPECT_EQ((HTREEITEM)SendMessage(tree, TVM_GETNEXTITEM, TVGN_CARET, 0), selected)
        << "a click on the box does not select";
    Click(tree, box.x, box.y);
    EXPECT_EQ(seenAtClick, (std::vector<UINT>{1u, 2u}));
    EXPECT_EQ(StateImage(b), 1u);

    // A click on the label selects with TVN_SELCHANGING then TVN_SELCHANGED, then NM_CLICK.
    codes.clear();
    Click(tree, rc.left + 4, box.y);
    EXPECT_EQ(Codes({TVN_SELCHANGING, TVN_SELCHANGED, NM_CLICK}),
              (std::vector<UINT>{TVN_SELCHANGING, TVN_SELCHANGED, NM_CLICK}));
    EXPECT_EQ(StateImage(b), 1u);
}

TEST_F(TreeView, DropHighlightFollowsAMovingDragImage)
{
    HTREEITEM source = Insert("옮길 앨범");
    HTREEITEM target = Insert("대상 앨범");
    Insert("다른 앨범");
    UpdateWindow(tree);
    HIMAGELIST drag = (HIMAGELIST)SendMessage(tree, TVM_CREATEDRAGIMAGE, 0, (LPARAM)source);
    ASSERT_NE(drag, nullptr);
    ASSERT_TRUE(ImageList_BeginDrag(drag, 0, -15, -15));
    RECT from = TextRect(source), to = TextRect(target);
    POINT pt = {from.left + 5, from.top + 3};
    ClientToScreen(tree, &pt);
    ASSERT_TRUE(ImageList_DragEnter(nullptr, pt.x, pt.y));

    POINT over = {to.left + 5, to.top + 3};
    POINT screen = over;
    ClientToScreen(tree, &screen);
    EXPECT_TRUE(ImageList_DragMove(screen.x, screen.y));
    TVHITTESTINFO hit = {over};
    HTREEITEM under = (HTREEITEM)SendMessage(tree, TVM_HITTEST, 0, (LPARAM)&hit);
    EXPECT_EQ(under, target);
    ImageList_DragShowNolock(FALSE);
    SendMessage(tree, TVM_SELECTITEM, TVGN_DROPHILITE, (LPARAM)under);
    ImageList_DragShowNolock(TRUE);
    UpdateWindow(tree);

    POINT at, hot;
    EXPECT_NE(ImageList_GetDragImage(&at, &hot), nullptr);
    EXPECT_EQ(at.x, screen.x);
    EXPECT_EQ(hot.x, -15);
    EXPECT_EQ((HTREEITEM)SendMessage(tree, TVM_GETNEXTITEM, TVGN_DROPHILITE, 0), target);
    EXPECT_TRUE(SendMessage(tree, TVM_GETITEMSTATE, (WPARAM)target, TVIS_DROPHILITED) & TVIS_DROPHILITED);
    mivo::test::WindowImage img = mivo::test::CaptureWindow(tree, true);
    EXPECT_EQ(img.At(to.right - 2, (to.top + to.bottom) / 2), GetSysColor(COLOR_HIGHLIGHT))
        << "the drop target is painted highlighted";

    EXPECT_TRUE(ImageList_DragLeave(nullptr));
    ImageList_EndDrag();
    EXPECT_EQ(ImageList_GetDragImage(nullptr, nullptr), nullptr);
    SendMessage(tree, TVM_SELECTITEM, TVGN_DROPHILITE, 0);
    EXPECT_EQ((HTREEITEM)SendMessage(tree, TVM_GETNEXTITEM, TVGN_DROPHILITE, 0), nullptr);
    ImageList_Destroy(drag);
}

TEST_F(TreeView, LabelEditingEndsWithTextOrEscape)
{
    SetWindowLong(tree, GWL_STYLE, GetWindowLong(tree, GWL_STYLE) | TVS_EDITLABELS);
    HTREEITEM item = Insert("옛 이름");
    answers[TVN_ENDLABELEDIT] = [](NMHDR* hdr) -> LRESULT { return ((NMTVDISPINFO*)hdr)->item.pszText != nullptr; };
    HWND edit = (HWND)SendMessage(tree, TVM_EDITLABEL, 0, (LPARAM)item);
    ASSERT_NE(edit, nullptr);
    SetWindowText(edit, "새 이름");
    SendMessage(edit, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_FALSE(IsWindow(edit));
    EXPECT_EQ(Text(item), "새 이름");

    edit = (HWND)SendMessage(tree, TVM_EDITLABEL, 0, (LPARAM)item);
    ASSERT_NE(edit, nullptr);
    SetWindowText(edit, "버릴 이름");
    SendMessage(edit, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(IsWindow(edit));
    EXPECT_EQ(Text(item), "새 이름");
}

TEST_F(TreeView, LongLabelsScrollSideways)
{
    SetWindowPos(tree, nullptr, 0, 0, 80, 120, SWP_NOMOVE | SWP_NOZORDER);
    HTREEITEM item = Insert("아주 긴 이름의 사진 폴더 2026년 여름");
    UpdateWindow(tree);
    SCROLLINFO si = {sizeof(si), SIF_ALL};
    GetScrollInfo(tree, SB_HORZ, &si);
    RECT client;
    GetClientRect(tree, &client);
    EXPECT_GT(si.nMax, client.right) << "the painted label is wider than the control";
    RECT before = TextRect(item);
    SendMessage(tree, WM_HSCROLL, SB_LINERIGHT, 0);
    RECT after = TextRect(item);
    EXPECT_EQ(before.left - after.left, 8);
}

TEST_F(TreeView, KeyboardMovesTheSelectionAndOpensBranches)
{
    HTREEITEM root = Insert("앨범");
    HTREEITEM first = Insert("봄", root);
    Insert("여름", root);
    HTREEITEM other = Insert("기타");
    SendMessage(tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)root);
    auto caret = [&] { return (HTREEITEM)SendMessage(tree, TVM_GETNEXTITEM, TVGN_CARET, 0); };
    SendMessage(tree, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(caret(), other) << "a collapsed branch is skipped";
    SendMessage(tree, WM_KEYDOWN, VK_UP, 0);
    SendMessage(tree, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_TRUE(SendMessage(tree, TVM_GETITEMSTATE, (WPARAM)root, TVIS_EXPANDED) & TVIS_EXPANDED);
    SendMessage(tree, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(caret(), first);
    SendMessage(tree, WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(caret(), root);
    SendMessage(tree, WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_FALSE(SendMessage(tree, TVM_GETITEMSTATE, (WPARAM)root, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ(Codes({TVN_KEYDOWN}).size(), 6u);
}

}  // namespace
}  // namespace commctrl_test
