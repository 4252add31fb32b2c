// CWDBCQuery: calls a stored procedure of the web database through a page.
// One POST names the procedure and its parameters; the plain-text reply is
// cut into rows ending in "~|" and fields ending in "~/".
#pragma once

#include "framework/VXHttp.h"

#include <string>

class AFX_EXT_CLASS CWDBCQuery {
public:
    enum { MAX_VALUES = 255 };

    CWDBCQuery(CString strHost, int nPort, CString strObject);
    virtual ~CWDBCQuery();

    int InitQuery();
    void SetDBProc(CString strProc);
    // With nEscape set, the value's separators and blanks become control bytes
    // (the char* form changes the caller's text in place).
    void SetStringColumn(char* pszName, char* pszValue, int nEscape = 1);
    void SetStringColumn(CString strName, CString strValue, int nEscape = 1);
    void SetNumberColumn(char* pszName, double dValue, int nDecimals = 0);
    void SetNumberColumn(CString strName, double dValue, int nDecimals = 0);
    int RunQuery();
    int FetchNextRow();
    // Valid until the next fetch, reset or init; nDecode turns the control bytes back.
    char* ColumnValue(int nColumn, int nDecode = 1);
    int ResetQuery();
    int CloseQuery();
    void CloseConnection();
    void SetTargetWindow(HWND hWnd);

    int MakeInternetSession();
    int MakeHttpConnection();
    int OpenPostHttpFile();
    int ReadPostHttpFile();
    void MakeFormData();
    unsigned long GetFileLength();
    int DownloadHttpFile(CString strLocalPath);

    static void OnStatusCallBack(HINTERNET hInternet, DWORD_PTR dwContext, DWORD dwInternetStatus,
                                 LPVOID lpvStatusInformation, DWORD dwStatusInformationLength);
    static void CALLBACK _OnStatusCallBack(HINTERNET hInternet, DWORD_PTR dwContext, DWORD dwInternetStatus,
                                           LPVOID lpvStatusInformation, DWORD dwStatusInformationLength);

protected:
    void ConvertChars(char* pszText, char chFrom, char chTo);
    DWORD RequestFlags() const;

private:
    void escapeValue(char* text);
    void decodeValue(char* text);
    void freeValues();
    void clearFields();
    void appendField(const CString& name, const CString& value);
    int countColumns() const;
    bool storeValue(int index, const char* text);

    HINTERNET m_hSession;
    HINTERNET m_hConnection;
    HINTERNET m_hRequest;
    HWND m_hTargetWnd;
    CStringArray m_arrNames;
    CStringArray m_arrValues;
    CString m_strHost;
    WORD m_nPort;
    CString m_strObject;
    CString m_strUser;
    CString m_strPassword;
    CString m_strFormData;
    CString m_strProc;
    std::string m_response;  // cut in place while rows are fetched
    int m_nStatus;
    int m_nReadPos;
    char* m_pValues[MAX_VALUES];
    int m_nColumnCount;
};
