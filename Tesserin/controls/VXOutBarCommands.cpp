// The out-bar's context menu and in-place renaming.
#include "controls/VXOutBarCtrl.h"

#include "controls/VXGroupEdit.h"
#include "controls/VXOutBarRecords.h"
#include "controls/VXPopupMenu.h"

#include <memory>

void CVXOutBarCtrl::OnRButtonDown(UINT, CPoint point)
{
    int index = -1;
    m_nMenuHitKind = HitTestEx(point, index);
    m_nMenuHitIndex = index;
    CVXPopupMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    BuildContextMenu(menu, m_nMenuHitKind);
    ClientToScreen(&point);
    TrackContextMenu(&menu, point);
}

void CVXOutBarCtrl::BuildContextMenu(CMenu& menu, int hitKind)
{
    menu.AppendMenu(MF_STRING, ID_GFX_LARGEICON, "큰 아이콘");
    menu.AppendMenu(MF_STRING, ID_GFX_SMALLICON, "작은 아이콘");
    bool removable = false, editable = false;
    if (hitKind == kHitFolder) {
        removable = (m_dwFlags & OBF_REMOVEFOLDERS) != 0;
        editable = (m_dwFlags & OBF_EDITFOLDERS) != 0;
    } else if (hitKind == kHitItem) {
        removable = (m_dwFlags & OBF_REMOVEITEMS) != 0;
        editable = (m_dwFlags & OBF_EDITITEMS) != 0;
    }
    if (!removable && !editable)
        return;
    menu.AppendMenu(MF_SEPARATOR);
    if (removable)
        menu.AppendMenu(MF_STRING, ID_GFX_REMOVEITEM, "Remove");
    if (editable)
        menu.AppendMenu(MF_STRING, ID_GFX_RENAMEITEM, "Rename");
}

void CVXOutBarCtrl::TrackContextMenu(CMenu* menu, CPoint screen)
{
    menu->TrackPopupMenu(TPM_RIGHTBUTTON, screen.x, screen.y, this);
}

void CVXOutBarCtrl::OnGfxLargeicon()
{
    if (IsSmallIconView())
        m_dwFlags &= ~OBF_SMALLICON;
    m_nFirstItem = 0;
    Invalidate();
}

void CVXOutBarCtrl::OnUpdateGfxLargeicon(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsSmallIconView());
}

void CVXOutBarCtrl::OnGfxSmallicon()
{
    if (!IsSmallIconView())
        m_dwFlags |= OBF_SMALLICON;
    m_nFirstItem = 0;
    Invalidate();
}

void CVXOutBarCtrl::OnUpdateGfxSmallicon(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!IsSmallIconView());
}

void CVXOutBarCtrl::OnGfxRemoveitem()
{
    if (m_nMenuHitKind == kHitFolder && m_nMenuHitIndex >= 0 && m_nMenuHitIndex < GetFolderCount())
        RemoveFolder(m_nMenuHitIndex);
    else if (m_nMenuHitKind == kHitItem)
        RemoveItem(m_nMenuHitIndex);
}

void CVXOutBarCtrl::OnGfxRenameitem()
{
    if (m_nMenuHitKind == kHitFolder && m_nMenuHitIndex >= 0 && m_nMenuHitIndex < GetFolderCount())
        StartGroupEdit(m_nMenuHitIndex);
    else if (m_nMenuHitKind == kHitItem)
        StartItemEdit(m_nMenuHitIndex);
}

// --- In-place rename --------------------------------------------------------

namespace {

CVXGroupEdit* MakeEdit(CWnd* bar, DWORD exStyle, DWORD style, const CRect& rect, const CString& text)
{
    auto edit = std::make_unique<CVXGroupEdit>();
    if (!edit->CreateEx(exStyle, "EDIT", text, style, rect, bar, 1)) {
        if (edit->m_hWnd)
            (void)edit.release();  // a window once made deletes itself when destroyed
        return nullptr;
    }
    return edit.release();  // the window deletes itself once destroyed
}

}  // namespace

void CVXOutBarCtrl::StartGroupEdit(int folder)
{
    const CString name = Folder(folder)->name;
    CRect r;
    GetFolderRect(folder, r);
    r.DeflateRect(2, 2);
    CVXGroupEdit* edit =
        MakeEdit(this, WS_EX_CLIENTEDGE, WS_CHILD | WS_VISIBLE | ES_CENTER | ES_MULTILINE, r, name);
    if (!edit)
        return;
    edit->m_nCode = OBN_FOLDER_RENAMED;
    edit->m_nIndex = folder;
    edit->m_text = name;
    edit->SetFocus();
}

void CVXOutBarCtrl::StartItemEdit(int item)
{
    if (!IsValidItem(item))
        return;
    const CString text = GetItemText(item);
    CRect r;
    GetLabelRect(m_nSelFolder, item, r);
    DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER;
    const bool small = IsSmallIconView() != FALSE;
    if (small) {
        r.OffsetRect(GetItemSize(m_nSelFolder, item, 1).cx + 1, -6);
        style |= ES_AUTOHSCROLL;
    } else {
        CRect inside;
        GetInsideRect(inside);
        r.left = inside.left + 5;
        r.right = inside.right - 5;
        r.bottom += 5;
        style |= ES_CENTER | ES_MULTILINE;
    }
    CVXGroupEdit* edit = MakeEdit(this, 0, style, r, text);
    if (!edit)
        return;
    edit->m_nCode = OBN_ITEM_RENAMED;
    edit->m_nIndex = item;
    edit->m_text = text;
    edit->m_bSingleLine = small;
    edit->SetFocus();
}

LRESULT CVXOutBarCtrl::OnEndLabelEdit(WPARAM wParam, LPARAM lParam)
{
    CVXGroupEdit* edit = reinterpret_cast<CVXGroupEdit*>(lParam);
    if (!edit || edit->m_text.IsEmpty())
        return 0;
    OutBarNotifyInfo info = {};
    info.index = edit->m_nIndex;
    info.text = edit->m_text;
    if (wParam == OBN_FOLDER_RENAMED) {
        if (info.index < 0 || info.index >= GetFolderCount() || !SendNotify(OBN_FOLDER_RENAMED, (LPARAM)&info))
            return 0;
        SetFolderText(info.index, info.text);
        CRect r;
        GetFolderRect(info.index, r);
        InvalidateRect(&r, FALSE);
    } else if (wParam == OBN_ITEM_RENAMED) {
        if (!IsValidItem(info.index) || !SendNotify(OBN_ITEM_RENAMED, (LPARAM)&info))
            return 0;
        SetItemText(info.index, info.text);
        CRect inside;
        GetInsideRect(inside);
        InvalidateRect(&inside, TRUE);
    }
    return 0;
}
