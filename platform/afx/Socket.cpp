// CSocket: blocking calls over CAsyncSocket. A call that would block handles the thread's
// messages (sent ones included) until its socket's event arrives, the socket is closed or the
// call is cancelled.
#include "SocketThreadState.h"
#include "mfc.h"
#include "mfc/Socket.h"

IMPLEMENT_DYNAMIC(CSocket, CAsyncSocket)

CSocket::CSocket() = default;

CSocket::~CSocket()
{
    if (m_hSocket != INVALID_SOCKET)
        CSocket::Close();
}

BOOL CSocket::Create(UINT nSocketPort, int nSocketType, LPCSTR lpszSocketAddress)
{
    return CAsyncSocket::Create(nSocketPort, nSocketType, FD_ALL_EVENTS, lpszSocketAddress);
}

BOOL CSocket::Attach(SOCKET hSocket)
{
    return CAsyncSocket::Attach(hSocket, FD_ALL_EVENTS);
}

CSocket* CSocket::FromHandle(SOCKET hSocket)
{
    return dynamic_cast<CSocket*>(CAsyncSocket::FromHandle(hSocket));
}

void CSocket::CancelBlockingCall()
{
    m_bCancelled = TRUE;
    WakeBlockingCall();
}

// A handler run by a sent message does not end the wait for posted ones: post one.
void CSocket::WakeBlockingCall()
{
    if (m_bBlocking)
        PostThreadMessage(GetCurrentThreadId(), WM_NULL, 0, 0);
}

BOOL CSocket::OnMessagePending()
{
    return TRUE;
}

void CSocket::OnEventArrived(long lEvent, int nErrorCode)
{
    if (!m_bBlocking) {
        Dispatch(lEvent, nErrorCode);
        return;
    }
    // The waiting call takes its own events; the others are handed on when it ends.
    m_arrived |= lEvent;
    if (lEvent == FD_CONNECT)
        m_connectError = nErrorCode;
}

BOOL CSocket::PumpMessages(long uStopEvents)
{
    m_bBlocking = TRUE;
    m_bCancelled = FALSE;
    // Notices are handled only here, so nothing can arrive between the failed call and now.
    m_arrived = 0;
    BOOL ok = TRUE;
    for (;;) {
        if (m_hSocket == INVALID_SOCKET || m_bCancelled) {
            WSASetLastError(WSAEINTR);
            ok = FALSE;
            break;
        }
        if (m_arrived & uStopEvents)
            break;
        MSG msg;
        if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            WaitMessage();
            continue;
        }
        if (msg.message == WM_QUIT) {
            PostQuitMessage((int)msg.wParam);
            WSASetLastError(WSAEINTR);
            ok = FALSE;
            break;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
        if (!OnMessagePending())
            m_bCancelled = TRUE;
    }
    m_bBlocking = FALSE;
    // Events the call did not consume reach the handlers later; a close always does.
    long deferred = m_arrived & ~(uStopEvents & ~FD_CLOSE);
    HWND window = mivo::SocketThreadState::Current().Window();
    if (deferred && window && m_hSocket != INVALID_SOCKET) {
        for (long e = FD_READ; e <= FD_CLOSE; e <<= 1)
            if (deferred & e)
                PostMessage(window, mivo::SocketThreadState::kNotifyMessage, (WPARAM)m_hSocket,
                            WSAMAKESELECTREPLY(e, 0));
    }
    return ok;
}

BOOL CSocket::Accept(CAsyncSocket& rConnectedSocket, SOCKADDR* lpSockAddr, int* lpSockAddrLen)
{
    if (m_bBlocking) {
        WSASetLastError(WSAEINPROGRESS);
        return FALSE;
    }
    for (;;) {
        if (CAsyncSocket::Accept(rConnectedSocket, lpSockAddr, lpSockAddrLen))
            return TRUE;
        if (WSAGetLastError() != WSAEWOULDBLOCK || !PumpMessages(FD_ACCEPT))
            return FALSE;
    }
}

BOOL CSocket::ConnectHelper(const SOCKADDR* lpSockAddr, int nSockAddrLen)
{
    if (m_bBlocking) {
        WSASetLastError(WSAEINPROGRESS);
        return FALSE;
    }
    m_connectError = 0;
    if (CAsyncSocket::ConnectHelper(lpSockAddr, nSockAddrLen))
        return TRUE;
    if (WSAGetLastError() != WSAEWOULDBLOCK || !PumpMessages(FD_CONNECT))
        return FALSE;
    if (m_connectError) {
        WSASetLastError(m_connectError);
        return FALSE;
    }
    return TRUE;
}

int CSocket::Send(const void* lpBuf, int nBufLen, int nFlags)
{
    if (m_bBlocking) {
        WSASetLastError(WSAEINPROGRESS);
        return SOCKET_ERROR;
    }
    const char* p = (const char*)lpBuf;
    int left = nBufLen;
    while (left > 0) {
        int n = CAsyncSocket::Send(p, left, nFlags);
        if (n == SOCKET_ERROR) {
            if (WSAGetLastError() != WSAEWOULDBLOCK || !PumpMessages(FD_WRITE | FD_CLOSE))
                return SOCKET_ERROR;
            if (m_arrived & FD_CLOSE) {
                WSASetLastError(WSAECONNRESET);
                return SOCKET_ERROR;
            }
            continue;
        }
        p += n;
        left -= n;
    }
    return nBufLen;
}

int CSocket::Receive(void* lpBuf, int nBufLen, int nFlags)
{
    if (m_bBlocking) {
        WSASetLastError(WSAEINPROGRESS);
        return SOCKET_ERROR;
    }
    for (;;) {
        int n = CAsyncSocket::Receive(lpBuf, nBufLen, nFlags);
        if (n != SOCKET_ERROR)
            return n;
        if (WSAGetLastError() != WSAEWOULDBLOCK || !PumpMessages(FD_READ | FD_CLOSE))
            return SOCKET_ERROR;
    }
}

void CSocket::Close()
{
    m_bCancelled = m_bBlocking;
    CAsyncSocket::Close();
    WakeBlockingCall();
}
