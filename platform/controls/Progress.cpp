// The "msctls_progress32" class: a bar that fills from its minimum to its
// position, in blocks or (PBS_SMOOTH) solid.
#include "controls/BarsInternal.h"
#include "controls/BuiltinClasses.h"

#include <algorithm>

namespace mivo {

namespace {

const int kBlockGap = 2;

class ProgressState {
public:
    int low = 0;
    int high = 100;
    int pos = 0;
    int step = 10;
    COLORREF bar = CLR_DEFAULT;
    COLORREF back = CLR_DEFAULT;

    int Clamp(int v) const { return std::max(low, std::min(v, high)); }

    LRESULT SetRange(int lo, int hi)
    {
        LRESULT old = MAKELONG((WORD)low, (WORD)high);
        low = lo;
        high = hi;
        pos = Clamp(pos);
        return old;
    }

    int SetPos(int v)
    {
        int old = pos;
        pos = Clamp(v);
        return old;
    }

    // Stepping past the maximum starts over from the minimum.
    int StepIt()
    {
        int old = pos;
        long long next = (long long)pos + step;
        if (next > high)
            next = low + (next - high) % std::max(1LL, (long long)high - low);
        pos = Clamp((int)next);
        return old;
    }

    // Length of the filled part out of `length` pixels.
    int Filled(int length) const
    {
        long long span = (long long)high - low;
        if (span <= 0 || length <= 0)
            return 0;
        return (int)((long long)length * (pos - low) / span);
    }
};

void Paint(HWND hwnd, const ProgressState& pb, HDC hdc)
{
    RECT rc = ClientRect(hwnd);
    DWORD style = StyleOf(hwnd);
    bool vertical = (style & PBS_VERTICAL) != 0;
    HBRUSH back = CreateSolidBrush(ResolveColor(pb.back, COLOR_3DFACE));
    FillRect(hdc, &rc, back);
    DeleteObject(back);
    RECT border = rc;
    DrawEdge(hdc, &border, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    RECT inner = border;
    InflateRect(&inner, -1, -1);
    int length = vertical ? RectHeight(inner) : RectWidth(inner);
    int filled = pb.Filled(length);
    if (filled <= 0)
        return;
    HBRUSH bar = CreateSolidBrush(ResolveColor(pb.bar, COLOR_HIGHLIGHT));
    if (style & PBS_SMOOTH) {
        RECT r = inner;
        if (vertical)
            r.top = r.bottom - filled;
        else
            r.right = r.left + filled;
        FillRect(hdc, &r, bar);
    } else {
        int breadth = vertical ? RectWidth(inner) : RectHeight(inner);
        int block = std::max(2, breadth * 2 / 3);
        for (int at = 0; at < filled; at += block + kBlockGap) {
            int end = std::min(at + block, length);
            RECT r = inner;
            if (vertical) {
                r.bottom = inner.bottom - at;
                r.top = inner.bottom - end;
            } else {
                r.left = inner.left + at;
                r.right = inner.left + end;
            }
            FillRect(hdc, &r, bar);
        }
    }
    DeleteObject(bar);
}

void Redraw(HWND hwnd)
{
    InvalidateRect(hwnd, nullptr, FALSE);
}

LRESULT Handle(HWND hwnd, ProgressState& pb, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_ERASEBKGND:
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return PaintMessage(hwnd, msg, wParam, [&](HDC hdc) { Paint(hwnd, pb, hdc); });
    case PBM_SETRANGE: {
        LRESULT old = pb.SetRange((int)(WORD)LOWORD(lParam), (int)(WORD)HIWORD(lParam));
        Redraw(hwnd);
        return old;
    }
    case PBM_SETRANGE32: {
        LRESULT old = pb.SetRange((int)wParam, (int)lParam);
        Redraw(hwnd);
        return old;
    }
    case PBM_GETRANGE: {
        if (lParam) {
            auto* range = (PBRANGE*)lParam;
            range->iLow = pb.low;
            range->iHigh = pb.high;
        }
        return wParam ? pb.low : pb.high;
    }
    case PBM_SETPOS: {
        int old = pb.SetPos((int)wParam);
        Redraw(hwnd);
        return old;
    }
    case PBM_DELTAPOS: {
        int old = pb.SetPos((int)((long long)pb.pos + (int)wParam));
        Redraw(hwnd);
        return old;
    }
    case PBM_GETPOS:
        return pb.pos;
    case PBM_SETSTEP: {
        int old = pb.step;
        pb.step = (int)wParam;
        return old;
    }
    case PBM_STEPIT: {
        int old = pb.StepIt();
        Redraw(hwnd);
        return old;
    }
    case PBM_SETBARCOLOR: {
        COLORREF old = pb.bar;
        pb.bar = (COLORREF)lParam;
        Redraw(hwnd);
        return old;
    }
    case PBM_SETBKCOLOR: {
        COLORREF old = pb.back;
        pb.back = (COLORREF)lParam;
        Redraw(hwnd);
        return old;
    }
    }
    return ControlDefault(hwnd, msg, wParam, lParam);
}

}  // namespace

const WNDPROC ProgressProc = ControlWindow<ProgressState>::Procedure<Handle>;

}  // namespace mivo
