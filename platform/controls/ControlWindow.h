// The skeleton of every built-in control: the state made on WM_NCCREATE and
// freed on WM_NCDESTROY, style access, painting and the default branch.
//
// A new control is a state struct, a handler, its procedure and a row:
//
//     namespace {
//     struct TrackbarState { int pos = 0; };  // or a constructor taking the HWND
//
//     LRESULT Handle(HWND hwnd, TrackbarState& st, UINT msg, WPARAM wParam, LPARAM lParam)
//     {
//         switch (msg) {
//         case WM_ERASEBKGND:
//         case WM_PAINT:
//         case WM_PRINTCLIENT:
//             return PaintMessage(hwnd, msg, wParam, [&](HDC hdc) { Paint(hwnd, st, hdc); });
//         case TBM_GETPOS:
//             return st.pos;
//         }
//         return ControlDefault(hwnd, msg, wParam, lParam);
//     }
//     }  // namespace
//
//     const WNDPROC TrackBarProc = ControlWindow<TrackbarState>::Procedure<Handle>;
//
// with `extern const WNDPROC TrackBarProc;` in BuiltinClasses.h and a row in
// the table of BuiltinClasses.cpp (every row is registered when the layer loads):
//
//     {TRACKBAR_CLASS, CS_DBLCLKS, TrackBarProc, kControlWindowBytes, IDC_ARROW, nullptr},
//
// The names are the same in every control: the state is `<Control>State`
// (`ToolBarState`, `ListBoxState`), or `<Control>Control` where a class
// answers its messages itself in a member `Message` (`ListViewControl`); the
// handler is `Handle`; the procedure is `<Control>Proc`. The handler's switch
// has one line per case, calling a named function for anything longer
// (`case WM_KEYDOWN: return KeyDown(hwnd, st, wParam);`). Notifications go
// through SendNotify (CommonNotify.h); colours through ResolveColor (CommonPaint.h).
//
// The handler sees every message from WM_NCCREATE (the state is new) up to
// WM_NCDESTROY (its last look, the state still there); messages before
// WM_NCCREATE and after WM_NCDESTROY go to ControlDefault. A message the
// control handles and still passes on calls DefWindowProc itself, so that only
// what it leaves alone is traced. Should the window be destroyed while the
// handler runs (a parent destroying the control from a notification), the
// state lives on until the outermost handler returns, but Of() no longer finds it.
#pragma once

#include "win32/paint.h"
#include "win32/user.h"

#include <type_traits>

namespace mivo {

// The control's window bytes: one pointer to its state.
const int kControlWindowBytes = (int)sizeof(LONG_PTR);

inline DWORD StyleOf(HWND hwnd)
{
    return (DWORD)GetWindowLong(hwnd, GWL_STYLE);
}

inline DWORD ExStyleOf(HWND hwnd)
{
    return (DWORD)GetWindowLong(hwnd, GWL_EXSTYLE);
}

// Whether any of `bits` is set in the window's style.
inline bool HasStyle(HWND hwnd, DWORD bits)
{
    return (StyleOf(hwnd) & bits) != 0;
}

// What a control does with a message it does not handle: traced on the
// "controls" channel, reported once at fixme level when it is a control
// message the control does not implement, then DefWindowProc.
LRESULT ControlDefault(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The painting messages: WM_PAINT between BeginPaint and EndPaint, or into
// the DC its wParam brings (a parent painting the control off screen);
// WM_PRINTCLIENT into its DC; WM_ERASEBKGND does nothing, as the control
// paints its background with the rest.
template <typename Paint>
LRESULT PaintMessage(HWND hwnd, UINT msg, WPARAM wParam, Paint&& paint)
{
    if (msg == WM_ERASEBKGND)
        return 1;
    if (msg == WM_PRINTCLIENT || (msg == WM_PAINT && wParam)) {
        paint((HDC)wParam);
        return 0;
    }
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    if (hdc)
        paint(hdc);
    EndPaint(hwnd, &ps);
    return 0;
}

template <typename State>
class ControlWindow {
public:
    typedef LRESULT (*Handler)(HWND hwnd, State& state, UINT msg, WPARAM wParam, LPARAM lParam);

    // The state of a live control of this kind; null before WM_NCCREATE and from WM_NCDESTROY on.
    static State* Of(HWND hwnd)
    {
        Slot* slot = SlotOf(hwnd);
        return slot ? &slot->state : nullptr;
    }

    template <Handler handle>
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        Slot* slot = SlotOf(hwnd);
        if (msg == WM_NCCREATE && !slot) {
            slot = new Slot(hwnd);
            SetWindowLongPtr(hwnd, 0, (LONG_PTR)slot);
        }
        if (!slot)
            return ControlDefault(hwnd, msg, wParam, lParam);
        ++slot->busy;
        LRESULT result = handle(hwnd, slot->state, msg, wParam, lParam);
        --slot->busy;
        if (msg == WM_NCDESTROY && !slot->gone) {
            if (SlotOf(hwnd) == slot)
                SetWindowLongPtr(hwnd, 0, 0);
            slot->gone = true;
        }
        if (slot->gone && slot->busy == 0)
            delete slot;
        return result;
    }

private:
    struct Slot {
        explicit Slot(HWND hwnd) : state(Make(hwnd)) {}
        State state;
        int busy = 0;       // handlers of this control running now
        bool gone = false;  // WM_NCDESTROY came: freed when the last handler returns

        static State Make(HWND hwnd)
        {
            if constexpr (std::is_constructible<State, HWND>::value)
                return State(hwnd);
            else
                return State();
        }
    };

    static Slot* SlotOf(HWND hwnd)
    {
        auto* slot = (Slot*)GetWindowLongPtr(hwnd, 0);
        return slot && !slot->gone ? slot : nullptr;
    }
};

}  // namespace mivo
