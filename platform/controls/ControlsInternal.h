// What the standard controls share: notifications to the parent, colours
// asked of the parent, the font, text measures; the skeleton in ControlWindow.h.
#pragma once

#include "controls/ControlWindow.h"
#include "win32/user.h"
#include "win32/codepage.h"
#include "win32/controls.h"
#include "win32/gdi.h"
#include "win32/gditext.h"
#include "win32/input.h"
#include "win32/paint.h"
#include "win32/rect.h"
#include "win32/systime.h"
#include "win32/uidraw.h"
#include "win32/usersys.h"

#include <string>

namespace mivo {

// WM_COMMAND with the control's id and a notification code, to its parent.
void NotifyParent(HWND control, int code);
// The brush the parent gives for painting the control (WM_CTLCOLOR*), the
// default when the parent has none; the DC gets the parent's colours.
HBRUSH ControlColor(HWND control, HDC hdc, UINT ctlColorMessage);
// The control's font, the system's default GUI font when none was set.
HFONT ControlFont(HWND control);
// Height of a text line in the control's font.
int FontLineHeight(HWND control);
// A window's text (CP949).
std::string ControlText(HWND hwnd);
// Text width in the DC's font.
int TextWidth(HDC hdc, const char* text, int length);

// Byte length of the character at `i` (1 or 2) and the start of the one
// before it. Trail bytes look like letters, so scans begin at a known
// character start `from` (a line start will do: line breaks are never trail bytes).
size_t CharLengthAt(const std::string& s, size_t i);
size_t PreviousCharStart(const std::string& s, size_t i, size_t from = 0);
// Rounds a byte position down to a character start.
size_t CharStartAtOrBefore(const std::string& s, size_t i, size_t from = 0);
// Adds to the count of bytes text layout has stepped over (mivo/testing/layoutsteps.h).
void CountLayoutSteps(size_t steps);

// The client point of a mouse message.
inline POINT PointFromLParam(LPARAM lParam)
{
    return POINT{(short)LOWORD(lParam), (short)HIWORD(lParam)};
}

// Pixel values of system colours as the controls paint them.
inline COLORREF SysColor(int index) { return GetSysColor(index); }

}  // namespace mivo
