#include "framework/WDBCQuery.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// Characters a value may not carry in the form body, and the control bytes
// standing for them. No character is another's stand-in, so order is free.
const struct {
    char character;
    char code;
} kEscapes[] = {
    {'\\', 0x1A}, {'\'', 0x18}, {'&', 0x1F}, {'\n', 0x1C}, {'\r', 0x1D},
    {'\t', 0x1B}, {' ', 0x19},  {'+', 0x17}, {'%', 0x16},
};

const int kMaxDecimals = 100;

// No reply at all, or an error reply.
bool isFailedStatus(int status)
{
    return status == 0 || status >= 400;
}

bool isFieldEnd(const char* p)
{
    return p[0] == '~' && p[1] == '/';
}

bool isRowEnd(const char* p)
{
    return p[0] == '~' && p[1] == '|';
}

// Fixed-point text with exactly `decimals` digits and no padding, however long.
CString numberText(double value, int decimals)
{
    if (decimals < 0)
        decimals = 0;
    if (decimals > kMaxDecimals)
        decimals = kMaxDecimals;
    int width = 15 - decimals;
    int length = std::snprintf(nullptr, 0, "%*.*f", width, decimals, value);
    if (length <= 0)
        return CString();
    std::vector<char> text((size_t)length + 1);
    std::snprintf(text.data(), text.size(), "%*.*f", width, decimals, value);
    CString result(text.data());
    result.Trim();
    return result;
}

void showMessage(const CString& text)
{
    ::MessageBox(nullptr, text, nullptr, MB_OK);
}

}  // namespace

CWDBCQuery::CWDBCQuery(CString strHost, int nPort, CString strObject)
    : m_hSession(nullptr), m_hConnection(nullptr), m_hRequest(nullptr), m_hTargetWnd(nullptr),
      m_strHost(strHost), m_nPort((WORD)nPort), m_strObject(strObject), m_nStatus(0), m_nReadPos(-1),
      m_nColumnCount(0)
{
    for (char*& value : m_pValues)
        value = nullptr;
}

CWDBCQuery::~CWDBCQuery()
{
    CloseQuery();
    freeValues();
}

int CWDBCQuery::InitQuery()
{
    vxhttp::CloseInternetHandle(m_hRequest);
    m_strUser.Empty();
    m_strPassword.Empty();
    m_strFormData.Empty();
    m_response.clear();
    m_nReadPos = -1;
    m_nColumnCount = 0;
    // A second call replaces the first session instead of leaking it.
    vxhttp::CloseInternetHandle(m_hConnection);
    vxhttp::CloseInternetHandle(m_hSession);
    if (!MakeInternetSession() || !MakeHttpConnection()) {
        showMessage("웹 사이트에 접속할 수 없습니다.");
        return 0;
    }
    freeValues();
    clearFields();
    return 1;
}

void CWDBCQuery::SetDBProc(CString strProc)
{
    m_strProc = strProc;
}

void CWDBCQuery::SetStringColumn(char* pszName, char* pszValue, int nEscape)
{
    if (nEscape && pszValue)
        escapeValue(pszValue);
    appendField(pszName ? pszName : "", pszValue ? pszValue : "");
}

void CWDBCQuery::SetStringColumn(CString strName, CString strValue, int nEscape)
{
    if (nEscape) {
        std::string text(strValue.GetString(), (size_t)strValue.GetLength());
        escapeValue(text.data());
        strValue = CString(text.c_str());
    }
    appendField(strName, strValue);
}

void CWDBCQuery::SetNumberColumn(char* pszName, double dValue, int nDecimals)
{
    appendField(pszName ? pszName : "", numberText(dValue, nDecimals));
}

void CWDBCQuery::SetNumberColumn(CString strName, double dValue, int nDecimals)
{
    appendField(strName, numberText(dValue, nDecimals));
}

void CWDBCQuery::appendField(const CString& name, const CString& value)
{
    m_arrNames.Add(name);
    m_arrValues.Add(value);
}

void CWDBCQuery::MakeFormData()
{
    m_strFormData = "DBSP=" + m_strProc;
    for (int i = 0; i < (int)m_arrNames.GetSize(); ++i)
        m_strFormData += "&" + m_arrNames[i] + "=" + m_arrValues[i];
}

int CWDBCQuery::RunQuery()
{
    MakeFormData();
    if (!OpenPostHttpFile() || !ReadPostHttpFile())
        return 0;
    m_nReadPos = 0;
    m_nColumnCount = countColumns();
    return 1;
}

// Fields of the first row, at most the number of value slots.
int CWDBCQuery::countColumns() const
{
    const char* text = m_response.c_str();
    int count = 0;
    for (size_t i = 0; text[i] != 0;) {
        if (isFieldEnd(text + i)) {
            ++count;
            i += 2;
        } else if (isRowEnd(text + i) || text[i + 1] == 0) {
            ++count;
            break;
        } else {
            ++i;
        }
    }
    return count < MAX_VALUES ? count : (int)MAX_VALUES;
}

int CWDBCQuery::FetchNextRow()
{
    if (isFailedStatus(m_nStatus)) {
        CString text;
        text.Format("웹 사이트 접속중 오류가 발생하였습니다.(%d)", m_nStatus);
        showMessage(text);
        return 0;
    }
    freeValues();
    if (m_nReadPos < 0 || (size_t)m_nReadPos >= m_response.size())
        return 0;
    char* base = m_response.data();
    size_t i = (size_t)m_nReadPos;
    size_t fieldStart = i;
    int stored = 0;
    while (base[i] != 0) {
        if (isFieldEnd(base + i)) {
            base[i] = base[i + 1] = 0;
            storeValue(stored++, base + fieldStart);
            i += 2;
            fieldStart = i;
            m_nReadPos = (int)i;
        } else if (isRowEnd(base + i)) {
            base[i] = base[i + 1] = 0;
            storeValue(stored++, base + fieldStart);
            m_nReadPos = (int)(i + 2);
            return 1;
        } else if (base[i + 1] == 0) {
            storeValue(stored++, base + fieldStart);
            m_nReadPos = (int)(i + 1);
            return 1;
        } else {
            m_nReadPos = (int)++i;
        }
    }
    return stored > 0 ? 1 : 0;
}

// Fields past the last slot are dropped.
bool CWDBCQuery::storeValue(int index, const char* text)
{
    if (index >= MAX_VALUES)
        return false;
    size_t length = std::strlen(text);
    char* copy = (char*)std::malloc(length + 1);
    if (copy == nullptr)
        return false;
    std::memcpy(copy, text, length + 1);
    m_pValues[index] = copy;
    return true;
}

char* CWDBCQuery::ColumnValue(int nColumn, int nDecode)
{
    if (nColumn < 0 || nColumn >= m_nColumnCount || nColumn >= MAX_VALUES || m_pValues[nColumn] == nullptr)
        return nullptr;
    if (nDecode)
        decodeValue(m_pValues[nColumn]);
    return m_pValues[nColumn];
}

int CWDBCQuery::ResetQuery()
{
    vxhttp::CloseInternetHandle(m_hRequest);
    m_strUser.Empty();
    m_strPassword.Empty();
    m_strFormData.Empty();
    m_response.clear();
    m_nColumnCount = 0;
    m_nReadPos = -1;
    freeValues();
    clearFields();
    return 1;
}

int CWDBCQuery::CloseQuery()
{
    vxhttp::CloseInternetHandle(m_hRequest);
    vxhttp::CloseInternetHandle(m_hConnection);
    vxhttp::CloseInternetHandle(m_hSession);
    return 1;
}

void CWDBCQuery::CloseConnection()
{
    vxhttp::CloseInternetHandle(m_hRequest);
    vxhttp::CloseInternetHandle(m_hConnection);
}

void CWDBCQuery::SetTargetWindow(HWND hWnd)
{
    m_hTargetWnd = hWnd;
}

int CWDBCQuery::MakeInternetSession()
{
    m_hSession = InternetOpen(vxhttp::ApplicationName(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (m_hSession == nullptr)
        return 0;
    return InternetSetStatusCallback(m_hSession, &CWDBCQuery::_OnStatusCallBack) !=
           INTERNET_INVALID_STATUS_CALLBACK;
}

int CWDBCQuery::MakeHttpConnection()
{
    bool credentials = !m_strUser.IsEmpty();
    m_hConnection = InternetConnect(m_hSession, m_strHost, m_nPort, credentials ? (LPCSTR)m_strUser : nullptr,
                                    credentials ? (LPCSTR)m_strPassword : nullptr, INTERNET_SERVICE_HTTP, 0,
                                    (DWORD_PTR)this);
    return m_hConnection != nullptr;
}

DWORD CWDBCQuery::RequestFlags() const
{
    return vxhttp::RequestFlags(m_nPort);
}

int CWDBCQuery::OpenPostHttpFile()
{
    return vxhttp::OpenRequest(m_hConnection, m_hRequest, "POST", m_strObject, m_nPort, this);
}

int CWDBCQuery::ReadPostHttpFile()
{
    m_response.clear();
    vxhttp::SendRequest(m_hRequest, vxhttp::kFormHeader, m_strFormData);
    m_nStatus = vxhttp::QueryStatus(m_hRequest);
    bool whole = vxhttp::ReadReply(m_hRequest, m_hTargetWnd, vxhttp::PROGRESS_BYTES, m_response);
    return whole && !isFailedStatus(m_nStatus);
}

unsigned long CWDBCQuery::GetFileLength()
{
    m_response.clear();
    return vxhttp::QueryObjectLength(m_hConnection, m_hRequest, m_strObject, m_nPort, this, vxhttp::kPlainHeader,
                                     m_strFormData);
}

int CWDBCQuery::DownloadHttpFile(CString strLocalPath)
{
    m_response.clear();
    return vxhttp::DownloadObject(m_hConnection, m_hRequest, m_strObject, m_nPort, this, m_strFormData,
                                  strLocalPath, m_hTargetWnd);
}

void CWDBCQuery::ConvertChars(char* pszText, char chFrom, char chTo)
{
    if (pszText == nullptr)
        return;
    for (char* p = pszText; *p; ++p)
        if (*p == chFrom)
            *p = chTo;
}

void CWDBCQuery::escapeValue(char* text)
{
    for (const auto& e : kEscapes)
        ConvertChars(text, e.character, e.code);
}

void CWDBCQuery::decodeValue(char* text)
{
    for (const auto& e : kEscapes)
        ConvertChars(text, e.code, e.character);
}

void CWDBCQuery::freeValues()
{
    for (char*& value : m_pValues) {
        std::free(value);
        value = nullptr;
    }
}

void CWDBCQuery::clearFields()
{
    m_arrNames.RemoveAll();
    m_arrValues.RemoveAll();
}

void CWDBCQuery::OnStatusCallBack(HINTERNET, DWORD_PTR, DWORD dwInternetStatus, LPVOID lpvStatusInformation,
                                  DWORD dwStatusInformationLength)
{
    // Only a trace line for a debugger; nothing shows it.
    CString line = vxhttp::StatusText(dwInternetStatus, lpvStatusInformation, dwStatusInformationLength);
    (void)line;
}

void CALLBACK CWDBCQuery::_OnStatusCallBack(HINTERNET hInternet, DWORD_PTR dwContext, DWORD dwInternetStatus,
                                            LPVOID lpvStatusInformation, DWORD dwStatusInformationLength)
{
    OnStatusCallBack(hInternet, dwContext, dwInternetStatus, lpvStatusInformation, dwStatusInformationLength);
}
