// CDlgSocketFTSend: the modeless window showing one outgoing transfer: the peer, the path asked
// for and the progress its transfer thread reports.
#pragma once

#include "controls/ShadeButton.h"
#include "mfc.h"

#include <memory>

class AFX_EXT_CLASS CDlgSocketFTSend : public CDialog {
public:
    CDlgSocketFTSend();
    ~CDlgSocketFTSend() override;

    // Shared with the transfer thread's socket, which may still hold it after the window closed.
    std::shared_ptr<CCriticalSection> m_lock;
    CString m_strString1;
    CString m_strString2;

    CShadeButton m_btnExit;
    CShadeButton m_btnLocalFile;
    CProgressCtrl m_progress;

    BOOL OnInitDialog() override;

protected:
    afx_msg LRESULT OnSendFileBlock(WPARAM wParam, LPARAM lParam);
    void OnCancel() override;
    void OnOK() override;
    void PostNcDestroy() override;
    void ShowField(int id, LPCSTR text);
    void ShowNumber(WPARAM number);

    DECLARE_MESSAGE_MAP()
};
