// Layered windows as programs find them: by name in "USER32.DLL", a module
// registered in the process. The constant alpha becomes the native window's
// opacity; a colour key is kept but not shown by this display.
#include "user/NativeSurface.h"
#include "win32/commctrl.h"
#include "win32/errors.h"
#include "win32/paint.h"
#include "mivo/modules.h"

namespace mivo {

namespace {

bool StoreLayered(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags)
{
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hwnd);
        if (!w || !(w->exStyle & WS_EX_LAYERED))
            return false;
        if (flags & LWA_COLORKEY)
            w->layeredKey = key;
        if (flags & LWA_ALPHA)
            w->layeredAlpha = alpha;
    }
    NotifyNativeState(hwnd);
    return true;
}

BOOL WINAPI LayeredAttributes(HWND hwnd, COLORREF crKey, BYTE bAlpha, DWORD dwFlags)
{
    if (!StoreLayered(hwnd, crKey, bAlpha, dwFlags)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return TRUE;
}

BOOL WINAPI GetLayeredAttributes(HWND hwnd, COLORREF* pcrKey, BYTE* pbAlpha, DWORD* pdwFlags)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hwnd);
    if (!w || !(w->exStyle & WS_EX_LAYERED)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (pcrKey)
        *pcrKey = w->layeredKey == CLR_INVALID ? 0 : w->layeredKey;
    if (pbAlpha)
        *pbAlpha = w->layeredAlpha;
    if (pdwFlags)
        *pdwFlags = LWA_ALPHA | (w->layeredKey == CLR_INVALID ? 0 : LWA_COLORKEY);
    return TRUE;
}

// Moves and sizes the window as asked, copies the source picture into it and
// applies the constant alpha.
BOOL WINAPI UpdateLayered(HWND hwnd, HDC, POINT* pptDst, SIZE* psize, HDC hdcSrc, POINT* pptSrc, COLORREF crKey,
                          BLENDFUNCTION* pblend, DWORD dwFlags)
{
    if (!IsWindow(hwnd) || !(GetWindowLong(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (pptDst || psize) {
        RECT rc;
        GetWindowRect(hwnd, &rc);
        int x = pptDst ? pptDst->x : rc.left, y = pptDst ? pptDst->y : rc.top;
        int cx = psize ? psize->cx : rc.right - rc.left, cy = psize ? psize->cy : rc.bottom - rc.top;
        SetWindowPos(hwnd, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (hdcSrc && psize) {
        HDC dc = GetWindowDC(hwnd);
        POINT src = pptSrc ? *pptSrc : POINT{0, 0};
        BitBlt(dc, 0, 0, psize->cx, psize->cy, hdcSrc, src.x, src.y, SRCCOPY);
        ReleaseDC(hwnd, dc);
    }
    BYTE alpha = (pblend && (dwFlags & ULW_ALPHA)) ? pblend->SourceConstantAlpha : 255;
    DWORD flags = LWA_ALPHA | ((dwFlags & ULW_COLORKEY) ? LWA_COLORKEY : 0);
    return StoreLayered(hwnd, crKey, alpha, flags) ? TRUE : FALSE;
}

struct User32ModuleRegistrar {
    User32ModuleRegistrar()
    {
        ExportMap exports;
        exports["SetLayeredWindowAttributes"] = (void*)&LayeredAttributes;
        exports["GetLayeredWindowAttributes"] = (void*)&GetLayeredAttributes;
        exports["UpdateLayeredWindow"] = (void*)&UpdateLayered;
        RegisterInProcessModule("USER32.DLL", exports);
    }
};

User32ModuleRegistrar registrar;

}  // namespace

}  // namespace mivo
