// The in-place "Edit" box of tree and list labels: Enter ends it with the
// text, Escape cancels, losing the focus ends it with the text.
#pragma once

#include "controls/ControlsInternal.h"

#include <functional>
#include <string>

namespace mivo {

class LabelEditor {
public:
    // Called once when editing ends: the text, or null when cancelled.
    typedef std::function<void(const char* text)> Finish;

    LabelEditor() = default;
    ~LabelEditor() { Destroy(); }
    LabelEditor(const LabelEditor&) = delete;
    LabelEditor& operator=(const LabelEditor&) = delete;

    HWND Start(HWND owner, const RECT& rc, const std::string& text, HFONT font, Finish finish);
    // Ends an open editor (with its text unless `cancel`); false when none was open.
    bool End(bool cancel);
    HWND Window() const { return edit_; }
    bool Active() const { return edit_ != nullptr; }

private:
    static LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Destroy();

    HWND edit_ = nullptr;
    WNDPROC oldProc_ = nullptr;
    Finish finish_;
    bool ending_ = false;
};

}  // namespace mivo
