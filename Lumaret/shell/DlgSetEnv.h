// CDlgSetEnv: "프로그램 환경 관리". It edits the program settings kept in the
// BasCodes table (JPEG quality, undo levels, the two background colours, the
// linked editor), keeps the user's community membership on the web database,
// and empties the thumbnail cache, compacts the two databases and resets the
// profile store.
#pragma once

#include "controls/ImageButton.h"
#include "controls/VXEdit.h"
#include "dialogs/VXDialog.h"

class CWDBCQuery;

class CDlgSetEnv : public CVXDialog {
    DECLARE_DYNAMIC(CDlgSetEnv)
public:
    enum { kMaxUndoLevel = 8, kWebPort = 80 };

    explicit CDlgSetEnv(CWnd* pParent = nullptr);
    ~CDlgSetEnv() override;

    BOOL OnInitDialog() override;

    // Writes the settings and closes with OK; refuses undo levels outside 0..8.
    void SaveSettings();
    // The stored membership into the fields; 1 when id, password and name are all there.
    int LoadCommunityInfo();
    void FetchCustomerDetail(CString strID, CString strPWD);
    void CheckCustomerId();
    void SaveCustomer();
    void DeleteCustomer();
    void CompactDatabases();
    void ResetProfile();
    void RestoreDefaults();
    void UpdateJoinButtons();

    int m_nJpegQuality;
    int m_nUndoLevel;
    COLORREF m_clrSlideShowBk;
    COLORREF m_clrBrowserBk;
    CString m_strLinkPrg;
    int m_bJoined;
    CString m_strCustID;
    CString m_strCustPWD;
    CString m_strCustPWD2;
    CString m_strCustName;
    CString m_strCustSex;
    CString m_strCustBirth;
    CString m_strCustMnSn;
    CString m_strCustAddr;
    CString m_strCustEMail;

    CVXEdit m_edtBirth;
    CImageButton m_btnSave, m_btnClose, m_btnJoin;
    CImageButton m_btnDefaults, m_btnBrowse, m_btnPickDate, m_btnDupCheck, m_btnFetch, m_btnWithdraw;
    CImageButton m_btnClearCache, m_btnCompact, m_btnResetProfile;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnSave() { SaveSettings(); }
    afx_msg void OnDefaults() { RestoreDefaults(); }
    afx_msg void OnBrowse();
    afx_msg void OnPickDate();
    afx_msg void OnDupCheck() { CheckCustomerId(); }
    afx_msg void OnFetch();
    afx_msg void OnJoin() { SaveCustomer(); }
    afx_msg void OnWithdraw() { DeleteCustomer(); }
    afx_msg void OnClearCache();
    afx_msg void OnCompact() { CompactDatabases(); }
    afx_msg void OnResetProfile() { ResetProfile(); }
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    void SetupButtons();
    CRect ChildRect(int id);
    // Stores id, password and name in the Community/Join row.
    void StoreMembership(const CString& id, const CString& password, const CString& name);
    void ClearCommunityFields();
    // A web query on the host's page (string id), connected; null when it cannot connect.
    std::unique_ptr<CWDBCQuery> ConnectWeb(UINT pageId);
    // Picks a colour for a box; TRUE when one was chosen.
    BOOL ChooseColour(COLORREF& colour);
};
