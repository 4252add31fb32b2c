#include "album/DlgConsoleSubAlbum.h"

#include "album/AlbumTables.h"
#include "framework/ODBCQuery.h"
#include "resource.h"

namespace {

const COLORREF kTitleColour = 0xC00000;
const COLORREF kFileColour = 0x00A000;
const short kBackgroundLift = 50;
const UINT kLabelIds[] = {IDC_DETAIL_TITLE_LABEL,   IDC_DETAIL_TARGET_LABEL, IDC_DETAIL_PHOTOGRAPHER_LABEL,
                          IDC_DETAIL_PROCESS_LABEL, IDC_DETAIL_MEMO_LABEL,   IDC_DETAIL_FILE_LABEL};
const UINT kEditIds[] = {IDC_DETAIL_TITLE,   IDC_DETAIL_TARGET, IDC_DETAIL_PHOTOGRAPHER,
                         IDC_DETAIL_PROCESS, IDC_DETAIL_MEMO,   IDC_DETAIL_FILE};

CString RowFilter(int albumId, int seq)
{
    CString filter;
    filter.Format("AlbumID = %d and Seq = %d", albumId, seq);
    return filter;
}

void SetupButton(CImageButton& button, int icon)
{
    button.SetIcon(icon);
    button.SetNormalBorder(TRUE);
    button.SetBtnCursor(IDC_HAND_POINTER, TRUE);
    button.OffsetColor(CImageButton::COLOR_BK_IN, kBackgroundLift, TRUE);
    button.EnableWindow(FALSE);
}

}  // namespace

BEGIN_MESSAGE_MAP(CDlgConsoleSubAlbum, CVXDialog)
    ON_BN_CLICKED(IDC_DETAIL_NEW, OnNewEntry)
    ON_BN_CLICKED(IDC_DETAIL_SAVE, OnSaveDetails)
    ON_EN_CHANGE(IDC_DETAIL_TITLE, OnFieldChange)
    ON_EN_CHANGE(IDC_DETAIL_TARGET, OnFieldChange)
    ON_EN_CHANGE(IDC_DETAIL_PHOTOGRAPHER, OnFieldChange)
    ON_EN_CHANGE(IDC_DETAIL_PROCESS, OnFieldChange)
    ON_EN_CHANGE(IDC_DETAIL_MEMO, OnFieldChange)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CDlgConsoleSubAlbum::CDlgConsoleSubAlbum(CWnd* pParent)
    : CVXDialog(IDD_CONSOLE_SUB_ALBUM, pParent), m_nAlbumID(0), m_nSeq(0)
{
    m_bChild = TRUE;
}

CDlgConsoleSubAlbum::~CDlgConsoleSubAlbum() = default;

void CDlgConsoleSubAlbum::DoDataExchange(CDataExchange* pDX)
{
    CVXDialog::DoDataExchange(pDX);
    CVXEdit* edits[] = {&m_editTitle, &m_editTarget, &m_editPhotographer, &m_editProcess, &m_editMemo, &m_editFile};
    CString* members[] = {&m_strTitle,   &m_strTargetList, &m_strPhotographer,
                          &m_strProcess, &m_strPhotoDesc,  &m_strPathName};
    for (int i = 0; i < 6; i++) {
        DDX_Control(pDX, kLabelIds[i], m_labels[i]);
        DDX_Control(pDX, kEditIds[i], *edits[i]);
        DDX_Text(pDX, kEditIds[i], *members[i]);
    }
    DDX_Control(pDX, IDC_DETAIL_NEW, m_btnNew);
    DDX_Control(pDX, IDC_DETAIL_SAVE, m_btnSave);
}

BOOL CDlgConsoleSubAlbum::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    SetupButton(m_btnNew, IDI_DETAIL_NEW);
    SetupButton(m_btnSave, IDI_DETAIL_SAVE);
    m_editTitle.SetEditTextColor(kTitleColour);
    m_editFile.SetEditTextColor(kFileColour);
    return TRUE;
}

void CDlgConsoleSubAlbum::EmptyDescriptions()
{
    m_strTitle.Empty();
    m_strTargetList.Empty();
    m_strPhotographer.Empty();
    m_strProcess.Empty();
    m_strPhotoDesc.Empty();
}

void CDlgConsoleSubAlbum::LoadDetails()
{
    std::unique_ptr<CODBCQuery> query = CAlbumTables::OpenUserQuery();
    query->ResetQuery();
    for (const char* column : {"Title", "PathName", "TargetList", "Photographer", "Process", "PhotoDesc"}) {
        query->SetStringColumn(CString(column), CString(), 0);
        query->SetDataBufSize(CString(column), CAlbumTables::LONGEST_PATH);
    }
    query->SetFilter(RowFilter(m_nAlbumID, m_nSeq));
    // Without a row the fields must not keep the previous photo's texts as this one's.
    EmptyDescriptions();
    m_strPathName.Empty();
    if (query->RunStructQuery("Select From AlbumDetail ") && query->FetchNextRow()) {
        m_strTitle = query->ColumnValue(0, 1);
        m_strPathName = query->ColumnValue(1, 1);
        m_strTargetList = query->ColumnValue(2, 1);
        m_strPhotographer = query->ColumnValue(3, 1);
        m_strProcess = query->ColumnValue(4, 1);
        m_strPhotoDesc = query->ColumnValue(5, 1);
    }
    if (!GetSafeHwnd())
        return;
    UpdateData(FALSE);
    m_btnNew.EnableWindow(TRUE);
    m_btnSave.EnableWindow(FALSE);
}

void CDlgConsoleSubAlbum::OnFieldChange()
{
    m_btnSave.EnableWindow(TRUE);
}

void CDlgConsoleSubAlbum::OnNewEntry()
{
    EmptyDescriptions();
    UpdateData(FALSE);
}

void CDlgConsoleSubAlbum::OnSaveDetails()
{
    SaveDetails();
}

void CDlgConsoleSubAlbum::SaveDetails()
{
    UpdateData(TRUE);
    std::unique_ptr<CODBCQuery> query = CAlbumTables::OpenUserQuery();
    query->ResetQuery();
    query->SetStringColumn(CString("Title"), m_strTitle, 1);
    query->SetStringColumn(CString("TargetList"), m_strTargetList, 1);
    query->SetStringColumn(CString("Photographer"), m_strPhotographer, 1);
    query->SetStringColumn(CString("Process"), m_strProcess, 1);
    query->SetStringColumn(CString("PhotoDesc"), m_strPhotoDesc, 1);
    query->SetFilter(RowFilter(m_nAlbumID, m_nSeq));
    // A save that no row took keeps the button, so the typed text is not dropped unnoticed.
    if (!query->RunStructQuery("Update AlbumDetail "))
        return;
    query->Commit();
    m_btnSave.EnableWindow(FALSE);
}

void CDlgConsoleSubAlbum::OnSize(UINT nType, int cx, int cy)
{
    CVXDialog::OnSize(nType, cx, cy);
    if (!m_editTitle.GetSafeHwnd())
        return;
    CVXEdit* edits[] = {&m_editTitle, &m_editTarget, &m_editPhotographer, &m_editProcess, &m_editMemo, &m_editFile};
    for (CVXEdit* edit : edits) {
        CRect rect;
        edit->GetWindowRect(&rect);
        ScreenToClient(&rect);
        edit->MoveWindow(rect.left, rect.top, cx - 2 - rect.left, rect.Height());
    }
    CRect button;
    m_btnNew.GetWindowRect(&button);
    ScreenToClient(&button);
    int width = (cx - 4) / 2;
    m_btnNew.MoveWindow(button.left, button.top, width, button.Height());
    m_btnSave.MoveWindow((cx - 4) / 2 + 2, button.top, width, button.Height());
}
