// Desktop wallpaper from a file and from a picture in memory: the bitmap's name and size, the
// desktop values of each arrangement, numbered bitmaps that never overwrite, and nothing at all
// from a file that does not load.
#include "AlbumFixture.h"

#include "album/DesktopWallpaper.h"
#include "framework/Registry.h"
#include "image/ImageObject.h"
#include "mivo/process.h"
#include "support/MessageBoxCapture.h"

#include <fstream>
#include <memory>
#include <sys/stat.h>

using albumtest::AlbumDatabase;

namespace {

const char kDesktop[] = "Control Panel\\Desktop";

std::unique_ptr<CImageObject> Picture(int width, int height)
{
    CImageObject maker;
    return std::unique_ptr<CImageObject>(maker.MakeBlankImageObject(RGB(20, 120, 200), width, height));
}

CString Desktop(const char* value)
{
    return CRegistry::GetRegString(kDesktop, value, "(none)", HKEY_CURRENT_USER);
}

class Wallpaper : public AlbumDatabase {
protected:
    std::vector<std::vector<std::string>> starts;

    void SetUp() override
    {
        AlbumDatabase::SetUp();
        mivo::SetSpawnHook([this](const std::vector<std::string>& argv) {
            starts.push_back(argv);
            return true;
        });
        mivotest::MessageBoxCapture quiet;  // a key not there yet is reported
        CRegistry::RegDelete("Control Panel", "", "Desktop", HKEY_CURRENT_USER);
    }
    void TearDown() override { mivo::SetSpawnHook(nullptr); }

    bool Exists(const std::string& name) const
    {
        struct stat st;
        return ::stat(data.file(name).c_str(), &st) == 0;
    }
    CSize BitmapSize(const std::string& name) const
    {
        CImageObject image;
        image.LoadImageFromFile(ProgramPath(name), 0);
        return CSize(image.GetWidth(), image.GetHeight());
    }
};

}  // namespace

TEST_F(Wallpaper, APhotoFileBecomesTheWallpaperInEachArrangement)
{
    ASSERT_TRUE(Picture(64, 48)->Save(ProgramPath("beach.jpg")));
    struct Case {
        int (CDesktopWallpaper::*apply)();
        const char* tile;
        const char* style;
    } cases[] = {
        {&CDesktopWallpaper::ApplyCentered, "0", "1"},
        {&CDesktopWallpaper::ApplyTiled, "1", "1"},
        {&CDesktopWallpaper::ApplyStretched, "0", "2"},
    };
    for (const Case& c : cases) {
        mivotest::MessageBoxCapture boxes;
        CDesktopWallpaper wallpaper;
        EXPECT_EQ(1, wallpaper.PrepareFromFile(ProgramPath("beach.jpg")));
        EXPECT_EQ(ProgramPath("WallPaper\\beach.bmp"), wallpaper.m_strBitmapPath);
        EXPECT_EQ(1, (wallpaper.*c.apply)());
        EXPECT_EQ(CString(c.tile), Desktop("TileWallpaper"));
        EXPECT_EQ(CString(c.style), Desktop("WallpaperStyle"));
        EXPECT_EQ(ProgramPath("WallPaper\\beach.bmp"), Desktop("Wallpaper"));
        ASSERT_EQ(1u, boxes.shown().size());
        EXPECT_EQ("바탕화면 이미지를 변경하였습니다.", boxes.shown()[0].text);
    }
    EXPECT_EQ(CSize(64, 48), BitmapSize("WallPaper\\beach.bmp"));
}

TEST_F(Wallpaper, UnnamedPicturesTakeTheFirstFreeNumber)
{
    auto picture = Picture(40, 30);
    ASSERT_EQ(0, ::mkdir(data.file("WallPaper").c_str(), 0700));
    std::ofstream(data.file("WallPaper/MivoWall2.bmp")) << "the user's own";
    const char* expected[] = {"WallPaper\\MivoWall1.bmp", "WallPaper\\MivoWall3.bmp", "WallPaper\\MivoWall4.bmp"};
    for (const char* name : expected) {
        CDesktopWallpaper wallpaper;
        EXPECT_EQ(1, wallpaper.PrepareFromImage(picture.get(), ""));
        EXPECT_EQ(ProgramPath(name), wallpaper.m_strBitmapPath);
    }
    std::ifstream kept(data.file("WallPaper/MivoWall2.bmp"));
    std::string text;
    std::getline(kept, text);
    EXPECT_EQ("the user's own", text);
    // A document's name names the bitmap; the picture itself is left as it was.
    CDesktopWallpaper named;
    EXPECT_EQ(1, named.PrepareFromImage(picture.get(), ProgramPath("P\\trip.jpg")));
    EXPECT_EQ(ProgramPath("WallPaper\\trip.bmp"), named.m_strBitmapPath);
    EXPECT_EQ(40, picture->GetWidth());
}

TEST_F(Wallpaper, LargePicturesShrinkToTheScreenAndSmallOnesStay)
{
    int screenWidth = ::GetSystemMetrics(SM_CXFULLSCREEN), screenHeight = ::GetSystemMetrics(SM_CYFULLSCREEN);
    auto large = Picture(screenWidth * 2, screenWidth);
    CDesktopWallpaper wallpaper;
    ASSERT_EQ(1, wallpaper.PrepareFromImage(large.get(), "large.jpg"));
    CSize fitted = BitmapSize("WallPaper\\large.bmp");
    EXPECT_LE(fitted.cx, screenWidth);
    EXPECT_LE(fitted.cy, screenHeight);
    EXPECT_NEAR(fitted.cx, fitted.cy * 2, 2);
    EXPECT_GE(fitted.cx, screenWidth - 2);
    EXPECT_EQ(screenWidth * 2, large->GetWidth());
    CDesktopWallpaper small;
    ASSERT_EQ(1, small.PrepareFromImage(Picture(30, 20).get(), "small.jpg"));
    EXPECT_EQ(CSize(30, 20), BitmapSize("WallPaper\\small.bmp"));
}

TEST_F(Wallpaper, NothingIsWrittenWithoutAPicture)
{
    std::ofstream(data.file("broken.jpg")) << "not a picture";
    ASSERT_TRUE(Picture(10, 10)->Save(ProgramPath("other.png.bmp")));
    std::ofstream(data.file("photo.png")) << "png";
    CImageObject empty;
    mivotest::MessageBoxCapture boxes;
    struct Case {
        const char* name;
        std::function<int(CDesktopWallpaper&)> prepare;
    } cases[] = {
        {"unloadable", [&](CDesktopWallpaper& w) { return w.PrepareFromFile(ProgramPath("broken.jpg")); }},
        {"missing", [&](CDesktopWallpaper& w) { return w.PrepareFromFile(ProgramPath("gone.jpg")); }},
        {"other type", [&](CDesktopWallpaper& w) { return w.PrepareFromFile(ProgramPath("photo.png")); }},
        {"empty image", [&](CDesktopWallpaper& w) { return w.PrepareFromImage(&empty, "x.jpg"); }},
        {"no image", [&](CDesktopWallpaper& w) { return w.PrepareFromImage(nullptr, ""); }},
        {"not prepared", [&](CDesktopWallpaper&) { return 0; }},
    };
    for (const Case& c : cases) {
        CDesktopWallpaper wallpaper;
        EXPECT_EQ(0, c.prepare(wallpaper)) << c.name;
        EXPECT_EQ(CString(), wallpaper.m_strBitmapPath) << c.name;
        EXPECT_EQ(0, wallpaper.ApplyCentered()) << c.name;
        EXPECT_EQ(0, wallpaper.ApplyStretched()) << c.name;
    }
    EXPECT_EQ(CString("(none)"), Desktop("TileWallpaper"));
    EXPECT_EQ(CString("(none)"), Desktop("Wallpaper"));
    EXPECT_TRUE(starts.empty());
    EXPECT_FALSE(Exists("WallPaper/broken.bmp"));
    EXPECT_FALSE(Exists("WallPaper/MivoWall1.bmp"));
    for (const auto& box : boxes.shown())
        EXPECT_NE("바탕화면 이미지를 변경하였습니다.", box.text);
}
