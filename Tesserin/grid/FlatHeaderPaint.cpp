// Flat drawing: items in display order, separators, the sort arrow.
#include "grid/FlatHeaderCtrl.h"
#include "grid/GridOffscreen.h"

#include <algorithm>

void CFlatHeaderCtrl::Paint()
{
    CPaintDC paintDC(this);
    CRect clip;
    paintDC.GetClipBox(&clip);
    if (clip.IsRectEmpty())
        return;
    if (!m_bDoubleBuffer) {
        PaintItems(&paintDC, clip);
        return;
    }
    GridOffscreen offscreen(&paintDC, clip);
    PaintItems(offscreen.DC(), clip);
}

void CFlatHeaderCtrl::PaintItems(CDC* dc, const CRect& clip)
{
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, m_cr3DFace);
    CFont* oldFont = m_font.GetSafeHandle() ? dc->SelectObject(&m_font) : nullptr;
    dc->SetBkColor(m_cr3DFace);
    dc->SetTextColor(m_crText);
    int count = GetItemCount();
    std::vector<int> order(std::max(count, 0));
    if (count > 0)
        GetOrderArray(order.data(), count);
    int right = 0;
    for (int index : order) {
        char text[81] = "";
        HDITEM hdi = {HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_BITMAP | HDI_IMAGE | HDI_LPARAM};
        hdi.pszText = text;
        hdi.cchTextMax = sizeof(text);
        GetItem(index, &hdi);
        CRect rc;
        GetItemRect(index, &rc);
        right = std::max(right, (int)rc.right);
        if (rc.right < clip.left || rc.left > clip.right)
            continue;
        if (!(hdi.fmt & HDF_OWNERDRAW)) {
            CRect inner(rc.left + m_iSpacing, rc.top, rc.right - m_iSpacing, rc.bottom);
            DrawItem(dc, inner, hdi, index == m_iSortColumn, m_bSortAscending);
        }
        dc->FillSolidRect(rc.right - 1, rc.top + 2, 1, rc.Height() - 4, m_cr3DShadow);
        dc->FillSolidRect(rc.right, rc.top + 2, 1, rc.Height() - 4, m_cr3DHighLight);
    }
    dc->Draw3dRect(0, 0, right, client.Height(), m_cr3DHighLight, m_cr3DShadow);
    if (oldFont)
        dc->SelectObject(oldFont);
}

void CFlatHeaderCtrl::DrawItem(CDC* dc, CRect rect, HDITEM& hdi, BOOL sortColumn, BOOL ascending)
{
    int align = hdi.fmt & HDF_JUSTIFYMASK;
    int arrowRoom = sortColumn ? m_sizeArrow.cx + m_iSpacing : 0;
    if (hdi.fmt & HDF_IMAGE) {
        int used = DrawImagePart(dc, rect, hdi.iImage);
        if (used < 0)
            return;
        rect.left += used;
    }
    CRect textRect = rect;
    textRect.top += 2;
    if (align == HDF_LEFT) {
        textRect.right -= arrowRoom;
        int textWidth = 0;
        if ((hdi.fmt & HDF_STRING) && hdi.pszText) {
            textWidth = std::min((int)dc->GetTextExtent(hdi.pszText, (int)strlen(hdi.pszText)).cx, textRect.Width());
            dc->DrawText(hdi.pszText, -1, &textRect, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
        }
        if (sortColumn) {
            CRect arrow(rect.left + textWidth + m_iSpacing, rect.top, rect.right, rect.bottom);
            DrawArrow(dc, arrow, ascending, FALSE);
        }
        return;
    }
    if (sortColumn)
        rect.right -= DrawArrow(dc, rect, ascending, TRUE) + m_iSpacing;
    textRect = CRect(rect.left, rect.top + 2, rect.right, rect.bottom);
    if ((hdi.fmt & HDF_STRING) && hdi.pszText)
        dc->DrawText(hdi.pszText, -1, &textRect,
                     (align == HDF_RIGHT ? DT_RIGHT : DT_CENTER) | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
}

int CFlatHeaderCtrl::DrawImagePart(CDC* dc, CRect rect, int image)
{
    HIMAGELIST list = (HIMAGELIST)::SendMessage(m_hWnd, HDM_GETIMAGELIST, 0, 0);
    if (!list)
        return 0;
    if (rect.Width() < m_sizeImage.cx)
        return -1;
    int y = rect.top + (rect.Height() - m_sizeImage.cy) / 2;
    ImageList_Draw(list, image, dc->GetSafeHdc(), rect.left, y, ILD_TRANSPARENT);
    return m_sizeImage.cx + m_iSpacing;
}

int CFlatHeaderCtrl::DrawArrow(CDC* dc, const CRect& rect, BOOL ascending, BOOL rightAligned)
{
    int w = m_sizeArrow.cx, h = m_sizeArrow.cy;
    if (rect.Width() < w)
        return 0;
    int left = rightAligned ? rect.right - w : rect.left;
    int top = rect.top + (rect.Height() - h) / 2;
    CPen light(PS_SOLID, 1, m_cr3DHighLight), shadow(PS_SOLID, 1, m_cr3DShadow);
    CPen* old = dc->SelectObject(&light);
    if (ascending) {
        dc->MoveTo(left + w / 2, top);
        dc->LineTo(left + w, top + h);
        dc->LineTo(left, top + h);
        dc->SelectObject(&shadow);
        dc->LineTo(left + w / 2, top);
    } else {
        dc->SelectObject(&shadow);
        dc->MoveTo(left + w / 2, top + h);
        dc->LineTo(left, top);
        dc->LineTo(left + w, top);
        dc->SelectObject(&light);
        dc->LineTo(left + w / 2, top + h);
    }
    dc->SelectObject(old);
    return w;
}
