// The folder tree over a temporary drive: path walks, full paths, the child button, drops of
// CF_TEXT blocks, the one drop target of the process, and an in-tree drag by mouse.
#include "ShellFixture.h"

#include "controls/DirTreeCtrl.h"
#include "controls/ShellFunctions.h"
#include "support/InputSynth.h"
#include "support/MessageBoxCapture.h"
#include "support/MessageLoop.h"

#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

// The owner told about moves.
class Owner : public CWnd {
public:
    std::vector<std::pair<std::string, std::string>> moves;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TREE_ITEM_DROPPED) {
            moves.emplace_back((const char*)*(CString*)wParam, (const char*)*(CString*)lParam);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

struct DirTree : ShellFixture {
    Owner owner;
    std::unique_ptr<CDirTreeCtrl> tree;

    void SetUp() override
    {
        ShellFixture::SetUp();
        ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP | WS_VISIBLE, 0, 0, 400, 600, nullptr,
                                   nullptr));
        tree = MakeTree();
        tree->Initialize(0);
    }
    void TearDown() override
    {
        tree.reset();
        owner.DestroyWindow();
        ShellFixture::TearDown();
    }

    std::unique_ptr<CDirTreeCtrl> MakeTree()
    {
        auto made = std::make_unique<CDirTreeCtrl>();
        made->Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, CRect(0, 0, 380, 580),
                     &owner, 100);
        made->SetParentWindow(&owner);
        return made;
    }

    std::string Selected() { return (const char*)tree->GetItemText(tree->GetSelectedItem()); }
    HTREEITEM Child(HTREEITEM parent, const char* text)
    {
        for (HTREEITEM c = tree->GetChildItem(parent); c; c = tree->GetNextSiblingItem(c))
            if (tree->GetItemText(c) == text)
                return c;
        return nullptr;
    }
};

}  // namespace

TEST_F(DirTree, PathsAreWalkedFromMyComputerOrNetwork)
{
    struct Case {
        const char* path;
        bool found;
        const char* selected;
    };
    const Case cases[] = {
        {"M:\\앨범\\여름\\바다", true, "바다"},  // below folders never opened, in one call
        {"m:\\BETA", true, "Beta"},
        {"M:\\beta\\", true, "beta"},
        {"", true, "내 컴퓨터"},
        {"M:\\앨범\\없음", false, "바탕 화면"},
        {"\\\\server\\share", false, "바탕 화면"},
    };
    for (const Case& c : cases) {
        tree->Initialize(0);
        HTREEITEM item = tree->SetPathByStr(c.path);
        EXPECT_EQ(c.found, item != nullptr) << c.path;
        EXPECT_EQ(c.selected, Selected()) << c.path;
    }
    EXPECT_STREQ("M:\\beta", (tree->SetPathByStr("M:\\beta"), tree->GetSelectedPath()));
}

TEST_F(DirTree, SelectingAMissingTailLeavesTheDeepestItemSelected)
{
    HTREEITEM computer = tree->GetItemFrom(CSIDL_DRIVES, nullptr);
    ASSERT_NE(nullptr, computer);
    EXPECT_EQ(nullptr, tree->SelectItem("M:\\앨범\\없음", computer));
    EXPECT_EQ("앨범", Selected());
    EXPECT_STREQ("M:\\앨범", tree->GetSelectedPath());
    EXPECT_STREQ("앨범", tree->GetSelectedName());
}

TEST_F(DirTree, FullPathsEndWithOneBackslash)
{
    HTREEITEM drive = tree->GetItemFromPath("M:\\", nullptr);
    HTREEITEM album = tree->GetItemFromPath("M:\\앨범", nullptr);
    ASSERT_NE(nullptr, drive);
    ASSERT_NE(nullptr, album);
    EXPECT_EQ(CString("M:\\"), tree->GetFullPath(drive));
    EXPECT_EQ(CString("M:\\앨범\\"), tree->GetFullPath(album));
    EXPECT_EQ(1, tree->IsDir(album));
    EXPECT_EQ(CString(""), tree->GetFullPath(nullptr));
}

TEST_F(DirTree, ExpandingAFolderWithoutSubfoldersRemovesItsButton)
{
    HTREEITEM drive = tree->GetItemFromPath("M:\\", nullptr);
    HTREEITEM empty = Child(drive, "빈폴더");
    ASSERT_NE(nullptr, empty);
    EXPECT_TRUE(tree->ItemHasChildren(empty));
    tree->Expand(empty, TVE_EXPAND);
    EXPECT_FALSE(tree->ItemHasChildren(empty));
    EXPECT_EQ(nullptr, tree->GetChildItem(empty));
}

TEST_F(DirTree, SelectedListsAreTheNodesAndCopiesOfThem)
{
    tree->SetPathByStr("M:\\앨범\\여름");
    const ITEMIDLIST* full = tree->GetSelectedFullIDL();
    ASSERT_NE(nullptr, full);
    EXPECT_EQ(4u, SHGetChildrenN(full));
    EXPECT_EQ(1u, SHGetChildrenN(tree->GetSelectedRelativeIDL()));
    ITEMIDLIST* copy = tree->GetTreeSelectedFullIDL();
    ASSERT_NE(nullptr, copy);
    EXPECT_NE((const void*)full, (const void*)copy);
    EXPECT_EQ(0, memcmp(copy, full, SHGetIDLSize(full)));
    char path[MAX_PATH];
    EXPECT_TRUE(SHGetPathFromIDList(copy, path));
    EXPECT_STREQ("M:\\앨범\\여름", path);
    SHFree1(copy);
    HTREEITEM top = tree->SetPathByIDL(nullptr);
    EXPECT_EQ(tree->GetRootItem(), top);
    tree->SetPathByStr("M:\\앨범");
    tree->DestroyWindow();
    ITEMIDLIST* kept = tree->GetTreeSelectedFullIDL();
    ASSERT_NE(nullptr, kept);
    EXPECT_TRUE(SHGetPathFromIDList(kept, path));
    EXPECT_STREQ("M:\\앨범", path);
    SHFree1(kept);
}

namespace {

struct DropCase {
    const char* name;
    std::string text;
    bool terminated;
    std::vector<std::string> moved;  // sources, relative to the drive
    std::string box;
};

}  // namespace

TEST_F(DirTree, DroppedTextMovesTheNamedFilesIntoTheFolderUnderThePoint)
{
    const DropCase cases[] = {
        {"normal line", "0\tM:\\문서\\메모.txt\r\n", true, {"문서\\메모.txt"},
         "1 파일을 \rM:\\앨범\\ 폴더로 \r이동했습니다."},
        {"kind 1", "1\tM:\\문서\\메모.txt\r\n", true, {}, "파일 이동이 이루어지지 않았습니다."},
        {"last line without CR", "0\tM:\\문서\\a.jpg\r\n0\tM:\\문서\\메모.txt", false, {"문서\\a.jpg"},
         "1 파일을 \rM:\\앨범\\ 폴더로 \r이동했습니다."},
        {"same folder", "0\tM:\\앨범\\표지.jpg\r\n", true, {}, "파일 이동이 이루어지지 않았습니다."},
        {"existing target", "0\tM:\\문서\\표지.jpg\r\n", true, {}, "파일 이동이 이루어지지 않았습니다."},
        {"line too long", "0\tM:\\문서\\" + std::string(300, 'z') + "\r\n0\tM:\\문서\\메모.txt\r\n", true,
         {"문서\\메모.txt"}, "1 파일을 \rM:\\앨범\\ 폴더로 \r이동했습니다."},
    };
    for (const DropCase& c : cases) {
        MakeFile("drive/문서/메모.txt", "memo");
        MakeFile("drive/문서/a.jpg", "a");
        MakeFile("drive/문서/표지.jpg", "other");
        MakeFile("drive/앨범/표지.jpg", "cover");
        owner.moves.clear();
        HTREEITEM album = tree->GetItemFromPath("M:\\앨범", nullptr);
        ASSERT_NE(nullptr, album);
        tree->SelectDropTarget(album);
        size_t size = c.text.size() + (c.terminated ? 1 : 0);
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
        memcpy(GlobalLock(block), c.text.c_str(), size);
        GlobalUnlock(block);
        COleDataSource source;
        source.CacheGlobalData(CF_TEXT, block);
        COleDataObject data;
        data.Attach(&source);
        mivotest::MessageBoxCapture boxes;
        EXPECT_TRUE(tree->GetDropTarget().OnDrop(tree.get(), &data, DROPEFFECT_COPY, CPoint(5, 5))) << c.name;
        std::vector<std::pair<std::string, std::string>> expected;
        for (const std::string& m : c.moved)
            expected.emplace_back("M:\\" + m, "M:\\앨범\\" + m.substr(m.rfind('\\') + 1));
        EXPECT_EQ(expected, owner.moves) << c.name;
        ASSERT_EQ(1u, boxes.shown().size()) << c.name;
        EXPECT_EQ(c.box, boxes.shown()[0].text) << c.name;
        EXPECT_EQ(nullptr, tree->GetDropHilightItem());
        EXPECT_EQ(album, tree->GetSelectedItem());
        // Nothing is overwritten: the album's own cover is still there.
        std::ifstream cover(Posix("drive/앨범/표지.jpg"));
        std::string kept;
        cover >> kept;
        EXPECT_EQ("cover", kept) << c.name;
        for (const char* f : {"drive/앨범/메모.txt", "drive/앨범/a.jpg"})
            unlink(Posix(f).c_str());
    }
}

TEST_F(DirTree, ADropWithoutTextOrHighlightIsRefused)
{
    COleDataSource source;
    COleDataObject data;
    data.Attach(&source);
    EXPECT_FALSE(tree->GetDropTarget().OnDrop(tree.get(), &data, DROPEFFECT_COPY, CPoint()));  // no highlight
    tree->SelectDropTarget(tree->GetRootItem());
    EXPECT_FALSE(tree->GetDropTarget().OnDrop(tree.get(), &data, DROPEFFECT_COPY, CPoint()));  // no text
}

TEST_F(DirTree, OnlyOneLiveTreeTakesDrops)
{
    EXPECT_TRUE(tree->GetDropTarget().IsRegistered());
    auto second = MakeTree();
    second->Initialize(0);
    EXPECT_FALSE(second->GetDropTarget().IsRegistered());
    EXPECT_EQ(tree->GetItemText(tree->GetRootItem()), second->GetItemText(second->GetRootItem()));
    tree->DestroyWindow();
    second->Initialize(0);  // the first is gone: the next to start takes the drops
    EXPECT_TRUE(second->GetDropTarget().IsRegistered());
}

TEST_F(DirTree, DraggingAFileOntoAFolderMovesItAndKeepsItsExtension)
{
    tree->DisplayTree(kNodeFileSystemOnly | kNodeWithFiles, "M:\\", 1);
    HTREEITEM drive = tree->GetRootItem();
    tree->Expand(drive, TVE_EXPAND);
    HTREEITEM memoFolder = Child(drive, "문서");
    HTREEITEM album = Child(drive, "앨범");
    ASSERT_NE(nullptr, memoFolder);
    ASSERT_NE(nullptr, album);
    tree->Expand(memoFolder, TVE_EXPAND);
    tree->Expand(album, TVE_EXPAND);
    HTREEITEM memo = Child(memoFolder, "메모.txt");
    HTREEITEM cover = Child(album, "표지.jpg");
    ASSERT_NE(nullptr, memo);
    ASSERT_NE(nullptr, cover);
    auto drag = [&](HTREEITEM from, HTREEITEM onto, POINT end) {
        CRect a, b;
        ASSERT_TRUE(tree->GetItemRect(from, &a, TRUE));
        if (onto) {
            ASSERT_TRUE(tree->GetItemRect(onto, &b, TRUE));
            end = b.CenterPoint();
        }
        HWND h = tree->GetSafeHwnd();
        // A click far away first, so this press is never taken for a double click.
        mivo::test::Click(h, 370, 575);
        mivo::test::MouseDown(h, a.CenterPoint().x, a.CenterPoint().y);
        mivo::test::MouseMove(h, a.CenterPoint().x + 10, a.CenterPoint().y + 10);
        mivo::test::MouseMove(h, end.x, end.y);
        mivo::test::MouseUp(h, end.x, end.y);
    };
    // Refused: a folder item, onto itself, onto a file, onto empty space.
    drag(album, memoFolder, {});
    drag(memo, memo, {});
    drag(memo, cover, {});
    drag(memo, nullptr, {300, 560});
    EXPECT_TRUE(owner.moves.empty());
    EXPECT_TRUE(Exists("drive/문서/메모.txt"));
    drag(memo, album, {});
    ASSERT_EQ(1u, owner.moves.size());
    EXPECT_EQ(std::make_pair(std::string("M:\\문서\\메모.txt"), std::string("M:\\앨범\\메모.txt")), owner.moves[0]);
    EXPECT_FALSE(Exists("drive/문서/메모.txt"));
    EXPECT_TRUE(Exists("drive/앨범/메모.txt"));
    // The moved item has no node: it answers as nothing rather than as a node.
    HTREEITEM moved = Child(album, "메모.txt");
    ASSERT_NE(nullptr, moved);
    EXPECT_EQ(nullptr, tree->NodeOf(moved));
    EXPECT_EQ(CString(""), tree->GetFullPath(moved));
    EXPECT_EQ(0, tree->IsDir(moved));
    tree->SelectItem(moved);
    EXPECT_EQ(nullptr, tree->GetSelectedPath());
    tree->SortIt(album);
}
