// CFTServerSocket: the sender's listener; each accepted connection gets its own transfer thread
// and sending dialog.
#pragma once

#include "net/FTSndClientSocket.h"

class CDlgSocketFTSend;

class AFX_EXT_CLASS CFTServerSocket : public CAsyncSocket {
public:
    CFTServerSocket();
    ~CFTServerSocket() override;

    void SetWnd(CWnd* pWnd) { m_pWnd = pWnd; }
    CFTSndClientSocket* GetAcceptSocket() { return &m_acceptSocket; }

    CWnd* m_pWnd;
    CFTSndClientSocket m_acceptSocket;
    CString m_strString1;
    CString m_strString2;

    void OnAccept(int nErrorCode) override;

protected:
    // The sending dialog of a new connection, its window made; null when it cannot be made.
    virtual CDlgSocketFTSend* CreateSendDialog();
};
