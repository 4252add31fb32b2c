// What the edit field, the combo box and the label share: their font from a
// face and a point size, and a context menu from a menu resource.
#pragma once

#include "mfc.h"

// Copies a face name cut to at most 31 bytes, never inside a double-byte character.
void CopyFaceName(char* dest, const char* face);

// Remakes `font` as a TrueType font of `points` on the display (96 dots per inch).
BOOL CreateControlFont(CFont& font, const char* face, int points, int weight, BYTE pitchAndFamily);

// Copies `source`'s font into `font` (nothing when it has none).
void CopyControlFont(CFont& font, const CFont& source);

// Tracks the first popup of menu resource `menuId` at `point` for `wnd`.
// FALSE when there is no id or the menu does not load, so the caller can fall back.
BOOL TrackResourceContextMenu(CWnd* wnd, UINT menuId, CPoint point);
