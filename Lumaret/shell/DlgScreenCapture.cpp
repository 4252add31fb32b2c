#include "shell/DlgScreenCapture.h"

#include "resource.h"

#include <cstring>
#include <memory>

BOOL CALLBACK EnumTopWindowsProc(HWND hWnd, LPARAM lParam)
{
    CaptureWindowList* list = reinterpret_cast<CaptureWindowList*>(lParam);
    if (!list || list->nCount >= CaptureWindowList::kMaxWindows)
        return TRUE;
    if (!::IsWindowVisible(hWnd) || ::IsIconic(hWnd))
        return TRUE;
    CRect client;
    ::GetClientRect(hWnd, &client);
    if (client.Width() <= 4 || client.Height() <= 4)
        return TRUE;
    CaptureWindowList::Entry& entry = list->entries[list->nCount];
    entry.szTitle[0] = 0;
    ::GetWindowText(hWnd, entry.szTitle, sizeof(entry.szTitle));
    if (!entry.szTitle[0])
        return TRUE;
    entry.hWnd = hWnd;
    ++list->nCount;
    return TRUE;
}

IMPLEMENT_DYNAMIC(CDlgScreenCapture, CVXDialog)

BEGIN_MESSAGE_MAP(CDlgScreenCapture, CVXDialog)
END_MESSAGE_MAP()

CDlgScreenCapture::CDlgScreenCapture(CWnd* pParent) : CVXDialog(IDD_SCREEN_CAPTURE, pParent), m_hSelWnd(nullptr)
{
    m_strProfileName = "ScreenCapture";
    m_nIconID = IDR_MAINFRAME;
}

void CDlgScreenCapture::DoDataExchange(CDataExchange* pDX)
{
    CVXDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_CAPTURE_WINDOWS, m_lstWindows);
}

BOOL CDlgScreenCapture::CoversScreen(HWND hWnd)
{
    CRect rect;
    if (!::GetWindowRect(hWnd, &rect))
        return FALSE;
    return rect.left <= 0 && rect.top <= 0 && rect.right >= ::GetSystemMetrics(SM_CXSCREEN) &&
           rect.bottom >= ::GetSystemMetrics(SM_CYSCREEN);
}

BOOL CDlgScreenCapture::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    LoadProfile();
    m_btnOK.SetIcon(IDI_BTN_OK);
    m_btnOK.SetNormalBorder(TRUE);
    m_btnOK.SetBtnCursor(IDC_HAND_POINTER);
    m_btnCancel.SetIcon(IDI_BTN_CLOSE);
    m_btnCancel.SetNormalBorder(TRUE);
    m_btnCancel.SetBtnCursor(IDC_HAND_POINTER);

    auto list = std::make_unique<CaptureWindowList>();
    ::EnumWindows(EnumTopWindowsProc, (LPARAM)list.get());
    int index = m_lstWindows.AddString("Desktop");
    m_lstWindows.SetItemDataPtr(index, ::GetDesktopWindow());
    // The bottom-most window is left out only when it stands for the desktop, covering the whole
    // screen; here it is usually the program's own main window, which stays listed even then.
    int count = list->nCount;
    CWnd* main = AfxGetMainWnd();
    HWND last = count > 0 ? list->entries[count - 1].hWnd : nullptr;
    if (last && CoversScreen(last) && (!main || last != main->GetSafeHwnd()))
        --count;
    for (int i = 0; i < count; ++i) {
        index = m_lstWindows.AddString(list->entries[i].szTitle);
        m_lstWindows.SetItemDataPtr(index, list->entries[i].hWnd);
    }
    m_lstWindows.SetCurSel(0);
    return TRUE;
}

void CDlgScreenCapture::OnOK()
{
    int selected = m_lstWindows.GetCurSel();
    if (selected != LB_ERR) {
        m_hSelWnd = (HWND)m_lstWindows.GetItemDataPtr(selected);
        m_lstWindows.GetText(selected, m_strSelTitle);
    }
    CVXDialog::OnOK();
}

BOOL CDlgScreenCapture::ClipToScreen(const CRect& window, const CSize& screen, CRect& area, CPoint& offset)
{
    area = window;
    offset = CPoint(0, 0);
    if (area.right > screen.cx)
        area.right = screen.cx;
    if (area.bottom > screen.cy)
        area.bottom = screen.cy;
    if (area.left < 0) {
        offset.x = -area.left;
        area.left = 0;
    }
    if (area.top < 0) {
        offset.y = -area.top;
        area.top = 0;
    }
    return area.Width() > 0 && area.Height() > 0;
}
