// The rich edit control on the screen and on a printer.
#include "controls/RichEditControl.h"

#include "mivo/codepage.h"

#include <algorithm>
#include <climits>

namespace mivo {

namespace {

const int kMarginLeft = 2;
const int kMarginTop = 1;

int ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

RECT TwipsToDevice(HDC hdc, const RECT& twips)
{
    int dx = std::max(1, GetDeviceCaps(hdc, LOGPIXELSX)), dy = std::max(1, GetDeviceCaps(hdc, LOGPIXELSY));
    return RECT{MulDiv(twips.left, dx, 1440), MulDiv(twips.top, dy, 1440), MulDiv(twips.right, dx, 1440),
                MulDiv(twips.bottom, dy, 1440)};
}

}  // namespace

void RichEditControl::Select(size_t a, size_t c)
{
    anchor = std::min(a, text.Size());
    caret = std::min(c, text.Size());
    // Never inside a double-byte character.
    const std::string& s = text.Text();
    for (size_t* p : {&anchor, &caret})
        if (*p > 0 && *p < s.size())
            *p = CutToCharBoundary(s.data(), s.size(), *p);
    // Typing takes the format of the first selected character, else of the one before the caret.
    size_t from = SelStart();
    typingFormat = text.CharFormatAt(from < SelEnd() || from == 0 ? from : from - 1);
    ScrollToCaret();
    InvalidateRect(m_hwnd, nullptr, FALSE);
    PlaceCaret();
}

RichLayout& RichEditControl::Screen()
{
    if (!m_screen) {
        int dpi = ScreenDpi();
        m_screen.reset(new RichLayout(nullptr, dpi, dpi));
    }
    return *m_screen;
}

RECT RichEditControl::FormatRect() const
{
    RECT rc = {0, 0, 0, 0};
    GetClientRect(m_hwnd, &rc);
    rc.left += kMarginLeft;
    rc.top += kMarginTop;
    rc.right = std::max(rc.left, rc.right - kMarginLeft);
    return rc;
}

void RichEditControl::Layout()
{
    RECT rc = FormatRect();
    Screen().Build(text, 0, text.Size(), rc.right - rc.left);
    UpdateScrollRange();
}

void RichEditControl::Relayout(size_t start, size_t oldEnd, size_t newEnd)
{
    RECT rc = FormatRect();
    Screen().Update(text, start, oldEnd, newEnd, rc.right - rc.left);
    UpdateScrollRange();
}

void RichEditControl::UpdateScrollRange()
{
    RECT rc = FormatRect();
    int most = std::max(0, Screen().Height() - (int)(rc.bottom - rc.top));
    scrollY = std::max(0, std::min(scrollY, most));
    if (Style() & WS_VSCROLL) {
        SCROLLINFO si = {sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, Screen().Height(),
                         (UINT)std::max(0, (int)(rc.bottom - rc.top)), scrollY, 0};
        SetScrollInfo(m_hwnd, SB_VERT, &si, TRUE);
    }
}

void RichEditControl::ScrollToCaret()
{
    RichLayout& screen = Screen();
    if (screen.Lines().empty())
        return;
    RECT rc = FormatRect();
    const RichLine& line = screen.Lines()[screen.LineOf(caret)];
    int view = rc.bottom - rc.top;
    int before = scrollY;
    if (line.top < scrollY)
        scrollY = line.top;
    else if (line.top + line.height > scrollY + view)
        scrollY = line.top + line.height - view;
    scrollY = std::max(0, scrollY);
    if (scrollY != before) {
        InvalidateRect(m_hwnd, nullptr, FALSE);
        if (Style() & WS_VSCROLL)
            SetScrollPos(m_hwnd, SB_VERT, scrollY, TRUE);
    }
}

void RichEditControl::PlaceCaret()
{
    if (!focused)
        return;
    RichLayout& screen = Screen();
    RECT rc = FormatRect();
    POINT at = screen.PositionOf(caret);
    int height = screen.Lines().empty() ? 16 : screen.Lines()[screen.LineOf(caret)].height;
    DestroyCaret();
    CreateCaret(m_hwnd, nullptr, 1, height);
    SetCaretPos(rc.left + at.x, rc.top + at.y - scrollY);
    ShowCaret(m_hwnd);
}

void RichEditControl::Paint(HDC hdc)
{
    RECT client = {0, 0, 0, 0};
    GetClientRect(m_hwnd, &client);
    COLORREF back = background != CLR_INVALID ? background : GetSysColor(COLOR_WINDOW);
    HBRUSH brush = CreateSolidBrush(back);
    FillRect(hdc, &client, brush);
    DeleteObject(brush);
    RECT rc = FormatRect();
    bool showSelection = focused || !hideSelection;
    size_t from = showSelection ? SelStart() : 0, to = showSelection ? SelEnd() : 0;
    HRGN clip = CreateRectRgn(rc.left, rc.top, rc.right, rc.bottom);
    int saved = SaveDC(hdc);
    ExtSelectClipRgn(hdc, clip, RGN_AND);
    Screen().Draw(hdc, text, POINT{rc.left, rc.top - scrollY}, from, to, rc.top, rc.bottom);
    RestoreDC(hdc, saved);
    DeleteObject(clip);
}

size_t RichEditControl::FormatRange(const FORMATRANGE& range, bool render)
{
    HDC hdc = range.hdc;
    size_t size = text.Size();
    size_t from = range.chrg.cpMin < 0 ? 0 : std::min((size_t)range.chrg.cpMin, size);
    size_t to = range.chrg.cpMax < 0 ? size : std::min((size_t)range.chrg.cpMax, size);
    if (!hdc || to <= from) {
        band = Band();
        return from;
    }
    RECT area = TwipsToDevice(hdc, range.rc);
    RichLayout layout(hdc, GetDeviceCaps(hdc, LOGPIXELSX), GetDeviceCaps(hdc, LOGPIXELSY));
    size_t next = layout.Build(text, from, to, std::max(0, (int)(area.right - area.left)),
                               std::max(0, (int)(area.bottom - area.top)));
    if (render)
        layout.Draw(hdc, text, POINT{area.left, area.top}, 0, 0, INT_MIN, INT_MAX);
    band.hdc = hdc;
    band.from = from;
    band.to = next;
    band.area = area;
    band.drawn = render;
    return next;
}

bool RichEditControl::DisplayBand(const RECT* area)
{
    if (!band.hdc || !area)
        return false;
    if (!band.drawn) {
        HDC hdc = band.hdc;
        RichLayout layout(hdc, GetDeviceCaps(hdc, LOGPIXELSX), GetDeviceCaps(hdc, LOGPIXELSY));
        layout.Build(text, band.from, band.to, std::max(0, (int)(band.area.right - band.area.left)));
        layout.Draw(hdc, text, POINT{band.area.left, band.area.top}, 0, 0, area->top, area->bottom);
        band.drawn = true;
    }
    return true;
}

}  // namespace mivo
