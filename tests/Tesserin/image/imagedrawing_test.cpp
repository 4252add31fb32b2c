// The image object on device contexts: stretching, device-dependent bitmaps,
// DIB drawing and the text imprint.
#include <gtest/gtest.h>

#include "ImageOpsSupport.h"
#include "ImageTestSupport.h"
#include "image/ImageObject.h"

#include <cstring>
#include <thread>

using namespace opstest;

namespace {

const COLORREF W = RGB(255, 255, 255), K = RGB(0, 0, 0);

// A CDC over a test canvas for the time of a test.
class AttachedDC {
public:
    explicit AttachedDC(HDC hdc) { m_dc.Attach(hdc); }
    ~AttachedDC() { m_dc.Detach(); }
    CDC* operator&() { return &m_dc; }

private:
    CDC m_dc;
};

LOGFONT KoreanFont(int height, BOOL italic = FALSE)
{
    LOGFONT lf;
    memset(&lf, 0, sizeof lf);
    lf.lfHeight = height;
    lf.lfWeight = FW_NORMAL;
    lf.lfItalic = BYTE(italic);
    lf.lfCharSet = HANGUL_CHARSET;
    strcpy(lf.lfFaceName, "굴림");
    return lf;
}

// The text's box as the imprint measures it, found here on a DC of our own.
SIZE MeasuredBox(const char* text, const LOGFONT& lf)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontIndirect(&lf);
    HGDIOBJ old = SelectObject(dc, font);
    RECT box = {0, 0, 0, 0};
    DrawText(dc, text, -1, &box, DT_CALCRECT | DT_NOPREFIX);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    SIZE size = {box.right - box.left, box.bottom - box.top};
    return size;
}

// Bounding box of pixels that differ from `background`; empty when none.
RECT Changed(const CImageObject& img, COLORREF background)
{
    RECT r = {img.m_nWidth, img.m_nHeight, 0, 0};
    for (int y = 0; y < img.m_nHeight; ++y)
        for (int x = 0; x < img.m_nWidth; ++x)
            if (Pixel(img, x, y) != background) {
                r.left = min(r.left, LONG(x));
                r.top = min(r.top, LONG(y));
                r.right = max(r.right, LONG(x + 1));
                r.bottom = max(r.bottom, LONG(y + 1));
            }
    if (r.left >= r.right)
        r = RECT{0, 0, 0, 0};
    return r;
}

}  // namespace

TEST(DrawStretch, SubRectangleIntoAMemoryDC)
{
    ImagePtr img = MakeImage(6, 4, Distinct);
    MemoryCanvas canvas(12, 12, W);
    AttachedDC dc(canvas.dc);
    img->SetSrc_x(2);
    img->SetSrc_y(1);
    img->SetSrc_width(3);
    img->SetSrc_height(2);
    img->SetDst_x(5);
    img->SetDst_y(6);
    img->SetDst_width(3);
    img->SetDst_height(2);
    ASSERT_EQ(1, img->DrawStretch(&dc));
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(Distinct(2 + i, 1 + j), canvas.At(5 + i, 6 + j)) << i << "," << j;
    EXPECT_EQ(W, canvas.At(4, 6));
    EXPECT_EQ(W, canvas.At(8, 7));
    EXPECT_EQ(W, canvas.At(5, 8));

    // -1 sizes become the picture's, in the object's own fields.
    ImagePtr whole = MakeImage(6, 4, Distinct);
    ASSERT_EQ(1, whole->DrawStretch(&dc));
    EXPECT_EQ(6, whole->m_nSrcWidth);
    EXPECT_EQ(4, whole->m_nDstHeight);
    EXPECT_EQ(Distinct(5, 3), canvas.At(5, 3));

    CImageObject empty;
    EXPECT_EQ(0, empty.DrawStretch(&dc));
    EXPECT_EQ(0, img->DrawStretch(nullptr));
}

TEST(DrawStretch, StretchModes)
{
    ImagePtr img = MakeImage(2, 2, Distinct);
    MemoryCanvas canvas(4, 4, W);
    AttachedDC dc(canvas.dc);
    struct Case {
        int before, after;
    } cases[] = {{HALFTONE, HALFTONE}, {COLORONCOLOR, COLORONCOLOR}, {BLACKONWHITE, COLORONCOLOR}, {WHITEONBLACK, COLORONCOLOR}};
    for (const Case& c : cases) {
        SetStretchBltMode(canvas.dc, c.before);
        img->DrawStretch(&dc);
        EXPECT_EQ(c.after, GetStretchBltMode(canvas.dc)) << c.before;
    }
}

TEST(DrawStretch, DirectArguments)
{
    ImagePtr img = MakeImage(3, 2, Distinct);
    MemoryCanvas canvas(12, 12, W);
    AttachedDC dc(canvas.dc);
    ASSERT_EQ(1, img->DrawStretchDirect(&dc, -1, -1, -1, -1, 2, 3, -1, -1));
    EXPECT_EQ(Distinct(0, 0), canvas.At(2, 3));
    EXPECT_EQ(Distinct(2, 1), canvas.At(4, 4));
    EXPECT_EQ(W, canvas.At(5, 4));
    EXPECT_EQ(-1, img->m_nSrcWidth);  // the fields are left alone
    ASSERT_EQ(1, img->DrawStretchDirect(&dc, 1, 0, 2, 2, 0, 6, 4, 4));
    EXPECT_EQ(Distinct(1, 0), canvas.At(1, 7));
    EXPECT_EQ(Distinct(2, 1), canvas.At(3, 9));
}

TEST(DeviceBitmaps, ToImageObjectsAndDibs)
{
    // Painted in a memory DC, then taken out of it as GetDIBits wants.
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(4, 3, 1, 32, nullptr));
    {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, bitmap);
        RECT all = {0, 0, 4, 3};
        FillRect(dc, &all, HBRUSH(GetStockObject(WHITE_BRUSH)));
        SetPixel(dc, 0, 0, RGB(200, 10, 20));
        SetPixel(dc, 3, 2, RGB(5, 6, 7));
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    CImageObject owner(imgtest::FakeWindow());
    ImagePtr img(owner.DDBToImgObj(bitmap, BI_RGB, nullptr));
    ASSERT_TRUE(img);
    EXPECT_EQ(4, img->m_nWidth);
    EXPECT_EQ(3, img->m_nHeight);
    EXPECT_EQ(RGB(200, 10, 20), Pixel(*img, 0, 0));
    EXPECT_EQ(RGB(5, 6, 7), Pixel(*img, 3, 2));
    EXPECT_EQ(W, Pixel(*img, 1, 1));
    EXPECT_EQ(imgtest::FakeWindow(), img->GetParent());
    EXPECT_EQ(nullptr, owner.DDBToImgObj(bitmap, BI_BITFIELDS, nullptr));

    HGLOBAL dib = CImageObject::DDBToDIB(bitmap, BI_RGB, nullptr);
    ASSERT_NE(nullptr, dib);
    BITMAPINFOHEADER h;
    memcpy(&h, GlobalLock(dib), sizeof h);
    GlobalUnlock(dib);
    EXPECT_EQ(40u, h.biSize);
    EXPECT_EQ(4, h.biWidth);
    EXPECT_EQ(3, h.biHeight);
    EXPECT_EQ(32, h.biBitCount);
    EXPECT_GE(GlobalSize(dib), SIZE_T(40 + 4 * 4 * 3));
    GlobalFree(dib);
    EXPECT_EQ(nullptr, CImageObject::DDBToDIB(bitmap, BI_BITFIELDS, nullptr));

    // A monochrome bitmap comes through its two-colour table.
    const BYTE bits[4] = {0xA0, 0, 0x50, 0};
    CBitmap mono;
    ASSERT_TRUE(mono.CreateBitmap(4, 2, 1, 1, bits));
    ImagePtr bw(owner.DDBToImgObj(mono, BI_RGB, nullptr));
    ASSERT_TRUE(bw);
    EXPECT_EQ((std::vector<std::vector<COLORREF>>{{W, K, W, K}, {K, W, K, W}}), Table(*bw));
}

TEST(DeviceBitmaps, DrawDIB)
{
    ImagePtr img = MakeImage(3, 2, Distinct);
    HGLOBAL dib = img->DibFromImgObj();
    MemoryCanvas canvas(6, 6, W);
    AttachedDC dc(canvas.dc);
    CImageObject::DrawDIB(&dc, dib, nullptr, 1, 2);
    EXPECT_EQ(Distinct(0, 0), canvas.At(1, 2));
    EXPECT_EQ(Distinct(2, 1), canvas.At(3, 3));
    EXPECT_EQ(W, canvas.At(4, 3));
    EXPECT_EQ(0u, GlobalFlags(dib) & GMEM_LOCKCOUNT);
    GlobalFree(dib);
    CImageObject::DrawDIB(&dc, nullptr, nullptr, 0, 0);
}

// Headers of 52 bytes and more hold the bit-field masks inside; the device
// reads them there as the image library does.
TEST(DeviceBitmaps, DrawDIBWithMasksInsideTheHeader)
{
    for (DWORD headerSize : {52u, 56u, 108u}) {
        DibSpec spec;
        spec.width = 2, spec.height = 1, spec.bits = 16, spec.compression = BI_BITFIELDS;
        spec.headerSize = headerSize;
        for (WORD px : {WORD(0xF800), WORD(0x001F)})
            spec.rows.insert(spec.rows.end(), {BYTE(px), BYTE(px >> 8)});
        HGLOBAL dib = MakeDib(spec);
        BYTE* block = static_cast<BYTE*>(GlobalLock(dib));
        const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
        memcpy(block + 40, masks, sizeof masks);
        GlobalUnlock(dib);
        MemoryCanvas canvas(4, 4, W);
        AttachedDC dc(canvas.dc);
        CImageObject::DrawDIB(&dc, dib, nullptr, 1, 1);
        EXPECT_EQ(RGB(255, 0, 0), canvas.At(1, 1)) << headerSize;
        EXPECT_EQ(RGB(0, 0, 255), canvas.At(2, 1)) << headerSize;
        GlobalFree(dib);
    }
}

TEST(TextImprint, KoreanTextChangesOnlyItsBox)
{
    const char* text = "한글 사진 Mivo";
    LOGFONT lf = KoreanFont(-20);
    SIZE box = MeasuredBox(text, lf);
    ASSERT_GT(box.cx, 0);
    const int width = box.cx % 4 ? box.cx / 4 * 4 + 4 : box.cx;
    ImagePtr img = MakeUniform(300, 60, W);
    CPoint pos(10, 12);
    ASSERT_EQ(1, img->DrawTextA(text, &pos, &lf, K, W, TRUE, 100, nullptr));
    RECT changed = Changed(*img, W);
    EXPECT_GT(changed.right, changed.left);
    EXPECT_GE(changed.left, 10);
    EXPECT_GE(changed.top, 12);
    EXPECT_LE(changed.right, 10 + width);
    EXPECT_LE(changed.bottom, 12 + box.cy);
    // Ink, not just a tint.
    bool dark = false;
    for (int y = changed.top; y < changed.bottom; ++y)
        for (int x = changed.left; x < changed.right; ++x)
            dark = dark || Pixel(*img, x, y) == K;
    EXPECT_TRUE(dark);
}

TEST(TextImprint, OpaqueBoxAndItalicWidth)
{
    const char* text = "가나다";
    for (BOOL italic : {FALSE, TRUE}) {
        LOGFONT lf = KoreanFont(-20, italic);
        SIZE box = MeasuredBox(text, lf);
        int width = box.cx % 4 ? box.cx / 4 * 4 + 4 : box.cx;
        if (italic)
            width += 10;  // half of |lfHeight|
        ImagePtr img = MakeUniform(200, 50, RGB(0, 0, 200));
        CPoint pos(5, 7);
        ASSERT_EQ(1, img->DrawTextA(text, &pos, &lf, K, RGB(255, 255, 0), FALSE, 100, nullptr));
        RECT changed = Changed(*img, RGB(0, 0, 200));
        EXPECT_EQ(5, changed.left) << italic;
        EXPECT_EQ(7, changed.top) << italic;
        EXPECT_EQ(5 + width, changed.right) << italic;
        EXPECT_EQ(7 + box.cy, changed.bottom) << italic;
        EXPECT_EQ(RGB(255, 255, 0), Pixel(*img, 5, 7));
    }
}

TEST(TextImprint, OpacityClippingAndNothingOutside)
{
    LOGFONT lf = KoreanFont(-16);
    ImagePtr soft = MakeUniform(120, 40, W);
    CPoint pos(4, 4);
    ASSERT_EQ(1, soft->DrawTextA("흐림", &pos, &lf, K, W, TRUE, 50, nullptr));
    RECT changed = Changed(*soft, W);
    ASSERT_GT(changed.right, changed.left);
    for (int y = changed.top; y < changed.bottom; ++y)
        for (int x = changed.left; x < changed.right; ++x)
            EXPECT_GE(GetRValue(Pixel(*soft, x, y)), 127) << x << "," << y;

    // Reaching past the right and bottom edges: clipped, still painted.
    ImagePtr edge = MakeUniform(60, 30, W);
    CPoint late(40, 15);
    EXPECT_EQ(1, edge->DrawTextA("가나다라마", &late, &lf, K, W, TRUE, 100, nullptr));
    EXPECT_GE(Changed(*edge, W).left, 40);
    // Starting above and left of the picture: the visible part lands in place.
    ImagePtr early = MakeUniform(60, 30, W);
    CPoint before(-10, -5);
    EXPECT_EQ(1, early->DrawTextA("가나다라마", &before, &lf, K, W, TRUE, 100, nullptr));
    EXPECT_GT(Changed(*early, W).right, 0);

    // Wholly outside, or nothing to measure: nothing painted.
    for (CPoint p : {CPoint(60, 5), CPoint(5, 30), CPoint(-1000, -1000)}) {
        ImagePtr img = MakeUniform(60, 30, W);
        EXPECT_EQ(0, img->DrawTextA("가", &p, &lf, K, W, FALSE, 100, nullptr)) << p.x << "," << p.y;
        EXPECT_EQ("", FirstOtherThan(*img, W));
    }
    CImageObject empty;
    EXPECT_EQ(0, empty.DrawTextA("가", &pos, &lf, K, W, TRUE, 100, nullptr));
    EXPECT_EQ(0, soft->DrawTextA("가", nullptr, &lf, K, W, TRUE, 100, nullptr));
    EXPECT_EQ(0, soft->DrawTextA("가", &pos, nullptr, K, W, TRUE, 100, nullptr));
}

TEST(TextImprint, RunsOnAWorkerThread)
{
    ImagePtr img = MakeUniform(120, 40, W);
    int result = 0;
    std::thread worker([&] {
        LOGFONT lf = KoreanFont(-18);
        CPoint pos(2, 2);
        result = img->DrawTextA("작업", &pos, &lf, K, W, TRUE, 100, nullptr);
    });
    worker.join();
    EXPECT_EQ(1, result);
    EXPECT_NE("", FirstOtherThan(*img, W));
}
