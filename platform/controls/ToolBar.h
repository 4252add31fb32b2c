// State and layout of the "ToolbarWindow32" control: buttons in rows,
// images from bitmap strips or image lists, texts from a string pool.
#pragma once

#include "controls/BarsInternal.h"
#include "win32/commctrl.h"

#include <string>
#include <vector>

namespace mivo {

struct ToolButton {
    int image = 0;
    int command = 0;
    BYTE state = TBSTATE_ENABLED;
    BYTE style = TBSTYLE_BUTTON;
    DWORD_PTR data = 0;
    std::string text;
    int width = 0;  // TBIF_SIZE; 0: measured
    RECT rect = {0, 0, 0, 0};

    bool Separator() const { return (style & TBSTYLE_SEP) != 0; }
    bool Hidden() const { return (state & TBSTATE_HIDDEN) != 0; }
    bool Enabled() const { return (state & TBSTATE_ENABLED) != 0; }
};

// One bitmap handed in with TB_ADDBITMAP: `count` images side by side.
struct ToolStrip {
    HBITMAP bitmap = nullptr;
    int count = 0;
    bool owned = false;
    HINSTANCE instance = nullptr;
    UINT_PTR id = 0;
};

class ToolBarState {
public:
    static const int kMaxButtons = 4096;
    static const int kMaxStrings = 4096;
    static const int kSeparatorWidth = 8;
    static const int kDropArrowWidth = 14;
    static const int kWrappedSeparatorGap = 6;

    std::vector<ToolButton> buttons;
    std::vector<std::string> strings;
    std::vector<ToolStrip> strips;
    SIZE bitmapSize = {16, 15};
    SIZE buttonSize = {23, 22};
    SIZE padding = {7, 6};
    HIMAGELIST imageLists[3] = {nullptr, nullptr, nullptr};  // normal, hot, disabled
    DWORD exStyle = 0;
    HWND notify = nullptr;
    HWND toolTips = nullptr;
    int indent = 0;
    int maxTextRows = 1;
    int rows = 1;
    int hot = -1;
    int pressed = -1;
    bool pressedInside = false;
    bool trackingLeave = false;
    bool releasing = false;  // the button came up: losing the capture is no cancel

    ~ToolBarState();

    int CommandToIndex(int command) const;
    ToolButton* ByCommand(int command);
    bool HasText() const;
    bool HasDropArrow(const ToolButton& b) const;
    int ImageCount() const;

    // Measures the buttons and places them in rows; `width` is the client
    // width a TBSTYLE_WRAPABLE bar wraps at (0: never).
    void Layout(HDC measure, DWORD style, int width);
    SIZE ButtonSize(HDC measure, DWORD style) const;
    SIZE MaxSize() const;
    int HitTest(POINT pt) const;
    // The drop-down arrow's part of a button, empty when it has none.
    RECT ArrowRect(const ToolButton& b) const;
};

// Draws the whole bar into `hdc`.
void PaintToolBar(HWND hwnd, ToolBarState& tb, HDC hdc);

}  // namespace mivo
