// Tree helpers on a real tree control: search order, and copying branches with everything
// an item carries.
#include <gtest/gtest.h>

#include "framework/VXUtil.h"
#include "support/MessageLoop.h"

#include <string>

namespace {

class VXUtilTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "tree host", WS_POPUP, 0, 0, 200, 300, nullptr, nullptr));
        ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, CRect(0, 0, 200, 300), &host, 100));
        // a(1) [a1(11) [a11(111) [a111(1111)]], a2(12)], b(2) [b1(21)], c(3)
        a = Add("a", 1, TVI_ROOT);
        a1 = Add("a1", 11, a);
        a11 = Add("a11", 111, a1);
        a111 = Add("a111", 1111, a11);
        a2 = Add("a2", 12, a);
        b = Add("b", 2, TVI_ROOT);
        b1 = Add("b1", 21, b);
        c = Add("c", 3, TVI_ROOT);
    }
    void TearDown() override
    {
        host.DestroyWindow();
        mivo::test::PumpUntilIdle();
    }
    HTREEITEM Add(const char* text, DWORD_PTR data, HTREEITEM parent)
    {
        HTREEITEM item = tree.InsertItem(text, parent);
        tree.SetItemData(item, data);
        return item;
    }
    // "text(data)" of an item and its subtree, in order.
    std::string Dump(HTREEITEM item)
    {
        std::string out = std::string((const char*)tree.GetItemText(item)) + "(" +
                          std::to_string(tree.GetItemData(item)) + ")";
        HTREEITEM child = tree.GetChildItem(item);
        if (!child)
            return out;
        out += " [";
        for (; child; child = tree.GetNextSiblingItem(child))
            out += Dump(child) + (tree.GetNextSiblingItem(child) ? ", " : "");
        return out + "]";
    }

    CWnd host;
    CTreeCtrl tree;
    HTREEITEM a, a1, a11, a111, a2, b, b1, c;
};

}  // namespace

TEST_F(VXUtilTree, SearchByDataGoesDownThenToFollowingSiblings)
{
    const struct {
        const char* name;
        HTREEITEM start;
        DWORD_PTR data;
        HTREEITEM found;
    } cases[] = {
        {"root, three deep", TVI_ROOT, 1111, a111},
        {"root, last", TVI_ROOT, 3, c},
        {"never the start", a1, 11, nullptr},
        {"below the start", a1, 1111, a111},
        {"a following sibling", a1, 12, a2},
        {"not the parent's siblings", a1, 2, nullptr},
        {"a sibling's child", a, 21, b1},
        {"missing", TVI_ROOT, 99, nullptr},
    };
    for (const auto& x : cases)
        EXPECT_EQ(x.found, SearchTreeItemByData(&tree, x.start, x.data)) << x.name;
}

TEST_F(VXUtilTree, SearchOrderFindsTheFirstInDepthFirstOrder)
{
    // Two items with the same data: the one met first depth first wins.
    tree.SetItemData(a2, 1111);
    tree.SetItemText(a2, "A111");
    EXPECT_EQ(a111, SearchTreeItemByData(&tree, TVI_ROOT, 1111));
    EXPECT_EQ(nullptr, SearchTreeItemByData(&tree, a111, 1111)) << "the start is skipped, its parent's siblings too";
    EXPECT_EQ(a111, SearchTreeItemByTitle(&tree, TVI_ROOT, "a111"));
    EXPECT_EQ(a2, SearchTreeItemByTitle(&tree, TVI_ROOT, "A111")) << "titles compare with case";
    EXPECT_EQ(nullptr, SearchTreeItemByTitle(&tree, TVI_ROOT, "A1"));
}

TEST_F(VXUtilTree, CopyKeepsTextsImagesDataStateBitsAndOrder)
{
    tree.SetItemImage(a1, 4, 5);
    tree.SetItemImage(a111, 6, 7);
    tree.SetItemState(a11, INDEXTOSTATEIMAGEMASK(2) | TVIS_BOLD, TVIS_STATEIMAGEMASK | TVIS_BOLD);
    tree.SetItemState(a2, INDEXTOSTATEIMAGEMASK(3), TVIS_STATEIMAGEMASK);
    HTREEITEM copy = CopyTreeBranch(&tree, a, c, FALSE);
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ(copy, tree.GetChildItem(c));
    EXPECT_EQ("c(3) [a(1) [a1(11) [a11(111) [a111(1111)]], a2(12)]]", Dump(c));
    EXPECT_EQ("a(1) [a1(11) [a11(111) [a111(1111)]], a2(12)]", Dump(a)) << "the source stays";
    HTREEITEM copyA1 = tree.GetChildItem(copy);
    HTREEITEM copyA11 = tree.GetChildItem(copyA1);
    HTREEITEM copyA2 = tree.GetNextSiblingItem(copyA1);
    int image = 0, selected = 0;
    tree.GetItemImage(copyA1, image, selected);
    EXPECT_EQ(4, image);
    EXPECT_EQ(5, selected);
    tree.GetItemImage(tree.GetChildItem(copyA11), image, selected);
    EXPECT_EQ(6, image);
    EXPECT_EQ(7, selected);
    EXPECT_EQ(UINT(INDEXTOSTATEIMAGEMASK(2)), tree.GetItemState(copyA11, TVIS_STATEIMAGEMASK));
    EXPECT_EQ(0u, tree.GetItemState(copyA11, TVIS_BOLD)) << "only the state-image bits travel";
    EXPECT_EQ(UINT(INDEXTOSTATEIMAGEMASK(3)), tree.GetItemState(copyA2, TVIS_STATEIMAGEMASK));
}

TEST_F(VXUtilTree, MovingAppendsAsLastChildAndDeletesTheSource)
{
    HTREEITEM moved = CopyTreeBranch(&tree, b, a, TRUE);
    ASSERT_NE(nullptr, moved);
    EXPECT_EQ("a(1) [a1(11) [a11(111) [a111(1111)]], a2(12), b(2) [b1(21)]]", Dump(a));
    EXPECT_EQ(c, tree.GetNextSiblingItem(a));
    EXPECT_EQ(8u, tree.GetCount());
    HTREEITEM top = CopyTreeBranch(&tree, a11, TVI_ROOT, TRUE);
    EXPECT_EQ("a11(111) [a111(1111)]", Dump(top));
    EXPECT_EQ(top, tree.GetNextSiblingItem(c));
}

TEST_F(VXUtilTree, CopyOntoItselfOrBelowChangesNothing)
{
    const std::string before = Dump(a);
    EXPECT_EQ(nullptr, CopyTreeBranch(&tree, a, a, FALSE));
    EXPECT_EQ(nullptr, CopyTreeBranch(&tree, a, a1, TRUE));
    EXPECT_EQ(nullptr, CopyTreeBranch(&tree, a, a111, FALSE));
    EXPECT_EQ(nullptr, CopyTreeBranch(&tree, TVI_ROOT, b, FALSE));
    EXPECT_EQ(before, Dump(a));
    EXPECT_EQ(8u, tree.GetCount());
}
