// The "msctls_statusbar32" control's parts and state; layout and painting in
// StatusBarLayout.cpp, the window procedure in StatusBar.cpp.
#pragma once

#include "controls/BarsInternal.h"

#include <string>
#include <vector>

namespace mivo {

const int kHorzBorder = 0;
const int kVertBorder = 2;
const int kPartGap = 2;
const int kTextInset = 3;

struct StatusPart {
    int right = -1;
    std::string text;
    UINT type = 0;
    LPARAM data = 0;  // SBT_OWNERDRAW
    HICON icon = nullptr;
    std::string tip;
};

class StatusBarState {
public:
    std::vector<StatusPart> parts = std::vector<StatusPart>(1);
    StatusPart simplePart;
    bool simple = false;
    int minHeight = 0;
    COLORREF back = CLR_DEFAULT;
    bool placing = false;

    StatusPart* Part(int index)
    {
        if (index == SB_SIMPLEID)
            return &simplePart;
        return index >= 0 && index < (int)parts.size() ? &parts[(size_t)index] : nullptr;
    }

    void SetParts(const int* rights, int count)
    {
        parts.resize((size_t)count);
        for (int i = 0; i < count; ++i)
            parts[(size_t)i].right = rights[i];
    }
};

// Whether the bar draws a size grip (SBARS_SIZEGRIP, the parent not maximized).
bool HasGrip(HWND hwnd);
// A part's rectangle: each ends at its right edge (-1: the bar's right), the
// next begins a gap after it; SB_SIMPLEID is the simple mode's one part.
RECT PartRect(HWND hwnd, const StatusBarState& sb, int index);
// Lies along the parent's bottom (or top) edge at the parent's full width.
void PlaceInParent(HWND hwnd, StatusBarState& sb);
void PaintStatusBar(HWND hwnd, StatusBarState& sb, HDC hdc);

}  // namespace mivo
