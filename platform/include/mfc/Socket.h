// CSocket: CAsyncSocket with blocking calls that keep the thread's messages flowing while
// they wait.
#pragma once

#include "mfc/AsyncSocket.h"

class AFX_EXT_CLASS CSocket : public CAsyncSocket {
    DECLARE_DYNAMIC(CSocket)
public:
    CSocket();
    ~CSocket() override;

    BOOL Create(UINT nSocketPort = 0, int nSocketType = SOCK_STREAM, LPCSTR lpszSocketAddress = nullptr);
    BOOL Attach(SOCKET hSocket);
    BOOL IsBlocking() const { return m_bBlocking; }
    // Ends the call that blocks now; it fails with WSAEINTR.
    void CancelBlockingCall();
    static CSocket* FromHandle(SOCKET hSocket);

    BOOL Accept(CAsyncSocket& rConnectedSocket, SOCKADDR* lpSockAddr = nullptr, int* lpSockAddrLen = nullptr) override;
    // Waits until everything is sent (or the connection fails); the count sent.
    int Send(const void* lpBuf, int nBufLen, int nFlags = 0) override;
    // Waits until something arrives; 0 when the peer closed.
    int Receive(void* lpBuf, int nBufLen, int nFlags = 0) override;
    void Close() override;

protected:
    // Called for each message handled while a call waits; FALSE ends the call.
    virtual BOOL OnMessagePending();
    // Handles the thread's messages until one of `uStopEvents` arrives for this socket.
    BOOL PumpMessages(long uStopEvents);
    void OnEventArrived(long lEvent, int nErrorCode) override;
    BOOL ConnectHelper(const SOCKADDR* lpSockAddr, int nSockAddrLen) override;

private:
    void WakeBlockingCall();

    BOOL m_bBlocking = FALSE;
    BOOL m_bCancelled = FALSE;
    long m_arrived = 0;
    int m_connectError = 0;
};
