// Decoders, filters and free rotation give the same bytes as they always
// have: checksums of their outputs on a table of inputs (sizes, odd widths,
// kernels, angles), taken once from the straightforward code. Run with
// MIVO_PRINT_OUTPUT_SUMS=1 to print the table instead of checking it; that run also keeps the
// pictures it summed, so a later failure can name the first pixel that changed. A failed check
// writes the picture it got and prints where (MIVO_OUTPUT_PICTURES, or a folder in /tmp).
#include <gtest/gtest.h>

#include "ImageOpsSupport.h"
#include "ImageTestSupport.h"
#include "image/BMPFile.h"
#include "image/GIFFile.h"
#include "image/ImageFilter.h"
#include "image/JPGFile.h"
#include "image/PixelBlock.h"
#include <mivo/paths.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <string>

using namespace opstest;

namespace {

// FNV-1a over bytes.
uint64_t Fnv(const BYTE* bytes, uint64_t n, uint64_t h = 1469598103934665603ull)
{
    for (uint64_t i = 0; i < n; ++i) {
        h ^= bytes[i];
        h *= 1099511628211ull;
    }
    return h;
}

// Over the size and every byte of every row, padding included.
uint64_t Sum(const BYTE* block, uint64_t width, uint64_t height)
{
    const uint64_t size[2] = {width, height};
    const uint64_t h = Fnv(reinterpret_cast<const BYTE*>(size), sizeof size);
    return block ? Fnv(block, uint64_t(imgtest::RowBytes(int(width))) * height, h) : h;
}

uint64_t Sum(const CImageObject* img)
{
    return img ? Sum(img->GetImageBuf(), uint64_t(img->GetWidth()), uint64_t(img->GetHeight())) : 0;
}

// Noise with smooth stretches, so both edges and flat areas are covered.
ImagePtr Noisy(int w, int h, unsigned seed)
{
    std::mt19937 rng(seed);
    std::vector<COLORREF> px(size_t(w) * h);
    for (size_t i = 0; i < px.size(); ++i) {
        if (rng() % 4 == 0 && i > 0) {
            px[i] = px[i - 1];
            continue;
        }
        // One draw a statement: the order of arguments is the compiler's.
        const BYTE first = BYTE(rng() % 256), second = BYTE(rng() % 256), third = BYTE(rng() % 256);
        px[i] = RGB(first, second, third);
    }
    return MakeImage(w, h, [&](int x, int y) { return px[size_t(y) * w + x]; });
}

// The last is large enough to be worked out in bands on several cores.
const int kSizes[][2] = {{1, 1}, {2, 3}, {5, 5}, {17, 13}, {64, 48}, {101, 7}, {255, 3}, {3, 255}, {613, 457}};

// Where the pictures of failed checks and of a printed table are kept: outside the test's
// temporary folder, so they are still there to look at.
std::string PictureFolder()
{
    const char* chosen = getenv("MIVO_OUTPUT_PICTURES");
    return chosen && *chosen ? std::string(chosen) : (std::filesystem::temp_directory_path() / "mivo-output-sums").string();
}

std::string PicturePath(const char* kind, const std::string& name)
{
    std::string file = name;
    for (char& c : file)
        if (c == ' ' || c == '/')
            c = '_';
    const std::filesystem::path dir = std::filesystem::path(PictureFolder()) / kind;
    std::filesystem::create_directories(dir);
    return (dir / (file + ".bmp")).string();
}

bool SavePicture(const std::string& posixPath, const BYTE* block, uint64_t width, uint64_t height)
{
    return CBMPFile().SaveBMP(mivo::FromPosixPath(posixPath).c_str(), const_cast<BYTE*>(block), UINT(width),
                              UINT(height));
}

// The first pixel (counted from the top left) where the picture the table was taken of differs
// from `block`, or why it cannot be told.
std::string FirstDifference(const std::string& referencePath, const BYTE* block, uint64_t width, uint64_t height)
{
    UINT w = 0, h = 0;
    std::unique_ptr<BYTE[]> reference(std::filesystem::exists(referencePath)
                                          ? CBMPFile().LoadBMP(mivo::FromPosixPath(referencePath).c_str(), &w, &h)
                                          : nullptr);
    if (!reference)
        return "no reference picture at " + referencePath + " (MIVO_PRINT_OUTPUT_SUMS=1 on the code the table was "
               "taken from keeps them)";
    std::ostringstream out;
    if (w != width || h != height) {
        out << "the reference picture is " << w << "x" << h << ", this one " << width << "x" << height;
        return out.str();
    }
    for (int y = 0; y < int(h); ++y) {
        for (int x = 0; x < int(w); ++x) {
            const BYTE* want = imgtest::PixelOf(reference.get(), int(w), int(h), x, y);
            const BYTE* got = imgtest::PixelOf(block, int(w), int(h), x, y);
            if (memcmp(want, got, 3) == 0)
                continue;
            out << "first differing pixel (" << x << ", " << y << ") from the top left: blue, green, red "
                << int(got[0]) << " " << int(got[1]) << " " << int(got[2]) << " instead of " << int(want[0]) << " "
                << int(want[1]) << " " << int(want[2]);
            return out.str();
        }
    }
    return "every pixel equals the reference picture's: the padding bytes differ";
}

class OutputSums : public ::testing::Test {
protected:
    void Expect(const std::string& name, uint64_t sum)
    {
        if (getenv("MIVO_PRINT_OUTPUT_SUMS")) {
            printf("        {\"%s\", 0x%016llxull},\n", name.c_str(), (unsigned long long)sum);
            return;
        }
        auto it = Reference().find(name);
        ASSERT_NE(Reference().end(), it) << name;
        EXPECT_EQ(it->second, sum) << name;
    }
    // The sum of a picture; on a mismatch the picture is written out and compared with the
    // picture the table was taken of, when that was kept.
    void ExpectPicture(const std::string& name, const BYTE* block, uint64_t width, uint64_t height)
    {
        const uint64_t sum = Sum(block, width, height);
        Expect(name, sum);
        if (!block)
            return;
        if (getenv("MIVO_PRINT_OUTPUT_SUMS")) {
            SavePicture(PicturePath("reference", name), block, width, height);
            return;
        }
        auto it = Reference().find(name);
        if (it == Reference().end() || it->second == sum)
            return;
        const std::string actual = PicturePath("actual", name);
        ADD_FAILURE() << name << ": the picture it gave is "
                      << (SavePicture(actual, block, width, height) ? actual : "(could not be written to " + actual + ")")
                      << "; " << FirstDifference(PicturePath("reference", name), block, width, height);
    }
    void ExpectPicture(const std::string& name, const CImageObject* img)
    {
        if (!img) {
            Expect(name, 0);
            return;
        }
        ExpectPicture(name, img->GetImageBuf(), uint64_t(img->GetWidth()), uint64_t(img->GetHeight()));
    }
    static const std::map<std::string, uint64_t>& Reference();
    imgtest::Folder dir;
};

std::string Named(const char* what, int w, int h, const std::string& rest = "")
{
    return std::string(what) + " " + std::to_string(w) + "x" + std::to_string(h) + (rest.empty() ? "" : " " + rest);
}

}  // namespace

TEST_F(OutputSums, Decoders)
{
    const int ratios[] = {1000, 500, 333, 125, 1500};
    unsigned seed = 1;
    for (const auto& s : kSizes) {
        ImagePtr img = Noisy(s[0], s[1], seed++);
        const std::string jpg = dir.win("p.jpg"), bmp = dir.win("p.bmp");
        ASSERT_TRUE(CJPGFile().RGBToJpegFile(jpg.c_str(), img->GetImageBuf(), s[0], s[1], TRUE, 90));
        ASSERT_TRUE(CBMPFile().SaveBMP(bmp.c_str(), img->GetImageBuf(), s[0], s[1]));
        Expect(Named("encode", s[0], s[1]), [&] {
            imgtest::Bytes b = imgtest::ReadAll(dir.posix("p.jpg"));
            return Fnv(b.data(), b.size());
        }());
        for (int ratio : ratios) {
            UINT w = 0, h = 0;
            std::unique_ptr<BYTE[]> j(ratio == 1000 ? CJPGFile().JpegFileToRGB(jpg.c_str(), &w, &h, 0)
                                                    : CJPGFile().JpegFileToRGBScaled(jpg.c_str(), ratio, &w, &h, 0));
            ExpectPicture(Named("jpeg", s[0], s[1], std::to_string(ratio)), j.get(), w, h);
            std::unique_ptr<BYTE[]> b(ratio == 1000 ? CBMPFile().LoadBMP(bmp.c_str(), &w, &h)
                                                    : CBMPFile().LoadBMPScaled(bmp.c_str(), ratio, &w, &h));
            ExpectPicture(Named("bmp", s[0], s[1], std::to_string(ratio)), b.get(), w, h);
        }
    }
}

TEST_F(OutputSums, Filters)
{
    struct Kernel {
        const char* name;
        int size;
        std::vector<int> k;
        int divisor, offset;
    } kernels[] = {
        {"box3", 3, {1, 1, 1, 1, 1, 1, 1, 1, 1}, 9, 0},
        {"gauss5", 5, {1, 4, 6, 4, 1, 4, 16, 24, 16, 4, 6, 24, 36, 24, 6, 4, 16, 24, 16, 4, 1, 4, 6, 4, 1}, 256, 0},
        {"gauss5 off", 5, {1, 4, 6, 4, 1, 4, 16, 24, 16, 4, 6, 24, 36, 24, 6, 4, 16, 24, 16, 4, 1, 4, 6, 4, 1}, 250, -3},
        {"laplace", 3, {0, -1, 0, -1, 4, -1, 0, -1, 0}, 1, 128},
        {"sharpen", 3, {-1, -1, -1, -1, 9, -1, -1, -1, -1}, 0, 0},
        {"uneven5", 5, {1, 2, 0, -3, 1, 0, 5, 1, 2, 2, 1, 1, 7, 1, 1, 3, -2, 0, 1, 0, 1, 1, 1, 1, 9}, 7, 2},
        {"sep7", 7, {}, 4096, 0},
        {"even4", 4, {1, 2, 2, 1, 2, 4, 4, 2, 2, 4, 4, 2, 1, 2, 2, 1}, 36, 0},
        {"negsep3", 3, {-1, 2, -1, -2, 4, -2, -1, 2, -1}, 3, 100},
        {"huge", 3, {1 << 24, 1 << 24, 1 << 24, 1 << 24, 1 << 24, 1 << 24, 1 << 24, 1 << 24, 1 << 24}, 9 << 24, 0},
        {"binomial3 dark", 3, {1, 2, 1, 2, 4, 2, 1, 2, 1}, 16, -40},
        {"box3 bright", 3, {1, 1, 1, 1, 1, 1, 1, 1, 1}, 8, 30},
    };
    const int row7[7] = {1, 6, 15, 20, 15, 6, 1};
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 7; ++c)
            kernels[6].k.push_back(row7[r] * row7[c]);
    unsigned seed = 100;
    for (const auto& s : kSizes) {
        ImagePtr base = Noisy(s[0], s[1], seed++);
        for (const Kernel& k : kernels) {
            ImagePtr img(base->DuplicateImgObj());
            std::vector<int> kernel = k.k;
            ASSERT_EQ(1, CImageFilter(img.get()).Filtering(kernel.data(), k.size, k.divisor, k.offset));
            ExpectPicture(Named("filter", s[0], s[1], k.name), img.get());
        }
        ImagePtr m(base->DuplicateImgObj());
        CImageFilter(m.get()).MedianFilter(0, 0, s[0], s[1]);
        ExpectPicture(Named("median", s[0], s[1]), m.get());
        ImagePtr l(base->DuplicateImgObj());
        CImageFilter(l.get()).LowpassFilter(0, 0, s[0], s[1], nullptr);
        ExpectPicture(Named("lowpass", s[0], s[1]), l.get());
        ImagePtr e(base->DuplicateImgObj());
        CImageFilter(e.get()).EdgeEnhance(0, 0, s[0], s[1]);
        ExpectPicture(Named("edge", s[0], s[1]), e.get());
    }
}

TEST_F(OutputSums, RotationAndResampling)
{
    const double angles[] = {0, 10, 45, 90, -33.3, 179, 271.5, 1e-3};
    unsigned seed = 200;
    for (const auto& s : kSizes) {
        ImagePtr base = Noisy(s[0], s[1], seed++);
        for (double a : angles) {
            ImagePtr turned(base->RotateAngle(a));
            ExpectPicture(Named("rotate", s[0], s[1], std::to_string(a)), turned.get());
        }
        for (int mode : {1, 2, 3}) {
            ImagePtr half(base->Resample(max(1, s[0] / 2), max(1, s[1] / 2), mode));
            ExpectPicture(Named("resample", s[0], s[1], std::to_string(mode)), half.get());
        }
    }
}

// Area averaging at sizes whose outputs are large enough to be worked out
// in bands: halves, odd ratios, ratios just above one and wide pictures,
// where the running column and row edges drift furthest from exact values.
TEST_F(OutputSums, AreaAverageOfLargePictures)
{
    const struct {
        int w, h, nw, nh;
    } cases[] = {{1201, 901, 600, 450}, {1201, 901, 413, 307}, {1201, 901, 1200, 900}, {1201, 901, 1000, 700},
                 {1201, 901, 350, 261}, {5003, 203, 2001, 101}, {640, 2400, 319, 1199}, {1201, 901, 97, 61}};
    unsigned seed = 400;
    for (const auto& c : cases) {
        ImagePtr base = Noisy(c.w, c.h, seed++);
        ImagePtr out(base->Resample(c.nw, c.nh, 3));
        Expect(Named("area", c.w, c.h, std::to_string(c.nw) + "x" + std::to_string(c.nh)), Sum(out.get()));
    }
}

// Large results may take a block freed a moment ago, whatever it held: the
// area average writes every byte of it, row ends and rows past the source.
TEST_F(OutputSums, AreaAverageIntoReusedBlocks)
{
    const struct {
        int w, h, nw, nh;
    } cases[] = {{2401, 1801, 2400, 1800}, {2401, 1801, 1601, 1201}, {3001, 1201, 2999, 1199}};
    unsigned seed = 500;
    for (const auto& c : cases) {
        ImagePtr base = Noisy(c.w, c.h, seed++);
        const uint64_t bytes = mivo::image::PixelBlockBytes(uint64_t(c.nw), uint64_t(c.nh));
        BYTE* dirty = mivo::image::AllocPixelBlock(bytes, false);
        ASSERT_TRUE(dirty);
        memset(dirty, 0xAB, size_t(bytes));
        mivo::image::FreePixelBlock(dirty);
        ImagePtr out(base->Resample(c.nw, c.nh, 3));
        Expect(Named("area reused", c.w, c.h, std::to_string(c.nw) + "x" + std::to_string(c.nh)), Sum(out.get()));
    }
}

// A small photograph-like scene (flat wall, ramps, a slanted edge, noisy
// grass, clamping black and white), as checked in and enlarged so the
// banded paths run: free rotation at angles where the interpolation weights
// are whole, tiny or generic, and the filters.
TEST_F(OutputSums, Scene)
{
    ImagePtr small(new CImageObject);
    ASSERT_TRUE(small->LoadImageFromFile(
        mivo::FromPosixPath(std::string(MIVO_SOURCE_DIR) + "/tests/data/images/scene_61x45.bmp").c_str(), 0));
    ASSERT_EQ(61, small->GetWidth());
    ImagePtr large(small->Resample(701, 523, 1));
    ASSERT_TRUE(large);
    const double angles[] = {0, 1e-3, 0.5, 1, 10, 30, 45, 60, 89.999, 90, 135, 180, 200.25, 270, -7.5, 359.9, 720};
    const int gauss[25] = {1, 4, 6, 4, 1, 4, 16, 24, 16, 4, 6, 24, 36, 24, 6, 4, 16, 24, 16, 4, 1, 4, 6, 4, 1};
    const int sharpen[9] = {-1, -1, -1, -1, 9, -1, -1, -1, -1};
    const int box3[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
    for (CImageObject* base : {small.get(), large.get()}) {
        const int w = base->GetWidth(), h = base->GetHeight();
        for (double a : angles) {
            ImagePtr turned(base->RotateAngle(a));
            ExpectPicture(Named("scene rotate", w, h, std::to_string(a)), turned.get());
        }
        struct {
            const char* name;
            const int* k;
            int size, divisor, offset;
        } kernels[] = {{"gauss5", gauss, 5, 256, 0}, {"sharpen", sharpen, 3, 1, 0}, {"box3", box3, 3, 9, 0}};
        for (const auto& k : kernels) {
            ImagePtr img(base->DuplicateImgObj());
            std::vector<int> kernel(k.k, k.k + k.size * k.size);
            ASSERT_EQ(1, CImageFilter(img.get()).Filtering(kernel.data(), k.size, k.divisor, k.offset));
            ExpectPicture(Named("scene filter", w, h, k.name), img.get());
        }
    }
}

// Many angles, one sum each for a noisy picture and for ramps (where the
// interpolated values land on and near whole numbers).
TEST_F(OutputSums, RotationSweep)
{
    ImagePtr noisy = Noisy(37, 29, 300);
    ImagePtr ramps = MakeImage(40, 31, [](int x, int y) { return RGB(x * 255 / 39, y * 255 / 30, (x + y) % 7 * 36); });
    for (CImageObject* base : {noisy.get(), ramps.get()}) {
        uint64_t h = 1469598103934665603ull;
        for (int step = -250; step <= 250; ++step) {
            const double angle = step * 1.45 + (step % 3) * 1e-4;
            ImagePtr turned(base->RotateAngle(angle));
            const uint64_t one = Sum(turned.get());
            h = Fnv(reinterpret_cast<const BYTE*>(&one), sizeof one, h);
        }
        Expect(Named("rotate sweep", base->GetWidth(), base->GetHeight()), h);
    }
}

const std::map<std::string, uint64_t>& OutputSums::Reference()
{
    static const std::map<std::string, uint64_t> table = {
        {"area reused 2401x1801 2400x1800", 0x606a963eda4dedfaull},
        {"area reused 2401x1801 1601x1201", 0x078db76d0382a75dull},
        {"area reused 3001x1201 2999x1199", 0x9e1e3ec92f29bd63ull},
        {"area 1201x901 600x450", 0xe52ca91d23dba343ull},
        {"area 1201x901 413x307", 0x0df7d708c4517b03ull},
        {"area 1201x901 1200x900", 0x9668502b518dcfd0ull},
        {"area 1201x901 1000x700", 0x509ab6d3ed7a9699ull},
        {"area 1201x901 350x261", 0xf703138074fdb50dull},
        {"area 5003x203 2001x101", 0xdceb818885bfafebull},
        {"area 640x2400 319x1199", 0x52e568f8f1140be4ull},
        {"area 1201x901 97x61", 0xc7892d37e5bde6d5ull},
        {"encode 1x1", 0x635a01bcf1021f6full},
        {"jpeg 1x1 1000", 0x215d5b427123dcccull},
        {"bmp 1x1 1000", 0x215d5b427123dcccull},
        {"jpeg 1x1 500", 0x1711de426ad8b96eull},
        {"bmp 1x1 500", 0x215d5b427123dcccull},
        {"jpeg 1x1 333", 0x1711de426ad8b96eull},
        {"bmp 1x1 333", 0x215d5b427123dcccull},
        {"jpeg 1x1 125", 0x215d5b427123dcccull},
        {"bmp 1x1 125", 0x215d5b427123dcccull},
        {"jpeg 1x1 1500", 0x1711de426ad8b96eull},
        {"bmp 1x1 1500", 0x215d5b427123dcccull},
        {"encode 2x3", 0xaec0cfb8c7d496f5ull},
        {"jpeg 2x3 1000", 0x6634d83e9f654705ull},
        {"bmp 2x3 1000", 0xa68d5bf4e3292f29ull},
        {"jpeg 2x3 500", 0x482160ac4369d323ull},
        {"bmp 2x3 500", 0xfc4991b2ca7d2734ull},
        {"jpeg 2x3 333", 0x428bb87a56f721e1ull},
        {"bmp 2x3 333", 0xfc4991b2ca7d2734ull},
        {"jpeg 2x3 125", 0x3df3b550ced7fc33ull},
        {"bmp 2x3 125", 0xfc4991b2ca7d2734ull},
        {"jpeg 2x3 1500", 0x6ff1c81d90336538ull},
        {"bmp 2x3 1500", 0x3aa18fd2a3eabedcull},
        {"encode 5x5", 0x86dd131f96d6883dull},
        {"jpeg 5x5 1000", 0x8790f38f11fb2cbfull},
        {"bmp 5x5 1000", 0x85ea0bd17c965405ull},
        {"jpeg 5x5 500", 0x0ca37ad7db5a350eull},
        {"bmp 5x5 500", 0xfaa79ba5f7a1c785ull},
        {"jpeg 5x5 333", 0x3ec28c16895e6acbull},
        {"bmp 5x5 333", 0xe6535cca5d07caceull},
        {"jpeg 5x5 125", 0x0ddaa28fde92d3c8ull},
        {"bmp 5x5 125", 0xe6535cca5d07caceull},
        {"jpeg 5x5 1500", 0xdbb8e0fd5c22f49eull},
        {"bmp 5x5 1500", 0x0c579967be61b3ffull},
        {"encode 17x13", 0x3ed9a9167d2ea973ull},
        {"jpeg 17x13 1000", 0x281538296e22d65cull},
        {"bmp 17x13 1000", 0xdde2d3f57d1007abull},
        {"jpeg 17x13 500", 0x16bcdd32f31e1a60ull},
        {"bmp 17x13 500", 0x1e503ac03a5773e4ull},
        {"jpeg 17x13 333", 0x9629566f5b57bf90ull},
        {"bmp 17x13 333", 0x3cb2a509821918aeull},
        {"jpeg 17x13 125", 0x1a934b17ea56964full},
        {"bmp 17x13 125", 0xc92286a7c6a6dc7cull},
        {"jpeg 17x13 1500", 0x81ca4ce759420da6ull},
        {"bmp 17x13 1500", 0x7d30ac5588e84e5eull},
        {"encode 64x48", 0xcc1a2e4a2abbbab9ull},
        {"jpeg 64x48 1000", 0xa1579b0365c1535full},
        {"bmp 64x48 1000", 0xa94874f16d86e28aull},
        {"jpeg 64x48 500", 0xd899acceacf591f0ull},
        {"bmp 64x48 500", 0x71883bc26e719564ull},
        {"jpeg 64x48 333", 0x41e45a68e80c84baull},
        {"bmp 64x48 333", 0xc5cc43971af6ced0ull},
        {"jpeg 64x48 125", 0x663e4dae7986977dull},
        {"bmp 64x48 125", 0x97dc73d88c33736dull},
        {"jpeg 64x48 1500", 0x7e84d58faadc2b88ull},
        {"bmp 64x48 1500", 0x74b15b873ff7282eull},
        {"encode 101x7", 0x692f4890a15711f1ull},
        {"jpeg 101x7 1000", 0x5fbc9b6c451937e7ull},
        {"bmp 101x7 1000", 0x49f1c5172deed0c5ull},
        {"jpeg 101x7 500", 0x565370f2b0230e34ull},
        {"bmp 101x7 500", 0xfb045ed01963243bull},
        {"jpeg 101x7 333", 0xfe9f669c67b0b5f5ull},
        {"bmp 101x7 333", 0x2dfcf46073e9533eull},
        {"jpeg 101x7 125", 0xdf1fbe6925b7f170ull},
        {"bmp 101x7 125", 0x90c8679e62f67dd2ull},
        {"jpeg 101x7 1500", 0xfd64d1958e4324b9ull},
        {"bmp 101x7 1500", 0x16cb742f1b3b2fecull},
        {"encode 255x3", 0x79711317ef5e4ad2ull},
        {"jpeg 255x3 1000", 0x09fbcdff458a3221ull},
        {"bmp 255x3 1000", 0x5c05f700f3d389b4ull},
        {"jpeg 255x3 500", 0xc58c303553269dd9ull},
        {"bmp 255x3 500", 0x3c5c65f2b644e017ull},
        {"jpeg 255x3 333", 0x7bedd7b549935686ull},
        {"bmp 255x3 333", 0x907246c9878d1a13ull},
        {"jpeg 255x3 125", 0x3d5903c64f2c7972ull},
        {"bmp 255x3 125", 0x17c8c158a34e9ce8ull},
        {"jpeg 255x3 1500", 0x2dac97450d962fd1ull},
        {"bmp 255x3 1500", 0xc35a7d5305601898ull},
        {"encode 3x255", 0xd85c28afa50abbc2ull},
        {"jpeg 3x255 1000", 0x3c151b0fb2713487ull},
        {"bmp 3x255 1000", 0x295b622ceb9af599ull},
        {"jpeg 3x255 500", 0x6aa008936bce0941ull},
        {"bmp 3x255 500", 0x0e1dccea0eaa22f3ull},
        {"jpeg 3x255 333", 0xa802f68f1539de64ull},
        {"bmp 3x255 333", 0xdfe920cb3c61834cull},
        {"jpeg 3x255 125", 0x2cfc36d664e03f78ull},
        {"bmp 3x255 125", 0x772942d600b07e49ull},
        {"jpeg 3x255 1500", 0xc8db5ef4b838a9d4ull},
        {"bmp 3x255 1500", 0x5dc157b574ef09caull},
        {"filter 1x1 box3", 0xeff84500cdf0af6dull},
        {"filter 1x1 gauss5", 0xeff84500cdf0af6dull},
        {"filter 1x1 gauss5 off", 0x6d79330910abfa67ull},
        {"filter 1x1 laplace", 0xb383fb150dfe6453ull},
        {"filter 1x1 sharpen", 0xeff84500cdf0af6dull},
        {"filter 1x1 uneven5", 0xf29595ef79b0c039ull},
        {"filter 1x1 sep7", 0xeff84500cdf0af6dull},
        {"filter 1x1 even4", 0xeff84500cdf0af6dull},
        {"filter 1x1 negsep3", 0x7d2f74191075c22full},
        {"filter 1x1 huge", 0xeff84500cdf0af6dull},
        {"median 1x1", 0xeff84500cdf0af6dull},
        {"lowpass 1x1", 0xeff84500cdf0af6dull},
        {"edge 1x1", 0xeff84500cdf0af6dull},
        {"filter 2x3 box3", 0x847f29fef5318beeull},
        {"filter 2x3 gauss5", 0x992d57995f00b0dcull},
        {"filter 2x3 gauss5 off", 0x48fe6ecc2f42775bull},
        {"filter 2x3 laplace", 0x7f12da54a6dd2eb9ull},
        {"filter 2x3 sharpen", 0x57e540ee6855f211ull},
        {"filter 2x3 uneven5", 0xc0e27acee512ba68ull},
        {"filter 2x3 sep7", 0x568196df7710928dull},
        {"filter 2x3 even4", 0xf20eefadfa30c676ull},
        {"filter 2x3 negsep3", 0xe053441bee6b3672ull},
        {"filter 2x3 huge", 0x847f29fef5318beeull},
        {"median 2x3", 0xcf4c5eea829aa5ffull},
        {"lowpass 2x3", 0xcf4c5eea829aa5ffull},
        {"edge 2x3", 0xcf4c5eea829aa5ffull},
        {"filter 5x5 box3", 0x114daa5326f8f75eull},
        {"filter 5x5 gauss5", 0x0e9e2932dcd88798ull},
        {"filter 5x5 gauss5 off", 0xd1a57c1422df5a0cull},
        {"filter 5x5 laplace", 0xfb4743adb2e60a2eull},
        {"filter 5x5 sharpen", 0x9677a4f73f22e050ull},
        {"filter 5x5 uneven5", 0x686f8eea965e077aull},
        {"filter 5x5 sep7", 0x98d35b9bd83b0663ull},
        {"filter 5x5 even4", 0xec6fd3415a506df9ull},
        {"filter 5x5 negsep3", 0xe5a2bb6f310aff5dull},
        {"filter 5x5 huge", 0x114daa5326f8f75eull},
        {"median 5x5", 0x24567617abed27e5ull},
        {"lowpass 5x5", 0x927097c7d94a2149ull},
        {"edge 5x5", 0x2b3f74ad1c6adfb7ull},
        {"filter 17x13 box3", 0x64d5e8cc8346d606ull},
        {"filter 17x13 gauss5", 0xc18675ff8ce551f5ull},
        {"filter 17x13 gauss5 off", 0x4b19ac1535733dbbull},
        {"filter 17x13 laplace", 0x670a88369add618cull},
        {"filter 17x13 sharpen", 0x53567310ea1792edull},
        {"filter 17x13 uneven5", 0x44de646106b7344eull},
        {"filter 17x13 sep7", 0x363e4156896f58c2ull},
        {"filter 17x13 even4", 0x103b7fb9f8811011ull},
        {"filter 17x13 negsep3", 0xf0c6f8760f7ffa75ull},
        {"filter 17x13 huge", 0x64d5e8cc8346d606ull},
        {"median 17x13", 0xec094c357096b191ull},
        {"lowpass 17x13", 0x6a9b6993ee0315baull},
        {"edge 17x13", 0xeb567041ed272d9bull},
        {"filter 64x48 box3", 0x338d9cb67850b11eull},
        {"filter 64x48 gauss5", 0x02720a75dbedb22cull},
        {"filter 64x48 gauss5 off", 0x8e7752a4635afd55ull},
        {"filter 64x48 laplace", 0x8847506462381941ull},
        {"filter 64x48 sharpen", 0x887524a78732fcdfull},
        {"filter 64x48 uneven5", 0x3366dbbd932be268ull},
        {"filter 64x48 sep7", 0x126ae2925e7f74cbull},
        {"filter 64x48 even4", 0x8a5dc9232ac8f967ull},
        {"filter 64x48 negsep3", 0xf699b9a01721ff1cull},
        {"filter 64x48 huge", 0x338d9cb67850b11eull},
        {"median 64x48", 0x8faef5fd99f3400aull},
        {"lowpass 64x48", 0x033ab73efc5e1227ull},
        {"edge 64x48", 0x713f0c13b3e9da94ull},
        {"filter 101x7 box3", 0x7e86d3b9ce031389ull},
        {"filter 101x7 gauss5", 0xbb70bd46e2de205bull},
        {"filter 101x7 gauss5 off", 0xe9a1d5ce2812e66full},
        {"filter 101x7 laplace", 0x11b95f2a78214150ull},
        {"filter 101x7 sharpen", 0xf03f268a0607f29cull},
        {"filter 101x7 uneven5", 0xc529163a75759431ull},
        {"filter 101x7 sep7", 0xf5671805ef915db2ull},
        {"filter 101x7 even4", 0x89232f3d05581427ull},
        {"filter 101x7 negsep3", 0xbd52ebbd88a4a4b0ull},
        {"filter 101x7 huge", 0x7e86d3b9ce031389ull},
        {"median 101x7", 0xd01d21287a593dcfull},
        {"lowpass 101x7", 0x48d4545fefdeb103ull},
        {"edge 101x7", 0x4906a11cb07eaf41ull},
        {"filter 255x3 box3", 0x3786d3e91d7ca03cull},
        {"filter 255x3 gauss5", 0x1ca76726de120a39ull},
        {"filter 255x3 gauss5 off", 0xe8eb86b8077cfb16ull},
        {"filter 255x3 laplace", 0x83e68e0c380c5708ull},
        {"filter 255x3 sharpen", 0x0959fde181a79dc2ull},
        {"filter 255x3 uneven5", 0xddafb74f4f27060dull},
        {"filter 255x3 sep7", 0x2fe3ce460eee7eafull},
        {"filter 255x3 even4", 0x80dfaa45c4cb9ca0ull},
        {"filter 255x3 negsep3", 0x1af0eac923b4253full},
        {"filter 255x3 huge", 0x3786d3e91d7ca03cull},
        {"median 255x3", 0x6e3642bbb8578657ull},
        {"lowpass 255x3", 0x6e3642bbb8578657ull},
        {"edge 255x3", 0x6e3642bbb8578657ull},
        {"filter 3x255 box3", 0x68314072df0b6c5dull},
        {"filter 3x255 gauss5", 0x2a566496b05a0723ull},
        {"filter 3x255 gauss5 off", 0x51569a3ca7369c64ull},
        {"filter 3x255 laplace", 0x8335b728bc8caa3bull},
        {"filter 3x255 sharpen", 0x2d1dbae908920f65ull},
        {"filter 3x255 uneven5", 0x140ba34273404140ull},
        {"filter 3x255 sep7", 0xdf08ae47949a2d1cull},
        {"filter 3x255 even4", 0xbc45715d2712c95aull},
        {"filter 3x255 negsep3", 0x82f57c864cbb25a7ull},
        {"filter 3x255 huge", 0x68314072df0b6c5dull},
        {"median 3x255", 0xcea763c53a4b75b9ull},
        {"lowpass 3x255", 0xcea763c53a4b75b9ull},
        {"edge 3x255", 0xcea763c53a4b75b9ull},
        {"rotate 1x1 0.000000", 0x0ad2075c61cf009bull},
        {"rotate 1x1 10.000000", 0xbd921cd97e5f1679ull},
        {"rotate 1x1 45.000000", 0x270a4e1bfc4b0acdull},
        {"rotate 1x1 90.000000", 0x0ad2075c61cf009bull},
        {"rotate 1x1 -33.300000", 0x9ef77b3eb491378full},
        {"rotate 1x1 179.000000", 0x9e825577257e39fdull},
        {"rotate 1x1 271.500000", 0x9e825577257e39fdull},
        {"rotate 1x1 0.001000", 0x0ad2075c61cf009bull},
        {"resample 1x1 1", 0x161a03239d996fb6ull},
        {"resample 1x1 2", 0x161a03239d996fb6ull},
        {"resample 1x1 3", 0x161a03239d996fb6ull},
        {"rotate 2x3 0.000000", 0x1561159f5b5a347cull},
        {"rotate 2x3 10.000000", 0x2f9e6d04944d1975ull},
        {"rotate 2x3 45.000000", 0x6fbd648c335d6225ull},
        {"rotate 2x3 90.000000", 0x4d350f9db45202acull},
        {"rotate 2x3 -33.300000", 0xa5351a84138a680dull},
        {"rotate 2x3 179.000000", 0x4aa643c94a0bfa69ull},
        {"rotate 2x3 271.500000", 0x63de039c0aa86dd2ull},
        {"rotate 2x3 0.001000", 0x583ab3f01e93dfd3ull},
        {"resample 2x3 1", 0x6c84a1eed9893cf3ull},
        {"resample 2x3 2", 0x3b8cb6e7b136b1a2ull},
        {"resample 2x3 3", 0xae583b83c8eb19f3ull},
        {"rotate 5x5 0.000000", 0x3a54dfd769dd2e4dull},
        {"rotate 5x5 10.000000", 0x7c39153b6f110c65ull},
        {"rotate 5x5 45.000000", 0x35a60300eba64fccull},
        {"rotate 5x5 90.000000", 0x3d71e03fe9d5131dull},
        {"rotate 5x5 -33.300000", 0x5ac1eef80b1e7bf1ull},
        {"rotate 5x5 179.000000", 0xf69e0b8fa83bfc2bull},
        {"rotate 5x5 271.500000", 0xcd1f9467103c2b60ull},
        {"rotate 5x5 0.001000", 0x5e2b92b91e122d6aull},
        {"resample 5x5 1", 0x4ec573dbff92c96dull},
        {"resample 5x5 2", 0x487f4efc76e74208ull},
        {"resample 5x5 3", 0xc09e614dab3f9068ull},
        {"rotate 17x13 0.000000", 0x239dddc138c47746ull},
        {"rotate 17x13 10.000000", 0x5c55bccf7097232bull},
        {"rotate 17x13 45.000000", 0xd5241c02e1f0a872ull},
        {"rotate 17x13 90.000000", 0xb163aabd66a4dd7aull},
        {"rotate 17x13 -33.300000", 0xe7c4458458a9ec81ull},
        {"rotate 17x13 179.000000", 0x49ce0c254701f620ull},
        {"rotate 17x13 271.500000", 0x1389263714612fb1ull},
        {"rotate 17x13 0.001000", 0x7f274f167de8bad3ull},
        {"resample 17x13 1", 0x0d8897a3c58c697aull},
        {"resample 17x13 2", 0x942cde54e84a26c5ull},
        {"resample 17x13 3", 0x850c0126291fcc28ull},
        {"rotate 64x48 0.000000", 0xbeb750ba29a7e304ull},
        {"rotate 64x48 10.000000", 0x08d8ebb0a04253e8ull},
        {"rotate 64x48 45.000000", 0x47bba356213fb0b1ull},
        {"rotate 64x48 90.000000", 0xba67e81156aa1d3cull},
        {"rotate 64x48 -33.300000", 0x44e0c6123dad2203ull},
        {"rotate 64x48 179.000000", 0x8e7cf6600529dd95ull},
        {"rotate 64x48 271.500000", 0x094ad09daff4cb48ull},
        {"rotate 64x48 0.001000", 0x9cfedde0b87859c3ull},
        {"resample 64x48 1", 0x341112d845e55f74ull},
        {"resample 64x48 2", 0x263a794025b08a38ull},
        {"resample 64x48 3", 0x23cbb088cc722c4eull},
        {"rotate 101x7 0.000000", 0x61576547fcb598b3ull},
        {"rotate 101x7 10.000000", 0x09a943864b843c15ull},
        {"rotate 101x7 45.000000", 0x12d36be7ef8892ecull},
        {"rotate 101x7 90.000000", 0xde50328c8f6848dbull},
        {"rotate 101x7 -33.300000", 0x202e8776affff66cull},
        {"rotate 101x7 179.000000", 0x47593c6999ea449aull},
        {"rotate 101x7 271.500000", 0xa090c25589911ea8ull},
        {"rotate 101x7 0.001000", 0x04b467cace8063a7ull},
        {"resample 101x7 1", 0xa72b632ea0f30aa3ull},
        {"resample 101x7 2", 0x56e6131ea3aa13afull},
        {"resample 101x7 3", 0xec2322b044ebc054ull},
        {"rotate 255x3 0.000000", 0x030b9b900783b26aull},
        {"rotate 255x3 10.000000", 0x07958d7a0b7d672dull},
        {"rotate 255x3 45.000000", 0x647d6cc5f48a4dceull},
        {"rotate 255x3 90.000000", 0xfef95a0ca1d738f2ull},
        {"rotate 255x3 -33.300000", 0xfbe9d924a7215621ull},
        {"rotate 255x3 179.000000", 0x01a28ff15e7e5d82ull},
        {"rotate 255x3 271.500000", 0x68c969e5a15f7a15ull},
        {"rotate 255x3 0.001000", 0xf7f061ae3f77fbe8ull},
        {"resample 255x3 1", 0x96102c55111b374cull},
        {"resample 255x3 2", 0xa2c3e7143fcfa067ull},
        {"resample 255x3 3", 0xa2088afac1887bd0ull},
        {"rotate 3x255 0.000000", 0xb760e896595cfdf6ull},
        {"rotate 3x255 10.000000", 0xcb3f9a672cf70331ull},
        {"rotate 3x255 45.000000", 0x3fac6694d8c83a6eull},
        {"rotate 3x255 90.000000", 0xc74d8c5d929e82bfull},
        {"rotate 3x255 -33.300000", 0x81f982d6fbc2bab4ull},
        {"rotate 3x255 179.000000", 0xa34faab08f64411cull},
        {"rotate 3x255 271.500000", 0x930d7f05945c9a93ull},
        {"rotate 3x255 0.001000", 0x38692c5875d07145ull},
        {"resample 3x255 1", 0x52728f67816c8530ull},
        {"resample 3x255 2", 0xff46894bb84b6ca8ull},
        {"resample 3x255 3", 0x049c190b89b44b81ull},
        {"encode 613x457", 0x9de1c5358fa4aef9ull},
        {"jpeg 613x457 1000", 0xa1fc032055692e47ull},
        {"bmp 613x457 1000", 0x0511d60a804fffc1ull},
        {"jpeg 613x457 500", 0x7f6eab5c17dd0646ull},
        {"bmp 613x457 500", 0xe7d5a22b16d4a926ull},
        {"jpeg 613x457 333", 0x843bcc95059a3b03ull},
        {"bmp 613x457 333", 0xb5050791e77ee07bull},
        {"jpeg 613x457 125", 0x6d797be6a522c393ull},
        {"bmp 613x457 125", 0x4e4a9dcb1547feceull},
        {"jpeg 613x457 1500", 0x84da6ac41c6b6401ull},
        {"bmp 613x457 1500", 0x7467a4972405cbe4ull},
        {"filter 613x457 box3", 0xd4ecb65340aec63dull},
        {"filter 613x457 gauss5", 0x70880a50cd93018eull},
        {"filter 613x457 gauss5 off", 0x84075dcb641ee455ull},
        {"filter 613x457 laplace", 0x26da3c547f7d8af3ull},
        {"filter 613x457 sharpen", 0x01bff61233b3fc0eull},
        {"filter 613x457 uneven5", 0x2de864014d0cef6dull},
        {"filter 613x457 sep7", 0x8ecfb6dc6958ec56ull},
        {"filter 613x457 even4", 0xcb50f17de949a92full},
        {"filter 613x457 negsep3", 0xd1f1e5ea7ff0b436ull},
        {"filter 613x457 huge", 0xd4ecb65340aec63dull},
        {"median 613x457", 0xe1c6da7da978de46ull},
        {"lowpass 613x457", 0x37cd5ddf40062e16ull},
        {"edge 613x457", 0xb06208b521d46943ull},
        {"rotate 613x457 0.000000", 0x4ab194e2c8832af4ull},
        {"rotate 613x457 10.000000", 0x38f308e442cc0ed1ull},
        {"rotate 613x457 45.000000", 0x272decd623896e21ull},
        {"rotate 613x457 90.000000", 0x074ac9a5265cdb2dull},
        {"rotate 613x457 -33.300000", 0x81e2c5381fd5debbull},
        {"rotate 613x457 179.000000", 0x7c1181021bed249aull},
        {"rotate 613x457 271.500000", 0xf072350272913d56ull},
        {"rotate 613x457 0.001000", 0x5aa6e842bd86aeb6ull},
        {"resample 613x457 1", 0x7a2dd2bb45b2c026ull},
        {"resample 613x457 2", 0xc0800ea3c5a7b257ull},
        {"resample 613x457 3", 0x90c9f00cca231f5aull},
        {"filter 1x1 binomial3 dark", 0x81745bb1f490e485ull},
        {"filter 1x1 box3 bright", 0x77b6cc92e5759fb4ull},
        {"filter 2x3 binomial3 dark", 0xd74f224d15cccabbull},
        {"filter 2x3 box3 bright", 0x50ade9c8b1fad4d6ull},
        {"filter 5x5 binomial3 dark", 0x6883d74ccc755adcull},
        {"filter 5x5 box3 bright", 0xeb1173f443b1ab4aull},
        {"filter 17x13 binomial3 dark", 0xdf907eaba1e7e85full},
        {"filter 17x13 box3 bright", 0x47aa5550e15b8c4eull},
        {"filter 64x48 binomial3 dark", 0x85d69dbd462f0dddull},
        {"filter 64x48 box3 bright", 0xae564de8f39980e2ull},
        {"filter 101x7 binomial3 dark", 0x605afb084528f506ull},
        {"filter 101x7 box3 bright", 0x7d73afd6ce72ecdbull},
        {"filter 255x3 binomial3 dark", 0x106e1cc63ca0164dull},
        {"filter 255x3 box3 bright", 0x6a997b837754c837ull},
        {"filter 3x255 binomial3 dark", 0x829d822f9f1c9b07ull},
        {"filter 3x255 box3 bright", 0x1bcf7f7360cc1780ull},
        {"filter 613x457 binomial3 dark", 0xee5373b574b38022ull},
        {"filter 613x457 box3 bright", 0xfe84853cec58dfd5ull},
        {"rotate sweep 37x29", 0x26a8110190d4924cull},
        {"rotate sweep 40x31", 0x4ecc532deb08d8f8ull},
        {"scene rotate 61x45 0.000000", 0x497f86f37634fa4cull},
        {"scene rotate 61x45 0.001000", 0x52c14fd15fe57c88ull},
        {"scene rotate 61x45 0.500000", 0x44f3de13b9446de7ull},
        {"scene rotate 61x45 1.000000", 0x737914a414ca8cf8ull},
        {"scene rotate 61x45 10.000000", 0x0d3a8b238538ff89ull},
        {"scene rotate 61x45 30.000000", 0xb3dea234310f6e9dull},
        {"scene rotate 61x45 45.000000", 0xefb52a010e6d10a6ull},
        {"scene rotate 61x45 60.000000", 0x9c080faddf40a62bull},
        {"scene rotate 61x45 89.999000", 0xce4605d985e1acabull},
        {"scene rotate 61x45 90.000000", 0xa9cbc67bb7b07b84ull},
        {"scene rotate 61x45 135.000000", 0xcfb70b2d7bacb20bull},
        {"scene rotate 61x45 180.000000", 0x551f50408e32fe00ull},
        {"scene rotate 61x45 200.250000", 0x2581fd72a2d5ac82ull},
        {"scene rotate 61x45 270.000000", 0x4544a344d16a958dull},
        {"scene rotate 61x45 -7.500000", 0x40d872ea578fd27eull},
        {"scene rotate 61x45 359.900000", 0x18f5d16442718a03ull},
        {"scene rotate 61x45 720.000000", 0x93f35333972aded0ull},
        {"scene filter 61x45 gauss5", 0xd4de2898c7d64472ull},
        {"scene filter 61x45 sharpen", 0x89edf5fe69bae6dbull},
        {"scene filter 61x45 box3", 0x262dd13bebab3e00ull},
        {"scene rotate 701x523 0.000000", 0xcc07a693c6dd9960ull},
        {"scene rotate 701x523 0.001000", 0x45436e67ca2f4cd6ull},
        {"scene rotate 701x523 0.500000", 0x6dade639180b2108ull},
        {"scene rotate 701x523 1.000000", 0x7d14272d6d546b13ull},
        {"scene rotate 701x523 10.000000", 0x44350bfd887c9328ull},
        {"scene rotate 701x523 30.000000", 0x26efe9cdf5fd233eull},
        {"scene rotate 701x523 45.000000", 0x5a3d2481abeb1f72ull},
        {"scene rotate 701x523 60.000000", 0x75022d42fb56e339ull},
        {"scene rotate 701x523 89.999000", 0x255f11d36dfe2fa0ull},
        {"scene rotate 701x523 90.000000", 0x2340ab2bb6b9ea4full},
        {"scene rotate 701x523 135.000000", 0x8e867be98c639997ull},
        {"scene rotate 701x523 180.000000", 0xfa7586fb5b53da94ull},
        {"scene rotate 701x523 200.250000", 0x426caa97ec7b3a6dull},
        {"scene rotate 701x523 270.000000", 0x3627f1bbad99c220ull},
        {"scene rotate 701x523 -7.500000", 0x1445000e08ce4629ull},
        {"scene rotate 701x523 359.900000", 0x1522fe19b18ca777ull},
        {"scene rotate 701x523 720.000000", 0x44ec0f8670e4ab0full},
        {"scene filter 701x523 gauss5", 0xbb8babad04293a44ull},
        {"scene filter 701x523 sharpen", 0xd1fdc820981a8aa5ull},
        {"scene filter 701x523 box3", 0x0b3f9d1d00540a9aull},
    };
    return table;
}
