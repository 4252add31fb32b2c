// The colour dialog. Messages go to the caller's hook first when it has one.
#include "dialogs/ColorDialog.h"
#include "dialogs/CommonDialogs.h"
#include "res/resource.h"
#include "win32/controls.h"
#include "win32/msgbox.h"
#include "win32/rect.h"
#include "win32/usersys.h"
#include "win32/input.h"
#include "win32/paint.h"
#include "win32/uidraw.h"
#include "win32/user.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace mivo {

namespace {

const char kOldProcProp[] = "MivoColorPickerProc";

// Eight hues across, from light to dark down, then greys.
const COLORREF kBasic[ColorDialog::kBasicCount] = {
    RGB(255, 128, 128), RGB(255, 255, 128), RGB(128, 255, 128), RGB(0, 255, 128),
    RGB(128, 255, 255), RGB(0, 128, 255),   RGB(255, 128, 192), RGB(255, 128, 255),
    RGB(255, 0, 0),     RGB(255, 255, 0),   RGB(128, 255, 0),   RGB(0, 255, 64),
    RGB(0, 255, 255),   RGB(0, 128, 192),   RGB(128, 128, 192), RGB(255, 0, 255),
    RGB(128, 64, 64),   RGB(255, 128, 64),  RGB(0, 255, 0),     RGB(0, 128, 128),
    RGB(0, 64, 128),    RGB(128, 128, 255), RGB(128, 0, 64),    RGB(255, 0, 128),
    RGB(128, 0, 0),     RGB(255, 128, 0),   RGB(0, 128, 0),     RGB(0, 128, 64),
    RGB(0, 0, 255),     RGB(0, 0, 160),     RGB(128, 0, 128),   RGB(128, 0, 255),
    RGB(64, 0, 0),      RGB(128, 64, 0),    RGB(0, 64, 0),      RGB(0, 64, 64),
    RGB(0, 0, 128),     RGB(0, 0, 64),      RGB(64, 0, 64),     RGB(64, 0, 128),
    RGB(0, 0, 0),       RGB(128, 128, 0),   RGB(128, 128, 64),  RGB(128, 128, 128),
    RGB(64, 128, 128),  RGB(192, 192, 192), RGB(64, 0, 64),     RGB(255, 255, 255),
};

const int kColumns = 8;
const int kCellWidth = 17, kCellHeight = 14;  // dialog units
const int kSwatchWidth = 13, kSwatchHeight = 10;
const int kBasicTop = 14, kCustomTop = 114, kLeft = 6;
const int kCompactWidth = 150;  // the dialog's width before it opens in full

COLORREF g_processCustom[ColorDialog::kCustomCount] = {
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
};

int HueToChannel(int n1, int n2, int hue)
{
    const int max = ColorDialog::kHlsMax;
    if (hue < 0)
        hue += max;
    if (hue > max)
        hue -= max;
    if (hue < max / 6)
        return n1 + ((n2 - n1) * hue + max / 12) / (max / 6);
    if (hue < max / 2)
        return n2;
    if (hue < max * 2 / 3)
        return n1 + ((n2 - n1) * (max * 2 / 3 - hue) + max / 12) / (max / 6);
    return n1;
}

int Clamp(int v, int lo, int hi)
{
    return std::max(lo, std::min(hi, v));
}

}  // namespace

ColorDialog::ColorDialog(CHOOSECOLORA& cc)
    : cc_(cc), custom_(cc.lpCustColors ? cc.lpCustColors : g_processCustom)
{
}

COLORREF* ColorDialog::ProcessCustomColors()
{
    return g_processCustom;
}

ColorDialog::Hls ColorDialog::ToHls(COLORREF rgb)
{
    const int max = kHlsMax, rgbMax = 255;
    int r = GetRValue(rgb), g = GetGValue(rgb), b = GetBValue(rgb);
    int cMax = std::max({r, g, b}), cMin = std::min({r, g, b});
    Hls out;
    out.lum = ((cMax + cMin) * max + rgbMax) / (2 * rgbMax);
    if (cMax == cMin) {
        out.sat = 0;
        out.hue = max * 2 / 3;  // undefined: the dialog shows blue's hue, as Windows does
        return out;
    }
    int span = cMax - cMin;
    if (out.lum <= max / 2)
        out.sat = (span * max + (cMax + cMin) / 2) / (cMax + cMin);
    else
        out.sat = (span * max + (2 * rgbMax - cMax - cMin) / 2) / (2 * rgbMax - cMax - cMin);
    int rDelta = ((cMax - r) * (max / 6) + span / 2) / span;
    int gDelta = ((cMax - g) * (max / 6) + span / 2) / span;
    int bDelta = ((cMax - b) * (max / 6) + span / 2) / span;
    if (r == cMax)
        out.hue = bDelta - gDelta;
    else if (g == cMax)
        out.hue = max / 3 + rDelta - bDelta;
    else
        out.hue = max * 2 / 3 + gDelta - rDelta;
    if (out.hue < 0)
        out.hue += max;
    if (out.hue >= max)
        out.hue -= max;
    out.sat = Clamp(out.sat, 0, max);
    return out;
}

COLORREF ColorDialog::FromHls(const Hls& hls)
{
    const int max = kHlsMax, rgbMax = 255;
    int lum = Clamp(hls.lum, 0, max), sat = Clamp(hls.sat, 0, max), hue = Clamp(hls.hue, 0, max - 1);
    if (sat == 0) {
        int v = lum * rgbMax / max;
        return RGB(v, v, v);
    }
    int m2 = lum <= max / 2 ? (lum * (max + sat) + max / 2) / max : lum + sat - (lum * sat + max / 2) / max;
    int m1 = 2 * lum - m2;
    int r = (HueToChannel(m1, m2, hue + max / 3) * rgbMax + max / 2) / max;
    int g = (HueToChannel(m1, m2, hue) * rgbMax + max / 2) / max;
    int b = (HueToChannel(m1, m2, hue - max / 3) * rgbMax + max / 2) / max;
    return RGB(Clamp(r, 0, 255), Clamp(g, 0, 255), Clamp(b, 0, 255));
}

BOOL ColorDialog::Run()
{
    SetCommonDialogError(0);
    if (cc_.lStructSize < sizeof(CHOOSECOLORA)) {
        SetCommonDialogError(CDERR_STRUCTSIZE);
        return FALSE;
    }
    if ((cc_.Flags & CC_ENABLEHOOK) && cc_.lpfnHook == nullptr) {
        SetCommonDialogError(CDERR_NOHOOK);
        return FALSE;
    }
    current_ = (cc_.Flags & CC_RGBINIT) ? (cc_.rgbResult & 0xFFFFFF) : RGB(0, 0, 0);
    INT_PTR result = RunPlatformDialog(IDD_COLOR_DIALOG, cc_.hwndOwner, Procedure, (LPARAM)this);
    if (result == -1) {
        SetCommonDialogError(CDERR_DIALOGFAILURE);
        return FALSE;
    }
    if (result != IDOK)
        return FALSE;
    cc_.rgbResult = current_;
    return TRUE;
}

ColorDialog::HookFunction ColorDialog::HookProc() const
{
    return (cc_.Flags & CC_ENABLEHOOK) ? cc_.lpfnHook : nullptr;
}

LPARAM ColorDialog::HookData() const
{
    return (LPARAM)&cc_;
}

INT_PTR ColorDialog::Handle(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_DRAWITEM:
        OnDrawItem(*(const DRAWITEMSTRUCT*)lParam);
        return TRUE;
    }
    return FALSE;
}

void ColorDialog::OnInit()
{
    MakeSwatches();
    hls_ = ToHls(current_);
    for (int i = 0; i < kBasicCount + kCustomCount; ++i)
        if (SwatchColour(i) == current_) {
            chosenSwatch_ = i;
            break;
        }
    ShowNumbers();
    for (int id : {IDC_COLOR_SPECTRUM, IDC_COLOR_LUMINANCE}) {
        HWND picker = GetDlgItem(dlg_, id);
        SetProp(picker, kOldProcProp, (HANDLE)GetWindowLongPtr(picker, GWLP_WNDPROC));
        SetWindowLongPtr(picker, GWLP_WNDPROC, (LONG_PTR)PickerProc);
    }
    for (int id : {IDC_COLOR_HUE, IDC_COLOR_SAT, IDC_COLOR_LUM, IDC_COLOR_RED, IDC_COLOR_GREEN, IDC_COLOR_BLUE})
        SendDlgItemMessage(dlg_, id, EM_LIMITTEXT, 3, 0);
    if (cc_.Flags & CC_PREVENTFULLOPEN)
        EnableWindow(GetDlgItem(dlg_, IDC_COLOR_DEFINE), FALSE);
    ShowFull((cc_.Flags & CC_FULLOPEN) != 0 && !(cc_.Flags & CC_PREVENTFULLOPEN));
}

void ColorDialog::MakeSwatches()
{
    HINSTANCE instance = (HINSTANCE)GetWindowLongPtr(dlg_, GWLP_HINSTANCE);
    HWND after = GetDlgItem(dlg_, IDC_COLOR_BASIC_LABEL);
    for (int i = 0; i < kBasicCount + kCustomCount; ++i) {
        bool basic = i < kBasicCount;
        int n = basic ? i : i - kBasicCount;
        int top = basic ? kBasicTop : kCustomTop;
        RECT r = DialogUnitsRect(dlg_, kLeft + (n % kColumns) * kCellWidth, top + (n / kColumns) * kCellHeight,
                                 kSwatchWidth, kSwatchHeight);
        DWORD style = WS_CHILD | WS_VISIBLE | BS_OWNERDRAW | (n == 0 ? WS_GROUP | WS_TABSTOP : 0);
        HWND swatch = CreateWindowEx(0, "Button", "", style, r.left, r.top, r.right - r.left, r.bottom - r.top, dlg_,
                                     (HMENU)(INT_PTR)(IDC_COLOR_SWATCH_FIRST + i), instance, nullptr);
        // Each group follows its label in the tab order.
        SetWindowPos(swatch, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = swatch;
        if (i == kBasicCount - 1)
            after = GetDlgItem(dlg_, IDC_COLOR_CUSTOM_LABEL);
    }
}

void ColorDialog::ShowFull(bool full)
{
    full_ = full;
    RECT client;
    GetClientRect(dlg_, &client);
    RECT compact = DialogUnitsRect(dlg_, 0, 0, kCompactWidth, 0);
    RECT window;
    GetWindowRect(dlg_, &window);
    RECT wanted = {0, 0, full ? client.right : compact.right, client.bottom};
    if (!full) {
        RECT frame = {0, 0, 0, 0};
        AdjustWindowRectEx(&frame, (DWORD)GetWindowLong(dlg_, GWL_STYLE), FALSE,
                           (DWORD)GetWindowLong(dlg_, GWL_EXSTYLE));
        SetWindowPos(dlg_, nullptr, 0, 0, wanted.right + frame.right - frame.left, window.bottom - window.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (client.right < DialogUnitsRect(dlg_, 0, 0, 300, 0).right) {
        RECT fullRect = DialogUnitsRect(dlg_, 0, 0, 300, 0);
        RECT frame = {0, 0, 0, 0};
        AdjustWindowRectEx(&frame, (DWORD)GetWindowLong(dlg_, GWL_STYLE), FALSE,
                           (DWORD)GetWindowLong(dlg_, GWL_EXSTYLE));
        SetWindowPos(dlg_, nullptr, 0, 0, fullRect.right + frame.right - frame.left, window.bottom - window.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (full)
        EnableWindow(GetDlgItem(dlg_, IDC_COLOR_DEFINE), FALSE);
}

void ColorDialog::OnCommand(int id, int code)
{
    if (id == IDOK || id == IDCANCEL) {
        EndDialog(dlg_, id);
        return;
    }
    if (id == IDC_COLOR_DEFINE && code == BN_CLICKED) {
        ShowFull(true);
        SetFocus(GetDlgItem(dlg_, IDC_COLOR_RED));
        return;
    }
    if (id == IDC_COLOR_ADD && code == BN_CLICKED) {
        int slot = chosenSwatch_ >= kBasicCount ? chosenSwatch_ - kBasicCount : nextCustom_;
        custom_[slot] = current_;
        nextCustom_ = (slot + 1) % kCustomCount;
        InvalidateRect(GetDlgItem(dlg_, IDC_COLOR_SWATCH_FIRST + kBasicCount + slot), nullptr, TRUE);
        return;
    }
    if (id >= IDC_COLOR_SWATCH_FIRST && id < IDC_COLOR_SWATCH_FIRST + kBasicCount + kCustomCount &&
        code == BN_CLICKED) {
        int old = chosenSwatch_;
        chosenSwatch_ = id - IDC_COLOR_SWATCH_FIRST;
        if (old >= 0)
            InvalidateRect(GetDlgItem(dlg_, IDC_COLOR_SWATCH_FIRST + old), nullptr, TRUE);
        InvalidateRect(GetDlgItem(dlg_, id), nullptr, TRUE);
        SetCurrent(SwatchColour(chosenSwatch_));
        return;
    }
    if (id >= IDC_COLOR_HUE && id <= IDC_COLOR_BLUE && code == EN_CHANGE && !updating_)
        ReadNumbers(id);
}

COLORREF ColorDialog::SwatchColour(int index) const
{
    return index < kBasicCount ? kBasic[index] : custom_[index - kBasicCount] & 0xFFFFFF;
}

void ColorDialog::SetCurrent(COLORREF colour, bool fromHls)
{
    current_ = colour;
    if (!fromHls)
        hls_ = ToHls(colour);
    ShowNumbers();
    InvalidateRect(GetDlgItem(dlg_, IDC_COLOR_PREVIEW), nullptr, FALSE);
    InvalidateRect(GetDlgItem(dlg_, IDC_COLOR_SPECTRUM), nullptr, FALSE);
    InvalidateRect(GetDlgItem(dlg_, IDC_COLOR_LUMINANCE), nullptr, FALSE);
}

void ColorDialog::ShowNumbers()
{
    updating_ = true;
    SetDlgItemInt(dlg_, IDC_COLOR_HUE, (UINT)hls_.hue, FALSE);
    SetDlgItemInt(dlg_, IDC_COLOR_SAT, (UINT)hls_.sat, FALSE);
    SetDlgItemInt(dlg_, IDC_COLOR_LUM, (UINT)hls_.lum, FALSE);
    SetDlgItemInt(dlg_, IDC_COLOR_RED, GetRValue(current_), FALSE);
    SetDlgItemInt(dlg_, IDC_COLOR_GREEN, GetGValue(current_), FALSE);
    SetDlgItemInt(dlg_, IDC_COLOR_BLUE, GetBValue(current_), FALSE);
    updating_ = false;
}

// A number typed into a field: out-of-range values are taken at their limit.
void ColorDialog::ReadNumbers(int changedId)
{
    auto read = [this](int id, int max) {
        BOOL ok = FALSE;
        UINT v = GetDlgItemInt(dlg_, id, &ok, FALSE);
        return ok ? Clamp((int)v, 0, max) : 0;
    };
    if (changedId >= IDC_COLOR_RED) {
        current_ = RGB(read(IDC_COLOR_RED, 255), read(IDC_COLOR_GREEN, 255), read(IDC_COLOR_BLUE, 255));
        hls_ = ToHls(current_);
        updating_ = true;
        SetDlgItemInt(dlg_, IDC_COLOR_HUE, (UINT)hls_.hue, FALSE);
        SetDlgItemInt(dlg_, IDC_COLOR_SAT, (UINT)hls_.sat, FALSE);
        SetDlgItemInt(dlg_, IDC_COLOR_LUM, (UINT)hls_.lum, FALSE);
        updating_ = false;
    } else {
        hls_ = {read(IDC_COLOR_HUE, kHlsMax - 1), read(IDC_COLOR_LUM, kHlsMax), read(IDC_COLOR_SAT, kHlsMax)};
        current_ = FromHls(hls_);
        updating_ = true;
        SetDlgItemInt(dlg_, IDC_COLOR_RED, GetRValue(current_), FALSE);
        SetDlgItemInt(dlg_, IDC_COLOR_GREEN, GetGValue(current_), FALSE);
        SetDlgItemInt(dlg_, IDC_COLOR_BLUE, GetBValue(current_), FALSE);
        updating_ = false;
    }
    InvalidateRect(GetDlgItem(dlg_, IDC_COLOR_PREVIEW), nullptr, FALSE);
    InvalidateRect(GetDlgItem(dlg_, IDC_COLOR_SPECTRUM), nullptr, FALSE);
    InvalidateRect(GetDlgItem(dlg_, IDC_COLOR_LUMINANCE), nullptr, FALSE);
}

void ColorDialog::OnDrawItem(const DRAWITEMSTRUCT& dis)
{
    int id = (int)dis.CtlID;
    if (id >= IDC_COLOR_SWATCH_FIRST && id < IDC_COLOR_SWATCH_FIRST + kBasicCount + kCustomCount) {
        int index = id - IDC_COLOR_SWATCH_FIRST;
        DrawSwatch(dis, SwatchColour(index), index == chosenSwatch_);
    } else if (id == IDC_COLOR_SPECTRUM) {
        DrawSpectrum(dis.hDC, dis.rcItem);
    } else if (id == IDC_COLOR_LUMINANCE) {
        DrawLuminance(dis.hDC, dis.rcItem);
    } else if (id == IDC_COLOR_PREVIEW) {
        HBRUSH brush = CreateSolidBrush(current_);
        FillRect(dis.hDC, &dis.rcItem, brush);
        DeleteObject(brush);
    }
}

void ColorDialog::DrawSwatch(const DRAWITEMSTRUCT& dis, COLORREF colour, bool chosen)
{
    RECT r = dis.rcItem;
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    FillRect(dis.hDC, &r, face);
    if (chosen) {
        HBRUSH black = (HBRUSH)GetStockObject(BLACK_BRUSH);
        FrameRect(dis.hDC, &r, black);
    }
    InflateRect(&r, -2, -2);
    DrawEdge(dis.hDC, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dis.hDC, &r, brush);
    DeleteObject(brush);
    if (dis.itemState & ODS_FOCUS) {
        RECT focus = dis.rcItem;
        DrawFocusRect(dis.hDC, &focus);
    }
}

void ColorDialog::DrawSpectrum(HDC dc, const RECT& r)
{
    int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0)
        return;
    std::vector<DWORD> pixels((size_t)w * (size_t)h);
    for (int y = 0; y < h; ++y) {
        int sat = kHlsMax - y * kHlsMax / std::max(1, h - 1);
        for (int x = 0; x < w; ++x) {
            COLORREF c = FromHls({x * (kHlsMax - 1) / std::max(1, w - 1), kHlsMax / 2, sat});
            pixels[(size_t)y * w + x] = (DWORD)(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c));
        }
    }
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, r.left, r.top, (DWORD)w, (DWORD)h, 0, 0, 0, (UINT)h, pixels.data(), &bi, DIB_RGB_COLORS);
    // The cross hair at the current hue and saturation.
    int cx = r.left + hls_.hue * (w - 1) / (kHlsMax - 1);
    int cy = r.top + (kHlsMax - hls_.sat) * (h - 1) / kHlsMax;
    HBRUSH black = (HBRUSH)GetStockObject(BLACK_BRUSH);
    RECT across = {cx - 6, cy - 1, cx - 2, cy + 1}, across2 = {cx + 3, cy - 1, cx + 7, cy + 1};
    RECT down = {cx - 1, cy - 6, cx + 1, cy - 2}, down2 = {cx - 1, cy + 3, cx + 1, cy + 7};
    for (const RECT* part : {&across, &across2, &down, &down2})
        FillRect(dc, part, black);
}

void ColorDialog::DrawLuminance(HDC dc, const RECT& r)
{
    int h = r.bottom - r.top;
    if (h <= 0)
        return;
    int barRight = r.right - 4;
    for (int y = 0; y < h; ++y) {
        COLORREF c = FromHls({hls_.hue, kHlsMax - y * kHlsMax / std::max(1, h - 1), hls_.sat});
        HBRUSH brush = CreateSolidBrush(c);
        RECT line = {r.left, r.top + y, barRight, r.top + y + 1};
        FillRect(dc, &line, brush);
        DeleteObject(brush);
    }
    RECT marker = {barRight, r.top, r.right, r.bottom};
    FillRect(dc, &marker, GetSysColorBrush(COLOR_BTNFACE));
    int my = r.top + (kHlsMax - hls_.lum) * (h - 1) / kHlsMax;
    RECT arrow = {barRight, my - 2, r.right, my + 3};
    FillRect(dc, &arrow, (HBRUSH)GetStockObject(BLACK_BRUSH));
}

void ColorDialog::PickAt(HWND picker, int x, int y)
{
    RECT r;
    GetClientRect(picker, &r);
    int w = std::max(1, (int)r.right - 1), h = std::max(1, (int)r.bottom - 1);
    x = Clamp(x, 0, w);
    y = Clamp(y, 0, h);
    if (GetDlgCtrlID(picker) == IDC_COLOR_SPECTRUM) {
        hls_.hue = x * (kHlsMax - 1) / w;
        hls_.sat = kHlsMax - y * kHlsMax / h;
        if (hls_.lum == 0 || hls_.lum == kHlsMax)
            hls_.lum = kHlsMax / 2;  // black or white would hide the choice
    } else {
        hls_.lum = kHlsMax - y * kHlsMax / h;
    }
    SetCurrent(FromHls(hls_), true);
}

LRESULT CALLBACK ColorDialog::PickerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto old = (WNDPROC)GetProp(hwnd, kOldProcProp);
    ColorDialog* self = Of(GetParent(hwnd));
    switch (msg) {
    case WM_LBUTTONDOWN:
        SetCapture(hwnd);
        if (self)
            self->PickAt(hwnd, (short)LOWORD(lParam), (short)HIWORD(lParam));
        return 0;
    case WM_MOUSEMOVE:
        if (GetCapture() == hwnd && self)
            self->PickAt(hwnd, (short)LOWORD(lParam), (short)HIWORD(lParam));
        return 0;
    case WM_LBUTTONUP:
        if (GetCapture() == hwnd)
            ReleaseCapture();
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtr(hwnd, GWLP_WNDPROC, (LONG_PTR)old);
        RemoveProp(hwnd, kOldProcProp);
        break;
    }
    return old ? CallWindowProc(old, hwnd, msg, wParam, lParam) : DefWindowProc(hwnd, msg, wParam, lParam);
}

}  // namespace mivo

BOOL ChooseColorA(LPCHOOSECOLORA lpcc)
{
    if (lpcc == nullptr) {
        mivo::SetCommonDialogError(CDERR_INITIALIZATION);
        return FALSE;
    }
    return mivo::ColorDialog(*lpcc).Run();
}

BOOL ChooseColor(LPCHOOSECOLORA lpcc)
{
    return ChooseColorA(lpcc);
}
