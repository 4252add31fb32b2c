#include "grid/VXGridSubItemListCtrl.h"
#include "grid/FlatHeaderDragWnd.h"
#include "grid/VXGridCtrl.h"

IMPLEMENT_DYNAMIC(CVXGridSubItemListCtrl, CDragListBox)

BEGIN_MESSAGE_MAP(CVXGridSubItemListCtrl, CDragListBox)
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

namespace {

// Entries are this much taller than the list box's own line.
const int kExtraItemHeight = 2;
// Grid colours of the framed entries: light edge, dark edge, face.
const int kFrameLight = 10;
const int kFrameDark = 9;
const int kFrameFace = 7;

// At most `size` - 1 bytes of the text, never half a double-byte character.
void CopyTitle(char* out, int size, const CString& title)
{
    int length = 0;
    while (length < title.GetLength()) {
        int step = ::IsDBCSLeadByte((BYTE)title[length]) && length + 1 < title.GetLength() ? 2 : 1;
        if (length + step > size - 1)
            break;
        length += step;
    }
    memcpy(out, (LPCSTR)title, (size_t)length);
    out[length] = 0;
}

} // namespace

CVXGridSubItemListCtrl::CVXGridSubItemListCtrl() = default;

CVXGridSubItemListCtrl::~CVXGridSubItemListCtrl()
{
    EndDragPicture();
    if (m_pGrid && m_pGrid->GetVXGridSubItemListCtrl() == this)
        m_pGrid->SetVXGridSubItemListCtrl(nullptr);
}

void CVXGridSubItemListCtrl::PreSubclassWindow()
{
    CDragListBox::PreSubclassWindow();
    MakeEntriesTaller();
}

void CVXGridSubItemListCtrl::MakeEntriesTaller()
{
    // A box made by Create is subclassed before it has lines: WM_CREATE comes back here.
    int height = m_bTaller ? LB_ERR : GetItemHeight(0);
    if (height == LB_ERR || height <= 0)
        return;
    SetItemHeight(0, height + kExtraItemHeight);
    m_bTaller = TRUE;
}

BOOL CVXGridSubItemListCtrl::SetVXGridCtrl(CVXGridCtrl* grid)
{
    m_pGrid = grid;
    if (m_hWnd)
        ResetContent();
    return grid != nullptr;
}

CString CVXGridSubItemListCtrl::TitleOf(int subItem) const
{
    const structSUBITEM* sub = m_pGrid ? m_pGrid->SubItemAt(subItem) : nullptr;
    return sub ? sub->strText : CString();
}

BOOL CVXGridSubItemListCtrl::Include(int)
{
    return TRUE;
}

BOOL CVXGridSubItemListCtrl::Disable(int)
{
    return FALSE;
}

BOOL CVXGridSubItemListCtrl::UpdateList()
{
    if (!m_hWnd)
        return TRUE;
    ResetContent();
    if (!m_pGrid)
        return TRUE;
    for (int subItem = 0; subItem < m_pGrid->GetSubItemCount(); subItem++) {
        if (m_pGrid->IsActiveSubItem(subItem) || !Include(subItem))
            continue;
        int index = AddString(TitleOf(subItem));
        if (index >= 0)
            SetItemData(index, (DWORD_PTR)subItem);
    }
    return TRUE;
}

BOOL CVXGridSubItemListCtrl::BeginDrag(CPoint pt)
{
    CFlatHeaderCtrl* header = m_pGrid ? m_pGrid->GetHeaderCtrl() : nullptr;
    if (GetCount() <= 0 || !header)
        return FALSE;
    // A press below the last entry is on no entry.
    int index = ItemFromPt(pt, FALSE);
    if (index < 0)
        return FALSE;
    m_iSubItem = (int)GetItemData(index);
    if (Disable(m_iSubItem)) {
        m_iSubItem = -1;
        return FALSE;
    }
    CRect client;
    GetClientRect(&client);
    CRect rect(0, 0, client.Width(), GetItemHeight(0));
    CopyTitle(m_szDragText, sizeof(m_szDragText), TitleOf(m_iSubItem));
    m_hdiDrag = {};
    m_hdiDrag.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT;
    m_hdiDrag.cxy = rect.Width();
    m_hdiDrag.fmt = HDF_STRING;
    m_hdiDrag.pszText = m_szDragText;
    m_hdiDrag.cchTextMax = sizeof(m_szDragText);
    EndDragPicture();
    m_pDragWnd = std::make_unique<CFlatHeaderDragWnd>();
    m_pDragWnd->Create(rect, header, m_hdiDrag);
    GetWindowRect(&m_rectList);
    header->GetWindowRect(&m_rectHeader);
    m_iDropColumn = -1;
    return TRUE;
}

UINT CVXGridSubItemListCtrl::Dragging(CPoint pt)
{
    if (m_pDragWnd && m_pDragWnd->m_hWnd)
        m_pDragWnd->MoveTo(pt);
    if (m_rectList.PtInRect(pt))
        return DL_MOVECURSOR;
    if (CFlatHeaderCtrl* header = m_pGrid ? m_pGrid->GetHeaderCtrl() : nullptr) {
        CPoint local = pt;
        header->ScreenToClient(&local);
        m_iDropColumn = (int)header->SendMessage(HDM_SETHOTDIVIDER, TRUE, MAKELPARAM(local.x, local.y));
    }
    return m_rectHeader.PtInRect(pt) ? DL_MOVECURSOR : DL_STOPCURSOR;
}

void CVXGridSubItemListCtrl::EndDragPicture()
{
    if (m_pGrid && m_pGrid->GetHeaderCtrl())
        m_pGrid->GetHeaderCtrl()->SendMessage(HDM_SETHOTDIVIDER, FALSE, -1);
    if (m_pDragWnd) {
        m_pDragWnd->DestroyWindow();
        m_pDragWnd.reset();
    }
}

void CVXGridSubItemListCtrl::CancelDrag(CPoint)
{
    EndDragPicture();
    m_iSubItem = -1;
}

void CVXGridSubItemListCtrl::Dropped(int, CPoint pt)
{
    EndDragPicture();
    int subItem = m_iSubItem;
    m_iSubItem = -1;
    // Only a drop on the header shows a column; elsewhere the stop cursor was showing.
    if (subItem < 0 || !m_pGrid || !m_rectHeader.PtInRect(pt))
        return;
    if (m_pGrid->GetActiveSubItemCount() == 0)
        m_pGrid->ActivateSubItem(subItem, 0);
    else if (m_iDropColumn >= 0)
        m_pGrid->ActivateSubItem(subItem, m_iDropColumn);
}

void CVXGridSubItemListCtrl::DrawItem(LPDRAWITEMSTRUCT draw)
{
    if (!draw || (int)draw->itemID < 0 || (int)draw->itemID >= GetCount())
        return;
    CDC* dc = CDC::FromHandle(draw->hDC);
    CRect rect = draw->rcItem;
    int subItem = (int)GetItemData((int)draw->itemID);
    BOOL enabled = IsWindowEnabled() && !Disable(subItem);
    BOOL selected = (draw->itemState & ODS_SELECTED) != 0;
    if ((GetStyle() & VXSLS_GRIDCOLORS) && m_pGrid) {
        dc->FillSolidRect(&rect, m_pGrid->GetGridColor(kFrameFace));
        dc->Draw3dRect(&rect, m_pGrid->GetGridColor(kFrameLight), m_pGrid->GetGridColor(kFrameDark));
    } else {
        dc->DrawFrameControl(&rect, DFC_BUTTON, DFCS_BUTTONPUSH);
    }
    CRect text(rect.left + 2, rect.top + 1, rect.right - 2, rect.bottom - 1);
    CString title;
    GetText((int)draw->itemID, title);
    if (title.IsEmpty())
        title = TitleOf(subItem);
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX | DT_NOCLIP;
    int oldMode = dc->SetBkMode(TRANSPARENT);
    COLORREF oldColour = dc->GetTextColor();
    if (selected) {
        CRect face(rect.left + 2, rect.top + 2, rect.right - 2, rect.bottom - 2);
        dc->FillSolidRect(&face, ::GetSysColor(COLOR_BTNSHADOW));
        dc->SetTextColor(::GetSysColor(enabled ? COLOR_3DHIGHLIGHT : COLOR_BTNFACE));
        dc->DrawText(title, &text, format);
    } else if (enabled) {
        dc->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
        dc->DrawText(title, &text, format);
    } else {
        CRect raised = text;
        raised.OffsetRect(1, 1);
        dc->SetTextColor(::GetSysColor(COLOR_3DHIGHLIGHT));
        dc->DrawText(title, &raised, format);
        dc->SetTextColor(::GetSysColor(COLOR_BTNSHADOW));
        dc->DrawText(title, &text, format);
    }
    dc->SetTextColor(oldColour);
    dc->SetBkMode(oldMode);
}

LRESULT CVXGridSubItemListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE) {
        LRESULT result = CDragListBox::WindowProc(message, wParam, lParam);
        if (result != -1)
            MakeEntriesTaller();
        return result;
    }
    if (message == WM_ERASEBKGND && !IsWindowEnabled()) {
        CRect client;
        GetClientRect(&client);
        ::FillRect((HDC)wParam, &client, ::GetSysColorBrush(COLOR_BTNFACE));
        return TRUE;
    }
    return CDragListBox::WindowProc(message, wParam, lParam);
}

HBRUSH CVXGridSubItemListCtrl::CtlColor(CDC* dc, UINT)
{
    // The list box paints its empty part with this brush: the same face as the erase.
    if (IsWindowEnabled())
        return nullptr;
    dc->SetBkColor(::GetSysColor(COLOR_BTNFACE));
    return ::GetSysColorBrush(COLOR_BTNFACE);
}
