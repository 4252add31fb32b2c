// The grid window: creation, styles and properties, fonts and colours, the
// layout of its areas, scrolling and the notifications to its parent.
#include "grid/VXGridCtrl.h"

#include <algorithm>
#include <cstring>

void CVXGridCtrl::RegisterGridClass()
{
    WNDCLASS wc = {};
    if (::GetClassInfo(AfxGetInstanceHandle(), "VXGridCtrl", &wc))
        return;
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "VXGridCtrl";
    AfxRegisterClass(&wc);
}

BOOL CVXGridCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    m_bCreated = TRUE;
    if (!CWnd::Create("VXGridCtrl", "", style, rect, parent, id))
        return FALSE;
    return Create();
}

void CVXGridCtrl::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    if (!m_bCreated && !Create())
        AfxThrowMemoryException();
}

BOOL CVXGridCtrl::Create()
{
    if (!m_wndHeader.Create(WS_CHILD | WS_VISIBLE | HDS_BUTTONS | HDS_DRAGDROP | HDS_FULLDRAG | HDS_HORZ,
                            CRect(0, 0, 0, 0), this, 0))
        return FALSE;
    if (!m_wndTip.Create(this))
        return FALSE;
    HFONT font = GetParent() ? (HFONT)GetParent()->SendMessage(WM_GETFONT) : nullptr;
    if (!font)
        font = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    OnSetFontImpl(font, FALSE);
    m_wndHeader.SendMessage(WM_SETFONT, (WPARAM)font);
    m_nGridStyle = (DWORD)(CWnd::GetStyle() & 0xFFFF);
    if (m_nGridStyle & RVS_SHOWHGRID)
        m_iItemHeight++;
    m_nWheelLines = GetMouseScrollLines();
    CRect client;
    GetClientRect(&client);
    Layout(client.Width(), client.Height());
    GetSysColors();
    return TRUE;
}

void CVXGridCtrl::GetSysColors()
{
    COLORREF window = ::GetSysColor(COLOR_WINDOW);
    m_crColors[0] = window;
    m_crColors[1] = RGB(58, 110, 165);
    m_crColors[2] = RGB(191, 210, 232);
    m_crColors[3] = ::GetSysColor(COLOR_WINDOWTEXT);
    m_crColors[4] = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    m_crColors[5] = RGB(0, 0, 128);
    m_crColors[6] = RGB(GetRValue(window) * 8 / 10, GetGValue(window) * 8 / 10, GetBValue(window) * 8 / 10);
    m_crColors[7] = ::GetSysColor(COLOR_3DFACE);
    m_crColors[8] = ::GetSysColor(COLOR_3DLIGHT);
    m_crColors[9] = ::GetSysColor(COLOR_3DSHADOW);
    m_crColors[10] = ::GetSysColor(COLOR_3DHIGHLIGHT);
    m_crColors[11] = ::GetSysColor(COLOR_3DDKSHADOW);
}

UINT CVXGridCtrl::GetMouseScrollLines()
{
    return (UINT)ReadWheelLines();
}

int CVXGridCtrl::ReadWheelLines()
{
    HKEY key = nullptr;
    if (::RegOpenKeyEx(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return 3;
    char value[32] = "";
    DWORD size = sizeof(value) - 1, type = 0;
    LONG status = ::RegQueryValueEx(key, "WheelScrollLines", nullptr, &type, (LPBYTE)value, &size);
    ::RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ)
        return 3;
    value[std::min<DWORD>(size, sizeof(value) - 1)] = 0;
    return (int)strtoul(value, nullptr, 10);
}

DWORD CVXGridCtrl::GetStyle() const
{
    return (CWnd::GetStyle() & 0xFFFF0000) | m_nGridStyle;
}

BOOL CVXGridCtrl::ModifyStyle(DWORD remove, DWORD add, UINT flags)
{
    EndEdit(TRUE);
    DWORD old = m_nGridStyle;
    if (m_hWnd && !CWnd::ModifyStyle(remove, add, flags))
        return FALSE;
    DWORD style = (old & ~remove) | add;
    if (!(old & RVS_SHOWHGRID) && (style & RVS_SHOWHGRID))
        m_iItemHeight++;
    if ((old & RVS_SHOWHGRID) && !(style & RVS_SHOWHGRID))
        m_iItemHeight--;
    if ((old & RVS_FOCUSSUBITEMS) && !(style & RVS_FOCUSSUBITEMS))
        m_iFocusColumn = -1;
    m_nGridStyle = style & 0xFFFF;
    if (m_hWnd)
        Layout(m_rectClient.Width(), m_rectClient.Height());
    return TRUE;
}

void CVXGridCtrl::RewriteSeparators(char from, char to)
{
    GridRowString::ChangeSeparator(m_itemFixed.strItem, from, to);
    for (structITEM& record : m_arrayItems)
        GridRowString::ChangeSeparator(record.strItem, from, to);
    for (CacheSlot& slot : m_cache)
        GridRowString::ChangeSeparator(slot.item.strItem, from, to);
}

BOOL CVXGridCtrl::ModifyProperty(WPARAM property, LPARAM value)
{
    switch (property) {
    case RVP_SPACING:
        m_iSpacing = (int)value;
        m_wndTip.SetGap(m_iSpacing);
        break;
    case RVP_CHECK: m_sizeCheck = CSize(LOWORD(value), HIWORD(value)); break;
    case RVP_NOITEMTEXT: m_strNoItems = value ? (LPCSTR)value : ""; break;
    case RVP_GRIDSTYLE:
        if (value < 0 || value > 2)
            return FALSE;
        m_iGridPen = (int)value;
        break;
    case RVP_SORTTOOLTIP: m_strSortTip = value ? (LPCSTR)value : ""; break;
    case RVP_NOTIFYMASK: m_nNotifyMask = (DWORD)value; break;
    case RVP_ENABLEITEMCACHE: m_bCacheOn = (BOOL)value; break;
    case RVP_SEPARATOR: {
        char to = (char)value;
        // Rows already written follow the new separator, or their cells would run together.
        RewriteSeparators(s_cSeparator, to);
        s_cSeparator = to;
        m_strEmptyField = GridRowString::EmptyField(to);
        break;
    }
    case RVP_ENABLEPREVIEW: m_bPreview = (BOOL)value; break;
    case RVP_ENABLEHSCROLL: m_bHScroll = (BOOL)value; break;
    case RVP_CHECKSTYLE:
        if (value < 0 || value > 2)
            return FALSE;
        m_iCheckStyle = (int)value;
        break;
    case RVP_BLENDMODE: m_iBlendMode = (int)value; break;
    case RVP_BLENDCOLOR: m_crBlend = (COLORREF)value; break;
    case RVP_COPYSEPARATOR: s_cCopySeparator = (char)value; break;
    case RVP_TREEINDENT: s_strTreeIndent = value ? (LPCSTR)value : ""; break;
    default: return FALSE;
    }
    if (m_hWnd)
        Layout(m_rectClient.Width(), m_rectClient.Height());
    return TRUE;
}

void CVXGridCtrl::OnSetFontImpl(HFONT font, BOOL redraw)
{
    LOGFONT lf = {};
    if (!font || !::GetObject(font, sizeof(lf), &lf))
        ::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    m_fontNormal.DeleteObject();
    m_fontBold.DeleteObject();
    m_fontNormal.CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    m_fontBold.CreateFontIndirect(&lf);
    if (m_hWnd) {
        CClientDC dc(this);
        CFont* old = dc.SelectObject(&m_fontNormal);
        TEXTMETRIC tm = {};
        dc.GetTextMetrics(&tm);
        dc.SelectObject(old);
        m_iItemHeight = tm.tmHeight + tm.tmExternalLeading + 4 + ((m_nGridStyle & RVS_SHOWHGRID) ? 1 : 0);
    }
    if (m_pImageList)
        m_iItemHeight = std::max(m_iItemHeight, (int)m_sizeImage.cy + 1);
    m_sizeCheck = CSize(m_iItemHeight - 2, m_iItemHeight - 2);
    if (m_hWnd && redraw)
        Layout(m_rectClient.Width(), m_rectClient.Height());
}

void CVXGridCtrl::SetItemHeight(int height)
{
    m_iItemHeight = height;
    if (m_hWnd)
        Layout(m_rectClient.Width(), m_rectClient.Height());
}

void CVXGridCtrl::SetHeaderHeight(int height)
{
    m_wndHeader.SetHeight(height);
    if (m_hWnd)
        Layout(m_rectClient.Width(), m_rectClient.Height());
}

void CVXGridCtrl::SetRedraw(BOOL redraw)
{
    if (m_hWnd)
        SendMessage(WM_SETREDRAW, redraw);
    m_bRedraw = redraw;
    if (redraw && m_hWnd) {
        ScrollWindow(SB_VERT, m_iScrollY); // rows added meanwhile reach the bar
        Invalidate();
    }
}

void CVXGridCtrl::HideTip()
{
    m_wndTip.Hide();
}

void CVXGridCtrl::Layout(int cx, int cy)
{
    m_rectClient.SetRect(0, 0, cx, cy);
    if (!m_wndHeader.m_hWnd)
        return;
    HideTip();
    RECT area = m_rectClient;
    WINDOWPOS pos = {};
    HDLAYOUT layout = {&area, &pos};
    m_wndHeader.Layout(&layout);
    if (m_nGridStyle & RVS_NOHEADER) {
        m_rectHeader.SetRect(pos.x, 0, pos.x + pos.cx, 0);
    } else if (m_wndHeader.GetHeight() > 0 && m_wndHeader.GetHeight() != pos.cy) {
        m_rectHeader.SetRect(pos.x, 0, pos.x + pos.cx, m_wndHeader.GetHeight());
    } else {
        m_rectHeader.SetRect(pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy);
    }
    int top = m_rectHeader.bottom;
    if (m_nGridStyle & RVS_SHOWFIXEDROW) {
        m_rectFixed.SetRect(m_rectHeader.left, top, m_rectHeader.right,
                            top + m_iItemHeight + 2 * ::GetSystemMetrics(SM_CYFIXEDFRAME));
        top = m_rectFixed.bottom;
    } else {
        m_rectFixed.SetRectEmpty();
    }
    m_rectRows.SetRect(0, top, cx, std::max(top, cy));
    ScrollWindow(SB_HORZ, std::min(m_iScrollX, m_iVirtualWidth));
    ScrollWindow(SB_VERT, std::min(m_iScrollY, m_iVirtualHeight));
}

int CVXGridCtrl::RowExtent(int row)
{
    int height = m_iItemHeight;
    if (m_bPreview && row >= -1 && row < m_iVirtualHeight) {
        int item = IsOwnerData() || row < 0 ? row : m_arrayRows[(size_t)row];
        if (!IsOwnerData() || row < 0)
            height += GetItemStruct(item, -1).nPreview;
    }
    return height;
}

int CVXGridCtrl::GetVisibleRows(BOOL wholeOnly, int* first, int* last, BOOL backwards)
{
    int available = m_rectRows.Height();
    int count = 0, used = 0;
    if (!backwards) {
        int row = first && *first >= 0 ? *first : m_iScrollY;
        if (first)
            *first = row;
        int lastRow = row - 1;
        for (; row < m_iVirtualHeight && used < available; row++) {
            used += RowExtent(row);
            if (wholeOnly && used > available)
                break;
            lastRow = row;
            count++;
        }
        if (last)
            *last = lastRow;
        return count;
    }
    int row = last && *last >= 0 ? *last : m_iVirtualHeight - 1;
    int firstRow = row + 1;
    for (; row >= 0 && used < available; row--) {
        used += RowExtent(row);
        if (wholeOnly && used > available)
            break;
        firstRow = row;
        count++;
    }
    if (first)
        *first = firstRow;
    return count;
}

void CVXGridCtrl::ScrollWindow(int bar, int position)
{
    if (m_rectClient.IsRectEmpty() || !m_hWnd)
        return;
    HideTip();
    SCROLLINFO si = {sizeof(si), SIF_PAGE | SIF_RANGE | SIF_POS};
    if (bar == SB_HORZ) {
        si.nPage = (UINT)m_rectClient.Width();
        si.nMax = (int)si.nPage < m_iVirtualWidth ? m_iVirtualWidth - 1 : 0;
        m_iScrollX = std::max(0, std::min(position, std::max(0, m_iVirtualWidth - (int)si.nPage)));
        si.nPos = m_iScrollX;
        if (m_bHScroll)
            SetScrollInfo(SB_HORZ, &si, TRUE);
        if (m_wndHeader.m_hWnd)
            m_wndHeader.SetWindowPos(nullptr, -m_iScrollX, m_rectHeader.top,
                                     std::max(m_rectClient.Width(), m_iVirtualWidth), m_rectHeader.Height(),
                                     SWP_NOZORDER | SWP_NOACTIVATE |
                                         ((m_nGridStyle & RVS_NOHEADER) ? SWP_HIDEWINDOW : SWP_SHOWWINDOW));
    } else {
        int old = m_iScrollY;
        m_iScrollY = std::max(0, std::min(position, std::max(0, m_iVirtualHeight - 1)));
        if (ShiftRows(old, m_iScrollY))
            InvalidateRect(&m_rectRows, FALSE);
        int first = m_iScrollY;
        int page = GetVisibleRows(TRUE, &first, nullptr);
        si.nPage = (UINT)std::max(page, 1);
        si.nMax = page < m_iVirtualHeight ? m_iVirtualHeight - 1 : 0;
        si.nPos = m_iScrollY;
        // An unchanged range moves the thumb only: a range change re-lays the frame out.
        SCROLLINFO current = {sizeof(current), SIF_PAGE | SIF_RANGE};
        if (GetScrollInfo(SB_VERT, &current) && current.nPage == si.nPage && current.nMax == si.nMax &&
            current.nMin == si.nMin)
            si.fMask = SIF_POS;
        SetScrollInfo(SB_VERT, &si, FALSE);
        RedrawScrollBar(SB_VERT);
    }
    if (m_nGridStyle & RVS_SHOWFIXEDROW)
        InvalidateRect(&m_rectFixed, FALSE);
    if (bar == SB_HORZ)
        InvalidateRect(&m_rectRows, FALSE);
}

void CVXGridCtrl::RedrawScrollBar(int bar)
{
    // Only the bar: a redrawn frame must not take the rows with it.
    CRect client;
    GetClientRect(&client);
    CRect area = bar == SB_VERT ? CRect(client.right, 0, client.right + ::GetSystemMetrics(SM_CXVSCROLL), client.bottom)
                                : CRect(0, client.bottom, client.right, client.bottom + ::GetSystemMetrics(SM_CYHSCROLL));
    RedrawWindow(&area, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
}

BOOL CVXGridCtrl::ShiftRows(int from, int to)
{
    // A short vertical move scrolls the pixels and repaints only the rows that come in.
    if (from == to)
        return TRUE; // a layout or a refresh: everything again
    int low = std::min(from, to), high = std::max(from, to);
    int page = GetVisibleCount(FALSE);
    if (high - low >= page || m_hEditWnd || !m_bRedraw)
        return TRUE;
    int distance = 0;
    for (int row = low; row < high; row++)
        distance += RowExtent(row);
    UpdateWindow();
    ScrollWindowEx(0, to > from ? -distance : distance, &m_rectRows, &m_rectRows, nullptr, nullptr, SW_INVALIDATE);
    return FALSE;
}

int CVXGridCtrl::GetTopIndex()
{
    return m_iScrollY;
}

int CVXGridCtrl::GetVisibleCount(BOOL wholeOnly)
{
    int first = m_iScrollY;
    return GetVisibleRows(wholeOnly, &first, nullptr);
}

void CVXGridCtrl::OnVScrollImpl(UINT code, int position)
{
    EndEdit(TRUE);
    int pos = m_iScrollY;
    int last = -1;
    int lastRowFirst = m_iVirtualHeight - 1, pageFirst = 0;
    switch (code) {
    case SB_LINEUP: pos = std::max(0, pos - 1); break;
    case SB_LINEDOWN: {
        int first = pos;
        GetVisibleRows(TRUE, &first, &last);
        if (last < m_iVirtualHeight - 1)
            pos++;
        break;
    }
    case SB_PAGEUP: {
        last = pos;
        GetVisibleRows(TRUE, &pageFirst, &last, TRUE);
        pos = std::max(0, pageFirst - 1);
        break;
    }
    case SB_PAGEDOWN: pos += GetVisibleCount(TRUE); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        SCROLLINFO si = {sizeof(si), SIF_TRACKPOS};
        GetScrollInfo(SB_VERT, &si);
        pos = si.nTrackPos;
        break;
    }
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = m_iVirtualHeight; break;
    default: return;
    }
    // The last page is always full.
    GetVisibleRows(TRUE, &pageFirst, &lastRowFirst, TRUE);
    if (code != SB_LINEUP && code != SB_LINEDOWN && code != SB_PAGEUP && pos > pageFirst)
        pos = pageFirst;
    (void)position;
    ScrollWindow(SB_VERT, pos);
}

void CVXGridCtrl::OnHScrollImpl(UINT code, int)
{
    EndEdit(TRUE);
    int line = m_rectClient.Width() / 8;
    int maxPos = std::max(0, m_iVirtualWidth - m_rectClient.Width());
    int pos = m_iScrollX;
    switch (code) {
    case SB_LINELEFT: pos = std::max(0, pos - line); break;
    case SB_LINERIGHT: pos = std::min(maxPos, pos + line); break;
    case SB_PAGELEFT: pos = std::max(0, pos - m_rectClient.Width()); break;
    case SB_PAGERIGHT: pos = std::min(m_iVirtualWidth, pos + m_rectClient.Width()); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        SCROLLINFO si = {sizeof(si), SIF_TRACKPOS};
        GetScrollInfo(SB_HORZ, &si);
        pos = si.nTrackPos;
        break;
    }
    case SB_LEFT: pos = 0; break;
    case SB_RIGHT: pos = m_iVirtualWidth; break;
    default: return;
    }
    ScrollWindow(SB_HORZ, pos);
}

void CVXGridCtrl::OnMouseWheelImpl(short delta)
{
    if (m_nWheelLines == 0xFFFFFFFF) {
        int units = abs(delta) / 120;
        for (int i = 0; i < units; i++)
            PostMessage(WM_VSCROLL, delta > 0 ? SB_PAGEUP : SB_PAGEDOWN);
        return;
    }
    int units = abs((int)delta * (int)m_nWheelLines / 120);
    for (int i = 0; i < units; i++)
        PostMessage(WM_VSCROLL, delta > 0 ? SB_LINEUP : SB_LINEDOWN);
}

BOOL CVXGridCtrl::EnsureVisible(int item, BOOL wholeOnly)
{
    int row = GetRowFromItem(item);
    if (row < 0 || !m_hWnd)
        return FALSE;
    if (row < m_iScrollY) {
        ScrollWindow(SB_VERT, row);
        return TRUE;
    }
    int first = m_iScrollY, last = -1;
    GetVisibleRows(wholeOnly, &first, &last);
    if (row > last) {
        int top = -1, lastRow = row;
        GetVisibleRows(wholeOnly, &top, &lastRow, TRUE);
        ScrollWindow(SB_VERT, top);
    }
    return TRUE;
}

BOOL CVXGridCtrl::EnsureVisible(_TREEITEM* handle, BOOL wholeOnly)
{
    structTREEITEM* node = ResolveParent(handle);
    if (!node || node == &m_itemRoot)
        return FALSE;
    for (structTREEITEM* up = node->pParent; up && up != &m_itemRoot; up = up->pParent)
        if (!up->bExpanded)
            Expand(ToHandle(up), 1);
    return EnsureVisible(node->iItem, wholeOnly);
}

BOOL CVXGridCtrl::IsItemVisible(int item, BOOL wholeOnly)
{
    int row = GetRowFromItem(item);
    if (row < 0 || row < m_iScrollY)
        return FALSE;
    int first = m_iScrollY, last = -1;
    GetVisibleRows(wholeOnly, &first, &last);
    return row <= last;
}

int CVXGridCtrl::ColumnLeft(int column)
{
    int x = m_rectClient.left - m_iScrollX;
    for (int c = 0; c < column && c < (int)m_arrayColumns.size(); c++)
        x += ColumnWidth(c);
    return x;
}

int CVXGridCtrl::ColumnWidth(int column)
{
    HDITEM hdi = {HDI_WIDTH};
    if (column < 0 || column >= (int)m_arrayColumns.size() || !m_wndHeader.GetItem(m_arrayColumns[(size_t)column], &hdi))
        return 0;
    return hdi.cxy;
}

BOOL CVXGridCtrl::GetRowRect(int row, int column, LPRECT rect, UINT kind)
{
    if (!rect || row < -1 || row >= m_iVirtualHeight)
        return FALSE;
    CRect rc;
    if (row == -1) {
        rc.SetRect(m_rectFixed.left, m_rectFixed.top, m_rectFixed.right,
                   m_rectFixed.top + m_iItemHeight);
    } else {
        int top = m_rectRows.top;
        if (row < m_iScrollY)
            return FALSE;
        for (int r = m_iScrollY; r < row; r++)
            top += RowExtent(r);
        rc.SetRect(m_rectClient.left - m_iScrollX, top, m_rectClient.left - m_iScrollX + m_iVirtualWidth,
                   top + m_iItemHeight);
    }
    if (column >= 0) {
        rc.left = ColumnLeft(column);
        rc.right = rc.left + ColumnWidth(column);
    }
    if (kind == 4) {
        rc.right = m_rectClient.left - m_iScrollX + m_iVirtualWidth;
    }
    *rect = rc;
    return TRUE;
}

BOOL CVXGridCtrl::GetItemRect(int item, int subItem, LPRECT rect, UINT kind)
{
    return GetRowRect(GetRowFromItem(item), GetColumnFromSubItem(subItem), rect, kind);
}

void CVXGridCtrl::RedrawRows(int first, int last, BOOL now)
{
    if (!m_hWnd)
        return;
    if (last < first)
        last = first;
    for (int row = first; row <= last; row++)
        InvalidateRow(row);
    if (now)
        UpdateWindow();
}

void CVXGridCtrl::RedrawItems(int first, int last)
{
    if (!m_hWnd)
        return;
    if (last < first)
        last = first;
    for (int item = first; item <= last; item++)
        InvalidateRow(GetRowFromItem(item));
}

void CVXGridCtrl::InvalidateRow(int row)
{
    CRect rc;
    if (!m_hWnd || !GetRowRect(row, -1, &rc))
        return;
    rc.left = m_rectClient.left;
    rc.right = m_rectClient.right;
    rc.bottom = rc.top + RowExtent(row);
    InvalidateRect(&rc, FALSE);
}

int CVXGridCtrl::GetCurrentFocus(int* column)
{
    if (column)
        *column = m_iFocusColumn;
    return m_iFocusRow;
}

BOOL CVXGridCtrl::MeasureItem(int item, int subItem, LPRECT rect, BOOL noDecoration)
{
    if (!rect)
        return FALSE;
    if (subItem == -1) {
        ::SetRect(rect, 0, 0, m_iDefaultWidth, m_iItemHeight);
        return TRUE;
    }
    char text[256] = "";
    _RVITEM rvi;
    rvi.nMask = RVIM_TEXT;
    rvi.iItem = item;
    rvi.iSubItem = subItem;
    rvi.lpszText = text;
    rvi.iTextMax = sizeof(text);
    GetItem(&rvi);
    int width = m_iSpacing;
    if (!noDecoration && (rvi.nMask & RVIM_CHECK))
        width += m_sizeCheck.cx + m_iSpacing;
    if (!noDecoration && (rvi.nMask & RVIM_IMAGE))
        width += m_sizeImage.cx + m_iSpacing;
    CClientDC dc(this);
    CFont* old = dc.SelectObject((rvi.nState & RVIS_BOLD) ? &m_fontBold : &m_fontNormal);
    width += dc.GetTextExtent(text, (int)strlen(text)).cx + m_iSpacing;
    dc.SelectObject(old);
    ::SetRect(rect, 0, 0, width, m_iItemHeight);
    return TRUE;
}

LRESULT CVXGridCtrl::Notify(_NMREPORTVIEW* record)
{
    int bit = RVN_FIRST - (int)record->hdr.code;
    if (bit < 0 || bit > 31 || !(m_nNotifyMask & (1u << bit)) || !m_hWnd)
        return 0;
    CWnd* parent = GetParent();
    if (!parent)
        return 0;
    record->hdr.hwndFrom = m_hWnd;
    record->hdr.idFrom = (UINT_PTR)GetDlgCtrlID();
    return parent->SendMessage(WM_NOTIFY, (WPARAM)GetDlgCtrlID(), (LPARAM)record);
}

LRESULT CVXGridCtrl::Notify(UINT code, int item, int subItem, UINT state, LPARAM lParam)
{
    _NMREPORTVIEW record;
    memset(&record.hdr, 0, sizeof(record.hdr));
    record.hdr.code = code;
    record.iItem = item;
    record.iSubItem = subItem;
    record.nState = state;
    record.lParam = lParam;
    if (IsTree() && item >= 0 && item < (int)m_arrayItems.size())
        record.hItem = ToHandle(m_arrayItems[(size_t)item].lpTreeItem);
    return Notify(&record);
}

LRESULT CVXGridCtrl::Notify(UINT code, UINT keys, const _RVHITTESTINFO* hit)
{
    _NMREPORTVIEW record;
    memset(&record.hdr, 0, sizeof(record.hdr));
    record.hdr.code = code;
    record.nKeys = keys;
    record.point = hit->point;
    record.nFlags = hit->nFlags;
    record.iItem = hit->iItem;
    record.iSubItem = hit->iSubItem;
    if (IsTree())
        record.hItem = hit->hItem;
    if (hit->iItem >= 0 && !IsOwnerData() && hit->iItem < (int)m_arrayItems.size())
        record.lParam = (LPARAM)m_arrayItems[(size_t)hit->iItem].lParam;
    return Notify(&record);
}

LRESULT CVXGridCtrl::NotifyHdr(_NMRVHEADER* record, UINT code, int headerItem)
{
    memset(&record->hdr, 0, sizeof(record->hdr));
    record->hdr.code = code;
    record->iSubItem = -1;
    HDITEM hdi = {HDI_LPARAM};
    if (headerItem >= 0 && m_wndHeader.GetItem(headerItem, &hdi))
        record->iSubItem = (int)hdi.lParam;
    return Notify((_NMREPORTVIEW*)record);
}

void CVXGridCtrl::GetExpandedItemText(LPRVITEM)
{
}

LRESULT CVXGridCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: OnPaintImpl(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE:
        EndEdit(TRUE);
        Layout(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_SETFONT: OnSetFontImpl((HFONT)wParam, LOWORD(lParam)); return 0;
    case WM_GETFONT: return (LRESULT)m_fontNormal.GetSafeHandle();
    case WM_VSCROLL: OnVScrollImpl(LOWORD(wParam), (short)HIWORD(wParam)); return 0;
    case WM_HSCROLL: OnHScrollImpl(LOWORD(wParam), (short)HIWORD(wParam)); return 0;
    case WM_MOUSEWHEEL: OnMouseWheelImpl((short)HIWORD(wParam)); return 0;
    case WM_SETTINGCHANGE: m_nWheelLines = GetMouseScrollLines(); break;
    case WM_SYSCOLORCHANGE: GetSysColors(); break;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_SETCURSOR: ::SetCursor(::LoadCursor(nullptr, IDC_ARROW)); return TRUE;
    case WM_SETFOCUS:
        m_bFocus = TRUE;
        Invalidate(FALSE);
        return 0;
    case WM_KILLFOCUS:
        if (!wParam || !::IsChild(m_hWnd, (HWND)wParam))
            m_bFocus = FALSE;
        if ((HWND)wParam != m_wndTip.m_hWnd)
            HideTip();
        Invalidate(FALSE);
        return 0;
    case WM_LBUTTONDOWN: OnLButtonDownImpl((UINT)wParam, CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)), FALSE); return 0;
    case WM_LBUTTONDBLCLK: OnLButtonDownImpl((UINT)wParam, CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)), TRUE); return 0;
    case WM_MOUSEMOVE: OnMouseMoveImpl((UINT)wParam, CPoint((short)LOWORD(lParam), (short)HIWORD(lParam))); return 0;
    case WM_RBUTTONDOWN: OnRButtonDownImpl((UINT)wParam, CPoint((short)LOWORD(lParam), (short)HIWORD(lParam))); return 0;
    case WM_KEYDOWN:
        if (!HandleCellKey((UINT)wParam))
            OnKeyDownImpl((UINT)wParam, (UINT)lParam);
        return 0;
    case WM_CHAR: OnCharImpl((UINT)wParam); return 0;
    case WM_NOTIFY: {
        NMHDR* header = (NMHDR*)lParam;
        if (header && header->hwndFrom == m_wndHeader.m_hWnd)
            return OnHeaderNotify(header);
        if (header && (int)header->code == RVN_ENDITEMEDIT)
            return OnEditorEnd((_NMRVITEMEDIT*)header);
        if (header && (int)header->code == RVN_EDITKILLFOCUS)
            return Notify((_NMREPORTVIEW*)header);
        break;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == 18773) {
            OnVxgridExcel();
            return 0;
        }
        if (LOWORD(wParam) == 18774) {
            OnVxgridText();
            return 0;
        }
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CVXGridCtrl::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && msg->hwnd == m_hWnd && HandleCellKey((UINT)msg->wParam))
        return TRUE;
    return CWnd::PreTranslateMessage(msg);
}
