// CDlgSocketFTRcv: the modeless receiving window: connects to a sender, asks for one file by its
// path there and shows the progress; it deletes itself when its window is destroyed.
#pragma once

#include "mfc.h"

#include <cstdint>

class CFTRcvClientSocket;

class AFX_EXT_CLASS CDlgSocketFTRcv : public CDialog {
public:
    CDlgSocketFTRcv();
    ~CDlgSocketFTRcv() override;

    BOOL Create(CWnd* pParentWnd = nullptr);

    int m_nShownPercent;
    uint32_t m_nFileLength;
    LPCSTR m_pszFileName;
    BOOL m_bVisible;
    int m_nPort;
    BOOL m_bCloseWhenDone;
    BOOL m_bStartAtOnce;
    CFTRcvClientSocket* m_pSocket;

    CButton m_btnReceive;
    CButton m_btnSaveAs;
    CButton m_btnExit;
    CProgressCtrl m_progress;

    CString m_strStatus;
    CString m_strPercent;
    CString m_strLocalFile;
    CString m_strRemoteAddress;
    CString m_strRemoteFile;

    BOOL OnInitDialog() override;

    afx_msg void OnReceiveFile();
    afx_msg void OnExit();
    afx_msg void OnSaveAs();
    afx_msg LRESULT OnReceiveStart(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnReceiveEnd(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnReceiveFileName(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnReceiveFileLength(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnReceiveFileBlock(WPARAM wParam, LPARAM lParam);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override;
    void PostNcDestroy() override;
    void SetStatus(LPCSTR text);
    void ShowPercent(int percent);
    void ReleaseSocket();

    DECLARE_MESSAGE_MAP()
};
