// CVXMenu's classic look and the check primitives both looks use.
#include "controls/VXMenu.h"
#include "controls/VXMenuSupport.h"

namespace {

void FillWith(CDC* dc, const CRect& rect, COLORREF colour)
{
    CBrush brush(colour);
    dc->FillRect(rect, &brush);
}

void DrawWholeText(CDC* dc, const WCHAR* text, const CRect& rect, COLORREF colour)
{
    dc->SetTextColor(colour);
    vxmenu::DrawItemText(dc->GetSafeHdc(), text, rect);
}

}  // namespace

void CVXMenu::DrawCheckMark(CDC* pDC, int x, int y, COLORREF color, BOOL narrowFlag)
{
    static const int kFrom[7] = {2, 3, 4, 3, 2, 1, 0};
    int d = narrowFlag ? 1 : 0;
    CPen pen(PS_SOLID, 1, color);
    CPen* old = pDC->SelectObject(&pen);
    for (int i = 0; i < 7; ++i) {
        pDC->MoveTo(x + i, y + kFrom[i]);
        pDC->LineTo(x + i, y + kFrom[i] + 3 - d);
    }
    pDC->SelectObject(old);
}

void CVXMenu::DrawRadioDot(CDC* pDC, int x, int y, COLORREF color)
{
    CBrush brush(color);
    CPen pen(PS_SOLID, 1, color);
    CBrush* oldBrush = pDC->SelectObject(&brush);
    CPen* oldPen = pDC->SelectObject(&pen);
    pDC->Ellipse(x, y, x + 6, y + 6);
    pDC->SelectObject(oldPen);
    pDC->SelectObject(oldBrush);
}

BOOL CVXMenu::Draw3DCheckmark(CDC* dc, const CRect& rc, BOOL bSelected, HBITMAP hbmCheck)
{
    COLORREF fill = ::GetSysColor(IsWinXPLuna() ? COLOR_3DFACE : COLOR_MENU);
    if (!bSelected)
        fill = LightenColor(fill, 0.6);
    FillWith(dc, rc, fill);
    CRect edge = rc;
    if (IsNewShell())
        dc->DrawEdge(&edge, BDR_SUNKENOUTER, BF_RECT);
    if (hbmCheck)
        DrawRadioDot(dc, rc.left + 5, rc.top + 4, ::GetSysColor(COLOR_MENUTEXT));
    else
        DrawCheckMark(dc, rc.left + 4, rc.top + 4, ::GetSysColor(COLOR_MENUTEXT));
    return TRUE;
}

void CVXMenu::ReadItem(CVXMenuData* mdata, BOOL selected, BOOL disabled, BOOL checked, ItemView& view)
{
    if (mdata) {
        view.text = mdata->GetWideString();
        view.images = mdata->bitmap;
        view.xoffset = mdata->xoffset;
        view.nIconNormal = mdata->nID;
        view.globalOffset = mdata->global_offset;
        if (view.nIconNormal < 0 && view.globalOffset >= 0) {
            view.images = &m_AllImages;
            view.xoffset = view.globalOffset;
            view.nIconNormal = 0;
        }
    }
    if (checked && view.nIconNormal < 0 && ((selected && m_selectcheck > 0) || m_unselectcheck > 0))
        view.checkMarkImage = TRUE;
    else if (view.nIconNormal != -1) {
        view.selectedImage = selected && !disabled;
        view.disabledImage = disabled;
        view.plainImage = !selected && !disabled;
    }
}

HBITMAP CVXMenu::CheckedStateBitmap(LPDRAWITEMSTRUCT lpDIS) const
{
    MENUITEMINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_CHECKMARKS;
    if (!::GetMenuItemInfo((HMENU)lpDIS->hwndItem, lpDIS->itemID, FALSE, &info))
        return nullptr;
    return info.hbmpChecked;
}

void CVXMenu::DrawItem_Win9xNT2000(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* dc = CDC::FromHandle(lpDIS->hDC);
    CRect rect(lpDIS->rcItem);
    auto* mdata = (CVXMenuData*)lpDIS->itemData;
    COLORREF background = ::GetSysColor(IsWinXPLuna() ? COLOR_3DFACE : COLOR_MENU);
    BOOL selected = (lpDIS->itemState & ODS_SELECTED) != 0;
    BOOL disabled = (lpDIS->itemState & ODS_GRAYED) != 0;
    BOOL checked = (lpDIS->itemState & ODS_CHECKED) != 0;
    if (disabled && selected && !original_select_disabled)
        selected = FALSE;

    if (mdata && (mdata->nFlags & MF_SEPARATOR)) {
        FillWith(dc, rect, background);
        CRect line = rect;
        line.top += line.Height() >> 1;
        dc->DrawEdge(&line, EDGE_ETCHED, BF_TOP);
        return;
    }
    ItemView view;
    ReadItem(mdata, selected, disabled, checked, view);

    int dy = (rect.Height() - m_iconY - 4) / 2;
    if (dy < 0)
        dy = 0;
    CRect frame(rect.left + 1, rect.top + dy + 1, rect.left + m_iconX + 3, rect.top + dy + m_iconY + 3);
    CRect cell(rect.left, rect.top + dy, rect.left + m_iconX + 4, rect.top + dy + m_iconY + 4);
    CPoint origin(rect.left + 2, rect.top + dy + 2);
    CRect box(rect.left + 1, rect.top + dy + 2, rect.left + m_iconX + 1, rect.top + dy + m_iconY + 2);
    CRect bar = (view.HasImageCell() || checked) ? CRect(rect.left + m_iconX + 5, rect.top, rect.right, rect.bottom)
                                                 : rect;
    COLORREF text = ::GetSysColor(COLOR_MENUTEXT);
    COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT), dark = ::GetSysColor(COLOR_BTNSHADOW);

    if (selected) {
        FillWith(dc, bar, ::GetSysColor(COLOR_HIGHLIGHT));
        text = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    } else {
        FillWith(dc, rect, background);
        dc->Draw3dRect(rect, background, background);
    }

    if (view.HasImageCell()) {
        dc->Draw3dRect(frame, background, background);
        if (view.checkMarkImage) {
            if (checkmaps) {
                FillWith(dc, frame, background);
                dc->Draw3dRect(cell, background, background);
                checkmaps->Draw(dc, selected ? 1 : 0, origin, ILD_TRANSPARENT);
            }
        } else if (view.disabledImage) {
            CBitmap bitmap;
            GetBitmapFromImageList(dc, view.images, view.xoffset, bitmap);
            dc->Draw3dRect(cell, background, background);
            if (disable_old_style)
                DitherBlt(lpDIS->hDC, origin.x, origin.y, m_iconX, m_iconY, (HBITMAP)bitmap.GetSafeHandle(), 0, 0,
                          background);
            else if (hicolor_bitmaps)
                DitherBlt3(dc, origin.x, origin.y, m_iconX, m_iconY, bitmap, background);
            else
                DitherBlt2(dc, origin.x, origin.y, m_iconX, m_iconY, bitmap, 0, 0, background);
        } else if (view.selectedImage) {
            FillWith(dc, frame, background);
            if (IsNewShell())
                dc->Draw3dRect(cell, checked ? dark : light, checked ? light : dark);
            if (view.images)
                view.images->Draw(dc, view.xoffset, origin, ILD_TRANSPARENT);
        } else {
            if (checked) {
                FillWith(dc, frame, LightenColor(background, 0.6));
                if (IsNewShell())
                    dc->Draw3dRect(cell, dark, light);
            } else {
                FillWith(dc, frame, background);
                dc->Draw3dRect(cell, background, background);
            }
            if (view.images)
                view.images->Draw(dc, view.xoffset, origin, ILD_TRANSPARENT);
        }
    }

    if (checked && !view.checkMarkImage && view.nIconNormal < 0)
        Draw3DCheckmark(dc, box, selected, CheckedStateBitmap(lpDIS));

    if (view.text[0]) {
        CRect area(rect.left + m_iconX + 9, rect.top - 1, rect.right, rect.bottom - 1);
        if (vxmenu::HasTab(view.text))
            area.right -= m_iconX;
        int oldMode = dc->SetBkMode(TRANSPARENT);
        COLORREF oldColour = dc->GetTextColor();
        if (!disabled) {
            DrawWholeText(dc, view.text, area, text);
        } else if (!selected) {
            CRect raised(area.left + 1, area.top + 1, area.right + 1, area.bottom + 1);
            DrawWholeText(dc, view.text, raised, ::GetSysColor(COLOR_BTNHIGHLIGHT));
            DrawWholeText(dc, view.text, area, ::GetSysColor(COLOR_GRAYTEXT));
        } else {
            DrawWholeText(dc, view.text, area, background);
        }
        dc->SetTextColor(oldColour);
        dc->SetBkMode(oldMode);
    }
}
