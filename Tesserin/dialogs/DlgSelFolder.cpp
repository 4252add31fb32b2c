#include "dialogs/DlgSelFolder.h"

#include "dialogs/DialogButtons.h"
#include "mivo/codepage.h"
#include "res/resource.h"

#include <cstring>

namespace {

// The node flags the folder tree starts its own namespace view with.
const UINT kTreeFlags = 0xA1;
const UINT kRootKinds[] = {BFF_ROOT_BY_PATH, BFF_ROOT_BY_IDL, BFF_ROOT_BY_CSIDL};
const UINT kSelectionKinds = BFF_SELECT_BY_PATH | BFF_SELECT_SPECIAL | BFF_SELECT_BY_IDL;

const char kAmbiguousSelection[] =
    "Ambiguous selected type is specified in _bffinfo::m_nFlags. Please, correct your parameters.";
const char kNoSuchPath[] = "The specified path does not exist";
const char kErrorCaption[] = "Error";

bool OneBit(UINT bits)
{
    return bits && !(bits & (bits - 1));
}

void CopyWhole(char* out, const char* text)
{
    size_t length = mivo::CutToCharBoundary(text, strlen(text), MAX_PATH - 1);
    memcpy(out, text, length);
    out[length] = '\0';
}

}  // namespace

IMPLEMENT_DYNAMIC(CDlgSelFolder, CVXDialog)

BEGIN_MESSAGE_MAP(CDlgSelFolder, CVXDialog)
    ON_BN_CLICKED(IDC_SELFOLDER_SYNCH, OnSynch)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CDlgSelFolder::CDlgSelFolder(const _bffinfo* info)
    : CVXDialog(IDD_SEL_FOLDER, info ? CWnd::FromHandle(info->m_hParent) : nullptr), m_info(), m_szTypedPath()
{
    m_strProfileName = "SelFolder";
    if (info)
        m_info = *info;
    // The record's texts are the caller's: make sure each ends inside its array.
    m_info.m_szRootPath[MAX_PATH - 1] = '\0';
    m_info.m_szInitialPath[MAX_PATH - 1] = '\0';
    m_info.m_szTitle[sizeof(m_info.m_szTitle) - 1] = '\0';
    m_info.m_szMessage[sizeof(m_info.m_szMessage) - 1] = '\0';
}

void CDlgSelFolder::DoDataExchange(CDataExchange* pDX)
{
    CVXDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_SELFOLDER_SYNCH, m_btnSynch);
    DDX_Control(pDX, IDC_SELFOLDER_TREE, m_tree);
}

BOOL CDlgSelFolder::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    LoadProfile();
    if (m_info.m_szTitle[0])
        SetWindowText(m_info.m_szTitle);
    SetDlgItemText(IDC_SELFOLDER_TITLE, m_info.m_szMessage);
    SetDlgItemText(IDC_SELFOLDER_PATH, m_info.m_szInitialPath);
    SetupDialogButton(m_btnOK, IDI_VX_QUESTION);
    SetupDialogButton(m_btnCancel, IDI_VX_CANCEL);
    SetupDialogButton(m_btnSynch, IDI_VX_FOLDER);

    ShowRoot();
    if (ValidateSelectedFlags() && !SelectRequested())
        MessageBox(kNoSuchPath, kErrorCaption, MB_OK | MB_ICONSTOP);
    GetDlgItem(IDC_SELFOLDER_PATH)->SetFocus();
    return FALSE;
}

UINT CDlgSelFolder::ValidateRootFlags()
{
    UINT asked = 0;
    for (UINT kind : kRootKinds)
        if (m_info.m_nFlags & kind)
            asked |= kind;
    return OneBit(asked) ? asked : 0;
}

int CDlgSelFolder::ValidateSelectedFlags()
{
    if (OneBit(m_info.m_nFlags & kSelectionKinds))
        return 1;
    CString title;
    GetWindowText(title);
    MessageBox(kAmbiguousSelection, title, MB_OK | MB_ICONEXCLAMATION);
    return 0;
}

void CDlgSelFolder::ShowRoot()
{
    switch (ValidateRootFlags()) {
    case BFF_ROOT_BY_PATH: m_tree.DisplayTree(kTreeFlags, m_info.m_szRootPath, 0); break;
    case BFF_ROOT_BY_IDL: m_tree.DisplayTree(kTreeFlags, m_info.m_pidlRoot, 0); break;
    case BFF_ROOT_BY_CSIDL: m_tree.DisplayTree(kTreeFlags, m_info.m_nRootCSIDL, 0); break;
    default: m_tree.Initialize(0); break;
    }
}

bool CDlgSelFolder::SelectRequested()
{
    switch (m_info.m_nFlags & kSelectionKinds) {
    case BFF_SELECT_BY_PATH: return m_info.m_szInitialPath[0] && m_tree.SetPathByStr(m_info.m_szInitialPath);
    case BFF_SELECT_BY_IDL: return m_info.m_pidlInitial && m_tree.SetPathByIDL(m_info.m_pidlInitial);
    default: return m_tree.SetPathByCSIDL(m_info.m_bSelectNetwork ? CSIDL_NETWORK : CSIDL_DRIVES) != nullptr;
    }
}

bool CDlgSelFolder::SelectTyped()
{
    char typed[MAX_PATH];
    GetTypedPath(typed);
    return !typed[0] || m_tree.SetPathByStr(typed);
}

void CDlgSelFolder::OnSynch()
{
    ShowRoot();
    if (!SelectTyped())
        MessageBox(kNoSuchPath, kErrorCaption, MB_OK | MB_ICONSTOP);
}

void CDlgSelFolder::GetTypedPath(char* out)
{
    if (CWnd* field = GetSafeHwnd() ? GetDlgItem(IDC_SELFOLDER_PATH) : nullptr) {
        CString text;
        field->GetWindowText(text);
        CopyWhole(out, text);
        return;
    }
    CopyWhole(out, m_szTypedPath);
}

CString CDlgSelFolder::GetTreeSelectedPath()
{
    if (!m_tree.GetSafeHwnd())
        return m_strSelectedPath;
    const char* path = m_tree.GetSelectedPath();
    return path ? path : "";
}

CString CDlgSelFolder::GetTreeSelectedName()
{
    if (!m_tree.GetSafeHwnd())
        return m_strSelectedName;
    const char* name = m_tree.GetSelectedName();
    return name ? name : "";
}

// What the getters answer once the windows are gone.
void CDlgSelFolder::KeepResults()
{
    GetTypedPath(m_szTypedPath);
    m_strSelectedPath = GetTreeSelectedPath();
    m_strSelectedName = GetTreeSelectedName();
}

void CDlgSelFolder::OnOK()
{
    KeepResults();
    CVXDialog::OnOK();
}

void CDlgSelFolder::OnDestroy()
{
    KeepResults();
    CVXDialog::OnDestroy();
}
