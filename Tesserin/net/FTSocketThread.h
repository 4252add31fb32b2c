// CFTSocketThread: one accepted connection's thread, with its own message loop; it ends when the
// peer closes the connection.
#pragma once

#include "net/FTSndClientSocket.h"

class AFX_EXT_CLASS CFTSocketThread : public CWinThread {
    DECLARE_DYNCREATE(CFTSocketThread)
public:
    CFTSocketThread();
    ~CFTSocketThread() override;

    CFTSndClientSocket m_socket;
    SOCKET m_hSocket;  // handed over by the listener before the thread resumes

    BOOL InitInstance() override;
};
