#include <gtest/gtest.h>

#include "ImageTestSupport.h"
#include "image/BMPFile.h"
#include "image/ImageObject.h"

#include <memory>

using namespace imgtest;

namespace {

void PutLe(Bytes& b, size_t at, uint32_t v, int n)
{
    for (int i = 0; i < n; ++i)
        b[at + i] = BYTE(v >> (8 * i));
}

// The colour a test picture has at (x, y from the top).
COLORREF Expected(int x, int y) { return RGB(x * 7 + y, 255 - x * 3, y * 5); }

// Palette entry i of the test files.
COLORREF PaletteColour(int i) { return RGB(i * 37, 255 - i, i * 13); }

struct BmpSpec {
    int width = 9;
    int height = 7;      // negative: top-down
    int bits = 24;
    uint32_t headerSize = 40;
    uint32_t compression = 0;
    uint32_t coloursUsed = 0;   // written to the header
    int paletteEntries = -1;    // entries written; -1: as the header says
};

int Colours(const BmpSpec& s)
{
    if (s.bits > 8)
        return 0;
    return s.paletteEntries >= 0 ? s.paletteEntries : s.coloursUsed ? int(s.coloursUsed) : 1 << s.bits;
}

// The palette index of (x, y) in the test files.
int IndexAt(int x, int y, int bits) { return (x + 2 * y) % (1 << bits); }

uint32_t Pixel16(int x, int y) { return uint32_t((x * 1031 + y * 77) & 0x7FFF); }

Bytes BuildBmp(const BmpSpec& s)
{
    int h = s.height < 0 ? -s.height : s.height;
    int rowBytes = ((s.width * s.bits + 31) / 32) * 4;
    int colours = Colours(s);
    uint32_t offset = 14 + s.headerSize + 4 * colours;
    Bytes b(offset + size_t(rowBytes) * h, 0);
    b[0] = 'B';
    b[1] = 'M';
    PutLe(b, 2, uint32_t(b.size()), 4);
    PutLe(b, 10, offset, 4);
    PutLe(b, 14, s.headerSize, 4);
    PutLe(b, 18, uint32_t(s.width), 4);
    PutLe(b, 22, uint32_t(s.height), 4);
    PutLe(b, 26, 1, 2);
    PutLe(b, 28, uint32_t(s.bits), 2);
    PutLe(b, 30, s.compression, 4);
    PutLe(b, 46, s.coloursUsed, 4);
    for (int i = 0; i < colours; ++i) {
        COLORREF c = PaletteColour(i);
        BYTE* e = &b[14 + s.headerSize + 4 * i];
        e[0] = GetBValue(c);
        e[1] = GetGValue(c);
        e[2] = GetRValue(c);
        e[3] = 0x77;
    }
    for (int fileRow = 0; fileRow < h; ++fileRow) {
        int y = s.height < 0 ? fileRow : h - 1 - fileRow;
        BYTE* row = &b[offset + size_t(fileRow) * rowBytes];
        for (int x = 0; x < s.width; ++x) {
            COLORREF c = Expected(x, y);
            if (s.bits == 24 || s.bits == 32) {
                BYTE* p = row + x * (s.bits / 8);
                p[0] = GetBValue(c);
                p[1] = GetGValue(c);
                p[2] = GetRValue(c);
                if (s.bits == 32)
                    p[3] = 0xAB;
            } else if (s.bits == 16) {
                row[2 * x] = BYTE(Pixel16(x, y));
                row[2 * x + 1] = BYTE(Pixel16(x, y) >> 8);
            } else {
                int index = IndexAt(x, y, s.bits);
                int bit = x * s.bits;
                row[bit / 8] |= BYTE(index << (8 - s.bits - bit % 8));
            }
        }
    }
    return b;
}

// What the loader should give at (x, y).
COLORREF Want(const BmpSpec& s, int x, int y)
{
    if (s.bits == 16) {
        uint32_t v = Pixel16(x, y);
        return RGB(((v >> 10) & 31) << 3, ((v >> 5) & 31) << 3, (v & 31) << 3);
    }
    if (s.bits > 16)
        return Expected(x, y);
    int index = IndexAt(x, y, s.bits);
    int colours = Colours(s);
    int readable = min(colours, 1 << s.bits);
    return index < readable ? PaletteColour(index) : RGB(0, 0, 0);
}

void ExpectPixels(const BmpSpec& s, const BYTE* block, int w, int h, int srcW, int srcH, const char* what)
{
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            // Rows are picked in buffer order (from the bottom).
            int sx = x * srcW / w, sy = srcH - 1 - (h - 1 - y) * srcH / h;
            COLORREF c = Want(s, sx, sy);
            const BYTE* px = PixelOf(block, w, h, x, y);
            ASSERT_EQ(GetBValue(c), px[0]) << what << " bits " << s.bits << " at " << x << "," << y;
            ASSERT_EQ(GetGValue(c), px[1]) << what << " bits " << s.bits << " at " << x << "," << y;
            ASSERT_EQ(GetRValue(c), px[2]) << what << " bits " << s.bits << " at " << x << "," << y;
        }
    }
}

class BmpTest : public ::testing::Test {
protected:
    std::string Write(const Bytes& bytes, const std::string& name = "t.bmp")
    {
        WriteAll(dir.posix(name), bytes);
        return dir.win(name);
    }
    Folder dir;
};

}  // namespace

TEST_F(BmpTest, LoadsEveryDepthBothRowOrders)
{
    BmpSpec specs[] = {
        {9, 7, 1}, {9, 7, 2}, {9, 7, 4}, {9, 7, 8}, {9, 7, 16}, {9, 7, 24}, {9, 7, 32},
        {13, 5, 4, 40, 0, 16},          // colours used 16
        {13, 5, 8, 40, 0, 0},           // colours used 0: 256 entries
        {13, 5, 8, 40, 0, 5},           // indexes past the 5 entries come out black
        {13, 5, 4, 40, 0, 300, 16},     // colours used above 1 << bits
        {11, 6, 8, 108},                // version 4 header: palette after its 108 bytes
        {11, 6, 24, 124},               // version 5 header
    };
    for (BmpSpec s : specs) {
        for (int sign : {1, -1}) {
            s.height = sign * (s.height < 0 ? -s.height : s.height);
            std::string path = Write(BuildBmp(s));
            CBMPFile bmp;
            UINT w = 0, h = 0;
            std::unique_ptr<BYTE[]> block(bmp.LoadBMP(path.c_str(), &w, &h));
            ASSERT_TRUE(block) << "bits " << s.bits << " height " << s.height;
            ASSERT_EQ(UINT(s.width), w);
            ASSERT_EQ(UINT(abs(s.height)), h);
            ExpectPixels(s, block.get(), w, h, s.width, abs(s.height), "whole");
            // Row padding is clear.
            EXPECT_EQ(0, block[RowBytes(w) - 1]);
        }
    }
}

TEST_F(BmpTest, SixteenBitsKeepFiveBitsAChannel)
{
    Bytes b = BuildBmp({1, 1, 16});
    b[b.size() - 4] = 0xFF;
    b[b.size() - 3] = 0x7F;
    CBMPFile bmp;
    UINT w, h;
    std::unique_ptr<BYTE[]> block(bmp.LoadBMP(Write(b).c_str(), &w, &h));
    ASSERT_TRUE(block);
    EXPECT_EQ(248, block[0]);
    EXPECT_EQ(248, block[1]);
    EXPECT_EQ(248, block[2]);
}

TEST_F(BmpTest, ScaledLoads)
{
    struct Case {
        BmpSpec spec;
        UINT ratio, width, height;
    } cases[] = {
        {{100, 60, 24}, 500, 50, 30},
        {{100, -60, 24}, 500, 50, 30},
        {{100, 60, 8}, 250, 25, 15},
        {{100, -60, 4}, 333, 33, 19},
        {{10, 6, 32}, 2000, 20, 12},     // enlarged: rows and columns repeat
        {{10, -6, 1}, 1500, 15, 9},
        {{100, 60, 24}, 1, 1, 1},        // never below one pixel
    };
    for (const Case& c : cases) {
        std::string path = Write(BuildBmp(c.spec));
        CBMPFile bmp;
        UINT w = 0, h = 0;
        std::unique_ptr<BYTE[]> block(bmp.LoadBMPScaled(path.c_str(), c.ratio, &w, &h));
        ASSERT_TRUE(block) << c.ratio;
        ASSERT_EQ(c.width, w);
        ASSERT_EQ(c.height, h);
        ExpectPixels(c.spec, block.get(), w, h, c.spec.width, abs(c.spec.height), "scaled");
    }
}

TEST_F(BmpTest, SizeQueries)
{
    std::string path = Write(BuildBmp({21, -13, 8}));
    CBMPFile bmp;
    CSize size;
    EXPECT_TRUE(bmp.GetBMPSize(path.c_str(), &size));
    EXPECT_EQ(CSize(21, 13), size);
    EXPECT_EQ(21u, bmp.GetBMPWidth(path.c_str()));
    EXPECT_EQ(13u, bmp.GetBMPHeight(path.c_str()));
    EXPECT_FALSE(bmp.GetBMPSize(dir.win("none.bmp").c_str(), &size));
    EXPECT_EQ(CSize(0, 0), size);
}

TEST_F(BmpTest, RefusedAndTruncatedFiles)
{
    Bytes good24 = BuildBmp({9, 7, 24});
    Bytes good8 = BuildBmp({9, 7, 8});
    auto patched = [](Bytes b, size_t at, uint32_t v, int n) {
        PutLe(b, at, v, n);
        return b;
    };
    struct Case {
        const char* name;
        Bytes bytes;
    } refused[] = {
        {"empty", {}},
        {"signature", patched(good24, 0, 'X', 1)},
        {"run-length", patched(good8, 30, 1, 4)},
        {"bit fields", patched(good24, 30, 3, 4)},
        {"core header", patched(good24, 14, 12, 4)},
        {"zero width", patched(good24, 18, 0, 4)},
        {"negative width", patched(good24, 18, uint32_t(-9), 4)},
        {"zero height", patched(good24, 22, 0, 4)},
        {"huge", patched(patched(good24, 18, 100000, 4), 22, 100000, 4)},
        {"one huge row", patched(patched(patched(good24, 18, 0x30000000, 4), 22, 1, 4), 28, 32, 2)},
        {"depth 7", patched(good24, 28, 7, 2)},
        {"offset inside header", patched(good8, 10, 20, 4)},
        {"offset past the end", patched(good24, 10, 1u << 30, 4)},
        {"palette cut", Bytes(good8.begin(), good8.begin() + 60)},
        {"8-bit rows cut", Bytes(good8.begin(), good8.end() - 40)},
    };
    for (const Case& c : refused) {
        std::string path = Write(c.bytes);
        NoticeRecorder rec;
        CBMPFile bmp(FakeWindow(), nullptr);
        UINT w = 1, h = 1;
        EXPECT_EQ(nullptr, bmp.LoadBMP(path.c_str(), &w, &h)) << c.name;
        EXPECT_EQ(0u, w) << c.name;
        EXPECT_EQ(nullptr, bmp.LoadBMPScaled(path.c_str(), 500, &w, &h)) << c.name;
        EXPECT_TRUE(rec.progress.empty()) << c.name;
    }
    // A cut 24-bit file keeps the rows it has; the rest stay black.
    Bytes cut(good24.begin(), good24.end() - 2 * RowBytes(9));
    CBMPFile bmp;
    UINT w, h;
    std::unique_ptr<BYTE[]> block(bmp.LoadBMP(Write(cut).c_str(), &w, &h));
    ASSERT_TRUE(block);
    const BYTE* top = PixelOf(block.get(), 9, 7, 4, 0);
    EXPECT_EQ(0, top[0] | top[1] | top[2]);
    const BYTE* bottom = PixelOf(block.get(), 9, 7, 4, 6);
    EXPECT_EQ(GetRValue(Expected(4, 6)), bottom[2]);
}

TEST_F(BmpTest, ScaledLoadOfAnImpossibleSizeShowsItsBox)
{
    Bytes b = BuildBmp({9, 7, 24});
    PutLe(b, 18, 60000, 4);
    PutLe(b, 22, 60000, 4);
    NoticeRecorder rec;
    CBMPFile bmp;
    UINT w, h;
    EXPECT_EQ(nullptr, bmp.LoadBMPScaled(Write(b).c_str(), 1000, &w, &h));
    ASSERT_EQ(1u, rec.boxTexts.size());
    EXPECT_EQ("BMPFile :\nOut of memory", rec.boxTexts[0]);
    EXPECT_EQ(UINT(MB_ICONERROR), rec.boxTypes[0]);
}

TEST_F(BmpTest, WriterRoundTrip)
{
    Picture p = MakeNoise(13, 9, 5);
    CBMPFile bmp;
    ASSERT_TRUE(bmp.SaveBMP(dir.win("w.bmp").c_str(), p.data(), 13, 9));
    Bytes file = ReadAll(dir.posix("w.bmp"));
    ASSERT_EQ(54u + RowBytes(13) * 9, file.size());
    EXPECT_EQ(0, memcmp(file.data() + 54, p.data(), p.pixels.size()));
    UINT w, h;
    std::unique_ptr<BYTE[]> block(bmp.LoadBMP(dir.win("w.bmp").c_str(), &w, &h));
    ASSERT_TRUE(block);
    EXPECT_EQ(0, memcmp(block.get(), p.data(), p.pixels.size()));
    EXPECT_FALSE(bmp.SaveBMP(dir.win("no\\such\\w.bmp").c_str(), p.data(), 13, 9));
    EXPECT_FALSE(bmp.SaveBMP(dir.win("w.bmp").c_str(), nullptr, 13, 9));
}

#ifdef BI_RGB
TEST_F(BmpTest, PaletteWriterRoundTrip)
{
    RGBQUAD palette[16];
    for (int i = 0; i < 16; ++i)
        palette[i] = RGBQUAD{BYTE(i * 10), BYTE(i * 5), BYTE(255 - i), 0};
    for (int bits : {1, 2, 4, 8}) {
        int colours = min(16, 1 << bits);
        Bytes indexes(11 * 5);
        for (size_t i = 0; i < indexes.size(); ++i)
            indexes[i] = BYTE(i % colours);
        CBMPFile bmp;
        ASSERT_TRUE(bmp.SaveBMP(dir.win("p.bmp").c_str(), indexes.data(), 11, 5, bits, colours, palette));
        UINT w, h;
        std::unique_ptr<BYTE[]> block(bmp.LoadBMP(dir.win("p.bmp").c_str(), &w, &h));
        ASSERT_TRUE(block);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 11; ++x) {
                const RGBQUAD& q = palette[indexes[y * 11 + x]];
                const BYTE* px = block.get() + y * RowBytes(11) + 3 * x;
                EXPECT_EQ(q.rgbBlue, px[0]);
                EXPECT_EQ(q.rgbRed, px[2]);
            }
    }
    CBMPFile bmp;
    BYTE index = 0;
    EXPECT_FALSE(bmp.SaveBMP(dir.win("p.bmp").c_str(), &index, 1, 1, 24, 0, palette));
}
#endif

TEST_F(BmpTest, ProgressAndInterrupt)
{
    struct Case {
        int height;
        std::vector<int> expected;
    } cases[] = {
        {100, {0, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80, 85, 90, 95, 100}},
        {20, {100}},
    };
    for (const Case& c : cases) {
        std::string path = Write(BuildBmp({4, c.height, 24}));
        NoticeRecorder rec;
        CBMPFile bmp(FakeWindow(), nullptr);
        UINT w, h;
        delete[] bmp.LoadBMP(path.c_str(), &w, &h);
        EXPECT_EQ(c.expected, rec.progress);
        rec.progress.clear();
        delete[] bmp.LoadBMPScaled(path.c_str(), 1000, &w, &h);
        EXPECT_EQ(c.expected, rec.progress);
    }
    std::string path = Write(BuildBmp({4, 100, 24}));
    for (int value : {1, 3}) {
        int flag = value;
        NoticeRecorder rec;
        CBMPFile bmp(FakeWindow(), &flag);
        UINT w = 5, h = 5;
        EXPECT_EQ(nullptr, bmp.LoadBMP(path.c_str(), &w, &h));
        EXPECT_EQ(0u, w);
        EXPECT_EQ(nullptr, bmp.LoadBMPScaled(path.c_str(), 500, &w, &h));
        EXPECT_TRUE(rec.progress.empty());
    }
}

// A file that declares far more rows than it holds is refused before the
// picture's block is had; what the refusal costs stays small whatever the
// header says.
TEST_F(BmpTest, FilesShorterThanTheirRowsCostNoMemory)
{
    const uint64_t kGenerous = 64u << 20;
    Bytes good24 = BuildBmp({9, 7, 24});
    auto declaring = [](Bytes b, size_t keep, uint32_t width, uint32_t height, int bits) {
        b.resize(keep);
        PutLe(b, 18, width, 4);
        PutLe(b, 22, height, 4);
        PutLe(b, 28, uint32_t(bits), 2);
        return b;
    };
    struct Case {
        const char* name;
        Bytes bytes;
    } cases[] = {
        {"54-byte header of 18000 x 18000", declaring(good24, 54, 18000, 18000, 24)},
        {"1 x 2147483647", declaring(good24, 54, 1, 0x7FFFFFFF, 24)},
        {"1 x 2147483647 top-down, 1 bit", declaring(BuildBmp({9, 7, 1}), 62, 1, uint32_t(-0x7FFFFFFF), 1)},
        {"one row of 18000 declaring 18000", declaring(good24, 54 + RowBytes(18000), 18000, 18000, 24)},
        {"fewer than half the rows", Bytes(good24.begin(), good24.end() - 4 * RowBytes(9))},
        {"8-bit rows missing", declaring(BuildBmp({9, 7, 8}), 54 + 1024, 9, 7, 8)},
    };
    for (const Case& c : cases) {
        std::string path = Write(c.bytes);
        uint64_t grown = PeakMemoryGrowth([&] {
            CBMPFile bmp;
            UINT w = 1, h = 1;
            EXPECT_EQ(nullptr, bmp.LoadBMP(path.c_str(), &w, &h)) << c.name;
            EXPECT_EQ(0u, w) << c.name;
            EXPECT_EQ(nullptr, bmp.LoadBMPScaled(path.c_str(), 10, &w, &h)) << c.name;
            CImageObject img;
            EXPECT_EQ(0, img.LoadScaled(path.c_str(), CSize(160, 120), 0)) << c.name;
            EXPECT_EQ(0, img.LoadThumbnail(path.c_str(), dir.win("thumb.jpg").c_str(), CSize(160, 120), nullptr, 0))
                << c.name;
        });
        if (imgtest::MemoryGrowthIsMeaningful()) {
            EXPECT_LT(grown, kGenerous) << c.name;
        }
    }
    // Half the rows are enough to show a cut colour file.
    CBMPFile bmp;
    UINT w, h;
    std::unique_ptr<BYTE[]> half(bmp.LoadBMP(Write(Bytes(good24.begin(), good24.end() - 3 * RowBytes(9))).c_str(), &w, &h));
    EXPECT_TRUE(half);
}
