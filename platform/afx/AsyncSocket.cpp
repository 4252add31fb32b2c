// CAsyncSocket: handles over the layer's Windows sockets; events through the thread's
// hidden notification window.
#include "SocketThreadState.h"
#include "mfc.h"
#include "mfc/AsyncSocket.h"

#include <cstring>

using mivo::SocketThreadState;

IMPLEMENT_DYNAMIC(CAsyncSocket, CObject)

namespace {

bool AddressOf(LPCSTR host, in_addr& out)
{
    if (!host || !*host) {
        out.s_addr = htonl(INADDR_ANY);
        return true;
    }
    in_addr dotted;
    if (inet_pton(AF_INET, host, &dotted) == 1) {
        out = dotted;
        return true;
    }
    hostent* h = gethostbyname(host);
    if (!h || !h->h_addr_list || !h->h_addr_list[0])
        return false;
    memcpy(&out, h->h_addr_list[0], sizeof out);
    return true;
}

BOOL TextAddress(const SOCKADDR* a, int len, CString& address, UINT& port)
{
    if (len < (int)sizeof(SOCKADDR_IN) || a->sa_family != AF_INET) {
        WSASetLastError(WSAEAFNOSUPPORT);
        return FALSE;
    }
    const auto* in = (const SOCKADDR_IN*)a;
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &in->sin_addr, text, sizeof text);
    address = text;
    port = ntohs(in->sin_port);
    return TRUE;
}

}  // namespace

CAsyncSocket::CAsyncSocket() : m_hSocket(INVALID_SOCKET) {}

CAsyncSocket::~CAsyncSocket()
{
    if (m_hSocket != INVALID_SOCKET)
        CAsyncSocket::Close();
}

BOOL CAsyncSocket::Create(UINT nSocketPort, int nSocketType, long lEvent, LPCSTR lpszSocketAddress)
{
    if (!Socket(nSocketType, lEvent))
        return FALSE;
    if (Bind(nSocketPort, lpszSocketAddress))
        return TRUE;
    int error = WSAGetLastError();
    Close();
    WSASetLastError(error);
    return FALSE;
}

BOOL CAsyncSocket::Socket(int nSocketType, long lEvent, int nProtocolType, int nAddressFormat)
{
    if (m_hSocket != INVALID_SOCKET) {
        WSASetLastError(WSAEINVAL);
        return FALSE;
    }
    SOCKET s = WSASocket(nAddressFormat, nSocketType, nProtocolType);
    if (s == INVALID_SOCKET)
        return FALSE;
    if (AttachHandle(s, lEvent))
        return TRUE;
    int error = WSAGetLastError();
    closesocket(s);
    WSASetLastError(error);
    return FALSE;
}

BOOL CAsyncSocket::AttachHandle(SOCKET hSocket, long lEvent)
{
    m_hSocket = hSocket;
    HWND window = SocketThreadState::Current().Add(hSocket, this);
    if (!lEvent)
        return TRUE;
    if (window && WSAAsyncSelect(hSocket, window, SocketThreadState::kNotifyMessage, lEvent) == 0)
        return TRUE;
    DetachHandle();
    return FALSE;
}

void CAsyncSocket::DetachHandle()
{
    if (m_hSocket == INVALID_SOCKET)
        return;
    SocketThreadState::Current().Remove(m_hSocket);
    m_hSocket = INVALID_SOCKET;
}

BOOL CAsyncSocket::Attach(SOCKET hSocket, long lEvent)
{
    if (hSocket == INVALID_SOCKET || m_hSocket != INVALID_SOCKET) {
        WSASetLastError(WSAEINVAL);
        return FALSE;
    }
    return AttachHandle(hSocket, lEvent);
}

SOCKET CAsyncSocket::Detach()
{
    SOCKET s = m_hSocket;
    if (s != INVALID_SOCKET)
        WSAAsyncSelect(s, nullptr, 0, 0);
    DetachHandle();
    return s;
}

BOOL CAsyncSocket::Bind(UINT nSocketPort, LPCSTR lpszSocketAddress)
{
    SOCKADDR_IN a = {};
    a.sin_family = AF_INET;
    a.sin_port = htons((u_short)nSocketPort);
    if (!AddressOf(lpszSocketAddress, a.sin_addr)) {
        WSASetLastError(WSAEINVAL);
        return FALSE;
    }
    return Bind((const SOCKADDR*)&a, sizeof a);
}

BOOL CAsyncSocket::Bind(const SOCKADDR* lpSockAddr, int nSockAddrLen)
{
    return bind(m_hSocket, lpSockAddr, nSockAddrLen) != SOCKET_ERROR;
}

BOOL CAsyncSocket::Listen(int nConnectionBacklog)
{
    return listen(m_hSocket, nConnectionBacklog) != SOCKET_ERROR;
}

BOOL CAsyncSocket::Accept(CAsyncSocket& rConnectedSocket, SOCKADDR* lpSockAddr, int* lpSockAddrLen)
{
    if (rConnectedSocket.m_hSocket != INVALID_SOCKET) {
        WSASetLastError(WSAEINVAL);
        return FALSE;
    }
    SOCKET s = accept(m_hSocket, lpSockAddr, lpSockAddrLen);
    if (s == INVALID_SOCKET)
        return FALSE;
    // The accepted socket keeps the listener's events, as on Windows.
    rConnectedSocket.m_hSocket = s;
    SocketThreadState::Current().Add(s, &rConnectedSocket);
    return TRUE;
}

BOOL CAsyncSocket::Connect(LPCSTR lpszHostAddress, UINT nHostPort)
{
    if (!lpszHostAddress) {
        WSASetLastError(WSAEINVAL);
        return FALSE;
    }
    SOCKADDR_IN a = {};
    a.sin_family = AF_INET;
    a.sin_port = htons((u_short)nHostPort);
    if (!AddressOf(lpszHostAddress, a.sin_addr)) {
        WSASetLastError(WSAEINVAL);
        return FALSE;
    }
    return Connect((const SOCKADDR*)&a, sizeof a);
}

BOOL CAsyncSocket::Connect(const SOCKADDR* lpSockAddr, int nSockAddrLen)
{
    return ConnectHelper(lpSockAddr, nSockAddrLen);
}

BOOL CAsyncSocket::ConnectHelper(const SOCKADDR* lpSockAddr, int nSockAddrLen)
{
    return connect(m_hSocket, lpSockAddr, nSockAddrLen) != SOCKET_ERROR;
}

int CAsyncSocket::Send(const void* lpBuf, int nBufLen, int nFlags)
{
    return send(m_hSocket, (const char*)lpBuf, nBufLen, nFlags);
}

int CAsyncSocket::Receive(void* lpBuf, int nBufLen, int nFlags)
{
    return recv(m_hSocket, (char*)lpBuf, nBufLen, nFlags);
}

void CAsyncSocket::Close()
{
    if (m_hSocket == INVALID_SOCKET)
        return;
    SOCKET s = m_hSocket;
    DetachHandle();
    closesocket(s);
}

BOOL CAsyncSocket::ShutDown(int nHow)
{
    return shutdown(m_hSocket, nHow) != SOCKET_ERROR;
}

BOOL CAsyncSocket::AsyncSelect(long lEvent)
{
    HWND window = SocketThreadState::Current().Window();
    if (!window || SocketThreadState::Current().Find(m_hSocket) != this) {
        WSASetLastError(WSAENOTSOCK);
        return FALSE;
    }
    return WSAAsyncSelect(m_hSocket, window, SocketThreadState::kNotifyMessage, lEvent) != SOCKET_ERROR;
}

BOOL CAsyncSocket::IOCtl(long lCommand, DWORD* lpArgument)
{
    ULONG value = lpArgument ? *lpArgument : 0;
    if (ioctlsocket(m_hSocket, lCommand, lpArgument ? &value : nullptr) == SOCKET_ERROR)
        return FALSE;
    if (lpArgument)
        *lpArgument = value;
    return TRUE;
}

BOOL CAsyncSocket::SetSockOpt(int nOptionName, const void* lpOptionValue, int nOptionLen, int nLevel)
{
    return setsockopt(m_hSocket, nLevel, nOptionName, (const char*)lpOptionValue, nOptionLen) != SOCKET_ERROR;
}

BOOL CAsyncSocket::GetSockOpt(int nOptionName, void* lpOptionValue, int* lpOptionLen, int nLevel)
{
    return getsockopt(m_hSocket, nLevel, nOptionName, (char*)lpOptionValue, lpOptionLen) != SOCKET_ERROR;
}

BOOL CAsyncSocket::GetPeerName(CString& rPeerAddress, UINT& rPeerPort)
{
    SOCKADDR_IN a = {};
    int len = sizeof a;
    return GetPeerName((SOCKADDR*)&a, &len) && TextAddress((SOCKADDR*)&a, len, rPeerAddress, rPeerPort);
}

BOOL CAsyncSocket::GetPeerName(SOCKADDR* lpSockAddr, int* lpSockAddrLen)
{
    return getpeername(m_hSocket, lpSockAddr, lpSockAddrLen) != SOCKET_ERROR;
}

BOOL CAsyncSocket::GetSockName(CString& rSocketAddress, UINT& rSocketPort)
{
    SOCKADDR_IN a = {};
    int len = sizeof a;
    return GetSockName((SOCKADDR*)&a, &len) && TextAddress((SOCKADDR*)&a, len, rSocketAddress, rSocketPort);
}

BOOL CAsyncSocket::GetSockName(SOCKADDR* lpSockAddr, int* lpSockAddrLen)
{
    return getsockname(m_hSocket, lpSockAddr, lpSockAddrLen) != SOCKET_ERROR;
}

int CAsyncSocket::GetLastError()
{
    return WSAGetLastError();
}

CAsyncSocket* CAsyncSocket::FromHandle(SOCKET hSocket)
{
    return SocketThreadState::Current().Find(hSocket);
}

void CAsyncSocket::OnReceive(int) {}
void CAsyncSocket::OnSend(int) {}
void CAsyncSocket::OnOutOfBandData(int) {}
void CAsyncSocket::OnAccept(int) {}
void CAsyncSocket::OnConnect(int) {}
void CAsyncSocket::OnClose(int) {}

void CAsyncSocket::DoCallBack(WPARAM wParam, LPARAM lParam)
{
    CAsyncSocket* socket = FromHandle((SOCKET)wParam);
    // A notice for a socket closed or handed to another thread meanwhile is dropped.
    if (!socket)
        return;
    socket->OnEventArrived(WSAGETSELECTEVENT(lParam), WSAGETSELECTERROR(lParam));
}

void CAsyncSocket::OnEventArrived(long lEvent, int nErrorCode)
{
    Dispatch(lEvent, nErrorCode);
}

void CAsyncSocket::Dispatch(long lEvent, int nErrorCode)
{
    switch (lEvent) {
    case FD_READ: {
        // A read notice with nothing left to read (taken by an earlier call) is not passed on.
        DWORD waiting = 0;
        if (!IOCtl(WS_FIONREAD, &waiting))
            nErrorCode = WSAGetLastError();
        if (waiting || nErrorCode)
            OnReceive(nErrorCode);
        break;
    }
    case FD_WRITE: OnSend(nErrorCode); break;
    case FD_OOB: OnOutOfBandData(nErrorCode); break;
    case FD_ACCEPT: OnAccept(nErrorCode); break;
    case FD_CONNECT: OnConnect(nErrorCode); break;
    case FD_CLOSE: OnClose(nErrorCode); break;
    default: break;
    }
}
