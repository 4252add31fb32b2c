#include "OrderApp.h"

#include "DlgSiteSelect.h"
#include "framework/StartupItems.h"
#include "res/resource.h"

namespace {

const char kAppKey[] = "MivoOrder";
const char kServerKey[] = "WDBCServer";
const char kDialogTitle[] = "Mivo 온라인 인화";

}  // namespace

BEGIN_MESSAGE_MAP(COrderApp, CVXApp)
    ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

COrderApp::COrderApp() : m_hMutex(nullptr)
{
    m_strAppKey = kAppKey;
    m_bSingleInstance = 1;
}

COrderApp::~COrderApp()
{
    if (m_hMutex)
        ::CloseHandle(m_hMutex);
}

void COrderApp::ParseCommandLine(LPCSTR pszCommandLine)
{
    ForEachStartupItem(pszCommandLine, [this](const CString& key, const CString& value) {
        if (key == kServerKey)
            m_strServer = value;
    });
}

void COrderApp::ActivateRunningCopy()
{
    HWND found = ::FindWindow(nullptr, kDialogTitle);
    if (!found)
        return;
    HWND popup = ::GetLastActivePopup(found);
    ::BringWindowToTop(found);
    if (popup && popup != found)
        ::BringWindowToTop(popup);
    ::SetForegroundWindow(found);
    ::ShowWindow(found, SW_SHOWNA);
    if (::IsIconic(found))
        ::ShowWindow(found, SW_RESTORE);
}

BOOL COrderApp::InitInstance()
{
    GetRunDir();
    OpenDBProfile("Profile." + m_strAppKey);
    ::SetCurrentDirectory(m_strRunDir);

    ParseCommandLine(m_lpCmdLine);
    if (m_strServer.IsEmpty())
        return FALSE;
    if (m_strDataDir.IsEmpty())
        m_strDataDir = m_strRunDir;

    m_hMutex = ::CreateMutex(nullptr, TRUE, m_strAppKey);
    if (!m_hMutex || ::GetLastError() == ERROR_ALREADY_EXISTS) {
        ActivateRunningCopy();
        return FALSE;
    }
    ::ReleaseMutex(m_hMutex);

    if (!RegisterVXApp(LoadIcon(IDR_MAINFRAME)))
        return FALSE;

    InitCommonControls();
    CVXApp::InitInstance();
    AfxEnableControlContainer();
    SetRegistryKey(m_strAppKey);

    CDlgSiteSelect dialog;
    dialog.m_strServer = m_strServer;
    dialog.m_strDataDir = m_strDataDir;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
