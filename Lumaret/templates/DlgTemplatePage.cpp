#include "templates/DlgTemplatePage.h"

#include "image/ImageObject.h"
#include "resource.h"
#include "shell/DlgImgFileOpen.h"
#include "shell/MainApp.h"
#include "shell/MainFrame.h"

namespace {

const char kPictureFilter[] =
    "All Image Files(*.JPG;*.BMP;*.GIF)|*.JPG;*.BMP;*.GIF|Jpeg Files(*.JPG)|*.JPG|BMP Files(*.BMP)|*.BMP||";
const char kChoosePicture[] = "이미지를 선택하십시요.";
const char kSaved[] = "저장완료";
const char kDeleted[] = "삭제완료";

// The grid's own colour table: alternate rows, then text colours.
const COLORREF kListColours[] = {RGB(192, 192, 192), RGB(0, 0, 160), RGB(160, 0, 0), RGB(0, 128, 0), RGB(96, 96, 96)};
// Alternate rows, a line under each row, lines between columns, selection kept without focus.
const DWORD kListStyle = 0x3A;

struct Column {
    const char* title;
    int width;
    UINT format;
};

COLORREF EightTenths(COLORREF c)
{
    return RGB(GetRValue(c) * 8 / 10, GetGValue(c) * 8 / 10, GetBValue(c) * 8 / 10);
}

}  // namespace

IMPLEMENT_DYNAMIC(CDlgTemplatePage, CVXDialog)

BEGIN_MESSAGE_MAP(CDlgTemplatePage, CVXDialog)
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_DESTROY()
    ON_BN_CLICKED(IDC_TMPL_NEW, NewTemplate)
    ON_BN_CLICKED(IDC_TMPL_SAVE, SaveTemplate)
    ON_BN_CLICKED(IDC_TMPL_DELETE, DeleteTemplate)
    ON_BN_CLICKED(IDC_TMPL_EDIT, EditImage)
    ON_BN_CLICKED(IDC_TMPL_REFRESH, OnRefresh)
END_MESSAGE_MAP()

CDlgTemplatePage::CDlgTemplatePage(const Layout& layout, CWnd* pParent)
    : CVXDialog(layout.nTemplateId, pParent), m_nCurRow(-1), m_nCurKey(-1), m_layout(layout)
{
    m_nIconID = IDR_MAINFRAME;
    for (int i = 0; i < MAX_PICTURES; ++i)
        m_bNewPicture[i] = 0;
}

CDlgTemplatePage::~CDlgTemplatePage() = default;

void CDlgTemplatePage::DoDataExchange(CDataExchange* pDX)
{
    CVXDialog::DoDataExchange(pDX);
    DDX_Control(pDX, m_layout.nListId, m_wndList);
    for (int i = 0; i < PictureCount(); ++i)
        DDX_Control(pDX, m_layout.nFileButtonIds[i], m_btnFile[i]);
    DDX_Control(pDX, IDC_TMPL_NEW, m_btnNew);
    DDX_Control(pDX, IDC_TMPL_SAVE, m_btnSave);
    DDX_Control(pDX, IDC_TMPL_EDIT, m_btnEdit);
    DDX_Control(pDX, IDC_TMPL_DELETE, m_btnDelete);
    DDX_Control(pDX, IDC_TMPL_REFRESH, m_btnRefresh);
    DDX_Control(pDX, IDC_TMPL_TITLE, m_edtTitle);
    DDX_Control(pDX, m_layout.nPathIds[0], m_edtPath);
    DDX_Control(pDX, IDC_TMPL_DATE, m_edtDate);
    DDX_Control(pDX, IDC_TMPL_MEMO, m_edtMemo);
    DDX_Text(pDX, IDC_TMPL_TITLE, m_strTitle);
    DDX_Text(pDX, m_layout.nPathIds[0], m_strPath[0]);
    DDX_Text(pDX, IDC_TMPL_DATE, m_strDate);
    DDX_Text(pDX, IDC_TMPL_MEMO, m_strMemo);
    DDX_Text(pDX, m_layout.nKeyId, m_nCurKey);
    if (PictureCount() > 1) {
        DDX_Control(pDX, m_layout.nPathIds[1], m_edtPath2);
        DDX_Text(pDX, m_layout.nPathIds[1], m_strPath[1]);
    }
}

BOOL CDlgTemplatePage::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    m_imgList.Create(IDB_ALBUM_TREE, 16, 1, RGB(255, 255, 255));
    SetUpButtons();
    SetUpList();
    SetUpColours();
    LoadTemplateList();
    NewTemplate();
    return TRUE;
}

void CDlgTemplatePage::SetUpButtons()
{
    for (int i = 0; i < PictureCount(); ++i)
        m_btnFile[i].SetNormalBorder(TRUE);
    m_btnNew.SetIcon(IDI_DETAIL_NEW);
    m_btnSave.SetIcon(IDI_DETAIL_SAVE);
    m_btnEdit.SetIcon(IDI_TMPL_EDIT);
    m_btnDelete.SetIcon(IDI_TMPL_DELETE);
    m_btnRefresh.SetIcon(IDI_TMPL_REFRESH);
    for (int i = 0; i < PictureCount(); ++i)
        m_btnFile[i].SetBtnCursor(IDC_HAND_POINTER);
    for (CImageButton* button : {&m_btnNew, &m_btnSave, &m_btnEdit, &m_btnDelete, &m_btnRefresh})
        button->SetBtnCursor(IDC_HAND_POINTER);
}

void CDlgTemplatePage::SetUpList()
{
    for (int i = 0; i < (int)(sizeof(kListColours) / sizeof(kListColours[0])); ++i)
        m_wndList.InsertColor(i, kListColours[i]);
    std::vector<Column> columns = {{m_layout.pszNameTitle, 500, HDF_LEFT}, {"가로", 80, HDF_RIGHT}, {"세로", 80, HDF_RIGHT}};
    if (PictureCount() > 1)
        columns.push_back({"가로2", 80, HDF_RIGHT});
    columns.push_back({"파일형식", 80, HDF_CENTER});
    columns.push_back({"등록일", 100, HDF_CENTER});
    for (int i = 0; i < (int)columns.size(); ++i) {
        _RVSUBITEM sub;
        sub.nMask = HDF_STRING | columns[i].format;
        sub.iWidth = columns[i].width;
        sub.lpszText = columns[i].title;
        m_wndList.DefineSubItem(i, &sub, FALSE);
    }
    if (!m_wndList.GetVXProfile(theApp.m_strAppKey, m_layout.pszProfileEntry))
        for (int i = 0; i < (int)columns.size(); ++i)
            m_wndList.ActivateSubItem(i, i);
    m_wndList.ModifyStyle(0, kListStyle, 0);
    m_wndList.SetImageList(&m_imgList, nullptr);
}

void CDlgTemplatePage::SetUpColours()
{
    COLORREF face = ::GetSysColor(COLOR_3DFACE);
    m_wndList.SetBkColor(face);
    m_wndList.SetGridColor(EightTenths(face));
    for (CVXEdit* edit : {&m_edtTitle, &m_edtPath, &m_edtDate, &m_edtMemo}) {
        edit->SetEditBkColor(face);
        edit->SetEditBkColorNorm(face);
    }
}

// ---- the list ----

void CDlgTemplatePage::SetListRow(int row, const TemplateInfo& info)
{
    if (row < 0)
        return;
    int column = 0;
    m_wndList.SetItemText(row, column++, info.strName, -1);
    m_wndList.SetItemValue(row, column++, (double)info.nWidth, 0, -1);
    m_wndList.SetItemValue(row, column++, (double)info.nHeight, 0, -1);
    if (PictureCount() > 1)
        m_wndList.SetItemValue(row, column++, (double)info.nWidth2, 0, -1);
    m_wndList.SetItemText(row, column++, info.strFileType[0], -1);
    m_wndList.SetItemText(row, column++, info.strDate, -1);
}

void CDlgTemplatePage::LoadTemplateList()
{
    UpdateData(TRUE);
    CWaitCursor wait;
    m_wndList.DeleteAllItems();
    m_wndList.SetRedraw(FALSE);
    for (const TemplateInfo& info : CTemplateTables::List(m_layout.family)) {
        int row = m_wndList.InsertItem(m_wndList.GetItemCount(), info.strName, -1, -1, -1);
        m_wndList.SetItemData(row, (DWORD_PTR)(UINT)info.nKey);
        SetListRow(row, info);
    }
    m_wndList.SetRedraw(TRUE);
    UpdateData(FALSE);
}

void CDlgTemplatePage::OnRefresh()
{
    LoadTemplateList();
}

int CDlgTemplatePage::RowOfKey(int key)
{
    for (int row = 0; row < m_wndList.GetItemCount(); ++row)
        if ((int)m_wndList.GetItemData(row) == key)
            return row;
    return -1;
}

void CDlgTemplatePage::OnGridItemClick(NMHDR* pNotifyStruct, LRESULT* pResult)
{
    const _NMREPORTVIEW* record = reinterpret_cast<const _NMREPORTVIEW*>(pNotifyStruct);
    *pResult = 0;
    if (record->iItem < 0 || record->iSubItem < 0)
        return;
    OpenTemplate(record->iItem);
}

void CDlgTemplatePage::OpenTemplate(int row)
{
    if (row < 0 || row >= m_wndList.GetItemCount())
        return;
    m_nCurRow = row;
    m_nCurKey = (int)m_wndList.GetItemData(row);
    CWaitCursor wait;
    TemplateInfo info;
    TemplateUnpacked pictures[MAX_PICTURES];
    if (CTemplateTables::Load(m_layout.family, m_nCurKey, info, pictures)) {
        m_strTitle = info.strName;
        m_strDate = info.strDate;
        m_strMemo = info.strMemo;
        const CSize stored[MAX_PICTURES] = {CSize(info.nWidth, info.nHeight), CSize(info.nWidth2, 0)};
        for (int i = 0; i < PictureCount(); ++i) {
            m_strFileType[i] = info.strFileType[i];
            m_strPath[i] = pictures[i].strPath;
            // No file to read the size from: a later save keeps what the row says.
            if (m_strPath[i].IsEmpty())
                m_szPicture[i] = stored[i];
            LoadPreview(i + 1);
            m_bNewPicture[i] = 0;
        }
        OnTemplateOpened();
    }
    UpdateData(FALSE);
}

// ---- pictures ----

CRect CDlgTemplatePage::ControlRect(UINT id) const
{
    CRect rect(0, 0, 0, 0);
    CWnd* control = GetDlgItem(id);
    if (control) {
        control->GetWindowRect(&rect);
        ScreenToClient(&rect);
    }
    return rect;
}

CRect CDlgTemplatePage::AreaRect(int which) const
{
    return ControlRect(m_layout.nAreaIds[which - 1]);
}

int CDlgTemplatePage::LoadPreview(int which)
{
    if (which < 1 || which > PictureCount())
        return 0;
    const int i = which - 1;
    m_pPreview[i].reset();
    CRect area = AreaRect(which);
    if (!m_strPath[i].IsEmpty()) {
        std::unique_ptr<CImageObject> image(new CImageObject);
        // An unreadable header leaves nothing of the previous picture's size.
        m_szPicture[i] = CSize(0, 0);
        image->GetImageSizeFromFile(m_strPath[i], &m_szPicture[i]);
        if (area.Width() > 0 && area.Height() > 0) {
            if (!image->LoadScaled(m_strPath[i], CSize(area.Width(), area.Height()), 1)) {
                InvalidateRect(&area, TRUE);
                return 0;
            }
            m_pPreview[i] = std::move(image);
        }
    }
    InvalidateRect(&area, TRUE);
    return 1;
}

void CDlgTemplatePage::SelectFile(int which)
{
    if (which < 1 || which > PictureCount())
        return;
    const int i = which - 1;
    UpdateData(TRUE);
    CDlgImgFileOpen dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, kPictureFilter, this);
    dialog.m_ofn.nFilterIndex = 1;
    if (theApp.m_szTemplateDir[0])
        dialog.m_ofn.lpstrInitialDir = theApp.m_szTemplateDir;
    if (dialog.DoModal() == IDOK) {
        char folder[MAX_PATH] = "";
        ::GetCurrentDirectory(MAX_PATH, folder);
        CMainApp::CopyFolderBuffer(theApp.m_szTemplateDir, folder);
        m_strPath[i] = dialog.GetPathName();
        m_strFileType[i] = dialog.GetFileExt();
        if (LoadPreview(which) || m_layout.bChosenEvenUnloaded)
            m_bNewPicture[i] = 1;
    }
    UpdateData(FALSE);
}

void CDlgTemplatePage::OnSelectFile1()
{
    SelectFile(1);
}

void CDlgTemplatePage::OnSelectFile2()
{
    SelectFile(2);
}

void CDlgTemplatePage::PaintPictures(CDC& dc)
{
    for (int i = 0; i < PictureCount(); ++i) {
        CImageObject* preview = m_pPreview[i].get();
        if (!preview || preview->GetHeight() <= 0)
            continue;
        CRect area = AreaRect(i + 1);
        int factor = 1;
        if (m_layout.bEnlargePreview) {
            // A tile higher than the area would give 0: it is then shown at its own size.
            factor = (area.bottom - 3 - area.top) / preview->GetHeight();
            if (factor < 1)
                factor = 1;
        }
        preview->DrawStretchDirect(&dc, 0, 0, -1, -1, area.left + 3, area.top, preview->GetWidth() * factor,
                                   preview->GetHeight() * factor);
    }
}

void CDlgTemplatePage::OnPaint()
{
    CPaintDC dc(this);
    PaintPictures(dc);
}

// ---- layout ----

void CDlgTemplatePage::OnSize(UINT nType, int cx, int cy)
{
    CVXDialog::OnSize(nType, cx, cy);
    if (cx == 0 || cy == 0 || theApp.m_bClosing || !::IsWindow(m_wndList.GetSafeHwnd()))
        return;
    CRect grid = ControlRect(m_layout.nListId);
    const int left = grid.left, top = grid.top;
    m_wndList.MoveWindow(left, top, cx - 2 * left, cy - top - left);
    ResizeAreas(cx, left);
}

void CDlgTemplatePage::ResizeAreas(int cx, int left)
{
    CWnd* area = GetDlgItem(m_layout.nAreaIds[0]);
    if (!area)
        return;
    CRect rect = AreaRect(1);
    int width = cx - left - rect.left;
    area->MoveWindow(rect.left, rect.top, width > 0 ? width : 0, rect.Height());
    LoadPreview(1);
}

// ---- commands ----

void CDlgTemplatePage::NewTemplate()
{
    m_strTitle.Empty();
    m_strMemo.Empty();
    m_nCurKey = -1;
    for (int i = 0; i < MAX_PICTURES; ++i) {
        m_strPath[i].Empty();
        m_strFileType[i].Empty();
        m_szPicture[i] = CSize(0, 0);
        m_bNewPicture[i] = 0;
    }
    UpdateData(FALSE);
    for (int i = 1; i <= PictureCount(); ++i)
        LoadPreview(i);
    OnFormCleared();
}

TemplateInfo CDlgTemplatePage::FormInfo() const
{
    TemplateInfo info;
    info.nKey = m_nCurKey;
    info.strName = m_strTitle;
    info.strMemo = m_strMemo;
    info.nWidth = m_szPicture[0].cx;
    info.nHeight = m_szPicture[0].cy;
    info.nWidth2 = m_szPicture[1].cx;
    for (int i = 0; i < MAX_PICTURES; ++i)
        info.strFileType[i] = m_strFileType[i];
    return info;
}

void CDlgTemplatePage::SaveTemplate()
{
    UpdateData(TRUE);
    if (m_nCurKey == -1)
        for (int i = 0; i < PictureCount(); ++i)
            if (!m_bNewPicture[i]) {
                AfxMessageBox(kChoosePicture);
                return;
            }
    CWaitCursor wait;
    TemplateInfo info = FormInfo();
    TemplatePictureFile files[MAX_PICTURES];
    const TemplatePictureFile* chosen[MAX_PICTURES] = {nullptr, nullptr};
    for (int i = 0; i < PictureCount(); ++i) {
        if (!m_bNewPicture[i])
            continue;
        files[i].strPath = m_strPath[i];
        files[i].strFileType = m_strFileType[i];
        chosen[i] = &files[i];
    }
    if (m_nCurKey == -1) {
        if (!CTemplateTables::Insert(m_layout.family, info, chosen))
            return;
        // The form stays a new template: a second save stores a second one.
        int row = m_wndList.InsertItem(0, info.strName, -1, -1, -1);
        m_wndList.SetItemData(row, (DWORD_PTR)(UINT)info.nKey);
        SetListRow(row, info);
    } else {
        if (!CTemplateTables::Update(m_layout.family, info, chosen))
            return;
        // The row of the key, wherever a refresh has put it since it was clicked.
        SetListRow(RowOfKey(m_nCurKey), info);
    }
    AfxMessageBox(kSaved);
}

void CDlgTemplatePage::DeleteTemplate()
{
    UpdateData(TRUE);
    CWaitCursor wait;
    if (m_nCurKey < 0)
        return;
    if (!CTemplateTables::Delete(m_layout.family, m_nCurKey))
        return;
    int row = RowOfKey(m_nCurKey);
    if (row >= 0)
        m_wndList.DeleteItem(row);
    AfxMessageBox(kDeleted);
    NewTemplate();
}

void CDlgTemplatePage::EditImage()
{
    UpdateData(TRUE);
    CMainFrame* frame = dynamic_cast<CMainFrame*>(AfxGetApp()->m_pMainWnd);
    if (frame)
        frame->OpenImageEditor(m_strPath[0], "");
}

void CDlgTemplatePage::OnDestroy()
{
    CVXDialog::OnDestroy();
    if (::IsWindow(m_wndList.GetSafeHwnd()))
        m_wndList.WriteVXProfile(theApp.m_strAppKey, m_layout.pszProfileEntry);
}
