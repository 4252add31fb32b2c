// Layered windows as programs find them: by name in "USER32.DLL", a module
// registered in-process. Alpha becomes the native window's opacity; colour
// keys and per-pixel alpha are kept but not shown by this display.
#include "controls/ControlsInternal.h"
#include "win32/commctrl.h"
#include "win32/modules.h"
#include "win32/userext.h"

namespace mivo {

namespace {

const char kAlphaProp[] = "MivoLayeredAlpha";
const char kKeyProp[] = "MivoLayeredKey";

bool Layered(HWND hwnd)
{
    return IsWindow(hwnd) && (GetWindowLong(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED);
}

BOOL LayeredAttributes(HWND hwnd, COLORREF crKey, BYTE bAlpha, DWORD dwFlags)
{
    if (!Layered(hwnd)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (dwFlags & LWA_COLORKEY)
        SetProp(hwnd, kKeyProp, (HANDLE)(ULONG_PTR)(crKey | 0x01000000));
    if (dwFlags & LWA_ALPHA) {
        SetProp(hwnd, kAlphaProp, (HANDLE)(ULONG_PTR)(0x100 | bAlpha));
        SetNativeWindowOpacity(hwnd, bAlpha);
    }
    return TRUE;
}

BOOL UpdateLayered(HWND hwnd, HDC, POINT* pptDst, SIZE* psize, HDC hdcSrc, POINT* pptSrc, COLORREF crKey,
                   BLENDFUNCTION* pblend, DWORD dwFlags)
{
    if (!Layered(hwnd)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (pptDst || psize) {
        RECT rc;
        GetWindowRect(hwnd, &rc);
        int x = pptDst ? pptDst->x : rc.left, y = pptDst ? pptDst->y : rc.top;
        int w = psize ? psize->cx : rc.right - rc.left, h = psize ? psize->cy : rc.bottom - rc.top;
        SetWindowPos(hwnd, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (hdcSrc && psize) {
        HDC dc = GetWindowDC(hwnd);
        POINT src = pptSrc ? *pptSrc : POINT{0, 0};
        BitBlt(dc, 0, 0, psize->cx, psize->cy, hdcSrc, src.x, src.y, SRCCOPY);
        ReleaseDC(hwnd, dc);
    }
    BYTE alpha = (pblend && (dwFlags & ULW_ALPHA)) ? pblend->SourceConstantAlpha : 255;
    return LayeredAttributes(hwnd, crKey, alpha, LWA_ALPHA | ((dwFlags & ULW_COLORKEY) ? LWA_COLORKEY : 0));
}

struct User32ModuleRegistrar {
    User32ModuleRegistrar()
    {
        ExportMap exports;
        exports["SetLayeredWindowAttributes"] = (void*)&LayeredAttributes;
        exports["UpdateLayeredWindow"] = (void*)&UpdateLayered;
        RegisterInProcessModule("USER32.DLL", exports);
    }
};

User32ModuleRegistrar registrar;

}  // namespace

}  // namespace mivo
