// Icons, cursors, the caret, PrintWindow and system parameters.
#include <gtest/gtest.h>

#include <win32.h>

#include "support/MessageLoop.h"
#include "support/MessageRecorder.h"
#include "support/WindowCapture.h"
#include "mivo/resources.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

using namespace mivo::test;

namespace {

// A memory DC on a 32-bit bitmap filled with one colour.
struct MemoryCanvas {
    HDC dc;
    HBITMAP bmp;
    HGDIOBJ old;
    MemoryCanvas(int w, int h, COLORREF fill)
    {
        dc = CreateCompatibleDC(nullptr);
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits;
        bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        old = SelectObject(dc, bmp);
        RECT r{0, 0, w, h};
        HBRUSH b = CreateSolidBrush(fill);
        FillRect(dc, &r, b);
        DeleteObject(b);
    }
    ~MemoryCanvas()
    {
        SelectObject(dc, old);
        DeleteObject(bmp);
        DeleteDC(dc);
    }
};

HBITMAP SolidBitmap(int w, int h, COLORREF c)
{
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bmp);
    RECT r{0, 0, w, h};
    HBRUSH b = CreateSolidBrush(c);
    FillRect(dc, &r, b);
    DeleteObject(b);
    SelectObject(dc, old);
    DeleteDC(dc);
    return bmp;
}

// A 32 x 32 32-bit icon image (a DIB with its AND mask below it), all one colour.
std::vector<BYTE> IconImage(uint32_t argb)
{
    const int size = 32;
    BITMAPINFOHEADER h = {};
    h.biSize = sizeof(h);
    h.biWidth = size;
    h.biHeight = size * 2;
    h.biPlanes = 1;
    h.biBitCount = 32;
    std::vector<BYTE> out((const BYTE*)&h, (const BYTE*)&h + sizeof(h));
    for (int i = 0; i < size * size; ++i)
        out.insert(out.end(), (const BYTE*)&argb, (const BYTE*)&argb + 4);
    out.resize(out.size() + size * 4, 0);  // the mask: every pixel shown
    return out;
}

// A group directory naming one 32 x 32 image of resource id `imageId`.
std::vector<BYTE> IconGroup(WORD imageId, DWORD imageBytes)
{
    std::vector<BYTE> g = {0, 0, 1, 0, 1, 0};  // reserved, type 1 (icon), one entry
    BYTE entry[14] = {32, 32, 0, 0, 1, 0, 32, 0};
    std::memcpy(entry + 8, &imageBytes, 4);
    std::memcpy(entry + 12, &imageId, 2);
    g.insert(g.end(), entry, entry + 14);
    return g;
}

}  // namespace

// LoadIcon (and LoadImage with LR_SHARED) hands out one handle per resource, and it survives DestroyIcon.
TEST(Icons, SharedIconsAreLoadedOnceAndNeverDestroyed)
{
    static std::vector<BYTE> image = IconImage(0xFF2050A0);
    static std::vector<BYTE> group = IconGroup(1, (DWORD)image.size());
    static const mivo::ResourceEntry entries[] = {
        {3, nullptr, 1, nullptr, image.data(), (DWORD)image.size()},
        {14, nullptr, 4100, nullptr, group.data(), (DWORD)group.size()},
    };
    static const mivo::ResourceTable table = {entries, 2};
    mivo::RegisterModuleResources("icons_test", &table, false);
    HINSTANCE module = GetModuleHandle("icons_test");
    ASSERT_NE(module, nullptr);
    LPCSTR id = MAKEINTRESOURCE(4100);

    HICON first = LoadIcon(module, id);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(LoadIcon(module, id), first);
    EXPECT_EQ(LoadImage(module, id, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED), (HANDLE)first);
    EXPECT_TRUE(DestroyIcon(first));
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(first, &info)) << "a shared icon outlives DestroyIcon";
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    EXPECT_EQ(LoadIcon(module, id), first);

    // Without LR_SHARED each load is a new icon of its own.
    HICON own = (HICON)LoadImage(module, id, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE);
    ASSERT_NE(own, nullptr);
    EXPECT_NE(own, first);
    EXPECT_TRUE(DestroyIcon(own));
    mivo::UnregisterModuleResources(&table);
}

TEST(Icons, MadeFromBitmapsAndDrawnThroughTheirMask)
{
    // As in every icon, the colour part is black where the mask lets the background through.
    HBITMAP color = SolidBitmap(16, 16, RGB(0, 0, 0));
    {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, color);
        RECT inner{4, 4, 12, 12};
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(dc, &inner, red);
        DeleteObject(red);
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    // Mask: 1 (transparent) everywhere but an opaque square in the middle.
    std::vector<BYTE> maskBits(2 * 16, 0xFF);
    for (int y = 4; y < 12; ++y) {
        maskBits[(size_t)y * 2] = 0xF0;
        maskBits[(size_t)y * 2 + 1] = 0x0F;
    }
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, maskBits.data());
    ICONINFO info = {TRUE, 3, 5, mask, color};
    HICON icon = CreateIconIndirect(&info);
    ASSERT_NE(icon, nullptr);
    DeleteObject(color);  // the icon keeps copies
    DeleteObject(mask);

    MemoryCanvas canvas(20, 20, RGB(0, 0, 255));
    EXPECT_TRUE(DrawIconEx(canvas.dc, 2, 2, icon, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(GetPixel(canvas.dc, 2 + 8, 2 + 8), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(canvas.dc, 2 + 1, 2 + 1), RGB(0, 0, 255)) << "transparent outside the mask";
    EXPECT_EQ(GetPixel(canvas.dc, 2 + 4, 2 + 4), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(canvas.dc, 2 + 3, 2 + 4), RGB(0, 0, 255));

    ICONINFO back = {};
    ASSERT_TRUE(GetIconInfo(icon, &back));
    BITMAP bm;
    GetObject(back.hbmColor, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, 16);
    EXPECT_EQ(8u, back.xHotspot) << "an icon's hot spot is its centre, whatever it was made with";
    EXPECT_EQ(8u, back.yHotspot);
    DeleteObject(back.hbmColor);
    DeleteObject(back.hbmMask);
    HICON copy = CopyIcon(icon);
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(DestroyIcon(icon)) << "a destroyed icon handle is stale";
    MemoryCanvas canvas2(20, 20, RGB(0, 0, 255));
    EXPECT_TRUE(DrawIconEx(canvas2.dc, 0, 0, copy, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(GetPixel(canvas2.dc, 8, 8), RGB(255, 0, 0));
    DestroyIcon(copy);
}

TEST(Icons, LoadedFromAnIconFile)
{
    // A 16x16 24-bit icon: green, with a transparent first column.
    const int w = 16, h = 16;
    std::vector<BYTE> image;
    BITMAPINFOHEADER bih = {};
    bih.biSize = sizeof(bih);
    bih.biWidth = w;
    bih.biHeight = h * 2;
    bih.biPlanes = 1;
    bih.biBitCount = 24;
    image.resize(sizeof(bih));
    std::memcpy(image.data(), &bih, sizeof(bih));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            image.push_back(0);
            image.push_back(x == 0 ? 0 : 200);
            image.push_back(0);
        }
    for (int y = 0; y < h; ++y) {
        BYTE row[4] = {0x80, 0, 0, 0};
        image.insert(image.end(), row, row + 4);
    }
    std::vector<BYTE> file = {0, 0, 1, 0, 1, 0};
    BYTE entry[16] = {(BYTE)w, (BYTE)h, 0, 0, 1, 0, 24, 0};
    DWORD bytes = (DWORD)image.size(), offset = 6 + 16;
    std::memcpy(entry + 8, &bytes, 4);
    std::memcpy(entry + 12, &offset, 4);
    file.insert(file.end(), entry, entry + 16);
    file.insert(file.end(), image.begin(), image.end());
    std::string path = "/tmp/mivo_icon_test_" + std::to_string(getpid()) + ".ico";
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(file.data(), 1, file.size(), f);
    std::fclose(f);

    HICON icon = (HICON)LoadImage(nullptr, path.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE);
    std::remove(path.c_str());
    ASSERT_NE(icon, nullptr);
    MemoryCanvas canvas(16, 16, RGB(255, 255, 255));
    DrawIconEx(canvas.dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(GetPixel(canvas.dc, 5, 5), RGB(0, 200, 0));
    EXPECT_EQ(GetPixel(canvas.dc, 0, 5), RGB(255, 255, 255));
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    EXPECT_TRUE(info.fIcon);
    EXPECT_EQ(8u, info.xHotspot) << "an icon's hot spot is its centre";
    EXPECT_EQ(8u, info.yHotspot);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    DestroyIcon(icon);
    EXPECT_EQ(LoadImage(nullptr, "/tmp/no such file.ico", IMAGE_ICON, 0, 0, LR_LOADFROMFILE), nullptr);
}

TEST(Icons, SystemIconsAndCursorsHavePictures)
{
    for (LPCSTR id : {IDI_APPLICATION, IDI_HAND, IDI_QUESTION, IDI_EXCLAMATION, IDI_ASTERISK}) {
        HICON icon = LoadIcon(nullptr, id);
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(LoadIcon(nullptr, id), icon) << "system icons are shared";
        MemoryCanvas canvas(32, 32, RGB(0, 255, 0));
        EXPECT_TRUE(DrawIcon(canvas.dc, 0, 0, icon));
        int changed = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                changed += GetPixel(canvas.dc, x, y) != RGB(0, 255, 0);
        EXPECT_GT(changed, 100) << (ULONG_PTR)id;
        EXPECT_LT(changed, 32 * 32) << "the corners stay transparent";
        EXPECT_TRUE(DestroyIcon(icon)) << "destroying a shared icon does nothing";
    }
    HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    EXPECT_NE(arrow, nullptr);
    EXPECT_NE(LoadCursor(nullptr, IDC_IBEAM), arrow);
    HCURSOR before = SetCursor(arrow);
    EXPECT_EQ(GetCursor(), arrow);
    SetCursor(before);
}

TEST(Windows, PrintWindowCopiesWhatTheWindowShows)
{
    MessageRecorder rec;
    rec.OnMessage(WM_PAINT, [](HWND h, UINT, WPARAM, LPARAM, LRESULT* r) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, &ps);
        RECT box{5, 5, 20, 15};
        HBRUSH b = CreateSolidBrush(RGB(10, 20, 30));
        FillRect(dc, &box, b);
        DeleteObject(b);
        EndPaint(h, &ps);
        *r = 0;
        return true;
    });
    HWND h = CreateTestWindow("print", WS_POPUP | WS_VISIBLE | WS_BORDER, 0, 0, 60, 40);
    MemoryCanvas canvas(60, 40, RGB(255, 255, 255));
    ASSERT_TRUE(PrintWindow(h, canvas.dc, 0));
    EXPECT_EQ(GetPixel(canvas.dc, 1 + 5, 1 + 5), RGB(10, 20, 30));
    EXPECT_EQ(GetPixel(canvas.dc, 0, 0), GetSysColor(COLOR_WINDOWFRAME)) << "the border is included";
    MemoryCanvas client(58, 38, RGB(255, 255, 255));
    ASSERT_TRUE(PrintWindow(h, client.dc, PW_CLIENTONLY));
    EXPECT_EQ(GetPixel(client.dc, 5, 5), RGB(10, 20, 30));
    DestroyWindow(h);
}

TEST(Windows, CaretInvertsWhereItStandsAndHidesForPainting)
{
    MessageRecorder rec;
    HWND h = CreateTestWindow("caret", WS_POPUP | WS_VISIBLE, 0, 0, 50, 30);
    PumpUntilIdle();
    COLORREF back = GetSysColor(COLOR_WINDOW);
    ASSERT_TRUE(CreateCaret(h, nullptr, 2, 10));
    SetCaretPos(5, 5);
    EXPECT_EQ(CaptureWindow(h).At(5, 5), back) << "a new caret is hidden";
    ShowCaret(h);
    EXPECT_EQ(CaptureWindow(h).At(5, 5), (COLORREF)(~back & 0xFFFFFF));
    EXPECT_EQ(CaptureWindow(h).At(7, 5), back);
    // Painting does not leave a stale caret behind.
    InvalidateRect(h, nullptr, TRUE);
    PumpUntilIdle();
    EXPECT_EQ(CaptureWindow(h).At(5, 5), (COLORREF)(~back & 0xFFFFFF));
    HideCaret(h);
    EXPECT_EQ(CaptureWindow(h).At(5, 5), back);
    DestroyCaret();
    DestroyWindow(h);
}

TEST(SystemParameters, MetricsFontsAndWorkArea)
{
    NONCLIENTMETRICS ncm = {};
    ncm.cbSize = sizeof(ncm);
    ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0));
    EXPECT_EQ(ncm.iScrollWidth, GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_STREQ(ncm.lfMessageFont.lfFaceName, "굴림");
    EXPECT_EQ(ncm.lfCaptionFont.lfWeight, FW_BOLD);
    RECT work;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_EQ(work.right, GetSystemMetrics(SM_CXSCREEN));
    UINT lines = 0;
    SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    EXPECT_EQ(lines, 3u);
    // A wallpaper that is not there is refused (the wallpaper tests of the shell set real ones).
    EXPECT_FALSE(SystemParametersInfo(SPI_SETDESKWALLPAPER, 0, (PVOID) "C:\\Mivo\\없는바탕.bmp", 0));
    EXPECT_EQ(GetSysColor(COLOR_3DFACE), RGB(212, 208, 200));
    EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 19);
}
