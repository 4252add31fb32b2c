// Where the parts of a window's frame lie, shared by painting, hit testing and tracking.
#pragma once

#include "win32/types.h"

#include <climits>

namespace mivo {

// Rectangles in screen coordinates; empty ones mean the part is absent.
struct FrameLayout {
    RECT window = {0, 0, 0, 0};
    RECT client = {0, 0, 0, 0};
    RECT caption = {0, 0, 0, 0};
    RECT sysMenu = {0, 0, 0, 0};
    RECT closeBtn = {0, 0, 0, 0};
    RECT maxBtn = {0, 0, 0, 0};
    RECT minBtn = {0, 0, 0, 0};
    RECT menuBar = {0, 0, 0, 0};
    RECT clientEdge = {0, 0, 0, 0};  // the rectangle the client edge is drawn around
    RECT vscroll = {0, 0, 0, 0};
    RECT hscroll = {0, 0, 0, 0};
    RECT sizeBox = {0, 0, 0, 0};
    int border = 0;  // frame thickness without the client edge
};

FrameLayout LayOutFrame(HWND hwnd);

// DefWindowProc's non-client handling.
LRESULT DefNcHitTest(HWND hwnd, POINT screen);
void DefNcPaint(HWND hwnd, HRGN rgn);
LRESULT DefNcCalcSize(HWND hwnd, BOOL calcValidRects, LPARAM lParam);
LRESULT DefNcLButtonDown(HWND hwnd, WPARAM hit, POINT screen);

// The parts of a window scroll bar along its axis (screen coordinates).
struct ScrollBarParts {
    RECT bar = {0, 0, 0, 0};
    RECT arrow1 = {0, 0, 0, 0};  // up or left
    RECT arrow2 = {0, 0, 0, 0};  // down or right
    RECT thumb = {0, 0, 0, 0};   // empty when the bar cannot scroll
    int trackStart = 0;          // along the axis
    int trackEnd = 0;
    int thumbLength = 0;
    bool vertical = false;
};

ScrollBarParts LayOutScrollBar(HWND hwnd, int bar, const RECT& barRect, int trackPosOverride = INT_MIN);
// The position a thumb dragged to `along` (axis coordinate of its leading edge) stands for.
int ScrollPosFromThumb(HWND hwnd, int bar, const ScrollBarParts& parts, int along);
void TrackScrollBar(HWND hwnd, int bar, POINT screen);

}  // namespace mivo
