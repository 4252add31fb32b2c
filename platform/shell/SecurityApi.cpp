// Security calls before deletes: records built as Windows builds them, accepted and applied to
// nothing, since the file system here has no access lists.
#include "win32.h"
#include "win32/security.h"
#include "mivo/paths.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>

namespace {

struct Privilege {
    const char* name;
    DWORD luid;
};

const Privilege kPrivileges[] = {
    {"SeSecurityPrivilege", 8}, {"SeTakeOwnershipPrivilege", 9}, {"SeBackupPrivilege", 17},
    {"SeRestorePrivilege", 18}, {"SeShutdownPrivilege", 19},     {"SeDebugPrivilege", 20},
};

// S-1-1-0 (everyone) and S-1-22-1-uid (a Unix user).
size_t WriteSid(void* out, size_t room, BYTE authority, const DWORD* subs, BYTE count)
{
    size_t size = 8 + 4 * (size_t)count;
    if (!out || room < size)
        return size;
    auto* sid = (SID*)out;
    sid->Revision = 1;
    sid->SubAuthorityCount = count;
    memset(sid->IdentifierAuthority.Value, 0, 6);
    sid->IdentifierAuthority.Value[5] = authority;
    memcpy(sid->SubAuthority, subs, 4 * (size_t)count);
    return size;
}

std::string UserName()
{
    passwd* pw = getpwuid(getuid());
    return pw && pw->pw_name ? pw->pw_name : "user";
}

BOOL Fail(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

}  // namespace

BOOL OpenProcessToken(HANDLE, DWORD, PHANDLE TokenHandle)
{
    if (!TokenHandle)
        return Fail(ERROR_INVALID_PARAMETER);
    // Any kernel object does: the token only has to be closable.
    *TokenHandle = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    return *TokenHandle ? TRUE : FALSE;
}

BOOL LookupPrivilegeValue(LPCSTR, LPCSTR lpName, PLUID lpLuid)
{
    if (!lpName || !lpLuid)
        return Fail(ERROR_INVALID_PARAMETER);
    for (const Privilege& p : kPrivileges)
        if (strcasecmp(p.name, lpName) == 0) {
            lpLuid->LowPart = p.luid;
            lpLuid->HighPart = 0;
            return TRUE;
        }
    return Fail(ERROR_NO_SUCH_PRIVILEGE);
}

BOOL AdjustTokenPrivileges(HANDLE TokenHandle, BOOL, PTOKEN_PRIVILEGES, DWORD, PTOKEN_PRIVILEGES, LPDWORD ReturnLength)
{
    if (!TokenHandle)
        return Fail(ERROR_INVALID_HANDLE);
    if (ReturnLength)
        *ReturnLength = 0;
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL GetTokenInformation(HANDLE TokenHandle, TOKEN_INFORMATION_CLASS TokenInformationClass, LPVOID TokenInformation,
                         DWORD TokenInformationLength, LPDWORD ReturnLength)
{
    if (!TokenHandle || !ReturnLength)
        return Fail(ERROR_INVALID_PARAMETER);
    if (TokenInformationClass != TokenUser)
        return Fail(ERROR_INVALID_PARAMETER);
    DWORD subs[2] = {1, (DWORD)getuid()};
    size_t sidSize = WriteSid(nullptr, 0, 22, subs, 2);
    size_t need = sizeof(TOKEN_USER) + sidSize;
    *ReturnLength = (DWORD)need;
    if (!TokenInformation || TokenInformationLength < need)
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    auto* user = (TOKEN_USER*)TokenInformation;
    BYTE* sid = (BYTE*)TokenInformation + sizeof(TOKEN_USER);
    WriteSid(sid, sidSize, 22, subs, 2);
    user->User.Sid = sid;
    user->User.Attributes = 0;
    return TRUE;
}

BOOL InitializeSecurityDescriptor(PSECURITY_DESCRIPTOR pSecurityDescriptor, DWORD dwRevision)
{
    if (!pSecurityDescriptor)
        return Fail(ERROR_INVALID_PARAMETER);
    if (dwRevision != SECURITY_DESCRIPTOR_REVISION)
        return Fail(ERROR_INVALID_SECURITY_DESCR);
    memset(pSecurityDescriptor, 0, sizeof(SECURITY_DESCRIPTOR));
    ((SECURITY_DESCRIPTOR*)pSecurityDescriptor)->Revision = SECURITY_DESCRIPTOR_REVISION;
    return TRUE;
}

BOOL SetSecurityDescriptorOwner(PSECURITY_DESCRIPTOR pSecurityDescriptor, PSID pOwner, BOOL bOwnerDefaulted)
{
    auto* sd = (SECURITY_DESCRIPTOR*)pSecurityDescriptor;
    if (!sd || sd->Revision != SECURITY_DESCRIPTOR_REVISION)
        return Fail(ERROR_INVALID_SECURITY_DESCR);
    if (pOwner && !IsValidSid(pOwner))
        return Fail(ERROR_INVALID_SID);
    sd->Owner = pOwner;
    sd->Control = (WORD)((sd->Control & ~SE_OWNER_DEFAULTED) | (bOwnerDefaulted ? SE_OWNER_DEFAULTED : 0));
    return TRUE;
}

BOOL SetSecurityDescriptorDacl(PSECURITY_DESCRIPTOR pSecurityDescriptor, BOOL bDaclPresent, PACL pDacl,
                               BOOL bDaclDefaulted)
{
    auto* sd = (SECURITY_DESCRIPTOR*)pSecurityDescriptor;
    if (!sd || sd->Revision != SECURITY_DESCRIPTOR_REVISION)
        return Fail(ERROR_INVALID_SECURITY_DESCR);
    sd->Dacl = bDaclPresent ? pDacl : nullptr;
    WORD control = sd->Control & ~(SE_DACL_PRESENT | SE_DACL_DEFAULTED);
    if (bDaclPresent)
        control |= SE_DACL_PRESENT | (bDaclDefaulted ? SE_DACL_DEFAULTED : 0);
    sd->Control = control;
    return TRUE;
}

BOOL LookupAccountName(LPCSTR, LPCSTR lpAccountName, PSID Sid, LPDWORD cbSid, LPSTR ReferencedDomainName,
                       LPDWORD cchReferencedDomainName, PSID_NAME_USE peUse)
{
    if (!lpAccountName || !cbSid || !cchReferencedDomainName)
        return Fail(ERROR_INVALID_PARAMETER);
    DWORD everyone[1] = {0};
    DWORD user[2] = {1, (DWORD)getuid()};
    bool isEveryone = strcasecmp(lpAccountName, "everyone") == 0;
    if (!isEveryone && UserName() != lpAccountName)
        return Fail(ERROR_NONE_MAPPED);
    const char* domain = isEveryone ? "" : "Unix User";
    size_t need = isEveryone ? WriteSid(nullptr, 0, 1, everyone, 1) : WriteSid(nullptr, 0, 22, user, 2);
    size_t domainNeed = strlen(domain) + 1;
    if (!Sid || *cbSid < need || !ReferencedDomainName || *cchReferencedDomainName < domainNeed) {
        *cbSid = (DWORD)need;
        *cchReferencedDomainName = (DWORD)domainNeed;
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    }
    if (isEveryone)
        WriteSid(Sid, *cbSid, 1, everyone, 1);
    else
        WriteSid(Sid, *cbSid, 22, user, 2);
    memcpy(ReferencedDomainName, domain, domainNeed);
    *cbSid = (DWORD)need;
    *cchReferencedDomainName = (DWORD)domainNeed - 1;
    if (peUse)
        *peUse = isEveryone ? SidTypeWellKnownGroup : SidTypeUser;
    return TRUE;
}

BOOL IsValidSid(PSID pSid)
{
    auto* sid = (const SID*)pSid;
    return sid && sid->Revision == 1 && sid->SubAuthorityCount <= 15;
}

DWORD GetLengthSid(PSID pSid)
{
    if (!IsValidSid(pSid))
        return 0;
    return 8 + 4 * (DWORD)((const SID*)pSid)->SubAuthorityCount;
}

BOOL InitializeAcl(PACL pAcl, DWORD nAclLength, DWORD dwAclRevision)
{
    if (!pAcl || nAclLength < sizeof(ACL) || nAclLength > 0xFFFF)
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    if (dwAclRevision != ACL_REVISION)
        return Fail(ERROR_INVALID_PARAMETER);
    memset(pAcl, 0, sizeof(ACL));
    pAcl->AclRevision = (BYTE)dwAclRevision;
    pAcl->AclSize = (WORD)nAclLength;
    return TRUE;
}

BOOL AddAccessAllowedAce(PACL pAcl, DWORD dwAceRevision, DWORD AccessMask, PSID pSid)
{
    if (!pAcl || pAcl->AclRevision != ACL_REVISION || pAcl->AclSize < sizeof(ACL))
        return Fail(ERROR_INVALID_ACL);
    if (dwAceRevision != ACL_REVISION || !IsValidSid(pSid))
        return Fail(ERROR_INVALID_PARAMETER);
    // Entries follow the header; find the end of the ones there.
    size_t used = sizeof(ACL);
    BYTE* base = (BYTE*)pAcl;
    for (WORD i = 0; i < pAcl->AceCount; ++i) {
        if (used + sizeof(ACE_HEADER) > pAcl->AclSize)
            return Fail(ERROR_INVALID_ACL);
        WORD size = ((ACE_HEADER*)(base + used))->AceSize;
        if (size < sizeof(ACE_HEADER) || used + size > pAcl->AclSize)
            return Fail(ERROR_INVALID_ACL);
        used += size;
    }
    DWORD sidLength = GetLengthSid(pSid);
    size_t aceSize = sizeof(ACE_HEADER) + sizeof(DWORD) + sidLength;
    if (used + aceSize > pAcl->AclSize)
        return Fail(ERROR_ALLOTTED_SPACE_EXCEEDED);
    auto* ace = (ACE_HEADER*)(base + used);
    ace->AceType = ACCESS_ALLOWED_ACE_TYPE;
    ace->AceFlags = 0;
    ace->AceSize = (WORD)aceSize;
    memcpy(base + used + sizeof(ACE_HEADER), &AccessMask, sizeof AccessMask);
    memcpy(base + used + sizeof(ACE_HEADER) + sizeof(DWORD), pSid, sidLength);
    ++pAcl->AceCount;
    return TRUE;
}

BOOL SetFileSecurity(LPCSTR lpFileName, SECURITY_INFORMATION, PSECURITY_DESCRIPTOR pSecurityDescriptor)
{
    if (!lpFileName || !pSecurityDescriptor)
        return Fail(ERROR_INVALID_PARAMETER);
    std::string posix;
    struct stat st;
    if (!mivo::ToPosixPath(lpFileName, posix) || stat(posix.c_str(), &st) != 0)
        return Fail(ERROR_FILE_NOT_FOUND);
    return TRUE;
}
