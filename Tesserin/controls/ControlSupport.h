// What the library's controls share: their font from a face and a point size, a context
// menu from a menu resource, and the buttons' tip and background copy.
#pragma once

#include "mfc.h"

// Copies a face name cut to at most 31 bytes, never inside a double-byte character.
void CopyFaceName(char* dest, const char* face);

// Remakes `font` as a TrueType font of `points` on the display (96 dots per inch).
BOOL CreateControlFont(CFont& font, const char* face, int points, int weight, BYTE pitchAndFamily);

// Remakes `font` from `lf` (nothing for null) or from a face and size, and gives it to `wnd`
// when it has a window.
void SetControlFont(CWnd& wnd, CFont& font, const LOGFONT* lf);
void SetControlFont(CWnd& wnd, CFont& font, const char* face, int points, int weight, BYTE pitchAndFamily);

// The buttons' tip over their whole client area: made on first use, its text replaced after.
void SetButtonTooltip(CWnd& button, CToolTipCtrl& tip, LPCSTR text, BOOL activate);
// Shows or hides a tip that has its tool.
void ActivateButtonTooltip(CToolTipCtrl& tip, BOOL activate);
// Frees the copy of the parent's background a transparent button paints from.
void DiscardBackgroundCopy(CDC& dc, CBitmap*& oldBitmap, CBitmap& bitmap);

// Copies `source`'s font into `font` (nothing when it has none).
void CopyControlFont(CFont& font, const CFont& source);

// Tracks the first popup of menu resource `menuId` at `point` for `wnd`.
// FALSE when there is no id or the menu does not load, so the caller can fall back.
BOOL TrackResourceContextMenu(CWnd* wnd, UINT menuId, CPoint point);

// The size of an icon (twice its hot spot, as the buttons lay icons out); false for no icon.
bool IconSize(HICON icon, DWORD& width, DWORD& height);
