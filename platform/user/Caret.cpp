// The caret: one per thread, shown in a window's client area.
#include "user/UserInternal.h"
#include "win32/input.h"

namespace mivo {

namespace {

struct Caret {
    HWND hwnd = nullptr;
    int width = 0;
    int height = 0;
    POINT pos = {0, 0};
    int hideCount = 1;  // a new caret starts hidden
};

Caret g_caret;
UINT g_blinkTime = 530;

}  // namespace

void HideCaretForPaint(HWND)
{
}

void ShowCaretAfterPaint(HWND)
{
}

}  // namespace mivo

using namespace mivo;

BOOL CreateCaret(HWND hWnd, HBITMAP, int nWidth, int nHeight)
{
    if (!IsWindow(hWnd))
        return FALSE;
    UserGuard guard(UserLock());
    g_caret = Caret();
    g_caret.hwnd = hWnd;
    g_caret.width = nWidth > 0 ? nWidth : 1;
    g_caret.height = nHeight > 0 ? nHeight : 1;
    return TRUE;
}

BOOL DestroyCaret()
{
    UserGuard guard(UserLock());
    if (!g_caret.hwnd)
        return FALSE;
    g_caret = Caret();
    return TRUE;
}

BOOL ShowCaret(HWND hWnd)
{
    UserGuard guard(UserLock());
    if (!g_caret.hwnd || (hWnd && hWnd != g_caret.hwnd))
        return FALSE;
    if (g_caret.hideCount > 0)
        --g_caret.hideCount;
    return TRUE;
}

BOOL HideCaret(HWND hWnd)
{
    UserGuard guard(UserLock());
    if (!g_caret.hwnd || (hWnd && hWnd != g_caret.hwnd))
        return FALSE;
    ++g_caret.hideCount;
    return TRUE;
}

BOOL SetCaretPos(int X, int Y)
{
    UserGuard guard(UserLock());
    if (!g_caret.hwnd)
        return FALSE;
    g_caret.pos = POINT{X, Y};
    return TRUE;
}

BOOL GetCaretPos(LPPOINT lpPoint)
{
    if (!lpPoint)
        return FALSE;
    UserGuard guard(UserLock());
    *lpPoint = g_caret.pos;
    return TRUE;
}

UINT GetCaretBlinkTime()
{
    return g_blinkTime;
}

BOOL SetCaretBlinkTime(UINT uMSeconds)
{
    g_blinkTime = uMSeconds;
    return TRUE;
}
