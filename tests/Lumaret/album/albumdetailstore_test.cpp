// The album detail store on a copy of the shipped database: renames reach every album, folder
// moves and deletes keep to the folder byte for byte, and awkward paths survive as stored.
#include "AlbumFixture.h"

#include "album/AlbumDetailStore.h"

#include <string>

using albumtest::AlbumDatabase;

namespace {

class DetailStore : public AlbumDatabase {
protected:
    void Add(int album, int seq, const std::string& utf8Path)
    {
        ASSERT_TRUE(db.exec("insert into AlbumDetail (AlbumID, Seq, PathName, Title) values (" + std::to_string(album) +
                            "," + std::to_string(seq) + ",'" + utf8Path + "','t')"));
    }
};

}  // namespace

TEST_F(DetailStore, ARenamedFileFollowsInEveryAlbumItStandsIn)
{
    Add(1, 1, "C:\\A\\photo.jpg");
    Add(2, 5, "C:\\A\\photo.jpg");
    Add(3, 2, "C:\\A\\photo.jpg");
    Add(3, 3, "C:\\A\\PHOTO.jpg");
    {
        CAlbumDetailStore store;
        EXPECT_EQ(1, store.RenamePath("C:\\A\\photo.jpg", "C:\\A\\trip.jpg"));
    }
    EXPECT_EQ("1:1:C:\\A\\trip.jpg ; 2:5:C:\\A\\trip.jpg ; 3:2:C:\\A\\trip.jpg ; 3:3:C:\\A\\PHOTO.jpg", Details());
    {
        CAlbumDetailStore store;
        EXPECT_EQ(1, store.DeleteByPath("C:\\A\\trip.jpg"));
    }
    EXPECT_EQ("3:3:C:\\A\\PHOTO.jpg", Details());
}

TEST_F(DetailStore, MovingAFolderRewritesItsRowsOnlyAndKeepsTheirKeys)
{
    for (const char* target : {"D:\\Pics", "D:\\Pics\\", "D:\\Pics\\\\"}) {
        ASSERT_TRUE(db.exec("delete from AlbumDetail"));
        Add(4, 7, "C:\\Photo\\a.jpg");
        Add(9, 2, "C:\\Photo\\2004\\b.jpg");
        Add(4, 8, "C:\\PhotoOld\\c.jpg");
        Add(4, 9, "C:\\photo\\d.jpg");
        Add(5, 1, "C:\\Photo");
        for (const char* source : {"C:\\Photo", "C:\\Photo\\"}) {
            ASSERT_TRUE(db.exec("update AlbumDetail set PathName = replace(PathName, 'D:\\Pics', 'C:\\Photo')"));
            {
                CAlbumDetailStore store;
                EXPECT_EQ(1, store.MoveFolder(source, target));
            }
            EXPECT_EQ("4:7:D:\\Pics\\a.jpg ; 4:8:C:\\PhotoOld\\c.jpg ; 4:9:C:\\photo\\d.jpg ; 5:1:C:\\Photo ; "
                      "9:2:D:\\Pics\\2004\\b.jpg",
                      Details())
                << source << " -> " << target;
        }
    }
}

TEST_F(DetailStore, DeletingAFolderSparesItsLookAlikes)
{
    for (const char* folder : {"C:\\Photo", "C:\\Photo\\"}) {
        ASSERT_TRUE(db.exec("delete from AlbumDetail"));
        Add(1, 1, "C:\\Photo\\a.jpg");
        Add(1, 2, "C:\\Photo\\2004\\b.jpg");
        Add(1, 3, "C:\\PhotoOld\\c.jpg");
        Add(1, 4, "C:\\photo\\d.jpg");
        {
            CAlbumDetailStore store;
            EXPECT_EQ(1, store.DeleteFolder(folder));
            EXPECT_EQ(1, store.DeleteFolder(""));
        }
        EXPECT_EQ("1:3:C:\\PhotoOld\\c.jpg ; 1:4:C:\\photo\\d.jpg", Details()) << folder;
    }
}

TEST_F(DetailStore, AwkwardPathsAreFoundAsStored)
{
    // Apostrophes are stored as 0x1E; _ and % are LIKE wildcards; Korean crosses code pages.
    std::string longName(300, 'x');
    struct Case {
        const char* name;
        CString folder;      // program form (CP949)
        std::string stored;  // database form (UTF-8, 0x1E for apostrophes)
        std::string lookAlike;
    } cases[] = {
        {"apostrophe", "C:\\Tom's", "C:\\Tom\x1Es", "C:\\Tomxs"},
        {"underscore", "C:\\a_b", "C:\\a_b", "C:\\axb"},
        {"percent", "C:\\100%", "C:\\100%", "C:\\100abc"},
        {"korean", "C:\\사진", u8"C:\\사진", u8"C:\\사진첩"},
        {"300 bytes", CString("C:\\") + longName.c_str(), "C:\\" + longName, "C:\\" + longName + "y"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(db.exec("delete from AlbumDetail"));
        Add(1, 1, c.stored + "\\" + longName + ".jpg");
        Add(1, 2, c.lookAlike + "\\z.jpg");
        Add(1, 3, c.stored + "\\one.jpg");
        {
            CAlbumDetailStore store;
            store.RenamePath(c.folder + "\\one.jpg", c.folder + "\\two.jpg");
            store.MoveFolder(c.folder, "E:\\New");
        }
        EXPECT_EQ("1:1:E:\\New\\" + longName + ".jpg ; 1:2:" + c.lookAlike + "\\z.jpg ; 1:3:E:\\New\\two.jpg", Details())
            << c.name;
        {
            CAlbumDetailStore store;
            store.MoveFolder("E:\\New", c.folder);
            store.DeleteByPath(c.folder + "\\two.jpg");
            store.DeleteFolder(c.folder);
        }
        EXPECT_EQ("1:2:" + c.lookAlike + "\\z.jpg", Details()) << c.name;
    }
}
