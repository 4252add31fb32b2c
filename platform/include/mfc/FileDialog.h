// CFileDialog: the open and save dialogs. The object is attached to the
// explorer-style dialog's child window while it runs, so its message map
// and the overridables below see the dialog's notifications.
#pragma once

#include "mfc/CommonDialog.h"
#include "mfc/String.h"

class AFX_EXT_CLASS CFileDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFileDialog)
public:
    // `lpszFilter` is "Name|pattern;pattern|...||".
    explicit CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt = nullptr, LPCSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr, DWORD dwSize = 0);

    INT_PTR DoModal() override;

    // While the dialog runs these ask it; afterwards they read m_ofn.
    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    CString GetFolderPath() const;
    BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }
    // The names of a multiple selection.
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& pos) const;

    OPENFILENAME m_ofn;

protected:
    virtual UINT OnShareViolation(LPCSTR lpszPathName);
    virtual BOOL OnFileNameOK();
    virtual void OnInitDone();
    virtual void OnFileNameChange();
    virtual void OnFolderChange();
    virtual void OnTypeChange();
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnInitDialog() override;

    BOOL m_bOpenFileDialog;
    CString m_strFilter;
    char m_szFileTitle[64];
    char m_szFileName[MAX_PATH];

private:
    static UINT_PTR CALLBACK HookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    CString AskDialog(UINT message) const;
};
