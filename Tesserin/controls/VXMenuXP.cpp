// CVXMenu's XP look: a near-white item on a grey image bar, a light-blue
// selection box, images lifted with a shadow when selected.
#include "controls/VXMenu.h"
#include "controls/VXMenuSupport.h"

#include <memory>

namespace {

const COLORREF kSelectionFill = RGB(191, 210, 232);
const COLORREF kSelectionBorder = RGB(58, 110, 165);

void FillWith(CDC* dc, const CRect& rect, COLORREF colour)
{
    CBrush brush(colour);
    dc->FillRect(rect, &brush);
}

// Disabled items that cannot be selected are drawn off-screen, then copied in
// one piece; a printing context is drawn into directly.
class OffscreenItem {
public:
    OffscreenItem(CDC* target, const CRect& rect) : m_target(target), m_rect(rect)
    {
        m_font = vxmenu::CreateMenuFont();
        if (!target->IsPrinting()) {
            m_memory.CreateCompatibleDC(target);
            m_bitmap.CreateCompatibleBitmap(target, rect.Width(), rect.Height());
            m_oldBitmap = m_memory.SelectObject(&m_bitmap);
            m_memory.SetWindowOrg(rect.left, rect.top);
            m_dc = &m_memory;
        } else {
            m_dc = target;
        }
        m_oldFont = ::SelectObject(m_dc->GetSafeHdc(), m_font);
    }
    ~OffscreenItem()
    {
        ::SelectObject(m_dc->GetSafeHdc(), m_oldFont);
        if (m_dc == &m_memory) {
            m_target->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), &m_memory, m_rect.left,
                             m_rect.top, SRCCOPY);
            m_memory.SelectObject(m_oldBitmap);
            m_bitmap.DeleteObject();
        }
        ::DeleteObject(m_font);
    }
    OffscreenItem(const OffscreenItem&) = delete;
    OffscreenItem& operator=(const OffscreenItem&) = delete;
    CDC* dc() { return m_dc; }

private:
    CDC* m_target;
    CRect m_rect;
    CDC m_memory;
    CBitmap m_bitmap;
    CBitmap* m_oldBitmap = nullptr;
    CDC* m_dc = nullptr;
    HFONT m_font = nullptr;
    HGDIOBJ m_oldFont = nullptr;
};

}  // namespace

BOOL CVXMenu::DrawXPCheckmark(CDC* dc, const CRect& rc, HBITMAP hbmCheck, COLORREF& colorout, BOOL selected)
{
    int dy = (rc.Height() >> 1) - 3;
    int dx = (rc.Width() >> 1) - 3;
    if (dy < 0)
        dy = 0;
    if (dx < 0)
        dx = 0;
    FillWith(dc, rc, LightenColor(colorout, selected ? 0.55 : 0.85));
    dc->Draw3dRect(rc, colorout, colorout);
    if (hbmCheck)
        DrawRadioDot(dc, rc.left + dx, rc.top + dy, ::GetSysColor(COLOR_MENUTEXT));
    else
        DrawCheckMark(dc, rc.left + dx, rc.top + dy, ::GetSysColor(COLOR_MENUTEXT), TRUE);
    return TRUE;
}

void CVXMenu::DrawItem_WinXP(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* dc = CDC::FromHandle(lpDIS->hDC);
    CRect rect(lpDIS->rcItem);
    auto* mdata = (CVXMenuData*)lpDIS->itemData;
    COLORREF face = ::GetSysColor(COLOR_3DFACE);
    COLORREF background = DarkenColor(::GetSysColor(COLOR_WINDOW), 0.02);
    COLORREF bar = IsWinXPLuna() ? face : LightenColor(face, 0.25);
    BOOL selected = (lpDIS->itemState & ODS_SELECTED) != 0;
    BOOL disabled = (lpDIS->itemState & ODS_GRAYED) != 0;
    BOOL checked = (lpDIS->itemState & ODS_CHECKED) != 0;
    int pad = xp_draw_3D_bitmaps ? 7 : 4;
    int barWidth = m_iconX + pad;
    std::unique_ptr<OffscreenItem> offscreen;
    if (disabled && !xp_select_disabled) {
        selected = FALSE;
        offscreen.reset(new OffscreenItem(dc, rect));
        dc = offscreen->dc();
    }
    CRect barRect(rect.left, rect.top, rect.left + barWidth, rect.bottom);

    if (mdata && (mdata->nFlags & MF_SEPARATOR)) {
        FillWith(dc, rect, background);
        CRect line(rect.left + barWidth + pad, rect.top + (rect.Height() >> 1), rect.right, rect.bottom);
        dc->DrawEdge(&line, EDGE_ETCHED, BF_TOP);
        FillWith(dc, barRect, bar);
        dc->Draw3dRect(barRect, bar, bar);
        return;
    }
    ItemView view;
    ReadItem(mdata, selected, disabled, checked, view);
    COLORREF disabledText = ::GetSysColor(COLOR_GRAYTEXT);
    if (!IsWinXPLuna() && !selected)
        disabledText = LightenColor(disabledText, 0.4);

    bool ownVariants = mdata && mdata->bitmap && mdata->xoffset == 0 && mdata->bitmap->GetImageCount() > 2;
    bool globalVariants = mdata && mdata->nID < 0 && mdata->xoffset < 0 && mdata->global_offset >= 0 &&
                          CanDraw3DImageList(mdata->global_offset);
    bool variants = xp_draw_3D_bitmaps && (ownVariants || globalVariants);

    CRect imageRect(rect.left + 1, rect.top + 1, rect.left + barWidth - 2, rect.bottom - 1);
    int dy = (int)((rect.Height() - m_iconY + 1.0) * 0.5);
    int dx = (int)((barWidth - m_iconX + 1.0) * 0.5);
    CPoint origin(rect.left + (dx > 0 ? dx : 0), rect.top + (dy > 0 ? dy : 0));
    CPoint lifted(origin.x - 1, origin.y - 1);

    if (selected) {
        FillWith(dc, rect, kSelectionFill);
        dc->Draw3dRect(rect, kSelectionBorder, kSelectionBorder);
    } else {
        FillWith(dc, rect, background);
        FillWith(dc, barRect, bar);
        dc->Draw3dRect(rect, background, background);
        dc->Draw3dRect(barRect, bar, bar);
    }

    CImageList* images = view.images;
    if (view.checkMarkImage) {
        if (checkmaps) {
            FillWith(dc, imageRect, bar);
            checkmaps->Draw(dc, selected ? 1 : 0, origin, ILD_TRANSPARENT);
        }
    } else if (view.disabledImage && images) {
        if (variants) {
            images->Draw(dc, view.xoffset + 3, origin, ILD_TRANSPARENT);
        } else {
            CBitmap bitmap;
            GetBitmapFromImageList(dc, images, view.xoffset, bitmap);
            COLORREF under = selected ? kSelectionFill : bar;
            if (disable_old_style)
                DitherBlt(dc->GetSafeHdc(), origin.x, origin.y, m_iconX, m_iconY, (HBITMAP)bitmap.GetSafeHandle(), 0,
                          0, under);
            else
                DitherBlt2(dc, origin.x, origin.y, m_iconX, m_iconY, bitmap, 0, 0, under);
            if (selected)
                dc->Draw3dRect(rect, kSelectionBorder, kSelectionBorder);
        }
    } else if (view.selectedImage && images) {
        if (checked) {
            FillWith(dc, imageRect, LightenColor(kSelectionBorder, 0.55));
            dc->Draw3dRect(imageRect, kSelectionBorder, kSelectionBorder);
            images->Draw(dc, view.xoffset, lifted, ILD_TRANSPARENT);
        } else {
            FillWith(dc, imageRect, kSelectionFill);
            if (variants) {
                images->Draw(dc, view.xoffset + 2, CPoint(origin.x + 1, origin.y + 1), ILD_TRANSPARENT);
                images->Draw(dc, view.xoffset, lifted, ILD_TRANSPARENT);
            } else {
                images->Draw(dc, view.xoffset, origin, ILD_TRANSPARENT);
            }
        }
    } else if (view.plainImage && images) {
        if (checked) {
            FillWith(dc, imageRect, LightenColor(kSelectionBorder, 0.85));
            dc->Draw3dRect(imageRect, kSelectionBorder, kSelectionBorder);
            images->Draw(dc, view.xoffset, lifted, ILD_TRANSPARENT);
        } else {
            FillWith(dc, imageRect, bar);
            dc->Draw3dRect(imageRect, bar, bar);
            images->Draw(dc, variants ? view.xoffset + 1 : view.xoffset, origin, ILD_TRANSPARENT);
        }
    }

    if (checked && !view.checkMarkImage && view.nIconNormal < 0) {
        COLORREF border = kSelectionBorder;
        DrawXPCheckmark(dc, imageRect, CheckedStateBitmap(lpDIS), border, selected);
    }

    if (view.text[0]) {
        CRect area(rect.left + barWidth + 8, rect.top - 1, rect.right, rect.bottom - 1);
        if (vxmenu::HasTab(view.text))
            area.right -= m_iconX;
        int oldMode = dc->SetBkMode(TRANSPARENT);
        COLORREF oldColour = dc->SetTextColor(disabled ? disabledText : ::GetSysColor(COLOR_MENUTEXT));
        vxmenu::DrawItemText(dc->GetSafeHdc(), view.text, area);
        dc->SetTextColor(oldColour);
        dc->SetBkMode(oldMode);
    }
}
