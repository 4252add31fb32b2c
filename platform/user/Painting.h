// Update regions, window DCs, surface flushing and the caret around painting.
#pragma once

#include "user/UserState.h"

namespace mivo {

HWND FindWindowToPaintLocked(DWORD threadId, HWND within);
// GetDC's default: clip children and siblings as the window's styles ask.
#define DCX_USESTYLE_INTERNAL 0x00010000L
HDC MakeWindowDC(HWND hwnd, const RectSet* intersect, DWORD flags, bool paint);
RectSet VisibleRegionLocked(const Window& w, bool clientOnly, bool clipChildren, bool clipSiblings);
void InvalidateWindowLocked(Window& w, const RECT* clientRect, UINT flags);
void InvalidateAfterReparent(HWND hwnd, HWND oldParent);
void FlushSurface(HWND topLevel, const RECT& dirty);
LRESULT DefPrint(HWND hwnd, HDC hdc, DWORD flags, bool clientOnly);

void HideCaretForPaint(HWND hwnd);
void ShowCaretAfterPaint(HWND hwnd);
void ForgetCaretOf(HWND hwnd);

}  // namespace mivo
