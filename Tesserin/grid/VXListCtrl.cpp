// The report list's window: creation, header clicks and menu, cell editing,
// the Delete key, row colours and the export commands.
#include "grid/VXListCtrl.h"
#include "grid/GridExportFile.h"
#include "grid/VXListCombo.h"
#include "grid/VXListEdit.h"
#include "res/resource.h"

#include <algorithm>

namespace {

// Item data of a coloured row: its text colour is chosen by data / kColorUnit.
const LONG_PTR kColorUnit = 10000000;
const COLORREF kRowBack = RGB(192, 192, 192);
// Inset of an editor within its cell, and the rows a drop-down part shows.
const int kEditorInset = 2;
const int kDropDownRows = 10;

} // namespace

IMPLEMENT_DYNAMIC(CVXListCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CVXListCtrl, CListCtrl)
ON_WM_CREATE()
ON_NOTIFY(HDN_ITEMCLICKA, 0, OnHeaderClick)
ON_NOTIFY(NM_RCLICK, 0, OnHeaderRightClick)
ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
ON_NOTIFY_REFLECT(NM_CLICK, OnClick)
ON_NOTIFY_REFLECT(LVN_KEYDOWN, OnKeyDown)
ON_NOTIFY_REFLECT_EX(LVN_ENDLABELEDIT, OnEndLabelEdit)
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_WM_MOUSEWHEEL()
ON_COMMAND(ID_VXLIST_EXCEL, OnVxListExcel)
ON_COMMAND(ID_VXLIST_TEXT, OnVxListText)
END_MESSAGE_MAP()

CVXListCtrl::CVXListCtrl() = default;

CVXListCtrl::~CVXListCtrl()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CVXListCtrl::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CLIPSIBLINGS | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
    return CListCtrl::PreCreateWindow(cs);
}

int CVXListCtrl::OnCreate(LPCREATESTRUCT create)
{
    if (CListCtrl::OnCreate(create) == -1)
        return -1;
    SetExtendedStyle(GetExtendedStyle() | LVS_EX_CHECKBOXES);
    return 0;
}

void CVXListCtrl::EditorDestroyed(CWnd* editor)
{
    if ((CWnd*)m_pListEdit == editor)
        m_pListEdit = nullptr;
    if ((CWnd*)m_pListCombo == editor)
        m_pListCombo = nullptr;
}

void CVXListCtrl::EndEditBox()
{
    // The box ends itself when the list takes the focus from it.
    if (m_pListEdit && ::GetFocus() == m_pListEdit->m_hWnd)
        SetFocus();
    else if (m_pListEdit)
        m_pListEdit->DestroyWindow();
}

int CVXListCtrl::GetColumnCount()
{
    CHeaderCtrl* header = GetHeaderCtrl();
    return header ? header->GetItemCount() : 0;
}

void CVXListCtrl::OnHeaderClick(NMHDR* hdr, LRESULT* result)
{
    *result = 0;
    auto* header = (NMHEADER*)hdr;
    if (header->iButton != 0)
        return;
    EndEditBox();
    int column = header->iItem;
    m_bAscending = column == m_iSortColumn ? !m_bAscending : TRUE;
    m_iSortColumn = column;
    SortTextItems(column, m_bAscending, 0, -1);
    MarkSortedTitles();
}

void CVXListCtrl::OnHeaderRightClick(NMHDR*, LRESULT* result)
{
    *result = 0;
    EndEditBox();
    DWORD pos = ::GetMessagePos();
    CMenu menu;
    if (!menu.LoadMenu(IDR_VXLIST))
        return;
    if (CMenu* popup = menu.GetSubMenu(0))
        popup->TrackPopupMenu(TPM_RIGHTBUTTON, (short)LOWORD(pos), (short)HIWORD(pos), this);
}

void CVXListCtrl::OnCustomDraw(NMHDR* hdr, LRESULT* result)
{
    auto* draw = (NMLVCUSTOMDRAW*)hdr;
    *result = CDRF_DODEFAULT;
    if (!m_bColorByData)
        return;
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
        *result = CDRF_NOTIFYITEMDRAW;
    } else if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
        LONG_PTR kind = (LONG_PTR)draw->nmcd.lItemlParam / kColorUnit;
        draw->clrTextBk = kRowBack;
        draw->clrText = kind == 1 ? RGB(0, 0, 128) : kind == 2 ? RGB(0, 0, 0) : RGB(128, 0, 0);
    }
}

void CVXListCtrl::OnClick(NMHDR* hdr, LRESULT* result)
{
    *result = 0;
    if (!m_bEditEnabled)
        return;
    auto* click = (NMITEMACTIVATE*)hdr;
    // Without full-row selection a click on a sub-item names no row: the point does.
    LVHITTESTINFO hit = {};
    hit.pt = click->ptAction;
    SubItemHitTest(&hit);
    int row = click->iItem >= 0 ? click->iItem : hit.iItem;
    int column = hit.iItem >= 0 ? hit.iSubItem : click->iSubItem;
    SetFocus();
    if (row != m_iLastClickedRow) {
        m_iLastClickedRow = row;
        return;
    }
    if (column >= 0 && column < (int)m_arrayColumnTypes.GetSize() && m_arrayColumnTypes[column] == VXLIST_COLUMN_COMBO)
        ComboItem(row, column);
    else
        EditItem(row, column);
}

void CVXListCtrl::OnKeyDown(NMHDR* hdr, LRESULT* result)
{
    *result = 0;
    if (((NMLVKEYDOWN*)hdr)->wVKey != VK_DELETE)
        return;
    int mark = GetSelectionMark();
    if (mark >= 0)
        DeleteItem(mark);
}

BOOL CVXListCtrl::OnEndLabelEdit(NMHDR* hdr, LRESULT* result)
{
    *result = 0;
    if (!m_bEditEnabled)
        return FALSE;
    auto* info = (NMLVDISPINFO*)hdr;
    BOOL changed = FALSE;
    if (info->item.iItem >= 0 && info->item.pszText) {
        changed = GetItemText(info->item.iItem, info->item.iSubItem) != info->item.pszText;
        SetItemText(info->item.iItem, info->item.iSubItem, info->item.pszText);
        // Rewriting the first column redraws the whole row.
        if (info->item.iSubItem != 0)
            SetItemText(info->item.iItem, 0, GetItemText(info->item.iItem, 0));
    }
    // The parent hears of an edit box whose text changed.
    return !(changed && hdr->idFrom == IDC_VXLIST_EDIT);
}

void CVXListCtrl::OnHScroll(UINT code, UINT pos, CScrollBar* bar)
{
    EndEditBox();
    CListCtrl::OnHScroll(code, pos, bar);
}

void CVXListCtrl::OnVScroll(UINT code, UINT pos, CScrollBar* bar)
{
    EndEditBox();
    CListCtrl::OnVScroll(code, pos, bar);
}

BOOL CVXListCtrl::OnMouseWheel(UINT flags, short delta, CPoint point)
{
    EndEditBox();
    return CListCtrl::OnMouseWheel(flags, delta, point);
}

CRect CVXListCtrl::PlaceEditor(int row, int column, int area)
{
    CRect rect;
    if (!GetSubItemRect(row, column, area, rect))
        return CRect(0, 0, 0, 0);
    CRect client;
    GetClientRect(&client);
    if (rect.left < 0 || rect.left > client.right) {
        Scroll(CSize(rect.left, 0));
        GetSubItemRect(row, column, area, rect);
    }
    rect.right = std::min((int)client.right, (int)rect.left + GetColumnWidth(column));
    return rect;
}

CEdit* CVXListCtrl::EditItem(int row, int column)
{
    if (column < 0 || column >= GetColumnCount() || !EnsureVisible(row, TRUE))
        return nullptr;
    CRect rect = PlaceEditor(row, column, LVIR_LABEL);
    LVCOLUMN col = {LVCF_FMT};
    GetColumn(column, &col);
    DWORD align = (col.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT    ? ES_RIGHT
                  : (col.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_CENTER ? ES_CENTER
                                                                    : ES_LEFT;
    rect.left += kEditorInset;
    rect.right -= kEditorInset;
    rect.bottom += 1;
    if (column == 0)
        if (CImageList* images = GetImageList(LVSIL_SMALL)) {
            IMAGEINFO info = {};
            if (images->GetImageInfo(0, &info))
                rect.left += info.rcImage.right - info.rcImage.left;
        }
    auto* edit = new CVXListEdit(row, column, GetItemText(row, column));
    if (!edit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | align, rect, this, IDC_VXLIST_EDIT))
        return nullptr; // a window that was made and failed deletes its object itself
    m_pListEdit = edit;
    return edit;
}

CComboBox* CVXListCtrl::ComboItem(int row, int column)
{
    if (column < 0 || column >= GetColumnCount() || !EnsureVisible(row, TRUE))
        return nullptr;
    CRect rect = PlaceEditor(row, column, LVIR_BOUNDS);
    rect.left += kEditorInset;
    rect.right -= kEditorInset;
    rect.bottom = rect.top + (kDropDownRows + 1) * rect.Height();
    auto* combo = new CVXListCombo(m_listChoices, column, row, GetItemText(row, column));
    if (!combo->CreateEx(WS_EX_CLIENTEDGE, "COMBOBOX", nullptr,
                         WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_AUTOHSCROLL, rect, this, IDC_VXLIST_COMBO))
        return nullptr; // a window that was made and failed deletes its object itself
    m_pListCombo = combo;
    return combo;
}

void CVXListCtrl::Export(BOOL spreadsheet)
{
    GridExportFile::Export(m_hWnd, m_strRunDirectory, m_strRunFile, spreadsheet, GetItemCount(), GetColumnCount(),
                           [this](int row, int column) { return GetItemText(row, column); });
}

void CVXListCtrl::OnVxListExcel()
{
    Export(TRUE);
}

void CVXListCtrl::OnVxListText()
{
    Export(FALSE);
}

void CVXListCtrl::SaveToLocalDB(LPCSTR dataSource, LPCSTR reportId)
{
    GridExportFile::SaveToTempReport(dataSource, reportId, GetItemCount(), GetColumnCount(),
                                     [this](int row, int column) { return GetItemText(row, column); });
}
