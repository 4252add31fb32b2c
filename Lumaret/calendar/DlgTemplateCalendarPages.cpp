#include "calendar/DlgTemplateCalendarPages.h"

#include "calendar/CalendarPainter.h"
#include "calendar/DlgTemplateCalendar.h"
#include "resource.h"
#include "shell/DlgImgFileOpen.h"
#include "shell/MainApp.h"

namespace {

const char kPictureFilter[] =
    "All Image Files(*.JPG;*.BMP;*.GIF)|*.JPG;*.BMP;*.GIF|Jpeg Files(*.JPG)|*.JPG|BMP Files(*.BMP)|*.BMP||";

void DdxNumber(CDataExchange* pDX, UINT id, CalendarForm& form, CalendarValue v)
{
    DDX_Text(pDX, id, form.nValue[v]);
}

}  // namespace

void PaintCalendarSwatch(CWnd& page, CDC& dc, UINT id, COLORREF colour)
{
    CWnd* swatch = page.GetDlgItem(id);
    if (!swatch)
        return;
    CRect rect;
    swatch->GetWindowRect(&rect);
    page.ScreenToClient(&rect);
    dc.FillSolidRect(&rect, colour);
}

BOOL ChooseCalendarColor(CWnd* parent, int& colour)
{
    CColorDialog dialog((COLORREF)colour, CC_RGBINIT | CC_FULLOPEN, parent);
    if (dialog.DoModal() != IDOK)
        return FALSE;
    colour = (int)dialog.GetColor();
    return TRUE;
}

// ---- basic page ----

IMPLEMENT_DYNAMIC(CDlgTemplateCalendarBasic, CVXDialog)

BEGIN_MESSAGE_MAP(CDlgTemplateCalendarBasic, CVXDialog)
    ON_BN_CLICKED(IDC_CAL_BACK_FILE, OnChooseBackground)
    ON_BN_CLICKED(IDC_CAL_YEAR_COLOR, OnYearColor)
    ON_BN_CLICKED(IDC_CAL_MONTH_COLOR, OnMonthColor)
    ON_BN_CLICKED(IDC_CAL_LINE_COLOR, OnLineColor)
    ON_WM_SIZE()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CDlgTemplateCalendarBasic::CDlgTemplateCalendarBasic(CDlgTemplateCalendar* owner)
    : CVXDialog(IDD_TEMPLATE_CALENDAR_BASIC, nullptr), m_pOwner(owner), m_bNewPicture(0), m_strYearFace("굴림"),
      m_strMonthFace("굴림"), m_strDayFace("굴림")
{
    m_bEmbedded = TRUE;
}

void CDlgTemplateCalendarBasic::DoDataExchange(CDataExchange* pDX)
{
    CVXDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CAL_NAME, m_edtName);
    DDX_Control(pDX, IDC_CAL_BACK_PATH, m_edtPath);
    DDX_Control(pDX, IDC_CAL_BACK_FILE, m_btnBack);
    DDX_Control(pDX, IDC_CAL_YEAR_COLOR, m_btnColor[0]);
    DDX_Control(pDX, IDC_CAL_MONTH_COLOR, m_btnColor[1]);
    DDX_Control(pDX, IDC_CAL_LINE_COLOR, m_btnColor[2]);
    DDX_Control(pDX, IDC_CAL_LINE_DRAW, m_btnLineDraw);
    DDX_Control(pDX, IDC_CAL_YEAR_FACE, m_cmbYearFace);
    DDX_Control(pDX, IDC_CAL_MONTH_FACE, m_cmbMonthFace);
    DDX_Control(pDX, IDC_CAL_DAY_FACE, m_cmbDayFace);
    DDX_Text(pDX, IDC_CAL_NAME, m_strName);
    DDX_Text(pDX, IDC_CAL_DIR, m_strDir);
    DDX_Text(pDX, IDC_CAL_SIZE, m_strSize);
    DDX_Text(pDX, IDC_CAL_BACK_PATH, m_strPath);
    CalendarForm& form = m_pOwner->m_form;
    DdxNumber(pDX, IDC_CAL_YEAR_X, form, CAL_YEAR_X);
    DdxNumber(pDX, IDC_CAL_YEAR_Y, form, CAL_YEAR_Y);
    DdxNumber(pDX, IDC_CAL_YEAR_HEIGHT, form, CAL_YEAR_HEIGHT);
    DDX_CBString(pDX, IDC_CAL_YEAR_FACE, m_strYearFace);
    DdxNumber(pDX, IDC_CAL_MONTH_X, form, CAL_MONTH_X);
    DdxNumber(pDX, IDC_CAL_MONTH_Y, form, CAL_MONTH_Y);
    DdxNumber(pDX, IDC_CAL_MONTH_HEIGHT, form, CAL_MONTH_HEIGHT);
    DDX_CBString(pDX, IDC_CAL_MONTH_FACE, m_strMonthFace);
    DdxNumber(pDX, IDC_CAL_DAYS_X, form, CAL_DAYS_X);
    DdxNumber(pDX, IDC_CAL_DAYS_Y, form, CAL_DAYS_Y);
    DdxNumber(pDX, IDC_CAL_DAYS_WIDTH, form, CAL_DAYS_WIDTH);
    DdxNumber(pDX, IDC_CAL_DAYS_HEIGHT, form, CAL_DAYS_HEIGHT);
    DDX_CBString(pDX, IDC_CAL_DAY_FACE, m_strDayFace);
    DDX_Check(pDX, IDC_CAL_LINE_DRAW, form.nValue[CAL_DAYS_LINE_DRAW]);
}

BOOL CDlgTemplateCalendarBasic::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    m_btnBack.SetNormalBorder(TRUE);
    m_btnBack.SetBtnCursor(IDC_HAND_POINTER);
    for (CImageButton& button : m_btnColor) {
        button.SetIcon(IDI_CAL_COLOR);
        button.SetNormalBorder(TRUE);
        button.SetBtnCursor(IDC_HAND_POINTER);
    }
    m_btnLineDraw.SetIcon(IDI_CHECK_ON, IDI_CHECK_OFF);
    m_btnLineDraw.SetBtnCursor(IDC_HAND_POINTER);
    m_btnLineDraw.DrawBorder(FALSE);
    COLORREF face = ::GetSysColor(COLOR_3DFACE);
    for (CVXEdit* edit : {&m_edtName, &m_edtPath}) {
        edit->SetEditBkColor(face);
        edit->SetEditBkColorNorm(face);
    }
    return TRUE;
}

void CDlgTemplateCalendarBasic::ChooseBackground()
{
    UpdateData(TRUE);
    CDlgImgFileOpen dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, kPictureFilter, this);
    dialog.m_ofn.nFilterIndex = 1;
    if (theApp.m_szTemplateDir[0])
        dialog.m_ofn.lpstrInitialDir = theApp.m_szTemplateDir;
    if (dialog.DoModal() != IDOK)
        return;
    char folder[MAX_PATH] = "";
    ::GetCurrentDirectory(MAX_PATH, folder);
    CMainApp::CopyFolderBuffer(theApp.m_szTemplateDir, folder);
    m_strPath = dialog.GetPathName();
    m_strFileType = CCalendarForms::FileTypeOf(m_strPath);
    UpdateData(FALSE);
    m_pOwner->LoadBackground();
    m_bNewPicture = 1;
    UpdateData(FALSE);
}

void CDlgTemplateCalendarBasic::OnChooseBackground()
{
    ChooseBackground();
}

void CDlgTemplateCalendarBasic::OnYearColor()
{
    if (ChooseCalendarColor(this, m_pOwner->m_form[CAL_YEAR_COLOR]))
        Invalidate();
}

void CDlgTemplateCalendarBasic::OnMonthColor()
{
    if (ChooseCalendarColor(this, m_pOwner->m_form[CAL_MONTH_COLOR]))
        Invalidate();
}

void CDlgTemplateCalendarBasic::OnLineColor()
{
    if (ChooseCalendarColor(this, m_pOwner->m_form[CAL_DAYS_LINE_COLOR]))
        Invalidate();
}

void CDlgTemplateCalendarBasic::OnSize(UINT nType, int cx, int cy)
{
    CVXDialog::OnSize(nType, cx, cy);
    if (cx == 0 || cy == 0 || theApp.m_bClosing || !m_edtPath.GetSafeHwnd())
        return;
    CRect rect;
    m_edtPath.GetWindowRect(&rect);
    ScreenToClient(&rect);
    if (cx - 5 > rect.left)
        m_edtPath.MoveWindow(rect.left, rect.top, cx - 5 - rect.left, rect.Height());
}

void CDlgTemplateCalendarBasic::OnPaint()
{
    CPaintDC dc(this);
    const CalendarForm& form = m_pOwner->m_form;
    PaintCalendarSwatch(*this, dc, IDC_CAL_YEAR_SWATCH, (COLORREF)form[CAL_YEAR_COLOR]);
    PaintCalendarSwatch(*this, dc, IDC_CAL_MONTH_SWATCH, (COLORREF)form[CAL_MONTH_COLOR]);
    PaintCalendarSwatch(*this, dc, IDC_CAL_LINE_SWATCH, (COLORREF)form[CAL_DAYS_LINE_COLOR]);
}

// ---- user-picture page ----

IMPLEMENT_DYNAMIC(CDlgTemplateCalendarUserImg, CVXDialog)

BEGIN_MESSAGE_MAP(CDlgTemplateCalendarUserImg, CVXDialog)
    ON_BN_CLICKED(IDC_CAL_DESC_COLOR, OnDescColor)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CDlgTemplateCalendarUserImg::CDlgTemplateCalendarUserImg(CDlgTemplateCalendar* owner)
    : CVXDialog(IDD_TEMPLATE_CALENDAR_USERIMG, nullptr), m_pOwner(owner), m_strDescFace("돋움"),
      m_strDescText("Vantrel소프트 Mivo 캘린더 샘플입니다.")
{
    m_bEmbedded = TRUE;
}

void CDlgTemplateCalendarUserImg::DoDataExchange(CDataExchange* pDX)
{
    CVXDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CAL_DESC_COLOR, m_btnColor);
    DDX_Control(pDX, IDC_CAL_DESC_FACE, m_cmbDescFace);
    CalendarForm& form = m_pOwner->m_form;
    DdxNumber(pDX, IDC_CAL_USER_X, form, CAL_USER_X);
    DdxNumber(pDX, IDC_CAL_USER_Y, form, CAL_USER_Y);
    DdxNumber(pDX, IDC_CAL_USER_WIDTH, form, CAL_USER_WIDTH);
    DdxNumber(pDX, IDC_CAL_USER_HEIGHT, form, CAL_USER_HEIGHT);
    DdxNumber(pDX, IDC_CAL_DESC_X, form, CAL_DESC_X);
    DdxNumber(pDX, IDC_CAL_DESC_Y, form, CAL_DESC_Y);
    DdxNumber(pDX, IDC_CAL_DESC_HEIGHT, form, CAL_DESC_HEIGHT);
    DDX_CBString(pDX, IDC_CAL_DESC_FACE, m_strDescFace);
    DDX_Text(pDX, IDC_CAL_DESC_TEXT, m_strDescText);
}

BOOL CDlgTemplateCalendarUserImg::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    m_btnColor.SetIcon(IDI_CAL_COLOR);
    m_btnColor.SetNormalBorder(TRUE);
    m_btnColor.SetBtnCursor(IDC_HAND_POINTER);
    return TRUE;
}

void CDlgTemplateCalendarUserImg::OnDescColor()
{
    if (ChooseCalendarColor(this, m_pOwner->m_form[CAL_DESC_COLOR]))
        Invalidate();
}

void CDlgTemplateCalendarUserImg::OnPaint()
{
    CPaintDC dc(this);
    PaintCalendarSwatch(*this, dc, IDC_CAL_DESC_SWATCH, (COLORREF)m_pOwner->m_form[CAL_DESC_COLOR]);
}

// ---- command bar ----

namespace {

struct CommandButton {
    UINT id;
    UINT icon;
};

const CommandButton kCommands[6] = {{IDC_CAL_NEW, IDI_DETAIL_NEW},     {IDC_CAL_SAVE, IDI_DETAIL_SAVE},
                                    {IDC_CAL_DELETE, IDI_TMPL_DELETE}, {IDC_CAL_EDIT, IDI_TMPL_EDIT},
                                    {IDC_CAL_PREVIEW, IDI_BUTTON_PREVIEW}, {IDC_CAL_REFRESH, IDI_TMPL_REFRESH}};

}  // namespace

IMPLEMENT_DYNAMIC(CDlgTemplateCalendarCommands, CVXDialog)

BEGIN_MESSAGE_MAP(CDlgTemplateCalendarCommands, CVXDialog)
    ON_BN_CLICKED(IDC_CAL_NEW, OnNew)
    ON_BN_CLICKED(IDC_CAL_SAVE, OnSave)
    ON_BN_CLICKED(IDC_CAL_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_CAL_EDIT, OnEdit)
    ON_BN_CLICKED(IDC_CAL_PREVIEW, OnPreview)
    ON_BN_CLICKED(IDC_CAL_REFRESH, OnRefresh)
END_MESSAGE_MAP()

CDlgTemplateCalendarCommands::CDlgTemplateCalendarCommands(CDlgTemplateCalendar* owner)
    : CVXDialog(IDD_TEMPLATE_CALENDAR_COMMANDS, nullptr), m_pOwner(owner)
{
    m_bEmbedded = TRUE;
}

void CDlgTemplateCalendarCommands::DoDataExchange(CDataExchange* pDX)
{
    CVXDialog::DoDataExchange(pDX);
    for (int i = 0; i < 6; ++i)
        DDX_Control(pDX, kCommands[i].id, m_btn[i]);
}

BOOL CDlgTemplateCalendarCommands::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    for (int i = 0; i < 6; ++i) {
        m_btn[i].SetIcon(kCommands[i].icon);
        m_btn[i].SetBtnCursor(IDC_HAND_POINTER);
    }
    return TRUE;
}

void CDlgTemplateCalendarCommands::OnNew()
{
    m_pOwner->NewTemplate();
}

void CDlgTemplateCalendarCommands::OnSave()
{
    m_pOwner->SaveTemplate();
}

void CDlgTemplateCalendarCommands::OnDelete()
{
    m_pOwner->DeleteTemplate();
}

void CDlgTemplateCalendarCommands::OnEdit()
{
    m_pOwner->EditBackground();
}

void CDlgTemplateCalendarCommands::OnPreview()
{
    m_pOwner->PullPages();
    m_pOwner->DrawPreview();
}

void CDlgTemplateCalendarCommands::OnRefresh()
{
    m_pOwner->PullPages();
    m_pOwner->LoadTemplateList();
}
