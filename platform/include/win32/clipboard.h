// The clipboard. CF_TEXT (and CF_UNICODETEXT) cross to the desktop's
// clipboard as UTF-8 text, CF_DIB and CF_BITMAP as an image; every other
// format stays inside the process.
#pragma once

#include "win32/types.h"

#define CF_TEXT 1
#define CF_BITMAP 2
#define CF_METAFILEPICT 3
#define CF_SYLK 4
#define CF_DIF 5
#define CF_TIFF 6
#define CF_OEMTEXT 7
#define CF_DIB 8
#define CF_PALETTE 9
#define CF_PENDATA 10
#define CF_RIFF 11
#define CF_WAVE 12
#define CF_UNICODETEXT 13
#define CF_ENHMETAFILE 14
#define CF_HDROP 15
#define CF_LOCALE 16
#define CF_DIBV5 17
#define CF_OWNERDISPLAY 0x0080
#define CF_DSPTEXT 0x0081
#define CF_DSPBITMAP 0x0082
#define CF_DSPMETAFILEPICT 0x0083
#define CF_DSPENHMETAFILE 0x008E
#define CF_PRIVATEFIRST 0x0200
#define CF_PRIVATELAST 0x02FF
#define CF_GDIOBJFIRST 0x0300
#define CF_GDIOBJLAST 0x03FF

#ifndef ERROR_CLIPBOARD_NOT_OPEN
#define ERROR_CLIPBOARD_NOT_OPEN 1418L
#endif

BOOL OpenClipboard(HWND hWndNewOwner);
BOOL CloseClipboard();
BOOL EmptyClipboard();
// The clipboard takes the handle: an HGLOBAL (or an HBITMAP for CF_BITMAP);
// NULL promises the format later through WM_RENDERFORMAT.
HANDLE SetClipboardData(UINT uFormat, HANDLE hMem);
// The clipboard keeps the handle it returns; the caller must not free it.
HANDLE GetClipboardData(UINT uFormat);
BOOL IsClipboardFormatAvailable(UINT format);
UINT EnumClipboardFormats(UINT format);
int CountClipboardFormats();
UINT RegisterClipboardFormat(LPCSTR lpszFormat);
int GetClipboardFormatName(UINT format, LPSTR lpszFormatName, int cchMaxCount);
HWND GetClipboardOwner();
HWND GetOpenClipboardWindow();
DWORD GetClipboardSequenceNumber();
int GetPriorityClipboardFormat(UINT* paFormatPriorityList, int cFormats);
inline UINT RegisterClipboardFormatA(LPCSTR n) { return RegisterClipboardFormat(n); }
inline int GetClipboardFormatNameA(UINT f, LPSTR n, int c) { return GetClipboardFormatName(f, n, c); }

#include <string>
