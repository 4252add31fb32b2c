// The album statements every caller shares: new keys, photos added to an album (running Seq,
// folders skipped, photos leaving their own album only for another one), albums made, renamed,
// moved and removed, and the tree loader's passes over rows that come before their parents.
#include "AlbumFixture.h"

#include "album/AlbumTables.h"

using albumtest::AlbumDatabase;

namespace {

class Tables : public AlbumDatabase {
protected:
    void Album(int id, const std::string& name, int parent)
    {
        ASSERT_TRUE(db.exec("insert into AlbumMaster values (" + std::to_string(id) + ",'" + name + "'," +
                            std::to_string(parent) + ")"));
    }
    void Photo(int album, int seq, const std::string& path)
    {
        ASSERT_TRUE(db.exec("insert into AlbumDetail (AlbumID, Seq, PathName) values (" + std::to_string(album) + "," +
                            std::to_string(seq) + ",'" + path + "')"));
    }
};

std::vector<AlbumEntry> Entries(std::initializer_list<std::pair<int, const char*>> list)
{
    std::vector<AlbumEntry> entries;
    for (const auto& e : list)
        entries.push_back(AlbumEntry{e.first, e.second});
    return entries;
}

}  // namespace

TEST_F(Tables, NewAlbumsAndPhotosNumberFromOne)
{
    EXPECT_EQ(1, CAlbumTables::NewAlbum("여행", 0));
    EXPECT_EQ(2, CAlbumTables::NewAlbum("Tom's", 1));
    EXPECT_EQ(u8"0:앨범:0 ; 1:여행:0 ; 2:Tom\x1Es:1", Albums());
    EXPECT_EQ(2, CAlbumTables::AddToAlbum(2, Entries({{0, "C:\\a.jpg"}, {0, "C:\\b.jpg"}})));
    EXPECT_EQ("2:1:C:\\a.jpg ; 2:2:C:\\b.jpg", Details());
    // An emptied table starts again at 1.
    ASSERT_TRUE(db.exec("delete from AlbumMaster"));
    EXPECT_EQ(1, CAlbumTables::NewAlbum("x", 0));
}

TEST_F(Tables, PhotosJoinAnAlbumAfterItsLastSeq)
{
    Photo(4, 5, "C:\\old.jpg");
    Photo(12, 1, "C:\\m.jpg");
    Photo(12, 2, "C:\\n.jpg");
    Photo(4, 6, "C:\\n.jpg");
    EXPECT_EQ(4, CAlbumTables::AddToAlbum(4, Entries({{0, "C:\\a.jpg"},
                                                       {1, "C:\\Folder"},
                                                       {0, "C:\\b.jpg"},
                                                       {112, "C:\\m.jpg"},
                                                       {104, "C:\\n.jpg"},
                                                       {0, "C:\\a.jpg"}})));
    // m.jpg left album 12; n.jpg, taken from album 4 itself, keeps its row; a.jpg twice is two rows.
    EXPECT_EQ("4:5:C:\\old.jpg ; 4:6:C:\\n.jpg ; 4:7:C:\\a.jpg ; 4:8:C:\\b.jpg ; 4:9:C:\\m.jpg ; 4:10:C:\\a.jpg ; "
              "12:2:C:\\n.jpg",
              Details());
    // The hidden root is no album.
    EXPECT_EQ(0, CAlbumTables::AddToAlbum(0, Entries({{0, "C:\\z.jpg"}})));
    EXPECT_EQ(0, CAlbumTables::AddToAlbum(-3, Entries({{0, "C:\\z.jpg"}})));
    EXPECT_EQ("", db.scalar("select PathName from AlbumDetail where PathName = 'C:\\z.jpg'"));
}

TEST_F(Tables, APhotoLeavesItsAlbumOnlyAfterItsNewRowIsStored)
{
    Photo(12, 1, "C:\\m.jpg");
    // A table that refuses every insert: the source row must stay.
    ASSERT_TRUE(db.exec("create trigger refuse before insert on AlbumDetail begin select raise(abort, 'no'); end"));
    EXPECT_EQ(0, CAlbumTables::AddToAlbum(4, Entries({{112, "C:\\m.jpg"}})));
    EXPECT_EQ("12:1:C:\\m.jpg", Details());
}

TEST_F(Tables, AlbumsAreRenamedMovedAndRemovedWithoutTheirSubAlbums)
{
    Album(3, "A", 0);
    Album(7, "B", 3);
    Album(8, "C", 7);
    Photo(7, 1, "C:\\x.jpg");
    Photo(8, 1, "C:\\y.jpg");
    EXPECT_EQ(1, CAlbumTables::RenameAlbum(7, "가족"));
    EXPECT_EQ(1, CAlbumTables::MoveAlbum(8, 3));
    EXPECT_EQ(0, CAlbumTables::MoveAlbum(8, 8));
    EXPECT_EQ(1, CAlbumTables::DeleteAlbum(7));
    EXPECT_EQ(0, CAlbumTables::DeleteAlbum(0));
    EXPECT_EQ(0, CAlbumTables::DeleteAlbum(99));
    EXPECT_EQ(u8"0:앨범:0 ; 3:A:0 ; 8:C:3", Albums());
    EXPECT_EQ("8:1:C:\\y.jpg", Details());
}

TEST_F(Tables, TheLoaderPlacesEveryAlbumAndEnds)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr));
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | TVS_HASBUTTONS, CRect(0, 0, 280, 280), &owner, 1));
    struct Case {
        const char* name;
        const char* rows;  // id, name, parent
        std::string tree;
    } cases[] = {
        {"root only", "", ""},
        {"in order", "(3,'A',0),(7,'B',3),(2,'C',7)", "A#3(B#7(C#2))"},
        {"child before parent", "(9,'A',0),(8,'B',9),(4,'C',8)", "A#9(B#8(C#4))"},
        {"orphan", "(1,'A',0),(6,'B',99),(5,'C',6)", "A#1,B#6(C#5)"},
        {"cycle", "(1,'A',0),(10,'B',11),(11,'C',10)", "A#1,C#11(B#10)"},
        {"korean", u8"(1,'가족 사진',0)", "가족 사진#1"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(db.exec("delete from AlbumMaster where AlbumID <> 0"));
        if (*c.rows) {
            ASSERT_TRUE(db.exec(std::string("insert into AlbumMaster values ") + c.rows));
        }
        tree.InsertItem("stale");
        CAlbumTables::LoadTree(tree, 24);
        EXPECT_EQ(c.tree, albumtest::TreeText(tree)) << c.name;
    }
    owner.DestroyWindow();
}
