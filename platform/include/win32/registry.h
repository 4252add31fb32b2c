// The registry: predefined roots, keys and typed values, kept in one per-user file.
#pragma once

#include "win32/types.h"
#include "win32/errors.h"
#include "win32/fileapi.h"

typedef DWORD REGSAM;
typedef LONG LSTATUS;

// Error codes the registry functions return (they do not set the thread's last error).
#ifndef ERROR_SUCCESS
#define ERROR_SUCCESS 0L
#endif
#ifndef ERROR_FILE_NOT_FOUND
#define ERROR_FILE_NOT_FOUND 2L
#endif
#ifndef ERROR_ACCESS_DENIED
#define ERROR_ACCESS_DENIED 5L
#endif
#ifndef ERROR_INVALID_HANDLE
#define ERROR_INVALID_HANDLE 6L
#endif
#ifndef ERROR_NOT_ENOUGH_MEMORY
#define ERROR_NOT_ENOUGH_MEMORY 8L
#endif
#ifndef ERROR_INVALID_PARAMETER
#define ERROR_INVALID_PARAMETER 87L
#endif
#ifndef ERROR_MORE_DATA
#define ERROR_MORE_DATA 234L
#endif
#ifndef ERROR_NO_MORE_ITEMS
#define ERROR_NO_MORE_ITEMS 259L
#endif
#ifndef ERROR_BADDB
#define ERROR_BADDB 1009L
#endif
#ifndef ERROR_BADKEY
#define ERROR_BADKEY 1010L
#endif
#ifndef ERROR_CANTOPEN
#define ERROR_CANTOPEN 1011L
#endif
#ifndef ERROR_CANTREAD
#define ERROR_CANTREAD 1012L
#endif
#ifndef ERROR_CANTWRITE
#define ERROR_CANTWRITE 1013L
#endif
#ifndef ERROR_REGISTRY_IO_FAILED
#define ERROR_REGISTRY_IO_FAILED 1016L
#endif
#ifndef ERROR_KEY_DELETED
#define ERROR_KEY_DELETED 1018L
#endif

#define HKEY_CLASSES_ROOT ((HKEY)(ULONG_PTR)((LONG)0x80000000))
#define HKEY_CURRENT_USER ((HKEY)(ULONG_PTR)((LONG)0x80000001))
#define HKEY_LOCAL_MACHINE ((HKEY)(ULONG_PTR)((LONG)0x80000002))
#define HKEY_USERS ((HKEY)(ULONG_PTR)((LONG)0x80000003))

// Value types.
#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4
#define REG_DWORD_LITTLE_ENDIAN 4
#define REG_DWORD_BIG_ENDIAN 5
#define REG_LINK 6
#define REG_MULTI_SZ 7
#define REG_QWORD 11
#define REG_QWORD_LITTLE_ENDIAN 11

// Access rights.
#ifndef DELETE
#ifndef DELETE
#define DELETE 0x00010000L
#endif
#endif
#ifndef READ_CONTROL
#define READ_CONTROL 0x00020000L
#endif
#ifndef SYNCHRONIZE
#define SYNCHRONIZE 0x00100000L
#endif
#ifndef STANDARD_RIGHTS_READ
#define STANDARD_RIGHTS_READ READ_CONTROL
#define STANDARD_RIGHTS_WRITE READ_CONTROL
#define STANDARD_RIGHTS_EXECUTE READ_CONTROL
#define STANDARD_RIGHTS_ALL 0x001F0000L
#endif
#ifndef MAXIMUM_ALLOWED
#define MAXIMUM_ALLOWED 0x02000000L
#endif
#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_NOTIFY 0x0010
#define KEY_CREATE_LINK 0x0020
#define KEY_WOW64_64KEY 0x0100
#define KEY_WOW64_32KEY 0x0200
#define KEY_READ ((STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY) & ~SYNCHRONIZE)
#define KEY_WRITE ((STANDARD_RIGHTS_WRITE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY) & ~SYNCHRONIZE)
#define KEY_EXECUTE (KEY_READ & ~SYNCHRONIZE)
#define KEY_ALL_ACCESS \
    ((STANDARD_RIGHTS_ALL | KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_ENUMERATE_SUB_KEYS | \
      KEY_NOTIFY | KEY_CREATE_LINK) & ~SYNCHRONIZE)

// Key options and creation results.
#define REG_OPTION_RESERVED 0x00000000L
#define REG_OPTION_NON_VOLATILE 0x00000000L
#define REG_OPTION_VOLATILE 0x00000001L
#define REG_OPTION_CREATE_LINK 0x00000002L
#define REG_OPTION_BACKUP_RESTORE 0x00000004L
#define REG_OPTION_OPEN_LINK 0x00000008L
#define REG_CREATED_NEW_KEY 0x00000001L
#define REG_OPENED_EXISTING_KEY 0x00000002L

LONG RegOpenKeyA(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult);
LONG RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult);
LONG RegCreateKeyA(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult);
LONG RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPSTR lpClass, DWORD dwOptions,
                     REGSAM samDesired, LPSECURITY_ATTRIBUTES lpSecurityAttributes, PHKEY phkResult,
                     LPDWORD lpdwDisposition);
LONG RegCloseKey(HKEY hKey);
LONG RegFlushKey(HKEY hKey);
LONG RegQueryValueA(HKEY hKey, LPCSTR lpSubKey, LPSTR lpData, PLONG lpcbData);
LONG RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData,
                      LPDWORD lpcbData);
LONG RegSetValueA(HKEY hKey, LPCSTR lpSubKey, DWORD dwType, LPCSTR lpData, DWORD cbData);
LONG RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD Reserved, DWORD dwType, const BYTE* lpData,
                    DWORD cbData);
LONG RegDeleteValueA(HKEY hKey, LPCSTR lpValueName);
LONG RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey);
LONG RegEnumKeyA(HKEY hKey, DWORD dwIndex, LPSTR lpName, DWORD cchName);
LONG RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD lpReserved,
                   LPSTR lpClass, LPDWORD lpcchClass, PFILETIME lpftLastWriteTime);
LONG RegEnumValueA(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName, LPDWORD lpReserved,
                   LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData);
LONG RegQueryInfoKeyA(HKEY hKey, LPSTR lpClass, LPDWORD lpcchClass, LPDWORD lpReserved, LPDWORD lpcSubKeys,
                      LPDWORD lpcbMaxSubKeyLen, LPDWORD lpcbMaxClassLen, LPDWORD lpcValues,
                      LPDWORD lpcbMaxValueNameLen, LPDWORD lpcbMaxValueLen, LPDWORD lpcbSecurityDescriptor,
                      PFILETIME lpftLastWriteTime);
// The shell's recursive deletion: the subkey with everything below it.
DWORD SHDeleteKeyA(HKEY hKey, LPCSTR pszSubKey);

// Plain names, as in an ANSI build.
inline LONG RegOpenKey(HKEY k, LPCSTR s, PHKEY r) { return RegOpenKeyA(k, s, r); }
inline LONG RegOpenKeyEx(HKEY k, LPCSTR s, DWORD o, REGSAM sam, PHKEY r) { return RegOpenKeyExA(k, s, o, sam, r); }
inline LONG RegCreateKey(HKEY k, LPCSTR s, PHKEY r) { return RegCreateKeyA(k, s, r); }
inline LONG RegCreateKeyEx(HKEY k, LPCSTR s, DWORD res, LPSTR cls, DWORD opt, REGSAM sam,
                           LPSECURITY_ATTRIBUTES sa, PHKEY r, LPDWORD disp)
{
    return RegCreateKeyExA(k, s, res, cls, opt, sam, sa, r, disp);
}
inline LONG RegQueryValue(HKEY k, LPCSTR s, LPSTR d, PLONG cb) { return RegQueryValueA(k, s, d, cb); }
inline LONG RegQueryValueEx(HKEY k, LPCSTR n, LPDWORD res, LPDWORD t, LPBYTE d, LPDWORD cb)
{
    return RegQueryValueExA(k, n, res, t, d, cb);
}
inline LONG RegSetValue(HKEY k, LPCSTR s, DWORD t, LPCSTR d, DWORD cb) { return RegSetValueA(k, s, t, d, cb); }
inline LONG RegSetValueEx(HKEY k, LPCSTR n, DWORD res, DWORD t, const BYTE* d, DWORD cb)
{
    return RegSetValueExA(k, n, res, t, d, cb);
}
inline LONG RegDeleteValue(HKEY k, LPCSTR n) { return RegDeleteValueA(k, n); }
inline LONG RegDeleteKey(HKEY k, LPCSTR s) { return RegDeleteKeyA(k, s); }
inline LONG RegEnumKey(HKEY k, DWORD i, LPSTR n, DWORD cch) { return RegEnumKeyA(k, i, n, cch); }
inline LONG RegEnumKeyEx(HKEY k, DWORD i, LPSTR n, LPDWORD cch, LPDWORD res, LPSTR cls, LPDWORD cchCls,
                         PFILETIME ft)
{
    return RegEnumKeyExA(k, i, n, cch, res, cls, cchCls, ft);
}
inline LONG RegEnumValue(HKEY k, DWORD i, LPSTR n, LPDWORD cch, LPDWORD res, LPDWORD t, LPBYTE d, LPDWORD cb)
{
    return RegEnumValueA(k, i, n, cch, res, t, d, cb);
}
inline LONG RegQueryInfoKey(HKEY k, LPSTR cls, LPDWORD cchCls, LPDWORD res, LPDWORD subKeys, LPDWORD maxSubKey,
                            LPDWORD maxCls, LPDWORD values, LPDWORD maxValueName, LPDWORD maxValue,
                            LPDWORD secDesc, PFILETIME ft)
{
    return RegQueryInfoKeyA(k, cls, cchCls, res, subKeys, maxSubKey, maxCls, values, maxValueName, maxValue,
                            secDesc, ft);
}
inline DWORD SHDeleteKey(HKEY k, LPCSTR s) { return SHDeleteKeyA(k, s); }
