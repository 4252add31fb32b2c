#include "MenuTestSupport.h"

namespace menutest {

Canvas::Canvas(int width, int height, COLORREF fill)
{
    HDC screen = ::GetDC(nullptr);
    m_dc = ::CreateCompatibleDC(screen);
    m_bitmap = ::CreateCompatibleBitmap(screen, width, height);
    ::ReleaseDC(nullptr, screen);
    m_old = ::SelectObject(m_dc, m_bitmap);
    HBRUSH brush = ::CreateSolidBrush(fill);
    RECT all = {0, 0, width, height};
    ::FillRect(m_dc, &all, brush);
    ::DeleteObject(brush);
}

Canvas::~Canvas()
{
    ::SelectObject(m_dc, m_old);
    ::DeleteObject(m_bitmap);
    ::DeleteDC(m_dc);
}

bool Canvas::Holds(const RECT& rect, COLORREF colour) const
{
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if (At(x, y) == colour)
                return true;
    return false;
}

int Canvas::RightmostOf(const RECT& rect, COLORREF colour) const
{
    for (int x = rect.right - 1; x >= rect.left; --x)
        for (int y = rect.top; y < rect.bottom; ++y)
            if (At(x, y) == colour)
                return x;
    return -1;
}

int Canvas::RightmostInk(const RECT& rect) const
{
    COLORREF background = At(rect.right - 1, (rect.top + rect.bottom) / 2);
    for (int x = rect.right - 1; x >= rect.left; --x)
        for (int y = rect.top; y < rect.bottom; ++y)
            if (At(x, y) != background)
                return x;
    return -1;
}

void DrawMenuItem(CVXMenu& menu, int position, UINT state, Canvas& canvas, const RECT& rect)
{
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_MENU;
    dis.itemID = menu.GetMenuItemID(position);
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = state;
    dis.hwndItem = (HWND)menu.m_hMenu;
    dis.hDC = canvas.dc();
    dis.rcItem = rect;
    dis.itemData = (ULONG_PTR)menu.GetRecord(position);
    menu.DrawItem(&dis);
}

MEASUREITEMSTRUCT MeasureMenuItem(CVXMenu& menu, int position)
{
    MEASUREITEMSTRUCT mis = {};
    mis.CtlType = ODT_MENU;
    mis.itemID = menu.GetMenuItemID(position);
    mis.itemData = (ULONG_PTR)menu.GetRecord(position);
    menu.MeasureItem(&mis);
    return mis;
}

int MenuTextWidth(const WCHAR* text)
{
    NONCLIENTMETRICS metrics = {};
    metrics.cbSize = sizeof(metrics);
    ::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    HFONT font = ::CreateFontIndirect(&metrics.lfMenuFont);
    HDC dc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, font);
    int length = 0;
    while (text[length])
        ++length;
    SIZE size = {0, 0};
    ::GetTextExtentPoint32W(dc, text, length, &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
    ::DeleteObject(font);
    return size.cx;
}

void ResetMenuSettings(UINT drawMode)
{
    CVXMenu::SetMenuDrawMode(drawMode);
    CVXMenu::original_select_disabled = TRUE;
    CVXMenu::xp_select_disabled = FALSE;
    CVXMenu::xp_draw_3D_bitmaps = TRUE;
    CVXMenu::original_space_accelerators = TRUE;
    CVXMenu::xp_space_accelerators = TRUE;
    CVXMenu::SetIconSize(16, 15);
}

}  // namespace menutest
