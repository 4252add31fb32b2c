// Item sizes and places in popups and menu bars. Owner-drawn items are
// measured by their owner (WM_MEASUREITEM) each time the menu is laid out.
#include "user/MenuDraw.h"
#include "win32/gdi.h"
#include "win32/paint.h"
#include "win32/gditext.h"
#include "win32/messages.h"
#include "win32/user.h"
#include "win32/usersys.h"

#include <algorithm>
#include <cstring>

namespace mivo {

namespace {

const int kSeparatorHeight = 8;
const int kCheckColumn = 19;   // room for a check mark left of the text
const int kArrowColumn = 16;   // room for the submenu arrow right of the text
const int kAcceleratorGap = 16;
const int kBarItemPadding = 6;

struct TextSizes {
    int label = 0;
    int accelerator = 0;
    int height = 0;
};

std::u16string WithoutPrefix(const std::u16string& text)
{
    std::u16string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        out += text[i];
    }
    return out;
}

SIZE Extent(HDC dc, const std::u16string& text)
{
    SIZE s = {0, 0};
    std::u16string plain = WithoutPrefix(text);
    GetTextExtentPoint32W(dc, plain.empty() ? u" " : plain.c_str(), plain.empty() ? 1 : (int)plain.size(), &s);
    if (plain.empty())
        s.cx = 0;
    return s;
}

TextSizes MeasureText(HDC dc, const MenuItem& item)
{
    HGDIOBJ old = SelectObject(dc, MenuFont((item.state & MFS_DEFAULT) != 0));
    TextSizes t;
    SIZE label = Extent(dc, LabelPart(item.text));
    SIZE accel = Extent(dc, AcceleratorPart(item.text));
    t.label = label.cx;
    t.accelerator = accel.cx;
    t.height = std::max(label.cy, accel.cy);
    SelectObject(dc, old);
    return t;
}

SIZE BitmapSize(HBITMAP bitmap)
{
    if ((uintptr_t)bitmap <= 11)  // the system's bitmap items
        return SIZE{GetSystemMetrics(SM_CXMENUSIZE), GetSystemMetrics(SM_CYMENUSIZE)};
    BITMAP bm = {};
    if (!GetObject(bitmap, sizeof(bm), &bm))
        return SIZE{0, 0};
    return SIZE{bm.bmWidth, bm.bmHeight};
}

SIZE MeasureOwnerDrawn(HWND owner, const MenuItem& item, int defaultHeight)
{
    MEASUREITEMSTRUCT mis = {};
    mis.CtlType = ODT_MENU;
    mis.CtlID = 0;
    mis.itemID = item.sub ? (UINT)(uintptr_t)item.sub : item.id;
    mis.itemWidth = 0;
    mis.itemHeight = (UINT)defaultHeight;
    mis.itemData = item.data;
    if (owner)
        SendMessage(owner, WM_MEASUREITEM, 0, (LPARAM)&mis);
    return SIZE{(LONG)mis.itemWidth, (LONG)mis.itemHeight};
}

int TextItemHeight(int textHeight)
{
    return std::max(textHeight + 4, GetSystemMetrics(SM_CYMENUCHECK) + 4);
}

}  // namespace

PopupGeometry LayOutPopup(HWND owner, HMENU handle)
{
    PopupGeometry g;
    Menu menu;
    if (!SnapshotMenu(handle, menu))
        return g;
    HDC dc = GetDC(nullptr);
    int defaultHeight = TextItemHeight(14);
    // First pass: sizes; items in columns split at MF_MENUBREAK / MF_MENUBARBREAK.
    std::vector<SIZE> sizes(menu.items.size());
    std::vector<size_t> columnStarts{0};
    std::vector<int> columnLabel{0}, columnAccel{0}, columnOther{0};
    for (size_t i = 0; i < menu.items.size(); ++i) {
        const MenuItem& item = menu.items[i];
        if (i > 0 && (item.type & (MFT_MENUBREAK | MFT_MENUBARBREAK))) {
            columnStarts.push_back(i);
            columnLabel.push_back(0);
            columnAccel.push_back(0);
            columnOther.push_back(0);
        }
        if (item.OwnerDraw()) {
            sizes[i] = MeasureOwnerDrawn(owner, item, defaultHeight);
            // As Windows does, an owner-drawn popup item gets room for a check mark too.
            sizes[i].cx += GetSystemMetrics(SM_CXMENUCHECK) - 1;
            columnOther.back() = std::max(columnOther.back(), (int)sizes[i].cx);
        } else if (item.Separator()) {
            sizes[i] = SIZE{0, kSeparatorHeight};
        } else if (item.bitmap && item.text.empty()) {
            SIZE b = BitmapSize(item.bitmap);
            sizes[i] = SIZE{b.cx + kCheckColumn, std::max((int)b.cy + 2, defaultHeight)};
            columnOther.back() = std::max(columnOther.back(), (int)sizes[i].cx + kArrowColumn);
        } else {
            TextSizes t = dc ? MeasureText(dc, item) : TextSizes{};
            sizes[i] = SIZE{t.label, TextItemHeight(t.height)};
            columnLabel.back() = std::max(columnLabel.back(), t.label);
            columnAccel.back() = std::max(columnAccel.back(), t.accelerator);
        }
    }
    if (dc)
        ReleaseDC(nullptr, dc);

    // Second pass: each column as wide as its widest item, items stacked.
    g.items.resize(menu.items.size());
    int x = kPopupBorder, tallest = 0;
    for (size_t c = 0; c < columnStarts.size(); ++c) {
        size_t end = c + 1 < columnStarts.size() ? columnStarts[c + 1] : menu.items.size();
        int textWidth = kCheckColumn + columnLabel[c] +
                        (columnAccel[c] ? kAcceleratorGap + columnAccel[c] : 0) + kArrowColumn;
        int width = std::max(textWidth, columnOther[c]);
        int y = kPopupBorder;
        for (size_t i = columnStarts[c]; i < end; ++i) {
            g.items[i] = RECT{x, y, x + width, y + sizes[i].cy};
            y += sizes[i].cy;
        }
        tallest = std::max(tallest, y);
        x += width;
    }
    g.size = SIZE{x + kPopupBorder, std::max(tallest, kPopupBorder) + kPopupBorder};
    if (menu.items.empty())
        g.size = SIZE{2 * kPopupBorder + kCheckColumn + kArrowColumn, 2 * kPopupBorder};
    StoreItemRects(handle, g.items);
    return g;
}

std::vector<RECT> LayOutBar(HWND hwnd, HMENU handle, const RECT& bar)
{
    std::vector<RECT> rects;
    Menu menu;
    if (!SnapshotMenu(handle, menu))
        return rects;
    HDC dc = GetDC(nullptr);
    int height = bar.bottom - bar.top;
    std::vector<int> widths(menu.items.size(), 0);
    for (size_t i = 0; i < menu.items.size(); ++i) {
        const MenuItem& item = menu.items[i];
        if (item.OwnerDraw())
            widths[i] = MeasureOwnerDrawn(hwnd, item, height).cx;
        else if (item.Separator())
            widths[i] = 0;
        else if (item.bitmap && item.text.empty())
            widths[i] = BitmapSize(item.bitmap).cx + ((uintptr_t)item.bitmap <= 11 ? 0 : 4);
        else
            widths[i] = (dc ? MeasureText(dc, item).label : 0) + 2 * kBarItemPadding;
    }
    if (dc)
        ReleaseDC(nullptr, dc);
    rects.assign(menu.items.size(), RECT{0, 0, 0, 0});
    // Items flow from the left; from the first right-justified one on, they sit at the right edge.
    size_t rightStart = menu.items.size();
    for (size_t i = 0; i < menu.items.size(); ++i)
        if (menu.items[i].type & MFT_RIGHTJUSTIFY) {
            rightStart = i;
            break;
        }
    int x = bar.left;
    for (size_t i = 0; i < rightStart; ++i) {
        rects[i] = RECT{x, bar.top, x + widths[i], bar.top + height};
        x += widths[i];
    }
    int right = bar.right;
    for (size_t i = menu.items.size(); i-- > rightStart;) {
        rects[i] = RECT{right - widths[i], bar.top, right, bar.top + height};
        right -= widths[i];
    }
    StoreItemRects(handle, rects);
    return rects;
}

HFONT MenuFont(bool bold)
{
    static HFONT fonts[2] = {nullptr, nullptr};
    HFONT& f = fonts[bold ? 1 : 0];
    if (!f) {
        NONCLIENTMETRICSA m = {};
        m.cbSize = sizeof(m);
        SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(m), &m, 0);
        if (bold)
            m.lfMenuFont.lfWeight = FW_BOLD;
        f = CreateFontIndirect(&m.lfMenuFont);
    }
    return f;
}

}  // namespace mivo
