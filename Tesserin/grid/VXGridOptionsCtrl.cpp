// The options grid: its window class, its one column and the options held in
// cell 0 of each row (text, kind and state, editor class).
#include "grid/VXGridOptionsCtrl.h"
#include "grid/VXGridOptionsCombo.h"
#include "grid/VXGridOptionsEdit.h"

#include <cstring>

IMPLEMENT_DYNCREATE(CVXGridOptionsCtrl, CWnd)

namespace {

const char kNameSeparator[] = ": ";

// Check field kinds: 0..3 check boxes, 4..7 radio buttons; bit 0 the state, bit 1 disabled.
const int kCheckKinds = 4;
const int kRadioKinds = 8;
const int kStateBit = 1;
const int kDisabledBit = 2;

} // namespace

CVXGridOptionsCtrl::CVXGridOptionsCtrl()
{
    RegisterOptionsClass();
}

CVXGridOptionsCtrl::~CVXGridOptionsCtrl()
{
    // Normally gone with the window (WM_DESTROY); a grid never destroyed still frees its editor.
    if (m_pOptionEdit)
        m_pOptionEdit->MarkClosing();
    if (m_pOptionCombo)
        m_pOptionCombo->MarkClosing();
    delete m_pOptionEdit;
    delete m_pOptionCombo;
}

void CVXGridOptionsCtrl::RegisterOptionsClass()
{
    WNDCLASS wc = {};
    if (::GetClassInfo(AfxGetInstanceHandle(), "VXGridOptionsCtrl", &wc))
        return;
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = "VXGridOptionsCtrl";
    if (!AfxRegisterClass(&wc))
        AfxThrowResourceException();
}

BOOL CVXGridOptionsCtrl::Create()
{
    if (!CVXGridCtrl::Create())
        return FALSE;
    ModifyStyle(0, RVS_SINGLESELECT | RVS_NOHEADER | RVS_NOSORT);
    CRect client;
    GetClientRect(&client);
    _RVSUBITEM column;
    column.nMask = HDF_STRING;
    column.iWidth = client.Width();
    column.lpszText = "";
    if (DefineSubItem(0, &column) < 0)
        return FALSE;
    ActivateSubItem(0, 0);
    return TRUE;
}

CString CVXGridOptionsCtrl::GetOptionName(int item)
{
    CString text = GetItemText(item, 0);
    int separator = text.Find(kNameSeparator);
    return separator < 0 ? text : text.Left(separator);
}

CString CVXGridOptionsCtrl::GetOptionValue(_TREEITEM* node)
{
    CString text = GetItemText(GetItemIndex(node), 0);
    int separator = text.Find(kNameSeparator);
    return separator < 0 ? CString() : text.Mid(separator + (int)strlen(kNameSeparator));
}

void CVXGridOptionsCtrl::SetOptionValue(int item, LPCSTR text)
{
    CString row = GetOptionName(item) + kNameSeparator + (text ? text : "");
    SetItemText(item, 0, row);
}

BOOL CVXGridOptionsCtrl::HasOptionEditor(_TREEITEM* node)
{
    return GetItemData(GetItemIndex(node)) != 0;
}

int CVXGridOptionsCtrl::CheckField(_TREEITEM* node)
{
    int item = GetItemIndex(node);
    return item >= 0 ? GetItemCheck(item, 0) : -1;
}

BOOL CVXGridOptionsCtrl::IsCheckOption(_TREEITEM* node)
{
    int check = CheckField(node);
    return check >= 0 && check < kCheckKinds;
}

BOOL CVXGridOptionsCtrl::IsRadioOption(_TREEITEM* node)
{
    int check = CheckField(node);
    return check >= kCheckKinds && check < kRadioKinds;
}

BOOL CVXGridOptionsCtrl::IsOptionDisabled(_TREEITEM* node)
{
    if (!IsCheckOption(node) && !IsRadioOption(node))
        return FALSE;
    return (CheckField(node) & kDisabledBit) != 0;
}

BOOL CVXGridOptionsCtrl::GetOptionCheck(_TREEITEM* node, int& state)
{
    if (!IsCheckOption(node))
        return FALSE;
    state = CheckField(node) & kStateBit;
    return TRUE;
}

BOOL CVXGridOptionsCtrl::SetOptionCheck(_TREEITEM* node, int state)
{
    if (!IsCheckOption(node))
        return FALSE;
    int check = (CheckField(node) & ~kStateBit) | (state ? kStateBit : 0);
    if (!SetItemCheck(GetItemIndex(node), 0, check))
        return FALSE;
    RedrawItems(GetItemIndex(node));
    return TRUE;
}

_TREEITEM* CVXGridOptionsCtrl::GroupOf(_TREEITEM* node)
{
    _TREEITEM* parent = GetNextItem(node, 3);
    return parent ? parent : RVTI_ROOT;
}

BOOL CVXGridOptionsCtrl::GetOptionRadio(_TREEITEM* parent, int& index)
{
    int position = 0;
    for (_TREEITEM* child = GetNextItem(parent, 4); child; child = GetNextItem(child, 1), position++) {
        if (IsRadioOption(child) && (CheckField(child) & kStateBit)) {
            index = position;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CVXGridOptionsCtrl::SetOptionRadio(_TREEITEM* parent, int index)
{
    int position = 0;
    for (_TREEITEM* child = GetNextItem(parent, 4); child; child = GetNextItem(child, 1), position++) {
        if (!IsRadioOption(child))
            continue;
        int check = CheckField(child);
        int wanted = position == index ? (check | kStateBit) : (check & ~kStateBit);
        if (wanted != check) {
            SetItemCheck(GetItemIndex(child), 0, wanted);
            RedrawItems(GetItemIndex(child));
        }
    }
    return TRUE;
}

BOOL CVXGridOptionsCtrl::SetOptionRadio(_TREEITEM* node)
{
    _TREEITEM* parent = GroupOf(node);
    int position = 0;
    for (_TREEITEM* child = GetNextItem(parent, 4); child && child != node; child = GetNextItem(child, 1))
        position++;
    return SetOptionRadio(parent, position);
}

HWND CVXGridOptionsCtrl::GetOptionEditorWnd() const
{
    if (m_pOptionEdit)
        return m_pOptionEdit->m_hWnd;
    return m_pOptionCombo ? m_pOptionCombo->m_hWnd : nullptr;
}
