#include "grid/FlatHeaderCtrl.h"

#include <algorithm>

CFlatHeaderCtrl::CFlatHeaderCtrl()
{
    ReadColours();
}

CFlatHeaderCtrl::~CFlatHeaderCtrl() = default;

void CFlatHeaderCtrl::ReadColours()
{
    m_cr3DHighLight = ::GetSysColor(COLOR_3DHIGHLIGHT);
    m_cr3DShadow = ::GetSysColor(COLOR_3DSHADOW);
    m_cr3DFace = ::GetSysColor(COLOR_3DFACE);
    m_crText = ::GetSysColor(COLOR_BTNTEXT);
}

BOOL CFlatHeaderCtrl::ModifyProperty(WPARAM property, LPARAM value)
{
    switch (property) {
    case FH_PROPERTY_SPACING: m_iSpacing = (int)value; break;
    case FH_PROPERTY_ARROW: m_sizeArrow = CSize(LOWORD(value), HIWORD(value)); break;
    case FH_PROPERTY_STATICBORDER: m_bStaticBorder = (BOOL)value; break;
    case FH_PROPERTY_DONTDROPCURSOR: m_nDontDropCursor = (UINT)value; break;
    case FH_PROPERTY_DROPTARGET: m_hDropTarget = (HWND)value; break;
    case FH_PROPERTY_ENABLETOOLTIPS: m_bToolTips = (BOOL)value; break;
    case FH_PROPERTY_AUTOSIZE:
        m_bAutoSize = (BOOL)value;
        if (m_bAutoSize && m_hWnd)
            AutoSize(-1);
        break;
    default: return FALSE;
    }
    if (m_hWnd)
        Invalidate();
    return TRUE;
}

BOOL CFlatHeaderCtrl::GetItemEx(int index, _HDITEMEX* item) const
{
    if (index < 0 || index >= (int)m_arrayEx.size() || !item)
        return FALSE;
    *item = m_arrayEx[(size_t)index];
    if (item->nStyle & HDF_EX_FIXEDWIDTH) {
        HDITEM hdi = {HDI_WIDTH};
        GetItem(index, &hdi);
        item->iMinWidth = item->iMaxWidth = hdi.cxy;
    }
    return TRUE;
}

BOOL CFlatHeaderCtrl::SetItemEx(int index, const _HDITEMEX* ex)
{
    if (index < 0 || index >= (int)m_arrayEx.size() || !ex)
        return FALSE;
    HDITEM hdi = {HDI_WIDTH};
    if (!GetItem(index, &hdi))
        return FALSE;
    int width = hdi.cxy;
    if (ex->nStyle & HDF_EX_AUTOWIDTH)
        width = GetItemWidth(index, (ex->nStyle & HDF_EX_INCLUDESORT) != 0);
    if (!(ex->nStyle & HDF_EX_FIXEDWIDTH)) {
        width = std::max(width, ex->iMinWidth);
        if (ex->iMaxWidth > 0)
            width = std::min(width, ex->iMaxWidth);
    }
    m_arrayEx[(size_t)index] = *ex;
    if (width != hdi.cxy)
        ApplyWidth(index, width);
    return TRUE;
}

UINT CFlatHeaderCtrl::GetItemExStyle(int index) const
{
    return index >= 0 && index < (int)m_arrayEx.size() ? m_arrayEx[(size_t)index].nStyle : 0;
}

BOOL CFlatHeaderCtrl::SetItemExStyle(int index, UINT style)
{
    if (index < 0 || index >= (int)m_arrayEx.size())
        return FALSE;
    _HDITEMEX ex = m_arrayEx[(size_t)index];
    ex.nStyle = style;
    return SetItemEx(index, &ex);
}

void CFlatHeaderCtrl::SetSortColumn(int column, BOOL ascending)
{
    m_iSortColumn = column;
    m_bSortAscending = ascending;
    if (m_hWnd)
        Invalidate();
}

int CFlatHeaderCtrl::GetSortColumn(BOOL* ascending) const
{
    if (ascending)
        *ascending = m_bSortAscending;
    return m_iSortColumn;
}

int CFlatHeaderCtrl::GetHeight() const
{
    if (m_iHeight >= 0 || !m_hWnd)
        return m_iHeight;
    CRect rc;
    GetWindowRect(&rc);
    return rc.Height();
}

int CFlatHeaderCtrl::GetItemWidth(int index, BOOL withArrow) const
{
    char text[81] = "";
    HDITEM hdi = {HDI_FORMAT | HDI_TEXT | HDI_BITMAP | HDI_IMAGE};
    hdi.pszText = text;
    hdi.cchTextMax = sizeof(text);
    if (!GetItem(index, &hdi))
        return 0;
    int width = m_iSpacing;
    if (hdi.fmt & HDF_IMAGE)
        width += m_sizeImage.cx + m_iSpacing;
    if ((hdi.fmt & HDF_BITMAP) && hdi.hbm) {
        BITMAP bm = {};
        if (::GetObject(hdi.hbm, sizeof(bm), &bm))
            width += bm.bmWidth + m_iSpacing;
    }
    if (withArrow)
        width += m_sizeArrow.cx + m_iSpacing;
    if (hdi.fmt & HDF_STRING) {
        CClientDC dc(const_cast<CFlatHeaderCtrl*>(this));
        CFont* old = m_font.GetSafeHandle() ? dc.SelectObject(const_cast<CFont*>(&m_font)) : nullptr;
        width += dc.GetTextExtent(text, (int)strlen(text)).cx + m_iSpacing;
        if (old)
            dc.SelectObject(old);
    }
    return width;
}

void CFlatHeaderCtrl::ApplyWidth(int index, int width)
{
    HDITEM hdi = {HDI_WIDTH};
    hdi.cxy = width;
    SetItem(index, &hdi);
}

void CFlatHeaderCtrl::ShowParentMenu(CPoint)
{
}

LRESULT CFlatHeaderCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case HDM_INSERTITEM: return OnInsertItem(wParam, lParam);
    case HDM_DELETEITEM: return OnDeleteItem(wParam, lParam);
    case HDM_LAYOUT: return OnLayout(wParam, lParam);
    case HDM_SETHOTDIVIDER: return OnSetHotDivider(wParam, lParam);
    case HDM_SETIMAGELIST: {
        int cx = 0, cy = 0;
        if (lParam && ImageList_GetIconSize((HIMAGELIST)lParam, &cx, &cy))
            m_sizeImage = CSize(cx, cy);
        break;
    }
    case WM_SETFONT: {
        m_font.DeleteObject();
        LOGFONT lf = {};
        if (wParam && ::GetObject((HFONT)wParam, sizeof(lf), &lf))
            m_font.CreateFontIndirect(&lf);
        break;
    }
    case WM_SYSCOLORCHANGE: ReadColours(); break;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return OnButtonDown(message, wParam, lParam);
    case WM_MOUSEMOVE: return OnMouseMove(wParam, lParam);
    case WM_LBUTTONUP: return OnButtonUp(wParam, lParam);
    case WM_CANCELMODE:
        EndDragPictures();
        m_bDividerDrag = m_bColumnDrag = FALSE;
        m_iPressed = -1;
        ::ClipCursor(nullptr);
        break;
    case WM_SETCURSOR: {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        if (OnSetCursorAt(pt))
            return TRUE;
        break;
    }
    case WM_RBUTTONDOWN: {
        CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
        ClientToScreen(&pt);
        ShowParentMenu(pt);
        break;
    }
    }
    return CHeaderCtrl::WindowProc(message, wParam, lParam);
}

LRESULT CFlatHeaderCtrl::OnInsertItem(WPARAM wParam, LPARAM lParam)
{
    int at = std::min((int)wParam, (int)m_arrayEx.size());
    at = std::max(at, 0);
    LRESULT index = CHeaderCtrl::WindowProc(HDM_INSERTITEM, wParam, lParam);
    if (index >= 0)
        m_arrayEx.insert(m_arrayEx.begin() + std::min((int)index, (int)m_arrayEx.size()), _HDITEMEX());
    return index;
}

LRESULT CFlatHeaderCtrl::OnDeleteItem(WPARAM wParam, LPARAM lParam)
{
    LRESULT done = CHeaderCtrl::WindowProc(HDM_DELETEITEM, wParam, lParam);
    if (done && (int)wParam >= 0 && (int)wParam < (int)m_arrayEx.size()) {
        m_arrayEx.erase(m_arrayEx.begin() + (int)wParam);
        if (m_iSortColumn == (int)wParam)
            m_iSortColumn = -1;
        else if (m_iSortColumn > (int)wParam)
            m_iSortColumn--;
    }
    return done;
}

LRESULT CFlatHeaderCtrl::OnLayout(WPARAM wParam, LPARAM lParam)
{
    HDLAYOUT* layout = (HDLAYOUT*)lParam;
    if (!layout || !layout->prc || !layout->pwpos)
        return FALSE;
    RECT saved = *layout->prc;
    if (m_bStaticBorder) {
        int border = ::GetSystemMetrics(SM_CXBORDER) * 2;
        layout->prc->left -= border;
        layout->prc->right += border;
    }
    LRESULT result = CHeaderCtrl::WindowProc(HDM_LAYOUT, wParam, lParam);
    if (m_iHeight >= 0) {
        layout->pwpos->cy = m_iHeight;
        layout->prc->top = saved.top + m_iHeight;
    }
    if (m_bAutoSize && !m_bDividerDrag)
        AutoSize(-1);
    return result;
}
