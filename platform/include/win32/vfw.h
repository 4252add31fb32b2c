// The MCI window ("MCIWndClass"): a window that plays a sound file on its own thread.
#pragma once

#include "win32/types.h"
#include "win32/messages.h"
#include "win32/mmsystem.h"

#define MCIWND_WINDOW_CLASS "MCIWndClass"

#define MCIWNDF_NOAUTOSIZEWINDOW 0x0001
#define MCIWNDF_NOPLAYBAR 0x0002
#define MCIWNDF_NOAUTOSIZEMOVIE 0x0004
#define MCIWNDF_NOMENU 0x0008
#define MCIWNDF_SHOWNAME 0x0010
#define MCIWNDF_SHOWPOS 0x0020
#define MCIWNDF_SHOWMODE 0x0040
#define MCIWNDF_SHOWALL 0x0070
#define MCIWNDF_NOTIFYMODE 0x0100
#define MCIWNDF_NOTIFYPOS 0x0200
#define MCIWNDF_NOTIFYSIZE 0x0400
#define MCIWNDF_NOTIFYERROR 0x1000
#define MCIWNDF_NOERRORDLG 0x4000

#define MCIWNDM_GETDEVICEID (WM_USER + 100)
#define MCIWNDM_GETPOSITIONA (WM_USER + 102)
#define MCIWNDM_GETSTART (WM_USER + 103)
#define MCIWNDM_GETLENGTH (WM_USER + 104)
#define MCIWNDM_GETEND (WM_USER + 105)
#define MCIWNDM_GETMODEA (WM_USER + 106)
#define MCIWNDM_SETTIMEFORMATA (WM_USER + 119)
#define MCIWNDM_GETTIMEFORMATA (WM_USER + 120)
#define MCIWNDM_OPENA (WM_USER + 153)
#define MCIWNDM_GETPOSITION MCIWNDM_GETPOSITIONA
#define MCIWNDM_GETMODE MCIWNDM_GETMODEA
#define MCIWNDM_SETTIMEFORMAT MCIWNDM_SETTIMEFORMATA
#define MCIWNDM_GETTIMEFORMAT MCIWNDM_GETTIMEFORMATA
#define MCIWNDM_OPEN MCIWNDM_OPENA

// A window playing szFile (WAV or MP3); hidden unless dwStyle has WS_VISIBLE. A file it cannot
// play gives a window whose length is 0. WM_CLOSE stops the sound and destroys the window.
HWND MCIWndCreate(HWND hwndParent, HINSTANCE hInstance, DWORD dwStyle, LPCSTR szFile);
inline HWND MCIWndCreateA(HWND p, HINSTANCE i, DWORD s, LPCSTR f) { return MCIWndCreate(p, i, s, f); }

// The window's commands as the usual helpers.
#define MCIWndPlay(hwnd) (LONG) ::SendMessage(hwnd, MCI_PLAY, 0, 0)
#define MCIWndStop(hwnd) (LONG) ::SendMessage(hwnd, MCI_STOP, 0, 0)
#define MCIWndPause(hwnd) (LONG) ::SendMessage(hwnd, MCI_PAUSE, 0, 0)
#define MCIWndResume(hwnd) (LONG) ::SendMessage(hwnd, MCI_RESUME, 0, 0)
#define MCIWndSeek(hwnd, lPos) (LONG) ::SendMessage(hwnd, MCI_SEEK, 0, (LPARAM)(LONG)(lPos))
#define MCIWndGetLength(hwnd) (LONG) ::SendMessage(hwnd, MCIWNDM_GETLENGTH, 0, 0)
#define MCIWndGetPosition(hwnd) (LONG) ::SendMessage(hwnd, MCIWNDM_GETPOSITION, 0, 0)
#define MCIWndGetMode(hwnd, lp, len) (LONG) ::SendMessage(hwnd, MCIWNDM_GETMODE, (WPARAM)(UINT)(len), (LPARAM)(LPSTR)(lp))
#define MCIWndSetTimeFormat(hwnd, lp) (LONG) ::SendMessage(hwnd, MCIWNDM_SETTIMEFORMAT, 0, (LPARAM)(LPCSTR)(lp))
#define MCIWndClose(hwnd) (LONG) ::SendMessage(hwnd, MCI_CLOSE, 0, 0)
#define MCIWndDestroy(hwnd) (VOID) ::SendMessage(hwnd, WM_CLOSE, 0, 0)
