// The caret: one per thread, blinking by inverting its rectangle in a window's client area.
#include "user/Painting.h"
#include "win32/gdi.h"
#include "win32/input.h"
#include "win32/paint.h"
#include "win32/uidraw.h"
#include "win32/usersys.h"

namespace mivo {

namespace {

struct Caret {
    HWND hwnd = nullptr;
    int width = 0;
    int height = 0;
    POINT pos = {0, 0};
    int hideCount = 1;  // a new caret starts hidden
    bool drawn = false;
    bool pausedForPaint = false;
    UINT_PTR timer = 0;
};

thread_local Caret t_caret;

void Invert(const Caret& c)
{
    HDC dc = GetDC(c.hwnd);
    if (!dc)
        return;
    RECT r{c.pos.x, c.pos.y, c.pos.x + c.width, c.pos.y + c.height};
    InvertRect(dc, &r);
    ReleaseDC(c.hwnd, dc);
}

void Draw(Caret& c, bool on)
{
    if (c.drawn == on || !c.hwnd || !IsWindow(c.hwnd))
        return;
    Invert(c);
    c.drawn = on;
}

void CALLBACK Blink(HWND, UINT, UINT_PTR, DWORD)
{
    Caret& c = t_caret;
    if (c.hwnd && c.hideCount == 0 && !c.pausedForPaint)
        Draw(c, !c.drawn);
}

void RestartBlink(Caret& c)
{
    if (c.timer)
        KillTimer(nullptr, c.timer);
    c.timer = State().desktop.caretBlinkTime ? SetTimer(nullptr, 0, State().desktop.caretBlinkTime, Blink) : 0;
}

}  // namespace

void HideCaretForPaint(HWND hwnd)
{
    Caret& c = t_caret;
    if (c.hwnd == hwnd && c.drawn) {
        Draw(c, false);
        c.pausedForPaint = true;
    }
}

void ShowCaretAfterPaint(HWND hwnd)
{
    Caret& c = t_caret;
    if (c.hwnd == hwnd && c.pausedForPaint) {
        c.pausedForPaint = false;
        if (c.hideCount == 0)
            Draw(c, true);
    }
}

void ForgetCaretOf(HWND hwnd)
{
    Caret& c = t_caret;
    if (c.hwnd != hwnd)
        return;
    if (c.timer)
        KillTimer(nullptr, c.timer);
    c = Caret();  // the window's pixels go with it; nothing to erase
}

}  // namespace mivo

using namespace mivo;

BOOL CreateCaret(HWND hWnd, HBITMAP, int nWidth, int nHeight)
{
    if (!IsWindow(hWnd))
        return FALSE;
    DestroyCaret();
    Caret& c = t_caret;
    c.hwnd = hWnd;
    c.width = nWidth > 0 ? nWidth : GetSystemMetrics(SM_CXBORDER);
    c.height = nHeight > 0 ? nHeight : GetSystemMetrics(SM_CYBORDER);
    c.hideCount = 1;
    RestartBlink(c);
    return TRUE;
}

BOOL DestroyCaret()
{
    Caret& c = t_caret;
    if (!c.hwnd)
        return FALSE;
    Draw(c, false);
    if (c.timer)
        KillTimer(nullptr, c.timer);
    c = Caret();
    return TRUE;
}

BOOL ShowCaret(HWND hWnd)
{
    Caret& c = t_caret;
    if (!c.hwnd || (hWnd && hWnd != c.hwnd))
        return FALSE;
    if (c.hideCount > 0 && --c.hideCount == 0) {
        Draw(c, true);
        RestartBlink(c);
    }
    return TRUE;
}

BOOL HideCaret(HWND hWnd)
{
    Caret& c = t_caret;
    if (!c.hwnd || (hWnd && hWnd != c.hwnd))
        return FALSE;
    if (c.hideCount == 0)
        Draw(c, false);
    ++c.hideCount;
    return TRUE;
}

BOOL SetCaretPos(int X, int Y)
{
    Caret& c = t_caret;
    if (!c.hwnd)
        return FALSE;
    if (c.pos.x == X && c.pos.y == Y)
        return TRUE;
    bool was = c.drawn;
    Draw(c, false);
    c.pos = POINT{X, Y};
    if (was || c.hideCount == 0) {
        Draw(c, true);
        RestartBlink(c);
    }
    return TRUE;
}

BOOL GetCaretPos(LPPOINT lpPoint)
{
    if (!lpPoint)
        return FALSE;
    *lpPoint = t_caret.pos;
    return TRUE;
}

UINT GetCaretBlinkTime()
{
    return State().desktop.caretBlinkTime;
}

BOOL SetCaretBlinkTime(UINT uMSeconds)
{
    State().desktop.caretBlinkTime = uMSeconds;
    return TRUE;
}
