// Windows Sockets: start-up, socket handles over the system's sockets, host names and
// notifications of socket events to a window.
#pragma once

#include "win32/types.h"

// The address structures (sockaddr, sockaddr_in, in_addr, hostent) are the system's: their
// layout is the one Windows programs fill and read.
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#define WSADESCRIPTION_LEN 256
#define WSASYS_STATUS_LEN 128

typedef struct WSAData {
    WORD wVersion;
    WORD wHighVersion;
    unsigned short iMaxSockets;
    unsigned short iMaxUdpDg;
    char* lpVendorInfo;
    char szDescription[WSADESCRIPTION_LEN + 1];
    char szSystemStatus[WSASYS_STATUS_LEN + 1];
} WSADATA, *LPWSADATA;

// Socket handles are pointer-sized numbers of the layer's own, never the system's descriptors.
typedef UINT_PTR SOCKET;
#define INVALID_SOCKET ((SOCKET)~(UINT_PTR)0)
#ifndef SOCKET_ERROR
#define SOCKET_ERROR (-1)
#endif

typedef struct sockaddr SOCKADDR, *PSOCKADDR, *LPSOCKADDR;
typedef struct sockaddr_in SOCKADDR_IN, *PSOCKADDR_IN, *LPSOCKADDR_IN;
typedef struct in_addr IN_ADDR, *PIN_ADDR, *LPIN_ADDR;
typedef struct hostent HOSTENT, *PHOSTENT, *LPHOSTENT;

// Error codes (WSAGetLastError).
#define WSABASEERR 10000
#define WSAEINTR 10004L
#define WSAEBADF 10009L
#define WSAEACCES 10013L
#define WSAEFAULT 10014L
#define WSAEINVAL 10022L
#define WSAEMFILE 10024L
#define WSAEWOULDBLOCK 10035L
#define WSAEINPROGRESS 10036L
#define WSAEALREADY 10037L
#define WSAENOTSOCK 10038L
#define WSAEDESTADDRREQ 10039L
#define WSAEMSGSIZE 10040L
#define WSAEPROTOTYPE 10041L
#define WSAENOPROTOOPT 10042L
#define WSAEPROTONOSUPPORT 10043L
#define WSAESOCKTNOSUPPORT 10044L
#define WSAEOPNOTSUPP 10045L
#define WSAEPFNOSUPPORT 10046L
#define WSAEAFNOSUPPORT 10047L
#define WSAEADDRINUSE 10048L
#define WSAEADDRNOTAVAIL 10049L
#define WSAENETDOWN 10050L
#define WSAENETUNREACH 10051L
#define WSAENETRESET 10052L
#define WSAECONNABORTED 10053L
#define WSAECONNRESET 10054L
#define WSAENOBUFS 10055L
#define WSAEISCONN 10056L
#define WSAENOTCONN 10057L
#define WSAESHUTDOWN 10058L
#define WSAETIMEDOUT 10060L
#define WSAECONNREFUSED 10061L
#define WSAEHOSTUNREACH 10065L
#define WSAVERNOTSUPPORTED 10092L
#define WSANOTINITIALISED 10093L
#define WSAHOST_NOT_FOUND 11001L
#define WSATRY_AGAIN 11002L
#define WSANO_RECOVERY 11003L
#define WSANO_DATA 11004L

// Socket events a window can be told about (WSAAsyncSelect).
#define FD_READ 0x01
#define FD_WRITE 0x02
#define FD_OOB 0x04
#define FD_ACCEPT 0x08
#define FD_CONNECT 0x10
#define FD_CLOSE 0x20
#define FD_ALL_EVENTS (FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE)
#define WSAMAKESELECTREPLY(event, error) ((LPARAM)(DWORD)MAKELONG(event, error))
#define WSAGETSELECTEVENT(lParam) LOWORD(lParam)
#define WSAGETSELECTERROR(lParam) HIWORD(lParam)

// ioctlsocket commands (Windows values).
#define WS_FIONREAD 0x4004667FL
#define WS_FIONBIO 0x8004667EL

// Shutdown directions.
#define SD_RECEIVE 0
#define SD_SEND 1
#define SD_BOTH 2

// 0 on success; WSAVERNOTSUPPORTED for a requested version below 1.1. Versions above 2.2 get 2.2.
int WSAStartup(WORD wVersionRequested, LPWSADATA lpWSAData);
// 0 while a start-up is outstanding; otherwise SOCKET_ERROR with WSANOTINITIALISED.
int WSACleanup();
int WSAGetLastError();
void WSASetLastError(int iError);

// Sockets. The system's own functions of the same names take descriptors; these take SOCKET
// handles and report errors through WSAGetLastError. A socket is created blocking.
SOCKET WSASocket(int af, int type, int protocol, void* lpProtocolInfo = nullptr, unsigned g = 0,
                 DWORD dwFlags = 0);
int closesocket(SOCKET s);
int bind(SOCKET s, const struct sockaddr* name, int namelen);
int listen(SOCKET s, int backlog);
SOCKET accept(SOCKET s, struct sockaddr* addr, int* addrlen);
int connect(SOCKET s, const struct sockaddr* name, int namelen);
int send(SOCKET s, const char* buf, int len, int flags);
int recv(SOCKET s, char* buf, int len, int flags);
// Lengths given as sizeof pick these rather than the system's functions.
inline int send(SOCKET s, const char* buf, size_t len, int flags) { return send(s, buf, len > 0x7FFFFFFF ? 0x7FFFFFFF : (int)len, flags); }
inline int recv(SOCKET s, char* buf, size_t len, int flags) { return recv(s, buf, len > 0x7FFFFFFF ? 0x7FFFFFFF : (int)len, flags); }
int shutdown(SOCKET s, int how);
int getpeername(SOCKET s, struct sockaddr* name, int* namelen);
int getsockname(SOCKET s, struct sockaddr* name, int* namelen);
int setsockopt(SOCKET s, int level, int optname, const char* optval, int optlen);
int getsockopt(SOCKET s, int level, int optname, char* optval, int* optlen);
// WS_FIONBIO (0: blocking, else non-blocking) and WS_FIONREAD (bytes waiting).
int ioctlsocket(SOCKET s, long cmd, ULONG* argp);

// Asks for `lEvent` notifications as `wMsg` posted to hWnd: wParam the socket, lParam
// WSAMAKESELECTREPLY(event, error). Makes the socket non-blocking; lEvent 0 cancels.
// Each event is told once and told again after the call that re-enables it (recv for FD_READ,
// accept for FD_ACCEPT, a send that would block for FD_WRITE).
int WSAAsyncSelect(SOCKET s, HWND hWnd, UINT wMsg, long lEvent);

// The host's name; SOCKET_ERROR with WSAEFAULT when it does not fit.
int gethostname(char* name, int namelen);
// gethostbyname: the host entry of a name. The own host name (or an empty name) lists the IPv4
// addresses of the network interfaces (127.0.0.1 when there is no other); a dotted address
// stands for itself; other names go to the resolver. The entry belongs to the calling thread and
// lives until its next call. Null with WSAHOST_NOT_FOUND when the name is unknown.
// The system's resolver keeps its own declaration (netdb.h); Windows programs reach this one.
#include "mivo/hostnames.h"

// The framework's socket start-up: Windows Sockets 1.1 (the data block, when given, receives the
// start-up data); the matching clean-up runs when the process exits. TRUE when sockets started.
BOOL AfxSocketInit(WSADATA* lpwsaData = nullptr);
