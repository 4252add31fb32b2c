// State and layout of the "ReBarWindow32" control: bands in rows, each with
// a gripper, a title, a child window and an optional background bitmap.
#pragma once

#include "controls/BarsInternal.h"

#include <string>
#include <vector>

namespace mivo {

struct ReBarBand {
    UINT style = 0;
    COLORREF fore = CLR_DEFAULT;
    COLORREF back = CLR_DEFAULT;
    std::string text;
    int image = -1;
    HWND child = nullptr;
    int cxMinChild = 0;
    int cyMinChild = 0;
    int cx = 0;
    HBITMAP background = nullptr;
    UINT id = 0;
    int cyChild = 0;
    int cyMaxChild = 0;
    int cyIntegral = 0;
    int cxIdeal = 0;
    LPARAM lParam = 0;
    int cxHeader = -1;  // -1: measured
    // Layout results.
    RECT rect = {0, 0, 0, 0};
    RECT childRect = {0, 0, 0, 0};
    RECT chevron = {0, 0, 0, 0};
    int row = 0;

    bool Hidden() const { return (style & RBBS_HIDDEN) != 0; }
};

class ReBarState {
public:
    static const int kMaxBands = 256;
    static const int kGripperWidth = 8;
    static const int kChevronWidth = 14;
    static const int kBandBorder = 2;
    static const int kChildMargin = 2;
    static const int kImageGap = 2;  // between a band's image and its title

    std::vector<ReBarBand> bands;
    std::vector<int> rowHeights;
    HIMAGELIST images = nullptr;
    COLORREF back = CLR_DEFAULT;
    COLORREF text = CLR_DEFAULT;
    HWND notify = nullptr;
    HWND toolTips = nullptr;
    bool placing = false;

    int HeaderWidth(HDC measure, const ReBarBand& band) const;
    // Places the bands in rows across `width`; returns the bar's height.
    int Layout(HDC measure, DWORD style, int width);
    int BarHeight(DWORD style) const;
};

// The bar's face and the bands' backgrounds, then everything drawn over them.
void PaintReBarBackgrounds(HWND hwnd, const ReBarState& rb, HDC hdc);
void PaintReBar(HWND hwnd, const ReBarState& rb, HDC hdc);

}  // namespace mivo
