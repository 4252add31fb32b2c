// The "SysTabControl32" control's items and state; layout and painting in
// TabLayout.cpp, the window procedure in Tab.cpp.
#pragma once

#include "controls/BarsInternal.h"

#include <string>
#include <vector>

namespace mivo {

struct TabItem {
    std::string text;
    int image = -1;
    LPARAM data = 0;
    DWORD state = 0;
    RECT rect = {0, 0, 0, 0};
    int row = 0;
};

class TabState {
public:
    std::vector<TabItem> items;
    int current = -1;
    int focus = -1;
    HIMAGELIST images = nullptr;
    HWND toolTips = nullptr;
    SIZE fixedSize = {0, 0};
    SIZE padding = {6, 3};
    int minTabWidth = -1;
    int rows = 1;
    int tabHeight = 0;
    DWORD exStyle = 0;

    bool Valid(int i) const { return i >= 0 && i < (int)items.size(); }
};

// Measures the tabs and places them in rows (TCS_MULTILINE) over the display area.
void LayoutTabs(HWND hwnd, TabState& tc);
// Window rectangle to display area, or back when `larger`.
void AdjustTabRect(const TabState& tc, bool larger, RECT* r);
void PaintTabs(HWND hwnd, TabState& tc, HDC hdc);
// The tab under a client point, -1 for none.
int TabHitTest(const TabState& tc, POINT pt, UINT* flags);

}  // namespace mivo
