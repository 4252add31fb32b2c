#include "dialogs/DlgVXExplorer.h"

#include "controls/ShellFunctions.h"
#include "controls/ShellGlobals.h"
#include "dialogs/DialogButtons.h"
#include "res/resource.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

const int kMinPaneWidth = 30;
const int kTypeImageWidth = 16;
const COLORREF kTypeImageMask = RGB(255, 255, 255);
const int kButtonGap = 1;
const int kEditGap = 3;
const int kBottomGap = 2;
const char kAscendingMark[] = "△";
const char kDescendingMark[] = "▽";

struct Column {
    const char* title;
    int width;
    int format;
};
const Column kColumns[] = {
    {"이름", 200, LVCFMT_LEFT},
    {"크기(KB)", 90, LVCFMT_RIGHT},
    {"종류", 120, LVCFMT_LEFT},
    {"수정한날짜", 150, LVCFMT_LEFT},
};

// The title without either sort mark anywhere in it, trailing blanks trimmed; marks are
// matched as whole characters, never across two.
CString WithoutSortMarks(const char* title)
{
    CString bare;
    for (const char* p = title; *p;) {
        const char* next = CharNext(p);
        if (next - p == 2 && (strncmp(p, kAscendingMark, 2) == 0 || strncmp(p, kDescendingMark, 2) == 0)) {
            p = next;
            continue;
        }
        bare += CString(p, (int)(next - p));
        p = next;
    }
    bare.TrimRight();
    return bare;
}

CString WithSeparator(const CString& folder)
{
    if (folder.IsEmpty() || folder.Right(1) == "\\")
        return folder;
    return folder + "\\";
}

CString ExtensionOf(const char* name)
{
    const char* dot = strrchr(name, '.');
    return dot ? CString(dot) : CString();
}

CRect ChildRect(CWnd* parent, CWnd& child)
{
    CRect r;
    child.GetWindowRect(&r);
    parent->ScreenToClient(&r);
    return r;
}

}  // namespace

struct CDlgVXExplorer::Entry {
    CString name;
    CString typeName;
    int image;
    ULONGLONG kilobytes;
    CString modified;
};

IMPLEMENT_DYNAMIC(CDlgVXExplorer, CVXDialog)

BEGIN_MESSAGE_MAP(CDlgVXExplorer, CVXDialog)
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_NOTIFY(TVN_SELCHANGED, IDC_EXPLORER_TREE, OnTreeSelChanged)
    ON_NOTIFY(NM_RCLICK, IDC_EXPLORER_LIST, OnListRClick)
END_MESSAGE_MAP()

CDlgVXExplorer::CDlgVXExplorer(CString startPath, CWnd* parent)
    : CVXDialog(IDD_VX_EXPLORER, parent), m_strStartPath(startPath), m_nSelectMode(0), m_pidlDesktop(nullptr),
      m_pidlComputer(nullptr), m_pidlNetwork(nullptr)
{
    m_strProfileName = "VXExplorer";
}

CDlgVXExplorer::~CDlgVXExplorer()
{
    FreeSpecialLists();
}

void CDlgVXExplorer::FreeSpecialLists()
{
    for (ITEMIDLIST** pidl : {&m_pidlDesktop, &m_pidlComputer, &m_pidlNetwork}) {
        if (*pidl)
            SHFree1(*pidl);
        *pidl = nullptr;
    }
}

void CDlgVXExplorer::DoDataExchange(CDataExchange* pDX)
{
    CVXDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_EXPLORER_LABEL, m_stcLabel);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDC_EXPLORER_LIST, m_list);
    DDX_Control(pDX, IDC_EXPLORER_PATH, m_editPath);
    DDX_Control(pDX, IDC_EXPLORER_TREE, m_tree);
    DDX_Text(pDX, IDC_EXPLORER_PATH, m_strCurrentFolder);
}

BOOL CDlgVXExplorer::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    LoadProfile();
    SetupDialogButton(m_btnCancel, IDI_VX_CANCEL);
    SetupDialogButton(m_btnOK, IDI_VX_QUESTION);

    m_splitter.BindWithControl(this, IDC_EXPLORER_SPLITTER);
    m_splitter.SetMinWidth(kMinPaneWidth, kMinPaneWidth);
    m_splitter.AttachAsLeftPane(IDC_EXPLORER_TREE);
    m_splitter.AttachAsRightPane(IDC_EXPLORER_LIST);
    m_splitter.RecalcLayout();

    m_imgTypes.Create(IDB_EXPLORER_TYPES, kTypeImageWidth, 1, kTypeImageMask);
    // The special items and the list are ready before the first selection lists a folder.
    ShellGlobals& shell = ShellGlobals::Instance();
    m_pidlDesktop = shell.GetSpecialFolderPIDL(CSIDL_DESKTOP);
    m_pidlComputer = shell.GetSpecialFolderPIDL(CSIDL_DRIVES);
    m_pidlNetwork = shell.GetSpecialFolderPIDL(CSIDL_NETWORK);
    SetUpList();

    m_tree.Initialize(0);
    m_tree.SetPathByStr(m_strStartPath);
    return TRUE;
}

void CDlgVXExplorer::SetUpList()
{
    m_list.SetBkColor(::GetSysColor(COLOR_WINDOW));
    m_list.SetTextBkColor(::GetSysColor(COLOR_WINDOW));
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    m_list.SetMenuByParent(TRUE);
    for (int i = 0; i < (int)(sizeof(kColumns) / sizeof(kColumns[0])); ++i)
        m_list.InsertColumn(i, kColumns[i].title, kColumns[i].format, kColumns[i].width);
    m_list.SetImageList(&m_imgTypes, LVSIL_SMALL);
}

int CDlgVXExplorer::CompareFullUniqueID(ITEMIDLIST* a, ITEMIDLIST* b)
{
    if (!a || !b || SHGetIDLSize(a) != SHGetIDLSize(b))
        return 0;
    unsigned count = SHGetChildrenN(a);
    for (unsigned i = 0; i < count; ++i)
        if (!SHCompareID(SHGetIDL(a, i)->mkid, SHGetIDL(b, i)->mkid))
            return 0;
    return 1;
}

bool CDlgVXExplorer::IsIgnoredItem(const ITEMIDLIST* full)
{
    ITEMIDLIST* item = const_cast<ITEMIDLIST*>(full);
    return CompareFullUniqueID(item, m_pidlDesktop) || CompareFullUniqueID(item, m_pidlComputer) ||
           CompareFullUniqueID(item, m_pidlNetwork);
}

void CDlgVXExplorer::OnTreeSelChanged(NMHDR* hdr, LRESULT* result)
{
    *result = 0;
    HTREEITEM item = ((NM_TREEVIEW*)hdr)->itemNew.hItem;
    ITreeNode* node = m_tree.NodeOf(item);
    if (!node || IsIgnoredItem(node->GetFullIDL()))
        return;
    m_strCurrentFolder = m_tree.GetFullPath(item);
    m_editPath.SetWindowText(m_strCurrentFolder);
    ClearSortMarks();
    if (!m_strCurrentFolder.IsEmpty())
        SearchFileList(m_strCurrentFolder, "*.*");
}

void CDlgVXExplorer::ClearSortMarks()
{
    CHeaderCtrl* header = m_list.GetHeaderCtrl();
    int columns = header ? header->GetItemCount() : 0;
    for (int c = 0; c < columns; ++c) {
        char text[256] = "";
        LVCOLUMN info = {};
        info.mask = LVCF_TEXT;
        info.pszText = text;
        info.cchTextMax = sizeof(text);
        if (!m_list.GetColumn(c, &info))
            continue;
        CString bare = WithoutSortMarks(text);
        info.pszText = (LPSTR)(const char*)bare;
        m_list.SetColumn(c, &info);
    }
}

int CDlgVXExplorer::IconIndexFor(const CString& key, HICON icon)
{
    for (int i = 0; i < m_arrIconKeys.GetSize(); ++i)
        if (m_arrIconKeys[i] == key)
            return (int)m_arrIconIndexes[i];
    int index = icon ? m_imgTypes.Add(icon) : -1;
    if (index < 0)
        return -1;
    m_arrIconKeys.Add(key);
    m_arrIconIndexes.Add((UINT)index);
    return index;
}

void CDlgVXExplorer::SearchFileList(CString folder, CString mask)
{
    m_strListFolder = folder;
    m_strListMask = mask;
    m_list.SetFolderPath(WithSeparator(folder));
    m_list.DeleteAllItems();
    CString base = WithSeparator(folder);
    CString pattern = folder.IsEmpty() ? mask : base + mask;

    std::vector<Entry> entries;
    WIN32_FIND_DATA found;
    HANDLE find = ::FindFirstFile(pattern, &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!strcmp(found.cFileName, ".") || !strcmp(found.cFileName, ".."))
                continue;
            CString full = base + found.cFileName;
            SHFILEINFO info = {};
            ::SHGetFileInfo(full, 0, &info, sizeof(info), SHGFI_ICON | SHGFI_SMALLICON | SHGFI_TYPENAME);
            CString key = full.Right(1) == "\\" ? CString("Volume")
                          : (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? CString("Folder")
                                                                                 : ExtensionOf(found.cFileName);
            Entry entry;
            entry.name = found.cFileName;
            entry.typeName = info.szTypeName;
            entry.image = IconIndexFor(key, info.hIcon);
            if (info.hIcon)
                ::DestroyIcon(info.hIcon);
            ULONGLONG bytes = ((ULONGLONG)found.nFileSizeHigh << 32) | found.nFileSizeLow;
            entry.kilobytes = bytes >> 10;
            entry.modified = COleDateTime(found.ftLastWriteTime).Format("%Y-%m-%d %H:%M:%S");
            entries.push_back(entry);
        } while (::FindNextFile(find, &found));
        ::FindClose(find);
    }
    for (size_t i = 0; i < entries.size(); ++i)
        InsertRow((int)i, entries[i]);
}

void CDlgVXExplorer::InsertRow(int row, const Entry& entry)
{
    char size[32];
    const long kilobytes = entry.kilobytes > (ULONGLONG)LONG_MAX ? LONG_MAX : (long)entry.kilobytes;
    m_list.InsertItem(row, entry.name, entry.image);
    m_list.SetItemText(row, 1, FormatNumberComma(size, kilobytes));
    m_list.SetItemText(row, 2, entry.typeName);
    m_list.SetItemText(row, 3, entry.modified);
}

char* CDlgVXExplorer::FormatNumberComma(char* out, long n)
{
    unsigned long magnitude = n < 0 ? 0UL - (unsigned long)n : (unsigned long)n;
    char digits[32];
    int length = snprintf(digits, sizeof(digits), "%lu", magnitude);
    char* p = out;
    if (n < 0)
        *p++ = '-';
    for (int i = 0; i < length; ++i) {
        *p++ = digits[i];
        int left = length - i - 1;
        if (left > 0 && left % 3 == 0)
            *p++ = ',';
    }
    *p = '\0';
    return out;
}

// The folder menu, with the list as its owner: the list carries out its commands (the dialog has none).
void CDlgVXExplorer::OnListRClick(NMHDR*, LRESULT* result)
{
    *result = 0;
    m_list.ShowFolderMenu();
}

void CDlgVXExplorer::OnSize(UINT nType, int cx, int cy)
{
    CVXDialog::OnSize(nType, cx, cy);
    if (m_tree.GetSafeHwnd() && m_list.GetSafeHwnd() && m_splitter.GetSafeHwnd())
        LayOut(cx, cy);
}

// Buttons at the top right, the path field up to them, the panes down to the bottom, all kept
// at the tree's left margin from the edges.
void CDlgVXExplorer::LayOut(int cx, int cy)
{
    CRect tree = ChildRect(this, m_tree);
    const int margin = tree.left;
    CRect cancel = ChildRect(this, m_btnCancel);
    CRect ok = ChildRect(this, m_btnOK);
    CRect edit = ChildRect(this, m_editPath);
    CRect bar = ChildRect(this, m_splitter);
    CRect list = ChildRect(this, m_list);

    cancel.OffsetRect(cx - margin - cancel.right, 0);
    ok.OffsetRect(cancel.left - kButtonGap - ok.right, 0);
    edit.right = ok.left - kEditGap;
    const int bottom = cy - margin - kBottomGap;
    tree.bottom = bar.bottom = list.bottom = bottom;
    list.right = cx - margin;

    m_btnCancel.MoveWindow(&cancel);
    m_btnOK.MoveWindow(&ok);
    m_editPath.MoveWindow(&edit);
    m_tree.MoveWindow(&tree);
    m_splitter.MoveWindow(&bar);
    m_list.MoveWindow(&list);
    m_btnCancel.Invalidate();
    m_btnOK.Invalidate();
    m_splitter.Invalidate();
}

void CDlgVXExplorer::OnDestroy()
{
    m_splitter.Unbind();
    m_tree.DeleteAllItems(0);
    CVXDialog::OnDestroy();
    FreeSpecialLists();
}
