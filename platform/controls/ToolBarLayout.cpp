// Tool bar layout: button sizes from images and texts, rows from wrap states.
#include "controls/ToolBar.h"

#include <algorithm>

namespace mivo {

ToolBarState::~ToolBarState()
{
    for (ToolStrip& s : strips)
        if (s.owned && s.bitmap)
            DeleteObject(s.bitmap);
}

int ToolBarState::CommandToIndex(int command) const
{
    for (size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i].command == command)
            return (int)i;
    return -1;
}

ToolButton* ToolBarState::ByCommand(int command)
{
    int i = CommandToIndex(command);
    return i < 0 ? nullptr : &buttons[(size_t)i];
}

bool ToolBarState::HasText() const
{
    if (maxTextRows <= 0)
        return false;
    for (const ToolButton& b : buttons)
        if (!b.Separator() && !b.text.empty())
            return true;
    return false;
}

bool ToolBarState::HasDropArrow(const ToolButton& b) const
{
    return !b.Separator() && (((b.style & TBSTYLE_DROPDOWN) && (exStyle & TBSTYLE_EX_DRAWDDARROWS)) ||
                              (b.style & BTNS_WHOLEDROPDOWN));
}

int ToolBarState::ImageCount() const
{
    int n = 0;
    for (const ToolStrip& s : strips)
        n += s.count;
    return n;
}

SIZE ToolBarState::ButtonSize(HDC measure, DWORD style) const
{
    SIZE size = buttonSize;
    SIZE need = {bitmapSize.cx + padding.cx, bitmapSize.cy + padding.cy};
    if (HasText()) {
        int textWidth = 0;
        TEXTMETRICA tm = {};
        GetTextMetrics(measure, &tm);
        for (const ToolButton& b : buttons)
            if (!b.Separator())
                textWidth = std::max(textWidth, TextWidth(measure, b.text.c_str(), (int)b.text.size()));
        if (style & TBSTYLE_LIST) {
            need.cx += textWidth + 4;
            need.cy = std::max(need.cy, (int)tm.tmHeight + padding.cy);
        } else {
            need.cx = std::max(need.cx, textWidth + padding.cx);
            need.cy += tm.tmHeight;
        }
    }
    size.cx = std::max(size.cx, need.cx);
    size.cy = std::max(size.cy, need.cy);
    return size;
}

void ToolBarState::Layout(HDC measure, DWORD style, int width)
{
    SIZE size = ButtonSize(measure, style);
    int top = (style & CCS_NODIVIDER) ? 0 : 2;
    int x = indent, y = top;
    rows = 1;
    bool rowHasButtons = false;
    for (ToolButton& b : buttons) {
        if (b.Hidden()) {
            b.rect = RECT{x, y, x, y};
            continue;
        }
        int w = b.Separator() ? (b.image > 0 ? b.image : kSeparatorWidth) : (b.width > 0 ? b.width : size.cx);
        if (HasDropArrow(b))
            w += kDropArrowWidth;
        if ((style & TBSTYLE_WRAPABLE) && width > 0 && rowHasButtons && x + w > width) {
            x = indent;
            y += size.cy;
            ++rows;
        }
        b.rect = RECT{x, y, x + w, y + size.cy};
        x += w;
        rowHasButtons = true;
        if (b.state & TBSTATE_WRAP) {
            x = indent;
            y += size.cy + (b.Separator() ? kWrappedSeparatorGap : 0);
            ++rows;
            rowHasButtons = false;
        }
    }
    if (!rowHasButtons && rows > 1)
        --rows;  // a wrap after the last button opens no row
}

SIZE ToolBarState::MaxSize() const
{
    SIZE size = {0, 0};
    for (const ToolButton& b : buttons) {
        if (b.Hidden())
            continue;
        size.cx = std::max(size.cx, (int)b.rect.right);
        size.cy = std::max(size.cy, (int)b.rect.bottom);
    }
    return size;
}

int ToolBarState::HitTest(POINT pt) const
{
    for (size_t i = 0; i < buttons.size(); ++i) {
        const ToolButton& b = buttons[i];
        if (b.Hidden())
            continue;
        if (pt.x >= b.rect.left && pt.x < b.rect.right && pt.y >= b.rect.top && pt.y < b.rect.bottom)
            return b.Separator() ? -(int)i : (int)i;
    }
    return -1;
}

RECT ToolBarState::ArrowRect(const ToolButton& b) const
{
    if (!HasDropArrow(b) || (b.style & BTNS_WHOLEDROPDOWN))
        return RECT{0, 0, 0, 0};
    return RECT{b.rect.right - kDropArrowWidth, b.rect.top, b.rect.right, b.rect.bottom};
}

}  // namespace mivo
