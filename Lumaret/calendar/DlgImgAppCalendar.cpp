#include "calendar/DlgImgAppCalendar.h"

#include "calendar/CalendarEditorLink.h"
#include "calendar/DlgImgAppCalendarPages.h"
#include "calendar/ImgAppCalendarView.h"
#include "image/ImageMessages.h"
#include "image/ImageObject.h"
#include "mivo/Trace.h"
#include "resource.h"
#include "shell/MainApp.h"
#include "editor/OwnedSlot.h"

#include <cstdlib>

volatile int g_bCalendarComposing = 0;

namespace {

const char kChooseFormat[] = "달력 포맷을 선택하세요.";
const COLORREF kViewBackground = 0xA0A0A0;
const int kStatusFallbackHeight = 20;
const int kMargin = 3;
const DWORD kStatusStyle = 0x1000;

}  // namespace

IMPLEMENT_DYNAMIC(CDlgImgAppCalendar, CVXDialog)

BEGIN_MESSAGE_MAP(CDlgImgAppCalendar, CDlgWithOverview)
    ON_BN_CLICKED(IDC_CAL_TAB_TMPL, OnTabTmpl)
    ON_BN_CLICKED(IDC_CAL_TAB_OPTION, OnTabOption)
    ON_BN_CLICKED(IDC_CAL_ZOOM_IN, OnZoomIn)
    ON_BN_CLICKED(IDC_CAL_ZOOM_OUT, OnZoomOut)
    ON_BN_CLICKED(IDC_CAL_OK_EDIT, OnOkEdit)
    ON_COMMAND(IDOK, OnCloseOk)
    ON_COMMAND(IDCANCEL, OnCloseCancel)
    ON_CBN_SELENDOK(IDC_CAL_YEAR, OnYearChosen)
    ON_CBN_SELENDOK(IDC_CAL_MONTH, OnMonthChosen)
    ON_MESSAGE(WM_IMAGE_PROGRESS, OnImageProgress)
    ON_MESSAGE(WM_IMAGE_DONE, OnImageDone)
    ON_WM_SIZE()
    ON_WM_MOVE()
    ON_WM_ERASEBKGND()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CDlgImgAppCalendar::CDlgImgAppCalendar(CWnd* pParent)
    : CDlgWithOverview(IDD_IMGAPP_CALENDAR, pParent), m_pOptionPage(nullptr), m_pTmplPage(nullptr), m_pView(nullptr),
      m_pSrcImg(nullptr), m_bFromFile(0), m_pCalImg(nullptr), m_nCalNo(0), m_nStop(0)
{
    m_strProfileName = "ImgAppCalendar";
    m_nIconID = IDR_MAINFRAME;
}

CDlgImgAppCalendar::~CDlgImgAppCalendar()
{
    StopComposition();
    // Whatever the hand-over did not take is still ours.
    owned_slot::Free(m_pCalImg);
}

void CDlgImgAppCalendar::DoDataExchange(CDataExchange* pDX)
{
    CDlgWithOverview::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CAL_TAB_TMPL, m_btnTabTmpl);
    DDX_Control(pDX, IDC_CAL_TAB_OPTION, m_btnTabOption);
    DDX_Control(pDX, IDC_CAL_YEAR, m_cmbYear);
    DDX_Control(pDX, IDC_CAL_MONTH, m_cmbMonth);
    DDX_Control(pDX, IDC_CAL_ZOOM_OUT, m_btnZoomOut);
    DDX_Control(pDX, IDC_CAL_ZOOM_IN, m_btnZoomIn);
    DDX_Control(pDX, IDC_CAL_OK_EDIT, m_btnOkEdit);
    DDX_Control(pDX, IDCANCEL, m_btnClose);
    DDX_CBString(pDX, IDC_CAL_YEAR, m_strYear);
    DDX_CBString(pDX, IDC_CAL_MONTH, m_strMonth);
}

BOOL CDlgImgAppCalendar::OnInitDialog()
{
    CDlgWithOverview::OnInitDialog();
    SetUpPages();
    SetUpButtons();
    CreateStatusBar();
    CreateView();
    m_overview.Attach(this, IDC_CAL_NAVIGATOR);
    m_overview.SetView(m_pView);
    m_overview.SetZoomSink(COverviewPanel::kStatusZoomFormat, [this](const CString& text) {
        if (m_wndStatus.GetSafeHwnd())
            m_wndStatus.SetText(text, 3, SBT_NOBORDERS);
    });
    LoadProfile();
    FillYearMonth();
    LoadTemplateFonts(m_nCalNo);
    StartCompose(0);
    return TRUE;
}

CRect CDlgImgAppCalendar::ControlRect(UINT id) const
{
    CRect rect(0, 0, 0, 0);
    if (CWnd* control = GetDlgItem(id)) {
        control->GetWindowRect(&rect);
        ScreenToClient(&rect);
    }
    return rect;
}

void CDlgImgAppCalendar::SetUpPages()
{
    m_pTmplPage = new CDlgImgAppCalendarTmpl;
    m_pTmplPage->m_pParent = this;
    m_pTmplPage->Create(IDD_IMGAPP_CALENDAR_TMPL, this);
    m_pTmplPage->ShowWindow(SW_SHOW);
    m_pOptionPage = new CDlgImgAppCalendarOption;
    m_pOptionPage->m_pParent = this;
    m_pOptionPage->Create(IDD_IMGAPP_CALENDAR_OPTION, this);
    AddChildDialog(m_pTmplPage);
    AddChildDialog(m_pOptionPage);
    CRect place = ControlRect(IDC_CAL_PAGE_PLACE);
    place.DeflateRect(1, 1);
    m_pTmplPage->MoveWindow(&place);
    m_pOptionPage->MoveWindow(&place);
}

void CDlgImgAppCalendar::SetUpButtons()
{
    for (CCheckButton* tab : {&m_btnTabTmpl, &m_btnTabOption}) {
        tab->SetColors(0xFFFFFF, (COLORREF)-1, ::GetSysColor(COLOR_BTNFACE), (COLORREF)-1, 0xA0A0A0, (COLORREF)-1, 1);
        tab->SetNormalBorder(TRUE);
        tab->SetBtnCursor(IDC_HAND_POINTER);
    }
    m_btnTabTmpl.SetCheck(1);
    m_btnTabOption.SetCheck(0);
    const struct {
        CImageButton* button;
        UINT icon;
    } images[] = {{&m_btnClose, IDI_ALBUM_CANCEL},
                  {&m_btnOkEdit, IDI_TMPL_EDIT},
                  {&m_btnZoomIn, IDI_ZOOM_IN},
                  {&m_btnZoomOut, IDI_ZOOM_OUT}};
    for (const auto& image : images) {
        image.button->SetIcon(image.icon);
        image.button->SetBtnCursor(IDC_HAND_POINTER);
        image.button->OffsetColor(0, 50, TRUE);
    }
}

void CDlgImgAppCalendar::CreateStatusBar()
{
    if (!m_wndStatus.Create(WS_CHILD | WS_VISIBLE | kStatusStyle, CRect(0, 0, 0, 0), this, 0))
        return;
    CRect window;
    GetWindowRect(&window);
    int parts[4] = {300, 400, 500, window.Width() - 1};
    m_wndStatus.SetParts(4, parts);
    m_wndStatus.SetText("", 0, 0);
    m_wndStatus.SetText("", 3, SBT_NOBORDERS);
    CRect part;
    m_wndStatus.GetRect(1, &part);
    m_wndProgress.Create(WS_CHILD | WS_VISIBLE | PBS_SMOOTH, part, &m_wndStatus, 1);
    m_wndProgress.SetRange(0, 100);
}

void CDlgImgAppCalendar::CreateView()
{
    m_pView = static_cast<CImgAppCalendarView*>(RUNTIME_CLASS(CImgAppCalendarView)->CreateObject());
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CImgAppCalendarView);
    // A view that failed to create has deleted itself.
    if (!m_pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), this,
                         AFX_IDW_PANE_FIRST, &context)) {
        MIVO_WARN(kTraceLumaret, "the calendar preview could not be created");
        m_pView = nullptr;
        return;
    }
    if (m_pView->GetExStyle() & WS_EX_CLIENTEDGE)
        ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
    m_pView->m_pOwner = this;
    m_pView->m_crBackground = kViewBackground;
    m_pView->SendMessage(WM_INITIALUPDATE);
    if (!(GetStyle() & WS_CHILD))
        m_pView->m_bActivateOnClick = FALSE;
    CRect place = ControlRect(IDC_CAL_VIEW_PLACE);
    m_pView->MoveWindow(&place);
}

void CDlgImgAppCalendar::FillYearMonth()
{
    COleDateTime today = COleDateTime::GetCurrentTime();
    CString text;
    for (int i = 0; i < 12; ++i) {
        text.Format("%d", today.GetYear() + i);
        m_cmbYear.AddString(text);
    }
    m_strYear.Format("%d", today.GetYear());
    for (int month = 1; month <= 12; ++month) {
        text.Format("%d", month);
        m_cmbMonth.AddString(text);
    }
    m_strMonth.Format("%d", today.GetMonth());
    UpdateData(FALSE);
}

// ---- composition ----

CString CDlgImgAppCalendar::FontSection(int calNo)
{
    CString section;
    section.Format("MivoCal%d", calNo);
    return section;
}

void CDlgImgAppCalendar::LoadTemplateFonts(int calNo)
{
    if (calNo == 0 || !m_pOptionPage)
        return;
    int year = 0, month = 0, desc = 0;
    CCalendarForms::FontHeights(calNo, year, month, desc);
    const CString section = FontSection(calNo);
    CDlgImgAppCalendarOption& page = *m_pOptionPage;
    auto face = [&](const char* entry) {
        CString stored = theApp.LoadProfileString(section, entry);
        return stored.IsEmpty() ? CString("돋움") : stored;
    };
    auto size = [&](const char* entry, int fallback) {
        int stored = theApp.LoadProfileInt(section, entry);
        return stored == 0 ? fallback : stored;
    };
    page.m_strYearFace = face("YearFontName");
    page.m_strMonthFace = face("MonthFontName");
    page.m_strDayFace = face("DayFontName");
    page.m_strDescFace = face("DescFontName");
    page.m_nYearSize = size("YearFontSize", year);
    page.m_nMonthSize = size("MonthMonthSize", month);
    page.m_nDescSize = size("DescFontSize", desc);
    page.UpdateData(FALSE);
    UpdateData(FALSE);
}

void CDlgImgAppCalendar::MakeMonthLayout(int year, int month)
{
    m_layout.Make(year, month);
}

void CDlgImgAppCalendar::DropCalendar()
{
    m_overview.Drop();
    if (m_pView && m_pView->m_pImgObj == m_pCalImg)
        m_pView->m_pImgObj = nullptr;
    owned_slot::Free(m_pCalImg);
}

void CDlgImgAppCalendar::StartCompose(int)
{
    if (g_bCalendarComposing)
        return;
    g_bCalendarComposing = 1;
    DropCalendar();
    if (m_pOptionPage && m_pOptionPage->GetSafeHwnd())
        m_pOptionPage->UpdateData(TRUE);
    // The worker reads this copy, so the user may change the controls meanwhile.
    CalendarComposeInput in;
    in.strYear = m_strYear;
    in.strMonth = m_strMonth;
    if (m_pOptionPage) {
        const CDlgImgAppCalendarOption& page = *m_pOptionPage;
        in.strYearFace = page.m_strYearFace;
        in.strMonthFace = page.m_strMonthFace;
        in.strDayFace = page.m_strDayFace;
        in.strDescFace = page.m_strDescFace;
        in.strDescText = page.m_strDescText;
        in.nYearSize = page.m_nYearSize;
        in.nMonthSize = page.m_nMonthSize;
        in.nDescSize = page.m_nDescSize;
        in.nTransparency = page.m_nTransparency;
        in.bStretch = page.m_bStretch;
        in.bCrop = page.m_bCrop;
    }
    in.form.nCalNo = m_nCalNo;
    m_input = in;
    m_nStop = 0;
    if (!m_worker.Start(ComposeThread, this)) {
        MIVO_WARN(kTraceLumaret, "the calendar composer could not start");
        g_bCalendarComposing = 0;
    }
}

UINT CDlgImgAppCalendar::ComposeThread(LPVOID param)
{
    CDlgImgAppCalendar* dialog = static_cast<CDlgImgAppCalendar*>(param);
    dialog->Compose();
    g_bCalendarComposing = 0;
    return 0;
}

void CDlgImgAppCalendar::Compose()
{
    const int calNo = m_input.form.nCalNo;
    CalendarForm form;
    CalendarUnpacked picture;
    if (CCalendarForms::Load(calNo, form, picture)) {
        m_form = form;
        m_pBackImage.reset();
        if (!picture.strPath.IsEmpty()) {
            std::unique_ptr<CImageObject> back(new CImageObject(this, &m_nStop));
            if (back->LoadImageFromFile(picture.strPath, 1))
                m_pBackImage = std::move(back);
        }
    }
    if (m_nStop)
        return;
    if (!m_pBackImage) {
        SendMessage(WM_IMAGE_DONE, 100, 0);
        return;
    }
    if (!m_pSrcImg && m_bFromFile == 1 && !m_strSrcPath.IsEmpty()) {
        std::unique_ptr<CImageObject> source(new CImageObject(this, &m_nStop));
        if (source->LoadImageFromFile(m_strSrcPath, 1)) {
            m_pOwnedSrc = std::move(source);
            m_pSrcImg = m_pOwnedSrc.get();
        }
    }
    if (m_nStop)
        return;
    if (m_pSrcImg)
        m_pSrcImg->SetParent(this);
    CalendarComposeInput in = m_input;
    in.form = m_form;
    std::unique_ptr<CImageObject> page(CCalendarComposer::Compose(*m_pBackImage, m_pSrcImg, in, this, &m_nStop));
    if (m_nStop)
        return;
    MakeMonthLayout((int)std::atol(in.strYear), (int)std::atol(in.strMonth));
    // The page is the dialog's only once it is finished: nothing paints it while it is drawn.
    m_pCalImg = page.release();
    SendMessage(WM_IMAGE_DONE, 100, 0);
}

void CDlgImgAppCalendar::WaitComposition()
{
    m_worker.Join();
}

void CDlgImgAppCalendar::StopComposition()
{
    m_nStop = 1;
    m_worker.Join();
    m_nStop = 0;
}

// ---- commands ----

void CDlgImgAppCalendar::OnOkEdit()
{
    if (m_nCalNo == 0) {
        AfxMessageBox(kChooseFormat, MB_OK);
        return;
    }
    WaitComposition();
    if (!m_pCalImg) {
        AfxMessageBox(kChooseFormat, MB_OK);
        return;
    }
    CImageObject* calendar = m_pCalImg;
    m_overview.Drop();
    if (m_pView && m_pView->m_pImgObj == calendar) {
        m_pView->m_pImgObj = nullptr;
        m_pView->Invalidate();
    }
    if (!CCalendarEditorLink::Get().TakeCalendar(calendar)) {
        MIVO_WARN(kTraceLumaret, "no editor took the calendar");
        return;
    }
    m_pCalImg = nullptr;
    const CString section = FontSection(m_nCalNo);
    theApp.SaveProfileString(section, "YearFontName", m_input.strYearFace);
    theApp.SaveProfileString(section, "MonthFontName", m_input.strMonthFace);
    theApp.SaveProfileString(section, "DayFontName", m_input.strDayFace);
    theApp.SaveProfileString(section, "DescFontName", m_input.strDescFace);
    theApp.SaveProfileInt(section, "YearFontSize", m_input.nYearSize);
    theApp.SaveProfileInt(section, "MonthMonthSize", m_input.nMonthSize);
    theApp.SaveProfileInt(section, "DescFontSize", m_input.nDescSize);
    CDlgWithOverview::OnOK();
}

void CDlgImgAppCalendar::OnCloseOk()
{
    StopComposition();
    DropCalendar();
    OnOK();
}

void CDlgImgAppCalendar::OnCloseCancel()
{
    StopComposition();
    DropCalendar();
    OnCancel();
}

void CDlgImgAppCalendar::ChooseFromCombo(CVXComboBox& combo, CString& value)
{
    int selection = combo.GetCurSel();
    if (selection < 0)
        return;
    combo.GetLBText(selection, value);
    combo.SetWindowText(value);
    StartCompose(0);
}

void CDlgImgAppCalendar::OnYearChosen()
{
    ChooseFromCombo(m_cmbYear, m_strYear);
}

void CDlgImgAppCalendar::OnMonthChosen()
{
    ChooseFromCombo(m_cmbMonth, m_strMonth);
}

void CDlgImgAppCalendar::OnTabTmpl()
{
    m_btnTabTmpl.SetCheck(1);
    m_btnTabOption.SetCheck(0);
    if (m_pOptionPage)
        m_pOptionPage->ShowWindow(SW_HIDE);
    if (m_pTmplPage)
        m_pTmplPage->ShowWindow(SW_SHOW);
}

void CDlgImgAppCalendar::OnTabOption()
{
    m_btnTabTmpl.SetCheck(0);
    m_btnTabOption.SetCheck(1);
    if (m_pTmplPage)
        m_pTmplPage->ShowWindow(SW_HIDE);
    if (m_pOptionPage)
        m_pOptionPage->ShowWindow(SW_SHOW);
}

void CDlgImgAppCalendar::OnZoomIn()
{
    if (m_pView)
        m_pView->ZoomIn();
}

void CDlgImgAppCalendar::OnZoomOut()
{
    if (m_pView)
        m_pView->ZoomOut();
}

// ---- progress and the finished page ----

LRESULT CDlgImgAppCalendar::OnImageProgress(WPARAM wParam, LPARAM lParam)
{
    if (lParam == 0 && m_wndProgress.GetSafeHwnd())
        m_wndProgress.SetPos((int)wParam);
    return 0;
}

LRESULT CDlgImgAppCalendar::OnImageDone(WPARAM, LPARAM)
{
    if (m_wndProgress.GetSafeHwnd())
        m_wndProgress.SetPos(0);
    UpdateData(FALSE);
    if (!m_pView)
        return 0;
    m_pView->m_pImgObj = m_pCalImg;
    if (m_pCalImg)
        m_pView->FitImageToView();
    m_pView->RebuildScrollSizes();
    MakeNavigator();
    m_pView->SetNavigationRect();
    m_pView->Invalidate();
    return 0;
}

// ---- navigator ----

void CDlgImgAppCalendar::MakeNavigator()
{
    m_overview.Rebuild();
}

void CDlgImgAppCalendar::OnViewRectChanged(CRect visible)
{
    m_overview.OnViewRectChanged(visible);
}

// ---- layout ----

void CDlgImgAppCalendar::OnSize(UINT nType, int cx, int cy)
{
    CDlgWithOverview::OnSize(nType, cx, cy);
    if (cx == 0 || cy == 0 || theApp.m_bClosing)
        return;
    int h = kStatusFallbackHeight;
    if (m_wndStatus.GetSafeHwnd()) {
        CRect status;
        m_wndStatus.GetWindowRect(&status);
        ScreenToClient(&status);
        h = status.Height();
        InvalidateRect(&status, TRUE);
        m_wndStatus.MoveWindow(status.left, cy - h - kMargin, std::max(0, cx - status.left - kMargin), h);
    }
    if (CWnd* place = GetDlgItem(IDC_CAL_VIEW_PLACE)) {
        CRect old = ControlRect(IDC_CAL_VIEW_PLACE);
        InvalidateRect(&old, TRUE);
        CRect grown(old.left, old.top, old.left + std::max(0, cx - kMargin - (int)old.left),
                    old.top + std::max(0, cy - (int)old.top - h - kMargin));
        place->MoveWindow(&grown);
        if (m_pView) {
            m_pView->MoveWindow(&grown);
            m_pView->Invalidate();
        }
    }
    if (CWnd* nav = GetDlgItem(IDC_CAL_NAVIGATOR)) {
        CRect old = ControlRect(IDC_CAL_NAVIGATOR);
        nav->MoveWindow(old.left, old.top, old.Width(), std::max(0, cy - (int)old.top - h - kMargin));
        m_overview.Relayout();
        CRect now = ControlRect(IDC_CAL_NAVIGATOR);
        InvalidateRect(&now, TRUE);
    }
}

void CDlgImgAppCalendar::OnMove(int x, int y)
{
    CDlgWithOverview::OnMove(x, y);
    if (m_pView)
        m_pView->Invalidate();
}

BOOL CDlgImgAppCalendar::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CRect place = ControlRect(IDC_CAL_VIEW_PLACE);
    CRgn all, hole;
    all.CreateRectRgnIndirect(&client);
    hole.CreateRectRgnIndirect(&place);
    all.CombineRgn(&all, &hole, RGN_DIFF);
    CBrush face(::GetSysColor(COLOR_BTNFACE));
    pDC->FillRgn(&all, &face);
    return FALSE;
}

void CDlgImgAppCalendar::OnDestroy()
{
    StopComposition();
    m_overview.Drop();
    m_overview.SetView(nullptr);
    if (m_pView)
        m_pView->m_pImgObj = nullptr;
    CDlgWithOverview::OnDestroy();
    m_pOptionPage = nullptr;
    m_pTmplPage = nullptr;
}
