// CWinApp: the program object, start-up, the main loop and program-wide helpers.
#include "afx/MfcState.h"
#include "mivo/appmain.h"
#include "mivo/modules.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace mivo {

CWinApp*& AppPointer()
{
    static CWinApp* app = nullptr;
    return app;
}

}  // namespace mivo

namespace {


char* Duplicate(const std::string& s)
{
    char* p = (char*)std::malloc(s.size() + 1);
    if (p)
        std::memcpy(p, s.c_str(), s.size() + 1);
    return p;
}

}  // namespace

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, OnOpenRecentFile)
ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCSTR lpszAppName)
{
    m_pszAppName = lpszAppName ? Duplicate(lpszAppName) : nullptr;
    mivo::AppPointer() = this;
    mivo::MfcThread().thread = this;
    m_nThreadID = ::GetCurrentThreadId();
    m_hThread = ::GetCurrentThread();
    m_bAutoDelete = FALSE;
}

CWinApp::~CWinApp()
{
    DeleteDocumentState();
    if (mivo::AppPointer() == this)
        mivo::AppPointer() = nullptr;
    std::free((void*)m_pszAppName);
    std::free((void*)m_pszExeName);
    std::free((void*)m_pszRegistryKey);
    std::free(m_lpCmdLine);
    if (m_hDevMode)
        ::GlobalFree(m_hDevMode);
    if (m_hDevNames)
        ::GlobalFree(m_hDevNames);
    m_hThread = nullptr;
}

BOOL CWinApp::InitApplication()
{
    return TRUE;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return (int)m_msgCur.wParam;
}

int CWinApp::Run()
{
    // Without a main window there is nothing to run.
    if (m_pMainWnd == nullptr)
        AfxPostQuitMessage(0);
    return CWinThread::Run();
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    if (lCount <= 0)
        CWinThread::OnIdle(lCount);
    else if (lCount == 1)
        CWinThread::OnIdle(lCount);
    return lCount < 1;
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg)
{
    return CWinThread::PreTranslateMessage(pMsg);
}

void CWinApp::WinHelp(DWORD_PTR, UINT) {}

int CWinApp::DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT)
{
    CWnd* main = AfxGetMainWnd();
    return ::MessageBox(mivo::HandleOf(main), lpszPrompt, m_pszAppName, nType);
}

HCURSOR CWinApp::LoadCursor(LPCSTR lpszResourceName) const
{
    return ::LoadCursor(AfxGetResourceHandle(), lpszResourceName);
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const
{
    return ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource));
}

HCURSOR CWinApp::LoadStandardCursor(LPCSTR lpszCursorName) const
{
    return ::LoadCursor(nullptr, lpszCursorName);
}

HCURSOR CWinApp::LoadOEMCursor(UINT nIDCursor) const
{
    return ::LoadCursor(nullptr, MAKEINTRESOURCE(nIDCursor));
}

HICON CWinApp::LoadIcon(LPCSTR lpszResourceName) const
{
    return ::LoadIcon(AfxGetResourceHandle(), lpszResourceName);
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource));
}

HICON CWinApp::LoadStandardIcon(LPCSTR lpszIconName) const
{
    return ::LoadIcon(nullptr, lpszIconName);
}

HICON CWinApp::LoadOEMIcon(UINT nIDIcon) const
{
    return ::LoadIcon(nullptr, MAKEINTRESOURCE(nIDIcon));
}

void CWinApp::SetRegistryKey(LPCSTR lpszRegistryKey)
{
    std::free((void*)m_pszRegistryKey);
    m_pszRegistryKey = lpszRegistryKey ? Duplicate(lpszRegistryKey) : nullptr;
}

namespace {

HKEY OpenSectionKey(const CWinApp& app, LPCSTR section, bool create)
{
    if (!app.m_pszRegistryKey || !section)
        return nullptr;
    std::string path = std::string("Software\\") + app.m_pszRegistryKey + "\\" +
                       (app.m_pszAppName ? app.m_pszAppName : "") + "\\" + section;
    HKEY key = nullptr;
    LONG r = create ? ::RegCreateKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                       nullptr)
                    : ::RegOpenKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key);
    return r == ERROR_SUCCESS ? key : nullptr;
}

}  // namespace

UINT CWinApp::GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault)
{
    HKEY key = OpenSectionKey(*this, lpszSection, false);
    if (!key)
        return (UINT)nDefault;
    DWORD value = 0, type = 0, size = sizeof(value);
    LONG r = ::RegQueryValueEx(key, lpszEntry, nullptr, &type, (LPBYTE)&value, &size);
    ::RegCloseKey(key);
    return (r == ERROR_SUCCESS && type == REG_DWORD) ? (UINT)value : (UINT)nDefault;
}

BOOL CWinApp::WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue)
{
    HKEY key = OpenSectionKey(*this, lpszSection, true);
    if (!key)
        return FALSE;
    DWORD value = (DWORD)nValue;
    LONG r = ::RegSetValueEx(key, lpszEntry, 0, REG_DWORD, (const BYTE*)&value, sizeof(value));
    ::RegCloseKey(key);
    return r == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault)
{
    HKEY key = OpenSectionKey(*this, lpszSection, false);
    CString result(lpszDefault ? lpszDefault : "");
    if (!key)
        return result;
    DWORD type = 0, size = 0;
    if (::RegQueryValueEx(key, lpszEntry, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ) {
        std::string buf(size + 1, '\0');
        if (::RegQueryValueEx(key, lpszEntry, nullptr, &type, (LPBYTE)&buf[0], &size) == ERROR_SUCCESS)
            result = buf.c_str();
    }
    ::RegCloseKey(key);
    return result;
}

BOOL CWinApp::WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue)
{
    HKEY key = OpenSectionKey(*this, lpszSection, true);
    if (!key)
        return FALSE;
    LONG r;
    if (!lpszEntry)
        r = ERROR_SUCCESS;
    else if (!lpszValue)
        r = ::RegDeleteValue(key, lpszEntry);
    else
        r = ::RegSetValueEx(key, lpszEntry, 0, REG_SZ, (const BYTE*)lpszValue, (DWORD)std::strlen(lpszValue) + 1);
    ::RegCloseKey(key);
    return r == ERROR_SUCCESS;
}

void CWinApp::BeginWaitCursor()
{
    DoWaitCursor(1);
}

void CWinApp::EndWaitCursor()
{
    DoWaitCursor(-1);
}

void CWinApp::DoWaitCursor(int nCode)
{
    m_nWaitCursorCount += nCode;
    if (m_nWaitCursorCount > 0) {
        HCURSOR previous = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
        if (nCode > 0 && m_nWaitCursorCount == 1)
            m_hcurWaitCursorRestore = previous;
    } else {
        m_nWaitCursorCount = 0;
        ::SetCursor(m_hcurWaitCursorRestore ? m_hcurWaitCursorRestore : ::LoadCursor(nullptr, IDC_ARROW));
    }
}

CWinApp* AFXAPI AfxGetApp()
{
    return mivo::AppPointer();
}

CWnd* AFXAPI AfxGetMainWnd()
{
    CWinThread* thread = AfxGetThread();
    CWnd* main = thread ? thread->GetMainWnd() : nullptr;
    // Worker threads reach the program's main window.
    if (!main && AfxGetApp())
        main = AfxGetApp()->GetMainWnd();
    return main;
}

LPCSTR AFXAPI AfxGetAppName()
{
    CWinApp* app = AfxGetApp();
    return app && app->m_pszAppName ? app->m_pszAppName : "";
}

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return FALSE;
    app->m_hInstance = hInstance;
    app->m_hPrevInstance = hPrevInstance;
    std::free(app->m_lpCmdLine);
    app->m_lpCmdLine = Duplicate(lpCmdLine ? lpCmdLine : "");
    app->m_nCmdShow = nCmdShow;
    app->m_nThreadID = ::GetCurrentThreadId();
    mivo::MfcThread().thread = app;
    return TRUE;
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    CWinApp* app = AfxGetApp();
    if (!app || !AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow))
        return -1;
    int code;
    if (!app->InitApplication() || !app->InitInstance()) {
        if (app->m_pMainWnd)
            app->m_pMainWnd->DestroyWindow();
        code = app->ExitInstance();
    } else {
        code = app->Run();
    }
    AfxWinTerm();
    return code;
}

void AFXAPI AfxWinTerm()
{
    CWnd::DeleteTempMap();
}

namespace {

std::string ToCp949(const char* utf8)
{
    int wide = ::MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    if (wide <= 0)
        return utf8;
    std::u16string w((size_t)wide, u'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8, -1, (LPWSTR)&w[0], wide);
    int narrow = ::WideCharToMultiByte(CP_ACP, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (narrow <= 0)
        return utf8;
    std::string out((size_t)narrow, '\0');
    ::WideCharToMultiByte(CP_ACP, 0, w.c_str(), -1, &out[0], narrow, nullptr, nullptr);
    out.resize(std::strlen(out.c_str()));
    return out;
}

// Quotes an argument the way a Windows command line would carry it.
std::string Quote(const std::string& arg)
{
    if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos)
        return arg;
    std::string out = "\"";
    size_t backslashes = 0;
    for (char c : arg) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') {
            out.append(backslashes * 2 + 1, '\\');
            out += '"';
        } else {
            out.append(backslashes, '\\');
            out += c;
        }
        backslashes = 0;
    }
    out.append(backslashes * 2, '\\');
    out += '"';
    return out;
}

}  // namespace

int mivo::AfxMainEntry(int argc, char** argv)
{
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (!line.empty())
            line += ' ';
        line += Quote(ToCp949(argv[i]));
    }
    if (CWinApp* app = AfxGetApp()) {
        if (!app->m_pszExeName && argc > 0) {
            std::string exe = argv[0];
            size_t slash = exe.find_last_of('/');
            if (slash != std::string::npos)
                exe = exe.substr(slash + 1);
            app->m_pszExeName = Duplicate(ToCp949(exe.c_str()));
        }
        if (!app->m_pszAppName && app->m_pszExeName)
            app->m_pszAppName = Duplicate(app->m_pszExeName);
    }
    std::string buffer = line;
    return AfxWinMain(mivo::ProgramModule(), nullptr, &buffer[0], SW_SHOWNORMAL);
}

BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule)
{
    state.bInitialized = TRUE;
    state.hModule = hModule;
    state.hResource = hModule;
    state.pFirstSharedClass = nullptr;
    return TRUE;
}

void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL)
{
    state.bInitialized = FALSE;
}
