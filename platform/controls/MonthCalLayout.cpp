// Month calendar layout and drawing: the Korean title ("2026년 12월"), the
// weekdays from 일 to 토, six weeks of days and the "오늘:" line.
#include "controls/MonthCal.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace mivo {

namespace {

const char* const kDayNames[7] = {"일", "월", "화", "수", "목", "금", "토"};  // Sunday first

RECT CellRect(const MonthGeometry& g, int cell)
{
    int col = cell % 7, row = cell / 7;
    int x = g.days.left + col * g.cellW, y = g.days.top + row * g.cellH;
    return RECT{x, y, x + g.cellW, y + g.cellH};
}

bool Inside(const RECT& r, POINT pt)
{
    return pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom;
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

void PaintTitle(HWND hwnd, const MonthCalState& mc, HDC hdc, const MonthGeometry& g)
{
    HBRUSH title = CreateSolidBrush(MonthCalColor(mc, MCSC_TITLEBK));
    FillRect(hdc, &g.title, title);
    DeleteObject(title);
    RECT prev = g.prev, next = g.next;
    DrawFrameControl(hdc, &prev, DFC_SCROLL, DFCS_SCROLLLEFT);
    DrawFrameControl(hdc, &next, DFC_SCROLL, DFCS_SCROLLRIGHT);
    char caption[32];
    std::snprintf(caption, sizeof(caption), "%d년 %d월", mc.shown.year, mc.shown.month);
    HFONT bold = BoldFont(hwnd);
    HGDIOBJ old = SelectObject(hdc, bold);
    Text(hdc, caption, g.title, DT_CENTER, MonthCalColor(mc, MCSC_TITLETEXT));
    SelectObject(hdc, old);
    DeleteObject(bold);
}

void PaintDays(const MonthCalState& mc, HDC hdc, const MonthGeometry& g, bool circleToday)
{
    int sundayBased = (mc.firstDay + 1) % 7;
    for (int col = 0; col < 7; ++col) {
        RECT r = {g.names.left + col * g.cellW, g.names.top, g.names.left + (col + 1) * g.cellW, g.names.bottom};
        Text(hdc, kDayNames[(sundayBased + col) % 7], r, DT_CENTER, MonthCalColor(mc, MCSC_TITLEBK));
    }
    RECT rule = {g.names.left + 2, g.names.bottom, g.names.right - 2, g.names.bottom + 1};
    FillRect(hdc, &rule, GetSysColorBrush(COLOR_3DSHADOW));
    CalendarDate d = mc.GridStart();
    for (int cell = 0; cell < 7 * kRows; ++cell, d = d.AddDays(1)) {
        RECT r = CellRect(g, cell);
        bool trailing = d.month != mc.shown.month;
        char number[4];
        std::snprintf(number, sizeof(number), "%d", d.day);
        COLORREF color = MonthCalColor(mc, trailing ? MCSC_TRAILINGTEXT : MCSC_TEXT);
        if (d == mc.selected && !trailing) {
            RECT mark = r;
            InflateRect(&mark, -1, 0);
            HBRUSH brush = CreateSolidBrush(MonthCalColor(mc, MCSC_TITLEBK));
            FillRect(hdc, &mark, brush);
            DeleteObject(brush);
            color = MonthCalColor(mc, MCSC_TITLETEXT);
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

void PaintToday(HWND hwnd, const MonthCalState& mc, HDC hdc, const MonthGeometry& g)
{
    if (g.today.bottom <= g.today.top)
        return;
    char line[40];
    std::snprintf(line, sizeof(line), "오늘: %04d-%02d-%02d", mc.today.year, mc.today.month, mc.today.day);
    RECT r = g.today;
    int mark = std::min(RectHeight(r) - 4, 14);
    if (!(StyleOf(hwnd) & MCS_NOTODAYCIRCLE) && mark > 2) {
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
    Text(hdc, line, r, DT_LEFT, MonthCalColor(mc, MCSC_TEXT));
    SelectObject(hdc, old);
    DeleteObject(bold);
}

}  // namespace

COLORREF MonthCalColor(const MonthCalState& mc, int index)
{
    static const int defaults[kColorCount] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_ACTIVECAPTION,
                                              COLOR_CAPTIONTEXT, COLOR_WINDOW, COLOR_GRAYTEXT};
    return ResolveColor(mc.colors[index], defaults[index]);
}

MonthGeometry MeasureMonthCal(HWND hwnd)
{
    RECT rc = ClientRect(hwnd);
    int line = FontLineHeight(hwnd);
    bool todayLine = !(StyleOf(hwnd) & MCS_NOTODAY);
    MonthGeometry g;
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

UINT MonthCalHitTest(HWND hwnd, const MonthCalState& mc, POINT pt, CalendarDate* date)
{
    MonthGeometry g = MeasureMonthCal(hwnd);
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

void PaintMonthCal(HWND hwnd, MonthCalState& mc, HDC hdc)
{
    RECT rc = ClientRect(hwnd);
    HBRUSH back = CreateSolidBrush(MonthCalColor(mc, MCSC_MONTHBK));
    FillRect(hdc, &rc, back);
    DeleteObject(back);
    MonthGeometry g = MeasureMonthCal(hwnd);
    HGDIOBJ oldFont = SelectObject(hdc, ControlFont(hwnd));
    int mode = SetBkMode(hdc, TRANSPARENT);
    PaintTitle(hwnd, mc, hdc, g);
    PaintDays(mc, hdc, g, !(StyleOf(hwnd) & MCS_NOTODAYCIRCLE));
    PaintToday(hwnd, mc, hdc, g);
    SetBkMode(hdc, mode);
    SelectObject(hdc, oldFont);
    if (GetFocus() == hwnd) {
        RECT focus = rc;
        DrawFocusRect(hdc, &focus);
    }
}

}  // namespace mivo
