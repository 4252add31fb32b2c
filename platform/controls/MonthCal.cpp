// The "SysMonthCal32" class: one month in Korean ("2026년 12월", weekdays
// 일 to 토, "오늘:" line), a selected day moved by clicks and arrow keys.
// A change of the selection sends MCN_SELCHANGE; a click on a day (or on
// the today line) also MCN_SELECT when the button comes up.
#include "controls/BarsInternal.h"
#include "controls/MonthCalDate.h"
#include "win32/cursors.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace mivo {

namespace {

const int kColorCount = 6;
const int kRows = 6;
const char* const kDayNames[7] = {"일", "월", "화", "수", "목", "금", "토"};  // Sunday first

struct Geometry {
    RECT title, prev, next, names, days, today;
    int cellW, cellH;
};

class MonthCal {
public:
    CalendarDate selected;
    CalendarDate shown;  // its year and month are on display
    CalendarDate today;
    bool todaySet = false;
    int firstDay = 6;  // the control's numbering: 0 Monday .. 6 Sunday
    COLORREF colors[kColorCount] = {CLR_DEFAULT, CLR_DEFAULT, CLR_DEFAULT, CLR_DEFAULT, CLR_DEFAULT, CLR_DEFAULT};
    DWORD rangeFlags = 0;
    CalendarDate rangeMin, rangeMax;
    int monthDelta = 0;  // 0: one month
    int maxSelCount = 7;
    bool pressedOnDate = false;
    std::vector<MONTHDAYSTATE> dayStates;

    explicit MonthCal(HWND)
    {
        SYSTEMTIME now;
        GetLocalTime(&now);
        CalendarDate::FromSystemTime(now, &today);
        selected = shown = today;
    }

    bool InRange(const CalendarDate& d) const
    {
        if ((rangeFlags & GDTR_MIN) && d < rangeMin)
            return false;
        if ((rangeFlags & GDTR_MAX) && rangeMax < d)
            return false;
        return true;
    }

    // The date in the grid's first cell.
    CalendarDate GridStart() const
    {
        CalendarDate first = shown;
        first.day = 1;
        int sundayBased = (firstDay + 1) % 7;  // 0 Sunday
        int back = (first.DayOfWeek() - sundayBased + 7) % 7;
        return first.AddDays(-back);
    }
};

COLORREF Color(const MonthCal& mc, int index)
{
    static const int defaults[kColorCount] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_ACTIVECAPTION,
                                              COLOR_CAPTIONTEXT, COLOR_WINDOW, COLOR_GRAYTEXT};
    return ResolveColor(mc.colors[index], defaults[index]);
}

int LineHeight(HWND hwnd)
{
    return FontLineHeight(hwnd);
}

Geometry Measure(HWND hwnd)
{
    RECT rc = ClientRect(hwnd);
    int line = LineHeight(hwnd);
    bool todayLine = !(WindowStyle(hwnd) & MCS_NOTODAY);
    Geometry g;
    int titleH = line + 8, namesH = line + 4, todayH = todayLine ? line + 4 : 0;
    g.cellW = std::max(1, (int)(rc.right - 4) / 7);
    g.cellH = std::max(1, (int)(rc.bottom - titleH - namesH - todayH - 2) / kRows);
    int gridW = g.cellW * 7;
    int left = (rc.right - gridW) / 2;
    g.title = RECT{0, 0, rc.right, titleH};
    int button = std::min(titleH - 4, 20);
    g.prev = RECT{4, (titleH - button) / 2, 4 + button, (titleH - button) / 2 + button};
    g.next = RECT{rc.right - 4 - button, g.prev.top, rc.right - 4, g.prev.bottom};
    g.names = RECT{left, titleH, left + gridW, titleH + namesH};
    g.days = RECT{left, g.names.bottom + 1, left + gridW, g.names.bottom + 1 + g.cellH * kRows};
    g.today = todayLine ? RECT{left, g.days.bottom, left + gridW, g.days.bottom + todayH} : RECT{0, 0, 0, 0};
    return g;
}

RECT CellRect(const Geometry& g, int cell)
{
    int col = cell % 7, row = cell / 7;
    int x = g.days.left + col * g.cellW, y = g.days.top + row * g.cellH;
    return RECT{x, y, x + g.cellW, y + g.cellH};
}

bool Inside(const RECT& r, POINT pt)
{
    return pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom;
}

UINT HitTest(HWND hwnd, const MonthCal& mc, POINT pt, CalendarDate* date)
{
    Geometry g = Measure(hwnd);
    if (Inside(g.prev, pt))
        return MCHT_TITLEBTNPREV;
    if (Inside(g.next, pt))
        return MCHT_TITLEBTNNEXT;
    if (Inside(g.title, pt))
        return pt.x < (g.title.left + g.title.right) / 2 ? MCHT_TITLEYEAR : MCHT_TITLEMONTH;
    if (Inside(g.names, pt))
        return MCHT_CALENDARDAY;
    if (Inside(g.days, pt)) {
        int cell = ((pt.y - g.days.top) / g.cellH) * 7 + (pt.x - g.days.left) / g.cellW;
        CalendarDate d = mc.GridStart().AddDays(cell);
        if (date)
            *date = d;
        if (d.month == mc.shown.month && d.year == mc.shown.year)
            return MCHT_CALENDARDATE;
        return d < mc.shown ? MCHT_CALENDARDATEPREV : MCHT_CALENDARDATENEXT;
    }
    if (Inside(g.today, pt))
        return MCHT_TODAYLINK;
    return MCHT_NOWHERE;
}

void Text(HDC hdc, const char* text, RECT r, UINT format, COLORREF color)
{
    SetTextColor(hdc, color);
    DrawText(hdc, text, (int)std::strlen(text), &r, format | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

HFONT BoldFont(HWND hwnd)
{
    LOGFONTA lf = {};
    GetObject(ControlFont(hwnd), sizeof(lf), &lf);
    lf.lfWeight = FW_BOLD;
    return CreateFontIndirect(&lf);
}

void PaintTitle(HWND hwnd, const MonthCal& mc, HDC hdc, const Geometry& g)
{
    HBRUSH title = CreateSolidBrush(Color(mc, MCSC_TITLEBK));
    FillRect(hdc, &g.title, title);
    DeleteObject(title);
    RECT prev = g.prev, next = g.next;
    DrawFrameControl(hdc, &prev, DFC_SCROLL, DFCS_SCROLLLEFT);
    DrawFrameControl(hdc, &next, DFC_SCROLL, DFCS_SCROLLRIGHT);
    char caption[32];
    std::snprintf(caption, sizeof(caption), "%d년 %d월", mc.shown.year, mc.shown.month);
    HFONT bold = BoldFont(hwnd);
    HGDIOBJ old = SelectObject(hdc, bold);
    Text(hdc, caption, g.title, DT_CENTER, Color(mc, MCSC_TITLETEXT));
    SelectObject(hdc, old);
    DeleteObject(bold);
}

void PaintDays(const MonthCal& mc, HDC hdc, const Geometry& g, bool circleToday)
{
    int sundayBased = (mc.firstDay + 1) % 7;
    for (int col = 0; col < 7; ++col) {
        RECT r = {g.names.left + col * g.cellW, g.names.top, g.names.left + (col + 1) * g.cellW, g.names.bottom};
        Text(hdc, kDayNames[(sundayBased + col) % 7], r, DT_CENTER, Color(mc, MCSC_TITLEBK));
    }
    RECT rule = {g.names.left + 2, g.names.bottom, g.names.right - 2, g.names.bottom + 1};
    FillRect(hdc, &rule, GetSysColorBrush(COLOR_3DSHADOW));
    CalendarDate d = mc.GridStart();
    for (int cell = 0; cell < 7 * kRows; ++cell, d = d.AddDays(1)) {
        RECT r = CellRect(g, cell);
        bool trailing = d.month != mc.shown.month;
        char number[4];
        std::snprintf(number, sizeof(number), "%d", d.day);
        COLORREF color = Color(mc, trailing ? MCSC_TRAILINGTEXT : MCSC_TEXT);
        if (d == mc.selected && !trailing) {
            RECT mark = r;
            InflateRect(&mark, -1, 0);
            HBRUSH brush = CreateSolidBrush(Color(mc, MCSC_TITLEBK));
            FillRect(hdc, &mark, brush);
            DeleteObject(brush);
            color = Color(mc, MCSC_TITLETEXT);
        }
        Text(hdc, number, r, DT_CENTER, color);
        if (circleToday && d == mc.today) {
            HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
            HGDIOBJ oldPen = SelectObject(hdc, pen);
            HGDIOBJ oldBrush = SelectObject(hdc, GetStockObject(NULL_BRUSH));
            Ellipse(hdc, r.left, r.top, r.right, r.bottom);
            SelectObject(hdc, oldBrush);
            SelectObject(hdc, oldPen);
            DeleteObject(pen);
        }
    }
}

void PaintToday(HWND hwnd, const MonthCal& mc, HDC hdc, const Geometry& g)
{
    if (g.today.bottom <= g.today.top)
        return;
    char line[40];
    std::snprintf(line, sizeof(line), "오늘: %04d-%02d-%02d", mc.today.year, mc.today.month, mc.today.day);
    RECT r = g.today;
    int mark = std::min(RectHeight(r) - 4, 14);
    if (!(WindowStyle(hwnd) & MCS_NOTODAYCIRCLE) && mark > 2) {
        HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
        HGDIOBJ oldPen = SelectObject(hdc, pen);
        HGDIOBJ oldBrush = SelectObject(hdc, GetStockObject(NULL_BRUSH));
        int top = r.top + (RectHeight(r) - mark) / 2;
        Ellipse(hdc, r.left + 4, top, r.left + 4 + mark + 6, top + mark);
        SelectObject(hdc, oldBrush);
        SelectObject(hdc, oldPen);
        DeleteObject(pen);
        r.left += mark + 14;
    }
    HFONT bold = BoldFont(hwnd);
    HGDIOBJ old = SelectObject(hdc, bold);
    Text(hdc, line, r, DT_LEFT, Color(mc, MCSC_TEXT));
    SelectObject(hdc, old);
    DeleteObject(bold);
}

void Paint(HWND hwnd, MonthCal& mc, HDC hdc)
{
    RECT rc = ClientRect(hwnd);
    HBRUSH back = CreateSolidBrush(Color(mc, MCSC_MONTHBK));
    FillRect(hdc, &rc, back);
    DeleteObject(back);
    Geometry g = Measure(hwnd);
    HGDIOBJ oldFont = SelectObject(hdc, ControlFont(hwnd));
    int mode = SetBkMode(hdc, TRANSPARENT);
    PaintTitle(hwnd, mc, hdc, g);
    PaintDays(mc, hdc, g, !(WindowStyle(hwnd) & MCS_NOTODAYCIRCLE));
    PaintToday(hwnd, mc, hdc, g);
    SetBkMode(hdc, mode);
    SelectObject(hdc, oldFont);
    if (GetFocus() == hwnd) {
        RECT focus = rc;
        DrawFocusRect(hdc, &focus);
    }
}

void Notify(HWND hwnd, const MonthCal& mc, UINT code)
{
    NMSELCHANGE nm = {};
    nm.stSelStart = nm.stSelEnd = mc.selected.ToSystemTime();
    NotifyParentNM(hwnd, code, &nm.nmhdr);
}

// Moves the selection (and the view with it); false when the date is out of range.
bool Select(HWND hwnd, MonthCal& mc, const CalendarDate& d, bool notify)
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

void ButtonDown(HWND hwnd, MonthCal& mc, POINT pt)
{
    if (GetFocus() != hwnd)
        SetFocus(hwnd);
    CalendarDate date;
    UINT hit = HitTest(hwnd, mc, pt, &date);
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

void ButtonUp(HWND hwnd, MonthCal& mc)
{
    bool select = mc.pressedOnDate;
    mc.pressedOnDate = false;
    if (GetCapture() == hwnd)
        ReleaseCapture();
    if (select)
        Notify(hwnd, mc, MCN_SELECT);
}

bool KeyDown(HWND hwnd, MonthCal& mc, UINT vk)
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

LRESULT SetRange(MonthCal& mc, DWORD flags, const SYSTEMTIME* range)
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

LRESULT HandleMessage(HWND hwnd, MonthCal& mc, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return PaintInto(hwnd, wParam, [&](HDC hdc) { Paint(hwnd, mc, hdc); });
    case WM_PRINTCLIENT:
        Paint(hwnd, mc, (HDC)wParam);
        return 0;
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
        if (!lParam || (WindowStyle(hwnd) & MCS_MULTISELECT))
            return FALSE;
        *(SYSTEMTIME*)lParam = mc.selected.ToSystemTime();
        return TRUE;
    case MCM_SETCURSEL: {
        CalendarDate d;
        if (!lParam || (WindowStyle(hwnd) & MCS_MULTISELECT) || !CalendarDate::FromSystemTime(*(SYSTEMTIME*)lParam, &d))
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
        COLORREF old = Color(mc, (int)wParam);
        mc.colors[wParam] = (COLORREF)lParam;
        InvalidateRect(hwnd, nullptr, FALSE);
        return old;
    }
    case MCM_GETCOLOR:
        return wParam < (WPARAM)kColorCount ? (LRESULT)Color(mc, (int)wParam) : (LRESULT)CLR_INVALID;
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
        int line = LineHeight(hwnd);
        HDC dc = GetDC(hwnd);
        HGDIOBJ old = SelectObject(dc, ControlFont(hwnd));
        int cell = std::max(TextWidth(dc, "30", 2), TextWidth(dc, "월", (int)std::strlen("월"))) + 8;
        SelectObject(dc, old);
        ReleaseDC(hwnd, dc);
        int todayH = (WindowStyle(hwnd) & MCS_NOTODAY) ? 0 : line + 4;
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
        if (!(WindowStyle(hwnd) & MCS_MULTISELECT) || (int)wParam < 1)
            return FALSE;
        mc.maxSelCount = (int)wParam;
        return TRUE;
    case MCM_GETMAXSELCOUNT:
        return mc.maxSelCount;
    case MCM_GETSELRANGE: {
        auto* out = (SYSTEMTIME*)lParam;
        if (!out || !(WindowStyle(hwnd) & MCS_MULTISELECT))
            return FALSE;
        out[0] = out[1] = mc.selected.ToSystemTime();
        return TRUE;
    }
    case MCM_SETSELRANGE: {
        CalendarDate d;
        auto* in = (const SYSTEMTIME*)lParam;
        if (!in || !(WindowStyle(hwnd) & MCS_MULTISELECT) || !CalendarDate::FromSystemTime(in[0], &d))
            return FALSE;
        return Select(hwnd, mc, d, false);
    }
    case MCM_HITTEST: {
        auto* info = (MCHITTESTINFO*)lParam;
        if (!info)
            return -1;
        CalendarDate d = mc.selected;
        info->uHit = HitTest(hwnd, mc, info->pt, &d);
        std::memset(&info->st, 0, sizeof(info->st));
        if ((info->uHit & MCHT_CALENDARDATE) == MCHT_CALENDARDATE)
            info->st = d.ToSystemTime();
        return (LRESULT)info->uHit;
    }
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK MonthCalProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    MonthCal* mc = ControlData<MonthCal>(hwnd);
    switch (msg) {
    case WM_NCCREATE:
        SetControlData(hwnd, new MonthCal(hwnd));
        return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_NCDESTROY:
        SetControlData<MonthCal>(hwnd, nullptr);
        delete mc;
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    if (!mc)
        return DefWindowProc(hwnd, msg, wParam, lParam);
    return HandleMessage(hwnd, *mc, msg, wParam, lParam);
}

struct MonthCalClassRegistrar {
    MonthCalClassRegistrar()
    {
        RegisterControlClass(MONTHCAL_CLASS, MonthCalProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, IDC_ARROW);
    }
};

MonthCalClassRegistrar registrar;

}  // namespace

}  // namespace mivo
