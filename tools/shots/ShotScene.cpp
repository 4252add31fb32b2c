// Shows a dialog with the standard controls in the states worth checking by eye
// (group box, scrolled list box, multi-line edit with both bars, indeterminate
// check box), then a message box with its third button as the default, and runs
// the command given in MIVO_SHOT_COMMAND at each of the two moments.
#include "ShotSupport.h"
#include <win32.h>
#include <mivo/testing/input.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const int kGroup = 100, kCheck = 101, kRadio1 = 102, kRadio2 = 103, kList = 104, kEdit = 105, kOk = IDOK;

HWND g_dialog = nullptr;
bool g_boxShot = false;

HWND Item(const char* cls, const char* text, DWORD style, int x, int y, int cx, int cy, int id, DWORD ex = 0)
{
    HWND h = CreateWindowEx(ex, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, cx, cy, g_dialog,
                            (HMENU)(UINT_PTR)id, nullptr, nullptr);
    SendMessage(h, WM_SETFONT, SendMessage(g_dialog, WM_GETFONT, 0, 0), FALSE);
    return h;
}

// The box is photographed a moment after its loop first goes idle, once the
// display has mapped and drawn it; Enter then answers it.
INT_PTR CALLBACK SceneProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const UINT_PTR kShotTimer = 1;
    static HWND box = nullptr;
    if (msg == WM_ENTERIDLE && !g_boxShot) {
        g_boxShot = true;
        box = (HWND)lParam;
        SetTimer(hDlg, kShotTimer, 1500, nullptr);
        return TRUE;
    }
    if (msg == WM_TIMER && wParam == kShotTimer) {
        KillTimer(hDlg, kShotTimer);
        Shoot("messagebox");
        SaveSurface(box, "messagebox-surface.ppm");
        keybd_event(VK_RETURN, 0, 0, 0);
        keybd_event(VK_RETURN, 0, KEYEVENTF_KEYUP, 0);
        return TRUE;
    }
    return FALSE;
}

// A minimal in-memory template: a captioned dialog in 굴림 9 pt with no items.
std::vector<WORD> SceneTemplate()
{
    std::vector<WORD> t;
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT | DS_MODALFRAME;
    t.push_back(LOWORD(style));
    t.push_back(HIWORD(style));
    t.push_back(0);
    t.push_back(0);
    t.push_back(0);  // no items
    t.push_back(10);
    t.push_back(10);
    t.push_back(280);
    t.push_back(190);
    t.push_back(0);  // menu
    t.push_back(0);  // class
    for (char16_t c : std::u16string(u"컨트롤 보기"))
        t.push_back((WORD)c);
    t.push_back(0);
    t.push_back(9);
    for (char16_t c : std::u16string(u"굴림"))
        t.push_back((WORD)c);
    t.push_back(0);
    return t;
}

}  // namespace

int main()
{
    std::vector<WORD> tmpl = SceneTemplate();
    g_dialog = CreateDialogIndirect(nullptr, (LPCDLGTEMPLATE)tmpl.data(), nullptr, SceneProc);
    if (!g_dialog)
        return 1;
    Item("Button", "보기 설정", BS_GROUPBOX, 10, 8, 200, 110, kGroup);
    HWND check = Item("Button", "세 가지 상태", BS_AUTO3STATE | WS_TABSTOP, 22, 30, 150, 20, kCheck);
    Item("Button", "작은 그림", BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 22, 56, 150, 20, kRadio1);
    Item("Button", "큰 그림", BS_AUTORADIOBUTTON, 22, 82, 150, 20, kRadio2);
    HWND list = Item("ListBox", "", WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY, 225, 12, 170, 106, kList, WS_EX_CLIENTEDGE);
    const char* cities[] = {"서울", "부산", "대구", "인천", "광주", "대전", "울산", "세종", "수원", "춘천"};
    for (const char* c : cities)
        SendMessage(list, LB_ADDSTRING, 0, (LPARAM)c);
    HWND edit = Item("Edit", "", ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
                     10, 130, 385, 100, kEdit, WS_EX_CLIENTEDGE);
    std::string text;
    for (int i = 1; i <= 12; ++i)
        text += std::to_string(i) + "번째 줄: 사진 앨범의 설명이 상자의 너비보다 길게, 오른쪽 끝을 넘어 이어집니다.\r\n";
    SetWindowText(edit, text.c_str());
    Item("Button", "확인", BS_DEFPUSHBUTTON | WS_TABSTOP, 320, 240, 75, 23, kOk);
    ShowWindow(g_dialog, SW_SHOW);
    SetForegroundWindow(g_dialog);
    Settle(g_dialog);

    // Reach the states as a user would: two clicks make the check box indeterminate,
    // the list scrolls by its bar, the edit scrolls sideways by its own.
    RECT r;
    GetWindowRect(check, &r);
    POINT p{r.left + 6, (r.top + r.bottom) / 2};
    for (int i = 0; i < 2; ++i) {
        mivo::InjectMouseMove(p);
        mivo::InjectMouseButton(p, mivo::MouseButton::Left, true);
        mivo::InjectMouseButton(p, mivo::MouseButton::Left, false);
        Settle(g_dialog);
    }
    SendMessage(list, LB_SETCURSEL, 4, 0);
    GetWindowRect(list, &r);
    POINT down{r.right - 10, r.bottom - 10};
    for (int i = 0; i < 3; ++i) {
        mivo::InjectMouseMove(down);
        mivo::InjectMouseButton(down, mivo::MouseButton::Left, true);
        mivo::InjectMouseButton(down, mivo::MouseButton::Left, false);
        Settle(g_dialog);
    }
    GetWindowRect(edit, &r);
    POINT right{r.right - 2 - GetSystemMetrics(SM_CXVSCROLL) - 8, r.bottom - 10};
    for (int i = 0; i < 6; ++i) {
        mivo::InjectMouseMove(right);
        mivo::InjectMouseButton(right, mivo::MouseButton::Left, true);
        mivo::InjectMouseButton(right, mivo::MouseButton::Left, false);
        Settle(g_dialog);
    }
    Shoot("dialog");

    MessageBox(g_dialog, "사진 3장을 앨범에서 지울까요?\n지운 사진은 휴지통으로 갑니다.", "사진 삭제",
               MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON3);
    Settle(g_dialog);
    DestroyWindow(g_dialog);
    return 0;
}
