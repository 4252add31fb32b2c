// CRegistry over the registry functions. Their failures come back as return codes (they leave the
// thread's last error alone), so the report shows the code the failing call returned.
#include "framework/Registry.h"

#include <cstring>

namespace {

const int kStringBufferBytes = 261;

}  // namespace

DWORD CRegistry::GetRegDWORD(CString strKey, CString strValueName, DWORD dwDefault, HKEY hRoot)
{
    HKEY hKey = nullptr;
    LONG result = RegOpenKeyEx(hRoot, strKey, 0, KEY_QUERY_VALUE, &hKey);
    DWORD value = dwDefault;
    if (result == ERROR_SUCCESS) {
        DWORD type = 0, size = sizeof value;
        result = RegQueryValueEx(hKey, strValueName, nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size);
        RegCloseKey(hKey);
    }
    if (result == ERROR_SUCCESS) return value;
    if (result != ERROR_FILE_NOT_FOUND) DisplayErrorMessage("GetRegDWORD", result);
    return dwDefault;
}

CString CRegistry::GetRegString(CString strKey, CString strValueName, CString strDefault, HKEY hRoot)
{
    HKEY hKey = nullptr;
    LONG result = RegOpenKeyEx(hRoot, strKey, 0, KEY_QUERY_VALUE, &hKey);
    char text[kStringBufferBytes + 1];
    memset(text, 0, sizeof text);
    if (result == ERROR_SUCCESS) {
        DWORD type = 0, size = kStringBufferBytes;
        result = RegQueryValueEx(hKey, strValueName, nullptr, &type, reinterpret_cast<LPBYTE>(text), &size);
        RegCloseKey(hKey);
        if (result == ERROR_SUCCESS) text[size] = 0;  // stored text need not carry its zero
    }
    if (result == ERROR_SUCCESS) return CString(text);
    if (result != ERROR_FILE_NOT_FOUND) DisplayErrorMessage("GetRegString", result);
    return strDefault;
}

HKEY CRegistry::OpenForWriting(const CString& strKey, HKEY hRoot, LONG& nResult)
{
    HKEY hKey = nullptr;
    nResult = RegOpenKeyEx(hRoot, strKey, 0, KEY_SET_VALUE, &hKey);
    if (nResult == ERROR_SUCCESS) return hKey;
    char noClass[] = "";
    DWORD disposition = 0;
    nResult = RegCreateKeyEx(hRoot, strKey, 0, noClass, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr,
                             &hKey, &disposition);
    return nResult == ERROR_SUCCESS ? hKey : nullptr;
}

void CRegistry::SetRegDWORD(CString strKey, CString strValueName, DWORD dwValue, HKEY hRoot)
{
    LONG result;
    HKEY hKey = OpenForWriting(strKey, hRoot, result);
    if (hKey) {
        result = RegSetValueEx(hKey, strValueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue),
                               sizeof dwValue);
        RegCloseKey(hKey);
    }
    if (result != ERROR_SUCCESS) DisplayErrorMessage("SetRegDWORD", result);
}

void CRegistry::SetRegString(CString strKey, CString strValueName, CString strValue, HKEY hRoot)
{
    LONG result;
    HKEY hKey = OpenForWriting(strKey, hRoot, result);
    if (hKey) {
        result = RegSetValueEx(hKey, strValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>((LPCSTR)strValue),
                               (DWORD)strValue.GetLength());
        RegCloseKey(hKey);
    }
    if (result != ERROR_SUCCESS) DisplayErrorMessage("SetRegString", result);
}

int CRegistry::RegDelete(CString strKey, CString strValueName, CString strSubKey, HKEY hRoot)
{
    HKEY hKey = nullptr;
    LONG result = RegOpenKeyEx(hRoot, strKey, 0, KEY_WRITE, &hKey);
    if (result == ERROR_SUCCESS) {
        if (!strValueName.IsEmpty()) {
            result = RegDeleteValue(hKey, strValueName);
        } else if (!strSubKey.IsEmpty()) {
            result = (LONG)SHDeleteKey(hKey, strSubKey);
        } else {
            result = ERROR_INVALID_PARAMETER;
        }
        RegCloseKey(hKey);
    }
    if (result != ERROR_SUCCESS) DisplayErrorMessage("RegDelete", result);
    return 0;
}

void CRegistry::DisplayErrorMessage(CString strOperation, LONG nCode)
{
    if (nCode == ERROR_SUCCESS) return;
    CString title;
    title.Format("Registry Class Error in %s (%d)", (LPCSTR)strOperation, (int)nCode);
    char text[512] = "";
    FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, (DWORD)nCode,
                  MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text, sizeof text, nullptr);
    MessageBox(nullptr, text, title, MB_OK);
}
