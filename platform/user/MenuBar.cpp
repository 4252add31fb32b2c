// The menu bar in a window's frame: painted through the window manager's
// hook, hit-tested for the tracking loop.
#include "user/MenuDraw.h"
#include "user/MenuTracking.h"
#include "user/MenuBarPainter.h"
#include "user/NonClient.h"
#include "win32/rect.h"
#include "win32/user.h"

namespace mivo {

namespace {

void PaintMenuBar(HWND hwnd, HDC dc, const RECT& bar)
{
    HMENU handle = GetMenu(hwnd);
    if (!handle)
        return;
    LayOutBar(hwnd, handle, bar);
    Menu menu;
    if (!SnapshotMenu(handle, menu))
        return;
    BarItemLook look = BarItemLook::Plain;
    int highlighted = BarHighlight(hwnd, &look);
    for (size_t i = 0; i < menu.items.size(); ++i)
        DrawBarItem(dc, hwnd, handle, menu.items[i], (int)i == highlighted ? look : BarItemLook::Plain);
}

struct PainterInstaller {
    PainterInstaller() { SetMenuBarPainter(PaintMenuBar); }
};
PainterInstaller installer;

// The bar's rectangle in window coordinates, and the window's screen origin.
bool BarGeometry(HWND hwnd, RECT* bar, POINT* origin)
{
    FrameLayout L = LayOutFrame(hwnd);
    if (L.menuBar.right <= L.menuBar.left)
        return false;
    *origin = POINT{L.window.left, L.window.top};
    *bar = RECT{L.menuBar.left - L.window.left, L.menuBar.top - L.window.top, L.menuBar.right - L.window.left,
                L.menuBar.bottom - L.window.top};
    return true;
}

}  // namespace

bool MenuBarItemRect(HWND hwnd, int index, RECT* rect)
{
    RECT bar;
    POINT origin;
    HMENU menu = GetMenu(hwnd);
    if (!menu || !BarGeometry(hwnd, &bar, &origin))
        return false;
    std::vector<RECT> rects = LayOutBar(hwnd, menu, bar);
    if (index < 0 || (size_t)index >= rects.size())
        return false;
    *rect = rects[(size_t)index];
    OffsetRect(rect, origin.x, origin.y);
    return true;
}

int MenuBarItemAt(HWND hwnd, POINT screen, RECT* rect)
{
    RECT bar;
    POINT origin;
    HMENU menu = GetMenu(hwnd);
    if (!menu || !BarGeometry(hwnd, &bar, &origin))
        return -1;
    std::vector<RECT> rects = LayOutBar(hwnd, menu, bar);
    POINT local{screen.x - origin.x, screen.y - origin.y};
    for (size_t i = 0; i < rects.size(); ++i) {
        if (PtInRect(&rects[i], local) && rects[i].right > rects[i].left) {
            if (rect) {
                *rect = rects[i];
                OffsetRect(rect, origin.x, origin.y);
            }
            return (int)i;
        }
    }
    return -1;
}

}  // namespace mivo
