#include "shell/DlgSetEnv.h"

#include "MainApp.h"
#include "album/ThumbnailCache.h"
#include "dialogs/DlgSelDate.h"
#include "framework/ODBCQuery.h"
#include "framework/WDBCQuery.h"
#include "resource.h"

#include <ctime>
#include <memory>

namespace {

const char kUndoLimit[] = "실행취소는 효율적인 메모리 사용을 위해 \r\n 최대 8단계까지만 지원합니다.";
const char kSiteFailed[] = "사이트 접속에 실패했습니다.";
const char kNoMembership[] = "커뮤니티 가입정보가 없습니다.";
const char kEnterId[] = "ID 를 입력하십시요.";
const char kSolar[] = "양력";
const char kJoinFilter[] = "BasCateg = 'Community' and BasCode = 'Join'";
const short kColourLift = 50;
const int kDefaultQuality = 95;

// The BasCodes rows the save writes, in order; the last two are made when missing.
enum class Column { Number, Text };
struct SettingRow {
    const char* category;
    const char* code;
    Column column;
    bool insertWhenMissing;
};
const SettingRow kSettingRows[] = {
    {"JPEG", "Quality", Column::Number, false},      {"Edit", "UndoLevel", Column::Number, false},
    {"SlideShow", "BGColor", Column::Number, false}, {"ImgBrowser", "BGColor", Column::Number, true},
    {"Edit", "LinkPrg", Column::Text, true},
};

CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

CString Today()
{
    time_t now = time(nullptr);
    struct tm local;
    localtime_r(&now, &local);
    char text[16];
    strftime(text, sizeof(text), "%Y-%m-%d", &local);
    return text;
}

CString Text(const char* value)
{
    return value ? CString(value) : CString();
}

}  // namespace

IMPLEMENT_DYNAMIC(CDlgSetEnv, CVXDialog)

BEGIN_MESSAGE_MAP(CDlgSetEnv, CVXDialog)
    ON_BN_CLICKED(IDC_SETENV_SAVE, OnSave)
    ON_BN_CLICKED(IDC_SETENV_DEFAULTS, OnDefaults)
    ON_BN_CLICKED(IDC_SETENV_BROWSE, OnBrowse)
    ON_BN_CLICKED(IDC_SETENV_PICKDATE, OnPickDate)
    ON_BN_CLICKED(IDC_SETENV_DUPCHECK, OnDupCheck)
    ON_BN_CLICKED(IDC_SETENV_FETCH, OnFetch)
    ON_BN_CLICKED(IDC_SETENV_JOIN, OnJoin)
    ON_BN_CLICKED(IDC_SETENV_WITHDRAW, OnWithdraw)
    ON_BN_CLICKED(IDC_SETENV_CLEARCACHE, OnClearCache)
    ON_BN_CLICKED(IDC_SETENV_COMPACT, OnCompact)
    ON_BN_CLICKED(IDC_SETENV_RESETPROFILE, OnResetProfile)
    ON_WM_LBUTTONDOWN()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CDlgSetEnv::CDlgSetEnv(CWnd* pParent)
    : CVXDialog(IDD_SET_ENV, pParent),
      m_nJpegQuality(theApp.m_nJpegQuality),
      m_nUndoLevel(theApp.m_nUndoLevel),
      m_clrSlideShowBk(theApp.m_clrSlideShowBk),
      m_clrBrowserBk(theApp.m_clrBrowserBk),
      m_strLinkPrg(theApp.m_strLinkPrg),
      m_bJoined(0),
      m_strCustMnSn(kSolar)
{
    m_strProfileName = "SetEnv";
    m_nIconID = IDR_MAINFRAME;
}

CDlgSetEnv::~CDlgSetEnv() = default;

void CDlgSetEnv::DoDataExchange(CDataExchange* pDX)
{
    CVXDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SETENV_BIRTH, m_edtBirth);
    DDX_Control(pDX, IDC_SETENV_SAVE, m_btnSave);
    DDX_Control(pDX, IDCANCEL, m_btnClose);
    DDX_Control(pDX, IDC_SETENV_JOIN, m_btnJoin);
    DDX_Control(pDX, IDC_SETENV_DEFAULTS, m_btnDefaults);
    DDX_Control(pDX, IDC_SETENV_BROWSE, m_btnBrowse);
    DDX_Control(pDX, IDC_SETENV_PICKDATE, m_btnPickDate);
    DDX_Control(pDX, IDC_SETENV_DUPCHECK, m_btnDupCheck);
    DDX_Control(pDX, IDC_SETENV_FETCH, m_btnFetch);
    DDX_Control(pDX, IDC_SETENV_WITHDRAW, m_btnWithdraw);
    DDX_Control(pDX, IDC_SETENV_CLEARCACHE, m_btnClearCache);
    DDX_Control(pDX, IDC_SETENV_COMPACT, m_btnCompact);
    DDX_Control(pDX, IDC_SETENV_RESETPROFILE, m_btnResetProfile);
    DDX_Text(pDX, IDC_SETENV_JPEGQ, m_nJpegQuality);
    DDX_Text(pDX, IDC_SETENV_UNDO, m_nUndoLevel);
    DDX_Text(pDX, IDC_SETENV_LINKPRG, m_strLinkPrg);
    DDX_Text(pDX, IDC_SETENV_CUSTID, m_strCustID);
    DDX_Text(pDX, IDC_SETENV_CUSTPWD, m_strCustPWD);
    DDX_Text(pDX, IDC_SETENV_CUSTPWD2, m_strCustPWD2);
    DDX_Text(pDX, IDC_SETENV_CUSTNAME, m_strCustName);
    DDX_CBString(pDX, IDC_SETENV_CUSTSEX, m_strCustSex);
    DDX_Text(pDX, IDC_SETENV_BIRTH, m_strCustBirth);
    DDX_CBString(pDX, IDC_SETENV_MNSN, m_strCustMnSn);
    DDX_Text(pDX, IDC_SETENV_ADDR, m_strCustAddr);
    DDX_Text(pDX, IDC_SETENV_EMAIL, m_strCustEMail);
}

BOOL CDlgSetEnv::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    LoadProfile();
    SetupButtons();
    m_edtBirth.SetDateMode();
    if (LoadCommunityInfo())
        FetchCustomerDetail(m_strCustID, m_strCustPWD);
    UpdateJoinButtons();
    return TRUE;
}

void CDlgSetEnv::SetupButtons()
{
    m_btnSave.SetIcon(IDI_BTN_OK);
    m_btnClose.SetIcon(IDI_BTN_CLOSE);
    m_btnJoin.SetIcon(IDI_BTN_COMMUNITY);
    CImageButton* plain[] = {&m_btnDefaults, &m_btnBrowse,  &m_btnPickDate, &m_btnDupCheck,    &m_btnFetch,
                             &m_btnWithdraw, &m_btnClearCache, &m_btnCompact, &m_btnResetProfile};
    for (CImageButton* button : plain)
        button->SetNormalBorder(TRUE);
    CImageButton* all[] = {&m_btnSave,     &m_btnClose,    &m_btnJoin,    &m_btnDefaults,   &m_btnBrowse,
                           &m_btnPickDate, &m_btnDupCheck, &m_btnFetch,   &m_btnWithdraw,   &m_btnClearCache,
                           &m_btnCompact,  &m_btnResetProfile};
    for (CImageButton* button : all) {
        button->SetBtnCursor(IDC_HAND_POINTER);
        if (button != &m_btnBrowse)
            button->OffsetColor(CImageButton::COLOR_BK_IN, kColourLift);
    }
}

void CDlgSetEnv::UpdateJoinButtons()
{
    GetDlgItem(IDC_SETENV_FETCH)->EnableWindow(!m_bJoined);
    GetDlgItem(IDC_SETENV_DUPCHECK)->EnableWindow(!m_bJoined);
    GetDlgItem(IDC_SETENV_WITHDRAW)->EnableWindow(m_bJoined);
}

// ---- settings ----

void CDlgSetEnv::RestoreDefaults()
{
    m_clrSlideShowBk = 0;
    m_clrBrowserBk = ::GetSysColor(COLOR_3DFACE);
    m_nJpegQuality = kDefaultQuality;
    m_nUndoLevel = kMaxUndoLevel;
    UpdateData(FALSE);
    Invalidate();
}

void CDlgSetEnv::SaveSettings()
{
    if (!UpdateData(TRUE))
        return;
    // Below 0 is as wrong as above 8: the editor keeps at most 8 undo images.
    if (m_nUndoLevel > kMaxUndoLevel || m_nUndoLevel < 0) {
        AfxMessageBox(kUndoLimit, MB_OK | MB_ICONINFORMATION);
        return;
    }
    CODBCQuery query(theApp.m_strUserDSN, theApp.m_strUserUID, theApp.m_strUserPWD, 0);
    query.InitQuery();
    const double numbers[] = {(double)m_nJpegQuality, (double)m_nUndoLevel, (double)(DWORD)m_clrSlideShowBk,
                              (double)(DWORD)m_clrBrowserBk, 0};
    for (size_t i = 0; i < sizeof(kSettingRows) / sizeof(kSettingRows[0]); ++i) {
        const SettingRow& row = kSettingRows[i];
        const char* column = row.column == Column::Number ? "BasNum1" : "BasDesc1";
        auto setValue = [&] {
            if (row.column == Column::Number)
                query.SetNumberColumn(column, numbers[i], 0);
            else
                query.SetStringColumn(column, (LPCSTR)m_strLinkPrg);
        };
        query.ResetQuery();
        setValue();
        CString filter;
        filter.Format("BasCateg = '%s' and BasCode = '%s'", row.category, row.code);
        query.SetFilter(filter);
        if (query.RunStructQuery("Update BasCodes") || !row.insertWhenMissing)
            continue;
        query.ResetQuery();
        query.SetStringColumn("BasCateg", row.category);
        query.SetStringColumn("BasCode", row.code);
        setValue();
        query.RunStructQuery("Insert Into BasCodes");
    }
    query.Commit();
    theApp.m_nJpegQuality = m_nJpegQuality;
    theApp.m_nUndoLevel = m_nUndoLevel;
    theApp.m_clrSlideShowBk = m_clrSlideShowBk;
    theApp.m_clrBrowserBk = m_clrBrowserBk;
    theApp.m_strLinkPrg = m_strLinkPrg;
    CVXDialog::OnOK();
}

void CDlgSetEnv::OnBrowse()
{
    UpdateData(TRUE);
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, "Executable Files(*.exe)|*.exe|All Files(*.*)|*.*||",
                       this);
    dialog.m_ofn.nFilterIndex = 1;
    if (dialog.DoModal() == IDOK)
        m_strLinkPrg = dialog.GetPathName();
    UpdateData(FALSE);
}

void CDlgSetEnv::OnPickDate()
{
    CString current;
    GetDlgItemText(IDC_SETENV_BIRTH, current);
    char chosen[32] = "";
    SelectDate(chosen, current, GetDlgItem(IDC_SETENV_BIRTH));
}

// ---- colour boxes ----

CRect CDlgSetEnv::ChildRect(int id)
{
    CRect rect;
    if (CWnd* child = GetDlgItem(id)) {
        child->GetWindowRect(&rect);
        ScreenToClient(&rect);
    }
    return rect;
}

BOOL CDlgSetEnv::ChooseColour(COLORREF& colour)
{
    CColorDialog dialog(colour, CC_RGBINIT | CC_FULLOPEN, this);
    if (dialog.DoModal() != IDOK)
        return FALSE;
    colour = dialog.GetColor();
    return TRUE;
}

void CDlgSetEnv::OnLButtonDown(UINT nFlags, CPoint point)
{
    CVXDialog::OnLButtonDown(nFlags, point);
    const struct {
        int id;
        COLORREF* colour;
    } boxes[] = {{IDC_SETENV_SLIDEBK, &m_clrSlideShowBk}, {IDC_SETENV_BROWSERBK, &m_clrBrowserBk}};
    for (const auto& box : boxes) {
        CRect rect = ChildRect(box.id);
        if (rect.PtInRect(point) && ChooseColour(*box.colour))
            InvalidateRect(&rect);
    }
}

// The colour boxes are hidden statics that only give the places: sunken frames filled here.
void CDlgSetEnv::OnPaint()
{
    CPaintDC dc(this);
    const struct {
        int id;
        COLORREF colour;
    } boxes[] = {{IDC_SETENV_SLIDEBK, m_clrSlideShowBk}, {IDC_SETENV_BROWSERBK, m_clrBrowserBk}};
    for (const auto& box : boxes) {
        CRect rect = ChildRect(box.id);
        dc.DrawEdge(&rect, EDGE_SUNKEN, BF_RECT);
        rect.DeflateRect(2, 2);
        dc.FillSolidRect(&rect, box.colour);
    }
}

// ---- community ----

void CDlgSetEnv::StoreMembership(const CString& id, const CString& password, const CString& name)
{
    CODBCQuery query(theApp.m_strUserDSN, theApp.m_strUserUID, theApp.m_strUserPWD, 0);
    if (!query.InitQuery())
        return;
    query.SetStringColumn("BasDesc1", (LPCSTR)id);
    query.SetStringColumn("BasDesc2", (LPCSTR)password);
    query.SetStringColumn("BasDesc3", (LPCSTR)name);
    query.SetFilter(kJoinFilter);
    query.RunStructQuery("Update BasCodes");
    query.Commit();
}

int CDlgSetEnv::LoadCommunityInfo()
{
    CWaitCursor wait;
    CODBCQuery query(theApp.m_strUserDSN, theApp.m_strUserUID, theApp.m_strUserPWD, 0);
    if (!query.InitQuery())
        return 0;
    query.SetStringColumn("BasDesc1", "", 0);
    query.SetStringColumn("BasDesc2", "", 0);
    query.SetStringColumn("BasDesc3", "", 0);
    query.SetFilter(kJoinFilter);
    if (!query.RunStructQuery("Select From BasCodes") || !query.FetchNextRow()) {
        query.ResetQuery();
        query.SetStringColumn("BasCateg", "Community");
        query.SetStringColumn("BasCode", "Join");
        query.RunStructQuery("Insert Into BasCodes");
        query.Commit();
        return 0;
    }
    m_strCustID = Text(query.ColumnValue("BasDesc1"));
    m_strCustPWD = m_strCustPWD2 = Text(query.ColumnValue("BasDesc2"));
    m_strCustName = Text(query.ColumnValue("BasDesc3"));
    UpdateData(FALSE);
    return !m_strCustID.IsEmpty() && !m_strCustPWD.IsEmpty() && !m_strCustName.IsEmpty();
}

std::unique_ptr<CWDBCQuery> CDlgSetEnv::ConnectWeb(UINT pageId)
{
    auto query = std::make_unique<CWDBCQuery>(LoadText(IDS_WDBC_HOST), kWebPort, LoadText(pageId));
    if (!query->InitQuery())
        return nullptr;
    return query;
}

void CDlgSetEnv::FetchCustomerDetail(CString strID, CString strPWD)
{
    CWaitCursor wait;
    m_strCustSex.Empty();
    m_strCustBirth.Empty();
    m_strCustAddr.Empty();
    m_strCustEMail.Empty();
    m_strCustMnSn = kSolar;
    UpdateData(FALSE);
    std::unique_ptr<CWDBCQuery> web = ConnectWeb(IDS_WDBC_SELECT_PAGE);
    if (!web) {
        m_bJoined = 0;
        AfxMessageBox(kSiteFailed, MB_OK | MB_ICONINFORMATION);
    } else {
        web->SetDBProc("SP_MIVO_CUSTOMER_DETAIL");
        web->SetStringColumn("CustID", strID);
        web->SetStringColumn("CustPWD", strPWD);
        web->RunQuery();
        if (!web->FetchNextRow()) {
            m_bJoined = 0;
            AfxMessageBox(kNoMembership, MB_OK | MB_ICONINFORMATION);
        } else {
            m_strCustName = Text(web->ColumnValue(0));
            m_strCustSex = Text(web->ColumnValue(1));
            m_strCustBirth = Text(web->ColumnValue(2));
            m_strCustMnSn = Text(web->ColumnValue(3));
            m_strCustAddr = Text(web->ColumnValue(4));
            m_strCustEMail = Text(web->ColumnValue(5));
            m_bJoined = 1;
            StoreMembership(strID, strPWD, m_strCustName);
            UpdateData(FALSE);
        }
    }
    UpdateJoinButtons();
}

void CDlgSetEnv::OnFetch()
{
    UpdateData(TRUE);
    if (m_strCustID.IsEmpty() || m_strCustPWD.IsEmpty()) {
        AfxMessageBox("ID 와 비밀번호를 입력해야 가입정보를 확인할 수 있습니다.", MB_OK | MB_ICONINFORMATION);
        return;
    }
    FetchCustomerDetail(m_strCustID, m_strCustPWD);
}

void CDlgSetEnv::CheckCustomerId()
{
    UpdateData(TRUE);
    if (m_strCustID.IsEmpty()) {
        AfxMessageBox(kEnterId, MB_OK | MB_ICONINFORMATION);
        return;
    }
    std::unique_ptr<CWDBCQuery> web = ConnectWeb(IDS_WDBC_SELECT_PAGE);
    if (!web) {
        AfxMessageBox(kSiteFailed, MB_OK | MB_ICONINFORMATION);
        UpdateJoinButtons();
        return;
    }
    web->SetDBProc("SP_MIVO_CUSTOMER_DUPCHECK");
    web->SetStringColumn("CustID", m_strCustID);
    web->RunQuery();
    if (web->FetchNextRow()) {
        m_strCustID.Empty();
        UpdateData(FALSE);
        AfxMessageBox("이미 존재하는 ID 입니다.", MB_OK | MB_ICONINFORMATION);
    } else {
        AfxMessageBox("사용 가능한 ID 입니다.", MB_OK | MB_ICONINFORMATION);
    }
}

void CDlgSetEnv::SaveCustomer()
{
    UpdateData(TRUE);
    const char* refusal = nullptr;
    if (m_strCustID.IsEmpty())
        refusal = kEnterId;
    else if (m_strCustPWD.IsEmpty())
        refusal = "비밀번호 를 입력하십시요.";
    else if (m_strCustPWD != m_strCustPWD2)
        refusal = "비밀번호와 그 확인란에 입력한 내용이 일치하지 않습니다.";
    else if (m_strCustName.IsEmpty())
        refusal = "이름을 입력하십시요.";
    if (refusal) {
        AfxMessageBox(refusal, MB_OK | MB_ICONINFORMATION);
        return;
    }
    CWaitCursor wait;
    std::unique_ptr<CWDBCQuery> web = ConnectWeb(IDS_WDBC_UPDATE_PAGE);
    if (!web)
        return;
    web->SetDBProc("SP_MIVO_CUSTOMER_SAVE");
    const struct {
        const char* name;
        CString value;
    } fields[] = {
        {"CustID", m_strCustID},       {"CustPWD", m_strCustPWD},
        {"CustName", m_strCustName},   {"CustSex", m_strCustSex},
        {"CustBirth", m_strCustBirth}, {"CustMnSn", m_strCustMnSn},
        {"CustAddr", m_strCustAddr},   {"CustEMail", m_strCustEMail},
        {"ProductVersion1", LoadText(IDS_VERSION)}, {"RegDate", Today()},
        {"CustNew", m_bJoined ? "0" : "1"},
    };
    for (const auto& field : fields)
        web->SetStringColumn(field.name, field.value);
    web->RunQuery();
    if (!web->FetchNextRow())
        return;
    if (atoi(Text(web->ColumnValue(0))) == 0) {
        AfxMessageBox("저장작업중 오류가 발생했습니다.", MB_OK | MB_ICONINFORMATION);
        return;
    }
    StoreMembership(m_strCustID, m_strCustPWD, m_strCustName);
    AfxMessageBox("성공적으로 가입/수정 되었습니다.", MB_OK | MB_ICONINFORMATION);
    m_bJoined = 1;
    UpdateJoinButtons();
}

void CDlgSetEnv::ClearCommunityFields()
{
    m_strCustID.Empty();
    m_strCustPWD.Empty();
    m_strCustPWD2.Empty();
    m_strCustName.Empty();
    m_strCustSex.Empty();
    m_strCustBirth.Empty();
    m_strCustAddr.Empty();
    m_strCustEMail.Empty();
    m_strCustMnSn = kSolar;
}

void CDlgSetEnv::DeleteCustomer()
{
    if (AfxMessageBox("커뮤니티 가입을 취소,탈퇴하시겠습니까?", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    std::unique_ptr<CWDBCQuery> web = ConnectWeb(IDS_WDBC_UPDATE_PAGE);
    if (!web)
        return;
    web->SetDBProc("SP_MIVO_CUSTOMER_DELETE");
    web->SetStringColumn("CustID", m_strCustID);
    web->RunQuery();
    if (!web->FetchNextRow())
        return;
    if (atoi(Text(web->ColumnValue(0))) == 0) {
        AfxMessageBox("삭제작업중 오류가 발생했습니다.", MB_OK | MB_ICONINFORMATION);
        return;
    }
    StoreMembership("", "", "");
    ClearCommunityFields();
    UpdateData(FALSE);
    AfxMessageBox("성공적으로 탈퇴 처리 하였습니다.", MB_OK | MB_ICONINFORMATION);
    m_bJoined = 0;
    UpdateJoinButtons();
}

// ---- maintenance ----

void CDlgSetEnv::OnClearCache()
{
    {
        CWaitCursor wait;
        CThumbnailCache cache;
        cache.DeleteAll();
    }
    GetDlgItem(IDC_SETENV_CLEARCACHE)->EnableWindow(FALSE);
}

void CDlgSetEnv::CompactDatabases()
{
    // Each database is compacted in place by its own data source: nothing is ever deleted or
    // swapped under the program's open connections, and a failure leaves the file as it was.
    const struct {
        CString dsn, uid, pwd;
    } databases[] = {
        {theApp.m_strTmplDSN, theApp.m_strTmplUID, theApp.m_strTmplPWD},
        {theApp.m_strUserDSN, theApp.m_strUserUID, theApp.m_strUserPWD},
    };
    CWaitCursor wait;
    for (const auto& db : databases) {
        CODBCQuery query(db.dsn, db.uid, db.pwd, 1);
        if (!query.InitQuery())
            return;  // the query has said why
        query.m_strQuery = "VACUUM";
        if (!query.RunQuery()) {
            CString text;
            text.Format("Database 를 압축하지 못했습니다. (DSN: %s)", (LPCSTR)db.dsn);
            MessageBox(text, "Error Info", MB_OK | MB_ICONEXCLAMATION);
            return;
        }
    }
    GetDlgItem(IDC_SETENV_COMPACT)->EnableWindow(FALSE);
}

void CDlgSetEnv::ResetProfile()
{
    CString question = "프로파일 데이타 (프로그램의 실행상태(윈도우위치,크기등)를 \r\n사용상의 편의를 위해 저장한 데이타베이스) ";
    question += "를 초기화 합니다. \r\n\r\n실행하시겠습니까?";
    if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    theApp.InitDBProfile();
    theApp.CloseDBProfile();
    theApp.OpenDBProfile("Profile." + theApp.m_strAppKey);
    GetDlgItem(IDC_SETENV_RESETPROFILE)->EnableWindow(FALSE);
    m_bSavePosition = FALSE;
}
