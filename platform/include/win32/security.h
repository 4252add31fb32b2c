// Tokens, privileges, security identifiers and descriptors. The file system has no access
// lists here: these calls build and accept the records and change no permission.
#pragma once

#include "win32/types.h"

#ifndef READ_CONTROL
#define READ_CONTROL 0x00020000L
#endif

#define TOKEN_ASSIGN_PRIMARY 0x0001
#define TOKEN_DUPLICATE 0x0002
#define TOKEN_QUERY 0x0008
#define TOKEN_ADJUST_PRIVILEGES 0x0020
#define TOKEN_ADJUST_DEFAULT 0x0080
#define TOKEN_ALL_ACCESS 0x000F01FF

#define SE_PRIVILEGE_ENABLED_BY_DEFAULT 0x00000001L
#define SE_PRIVILEGE_ENABLED 0x00000002L
#define SE_TAKE_OWNERSHIP_NAME "SeTakeOwnershipPrivilege"
#define SE_BACKUP_NAME "SeBackupPrivilege"
#define SE_RESTORE_NAME "SeRestorePrivilege"
#define SE_SECURITY_NAME "SeSecurityPrivilege"
#define SE_SHUTDOWN_NAME "SeShutdownPrivilege"
#define SE_DEBUG_NAME "SeDebugPrivilege"

#define ERROR_NOT_ALL_ASSIGNED 1300L
#define ERROR_NO_SUCH_PRIVILEGE 1313L
#define ERROR_NONE_MAPPED 1332L
#define ERROR_INVALID_SID 1337L
#define ERROR_INVALID_ACL 1336L
#define ERROR_INVALID_SECURITY_DESCR 1338L
#define ERROR_ALLOTTED_SPACE_EXCEEDED 1344L

#define ANYSIZE_ARRAY 1

typedef struct _LUID {
    DWORD LowPart;
    LONG HighPart;
} LUID, *PLUID;

typedef struct _LUID_AND_ATTRIBUTES {
    LUID Luid;
    DWORD Attributes;
} LUID_AND_ATTRIBUTES, *PLUID_AND_ATTRIBUTES;

typedef struct _TOKEN_PRIVILEGES {
    DWORD PrivilegeCount;
    LUID_AND_ATTRIBUTES Privileges[ANYSIZE_ARRAY];
} TOKEN_PRIVILEGES, *PTOKEN_PRIVILEGES;

typedef PVOID PSID;

typedef struct _SID_IDENTIFIER_AUTHORITY {
    BYTE Value[6];
} SID_IDENTIFIER_AUTHORITY;

typedef struct _SID {
    BYTE Revision;
    BYTE SubAuthorityCount;
    SID_IDENTIFIER_AUTHORITY IdentifierAuthority;
    DWORD SubAuthority[ANYSIZE_ARRAY];
} SID;

#define SECURITY_MAX_SID_SIZE 68

typedef struct _SID_AND_ATTRIBUTES {
    PSID Sid;
    DWORD Attributes;
} SID_AND_ATTRIBUTES;

typedef struct _TOKEN_USER {
    SID_AND_ATTRIBUTES User;
} TOKEN_USER, *PTOKEN_USER;

typedef enum _TOKEN_INFORMATION_CLASS { TokenUser = 1, TokenGroups, TokenPrivileges, TokenOwner } TOKEN_INFORMATION_CLASS;

typedef enum _SID_NAME_USE {
    SidTypeUser = 1,
    SidTypeGroup,
    SidTypeDomain,
    SidTypeAlias,
    SidTypeWellKnownGroup,
} SID_NAME_USE, *PSID_NAME_USE;

#define ACL_REVISION 2
#define ACCESS_ALLOWED_ACE_TYPE 0x0

typedef struct _ACL {
    BYTE AclRevision;
    BYTE Sbz1;
    WORD AclSize;
    WORD AceCount;
    WORD Sbz2;
} ACL, *PACL;

typedef struct _ACE_HEADER {
    BYTE AceType;
    BYTE AceFlags;
    WORD AceSize;
} ACE_HEADER;

typedef struct _ACCESS_ALLOWED_ACE {
    ACE_HEADER Header;
    DWORD Mask;
    DWORD SidStart;
} ACCESS_ALLOWED_ACE;

#define SECURITY_DESCRIPTOR_REVISION 1

typedef WORD SECURITY_DESCRIPTOR_CONTROL;
typedef struct _SECURITY_DESCRIPTOR {
    BYTE Revision;
    BYTE Sbz1;
    SECURITY_DESCRIPTOR_CONTROL Control;
    PSID Owner;
    PSID Group;
    PACL Sacl;
    PACL Dacl;
} SECURITY_DESCRIPTOR, *PISECURITY_DESCRIPTOR;
typedef PVOID PSECURITY_DESCRIPTOR;
#define SECURITY_DESCRIPTOR_MIN_LENGTH sizeof(SECURITY_DESCRIPTOR)

#define SE_OWNER_DEFAULTED 0x0001
#define SE_DACL_PRESENT 0x0004
#define SE_DACL_DEFAULTED 0x0008

typedef DWORD SECURITY_INFORMATION;
#define OWNER_SECURITY_INFORMATION 0x00000001L
#define GROUP_SECURITY_INFORMATION 0x00000002L
#define DACL_SECURITY_INFORMATION 0x00000004L

// The calling process's token (a handle CloseHandle takes).
BOOL OpenProcessToken(HANDLE ProcessHandle, DWORD DesiredAccess, PHANDLE TokenHandle);
BOOL LookupPrivilegeValue(LPCSTR lpSystemName, LPCSTR lpName, PLUID lpLuid);
inline BOOL LookupPrivilegeValueA(LPCSTR s, LPCSTR n, PLUID l) { return LookupPrivilegeValue(s, n, l); }
// Succeeds with the last error ERROR_SUCCESS: every privilege counts as held.
BOOL AdjustTokenPrivileges(HANDLE TokenHandle, BOOL DisableAllPrivileges, PTOKEN_PRIVILEGES NewState,
                           DWORD BufferLength, PTOKEN_PRIVILEGES PreviousState, LPDWORD ReturnLength);
// TokenUser: the user's identifier (S-1-22-1-uid) after the record.
BOOL GetTokenInformation(HANDLE TokenHandle, TOKEN_INFORMATION_CLASS TokenInformationClass, LPVOID TokenInformation,
                         DWORD TokenInformationLength, LPDWORD ReturnLength);
BOOL InitializeSecurityDescriptor(PSECURITY_DESCRIPTOR pSecurityDescriptor, DWORD dwRevision);
BOOL SetSecurityDescriptorOwner(PSECURITY_DESCRIPTOR pSecurityDescriptor, PSID pOwner, BOOL bOwnerDefaulted);
BOOL SetSecurityDescriptorDacl(PSECURITY_DESCRIPTOR pSecurityDescriptor, BOOL bDaclPresent, PACL pDacl,
                               BOOL bDaclDefaulted);
// "everyone" (S-1-1-0) and the user's own name.
BOOL LookupAccountName(LPCSTR lpSystemName, LPCSTR lpAccountName, PSID Sid, LPDWORD cbSid,
                       LPSTR ReferencedDomainName, LPDWORD cchReferencedDomainName, PSID_NAME_USE peUse);
inline BOOL LookupAccountNameA(LPCSTR s, LPCSTR a, PSID sid, LPDWORD cb, LPSTR d, LPDWORD cd, PSID_NAME_USE u)
{
    return LookupAccountName(s, a, sid, cb, d, cd, u);
}
DWORD GetLengthSid(PSID pSid);
BOOL IsValidSid(PSID pSid);
BOOL InitializeAcl(PACL pAcl, DWORD nAclLength, DWORD dwAclRevision);
BOOL AddAccessAllowedAce(PACL pAcl, DWORD dwAceRevision, DWORD AccessMask, PSID pSid);
// TRUE for an existing file or folder (nothing changes); FALSE with ERROR_FILE_NOT_FOUND else.
BOOL SetFileSecurity(LPCSTR lpFileName, SECURITY_INFORMATION SecurityInformation,
                     PSECURITY_DESCRIPTOR pSecurityDescriptor);
inline BOOL SetFileSecurityA(LPCSTR f, SECURITY_INFORMATION i, PSECURITY_DESCRIPTOR d) { return SetFileSecurity(f, i, d); }
