// The system colours of classic Windows and their stock brushes.
#include "user/NonClientDefaults.h"
#include "user/GdiLink.h"
#include "win32/usersys.h"

namespace {

COLORREF g_colors[31] = {
    RGB(212, 208, 200),  // COLOR_SCROLLBAR
    RGB(58, 110, 165),   // COLOR_BACKGROUND
    RGB(10, 36, 106),    // COLOR_ACTIVECAPTION
    RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
    RGB(212, 208, 200),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(0, 0, 0),        // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
    RGB(212, 208, 200),  // COLOR_ACTIVEBORDER
    RGB(212, 208, 200),  // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),  // COLOR_APPWORKSPACE
    RGB(10, 36, 106),    // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(212, 208, 200),  // COLOR_BTNFACE
    RGB(128, 128, 128),  // COLOR_BTNSHADOW
    RGB(128, 128, 128),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(212, 208, 200),  // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(64, 64, 64),     // COLOR_3DDKSHADOW
    RGB(212, 208, 200),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    RGB(181, 181, 181),  // 25, unused
    RGB(0, 0, 128),      // COLOR_HOTLIGHT
    RGB(166, 202, 240),  // COLOR_GRADIENTACTIVECAPTION
    RGB(192, 192, 192),  // COLOR_GRADIENTINACTIVECAPTION
    RGB(10, 36, 106),    // COLOR_MENUHILIGHT
    RGB(212, 208, 200),  // COLOR_MENUBAR
};

HBRUSH g_brushes[31] = {};
HBRUSH g_trough = nullptr;
COLORREF g_troughColors[2] = {CLR_INVALID, CLR_INVALID};

}  // namespace

using namespace mivo;

DWORD GetSysColor(int nIndex)
{
    if (nIndex < 0 || nIndex >= (int)(sizeof(g_colors) / sizeof(g_colors[0])))
        return 0;
    return g_colors[nIndex];
}

HBRUSH GetSysColorBrush(int nIndex)
{
    if (nIndex < 0 || nIndex >= (int)(sizeof(g_colors) / sizeof(g_colors[0])))
        return nullptr;
    UserGuard guard(UserLock());
    if (!g_brushes[nIndex])
        g_brushes[nIndex] = SolidBrush(g_colors[nIndex]);
    return g_brushes[nIndex];
}

namespace mivo {

// Scroll bar troughs: the dithered face and highlight while COLOR_SCROLLBAR is the face
// colour, as classic Windows draws them; a colour of its own is painted plain.
HBRUSH ScrollBarTroughBrush()
{
    COLORREF face = GetSysColor(COLOR_3DFACE), light = GetSysColor(COLOR_3DHILIGHT);
    if (GetSysColor(COLOR_SCROLLBAR) != face)
        return GetSysColorBrush(COLOR_SCROLLBAR);
    UserGuard guard(UserLock());
    if (!g_trough || g_troughColors[0] != light || g_troughColors[1] != face) {
        // The old brush may still be selected somewhere; like the stock brushes it is kept.
        g_trough = CheckerBrush(light, face);
        g_troughColors[0] = light;
        g_troughColors[1] = face;
    }
    return g_trough;
}

}  // namespace mivo

BOOL SetSysColors(int cElements, const INT* lpaElements, const COLORREF* lpaRgbValues)
{
    if (!lpaElements || !lpaRgbValues)
        return FALSE;
    {
        UserGuard guard(UserLock());
        for (int i = 0; i < cElements; ++i) {
            int idx = lpaElements[i];
            if (idx < 0 || idx >= (int)(sizeof(g_colors) / sizeof(g_colors[0])))
                continue;
            g_colors[idx] = lpaRgbValues[i] & 0xFFFFFF;
            g_brushes[idx] = nullptr;  // stock brushes are never freed; a new one is made on demand
        }
    }
    SendMessage(HWND_BROADCAST, WM_SYSCOLORCHANGE, 0, 0);
    return TRUE;
}

