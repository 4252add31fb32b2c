// The "ToolbarWindow32" class: messages, mouse handling and notifications.
// Clicks reach the owner as WM_COMMAND; drop-down buttons send TBN_DROPDOWN
// with the button's rectangle.
#include "controls/ToolBar.h"
#include "controls/BuiltinClasses.h"
#include "win32/cursors.h"
#include "win32/resources.h"

#include <algorithm>
#include <cstring>

namespace mivo {

namespace {

// The normal image list sets the size of the buttons' images.
void TakeImageSize(ToolBarState& tb)
{
    int cx = 0, cy = 0;
    if (tb.imageLists[0] && ImageList_GetIconSize(tb.imageLists[0], &cx, &cy) && cx > 0 &&
        cy > 0)
        tb.bitmapSize = SIZE{cx, cy};
}

void Relayout(HWND hwnd, ToolBarState& tb)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, ControlFont(hwnd));
    tb.Layout(dc, StyleOf(hwnd), ClientRect(hwnd).right);
    SelectObject(dc, old);
    DeleteDC(dc);
    InvalidateRect(hwnd, nullptr, TRUE);
}

// Sizes the bar to its rows and lays it along the parent's top (or bottom)
// unless its styles keep it where it is.
void AutoSize(HWND hwnd, ToolBarState& tb)
{
    DWORD style = StyleOf(hwnd);
    Relayout(hwnd, tb);
    HWND parent = GetParent(hwnd);
    if (!parent || (style & CCS_NORESIZE))
        return;
    SIZE max = tb.MaxSize();
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ oldFont = SelectObject(dc, ControlFont(hwnd));
    int height = std::max((int)max.cy, (int)tb.ButtonSize(dc, style).cy) + 2;
    SelectObject(dc, oldFont);
    DeleteDC(dc);
    RECT pc = ClientRect(parent);
    RECT wr;
    GetWindowRect(hwnd, &wr);
    POINT at = {wr.left, wr.top};
    ScreenToClient(parent, &at);
    int x = at.x, y = at.y, cx = RectWidth(wr);
    if (!(style & CCS_NOPARENTALIGN)) {
        x = 0;
        cx = RectWidth(pc);
        // The two low bits say where: CCS_BOTTOM shares its bit with CCS_NOMOVEY.
        DWORD edge = style & CCS_BOTTOM;
        if (edge != CCS_NOMOVEY)
            y = edge == CCS_BOTTOM ? pc.bottom - height : 0;
    }
    SetWindowPos(hwnd, nullptr, x, y, cx, height, SWP_NOZORDER | SWP_NOACTIVATE);
    Relayout(hwnd, tb);
}

std::string TextOfString(const ToolBarState& tb, INT_PTR iString)
{
    // An index into the pool, or (above the range of indexes) the text itself; -1: none.
    if (iString < 0)
        return std::string();
    if (iString < (INT_PTR)tb.strings.size())
        return tb.strings[(size_t)iString];
    if (!IS_INTRESOURCE(iString))
        return (const char*)iString;
    return std::string();
}

ToolButton FromTBBUTTON(const ToolBarState& tb, const TBBUTTON& in)
{
    ToolButton b;
    b.image = in.iBitmap;
    b.command = in.idCommand;
    b.state = in.fsState;
    b.style = in.fsStyle;
    b.data = in.dwData;
    b.text = TextOfString(tb, in.iString);
    return b;
}

void ToTBBUTTON(const ToolBarState& tb, const ToolButton& b, TBBUTTON& out)
{
    std::memset(&out, 0, sizeof(out));
    out.iBitmap = b.image;
    out.idCommand = b.command;
    out.fsState = b.state;
    out.fsStyle = b.style;
    out.dwData = b.data;
    out.iString = -1;
    for (size_t i = 0; i < tb.strings.size(); ++i)
        if (!b.text.empty() && tb.strings[i] == b.text)
            out.iString = (INT_PTR)i;
}

LRESULT InsertButtons(HWND hwnd, ToolBarState& tb, size_t at, const TBBUTTON* in, size_t count)
{
    if (!in || tb.buttons.size() + count > (size_t)ToolBarState::kMaxButtons)
        return FALSE;
    at = std::min(at, tb.buttons.size());
    std::vector<ToolButton> added;
    for (size_t i = 0; i < count; ++i)
        added.push_back(FromTBBUTTON(tb, in[i]));
    tb.buttons.insert(tb.buttons.begin() + (long)at, added.begin(), added.end());
    if (tb.hot >= (int)at)
        tb.hot = -1;
    Relayout(hwnd, tb);
    return TRUE;
}

LRESULT AddBitmap(ToolBarState& tb, int count, const TBADDBITMAP* add)
{
    if (!add || count < 0)
        return -1;
    ToolStrip strip;
    strip.count = count;
    strip.instance = add->hInst;
    strip.id = add->nID;
    if (add->hInst == HINST_COMMCTRL)
        return -1;  // the system's standard images are not provided
    if (!add->hInst) {
        strip.bitmap = (HBITMAP)add->nID;
    } else {
        strip.bitmap = LoadBitmap(add->hInst, MAKEINTRESOURCE(add->nID));
        strip.owned = true;
        if (!strip.bitmap)
            return -1;
    }
    int first = tb.ImageCount();
    tb.strips.push_back(strip);
    return first;
}

LRESULT ReplaceBitmap(HWND hwnd, ToolBarState& tb, const TBREPLACEBITMAP* r)
{
    if (!r)
        return FALSE;
    for (ToolStrip& s : tb.strips) {
        bool same = r->hInstOld ? (s.instance == r->hInstOld && s.id == r->nIDOld)
                                : (!s.instance && (HBITMAP)r->nIDOld == s.bitmap);
        if (!same)
            continue;
        HBITMAP next = r->hInstNew ? LoadBitmap(r->hInstNew, MAKEINTRESOURCE(r->nIDNew)) : (HBITMAP)r->nIDNew;
        if (!next)
            return FALSE;
        if (s.owned && s.bitmap)
            DeleteObject(s.bitmap);
        s.bitmap = next;
        s.owned = r->hInstNew != nullptr;
        s.instance = r->hInstNew;
        s.id = r->nIDNew;
        s.count = r->nButtons;
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    }
    return FALSE;
}

// A list of texts each ended by a zero, the list ended by an empty one; or a
// string resource whose first character separates its texts.
LRESULT AddStrings(ToolBarState& tb, HINSTANCE instance, LPARAM lParam)
{
    int first = (int)tb.strings.size();
    if (instance) {
        char buffer[1024] = {};
        int n = LoadString(instance, (UINT)lParam, buffer, sizeof(buffer));
        if (n <= 1)
            return -1;
        // Walked character by character: a trail byte may look like the separator.
        std::string all(buffer, (size_t)n);
        char separator = all[0];
        std::string text;
        for (size_t i = 1; i < all.size() && (int)tb.strings.size() < ToolBarState::kMaxStrings;) {
            size_t length = CharLengthAt(all, i);
            if (length == 1 && all[i] == separator) {
                tb.strings.push_back(text);
                text.clear();
            } else {
                text.append(all, i, length);
            }
            i += length;
        }
        if (!text.empty() && (int)tb.strings.size() < ToolBarState::kMaxStrings)
            tb.strings.push_back(text);
        return first;
    }
    const char* p = (const char*)lParam;
    if (!p)
        return -1;
    while (*p && (int)tb.strings.size() < ToolBarState::kMaxStrings) {
        tb.strings.emplace_back(p);
        p += std::strlen(p) + 1;
    }
    return first;
}

LRESULT SetStateBit(HWND hwnd, ToolBarState& tb, int command, BYTE bit, bool on)
{
    ToolButton* b = tb.ByCommand(command);
    if (!b)
        return FALSE;
    BYTE before = b->state;
    b->state = on ? (BYTE)(b->state | bit) : (BYTE)(b->state & ~bit);
    if (b->state != before) {
        if (bit & (TBSTATE_HIDDEN | TBSTATE_WRAP))
            Relayout(hwnd, tb);
        else
            InvalidateRect(hwnd, &b->rect, TRUE);
    }
    return TRUE;
}

// A check group is a run of TBSTYLE_CHECKGROUP buttons; checking one clears the rest.
void CheckInGroup(ToolBarState& tb, size_t index)
{
    auto inGroup = [&](size_t i) { return (tb.buttons[i].style & TBSTYLE_CHECKGROUP) == TBSTYLE_CHECKGROUP; };
    size_t first = index, last = index;
    while (first > 0 && inGroup(first - 1))
        --first;
    while (last + 1 < tb.buttons.size() && inGroup(last + 1))
        ++last;
    for (size_t i = first; i <= last; ++i)
        tb.buttons[i].state &= (BYTE)~TBSTATE_CHECKED;
    tb.buttons[index].state |= TBSTATE_CHECKED;
}

void SendCommand(HWND hwnd, ToolBarState& tb, int command)
{
    HWND owner = tb.notify ? tb.notify : GetParent(hwnd);
    if (owner && IsWindow(owner))
        SendMessage(owner, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), (LPARAM)hwnd);
}

// The owner may destroy the bar while it answers: `alive` tells the caller.
LRESULT DropDown(HWND hwnd, ToolBarState& tb, int index, bool* alive)
{
    ToolButton& b = tb.buttons[(size_t)index];
    NMTOOLBARA nm = {};
    nm.iItem = b.command;
    ToTBBUTTON(tb, b, nm.tbButton);
    nm.rcButton = b.rect;
    b.state |= TBSTATE_PRESSED;
    InvalidateRect(hwnd, &b.rect, TRUE);
    UpdateWindow(hwnd);
    LRESULT answer = SendNotify(hwnd, TBN_DROPDOWN, &nm.hdr, tb.notify);
    *alive = IsWindow(hwnd) != FALSE;
    if (*alive && index < (int)tb.buttons.size()) {
        tb.buttons[(size_t)index].state &= (BYTE)~TBSTATE_PRESSED;
        InvalidateRect(hwnd, &tb.buttons[(size_t)index].rect, TRUE);
    }
    return answer;
}

void SetHot(HWND hwnd, ToolBarState& tb, int index)
{
    if (index == tb.hot)
        return;
    NMTBHOTITEM nm = {};
    nm.idOld = tb.hot >= 0 ? tb.buttons[(size_t)tb.hot].command : 0;
    nm.idNew = index >= 0 ? tb.buttons[(size_t)index].command : 0;
    nm.dwFlags = HICF_MOUSE | (tb.hot < 0 ? HICF_ENTERING : 0) | (index < 0 ? HICF_LEAVING : 0);
    if (SendNotify(hwnd, TBN_HOTITEMCHANGE, &nm.hdr, tb.notify) || !IsWindow(hwnd))
        return;
    if (tb.hot >= 0 && tb.hot < (int)tb.buttons.size())
        InvalidateRect(hwnd, &tb.buttons[(size_t)tb.hot].rect, TRUE);
    tb.hot = index;
    if (index >= 0)
        InvalidateRect(hwnd, &tb.buttons[(size_t)index].rect, TRUE);
}

bool PointIn(const RECT& r, POINT pt)
{
    return pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom;
}

void ButtonDown(HWND hwnd, ToolBarState& tb, POINT pt)
{
    int index = tb.HitTest(pt);
    if (index < 0 || (size_t)index >= tb.buttons.size())
        return;
    ToolButton& b = tb.buttons[(size_t)index];
    if (b.Separator() || !b.Enabled())
        return;
    bool dropDown = (b.style & TBSTYLE_DROPDOWN) || (b.style & BTNS_WHOLEDROPDOWN);
    RECT arrow = tb.ArrowRect(b);
    bool onArrow = PointIn(arrow, pt) || (b.style & BTNS_WHOLEDROPDOWN) ||
                   (dropDown && !(tb.exStyle & TBSTYLE_EX_DRAWDDARROWS));
    if (dropDown && onArrow) {
        bool alive = false;
        if (DropDown(hwnd, tb, index, &alive) != TBDDRET_TREATPRESSED || !alive || index >= (int)tb.buttons.size())
            return;
    }
    ToolButton& pressed = tb.buttons[(size_t)index];
    tb.pressed = index;
    tb.pressedInside = true;
    pressed.state |= TBSTATE_PRESSED;
    SetCapture(hwnd);
    InvalidateRect(hwnd, &pressed.rect, TRUE);
}

void MouseMove(HWND hwnd, ToolBarState& tb, POINT pt)
{
    if (tb.pressed >= 0 && tb.pressed < (int)tb.buttons.size()) {
        ToolButton& b = tb.buttons[(size_t)tb.pressed];
        bool inside = PointIn(b.rect, pt);
        if (inside != tb.pressedInside) {
            tb.pressedInside = inside;
            b.state = inside ? (BYTE)(b.state | TBSTATE_PRESSED) : (BYTE)(b.state & ~TBSTATE_PRESSED);
            InvalidateRect(hwnd, &b.rect, TRUE);
        }
        return;
    }
    if (!(StyleOf(hwnd) & TBSTYLE_FLAT))
        return;
    int index = tb.HitTest(pt);
    if (index >= 0 && (tb.buttons[(size_t)index].Separator() || !tb.buttons[(size_t)index].Enabled()))
        index = -1;
    if (!tb.trackingLeave) {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, hwnd, 0};
        tb.trackingLeave = TrackMouseEvent(&tme) != FALSE;
    }
    SetHot(hwnd, tb, index);
}

void EndPress(HWND hwnd, ToolBarState& tb, bool click)
{
    int index = tb.pressed;
    tb.pressed = -1;
    if (index < 0 || index >= (int)tb.buttons.size())
        return;
    ToolButton& b = tb.buttons[(size_t)index];
    b.state &= (BYTE)~TBSTATE_PRESSED;
    click = click && tb.pressedInside && b.Enabled();
    if (click && (b.style & TBSTYLE_CHECKGROUP) == TBSTYLE_CHECKGROUP)
        CheckInGroup(tb, (size_t)index);
    else if (click && (b.style & TBSTYLE_CHECK))
        b.state ^= TBSTATE_CHECKED;
    InvalidateRect(hwnd, &b.rect, TRUE);
    if (click)
        SendCommand(hwnd, tb, b.command);
}

LRESULT GetButtonInfo(ToolBarState& tb, WPARAM wParam, TBBUTTONINFOA* info)
{
    if (!info)
        return -1;
    int index = (info->dwMask & TBIF_BYINDEX) ? (int)wParam : tb.CommandToIndex((int)wParam);
    if (index < 0 || index >= (int)tb.buttons.size())
        return -1;
    const ToolButton& b = tb.buttons[(size_t)index];
    if (info->dwMask & TBIF_IMAGE)
        info->iImage = b.image;
    if (info->dwMask & TBIF_COMMAND)
        info->idCommand = b.command;
    if (info->dwMask & TBIF_STATE)
        info->fsState = b.state;
    if (info->dwMask & TBIF_STYLE)
        info->fsStyle = b.style;
    if (info->dwMask & TBIF_LPARAM)
        info->lParam = b.data;
    if (info->dwMask & TBIF_SIZE)
        info->cx = (WORD)RectWidth(b.rect);
    if ((info->dwMask & TBIF_TEXT) && info->pszText && info->cchText > 0) {
        size_t n = std::min((size_t)info->cchText - 1, b.text.size());
        std::memcpy(info->pszText, b.text.data(), n);
        info->pszText[n] = '\0';
    }
    return index;
}

LRESULT SetButtonInfo(HWND hwnd, ToolBarState& tb, WPARAM wParam, const TBBUTTONINFOA* info)
{
    if (!info)
        return FALSE;
    int index = (info->dwMask & TBIF_BYINDEX) ? (int)wParam : tb.CommandToIndex((int)wParam);
    if (index < 0 || index >= (int)tb.buttons.size())
        return FALSE;
    ToolButton& b = tb.buttons[(size_t)index];
    if (info->dwMask & TBIF_IMAGE)
        b.image = info->iImage;
    if (info->dwMask & TBIF_COMMAND)
        b.command = info->idCommand;
    if (info->dwMask & TBIF_STATE)
        b.state = info->fsState;
    if (info->dwMask & TBIF_STYLE)
        b.style = info->fsStyle;
    if (info->dwMask & TBIF_LPARAM)
        b.data = info->lParam;
    if (info->dwMask & TBIF_SIZE)
        b.width = info->cx;
    if (info->dwMask & TBIF_TEXT)
        b.text = info->pszText ? info->pszText : "";
    Relayout(hwnd, tb);
    return TRUE;
}

// TB_SETROWS: wraps the buttons into about `rows` rows of equal length.
void SetRows(HWND hwnd, ToolBarState& tb, int rows, RECT* out)
{
    rows = std::max(1, rows);
    std::vector<size_t> visible;
    for (size_t i = 0; i < tb.buttons.size(); ++i) {
        tb.buttons[i].state &= (BYTE)~TBSTATE_WRAP;
        if (!tb.buttons[i].Hidden())
            visible.push_back(i);
    }
    size_t perRow = (visible.size() + (size_t)rows - 1) / (size_t)rows;
    for (size_t k = 1; perRow && k * perRow < visible.size(); ++k)
        tb.buttons[visible[k * perRow - 1]].state |= TBSTATE_WRAP;
    Relayout(hwnd, tb);
    if (out) {
        SIZE max = tb.MaxSize();
        *out = RECT{0, 0, max.cx, max.cy};
    }
}

LRESULT Create(HWND hwnd, ToolBarState& tb, const CREATESTRUCTA* cs)
{
    tb.notify = cs->hwndParent;
    AutoSize(hwnd, tb);
    return 0;
}

LRESULT SetFont(HWND hwnd, ToolBarState& tb, UINT msg, WPARAM wParam, LPARAM lParam)
{
    DefWindowProc(hwnd, msg, wParam, lParam);
    Relayout(hwnd, tb);
    return 0;
}

LRESULT MouseLeave(HWND hwnd, ToolBarState& tb)
{
    tb.trackingLeave = false;
    if (tb.pressed < 0)
        SetHot(hwnd, tb, -1);
    return 0;
}

LRESULT ButtonUp(HWND hwnd, ToolBarState& tb)
{
    tb.releasing = true;
    if (GetCapture() == hwnd)
        ReleaseCapture();
    tb.releasing = false;
    EndPress(hwnd, tb, true);
    return 0;
}

LRESULT CaptureChanged(HWND hwnd, ToolBarState& tb, LPARAM newCapture)
{
    if ((HWND)newCapture != hwnd && !tb.releasing)
        EndPress(hwnd, tb, false);
    return 0;
}

// Tool tips talk to the bar; the owner answers them.
LRESULT ForwardNotify(const ToolBarState& tb, WPARAM wParam, LPARAM lParam)
{
    if (tb.notify && IsWindow(tb.notify))
        return SendMessage(tb.notify, WM_NOTIFY, wParam, lParam);
    return 0;
}

LRESULT DeleteButton(HWND hwnd, ToolBarState& tb, WPARAM index)
{
    if (index >= tb.buttons.size())
        return FALSE;
    tb.buttons.erase(tb.buttons.begin() + (long)index);
    tb.hot = -1;
    tb.pressed = -1;
    Relayout(hwnd, tb);
    return TRUE;
}

LRESULT GetButton(ToolBarState& tb, WPARAM index, LPARAM out)
{
    if (index >= tb.buttons.size() || !out)
        return FALSE;
    ToTBBUTTON(tb, tb.buttons[index], *(TBBUTTON*)out);
    return TRUE;
}

LRESULT MoveButton(HWND hwnd, ToolBarState& tb, WPARAM from, LPARAM to)
{
    if (from >= tb.buttons.size() || (size_t)to >= tb.buttons.size())
        return FALSE;
    ToolButton b = tb.buttons[from];
    tb.buttons.erase(tb.buttons.begin() + (long)from);
    tb.buttons.insert(tb.buttons.begin() + (long)to, b);
    Relayout(hwnd, tb);
    return TRUE;
}

// TB_ISBUTTONENABLED .. TB_ISBUTTONHIGHLIGHTED, in the order of the messages.
LRESULT StateBitOf(ToolBarState& tb, UINT msg, int command)
{
    static const BYTE bits[] = {TBSTATE_ENABLED, TBSTATE_CHECKED, TBSTATE_PRESSED, TBSTATE_HIDDEN,
                                TBSTATE_INDETERMINATE, TBSTATE_MARKED};
    ToolButton* b = tb.ByCommand(command);
    return b ? (b->state & bits[msg - TB_ISBUTTONENABLED]) : -1;
}

LRESULT SetState(HWND hwnd, ToolBarState& tb, int command, LPARAM lParam)
{
    ToolButton* b = tb.ByCommand(command);
    if (!b)
        return FALSE;
    bool relayout = ((b->state ^ (BYTE)LOWORD(lParam)) & (TBSTATE_HIDDEN | TBSTATE_WRAP)) != 0;
    b->state = (BYTE)LOWORD(lParam);
    if (relayout)
        Relayout(hwnd, tb);
    else
        InvalidateRect(hwnd, &b->rect, TRUE);
    return TRUE;
}

LRESULT GetState(ToolBarState& tb, int command)
{
    ToolButton* b = tb.ByCommand(command);
    return b ? b->state : -1;
}

LRESULT GetItemRect(const ToolBarState& tb, WPARAM index, LPARAM out)
{
    if (index >= tb.buttons.size() || !out || tb.buttons[index].Hidden())
        return FALSE;
    *(RECT*)out = tb.buttons[index].rect;
    return TRUE;
}

LRESULT GetRect(ToolBarState& tb, int command, LPARAM out)
{
    ToolButton* b = tb.ByCommand(command);
    if (!b || !out || b->Hidden())
        return FALSE;
    *(RECT*)out = b->rect;
    return TRUE;
}

LRESULT SetButtonSize(HWND hwnd, ToolBarState& tb, LPARAM size)
{
    tb.buttonSize = SIZE{std::max(1, (int)LOWORD(size)), std::max(1, (int)HIWORD(size))};
    Relayout(hwnd, tb);
    return TRUE;
}

LRESULT GetButtonSize(HWND hwnd, const ToolBarState& tb)
{
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, ControlFont(hwnd));
    SIZE size = tb.ButtonSize(dc, StyleOf(hwnd));
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    return MAKELONG(size.cx, size.cy);
}

LRESULT SetBitmapSize(HWND hwnd, ToolBarState& tb, LPARAM size)
{
    tb.bitmapSize = SIZE{std::max(0, (int)LOWORD(size)), std::max(0, (int)HIWORD(size))};
    Relayout(hwnd, tb);
    return TRUE;
}

LRESULT SetParentWindow(ToolBarState& tb, WPARAM parent)
{
    HWND old = tb.notify;
    tb.notify = (HWND)parent;
    return (LRESULT)old;
}

LRESULT SetCommandId(ToolBarState& tb, WPARAM index, LPARAM command)
{
    if (index >= tb.buttons.size())
        return FALSE;
    tb.buttons[index].command = (int)command;
    return TRUE;
}

LRESULT ChangeBitmap(HWND hwnd, ToolBarState& tb, int command, LPARAM image)
{
    ToolButton* b = tb.ByCommand(command);
    if (!b)
        return FALSE;
    b->image = (int)image;
    InvalidateRect(hwnd, &b->rect, TRUE);
    return TRUE;
}

LRESULT GetBitmap(ToolBarState& tb, int command)
{
    ToolButton* b = tb.ByCommand(command);
    return b ? b->image : -1;
}

LRESULT GetButtonText(ToolBarState& tb, int command, LPARAM out)
{
    ToolButton* b = tb.ByCommand(command);
    if (!b)
        return -1;
    if (out)
        std::memcpy((char*)out, b->text.c_str(), b->text.size() + 1);
    return (LRESULT)b->text.size();
}

LRESULT SetIndent(HWND hwnd, ToolBarState& tb, WPARAM indent)
{
    tb.indent = std::max(0, (int)indent);
    Relayout(hwnd, tb);
    return TRUE;
}

// The normal, hot and disabled image lists, in slots 0, 1, 2.
LRESULT SetImageList(HWND hwnd, ToolBarState& tb, int slot, LPARAM list)
{
    HIMAGELIST old = tb.imageLists[slot];
    tb.imageLists[slot] = (HIMAGELIST)list;
    if (slot == 0)
        TakeImageSize(tb);
    Relayout(hwnd, tb);
    return (LRESULT)old;
}

LRESULT SetStyle(HWND hwnd, ToolBarState& tb, LPARAM style)
{
    SetWindowLong(hwnd, GWL_STYLE, (LONG)style);
    Relayout(hwnd, tb);
    return 0;
}

LRESULT SetMaxTextRows(HWND hwnd, ToolBarState& tb, WPARAM rows)
{
    tb.maxTextRows = std::max(0, (int)rows);
    Relayout(hwnd, tb);
    return TRUE;
}

LRESULT SetHotItem(HWND hwnd, ToolBarState& tb, WPARAM index)
{
    int old = tb.hot;
    SetHot(hwnd, tb, (int)index < (int)tb.buttons.size() ? (int)index : -1);
    return old;
}

LRESULT GetMaxSize(const ToolBarState& tb, LPARAM out)
{
    if (!out)
        return FALSE;
    *(SIZE*)out = tb.MaxSize();
    return TRUE;
}

LRESULT SetExtendedStyle(HWND hwnd, ToolBarState& tb, LPARAM style)
{
    DWORD old = tb.exStyle;
    tb.exStyle = (DWORD)style;
    Relayout(hwnd, tb);
    return (LRESULT)old;
}

LRESULT SetPadding(HWND hwnd, ToolBarState& tb, LPARAM padding)
{
    LRESULT old = MAKELONG(tb.padding.cx, tb.padding.cy);
    tb.padding = SIZE{(int)LOWORD(padding), (int)HIWORD(padding)};
    Relayout(hwnd, tb);
    return old;
}

LRESULT Handle(HWND hwnd, ToolBarState& tb, UINT msg, WPARAM wParam, LPARAM lParam)
{
    int command = (int)wParam;
    bool on = LOWORD(lParam) != 0;
    switch (msg) {
    case WM_CREATE: return Create(hwnd, tb, (const CREATESTRUCTA*)lParam);
    case WM_SIZE: Relayout(hwnd, tb); return 0;
    case WM_ERASEBKGND:
    case WM_PAINT:
    case WM_PRINTCLIENT: return PaintMessage(hwnd, msg, wParam, [&](HDC hdc) { PaintToolBar(hwnd, tb, hdc); });
    case WM_SETFONT: return SetFont(hwnd, tb, msg, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: ButtonDown(hwnd, tb, PointFromLParam(lParam)); return 0;
    case WM_MOUSEMOVE: MouseMove(hwnd, tb, PointFromLParam(lParam)); return 0;
    case WM_MOUSELEAVE: return MouseLeave(hwnd, tb);
    case WM_LBUTTONUP: return ButtonUp(hwnd, tb);
    case WM_CAPTURECHANGED: return CaptureChanged(hwnd, tb, lParam);
    case WM_NOTIFY: return ForwardNotify(tb, wParam, lParam);
    case TB_BUTTONSTRUCTSIZE: return 0;
    case TB_ADDBUTTONSA: return InsertButtons(hwnd, tb, tb.buttons.size(), (const TBBUTTON*)lParam, (size_t)wParam);
    case TB_INSERTBUTTONA:
        return InsertButtons(hwnd, tb, (int)wParam < 0 ? tb.buttons.size() : (size_t)wParam, (const TBBUTTON*)lParam, 1);
    case TB_DELETEBUTTON: return DeleteButton(hwnd, tb, wParam);
    case TB_GETBUTTON: return GetButton(tb, wParam, lParam);
    case TB_BUTTONCOUNT: return (LRESULT)tb.buttons.size();
    case TB_COMMANDTOINDEX: return tb.CommandToIndex(command);
    case TB_MOVEBUTTON: return MoveButton(hwnd, tb, wParam, lParam);
    case TB_ENABLEBUTTON: return SetStateBit(hwnd, tb, command, TBSTATE_ENABLED, on);
    case TB_CHECKBUTTON: return SetStateBit(hwnd, tb, command, TBSTATE_CHECKED, on);
    case TB_PRESSBUTTON: return SetStateBit(hwnd, tb, command, TBSTATE_PRESSED, on);
    case TB_HIDEBUTTON: return SetStateBit(hwnd, tb, command, TBSTATE_HIDDEN, on);
    case TB_INDETERMINATE: return SetStateBit(hwnd, tb, command, TBSTATE_INDETERMINATE, on);
    case TB_MARKBUTTON: return SetStateBit(hwnd, tb, command, TBSTATE_MARKED, on);
    case TB_ISBUTTONENABLED:
    case TB_ISBUTTONCHECKED:
    case TB_ISBUTTONPRESSED:
    case TB_ISBUTTONHIDDEN:
    case TB_ISBUTTONINDETERMINATE:
    case TB_ISBUTTONHIGHLIGHTED: return StateBitOf(tb, msg, command);
    case TB_SETSTATE: return SetState(hwnd, tb, command, lParam);
    case TB_GETSTATE: return GetState(tb, command);
    case TB_ADDBITMAP: return AddBitmap(tb, (int)wParam, (const TBADDBITMAP*)lParam);
    case TB_REPLACEBITMAP: return ReplaceBitmap(hwnd, tb, (const TBREPLACEBITMAP*)lParam);
    case TB_ADDSTRINGA: return AddStrings(tb, (HINSTANCE)wParam, lParam);
    case TB_GETITEMRECT: return GetItemRect(tb, wParam, lParam);
    case TB_GETRECT: return GetRect(tb, command, lParam);
    case TB_SETBUTTONSIZE: return SetButtonSize(hwnd, tb, lParam);
    case TB_GETBUTTONSIZE: return GetButtonSize(hwnd, tb);
    case TB_SETBITMAPSIZE: return SetBitmapSize(hwnd, tb, lParam);
    case TB_AUTOSIZE: AutoSize(hwnd, tb); return 0;
    case TB_SETPARENT: return SetParentWindow(tb, wParam);
    case TB_SETTOOLTIPS: tb.toolTips = (HWND)wParam; return 0;
    case TB_GETTOOLTIPS: return (LRESULT)tb.toolTips;
    case TB_SETROWS: SetRows(hwnd, tb, LOWORD(wParam), (RECT*)lParam); return 0;
    case TB_GETROWS: return tb.rows;
    case TB_SETCMDID: return SetCommandId(tb, wParam, lParam);
    case TB_CHANGEBITMAP: return ChangeBitmap(hwnd, tb, command, lParam);
    case TB_GETBITMAP: return GetBitmap(tb, command);
    case TB_GETBUTTONTEXTA: return GetButtonText(tb, command, lParam);
    case TB_SETINDENT: return SetIndent(hwnd, tb, wParam);
    case TB_SETIMAGELIST: return SetImageList(hwnd, tb, 0, lParam);
    case TB_SETHOTIMAGELIST: return SetImageList(hwnd, tb, 1, lParam);
    case TB_SETDISABLEDIMAGELIST: return SetImageList(hwnd, tb, 2, lParam);
    case TB_GETIMAGELIST: return (LRESULT)tb.imageLists[0];
    case TB_GETHOTIMAGELIST: return (LRESULT)tb.imageLists[1];
    case TB_GETDISABLEDIMAGELIST: return (LRESULT)tb.imageLists[2];
    case TB_SETSTYLE: return SetStyle(hwnd, tb, lParam);
    case TB_GETSTYLE: return (LRESULT)StyleOf(hwnd);
    case TB_SETBUTTONWIDTH: return TRUE;
    case TB_SETMAXTEXTROWS: return SetMaxTextRows(hwnd, tb, wParam);
    case TB_GETTEXTROWS: return tb.maxTextRows;
    case TB_GETBUTTONINFOA: return GetButtonInfo(tb, wParam, (TBBUTTONINFOA*)lParam);
    case TB_SETBUTTONINFOA: return SetButtonInfo(hwnd, tb, wParam, (const TBBUTTONINFOA*)lParam);
    case TB_HITTEST: return lParam ? tb.HitTest(*(const POINT*)lParam) : -1;
    case TB_SETDRAWTEXTFLAGS: return 0;
    case TB_GETHOTITEM: return tb.hot;
    case TB_SETHOTITEM: return SetHotItem(hwnd, tb, wParam);
    case TB_GETMAXSIZE: return GetMaxSize(tb, lParam);
    case TB_SETEXTENDEDSTYLE: return SetExtendedStyle(hwnd, tb, lParam);
    case TB_GETEXTENDEDSTYLE: return (LRESULT)tb.exStyle;
    case TB_GETPADDING: return MAKELONG(tb.padding.cx, tb.padding.cy);
    case TB_SETPADDING: return SetPadding(hwnd, tb, lParam);
    }
    return ControlDefault(hwnd, msg, wParam, lParam);
}

}  // namespace

const WNDPROC ToolBarProc = ControlWindow<ToolBarState>::Procedure<Handle>;

}  // namespace mivo
