// CDialog: a window made from a dialog template, modal (DoModal) or
// modeless (Create), with data exchange between controls and members.
#pragma once

#include "mfc/Wnd.h"

class CDataExchange;
class CFont;

class AFX_EXT_CLASS CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Modeless.
    virtual BOOL Create(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr,
                                void* lpDialogInit = nullptr);
    virtual BOOL CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd = nullptr);

    // Modal.
    BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr, void* lpDialogInit = nullptr);
    BOOL InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd = nullptr);
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    // Data exchange: FALSE fills the controls from the members, TRUE reads
    // them back and validates; FALSE comes back when validation failed.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // Focus and the default button.
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void SetDefID(UINT nID);
    DWORD GetDefID() const;
    void MapDialogRect(LPRECT lpRect) const;
    void SetHelpID(UINT nIDR) { m_nIDHelp = nIDR; }

    virtual BOOL OnInitDialog();
    virtual void OnSetFont(CFont* pFont);
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // The modal loop also ends when ::EndDialog was called on the window.
    BOOL ContinueModal() override;

    // Fills list and combo boxes from DLGINIT data: the resource named like
    // the template, or data given to CreateIndirect / InitModalIndirect.
    BOOL ExecuteDlgInit(LPCSTR lpszResourceName);
    BOOL ExecuteDlgInit(void* lpResource);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnOK();
    virtual void OnCancel();
    virtual void PreInitDialog();
    // Whether the framework centres the dialog after WM_INITDIALOG: templates
    // that place themselves (a position, DS_CENTER, child dialogs) are left alone.
    virtual BOOL CheckAutoCenter();

    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT HandleSetFont(WPARAM wParam, LPARAM lParam);

    UINT m_nIDHelp = 0;
    LPCSTR m_lpszTemplateName = nullptr;
    HGLOBAL m_hDialogTemplate = nullptr;
    LPCDLGTEMPLATE m_lpDialogTemplate = nullptr;
    void* m_lpDialogInit = nullptr;
    CWnd* m_pParentWnd = nullptr;
    HWND m_hWndTop = nullptr;

    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateFromTemplate(LPCDLGTEMPLATE lpTemplate, size_t size, CWnd* pParentWnd, HINSTANCE hInst);
    bool TemplateBytes(const void** data, size_t* size, HINSTANCE* owner) const;
    HWND ModalOwner() const;
    void RunModal();
    bool EndedByWindowsCall();

    bool m_bModalEnded = false;  // EndDialog came, perhaps before the loop started
    bool m_bLockNotify = false;  // UpdateData runs: control notifications are not handled
};

// The dialog procedure of every framework dialog: WM_INITDIALOG becomes OnInitDialog.
AFX_EXT_API INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
