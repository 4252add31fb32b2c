// Windows Sockets start-up. The sockets themselves are the system's; starting them needs no work
// here, so WSAStartup only hands out the version data.
#pragma once

#include "win32/types.h"

#define WSADESCRIPTION_LEN 256
#define WSASYS_STATUS_LEN 128

#define WSAVERNOTSUPPORTED 10092L
#define WSANOTINITIALISED 10093L

typedef struct WSAData {
    WORD wVersion;
    WORD wHighVersion;
    unsigned short iMaxSockets;
    unsigned short iMaxUdpDg;
    char* lpVendorInfo;
    char szDescription[WSADESCRIPTION_LEN + 1];
    char szSystemStatus[WSASYS_STATUS_LEN + 1];
} WSADATA, *LPWSADATA;

// 0 on success; WSAVERNOTSUPPORTED for a requested version below 1.1. Versions above 2.2 get 2.2.
int WSAStartup(WORD wVersionRequested, LPWSADATA lpWSAData);
// 0 while a start-up is outstanding; otherwise SOCKET_ERROR with WSANOTINITIALISED.
int WSACleanup();
int WSAGetLastError();
void WSASetLastError(int iError);

#ifndef SOCKET_ERROR
#define SOCKET_ERROR (-1)
#endif

// The framework's socket start-up: Windows Sockets 1.1 (the data block, when given, receives the
// start-up data); the matching clean-up runs when the process exits. TRUE when sockets started.
BOOL AfxSocketInit(WSADATA* lpwsaData = nullptr);
