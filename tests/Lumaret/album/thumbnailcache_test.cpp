// The thumbnail cache on a copy of the shipped database: stamps decide hits, one row per path,
// sizes never enlarged, nothing stored from a picture that is not there, path upkeep inside the
// folder only, and two threads that never see each other's pixels through the one cache file.
#include "AlbumFixture.h"

#include "album/ThumbnailCache.h"
#include "image/ImageObject.h"

#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
#include <thread>

using albumtest::AlbumDatabase;

namespace {

std::unique_ptr<CImageObject> Picture(int width, int height, COLORREF colour)
{
    CImageObject maker;
    return std::unique_ptr<CImageObject>(maker.MakeBlankImageObject(colour, width, height));
}

std::string FileBytes(const std::string& posixPath)
{
    std::ifstream in(posixPath, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class Cache : public AlbumDatabase {
protected:
    std::string Thumbs() const { return Rows("ThumbNo||':'||ImgPath", "ThumbImages", "ThumbNo"); }
    // The size of the thumbnail stored for a path, decoded from the cache file.
    CSize StoredSize(const CString& path)
    {
        CThumbnailCache cache;
        CThumbnailCacheHold hold = cache.LoadCachedThumbnail(path, "");
        if (!hold)
            return CSize(-1, -1);
        CImageObject image;
        image.LoadImageFromFile(hold.GetPath(), 0);
        return CSize(image.GetWidth(), image.GetHeight());
    }
};

}  // namespace

TEST_F(Cache, AThumbnailIsCurrentUntilTheFileIsNewer)
{
    ASSERT_TRUE(db.exec("insert into ThumbImages values (3, 'C:\\P\\a.jpg', '2004-05-01 10:20', x'FFD8010203FFD9')"));
    {
        CThumbnailCache cache;
        CThumbnailCacheHold hold = cache.LoadCachedThumbnail("C:\\P\\a.jpg", "2004-05-01 10:20");
        ASSERT_TRUE(hold);
        EXPECT_STREQ(cache.m_strCacheFile, hold.GetPath());
        EXPECT_EQ(std::string("\xFF\xD8\x01\x02\x03\xFF\xD9", 7), FileBytes(data.file("Temp/MivoCache.jpg")));
        EXPECT_TRUE(cache.LoadCachedThumbnail("C:\\P\\a.jpg", "2004-05-01 10:19"));
        EXPECT_FALSE(cache.LoadCachedThumbnail("C:\\P\\b.jpg", "2004-05-01 10:20"));
        EXPECT_EQ(nullptr, cache.LoadCachedThumbnail("C:\\P\\A.JPG", "2004-05-01 10:20").GetPath());
        EXPECT_FALSE(cache.LoadCachedThumbnail("C:\\P\\a.jpg", "2004-05-01 10:21"));
    }
    EXPECT_EQ("", Thumbs());
    // A row without bytes is a miss.
    ASSERT_TRUE(db.exec("insert into ThumbImages values (4, 'C:\\P\\e.jpg', '2004-05-01 10:20', x'')"));
    CThumbnailCache cache;
    EXPECT_FALSE(cache.LoadCachedThumbnail("C:\\P\\e.jpg", "2004-05-01 10:20"));
}

TEST_F(Cache, StoringAPathTwiceKeepsOneRowAndItsNumber)
{
    auto small = Picture(100, 80, RGB(200, 30, 30));
    auto large = Picture(1600, 1200, RGB(30, 30, 200));
    {
        CThumbnailCache cache;
        EXPECT_EQ(1, cache.StoreThumbnail("C:\\P\\a.jpg", small.get()));
        EXPECT_EQ(1, cache.StoreThumbnail("C:\\P\\b's.jpg", large.get()));
        EXPECT_EQ(1, cache.StoreThumbnail("C:\\P\\a.jpg", large.get()));
    }
    EXPECT_EQ("1:C:\\P\\a.jpg ; 2:C:\\P\\b\x1Es.jpg", Thumbs());
    std::string stamp = db.scalar("select RegDate from ThumbImages where ThumbNo = 1");
    EXPECT_TRUE(std::regex_match(stamp, std::regex("\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d"))) << stamp;
    EXPECT_EQ(CSize(140, 105), StoredSize("C:\\P\\a.jpg"));
    EXPECT_EQ(CSize(140, 105), StoredSize("C:\\P\\b's.jpg"));
    {
        CThumbnailCache cache;
        cache.StoreThumbnail("C:\\P\\a.jpg", small.get());
    }
    EXPECT_EQ(CSize(100, 80), StoredSize("C:\\P\\a.jpg"));
}

TEST_F(Cache, NothingIsStoredFromAPictureThatIsNotThere)
{
    auto red = Picture(300, 200, RGB(220, 0, 0));
    CImageObject empty;
    CThumbnailCache cache;
    EXPECT_EQ(1, cache.StoreThumbnail("C:\\P\\red.jpg", red.get()));
    EXPECT_EQ(0, cache.StoreThumbnail("", red.get()));
    EXPECT_EQ(0, cache.StoreThumbnail("C:\\P\\empty.jpg", &empty));
    EXPECT_EQ(0, cache.StoreThumbnail("C:\\P\\null.jpg", nullptr));
    EXPECT_EQ(0, cache.CopyEntry("C:\\P\\none.jpg", "C:\\P\\copy.jpg"));
    // Without its folder the cache file cannot be written: the red picture's bytes left from
    // before must not be stored under the next path.
    mivotest::RemoveFolder(data.file("Temp"));
    EXPECT_EQ(0, cache.StoreThumbnail("C:\\P\\blue.jpg", Picture(300, 200, RGB(0, 0, 220)).get()));
    EXPECT_EQ("1:C:\\P\\red.jpg", Thumbs());
}

TEST_F(Cache, ACopyStoresTheSameBytesForTheTarget)
{
    auto red = Picture(300, 200, RGB(220, 0, 0));
    {
        CThumbnailCache cache;
        cache.StoreThumbnail("C:\\P\\red.jpg", red.get());
        cache.StoreThumbnail("C:\\Q\\red.jpg", Picture(50, 50, RGB(0, 220, 0)).get());
        EXPECT_EQ(1, cache.CopyEntry("C:\\P\\red.jpg", "C:\\Q\\red.jpg"));
        EXPECT_EQ(1, cache.CopyEntry("C:\\P\\red.jpg", "C:\\R\\red.jpg"));
    }
    EXPECT_EQ("1:C:\\P\\red.jpg ; 2:C:\\Q\\red.jpg ; 3:C:\\R\\red.jpg", Thumbs());
    EXPECT_EQ("1", db.scalar("select count(distinct hex(ThumbImage)) from ThumbImages where ImgPath like '%red.jpg'"));
}

TEST_F(Cache, PathUpkeepStaysInsideTheFolder)
{
    for (const char* path : {"C:\\Photo\\a.jpg", "C:\\Photo\\2004\\b.jpg", "C:\\PhotoOld\\c.jpg", "C:\\photo\\d.jpg",
                             "C:\\Photo\\x.jpg"})
        ASSERT_TRUE(db.exec(std::string("insert into ThumbImages (ThumbNo, ImgPath, RegDate) select ifnull(max(ThumbNo), 0) + 1, '") +
                            path + "', '2004-01-01 00:00' from ThumbImages"));
    {
        CThumbnailCache cache;
        cache.RenamePath("C:\\Photo\\x.jpg", "C:\\Photo\\y.jpg");
        cache.MoveFolder("C:\\Photo", "D:\\Pics\\");
    }
    EXPECT_EQ("1:D:\\Pics\\a.jpg ; 2:D:\\Pics\\2004\\b.jpg ; 3:C:\\PhotoOld\\c.jpg ; 4:C:\\photo\\d.jpg ; 5:D:\\Pics\\y.jpg",
              Thumbs());
    {
        CThumbnailCache cache;
        cache.DeleteByPath("D:\\Pics\\y.jpg");
        cache.DeleteFolder("D:\\Pics");
    }
    EXPECT_EQ("3:C:\\PhotoOld\\c.jpg ; 4:C:\\photo\\d.jpg", Thumbs());
    {
        CThumbnailCache cache;
        EXPECT_EQ(1, cache.DeleteAll());
    }
    EXPECT_EQ("", Thumbs());
}

TEST_F(Cache, TwoThreadsNeverSeeEachOthersPixels)
{
    auto work = [this](const char* path, COLORREF colour, int* wrong) {
        auto picture = Picture(320, 240, colour);
        CThumbnailCache cache;
        for (int i = 0; i < 200; ++i) {
            cache.StoreThumbnail(path, picture.get());
            CThumbnailCacheHold hold = cache.LoadCachedThumbnail(path, "");
            CImageObject thumb;
            if (!hold || !thumb.LoadImageFromFile(hold.GetPath(), 0)) {
                ++*wrong;
                continue;
            }
            COLORREF seen = thumb.GetPixelColor(thumb.GetWidth() / 2, thumb.GetHeight() / 2);
            if (abs(GetRValue(seen) - GetRValue(colour)) > 40 || abs(GetBValue(seen) - GetBValue(colour)) > 40)
                ++*wrong;
        }
    };
    int wrongRed = 0, wrongBlue = 0;
    std::thread red(work, "C:\\P\\red.jpg", RGB(230, 0, 0), &wrongRed);
    std::thread blue(work, "C:\\P\\blue.jpg", RGB(0, 0, 230), &wrongBlue);
    red.join();
    blue.join();
    EXPECT_EQ(0, wrongRed);
    EXPECT_EQ(0, wrongBlue);
}
