#include "calendar/DlgImgAppCalendarPages.h"

#include "calendar/CalendarForms.h"
#include "calendar/CalendarPainter.h"
#include "calendar/DlgImgAppCalendar.h"
#include "resource.h"
#include "shell/MainApp.h"

namespace {

const COLORREF kListColours[] = {0xC0C0C0, 0xA00000, 0x0000A0, 0x008000, 0x606060};
const DWORD kListStyle = 0x3A;

struct Column {
    const char* title;
    int width;
    UINT mask;
};
const Column kColumns[] = {{"달력 포맷", 100, 0x4000}, {"방향", 45, 0x4002}, {"크기", 73, 0x4002}};

COLORREF EightTenths(COLORREF c)
{
    return RGB(GetRValue(c) * 8 / 10, GetGValue(c) * 8 / 10, GetBValue(c) * 8 / 10);
}

}  // namespace

// ---- template chooser ----

IMPLEMENT_DYNAMIC(CDlgImgAppCalendarTmpl, CVXDialog)

BEGIN_MESSAGE_MAP(CDlgImgAppCalendarTmpl, CVXDialog)
    ON_NOTIFY(RVN_ITEMCLICK, IDC_CAL_TMPL_GRID, OnGridItemClick)
    ON_WM_SIZE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CDlgImgAppCalendarTmpl::CDlgImgAppCalendarTmpl()
    : CVXDialog(IDD_IMGAPP_CALENDAR_TMPL, nullptr), m_nSelRow(-1), m_pParent(nullptr)
{
    m_bEmbedded = TRUE;
}

void CDlgImgAppCalendarTmpl::DoDataExchange(CDataExchange* pDX)
{
    CVXDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CAL_TMPL_GRID, m_wndGrid);
}

BOOL CDlgImgAppCalendarTmpl::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    for (int i = 0; i < (int)(sizeof(kListColours) / sizeof(kListColours[0])); ++i)
        m_wndGrid.InsertColor(i, kListColours[i]);
    for (int i = 0; i < 3; ++i) {
        _RVSUBITEM sub;
        sub.nMask = HDF_STRING | kColumns[i].mask;
        sub.iWidth = kColumns[i].width;
        sub.lpszText = const_cast<char*>(kColumns[i].title);
        m_wndGrid.DefineSubItem(i, &sub, FALSE);
    }
    if (!m_wndGrid.GetVXProfile(theApp.m_strAppKey, "Grid_CalTmpl"))
        for (int i = 0; i < 3; ++i)
            m_wndGrid.ActivateSubItem(i, i);
    m_wndGrid.ModifyStyle(0, kListStyle, 0);
    if (m_imgList.Create(IDB_ALBUM_TREE, 16, 1, RGB(255, 255, 255)))
        m_wndGrid.SetImageList(&m_imgList, nullptr);
    COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    m_wndGrid.SetBkColor(face);
    m_wndGrid.SetGridColor(EightTenths(face));
    CWaitCursor wait;
    int count = 0;
    for (const CalendarListRow& row : CCalendarForms::List()) {
        int item = m_wndGrid.InsertItem(count++, row.strName, -1, -1, -1);
        m_wndGrid.SetItemData(item, (DWORD_PTR)(UINT)row.nCalNo);
        m_wndGrid.SetItemText(item, 1, row.strDir, -1);
        m_wndGrid.SetItemText(item, 2, row.strSize, -1);
    }
    return TRUE;
}

void CDlgImgAppCalendarTmpl::ChooseRow(int row)
{
    if (row < 0 || row >= m_wndGrid.GetItemCount() || !m_pParent)
        return;
    m_nSelRow = row;
    m_pParent->m_nCalNo = (int)m_wndGrid.GetItemData(row);
    m_pParent->LoadTemplateFonts(m_pParent->m_nCalNo);
    m_pParent->StartCompose(0);
}

void CDlgImgAppCalendarTmpl::OnGridItemClick(NMHDR* pNotifyStruct, LRESULT* pResult)
{
    const _NMREPORTVIEW* record = reinterpret_cast<const _NMREPORTVIEW*>(pNotifyStruct);
    *pResult = 0;
    if (record->iItem < 0 || record->iSubItem < 0)
        return;
    ChooseRow(record->iItem);
}

void CDlgImgAppCalendarTmpl::OnSize(UINT nType, int cx, int cy)
{
    CVXDialog::OnSize(nType, cx, cy);
    if (cx == 0 || cy == 0 || theApp.m_bClosing || !m_wndGrid.GetSafeHwnd())
        return;
    CRect rect;
    m_wndGrid.GetWindowRect(&rect);
    ScreenToClient(&rect);
    m_wndGrid.MoveWindow(rect.left, rect.top, std::max(0, cx - 2 * rect.left), std::max(0, cy - 2 * rect.left));
}

void CDlgImgAppCalendarTmpl::OnDestroy()
{
    CVXDialog::OnDestroy();
    if (::IsWindow(m_wndGrid.GetSafeHwnd()))
        m_wndGrid.WriteVXProfile(theApp.m_strAppKey, "Grid_CalTmpl");
}

// ---- options ----

IMPLEMENT_DYNAMIC(CDlgImgAppCalendarOption, CVXDialog)

BEGIN_MESSAGE_MAP(CDlgImgAppCalendarOption, CVXDialog)
    ON_BN_CLICKED(IDC_CAL_PREVIEW, OnPreview)
    ON_BN_CLICKED(IDC_CAL_STRETCH, OnStretch)
    ON_BN_CLICKED(IDC_CAL_CROP, OnCrop)
    ON_WM_HSCROLL()
END_MESSAGE_MAP()

CDlgImgAppCalendarOption::CDlgImgAppCalendarOption()
    : CVXDialog(IDD_IMGAPP_CALENDAR_OPTION, nullptr), m_pParent(nullptr), m_nTransparency(0), m_strYearFace("돋움"),
      m_strMonthFace("돋움"), m_strDescFace("돋움"), m_strDayFace("돋움"), m_nYearSize(0), m_nMonthSize(0),
      m_nDescSize(0), m_bStretch(0), m_bCrop(0)
{
    m_bEmbedded = TRUE;
}

void CDlgImgAppCalendarOption::DoDataExchange(CDataExchange* pDX)
{
    CVXDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CAL_TRANSPARENCY, m_wndSlider);
    DDX_Control(pDX, IDC_CAL_STRETCH, m_btnStretch);
    DDX_Control(pDX, IDC_CAL_CROP, m_btnCrop);
    DDX_Control(pDX, IDC_CAL_PREVIEW, m_btnPreview);
    DDX_Control(pDX, IDC_CAL_OPT_YEAR_FACE, m_cmbFace[0]);
    DDX_Control(pDX, IDC_CAL_OPT_MONTH_FACE, m_cmbFace[1]);
    DDX_Control(pDX, IDC_CAL_OPT_DESC_FACE, m_cmbFace[2]);
    DDX_Control(pDX, IDC_CAL_OPT_DAY_FACE, m_cmbFace[3]);
    DDX_Text(pDX, IDC_CAL_TRANSPARENCY_TEXT, m_nTransparency);
    DDX_CBString(pDX, IDC_CAL_OPT_YEAR_FACE, m_strYearFace);
    DDX_CBString(pDX, IDC_CAL_OPT_MONTH_FACE, m_strMonthFace);
    DDX_CBString(pDX, IDC_CAL_OPT_DESC_FACE, m_strDescFace);
    DDX_Text(pDX, IDC_CAL_OPT_DESC_TEXT, m_strDescText);
    DDX_CBString(pDX, IDC_CAL_OPT_DAY_FACE, m_strDayFace);
    DDX_Text(pDX, IDC_CAL_OPT_YEAR_SIZE, m_nYearSize);
    DDX_Text(pDX, IDC_CAL_OPT_MONTH_SIZE, m_nMonthSize);
    DDX_Text(pDX, IDC_CAL_OPT_DESC_SIZE, m_nDescSize);
    DDX_Check(pDX, IDC_CAL_STRETCH, m_bStretch);
    DDX_Check(pDX, IDC_CAL_CROP, m_bCrop);
}

BOOL CDlgImgAppCalendarOption::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    m_btnPreview.SetIcon(IDI_BUTTON_PREVIEW);
    m_btnPreview.SetBtnCursor(IDC_HAND_POINTER);
    m_btnPreview.OffsetColor(0, 50, TRUE);
    for (CImageButton* button : {&m_btnStretch, &m_btnCrop}) {
        button->SetIcon(IDI_CHECK_ON, IDI_CHECK_OFF);
        button->SetBtnCursor(IDC_HAND_POINTER);
        button->DrawBorder(FALSE, TRUE);
    }
    m_btnStretch.SetCheck(m_bStretch);
    m_btnCrop.SetCheck(m_bCrop);
    m_wndSlider.SetRange(0, 100);
    m_wndSlider.SetPos(m_nTransparency);
    AddCalendarFaceNames(*this, {&m_cmbFace[0], &m_cmbFace[1], &m_cmbFace[2], &m_cmbFace[3]});
    return TRUE;
}

void CDlgImgAppCalendarOption::OnPreview()
{
    if (m_pParent)
        m_pParent->StartCompose(0);
}

void CDlgImgAppCalendarOption::OnStretch()
{
    UpdateData(TRUE);
    if (m_bCrop)
        m_bCrop = 0;
    UpdateData(FALSE);
    if (m_pParent)
        m_pParent->StartCompose(0);
}

void CDlgImgAppCalendarOption::OnCrop()
{
    UpdateData(TRUE);
    if (m_bStretch)
        m_bStretch = 0;
    UpdateData(FALSE);
    if (m_pParent)
        m_pParent->StartCompose(0);
}

void CDlgImgAppCalendarOption::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    CVXDialog::OnHScroll(nSBCode, nPos, pScrollBar);
    if (pScrollBar && pScrollBar->GetSafeHwnd() == m_wndSlider.GetSafeHwnd()) {
        m_nTransparency = (int)m_wndSlider.SendMessage(TBM_GETPOS);
        SetDlgItemInt(IDC_CAL_TRANSPARENCY_TEXT, m_nTransparency);
    }
}
