// CVXApp: run folder, profile store, single-instance window class, process count and the log.
#include "framework/VXApp.h"

#include "framework/DBProfile.h"
#include "framework/SysProcess.h"
#include "mivo/instance.h"

#include <memory>
#include <vector>

IMPLEMENT_DYNAMIC(CVXApp, CWinApp)

BEGIN_MESSAGE_MAP(CVXApp, CWinApp)
END_MESSAGE_MAP()

namespace {

const char kLogStampFormat[] = "[APPLOG %Y-%m-%d %H:%M:%S]\r\n";
const UINT kLogStampLength = 30;

// The program's full path, however long (a cut path would name a wrong run folder).
CString ModulePath(HMODULE module)
{
    std::vector<char> buffer(256);
    for (;;) {
        DWORD length = ::GetModuleFileName(module, buffer.data(), (DWORD)buffer.size());
        if (length == 0)
            return CString();
        if (length < buffer.size())
            return CString(buffer.data(), (int)length);
        if (buffer.size() >= 65536)
            return CString();
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace

CVXApp::CVXApp()
    : m_bSingleInstance(1),
      m_bClassRegistered(0),
      m_bShowMainWnd(1),
      m_bClosing(0),
      m_nWinMajor(0),
      m_nWinMinor(0),
      m_pDBProfile(nullptr),
      m_pAppLog(nullptr)
{
}

// ExitInstance releases the store and the log in single-instance mode; they are never leaked otherwise.
CVXApp::~CVXApp()
{
    CloseDBProfile();
    CloseAppLog();
}

BOOL CVXApp::InitInstance()
{
    DWORD version = ::GetVersion();
    m_nWinMajor = LOBYTE(LOWORD(version));
    m_nWinMinor = HIBYTE(LOWORD(version));
    return CWinApp::InitInstance();
}

int CVXApp::ExitInstance()
{
    if (m_bSingleInstance == 1) {
        if (m_bClassRegistered == 1) {
            mivo::WithdrawInstanceClass(m_strAppKey);
            ::UnregisterClass(m_strAppKey, AfxGetInstanceHandle());
            m_bClassRegistered = 0;
        }
        CloseDBProfile();
        if (m_pAppLog)
            CloseAppLog();
    }
    return CWinApp::ExitInstance();
}

// ---- run folder ----

void CVXApp::SplitProgramPath(LPCSTR pszPath, CString& strRunDir, CString& strProgramFile)
{
    // Drive and directory end at the last separator; ':' and '\' are never CP949 trail bytes.
    CString path(pszPath ? pszPath : "");
    int cut = -1;
    for (int i = 0; i < path.GetLength(); ++i) {
        if (path[i] == '\\' || path[i] == '/' || (i == 1 && path[i] == ':'))
            cut = i;
    }
    strRunDir = path.Left(cut + 1);
    strProgramFile = path.Mid(cut + 1);
}

void CVXApp::GetRunDir()
{
    SplitProgramPath(ModulePath(AfxGetInstanceHandle()), m_strRunDir, m_strProgramFile);
}

// ---- profile store ----

void CVXApp::SetDBProfile(CString strName)
{
    m_strProfileFile = strName;
}

void CVXApp::OpenDBProfile(CString strName)
{
    if (!strName.IsEmpty())
        m_strProfileFile = strName;
    if (!m_pDBProfile)
        m_pDBProfile = std::make_unique<CDBProfile>(m_strRunDir, m_strProfileFile, FALSE).release();
}

void CVXApp::CloseDBProfile()
{
    if (!m_pDBProfile)
        return;
    m_pDBProfile->CloseDB();
    std::unique_ptr<CDBProfile> closed(m_pDBProfile);
    m_pDBProfile = nullptr;
}

void CVXApp::CommitDBProfile()
{
    if (m_bSingleInstance == 1 && m_pDBProfile)
        m_pDBProfile->Commit();
}

void CVXApp::InitDBProfile()
{
    if (!m_pDBProfile)
        return;
    m_pDBProfile->TruncateDB();
    m_pDBProfile->CompressDB();
}

void CVXApp::BeginProfileWork()
{
    if (m_bSingleInstance == 0)
        OpenDBProfile(CString());
}

void CVXApp::EndProfileWork()
{
    if (m_bSingleInstance == 0)
        CloseDBProfile();
}

int CVXApp::SaveProfileString(CString strSection, CString strEntry, CString strValue)
{
    BeginProfileWork();
    int result = m_pDBProfile ? m_pDBProfile->SaveStateString(strSection, strEntry, strValue) : 0;
    EndProfileWork();
    return result;
}

CString CVXApp::LoadProfileString(CString strSection, CString strEntry)
{
    BeginProfileWork();
    CString value = m_pDBProfile ? m_pDBProfile->LoadStateString(strSection, strEntry) : CString();
    EndProfileWork();
    return value;
}

int CVXApp::SaveProfileInt(CString strSection, CString strEntry, int nValue)
{
    BeginProfileWork();
    int result = m_pDBProfile ? m_pDBProfile->SaveStateInt(strSection, strEntry, nValue) : 0;
    EndProfileWork();
    return result;
}

int CVXApp::LoadProfileInt(CString strSection, CString strEntry)
{
    BeginProfileWork();
    int value = m_pDBProfile ? m_pDBProfile->LoadStateInt(strSection, strEntry) : 0;
    EndProfileWork();
    return value;
}

void CVXApp::SaveWindowPos(CString strWindow, LPRECT pRect, int nState)
{
    BeginProfileWork();
    if (m_pDBProfile)
        m_pDBProfile->SaveWindowPos(strWindow, pRect, nState);
    EndProfileWork();
}

int CVXApp::RtrvWindowPos(CString strWindow, LPRECT pRect)
{
    BeginProfileWork();
    int state = 0;
    if (m_pDBProfile)
        state = m_pDBProfile->RtrvWindowPos(strWindow, pRect);
    else if (pRect)
        pRect->left = pRect->top = pRect->right = pRect->bottom = -1;
    EndProfileWork();
    return state;
}

// ---- single instance ----

int CVXApp::RegisterVXApp(HICON hIcon)
{
    if (m_bSingleInstance == 0)
        return 1;
    WNDCLASS wc = {};
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hIcon = hIcon;
    wc.hCursor = ::LoadCursor(AfxFindResourceHandle(IDC_ARROW, RT_GROUP_CURSOR), IDC_ARROW);
    if (!wc.hCursor)
        wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);  // no module of the chain holds one
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszMenuName = nullptr;
    wc.lpszClassName = m_strAppKey;
    if (m_strAppKey.IsEmpty() || !AfxRegisterClass(&wc))
        return 0;
    m_bClassRegistered = 1;
    // Another copy of the program finds our main window by this class.
    mivo::PublishInstanceClass(m_strAppKey);
    return 1;
}

CWnd* CVXApp::CheckAppExist()
{
    if (m_bSingleInstance == 0 || m_strAppKey.IsEmpty())
        return nullptr;
    // The window manager finds and drives windows of another copy of the program as well.
    HWND found = ::FindWindow(m_strAppKey, nullptr);
    if (!found)
        return nullptr;
    HWND popup = ::GetLastActivePopup(found);
    ::BringWindowToTop(found);
    ::SetForegroundWindow(found);
    ::ShowWindow(found, SW_SHOWNA);
    if (::IsIconic(found))
        ::ShowWindow(found, SW_RESTORE);
    if (popup && popup != found)
        ::BringWindowToTop(popup);
    return CWnd::FromHandle(found);
}

int CVXApp::GetAppProcessCount()
{
    CSysProcess processes;
    return processes.GetProcessCount(m_strProgramFile);
}

// ---- application log ----

CString CVXApp::AppLogPath() const
{
    return m_strRunDir + "\\" + m_strAppKey + ".log";
}

void CVXApp::OpenAppLog()
{
    if (m_pAppLog)
        return;
    auto log = std::make_unique<CFile>();
    // No log rather than writes into a file that is not open.
    if (!log->Open(AppLogPath(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite | CFile::shareDenyNone))
        return;
    m_pAppLog = log.release();
}

void CVXApp::ClearAppLog()
{
    if (m_pAppLog)
        CloseAppLog();
    CFile emptied;
    if (emptied.Open(AppLogPath(), CFile::modeCreate))
        emptied.Close();
}

void CVXApp::WriteAppLog(CString strText)
{
    OpenAppLog();
    if (!m_pAppLog)
        return;
    try {
        m_pAppLog->SeekToEnd();
        CString stamp = CTime::GetCurrentTime().Format(kLogStampFormat);
        UINT stampLength = (UINT)stamp.GetLength() < kLogStampLength ? (UINT)stamp.GetLength() : kLogStampLength;
        m_pAppLog->Write((LPCSTR)stamp, stampLength);
        m_pAppLog->Write((LPCSTR)strText, (UINT)strText.GetLength());
        m_pAppLog->Write("\r\n", 2);
    } catch (CException* e) {
        e->Delete();  // a full disk loses the entry, never the program
    }
}

void CVXApp::CloseAppLog()
{
    if (!m_pAppLog)
        return;
    std::unique_ptr<CFile> log(m_pAppLog);
    m_pAppLog = nullptr;
    try {
        log->Close();
    } catch (CException* e) {
        e->Delete();
    }
}
