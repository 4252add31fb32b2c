#include "framework/VXHttp.h"

#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

namespace {

const DWORD kReadPiece = 65536;

// Progress goes to the target window as a posted message; nothing when no window was set.
void postProgress(HWND target, WPARAM wParam)
{
    if (target != nullptr)
        PostMessage(target, WM_HTTP_PROGRESS, wParam, 0);
}

void yieldProcessor()
{
    std::this_thread::yield();
}

// The folder part of a Windows-form path, separator included; "." when there is none.
// Neither separator can be a CP949 trail byte, so a byte scan is safe.
CString folderOf(const CString& path)
{
    int cut = -1;
    for (int i = 0; i < path.GetLength(); ++i)
        if (path[i] == '\\' || path[i] == '/')
            cut = i;
    return cut < 0 ? CString(".") : path.Left(cut + 1);
}

// A body being written to a temporary file beside its target.
class PendingFile {
public:
    explicit PendingFile(const CString& target) : m_target(target)
    {
        char name[MAX_PATH] = {};
        if (GetTempFileName(folderOf(target), "dl", 0, name) == 0)
            return;
        m_temp = name;
        m_file = CreateFile(m_temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (m_file == INVALID_HANDLE_VALUE)
            DeleteFile(m_temp);
    }
    ~PendingFile()
    {
        if (isOpen()) {
            CloseHandle(m_file);
            DeleteFile(m_temp);
        }
    }
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    bool isOpen() const { return m_file != INVALID_HANDLE_VALUE; }

    bool write(const char* data, DWORD size)
    {
        DWORD written = 0;
        return size == 0 || (WriteFile(m_file, data, size, &written, nullptr) && written == size);
    }

    // Puts the finished file in place of the target; false leaves the target as it was.
    bool commit()
    {
        BOOL closed = CloseHandle(m_file);
        m_file = INVALID_HANDLE_VALUE;
        if (closed && MoveFileEx(m_temp, m_target, MOVEFILE_REPLACE_EXISTING))
            return true;
        DeleteFile(m_temp);
        return false;
    }

private:
    CString m_target;
    CString m_temp;
    HANDLE m_file = INVALID_HANDLE_VALUE;
};

bool isSuccessStatus(int status)
{
    return status >= 200 && status < 300;
}

// Copies the body of a reply into the file; false when it broke off or came short.
bool copyBody(HINTERNET request, PendingFile& file, HWND target)
{
    uint64_t total = 0;
    bool hasLength = vxhttp::QueryContentLength(request, total);
    std::vector<char> buffer(kReadPiece);
    uint64_t received = 0;
    for (;;) {
        yieldProcessor();
        DWORD got = 0;
        if (!InternetReadFile(request, buffer.data(), kReadPiece, &got))
            return false;
        received += got;
        if (!file.write(buffer.data(), got))
            return false;
        if (got == 0)
            return !hasLength || received >= total;
        if (hasLength && received >= total)
            return true;
        if (hasLength && total >= 1024)
            postProgress(target, vxhttp::ProgressParam(received, total, vxhttp::PROGRESS_KILOBYTES));
    }
}

}  // namespace

namespace vxhttp {

const char kFormHeader[] = "Content-Type: application/x-www-form-urlencoded";
const char kPlainHeader[] = "Content-Type: text/plain";

CString ApplicationName()
{
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileName(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return CString("Mivo");
    CString name(path, (int)length);
    int slash = name.ReverseFind('\\');
    if (slash >= 0)
        name = name.Mid(slash + 1);
    if (name.GetLength() > 4 && name.Right(4).CompareNoCase(".exe") == 0)
        name = name.Left(name.GetLength() - 4);
    return name.IsEmpty() ? CString("Mivo") : name;
}

DWORD RequestFlags(int port)
{
    DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_KEEP_CONNECTION |
                  INTERNET_FLAG_PRAGMA_NOCACHE;
    if ((INTERNET_PORT)port == INTERNET_DEFAULT_HTTPS_PORT)
        flags |= INTERNET_FLAG_SECURE | INTERNET_FLAG_IGNORE_CERT_CN_INVALID | INTERNET_FLAG_IGNORE_CERT_DATE_INVALID;
    return flags;
}

void CloseInternetHandle(HINTERNET& handle)
{
    if (handle != nullptr) {
        InternetCloseHandle(handle);
        handle = nullptr;
    }
}

bool OpenRequest(HINTERNET connection, HINTERNET& request, const char* verb, const CString& object, int port,
                 void* context)
{
    CloseInternetHandle(request);
    LPCSTR acceptTypes[] = {"*/*", nullptr};
    request = HttpOpenRequest(connection, verb, object, "HTTP/1.1", nullptr, acceptTypes, RequestFlags(port),
                              (DWORD_PTR)context);
    return request != nullptr;
}

BOOL SendRequest(HINTERNET request, const char* header, const CString& body)
{
    return HttpSendRequest(request, header, (DWORD)std::strlen(header), (LPVOID)(LPCSTR)body,
                           (DWORD)body.GetLength());
}

int QueryStatus(HINTERNET request)
{
    char text[10] = {};
    DWORD size = sizeof text;
    if (!HttpQueryInfo(request, HTTP_QUERY_STATUS_CODE, text, &size, nullptr))
        return 0;
    return std::atoi(text);
}

bool QueryContentLength(HINTERNET request, uint64_t& length)
{
    char text[32] = {};
    DWORD size = sizeof text;
    if (!HttpQueryInfo(request, HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr))
        return false;
    char* end = nullptr;
    if (text[0] < '0' || text[0] > '9')
        return false;
    unsigned long long value = std::strtoull(text, &end, 10);
    if (end == text || *end != 0)
        return false;
    length = value;
    return true;
}

WPARAM ProgressParam(uint64_t received, uint64_t total, ProgressUnit unit)
{
    if (unit == PROGRESS_KILOBYTES) {
        received >>= 10;
        total >>= 10;
    }
    uint64_t percent = total == 0 ? 100 : received * 100 / total;
    return (WPARAM)((percent + 100) * 100);
}

bool ReadReply(HINTERNET request, HWND target, ProgressUnit unit, std::string& response)
{
    response.clear();
    uint64_t total = 0;
    std::vector<char> buffer(kReadPiece + 1);
    if (QueryContentLength(request, total)) {
        bool progress = unit == PROGRESS_BYTES || total >= 1024;
        uint64_t received = 0;
        while (received < total) {
            yieldProcessor();
            DWORD want = (DWORD)std::min<uint64_t>(total - received, kReadPiece);
            DWORD got = 0;
            if (!InternetReadFile(request, buffer.data(), want, &got) || got == 0)
                return false;
            if (received + got > kMaxReplyBytes) {
                response.clear();
                return false;
            }
            response.append(buffer.data(), got);
            received += got;
            if (progress)
                postProgress(target, ProgressParam(received, total, unit));
        }
        return true;
    }
    for (;;) {
        yieldProcessor();
        DWORD got = 0;
        if (!InternetReadFile(request, buffer.data(), kReadPiece, &got))
            return false;
        if (got == 0)
            return true;
        buffer[got] = 0;
        size_t text = std::strlen(buffer.data());
        if (response.size() + text > kMaxReplyBytes) {
            response.clear();
            return false;
        }
        response.append(buffer.data(), text);
    }
}

unsigned long QueryObjectLength(HINTERNET connection, HINTERNET& request, const CString& object, int port,
                                void* context, const char* header, const CString& body)
{
    if (!OpenRequest(connection, request, "GET", object, port, context))
        return 0;
    SendRequest(request, header, body);
    if (!isSuccessStatus(QueryStatus(request)))
        return 0;
    uint64_t length = 0;
    return QueryContentLength(request, length) ? (unsigned long)length : 0;
}

int DownloadObject(HINTERNET connection, HINTERNET& request, const CString& object, int port, void* context,
                   const CString& body, const CString& localPath, HWND target)
{
    if (!OpenRequest(connection, request, "GET", object, port, context))
        return 0;
    if (!SendRequest(request, kFormHeader, body) || !isSuccessStatus(QueryStatus(request)))
        return 0;
    PendingFile file(localPath);
    if (!file.isOpen() || !copyBody(request, file, target))
        return 0;
    return file.commit() ? 1 : 0;
}

CString StatusText(DWORD status, LPVOID information, DWORD length)
{
    const char* format = nullptr;
    switch (status) {
    case INTERNET_STATUS_RESOLVING_NAME: format = "Resolving name : %s"; break;
    case INTERNET_STATUS_NAME_RESOLVED: format = "Resolved name to  %s"; break;
    case INTERNET_STATUS_CONNECTING_TO_SERVER: format = "Connecting to %s"; break;
    case INTERNET_STATUS_CONNECTED_TO_SERVER: format = "Connected to %s"; break;
    case INTERNET_STATUS_REDIRECT: format = "Redirecting to %s"; break;
    default: return CString();
    }
    // The information is not trusted to end in a zero byte.
    const char* text = (const char*)information;
    CString subject = text ? CString(text, (int)strnlen(text, length)) : CString();
    CString line;
    line.Format(format, (LPCSTR)subject);
    return line;
}

}  // namespace vxhttp

CVXHttp::CVXHttp()
    : m_hSession(nullptr), m_hConnection(nullptr), m_hRequest(nullptr), m_hTargetWnd(nullptr), m_nPort(80)
{
}

CVXHttp::~CVXHttp()
{
    vxhttp::CloseInternetHandle(m_hRequest);
    vxhttp::CloseInternetHandle(m_hConnection);
    vxhttp::CloseInternetHandle(m_hSession);
}

int CVXHttp::MakeInternetSession()
{
    m_hSession = InternetOpen(vxhttp::ApplicationName(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (m_hSession == nullptr)
        return 0;
    return InternetSetStatusCallback(m_hSession, &CVXHttp::_OnStatusCallBack) != INTERNET_INVALID_STATUS_CALLBACK;
}

int CVXHttp::MakeHttpConnection()
{
    bool credentials = !m_strUser.IsEmpty();
    m_hConnection = InternetConnect(m_hSession, m_strHost, (INTERNET_PORT)m_nPort,
                                    credentials ? (LPCSTR)m_strUser : nullptr,
                                    credentials ? (LPCSTR)m_strPassword : nullptr, INTERNET_SERVICE_HTTP, 0,
                                    (DWORD_PTR)this);
    return m_hConnection != nullptr;
}

void CVXHttp::SetTargetWindow(HWND hWnd)
{
    m_hTargetWnd = hWnd;
}

DWORD CVXHttp::RequestFlags() const
{
    return vxhttp::RequestFlags(m_nPort);
}

int CVXHttp::openRequest(const char* verb)
{
    return vxhttp::OpenRequest(m_hConnection, m_hRequest, verb, m_strObject, m_nPort, this);
}

unsigned long CVXHttp::GetFileLength()
{
    m_strResponse.Empty();
    return vxhttp::QueryObjectLength(m_hConnection, m_hRequest, m_strObject, m_nPort, this, vxhttp::kFormHeader,
                                     m_strFormData);
}

int CVXHttp::DownloadHttpFile(CString strLocalPath)
{
    m_strResponse.Empty();
    return vxhttp::DownloadObject(m_hConnection, m_hRequest, m_strObject, m_nPort, this, m_strFormData,
                                  strLocalPath, m_hTargetWnd);
}

int CVXHttp::OpenPostHttpFile()
{
    return openRequest("POST");
}

int CVXHttp::ReadPostHttpFile()
{
    m_strResponse.Empty();
    // No reply, or one cut short of its length, is a failure: half a reply must not pass for the whole.
    if (!vxhttp::SendRequest(m_hRequest, vxhttp::kFormHeader, m_strFormData))
        return 0;
    std::string reply;
    bool whole = vxhttp::ReadReply(m_hRequest, m_hTargetWnd, vxhttp::PROGRESS_KILOBYTES, reply);
    m_strResponse = CString(reply.data(), (int)reply.size());
    return whole ? 1 : 0;
}

void CVXHttp::CloseConnection()
{
    vxhttp::CloseInternetHandle(m_hRequest);
    vxhttp::CloseInternetHandle(m_hConnection);
}

void CVXHttp::OnStatusCallBack(HINTERNET, DWORD_PTR, DWORD dwInternetStatus, LPVOID lpvStatusInformation,
                               DWORD dwStatusInformationLength)
{
    // Only a trace line for a debugger; nothing shows it.
    CString line = vxhttp::StatusText(dwInternetStatus, lpvStatusInformation, dwStatusInformationLength);
    (void)line;
}

void CALLBACK CVXHttp::_OnStatusCallBack(HINTERNET hInternet, DWORD_PTR dwContext, DWORD dwInternetStatus,
                                         LPVOID lpvStatusInformation, DWORD dwStatusInformationLength)
{
    OnStatusCallBack(hInternet, dwContext, dwInternetStatus, lpvStatusInformation, dwStatusInformationLength);
}
