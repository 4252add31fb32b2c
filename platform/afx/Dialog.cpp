// CDialog: templates found in the resource chain, the modal loop with the
// owner disabled, WM_INITDIALOG through OnInitDialog, data exchange.
#include "mfc.h"
#include "dialogs/DialogHost.h"
#include "user/OwnerThread.h"
#include "mivo/dialogs.h"
#include "mivo/templates.h"

#include <exception>
#include <functional>

namespace {

// The framework's modal loop needs an application thread; without one the
// dialog pumps its own messages through the same pre-translation.
void PumpWithoutThread(CDialog* dlg, const bool& ended, const std::function<bool()>& endedByCall)
{
    MSG msg;
    bool shown = (dlg->GetStyle() & WS_VISIBLE) != 0;
    HWND owner = ::GetWindow(mivo::HandleOf(dlg), GW_OWNER);
    while (!ended && !endedByCall() && ::IsWindow(mivo::HandleOf(dlg))) {
        if (!::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!shown) {
                dlg->ShowWindow(SW_SHOWNORMAL);
                dlg->UpdateWindow();
                shown = true;
                continue;
            }
            if (owner && !(dlg->GetStyle() & DS_NOIDLEMSG))
                ::SendMessage(owner, WM_ENTERIDLE, MSGF_DIALOGBOX, (LPARAM)mivo::HandleOf(dlg));
            if (ended || !::IsWindow(mivo::HandleOf(dlg)))
                return;
        }
        if (!::GetMessage(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage((int)msg.wParam);
            return;
        }
        if (!CWnd::WalkPreTranslateTree(nullptr, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
}

bool ThreadOwnsWindows()
{
    bool any = false;
    ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND, LPARAM found) -> BOOL {
        *(bool*)found = true;
        return FALSE;
    }, (LPARAM)&any);
    return any;
}

// A worker that owns no windows cannot show a dialog: nobody would see it and its loop would
// wait for input that never comes. The dialog belongs to the thread of its parent, of the
// program's main window, or of the window in front, whichever exists first on another thread.
HWND InterfaceWindowFor(CWnd* parent)
{
    if (ThreadOwnsWindows())
        return nullptr;
    const HWND candidates[] = {mivo::HandleOf(parent), mivo::HandleOf(AfxGetMainWnd()), ::GetForegroundWindow()};
    for (HWND candidate : candidates)
        if (candidate && ::IsWindow(candidate) &&
            ::GetWindowThreadProcessId(candidate, nullptr) != ::GetCurrentThreadId())
            return candidate;
    return nullptr;
}

}  // namespace

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
    ON_MESSAGE(WM_SETFONT, HandleSetFont)
END_MESSAGE_MAP()

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    CDialog* dlg = DYNAMIC_DOWNCAST(CDialog, CWnd::FromHandlePermanent(hWnd));
    return dlg ? dlg->OnInitDialog() : TRUE;
}

CDialog::CDialog() = default;

CDialog::CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd)
{
    if (IS_INTRESOURCE(lpszTemplateName))
        m_nIDHelp = LOWORD((ULONG_PTR)lpszTemplateName);
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate), m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)), m_pParentWnd(pParentWnd)
{
}

CDialog::~CDialog()
{
    if (m_hWnd && ::IsWindow(m_hWnd))
        DestroyWindow();
}

bool CDialog::TemplateBytes(const void** data, size_t* size, HINSTANCE* owner) const
{
    if (m_lpDialogTemplate) {
        *data = m_lpDialogTemplate;
        *size = mivo::kIndirectTemplateLimit;
        *owner = AfxGetResourceHandle();
        return true;
    }
    if (m_hDialogTemplate) {
        *data = ::GlobalLock(m_hDialogTemplate);
        *size = ::GlobalSize(m_hDialogTemplate);
        ::GlobalUnlock(m_hDialogTemplate);
        *owner = AfxGetResourceHandle();
        return *data != nullptr;
    }
    if (!m_lpszTemplateName)
        return false;
    HINSTANCE module = AfxFindResourceHandle(m_lpszTemplateName, RT_DIALOG);
    return mivo::FindDialogTemplate(module, m_lpszTemplateName, data, size, owner);
}

BOOL CDialog::CreateFromTemplate(LPCDLGTEMPLATE lpTemplate, size_t size, CWnd* pParentWnd, HINSTANCE hInst)
{
    m_nModalResult = -1;
    m_bModalEnded = false;
    AfxHookWindowCreate(this);
    HWND hWnd = mivo::CreateDialogFromTemplate(hInst, lpTemplate, size, mivo::HandleOf(pParentWnd), AfxDlgProc, 0,
                                               false);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();
    if (!hWnd) {
        if (m_hWnd && !::IsWindow(m_hWnd))
            Detach();
        return FALSE;
    }
    return TRUE;
}

BOOL CDialog::Create(LPCSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName) && !m_nIDHelp)
        m_nIDHelp = LOWORD((ULONG_PTR)lpszTemplateName);
    m_pParentWnd = pParentWnd;
    const void* data = nullptr;
    size_t size = 0;
    HINSTANCE owner = nullptr;
    if (!TemplateBytes(&data, &size, &owner))
        return FALSE;
    return CreateFromTemplate((LPCDLGTEMPLATE)data, size, pParentWnd, owner);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit)
{
    m_lpDialogInit = lpDialogInit;
    m_pParentWnd = pParentWnd;
    return CreateFromTemplate(lpDialogTemplate, mivo::kIndirectTemplateLimit, pParentWnd, AfxGetResourceHandle());
}

BOOL CDialog::CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd)
{
    const void* data = ::GlobalLock(hDialogTemplate);
    if (!data)
        return FALSE;
    size_t size = ::GlobalSize(hDialogTemplate);
    BOOL ok = CreateFromTemplate((LPCDLGTEMPLATE)data, size, pParentWnd, AfxGetResourceHandle());
    ::GlobalUnlock(hDialogTemplate);
    return ok;
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit)
{
    m_lpDialogTemplate = lpDialogTemplate;
    m_lpDialogInit = lpDialogInit;
    m_pParentWnd = pParentWnd;
    return lpDialogTemplate != nullptr;
}

BOOL CDialog::InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd)
{
    m_hDialogTemplate = hDialogTemplate;
    m_pParentWnd = pParentWnd;
    return hDialogTemplate != nullptr;
}

// The window that owns a modal dialog: the given parent's top-level window,
// else the application's main window, and the popup it shows at the moment.
HWND CDialog::ModalOwner() const
{
    HWND parent = mivo::HandleOf(m_pParentWnd);
    if (!parent)
        parent = mivo::HandleOf(AfxGetMainWnd());
    if (!parent || !::IsWindow(parent))
        return nullptr;
    HWND top = ::GetAncestor(parent, GA_ROOT);
    HWND popup = ::GetWindow(top, GW_ENABLEDPOPUP);
    return popup ? popup : top;
}

void CDialog::RunModal()
{
    if (m_bModalEnded)
        return;
    if (AfxGetThread()) {
        DWORD flags = MLF_SHOWONIDLE;
        if (GetStyle() & DS_NOIDLEMSG)
            flags |= MLF_NOIDLEMSG;
        RunModalLoop(flags);
    } else {
        PumpWithoutThread(this, m_bModalEnded, [this] { return EndedByWindowsCall(); });
    }
}

bool CDialog::EndedByWindowsCall()
{
    if (m_bModalEnded)
        return true;
    INT_PTR result = 0;
    if (!mivo::DialogEndedWith(m_hWnd, &result))
        return false;
    m_nModalResult = (int)result;
    m_bModalEnded = true;
    return true;
}

BOOL CDialog::ContinueModal()
{
    return CWnd::ContinueModal() && !EndedByWindowsCall();
}

INT_PTR CDialog::DoModal()
{
    // As a message box does, the dialog then runs on that window's thread while this one waits.
    if (HWND home = InterfaceWindowFor(m_pParentWnd))
        return (INT_PTR)mivo::RunOnOwnerThread(home, [this]() -> LRESULT { return (LRESULT)DoModal(); });
    const void* data = nullptr;
    size_t size = 0;
    HINSTANCE owner = nullptr;
    if (!TemplateBytes(&data, &size, &owner))
        return -1;
    HWND hWndParent = ModalOwner();
    m_hWndTop = hWndParent;
    bool enableParent = false;
    if (hWndParent && ::IsWindowEnabled(hWndParent)) {
        ::EnableWindow(hWndParent, FALSE);
        enableParent = true;
    }
    CWnd* parent = hWndParent ? CWnd::FromHandle(hWndParent) : nullptr;
    if (CreateFromTemplate((LPCDLGTEMPLATE)data, size, parent, owner)) {
        RunModal();
        if (m_hWnd)
            SetWindowPos(nullptr, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    if (enableParent)
        ::EnableWindow(hWndParent, TRUE);
    if (hWndParent && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndParent);
    if (m_hWnd)
        DestroyWindow();
    m_hWndTop = nullptr;
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    m_bModalEnded = true;
    EndModalLoop(nResult);
    if (m_hWnd)
        ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    bool wasLocked = m_bLockNotify;
    m_bLockNotify = true;
    BOOL ok = FALSE;
    try {
        DoDataExchange(&dx);
        ok = TRUE;
    } catch (CUserException* e) {
        // The user was told what is wrong; the exchange just stops.
        e->Delete();
    } catch (CException* e) {
        e->ReportError(MB_ICONEXCLAMATION);
        e->Delete();
    }
    m_bLockNotify = wasLocked;
    return ok;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // Controls changed by data exchange report it; the dialog does not act on that.
    if (m_bLockNotify && lParam)
        return TRUE;
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (m_bLockNotify)
        return TRUE;
    return CWnd::OnNotify(wParam, lParam, pResult);
}

BOOL CDialog::ExecuteDlgInit(LPCSTR lpszResourceName)
{
    if (!lpszResourceName)
        return TRUE;
    HINSTANCE module = AfxFindResourceHandle(lpszResourceName, RT_DLGINIT);
    return mivo::ExecuteDialogInit(m_hWnd, module, lpszResourceName) ? TRUE : FALSE;
}

BOOL CDialog::ExecuteDlgInit(void* lpResource)
{
    if (!lpResource)
        return TRUE;
    // Data handed over in memory: its records end with a zero id; the bound only limits the reading.
    return mivo::ApplyDialogInit(m_hWnd, lpResource, mivo::kIndirectTemplateLimit) ? TRUE : FALSE;
}

BOOL CDialog::OnInitDialog()
{
    BOOL init = m_lpDialogInit ? ExecuteDlgInit(m_lpDialogInit) : ExecuteDlgInit(m_lpszTemplateName);
    if (!init) {
        EndDialog(-1);
        return FALSE;
    }
    if (!UpdateData(FALSE)) {
        EndDialog(-1);
        return FALSE;
    }
    return TRUE;
}

void CDialog::PreInitDialog() {}

void CDialog::OnSetFont(CFont*) {}

BOOL CDialog::CheckAutoCenter()
{
    DWORD style = GetStyle();
    if (style & (WS_CHILD | DS_CENTER | DS_CENTERMOUSE | DS_ABSALIGN))
        return FALSE;
    const void* data = nullptr;
    size_t size = 0;
    HINSTANCE owner = nullptr;
    mivo::DialogTemplateInfo info;
    if (!TemplateBytes(&data, &size, &owner) || !mivo::ReadDialogTemplate(data, size, info))
        return FALSE;
    return info.x == 0 && info.y == 0;
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    PreInitDialog();
    RECT before;
    ::GetWindowRect(m_hWnd, &before);
    bool wasVisible = (GetStyle() & WS_VISIBLE) != 0;
    LRESULT result = Default();
    // A dialog that did not place itself during its start is centred on its owner.
    RECT after;
    if (::IsWindow(m_hWnd) && ::GetWindowRect(m_hWnd, &after) && ::EqualRect(&before, &after) &&
        wasVisible == ((GetStyle() & WS_VISIBLE) != 0) && CheckAutoCenter())
        CenterWindow();
    return result;
}

LRESULT CDialog::HandleSetFont(WPARAM wParam, LPARAM)
{
    OnSetFont(CFont::FromHandle((HFONT)wParam));
    return Default();
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (!m_hWnd)
        return FALSE;
    FilterToolTipMessage(pMsg);
    return PreTranslateInput(pMsg);
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::NextDlgCtrl() const
{
    ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 0, 0);
}

void CDialog::PrevDlgCtrl() const
{
    ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 1, 0);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    if (pWndCtrl && mivo::HandleOf(pWndCtrl))
        ::SendMessage(m_hWnd, WM_NEXTDLGCTL, (WPARAM)mivo::HandleOf(pWndCtrl), 1);
}

void CDialog::SetDefID(UINT nID)
{
    ::SendMessage(m_hWnd, DM_SETDEFID, nID, 0);
}

DWORD CDialog::GetDefID() const
{
    return (DWORD)::SendMessage(m_hWnd, DM_GETDEFID, 0, 0);
}

void CDialog::MapDialogRect(LPRECT lpRect) const
{
    ::MapDialogRect(m_hWnd, lpRect);
}
