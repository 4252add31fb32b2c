// The "SysTreeView32" window procedure over TreeViewControl.
#include "controls/TreeViewControl.h"
#include "win32/cursors.h"

namespace mivo {

namespace {

LRESULT CALLBACK TreeViewProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* tv = ControlData<TreeViewControl>(hwnd);
    if (msg == WM_NCCREATE) {
        SetControlData(hwnd, new TreeViewControl(hwnd));
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
        SetControlData<TreeViewControl>(hwnd, nullptr);
        delete tv;
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    if (!tv)
        return DefWindowProc(hwnd, msg, wParam, lParam);
    if (msg == WM_CREATE) {
        tv->Create();
        return 0;
    }
    if (msg == WM_DESTROY)
        SendMessage(hwnd, TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT);
    return tv->Message(msg, wParam, lParam);
}

struct TreeViewClassRegistrar {
    TreeViewClassRegistrar() { RegisterControlClass(WC_TREEVIEWA, TreeViewProc, CS_DBLCLKS, IDC_ARROW); }
};

TreeViewClassRegistrar registrar;

}  // namespace

}  // namespace mivo
