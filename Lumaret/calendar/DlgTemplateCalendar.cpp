#include "calendar/DlgTemplateCalendar.h"

#include "calendar/CalendarPainter.h"
#include "calendar/DlgTemplateCalendarPages.h"
#include "calendar/TmplCalendarView.h"
#include "image/ImageObject.h"
#include "mivo/Trace.h"
#include "resource.h"
#include "shell/MainApp.h"
#include "shell/MainFrame.h"

namespace {

const char kSaved[] = "저장완료";
const char kDeleted[] = "삭제완료";
const COLORREF kUserBoxColor = 0xDCC8C8;
const COLORREF kListColours[] = {0xC0C0C0, 0xA00000, 0x0000A0, 0x008000, 0x606060};
const DWORD kListStyle = 0x3A;
const COLORREF kViewBackground = 0xA0A0A0;
// Space the command bar takes under the pages, and its height.
const int kCommandsSpace = 31;
const int kCommandsHeight = 28;

COLORREF EightTenths(COLORREF c)
{
    return RGB(GetRValue(c) * 8 / 10, GetGValue(c) * 8 / 10, GetBValue(c) * 8 / 10);
}

}  // namespace

IMPLEMENT_DYNAMIC(CDlgTemplateCalendar, CVXDialog)

BEGIN_MESSAGE_MAP(CDlgTemplateCalendar, CDlgWithOverview)
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_NOTIFY(RVN_ITEMCLICK, IDC_CAL_LIST, OnGridItemClick)
    ON_BN_CLICKED(IDC_CAL_TAB_BASIC, OnTabBasic)
    ON_BN_CLICKED(IDC_CAL_TAB_USERIMG, OnTabUserImg)
    ON_BN_CLICKED(IDC_CAL_ZOOM_IN, OnZoomIn)
    ON_BN_CLICKED(IDC_CAL_ZOOM_OUT, OnZoomOut)
END_MESSAGE_MAP()

CDlgTemplateCalendar::CDlgTemplateCalendar(CWnd* pParent)
    : CDlgWithOverview(IDD_TEMPLATE_CALENDAR, pParent), m_pBasic(nullptr), m_pUserImg(nullptr), m_pCommands(nullptr),
      m_nCurRow(-1), m_pView(nullptr), m_bFitView(1), m_nCalNo(0),
      m_nPreviewYear(0), m_nPreviewMonth(0)
{
    m_nIconID = IDR_MAINFRAME;
}

CDlgTemplateCalendar::~CDlgTemplateCalendar() = default;

void CDlgTemplateCalendar::DoDataExchange(CDataExchange* pDX)
{
    CDlgWithOverview::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CAL_LIST, m_wndGrid);
    DDX_Control(pDX, IDC_CAL_TAB_BASIC, m_btnTabBasic);
    DDX_Control(pDX, IDC_CAL_TAB_USERIMG, m_btnTabUserImg);
    DDX_Control(pDX, IDC_CAL_ZOOM_IN, m_btnZoomIn);
    DDX_Control(pDX, IDC_CAL_ZOOM_OUT, m_btnZoomOut);
    DDX_Text(pDX, IDC_CAL_ZOOM_TEXT, m_strZoom);
}

BOOL CDlgTemplateCalendar::OnInitDialog()
{
    CDlgWithOverview::OnInitDialog();
    SetUpButtons();
    m_imgList.Create(IDB_ALBUM_TREE, 16, 1, RGB(255, 255, 255));
    SetUpPages();
    SetUpGrid();
    AddCalendarFaceNames(*this, {&m_pBasic->m_cmbDayFace, &m_pBasic->m_cmbYearFace, &m_pBasic->m_cmbMonthFace,
                                 &m_pUserImg->m_cmbDescFace});
    CreateView();
    m_overview.Attach(this, IDC_CAL_NAVIGATOR);
    m_overview.SetView(m_pView);
    m_overview.SetZoomSink(COverviewPanel::kEditZoomFormat, [this](const CString& text) {
        m_strZoom = text;
        SetDlgItemText(IDC_CAL_ZOOM_TEXT, text);
    });
    LoadTemplateList();
    NewTemplate();
    return TRUE;
}

void CDlgTemplateCalendar::SetUpButtons()
{
    for (CCheckButton* tab : {&m_btnTabBasic, &m_btnTabUserImg}) {
        tab->SetColors(0xA0A0A0, (COLORREF)-1, ::GetSysColor(COLOR_3DFACE), (COLORREF)-1, 0xE0E0E0, (COLORREF)-1, 1);
        tab->SetNormalBorder(TRUE);
        tab->SetBtnCursor(IDC_HAND_POINTER);
    }
    m_btnTabBasic.SetCheck(1);
    m_btnZoomIn.SetIcon(IDI_ZOOM_IN);
    m_btnZoomOut.SetIcon(IDI_ZOOM_OUT);
    m_btnZoomIn.SetBtnCursor(IDC_HAND_POINTER);
    m_btnZoomOut.SetBtnCursor(IDC_HAND_POINTER);
}

void CDlgTemplateCalendar::SetUpPages()
{
    m_pBasic = new CDlgTemplateCalendarBasic(this);
    m_pBasic->Create(IDD_TEMPLATE_CALENDAR_BASIC, this);
    m_pBasic->ShowWindow(SW_SHOW);
    m_pUserImg = new CDlgTemplateCalendarUserImg(this);
    m_pUserImg->Create(IDD_TEMPLATE_CALENDAR_USERIMG, this);
    m_pCommands = new CDlgTemplateCalendarCommands(this);
    m_pCommands->Create(IDD_TEMPLATE_CALENDAR_COMMANDS, this);
    m_pCommands->ShowWindow(SW_SHOW);
    AddChildDialog(m_pBasic);
    AddChildDialog(m_pUserImg);
    AddChildDialog(m_pCommands);
    LayOutPages();
}

CRect CDlgTemplateCalendar::ControlRect(UINT id) const
{
    CRect rect(0, 0, 0, 0);
    if (CWnd* control = GetDlgItem(id)) {
        control->GetWindowRect(&rect);
        ScreenToClient(&rect);
    }
    return rect;
}

void CDlgTemplateCalendar::LayOutPages()
{
    CRect frame = ControlRect(IDC_CAL_PAGE_FRAME);
    CRect page(frame.left + 3, frame.top + 3, frame.right - 3, frame.bottom - kCommandsSpace);
    for (CWnd* wnd : {static_cast<CWnd*>(m_pBasic), static_cast<CWnd*>(m_pUserImg)})
        if (wnd && wnd->GetSafeHwnd())
            wnd->MoveWindow(&page);
    if (m_pCommands && m_pCommands->GetSafeHwnd())
        m_pCommands->MoveWindow(frame.left + 3, frame.bottom - kCommandsSpace, page.Width(), kCommandsHeight);
}

void CDlgTemplateCalendar::SetUpGrid()
{
    for (int i = 0; i < (int)(sizeof(kListColours) / sizeof(kListColours[0])); ++i)
        m_wndGrid.InsertColor(i, kListColours[i]);
    _RVSUBITEM sub;
    sub.nMask = HDF_STRING | 0x4000;
    sub.iWidth = 155;
    sub.lpszText = const_cast<char*>("달력 이름");
    m_wndGrid.DefineSubItem(0, &sub, FALSE);
    if (!m_wndGrid.GetVXProfile(theApp.m_strAppKey, "Grid_CalList"))
        m_wndGrid.ActivateSubItem(0, 0);
    m_wndGrid.ModifyStyle(0, kListStyle, 0);
    m_wndGrid.SetImageList(&m_imgList, nullptr);
    COLORREF face = ::GetSysColor(COLOR_3DFACE);
    m_wndGrid.SetBkColor(face);
    m_wndGrid.SetGridColor(EightTenths(face));
}

void CDlgTemplateCalendar::CreateView()
{
    m_pView = static_cast<CTmplCalendarView*>(RUNTIME_CLASS(CTmplCalendarView)->CreateObject());
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CTmplCalendarView);
    // A view that failed to create has deleted itself.
    if (!m_pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), this,
                         AFX_IDW_PANE_FIRST, &context)) {
        MIVO_WARN(kTraceLumaret, "the calendar template preview could not be created");
        m_pView = nullptr;
        return;
    }
    if (m_pView->GetExStyle() & WS_EX_CLIENTEDGE)
        ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
    m_pView->m_pOwner = this;
    m_pView->ModifyStyleEx(WS_EX_CLIENTEDGE, WS_EX_STATICEDGE, SWP_FRAMECHANGED);
    m_pView->m_crBackground = kViewBackground;
    m_pView->SendMessage(WM_INITIALUPDATE);
    if (!(GetStyle() & WS_CHILD))
        m_pView->m_bActivateOnClick = FALSE;
    CRect place = ControlRect(IDC_CAL_VIEW_PLACE);
    m_pView->MoveWindow(&place);
}

// ---- fields ----

void CDlgTemplateCalendar::PullPages()
{
    if (m_pBasic)
        m_pBasic->UpdateData(TRUE);
    if (m_pUserImg)
        m_pUserImg->UpdateData(TRUE);
}

void CDlgTemplateCalendar::PushPages()
{
    if (m_pBasic)
        m_pBasic->UpdateData(FALSE);
    if (m_pUserImg)
        m_pUserImg->UpdateData(FALSE);
}

// ---- the list ----

void CDlgTemplateCalendar::LoadTemplateList()
{
    UpdateData(TRUE);
    m_wndGrid.SetRedraw(FALSE);
    CWaitCursor wait;
    m_wndGrid.DeleteAllItems();
    int count = 0;
    for (const CalendarListRow& row : CCalendarForms::List()) {
        int item = m_wndGrid.InsertItem(count++, row.strName, -1, -1, -1);
        m_wndGrid.SetItemData(item, (DWORD_PTR)(UINT)row.nCalNo);
    }
    m_wndGrid.SetRedraw(TRUE);
    m_wndGrid.Invalidate();
    UpdateData(FALSE);
}

int CDlgTemplateCalendar::RowOfKey(int key)
{
    for (int row = 0; row < m_wndGrid.GetItemCount(); ++row)
        if ((int)m_wndGrid.GetItemData(row) == key)
            return row;
    return -1;
}

void CDlgTemplateCalendar::NewTemplate()
{
    m_nCalNo = -1;
    m_pBasic->m_strName.Empty();
    m_pBasic->m_strDir.Empty();
    m_pBasic->m_strSize.Empty();
    m_pBasic->m_strFileType.Empty();
    m_pBasic->m_strPath.Empty();
    m_pBasic->m_bNewPicture = 0;
    // Line drawing and its colour keep their values, as do the faces and the description.
    for (int i = 0; i < CAL_VALUE_COUNT; ++i)
        if (i != CAL_DAYS_LINE_DRAW && i != CAL_DAYS_LINE_COLOR)
            m_form.nValue[i] = 0;
    PushPages();
    UpdateData(FALSE);
    m_pBasic->Invalidate();
    m_pUserImg->Invalidate();
    LoadBackground();
}

void CDlgTemplateCalendar::OnGridItemClick(NMHDR* pNotifyStruct, LRESULT* pResult)
{
    const _NMREPORTVIEW* record = reinterpret_cast<const _NMREPORTVIEW*>(pNotifyStruct);
    *pResult = 0;
    if (record->iItem < 0 || record->iSubItem < 0)
        return;
    OpenTemplate(record->iItem);
}

void CDlgTemplateCalendar::OpenTemplate(int row)
{
    if (row < 0 || row >= m_wndGrid.GetItemCount())
        return;
    m_nCurRow = row;
    m_nCalNo = (int)m_wndGrid.GetItemData(row);
    {
        CWaitCursor wait;
        CalendarForm form;
        CalendarUnpacked picture;
        if (CCalendarForms::Load(m_nCalNo, form, picture)) {
            m_form = form;
            // The check box shows 0 or 1 whatever number the row holds.
            m_form[CAL_DAYS_LINE_DRAW] = form[CAL_DAYS_LINE_DRAW] != 0 ? 1 : 0;
            m_pBasic->m_strName = form.strName;
            m_pBasic->m_strDir = form.strDir;
            m_pBasic->m_strSize = form.strSize;
            m_pBasic->m_strFileType = form.strFileType;
            m_pBasic->m_strPath = picture.strPath;
            m_bFitView = 1;
            LoadBackground();
            m_pBasic->m_bNewPicture = 0;
        }
    }
    PushPages();
    m_pBasic->Invalidate();
    m_pUserImg->Invalidate();
}

void CDlgTemplateCalendar::SaveTemplate()
{
    PullPages();
    CWaitCursor wait;
    CalendarForm form = m_form;
    form.nCalNo = m_nCalNo;
    form.strName = m_pBasic->m_strName;
    form.strDir = m_pBasic->m_strDir;
    form.strSize = m_pBasic->m_strSize;
    form.strFileType = m_pBasic->m_strFileType;
    const CString path = m_pBasic->m_strPath;
    int key = CCalendarForms::Save(form, m_pBasic->m_bNewPicture ? &path : nullptr);
    if (!key)
        return;
    if (m_nCalNo == -1) {
        int row = m_wndGrid.InsertItem(0, form.strName, -1, -1, -1);
        m_wndGrid.SetItemData(row, (DWORD_PTR)(UINT)key);
    } else {
        // The row of the key: a refresh may have moved the one clicked.
        int row = RowOfKey(m_nCalNo);
        if (row >= 0)
            m_wndGrid.SetItemText(row, 0, form.strName, -1);
    }
    m_wndGrid.Invalidate();
    AfxMessageBox(kSaved, MB_OK);
}

void CDlgTemplateCalendar::DeleteTemplate()
{
    UpdateData(TRUE);
    CWaitCursor wait;
    if (m_nCalNo < 0)
        return;
    if (!CCalendarForms::Delete(m_nCalNo))
        return;
    int row = RowOfKey(m_nCalNo);
    if (row >= 0)
        m_wndGrid.DeleteItem(row);
    m_wndGrid.Invalidate();
    AfxMessageBox(kDeleted, MB_OK);
    NewTemplate();
}

void CDlgTemplateCalendar::EditBackground()
{
    PullPages();
    CMainFrame* frame = dynamic_cast<CMainFrame*>(AfxGetApp()->m_pMainWnd);
    if (frame)
        frame->OpenImageEditor(m_pBasic->m_strPath, "");
}

// ---- preview ----

void CDlgTemplateCalendar::LoadBackground()
{
    m_pBackImage.reset();
    if (!m_pBasic->m_strPath.IsEmpty()) {
        std::unique_ptr<CImageObject> image(new CImageObject);
        if (image->LoadImageFromFile(m_pBasic->m_strPath, 1))
            m_pBackImage = std::move(image);
    }
    DrawPreview();
}

void CDlgTemplateCalendar::MakeMonthLayout(int year, int month)
{
    m_layout.Make(year, month);
}

void CDlgTemplateCalendar::DrawPreview()
{
    CRect place = ControlRect(IDC_CAL_VIEW_PLACE);
    m_overview.Drop();
    if (m_pView)
        m_pView->m_pImgObj = nullptr;
    m_pPreviewImage.reset();
    if (!m_pBackImage) {
        InvalidateRect(&place, TRUE);
        if (m_pView)
            m_pView->Invalidate();
        return;
    }
    m_pPreviewImage.reset(m_pBackImage->DuplicateImgObj());
    if (!m_pPreviewImage)
        return;
    CImageObject& preview = *m_pPreviewImage;
    const CalendarForm& f = m_form;
    preview.DrawRect(CRect(f[CAL_USER_X], f[CAL_USER_Y], f[CAL_USER_X] + f[CAL_USER_WIDTH],
                           f[CAL_USER_Y] + f[CAL_USER_HEIGHT]),
                     kUserBoxColor, TRUE, 0, 1, FALSE, 0);
    COleDateTime today = COleDateTime::GetCurrentTime();
    const int year = m_nPreviewYear ? m_nPreviewYear : today.GetYear();
    const int month = m_nPreviewMonth ? m_nPreviewMonth : today.GetMonth();
    CString text;
    text.Format("%d", year);
    CCalendarPainter::DrawText(preview, text, f[CAL_YEAR_X], f[CAL_YEAR_Y], m_pBasic->m_strYearFace,
                               f[CAL_YEAR_HEIGHT], (COLORREF)f[CAL_YEAR_COLOR], 100, this);
    text.Format("%d", month);
    CCalendarPainter::DrawText(preview, text, f[CAL_MONTH_X], f[CAL_MONTH_Y], m_pBasic->m_strMonthFace,
                               f[CAL_MONTH_HEIGHT], (COLORREF)f[CAL_MONTH_COLOR], 100, this);
    CCalendarPainter::DrawText(preview, m_pUserImg->m_strDescText, f[CAL_DESC_X], f[CAL_DESC_Y],
                               m_pUserImg->m_strDescFace, f[CAL_DESC_HEIGHT], (COLORREF)f[CAL_DESC_COLOR], 100, this);
    MakeMonthLayout(year, month);
    CCalendarPainter::DrawDayGrid(preview, f, m_layout, m_pBasic->m_strDayFace, CCalendarPainter::CellHeight(f) / 2,
                                  this);
    if (!m_pView)
        return;
    m_pView->m_pImgObj = m_pPreviewImage.get();
    if (m_bFitView) {
        m_pView->FitImageToView();
        m_bFitView = 0;
    }
    m_pView->RebuildScrollSizes();
    m_pView->Invalidate(TRUE);
    MakeNavigator();
    m_pView->SetNavigationRect();
}

// ---- navigator ----

void CDlgTemplateCalendar::MakeNavigator()
{
    m_overview.Rebuild();
}

void CDlgTemplateCalendar::OnViewRectChanged(int left, int top, int right, int bottom)
{
    m_overview.OnViewRectChanged(CRect(left, top, right, bottom));
}

// ---- tabs, zoom, size ----

void CDlgTemplateCalendar::OnTabBasic()
{
    m_btnTabBasic.SetCheck(1);
    m_btnTabUserImg.SetCheck(0);
    ShowChildWnds(0, 2);
}

void CDlgTemplateCalendar::OnTabUserImg()
{
    m_btnTabBasic.SetCheck(0);
    m_btnTabUserImg.SetCheck(1);
    ShowChildWnds(1, 2);
}

void CDlgTemplateCalendar::OnZoomIn()
{
    if (m_pView)
        m_pView->ZoomIn();
}

void CDlgTemplateCalendar::OnZoomOut()
{
    if (m_pView)
        m_pView->ZoomOut();
}

void CDlgTemplateCalendar::OnSize(UINT nType, int cx, int cy)
{
    CDlgWithOverview::OnSize(nType, cx, cy);
    if (cx == 0 || cy == 0 || theApp.m_bClosing || !m_wndGrid.GetSafeHwnd())
        return;
    CWnd* frame = GetDlgItem(IDC_CAL_PAGE_FRAME);
    CWnd* place = GetDlgItem(IDC_CAL_VIEW_PLACE);
    if (!frame || !place)
        return;
    CRect pages = ControlRect(IDC_CAL_PAGE_FRAME);
    frame->MoveWindow(pages.left, pages.top, std::max(0, cx - 10 - pages.left), pages.Height());
    LayOutPages();
    CRect old = ControlRect(IDC_CAL_VIEW_PLACE);
    InvalidateRect(&old, TRUE);
    CRect grown(old.left, old.top, std::max<int>(old.left, cx - 10), std::max<int>(old.top, cy - 10));
    place->MoveWindow(&grown);
    if (m_pView) {
        m_pView->MoveWindow(&grown);
        m_pView->Invalidate();
    }
}

void CDlgTemplateCalendar::OnDestroy()
{
    m_overview.Drop();
    m_overview.SetView(nullptr);
    if (m_pView)
        m_pView->m_pImgObj = nullptr;
    CDlgWithOverview::OnDestroy();
    m_pBasic = nullptr;
    m_pUserImg = nullptr;
    m_pCommands = nullptr;
    if (::IsWindow(m_wndGrid.GetSafeHwnd()))
        m_wndGrid.WriteVXProfile(theApp.m_strAppKey, "Grid_CalList");
}
