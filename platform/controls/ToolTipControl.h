// The "tooltips_class32" control: tools (rectangles of a window, or whole
// windows), relayed mouse messages, a top-most pop-up after the delay, and
// text given or asked for with TTN_GETDISPINFO. The procedure is in ToolTip.cpp.
#pragma once

#include "controls/ControlsInternal.h"
#include "win32/commctrl.h"

#include <string>
#include <vector>

namespace mivo {

struct ToolTipTool {
    UINT flags = 0;
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    RECT rect = {0, 0, 0, 0};
    HINSTANCE hinst = nullptr;
    std::string text;
    bool callback = false;
    LPARAM data = 0;
};

class ToolTipControl {
public:
    static const UINT_PTR kShowTimer = 1;
    static const UINT_PTR kHideTimer = 2;

    // Whether a tool's text is text (not a callback or a resource id).
    static bool HasText(LPCSTR text) { return text && text != LPSTR_TEXTCALLBACKA && !IS_INTRESOURCE(text); }

    static const int kMaxTools = 4096;
    static const int kMaxText = 4096;

    explicit ToolTipControl(HWND hwnd) : hwnd_(hwnd) {}

    LRESULT Message(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    int Find(const TOOLINFOA* ti) const;
    void Store(ToolTipTool& tool, const TOOLINFOA& ti);
    void Fill(const ToolTipTool& tool, TOOLINFOA* ti) const;
    int ToolAt(HWND hwnd, POINT client) const;
    void Relay(const MSG& msg);
    std::string TextOf(int index);
    void Show();
    void Hide();
    void Paint(HDC hdc);
    int Delay(int which) const;

    HWND hwnd_;
    std::vector<ToolTipTool> tools_;
    bool active_ = true;
    int current_ = -1;  // tool under the pointer
    int shown_ = -1;    // tool whose tip shows
    std::string shownText_;
    int maxWidth_ = -1;
    int delays_[4] = {-1, -1, -1, -1};
    COLORREF bk_ = CLR_DEFAULT;
    COLORREF text_ = CLR_DEFAULT;
    HFONT font_ = nullptr;
    POINT lastPoint_ = {0, 0};
};

}  // namespace mivo
