#include "chart/TitleWnd.h"

#include "controls/MemDC.h"

BEGIN_MESSAGE_MAP(CTitleWnd, ChartWndBase)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CTitleWnd::CTitleWnd() {}

CTitleWnd::~CTitleWnd() {}

void CTitleWnd::Draw(CMemDC* dc)
{
    if (!dc)
        return;
    GetClientRect(&m_rect);
    dc->FillSolidRect(&m_rect, m_windowColor);
    if (CFont* font = DrawingFont())
        if (font->GetSafeHandle())
            dc->SelectObject(font);
    dc->SetTextColor(m_textColor);
    const int width = m_rect.Width(), height = m_rect.Height();
    struct Placed {
        const CString& text;
        int which;
    } texts[] = {{m_leftText, 0}, {m_middleText, 1}, {m_rightText, 2}};
    for (const Placed& t : texts) {
        if (t.text.IsEmpty())
            continue;
        CRect box(0, 0, 0, 0);
        dc->DrawText(t.text, -1, &box, DT_CALCRECT);
        int w = box.Width(), h = box.Height();
        int x = t.which == 0 ? 5 : (t.which == 1 ? (width - w) / 2 : width - w - 5);
        box.OffsetRect(x, (height - h - 10) / 2 + 5);
        dc->DrawText(t.text, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

int CTitleWnd::CalculateWndHeight(CDC* dc, DWORD* height)
{
    if (!dc || !height)
        return 0;
    CFont* old = (m_pFont && m_pFont->GetSafeHandle()) ? dc->SelectObject(m_pFont.get()) : nullptr;
    *height = (DWORD)dc->GetTextExtent("X", 1).cy + 10;
    if (old)
        dc->SelectObject(old);
    return 0;
}

void CTitleWnd::OnPaint()
{
    PaintThroughDraw();
}
