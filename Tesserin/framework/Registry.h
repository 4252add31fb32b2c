// CRegistry: reads and writes single registry values under a caller-given root key.
#pragma once

#include "mfc.h"

class AFX_EXT_CLASS CRegistry {
public:
    // Reads fall back to the default; a value or key that does not exist is reported to nobody.
    static DWORD GetRegDWORD(CString strKey, CString strValueName, DWORD dwDefault, HKEY hRoot = HKEY_CURRENT_USER);
    static CString GetRegString(CString strKey, CString strValueName, CString strDefault,
                                HKEY hRoot = HKEY_CURRENT_USER);
    // Writes create the key when it does not exist yet.
    static void SetRegDWORD(CString strKey, CString strValueName, DWORD dwValue, HKEY hRoot = HKEY_CURRENT_USER);
    static void SetRegString(CString strKey, CString strValueName, CString strValue, HKEY hRoot = HKEY_CURRENT_USER);
    // Deletes the value when named, else the subkey with everything below it. Always 0.
    static int RegDelete(CString strKey, CString strValueName, CString strSubKey, HKEY hRoot = HKEY_CURRENT_USER);

private:
    static HKEY OpenForWriting(const CString& strKey, HKEY hRoot, LONG& nResult);
    // Shows the system's text for the code a registry call returned; nothing for 0.
    static void DisplayErrorMessage(CString strOperation, LONG nCode);
};
