#include "album/DlgAlbumSelect.h"

#include "album/AlbumTables.h"
#include "controls/VXMenu.h"
#include "dialogs/DlgUserInputBox.h"
#include "resource.h"

namespace {

const short kBackgroundLift = 50;
const int kButtonGap = 3;
const int kTreeGap = 2;
const UINT kMenuToolbar = 129;

void SetupButton(CImageButton& button, int icon)
{
    button.SetIcon(icon);
    button.SetBtnCursor(IDC_ALBUM_HAND, TRUE);
    button.OffsetColor(CImageButton::COLOR_BK_IN, kBackgroundLift, TRUE);
}

}  // namespace

IMPLEMENT_DYNAMIC(CDlgAlbumSelect, CVXDialog)

BEGIN_MESSAGE_MAP(CDlgAlbumSelect, CVXDialog)
    ON_NOTIFY(NM_RCLICK, IDC_ALBUM_TREE, OnRClickTree)
    ON_COMMAND(ID_ALBUM_NEW, OnNewAlbum)
    ON_COMMAND(ID_ALBUM_RENAME, OnRenameAlbum)
    ON_COMMAND(ID_ALBUM_REMOVE, OnRemoveAlbum)
    ON_COMMAND(ID_ALBUM_REFRESH, OnRefresh)
    ON_WM_SIZE()
    ON_MESSAGE(WM_TREE_ITEM_DROPPED, OnTreeItemDropped)
END_MESSAGE_MAP()

CDlgAlbumSelect::CDlgAlbumSelect(CWnd* parent)
    : CVXDialog(IDD_ALBUM_SELECT, parent), m_hSelItem(nullptr), m_nSelAlbumID(0)
{
    m_strProfileName = "AlbumSelect";
    m_nIconID = 128;
}

CDlgAlbumSelect::~CDlgAlbumSelect() = default;

void CDlgAlbumSelect::DoDataExchange(CDataExchange* pDX)
{
    CVXDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_ALBUM_TREE, m_treeAlbum);
}

BOOL CDlgAlbumSelect::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    SetupButton(m_btnCancel, IDI_ALBUM_CANCEL);
    SetupButton(m_btnOK, IDI_ALBUM_OK);
    LoadProfile();
    m_treeAlbum.SetBkColor(CAlbumTables::BrowserBackground());
    m_treeAlbum.SetNotifyWnd(this);
    m_treeAlbum.RegisterDropTarget();
    m_imageList.Create(IDB_ALBUM_TREE, 16, 1, RGB(255, 255, 255));
    // By handle: the wrapper's null test of its own object warns for a member list.
    m_treeAlbum.SendMessage(TVM_SETIMAGELIST, TVSIL_NORMAL, (LPARAM)m_imageList.m_hImageList);
    LoadAlbumTree();
    CRect client;
    GetClientRect(&client);
    LayoutControls(client.Width(), client.Height());
    return TRUE;
}

void CDlgAlbumSelect::LoadAlbumTree()
{
    CAlbumTables::LoadTree(m_treeAlbum, ALBUM_TREE_IMAGE);
}

void CDlgAlbumSelect::TargetItemAt(CPoint point)
{
    HTREEITEM item = m_treeAlbum.HitTest(point);
    if (item)
        m_treeAlbum.SelectItem(item);
    m_hSelItem = item ? item : TVI_ROOT;
    m_nSelAlbumID = item ? (int)m_treeAlbum.GetItemData(item) : 0;
}

CMenu* CDlgAlbumSelect::BuildContextMenu(CVXMenu& menu)
{
    if (!menu.LoadMenu(IDR_ALBUM_MENU))
        return nullptr;
    UINT toolbars[] = {kMenuToolbar};
    menu.LoadToolbars(toolbars, 1);
    CMenu* popup = menu.GetSubMenu(0);
    if (popup == nullptr)
        return nullptr;
    CVXMenu* vxPopup = dynamic_cast<CVXMenu*>(popup);
    for (UINT id : {ID_ALBUM_OPEN_BROWSER, ID_ALBUM_PASTE}) {
        if (vxPopup)
            vxPopup->DeleteMenu(id, MF_BYCOMMAND);
        else
            popup->DeleteMenu(id, MF_BYCOMMAND);
    }
    if (popup->GetMenuItemCount() > 0 && popup->GetMenuItemID(0) == 0) {
        if (vxPopup)
            vxPopup->DeleteMenu(0, MF_BYPOSITION);
        else
            popup->DeleteMenu(0, MF_BYPOSITION);
    }
    // Without an album under the click there is nothing to rename, and removing would take the
    // root row that holds the tree.
    if (m_nSelAlbumID == 0) {
        popup->EnableMenuItem(ID_ALBUM_RENAME, MF_BYCOMMAND | MF_GRAYED);
        popup->EnableMenuItem(ID_ALBUM_REMOVE, MF_BYCOMMAND | MF_GRAYED);
    }
    return popup;
}

void CDlgAlbumSelect::OnRClickTree(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    CPoint screen;
    ::GetCursorPos(&screen);
    CPoint client = screen;
    m_treeAlbum.ScreenToClient(&client);
    TargetItemAt(client);
    CVXMenu menu;
    if (CMenu* popup = BuildContextMenu(menu))
        popup->TrackPopupMenu(TPM_RIGHTBUTTON, screen.x, screen.y, this);
}

void CDlgAlbumSelect::OnNewAlbum()
{
    char name[kUserInputBufferSize] = "";
    if (!GetUserInput("새 앨범이름을 입력하십시요.", name))
        return;
    int id = CAlbumTables::NewAlbum(name, m_nSelAlbumID);
    if (id == 0)
        return;
    HTREEITEM parent = m_hSelItem ? m_hSelItem : TVI_ROOT;
    HTREEITEM item = m_treeAlbum.InsertItem(name, ALBUM_TREE_IMAGE, ALBUM_TREE_IMAGE, parent, TVI_LAST);
    if (item == nullptr)
        return;
    m_treeAlbum.SetItemData(item, (DWORD_PTR)id);
    m_treeAlbum.SelectItem(item);
}

void CDlgAlbumSelect::OnRenameAlbum()
{
    if (m_nSelAlbumID == 0 || m_hSelItem == nullptr || m_hSelItem == TVI_ROOT)
        return;
    char name[kUserInputBufferSize] = "";
    if (!GetUserInput("앨범의 새 이름을 입력하십시요.", name))
        return;
    if (CAlbumTables::RenameAlbum(m_nSelAlbumID, name))
        m_treeAlbum.SetItemText(m_hSelItem, name);
}

void CDlgAlbumSelect::OnRemoveAlbum()
{
    if (m_nSelAlbumID == 0 || m_hSelItem == nullptr || m_hSelItem == TVI_ROOT)
        return;
    CString question;
    question.Format("[ %s ] 앨범의 내용을 삭제하시겠습니까? \r\n(이미지 파일은 삭제되지 않습니다.)",
                    (LPCSTR)m_treeAlbum.GetItemText(m_hSelItem));
    if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    if (!CAlbumTables::DeleteAlbum(m_nSelAlbumID))
        return;
    HTREEITEM parent = m_treeAlbum.GetParentItem(m_hSelItem);
    if (parent)
        m_treeAlbum.SelectItem(parent);
    m_treeAlbum.DeleteItem(m_hSelItem);
    m_hSelItem = nullptr;
    m_nSelAlbumID = 0;
}

void CDlgAlbumSelect::OnRefresh()
{
    LoadAlbumTree();
}

void CDlgAlbumSelect::OnOK()
{
    m_hSelItem = m_treeAlbum.GetSelectedItem();
    if (m_hSelItem == nullptr) {
        OnCancel();
        return;
    }
    m_nSelAlbumID = (int)m_treeAlbum.GetItemData(m_hSelItem);
    CVXDialog::OnOK();
}

LRESULT CDlgAlbumSelect::OnTreeItemDropped(WPARAM wParam, LPARAM lParam)
{
    // Stored as the album pane stores it, so the picker and the pane show the same tree.
    CAlbumTables::MoveAlbum((int)wParam, (int)lParam);
    return 0;
}

void CDlgAlbumSelect::OnSize(UINT nType, int cx, int cy)
{
    CVXDialog::OnSize(nType, cx, cy);
    LayoutControls(cx, cy);
}

void CDlgAlbumSelect::LayoutControls(int width, int height)
{
    if (!m_btnCancel.GetSafeHwnd() || !m_btnOK.GetSafeHwnd() || !m_treeAlbum.GetSafeHwnd())
        return;
    CRect button;
    m_btnCancel.GetWindowRect(&button);
    int bw = button.Width(), bh = button.Height();
    int top = height - bh - kButtonGap;
    m_btnCancel.MoveWindow(width / 2, top, bw, bh, TRUE);
    m_btnOK.MoveWindow(width / 2 - bw, top, bw, bh, TRUE);
    CRect tree;
    m_treeAlbum.GetWindowRect(&tree);
    ScreenToClient(&tree);
    m_treeAlbum.MoveWindow(tree.left, tree.top, width - 2 * tree.left, top - kTreeGap - tree.top, TRUE);
}
