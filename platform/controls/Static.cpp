// The "Static" class: labels, icons, bitmaps, frames and rectangles, owner-drawn statics.
#include "controls/BuiltinClasses.h"
#include "controls/ControlsInternal.h"
#include "win32/cursors.h"

#include <cstring>

namespace mivo {

namespace {

struct StaticState {
    HANDLE image = nullptr;
    UINT imageType = IMAGE_BITMAP;
};

DWORD TypeOf(HWND hwnd)
{
    return StyleOf(hwnd) & SS_TYPEMASK;
}

bool IsTextType(DWORD type)
{
    return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_SIMPLE ||
           type == SS_LEFTNOWORDWRAP;
}

bool IsImageType(DWORD type)
{
    return type == SS_ICON || type == SS_BITMAP;
}

SIZE ImageSize(const StaticState& st)
{
    if (st.imageType == IMAGE_BITMAP) {
        BITMAP bm = {};
        if (st.image && GetObject(st.image, sizeof(bm), &bm))
            return SIZE{bm.bmWidth, bm.bmHeight};
        return SIZE{0, 0};
    }
    return SIZE{GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
}

// An image static takes its image's size unless it centres the image.
void FitToImage(HWND hwnd, const StaticState& st)
{
    DWORD style = StyleOf(hwnd);
    if (!st.image || (style & (SS_CENTERIMAGE | SS_REALSIZECONTROL)))
        return;
    SIZE size = ImageSize(st);
    if (size.cx > 0 && size.cy > 0)
        SetWindowPos(hwnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HANDLE SetImage(HWND hwnd, StaticState& st, UINT type, HANDLE image)
{
    HANDLE old = st.image;
    st.image = image;
    st.imageType = type;
    FitToImage(hwnd, st);
    InvalidateRect(hwnd, nullptr, TRUE);
    return old;
}

// The image a template names in the title: a resource name, or 0xFF and an ordinal.
HANDLE LoadNamedImage(HINSTANCE instance, LPCSTR name, UINT type)
{
    if (!name || !*name)
        return nullptr;
    LPCSTR resource = name;
    if ((unsigned char)name[0] == 0xFF) {
        size_t len = std::strlen(name);
        WORD ordinal = (WORD)((len > 1 ? (unsigned char)name[1] : 0) | ((len > 2 ? (unsigned char)name[2] : 0) << 8));
        resource = MAKEINTRESOURCE(ordinal);
    }
    if (type == IMAGE_ICON) {
        HANDLE icon = LoadImage(instance, resource, IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR);
        return icon ? icon : (HANDLE)LoadIcon(instance, resource);
    }
    return LoadImage(instance, resource, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR);
}

void PaintText(HWND hwnd, HDC hdc, const RECT& rc, DWORD style)
{
    std::string text = ControlText(hwnd);
    DWORD type = style & SS_TYPEMASK;
    UINT format = DT_EXPANDTABS;
    if (type == SS_CENTER)
        format |= DT_CENTER | DT_WORDBREAK;
    else if (type == SS_RIGHT)
        format |= DT_RIGHT | DT_WORDBREAK;
    else if (type == SS_LEFT)
        format |= DT_WORDBREAK;
    else if (type == SS_SIMPLE)
        format |= DT_SINGLELINE;
    if (style & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    if (style & SS_CENTERIMAGE)
        format = (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
    switch (style & SS_ELLIPSISMASK) {
    case SS_ENDELLIPSIS: format |= DT_END_ELLIPSIS; break;
    case SS_PATHELLIPSIS: format |= DT_PATH_ELLIPSIS; break;
    case SS_WORDELLIPSIS: format |= DT_WORD_ELLIPSIS; break;
    }
    if (style & SS_EDITCONTROL)
        format |= DT_EDITCONTROL;
    if (text.empty())
        return;
    RECT r = rc;
    if (style & WS_DISABLED)
        SetTextColor(hdc, SysColor(COLOR_GRAYTEXT));
    int mode = SetBkMode(hdc, TRANSPARENT);
    DrawText(hdc, text.c_str(), (int)text.size(), &r, format);
    SetBkMode(hdc, mode);
}

void PaintImage(HWND hwnd, HDC hdc, const RECT& rc, const StaticState& st)
{
    if (!st.image)
        return;
    SIZE size = ImageSize(st);
    int x = rc.left, y = rc.top;
    if (StyleOf(hwnd) & SS_CENTERIMAGE) {
        x += ((rc.right - rc.left) - size.cx) / 2;
        y += ((rc.bottom - rc.top) - size.cy) / 2;
    }
    UINT kind = st.imageType == IMAGE_BITMAP ? DST_BITMAP : DST_ICON;
    DrawState(hdc, nullptr, nullptr, (LPARAM)st.image, 0, x, y, size.cx, size.cy,
              kind | ((StyleOf(hwnd) & WS_DISABLED) ? DSS_DISABLED : DSS_NORMAL));
}

void PaintOwnerDraw(HWND hwnd, HDC hdc, const RECT& rc)
{
    HWND parent = GetParent(hwnd);
    if (!parent)
        return;
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_STATIC;
    dis.CtlID = (UINT)GetDlgCtrlID(hwnd);
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = (StyleOf(hwnd) & WS_DISABLED) ? ODS_DISABLED : 0;
    dis.hwndItem = hwnd;
    dis.hDC = hdc;
    dis.rcItem = rc;
    SendMessage(parent, WM_DRAWITEM, dis.CtlID, (LPARAM)&dis);
}

// Black, grey and white rectangles and frames in the 3-D colours.
int ShapeColor(DWORD type)
{
    switch (type) {
    case SS_BLACKRECT:
    case SS_BLACKFRAME:
        return COLOR_3DDKSHADOW;
    case SS_GRAYRECT:
    case SS_GRAYFRAME:
        return COLOR_3DSHADOW;
    }
    return COLOR_3DHILIGHT;
}

void PaintStatic(HWND hwnd, const StaticState& st, HDC hdc)
{
    RECT rc;
    GetClientRect(hwnd, &rc);
    DWORD style = StyleOf(hwnd);
    DWORD type = style & SS_TYPEMASK;
    HGDIOBJ oldFont = SelectObject(hdc, ControlFont(hwnd));
    switch (type) {
    case SS_BLACKRECT:
    case SS_GRAYRECT:
    case SS_WHITERECT:
        FillRect(hdc, &rc, GetSysColorBrush(ShapeColor(type)));
        break;
    case SS_BLACKFRAME:
    case SS_GRAYFRAME:
    case SS_WHITEFRAME:
        FrameRect(hdc, &rc, GetSysColorBrush(ShapeColor(type)));
        break;
    case SS_ETCHEDHORZ:
        DrawEdge(hdc, &rc, EDGE_ETCHED, BF_TOP);
        break;
    case SS_ETCHEDVERT:
        DrawEdge(hdc, &rc, EDGE_ETCHED, BF_LEFT);
        break;
    case SS_ETCHEDFRAME:
        DrawEdge(hdc, &rc, EDGE_ETCHED, BF_RECT);
        break;
    case SS_OWNERDRAW:
        ControlColor(hwnd, hdc, WM_CTLCOLORSTATIC);
        PaintOwnerDraw(hwnd, hdc, rc);
        break;
    default: {
        HBRUSH brush = ControlColor(hwnd, hdc, WM_CTLCOLORSTATIC);
        if (brush && type != SS_SIMPLE)
            FillRect(hdc, &rc, brush);
        if (IsTextType(type))
            PaintText(hwnd, hdc, rc, style);
        else if (IsImageType(type))
            PaintImage(hwnd, hdc, rc, st);
        break;
    }
    }
    SelectObject(hdc, oldFont);
}

LRESULT Create(HWND hwnd, StaticState& st, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CREATESTRUCTA cs = *(const CREATESTRUCTA*)lParam;
    DWORD type = (DWORD)cs.style & SS_TYPEMASK;
    if (cs.style & SS_SUNKEN)
        SetWindowLong(hwnd, GWL_EXSTYLE, (LONG)(cs.dwExStyle | WS_EX_STATICEDGE));
    if (IsImageType(type)) {
        st.imageType = type == SS_ICON ? IMAGE_ICON : IMAGE_BITMAP;
        st.image = LoadNamedImage(cs.hInstance, cs.lpszName, st.imageType);
        cs.lpszName = "";
    } else if (cs.lpszName && (unsigned char)cs.lpszName[0] == 0xFF) {
        cs.lpszName = "";
    }
    return DefWindowProc(hwnd, msg, wParam, (LPARAM)&cs);
}

LRESULT Handle(HWND hwnd, StaticState& st, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_NCCREATE:
        if (!lParam)
            break;
        return Create(hwnd, st, msg, wParam, lParam);
    case WM_CREATE:
        FitToImage(hwnd, st);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_NCHITTEST:
        return (StyleOf(hwnd) & SS_NOTIFY) ? HTCLIENT : HTTRANSPARENT;
    case WM_ERASEBKGND:
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return PaintMessage(hwnd, msg, wParam, [&](HDC hdc) { PaintStatic(hwnd, st, hdc); });
    case WM_SETTEXT: {
        DWORD type = TypeOf(hwnd);
        if (IsImageType(type)) {
            HANDLE image = LoadNamedImage((HINSTANCE)GetWindowLongPtr(hwnd, GWLP_HINSTANCE), (LPCSTR)lParam,
                                          st.imageType);
            SetImage(hwnd, st, st.imageType, image);
            return TRUE;
        }
        LRESULT r = DefWindowProc(hwnd, msg, wParam, lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return r;
    }
    case WM_SETFONT:
        DefWindowProc(hwnd, msg, wParam, lParam);
        if (LOWORD(lParam))
            InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_ENABLE:
        InvalidateRect(hwnd, nullptr, TRUE);
        if (StyleOf(hwnd) & SS_NOTIFY)
            NotifyParent(hwnd, wParam ? STN_ENABLE : STN_DISABLE);
        return 0;
    case WM_LBUTTONDOWN:
        if (StyleOf(hwnd) & SS_NOTIFY)
            NotifyParent(hwnd, STN_CLICKED);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (StyleOf(hwnd) & SS_NOTIFY)
            NotifyParent(hwnd, STN_DBLCLK);
        return 0;
    case STM_SETICON:
        return (LRESULT)SetImage(hwnd, st, IMAGE_ICON, (HANDLE)wParam);
    case STM_GETICON:
        return st.imageType == IMAGE_ICON ? (LRESULT)st.image : 0;
    case STM_SETIMAGE:
        if (wParam != IMAGE_BITMAP && wParam != IMAGE_ICON && wParam != IMAGE_CURSOR)
            return 0;
        return (LRESULT)SetImage(hwnd, st, wParam == IMAGE_CURSOR ? IMAGE_ICON : (UINT)wParam, (HANDLE)lParam);
    case STM_GETIMAGE:
        return (wParam == st.imageType || (wParam == IMAGE_CURSOR && st.imageType == IMAGE_ICON))
                   ? (LRESULT)st.image
                   : 0;
    }
    return ControlDefault(hwnd, msg, wParam, lParam);
}

}  // namespace

const WNDPROC StaticProc = ControlWindow<StaticState>::Procedure<Handle>;

}  // namespace mivo
