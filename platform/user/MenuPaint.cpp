// Drawing menu items in the classic look: system menu colours, embossed grey
// text for disabled items, check marks and submenu arrows, the highlight bar.
// Owner-drawn items are drawn by their owner (WM_DRAWITEM).
#include "user/MenuDraw.h"
#include "win32/rect.h"
#include "win32/cursors.h"
#include "win32/gdi.h"
#include "win32/paint.h"
#include "win32/gditext.h"
#include "win32/messages.h"
#include "win32/uidraw.h"
#include "win32/user.h"
#include "win32/usersys.h"

#include <map>

namespace mivo {

namespace {

const int kCheckColumn = 19;
const int kArrowColumn = 16;
const int kBarItemPadding = 6;

void Fill(HDC dc, const RECT& r, int sysColor)
{
    FillRect(dc, &r, GetSysColorBrush(sysColor));
}

// Menu glyphs come black on white; they are painted in `color` through that mask.
void DrawGlyph(HDC dc, const RECT& r, UINT type, UINT state, COLORREF color)
{
    int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0)
        return;
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bmp = CreateCompatibleBitmap(dc, w, h);
    HGDIOBJ oldBmp = SelectObject(mem, bmp);
    RECT local{0, 0, w, h};
    DrawFrameControl(mem, &local, type, state);
    HBRUSH brush = CreateSolidBrush(color);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    BitBlt(dc, r.left, r.top, w, h, mem, 0, 0, 0x00B8074A);  // brush where the mask is black
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
    SelectObject(mem, oldBmp);
    DeleteObject(bmp);
    DeleteDC(mem);
}

// A check bitmap given by the program (monochrome: black marks) in the text colour.
void DrawCheckBitmap(HDC dc, const RECT& column, HBITMAP bitmap, COLORREF color)
{
    BITMAP bm = {};
    if (!GetObject(bitmap, sizeof(bm), &bm))
        return;
    int x = column.left + (column.right - column.left - bm.bmWidth) / 2;
    int y = column.top + (column.bottom - column.top - bm.bmHeight) / 2;
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, bitmap);
    HBRUSH brush = CreateSolidBrush(color);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
    BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, mem, 0, 0, 0x00B8074A);
    SetBkColor(dc, oldBk);
    SetTextColor(dc, oldText);
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
    SelectObject(mem, old);
    DeleteDC(mem);
}

void DrawLabel(HDC dc, const std::u16string& text, RECT r, UINT align, COLORREF color)
{
    SetTextColor(dc, color);
    DrawTextW(dc, text.c_str(), (int)text.size(), &r, align | DT_SINGLELINE | DT_VCENTER);
}

// Text of an item: enabled in `color`; disabled items embossed (or plain grey on the highlight).
void DrawItemText(HDC dc, const MenuItem& item, const RECT& textRect, bool selected, COLORREF color)
{
    std::u16string label = LabelPart(item.text), accel = AcceleratorPart(item.text);
    RECT right = textRect;
    right.right -= kArrowColumn;
    if (!item.Disabled()) {
        DrawLabel(dc, label, textRect, DT_LEFT, color);
        DrawLabel(dc, accel, right, DT_RIGHT, color);
        return;
    }
    if (!selected) {
        RECT shifted{textRect.left + 1, textRect.top + 1, textRect.right + 1, textRect.bottom + 1};
        RECT shiftedRight{right.left + 1, right.top + 1, right.right + 1, right.bottom + 1};
        DrawLabel(dc, label, shifted, DT_LEFT, GetSysColor(COLOR_3DHILIGHT));
        DrawLabel(dc, accel, shiftedRight, DT_RIGHT, GetSysColor(COLOR_3DHILIGHT));
    }
    DrawLabel(dc, label, textRect, DT_LEFT, GetSysColor(selected ? COLOR_GRAYTEXT : COLOR_3DSHADOW));
    DrawLabel(dc, accel, right, DT_RIGHT, GetSysColor(selected ? COLOR_GRAYTEXT : COLOR_3DSHADOW));
}

UINT OwnerDrawState(const MenuItem& item, bool selected)
{
    UINT state = 0;
    if (selected)
        state |= ODS_SELECTED;
    if (item.state & MF_GRAYED)
        state |= ODS_GRAYED;
    if (item.state & MF_DISABLED)
        state |= ODS_DISABLED;
    if (item.state & MF_CHECKED)
        state |= ODS_CHECKED;
    if (item.state & MFS_DEFAULT)
        state |= ODS_DEFAULT;
    return state;
}

void SendDrawItem(HDC dc, HWND owner, HMENU menu, const MenuItem& item, bool selected, UINT action, UINT extra)
{
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_MENU;
    dis.CtlID = 0;
    dis.itemID = item.sub ? (UINT)(uintptr_t)item.sub : item.id;
    dis.itemAction = action;
    dis.itemState = OwnerDrawState(item, selected) | extra;
    dis.hwndItem = (HWND)menu;
    dis.hDC = dc;
    dis.rcItem = item.rect;
    dis.itemData = item.data;
    int saved = SaveDC(dc);
    SelectObject(dc, MenuFont(false));  // owners draw in the menu font, as on Windows
    if (owner)
        SendMessage(owner, WM_DRAWITEM, 0, (LPARAM)&dis);
    RestoreDC(dc, saved);
}

// The system's bitmap items: a maximized MDI child's icon and its buttons.
void DrawSystemBitmap(HDC dc, const MenuItem& item, const RECT& r)
{
    uintptr_t which = (uintptr_t)item.bitmap;
    if (item.bitmap == HBMMENU_SYSTEM) {
        HWND child = (HWND)item.data;
        HICON icon = child ? (HICON)SendMessage(child, WM_GETICON, ICON_SMALL, 0) : nullptr;
        if (!icon && child)
            icon = (HICON)GetClassLongPtr(child, GCLP_HICONSM);
        if (!icon && child)
            icon = (HICON)GetClassLongPtr(child, GCLP_HICON);
        if (!icon)
            icon = LoadIcon(nullptr, IDI_APPLICATION);
        int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
        DrawIconEx(dc, r.left + (r.right - r.left - cx) / 2, r.top + (r.bottom - r.top - cy) / 2, icon, cx, cy, 0,
                   nullptr, DI_NORMAL);
        return;
    }
    UINT kind = DFCS_CAPTIONCLOSE;
    if (which == (uintptr_t)HBMMENU_MBAR_RESTORE || which == (uintptr_t)HBMMENU_POPUP_RESTORE)
        kind = DFCS_CAPTIONRESTORE;
    else if (which == (uintptr_t)HBMMENU_MBAR_MINIMIZE || which == (uintptr_t)HBMMENU_MBAR_MINIMIZE_D ||
             which == (uintptr_t)HBMMENU_POPUP_MINIMIZE)
        kind = DFCS_CAPTIONMIN;
    else if (which == (uintptr_t)HBMMENU_POPUP_MAXIMIZE)
        kind = DFCS_CAPTIONMAX;
    if (which == (uintptr_t)HBMMENU_MBAR_CLOSE_D || which == (uintptr_t)HBMMENU_MBAR_MINIMIZE_D)
        kind |= DFCS_INACTIVE;
    int h = r.bottom - r.top;
    RECT b{r.left + 1, r.top + 2, r.right - 1, r.top + 2 + std::max(0, h - 4)};
    DrawFrameControl(dc, &b, DFC_CAPTION, kind);
}

void DrawBitmapItem(HDC dc, const MenuItem& item, const RECT& r)
{
    if ((uintptr_t)item.bitmap <= 11) {
        DrawSystemBitmap(dc, item, r);
        return;
    }
    BITMAP bm = {};
    if (!GetObject(item.bitmap, sizeof(bm), &bm))
        return;
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, item.bitmap);
    BitBlt(dc, r.left, r.top + (r.bottom - r.top - bm.bmHeight) / 2, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
}

std::map<HWND, std::pair<int, BarItemLook>>& BarHighlights()
{
    static thread_local std::map<HWND, std::pair<int, BarItemLook>> map;
    return map;
}

void DrawSubmenuArrow(HDC dc, const MenuItem& item, COLORREF colour)
{
    const RECT& r = item.rect;
    int size = GetSystemMetrics(SM_CXMENUCHECK);
    RECT arrow{r.right - kArrowColumn + (kArrowColumn - size) / 2, r.top + (r.bottom - r.top - size) / 2, 0, 0};
    arrow.right = arrow.left + size;
    arrow.bottom = arrow.top + size;
    DrawGlyph(dc, arrow, DFC_MENU, DFCS_MENUARROW, colour);
}

}  // namespace

void DrawPopupFrame(HDC dc, const SIZE& size)
{
    RECT r{0, 0, size.cx, size.cy};
    Fill(dc, r, COLOR_MENU);
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
}

void DrawPopupItem(HDC dc, HWND owner, HMENU menu, const MenuItem& item, bool selected, UINT action)
{
    if (item.OwnerDraw()) {
        SendDrawItem(dc, owner, menu, item, selected, action, 0);
        // The system still shows where an owner-drawn item opens a submenu.
        if (item.sub)
            DrawSubmenuArrow(dc, item, GetSysColor(item.Disabled() ? COLOR_GRAYTEXT
                                                   : selected      ? COLOR_HIGHLIGHTTEXT
                                                                   : COLOR_MENUTEXT));
        return;
    }
    RECT r = item.rect;
    if (item.Separator()) {
        Fill(dc, r, COLOR_MENU);
        RECT line{r.left + 1, r.top + (r.bottom - r.top) / 2 - 1, r.right - 1, r.top + (r.bottom - r.top) / 2 + 1};
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    Fill(dc, r, selected ? COLOR_HIGHLIGHT : COLOR_MENU);
    COLORREF text = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
    RECT column{r.left, r.top, r.left + kCheckColumn, r.bottom};
    if (item.bitmap && item.text.empty()) {
        RECT place{r.left + kCheckColumn, r.top, r.right, r.bottom};
        DrawBitmapItem(dc, item, place);
    }
    HBITMAP mark = (item.state & MF_CHECKED) ? item.checked : item.unchecked;
    if (mark) {
        DrawCheckBitmap(dc, column, mark, item.Disabled() ? GetSysColor(COLOR_GRAYTEXT) : text);
    } else if (item.state & MF_CHECKED) {
        int size = GetSystemMetrics(SM_CXMENUCHECK);
        RECT box{column.left + (kCheckColumn - size) / 2, r.top + (r.bottom - r.top - size) / 2, 0, 0};
        box.right = box.left + size;
        box.bottom = box.top + size;
        DrawGlyph(dc, box, DFC_MENU, (item.type & MFT_RADIOCHECK) ? DFCS_MENUBULLET : DFCS_MENUCHECK,
                  item.Disabled() ? GetSysColor(COLOR_GRAYTEXT) : text);
    }
    if (item.sub)
        DrawSubmenuArrow(dc, item, item.Disabled() ? GetSysColor(COLOR_GRAYTEXT) : text);
    if (item.text.empty())
        return;
    HGDIOBJ oldFont = SelectObject(dc, MenuFont((item.state & MFS_DEFAULT) != 0));
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColor = GetTextColor(dc);
    RECT textRect{r.left + kCheckColumn, r.top, r.right, r.bottom};
    DrawItemText(dc, item, textRect, selected, text);
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
}

void DrawBarItem(HDC dc, HWND hwnd, HMENU menu, const MenuItem& item, BarItemLook look)
{
    if (item.OwnerDraw()) {
        SendDrawItem(dc, hwnd, menu, item, look != BarItemLook::Plain, ODA_DRAWENTIRE,
                     look == BarItemLook::Hot ? ODS_HOTLIGHT : 0);
        return;
    }
    RECT r = item.rect;
    if (r.right <= r.left)
        return;
    Fill(dc, r, COLOR_MENU);
    if (item.bitmap && item.text.empty()) {
        DrawBitmapItem(dc, item, r);
        return;
    }
    if (look == BarItemLook::Open)
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    else if (look == BarItemLook::Hot)
        DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    HGDIOBJ oldFont = SelectObject(dc, MenuFont(false));
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColor = GetTextColor(dc);
    RECT textRect{r.left + kBarItemPadding, r.top, r.right, r.bottom};
    if (look == BarItemLook::Open)
        OffsetRect(&textRect, 1, 1);
    DrawItemText(dc, item, textRect, false, GetSysColor(COLOR_MENUTEXT));
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
}

void SetBarHighlight(HWND hwnd, int index, BarItemLook look)
{
    if (index < 0)
        BarHighlights().erase(hwnd);
    else
        BarHighlights()[hwnd] = {index, look};
    DrawMenuBar(hwnd);
}

int BarHighlight(HWND hwnd, BarItemLook* look)
{
    auto it = BarHighlights().find(hwnd);
    if (it == BarHighlights().end())
        return -1;
    *look = it->second.second;
    return it->second.first;
}

}  // namespace mivo
