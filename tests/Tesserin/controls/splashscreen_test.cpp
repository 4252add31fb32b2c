// The splash window: centred at the picture's size, refused without a
// picture; and the MDI client background tiled from a bitmap file.
#include <gtest/gtest.h>

#include "controls/FrameClient.h"
#include "controls/SplashScreen.h"
#include "mivo/testing/input.h"
#include "support/GeometryPrinters.h"
#include "support/MessageBoxCapture.h"
#include "support/MessageLoop.h"
#include "support/TempFolder.h"

#include <cstdint>
#include <fstream>
#include <functional>
#include <vector>

using namespace mivo::test;

namespace {

void Put16(std::vector<uint8_t>& b, uint32_t v)
{
    b.push_back(v & 0xFF);
    b.push_back((v >> 8) & 0xFF);
}

void Put32(std::vector<uint8_t>& b, uint32_t v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

// A 24-bit bottom-up BMP whose pixels come from `colour` (x, y from the top).
void WriteBmp(const std::string& path, int w, int h, const std::function<COLORREF(int, int)>& colour)
{
    const int stride = (w * 3 + 3) & ~3;
    std::vector<uint8_t> b;
    Put16(b, 0x4D42);
    Put32(b, 54 + stride * h);
    Put32(b, 0);
    Put32(b, 54);
    Put32(b, 40);
    Put32(b, w);
    Put32(b, h);
    Put16(b, 1);
    Put16(b, 24);
    for (int i = 0; i < 6; ++i)
        Put32(b, 0);
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            COLORREF c = colour(x, y);
            b.push_back(GetBValue(c));
            b.push_back(GetGValue(c));
            b.push_back(GetRValue(c));
        }
        b.resize(b.size() + (stride - w * 3));
    }
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), b.size());
}

std::string WindowsName(const mivotest::TempFolder& folder, const std::string& name)
{
    return folder.windowsPath() + name;
}

}  // namespace

TEST(SplashScreen, WithoutAPictureNothingIsCreated)
{
    CSplashScreen splash;
    EXPECT_EQ(0, splash.Create());
    EXPECT_EQ(nullptr, splash.m_hWnd);
    EXPECT_EQ(1500, splash.m_nValue);
    EXPECT_EQ(1, splash.m_nFlag);
}

TEST(SplashScreen, PictureThatDoesNotLoadIsNoPicture)
{
    mivotest::TempFolder folder;
    std::ofstream(folder.file("logo.bmp"), std::ios::binary) << "BM not really a bitmap";
    mivotest::MessageBoxCapture boxes;
    for (const std::string& name : {std::string("logo.bmp"), std::string("missing.bmp")}) {
        CSplashScreen splash(WindowsName(folder, name).c_str());
        EXPECT_EQ(0, splash.Create()) << name;
        EXPECT_EQ(nullptr, splash.m_hWnd) << name;
    }
}

TEST(SplashScreen, WindowIsCentredAtThePictureSize)
{
    mivotest::TempFolder folder;
    const int sw = ::GetSystemMetrics(SM_CXSCREEN), sh = ::GetSystemMetrics(SM_CYSCREEN);
    struct Row {
        const char* name;
        int w, h;
    } rows[] = {{"small", 41, 30}, {"larger than the screen", sw + 40, sh + 21}};
    for (const Row& row : rows) {
        const std::string file = WindowsName(folder, std::string(row.name) + ".bmp");
        WriteBmp(folder.file(std::string(row.name) + ".bmp"), row.w, row.h, [](int, int) { return RGB(0, 90, 200); });
        CSplashScreen splash;
        splash.SetSplashImage(file.c_str());
        splash.SetSplashImage(file.c_str());  // the first picture is given back
        ASSERT_EQ(1, splash.Create()) << row.name;
        ASSERT_NE(nullptr, splash.m_hWnd) << row.name;
        CRect r;
        splash.GetWindowRect(&r);
        EXPECT_EQ(CRect((sw - row.w) / 2, (sh - row.h) / 2, (sw - row.w) / 2 + row.w, (sh - row.h) / 2 + row.h), r)
            << row.name;
        EXPECT_EQ(WS_EX_TOOLWINDOW, splash.GetExStyle() & WS_EX_TOOLWINDOW);
        splash.DestroyWindow();
    }
}

namespace {

// A tile whose top-left pixel is red and the rest blue.
const COLORREF kCorner = RGB(255, 0, 0), kTile = RGB(0, 0, 255);

struct ClientHost {
    CWnd host;
    HWND client = nullptr;
    explicit ClientHost(int cw, int ch)
    {
        host.CreateEx(0, AfxRegisterWndClass(0, nullptr, (HBRUSH)::GetStockObject(WHITE_BRUSH)), "host",
                      WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 200, 200, nullptr, nullptr);
        client = ::CreateWindowEx(0, AfxRegisterWndClass(0, nullptr, (HBRUSH)::GetStockObject(BLACK_BRUSH)),
                                  "", WS_CHILD | WS_VISIBLE, 10, 10, cw, ch, host.m_hWnd, nullptr,
                                  AfxGetInstanceHandle(), nullptr);
        PumpUntilIdle();
    }
    ~ClientHost() { host.DestroyWindow(); }
    COLORREF Pixel(int x, int y)
    {
        std::vector<uint32_t> pixels;
        int w = 0, h = 0;
        if (!mivo::CaptureWindowPixels(client, true, pixels, w, h) || x >= w || y >= h)
            return CLR_INVALID;
        const uint32_t p = pixels[y * w + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    void Repaint(CWnd& wnd)
    {
        wnd.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        PumpUntilIdle();
    }
};

}  // namespace

TEST(FrameClient, TilesTheBitmapFromTheTopLeftCorner)
{
    mivotest::TempFolder folder;
    WriteBmp(folder.file("tile.bmp"), 16, 16, [](int x, int y) { return x == 0 && y == 0 ? kCorner : kTile; });
    struct Row {
        const char* name;
        int cw, ch;
        std::vector<POINT> corners;
    } rows[] = {{"three by two tiles", 40, 20, {{0, 0}, {16, 0}, {32, 0}, {0, 16}, {32, 16}}},
                {"smaller than one tile", 10, 10, {{0, 0}}}};
    for (const Row& row : rows) {
        ClientHost host(row.cw, row.ch);
        CFrameClient client(WindowsName(folder, "tile.bmp").c_str());
        ASSERT_TRUE(client.SubclassWindow(host.client));
        host.Repaint(client);
        for (POINT p : row.corners) {
            EXPECT_EQ(kCorner, host.Pixel(p.x, p.y)) << row.name << " at " << p.x << ", " << p.y;
            EXPECT_EQ(kTile, host.Pixel(p.x + 1, p.y + 1)) << row.name;
        }
        EXPECT_EQ(kTile, host.Pixel(row.cw - 1, row.ch - 1)) << row.name;
        client.UnsubclassWindow();
    }
}

TEST(FrameClient, PictureThatDoesNotLoadLeavesTheDefaultErase)
{
    mivotest::TempFolder folder;
    mivotest::MessageBoxCapture boxes;
    ClientHost host(30, 30);
    CFrameClient client(WindowsName(folder, "missing.bmp").c_str());
    ASSERT_TRUE(client.SubclassWindow(host.client));
    host.Repaint(client);
    EXPECT_EQ(RGB(0, 0, 0), host.Pixel(5, 5));
    client.UnsubclassWindow();
}
