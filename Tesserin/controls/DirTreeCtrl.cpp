#include "controls/DirTreeCtrl.h"
#include "controls/ShellFunctions.h"
#include "controls/ShellGlobals.h"
#include "controls/ShellTreeNode.h"
#include "controls/TreeItemInserter.h"

#include <cstring>
#include <memory>

namespace {

// Items a move made carry this instead of a node.
const LPARAM kMovedItemMarker = 1;
const UINT kInitialFlags = 0xA1;

// Only one tree of the process takes drops: the first that initialises, while it lives.
int g_dropTargetRegistered = 0;
CDirTreeCtrl* g_dropTargetTree = nullptr;

}  // namespace

BEGIN_MESSAGE_MAP(CDirTreeCtrl, CTreeCtrl)
    ON_NOTIFY_REFLECT(TVN_ITEMEXPANDING, OnItemExpanding)
    ON_NOTIFY_REFLECT(TVN_GETDISPINFO, OnGetDispInfo)
    ON_NOTIFY_REFLECT(TVN_BEGINDRAG, OnBeginDrag)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CDirTreeCtrl::CDirTreeCtrl() {}

CDirTreeCtrl::~CDirTreeCtrl()
{
    // The items point into the node tree: the window goes while the nodes still live.
    if (m_hWnd)
        DestroyWindow();
    if (g_dropTargetTree == this) {
        g_dropTargetTree = nullptr;
        g_dropTargetRegistered = 0;
    }
    if (m_storedFull)
        SHFree1(m_storedFull);
    if (m_storedRelative)
        SHFree1(m_storedRelative);
}

ITreeNode* CDirTreeCtrl::NodeOf(HTREEITEM item) const
{
    if (!item || !m_hWnd)
        return nullptr;
    auto data = (LPARAM)GetItemData(item);
    return data == 0 || data == kMovedItemMarker ? nullptr : (ITreeNode*)data;
}

void CDirTreeCtrl::Initialize(int bRemoveRoot)
{
    if (g_dropTargetRegistered == 0 && m_dropTarget.Register(this)) {
        g_dropTargetRegistered = 1;
        g_dropTargetTree = this;
    }
    ITEMIDLIST* desktop = ShellGlobals::Instance().GetSpecialFolderPIDL(CSIDL_DESKTOP);
    DisplayTree(kInitialFlags, desktop, bRemoveRoot);
    if (desktop)
        SHFree1(desktop);
}

void CDirTreeCtrl::InitDesktop(UINT flags, int bRemoveRoot)
{
    DeleteAllItems(bRemoveRoot);
    if (!m_root) {
        m_root = std::make_unique<ShellTreeNode>();
        LoadSystemImageList();
    }
    m_root->SetFlags(flags);
}

void CDirTreeCtrl::LoadSystemImageList()
{
    SetImageList(&ShellGlobals::Instance().GetSystemImageList(), TVSIL_NORMAL);
}

int CDirTreeCtrl::DeleteAllItems(int bDeleteRoot)
{
    HTREEITEM first = GetRootItem();
    if (first)
        Expand(first, TVE_COLLAPSE);
    int result = CTreeCtrl::DeleteAllItems();
    if (bDeleteRoot) {
        m_root.reset();
        Send(TVM_SETIMAGELIST, TVSIL_NORMAL, 0);
    }
    return result;
}

void CDirTreeCtrl::DisplayTree(UINT flags, const ITEMIDLIST* pidl, int bRemoveRoot)
{
    CWaitCursor wait;
    InitDesktop(flags, bRemoveRoot);
    ITreeNode* node = m_root->FindByIDL(pidl);
    TreeItemInserter inserter(this);
    (node ? node : m_root.get())->InsertInto(inserter);
    CTreeCtrl::SelectItem(GetRootItem());
}

void CDirTreeCtrl::DisplayTree(UINT flags, const char* path, int bRemoveRoot)
{
    CWaitCursor wait;
    InitDesktop(flags, bRemoveRoot);
    int startFolder = SHIsNetPath(path) ? CSIDL_NETWORK : CSIDL_DRIVES;
    ITEMIDLIST* startList = ShellGlobals::Instance().GetSpecialFolderPIDL(startFolder);
    ITreeNode* start = startList ? m_root->FindByIDL(startList) : nullptr;
    if (startList)
        SHFree1(startList);
    if (!start)
        return;
    ITreeNode* node = start->FindByPath(path, 1);
    TreeItemInserter inserter(this);
    (node ? node : m_root.get())->InsertInto(inserter);
    CTreeCtrl::SelectItem(GetRootItem());
}

void CDirTreeCtrl::DisplayTree(UINT flags, int csidl, int bRemoveRoot)
{
    ITEMIDLIST* pidl = ShellGlobals::Instance().GetSpecialFolderPIDL(csidl);
    DisplayTree(flags, (const ITEMIDLIST*)pidl, bRemoveRoot);
    if (pidl)
        SHFree1(pidl);
}

int CDirTreeCtrl::SelectItem(HTREEITEM item)
{
    return Select(item, TVGN_CARET);
}

void CDirTreeCtrl::Step(HTREEITEM item, bool select)
{
    if (select) {
        Select(item, TVGN_CARET);
        Select(item, TVGN_FIRSTVISIBLE);
    }
    Expand(item, TVE_EXPAND);
}

HTREEITEM CDirTreeCtrl::WalkToIDL(const ITEMIDLIST* pidl, HTREEITEM start, bool select)
{
    HTREEITEM item = start ? start : GetRootItem();
    ITreeNode* node = NodeOf(item);
    if (!node)
        return nullptr;
    Step(item, select);
    if (!pidl || node->IsEqualIDL(pidl))
        return item;
    const ITEMIDLIST* cursor = SHGetIDL(pidl, SHGetChildrenN(node->GetFullIDL()));
    if (!cursor)
        return nullptr;
    while (cursor->mkid.cb >= 2) {
        Step(item, select);
        ITreeNode* child = node->FindChildByID(cursor);
        HTREEITEM childItem = child ? FindItem(child, nullptr) : nullptr;
        if (!childItem)
            break;
        item = childItem;
        node = child;
    }
    if (cursor->mkid.cb >= 2)
        return nullptr;
    Step(item, select);
    return item;
}

HTREEITEM CDirTreeCtrl::WalkToPath(const char* path, HTREEITEM start, bool select)
{
    unsigned wanted = SHGetChildrenN(path);
    HTREEITEM item = start ? start : GetRootItem();
    ITreeNode* node = NodeOf(item);
    if (!node)
        return nullptr;
    Step(item, select);
    if (!path || !*path || _stricmp(path, node->GetPath()) == 0)
        return item;
    unsigned level = 0;
    if (node->IsFileSystem() || (!node->IsNetworkRoot() && node->IsInNetwork()))
        level = SHGetChildrenN(*node->GetPath() ? node->GetPath() : node->GetName());
    for (;;) {
        Step(item, select);
        ++level;
        ITreeNode* child = node->FindChildByPath(path, level);
        HTREEITEM childItem = child ? FindItem(child, nullptr) : nullptr;
        if (!childItem)
            break;
        item = childItem;
        node = child;
    }
    return wanted + 1 == level ? item : nullptr;
}

HTREEITEM CDirTreeCtrl::SelectItem(const ITEMIDLIST* pidl, HTREEITEM start)
{
    return WalkToIDL(pidl, start, true);
}

HTREEITEM CDirTreeCtrl::SelectItem(const char* path, HTREEITEM start)
{
    return WalkToPath(path, start, true);
}

HTREEITEM CDirTreeCtrl::SelectItem(int csidl, HTREEITEM start)
{
    ITEMIDLIST* pidl = ShellGlobals::Instance().GetSpecialFolderPIDL(csidl);
    HTREEITEM item = WalkToIDL(pidl, start, true);
    if (pidl)
        SHFree1(pidl);
    return item;
}

HTREEITEM CDirTreeCtrl::GetItemFrom(const ITEMIDLIST* pidl, HTREEITEM start)
{
    return WalkToIDL(pidl, start, false);
}

HTREEITEM CDirTreeCtrl::GetItemFrom(const char* path, HTREEITEM start)
{
    return WalkToPath(path, start, false);
}

HTREEITEM CDirTreeCtrl::GetItemFrom(int csidl, HTREEITEM start)
{
    ITEMIDLIST* pidl = ShellGlobals::Instance().GetSpecialFolderPIDL(csidl);
    HTREEITEM item = WalkToIDL(pidl, start, false);
    if (pidl)
        SHFree1(pidl);
    return item;
}

HTREEITEM CDirTreeCtrl::SetPathByIDL(const ITEMIDLIST* pidl)
{
    return SelectItem(pidl, nullptr);
}

HTREEITEM CDirTreeCtrl::SetPathByCSIDL(int csidl)
{
    return SelectItem(csidl, nullptr);
}

// The item where a path walk starts: Network for UNC paths, else My Computer.
HTREEITEM CDirTreeCtrl::StartItem(const char* path, bool select)
{
    ITEMIDLIST* start = ShellGlobals::Instance().GetSpecialFolderPIDL(SHIsNetPath(path) ? CSIDL_NETWORK : CSIDL_DRIVES);
    if (!start)
        return nullptr;
    HTREEITEM startItem = GetItemFrom(start, nullptr);
    if (!startItem)
        startItem = GetRootItem();
    HTREEITEM item = GetItemFrom(path, startItem);
    if (select)
        Select(item ? item : GetRootItem(), TVGN_CARET);
    SHFree1(start);
    return item;
}

HTREEITEM CDirTreeCtrl::SetPathByStr(CString path)
{
    return StartItem(path, true);
}

HTREEITEM CDirTreeCtrl::GetItemFromPath(CString path, HTREEITEM)
{
    return StartItem(path, false);
}

CString CDirTreeCtrl::GetFullPath(HTREEITEM item)
{
    ITreeNode* node = NodeOf(item);
    CString path = node ? node->GetPath() : "";
    if (node && (path.IsEmpty() || path.Right(1) != "\\"))
        path += '\\';
    return path;
}

int CDirTreeCtrl::IsDir(HTREEITEM item)
{
    ITreeNode* node = NodeOf(item);
    return node && node->IsFolder() ? 1 : 0;
}

const char* CDirTreeCtrl::GetSelectedPath()
{
    ITreeNode* node = NodeOf(GetSelectedItem());
    return node ? node->GetPath() : nullptr;
}

const char* CDirTreeCtrl::GetSelectedName()
{
    ITreeNode* node = NodeOf(GetSelectedItem());
    return node ? node->GetName() : nullptr;
}

const ITEMIDLIST* CDirTreeCtrl::GetSelectedRelativeIDL()
{
    ITreeNode* node = NodeOf(GetSelectedItem());
    return node ? node->GetRelativeIDL() : nullptr;
}

const ITEMIDLIST* CDirTreeCtrl::GetSelectedFullIDL()
{
    ITreeNode* node = NodeOf(GetSelectedItem());
    return node ? node->GetFullIDL() : nullptr;
}

ITEMIDLIST* CDirTreeCtrl::GetTreeSelectedFullIDL()
{
    if (!m_hWnd)
        return SHCopyIDL(m_storedFull);
    return SHCopyIDL(GetSelectedFullIDL());
}

ITEMIDLIST* CDirTreeCtrl::GetTreeSelectedRelativeIDL()
{
    if (!m_hWnd)
        return SHCopyIDL(m_storedRelative);
    return SHCopyIDL(GetSelectedRelativeIDL());
}

HTREEITEM CDirTreeCtrl::FindItem(ITreeNode* node, HTREEITEM start)
{
    if (!node || node == (ITreeNode*)kMovedItemMarker)
        return nullptr;
    for (HTREEITEM item = start ? start : GetRootItem(); item; item = GetNextSiblingItem(item)) {
        if (NodeOf(item) == node)
            return item;
        if (HTREEITEM child = GetChildItem(item))
            if (HTREEITEM found = FindItem(node, child))
                return found;
    }
    return nullptr;
}

void CDirTreeCtrl::SortIt(HTREEITEM parent)
{
    TVSORTCB sort = {};
    sort.hParent = parent;
    sort.lpfnCompare = CompFunc;
    sort.lParam = (LPARAM)this;
    SortChildrenCB(&sort);
}

int CALLBACK CDirTreeCtrl::CompFunc(LPARAM a, LPARAM b, LPARAM)
{
    if (a == 0 || b == 0 || a == kMovedItemMarker || b == kMovedItemMarker)
        return 0;
    return ((ITreeNode*)a)->Compare((ITreeNode*)b);
}

void CDirTreeCtrl::SetDebugView(bool debugView)
{
    m_debugView = debugView;
    if (m_hWnd)
        Invalidate();
}

char* CDirTreeCtrl::AddPool(const char* text)
{
    if (m_poolIndex >= 0)
        m_pool[m_poolIndex].ReleaseBuffer();
    m_poolIndex = (m_poolIndex + 1) % 3;
    m_pool[m_poolIndex] = text ? text : "";
    return m_pool[m_poolIndex].GetBuffer(0);
}

void CDirTreeCtrl::OnItemExpanding(NMHDR* hdr, LRESULT* result)
{
    *result = 0;
    auto* nm = (NMTREEVIEW*)hdr;
    if (nm->action != TVE_EXPAND)
        return;
    ITreeNode* node = NodeOf(nm->itemNew.hItem);
    if (!node || node->IsFilled())
        return;  // a filled node shows the items built the first time
    CWaitCursor wait;
    node->SetDepth(1);
    node->Fill();
    TreeItemInserter inserter(this, nm->itemNew.hItem);
    node->InsertInto(inserter);
}

void CDirTreeCtrl::OnGetDispInfo(NMHDR* hdr, LRESULT* result)
{
    *result = 0;
    auto* info = (NMTVDISPINFO*)hdr;
    LPARAM data = info->item.lParam;
    if (data == 0 || data == kMovedItemMarker)
        return;
    auto* node = (ITreeNode*)data;
    if (info->item.mask & TVIF_IMAGE)
        info->item.iImage = node->GetFileInfo()->iIcon;
    if (info->item.mask & TVIF_SELECTEDIMAGE)
        info->item.iSelectedImage = node->GetOpenFileInfo()->iIcon;
    if (info->item.mask & TVIF_TEXT) {
        info->item.pszText = AddPool(m_debugView ? node->GetDebugText() : node->GetName());
        info->item.cchTextMax = (int)strlen(info->item.pszText);
    }
}

void CDirTreeCtrl::OnBeginDrag(NMHDR* hdr, LRESULT* result)
{
    *result = 0;
    auto* nm = (NMTREEVIEW*)hdr;
    m_dragItem = nm->itemNew.hItem;
    m_dropItem = nullptr;
    ITreeNode* node = NodeOf(m_dragItem);
    if (!node || node->IsFolder())
        return;
    m_dragImage.reset(CreateDragImage(m_dragItem));
    if (!m_dragImage)
        return;
    m_dragging = 1;
    m_dragImage->BeginDrag(0, CPoint(-15, -15));
    CPoint point = nm->ptDrag;
    ClientToScreen(&point);
    CImageList::DragEnter(nullptr, point);
    SetCapture();
}

void CDirTreeCtrl::OnMouseMove(UINT flags, CPoint point)
{
    if (m_dragging) {
        CPoint screen = point;
        ClientToScreen(&screen);
        CImageList::DragMove(screen);
        if (HTREEITEM item = HitTest(point)) {
            CImageList::DragShowNolock(FALSE);
            SelectDropTarget(item);
            m_dropItem = item;
            CImageList::DragShowNolock(TRUE);
        }
    }
    CTreeCtrl::OnMouseMove(flags, point);
}

void CDirTreeCtrl::EndDragImage()
{
    m_dragging = 0;
    CImageList::DragLeave(nullptr);
    CImageList::EndDrag();
    ReleaseCapture();
    m_dragImage.reset();
    SelectDropTarget(nullptr);
}

bool CDirTreeCtrl::IsAncestor(HTREEITEM ancestor, HTREEITEM item) const
{
    for (HTREEITEM up = GetParentItem(item); up; up = GetParentItem(up))
        if (up == ancestor)
            return true;
    return false;
}

void CDirTreeCtrl::OnLButtonUp(UINT flags, CPoint point)
{
    CTreeCtrl::OnLButtonUp(flags, point);
    if (!m_dragging)
        return;
    EndDragImage();
    ITreeNode* target = NodeOf(m_dropItem);
    if (!m_dropItem || m_dropItem == m_dragItem || !target || !target->IsFolder() || IsAncestor(m_dragItem, m_dropItem))
        return;
    CTreeCtrl::SelectItem(m_dropItem);
    if (!m_parentWindow)
        return;
    MoveDraggedFile();
}

// Copies first and deletes after, so a failing delete leaves the file in both places, never in none.
void CDirTreeCtrl::MoveDraggedFile()
{
    ITreeNode* source = NodeOf(m_dragItem);
    if (!source)
        return;
    CString oldPath = source->GetPath();
    char drive[_MAX_DRIVE], dir[_MAX_DIR], name[_MAX_FNAME], ext[_MAX_EXT];
    _splitpath(oldPath, drive, dir, name, ext);
    CString newPath = GetFullPath(m_dropItem) + name + ext;
    if (!CopyFile(oldPath, newPath, TRUE))
        return;
    char text[MAX_PATH] = "";
    TVITEM item = {};
    item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = m_dragItem;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    GetItem(&item);
    HTREEITEM moved = InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, text, item.iImage, item.iSelectedImage,
                                 0, 0, 0, m_dropItem, TVI_SORT);
    SetItemData(moved, (DWORD_PTR)kMovedItemMarker);
    DeleteItem(m_dragItem);
    m_dragItem = nullptr;
    DeleteFile(oldPath);
    ::SendMessage(m_parentWindow->GetSafeHwnd(), WM_TREE_ITEM_DROPPED, (WPARAM)&oldPath, (LPARAM)&newPath);
}

// The selection outlives the window: a dialog's caller asks for it after the dialog closed.
void CDirTreeCtrl::OnDestroy()
{
    ITEMIDLIST* full = SHCopyIDL(GetSelectedFullIDL());
    ITEMIDLIST* relative = SHCopyIDL(GetSelectedRelativeIDL());
    if (m_storedFull)
        SHFree1(m_storedFull);
    if (m_storedRelative)
        SHFree1(m_storedRelative);
    m_storedFull = full;
    m_storedRelative = relative;
    if (g_dropTargetTree == this) {
        m_dropTarget.Revoke();
        g_dropTargetTree = nullptr;
        g_dropTargetRegistered = 0;
    }
    CTreeCtrl::OnDestroy();
}
