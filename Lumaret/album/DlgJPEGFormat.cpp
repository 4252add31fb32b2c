#include "album/DlgJPEGFormat.h"

#include "framework/VXUtil.h"
#include "resource.h"

#include <memory>

namespace {

const char kLayerTitle[] = "JPEG Format";

struct ColumnSpec {
    const char* title;
    int width;
    UINT format;
};

// Text columns; the low word aligns: 0 left, 1 right, 2 centred.
const ColumnSpec kColumns[] = {
    {"Name", 150, 0x4000},     {"Addr(H)", 100, 0x4001},   {"Addr(D)", 100, 0x4001},
    {"Bytes", 80, 0x4001},     {"Value", 150, 0x4002},     {"Ref.Value", 200, 0x4000},
    {"Ref.Length", 200, 0x4002}, {"Thumb Image", 100, 0x4000},
};

const COLORREF kGridColours[] = {RGB(212, 208, 200), RGB(0, 0, 160), RGB(160, 0, 0), RGB(0, 128, 0),
                                 RGB(192, 192, 192)};

const int kTreeImageSize = 16;

}  // namespace

IMPLEMENT_DYNAMIC(CDlgJPEGFormat, CVXDialog)

BEGIN_MESSAGE_MAP(CDlgJPEGFormat, CVXDialog)
    ON_BN_CLICKED(IDC_JPEG_SELECT, OnSelectFile)
    ON_BN_CLICKED(IDC_JPEG_ANALYSE, OnAnalyse)
    ON_WM_SIZE()
    ON_NOTIFY(RVN_ITEMCLICK, IDC_JPEG_GRID, OnGridItemClick)
    ON_NOTIFY(RVN_DRAWROW, IDC_JPEG_GRID, OnGridNoAction)
    ON_NOTIFY(RVN_BEGINITEMEDIT, IDC_JPEG_GRID, OnGridNoAction)
    ON_NOTIFY(RVN_ENDITEMEDIT, IDC_JPEG_GRID, OnGridNoAction)
    ON_NOTIFY(RVN_EDITKILLFOCUS, IDC_JPEG_GRID, OnGridEditKillFocus)
END_MESSAGE_MAP()

CDlgJPEGFormat::CDlgJPEGFormat(CWnd* pParent) : CVXDialog(IDD_JPEG_FORMAT, pParent), m_walk(&m_gridStructure)
{
    m_nIconID = 128;
}

// The walk member releases the section blocks and closes the file.
CDlgJPEGFormat::~CDlgJPEGFormat() = default;

CDlgJPEGFormat* CDlgJPEGFormat::OpenInLayer(const CString& path)
{
    CMDIFrameWnd* frame = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
    if (frame == nullptr)
        return nullptr;
    auto dlg = std::make_unique<CDlgJPEGFormat>(nullptr);
    dlg->m_strPath = path;
    char title[sizeof kLayerTitle];
    RemoveCrLfFromString(title, kLayerTitle);
    // The frame's layer owns the page it shows; a page it could not show is deleted there.
    CDialog* shown =
        OpenLayerViewFromDlg(title, dlg.release(), IDD_JPEG_FORMAT, IDR_MAINFRAME, frame->m_hWndMDIClient, frame, TRUE, 0);
    return static_cast<CDlgJPEGFormat*>(shown);
}

void CDlgJPEGFormat::DoDataExchange(CDataExchange* pDX)
{
    CVXDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_JPEG_GRID, m_gridStructure);
    DDX_Text(pDX, IDC_JPEG_PATH, m_strPath);
}

BOOL CDlgJPEGFormat::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    SetUpGrid();
    return TRUE;
}

void CDlgJPEGFormat::SetUpGrid()
{
    for (int i = 0; i < (int)(sizeof kGridColours / sizeof kGridColours[0]); i++)
        m_gridStructure.InsertColor(i, kGridColours[i]);
    for (int i = 0; i < (int)(sizeof kColumns / sizeof kColumns[0]); i++) {
        _RVSUBITEM column;
        column.nMask = kColumns[i].format;
        column.iWidth = kColumns[i].width;
        column.lpszText = kColumns[i].title;
        m_gridStructure.DefineSubItem(i, &column);
        m_gridStructure.ActivateSubItem(i, i);
    }
    m_gridStructure.ModifyStyle(0, RVS_SHOWSELALWAYS | RVS_SHOWHGRID);
    if (m_imageList.Create(IDB_ALBUM_TREE, kTreeImageSize, 1, RGB(255, 255, 255)))
        m_gridStructure.SetImageList(&m_imageList);
}

void CDlgJPEGFormat::WalkJpegMarkers()
{
    m_walk.WalkJpegMarkers(m_strPath);
}

void CDlgJPEGFormat::OnSelectFile()
{
    UpdateData(TRUE);
    CFileDialog dlg(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, "All Files(*.*)|*.*||", this);
    dlg.m_ofn.nFilterIndex = 1;
    if (dlg.DoModal() != IDOK)
        return;
    m_strPath = dlg.GetPathName();
    UpdateData(FALSE);
}

void CDlgJPEGFormat::OnAnalyse()
{
    // A path typed into the field counts, not only one chosen with "선택".
    UpdateData(TRUE);
    CWaitCursor wait;
    m_gridStructure.SetRedraw(FALSE);
    WalkJpegMarkers();
    m_gridStructure.SetRedraw(TRUE);
}

void CDlgJPEGFormat::OnSize(UINT nType, int cx, int cy)
{
    CVXDialog::OnSize(nType, cx, cy);
    if (m_gridStructure.m_hWnd == nullptr)
        return;
    CRect rect;
    m_gridStructure.GetWindowRect(&rect);
    ScreenToClient(&rect);
    int margin = rect.left;
    m_gridStructure.MoveWindow(rect.left, rect.top, cx - 2 * margin, cy - rect.top - margin, TRUE);
}

void CDlgJPEGFormat::OnGridItemClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* record = reinterpret_cast<_NMREPORTVIEW*>(pNMHDR);
    if (record->iItem >= 0 && record->iSubItem >= 0)
        UpdateData(FALSE);
    *pResult = 0;
}

void CDlgJPEGFormat::OnGridNoAction(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
}

void CDlgJPEGFormat::OnGridEditKillFocus(NMHDR*, LRESULT* pResult)
{
    *pResult = 1;
}
