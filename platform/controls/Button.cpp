// The "Button" class: push buttons, check boxes, radio buttons, group boxes
// and owner-drawn buttons.
#include "controls/BuiltinClasses.h"
#include "controls/ControlsInternal.h"
#include "win32/cursors.h"

namespace mivo {

namespace {

const int kCheckSize = 13;

struct ButtonState {
    UINT check = BST_UNCHECKED;
    bool pushed = false;
    bool focused = false;
    bool tracking = false;  // the mouse pressed it and holds the capture
    bool spaceDown = false;
    HANDLE image = nullptr;
    WPARAM imageType = IMAGE_BITMAP;
};

DWORD TypeOf(HWND hwnd)
{
    return StyleOf(hwnd) & BS_TYPEMASK;
}

bool IsCheckType(DWORD type)
{
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE;
}

bool IsRadioType(DWORD type)
{
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

UINT MaxCheck(DWORD type)
{
    if (type == BS_3STATE || type == BS_AUTO3STATE)
        return BST_INDETERMINATE;
    return (IsCheckType(type) || IsRadioType(type)) ? BST_CHECKED : BST_UNCHECKED;
}

// Text drawn as the era did: disabled text embossed in highlight and shadow.
void DrawLabel(HDC hdc, const std::string& text, RECT rc, UINT format, bool disabled)
{
    if (text.empty())
        return;
    int mode = SetBkMode(hdc, TRANSPARENT);
    if (disabled) {
        COLORREF old = SetTextColor(hdc, SysColor(COLOR_3DHILIGHT));
        RECT shifted = rc;
        OffsetRect(&shifted, 1, 1);
        DrawText(hdc, text.c_str(), (int)text.size(), &shifted, format);
        SetTextColor(hdc, SysColor(COLOR_3DSHADOW));
        DrawText(hdc, text.c_str(), (int)text.size(), &rc, format);
        SetTextColor(hdc, old);
    } else {
        DrawText(hdc, text.c_str(), (int)text.size(), &rc, format);
    }
    SetBkMode(hdc, mode);
}

// DrawText flags for the label from the button's alignment styles.
UINT LabelFormat(DWORD style, bool centreByDefault)
{
    UINT format = 0;
    DWORD h = style & BS_CENTER;
    if (h == BS_CENTER || (h == 0 && centreByDefault))
        format |= DT_CENTER;
    else if (h == BS_RIGHT)
        format |= DT_RIGHT;
    if (style & BS_MULTILINE) {
        format |= DT_WORDBREAK;
    } else {
        format |= DT_SINGLELINE;
        DWORD v = style & BS_VCENTER;
        if (v == BS_TOP)
            format |= DT_TOP;
        else if (v == BS_BOTTOM)
            format |= DT_BOTTOM;
        else
            format |= DT_VCENTER;
    }
    return format;
}

// Places a multi-line label vertically, which DrawText leaves to the caller.
RECT PlaceMultiline(HDC hdc, const std::string& text, RECT rc, UINT format, DWORD style)
{
    if (!(format & DT_WORDBREAK))
        return rc;
    RECT calc = rc;
    DrawText(hdc, text.c_str(), (int)text.size(), &calc, format | DT_CALCRECT);
    int h = calc.bottom - calc.top, space = (rc.bottom - rc.top) - h;
    DWORD v = style & BS_VCENTER;
    if (v == BS_BOTTOM)
        rc.top += space;
    else if (v != BS_TOP)
        rc.top += space / 2;
    rc.bottom = rc.top + h;
    return rc;
}

bool DrawImage(HDC hdc, const ButtonState& st, const RECT& rc, bool disabled)
{
    if (!st.image)
        return false;
    int cx = 32, cy = 32;
    UINT kind = DST_ICON;
    if (st.imageType == IMAGE_BITMAP) {
        BITMAP bm = {};
        if (!GetObject(st.image, sizeof(bm), &bm))
            return false;
        cx = bm.bmWidth;
        cy = bm.bmHeight;
        kind = DST_BITMAP;
    } else {
        cx = GetSystemMetrics(SM_CXICON);
        cy = GetSystemMetrics(SM_CYICON);
    }
    int x = rc.left + ((rc.right - rc.left) - cx) / 2;
    int y = rc.top + ((rc.bottom - rc.top) - cy) / 2;
    DrawState(hdc, nullptr, nullptr, (LPARAM)st.image, 0, x, y, cx, cy, kind | (disabled ? DSS_DISABLED : DSS_NORMAL));
    return true;
}

void PaintPush(HWND hwnd, HDC hdc, const ButtonState& st, bool pushlikeChecked)
{
    RECT rc;
    GetClientRect(hwnd, &rc);
    ControlColor(hwnd, hdc, WM_CTLCOLORBTN);
    DWORD style = StyleOf(hwnd);
    bool disabled = (style & WS_DISABLED) != 0;
    bool isDefault = TypeOf(hwnd) == BS_DEFPUSHBUTTON;
    bool down = st.pushed || pushlikeChecked;
    if (isDefault) {
        FrameRect(hdc, &rc, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&rc, -1, -1);
    }
    if (st.pushed && isDefault) {
        FrameRect(hdc, &rc, GetSysColorBrush(COLOR_3DSHADOW));
        RECT face = rc;
        InflateRect(&face, -1, -1);
        FillRect(hdc, &face, GetSysColorBrush(COLOR_3DFACE));
    } else {
        RECT face = rc;
        DrawFrameControl(hdc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
    }
    RECT content = rc;
    InflateRect(&content, -2, -2);
    if (down)
        OffsetRect(&content, 1, 1);
    if (!(style & (BS_ICON | BS_BITMAP)) || !DrawImage(hdc, st, content, disabled)) {
        SetTextColor(hdc, SysColor(COLOR_BTNTEXT));
        std::string text = ControlText(hwnd);
        UINT format = LabelFormat(style, true);
        DrawLabel(hdc, text, PlaceMultiline(hdc, text, content, format, style), format, disabled);
    }
    if (st.focused) {
        RECT focus = rc;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(hdc, &focus);
    }
}

void PaintCheck(HWND hwnd, HDC hdc, const ButtonState& st, bool radio)
{
    RECT rc;
    GetClientRect(hwnd, &rc);
    HBRUSH brush = ControlColor(hwnd, hdc, WM_CTLCOLORSTATIC);
    if (brush)
        FillRect(hdc, &rc, brush);
    DWORD style = StyleOf(hwnd);
    bool disabled = (style & WS_DISABLED) != 0;
    bool leftText = (style & BS_LEFTTEXT) != 0;
    RECT box;
    int top;
    DWORD v = style & BS_VCENTER;
    if (v == BS_TOP)
        top = rc.top;
    else if (v == BS_BOTTOM)
        top = rc.bottom - kCheckSize;
    else
        top = rc.top + ((rc.bottom - rc.top) - kCheckSize) / 2;
    if (leftText)
        box = RECT{rc.right - kCheckSize, top, rc.right, top + kCheckSize};
    else
        box = RECT{rc.left, top, rc.left + kCheckSize, top + kCheckSize};
    UINT state = radio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
    if (st.check == BST_INDETERMINATE)
        state = DFCS_BUTTON3STATE | DFCS_CHECKED;
    else if (st.check == BST_CHECKED)
        state |= DFCS_CHECKED;
    if (st.pushed)
        state |= DFCS_PUSHED;
    if (disabled)
        state |= DFCS_INACTIVE;
    DrawFrameControl(hdc, &box, DFC_BUTTON, state);

    RECT text = rc;
    if (leftText)
        text.right = box.left - 4;
    else
        text.left = box.right + 4;
    std::string label = ControlText(hwnd);
    UINT format = LabelFormat(style, false);
    RECT placed = PlaceMultiline(hdc, label, text, format, style);
    DrawLabel(hdc, label, placed, format, disabled);
    if (st.focused && !label.empty()) {
        RECT calc = placed;
        DrawText(hdc, label.c_str(), (int)label.size(), &calc, (format & ~(DT_CENTER | DT_RIGHT)) | DT_CALCRECT);
        int w = calc.right - calc.left, h = calc.bottom - calc.top;
        RECT focus = placed;
        if (format & DT_CENTER)
            focus.left += ((placed.right - placed.left) - w) / 2;
        else if (format & DT_RIGHT)
            focus.left = placed.right - w;
        focus.right = focus.left + w;
        if (format & DT_SINGLELINE) {
            if (format & DT_VCENTER)
                focus.top += ((placed.bottom - placed.top) - h) / 2;
            else if (format & DT_BOTTOM)
                focus.top = placed.bottom - h;
        }
        focus.bottom = focus.top + h;
        InflateRect(&focus, 1, 1);
        IntersectRect(&focus, &focus, &rc);
        DrawFocusRect(hdc, &focus);
    }
}

void PaintGroup(HWND hwnd, HDC hdc)
{
    RECT rc;
    GetClientRect(hwnd, &rc);
    HBRUSH brush = ControlColor(hwnd, hdc, WM_CTLCOLORSTATIC);
    std::string label = ControlText(hwnd);
    TEXTMETRICA tm = {};
    GetTextMetrics(hdc, &tm);
    RECT frame = rc;
    frame.top += tm.tmHeight / 2;
    DrawEdge(hdc, &frame, EDGE_ETCHED, BF_RECT);
    if (label.empty())
        return;
    DWORD style = StyleOf(hwnd);
    RECT text = {0, 0, 0, 0};
    DrawText(hdc, label.c_str(), (int)label.size(), &text, DT_SINGLELINE | DT_CALCRECT);
    int w = text.right - text.left + 2;
    int x = rc.left + 8;
    if ((style & BS_CENTER) == BS_CENTER)
        x = rc.left + ((rc.right - rc.left) - w) / 2;
    else if ((style & BS_CENTER) == BS_RIGHT)
        x = rc.right - 8 - w;
    RECT place = {x, rc.top, x + w, rc.top + tm.tmHeight};
    if (brush)
        FillRect(hdc, &place, brush);
    DrawLabel(hdc, label, place, DT_SINGLELINE | DT_CENTER, (style & WS_DISABLED) != 0);
}

void PaintOwnerDraw(HWND hwnd, HDC hdc, const ButtonState& st, UINT action)
{
    HWND parent = GetParent(hwnd);
    if (!parent)
        return;
    ControlColor(hwnd, hdc, WM_CTLCOLORBTN);
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = (UINT)GetDlgCtrlID(hwnd);
    dis.itemID = 0;
    dis.itemAction = action;
    dis.itemState = (st.pushed ? ODS_SELECTED : 0) | (st.focused ? ODS_FOCUS : 0) |
                    ((StyleOf(hwnd) & WS_DISABLED) ? ODS_DISABLED : 0);
    dis.hwndItem = hwnd;
    dis.hDC = hdc;
    GetClientRect(hwnd, &dis.rcItem);
    SendMessage(parent, WM_DRAWITEM, dis.CtlID, (LPARAM)&dis);
}

void PaintButton(HWND hwnd, HDC hdc, UINT action)
{
    ButtonState* st = ControlWindow<ButtonState>::Of(hwnd);
    if (!st)
        return;
    HGDIOBJ oldFont = SelectObject(hdc, ControlFont(hwnd));
    DWORD type = TypeOf(hwnd);
    bool pushLike = (StyleOf(hwnd) & BS_PUSHLIKE) != 0;
    if (type == BS_OWNERDRAW)
        PaintOwnerDraw(hwnd, hdc, *st, action);
    else if (type == BS_GROUPBOX)
        PaintGroup(hwnd, hdc);
    else if ((IsCheckType(type) || IsRadioType(type)) && !pushLike)
        PaintCheck(hwnd, hdc, *st, IsRadioType(type));
    else
        PaintPush(hwnd, hdc, *st, pushLike && st->check != BST_UNCHECKED);
    SelectObject(hdc, oldFont);
}

// Owner-drawn buttons hear of each change at once, as the action it is.
void Repaint(HWND hwnd, UINT action)
{
    if (TypeOf(hwnd) == BS_OWNERDRAW) {
        if (!IsWindowVisible(hwnd))
            return;
        HDC dc = GetDC(hwnd);
        if (dc) {
            PaintButton(hwnd, dc, action);
            ReleaseDC(hwnd, dc);
        }
        return;
    }
    InvalidateRect(hwnd, nullptr, FALSE);
}

void SetPushed(HWND hwnd, ButtonState& st, bool pushed)
{
    if (st.pushed == pushed)
        return;
    st.pushed = pushed;
    Repaint(hwnd, ODA_SELECT);
}

void SetCheck(HWND hwnd, ButtonState& st, UINT check)
{
    DWORD type = TypeOf(hwnd);
    if (check > MaxCheck(type))
        check = MaxCheck(type) ? BST_CHECKED : BST_UNCHECKED;
    if (IsRadioType(type)) {
        // The checked radio button is the one Tab reaches in its group.
        DWORD style = StyleOf(hwnd);
        DWORD next = check ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP);
        if (next != style)
            SetWindowLong(hwnd, GWL_STYLE, (LONG)next);
    }
    if (st.check == check)
        return;
    st.check = check;
    Repaint(hwnd, ODA_SELECT);
}

// The automatic radio buttons of the group around `hwnd`, except itself.
void UncheckGroupSiblings(HWND hwnd)
{
    HWND parent = GetParent(hwnd);
    if (!parent)
        return;
    HWND start = hwnd;
    while (!HasStyle(start, WS_GROUP)) {
        HWND prev = GetWindow(start, GW_HWNDPREV);
        if (!prev)
            break;
        start = prev;
    }
    for (HWND c = start; c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (c != start && HasStyle(c, WS_GROUP))
            break;
        if (c == hwnd)
            continue;
        char cls[16];
        if (GetClassName(c, cls, sizeof(cls)) && lstrcmpi(cls, WC_BUTTON) == 0 && TypeOf(c) == BS_AUTORADIOBUTTON)
            SendMessage(c, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

void Click(HWND hwnd)
{
    ButtonState* st = ControlWindow<ButtonState>::Of(hwnd);
    if (!st)
        return;
    switch (TypeOf(hwnd)) {
    case BS_AUTOCHECKBOX:
        SetCheck(hwnd, *st, st->check ? BST_UNCHECKED : BST_CHECKED);
        break;
    case BS_AUTO3STATE:
        SetCheck(hwnd, *st, (st->check + 1) % 3);
        break;
    case BS_AUTORADIOBUTTON:
        SetCheck(hwnd, *st, BST_CHECKED);
        UncheckGroupSiblings(hwnd);
        break;
    }
    NotifyParent(hwnd, BN_CLICKED);
}

UINT DialogCodeOf(HWND hwnd)
{
    switch (TypeOf(hwnd)) {
    case BS_PUSHBUTTON:
    case BS_USERBUTTON:
    case BS_PUSHBOX:
        return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BS_DEFPUSHBUTTON:
        return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case BS_GROUPBOX:
        return DLGC_STATIC;
    }
    return DLGC_BUTTON;
}

bool DoubleClickNotifies(HWND hwnd)
{
    DWORD type = TypeOf(hwnd);
    return (StyleOf(hwnd) & BS_NOTIFY) || type == BS_RADIOBUTTON || type == BS_USERBUTTON || type == BS_OWNERDRAW;
}

void MouseDown(HWND hwnd, ButtonState& st)
{
    SetCapture(hwnd);
    if (GetFocus() != hwnd)
        SetFocus(hwnd);
    st.tracking = true;
    SetPushed(hwnd, st, true);
}

bool ReleaseAndTest(HWND hwnd, ButtonState& st, POINT pt, bool force)
{
    if (!st.tracking)
        return false;
    st.tracking = false;
    bool wasPushed = st.pushed;
    SetPushed(hwnd, st, false);
    if (GetCapture() == hwnd)
        ReleaseCapture();
    RECT rc;
    GetClientRect(hwnd, &rc);
    return wasPushed && (force || PtInRect(&rc, pt));
}

LRESULT Handle(HWND hwnd, ButtonState& st, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_GETDLGCODE:
        return DialogCodeOf(hwnd);
    case WM_NCHITTEST:
        if (TypeOf(hwnd) == BS_GROUPBOX)
            return HTTRANSPARENT;
        break;
    case WM_ERASEBKGND:
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return PaintMessage(hwnd, msg, wParam, [&](HDC hdc) { PaintButton(hwnd, hdc, ODA_DRAWENTIRE); });
    case WM_ENABLE:
    case WM_SETTEXT: {
        LRESULT r = DefWindowProc(hwnd, msg, wParam, lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return msg == WM_SETTEXT ? r : 0;
    }
    case WM_SETFONT:
        DefWindowProc(hwnd, msg, wParam, lParam);
        if (LOWORD(lParam))
            InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (DoubleClickNotifies(hwnd)) {
            NotifyParent(hwnd, BN_DOUBLECLICKED);
            return 0;
        }
        MouseDown(hwnd, st);
        return 0;
    case WM_LBUTTONDOWN:
        MouseDown(hwnd, st);
        return 0;
    case WM_MOUSEMOVE:
        if (st.tracking && GetCapture() == hwnd) {
            RECT rc;
            GetClientRect(hwnd, &rc);
            POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            SetPushed(hwnd, st, PtInRect(&rc, pt) != FALSE);
        }
        return 0;
    case WM_LBUTTONUP:
        if (ReleaseAndTest(hwnd, st, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, false))
            Click(hwnd);
        return 0;
    case WM_CAPTURECHANGED:
        if (st.tracking && (HWND)lParam != hwnd) {
            st.tracking = false;
            SetPushed(hwnd, st, false);
        }
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && !st.spaceDown && !st.tracking) {
            st.spaceDown = true;
            SetPushed(hwnd, st, true);
        }
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE && st.spaceDown) {
            st.spaceDown = false;
            SetPushed(hwnd, st, false);
            Click(hwnd);
        }
        return 0;
    case WM_SETFOCUS:
        st.focused = true;
        Repaint(hwnd, ODA_FOCUS);
        if (StyleOf(hwnd) & BS_NOTIFY)
            NotifyParent(hwnd, BN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        st.focused = false;
        if (st.spaceDown || st.tracking) {
            st.spaceDown = false;
            st.tracking = false;
            SetPushed(hwnd, st, false);
            if (GetCapture() == hwnd)
                ReleaseCapture();
        }
        Repaint(hwnd, ODA_FOCUS);
        if (StyleOf(hwnd) & BS_NOTIFY)
            NotifyParent(hwnd, BN_KILLFOCUS);
        return 0;
    case BM_GETCHECK:
        return (IsCheckType(TypeOf(hwnd)) || IsRadioType(TypeOf(hwnd))) ? st.check : 0;
    case BM_SETCHECK:
        SetCheck(hwnd, st, (UINT)wParam);
        return 0;
    case BM_GETSTATE:
        return st.check | (st.pushed ? BST_PUSHED : 0) | (st.focused ? BST_FOCUS : 0);
    case BM_SETSTATE:
        SetPushed(hwnd, st, wParam != 0);
        return 0;
    case BM_SETSTYLE: {
        DWORD style = StyleOf(hwnd);
        DWORD next = (style & ~BS_TYPEMASK) | ((DWORD)wParam & BS_TYPEMASK);
        if (next != style)
            SetWindowLong(hwnd, GWL_STYLE, (LONG)next);
        if (LOWORD(lParam))
            InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    }
    case BM_CLICK:
        if (!IsWindowEnabled(hwnd))
            return 0;
        MouseDown(hwnd, st);
        if (ReleaseAndTest(hwnd, st, POINT{0, 0}, true))
            Click(hwnd);
        return 0;
    case BM_SETIMAGE: {
        HANDLE old = st.image;
        st.image = (HANDLE)lParam;
        st.imageType = wParam;
        InvalidateRect(hwnd, nullptr, TRUE);
        return (LRESULT)old;
    }
    case BM_GETIMAGE:
        return wParam == st.imageType ? (LRESULT)st.image : 0;
    }
    return ControlDefault(hwnd, msg, wParam, lParam);
}

}  // namespace

const WNDPROC ButtonProc = ControlWindow<ButtonState>::Procedure<Handle>;

}  // namespace mivo
