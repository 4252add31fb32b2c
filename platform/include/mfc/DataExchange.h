// Dialog data exchange (DDX) and validation (DDV). Numbers are read
// leniently: text that is no number reads as 0 and never stops the dialog.
// Text goes into a control only when it differs from what the control
// shows, so change notifications cannot loop.
#pragma once

#include "mfc/Wnd.h"
#include "mfc/String.h"

class AFX_EXT_CLASS CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    HWND m_hWndLastControl = nullptr;
    BOOL m_bEditLastControl = FALSE;

    // The control with this id; a missing control is a program error
    // (CNotSupportedException).
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Validation failed: the last control gets the focus and the exchange
    // stops (CUserException); the user was told already.
    [[noreturn]] void Fail();
};

AFX_EXT_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value);
// UINT serves DWORD too (the same type here), int serves LONG.
AFX_EXT_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
AFX_EXT_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value);
AFX_EXT_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, float& value);
AFX_EXT_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value);
AFX_EXT_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
AFX_EXT_API void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// nIDC is the first radio button of a WS_GROUP group; -1 for none checked.
AFX_EXT_API void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
AFX_EXT_API void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
AFX_EXT_API void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
AFX_EXT_API void AFXAPI DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value);
AFX_EXT_API void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
AFX_EXT_API void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
AFX_EXT_API void AFXAPI DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value);
AFX_EXT_API void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
AFX_EXT_API void AFXAPI DDX_Scroll(CDataExchange* pDX, int nIDC, int& value);
// The position of a trackbar ("msctls_trackbar32").
AFX_EXT_API void AFXAPI DDX_Slider(CDataExchange* pDX, int nIDC, int& value);

AFX_EXT_API void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
AFX_EXT_API void AFXAPI DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);

// Sets a window's text unless it shows that text already.
AFX_EXT_API void AFXAPI AfxSetWindowText(HWND hWndCtrl, LPCSTR lpszNew);
