// Every common control paints into the DC that WM_PAINT's wParam carries.
#include "ControlFixture.h"

using controls_test::ControlFixture;

using CommonPaintTest = ControlFixture;

TEST_F(CommonPaintTest, WmPaintDrawsIntoTheCarriedDc)
{
    const struct {
        const char* cls;
        DWORD style;
    } kinds[] = {{PROGRESS_CLASS, PBS_SMOOTH},
                 {TRACKBAR_CLASS, TBS_AUTOTICKS},
                 {WC_TABCONTROL, 0},
                 {MONTHCAL_CLASS, 0},
                 {STATUSCLASSNAME, CCS_NOPARENTALIGN | CCS_NORESIZE},
                 {TOOLBARCLASSNAME, CCS_NOPARENTALIGN | CCS_NORESIZE},
                 {REBARCLASSNAME, CCS_NOPARENTALIGN | CCS_NORESIZE}};
    const COLORREF magenta = RGB(255, 0, 255);
    for (auto& k : kinds) {
        HWND h = Child(k.cls, "", k.style, 10, 10, 160, 150, 900);
        ASSERT_NE(h, nullptr) << k.cls;
        HDC screen = GetDC(nullptr);
        HDC mem = CreateCompatibleDC(screen);
        HBITMAP bmp = CreateCompatibleBitmap(screen, 160, 150);
        ReleaseDC(nullptr, screen);
        HGDIOBJ old = SelectObject(mem, bmp);
        RECT all = {0, 0, 160, 150};
        HBRUSH fill = CreateSolidBrush(magenta);
        FillRect(mem, &all, fill);
        SendMessage(h, WM_PAINT, (WPARAM)mem, 0);
        int painted = 0;
        for (int y = 0; y < 150; y += 5)
            for (int x = 0; x < 160; x += 5)
                painted += GetPixel(mem, x, y) != magenta;
        EXPECT_GT(painted, 32 * 30 / 2) << k.cls << " painted most of the DC it was given";
        SelectObject(mem, old);
        DeleteObject(bmp);
        DeleteObject(fill);
        DeleteDC(mem);
        DestroyWindow(h);
    }
}
