#include <gtest/gtest.h>

#include "ImageTestSupport.h"
#include "image/GIFFile.h"
#include "image/ImageObject.h"

#include <memory>
#include <random>

using namespace imgtest;

namespace {

const size_t kTableEnd = 13 + 768;          // the writer's header and global table
const size_t kDescriptorFlags = kTableEnd + 9;

struct Palette {
    int red[256], green[256], blue[256];
    Palette()
    {
        for (int i = 0; i < 256; ++i) {
            red[i] = i;
            green[i] = 255 - i;
            blue[i] = (i * 7) & 255;
        }
    }
};

struct Indexed {
    int width, height;
    Bytes index;  // top row first
};

Indexed NoiseIndexes(int w, int h, unsigned seed, int colours = 256)
{
    std::mt19937 rng(seed);
    Indexed p{w, h, Bytes(size_t(w) * h)};
    for (BYTE& b : p.index)
        b = BYTE(rng() % colours);
    return p;
}

class GifTest : public ::testing::Test {
protected:
    Bytes Write(const Indexed& p, const std::string& name = "w.gif")
    {
        CGIFFile gif;
        EXPECT_EQ(1, gif.GIFWriteFileFrom256Color(const_cast<BYTE*>(p.index.data()), dir.win(name).c_str(), p.width,
                                                  p.height, 0, pal.red, pal.green, pal.blue));
        return ReadAll(dir.posix(name));
    }
    std::string Put(const Bytes& bytes, const std::string& name = "t.gif")
    {
        WriteAll(dir.posix(name), bytes);
        return dir.win(name);
    }
    // Decodes to packed RGB, top-down; the error text goes to `error`.
    std::unique_ptr<BYTE[]> Read(const std::string& path, UINT* w, UINT* h, std::string* error = nullptr)
    {
        CGIFFile gif;
        std::unique_ptr<BYTE[]> rgb(gif.GIFReadFileToRGB(path.c_str(), w, h));
        if (error)
            *error = (LPCSTR)gif.m_strError;
        return rgb;
    }
    void ExpectPicture(const Indexed& p, const BYTE* rgb, const char* what)
    {
        for (size_t i = 0; i < p.index.size(); ++i) {
            int v = p.index[i];
            ASSERT_EQ(pal.red[v], rgb[3 * i]) << what << " pixel " << i;
            ASSERT_EQ(pal.green[v], rgb[3 * i + 1]) << what << " pixel " << i;
            ASSERT_EQ(pal.blue[v], rgb[3 * i + 2]) << what << " pixel " << i;
        }
    }
    Folder dir;
    Palette pal;
};

}  // namespace

TEST_F(GifTest, OnePixelFileIsExact)
{
    Bytes file = Write(Indexed{1, 1, {0}});
    Bytes want = {'G', 'I', 'F', '8', '7', 'a', 1, 0, 1, 0, 0xE7, 0, 0};
    for (int i = 0; i < 256; ++i) {
        want.push_back(BYTE(pal.red[i]));
        want.push_back(BYTE(pal.green[i]));
        want.push_back(BYTE(pal.blue[i]));
    }
    Bytes tail = {',', 0, 0, 0, 0, 1, 0, 1, 0, 0, 8,
                  4, 0x00, 0x01, 0x04, 0x04,  // codes 256, 0, 257 at 9 bits
                  0, ';'};
    want.insert(want.end(), tail.begin(), tail.end());
    EXPECT_EQ(want, file);
}

TEST_F(GifTest, WriterAndDecoderRoundTrip)
{
    Indexed cases[] = {
        {1, 1, {7}},
        NoiseIndexes(17, 3, 1),
        NoiseIndexes(300, 200, 2),          // far more than 4096 codes: table clears
        NoiseIndexes(257, 129, 3, 2),        // long strings, 12-bit codes
        Indexed{64, 64, Bytes(64 * 64, 200)},
    };
    for (const Indexed& p : cases) {
        Bytes file = Write(p);
        // Packets carry at most 254 bytes.
        size_t at = kTableEnd + 11;
        while (file[at] != 0) {
            ASSERT_LE(file[at], 254);
            at += 1 + file[at];
        }
        UINT w = 0, h = 0;
        std::unique_ptr<BYTE[]> rgb = Read(dir.win("w.gif"), &w, &h);
        ASSERT_TRUE(rgb);
        ASSERT_EQ(UINT(p.width), w);
        ASSERT_EQ(UINT(p.height), h);
        ExpectPicture(p, rgb.get(), "decoded");

        CGIFFile gif;
        std::unique_ptr<BYTE[]> block(gif.LoadGIF(dir.win("w.gif").c_str(), &w, &h));
        ASSERT_TRUE(block);
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x) {
                int v = p.index[size_t(y) * p.width + x];
                const BYTE* px = PixelOf(block.get(), w, h, x, y);
                ASSERT_EQ(pal.blue[v], px[0]);
                ASSERT_EQ(pal.red[v], px[2]);
            }
    }
}

TEST_F(GifTest, InterlacedRowsGoToTheirPlaces)
{
    Indexed p = NoiseIndexes(6, 10, 4);
    // The stream carries rows 0, 8, then 4, then 2, 6, then the odd rows.
    const int order[10] = {0, 8, 4, 2, 6, 1, 3, 5, 7, 9};
    Indexed stream{6, 10, {}};
    for (int r : order)
        stream.index.insert(stream.index.end(), p.index.begin() + r * 6, p.index.begin() + r * 6 + 6);
    Bytes file = Write(stream);
    file[kDescriptorFlags] |= 0x40;
    UINT w, h;
    std::unique_ptr<BYTE[]> rgb = Read(Put(file), &w, &h);
    ASSERT_TRUE(rgb);
    ExpectPicture(p, rgb.get(), "interlaced");

    // Passes that start past the last row are skipped.
    Indexed one = NoiseIndexes(5, 1, 5);
    file = Write(one);
    file[kDescriptorFlags] |= 0x40;
    rgb = Read(Put(file), &w, &h);
    ASSERT_TRUE(rgb);
    ExpectPicture(one, rgb.get(), "one row");
}

TEST_F(GifTest, ExtensionsAreSkipped)
{
    Indexed p = NoiseIndexes(9, 4, 6);
    Bytes file = Write(p);
    file[4] = '9';
    Bytes ext = {0x21, 0xF9, 4, 0x05, 10, 0, 3, 0,                               // graphic control
                 0x21, 0xFE, 3, 'a', 'b', 'c', 0,                                  // comment
                 0x21, 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1, 0, 0, 0,
                 0x21, 0x99, 2, 1, 2, 0};                                          // unknown label
    file.insert(file.begin() + kTableEnd, ext.begin(), ext.end());
    std::string path = Put(file);
    UINT w, h;
    std::unique_ptr<BYTE[]> rgb = Read(path, &w, &h);
    ASSERT_TRUE(rgb);
    ExpectPicture(p, rgb.get(), "89a");

    CGIFFile gif;
    CSize size;
    EXPECT_TRUE(gif.GetGIFSize(path.c_str(), &size));
    EXPECT_EQ(CSize(9, 4), size);
    EXPECT_EQ(9u, gif.GetGIFWidth(path.c_str()));
    EXPECT_EQ(4u, gif.GetGIFHeight(path.c_str()));
    EXPECT_FALSE(gif.GIFGetDimensions(path.c_str(), &w, &h));
    EXPECT_EQ(UINT(-1), w);
    EXPECT_EQ(UINT(-1), h);
    EXPECT_TRUE(gif.GIFGetDimensions(Put(Write(p), "plain.gif").c_str(), &w, &h));
    EXPECT_EQ(9u, w);
}

TEST_F(GifTest, OnlyTheFirstImageAtItsOwnSize)
{
    Indexed first = NoiseIndexes(7, 5, 7);
    Indexed second = NoiseIndexes(3, 3, 8);
    Bytes a = Write(first, "a.gif");
    Bytes b = Write(second, "b.gif");
    a.insert(a.end() - 1, b.begin() + kTableEnd, b.end() - 1);
    a[6] = 40;  // logical screen larger than the image
    a[8] = 30;
    UINT w, h;
    std::unique_ptr<BYTE[]> rgb = Read(Put(a), &w, &h);
    ASSERT_TRUE(rgb);
    EXPECT_EQ(7u, w);
    EXPECT_EQ(5u, h);
    ExpectPicture(first, rgb.get(), "first");
}

TEST_F(GifTest, ErrorTexts)
{
    Bytes good = Write(NoiseIndexes(4, 4, 9));
    auto with = [&](size_t at, BYTE v) {
        Bytes b = good;
        b[at] = v;
        return b;
    };
    auto cut = [&](size_t n) { return Bytes(good.begin(), good.begin() + n); };
    Bytes local = good;  // a local table of 2 entries, then nothing
    local[kDescriptorFlags] = 0x80;
    local.resize(kDescriptorFlags + 1 + 6);
    Bytes png = {0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0};
    std::string path = dir.win("t.gif");
    struct Case {
        const char* name;
        Bytes bytes;
        std::string text;
    } cases[] = {
        {"empty", {}, "Error reading GIF Magic #\n" + path},
        {"png", png, "Error, " + path + " is not a valid .GIF file"},
        {"88a", with(4, '8'), "Error, Bad GIF Version number"},
        {"screen cut", cut(10), "Error, failed to GIF read screen descriptor.\nGiving up"},
        {"table cut", cut(100), "Error reading GIF colormap"},
        {"no image", Bytes(good.begin(), good.begin() + kTableEnd), "Unexpected EOF in GIF.\nGiving up"},
        {"extension cut", [&] { Bytes b = cut(kTableEnd); b.push_back(0x21); return b; }(),
         "Error on extension read.\nGiving up"},
        {"descriptor cut", cut(kTableEnd + 5), "Error on dimension read\nGiving up"},
        {"code size 12", with(kTableEnd + 10, 12), "Error reading GIF file\nGIFScreen Colormap\nGiving up"},
        {"no code size", cut(kTableEnd + 10), "Error reading GIF file\nGIFScreen Colormap\nGiving up"},
        {"local table cut", Bytes(local.begin(), local.end() - 3), "Error reading GIF colormap\nGiving up"},
        {"local, no code size", local, "Error reading GIF file\nLocalColorMap\nGiving up"},
        {"zero width", with(kTableEnd + 5, 0), "Error on dimension read\nGiving up"},
    };
    for (const Case& c : cases) {
        Put(c.bytes);
        UINT w = 1, h = 1;
        std::string error;
        EXPECT_FALSE(Read(path, &w, &h, &error)) << c.name;
        EXPECT_EQ(c.text, error) << c.name;
        EXPECT_EQ(0u, w) << c.name;
    }
    std::string error;
    UINT w, h;
    EXPECT_FALSE(Read(dir.win("missing.gif"), &w, &h, &error));
    EXPECT_EQ("Cant open GIF :\n" + dir.win("missing.gif"), error);
    EXPECT_FALSE(Read("", &w, &h, &error));
    EXPECT_EQ("No Name Given", error);

    Bytes aspect = with(12, 17);
    EXPECT_TRUE(Read(Put(aspect), &w, &h, &error));
    EXPECT_EQ("Non-square pixels in GIF image.\nIgnoring that fact...", error);

    CGIFFile gif;
    EXPECT_EQ("No Error", std::string((LPCSTR)gif.m_strError));
    BYTE px = 0;
    Palette p;
    EXPECT_EQ(0, gif.GIFWriteFileFrom256Color(&px, dir.win("no\\such\\x.gif").c_str(), 1, 1, 0, p.red, p.green, p.blue));
    EXPECT_EQ("Can't open GIF for writing", std::string((LPCSTR)gif.m_strError));
    EXPECT_EQ(1, gif.SaveGIF("ignored"));
}

TEST_F(GifTest, CutAndDamagedStreamsNeverCrash)
{
    Indexed p = NoiseIndexes(120, 80, 10);
    Bytes good = Write(p);
    // A stream cut short keeps what it decoded; the rest stays black.
    Bytes cut(good.begin(), good.begin() + good.size() / 2);
    UINT w, h;
    std::unique_ptr<BYTE[]> rgb = Read(Put(cut), &w, &h);
    ASSERT_TRUE(rgb);
    EXPECT_EQ(pal.red[p.index[0]], rgb[0]);
    const BYTE* last = rgb.get() + 3 * (size_t(w) * h - 1);
    EXPECT_EQ(0, last[0] | last[1] | last[2]);

    // Code size 11: codes of 256 and more reach the pixels as indexes.
    Bytes wide = good;
    wide[kTableEnd + 10] = 11;
    EXPECT_TRUE(Read(Put(wide), &w, &h));

    // Random damage anywhere after the header: a result or a failure, no crash.
    std::mt19937 rng(11);
    for (int round = 0; round < 300; ++round) {
        Bytes b = good;
        int hits = 1 + rng() % 8;
        for (int i = 0; i < hits; ++i)
            b[6 + rng() % (b.size() - 6)] = BYTE(rng());
        if (round % 3 == 0)
            b.resize(6 + rng() % (b.size() - 6));
        Put(b);
        std::unique_ptr<BYTE[]> any = Read(dir.win("t.gif"), &w, &h);
        if (any) {
            EXPECT_GT(w * h, 0u);
        }
    }
}

TEST_F(GifTest, ScaledLoadsAndMessages)
{
    Indexed p = NoiseIndexes(30, 20, 12);
    std::string path = Put(Write(p));
    struct Case {
        UINT ratio, width, height;
    } cases[] = {{500, 15, 10}, {1000, 30, 20}, {2000, 60, 40}, {10, 1, 1}};
    for (const Case& c : cases) {
        NoticeRecorder rec;
        CGIFFile gif(FakeWindow(), nullptr);
        UINT w, h;
        std::unique_ptr<BYTE[]> block(gif.LoadGIFScaled(path.c_str(), c.ratio, &w, &h));
        ASSERT_TRUE(block);
        ASSERT_EQ(c.width, w);
        ASSERT_EQ(c.height, h);
        for (UINT y = 0; y < h; ++y)
            for (UINT x = 0; x < w; ++x) {
                int v = p.index[size_t(y * 20 / h) * 30 + x * 30 / w];
                ASSERT_EQ(pal.red[v], PixelOf(block.get(), w, h, x, y)[2]);
            }
        EXPECT_EQ((std::vector<int>{0, 100}), rec.progress);
    }
    int flag = 1;
    NoticeRecorder rec;
    CGIFFile gif(FakeWindow(), &flag);
    UINT w, h;
    std::unique_ptr<BYTE[]> block(gif.LoadGIF(path.c_str(), &w, &h));
    EXPECT_TRUE(block);  // the GIF decoder does not stop for the flag
    EXPECT_TRUE(rec.progress.empty());
}

// A 35-byte file declaring 18000 x 18000 pixels: the decode stops after two
// pixels, and only what it filled costs memory, on the whole and the
// thumbnail roads alike.
TEST_F(GifTest, TinyFileDeclaringAHugePictureCostsOnlyWhatItFills)
{
    const uint64_t kGenerous = 64u << 20;
    const Bytes tiny = {'G', 'I', 'F', '8', '9', 'a', 0x50, 0x46, 0x50, 0x46, 0x80, 0, 0,  // 18000 x 18000, 2 colours
                        10, 20, 30, 40, 50, 60,                                             // global table
                        ',', 0, 0, 0, 0, 0x50, 0x46, 0x50, 0x46, 0,                         // descriptor
                        2, 2, 0x4C, 0x0A, 0, ';'};  // clear, 1, 1, end of information
    ASSERT_EQ(35u, tiny.size());
    std::string path = Put(tiny);
    uint64_t grown = PeakMemoryGrowth([&] {
        CGIFFile gif;
        UINT w = 0, h = 0;
        std::unique_ptr<BYTE[]> block(gif.LoadGIF(path.c_str(), &w, &h));
        ASSERT_TRUE(block);
        EXPECT_EQ(18000u, w);
        const BYTE* top = PixelOf(block.get(), 18000, 18000, 1, 0);
        EXPECT_EQ(60, top[0]);
        EXPECT_EQ(40, top[2]);
    });
    if (MemoryGrowthIsMeaningful()) {
        EXPECT_LT(grown, kGenerous);
    }
    grown = PeakMemoryGrowth([&] {
        CImageObject img;
        EXPECT_EQ(1, img.LoadScaled(path.c_str(), CSize(160, 120), 0));
        EXPECT_EQ(1, img.LoadThumbnail(path.c_str(), dir.win("thumb.jpg").c_str(), CSize(160, 120), nullptr, 0));
        EXPECT_EQ(108, img.GetWidth());  // the fit ratio of 6 per mille
    });
    if (MemoryGrowthIsMeaningful()) {
        EXPECT_LT(grown, kGenerous);
    }
}
