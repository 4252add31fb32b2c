// DCs on window surfaces (the window manager's contract) and drawing from threads.
#include "GdiTestUtil.h"

#include "../../../platform/gdi/Surface.h"

#include <atomic>
#include <thread>
#include <vector>

using namespace gditest;

namespace {

uint32_t PixelAt(const mivo::Surface& s, int x, int y)
{
    return s.pixels[(size_t)y * (size_t)s.width + (size_t)x];
}

}  // namespace

TEST(GdiSurface, OriginAndClipPlaceTheDrawing)
{
    auto surface = std::make_shared<mivo::Surface>();
    surface->Resize(100, 80);
    HRGN clip = CreateRectRgn(10, 20, 60, 50);
    HDC dc = mivo::CreateSurfaceDC(surface, POINT{10, 20}, clip, nullptr);
    DeleteObject(clip);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetObjectType(dc), (DWORD)OBJ_DC);

    uint64_t before = surface->generation;
    PatBlt(dc, -50, -50, 500, 500, BLACKNESS);
    EXPECT_GT(surface->generation, before);
    EXPECT_EQ(PixelAt(*surface, 10, 20), 0u);
    EXPECT_EQ(PixelAt(*surface, 59, 49), 0u);
    EXPECT_EQ(PixelAt(*surface, 60, 49), 0x00FFFFFFu);
    EXPECT_EQ(PixelAt(*surface, 9, 20), 0x00FFFFFFu);

    // Device (0, 0) is the origin; the clip box is in the DC's own coordinates.
    SetPixel(dc, 1, 2, RGB(255, 0, 0));
    EXPECT_EQ(PixelAt(*surface, 11, 22), 0x00FF0000u);
    EXPECT_EQ(GetPixel(dc, 1, 2), RGB(255, 0, 0));
    RECT box;
    EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
    EXPECT_TRUE(RectIs(box, 0, 0, 50, 30));

    ASSERT_TRUE(mivo::SetSurfaceDCGeometry(dc, POINT{0, 0}, nullptr));
    SetPixel(dc, 0, 0, RGB(0, 0, 255));
    EXPECT_EQ(PixelAt(*surface, 0, 0), 0x000000FFu);

    EXPECT_FALSE(DeleteDC(dc));  // released through the window manager only
    EXPECT_TRUE(mivo::DeleteSurfaceDC(dc));
    EXPECT_FALSE(mivo::DeleteSurfaceDC(dc));
    EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
}

TEST(GdiSurface, ResizedSurfaceIsNeverOverrun)
{
    auto surface = std::make_shared<mivo::Surface>();
    surface->Resize(50, 50);
    HDC dc = mivo::CreateSurfaceDC(surface, POINT{0, 0}, nullptr, nullptr);
    surface->Resize(10, 10);
    EXPECT_TRUE(PatBlt(dc, 0, 0, 50, 50, BLACKNESS));
    EXPECT_EQ(GetPixel(dc, 20, 20), CLR_INVALID);
    EXPECT_EQ(GetPixel(dc, 9, 9), kBlack);
    surface->Resize(0, 0);
    EXPECT_TRUE(PatBlt(dc, 0, 0, 50, 50, WHITENESS));
    mivo::DeleteSurfaceDC(dc);
}

TEST(GdiSurface, WorkersDrawAtTheSameTime)
{
    auto surface = std::make_shared<mivo::Surface>();
    surface->Resize(64, 64);
    std::atomic<int> failures{0};
    std::vector<std::thread> workers;
    for (int i = 0; i < 4; ++i) {
        workers.emplace_back([&, i] {
            // Each worker has its own window DC on the shared surface and a memory DC.
            HDC dc = mivo::CreateSurfaceDC(surface, POINT{0, 0}, nullptr, nullptr);
            HDC mem = CreateCompatibleDC(dc);
            HBITMAP bmp = CreateCompatibleBitmap(dc, 16, 16);
            HGDIOBJ old = SelectObject(mem, bmp);
            HBRUSH brush = CreateSolidBrush(RGB(i * 60, 0, 0));
            RECT r = {0, 0, 16, 16};
            for (int round = 0; round < 50; ++round) {
                FillRect(mem, &r, brush);
                TextOut(mem, 0, 0, "가나", 4);
                if (!BitBlt(dc, i * 16, 0, 16, 16, mem, 0, 0, SRCCOPY))
                    ++failures;
                FillRect(dc, &r, brush);
            }
            RECT own = {i * 16, 40, i * 16 + 16, 64};
            FillRect(dc, &own, brush);
            SelectObject(mem, old);
            DeleteObject(brush);
            DeleteObject(bmp);
            DeleteDC(mem);
            mivo::DeleteSurfaceDC(dc);
        });
    }
    for (auto& w : workers)
        w.join();
    EXPECT_EQ(failures.load(), 0);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(PixelAt(*surface, i * 16 + 8, 50), (uint32_t)(i * 60) << 16);
}

TEST(GdiSurface, DisplayDC)
{
    HDC screen = CreateDC("DISPLAY", nullptr, nullptr, nullptr);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, TECHNOLOGY), DT_RASDISPLAY);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), 96);
    EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 32);
    EXPECT_GT(GetDeviceCaps(screen, HORZRES), 0);
    EXPECT_EQ(GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE, 0);
    HDC mem = CreateCompatibleDC(screen);
    EXPECT_EQ(GetDeviceCaps(mem, LOGPIXELSY), 96);
    DeleteDC(mem);
    EXPECT_TRUE(DeleteDC(screen));
    EXPECT_EQ(CreateDC(nullptr, nullptr, nullptr, nullptr), nullptr);
}
