#include "DlgSiteSelect.h"

#include "SiteCache.h"
#include "SiteListView.h"

#include "framework/WDBCQuery.h"

namespace {

const int kBandGap = 6;  // between the grid and the notice
const int kCloseColourOffset = 50;
const int kButtonIconSize = 16;  // the close button is a text line high

}  // namespace

HICON LoadSmallIcon(UINT id)
{
    LPCSTR name = MAKEINTRESOURCE(id);
    return (HICON)::LoadImage(AfxFindResourceHandle(name, RT_GROUP_ICON), name, IMAGE_ICON, kButtonIconSize,
                              kButtonIconSize, 0);
}

BEGIN_MESSAGE_MAP(CDlgSiteSelect, CVXDialog)
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_WM_SIZE()
    ON_BN_CLICKED(IDC_SITE_TAB, OnTabClicked)
END_MESSAGE_MAP()

CDlgSiteSelect::CDlgSiteSelect(CWnd* pParent) : CVXDialog(IDD, pParent), m_pSiteView(nullptr)
{
    m_strProfileName = "MivoOrder";
    m_nIconID = IDR_MAINFRAME;
    m_hIcon = AfxGetApp() ? AfxGetApp()->LoadIcon(IDR_MAINFRAME) : nullptr;
}

CDlgSiteSelect::~CDlgSiteSelect() {}

void CDlgSiteSelect::DoDataExchange(CDataExchange* pDX)
{
    CVXDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SITE_TAB, m_btnTab);
    DDX_Control(pDX, IDCANCEL, m_btnClose);
    DDX_Text(pDX, IDC_SITE_NOTICE, m_strNotice);
}

BOOL CDlgSiteSelect::OnInitDialog()
{
    CVXDialog::OnInitDialog();

    m_btnTab.SetColors(0xDCDCDC, CCheckButton::kKeep, ::GetSysColor(COLOR_BTNFACE), CCheckButton::kKeep, 0xDCDCDC,
                       0xC0A0A0, 1);
    m_btnTab.SetNormalBorder(TRUE);
    m_btnTab.SetBtnCursor(IDC_SITE_HAND);
    m_btnTab.SetCheck(1);

    m_btnClose.SetIcon(LoadSmallIcon(IDI_SITE_CLOSE));
    m_btnClose.SetBtnCursor(IDC_SITE_HAND, TRUE);
    m_btnClose.OffsetColor(0, kCloseColourOffset);

    CreateSiteView();

    LoadProfile();
    if (m_pSiteView)
        m_pSiteView->UpdateWindow();
    LoadSiteList();
    return TRUE;
}

void CDlgSiteSelect::CreateSiteView()
{
    CWnd* place = GetDlgItem(IDC_SITE_PLACE);
    if (!place)
        return;
    CRect rect;
    place->GetWindowRect(&rect);
    ScreenToClient(&rect);
    CRuntimeClass* viewClass = RUNTIME_CLASS(CSiteListView);
    CSiteListView* view = (CSiteListView*)viewClass->CreateObject();
    if (!view)
        return;
    // A tab stop, so that the keyboard reaches the grid.
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, rect, this, IDC_SITE_VIEW)) {
        return;  // a view that failed to be made deletes itself
    }
    m_pSiteView = view;
    if (view->GetExStyle() & WS_EX_CLIENTEDGE) {
        ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
        view->ModifyStyleEx(WS_EX_CLIENTEDGE, WS_EX_STATICEDGE, SWP_FRAMECHANGED);
    }
    view->ShowWindow(SW_SHOW);
    view->SetBkColor(0xFFFFFF);
    view->m_pOwner = this;
    view->m_strDataDir = m_strDataDir;
    view->SendMessage(WM_INITIALUPDATE);
    view->m_bFrameActivation = FALSE;  // no frame: the dialog is top-level
    view->MoveWindow(&rect);
    view->ShowWindow(SW_SHOW);
    // The view takes the placeholder's place, in the Tab order too; the empty
    // placeholder would otherwise paint over it whenever it is repainted.
    view->SetWindowPos(place, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    place->ShowWindow(SW_HIDE);
}

void CDlgSiteSelect::LoadSiteList()
{
    BeginWaitCursor();
    m_strNotice = "\r\n";
    CString object;
    object.LoadString(IDS_WDBC_OBJECT);
    CWDBCQuery query(m_strServer, CSiteCache::kWebPort, object);
    if (query.InitQuery())
        CSiteCache::ReadNotice(query, m_strNotice);
    UpdateData(FALSE);

    CSiteTable scratch;
    CSiteTable& sites = m_pSiteView ? (CSiteTable&)*m_pSiteView : scratch;
    int kept = CSiteCache::ReadSites(query, sites);
    if (m_pSiteView)
        m_pSiteView->SyncPictureSlots();
    EndWaitCursor();
    if (kept == 0)
        ::MessageBox(m_hWnd, "제휴 사이트 정보가 없습니다.", nullptr, MB_OK);

    CSiteCache::RefreshFiles(sites, m_strServer, m_strDataDir, m_hWnd);
    if (m_pSiteView) {
        m_pSiteView->LoadThumbnails();
        m_pSiteView->Invalidate();
    }
}

void CDlgSiteSelect::OnSize(UINT nType, int cx, int cy)
{
    CVXDialog::OnSize(nType, cx, cy);
    CWnd* notice = GetDlgItem(IDC_SITE_NOTICE);
    CWnd* place = GetDlgItem(IDC_SITE_PLACE);
    if (!notice || !place || !m_btnClose.m_hWnd || !m_pSiteView || !m_pSiteView->m_hWnd)
        return;  // still being made
    CRect rcNotice, rcPlace, rcClose;
    notice->GetWindowRect(&rcNotice);
    ScreenToClient(&rcNotice);
    place->GetWindowRect(&rcPlace);
    ScreenToClient(&rcPlace);
    m_btnClose.GetWindowRect(&rcClose);
    ScreenToClient(&rcClose);
    const int m = rcNotice.left, h = rcNotice.Height();
    notice->MoveWindow(m, cy - h - m, cx - 2 * m, h);
    CRect grid(rcPlace.left, rcPlace.top, rcPlace.left + cx - 2 * m, cy - m - h - kBandGap);
    place->MoveWindow(&grid);
    m_pSiteView->MoveWindow(&grid);
    m_btnClose.MoveWindow(cx - m - rcClose.Width(), rcClose.top, rcClose.Width(), rcClose.Height());
}

void CDlgSiteSelect::OnTabClicked()
{
    m_btnTab.SetCheck(1);
    if (m_pSiteView)
        m_pSiteView->ShowWindow(SW_SHOW);
}

void CDlgSiteSelect::OnPaint()
{
    CVXDialog::OnPaint();
}

HCURSOR CDlgSiteSelect::OnQueryDragIcon()
{
    return (HCURSOR)m_hIcon;
}
