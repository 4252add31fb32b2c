#include "DlgAdvertising.h"

#include "AdWebView.h"
#include "MainApp.h"
#include "framework/VXUtil.h"
#include "resource.h"

#include <memory>
#include <string>

std::atomic<int> g_bAdThreadStop{0};

namespace {

// The worker's requests to the window: the host answered (navigate), or reload.
const UINT kAdHostAnswered = WM_APP + 0x146;
const UINT kAdReload = WM_APP + 0x147;

const char* const kSoundKeys[] = {
    "AppEvents\\Schemes\\Apps\\Explorer\\Navigating\\.current",
    "AppEvents\\Schemes\\Apps\\Explorer\\ActivatingDocument\\.current",
};

std::atomic<int> g_nWorkers{0};

// What a worker needs, copied when its tick starts it: the worker never reads the window,
// which may be gone before it ends, and reaches it only by posting.
struct AdRequest {
    HWND hDialog;
    std::string host;
    bool reachable;
};

}  // namespace

BEGIN_MESSAGE_MAP(CDlgAdvertising, CVXDialog)
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_MESSAGE(kAdHostAnswered, OnHostAnswered)
    ON_MESSAGE(kAdReload, OnReloadPage)
END_MESSAGE_MAP()

CDlgAdvertising::CDlgAdvertising(CWnd* pParent)
    : CVXDialog(IDD_ADVERTISING, pParent), m_pWebView(nullptr), m_bSoundsSilenced(0)
{
    m_bChild = TRUE;
    m_nIconID = IDR_MAINFRAME;
    m_strAdURL.LoadString(IDS_AD_URL);
    m_strAdHost.LoadString(IDS_AD_HOST);
}

BOOL CDlgAdvertising::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    CreateWebView();
    SetTimer(kTimerId, kTimerPeriod, nullptr);
    return TRUE;
}

BOOL CDlgAdvertising::CreateWebView()
{
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CAdWebView);
    CAdWebView* view = dynamic_cast<CAdWebView*>(RUNTIME_CLASS(CAdWebView)->CreateObject());
    if (!view)
        return FALSE;
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), this, kViewId,
                      &context)) {
        delete view;  // a window that was never made does not delete itself
        return FALSE;
    }
    m_pWebView = view;
    if (view->GetExStyle() & WS_EX_CLIENTEDGE)
        ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
    view->ModifyStyleEx(WS_EX_CLIENTEDGE, WS_EX_STATICEDGE, SWP_FRAMECHANGED);
    view->ShowWindow(SW_SHOW);
    SetWindowPos(nullptr, 0, 0, kWidth, kHeight, SWP_NOMOVE | SWP_NOZORDER);
    CRect client;
    GetClientRect(&client);
    view->MoveWindow(&client);
    view->SendMessage(WM_INITIALUPDATE);
    // The logo shows until the host has answered.
    view->ShowWindow(SW_HIDE);
    return TRUE;
}

BOOL CDlgAdvertising::PreTranslateMessage(MSG* pMsg)
{
    // The page shows no context menu.
    if (pMsg->message == WM_RBUTTONDOWN || pMsg->message == WM_RBUTTONDBLCLK)
        return TRUE;
    return CVXDialog::PreTranslateMessage(pMsg);
}

// ---- the minute's tick and its worker ----

void CDlgAdvertising::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kTimerId && !theApp.m_bClosing) {
        g_bAdThreadStop = 0;
        // On this thread, before the first worker: the registry is not the workers' to touch.
        if (!m_bSoundsSilenced)
            SaveAndSilenceSounds();
        auto request = std::make_unique<AdRequest>();
        request->hDialog = m_hWnd;
        request->host = (LPCSTR)m_strAdHost;
        request->reachable = theApp.m_bServerReachable != 0;
        ++g_nWorkers;
        if (AfxBeginThread(AdNavigateThread, request.get(), THREAD_PRIORITY_LOWEST))
            request.release();  // the worker owns it now
        else
            --g_nWorkers;
    }
    CVXDialog::OnTimer(nIDEvent);
}

UINT CDlgAdvertising::AdNavigateThread(LPVOID pParam)
{
    std::unique_ptr<AdRequest> request(static_cast<AdRequest*>(pParam));
    if (request->reachable) {
        if (!g_bAdThreadStop)
            ::PostMessage(request->hDialog, kAdReload, 0, 0);
    } else if (!g_bAdThreadStop) {
        bool answered = PINGTest(request->host.c_str()) > 255;
        // A window destroyed meanwhile has set the stop flag; were it missed, the post to a
        // window that is gone fails and does no harm.
        if (answered && !g_bAdThreadStop)
            ::PostMessage(request->hDialog, kAdHostAnswered, 0, 0);
    }
    --g_nWorkers;
    return 0;
}

int CDlgAdvertising::RunningWorkers()
{
    return g_nWorkers;
}

LRESULT CDlgAdvertising::OnHostAnswered(WPARAM, LPARAM)
{
    theApp.m_bServerReachable = 1;
    if (m_pWebView) {
        m_pWebView->ShowWindow(SW_SHOW);
        m_pWebView->Navigate2(m_strAdURL, 0, nullptr, nullptr, nullptr, 0);
    }
    return 0;
}

LRESULT CDlgAdvertising::OnReloadPage(WPARAM, LPARAM)
{
    if (m_pWebView) {
        if (m_pWebView->GetLocationURL().IsEmpty())
            m_pWebView->Navigate2(m_strAdURL);  // the host answered another window first
        else
            m_pWebView->Refresh();
        m_pWebView->ShowWindow(SW_SHOW);
    }
    return 0;
}

// ---- navigation sounds ----

void CDlgAdvertising::SaveAndSilenceSounds()
{
    CString* saved[] = {&m_strSavedNavigatingSound, &m_strSavedActivatingSound};
    for (int i = 0; i < 2; ++i) {
        HKEY key = nullptr;
        if (::RegOpenKeyEx(HKEY_CURRENT_USER, kSoundKeys[i], 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
            continue;
        char value[256] = "";
        DWORD size = 255;
        DWORD type = 0;
        if (::RegQueryValueEx(key, "", nullptr, &type, (LPBYTE)value, &size) == ERROR_SUCCESS &&
            type == REG_SZ) {
            value[size < sizeof(value) ? size : sizeof(value) - 1] = 0;
            *saved[i] = value;
        }
        ::RegSetValueEx(key, "", 0, REG_SZ, (const BYTE*)"", 1);
        ::RegCloseKey(key);
    }
    m_bSoundsSilenced = 1;
}

void CDlgAdvertising::RestoreSounds()
{
    const CString* saved[] = {&m_strSavedNavigatingSound, &m_strSavedActivatingSound};
    for (int i = 0; i < 2; ++i) {
        if (saved[i]->IsEmpty())
            continue;
        HKEY key = nullptr;
        if (::RegOpenKeyEx(HKEY_CURRENT_USER, kSoundKeys[i], 0, KEY_WRITE, &key) != ERROR_SUCCESS)
            continue;
        ::RegSetValueEx(key, "", 0, REG_SZ, (const BYTE*)(LPCSTR)*saved[i], saved[i]->GetLength() + 1);
        ::RegCloseKey(key);
    }
}

void CDlgAdvertising::OnDestroy()
{
    g_bAdThreadStop = 1;
    CVXDialog::OnDestroy();
    m_pWebView = nullptr;  // the view deletes itself with its window
    RestoreSounds();
}
