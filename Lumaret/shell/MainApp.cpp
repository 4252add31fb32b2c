#include "MainApp.h"

#include "AboutDlg.h"
#include "MainFrame.h"
#include "framework/DataSource.h"
#include "framework/ODBCQuery.h"
#include "framework/StartupItems.h"
#include "controls/SplashScreen.h"
#include "controls/VXMenu.h"
#include "editor/ImgEditDoc.h"
#include "editor/ImgEditFrame.h"
#include "editor/ImgEditView.h"
#include "editor/OwnedSlot.h"
#include "image/ImageObject.h"
#include "resource.h"

#include <cstdlib>
#include <cstring>
#include <memory>

CMainApp theApp;

namespace {

const char kAppKey[] = "MivoLite";
const int kRecentFiles = 8;

bool IsLeadByte(unsigned char c)
{
    return c >= 0x81 && c <= 0xFE;
}

}  // namespace

BEGIN_MESSAGE_MAP(CMainApp, CVXApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE8, OnOpenRecentFile)
END_MESSAGE_MAP()

CMainApp::CMainApp()
    : m_pSplash(nullptr),
      m_dwSplashStart(0),
      m_nJpegQuality(95),
      m_nUndoLevel(8),
      m_clrSlideShowBk(0),
      m_clrBrowserBk(::GetSysColor(COLOR_3DFACE)),
      m_bServerReachable(0),
      m_nScanCount(0),
      m_nCaptureCount(0),
      m_nNewImageCount(0),
      m_hInstanceMutex(nullptr)
{
    m_strAppKey = kAppKey;
    m_bSingleInstance = 1;
    m_bShowMainWnd = 1;
    m_strTmplDSN = "Mivo";
    m_strUserDSN = "MivoUser";
    m_szMusicDir[0] = m_szImageOpenDir[0] = m_szImageSaveDir[0] = m_szTemplateDir[0] = '\0';
}

CMainApp::~CMainApp()
{
    CloseSplash();
    if (m_hInstanceMutex)
        ::CloseHandle(m_hInstanceMutex);
}

int CMainApp::ParseStartupParams(LPCSTR pszCommandLine)
{
    ForEachStartupItem(pszCommandLine, [this](const CString& key, const CString& value) {
        if (key == "DataDir")
            m_strDataDir = value;
        else if (key == "Show")
            m_bShowMainWnd = value == "1" ? 1 : 0;
        else if (key == "PGUID")
            m_strPGUID = value;
        else if (key == "DBDSN")
            m_strTmplDSN = value;
        else if (key == "DBUID")
            m_strTmplUID = value;
        else if (key == "DBPWD")
            m_strTmplPWD = value;
        else if (key == "Open")
            m_strOpenPath = value;
    });
    return 1;
}

void CMainApp::ApplySetting(const CString& strCateg, const CString& strCode, const CString& strDesc,
                            const CString& strNum)
{
    long number = std::strtol(strNum, nullptr, 10);
    if (strCateg == "JPEG" && strCode == "Quality")
        m_nJpegQuality = (int)number;
    else if (strCateg == "Edit" && strCode == "UndoLevel")
        m_nUndoLevel = (int)number;
    else if (strCateg == "SlideShow" && strCode == "BGColor")
        m_clrSlideShowBk = (COLORREF)number;
    else if (strCateg == "ImgBrowser" && strCode == "BGColor")
        m_clrBrowserBk = (COLORREF)number;
    else if (strCateg == "Edit" && strCode == "LinkPrg")
        m_strLinkPrg = strDesc;
}

int CMainApp::LoadSettings()
{
    CODBCQuery query(m_strUserDSN, m_strUserUID, m_strUserPWD, 1);
    if (!query.InitQuery())
        return 0;
    query.SetStringColumn("BasCateg", "", 0);
    query.SetStringColumn("BasCode", "", 0);
    query.SetStringColumn("BasDesc1", "", 0);
    query.SetStringColumn("BasNum1", "", 0);
    if (!query.RunStructQuery("Select From BasCodes"))
        return 0;
    while (query.FetchNextRow()) {
        const char* categ = query.ColumnValue("BasCateg", 0);
        const char* code = query.ColumnValue("BasCode", 0);
        const char* desc = query.ColumnValue("BasDesc1", 0);
        const char* num = query.ColumnValue("BasNum1", 0);
        ApplySetting(categ ? categ : "", code ? code : "", desc ? desc : "", num ? num : "");
    }
    return 1;
}

BOOL CMainApp::RegisterDataSource(const CString& strDSN)
{
    return RegisterLocalDataSource(strDSN, m_strDataDir + strDSN + ".dat");
}

void CMainApp::CopyFolderBuffer(char* pszBuffer, LPCSTR pszFolder)
{
    const size_t limit = 255;
    size_t n = 0;
    const unsigned char* s = (const unsigned char*)(pszFolder ? pszFolder : "");
    while (s[n] && n < limit) {
        size_t width = IsLeadByte(s[n]) && s[n + 1] ? 2 : 1;
        if (n + width > limit)
            break;
        n += width;
    }
    std::memcpy(pszBuffer, s, n);
    pszBuffer[n] = '\0';
}

void CMainApp::CloseSplash()
{
    if (!m_pSplash)
        return;
    if (::IsWindow(m_pSplash->GetSafeHwnd()))
        m_pSplash->DestroyWindow();
    owned_slot::Free(m_pSplash);
}

BOOL CMainApp::HandOverToRunningCopy()
{
    CWnd* running = CheckAppExist();
    int processes = GetAppProcessCount();
    if (processes > 2 || !running || m_strOpenPath.IsEmpty())
        return FALSE;
    SaveProfileString(m_strAppKey, "OpenFile", m_strOpenPath);
    CommitDBProfile();
    ::SendMessage(running->GetSafeHwnd(), WM_OPEN_FROM_INSTANCE, (WPARAM)(LPCSTR)m_strOpenPath, 0);
    return FALSE;
}

BOOL CMainApp::MakeDataFolderAndSplash()
{
    ::CreateDirectory(m_strDataDir + "Temp", nullptr);
    CString logo;
    logo.Format("%sTemp\\MivoLogo.jpg", (LPCSTR)m_strDataDir);
    CBitmap bitmap;
    if (bitmap.LoadBitmap(IDB_LOGO)) {
        CImageObject converter;
        std::unique_ptr<CImageObject> image(converter.DDBToImgObj(bitmap, BI_RGB, nullptr));
        if (image && !image->Save(logo))
            TRACE("shell: the logo could not be written to %s\n", (LPCSTR)logo);
    }
    auto splash = std::make_unique<CSplashScreen>(logo);
    // Without a picture there is no window: nothing to show or dismiss.
    if (!splash->Create())
        return TRUE;
    m_pSplash = splash.release();
    m_pSplash->ShowWindow(SW_SHOW);
    m_pSplash->UpdateWindow();
    // Its ticks wake the idle pass that dismisses it when nothing else happens.
    m_pSplash->SetTimer(1, 250, nullptr);
    return TRUE;
}

BOOL CMainApp::RegisterDocTemplate()
{
    AddDocTemplate(new CMultiDocTemplate(IDR_IMGEDITTYPE, RUNTIME_CLASS(CImgEditDoc), RUNTIME_CLASS(CImgEditFrame),
                                         RUNTIME_CLASS(CImgEditView)));
    return TRUE;
}

BOOL CMainApp::CreateMainFrame()
{
    CMainFrame* frame = new CMainFrame;
    m_pMainWnd = frame;
    if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE)) {
        // A frame whose creation fails deletes itself.
        m_pMainWnd = nullptr;
        return FALSE;
    }
    // Menu 128 twice: the editors' shared menu and the frame's own, both with the menu pictures.
    frame->m_menuShared.LoadMenu(IDR_MAINFRAME);
    frame->m_menuShared.LoadToolbar(IDR_MENUIMAGES);
    POSITION pos = GetFirstDocTemplatePosition();
    if (CMultiDocTemplate* editors = dynamic_cast<CMultiDocTemplate*>(pos ? GetNextDocTemplate(pos) : nullptr))
        editors->m_hMenuShared = frame->m_menuShared.GetSafeHmenu();
    frame->m_menuDefault.LoadMenu(IDR_MAINFRAME);
    frame->m_menuDefault.LoadToolbar(IDR_MENUIMAGES);
    ::SetMenu(frame->GetSafeHwnd(), frame->m_menuDefault.GetSafeHmenu());
    frame->m_hMenuDefault = frame->m_menuDefault.GetSafeHmenu();
    CVXMenu::original_drawmode = 1;
    CVXMenu::xp_drawmode = 1;
    frame->DrawMenuBar();
    return TRUE;
}

void CMainApp::PlaceMainFrame(BOOL& bMaximize)
{
    CWnd* frame = m_pMainWnd;
    CRect rect;
    int state = RtrvWindowPos(m_strAppKey, &rect);
    if (rect.left == -1 && rect.top == -1) {
        frame->CenterWindow();
        bMaximize = TRUE;
        return;
    }
    frame->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER);
    bMaximize = state != 0;
}

void CMainApp::LoadFolderBuffers()
{
    CopyFolderBuffer(m_szMusicDir, LoadProfileString(m_strAppKey, "MusicDir"));
    CopyFolderBuffer(m_szImageOpenDir, LoadProfileString(m_strAppKey, "ImageOpenDir"));
    CopyFolderBuffer(m_szImageSaveDir, LoadProfileString(m_strAppKey, "ImageSaveDir"));
    CopyFolderBuffer(m_szTemplateDir, LoadProfileString(m_strAppKey, "TemplateDir"));
}

BOOL CMainApp::InitInstance()
{
    GetRunDir();
    return StartUp();
}

BOOL CMainApp::StartUp()
{
    OpenDBProfile("Profile." + m_strAppKey);
    ::SetCurrentDirectory(m_strRunDir);

    ParseStartupParams(m_lpCmdLine);
    if (m_strDataDir.IsEmpty())
        m_strDataDir = m_strRunDir;
    // Every path below is the data folder + a name.
    if (m_strDataDir.Right(1) != "\\")
        m_strDataDir += "\\";

    m_hInstanceMutex = ::CreateMutex(nullptr, TRUE, m_strAppKey);
    if (!m_hInstanceMutex || ::GetLastError() == ERROR_ALREADY_EXISTS)
        return HandOverToRunningCopy();
    ::ReleaseMutex(m_hInstanceMutex);

    if (!RegisterVXApp(LoadIcon(IDR_MAINFRAME)))
        return FALSE;

    MakeDataFolderAndSplash();

    if (!RegisterDataSource(m_strTmplDSN) || !RegisterDataSource(m_strUserDSN)) {
        CloseSplash();
        AfxMessageBox("Database Connection Failed !");
        return FALSE;
    }

    InitCommonControls();
    AfxInitRichEdit2();
    CVXApp::InitInstance();
    m_strTmplUID.LoadString(IDS_TMPL_UID);
    m_strTmplPWD.LoadString(IDS_TMPL_PWD);
    m_strUserUID.LoadString(IDS_USER_UID);
    m_strUserPWD.LoadString(IDS_USER_PWD);

    if (!AfxOleInit()) {
        CloseSplash();
        CString message;
        message.LoadString(IDS_OLE_FAILED);
        AfxMessageBox(message);
        return FALSE;
    }
    AfxEnableControlContainer();
    SetRegistryKey(m_strAppKey);
    LoadStdProfileSettings(kRecentFiles);

    LoadSettings();

    if (!RegisterDocTemplate())
        return FALSE;
    if (!CreateMainFrame()) {
        CloseSplash();
        return FALSE;
    }

    BOOL maximize = FALSE;
    PlaceMainFrame(maximize);
    if (m_bShowMainWnd == 1) {
        m_pMainWnd->ShowWindow(maximize ? SW_SHOWMAXIMIZED : m_nCmdShow);
        m_pMainWnd->UpdateWindow();
        CMainFrame* frame = static_cast<CMainFrame*>(m_pMainWnd);
        if (m_strOpenPath.IsEmpty()) {
            if (LoadProfileInt(m_strAppKey, "SelFolder") == 1)
                frame->ShowAlbumPane();
            else
                frame->ShowBrowsePane();
        } else {
            frame->OpenImageEditor(m_strOpenPath, "");
        }
    }

    m_dwSplashStart = ::GetTickCount();
    LoadFolderBuffers();
    return TRUE;
}

BOOL CMainApp::PreTranslateMessage(MSG* pMsg)
{
    if (m_pSplash && m_pSplash->m_nFlag) {
        switch (pMsg->message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN:
            if (pMsg->hwnd == m_pSplash->GetSafeHwnd())
                m_dwSplashStart -= (DWORD)m_pSplash->m_nValue;  // the next idle pass closes it
            else
                CloseSplash();
            break;
        default:
            break;
        }
    }
    return CVXApp::PreTranslateMessage(pMsg);
}

BOOL CMainApp::OnIdle(LONG lCount)
{
    BOOL more = CVXApp::OnIdle(lCount);
    if (m_pSplash && ::GetTickCount() - m_dwSplashStart >= (DWORD)m_pSplash->m_nValue)
        CloseSplash();
    return more;
}

void CMainApp::OnAppAbout()
{
    CAboutDlg about;
    about.DoModal();
}

BOOL CMainApp::OnOpenRecentFile(UINT nID)
{
    if (!m_pRecentFileList)
        return TRUE;
    int index = (int)(nID - ID_FILE_MRU_FILE1);
    if (index < 0 || index >= m_pRecentFileList->GetSize())
        return TRUE;
    CString path = (*m_pRecentFileList)[index];
    if (path.IsEmpty())
        return TRUE;
    CMainFrame* frame = dynamic_cast<CMainFrame*>(m_pMainWnd);
    if (!frame || !frame->OpenImageEditor(path, ""))
        m_pRecentFileList->Remove(index);
    return TRUE;
}
