// ICMP echo ("ICMP.DLL"): the records of IcmpSendEcho. Programs load the module by name and
// take IcmpCreateFile, IcmpSendEcho and IcmpCloseHandle from it with GetProcAddress.
#pragma once

#include "win32/types.h"

typedef ULONG IPAddr;

typedef struct ip_option_information {
    UCHAR Ttl;
    UCHAR Tos;
    UCHAR Flags;
    UCHAR OptionsSize;
    UCHAR* OptionsData;
} IP_OPTION_INFORMATION, *PIP_OPTION_INFORMATION;

// Pointer-sized fields make the record 40 bytes here; the echoed data follows it in the
// caller's buffer, cut to the room left (DataSize says how much arrived there).
typedef struct icmp_echo_reply {
    IPAddr Address;
    ULONG Status;
    ULONG RoundTripTime;
    USHORT DataSize;
    USHORT Reserved;
    PVOID Data;
    IP_OPTION_INFORMATION Options;
} ICMP_ECHO_REPLY, *PICMP_ECHO_REPLY;

#define IP_SUCCESS 0
#define IP_BUF_TOO_SMALL 11001
#define IP_DEST_HOST_UNREACHABLE 11003
#define IP_REQ_TIMED_OUT 11010
#define IP_GENERAL_FAILURE 11050

typedef HANDLE(WINAPI* PFN_IcmpCreateFile)();
typedef BOOL(WINAPI* PFN_IcmpCloseHandle)(HANDLE IcmpHandle);
typedef DWORD(WINAPI* PFN_IcmpSendEcho)(HANDLE IcmpHandle, IPAddr DestinationAddress, LPVOID RequestData,
                                        WORD RequestSize, PIP_OPTION_INFORMATION RequestOptions,
                                        LPVOID ReplyBuffer, DWORD ReplySize, DWORD Timeout);
