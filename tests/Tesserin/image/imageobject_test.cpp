#include <gtest/gtest.h>

#include "ImageTestSupport.h"
#include "image/BMPFile.h"
#include "image/GIFFile.h"
#include "image/ImageObject.h"
#include "image/JPGFile.h"

#include <memory>
#include <sys/stat.h>

using namespace imgtest;

namespace {

class ImageObjectTest : public ::testing::Test {
protected:
    // Writes a picture in the format its name asks for.
    std::string Make(const std::string& name, Picture& p)
    {
        std::string path = dir.win(name);
        std::string ext = name.substr(name.size() - 4);
        for (char& c : ext)
            c = char(tolower(c));
        if (ext == ".jpg")
            EXPECT_TRUE(CJPGFile().RGBToJpegFile(path.c_str(), p.data(), p.width, p.height, TRUE, 95));
        else if (ext == ".bmp")
            EXPECT_TRUE(CBMPFile().SaveBMP(path.c_str(), p.data(), p.width, p.height));
        else {
            Bytes index(size_t(p.width) * p.height);
            for (size_t i = 0; i < index.size(); ++i)
                index[i] = BYTE(i);
            int grey[256];
            for (int i = 0; i < 256; ++i)
                grey[i] = i;
            EXPECT_EQ(1, CGIFFile().GIFWriteFileFrom256Color(index.data(), path.c_str(), p.width, p.height, 0, grey,
                                                             grey, grey));
        }
        return path;
    }
    std::unique_ptr<CImageObject> Loaded(int w, int h)
    {
        Picture p = MakeNoise(w, h, unsigned(w * 31 + h));
        auto img = std::make_unique<CImageObject>();
        EXPECT_EQ(1, img->LoadImageFromFile(Make("src.bmp", p).c_str(), 0));
        return img;
    }
    Folder dir;
};

}  // namespace

TEST(ImageObjectPlain, ExtensionTable)
{
    struct Case {
        const char* path;
        int type;
    } cases[] = {
        {"a.jpg", 1}, {"C:\\x\\A.JpG", 1}, {"a.jpeg", -1}, {"a.jpe", -1}, {"a.BMP", 2}, {"a.gif", 3},
        {"a.pcx", 4}, {"a.tga", 5}, {"a.tif", 6}, {"a.tiff", -1}, {"jpg", -1}, {"", -1}, {nullptr, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.type, ExtensionIndex(c.path)) << (c.path ? c.path : "NULL");
    EXPECT_STREQ("", szExtensions[6]);
}

TEST(ImageObjectPlain, FreshObject)
{
    int flag = 0;
    CImageObject own, shared(FakeWindow(), &flag);
    EXPECT_EQ(0, own.IsLoaded());
    EXPECT_EQ(0, own.GetImageType());
    EXPECT_EQ(95, own.m_nJPGQuality);
    EXPECT_STREQ("OK", (LPCSTR)own.m_strStatus);
    EXPECT_EQ(&own.m_nOwnInterrupt, own.GetInterrupt());
    EXPECT_EQ(&flag, shared.GetInterrupt());
    EXPECT_EQ(FakeWindow(), shared.GetParent());
    EXPECT_EQ(-1, own.m_nDstWidth);
    EXPECT_EQ(0, own.GetDst_width());
}

TEST(ImageObjectPlain, ThumbRatio)
{
    struct Case {
        int w, h, boxW, boxH;
        BOOL cap;
        int ratio;
    } cases[] = {
        {0, 0, 100, 100, TRUE, 0},
        {50, 50, 100, 100, TRUE, 1000},
        {50, 50, 100, 100, FALSE, 2000},
        {1000, 100, 200, 20, TRUE, 199},   // scaled width set against the box height
        {400, 300, 200, 200, TRUE, 500},
        {300, 400, 200, 200, TRUE, 500},
        {640, 480, 160, 120, TRUE, 249},   // 160 wide set against 120 high
        {480, 640, 120, 160, TRUE, 250},
    };
    for (const Case& c : cases) {
        CImageObject img;
        std::unique_ptr<CImageObject> blank(
            c.w ? img.MakeBlankImageObject(RGB(1, 2, 3), c.w, c.h) : new CImageObject);
        CSize size(-1, -1);
        EXPECT_EQ(c.ratio, blank->GetThumbRatio(CSize(c.boxW, c.boxH), &size, c.cap)) << c.w << "x" << c.h;
        EXPECT_EQ(CSize(c.w, c.h), size);
        EXPECT_EQ(c.ratio, blank->GetThumbRatio(CRect(10, 10, 10 + c.boxW, 10 + c.boxH), nullptr, c.cap));
    }
}

TEST(ImageObjectPlain, FactoriesAndCrops)
{
    CImageObject img(FakeWindow(), nullptr);
    std::unique_ptr<CImageObject> blank(img.MakeBlankImageObject(RGB(10, 20, 30), 5, 4));
    ASSERT_TRUE(blank);
    EXPECT_EQ(FakeWindow(), blank->GetParent());
    EXPECT_EQ(16, blank->m_nRowBytes);
    const BYTE* px = blank->GetImageBuf() + 3 * 16 + 12;
    EXPECT_EQ(30, px[0]);
    EXPECT_EQ(10, px[2]);
    EXPECT_EQ(nullptr, img.MakeBlankImageObject(0, 0, 4));
    EXPECT_EQ(nullptr, img.DuplicateImgObj());

    // A picture whose pixel (x, y from the top) is (x, y, 0).
    Picture p = MakePicture(20, 30, [](int x, int y) { return RGB(x, y, 0); });
    CImageObject src;
    src.m_pImageBuf = new BYTE[p.pixels.size()];
    memcpy(src.m_pImageBuf, p.data(), p.pixels.size());
    src.m_nWidth = 20;
    src.m_nHeight = 30;
    src.m_nRowBytes = RowBytes(20);

    std::unique_ptr<CImageObject> dup(src.DuplicateImgObj());
    ASSERT_TRUE(dup);
    EXPECT_EQ(0, memcmp(dup->GetImageBuf(), p.data(), p.pixels.size()));

    // The top-down CRect is inclusive: the top-left 10 x 10.
    std::unique_ptr<CImageObject> top(src.CropToNewImgObj(CRect(0, 0, 9, 9)));
    ASSERT_TRUE(top);
    EXPECT_EQ(10, top->GetWidth());
    EXPECT_EQ(10, top->GetHeight());
    const BYTE* corner = PixelOf(top->GetImageBuf(), 10, 10, 3, 0);
    EXPECT_EQ(3, corner[2]);
    EXPECT_EQ(0, corner[1]);
    // Buffer rows count from the bottom: rows 0..9 are the bottom ten.
    std::unique_ptr<CImageObject> bottom(src.CropToNewImgObj(0, 0, 9, 9));
    ASSERT_TRUE(bottom);
    EXPECT_EQ(29, PixelOf(bottom->GetImageBuf(), 10, 10, 0, 9)[1]);
    // Clamped to the picture; nothing left gives nothing.
    std::unique_ptr<CImageObject> clamped(src.CropToNewImgObj(CRect(15, -5, 40, 4)));
    ASSERT_TRUE(clamped);
    EXPECT_EQ(5, clamped->GetWidth());
    EXPECT_EQ(5, clamped->GetHeight());
    EXPECT_EQ(nullptr, src.CropToNewImgObj(25, 0, 30, 5));
    EXPECT_EQ(nullptr, src.CropToNewImgObj(CRect(5, 5, 4, 9)));
    EXPECT_EQ(0, src.CropSelf(0, 40, 5, 50));

    std::unique_ptr<CImageObject> scaled(src.MakeScaledImgObj(CSize(10, 10), nullptr, nullptr));
    ASSERT_TRUE(scaled);
    EXPECT_EQ(6, scaled->GetWidth());
    EXPECT_EQ(9, scaled->GetHeight());

    EXPECT_EQ(1, src.CropSelf(2, 0, 4, 1));
    EXPECT_EQ(3, src.GetWidth());
    EXPECT_EQ(2, src.GetHeight());
    EXPECT_EQ(12, src.m_nRowBytes);
    EXPECT_EQ(2, PixelOf(src.GetImageBuf(), 3, 2, 0, 1)[2]);
    EXPECT_EQ(29, PixelOf(src.GetImageBuf(), 3, 2, 0, 1)[1]);
}

TEST(ImageObjectPlain, ScaledCopies)
{
    // 3 x 3 at 500 is 1 x 1 from pixel (0, 0) of the bottom row.
    Picture p = MakePicture(3, 3, [](int x, int y) { return RGB(x, y, 9); });
    CImageObject src;
    src.m_pImageBuf = new BYTE[p.pixels.size()];
    memcpy(src.m_pImageBuf, p.data(), p.pixels.size());
    src.m_nWidth = src.m_nHeight = 3;
    src.m_nRowBytes = RowBytes(3);
    UINT w = 0, h = 0;
    std::unique_ptr<CImageObject> one(src.MakeScaledImgObj(500, &w, &h));
    ASSERT_TRUE(one);
    EXPECT_EQ(1u, w);
    EXPECT_EQ(1u, h);
    EXPECT_EQ(0, one->GetImageBuf()[2]);
    EXPECT_EQ(2, one->GetImageBuf()[1]);
    std::unique_ptr<CImageObject> tiny(one->MakeScaledImgObj(100, &w, &h));
    ASSERT_TRUE(tiny);
    EXPECT_EQ(1u, w);
    EXPECT_EQ(nullptr, src.MakeScaledImgObj(0, &w, &h));
    CImageObject empty;
    EXPECT_EQ(nullptr, empty.MakeScaledImgObj(500, &w, &h));
}

TEST_F(ImageObjectTest, LoadsEachFormatAndSendsDone)
{
    Picture p = MakeGradient(33, 21);
    for (const char* name : {"a.jpg", "a.bmp", "a.gif", "a.JPG"}) {
        std::string path = Make(name, p);
        NoticeRecorder rec;
        CImageObject img(FakeWindow(), nullptr);
        ASSERT_EQ(1, img.LoadImageFromFile(path.c_str(), 0)) << name;
        EXPECT_EQ(33, img.GetWidth());
        EXPECT_EQ(21, img.GetHeight());
        EXPECT_EQ(RowBytes(33), img.m_nRowBytes);
        EXPECT_STREQ(path.c_str(), img.GetFileName());
        EXPECT_EQ(std::vector<int>{100}, rec.done) << name;
        EXPECT_EQ(100, rec.progress.back());
    }
}

TEST_F(ImageObjectTest, ScaledLoads)
{
    Picture p = MakeGradient(200, 120);
    for (const char* name : {"s.jpg", "s.bmp", "s.gif"}) {
        std::string path = Make(name, p);
        struct Case {
            int ratio, width, height;
        } cases[] = {{1000, 200, 120}, {500, 100, 60}, {300, 60, 36}, {125, 25, 15}, {1500, 300, 180}};
        for (const Case& c : cases) {
            CImageObject img;
            ASSERT_EQ(1, img.LoadScaled(path.c_str(), c.ratio, 0)) << name << " " << c.ratio;
            EXPECT_EQ(c.width, img.GetWidth()) << name << " " << c.ratio;
            EXPECT_EQ(c.height, img.GetHeight()) << name << " " << c.ratio;
        }
        CImageObject img;
        ASSERT_EQ(1, img.LoadScaled(path.c_str(), CSize(50, 50), 0));
        EXPECT_EQ(50, img.GetWidth());
        EXPECT_LE(img.GetHeight(), 50);
        EXPECT_EQ(0, img.LoadScaled(path.c_str(), 0, 0));
        EXPECT_EQ(0, img.GetWidth());
    }
}

TEST_F(ImageObjectTest, FlagOfOneSilencesAndFailsScaledLoads)
{
    Picture p = MakeGradient(30, 30);
    std::string gif = Make("f.gif", p);
    int flag = 1;
    NoticeRecorder rec;
    CImageObject img(FakeWindow(), &flag);
    EXPECT_EQ(0, img.LoadScaled(gif.c_str(), 500, 0));
    EXPECT_EQ(1, img.IsLoaded());  // the GIF decoder ignores the flag
    EXPECT_TRUE(rec.progress.empty());
    EXPECT_TRUE(rec.done.empty());
    EXPECT_EQ(0, img.LoadImageFromFile(Make("f.bmp", p).c_str(), 0));
    EXPECT_EQ(0, img.GetWidth());
    EXPECT_EQ(0, img.m_nRowBytes);
}

TEST_F(ImageObjectTest, LoadsWithoutADecoder)
{
    Picture p = MakeGradient(10, 10);
    std::string jpeg = Make("x.jpg", p);
    Bytes bytes = ReadAll(dir.posix("x.jpg"));
    WriteAll(dir.posix("x.jpeg"), bytes);
    WriteAll(dir.posix("x.tif"), bytes);

    CImageObject fresh;
    EXPECT_EQ(0, fresh.LoadImageFromFile(dir.win("x.jpeg").c_str(), 0));
    EXPECT_EQ(-1, fresh.GetImageType());
    EXPECT_EQ(0, fresh.LoadImageFromFile(dir.win("x.tif").c_str(), 0));
    EXPECT_EQ(6, fresh.GetImageType());
    EXPECT_EQ(0, fresh.LoadImageFromFile(nullptr, 0));

    // An object holding pixels keeps them, but the load is no success.
    NoticeRecorder rec;
    CImageObject img(FakeWindow(), nullptr);
    ASSERT_EQ(1, img.LoadImageFromFile(jpeg.c_str(), 0));
    rec.done.clear();
    EXPECT_EQ(0, img.LoadImageFromFile(dir.win("x.jpeg").c_str(), 0));
    EXPECT_EQ(1, img.IsLoaded());
    EXPECT_EQ(10, img.GetWidth());
    EXPECT_TRUE(rec.done.empty());

    // A failed decode leaves no stale size.
    WriteAll(dir.posix("bad.jpg"), {0xFF, 0xD8, 0x00});
    EXPECT_EQ(0, img.LoadImageFromFile(dir.win("bad.jpg").c_str(), 0));
    EXPECT_EQ(0, img.IsLoaded());
    EXPECT_EQ(0, img.GetWidth());
    EXPECT_EQ(0, img.GetHeight());
    EXPECT_EQ(0, img.m_nRowBytes);
}

TEST_F(ImageObjectTest, SizeQueries)
{
    Picture p = MakeGradient(64, 48);
    for (const char* name : {"q.jpg", "q.bmp", "q.gif"}) {
        std::string path = Make(name, p);
        CImageObject img;
        CSize size;
        img.GetImageSizeFromFile(path.c_str(), &size);
        EXPECT_EQ(CSize(64, 48), size) << name;
        EXPECT_EQ(500, img.GetThumbRatioFromFile(path.c_str(), CSize(32, 32), &size, TRUE)) << name;
        EXPECT_EQ(250, img.GetThumbRatioFromFile(path.c_str(), CRect(0, 0, 16, 100), nullptr, TRUE)) << name;
        EXPECT_EQ(0, img.IsLoaded());
    }
    CImageObject img;
    CSize size(5, 5);
    EXPECT_EQ(0, img.GetThumbRatioFromFile(dir.win("q.tga").c_str(), CSize(32, 32), &size, TRUE));
    EXPECT_EQ(CSize(0, 0), size);
}

TEST_F(ImageObjectTest, SaveRoundTripsAndNeverLosesTheOriginal)
{
    std::unique_ptr<CImageObject> img = Loaded(17, 11);
    NoticeRecorder rec;
    img->SetParent(FakeWindow());
    ASSERT_EQ(1, img->Save(dir.win("out.bmp").c_str()));
    EXPECT_EQ(std::vector<int>{0}, rec.progress);
    EXPECT_EQ(2, img->GetImageType());
    EXPECT_STREQ(dir.win("out.bmp").c_str(), img->GetFileName());
    CImageObject back;
    ASSERT_EQ(1, back.LoadImageFromFile(dir.win("out.bmp").c_str(), 0));
    EXPECT_EQ(0, memcmp(img->GetImageBuf(), back.GetImageBuf(), size_t(img->m_nRowBytes) * 11));

    img->SetJPGQuality(95);
    ASSERT_EQ(1, img->Save(dir.win("out.jpg").c_str()));
    CImageObject jpeg;
    ASSERT_EQ(1, jpeg.LoadImageFromFile(dir.win("out.jpg").c_str(), 0));
    EXPECT_EQ(17, jpeg.GetWidth());

    // Replacing an existing file works; a failed save keeps what was there.
    Bytes before = ReadAll(dir.posix("out.bmp"));
    std::unique_ptr<CImageObject> other = Loaded(5, 5);
    ASSERT_EQ(1, other->Save(dir.win("out.bmp").c_str()));
    EXPECT_NE(before, ReadAll(dir.posix("out.bmp")));
    before = ReadAll(dir.posix("out.bmp"));
    mkdir(dir.posix("locked").c_str(), 0755);
    EXPECT_EQ(0, other->Save(dir.win("locked\\missing\\out.bmp").c_str()));
    EXPECT_EQ(before, ReadAll(dir.posix("out.bmp")));

    CImageObject empty;
    EXPECT_EQ(0, empty.Save(dir.win("empty.bmp").c_str()));
    EXPECT_TRUE(ReadAll(dir.posix("empty.bmp")).empty());
    EXPECT_EQ(0, other->Save(dir.win("out.gif").c_str()));
    EXPECT_EQ(0, other->Save(dir.win("out.png").c_str()));
    EXPECT_STREQ(dir.win("out.bmp").c_str(), other->GetFileName());
}

TEST_F(ImageObjectTest, ThumbnailsAndExif)
{
    // A JPEG whose Exif block carries a 16 x 12 camera thumbnail.
    Picture big = MakeGradient(160, 120), small = MakeGradient(16, 12);
    Make("big.jpg", big);
    Make("small.jpg", small);
    Bytes file = ReadAll(dir.posix("big.jpg")), thumb = ReadAll(dir.posix("small.jpg"));
    Bytes app1 = {0xFF, 0xE1, 0, 0, 'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    app1.insert(app1.end(), thumb.begin(), thumb.end());
    app1[2] = BYTE((app1.size() - 2) >> 8);
    app1[3] = BYTE(app1.size() - 2);
    file.insert(file.begin() + 2, app1.begin(), app1.end());
    WriteAll(dir.posix("cam.jpg"), file);
    std::string cam = dir.win("cam.jpg"), thumbFile = dir.win("thumb.jpg");

    CImageObject img(FakeWindow(), nullptr);
    EXPECT_EQ(11, img.LoadThumbnail(cam.c_str(), thumbFile.c_str(), 500, 0));
    EXPECT_EQ(16, img.GetWidth());
    EXPECT_EQ(160, img.m_ExifInfo.Width);
    EXPECT_EQ(nullptr, img.m_ExifInfo.ThumbnailData);

    CSize full;
    EXPECT_EQ(11, img.LoadThumbnail(cam.c_str(), thumbFile.c_str(), CSize(8, 8), &full, 0));
    EXPECT_EQ(CSize(160, 120), full);
    EXPECT_EQ(8, img.GetWidth());
    EXPECT_EQ(6, img.GetHeight());
    EXPECT_EQ(1, img.GetImageType());
    EXPECT_STREQ(cam.c_str(), img.GetFileName());

    // Without an embedded thumbnail the picture itself is decoded.
    std::string plain = dir.win("big.jpg");
    EXPECT_EQ(1, img.LoadThumbnail(plain.c_str(), thumbFile.c_str(), CSize(40, 40), &full, 0));
    EXPECT_EQ(40, img.GetWidth());
    EXPECT_EQ(CSize(160, 120), full);
    EXPECT_EQ(1, img.LoadThumbnail(Make("t.bmp", big).c_str(), thumbFile.c_str(), CSize(40, 40), &full, 0));
    EXPECT_EQ(CSize(160, 120), full);
    EXPECT_EQ(1, img.LoadThumbnail(Make("t.gif", small).c_str(), thumbFile.c_str(), 500, 0));
    EXPECT_EQ(8, img.GetWidth());

    // The EXIF block is read for JPEGs and cleared by every load.
    EXPECT_EQ(1, img.LoadExifInfoFromFile(cam.c_str()));
    EXPECT_EQ(1, img.m_ExifInfo.HasExif);
    EXPECT_EQ(0, img.LoadExifInfoFromFile(plain.c_str()));
    EXPECT_EQ(160, img.m_ExifInfo.Width);
    EXPECT_EQ(1, img.LoadImageFromFile(dir.win("t.bmp").c_str(), 0));
    EXPECT_EQ(0, img.m_ExifInfo.Width);
    EXPECT_EQ(0, img.LoadExifInfo());
    EXPECT_EQ(0, img.LoadExifInfoFromFile(nullptr));
}
