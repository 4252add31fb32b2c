// The "tooltips_class32" window procedure over ToolTipControl.
#include "controls/ToolTipControl.h"
#include "win32/cursors.h"

namespace mivo {

namespace {

LRESULT CALLBACK ToolTipProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* tip = ControlData<ToolTipControl>(hwnd);
    if (msg == WM_NCCREATE) {
        // A tool tip is always a top-most pop-up, whatever style it was created with.
        SetWindowLong(hwnd, GWL_STYLE, (GetWindowLong(hwnd, GWL_STYLE) & ~WS_CHILD) | WS_POPUP);
        SetWindowLong(hwnd, GWL_EXSTYLE, GetWindowLong(hwnd, GWL_EXSTYLE) | WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
        SetControlData(hwnd, new ToolTipControl(hwnd));
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
        SetControlData<ToolTipControl>(hwnd, nullptr);
        delete tip;
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    if (!tip)
        return DefWindowProc(hwnd, msg, wParam, lParam);
    return tip->Message(msg, wParam, lParam);
}

struct ToolTipClassRegistrar {
    ToolTipClassRegistrar() { RegisterControlClass(TOOLTIPS_CLASSA, ToolTipProc, CS_SAVEBITS, IDC_ARROW); }
};

ToolTipClassRegistrar registrar;

}  // namespace

}  // namespace mivo
