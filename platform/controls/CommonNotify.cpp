// Notification helpers of the common controls.
#include "controls/CommonNotify.h"

namespace mivo {

LRESULT SendNotify(HWND from, UINT code, NMHDR* hdr, HWND to)
{
    if (!to)
        to = GetParent(from);
    hdr->hwndFrom = from;
    hdr->idFrom = (UINT_PTR)GetDlgCtrlID(from);
    hdr->code = code;
    if (!to || !IsWindow(to))
        return 0;
    return SendMessage(to, WM_NOTIFY, (WPARAM)hdr->idFrom, (LPARAM)hdr);
}

LRESULT SendNotify(HWND from, UINT code)
{
    NMHDR hdr = {};
    return SendNotify(from, code, &hdr);
}

LRESULT SendCustomDraw(HWND from, NMCUSTOMDRAW* cd, DWORD stage)
{
    cd->dwDrawStage = stage;
    return SendNotify(from, NM_CUSTOMDRAW, &cd->hdr);
}

}  // namespace mivo
