// Small helpers the CVXMenu sources share: the menu font, the window whose
// device context measures, text conversions.
#pragma once

#include "mfc.h"

#include <string>

namespace vxmenu {

// The menu font of the non-client metrics.
HFONT CreateMenuFont();
// The main window, or the desktop when there is none.
HWND MeasuringWindow();
// 8-bit text in the ANSI code page as wide text; null stays null.
std::u16string Widen(LPCSTR text);
bool IsNull(LPCSTR text);
// Lower-cases ASCII letters only, leaving double-byte characters whole.
CString LowerAnsi(const CString& text);
// Wide text up to the first tab, and after the last one (empty without a tab).
std::u16string LeftOfTab(const WCHAR* text);
std::u16string RightOfTab(const WCHAR* text);
bool HasTab(const WCHAR* text);
size_t WideLength(const WCHAR* text);
// The part before the first tab left-aligned and the part after the last tab
// right-aligned, both on one line centred in `rect`.
void DrawItemText(HDC dc, const WCHAR* text, const RECT& rect);

}  // namespace vxmenu
