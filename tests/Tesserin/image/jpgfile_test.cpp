#include <gtest/gtest.h>

#include "ImageTestSupport.h"
#include "image/JPGFile.h"

#include <chrono>
#include <future>
#include <memory>

using namespace imgtest;

namespace {

struct Block {
    std::unique_ptr<BYTE[]> data;
    UINT width = 0;
    UINT height = 0;
};

class JpegTest : public ::testing::Test {
protected:
    std::string Encode(const std::string& name, Picture& p, int quality = 95, BOOL color = TRUE)
    {
        CJPGFile jpg;
        EXPECT_TRUE(jpg.RGBToJpegFile(dir.win(name).c_str(), p.data(), p.width, p.height, color, quality));
        return dir.win(name);
    }
    Block Decode(const std::string& path, UINT ratio = 0, int showErrors = 0, CWnd* wnd = nullptr, int* flag = nullptr)
    {
        Block b;
        CJPGFile jpg(wnd, flag);
        BYTE* data = ratio ? jpg.JpegFileToRGBScaled(path.c_str(), ratio, &b.width, &b.height, showErrors)
                           : jpg.JpegFileToRGB(path.c_str(), &b.width, &b.height, showErrors);
        b.data.reset(data);
        return b;
    }
    Folder dir;
};

// An 8 x 8 Adobe CMYK JPEG, every pixel stored inverted as (255, 0, 0, 255):
// no cyan, full magenta and yellow, no black, that is pure red. Written with
// the library's CMYK input at quality 100.
const BYTE kAdobeCmykRed[] = {
    0xFF, 0xD8, 0xFF, 0xEE, 0x00, 0x0E, 0x41, 0x64, 0x6F, 0x62, 0x65, 0x00, 0x64, 0x00, 0x00, 0x00,
    0x00, 0x00, 0xFF, 0xDB, 0x00, 0x43, 0x00, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01,
    0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01,
    0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01,
    0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01,
    0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0xFF, 0xC0, 0x00, 0x14, 0x08, 0x00, 0x08, 0x00, 0x08,
    0x04, 0x43, 0x11, 0x00, 0x4D, 0x11, 0x00, 0x59, 0x11, 0x00, 0x4B, 0x11, 0x00, 0xFF, 0xC4, 0x00,
    0x15, 0x00, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x0A, 0x0B, 0xFF, 0xC4, 0x00, 0x14, 0x10, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xDA, 0x00, 0x0E, 0x04, 0x43,
    0x00, 0x4D, 0x00, 0x59, 0x00, 0x4B, 0x00, 0x00, 0x3F, 0x00, 0x7F, 0x09, 0xFF, 0x00, 0xA7, 0xFE,
    0x7F, 0x0F, 0xFF, 0xD9,
};

}  // namespace

TEST_F(JpegTest, RoundTripAtQuality95KeepsSizeAndColours)
{
    Picture p = MakeGradient(37, 23);
    Block b = Decode(Encode("g.jpg", p));
    ASSERT_TRUE(b.data);
    ASSERT_EQ(37u, b.width);
    ASSERT_EQ(23u, b.height);
    Difference d = Compare(p.data(), b.data.get(), 37, 23);
    EXPECT_LT(d.mean, 2.0);
    EXPECT_LT(d.largest, 24);
    // Row padding is cleared.
    EXPECT_EQ(0, b.data[RowBytes(37) - 1]);
}

TEST_F(JpegTest, ScaledDecodeSizes)
{
    Picture p = MakeGradient(200, 120);
    std::string path = Encode("s.jpg", p);
    struct Case {
        UINT ratio, width, height;
    } cases[] = {
        {1000, 200, 120}, {500, 100, 60}, {300, 60, 36}, {250, 50, 30}, {125, 25, 15}, {10, 2, 1}, {2000, 400, 240},
    };
    for (const Case& c : cases) {
        Block b = Decode(path, c.ratio);
        ASSERT_TRUE(b.data) << c.ratio;
        EXPECT_EQ(c.width, b.width) << c.ratio;
        EXPECT_EQ(c.height, b.height) << c.ratio;
    }
}

TEST_F(JpegTest, ReducedDecodesKeepThePicture)
{
    Picture p = MakeGradient(256, 128);
    std::string path = Encode("r.jpg", p);
    for (UINT ratio : {500u, 250u, 125u}) {
        Block b = Decode(path, ratio);
        ASSERT_TRUE(b.data);
        int step = 1000 / ratio;
        for (int y = 0; y < int(b.height); y += 3) {
            for (int x = 0; x < int(b.width); x += 3) {
                const BYTE* got = PixelOf(b.data.get(), b.width, b.height, x, y);
                const BYTE* want = p.at(x * step, y * step);
                for (int c = 0; c < 3; ++c)
                    EXPECT_NEAR(want[c], got[c], 12) << ratio << " at " << x << "," << y;
            }
        }
    }
}

TEST_F(JpegTest, EnlargementRepeatsRowsAndColumns)
{
    Picture p = MakeNoise(16, 8, 7);
    Block b = Decode(Encode("e.jpg", p), 2000);
    ASSERT_TRUE(b.data);
    ASSERT_EQ(32u, b.width);
    ASSERT_EQ(16u, b.height);
    Block whole = Decode(dir.win("e.jpg"), 1000);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 32; ++x) {
            const BYTE* got = PixelOf(b.data.get(), 32, 16, x, y);
            const BYTE* want = PixelOf(whole.data.get(), 16, 8, x / 2, y / 2);
            ASSERT_EQ(0, memcmp(got, want, 3)) << x << "," << y;
        }
    }
}

TEST_F(JpegTest, GreyEncodingWeighsRedFromTheThirdByte)
{
    Picture p = MakePicture(24, 24, [](int, int) { return RGB(200, 100, 50); });
    Block b = Decode(Encode("grey.jpg", p, 95, FALSE));
    ASSERT_TRUE(b.data);
    const BYTE* px = PixelOf(b.data.get(), 24, 24, 10, 10);
    EXPECT_NEAR(124, px[0], 2);  // 0.299 x 200 + 0.587 x 100 + 0.114 x 50
    EXPECT_EQ(px[0], px[1]);
    EXPECT_EQ(px[0], px[2]);
}

TEST_F(JpegTest, AdobeCmykComesOutAsColour)
{
    WriteAll(dir.posix("cmyk.jpg"), Bytes(std::begin(kAdobeCmykRed), std::end(kAdobeCmykRed)));
    for (UINT ratio : {0u, 500u}) {
        Block b = Decode(dir.win("cmyk.jpg"), ratio);
        ASSERT_TRUE(b.data);
        const BYTE* px = PixelOf(b.data.get(), b.width, b.height, 0, 0);
        EXPECT_LT(px[0], 8);
        EXPECT_LT(px[1], 8);
        EXPECT_GT(px[2], 247);
    }
}

TEST_F(JpegTest, SizeFromHeader)
{
    Picture p = MakeGradient(45, 17);
    std::string path = Encode("size.jpg", p);
    CJPGFile jpg;
    CSize size(1, 1);
    EXPECT_TRUE(jpg.GetJPGSize(path.c_str(), &size));
    EXPECT_EQ(CSize(45, 17), size);
    NoticeRecorder rec;
    EXPECT_FALSE(jpg.GetJPGSize(dir.win("none.jpg").c_str(), &size));
    EXPECT_EQ(CSize(0, 0), size);
    ASSERT_EQ(1u, rec.boxTexts.size());
}

TEST_F(JpegTest, ProgressMessages)
{
    struct Case {
        int height;
        std::vector<int> expected;
    } cases[] = {
        {100, {0, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80, 85, 90, 95, 100}},
        {20, {100}},
    };
    for (const Case& c : cases) {
        Picture p = MakeGradient(8, c.height);
        std::string path = Encode("p.jpg", p);
        NoticeRecorder rec;
        Block b = Decode(path, 0, 0, FakeWindow());
        EXPECT_TRUE(b.data);
        EXPECT_EQ(c.expected, rec.progress) << c.height;
        rec.progress.clear();
        b = Decode(path, 1000, 0, FakeWindow());
        EXPECT_EQ(c.expected, rec.progress) << c.height;
    }
}

TEST_F(JpegTest, EncoderReportsProgressWithoutAFinalMessage)
{
    Picture p = MakeGradient(8, 40);
    NoticeRecorder rec;
    CJPGFile jpg(FakeWindow(), nullptr);
    ASSERT_TRUE(jpg.RGBToJpegFile(dir.win("enc.jpg").c_str(), p.data(), 8, 40, TRUE, 80));
    std::vector<int> expected;
    for (int i = 0; i < 20; ++i)
        expected.push_back(i * 5);
    EXPECT_EQ(expected, rec.progress);
}

TEST_F(JpegTest, InterruptStopsTheDecode)
{
    Picture p = MakeGradient(8, 100);
    std::string path = Encode("i.jpg", p);
    for (int value : {1, 2}) {
        int flag = value;
        NoticeRecorder rec;
        Block b = Decode(path, 0, 0, FakeWindow(), &flag);
        EXPECT_FALSE(b.data);
        EXPECT_EQ(0u, b.width);
        EXPECT_TRUE(rec.progress.empty() || value != 1);
    }
    // Set while decoding: the decode stops at the next row, with no final 100.
    for (UINT ratio : {0u, 500u}) {
        int flag = 0;
        NoticeRecorder rec;
        rec.onNotice = [&](const mivo::image::Notice&) {
            if (rec.progress.size() == 3)
                flag = 2;
        };
        Block b = Decode(path, ratio, 0, FakeWindow(), &flag);
        EXPECT_FALSE(b.data);
        EXPECT_EQ(3u, rec.progress.size());
    }
}

TEST_F(JpegTest, MissingFileShowsItsBoxWhateverShowErrorsSays)
{
    NoticeRecorder rec;
    std::string path = dir.win("missing.jpg");
    Block b = Decode(path, 0, 0);
    EXPECT_FALSE(b.data);
    ASSERT_EQ(1u, rec.boxTexts.size());
    EXPECT_EQ("JPEG :\nCan't open " + path + "\n", rec.boxTexts[0]);
    EXPECT_EQ("", rec.boxCaptions[0]);
}

TEST_F(JpegTest, MalformedFilesFail)
{
    Picture p = MakeGradient(16, 16);
    Encode("good.jpg", p);
    Bytes good = ReadAll(dir.posix("good.jpg"));
    ASSERT_GT(good.size(), 200u);
    size_t sof = 0;
    for (size_t i = 2; i + 1 < good.size(); ++i)
        if (good[i] == 0xFF && good[i + 1] == 0xC0) {
            sof = i;
            break;
        }
    ASSERT_NE(0u, sof);
    auto withSize = [&](int w, int h) {
        Bytes b = good;
        b[sof + 5] = BYTE(h >> 8);
        b[sof + 6] = BYTE(h);
        b[sof + 7] = BYTE(w >> 8);
        b[sof + 8] = BYTE(w);
        return b;
    };
    struct Case {
        const char* name;
        Bytes bytes;
        bool outOfMemoryBox;  // whole decodes of it are refused
    } cases[] = {
        {"empty", {}, false},
        {"soi only", {0xFF, 0xD8}, false},
        {"garbage", {0xFF, 0xD8, 0x12, 0x34, 0x56, 0x78, 0x9A}, false},
        {"header cut", Bytes(good.begin(), good.begin() + sof + 4), false},
        {"zero width", withSize(0, 16), false},
        {"huge", withSize(65000, 65000), true},
    };
    for (const Case& c : cases) {
        WriteAll(dir.posix("bad.jpg"), c.bytes);
        for (UINT ratio : {0u, 125u}) {
            if (ratio && c.outOfMemoryBox)
                continue;  // a reduced decode of it is allowed (and slow)
            NoticeRecorder rec;
            Block b = Decode(dir.win("bad.jpg"), ratio, 0);
            EXPECT_FALSE(b.data) << c.name;
            EXPECT_EQ(0u, b.width) << c.name;
            EXPECT_EQ(c.outOfMemoryBox ? 1u : 0u, rec.boxTexts.size()) << c.name;
        }
    }
    // Loud decodes show the library's message under its caption.
    WriteAll(dir.posix("bad.jpg"), {0xFF, 0xD8, 0x12, 0x34});
    NoticeRecorder rec;
    EXPECT_FALSE(Decode(dir.win("bad.jpg"), 0, 1).data);
    ASSERT_EQ(1u, rec.boxCaptions.size());
    EXPECT_EQ("JPEG Fatal Error", rec.boxCaptions[0]);
    EXPECT_EQ(UINT(MB_ICONERROR), rec.boxTypes[0]);
}

TEST_F(JpegTest, TruncatedDataStillGivesAWholePicture)
{
    Picture p = MakeNoise(64, 64, 3);
    Encode("t.jpg", p);
    Bytes bytes = ReadAll(dir.posix("t.jpg"));
    bytes.resize(bytes.size() / 2);
    WriteAll(dir.posix("t.jpg"), bytes);
    Block b = Decode(dir.win("t.jpg"));
    ASSERT_TRUE(b.data);
    EXPECT_EQ(64u, b.width);
}

TEST_F(JpegTest, EncoderRefusesNothingToWrite)
{
    NoticeRecorder rec;
    CJPGFile jpg;
    BYTE px[4] = {};
    EXPECT_FALSE(jpg.RGBToJpegFile(dir.win("x.jpg").c_str(), nullptr, 1, 1, TRUE, 90));
    EXPECT_FALSE(jpg.RGBToJpegFile(dir.win("x.jpg").c_str(), px, 0, 1, TRUE, 90));
    EXPECT_FALSE(jpg.RGBToJpegFile(dir.win("no\\such\\x.jpg").c_str(), px, 1, 1, TRUE, 90));
    ASSERT_EQ(1u, rec.boxTexts.size());
    EXPECT_EQ("JpegFile :\nCan't open " + dir.win("no\\such\\x.jpg") + "\n", rec.boxTexts[0]);
}

TEST(JpegHelpers, PackedBlocks)
{
    // Two rows of 2 pixels, padded to 8 bytes.
    BYTE padded[16] = {1, 2, 3, 4, 5, 6, 0xEE, 0xEE, 7, 8, 9, 10, 11, 12, 0xEE, 0xEE};
    std::unique_ptr<BYTE[]> packed(CJPGFile::RGBFromDWORDAligned(padded, 2, 8, 2));
    ASSERT_TRUE(packed);
    const BYTE wantPacked[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    EXPECT_EQ(0, memcmp(wantPacked, packed.get(), 12));
    UINT widthBytes = 0;
    std::unique_ptr<BYTE[]> back(CJPGFile::MakeDwordAlignedBuf(packed.get(), 2, 2, &widthBytes));
    ASSERT_TRUE(back);
    EXPECT_EQ(8u, widthBytes);
    EXPECT_EQ(0, memcmp(padded, back.get(), 6));
    EXPECT_EQ(0, memcmp(padded + 8, back.get() + 8, 6));

    EXPECT_TRUE(CJPGFile::VertFlipBuf(packed.get(), 6, 2));
    EXPECT_EQ(7, packed[0]);
    EXPECT_EQ(1, packed[6]);
    EXPECT_TRUE(CJPGFile::VertFlipBuf(packed.get(), 6, 1));
    EXPECT_TRUE(CJPGFile::VertFlipBuf(packed.get(), 6, 0));
    EXPECT_EQ(7, packed[0]);

    EXPECT_TRUE(CJPGFile::BGRFromRGB(packed.get(), 2, 2));
    EXPECT_EQ(9, packed[0]);
    EXPECT_EQ(7, packed[2]);

    BYTE px[3] = {200, 100, 50};
    EXPECT_TRUE(CJPGFile::MakeGrayScale(px, 1, 1));
    EXPECT_EQ(124, px[0]);
    EXPECT_EQ(124, px[2]);

    EXPECT_FALSE(CJPGFile::VertFlipBuf(nullptr, 6, 2));
    EXPECT_FALSE(CJPGFile::BGRFromRGB(nullptr, 1, 1));
    EXPECT_FALSE(CJPGFile::MakeGrayScale(nullptr, 1, 1));
    EXPECT_EQ(nullptr, CJPGFile::RGBFromDWORDAligned(nullptr, 1, 4, 1));
    EXPECT_EQ(nullptr, CJPGFile::MakeDwordAlignedBuf(nullptr, 1, 1, &widthBytes));
}

// A progressive file of empty scans keeps the library busy before the first
// row, where the row loops cannot look at the flag; its last scan is broken,
// so a decode that reads the file to its end ends in the library's fatal error.
TEST_F(JpegTest, InterruptStopsAManyScanProgressiveDecodeBeforeItsFirstRow)
{
    std::string path = HostileSample("jpeg_progressive_many_scans.jpg");
    {
        NoticeRecorder rec;
        EXPECT_FALSE(Decode(path, 125, 1).data);
        ASSERT_EQ(1u, rec.boxCaptions.size());
        EXPECT_EQ("JPEG Fatal Error", rec.boxCaptions[0]);
    }
    // Set before the scans are read: none is, so the broken end is never met.
    for (UINT ratio : {0u, 125u}) {
        int flag = 2;
        NoticeRecorder rec;
        EXPECT_FALSE(Decode(path, ratio, 1, FakeWindow(), &flag).data);
        EXPECT_TRUE(rec.boxTexts.empty());
        EXPECT_TRUE(rec.progress.empty());
    }
    // Set from another thread while the scans are read: the decode returns.
    int flag = 0;
    auto decode = std::async(std::launch::async, [&] { return Decode(path, 125, 0, nullptr, &flag); });
    __atomic_store_n(&flag, 2, __ATOMIC_RELAXED);
    ASSERT_EQ(std::future_status::ready, decode.wait_for(std::chrono::seconds(60)));
    EXPECT_FALSE(decode.get().data);
}
