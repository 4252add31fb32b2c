// AfxMessageBox: a message box titled with the application's name, through
// CWinApp::DoMessageBox. Safe on any thread: the box runs on the thread of
// the user interface while the caller waits.
#pragma once

#include "win32.h"
#include "mfc/afxdefs.h"

AFX_EXT_API int AFXAPI AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The prompt is string resource nIDPrompt.
AFX_EXT_API int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
