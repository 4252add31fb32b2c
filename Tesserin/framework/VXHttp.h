// CVXHttp: a small HTTP client over WinINet. One session and one connection
// to one host; downloads one object to a local file with progress messages,
// asks for an object's length, and posts a form keeping the reply as text.
#pragma once

#include "mfc.h"

#include <cstdint>
#include <string>

// Posted to the target window while a reply arrives:
// wParam = (percent + 100) * 100, lParam 0.
#define WM_HTTP_PROGRESS 0x820

class AFX_EXT_CLASS CVXHttp {
public:
    CVXHttp();
    virtual ~CVXHttp();

    int MakeInternetSession();
    int MakeHttpConnection();
    void SetTargetWindow(HWND hWnd);

    // The object's Content-Length; 0 for a reply that is not 2xx or has no length.
    unsigned long GetFileLength();
    // 1 only when the whole object of a 2xx reply reached the local file.
    int DownloadHttpFile(CString strLocalPath);
    int OpenPostHttpFile();
    int ReadPostHttpFile();
    void CloseConnection();

    static void OnStatusCallBack(HINTERNET hInternet, DWORD_PTR dwContext, DWORD dwInternetStatus,
                                 LPVOID lpvStatusInformation, DWORD dwStatusInformationLength);
    static void CALLBACK _OnStatusCallBack(HINTERNET hInternet, DWORD_PTR dwContext, DWORD dwInternetStatus,
                                           LPVOID lpvStatusInformation, DWORD dwStatusInformationLength);

    HINTERNET m_hSession;
    HINTERNET m_hConnection;
    HINTERNET m_hRequest;
    HWND m_hTargetWnd;
    CString m_strSpare1;
    CString m_strSpare2;
    CString m_strHost;
    int m_nPort;
    CString m_strObject;
    CString m_strUser;
    CString m_strPassword;
    CString m_strFormData;
    CString m_strResponse;

protected:
    DWORD RequestFlags() const;

private:
    int openRequest(const char* verb);
};

// Pieces shared by CVXHttp and CWDBCQuery.
namespace vxhttp {

extern const char kFormHeader[];   // "Content-Type: application/x-www-form-urlencoded"
extern const char kPlainHeader[];  // "Content-Type: text/plain"
// Replies are kept in memory up to this size; a longer one is refused.
const uint64_t kMaxReplyBytes = 64u << 20;

enum ProgressUnit { PROGRESS_BYTES, PROGRESS_KILOBYTES };

// The name requests carry as their agent: the program's name.
CString ApplicationName();
// Flags of every request; port 443 adds the secure ones.
DWORD RequestFlags(int port);
// Closes the handle when open and forgets it.
void CloseInternetHandle(HINTERNET& handle);
// Opens a request on the connection; `request` is closed first when open.
bool OpenRequest(HINTERNET connection, HINTERNET& request, const char* verb, const CString& object, int port,
                 void* context);
BOOL SendRequest(HINTERNET request, const char* header, const CString& body);
// The reply's status code; 0 when no reply arrived.
int QueryStatus(HINTERNET request);
// The reply's Content-Length; false when it has none (or no sensible one).
bool QueryContentLength(HINTERNET request, uint64_t& length);
// wParam of WM_HTTP_PROGRESS for `received` of `total` bytes.
WPARAM ProgressParam(uint64_t received, uint64_t total, ProgressUnit unit);
// Reads a sent request's body; posts progress when the length is known
// (kilobyte progress only from 1,024 bytes on). False when the reply broke
// off or came short of its length (`response` keeps what came), or would
// exceed kMaxReplyBytes (`response` then holds nothing).
bool ReadReply(HINTERNET request, HWND target, ProgressUnit unit, std::string& response);
// GetFileLength on an open connection: 0 unless a 2xx reply with a length came.
unsigned long QueryObjectLength(HINTERNET connection, HINTERNET& request, const CString& object, int port,
                                void* context, const char* header, const CString& body);
// DownloadHttpFile on an open connection: a GET whose body goes to a
// temporary file beside `localPath`, renamed over it only when complete.
int DownloadObject(HINTERNET connection, HINTERNET& request, const CString& object, int port, void* context,
                   const CString& body, const CString& localPath, HWND target);
// The line the status callback describes a state with; empty for states it ignores.
CString StatusText(DWORD status, LPVOID information, DWORD length);

}  // namespace vxhttp
