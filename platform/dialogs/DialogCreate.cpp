// Creating dialogs from templates: the dialog window, its font and units,
// the controls in template order, WM_INITDIALOG and the first focus.
#include "dialogs/DialogInternal.h"
#include "win32/codepage.h"
#include "win32/input.h"
#include "win32/menus.h"
#include "win32/usersys.h"
#include "mivo/codepage.h"
#include "mivo/dialogs.h"
#include "mivo/templates.h"

#include <algorithm>

namespace mivo {

namespace {

int Scale(int value, int base, int divisor)
{
    long long n = (long long)value * base;
    long long half = divisor / 2;
    return (int)(n >= 0 ? (n + half) / divisor : (n - half) / divisor);
}

const char* PredefinedClass(WORD atom)
{
    switch (atom) {
    case 0x0080: return "Button";
    case 0x0081: return "Edit";
    case 0x0082: return "Static";
    case 0x0083: return "ListBox";
    case 0x0084: return "ScrollBar";
    case 0x0085: return "ComboBox";
    }
    return nullptr;
}

// An ordinal title travels as it does in an ANSI window name: 0xFF and the WORD.
std::string TitleText(const TemplateText& t)
{
    if (!t.isOrdinal)
        return Utf16ToAnsi(t.text);
    std::string s;
    s += (char)0xFF;
    s += (char)(t.ordinal & 0xFF);
    s += (char)(t.ordinal >> 8);
    return s;
}

RECT WorkArea()
{
    RECT work = {0, 0, 0, 0};
    if (!SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0) || work.right <= work.left)
        work = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return work;
}

// Where a top-level dialog's window goes: template position relative to the
// owner's client area, or centred, and always inside the work area.
POINT PlaceTopLevel(const DialogTemplateInfo& t, DWORD style, HWND owner, const RECT& frame, SIZE units)
{
    int w = frame.right - frame.left, h = frame.bottom - frame.top;
    RECT work = WorkArea();
    POINT pos;
    if (style & DS_CENTER) {
        RECT around = work;
        if (owner && IsWindowVisible(owner) && !IsIconic(owner))
            GetWindowRect(owner, &around);
        pos.x = around.left + ((around.right - around.left) - w) / 2;
        pos.y = around.top + ((around.bottom - around.top) - h) / 2;
    } else if (style & DS_CENTERMOUSE) {
        POINT cursor = {0, 0};
        GetCursorPos(&cursor);
        pos.x = cursor.x - w / 2;
        pos.y = cursor.y - h / 2;
    } else {
        pos.x = frame.left + Scale(t.x, units.cx, 4);
        pos.y = frame.top + Scale(t.y, units.cy, 8);
        if (!(style & DS_ABSALIGN) && owner)
            ClientToScreen(owner, &pos);
    }
    if (pos.x + w > work.right)
        pos.x = work.right - w;
    if (pos.y + h > work.bottom)
        pos.y = work.bottom - h;
    pos.x = std::max(pos.x, (LONG)work.left);
    pos.y = std::max(pos.y, (LONG)work.top);
    return pos;
}

HMENU TemplateMenu(const DialogTemplateInfo& t, HINSTANCE instance)
{
    if (!t.hasMenu)
        return nullptr;
    if (t.menu.isOrdinal)
        return LoadMenu(instance, MAKEINTRESOURCE(t.menu.ordinal));
    std::string name = Utf16ToAnsi(t.menu.text);
    return LoadMenu(instance, name.c_str());
}

bool CreateItems(HWND hDlg, const DialogTemplateInfo& t, HINSTANCE instance, HFONT font, SIZE units)
{
    for (const DialogItemInfo& item : t.items) {
        std::string cls;
        if (item.windowClass.isOrdinal) {
            const char* name = PredefinedClass(item.windowClass.ordinal);
            if (!name) {
                if (t.style & DS_NOFAILCREATE)
                    continue;
                return false;
            }
            cls = name;
        } else {
            cls = Utf16ToAnsi(item.windowClass.text);
        }
        std::string title = TitleText(item.title);
        DWORD style = (item.style | WS_CHILD) & ~WS_POPUP;
        DWORD exStyle = item.exStyle | WS_EX_NOPARENTNOTIFY;
        // Dialogs give bordered edits and lists the sunken three-dimensional edge.
        if ((style & WS_BORDER) && (lstrcmpi(cls.c_str(), "Edit") == 0 || lstrcmpi(cls.c_str(), "ListBox") == 0)) {
            style &= ~WS_BORDER;
            exStyle |= WS_EX_CLIENTEDGE;
        }
        int x = Scale(item.x, units.cx, 4), y = Scale(item.y, units.cy, 8);
        int cx = Scale(item.cx, units.cx, 4), cy = Scale(item.cy, units.cy, 8);
        LPVOID data = item.creationData.empty() ? nullptr : (LPVOID)item.creationData.data();
        HWND ctl = CreateWindowEx(exStyle, cls.c_str(), title.c_str(), style, x, y, cx, cy, hDlg,
                                  (HMENU)(UINT_PTR)item.id, instance, data);
        if (!ctl) {
            if (t.style & DS_NOFAILCREATE)
                continue;
            return false;
        }
        if (font)
            SendMessage(ctl, WM_SETFONT, (WPARAM)font, FALSE);
    }
    return true;
}

}  // namespace

bool FindDialogTemplate(HINSTANCE instance, LPCSTR name, const void** data, size_t* size, HINSTANCE* owner)
{
    HMODULE module = instance;
    HRSRC res = instance ? FindResource(instance, name, RT_DIALOG) : nullptr;
    if (!res) {
        module = nullptr;
        res = FindResource(nullptr, name, RT_DIALOG);
    }
    if (!res)
        return false;
    HGLOBAL block = LoadResource(module, res);
    const void* bytes = block ? LockResource(block) : nullptr;
    if (!bytes)
        return false;
    *data = bytes;
    *size = SizeofResource(module, res);
    if (owner)
        *owner = module ? module : AfxFindResourceHandle(name, RT_DIALOG);
    return true;
}

HWND CreateDialogFromTemplate(HINSTANCE instance, const void* data, size_t size, HWND parent, DLGPROC proc,
                              LPARAM param, bool modal)
{
    DialogTemplateInfo t;
    if (!data || !ReadDialogTemplate(data, size, t))
        return nullptr;

    HFONT font = nullptr;
    SIZE units = SystemDialogUnits();
    if (t.hasFont) {
        font = CreateDialogFont(t.typeface, t.pointSize, t.weight, t.italic,
                                t.extended ? t.charset : (BYTE)DEFAULT_CHARSET);
        units = DialogBaseUnitsForFont(t.typeface, t.pointSize);
    }

    DWORD style = t.style, exStyle = t.exStyle;
    if (style & DS_MODALFRAME)
        exStyle |= WS_EX_DLGMODALFRAME;
    if (style & DS_CONTROL) {
        style &= ~(WS_CAPTION | WS_SYSMENU);
        exStyle |= WS_EX_CONTROLPARENT;
    }
    bool visible = (style & WS_VISIBLE) != 0;
    style &= ~WS_VISIBLE;
    if (modal)
        style &= ~WS_CHILD;

    HMENU menu = TemplateMenu(t, instance);
    RECT frame = {0, 0, Scale(t.cx, units.cx, 4), Scale(t.cy, units.cy, 8)};
    AdjustWindowRectEx(&frame, style, menu != nullptr, exStyle);
    int w = frame.right - frame.left, h = frame.bottom - frame.top;
    POINT pos;
    if (t.x == (short)0x8000) {
        pos = POINT{CW_USEDEFAULT, CW_USEDEFAULT};
    } else if (style & WS_CHILD) {
        pos = POINT{frame.left + Scale(t.x, units.cx, 4), frame.top + Scale(t.y, units.cy, 8)};
    } else {
        pos = PlaceTopLevel(t, style, parent, frame, units);
    }

    std::string cls = WC_DIALOG;
    if (t.hasClass && !t.windowClass.isOrdinal && !t.windowClass.text.empty())
        cls = Utf16ToAnsi(t.windowClass.text);
    std::string title = Utf16ToAnsi(t.title);
    HWND hDlg = CreateWindowEx(exStyle, cls.c_str(), title.c_str(), style, pos.x, pos.y, w, h, parent,
                               (style & WS_CHILD) ? nullptr : menu, instance, nullptr);
    if (!hDlg) {
        if (font)
            DeleteObject(font);
        return nullptr;
    }
    auto state = CreateDialogState(hDlg);
    state->font = font;
    state->ownsFont = font != nullptr;
    state->units = units;
    state->modal = modal;
    SetWindowLongPtr(hDlg, DWLP_DLGPROC, (LONG_PTR)proc);
    if (font)
        SendMessage(hDlg, WM_SETFONT, (WPARAM)font, FALSE);

    if (modal && parent) {
        HWND owner = GetWindow(hDlg, GW_OWNER);
        if (owner && IsWindowEnabled(owner)) {
            HWND focus = GetFocus();
            if (focus && (focus == owner || IsChild(owner, focus)))
                state->ownerFocus = focus;
            EnableWindow(owner, FALSE);
            state->ownerToEnable = owner;
        }
    }

    if (!CreateItems(hDlg, t, instance, font, units)) {
        if (state->ownerToEnable)
            EnableWindow(state->ownerToEnable, TRUE);
        DestroyWindow(hDlg);
        return nullptr;
    }

    // The template's default push button is the dialog's default until DM_SETDEFID says otherwise.
    for (HWND c = GetWindow(hDlg, GW_CHILD); c && !state->defId; c = GetWindow(c, GW_HWNDNEXT))
        if (DialogCode(c) & DLGC_DEFPUSHBUTTON)
            state->defId = (WORD)GetDlgCtrlID(c);

    HWND first = GetNextDlgTabItem(hDlg, nullptr, FALSE);
    LRESULT wantsFocus = SendMessage(hDlg, WM_INITDIALOG, (WPARAM)first, param);
    if (!IsWindow(hDlg))
        return nullptr;
    if (wantsFocus) {
        first = GetNextDlgTabItem(hDlg, nullptr, FALSE);
        if (first)
            DialogSetFocus(hDlg, first);
    } else {
        SaveDialogFocus(hDlg);
    }
    if (visible && !state->ended && !(GetWindowLong(hDlg, GWL_STYLE) & WS_VISIBLE)) {
        ShowWindow(hDlg, SW_SHOWNORMAL);
        UpdateWindow(hDlg);
    }
    return hDlg;
}

}  // namespace mivo

using namespace mivo;

HWND CreateDialogParam(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc,
                       LPARAM dwInitParam)
{
    const void* data = nullptr;
    size_t size = 0;
    HINSTANCE owner = hInstance;
    if (!FindDialogTemplate(hInstance, lpTemplateName, &data, &size, &owner))
        return nullptr;
    return CreateDialogFromTemplate(owner, data, size, hWndParent, lpDialogFunc, dwInitParam, false);
}

HWND CreateDialogIndirectParam(HINSTANCE hInstance, LPCDLGTEMPLATE lpTemplate, HWND hWndParent,
                               DLGPROC lpDialogFunc, LPARAM dwInitParam)
{
    return CreateDialogFromTemplate(hInstance, lpTemplate, kIndirectTemplateLimit, hWndParent, lpDialogFunc,
                                    dwInitParam, false);
}
