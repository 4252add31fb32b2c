// Windows, window classes and message queues.
#pragma once

#include "win32/types.h"
#include "win32/messages.h"

typedef LRESULT(CALLBACK* WNDPROC)(HWND, UINT, WPARAM, LPARAM);
typedef void(CALLBACK* TIMERPROC)(HWND, UINT, UINT_PTR, DWORD);
typedef BOOL(CALLBACK* WNDENUMPROC)(HWND, LPARAM);
typedef void(CALLBACK* SENDASYNCPROC)(HWND, UINT, ULONG_PTR, LRESULT);
typedef BOOL(CALLBACK* PROPENUMPROC)(HWND, LPCSTR, HANDLE);

// Window styles.
#define WS_OVERLAPPED 0x00000000L
#define WS_POPUP 0x80000000L
#define WS_CHILD 0x40000000L
#define WS_MINIMIZE 0x20000000L
#define WS_VISIBLE 0x10000000L
#define WS_DISABLED 0x08000000L
#define WS_CLIPSIBLINGS 0x04000000L
#define WS_CLIPCHILDREN 0x02000000L
#define WS_MAXIMIZE 0x01000000L
#define WS_CAPTION 0x00C00000L
#define WS_BORDER 0x00800000L
#define WS_DLGFRAME 0x00400000L
#define WS_VSCROLL 0x00200000L
#define WS_HSCROLL 0x00100000L
#define WS_SYSMENU 0x00080000L
#define WS_THICKFRAME 0x00040000L
#define WS_GROUP 0x00020000L
#define WS_TABSTOP 0x00010000L
#define WS_MINIMIZEBOX 0x00020000L
#define WS_MAXIMIZEBOX 0x00010000L
#define WS_TILED WS_OVERLAPPED
#define WS_ICONIC WS_MINIMIZE
#define WS_SIZEBOX WS_THICKFRAME
#define WS_OVERLAPPEDWINDOW \
    (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)
#define WS_TILEDWINDOW WS_OVERLAPPEDWINDOW
#define WS_POPUPWINDOW (WS_POPUP | WS_BORDER | WS_SYSMENU)
#define WS_CHILDWINDOW WS_CHILD

#define WS_EX_DLGMODALFRAME 0x00000001L
#define WS_EX_NOPARENTNOTIFY 0x00000004L
#define WS_EX_TOPMOST 0x00000008L
#define WS_EX_ACCEPTFILES 0x00000010L
#define WS_EX_TRANSPARENT 0x00000020L
#define WS_EX_MDICHILD 0x00000040L
#define WS_EX_TOOLWINDOW 0x00000080L
#define WS_EX_WINDOWEDGE 0x00000100L
#define WS_EX_CLIENTEDGE 0x00000200L
#define WS_EX_CONTEXTHELP 0x00000400L
#define WS_EX_RIGHT 0x00001000L
#define WS_EX_LEFT 0x00000000L
#define WS_EX_RTLREADING 0x00002000L
#define WS_EX_LTRREADING 0x00000000L
#define WS_EX_LEFTSCROLLBAR 0x00004000L
#define WS_EX_RIGHTSCROLLBAR 0x00000000L
#define WS_EX_CONTROLPARENT 0x00010000L
#define WS_EX_STATICEDGE 0x00020000L
#define WS_EX_APPWINDOW 0x00040000L
#define WS_EX_LAYERED 0x00080000L
#define WS_EX_NOINHERITLAYOUT 0x00100000L
#define WS_EX_LAYOUTRTL 0x00400000L
#define WS_EX_COMPOSITED 0x02000000L
#define WS_EX_NOACTIVATE 0x08000000L
#define WS_EX_OVERLAPPEDWINDOW (WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE)
#define WS_EX_PALETTEWINDOW (WS_EX_WINDOWEDGE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST)

// Class styles.
#define CS_VREDRAW 0x0001
#define CS_HREDRAW 0x0002
#define CS_DBLCLKS 0x0008
#define CS_OWNDC 0x0020
#define CS_CLASSDC 0x0040
#define CS_PARENTDC 0x0080
#define CS_NOCLOSE 0x0200
#define CS_SAVEBITS 0x0800
#define CS_BYTEALIGNCLIENT 0x1000
#define CS_BYTEALIGNWINDOW 0x2000
#define CS_GLOBALCLASS 0x4000
#define CS_DROPSHADOW 0x00020000

#define CW_USEDEFAULT ((int)0x80000000)

// ShowWindow commands.
#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_NORMAL 1
#define SW_SHOWMINIMIZED 2
#define SW_SHOWMAXIMIZED 3
#define SW_MAXIMIZE 3
#define SW_SHOWNOACTIVATE 4
#define SW_SHOW 5
#define SW_MINIMIZE 6
#define SW_SHOWMINNOACTIVE 7
#define SW_SHOWNA 8
#define SW_RESTORE 9
#define SW_SHOWDEFAULT 10
#define SW_FORCEMINIMIZE 11
#define SW_MAX 11

// SetWindowPos.
#define SWP_NOSIZE 0x0001
#define SWP_NOMOVE 0x0002
#define SWP_NOZORDER 0x0004
#define SWP_NOREDRAW 0x0008
#define SWP_NOACTIVATE 0x0010
#define SWP_FRAMECHANGED 0x0020
#define SWP_SHOWWINDOW 0x0040
#define SWP_HIDEWINDOW 0x0080
#define SWP_NOCOPYBITS 0x0100
#define SWP_NOOWNERZORDER 0x0200
#define SWP_NOSENDCHANGING 0x0400
#define SWP_DRAWFRAME SWP_FRAMECHANGED
#define SWP_NOREPOSITION SWP_NOOWNERZORDER
#define SWP_DEFERERASE 0x2000
#define SWP_ASYNCWINDOWPOS 0x4000

#define HWND_TOP ((HWND)0)
#define HWND_BOTTOM ((HWND)1)
#define HWND_TOPMOST ((HWND)-1)
#define HWND_NOTOPMOST ((HWND)-2)
#define HWND_MESSAGE ((HWND)-3)
#define HWND_BROADCAST ((HWND)0xffff)
#define HWND_DESKTOP ((HWND)0)

// Window and class long values.
#define GWL_WNDPROC (-4)
#define GWL_HINSTANCE (-6)
#define GWL_HWNDPARENT (-8)
#define GWL_STYLE (-16)
#define GWL_EXSTYLE (-20)
#define GWL_USERDATA (-21)
#define GWL_ID (-12)
#define GWLP_WNDPROC (-4)
#define GWLP_HINSTANCE (-6)
#define GWLP_HWNDPARENT (-8)
#define GWLP_USERDATA (-21)
#define GWLP_ID (-12)
#define DWLP_MSGRESULT 0
#define DWLP_DLGPROC 8
#define DWLP_USER 16
#define DWL_MSGRESULT DWLP_MSGRESULT
#define DWL_DLGPROC DWLP_DLGPROC
#define DWL_USER DWLP_USER

#define GCL_MENUNAME (-8)
#define GCL_HBRBACKGROUND (-10)
#define GCL_HCURSOR (-12)
#define GCL_HICON (-14)
#define GCL_HMODULE (-16)
#define GCL_CBWNDEXTRA (-18)
#define GCL_CBCLSEXTRA (-20)
#define GCL_WNDPROC (-24)
#define GCL_STYLE (-26)
#define GCW_ATOM (-32)
#define GCL_HICONSM (-34)
#define GCLP_MENUNAME GCL_MENUNAME
#define GCLP_HBRBACKGROUND GCL_HBRBACKGROUND
#define GCLP_HCURSOR GCL_HCURSOR
#define GCLP_HICON GCL_HICON
#define GCLP_HMODULE GCL_HMODULE
#define GCLP_WNDPROC GCL_WNDPROC
#define GCLP_HICONSM GCL_HICONSM

// GetWindow relations.
#define GW_HWNDFIRST 0
#define GW_HWNDLAST 1
#define GW_HWNDNEXT 2
#define GW_HWNDPREV 3
#define GW_OWNER 4
#define GW_CHILD 5
#define GW_ENABLEDPOPUP 6
#define GA_PARENT 1
#define GA_ROOT 2
#define GA_ROOTOWNER 3

// PeekMessage.
#define PM_NOREMOVE 0x0000
#define PM_REMOVE 0x0001
#define PM_NOYIELD 0x0002
#define QS_KEY 0x0001
#define QS_MOUSEMOVE 0x0002
#define QS_MOUSEBUTTON 0x0004
#define QS_POSTMESSAGE 0x0008
#define QS_TIMER 0x0010
#define QS_PAINT 0x0020
#define QS_SENDMESSAGE 0x0040
#define QS_HOTKEY 0x0080
#define QS_ALLPOSTMESSAGE 0x0100
#define QS_MOUSE (QS_MOUSEMOVE | QS_MOUSEBUTTON)
#define QS_INPUT (QS_MOUSE | QS_KEY)
#define QS_ALLEVENTS (QS_INPUT | QS_POSTMESSAGE | QS_TIMER | QS_PAINT | QS_HOTKEY)
#define QS_ALLINPUT (QS_INPUT | QS_POSTMESSAGE | QS_TIMER | QS_PAINT | QS_HOTKEY | QS_SENDMESSAGE)
#define PM_QS_INPUT (QS_INPUT << 16)
#define PM_QS_POSTMESSAGE ((QS_POSTMESSAGE | QS_HOTKEY | QS_TIMER) << 16)
#define PM_QS_PAINT (QS_PAINT << 16)
#define PM_QS_SENDMESSAGE (QS_SENDMESSAGE << 16)

// SendMessageTimeout.
#define SMTO_NORMAL 0x0000
#define SMTO_BLOCK 0x0001
#define SMTO_ABORTIFHUNG 0x0002
#define SMTO_NOTIMEOUTIFNOTHUNG 0x0008

// InSendMessageEx.
#define ISMEX_NOSEND 0x00000000
#define ISMEX_SEND 0x00000001
#define ISMEX_NOTIFY 0x00000002
#define ISMEX_CALLBACK 0x00000004
#define ISMEX_REPLIED 0x00000008

// MsgWaitForMultipleObjectsEx.
#define MWMO_WAITALL 0x0001
#define MWMO_ALERTABLE 0x0002
#define MWMO_INPUTAVAILABLE 0x0004

typedef struct tagMSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
} MSG, *PMSG, *LPMSG, *NPMSG;

typedef struct tagWNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
} WNDCLASSA, *PWNDCLASSA, *LPWNDCLASSA;
typedef WNDCLASSA WNDCLASS;
typedef WNDCLASSA* LPWNDCLASS;
typedef WNDCLASSA* PWNDCLASS;

typedef struct tagWNDCLASSEXA {
    UINT cbSize;
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
    HICON hIconSm;
} WNDCLASSEXA, *PWNDCLASSEXA, *LPWNDCLASSEXA;
typedef WNDCLASSEXA WNDCLASSEX;
typedef WNDCLASSEXA* LPWNDCLASSEX;
typedef WNDCLASSEXA* PWNDCLASSEX;

typedef struct tagCREATESTRUCTA {
    LPVOID lpCreateParams;
    HINSTANCE hInstance;
    HMENU hMenu;
    HWND hwndParent;
    int cy;
    int cx;
    int y;
    int x;
    LONG style;
    LPCSTR lpszName;
    LPCSTR lpszClass;
    DWORD dwExStyle;
} CREATESTRUCTA, *LPCREATESTRUCTA;
typedef CREATESTRUCTA CREATESTRUCT;
typedef CREATESTRUCTA* LPCREATESTRUCT;

// Window classes.
ATOM RegisterClass(const WNDCLASSA* lpWndClass);
ATOM RegisterClassEx(const WNDCLASSEXA* lpWndClass);
BOOL UnregisterClass(LPCSTR lpClassName, HINSTANCE hInstance);
BOOL GetClassInfo(HINSTANCE hInstance, LPCSTR lpClassName, LPWNDCLASSA lpWndClass);
BOOL GetClassInfoEx(HINSTANCE hInstance, LPCSTR lpszClass, LPWNDCLASSEXA lpwcx);
int GetClassName(HWND hWnd, LPSTR lpClassName, int nMaxCount);
DWORD GetClassLong(HWND hWnd, int nIndex);
ULONG_PTR GetClassLongPtr(HWND hWnd, int nIndex);
DWORD SetClassLong(HWND hWnd, int nIndex, LONG dwNewLong);
ULONG_PTR SetClassLongPtr(HWND hWnd, int nIndex, LONG_PTR dwNewLong);
inline ATOM RegisterClassA(const WNDCLASSA* c) { return RegisterClass(c); }
inline ATOM RegisterClassExA(const WNDCLASSEXA* c) { return RegisterClassEx(c); }
inline BOOL UnregisterClassA(LPCSTR n, HINSTANCE h) { return UnregisterClass(n, h); }
inline BOOL GetClassInfoA(HINSTANCE h, LPCSTR n, LPWNDCLASSA c) { return GetClassInfo(h, n, c); }
inline BOOL GetClassInfoExA(HINSTANCE h, LPCSTR n, LPWNDCLASSEXA c) { return GetClassInfoEx(h, n, c); }
inline int GetClassNameA(HWND h, LPSTR s, int n) { return GetClassName(h, s, n); }

// Creating and destroying windows.
HWND CreateWindowEx(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X, int Y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance, LPVOID lpParam);
inline HWND CreateWindowExA(DWORD ex, LPCSTR cls, LPCSTR name, DWORD style, int x, int y, int w, int h, HWND parent,
                            HMENU menu, HINSTANCE inst, LPVOID param)
{
    return CreateWindowEx(ex, cls, name, style, x, y, w, h, parent, menu, inst, param);
}
inline HWND CreateWindow(LPCSTR cls, LPCSTR name, DWORD style, int x, int y, int w, int h, HWND parent, HMENU menu,
                         HINSTANCE inst, LPVOID param)
{
    return CreateWindowEx(0, cls, name, style, x, y, w, h, parent, menu, inst, param);
}
inline HWND CreateWindowA(LPCSTR cls, LPCSTR name, DWORD style, int x, int y, int w, int h, HWND parent, HMENU menu,
                          HINSTANCE inst, LPVOID param)
{
    return CreateWindowEx(0, cls, name, style, x, y, w, h, parent, menu, inst, param);
}
BOOL DestroyWindow(HWND hWnd);

// Window state and relations.
BOOL IsWindow(HWND hWnd);
BOOL IsChild(HWND hWndParent, HWND hWnd);
BOOL IsWindowVisible(HWND hWnd);
BOOL IsWindowEnabled(HWND hWnd);
BOOL IsIconic(HWND hWnd);
BOOL IsZoomed(HWND hWnd);
BOOL EnableWindow(HWND hWnd, BOOL bEnable);
HWND GetParent(HWND hWnd);
HWND SetParent(HWND hWndChild, HWND hWndNewParent);
HWND GetAncestor(HWND hwnd, UINT gaFlags);
HWND GetWindow(HWND hWnd, UINT uCmd);
HWND GetTopWindow(HWND hWnd);
HWND GetLastActivePopup(HWND hWnd);
HWND GetNextWindow(HWND hWnd, UINT wCmd);
HWND GetDesktopWindow();
HWND GetDlgItem(HWND hDlg, int nIDDlgItem);
int GetDlgCtrlID(HWND hWnd);
int SetDlgCtrlID(HWND hWnd, int nID);
DWORD GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId);
HWND FindWindow(LPCSTR lpClassName, LPCSTR lpWindowName);
HWND FindWindowEx(HWND hWndParent, HWND hWndChildAfter, LPCSTR lpszClass, LPCSTR lpszWindow);
inline HWND FindWindowA(LPCSTR c, LPCSTR w) { return FindWindow(c, w); }
inline HWND FindWindowExA(HWND p, HWND a, LPCSTR c, LPCSTR w) { return FindWindowEx(p, a, c, w); }
BOOL EnumWindows(WNDENUMPROC lpEnumFunc, LPARAM lParam);
BOOL EnumChildWindows(HWND hWndParent, WNDENUMPROC lpEnumFunc, LPARAM lParam);
BOOL EnumThreadWindows(DWORD dwThreadId, WNDENUMPROC lpfn, LPARAM lParam);

// The menu bar of a top-level window (the menus draw it through the window manager's hook).
HMENU GetMenu(HWND hWnd);
BOOL SetMenu(HWND hWnd, HMENU hMenu);
BOOL DrawMenuBar(HWND hWnd);

// Window data.
LONG GetWindowLong(HWND hWnd, int nIndex);
LONG SetWindowLong(HWND hWnd, int nIndex, LONG dwNewLong);
LONG_PTR GetWindowLongPtr(HWND hWnd, int nIndex);
LONG_PTR SetWindowLongPtr(HWND hWnd, int nIndex, LONG_PTR dwNewLong);
WORD GetWindowWord(HWND hWnd, int nIndex);
WORD SetWindowWord(HWND hWnd, int nIndex, WORD wNewWord);
inline LONG GetWindowLongA(HWND h, int i) { return GetWindowLong(h, i); }
inline LONG SetWindowLongA(HWND h, int i, LONG v) { return SetWindowLong(h, i, v); }
inline LONG_PTR GetWindowLongPtrA(HWND h, int i) { return GetWindowLongPtr(h, i); }
inline LONG_PTR SetWindowLongPtrA(HWND h, int i, LONG_PTR v) { return SetWindowLongPtr(h, i, v); }
BOOL SetProp(HWND hWnd, LPCSTR lpString, HANDLE hData);
HANDLE GetProp(HWND hWnd, LPCSTR lpString);
HANDLE RemoveProp(HWND hWnd, LPCSTR lpString);
int EnumProps(HWND hWnd, PROPENUMPROC lpEnumFunc);
inline BOOL SetPropA(HWND h, LPCSTR s, HANDLE d) { return SetProp(h, s, d); }
inline HANDLE GetPropA(HWND h, LPCSTR s) { return GetProp(h, s); }
inline HANDLE RemovePropA(HWND h, LPCSTR s) { return RemoveProp(h, s); }

// Window text.
BOOL SetWindowText(HWND hWnd, LPCSTR lpString);
int GetWindowText(HWND hWnd, LPSTR lpString, int nMaxCount);
int GetWindowTextLength(HWND hWnd);
inline BOOL SetWindowTextA(HWND h, LPCSTR s) { return SetWindowText(h, s); }
inline int GetWindowTextA(HWND h, LPSTR s, int n) { return GetWindowText(h, s, n); }
inline int GetWindowTextLengthA(HWND h) { return GetWindowTextLength(h); }
BOOL SetDlgItemText(HWND hDlg, int nIDDlgItem, LPCSTR lpString);
UINT GetDlgItemText(HWND hDlg, int nIDDlgItem, LPSTR lpString, int cchMax);
inline BOOL SetDlgItemTextA(HWND h, int i, LPCSTR s) { return SetDlgItemText(h, i, s); }
inline UINT GetDlgItemTextA(HWND h, int i, LPSTR s, int n) { return GetDlgItemText(h, i, s, n); }
LRESULT SendDlgItemMessage(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam);
inline LRESULT SendDlgItemMessageA(HWND h, int i, UINT m, WPARAM w, LPARAM l)
{
    return SendDlgItemMessage(h, i, m, w, l);
}

// Window procedures.
LRESULT DefWindowProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProc(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
inline LRESULT DefWindowProcA(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }
inline LRESULT CallWindowProcA(WNDPROC p, HWND h, UINT m, WPARAM w, LPARAM l) { return CallWindowProc(p, h, m, w, l); }

// Messages.
LRESULT SendMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
LRESULT SendMessageTimeout(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam, UINT fuFlags, UINT uTimeout,
                           DWORD_PTR* lpdwResult);
BOOL SendNotifyMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
BOOL SendMessageCallback(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam, SENDASYNCPROC lpResultCallBack,
                         ULONG_PTR dwData);
BOOL PostMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
BOOL PostThreadMessage(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int nExitCode);
BOOL GetMessage(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax);
BOOL PeekMessage(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg);
BOOL TranslateMessage(const MSG* lpMsg);
LRESULT DispatchMessage(const MSG* lpMsg);
BOOL WaitMessage();
DWORD GetQueueStatus(UINT flags);
BOOL GetInputState();
LONG GetMessageTime();
DWORD GetMessagePos();
LPARAM GetMessageExtraInfo();
BOOL InSendMessage();
DWORD InSendMessageEx(LPVOID lpReserved);
BOOL ReplyMessage(LRESULT lResult);
UINT RegisterWindowMessage(LPCSTR lpString);
inline LRESULT SendMessageA(HWND h, UINT m, WPARAM w, LPARAM l) { return SendMessage(h, m, w, l); }
inline LRESULT SendMessageTimeoutA(HWND h, UINT m, WPARAM w, LPARAM l, UINT f, UINT t, DWORD_PTR* r)
{
    return SendMessageTimeout(h, m, w, l, f, t, r);
}
inline BOOL SendNotifyMessageA(HWND h, UINT m, WPARAM w, LPARAM l) { return SendNotifyMessage(h, m, w, l); }
inline BOOL PostMessageA(HWND h, UINT m, WPARAM w, LPARAM l) { return PostMessage(h, m, w, l); }
inline BOOL PostThreadMessageA(DWORD t, UINT m, WPARAM w, LPARAM l) { return PostThreadMessage(t, m, w, l); }
inline BOOL GetMessageA(LPMSG m, HWND h, UINT a, UINT b) { return GetMessage(m, h, a, b); }
inline BOOL PeekMessageA(LPMSG m, HWND h, UINT a, UINT b, UINT r) { return PeekMessage(m, h, a, b, r); }
inline LRESULT DispatchMessageA(const MSG* m) { return DispatchMessage(m); }
inline UINT RegisterWindowMessageA(LPCSTR s) { return RegisterWindowMessage(s); }

// Timers.
UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc);
BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent);

// Position, size and visibility.
typedef struct tagWINDOWPLACEMENT {
    UINT length;
    UINT flags;
    UINT showCmd;
    POINT ptMinPosition;
    POINT ptMaxPosition;
    RECT rcNormalPosition;
} WINDOWPLACEMENT, *PWINDOWPLACEMENT, *LPWINDOWPLACEMENT;
#define WPF_SETMINPOSITION 0x0001
#define WPF_RESTORETOMAXIMIZED 0x0002
#define WPF_ASYNCWINDOWPLACEMENT 0x0004

typedef HANDLE HDWP;

BOOL ShowWindow(HWND hWnd, int nCmdShow);
BOOL ShowWindowAsync(HWND hWnd, int nCmdShow);
BOOL ShowOwnedPopups(HWND hWnd, BOOL fShow);
BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags);
BOOL MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint);
BOOL BringWindowToTop(HWND hWnd);
BOOL GetWindowRect(HWND hWnd, LPRECT lpRect);
BOOL GetClientRect(HWND hWnd, LPRECT lpRect);
BOOL ClientToScreen(HWND hWnd, LPPOINT lpPoint);
BOOL ScreenToClient(HWND hWnd, LPPOINT lpPoint);
int MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints);
BOOL AdjustWindowRect(LPRECT lpRect, DWORD dwStyle, BOOL bMenu);
BOOL AdjustWindowRectEx(LPRECT lpRect, DWORD dwStyle, BOOL bMenu, DWORD dwExStyle);
BOOL GetWindowPlacement(HWND hWnd, WINDOWPLACEMENT* lpwndpl);
BOOL SetWindowPlacement(HWND hWnd, const WINDOWPLACEMENT* lpwndpl);
BOOL OpenIcon(HWND hWnd);
BOOL CloseWindow(HWND hWnd);
HDWP BeginDeferWindowPos(int nNumWindows);
HDWP DeferWindowPos(HDWP hWinPosInfo, HWND hWnd, HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT uFlags);
BOOL EndDeferWindowPos(HDWP hWinPosInfo);
HWND WindowFromPoint(POINT Point);
HWND ChildWindowFromPoint(HWND hWndParent, POINT Point);
HWND ChildWindowFromPointEx(HWND hwnd, POINT pt, UINT flags);
HWND RealChildWindowFromPoint(HWND hwndParent, POINT ptParentClientCoords);
#define CWP_ALL 0x0000
#define CWP_SKIPINVISIBLE 0x0001
#define CWP_SKIPDISABLED 0x0002
#define CWP_SKIPTRANSPARENT 0x0004

// Waiting for handles and for messages at once.
DWORD MsgWaitForMultipleObjects(DWORD nCount, const HANDLE* pHandles, BOOL fWaitAll, DWORD dwMilliseconds,
                                DWORD dwWakeMask);
DWORD MsgWaitForMultipleObjectsEx(DWORD nCount, const HANDLE* pHandles, DWORD dwMilliseconds, DWORD dwWakeMask,
                                  DWORD dwFlags);
