// CAsyncSocket: a Windows socket whose events reach virtual handlers through the owning
// thread's message loop.
#pragma once

#include "mfc/Object.h"
#include "mfc/String.h"

class AFX_EXT_CLASS CAsyncSocket : public CObject {
    DECLARE_DYNAMIC(CAsyncSocket)
public:
    CAsyncSocket();
    ~CAsyncSocket() override;

    enum { receives = 0, sends = 1, both = 2 };

    SOCKET m_hSocket;
    operator SOCKET() const { return m_hSocket; }

    // Makes a socket bound to nSocketPort (0: any) on lpszSocketAddress (null: every address)
    // whose lEvent events go to the handlers.
    BOOL Create(UINT nSocketPort = 0, int nSocketType = SOCK_STREAM, long lEvent = FD_ALL_EVENTS,
                LPCSTR lpszSocketAddress = nullptr);
    BOOL Socket(int nSocketType = SOCK_STREAM, long lEvent = FD_ALL_EVENTS, int nProtocolType = 0,
                int nAddressFormat = PF_INET);
    // Takes a handle (one accepted or detached elsewhere) into this object on the calling thread.
    BOOL Attach(SOCKET hSocket, long lEvent = FD_ALL_EVENTS);
    // Gives the handle up without closing it.
    SOCKET Detach();

    BOOL Bind(UINT nSocketPort, LPCSTR lpszSocketAddress = nullptr);
    BOOL Bind(const SOCKADDR* lpSockAddr, int nSockAddrLen);
    BOOL Listen(int nConnectionBacklog = 5);
    virtual BOOL Accept(CAsyncSocket& rConnectedSocket, SOCKADDR* lpSockAddr = nullptr, int* lpSockAddrLen = nullptr);
    // By dotted address or host name.
    BOOL Connect(LPCSTR lpszHostAddress, UINT nHostPort);
    BOOL Connect(const SOCKADDR* lpSockAddr, int nSockAddrLen);
    virtual int Send(const void* lpBuf, int nBufLen, int nFlags = 0);
    virtual int Receive(void* lpBuf, int nBufLen, int nFlags = 0);
    virtual void Close();
    BOOL ShutDown(int nHow = sends);
    BOOL AsyncSelect(long lEvent = FD_ALL_EVENTS);
    BOOL IOCtl(long lCommand, DWORD* lpArgument);
    BOOL SetSockOpt(int nOptionName, const void* lpOptionValue, int nOptionLen, int nLevel = SOL_SOCKET);
    BOOL GetSockOpt(int nOptionName, void* lpOptionValue, int* lpOptionLen, int nLevel = SOL_SOCKET);

    BOOL GetPeerName(CString& rPeerAddress, UINT& rPeerPort);
    BOOL GetPeerName(SOCKADDR* lpSockAddr, int* lpSockAddrLen);
    BOOL GetSockName(CString& rSocketAddress, UINT& rSocketPort);
    BOOL GetSockName(SOCKADDR* lpSockAddr, int* lpSockAddrLen);

    static int GetLastError();
    // The object the calling thread holds for a handle, or null.
    static CAsyncSocket* FromHandle(SOCKET hSocket);

    virtual void OnReceive(int nErrorCode);
    virtual void OnSend(int nErrorCode);
    virtual void OnOutOfBandData(int nErrorCode);
    virtual void OnAccept(int nErrorCode);
    virtual void OnConnect(int nErrorCode);
    virtual void OnClose(int nErrorCode);

    // Delivers one socket event to its object on the calling thread.
    static void DoCallBack(WPARAM wParam, LPARAM lParam);

protected:
    // An event that arrives for this socket; the blocking socket keeps some for itself.
    virtual void OnEventArrived(long lEvent, int nErrorCode);
    void Dispatch(long lEvent, int nErrorCode);
    virtual BOOL ConnectHelper(const SOCKADDR* lpSockAddr, int nSockAddrLen);
    BOOL AttachHandle(SOCKET hSocket, long lEvent);
    void DetachHandle();
};
