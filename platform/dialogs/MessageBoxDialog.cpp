// The message box as a dialog: icon, text, the MB_ button set, the default
// button, and the Windows answers. A box asked for on a thread without
// windows runs on the thread of the user interface while the caller waits.
#include "dialogs/DialogInternal.h"
#include "win32/codepage.h"
#include "win32/controls.h"
#include "win32/cursors.h"
#include "win32/input.h"
#include "win32/msgbox.h"
#include "win32/procapi.h"
#include "win32/sync.h"
#include "win32/usersys.h"
#include "dialogs/MessageBoxPresenter.h"
#include "user/OwnerThread.h"
#include "mivo/codepage.h"
#include "mivo/testing/msgbox.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace mivo {

namespace {

const int kTextId = 0xFFFF;
const int kIconId = 20;
const int kMargin = 11;
const int kButtonWidth = 75;
const int kButtonHeight = 23;
const int kButtonGap = 6;

std::atomic<bool> g_showWithoutScreen{false};
std::atomic<bool> g_answerUnseen{false};

struct ButtonSpec {
    int id;
    const char16_t* label;
};

std::vector<ButtonSpec> ButtonsFor(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{IDOK, u"확인"}, {IDCANCEL, u"취소"}};
    case MB_ABORTRETRYIGNORE: return {{IDABORT, u"중단(&A)"}, {IDRETRY, u"다시 시도(&R)"}, {IDIGNORE, u"무시(&I)"}};
    case MB_YESNOCANCEL: return {{IDYES, u"예(&Y)"}, {IDNO, u"아니요(&N)"}, {IDCANCEL, u"취소"}};
    case MB_YESNO: return {{IDYES, u"예(&Y)"}, {IDNO, u"아니요(&N)"}};
    case MB_RETRYCANCEL: return {{IDRETRY, u"다시 시도(&R)"}, {IDCANCEL, u"취소"}};
    }
    return {{IDOK, u"확인"}};
}

LPCSTR IconFor(UINT type)
{
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND: return IDI_HAND;
    case MB_ICONQUESTION: return IDI_QUESTION;
    case MB_ICONEXCLAMATION: return IDI_EXCLAMATION;
    case MB_ICONASTERISK: return IDI_ASTERISK;
    }
    return nullptr;
}

// A person can see the screen: not the offscreen platform of tests and batch runs.
bool ScreenIsSeen()
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    return !(platform && std::strcmp(platform, "offscreen") == 0);
}

// --- the template

void Put16(std::vector<BYTE>& out, WORD v)
{
    out.push_back((BYTE)v);
    out.push_back((BYTE)(v >> 8));
}

void Put32(std::vector<BYTE>& out, DWORD v)
{
    Put16(out, (WORD)v);
    Put16(out, (WORD)(v >> 16));
}

void PutText(std::vector<BYTE>& out, const std::u16string& s)
{
    for (char16_t c : s)
        Put16(out, (WORD)c);
    Put16(out, 0);
}

void PutItem(std::vector<BYTE>& out, DWORD style, WORD atom, const std::u16string& text, DWORD id)
{
    while (out.size() % 4)
        out.push_back(0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, style | WS_CHILD | WS_VISIBLE);
    for (int i = 0; i < 4; ++i)
        Put16(out, 0);  // placed in pixels once the font is known
    Put32(out, id);
    Put16(out, 0xFFFF);
    Put16(out, atom);
    PutText(out, text);
    Put16(out, 0);
}

// Everything but the layout; WM_INITDIALOG measures and places.
std::vector<BYTE> BuildTemplate(const char* caption, UINT type)
{
    std::vector<ButtonSpec> buttons = ButtonsFor(type);
    bool hasIcon = IconFor(type) != nullptr;
    UINT kind = type & MB_TYPEMASK;
    // Only boxes that can be cancelled (or that only inform) close from the frame.
    bool closable = kind == MB_OK || kind == MB_OKCANCEL || kind == MB_YESNOCANCEL || kind == MB_RETRYCANCEL;
    DWORD style = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT | DS_CENTER;
    if (closable)
        style |= WS_SYSMENU;
    DWORD exStyle = (type & (MB_SYSTEMMODAL | MB_TOPMOST)) ? WS_EX_TOPMOST : 0;
    std::vector<BYTE> out;
    Put16(out, 1);
    Put16(out, 0xFFFF);
    Put32(out, 0);
    Put32(out, exStyle);
    Put32(out, style);
    Put16(out, (WORD)(buttons.size() + 1 + (hasIcon ? 1 : 0)));
    for (int i = 0; i < 4; ++i)
        Put16(out, 0);
    Put16(out, 0);
    Put16(out, 0);
    PutText(out, AnsiToUtf16(caption));
    Put16(out, 9);
    Put16(out, FW_NORMAL);
    out.push_back(0);
    out.push_back(HANGUL_CHARSET);
    PutText(out, u"굴림");
    if (hasIcon)
        PutItem(out, SS_ICON, 0x0082, u"", kIconId);
    PutItem(out, SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL, 0x0082, u"", kTextId);
    UINT defIndex = (type & MB_DEFMASK) >> 8;
    if (defIndex >= buttons.size())
        defIndex = 0;
    for (size_t i = 0; i < buttons.size(); ++i) {
        DWORD bs = (i == defIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP | (i == 0 ? WS_GROUP : 0);
        PutItem(out, bs, 0x0080, buttons[i].label, (DWORD)buttons[i].id);
    }
    return out;
}

// --- the dialog

struct BoxData {
    const char* text;
    UINT type;
};

SIZE MeasureText(HWND hDlg, const char* text, int maxWidth)
{
    HDC dc = GetDC(hDlg);
    HGDIOBJ old = SelectObject(dc, (HFONT)SendMessage(hDlg, WM_GETFONT, 0, 0));
    RECT rc = {0, 0, maxWidth, 0};
    DrawText(dc, text, -1, &rc, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL);
    SelectObject(dc, old);
    ReleaseDC(hDlg, dc);
    return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

void LayOut(HWND hDlg, const BoxData& box)
{
    std::vector<ButtonSpec> buttons = ButtonsFor(box.type);
    bool hasIcon = IconFor(box.type) != nullptr;
    int iconSize = GetSystemMetrics(SM_CXICON);
    int maxText = std::max(200, GetSystemMetrics(SM_CXSCREEN) * 5 / 8);
    SIZE text = MeasureText(hDlg, box.text, maxText);
    int textLeft = kMargin + (hasIcon ? iconSize + kMargin : 0);
    int top = kMargin;
    int bodyHeight = std::max((int)text.cy, hasIcon ? iconSize : 0);
    int textTop = top + (bodyHeight - text.cy) / 2;
    int buttonsWidth = (int)buttons.size() * kButtonWidth + ((int)buttons.size() - 1) * kButtonGap;
    int width = std::max(textLeft + (int)text.cx + kMargin, buttonsWidth + 2 * kMargin);
    int buttonTop = top + bodyHeight + kMargin + 4;
    int height = buttonTop + kButtonHeight + kMargin;

    if (hasIcon) {
        HWND icon = GetDlgItem(hDlg, kIconId);
        SendMessage(icon, STM_SETICON, (WPARAM)LoadIcon(nullptr, IconFor(box.type)), 0);
        MoveWindow(icon, kMargin, top, iconSize, iconSize, FALSE);
    }
    HWND label = GetDlgItem(hDlg, kTextId);
    SetWindowText(label, box.text);
    MoveWindow(label, textLeft, textTop, text.cx + 1, text.cy, FALSE);
    int x = (width - buttonsWidth) / 2;
    for (const ButtonSpec& b : buttons) {
        MoveWindow(GetDlgItem(hDlg, b.id), x, buttonTop, kButtonWidth, kButtonHeight, FALSE);
        x += kButtonWidth + kButtonGap;
    }

    RECT frame = {0, 0, width, height};
    AdjustWindowRectEx(&frame, (DWORD)GetWindowLong(hDlg, GWL_STYLE), FALSE, (DWORD)GetWindowLong(hDlg, GWL_EXSTYLE));
    int w = frame.right - frame.left, h = frame.bottom - frame.top;
    RECT around = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    HWND owner = GetWindow(hDlg, GW_OWNER);
    if (owner && IsWindowVisible(owner) && !IsIconic(owner))
        GetWindowRect(owner, &around);
    int left = std::max(0, (int)(around.left + around.right - w) / 2);
    int topPos = std::max(0, (int)(around.top + around.bottom - h) / 2);
    SetWindowPos(hDlg, nullptr, left, topPos, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool HasButton(UINT type, int id)
{
    for (const ButtonSpec& b : ButtonsFor(type))
        if (b.id == id)
            return true;
    return false;
}

INT_PTR CALLBACK BoxProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG: {
        auto* box = (BoxData*)lParam;
        SetWindowLongPtr(hDlg, DWLP_USER, (LONG_PTR)box->type);
        LayOut(hDlg, *box);
        std::vector<ButtonSpec> buttons = ButtonsFor(box->type);
        UINT defIndex = (box->type & MB_DEFMASK) >> 8;
        if (defIndex >= buttons.size())
            defIndex = 0;
        SendMessage(hDlg, DM_SETDEFID, (WPARAM)buttons[defIndex].id, 0);
        // Through the dialog manager, so the default frame moves with the focus.
        SendMessage(hDlg, WM_NEXTDLGCTL, (WPARAM)GetDlgItem(hDlg, buttons[defIndex].id), TRUE);
        if (box->type & MB_SETFOREGROUND)
            SetForegroundWindow(hDlg);
        MessageBeep(box->type & MB_ICONMASK);
        return FALSE;
    }
    case WM_COMMAND: {
        UINT type = (UINT)GetWindowLongPtr(hDlg, DWLP_USER);
        int id = LOWORD(wParam);
        if (HIWORD(wParam) != BN_CLICKED)
            return FALSE;
        if (id == IDCANCEL && !HasButton(type, IDCANCEL)) {
            // Escape or the close box: a box with one OK button answers OK, the others wait for a choice.
            if ((type & MB_TYPEMASK) == MB_OK)
                EndDialog(hDlg, IDOK);
            return TRUE;
        }
        if (HasButton(type, id))
            EndDialog(hDlg, id);
        return TRUE;
    }
    }
    return FALSE;
}

int RunBox(HWND owner, const char* text, const char* caption, UINT type)
{
    std::vector<BYTE> bytes = BuildTemplate(caption, type);
    std::vector<DWORD> aligned((bytes.size() + 3) / 4, 0);
    std::memcpy(aligned.data(), bytes.data(), bytes.size());
    BoxData box = {text, type};
    // A task-modal box without an owner holds every window of the thread.
    std::vector<HWND> disabled;
    if (!owner && (type & MB_TASKMODAL)) {
        EnumThreadWindows(GetCurrentThreadId(), [](HWND h, LPARAM l) -> BOOL {
            if (IsWindowEnabled(h) && IsWindowVisible(h)) {
                ((std::vector<HWND>*)l)->push_back(h);
                EnableWindow(h, FALSE);
            }
            return TRUE;
        }, (LPARAM)&disabled);
    }
    INT_PTR r = DialogBoxIndirectParam(nullptr, (LPCDLGTEMPLATE)aligned.data(), owner, BoxProc, (LPARAM)&box);
    for (HWND h : disabled)
        if (IsWindow(h))
            EnableWindow(h, TRUE);
    if (r <= 0)
        return DefaultMessageBoxAnswer(type);
    return (int)r;
}

// A window on the thread that runs the user interface, for a caller without windows.
HWND UserInterfaceWindow()
{
    if (HWND fg = GetForegroundWindow())
        return fg;
    HWND found = nullptr;
    EnumWindows([](HWND h, LPARAM l) -> BOOL {
        if (IsWindowVisible(h)) {
            *(HWND*)l = h;
            return FALSE;
        }
        return TRUE;
    }, (LPARAM)&found);
    return found;
}

// A thread that shows windows runs its own boxes; a worker asks the interface thread.
bool ThreadOwnsWindows()
{
    bool any = false;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND, LPARAM l) -> BOOL {
        *(bool*)l = true;
        return FALSE;
    }, (LPARAM)&any);
    return any;
}

int Present(HWND owner, const char* text, const char* caption, UINT type)
{
    if (g_answerUnseen || (!ScreenIsSeen() && !g_showWithoutScreen)) {
        std::fprintf(stderr, "[%s] %s\n", ToUtf8(caption).c_str(), ToUtf8(text).c_str());
        return DefaultMessageBoxAnswer(type);
    }
    if (owner && !IsWindow(owner))
        owner = nullptr;
    HWND home = owner;
    if (!home && !ThreadOwnsWindows())
        home = UserInterfaceWindow();
    if (!home || GetWindowThreadProcessId(home, nullptr) == GetCurrentThreadId())
        return RunBox(owner, text, caption, type);
    // Text and caption live in the caller's frame, which waits for the answer.
    LRESULT answer = RunOnOwnerThread(home, [&]() -> LRESULT {
        return RunBox(owner && IsWindow(owner) ? owner : nullptr, text, caption, type);
    });
    return answer ? (int)answer : DefaultMessageBoxAnswer(type);
}

struct PresenterRegistrar {
    PresenterRegistrar() { SetMessageBoxPresenter(Present); }
};

PresenterRegistrar registrar;

}  // namespace

void ShowMessageBoxesWithoutScreen(bool show)
{
    g_showWithoutScreen = show;
}

void AnswerMessageBoxesUnseen(bool unseen)
{
    g_answerUnseen = unseen;
}

}  // namespace mivo
