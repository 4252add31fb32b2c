// COrderApp: the print-site chooser's application. Lumaret starts it with
// "WDBCServer=<server>"; one copy runs at a time; it shows the site dialog and
// ends when the dialog closes.
#pragma once

#include "framework/VXApp.h"

class COrderApp : public CVXApp {
public:
    COrderApp();
    ~COrderApp() override;

    BOOL InitInstance() override;

    // Items separated by '^', each split at its first '='; the last "WDBCServer" item names the server.
    void ParseCommandLine(LPCSTR pszCommandLine);
    // Raises the running copy's dialog (the mutex said there is one).
    static void ActivateRunningCopy();

    CString m_strServer;
    HANDLE m_hMutex;  // kept open so later starts see the mutex

protected:
    DECLARE_MESSAGE_MAP()
};
