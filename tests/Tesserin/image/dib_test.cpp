// Packed DIB handles and files: image objects to and from DIBs, the .bmp
// writers, CxDib and CDibDraw.
#include <gtest/gtest.h>

#include "ImageOpsSupport.h"
#include "ImageTestSupport.h"
#include "image/DibDraw.h"
#include "image/ImageObject.h"
#include "image/xDib.h"

#include <cstring>
#include <random>

using namespace opstest;
using imgtest::Bytes;
using imgtest::Folder;
using imgtest::NoticeRecorder;
using imgtest::ReadAll;
using imgtest::WriteAll;

namespace {

using Rows = std::vector<std::vector<COLORREF>>;

void Put16(std::vector<BYTE>& v, WORD w)
{
    v.push_back(BYTE(w));
    v.push_back(BYTE(w >> 8));
}

void Put32(std::vector<BYTE>& v, DWORD d)
{
    for (int k = 0; k < 4; ++k)
        v.push_back(BYTE(d >> (8 * k)));
}

void PutQuad(std::vector<BYTE>& v, COLORREF c)
{
    v.push_back(GetBValue(c));
    v.push_back(GetGValue(c));
    v.push_back(GetRValue(c));
    v.push_back(0);
}

// Unlocked and still alive: the handle stays its owner's.
void ExpectHandleUntouched(HGLOBAL dib)
{
    UINT flags = GlobalFlags(dib);
    EXPECT_NE(UINT(GMEM_INVALID_HANDLE), flags);
    EXPECT_EQ(0u, flags & GMEM_LOCKCOUNT);
}

// The error text holds 79 bytes and never ends inside a character.
std::string CutToErrorText(const std::string& text)
{
    size_t n = 0;
    while (n < text.size()) {
        size_t step = IsDBCSLeadByte(BYTE(text[n])) ? 2 : 1;
        if (n + step > 79)
            break;
        n += step;
    }
    return text.substr(0, n);
}

struct DibCase {
    const char* name;
    DibSpec spec;
    Rows expected;  // top row first
};

const COLORREF W = RGB(255, 255, 255), K = RGB(0, 0, 0);

std::vector<DibCase> DepthCases()
{
    std::vector<DibCase> cases;
    {
        DibCase c{"1 bit", {}, {{K, W, K}, {W, K, W}}};
        c.spec.width = 3, c.spec.height = 2, c.spec.bits = 1;
        PutQuad(c.spec.extra, K);
        PutQuad(c.spec.extra, W);
        c.spec.rows = {0xA0, 0, 0, 0, 0x40, 0, 0, 0};
        cases.push_back(c);
    }
    {
        auto entry = [](int i) { return RGB(16 * i, 8 * i, i); };
        DibCase c{"4 bits", {}, {{entry(15), entry(0), entry(7)}, {entry(1), entry(2), entry(3)}}};
        c.spec.width = 3, c.spec.height = 2, c.spec.bits = 4;
        for (int i = 0; i < 16; ++i)
            PutQuad(c.spec.extra, entry(i));
        c.spec.rows = {0x12, 0x30, 0, 0, 0xF0, 0x70, 0, 0};
        cases.push_back(c);
    }
    {
        // Four table entries; an index past them reads as black.
        const COLORREF t[4] = {RGB(1, 2, 3), RGB(40, 50, 60), RGB(200, 100, 0), RGB(9, 99, 199)};
        DibCase c{"8 bits, 4 colours", {}, {{t[3], t[0], K}, {t[0], t[1], t[2]}}};
        c.spec.width = 3, c.spec.height = 2, c.spec.bits = 8, c.spec.clrUsed = 4;
        for (COLORREF e : t)
            PutQuad(c.spec.extra, e);
        c.spec.rows = {0, 1, 2, 0, 3, 0, 9, 0};
        cases.push_back(c);
    }
    {
        auto grey = [](int i) { return RGB(i, i, i); };
        DibCase c{"8 bits, full table", {}, {{grey(255), grey(7), grey(128)}, {grey(0), grey(1), grey(254)}}};
        c.spec.width = 3, c.spec.height = 2, c.spec.bits = 8;
        for (int i = 0; i < 256; ++i)
            PutQuad(c.spec.extra, grey(i));
        c.spec.rows = {0, 1, 254, 0, 255, 7, 128, 0};
        cases.push_back(c);
    }
    {
        DibCase c{"16 bits 5-5-5", {}, {{RGB(0, 0xF8, 0), K, RGB(8, 8, 8)}, {RGB(0xF8, 0xF8, 0xF8), RGB(0, 0, 0xF8), RGB(0xF8, 0, 0)}}};
        c.spec.width = 3, c.spec.height = 2, c.spec.bits = 16;
        for (WORD px : {0x7FFF, 0x001F, 0x7C00, 0})
            Put16(c.spec.rows, px);
        for (WORD px : {0x03E0, 0, 0x0421, 0})
            Put16(c.spec.rows, px);
        cases.push_back(c);
    }
    {
        DibCase c{"16 bits 5-6-5 masks", {}, {{RGB(0, 0x04, 0), K, K}, {RGB(0xF8, 0xFC, 0xF8), RGB(0, 0xFC, 0), RGB(0xF8, 0, 0)}}};
        c.spec.width = 3, c.spec.height = 2, c.spec.bits = 16, c.spec.compression = BI_BITFIELDS;
        Put32(c.spec.extra, 0xF800);
        Put32(c.spec.extra, 0x07E0);
        Put32(c.spec.extra, 0x001F);
        for (WORD px : {0xFFFF, 0x07E0, 0xF800, 0})
            Put16(c.spec.rows, px);
        for (WORD px : {0x0020, 0, 0, 0})
            Put16(c.spec.rows, px);
        cases.push_back(c);
    }
    {
        DibCase c{"24 bits", {}, {{RGB(7, 8, 9), RGB(10, 11, 12), RGB(13, 14, 15)}, {RGB(3, 2, 1), RGB(6, 5, 4), RGB(9, 8, 7)}}};
        c.spec.width = 3, c.spec.height = 2, c.spec.bits = 24;
        c.spec.rows = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 9, 8, 7, 12, 11, 10, 15, 14, 13, 0, 0, 0};
        cases.push_back(c);
    }
    {
        DibCase c{"24 bits top-down", {}, {{RGB(3, 2, 1), RGB(6, 5, 4), RGB(9, 8, 7)}, {RGB(7, 8, 9), RGB(10, 11, 12), RGB(13, 14, 15)}}};
        c.spec.width = 3, c.spec.height = -2, c.spec.bits = 24;
        c.spec.rows = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 9, 8, 7, 12, 11, 10, 15, 14, 13, 0, 0, 0};
        cases.push_back(c);
    }
    {
        DibCase c{"32 bits", {}, {{RGB(30, 20, 10)}, {RGB(3, 2, 1)}}};
        c.spec.width = 1, c.spec.height = 2, c.spec.bits = 32;
        c.spec.rows = {1, 2, 3, 0xFF, 10, 20, 30, 0xFF};
        cases.push_back(c);
    }
    {
        DibCase c{"32 bits with masks", {}, {{RGB(0x33, 0x22, 0x11)}}};
        c.spec.width = 1, c.spec.height = 1, c.spec.bits = 32, c.spec.compression = BI_BITFIELDS;
        Put32(c.spec.extra, 0x000000FF);
        Put32(c.spec.extra, 0x0000FF00);
        Put32(c.spec.extra, 0x00FF0000);
        Put32(c.spec.rows, 0x00112233);
        cases.push_back(c);
    }
    return cases;
}

}  // namespace

TEST(DibHandles, FromImageObject)
{
    ImagePtr img = MakeImage(3, 2, Distinct);
    HGLOBAL dib = img->DibFromImgObj();
    ASSERT_NE(nullptr, dib);
    ASSERT_EQ(SIZE_T(40 + 2 * 12), GlobalSize(dib));
    const BYTE* block = static_cast<const BYTE*>(GlobalLock(dib));
    BITMAPINFOHEADER h;
    memcpy(&h, block, sizeof h);
    EXPECT_EQ(40u, h.biSize);
    EXPECT_EQ(3, h.biWidth);
    EXPECT_EQ(2, h.biHeight);
    EXPECT_EQ(1, h.biPlanes);
    EXPECT_EQ(24, h.biBitCount);
    EXPECT_EQ(DWORD(BI_RGB), h.biCompression);
    EXPECT_EQ(24u, h.biSizeImage);
    EXPECT_EQ(0u, h.biClrUsed);
    EXPECT_EQ(0, memcmp(block + 40, img->m_pImageBuf, 24));
    GlobalUnlock(dib);

    ImagePtr back(img->HandleToImgObj(dib));
    ASSERT_TRUE(back);
    EXPECT_EQ(Table(*img), Table(*back));
    ExpectHandleUntouched(dib);
    GlobalFree(dib);

    CImageObject empty;
    EXPECT_EQ(nullptr, empty.DibFromImgObj());
}

TEST(DibHandles, EveryDepth)
{
    CImageObject owner(imgtest::FakeWindow());
    for (const DibCase& c : DepthCases()) {
        HGLOBAL dib = MakeDib(c.spec);
        ImagePtr img(owner.HandleToImgObj(dib));
        ASSERT_TRUE(img) << c.name;
        EXPECT_EQ(c.expected, Table(*img)) << c.name;
        EXPECT_EQ(imgtest::FakeWindow(), img->GetParent());
        // The same handle reads again: it was neither freed nor left locked.
        ExpectHandleUntouched(dib);
        ImagePtr again(owner.HandleToImgObj(dib));
        EXPECT_TRUE(again) << c.name;
        GlobalFree(dib);
    }
}

TEST(DibHandles, LargerHeadersKeepTheirMasksInside)
{
    DibSpec spec;
    spec.width = 1, spec.height = 1, spec.bits = 16, spec.compression = BI_BITFIELDS, spec.headerSize = 108;
    Put16(spec.rows, 0xF800);
    Put16(spec.rows, 0);
    HGLOBAL dib = MakeDib(spec);
    BYTE* block = static_cast<BYTE*>(GlobalLock(dib));
    const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
    memcpy(block + 40, masks, sizeof masks);
    GlobalUnlock(dib);
    CImageObject owner;
    ImagePtr img(owner.HandleToImgObj(dib));
    ASSERT_TRUE(img);
    EXPECT_EQ(RGB(0xF8, 0, 0), Pixel(*img, 0, 0));
    GlobalFree(dib);
}

TEST(DibHandles, RefusesWhatItCannotRead)
{
    auto base = [] {
        DibSpec s;
        s.width = 3, s.height = 2, s.bits = 24;
        s.rows.assign(24, 0x55);
        return s;
    };
    std::vector<std::pair<const char*, DibSpec>> cases;
    {
        DibSpec s = base();
        s.compression = BI_RLE8, s.bits = 8;
        cases.push_back({"RLE", s});
    }
    {
        DibSpec s = base();
        s.rows.resize(23);
        cases.push_back({"rows cut short", s});
    }
    {
        DibSpec s = base();
        s.height = 2000000;
        cases.push_back({"more rows than bytes", s});
    }
    {
        DibSpec s = base();
        s.width = 0;
        cases.push_back({"no width", s});
    }
    {
        DibSpec s = base();
        s.bits = 2;
        cases.push_back({"2 bits", s});
    }
    {
        DibSpec s = base();
        s.headerSize = 12;
        cases.push_back({"core header", s});
    }
    {
        DibSpec s = base();
        s.bits = 8, s.clrUsed = 0xFFFFFFFF;
        cases.push_back({"colour table larger than the block", s});
    }
    {
        DibSpec s = base();
        s.bits = 8;  // 256 table entries expected, none there
        cases.push_back({"missing colour table", s});
    }
    {
        DibSpec s = base();
        s.compression = BI_BITFIELDS;
        cases.push_back({"masks on 24 bits", s});
    }
    CImageObject owner;
    for (auto& c : cases) {
        HGLOBAL dib = MakeDib(c.second);
        EXPECT_EQ(nullptr, owner.HandleToImgObj(dib)) << c.first;
        ExpectHandleUntouched(dib);
        GlobalFree(dib);
    }
    EXPECT_EQ(nullptr, owner.HandleToImgObj(nullptr));
}

TEST(DibFiles, WriteDIBOffsetsFollowTheTable)
{
    Folder dir;
    struct Case {
        int bits;
        DWORD clrUsed;
        size_t tableBytes;
        DWORD expectedOffset;
    } cases[] = {{8, 0, 1024, 1078}, {8, 16, 64, 118}, {24, 0, 0, 54}, {1, 0, 8, 62}};
    for (const Case& c : cases) {
        DibSpec spec;
        spec.width = 4, spec.height = 2, spec.bits = c.bits, spec.clrUsed = c.clrUsed;
        spec.extra.assign(c.tableBytes, 0x11);
        spec.rows.assign(size_t(((c.bits * 4 + 31) / 32) * 4 * 2), 0x22);
        HGLOBAL dib = MakeDib(spec);
        std::string name = "w" + std::to_string(c.bits) + "_" + std::to_string(c.clrUsed) + ".bmp";
        ASSERT_EQ(1, CImageObject::WriteDIB(dir.win(name).c_str(), dib)) << name;
        Bytes file = ReadAll(dir.posix(name));
        ASSERT_EQ(GlobalSize(dib) + 14, file.size());
        BITMAPFILEHEADER h;
        memcpy(&h, file.data(), sizeof h);
        EXPECT_EQ(0x4D42, WORD(h.bfType));
        EXPECT_EQ(DWORD(file.size()), DWORD(h.bfSize));
        EXPECT_EQ(c.expectedOffset, DWORD(h.bfOffBits)) << name;
        EXPECT_EQ(0x22, file[h.bfOffBits]);
        const BYTE* block = static_cast<const BYTE*>(GlobalLock(dib));
        EXPECT_EQ(0, memcmp(file.data() + 14, block, GlobalSize(dib)));
        GlobalUnlock(dib);
        ExpectHandleUntouched(dib);
        GlobalFree(dib);
    }
    ImagePtr img = MakeImage(3, 2, Distinct);
    HGLOBAL dib = img->DibFromImgObj();
    EXPECT_EQ(0, CImageObject::WriteDIB(nullptr, dib));
    EXPECT_EQ(0, CImageObject::WriteDIB(dir.win("none.bmp").c_str(), nullptr));
    EXPECT_EQ(0, CImageObject::WriteDIB(dir.win("missing\\folder.bmp").c_str(), dib));
    // What the codec reads back is the picture.
    ASSERT_EQ(1, CImageObject::WriteDIB(dir.win("picture.bmp").c_str(), dib));
    CImageObject loaded;
    ASSERT_EQ(1, loaded.LoadImageFromFile(dir.win("picture.bmp").c_str(), 0));
    EXPECT_EQ(Table(*img), Table(loaded));
    GlobalFree(dib);
}

TEST(DibFiles, SaveBitmapHandleFreesTheHandle)
{
    Folder dir;
    DibSpec spec;
    spec.width = 4, spec.height = 2, spec.bits = 8, spec.clrUsed = 0, spec.sizeImage = 0;
    for (int i = 0; i < 256; ++i)
        PutQuad(spec.extra, RGB(i, 255 - i, 7));
    spec.rows = {1, 2, 3, 4, 5, 6, 7, 8};
    HGLOBAL dib = MakeDib(spec);
    // No image size in the header: the rows are still written.
    ASSERT_EQ(1, CImageObject::SaveBitmapHandle(dib, CString(dir.win("saved.bmp").c_str())));
    EXPECT_EQ(UINT(GMEM_INVALID_HANDLE), GlobalFlags(dib));
    Bytes file = ReadAll(dir.posix("saved.bmp"));
    ASSERT_EQ(size_t(14 + 40 + 1024 + 8), file.size());
    BITMAPFILEHEADER h;
    memcpy(&h, file.data(), sizeof h);
    EXPECT_EQ(1078u, DWORD(h.bfOffBits));
    EXPECT_EQ(DWORD(file.size()), DWORD(h.bfSize));
    CImageObject loaded;
    ASSERT_EQ(1, loaded.LoadImageFromFile(dir.win("saved.bmp").c_str(), 0));
    EXPECT_EQ(RGB(5, 250, 7), Pixel(loaded, 0, 0));

    HGLOBAL other = MakeDib(spec);
    EXPECT_EQ(0, CImageObject::SaveBitmapHandle(other, CString(dir.win("no\\such.bmp").c_str())));
    EXPECT_EQ(UINT(GMEM_INVALID_HANDLE), GlobalFlags(other));
    EXPECT_EQ(0, CImageObject::SaveBitmapHandle(nullptr, CString(dir.win("x.bmp").c_str())));
}

TEST(CxDibTest, CreateShapes)
{
    struct Case {
        WORD asked, bits, colours;
        DWORD lineWidth;
    } cases[] = {{0, 1, 2, 4}, {1, 1, 2, 4}, {3, 4, 16, 8}, {5, 8, 256, 12}, {8, 8, 256, 12}, {16, 24, 0, 32}, {32, 24, 0, 32}};
    for (const Case& c : cases) {
        CxDib dib;
        ASSERT_NE(nullptr, dib.Create(10, 10, c.asked)) << c.asked;
        EXPECT_EQ(c.bits, dib.GetBitCount()) << c.asked;
        EXPECT_EQ(c.colours, dib.GetNumColors()) << c.asked;
        EXPECT_EQ(c.lineWidth, dib.GetLineWidth()) << c.asked;
        EXPECT_EQ(40u + 4u * c.colours + 10u * c.lineWidth, dib.GetSize());
        EXPECT_TRUE(dib.IsWin30Dib());
        BYTE* block = static_cast<BYTE*>(dib.Create(10, 10, c.asked));
        EXPECT_EQ(block + 40 + 4 * c.colours, dib.GetBits());
    }
    CxDib none;
    EXPECT_FALSE(none.IsValid());
    EXPECT_EQ(nullptr, none.GetBits());
    EXPECT_EQ(0, none.GetPixelIndex(0, 0));
    EXPECT_EQ(0, none.GetNearestIndex(CxDib::RGB2RGBQUAD(W)));
    EXPECT_EQ(nullptr, none.Create(0x80000000u, 1, 8));
}

TEST(CxDibTest, PaletteAndPixels)
{
    CxDib dib;
    ASSERT_TRUE(dib.Create(5, 4, 8));
    dib.SetGrayPalette();
    EXPECT_EQ(100, dib.GetNearestIndex(CxDib::RGB2RGBQUAD(RGB(100, 100, 100))));
    EXPECT_EQ(101, dib.GetNearestIndex(CxDib::RGB2RGBQUAD(RGB(100, 101, 102))));
    EXPECT_EQ(255, dib.GetPaletteIndex(255).rgbRed);
    dib.SetPixelColor(4, 0, RGB(200, 200, 200));
    EXPECT_EQ(200, dib.GetPixelIndex(4, 0));
    EXPECT_EQ(200, dib.GetBits()[3 * dib.GetLineWidth() + 4]);  // top row is the last in memory
    EXPECT_EQ(200, dib.GetPixelColor(4, 0).rgbGreen);
    dib.SetPixelIndex(5, 0, 9);  // outside: ignored
    EXPECT_EQ(0, dib.GetPixelIndex(-1, 0));

    // Ties keep the lower index.
    CxDib two;
    ASSERT_TRUE(two.Create(1, 1, 1));
    two.SetPaletteIndex(0, BYTE(0), BYTE(0), BYTE(0));
    two.SetPaletteIndex(1, RGB(2, 0, 0));
    EXPECT_EQ(0, two.GetNearestIndex(CxDib::RGB2RGBQUAD(RGB(1, 0, 0))));

    dib.BlendPalette(RGB(255, 255, 255), 150);  // capped at 100
    EXPECT_EQ(255, dib.GetPaletteIndex(0).rgbBlue);
    dib.SetGrayPalette();
    dib.BlendPalette(RGB(255, 0, 0), 50);
    RGBQUAD e = dib.GetPaletteIndex(0);
    EXPECT_EQ(127, e.rgbRed);
    EXPECT_EQ(0, e.rgbGreen);

    // Pixel access refuses depths other than 8.
    CxDib deep;
    ASSERT_TRUE(deep.Create(4, 4, 24));
    deep.Clear(0x33);
    deep.SetPixelIndex(0, 0, 7);
    EXPECT_EQ(0x33, deep.GetBits()[3 * deep.GetLineWidth()]);
    EXPECT_EQ(0, deep.GetPixelIndex(0, 0));
    CxDib four;
    ASSERT_TRUE(four.Create(4, 4, 4));
    four.SetPixelIndex(1, 3, 0xFF);
    EXPECT_EQ(0, four.GetBits()[1]);

    CxDib copy;
    copy.Clone(&dib);
    EXPECT_EQ(dib.GetSize(), copy.GetSize());
    EXPECT_EQ(0, memcmp(copy.GetBits(), dib.GetBits(), dib.GetLineWidth() * 4));
    EXPECT_EQ(127, copy.GetPaletteIndex(0).rgbRed);
}

TEST(CxDibTest, HslModel)
{
    struct Case {
        COLORREF rgb;
        int h, s, l;
    } cases[] = {
        {RGB(255, 0, 0), 0, 240, 120},   {RGB(128, 128, 128), 160, 0, 120}, {RGB(0, 255, 0), 80, 240, 120},
        {RGB(0, 0, 255), 160, 240, 120}, {RGB(255, 255, 255), 160, 0, 240}, {RGB(0, 0, 0), 160, 0, 0},
    };
    for (const Case& c : cases) {
        RGBQUAD hsl = CxDib::RGBtoHSL(CxDib::RGB2RGBQUAD(c.rgb));
        EXPECT_EQ(c.h, hsl.rgbRed) << std::hex << c.rgb;
        EXPECT_EQ(c.s, hsl.rgbGreen) << std::hex << c.rgb;
        EXPECT_EQ(c.l, hsl.rgbBlue) << std::hex << c.rgb;
    }
    for (COLORREF c : {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 255), RGB(0, 0, 0), RGB(200, 120, 40),
                       RGB(10, 90, 170), RGB(250, 250, 10)}) {
        RGBQUAD back = CxDib::HSLtoRGB(CxDib::RGBtoHSL(CxDib::RGB2RGBQUAD(c)));
        EXPECT_NEAR(GetRValue(c), back.rgbRed, 3) << std::hex << c;
        EXPECT_NEAR(GetGValue(c), back.rgbGreen, 3) << std::hex << c;
        EXPECT_NEAR(GetBValue(c), back.rgbBlue, 3) << std::hex << c;
    }
    // A hue below 0 wraps round once.
    EXPECT_EQ(CxDib::HueToRGB(0, 240, 200), CxDib::HueToRGB(0, 240, WORD(-40)));
    EXPECT_EQ(CxDib::RGBQUAD2RGB(CxDib::HSLtoRGB(RGB(0, 240, 120))), RGB(255, 0, 0));
}

TEST(CxDibTest, DrawAndWrite)
{
    CxDib dib;
    ASSERT_TRUE(dib.Create(4, 3, 8));
    dib.SetPaletteIndex(1, RGB(200, 10, 20));
    dib.SetPixelIndex(2, 0, 1);
    MemoryCanvas canvas(10, 10, W);
    EXPECT_EQ(1, dib.Draw(canvas.dc, 3, 4));
    EXPECT_EQ(RGB(200, 10, 20), canvas.At(5, 4));
    EXPECT_EQ(K, canvas.At(3, 4));
    EXPECT_EQ(W, canvas.At(7, 4));
    MemoryCanvas big(16, 12, W);
    EXPECT_EQ(1, dib.Stretch(big.dc, 0, 0, 8, 6));
    EXPECT_EQ(RGB(200, 10, 20), big.At(5, 1));
    EXPECT_EQ(0, CxDib().Draw(canvas.dc, 0, 0));
    EXPECT_EQ(0, dib.Draw(nullptr, 0, 0));

    Folder dir;
    ASSERT_EQ(1, dib.WriteBMP(dir.win("x.bmp").c_str()));
    Bytes file = ReadAll(dir.posix("x.bmp"));
    ASSERT_EQ(size_t(14 + dib.GetSize()), file.size());
    BITMAPFILEHEADER h;
    memcpy(&h, file.data(), sizeof h);
    EXPECT_EQ(1078u, DWORD(h.bfOffBits));
    CImageObject loaded;
    ASSERT_EQ(1, loaded.LoadImageFromFile(dir.win("x.bmp").c_str(), 0));
    EXPECT_EQ(RGB(200, 10, 20), Pixel(loaded, 2, 0));
    EXPECT_EQ(0, dib.WriteBMP(dir.win("no\\such\\x.bmp").c_str()));
    EXPECT_EQ(0, dib.WriteBMP(""));
    EXPECT_EQ(0, CxDib().WriteBMP(dir.win("y.bmp").c_str()));
}

class DibDrawTest : public ::testing::Test {
protected:
    // An 8-bit 4 x 2 file: index i at column i of the bottom row, the top
    // row all index 3.
    Bytes GoodFile()
    {
        DibSpec spec;
        spec.width = 4, spec.height = 2, spec.bits = 8, spec.clrUsed = 4;
        for (COLORREF c : {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(9, 9, 9)})
            PutQuad(spec.extra, c);
        spec.rows = {0, 1, 2, 3, 3, 3, 3, 3};
        HGLOBAL dib = MakeDib(spec);
        Bytes bytes(14 + GlobalSize(dib));
        BITMAPFILEHEADER h = {0x4D42, DWORD(bytes.size()), 0, 0, 14 + 40 + 16};
        memcpy(bytes.data(), &h, 14);
        memcpy(bytes.data() + 14, GlobalLock(dib), GlobalSize(dib));
        GlobalUnlock(dib);
        GlobalFree(dib);
        return bytes;
    }
    std::string Write(const std::string& name, const Bytes& bytes)
    {
        WriteAll(dir.posix(name), bytes);
        return dir.win(name);
    }
    Folder dir;
};

TEST_F(DibDrawTest, LoadsAndPaints)
{
    NoticeRecorder rec;
    std::string path = Write("good.bmp", GoodFile());
    CDibDraw draw(path.c_str());
    EXPECT_TRUE(rec.boxTexts.empty());
    ASSERT_TRUE(draw.IsLoaded());
    EXPECT_EQ(4, draw.GetXSize());
    EXPECT_EQ(2, draw.GetYSize());
    MemoryCanvas canvas(8, 8, W);
    draw.PaintImage(1, 1, canvas.dc);
    EXPECT_EQ(RGB(255, 0, 0), canvas.At(1, 2));
    EXPECT_EQ(RGB(0, 0, 255), canvas.At(3, 2));
    EXPECT_EQ(RGB(9, 9, 9), canvas.At(4, 1));
    EXPECT_EQ(W, canvas.At(5, 1));
    draw.PaintImage(0, 0, 8, 4, canvas.dc);
    EXPECT_EQ(RGB(0, 255, 0), canvas.At(3, 3));

    ASSERT_EQ(TRUE, draw.SaveImage(dir.win("copy.bmp").c_str()));
    EXPECT_EQ(GoodFile(), ReadAll(dir.posix("copy.bmp")));
    EXPECT_EQ(FALSE, draw.SaveImage(dir.win("no\\such\\copy.bmp").c_str()));
}

TEST_F(DibDrawTest, LoadErrors)
{
    Bytes good = GoodFile();
    Bytes notBmp = good;
    notBmp[0] = 'X';
    Bytes shortRows(good.begin(), good.end() - 3);
    BITMAPFILEHEADER h;
    memcpy(&h, shortRows.data(), 14);
    h.bfSize = DWORD(shortRows.size());
    memcpy(shortRows.data(), &h, 14);
    Bytes badHeader = good;
    badHeader[14] = 20;  // neither a core nor an info header
    struct Case {
        const char* name;
        Bytes bytes;
        const char* format;
    } cases[] = {
        {"tiny.bmp", Bytes(good.begin(), good.begin() + 10), "%s BMPHEADER 를 읽을수 없습니다!"},
        {"other.bmp", notBmp, "%s BMP 화일이 아닙니다."},
        {"cut.bmp", shortRows, "%s 화일을 읽을수 없습니다."},
        {"odd.bmp", badHeader, "%s BMP 화일이 아닙니다."},
    };
    for (const Case& c : cases) {
        NoticeRecorder rec;
        std::string path = Write(c.name, c.bytes);
        CDibDraw draw(path.c_str());
        EXPECT_FALSE(draw.IsLoaded()) << c.name;
        char expected[512];
        snprintf(expected, sizeof expected, c.format, path.c_str());
        ASSERT_EQ(1u, rec.boxTexts.size()) << c.name;
        EXPECT_EQ(CutToErrorText(expected), rec.boxTexts[0]) << c.name;
        MemoryCanvas canvas(4, 4, W);
        draw.PaintImage(0, 0, canvas.dc);
        EXPECT_EQ(W, canvas.At(0, 0));
    }
    {
        NoticeRecorder rec;
        std::string path = dir.win("missing.bmp");
        CDibDraw draw(path.c_str());
        ASSERT_EQ(1u, rec.boxTexts.size());
        EXPECT_EQ(CutToErrorText(path + " 화일이 없습니다"), rec.boxTexts[0]);
        EXPECT_EQ(rec.boxTexts[0], draw.GetErrorText());
        EXPECT_EQ(0, draw.GetXSize());
        EXPECT_EQ(FALSE, draw.SaveImage(nullptr));
    }
}

TEST_F(DibDrawTest, OversizedFieldsAndLongNames)
{
    // A size field far beyond the file: the file's own length counts.
    Bytes good = GoodFile();
    BITMAPFILEHEADER h;
    memcpy(&h, good.data(), 14);
    h.bfSize = 0x7FFFFFFF;
    memcpy(good.data(), &h, 14);
    {
        NoticeRecorder rec;
        CDibDraw draw(Write("big.bmp", good).c_str());
        EXPECT_TRUE(draw.IsLoaded());
        EXPECT_TRUE(rec.boxTexts.empty());
    }
    // A colour count the file cannot hold.
    Bytes many = GoodFile();
    DWORD huge = 0x40000000;
    memcpy(many.data() + 14 + 32, &huge, 4);
    {
        NoticeRecorder rec;
        CDibDraw draw(Write("many.bmp", many).c_str());
        EXPECT_FALSE(draw.IsLoaded());
        EXPECT_EQ(1u, rec.boxTexts.size());
    }
    // A long Korean path: the texts are cut short, never inside a character.
    std::string longName;
    for (int i = 0; i < 60; ++i)
        longName += "사진";
    NoticeRecorder rec;
    CDibDraw draw((dir.win(longName) + ".bmp").c_str());
    ASSERT_EQ(1u, rec.boxTexts.size());
    const std::string& text = rec.boxTexts[0];
    ASSERT_LE(text.size(), 79u);
    size_t i = 0;
    while (i < text.size())
        i += IsDBCSLeadByte(BYTE(text[i])) ? 2 : 1;
    EXPECT_EQ(text.size(), i);
}

// Clipboard data and files come from other programs: damaged headers and
// cut blocks are refused or read within their bytes, never past them.
TEST(DibHandles, DamagedBlocksStayWithinTheirBytes)
{
    std::mt19937 rng(7);
    CImageObject owner;
    int read = 0;
    for (const DibCase& c : DepthCases()) {
        HGLOBAL source = MakeDib(c.spec);
        const BYTE* block = static_cast<const BYTE*>(GlobalLock(source));
        std::vector<BYTE> good(block, block + GlobalSize(source));
        GlobalUnlock(source);
        GlobalFree(source);
        for (int round = 0; round < 300; ++round) {
            std::vector<BYTE> bytes = good;
            for (int k = int(rng() % 4); k >= 0; --k)
                bytes[rng() % min(bytes.size(), size_t(56))] = BYTE(rng());
            if (rng() % 3 == 0)
                bytes.resize(rng() % bytes.size() + 1);
            // An exact-size block, so reading past it is a real overrun.
            HGLOBAL dib = GlobalAlloc(GMEM_FIXED, bytes.size());
            memcpy(GlobalLock(dib), bytes.data(), bytes.size());
            GlobalUnlock(dib);
            ImagePtr img(owner.HandleToImgObj(dib));
            read += img ? 1 : 0;
            GlobalFree(dib);
        }
    }
    EXPECT_GT(read, 0);
}

TEST_F(DibDrawTest, DamagedFilesLoadOrFailQuietly)
{
    std::mt19937 rng(11);
    Bytes good = GoodFile();
    NoticeRecorder rec;
    for (int round = 0; round < 150; ++round) {
        Bytes bytes = good;
        for (int k = int(rng() % 4); k >= 0; --k)
            bytes[rng() % 70] = BYTE(rng());
        if (rng() % 3 == 0)
            bytes.resize(rng() % bytes.size() + 1);
        CDibDraw draw(Write("damaged.bmp", bytes).c_str());
        MemoryCanvas canvas(8, 8, W);
        draw.PaintImage(0, 0, canvas.dc);
        draw.PaintImage(0, 0, 8, 8, canvas.dc);
    }
}
