// The "SysListView32" window procedure over ListViewControl.
#include "controls/ListViewControl.h"
#include "win32/cursors.h"

namespace mivo {

namespace {

LRESULT CALLBACK ListViewProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* lv = ControlData<ListViewControl>(hwnd);
    if (msg == WM_NCCREATE) {
        SetControlData(hwnd, new ListViewControl(hwnd));
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
        SetControlData<ListViewControl>(hwnd, nullptr);
        delete lv;
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    if (!lv)
        return DefWindowProc(hwnd, msg, wParam, lParam);
    if (msg == WM_CREATE) {
        lv->Create();
        return 0;
    }
    if (msg == WM_DESTROY)
        SendMessage(hwnd, LVM_DELETEALLITEMS, 0, 0);
    return lv->Message(msg, wParam, lParam);
}

struct ListViewClassRegistrar {
    ListViewClassRegistrar() { RegisterControlClass(WC_LISTVIEWA, ListViewProc, CS_DBLCLKS, IDC_ARROW); }
};

ListViewClassRegistrar registrar;

}  // namespace

}  // namespace mivo
