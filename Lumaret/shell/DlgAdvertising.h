// CDlgAdvertising: the band beside the toolbar. It shows the program logo
// until the advertising host answers a reachability test, then the page from
// the advertising server, reloaded every minute. While it lives the shell's
// navigation sounds are silenced; they are restored when it goes.
#pragma once

#include "dialogs/VXDialog.h"

#include <atomic>

class CAdWebView;

// 1 from the window's destruction on; each tick resets it before it starts a worker.
extern std::atomic<int> g_bAdThreadStop;

class CDlgAdvertising : public CVXDialog {
public:
    enum { kTimerId = 6, kTimerPeriod = 60000, kWidth = 202, kHeight = 52, kViewId = 59648 };

    explicit CDlgAdvertising(CWnd* pParent);

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // One tick's worker: tests the host or asks for a reload. `pParam` is the tick's request.
    static UINT AdNavigateThread(LPVOID pParam);
    // Workers still running (tests wait for none).
    static int RunningWorkers();

    CAdWebView* m_pWebView;  // null when it could not be made: the logo stays
    CString m_strAdURL;
    CString m_strAdHost;
    int m_bSoundsSilenced;
    CString m_strSavedNavigatingSound;
    CString m_strSavedActivatingSound;

protected:
    // A child band: Enter and Escape must not end it.
    void OnOK() override {}
    void OnCancel() override {}

    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnHostAnswered(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnReloadPage(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateWebView();
    void SaveAndSilenceSounds();
    void RestoreSounds();
};
