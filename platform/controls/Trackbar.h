// The "msctls_trackbar32" control's state and geometry; painting in
// TrackbarLayout.cpp, the window procedure in Trackbar.cpp.
#pragma once

#include "controls/BarsInternal.h"

#include <algorithm>
#include <vector>

namespace mivo {

const int kDefaultThumbLength = 21;
const int kMaxTics = 4096;  // auto tics with a tiny frequency over a huge range

// Geometry along the bar ("u") and across it ("v"); vertical bars swap axes.
struct TrackGeometry {
    RECT channel;
    RECT thumb;
    int thumbBreadth;  // across the bar, tip included
    int thumbWidth;    // along the bar
    int first, last;   // pixel range of the thumb's centre
};

class TrackbarState {
public:
    int min = 0, max = 100, pos = 0;
    int page = -1;  // -1: a fifth of the range
    int line = 1;
    int ticFreq = 1;
    std::vector<int> customTics;
    std::vector<int> ticCache;  // what TBM_GETPTICS hands out
    int selStart = 0, selEnd = 0;
    int thumbLength = kDefaultThumbLength;
    HWND buddies[2] = {nullptr, nullptr};
    bool dragging = false;
    int grabOffset = 0;
    int pagingCode = -1;  // TB_PAGEUP/TB_PAGEDOWN while the channel is held
    POINT pagingPoint = {0, 0};
    int keyCode = -1;     // a key's scroll code until the key comes up

    int Clamp(int v) const { return std::max(min, std::min(v, max)); }
    int PageSize() const { return page >= 0 ? page : std::max(1, (max - min) / 5); }

    // Tics between the ends, sorted, without the ends themselves.
    const std::vector<int>& InteriorTics(DWORD style)
    {
        ticCache.clear();
        if (style & TBS_NOTICKS)
            return ticCache;
        for (int t : customTics)
            if (t > min && t < max)
                ticCache.push_back(t);
        if ((style & TBS_AUTOTICKS) && ticFreq > 0) {
            for (long long t = (long long)min + ticFreq; t < max && (int)ticCache.size() < kMaxTics; t += ticFreq)
                ticCache.push_back((int)t);
        }
        std::sort(ticCache.begin(), ticCache.end());
        ticCache.erase(std::unique(ticCache.begin(), ticCache.end()), ticCache.end());
        return ticCache;
    }
};


inline bool Vertical(DWORD style)
{
    return (style & TBS_VERT) != 0;
}

// Where the channel and the thumb are with the thumb at `position`.
TrackGeometry MeasureTrackbar(HWND hwnd, const TrackbarState& tb, int position);
// The pixel along the bar of a value's thumb centre, and the value at a pixel.
int PixelOf(HWND hwnd, const TrackbarState& tb, int value);
int ValueAt(HWND hwnd, const TrackbarState& tb, int pixel);
void PaintTrackbar(HWND hwnd, TrackbarState& tb, HDC hdc);

}  // namespace mivo
