// The "SysMonthCal32" class: one month in Korean ("2026년 12월", weekdays
// 일 to 토, "오늘:" line), a selected day moved by clicks and arrow keys.
// A change of the selection sends MCN_SELCHANGE; a click on a day (or on
// the today line) also MCN_SELECT when the button comes up.
#include "controls/BuiltinClasses.h"
#include "controls/MonthCal.h"
#include "controls/MonthCalDate.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace mivo {

namespace {

void Notify(HWND hwnd, const MonthCalState& mc, UINT code)
{
    NMSELCHANGE nm = {};
    nm.stSelStart = nm.stSelEnd = mc.selected.ToSystemTime();
    SendNotify(hwnd, code, &nm.nmhdr);
}

// Moves the selection (and the view with it); false when the date is out of range.
bool Select(HWND hwnd, MonthCalState& mc, const CalendarDate& d, bool notify)
{
    if (!CalendarDate::Valid(d.year, d.month, d.day) || !mc.InRange(d))
        return false;
    bool changed = !(d == mc.selected);
    mc.selected = d;
    mc.shown = d;
    InvalidateRect(hwnd, nullptr, FALSE);
    if (notify && changed)
        Notify(hwnd, mc, MCN_SELCHANGE);
    return true;
}

void ButtonDown(HWND hwnd, MonthCalState& mc, POINT pt)
{
    if (GetFocus() != hwnd)
        SetFocus(hwnd);
    CalendarDate date;
    UINT hit = MonthCalHitTest(hwnd, mc, pt, &date);
    mc.pressedOnDate = false;
    int delta = mc.monthDelta > 0 ? mc.monthDelta : 1;
    switch (hit) {
    case MCHT_TITLEBTNPREV:
        Select(hwnd, mc, mc.selected.AddMonths(-delta), true);
        break;
    case MCHT_TITLEBTNNEXT:
        Select(hwnd, mc, mc.selected.AddMonths(delta), true);
        break;
    case MCHT_CALENDARDATE:
    case MCHT_CALENDARDATEPREV:
    case MCHT_CALENDARDATENEXT:
        if (!Select(hwnd, mc, date, true) || !IsWindow(hwnd))
            return;
        mc.pressedOnDate = true;
        break;
    case MCHT_TODAYLINK:
        if (!Select(hwnd, mc, mc.today, true) || !IsWindow(hwnd))
            return;
        mc.pressedOnDate = true;
        break;
    }
    if (mc.pressedOnDate)
        SetCapture(hwnd);
}

void ButtonUp(HWND hwnd, MonthCalState& mc)
{
    bool select = mc.pressedOnDate;
    mc.pressedOnDate = false;
    if (GetCapture() == hwnd)
        ReleaseCapture();
    if (select)
        Notify(hwnd, mc, MCN_SELECT);
}

bool KeyDown(HWND hwnd, MonthCalState& mc, UINT vk)
{
    CalendarDate d = mc.selected;
    switch (vk) {
    case VK_LEFT: d = d.AddDays(-1); break;
    case VK_RIGHT: d = d.AddDays(1); break;
    case VK_UP: d = d.AddDays(-7); break;
    case VK_DOWN: d = d.AddDays(7); break;
    case VK_PRIOR: d = d.AddMonths(-1); break;
    case VK_NEXT: d = d.AddMonths(1); break;
    case VK_HOME: d.day = 1; break;
    case VK_END: d.day = CalendarDate::DaysInMonth(d.year, d.month); break;
    default: return false;
    }
    Select(hwnd, mc, d, true);
    return true;
}

LRESULT SetRange(MonthCalState& mc, DWORD flags, const SYSTEMTIME* range)
{
    if (!range && flags)
        return FALSE;
    CalendarDate lo, hi;
    if ((flags & GDTR_MIN) && !CalendarDate::FromSystemTime(range[0], &lo))
        return FALSE;
    if ((flags & GDTR_MAX) && !CalendarDate::FromSystemTime(range[1], &hi))
        return FALSE;
    mc.rangeFlags = flags & (GDTR_MIN | GDTR_MAX);
    mc.rangeMin = lo;
    mc.rangeMax = hi;
    if (!mc.InRange(mc.selected))
        mc.selected = mc.shown = (mc.rangeFlags & GDTR_MIN) && mc.selected < lo ? lo : hi;
    return TRUE;
}

LRESULT Handle(HWND hwnd, MonthCalState& mc, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_ERASEBKGND:
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return PaintMessage(hwnd, msg, wParam, [&](HDC hdc) { PaintMonthCal(hwnd, mc, hdc); });
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_SIZE:
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_SETFONT:
        DefWindowProc(hwnd, msg, wParam, lParam);
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        ButtonDown(hwnd, mc, PointFromLParam(lParam));
        return 0;
    case WM_LBUTTONUP:
        ButtonUp(hwnd, mc);
        return 0;
    case WM_CAPTURECHANGED:
        if ((HWND)lParam != hwnd)
            mc.pressedOnDate = false;
        return 0;
    case WM_KEYDOWN:
        if (KeyDown(hwnd, mc, (UINT)wParam))
            return 0;
        break;
    case MCM_GETCURSEL:
        if (!lParam || (StyleOf(hwnd) & MCS_MULTISELECT))
            return FALSE;
        *(SYSTEMTIME*)lParam = mc.selected.ToSystemTime();
        return TRUE;
    case MCM_SETCURSEL: {
        CalendarDate d;
        if (!lParam || (StyleOf(hwnd) & MCS_MULTISELECT) || !CalendarDate::FromSystemTime(*(SYSTEMTIME*)lParam, &d))
            return FALSE;
        return Select(hwnd, mc, d, false);
    }
    case MCM_GETTODAY:
        if (!lParam)
            return FALSE;
        *(SYSTEMTIME*)lParam = mc.today.ToSystemTime();
        return TRUE;
    case MCM_SETTODAY: {
        CalendarDate d;
        if (lParam && CalendarDate::FromSystemTime(*(SYSTEMTIME*)lParam, &d))
            mc.today = d;
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    }
    case MCM_SETCOLOR: {
        if (wParam >= (WPARAM)kColorCount)
            return (LRESULT)CLR_INVALID;
        COLORREF old = MonthCalColor(mc, (int)wParam);
        mc.colors[wParam] = (COLORREF)lParam;
        InvalidateRect(hwnd, nullptr, FALSE);
        return old;
    }
    case MCM_GETCOLOR:
        return wParam < (WPARAM)kColorCount ? (LRESULT)MonthCalColor(mc, (int)wParam) : (LRESULT)CLR_INVALID;
    case MCM_SETFIRSTDAYOFWEEK: {
        int old = mc.firstDay;
        if (lParam >= 0 && lParam <= 6)
            mc.firstDay = (int)lParam;
        InvalidateRect(hwnd, nullptr, FALSE);
        return MAKELONG(old, 0);
    }
    case MCM_GETFIRSTDAYOFWEEK:
        return MAKELONG(mc.firstDay, 0);
    case MCM_GETMINREQRECT: {
        if (!lParam)
            return FALSE;
        int line = FontLineHeight(hwnd);
        HDC dc = GetDC(hwnd);
        HGDIOBJ old = SelectObject(dc, ControlFont(hwnd));
        int cell = std::max(TextWidth(dc, "30", 2), TextWidth(dc, "월", (int)std::strlen("월"))) + 8;
        SelectObject(dc, old);
        ReleaseDC(hwnd, dc);
        int todayH = (StyleOf(hwnd) & MCS_NOTODAY) ? 0 : line + 4;
        *(RECT*)lParam = RECT{0, 0, cell * 7 + 4, (line + 8) + (line + 4) + (line + 2) * kRows + todayH + 2};
        return TRUE;
    }
    case MCM_GETMAXTODAYWIDTH: {
        HDC dc = GetDC(hwnd);
        HGDIOBJ old = SelectObject(dc, ControlFont(hwnd));
        int w = TextWidth(dc, "오늘: 0000-00-00", (int)std::strlen("오늘: 0000-00-00")) + 24;
        SelectObject(dc, old);
        ReleaseDC(hwnd, dc);
        return w;
    }
    case MCM_SETRANGE:
        return SetRange(mc, (DWORD)wParam, (const SYSTEMTIME*)lParam);
    case MCM_GETRANGE: {
        auto* out = (SYSTEMTIME*)lParam;
        if (out) {
            std::memset(out, 0, 2 * sizeof(SYSTEMTIME));
            if (mc.rangeFlags & GDTR_MIN)
                out[0] = mc.rangeMin.ToSystemTime();
            if (mc.rangeFlags & GDTR_MAX)
                out[1] = mc.rangeMax.ToSystemTime();
        }
        return (LRESULT)mc.rangeFlags;
    }
    case MCM_GETMONTHRANGE: {
        auto* out = (SYSTEMTIME*)lParam;
        CalendarDate first = mc.shown;
        first.day = 1;
        CalendarDate last = first;
        last.day = CalendarDate::DaysInMonth(last.year, last.month);
        if (wParam == GMR_DAYSTATE) {
            first = mc.GridStart();
            last = first.AddDays(7 * kRows - 1);
        }
        if (out) {
            out[0] = first.ToSystemTime();
            out[1] = last.ToSystemTime();
        }
        return wParam == GMR_DAYSTATE ? (first.month == mc.shown.month ? 2 : 3) : 1;
    }
    case MCM_SETDAYSTATE: {
        auto* states = (const MONTHDAYSTATE*)lParam;
        if (!states || wParam > 12)
            return FALSE;
        mc.dayStates.assign(states, states + wParam);
        InvalidateRect(hwnd, nullptr, FALSE);
        return TRUE;
    }
    case MCM_SETMONTHDELTA: {
        int old = mc.monthDelta;
        mc.monthDelta = std::max(0, (int)wParam);
        return old;
    }
    case MCM_GETMONTHDELTA:
        return mc.monthDelta > 0 ? mc.monthDelta : 1;
    case MCM_SETMAXSELCOUNT:
        if (!(StyleOf(hwnd) & MCS_MULTISELECT) || (int)wParam < 1)
            return FALSE;
        mc.maxSelCount = (int)wParam;
        return TRUE;
    case MCM_GETMAXSELCOUNT:
        return mc.maxSelCount;
    case MCM_GETSELRANGE: {
        auto* out = (SYSTEMTIME*)lParam;
        if (!out || !(StyleOf(hwnd) & MCS_MULTISELECT))
            return FALSE;
        out[0] = out[1] = mc.selected.ToSystemTime();
        return TRUE;
    }
    case MCM_SETSELRANGE: {
        CalendarDate d;
        auto* in = (const SYSTEMTIME*)lParam;
        if (!in || !(StyleOf(hwnd) & MCS_MULTISELECT) || !CalendarDate::FromSystemTime(in[0], &d))
            return FALSE;
        return Select(hwnd, mc, d, false);
    }
    case MCM_HITTEST: {
        auto* info = (MCHITTESTINFO*)lParam;
        if (!info)
            return -1;
        CalendarDate d = mc.selected;
        info->uHit = MonthCalHitTest(hwnd, mc, info->pt, &d);
        std::memset(&info->st, 0, sizeof(info->st));
        if ((info->uHit & MCHT_CALENDARDATE) == MCHT_CALENDARDATE)
            info->st = d.ToSystemTime();
        return (LRESULT)info->uHit;
    }
    }
    return ControlDefault(hwnd, msg, wParam, lParam);
}

}  // namespace

const WNDPROC MonthCalProc = ControlWindow<MonthCalState>::Procedure<Handle>;

}  // namespace mivo
