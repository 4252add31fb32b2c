// Tree painting and drag images.
#include "controls/TreeViewControl.h"
#include "controls/CommonNotify.h"
#include "controls/CommonPaint.h"

#include <algorithm>
#include <cstring>

namespace mivo {

void TreeViewControl::DrawLines(HDC hdc, TreeNode* node, int y)
{
    COLORREF color = GetSysColor(COLOR_GRAYTEXT);
    int mid = y + itemHeight_ / 2;
    int x = ItemX(node) - indent_ / 2 - 1;
    bool rootLines = (Style() & TVS_LINESATROOT) != 0;
    auto dotH = [&](int x0, int x1, int yy) {
        for (int xx = x0; xx < x1; xx += 2)
            SetPixelV(hdc, xx, yy, color);
    };
    auto dotV = [&](int xx, int y0, int y1) {
        for (int yy = y0 + ((y0 + xx) & 1); yy < y1; yy += 2)
            SetPixelV(hdc, xx, yy, color);
    };
    if (Level(node) > 0 || rootLines) {
        dotH(x, x + indent_ / 2, mid);
        bool first = node->parent == &root_ && !node->prev;
        dotV(x, first ? mid : y, node->next ? y + itemHeight_ : mid);
    }
    // The ancestors' lines that pass this row.
    int ax = x;
    for (TreeNode* p = node->parent; p && p != &root_; p = p->parent) {
        ax -= indent_;
        if (p->next && (Level(p) > 0 || rootLines))
            dotV(ax, y, y + itemHeight_);
    }
}

void TreeViewControl::PaintRow(HDC hdc, TreeNode* node, int y)
{
    RECT client;
    GetClientRect(hwnd_, &client);
    COLORREF back = bk_ == CLR_NONE ? GetSysColor(COLOR_WINDOW) : bk_;
    RECT row = {0, y, client.right, y + itemHeight_};
    FillSolid(hdc, row, back);
    if (Style() & TVS_HASLINES)
        DrawLines(hdc, node, y);
    int x = ItemX(node);
    bool showButton = (Style() & TVS_HASBUTTONS) && (Level(node) > 0 || (Style() & TVS_LINESATROOT)) && HasButton(node);
    if (showButton) {
        int bx = x - indent_ / 2 - 1 - kButtonSize / 2, by = y + (itemHeight_ - kButtonSize) / 2;
        RECT box = {bx, by, bx + kButtonSize, by + kButtonSize};
        FillSolid(hdc, box, GetSysColor(COLOR_WINDOW));
        HGDIOBJ oldBrush = SelectObject(hdc, GetStockObject(NULL_BRUSH));
        HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_GRAYTEXT));
        HGDIOBJ oldPen = SelectObject(hdc, pen);
        Rectangle(hdc, box.left, box.top, box.right, box.bottom);
        SelectObject(hdc, oldPen);
        DeleteObject(pen);
        pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWTEXT));
        oldPen = SelectObject(hdc, pen);
        int cx = bx + kButtonSize / 2, cy = by + kButtonSize / 2;
        MoveToEx(hdc, bx + 2, cy, nullptr);
        LineTo(hdc, bx + kButtonSize - 2, cy);
        if (!(node->state & TVIS_EXPANDED)) {
            MoveToEx(hdc, cx, by + 2, nullptr);
            LineTo(hdc, cx, by + kButtonSize - 2);
        }
        SelectObject(hdc, oldPen);
        SelectObject(hdc, oldBrush);
        DeleteObject(pen);
    }
    int cx = 0, cy = 0;
    UINT stateImage = (node->state & TVIS_STATEIMAGEMASK) >> 12;
    if (stateImages_ && stateImage && ImageList_GetIconSize(stateImages_, &cx, &cy)) {
        ImageList_Draw(stateImages_, (int)stateImage, hdc, x, y + (itemHeight_ - cy) / 2, ILD_TRANSPARENT);
        x += cx;
    } else if (Checkboxes()) {
        RECT box = {x + 1, y + (itemHeight_ - 13) / 2, x + 14, y + (itemHeight_ - 13) / 2 + 13};
        DrawFrameControl(hdc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (stateImage == 2 ? DFCS_CHECKED : 0));
        x += kCheckWidth;
    }
    bool selected = node == caret_ && (focused_ || (Style() & TVS_SHOWSELALWAYS));
    bool hilite = node == drop_ || (selected && focused_ && !drop_);
    if (normal_ && ImageList_GetIconSize(normal_, &cx, &cy)) {
        int image = Image(node, node == caret_);
        if (!live_.count(node))
            return;
        ImageList_Draw(normal_, image, hdc, x, y + (itemHeight_ - cy) / 2,
                       ILD_TRANSPARENT | (node->state & TVIS_OVERLAYMASK) | ((node->state & TVIS_CUT) ? ILD_BLEND50 : 0));
        x += cx + kImageGap;
    }
    std::string text = Text(node);
    if (!live_.count(node))
        return;
    int w = TextWidth(hdc, text.c_str(), (int)text.size());
    RECT label = {x, y, x + w + 4, y + itemHeight_};
    widest_ = std::max(widest_, (int)label.right + scrollX_ + 2);
    COLORREF textColor = text_ == CLR_NONE ? GetSysColor(COLOR_WINDOWTEXT) : text_;
    if (hilite) {
        FillSolid(hdc, label, GetSysColor(COLOR_HIGHLIGHT));
        textColor = GetSysColor(COLOR_HIGHLIGHTTEXT);
    } else if (selected) {
        FillSolid(hdc, label, GetSysColor(COLOR_BTNFACE));
        textColor = GetSysColor(COLOR_BTNTEXT);
    }
    SetTextColor(hdc, textColor);
    SetBkMode(hdc, TRANSPARENT);
    HGDIOBJ oldFont = nullptr;
    HFONT bold = nullptr;
    if (node->state & TVIS_BOLD) {
        LOGFONTA lf = {};
        GetObject(font_, sizeof(lf), &lf);
        lf.lfWeight = FW_BOLD;
        bold = CreateFontIndirect(&lf);
        oldFont = SelectObject(hdc, bold);
    }
    RECT textRc = {label.left + 2, label.top, label.right + (bold ? 8 : 0), label.bottom};
    DrawText(hdc, text.c_str(), (int)text.size(), &textRc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (bold) {
        SelectObject(hdc, oldFont);
        DeleteObject(bold);
    }
    if (node == caret_ && focused_)
        DrawFocusRect(hdc, &label);
}

void TreeViewControl::Paint(HDC hdc, const RECT& dirty)
{
    RECT client;
    GetClientRect(hwnd_, &client);
    HGDIOBJ oldFont = SelectObject(hdc, font_);
    const auto& rows = Rows();
    int first = top_ + std::max(0, (int)dirty.top / std::max(1, itemHeight_));
    int last = top_ + (int)dirty.bottom / std::max(1, itemHeight_);
    for (int i = first; i <= last && i < (int)rows.size(); ++i) {
        PaintRow(hdc, rows[(size_t)i], (i - top_) * itemHeight_);
        if (!rowsValid_)
            break;  // a callback changed the tree; a new paint follows
    }
    UpdateHorizontalBar();
    int used = std::max(0, (int)Rows().size() - top_) * itemHeight_;
    if (used < client.bottom) {
        RECT rest = {0, used, client.right, client.bottom};
        FillSolid(hdc, rest, bk_ == CLR_NONE ? GetSysColor(COLOR_WINDOW) : bk_);
    }
    SelectObject(hdc, oldFont);
}

HIMAGELIST TreeViewControl::CreateDragImage(TreeNode* node)
{
    if (!node)
        return nullptr;
    std::string text = Text(node);
    int cx = 0, cy = 0;
    bool hasImage = normal_ && ImageList_GetIconSize(normal_, &cx, &cy);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ oldFont = SelectObject(dc, font_);
    int textW = TextWidth(dc, text.c_str(), (int)text.size());
    int w = (hasImage ? cx + kImageGap : 0) + textW + 4, h = std::max(itemHeight_, cy);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ oldBmp = SelectObject(dc, bmp);
    const COLORREF key = RGB(255, 0, 255);
    RECT all = {0, 0, w, h};
    FillSolid(dc, all, key);
    int x = 0;
    if (hasImage) {
        ImageList_Draw(normal_, Image(node, false), dc, 0, (h - cy) / 2, ILD_TRANSPARENT);
        x = cx + kImageGap;
    }
    RECT label = {x, 0, w, h};
    FillSolid(dc, label, GetSysColor(COLOR_WINDOW));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkMode(dc, TRANSPARENT);
    RECT textRc = {x + 2, 0, w, h};
    DrawText(dc, text.c_str(), (int)text.size(), &textRc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(dc, oldBmp);
    SelectObject(dc, oldFont);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    HIMAGELIST list = ImageList_Create(w, h, ILC_COLOR24 | ILC_MASK, 1, 0);
    if (list && ImageList_AddMasked(list, bmp, key) < 0) {
        ImageList_Destroy(list);
        list = nullptr;
    }
    DeleteObject(bmp);
    return list;
}

}  // namespace mivo
