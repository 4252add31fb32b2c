#include "calendar/CalendarPainter.h"

#include "calendar/CalendarForms.h"
#include "calendar/MonthLayout.h"
#include "image/ImageObject.h"
#include "mivo/codepage.h"

#include <cstring>

LOGFONT CCalendarPainter::MakeFont(const CString& face, int height)
{
    LOGFONT font;
    std::memset(&font, 0, sizeof(font));
    font.lfHeight = height;
    font.lfWeight = 400;
    font.lfCharSet = 1;
    font.lfPitchAndFamily = 0x31;
    mivo::CopyCutToCharBoundary(font.lfFaceName, face, LF_FACESIZE - 1);
    return font;
}

void CCalendarPainter::DrawText(CImageObject& image, const CString& text, int x, int y, const CString& face,
                                int height, COLORREF colour, int opacity, CWnd* wnd)
{
    if (text.IsEmpty())
        return;
    LOGFONT font = MakeFont(face, height);
    CPoint at(x, y);
    image.DrawTextA(text, &at, &font, colour, KEY_COLOR, TRUE, opacity, wnd);
}

int CCalendarPainter::CellWidth(const CalendarForm& form)
{
    return form[CAL_DAYS_WIDTH] / CMonthLayout::COLUMNS;
}

int CCalendarPainter::CellHeight(const CalendarForm& form)
{
    return form[CAL_DAYS_HEIGHT] / CMonthLayout::ROWS;
}

void CCalendarPainter::DrawGridLines(CImageObject& image, const CalendarForm& form)
{
    const int cw = CellWidth(form), ch = CellHeight(form);
    const int ix = cw / INSET_DIVISOR, iy = ch / INSET_DIVISOR;
    const int x0 = form[CAL_DAYS_X], y0 = form[CAL_DAYS_Y];
    const COLORREF colour = (COLORREF)form[CAL_DAYS_LINE_COLOR];
    for (int r = 0; r <= CMonthLayout::ROWS; ++r) {
        int y = y0 + r * ch;
        for (int c = 0; c < CMonthLayout::COLUMNS; ++c)
            image.DrawLine(CPoint(x0 + c * cw + ix, y), CPoint(x0 + c * cw + cw - ix, y), colour, 0, LINE_WIDTH);
    }
    for (int c = 0; c <= CMonthLayout::COLUMNS; ++c) {
        int x = x0 + c * cw;
        for (int r = 0; r < CMonthLayout::ROWS; ++r)
            image.DrawLine(CPoint(x, y0 + r * ch + iy), CPoint(x, y0 + r * ch + ch - iy), colour, 0, LINE_WIDTH);
    }
}

void CCalendarPainter::DrawDayGrid(CImageObject& image, const CalendarForm& form, const CMonthLayout& layout,
                                   const CString& dayFace, int digitHeight, CWnd* wnd)
{
    if (form[CAL_DAYS_LINE_DRAW] != 0)
        DrawGridLines(image, form);
    const int cw = CellWidth(form), ch = CellHeight(form);
    const int ix = cw / INSET_DIVISOR, iy = ch / INSET_DIVISOR;
    for (int r = 0; r < CMonthLayout::ROWS; ++r) {
        for (int c = 0; c < CMonthLayout::COLUMNS; ++c) {
            int i = r * CMonthLayout::COLUMNS + c;
            COLORREF colour = c == 0 ? SUNDAY_COLOR : c == 6 ? SATURDAY_COLOR : WEEKDAY_COLOR;
            CString text;
            text.Format("%d", layout.m_nDays[i]);
            DrawText(image, text, form[CAL_DAYS_X] + c * cw + ix, form[CAL_DAYS_Y] + r * ch + iy, dayFace,
                     digitHeight, colour, layout.InMonth(i) ? 100 : NEIGHBOUR_OPACITY, wnd);
        }
    }
}

namespace {

struct FaceTargets {
    std::initializer_list<CComboBox*> combos;
};

int CALLBACK AddFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM param)
{
    const FaceTargets* targets = reinterpret_cast<const FaceTargets*>(param);
    for (CComboBox* combo : targets->combos)
        if (combo && combo->GetSafeHwnd())
            combo->AddString(font->lfFaceName);
    return 1;
}

}  // namespace

void AddCalendarFaceNames(CWnd& wnd, std::initializer_list<CComboBox*> combos)
{
    FaceTargets targets{combos};
    CClientDC dc(&wnd);
    ::EnumFontFamilies(dc.GetSafeHdc(), nullptr, AddFace, (LPARAM)&targets);
}
