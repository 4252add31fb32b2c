#include "chart/LegendWnd.h"

#include "controls/MemDC.h"

#include <algorithm>

namespace {
const UINT kItemId = 0xFFFF;
const DWORD kItemStyle = 0x50000001;
}  // namespace

BEGIN_MESSAGE_MAP(CLegendWnd, ChartWndBase)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CLegendWnd::CLegendWnd()
    : m_pointMode(TRUE), m_itemFontSize(0), m_position(CHART_BOTTOM), m_autoHideWidth(100), m_autoHideHeight(100)
{
    m_pointItems.SetSize(0, 1);
    m_seriesItems.SetSize(0, 1);
}

CLegendWnd::~CLegendWnd()
{
    Purge();
}

CLegendText* CLegendWnd::GetPointItem(int index) const
{
    return index >= 0 && index < GetPointItemCount() ? m_pointItems.GetAt(index) : nullptr;
}

CLegendText* CLegendWnd::GetSeriesItem(int index) const
{
    return index >= 0 && index < GetSeriesItemCount() ? m_seriesItems.GetAt(index) : nullptr;
}

CTypedPtrArray<CPtrArray, CLegendText*>& CLegendWnd::CurrentItems()
{
    return m_pointMode ? m_pointItems : m_seriesItems;
}

CLegendText* CLegendWnd::_CreateNewLegendItem(CString& caption, COLORREF colour)
{
    CLegendText* item = new CLegendText;
    item->Create(caption, kItemStyle, CRect(0, 0, 0, 0), this, kItemId);
    item->SetFont((BYTE)m_itemFontSize, m_itemFontFace, 0);
    item->SetBackgroundColor(m_windowColor);
    item->SetBorderColor(m_textColor);
    item->SetTextColor(m_textColor);
    item->SetItemColor(colour);
    item->SetItemStyle(0);
    item->SetPrinting(m_pPrintDC);
    return item;
}

void CLegendWnd::AddPointItem(CString& caption, COLORREF colour)
{
    m_pointItems.Add(_CreateNewLegendItem(caption, colour));
}

void CLegendWnd::AddSeriesItem(CString& caption, COLORREF colour)
{
    m_seriesItems.Add(_CreateNewLegendItem(caption, colour));
}

void CLegendWnd::RemoveItem(CTypedPtrArray<CPtrArray, CLegendText*>& items, int index)
{
    if (index < 0 || index >= items.GetSize())
        return;
    CLegendText* item = items.GetAt(index);
    item->DestroyWindow();
    delete item;
    items.RemoveAt(index);
}

void CLegendWnd::RemovePointItem(int index)
{
    RemoveItem(m_pointItems, index);
}

void CLegendWnd::RemoveSeriesItem(int index)
{
    RemoveItem(m_seriesItems, index);
}

void CLegendWnd::Purge()
{
    while (m_pointItems.GetSize() > 0)
        RemoveItem(m_pointItems, (int)m_pointItems.GetSize() - 1);
    while (m_seriesItems.GetSize() > 0)
        RemoveItem(m_seriesItems, (int)m_seriesItems.GetSize() - 1);
}

void CLegendWnd::SetAutoHide(BYTE width, BYTE height)
{
    m_autoHideWidth = std::min<int>(width, 100);
    m_autoHideHeight = std::min<int>(height, 100);
}

int CLegendWnd::SetFont(BYTE size, const char* face, BYTE style)
{
    m_itemFontSize = size;
    m_itemFontFace = face ? face : "";
    for (int i = 0; i < GetPointItemCount(); ++i)
        m_pointItems.GetAt(i)->SetFont(size, face, style);
    for (int i = 0; i < GetSeriesItemCount(); ++i)
        m_seriesItems.GetAt(i)->SetFont(size, face, style);
    return ChartWndBase::SetFont(size, face, style);
}

COLORREF CLegendWnd::SetWindowColor(COLORREF colour)
{
    COLORREF old = ChartWndBase::SetWindowColor(colour);
    for (int i = 0; i < GetPointItemCount(); ++i)
        m_pointItems.GetAt(i)->SetBackgroundColor(colour);
    for (int i = 0; i < GetSeriesItemCount(); ++i)
        m_seriesItems.GetAt(i)->SetBackgroundColor(colour);
    return old;
}

void CLegendWnd::SetLegendTextColor(COLORREF colour)
{
    m_textColor = colour;
    for (int i = 0; i < GetPointItemCount(); ++i)
        m_pointItems.GetAt(i)->SetTextColor(colour);
    for (int i = 0; i < GetSeriesItemCount(); ++i)
        m_seriesItems.GetAt(i)->SetTextColor(colour);
}

void CLegendWnd::SetLegendSeriesItemColor(COLORREF colour, int index)
{
    if (CLegendText* item = GetSeriesItem(index))
        item->SetItemColor(colour);
}

COLORREF CLegendWnd::GetLegendSeriesItemColor(int index)
{
    CLegendText* item = GetSeriesItem(index);
    return item ? item->GetItemColor() : 0;
}

void CLegendWnd::SetLegendPointItemColor(COLORREF colour, int index)
{
    if (CLegendText* item = GetPointItem(index))
        item->SetItemColor(colour);
}

COLORREF CLegendWnd::GetLegendPointItemColor(int index)
{
    CLegendText* item = GetPointItem(index);
    return item ? item->GetItemColor() : 0;
}

void CLegendWnd::SetPrinting(CMemDC* dc)
{
    ChartWndBase::SetPrinting(dc);
    for (int i = 0; i < GetPointItemCount(); ++i)
        m_pointItems.GetAt(i)->SetPrinting(dc);
    for (int i = 0; i < GetSeriesItemCount(); ++i)
        m_seriesItems.GetAt(i)->SetPrinting(dc);
}

void CLegendWnd::ItemMeasures(int& width, int& height)
{
    auto& items = CurrentItems();
    width = height = 0;
    for (int i = 0; i < items.GetSize(); ++i) {
        CLegendText* item = items.GetAt(i);
        if (IsPrinting())
            item->RecalculateSize(m_pPrintDC);
        CRect r;
        item->GetClientRect(&r);
        width = std::max(width, r.Width());
        if (i == 0)
            height = r.Height();
    }
}

int CLegendWnd::FittingLines(int n, int width, int height)
{
    for (int k = 1; k <= n; ++k) {
        int lines = n / k + n % k;
        int extent = IsSideways() ? (lines - 1) * (height / 2) + lines * height
                                  : (lines - 1) * (width / 2) + lines * width;
        if (extent < (IsSideways() ? m_rect.Height() : m_rect.Width()))
            return lines;
    }
    return 0;
}

void CLegendWnd::GetMinimumWindowRect(CRect* rect)
{
    int n = (int)CurrentItems().GetSize();
    if (!rect || n == 0 || m_rect.IsRectEmpty())
        return;
    int w = 0, h = 0;
    ItemMeasures(w, h);
    int lines = FittingLines(n, w, h);
    int width = 0, height = 0;
    if (!IsSideways()) {
        if (lines > 0) {
            int rows = n / lines + (n % lines > 0 ? 1 : 0);
            width = (lines - 1) * (w / 2) + lines * w;
            height = (rows - 1) * (h / 2) + rows * h;
        }
        if (height <= m_rect.Height() * m_autoHideHeight / 100)
            rect->SetRect(0, 0, width, height);
        else
            rect->SetRectEmpty();
    } else {
        if (lines > 0) {
            int columns = n / lines + (n % lines > 0 ? 1 : 0);
            height = (lines - 1) * (h / 2) + lines * h;
            width = (columns - 1) * (w / 2) + columns * w;
        }
        if (width <= m_rect.Width() * m_autoHideWidth / 100)
            rect->SetRect(0, 0, width, height);
        else
            rect->SetRectEmpty();
    }
}

void CLegendWnd::PlaceItem(CLegendText* item, int x, int y)
{
    CRect size;
    item->GetClientRect(&size);
    if (item->GetSafeHwnd())
        item->SetWindowPos(nullptr, x, y, size.Width(), size.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    if (size.IsRectEmpty() || !m_pDrawDC)
        return;
    CRect local(0, 0, size.Width(), size.Height());
    CBitmap bitmap;
    CMemDC memory(m_pDrawDC, &local, &bitmap);
    item->Draw(&memory);
    m_pDrawDC->BitBlt(x, y, size.Width(), size.Height(), &memory, 0, 0, SRCCOPY);
}

void CLegendWnd::_ArrangeHorizontal(CMemDC*)
{
    auto& items = CurrentItems();
    int n = (int)items.GetSize();
    if (n == 0 || m_rect.IsRectEmpty())
        return;
    int w = 0, h = 0;
    ItemMeasures(w, h);
    int columns = std::max(1, FittingLines(n, w, h));
    int rows = n / columns + (n % columns > 0 ? 1 : 0);
    int x0 = (m_rect.Width() - (columns - 1) * (w / 2) - columns * w) / 2;
    int y = (m_rect.Height() - (rows - 1) * (h / 2) - rows * h) / 2;
    for (int row = 0, i = 0; row < rows; ++row, y += h / 2 + h)
        for (int column = 0, x = x0; column < columns && i < n; ++column, ++i, x += w / 2 + w)
            PlaceItem(items.GetAt(i), x, y);
}

void CLegendWnd::_ArrangeVertical(CMemDC*)
{
    auto& items = CurrentItems();
    int n = (int)items.GetSize();
    if (n == 0 || m_rect.IsRectEmpty())
        return;
    int w = 0, h = 0;
    ItemMeasures(w, h);
    int rows = std::max(1, FittingLines(n, w, h));
    int columns = n / rows + (n % rows > 0 ? 1 : 0);
    int x = (m_rect.Width() - (columns - 1) * (w / 2) - columns * w) / 2;
    int y0 = (m_rect.Height() - (rows - 1) * (h / 2) - rows * h) / 2;
    for (int column = 0, i = 0; column < columns; ++column, x += w / 2 + w)
        for (int row = 0, y = y0; row < rows && i < n; ++row, ++i, y += h / 2 + h)
            PlaceItem(items.GetAt(i), x, y);
}

void CLegendWnd::Draw(CMemDC* dc)
{
    if (!dc)
        return;
    m_pDrawDC = dc;
    if (GetSafeHwnd())
        CWnd::GetClientRect(&m_rect);
    dc->FillSolidRect(&m_rect, m_windowColor);
    // Items print in the font the printer DC holds.
    if (IsPrinting() && m_printFont.GetSafeHandle())
        dc->SelectObject(&m_printFont);
    if (IsSideways())
        _ArrangeVertical(dc);
    else
        _ArrangeHorizontal(dc);
}

void CLegendWnd::OnPaint()
{
    PaintThroughDraw();
}
