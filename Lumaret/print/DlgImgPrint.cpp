#include "print/DlgImgPrint.h"

#include "framework/VXApp.h"
#include "image/ImageObject.h"
#include "print/DlgImgPrintOption.h"
#include "print/DlgImgPrintTmpl.h"
#include "print/ImgPrintView.h"
#include "resource.h"

int g_bPrintPageBusy = 0;

namespace {

const UINT kHandCursor = 128;
const UINT kIconClose = 185;
const COLORREF kViewBackground = RGB(0xA0, 0xA0, 0xA0);
const int kStatusHeight = 20;

bool Closing()
{
    CVXApp* app = dynamic_cast<CVXApp*>(AfxGetApp());
    return app && app->m_bClosing;
}

}  // namespace

IMPLEMENT_DYNAMIC(CDlgImgPrint, CVXDialog)

BEGIN_MESSAGE_MAP(CDlgImgPrint, CDlgWithOverview)
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_MOVE()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_IMAGE_PROGRESS, OnImageProgress)
    ON_MESSAGE(WM_IMAGE_DONE, OnPageImageDone)
    ON_MESSAGE(WM_PRINT_BUILD_ENDED, OnBuildEnded)
    ON_BN_CLICKED(IDC_PRINT_SHOW_FORMS, OnShowFormList)
    ON_BN_CLICKED(IDC_PRINT_SHOW_OPTIONS, OnShowOptions)
    ON_BN_CLICKED(IDC_PRINT_ZOOM_IN, OnZoomIn)
    ON_BN_CLICKED(IDC_PRINT_ZOOM_OUT, OnZoomOut)
    ON_BN_CLICKED(IDC_PRINT_FIRST, OnFirstPage)
    ON_BN_CLICKED(IDC_PRINT_PREV, OnPrevPage)
    ON_BN_CLICKED(IDC_PRINT_NEXT, OnNextPage)
    ON_BN_CLICKED(IDC_PRINT_LAST, OnLastPage)
    ON_BN_CLICKED(IDC_PRINT_START, OnPrint)
END_MESSAGE_MAP()

CDlgImgPrint::CDlgImgPrint(CWnd* parent)
    : CDlgWithOverview(IDD_IMG_PRINT, parent),
      m_pBorrowImg(nullptr),
      m_pOptionDlg(nullptr),
      m_pTmplDlg(nullptr),
      m_pView(nullptr),
      m_nCurPage(0),
      m_nBuildPage(0),
      m_nBuildCancel(0),
      m_nHeldForm(-1),
      m_bHeldRebuild(FALSE)
{
    m_strProfileName = "ImgPrint";
    m_nIconID = 128;
}

CDlgImgPrint::~CDlgImgPrint()
{
    // A build still running reads this dialog: it ends before anything goes.
    StopBuild();
}

void CDlgImgPrint::DoDataExchange(CDataExchange* pDX)
{
    CDlgWithOverview::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PRINT_PREVIEW_FRAME, m_stcPreview);
    DDX_Control(pDX, IDC_PRINT_OVERVIEW, m_stcOverview);
    DDX_Control(pDX, IDC_PRINT_PANEL_FRAME, m_stcPanel);
    DDX_Control(pDX, IDC_PRINT_SHOW_FORMS, m_btnFormList);
    DDX_Control(pDX, IDC_PRINT_SHOW_OPTIONS, m_btnOptions);
    DDX_Control(pDX, IDC_PRINT_ZOOM_IN, m_btnZoomIn);
    DDX_Control(pDX, IDC_PRINT_ZOOM_OUT, m_btnZoomOut);
    DDX_Control(pDX, IDC_PRINT_FIRST, m_btnFirst);
    DDX_Control(pDX, IDC_PRINT_PREV, m_btnPrev);
    DDX_Control(pDX, IDC_PRINT_NEXT, m_btnNext);
    DDX_Control(pDX, IDC_PRINT_LAST, m_btnLast);
    DDX_Control(pDX, IDC_PRINT_START, m_btnPrint);
    DDX_Control(pDX, IDCANCEL, m_btnClose);
}

BOOL CDlgImgPrint::OnInitDialog()
{
    CDlgWithOverview::OnInitDialog();
    SetupButtons();
    CreatePanels();
    CreateStatusBar();
    CreateView();
    m_overview.Attach(this, IDC_PRINT_OVERVIEW);
    m_overview.SetView(m_pView);
    m_overview.SetZoomSink(COverviewPanel::kStatusZoomFormat, [this](const CString& text) {
        if (m_wndStatusBar.GetSafeHwnd())
            m_wndStatusBar.SetText(text, 3, SBT_NOBORDERS);
    });
    LoadProfile();
    CRect client;
    GetClientRect(&client);
    Layout(client.Width(), client.Height());
    return TRUE;
}

void CDlgImgPrint::SetupButtons()
{
    for (CCheckButton* button : {&m_btnFormList, &m_btnOptions}) {
        button->SetColors(RGB(255, 255, 255), 0xFFFFFFFF, ::GetSysColor(COLOR_BTNFACE), 0xFFFFFFFF, 0xA0A0A0,
                          0xFFFFFFFF, 1);
        button->SetNormalBorder(TRUE);
        button->SetBtnCursor(kHandCursor);
    }
    m_btnFormList.SetCheck(1);
    m_btnOptions.SetCheck(0);
    struct {
        CImageButton* button;
        int icon;
    } buttons[] = {{&m_btnClose, kIconClose},       {&m_btnPrint, IDI_PRINT_PRINT}, {&m_btnZoomIn, IDI_PRINT_ZOOM_IN},
                   {&m_btnZoomOut, IDI_PRINT_ZOOM_OUT}, {&m_btnFirst, IDI_PRINT_FIRST}, {&m_btnPrev, IDI_PRINT_PREV},
                   {&m_btnNext, IDI_PRINT_NEXT},     {&m_btnLast, IDI_PRINT_LAST}};
    for (auto& b : buttons) {
        b.button->SetIcon(b.icon);
        b.button->SetBtnCursor(kHandCursor);
    }
}

void CDlgImgPrint::CreatePanels()
{
    m_pTmplDlg = new CDlgImgPrintTmpl(this);
    m_pTmplDlg->m_bEmbedded = TRUE;
    m_pTmplDlg->m_pPrintDlg = this;
    m_pTmplDlg->Create(IDD_IMG_PRINT_TMPL, this);
    AddChildDialog(m_pTmplDlg);
    m_pOptionDlg = new CDlgImgPrintOption(this);
    m_pOptionDlg->m_bEmbedded = TRUE;
    m_pOptionDlg->m_pPrintDlg = this;
    m_pOptionDlg->Create(IDD_IMG_PRINT_OPTION, this);
    AddChildDialog(m_pOptionDlg);
    CRect frame;
    m_stcPanel.GetWindowRect(&frame);
    ScreenToClient(&frame);
    frame.DeflateRect(1, 1);
    for (CDialog* panel : {(CDialog*)m_pTmplDlg, (CDialog*)m_pOptionDlg})
        if (panel->GetSafeHwnd())
            panel->MoveWindow(&frame);
    if (m_pTmplDlg->GetSafeHwnd())
        m_pTmplDlg->ShowWindow(SW_SHOW);
    if (m_pOptionDlg->GetSafeHwnd())
        m_pOptionDlg->ShowWindow(SW_HIDE);
}

void CDlgImgPrint::CreateStatusBar()
{
    m_wndStatusBar.Create(WS_CHILD | WS_VISIBLE | 0x1000, CRect(0, 0, 0, 0), this, AFX_IDW_STATUS_BAR);
    CRect window;
    GetWindowRect(&window);
    int parts[4] = {300, 400, 500, window.Width() - 1};
    m_wndStatusBar.SetParts(4, parts);
    m_wndStatusBar.SetText("", 0, SBT_NOBORDERS);
    m_wndStatusBar.SetText("", 3, SBT_NOBORDERS);
    CRect part;
    m_wndStatusBar.GetRect(1, &part);
    m_wndProgress.Create(WS_CHILD | WS_VISIBLE | PBS_SMOOTH, part, &m_wndStatusBar, 1);
    m_wndProgress.SetRange(0, 100);
}

void CDlgImgPrint::CreateView()
{
    CRuntimeClass* viewClass = RUNTIME_CLASS(CImgPrintView);
    m_pView = dynamic_cast<CImgPrintView*>(viewClass->CreateObject());
    if (!m_pView)
        return;
    CRect frame;
    m_stcPreview.GetWindowRect(&frame);
    ScreenToClient(&frame);
    if (!m_pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, frame, this, AFX_IDW_PANE_FIRST,
                         nullptr)) {
        m_pView = nullptr;  // a view that failed to create deletes itself
        return;
    }
    m_pView->m_pPrintDlg = this;
    m_pView->m_crBackground = kViewBackground;
    m_pView->SendMessage(WM_INITIALUPDATE);
    m_pView->m_bActivateOnClick = FALSE;
    m_pView->MoveWindow(&frame);
}

// --- Layout and painting -------------------------------------------------------

void CDlgImgPrint::OnSize(UINT nType, int cx, int cy)
{
    CDlgWithOverview::OnSize(nType, cx, cy);
    Layout(cx, cy);
}

void CDlgImgPrint::Layout(int cx, int cy)
{
    if (cx == 0 || cy == 0 || Closing() || !m_stcPreview.GetSafeHwnd())
        return;
    int h = kStatusHeight;
    if (m_wndStatusBar.GetSafeHwnd()) {
        CRect bar;
        m_wndStatusBar.GetWindowRect(&bar);
        ScreenToClient(&bar);
        if (bar.Height() > 0)
            h = bar.Height();
        m_wndStatusBar.MoveWindow(bar.left, cy - h - 2, cx - bar.left - 2, h);
    }
    CRect frame;
    m_stcPreview.GetWindowRect(&frame);
    ScreenToClient(&frame);
    frame.right = cx - 2;
    frame.bottom = cy - h - 2;
    m_stcPreview.MoveWindow(&frame);
    if (m_pView && m_pView->GetSafeHwnd()) {
        m_pView->MoveWindow(&frame);
        m_pView->Invalidate();
    }
    CRect overview;
    m_stcOverview.GetWindowRect(&overview);
    ScreenToClient(&overview);
    overview.bottom = cy - h - 2;
    m_stcOverview.MoveWindow(&overview);
    m_overview.Relayout();
}

void CDlgImgPrint::OnMove(int x, int y)
{
    CDlgWithOverview::OnMove(x, y);
    if (m_pView && m_pView->GetSafeHwnd())
        m_pView->Invalidate();
}

BOOL CDlgImgPrint::OnEraseBkgnd(CDC* pDC)
{
    CRect client, frame;
    GetClientRect(&client);
    CRgn rest, preview;
    rest.CreateRectRgnIndirect(&client);
    if (m_stcPreview.GetSafeHwnd()) {
        m_stcPreview.GetWindowRect(&frame);
        ScreenToClient(&frame);
        preview.CreateRectRgnIndirect(&frame);
        rest.CombineRgn(&rest, &preview, RGN_DIFF);
    }
    CBrush face(::GetSysColor(COLOR_BTNFACE));
    pDC->FillRgn(&rest, &face);
    return 0;
}

void CDlgImgPrint::OnViewRectChanged(CRect source)
{
    m_overview.OnViewRectChanged(source);
}

void CDlgImgPrint::RebuildOverview()
{
    m_overview.Rebuild();
}

// --- Panels and paging -------------------------------------------------------------

void CDlgImgPrint::OnShowFormList()
{
    m_btnFormList.SetCheck(1);
    m_btnOptions.SetCheck(0);
    if (m_pOptionDlg && m_pOptionDlg->GetSafeHwnd())
        m_pOptionDlg->ShowWindow(SW_HIDE);
    if (m_pTmplDlg && m_pTmplDlg->GetSafeHwnd())
        m_pTmplDlg->ShowWindow(SW_SHOW);
}

void CDlgImgPrint::OnShowOptions()
{
    m_btnFormList.SetCheck(0);
    m_btnOptions.SetCheck(1);
    if (m_pTmplDlg && m_pTmplDlg->GetSafeHwnd())
        m_pTmplDlg->ShowWindow(SW_HIDE);
    if (m_pOptionDlg && m_pOptionDlg->GetSafeHwnd())
        m_pOptionDlg->ShowWindow(SW_SHOW);
}

void CDlgImgPrint::OnZoomIn()
{
    if (m_pView)
        m_pView->ZoomIn();
}

void CDlgImgPrint::OnZoomOut()
{
    if (m_pView)
        m_pView->ZoomOut();
}

void CDlgImgPrint::OnFirstPage()
{
    if (m_nCurPage != 0)
        ShowPage(0);
}

void CDlgImgPrint::OnPrevPage()
{
    if (m_nCurPage >= 1)
        ShowPage(m_nCurPage - 1);
}

void CDlgImgPrint::OnNextPage()
{
    if (m_nCurPage < m_form.nPageCount - 1)
        ShowPage(m_nCurPage + 1);
}

void CDlgImgPrint::OnLastPage()
{
    if (m_nCurPage != m_form.nPageCount - 1 && m_form.nPageCount > 0)
        ShowPage(m_form.nPageCount - 1);
}

int CDlgImgPrint::LoadPrForm(int formNo)
{
    return m_form.Load(formNo, (int)m_arrPaths.GetSize());
}

void CDlgImgPrint::ChooseForm(int formNo)
{
    if (g_bPrintPageBusy && m_pBuildThread) {
        m_nHeldForm = formNo;
        return;
    }
    LoadPrForm(formNo);
    ShowPage(0);
}

void CDlgImgPrint::RebuildCurrentPage()
{
    if (g_bPrintPageBusy && m_pBuildThread) {
        m_bHeldRebuild = TRUE;
        return;
    }
    ShowPage(m_nCurPage);
}

void CDlgImgPrint::OnCancel()
{
    StopBuild();
    CDlgWithOverview::OnCancel();
}

void CDlgImgPrint::OnDestroy()
{
    StopBuild();
    m_overview.Drop();
    if (m_pView && m_pView->GetSafeHwnd())
        m_pView->m_pImgObj = nullptr;
    CDlgWithOverview::OnDestroy();
    m_pTmplDlg = nullptr;
    m_pOptionDlg = nullptr;
}

// --- Progress ------------------------------------------------------------------------

LRESULT CDlgImgPrint::OnImageProgress(WPARAM wParam, LPARAM lParam)
{
    if (lParam == 0 && m_wndProgress.GetSafeHwnd())
        m_wndProgress.SetPos((int)wParam);
    return 0;
}

LRESULT CDlgImgPrint::OnPageImageDone(WPARAM, LPARAM)
{
    if (m_wndProgress.GetSafeHwnd())
        m_wndProgress.SetPos(0);
    if (m_pView && m_pView->GetSafeHwnd()) {
        m_pView->m_pImgObj = m_pPageImg.get();
        if (m_pPageImg)
            m_pView->FitImageToView();
        m_pView->RebuildScrollSizes();
        m_pView->Invalidate();
        RebuildOverview();
        m_pView->SetNavigationRect();
    }
    return 0;
}
