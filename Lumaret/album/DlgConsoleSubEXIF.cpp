#include "album/DlgConsoleSubEXIF.h"

#include "album/AlbumTables.h"
#include "framework/VXApp.h"
#include "image/ImageObject.h"
#include "resource.h"

namespace {

const char kLayoutEntry[] = "Grid_EXIF";
const COLORREF kColourTable[] = {0xC0C0C0, 0xA00000, 0x0000A0, 0x008000, 0x606060};
const UINT kColumnMask = 0x4000;
const DWORD kGridStyleBits = 0x3A;

CString ProfileSection()
{
    CVXApp* app = dynamic_cast<CVXApp*>(AfxGetApp());
    return app ? app->m_strAppKey : CString();
}

}  // namespace

BEGIN_MESSAGE_MAP(CDlgConsoleSubEXIF, CVXDialog)
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_NOTIFY(RVN_ITEMCLICK, IDC_EXIF_GRID, OnGridItemClick)
    ON_NOTIFY(RVN_BEGINITEMEDIT, IDC_EXIF_GRID, OnGridIgnored)
    ON_NOTIFY(RVN_ENDITEMEDIT, IDC_EXIF_GRID, OnGridIgnored)
    ON_NOTIFY(RVN_DRAWROW, IDC_EXIF_GRID, OnGridIgnored)
    ON_NOTIFY(RVN_EDITKILLFOCUS, IDC_EXIF_GRID, OnGridIgnored)
END_MESSAGE_MAP()

CDlgConsoleSubEXIF::CDlgConsoleSubEXIF(CWnd* pParent) : CVXDialog(IDD_CONSOLE_SUB_EXIF, pParent)
{
    m_bChild = TRUE;
}

CDlgConsoleSubEXIF::~CDlgConsoleSubEXIF() = default;

void CDlgConsoleSubEXIF::DoDataExchange(CDataExchange* pDX)
{
    CVXDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_EXIF_GRID, m_wndGrid);
}

BOOL CDlgConsoleSubEXIF::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    m_imageList.Create(IDB_ALBUM_TREE, 16, 1, RGB(255, 255, 255));
    for (int i = 0; i < (int)(sizeof kColourTable / sizeof kColourTable[0]); i++)
        m_wndGrid.InsertColor(i, kColourTable[i]);
    DefineColumns();
    if (!m_wndGrid.GetVXProfile(ProfileSection(), kLayoutEntry)) {
        m_wndGrid.ActivateSubItem(0, 0);
        m_wndGrid.ActivateSubItem(1, 1);
    }
    m_wndGrid.ModifyStyle(0, kGridStyleBits);
    m_wndGrid.SetImageList(&m_imageList);
    m_wndGrid.SetBkColor(CAlbumTables::BrowserBackground());
    return TRUE;
}

void CDlgConsoleSubEXIF::DefineColumns()
{
    const struct {
        const char* title;
        int width;
    } columns[] = {{"구분", 100}, {"내용", 200}};
    for (int i = 0; i < 2; i++) {
        _RVSUBITEM sub;
        sub.nMask = kColumnMask;
        sub.iWidth = columns[i].width;
        sub.lpszText = columns[i].title;
        m_wndGrid.DefineSubItem(i, &sub);
    }
}

void CDlgConsoleSubEXIF::ShowExif(CString path)
{
    m_strPath = path;
    if (!m_wndGrid.GetSafeHwnd())
        return;
    CImageObject image;
    // A JPEG without an EXIF block lists nothing, as a BMP or GIF does not.
    if (image.LoadExifInfoFromFile(path))
        image.LoadExifInfoFromFile(path, &m_wndGrid);
    else
        m_wndGrid.DeleteAllItems();
    m_wndGrid.Invalidate();
}

void CDlgConsoleSubEXIF::OnGridItemClick(NMHDR*, LRESULT* pResult)
{
    UpdateData(FALSE);
    *pResult = 0;
}

void CDlgConsoleSubEXIF::OnGridIgnored(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
}

void CDlgConsoleSubEXIF::OnSize(UINT nType, int cx, int cy)
{
    CVXDialog::OnSize(nType, cx, cy);
    if (!m_wndGrid.GetSafeHwnd())
        return;
    CRect rect;
    m_wndGrid.GetWindowRect(&rect);
    ScreenToClient(&rect);
    int m = rect.left;
    m_wndGrid.MoveWindow(m, rect.top, cx - 2 * m, cy - 2 * m);
}

void CDlgConsoleSubEXIF::OnDestroy()
{
    CVXDialog::OnDestroy();
    if (m_wndGrid.GetSafeHwnd())
        m_wndGrid.WriteVXProfile(ProfileSection(), kLayoutEntry);
}
