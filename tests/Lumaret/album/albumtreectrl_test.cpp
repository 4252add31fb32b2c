// The album tree: the dragged photo list read entry by entry, drops stored into the highlighted
// album (and nowhere without one), one drop target per process, and albums dragged by mouse,
// never under themselves, moved and reported only with a notify window.
#include "AlbumFixture.h"

#include "album/AlbumTables.h"
#include "album/AlbumTreeCtrl.h"
#include "framework/VXUtil.h"
#include "support/InputSynth.h"

#include <cstring>
#include <memory>
#include <utility>
#include <vector>

using albumtest::AlbumDatabase;

namespace {

class Owner : public CWnd {
public:
    std::vector<std::pair<int, int>> moves;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TREE_ITEM_DROPPED) {
            moves.emplace_back((int)wParam, (int)lParam);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class AlbumTree : public AlbumDatabase {
protected:
    Owner owner;
    std::unique_ptr<CAlbumTreeCtrl> tree;
    CImageList images;

    void SetUp() override
    {
        AlbumDatabase::SetUp();
        ASSERT_TRUE(db.exec("insert into AlbumMaster values (3,'A',0),(7,'B',0),(8,'C',7),(4,'D',0),(12,'E',0)"));
        ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP | WS_VISIBLE, 0, 0, 300, 400, nullptr,
                                   nullptr));
        tree = MakeTree();
    }
    void TearDown() override
    {
        tree.reset();
        owner.DestroyWindow();
    }
    std::unique_ptr<CAlbumTreeCtrl> MakeTree()
    {
        auto made = std::make_unique<CAlbumTreeCtrl>();
        made->Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, CRect(0, 0, 280, 380),
                     &owner, 100);
        images.DeleteImageList();
        images.Create(16, 16, ILC_COLOR24, 1, 1);
        made->SetImageList(&images, TVSIL_NORMAL);
        CAlbumTables::LoadTree(*made, 0);
        made->RegisterDropTarget();
        return made;
    }
    HTREEITEM Item(int album) { return SearchTreeItemByData(tree.get(), TVI_ROOT, (DWORD_PTR)album); }

    BOOL Drop(HTREEITEM highlight, const std::string& text)
    {
        tree->SelectDropTarget(highlight);
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
        GlobalUnlock(block);
        COleDataSource source;
        source.CacheGlobalData(CF_TEXT, block);
        COleDataObject data;
        data.Attach(&source);
        return tree->GetDropTarget().OnDrop(tree.get(), &data, DROPEFFECT_COPY, CPoint(5, 5));
    }
};

}  // namespace

TEST(DraggedPhotoList, IsReadEntryByEntry)
{
    std::string longPath = "C:\\" + std::string(300, 'p') + ".jpg";
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::pair<int, std::string>> entries;
    } cases[] = {
        {"carriage returns", "0\tC:\\a.jpg\r0\tC:\\b.jpg\r", {{0, "C:\\a.jpg"}, {0, "C:\\b.jpg"}}},
        {"line ends", "0\tC:\\a.jpg\r\n0\tC:\\b.jpg\r\n", {{0, "C:\\a.jpg"}, {0, "C:\\b.jpg"}}},
        {"blanks before the kind", "  112\tC:\\x.jpg\r \v 1\tC:\\F\r", {{112, "C:\\x.jpg"}, {1, "C:\\F"}}},
        {"no tab", "C:\\a.jpg\r0\tC:\\b.jpg\r", {{0, "C:\\b.jpg"}}},
        {"after the last return", "0\tC:\\a.jpg\r0\tC:\\tail.jpg", {{0, "C:\\a.jpg"}}},
        {"empty entries", "\r\r\n0\tC:\\사진\\b.jpg\r", {{0, "C:\\사진\\b.jpg"}}},
        {"300 bytes", "0\t" + longPath + "\r", {{0, longPath}}},
        {"tab in path", "0\tC:\\a\tb.jpg\r", {{0, "C:\\a\tb.jpg"}}},
    };
    for (const Case& c : cases) {
        std::vector<std::pair<int, std::string>> seen;
        for (const AlbumEntry& e : AlbumTreeDropTarget::ParseEntries(c.text.data(), c.text.size()))
            seen.emplace_back(e.nKind, (const char*)e.strPath);
        EXPECT_EQ(c.entries, seen) << c.name;
    }
    // Unterminated blocks are read to their size only.
    const char block[] = {'0', '\t', 'a', '\r', '0', '\t', 'b'};
    EXPECT_EQ(1u, AlbumTreeDropTarget::ParseEntries(block, sizeof block).size());
}

TEST_F(AlbumTree, DroppedPhotosJoinTheHighlightedAlbum)
{
    ASSERT_TRUE(db.exec("insert into AlbumDetail (AlbumID, Seq, PathName) values (4,5,'C:\\old.jpg'),"
                        "(12,1,'C:\\m.jpg'),(4,6,'C:\\n.jpg')"));
    EXPECT_TRUE(Drop(Item(4), "0\tC:\\a.jpg\r\n1\tC:\\Folder\r\n0\tC:\\b.jpg\r\n112\tC:\\m.jpg\r\n104\tC:\\n.jpg\r\n"));
    EXPECT_EQ("4:5:C:\\old.jpg ; 4:6:C:\\n.jpg ; 4:7:C:\\a.jpg ; 4:8:C:\\b.jpg ; 4:9:C:\\m.jpg", Details());
    EXPECT_EQ(nullptr, tree->GetDropHilightItem());
    EXPECT_EQ(Item(4), tree->GetSelectedItem());
    // The same photo again is a second row.
    EXPECT_TRUE(Drop(Item(4), "0\tC:\\a.jpg\r"));
    EXPECT_EQ("C:\\a.jpg", db.scalar("select PathName from AlbumDetail where AlbumID = 4 and Seq = 10"));
}

TEST_F(AlbumTree, ADropWithoutHighlightOrTextWritesNothing)
{
    EXPECT_FALSE(Drop(nullptr, "0\tC:\\a.jpg\r"));
    COleDataSource empty;
    COleDataObject data;
    data.Attach(&empty);
    tree->SelectDropTarget(Item(4));
    EXPECT_FALSE(tree->GetDropTarget().OnDrop(tree.get(), &data, DROPEFFECT_COPY, CPoint()));
    EXPECT_EQ("", Details());
}

TEST_F(AlbumTree, OnlyOneLiveTreeTakesDrops)
{
    EXPECT_TRUE(tree->GetDropTarget().IsRegistered());
    auto second = MakeTree();
    EXPECT_FALSE(second->GetDropTarget().IsRegistered());
    tree.reset();
    second->RegisterDropTarget();
    EXPECT_TRUE(second->GetDropTarget().IsRegistered());
}

TEST_F(AlbumTree, AlbumsDraggedByMouseMoveOnlyUnderAnotherBranch)
{
    auto drag = [&](int from, int onto, POINT end) {
        CRect a, b;
        tree->EnsureVisible(Item(from));
        ASSERT_TRUE(tree->GetItemRect(Item(from), &a, TRUE));
        if (onto) {
            ASSERT_TRUE(tree->GetItemRect(Item(onto), &b, TRUE));
            end = b.CenterPoint();
        }
        HWND h = tree->GetSafeHwnd();
        mivo::test::Click(h, 270, 370);
        mivo::test::MouseDown(h, a.CenterPoint().x, a.CenterPoint().y);
        mivo::test::MouseMove(h, a.CenterPoint().x + 10, a.CenterPoint().y + 10);
        mivo::test::MouseMove(h, end.x, end.y);
        mivo::test::MouseUp(h, end.x, end.y);
    };
    tree->Expand(Item(7), TVE_EXPAND);
    // Without a notify window the drag shows where it would go but moves nothing.
    drag(7, 3, {});
    EXPECT_EQ("A#3,D#4,B#7(C#8),E#12", albumtest::TreeText(*tree));
    EXPECT_EQ(Item(3), tree->GetSelectedItem());
    tree->SetNotifyWnd(&owner);
    drag(7, 7, {});
    drag(7, 8, {});
    drag(7, 0, {200, 360});
    EXPECT_TRUE(owner.moves.empty());
    EXPECT_EQ("A#3,D#4,B#7(C#8),E#12", albumtest::TreeText(*tree));
    drag(7, 3, {});
    EXPECT_EQ((std::vector<std::pair<int, int>>{{7, 3}}), owner.moves);
    EXPECT_EQ("A#3(B#7(C#8)),D#4,E#12", albumtest::TreeText(*tree));
    EXPECT_TRUE(tree->GetItemState(Item(3), TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ(nullptr, tree->GetDropHilightItem());
    EXPECT_EQ(nullptr, ::GetCapture());
}
