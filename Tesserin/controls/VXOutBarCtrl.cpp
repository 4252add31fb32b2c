#include "controls/VXOutBarCtrl.h"

#include "controls/VXOutBarRecords.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CVXOutBarCtrl, CWnd)

BEGIN_MESSAGE_MAP(CVXOutBarCtrl, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_TIMER()
    ON_MESSAGE(WM_OUTBAR_NOTIFY, OnEndLabelEdit)
    ON_COMMAND(ID_GFX_LARGEICON, OnGfxLargeicon)
    ON_UPDATE_COMMAND_UI(ID_GFX_LARGEICON, OnUpdateGfxLargeicon)
    ON_COMMAND(ID_GFX_SMALLICON, OnGfxSmallicon)
    ON_UPDATE_COMMAND_UI(ID_GFX_SMALLICON, OnUpdateGfxSmallicon)
    ON_COMMAND(ID_GFX_REMOVEITEM, OnGfxRemoveitem)
    ON_COMMAND(ID_GFX_RENAMEITEM, OnGfxRenameitem)
END_MESSAGE_MAP()

namespace {

const int kHandCursor = 10128, kDragCursor = 11320, kNoDropCursor = 10268;

HCURSOR LibraryCursor(int id)
{
    return ::LoadCursor(AfxFindResourceHandle(MAKEINTRESOURCE(id), RT_GROUP_CURSOR), MAKEINTRESOURCE(id));
}

}  // namespace

CVXOutBarCtrl::CVXOutBarCtrl()
    : m_dwFlags(0x3FC), m_nSelFolder(0), m_nFirstItem(0), m_nSelItem(-1), m_nHoverFolder(-1), m_nHoverItem(-1),
      m_nDropTarget(-1), m_nDropKind(0), m_nMenuHitKind(0), m_nMenuHitIndex(-1), m_bUpArrow(0), m_bDownArrow(0),
      m_bUpPressed(0), m_bDownPressed(0), m_rcUpArrow(0, 0, 0, 0), m_rcDownArrow(0, 0, 0, 0),
      m_bArrowPress(FALSE), m_nAnimationTick(10), m_nBlinkPeriod(0), m_nBlinkPhase(0),
      m_crBackground(::GetSysColor(COLOR_BACKGROUND)), m_crFolderEdge(::GetSysColor(COLOR_BACKGROUND)),
      m_crText(::GetSysColor(COLOR_WINDOW)), m_crSelectedText(RGB(215, 215, 0)),
      m_crFace(::GetSysColor(COLOR_3DFACE)), m_crFolderText(0), m_crHighlight(::GetSysColor(COLOR_3DHILIGHT)),
      m_crDarkShadow(::GetSysColor(COLOR_3DDKSHADOW)), m_nFolderHeight(22), m_nSmallLabelOffset(4),
      m_nLargeLabelOffset(3), m_nSmallSpacing(10), m_nLargeSpacing(8), m_nLeftMargin(5), m_nTopMargin(5),
      m_pLargeImageList(nullptr), m_pSmallImageList(nullptr), m_hHandCursor(LibraryCursor(kHandCursor)),
      m_hDragCursor(LibraryCursor(kDragCursor)), m_hNoDropCursor(LibraryCursor(kNoDropCursor))
{
    m_blackPen.CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
}

CVXOutBarCtrl::~CVXOutBarCtrl()
{
    for (INT_PTR i = 0; i < m_folders.GetSize(); ++i)
        delete static_cast<CBarFolder*>(m_folders[i]);
    m_folders.RemoveAll();
}

BOOL CVXOutBarCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id, DWORD flags)
{
    m_dwFlags = flags;
    return CWnd::CreateEx(WS_EX_STATICEDGE, nullptr, nullptr, style | WS_CHILD, rect, parent, id);
}

int CVXOutBarCtrl::OnCreate(LPCREATESTRUCT cs)
{
    return CWnd::OnCreate(cs);
}

// --- Records ----------------------------------------------------------------

CVXOutBarCtrl::CBarFolder* CVXOutBarCtrl::Folder(int index) const
{
    if (index < 0 || index >= m_folders.GetSize())
        AfxThrowInvalidArgException();
    return static_cast<CBarFolder*>(m_folders[index]);
}

CVXOutBarCtrl::CBarItem* CVXOutBarCtrl::Item(int index) const
{
    if (m_nSelFolder < 0 || m_nSelFolder >= m_folders.GetSize())
        return nullptr;
    return Folder(m_nSelFolder)->ItemAt(index);
}

int CVXOutBarCtrl::GetFolderCount() const
{
    return (int)m_folders.GetSize();
}

int CVXOutBarCtrl::AddFolder(const char* name, DWORD data)
{
    return AddFolderBar(name, nullptr, data);
}

int CVXOutBarCtrl::AddFolderBar(const char* name, CWnd* child, DWORD data)
{
    CBarFolder* folder = new CBarFolder(name, data);
    folder->child = child;
    m_folders.Add(folder);
    // After every folder was removed the selection is -1: the first new one takes it.
    if (m_nSelFolder < 0)
        m_nSelFolder = 0;
    return GetFolderCount() - 1;
}

void CVXOutBarCtrl::RemoveFolder(int index)
{
    CBarFolder* folder = Folder(index);
    const bool wasSelected = index == m_nSelFolder;
    // The removed folder's child must not stay on top of the next folder.
    if (folder->child && folder->child->GetSafeHwnd())
        folder->child->ShowWindow(SW_HIDE);
    m_folders.RemoveAt(index);
    delete folder;
    if (m_nSelFolder >= index)
        --m_nSelFolder;
    if (m_nSelFolder < 0 && GetFolderCount() > 0)
        m_nSelFolder = 0;
    if (wasSelected || m_nSelFolder < 0) {
        m_nFirstItem = 0;
        m_nSelItem = -1;
    }
    m_nHoverFolder = m_nHoverItem = -1;
    if (wasSelected)
        ShowSelectedChild();
    if (m_hWnd)
        Invalidate();
}

void CVXOutBarCtrl::SetFolderText(int index, const char* text)
{
    Folder(index)->SetName(text);
}

CString CVXOutBarCtrl::GetFolderText(int index)
{
    return Folder(index)->name;
}

DWORD CVXOutBarCtrl::GetFolderData(int index)
{
    return Folder(index < 0 ? m_nSelFolder : index)->data;
}

CWnd* CVXOutBarCtrl::GetFolderChild(int index)
{
    if (GetFolderCount() == 0 || (index < 0 && m_nSelFolder < 0))
        return nullptr;
    return Folder(index < 0 ? m_nSelFolder : index)->child;
}

CImageList* CVXOutBarCtrl::SetImageList(CImageList* list, int type)
{
    CImageList** slot = type == 1 ? &m_pSmallImageList : type == 2 ? &m_pLargeImageList : nullptr;
    if (!slot)
        return nullptr;
    CImageList* old = *slot;
    *slot = list;
    return old;
}

CImageList* CVXOutBarCtrl::GetImageList(CImageList*, int type)
{
    return type == 1 ? m_pSmallImageList : type == 2 ? m_pLargeImageList : nullptr;
}

CImageList* CVXOutBarCtrl::SetFolderImageList(int folder, CImageList* list, int type)
{
    CBarFolder* f = Folder(folder);
    CImageList** slot = type == 1 ? &f->smallList : type == 2 ? &f->largeList : nullptr;
    if (!slot)
        return nullptr;
    CImageList* old = *slot;
    *slot = list;
    return old;
}

CImageList* CVXOutBarCtrl::GetFolderImageList(int folder, bool small)
{
    CBarFolder* f = Folder(folder);
    CImageList* own = small ? f->smallList : f->largeList;
    return own ? own : small ? m_pSmallImageList : m_pLargeImageList;
}

CImageList* CVXOutBarCtrl::ViewImageList(int folder)
{
    return GetFolderImageList(folder, IsSmallIconView() != FALSE);
}

// --- Items ------------------------------------------------------------------

int CVXOutBarCtrl::InsertItem(int folder, int index, const char* text, int image, DWORD data)
{
    return Folder(folder)->InsertItem(index, text, image, data);
}

void CVXOutBarCtrl::RemoveItem(int index)
{
    if (!Item(index))
        return;
    Folder(m_nSelFolder)->RemoveItem(index);
    ClampAfterItemRemoval(index);
    if (m_hWnd) {
        CRect inside;
        GetInsideRect(inside);
        InvalidateRect(&inside);
    }
}

void CVXOutBarCtrl::ClampAfterItemRemoval(int removed)
{
    const int count = GetItemCount();
    m_nFirstItem = std::max(0, std::min(m_nFirstItem, count - 1));
    if (m_nSelItem == removed)
        m_nSelItem = -1;
    else if (m_nSelItem > removed)
        --m_nSelItem;
    if (m_nHoverItem >= count)
        m_nHoverItem = -1;
}

int CVXOutBarCtrl::GetItemCount() const
{
    if (m_nSelFolder < 0 || m_nSelFolder >= m_folders.GetSize())
        return 0;
    return Folder(m_nSelFolder)->GetItemCount();
}

int CVXOutBarCtrl::GetFolderItemCount(int folder) const
{
    return Folder(folder)->GetItemCount();
}

BOOL CVXOutBarCtrl::IsValidItem(int index) const
{
    return Item(index) != nullptr;
}

DWORD CVXOutBarCtrl::GetItemData(int index) const
{
    CBarItem* item = Item(index);
    return item ? item->data : 0;
}

void CVXOutBarCtrl::SetItemData(int index, DWORD data)
{
    if (CBarItem* item = Item(index))
        item->data = data;
}

int CVXOutBarCtrl::GetItemImage(int index) const
{
    CBarItem* item = Item(index);
    return item ? item->image : 0;
}

void CVXOutBarCtrl::SetItemImage(int index, int image)
{
    if (CBarItem* item = Item(index))
        item->image = image;
}

CString CVXOutBarCtrl::GetItemText(int index)
{
    CBarItem* item = Item(index);
    return item ? item->text : CString();
}

CString CVXOutBarCtrl::GetItemText(int folder, int item)
{
    CBarItem* record = Folder(folder)->ItemAt(item);
    if (!record)
        AfxThrowInvalidArgException();
    return record->text;
}

void CVXOutBarCtrl::SetItemText(int index, const char* text)
{
    if (CBarItem* item = Item(index))
        item->text = text ? text : "";
}

void CVXOutBarCtrl::SetSelState(int folder, int item, int state)
{
    CBarItem* record = Folder(folder)->ItemAt(item);
    if (!record)
        AfxThrowInvalidArgException();
    record->selState = state;
    if (folder == m_nSelFolder && m_hWnd) {
        CRect r;
        GetItemRect(folder, item, r);
        InvalidateRect(&r);
    }
}

// --- View and appearance ----------------------------------------------------

void CVXOutBarCtrl::SetSmallIconView(bool small)
{
    m_nFirstItem = 0;
    if (small == (IsSmallIconView() != FALSE))
        return;
    m_dwFlags ^= OBF_SMALLICON;
    if (m_hWnd) {
        CRect inside;
        GetInsideRect(inside);
        InvalidateRect(&inside, FALSE);
    }
}

void CVXOutBarCtrl::ModifyFlag(const DWORD& remove, const DWORD& add, UINT swp)
{
    m_dwFlags = (m_dwFlags & ~remove) | add;
    if (!m_hWnd)
        return;
    if (swp == 0)
        Invalidate();
    else
        SetWindowPos(nullptr, 0, 0, 0, 0, swp | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER);
}

void CVXOutBarCtrl::SetColors(COLORREF background, COLORREF folderEdge, COLORREF text, COLORREF selectedText)
{
    m_crBackground = background;
    m_crFolderEdge = folderEdge;
    m_crText = text;
    m_crSelectedText = selectedText;
}

void CVXOutBarCtrl::SetButtonColors(COLORREF face, COLORREF folderText, COLORREF highlight, COLORREF darkShadow)
{
    // 0xFFFFFFFF keeps a colour as it is.
    if (face < 0xFFFFFFFF)
        m_crFace = face;
    if (folderText < 0xFFFFFFFF)
        m_crFolderText = folderText;
    if (highlight < 0xFFFFFFFF)
        m_crHighlight = highlight;
    if (darkShadow < 0xFFFFFFFF)
        m_crDarkShadow = darkShadow;
}

void CVXOutBarCtrl::SetAnimSelHighlight(int ms)
{
    m_nBlinkPeriod = ms;
    if (!m_hWnd)
        return;
    if (ms > 0)
        SetTimer(kBlinkTimer, ms, nullptr);
    else
        KillTimer(kBlinkTimer);
}

// --- Folder change ----------------------------------------------------------

void CVXOutBarCtrl::SetSelFolder(int index)
{
    Folder(index);
    CWnd* oldChild = GetFolderChild(m_nSelFolder);
    if (oldChild && oldChild->GetSafeHwnd())
        oldChild->ShowWindow(SW_HIDE);
    if (index != m_nSelFolder && (m_dwFlags & OBF_ANIMATION) && m_nAnimationTick >= 0 && m_hWnd)
        AnimateFolderScroll(m_nSelFolder, index);
    m_nSelFolder = index;
    m_nFirstItem = 0;
    m_nSelItem = -1;
    m_nHoverItem = -1;
    ShowSelectedChild();
    SendNotify(OBN_FOLDER_CHANGED, index);
    if (m_hWnd)
        Invalidate();
}

void CVXOutBarCtrl::ShowSelectedChild()
{
    CWnd* child = GetFolderChild(m_nSelFolder);
    if (!child || !child->GetSafeHwnd() || !m_hWnd)
        return;
    CRect inside;
    GetInsideRect(inside);
    child->SetWindowPos(nullptr, inside.left, inside.top, inside.Width(), inside.Height(), SWP_NOZORDER);
    child->ShowWindow(SW_SHOW);
}

void CVXOutBarCtrl::PlaceChildren()
{
    CRect inside;
    GetInsideRect(inside);
    for (int i = 0; i < GetFolderCount(); ++i) {
        CWnd* child = Folder(i)->child;
        if (child && child->GetSafeHwnd())
            child->SetWindowPos(nullptr, inside.left, inside.top, inside.Width(), inside.Height(), SWP_NOZORDER);
    }
}

void CVXOutBarCtrl::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    m_bUpArrow = m_bDownArrow = m_bUpPressed = m_bDownPressed = 0;
    PlaceChildren();
}

// --- Notifications ----------------------------------------------------------

CWnd* CVXOutBarCtrl::NotifyTarget()
{
    CWnd* owner = GetOwner();
    return owner ? owner : GetParent();
}

LRESULT CVXOutBarCtrl::SendNotify(WPARAM code, LPARAM lParam)
{
    CWnd* target = m_hWnd ? NotifyTarget() : nullptr;
    return target ? target->SendMessage(WM_OUTBAR_NOTIFY, code, lParam) : 0;
}

BOOL CVXOutBarCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    OutBarNotifyInfo info = {};
    info.notifyWParam = wParam;
    info.notifyLParam = lParam;
    SendNotify(OBN_NOTIFY, (LPARAM)&info);
    return CWnd::OnNotify(wParam, lParam, pResult);
}
