// Dialog boxes: creation from templates, the modal loop, dialog navigation
// and the helpers that work on dialog items.
#pragma once

#include "win32/types.h"
#include "win32/messages.h"
#include "win32/resources.h"

#include <string>

typedef INT_PTR(CALLBACK* DLGPROC)(HWND, UINT, WPARAM, LPARAM);

// Dialog styles.
#ifndef DS_ABSALIGN
#define DS_ABSALIGN 0x0001L
#define DS_SYSMODAL 0x0002L
#define DS_3DLOOK 0x0004L
#define DS_FIXEDSYS 0x0008L
#define DS_NOFAILCREATE 0x0010L
#define DS_LOCALEDIT 0x0020L
#define DS_SETFONT 0x0040L
#define DS_MODALFRAME 0x0080L
#define DS_NOIDLEMSG 0x0100L
#define DS_SETFOREGROUND 0x0200L
#define DS_CONTROL 0x0400L
#define DS_CENTER 0x0800L
#define DS_CENTERMOUSE 0x1000L
#define DS_CONTEXTHELP 0x2000L
#define DS_SHELLFONT (DS_SETFONT | DS_FIXEDSYS)
#endif

// Dialog messages.
#ifndef DM_GETDEFID
#define DM_GETDEFID (WM_USER + 0)
#define DM_SETDEFID (WM_USER + 1)
#define DM_REPOSITION (WM_USER + 2)
#define DC_HASDEFID 0x534B
#endif

// The dialog window class, and the window bytes a dialog class must reserve.
#define WC_DIALOG "#32770"
#ifndef DLGWINDOWEXTRA
#define DLGWINDOWEXTRA 48
#endif

// WM_ENTERIDLE reasons.
#ifndef MSGF_DIALOGBOX
#define MSGF_DIALOGBOX 0
#define MSGF_MESSAGEBOX 1
#define MSGF_MENU 2
#endif

// Creating dialogs. A NULL instance looks the template up in the resource chain.
HWND CreateDialogParam(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc,
                       LPARAM dwInitParam);
HWND CreateDialogIndirectParam(HINSTANCE hInstance, LPCDLGTEMPLATE lpTemplate, HWND hWndParent,
                               DLGPROC lpDialogFunc, LPARAM dwInitParam);
INT_PTR DialogBoxParam(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc,
                       LPARAM dwInitParam);
INT_PTR DialogBoxIndirectParam(HINSTANCE hInstance, LPCDLGTEMPLATE hDialogTemplate, HWND hWndParent,
                               DLGPROC lpDialogFunc, LPARAM dwInitParam);
inline HWND CreateDialog(HINSTANCE h, LPCSTR t, HWND p, DLGPROC f) { return CreateDialogParam(h, t, p, f, 0); }
inline HWND CreateDialogA(HINSTANCE h, LPCSTR t, HWND p, DLGPROC f) { return CreateDialogParam(h, t, p, f, 0); }
inline HWND CreateDialogParamA(HINSTANCE h, LPCSTR t, HWND p, DLGPROC f, LPARAM l)
{
    return CreateDialogParam(h, t, p, f, l);
}
inline HWND CreateDialogIndirect(HINSTANCE h, LPCDLGTEMPLATE t, HWND p, DLGPROC f)
{
    return CreateDialogIndirectParam(h, t, p, f, 0);
}
inline HWND CreateDialogIndirectParamA(HINSTANCE h, LPCDLGTEMPLATE t, HWND p, DLGPROC f, LPARAM l)
{
    return CreateDialogIndirectParam(h, t, p, f, l);
}
inline INT_PTR DialogBox(HINSTANCE h, LPCSTR t, HWND p, DLGPROC f) { return DialogBoxParam(h, t, p, f, 0); }
inline INT_PTR DialogBoxA(HINSTANCE h, LPCSTR t, HWND p, DLGPROC f) { return DialogBoxParam(h, t, p, f, 0); }
inline INT_PTR DialogBoxParamA(HINSTANCE h, LPCSTR t, HWND p, DLGPROC f, LPARAM l)
{
    return DialogBoxParam(h, t, p, f, l);
}
inline INT_PTR DialogBoxIndirect(HINSTANCE h, LPCDLGTEMPLATE t, HWND p, DLGPROC f)
{
    return DialogBoxIndirectParam(h, t, p, f, 0);
}
inline INT_PTR DialogBoxIndirectParamA(HINSTANCE h, LPCDLGTEMPLATE t, HWND p, DLGPROC f, LPARAM l)
{
    return DialogBoxIndirectParam(h, t, p, f, l);
}

BOOL EndDialog(HWND hDlg, INT_PTR nResult);
LRESULT DefDlgProc(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam);
inline LRESULT DefDlgProcA(HWND h, UINT m, WPARAM w, LPARAM l) { return DefDlgProc(h, m, w, l); }
BOOL IsDialogMessage(HWND hDlg, LPMSG lpMsg);
inline BOOL IsDialogMessageA(HWND h, LPMSG m) { return IsDialogMessage(h, m); }

// Dialog units.
LONG GetDialogBaseUnits();
BOOL MapDialogRect(HWND hDlg, LPRECT lpRect);

// Dialog items.
BOOL SetDlgItemInt(HWND hDlg, int nIDDlgItem, UINT uValue, BOOL bSigned);
UINT GetDlgItemInt(HWND hDlg, int nIDDlgItem, BOOL* lpTranslated, BOOL bSigned);
BOOL CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck);
UINT IsDlgButtonChecked(HWND hDlg, int nIDButton);
BOOL CheckRadioButton(HWND hDlg, int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
HWND GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious);
HWND GetNextDlgGroupItem(HWND hDlg, HWND hCtl, BOOL bPrevious);

namespace mivo {

// Fills the dialog's controls from a DLGINIT resource (the framework's
// initialisation data): list box and combo box strings. `data` is the
// resource's bytes; returns false when they are damaged (what came before the
// damage is applied).
bool ApplyDialogInit(HWND hDlg, const void* data, size_t size);
// Looks the DLGINIT resource named like the dialog template up (module, then
// the chain) and applies it; true when there is none.
bool ExecuteDialogInit(HWND hDlg, HINSTANCE instance, LPCSTR templateName);

// The pixel size of dialog units for a template font, as the dialog manager
// computes it: horizontal base units per 4 DLU, vertical per 8 DLU.
SIZE DialogBaseUnitsForFont(const std::u16string& face, WORD pointSize);

// Message boxes show as dialogs when a person can see the screen; on the
// offscreen platform they report to standard error and answer with their
// default button, so that nothing waits for a click nobody can make. Tests
// that drive real boxes turn them on.
void ShowMessageBoxesWithoutScreen(bool show);
// The opposite, whatever the display: boxes answer with their default button
// unseen, for tests that must not depend on whether a screen exists.
void AnswerMessageBoxesUnseen(bool unseen);

}  // namespace mivo
