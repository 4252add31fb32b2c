#include "controls/DirListCtrl.h"
#include "res/resource.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

const char kAscendingMark[] = "△";
const char kDescendingMark[] = "▽";
const int kNewFolderImage = 33;
const int kTitleMax = 256;

// Where the last whole character of a CP949 text starts.
int LastCharStart(const CString& text)
{
    const char* start = text;
    const char* end = start + text.GetLength();
    return end == start ? 0 : (int)(CharPrev(start, end) - start);
}

bool EndsWithMark(const CString& text, const char* mark)
{
    int last = LastCharStart(text);
    return text.GetLength() > 0 && text.Mid(last) == mark;
}

// The title without its mark, and without the blank put before it.
CString WithoutMark(const CString& title)
{
    if (!EndsWithMark(title, kAscendingMark) && !EndsWithMark(title, kDescendingMark))
        return title;
    CString bare = title.Left(LastCharStart(title));
    if (bare.Right(1) == " ")
        bare = bare.Left(bare.GetLength() - 1);
    return bare;
}

CString WindowsFormNoSlash(CString path)
{
    while (path.GetLength() > 0 && (path.Right(1) == "\\" || path.Right(1) == "/"))
        path = path.Left(path.GetLength() - 1);
    return path;
}

}  // namespace

BEGIN_MESSAGE_MAP(CDirListCtrl, CListCtrl)
    ON_NOTIFY(HDN_ITEMCLICKA, 0, OnHeaderClicked)
    ON_NOTIFY(HDN_ITEMCLICKW, 0, OnHeaderClicked)
    ON_NOTIFY_REFLECT_EX(NM_RCLICK, OnRclick)
    ON_NOTIFY_REFLECT(LVN_ENDLABELEDIT, OnEndlabeledit)
    ON_COMMAND(ID_DIRLIST_NEWFOLDER, OnPopupNew)
    ON_COMMAND(ID_DIRLIST_DELETE, OnPopupDelete)
END_MESSAGE_MAP()

CDirListCtrl::CDirListCtrl() {}

void CDirListCtrl::SetNewStyle(long style, BOOL set)
{
    LONG now = ::GetWindowLong(m_hWnd, GWL_STYLE);
    now = set ? (now | style) : (now & ~style);
    ::SetWindowLong(m_hWnd, GWL_STYLE, now);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

int CDirListCtrl::ColumnCount()
{
    CHeaderCtrl* header = GetHeaderCtrl();
    return header ? header->GetItemCount() : 1;
}

int CDirListCtrl::CompareRows(const CString& a, const CString& b, bool numeric) const
{
    if (!numeric)
        return strcmp(a, b);
    int x = atoi(a), y = atoi(b);
    return x < y ? -1 : x > y ? 1 : 0;
}

void CDirListCtrl::SwapRows(int a, int b)
{
    int columns = ColumnCount();
    for (int c = 0; c < columns; ++c) {
        CString first = GetItemText(a, c), second = GetItemText(b, c);
        SetItemText(a, c, second);
        SetItemText(b, c, first);
    }
    LVITEM x = {}, y = {};
    x.mask = y.mask = LVIF_IMAGE | LVIF_STATE | LVIF_PARAM;
    x.stateMask = y.stateMask = (UINT)-1;
    x.iItem = a;
    y.iItem = b;
    GetItem(&x);
    GetItem(&y);
    std::swap(x.iItem, y.iItem);
    SetItem(&x);
    SetItem(&y);
}

// Rows equal to the pivot step past each other, so runs of equal keys end.
int CDirListCtrl::Sort(int column, bool ascending, int low, int high, bool numeric)
{
    if (high == -1)
        high = GetItemCount() - 1;
    if (high <= low)
        return TRUE;
    CString pivot = GetItemText((low + high) / 2, column);
    int lower = low, upper = high;
    auto before = [&](int row) {
        int c = CompareRows(GetItemText(row, column), pivot, numeric);
        return ascending ? c < 0 : c > 0;
    };
    auto after = [&](int row) {
        int c = CompareRows(GetItemText(row, column), pivot, numeric);
        return ascending ? c > 0 : c < 0;
    };
    while (lower <= upper) {
        while (lower < high && before(lower))
            ++lower;
        while (upper > low && after(upper))
            --upper;
        if (lower <= upper) {
            if (GetItemText(lower, column) != GetItemText(upper, column))
                SwapRows(lower, upper);
            ++lower;
            --upper;
        }
    }
    if (low < upper)
        Sort(column, ascending, low, upper, numeric);
    if (lower < high)
        Sort(column, ascending, lower, high, numeric);
    return TRUE;
}

int CDirListCtrl::SortTextItems(int column, BOOL ascending, int low, int high)
{
    return Sort(column, ascending != FALSE, low, high, false);
}

int CDirListCtrl::SortNumericItems(int column, BOOL ascending, int low, int high)
{
    return Sort(column, ascending != FALSE, low, high, true);
}

void CDirListCtrl::OnHeaderClicked(NMHDR* hdr, LRESULT* result)
{
    *result = 0;
    auto* header = (NMHEADER*)hdr;
    if (header->iButton != 0)
        return;
    int column = header->iItem;
    m_ascending = column == m_sortColumn ? !m_ascending : 1;
    m_sortColumn = column;
    if (column == 1)
        SortNumericItems(1, m_ascending, 0, -1);
    else
        SortTextItems(column, m_ascending, 0, -1);
    ShowSortMark(column, m_ascending != 0);
}

// Titles are read whole, so a long one keeps its end.
void CDirListCtrl::ShowSortMark(int column, bool ascending)
{
    int columns = ColumnCount();
    for (int c = 0; c < columns; ++c) {
        char text[kTitleMax] = "";
        LVCOLUMN info = {};
        info.mask = LVCF_TEXT;
        info.pszText = text;
        info.cchTextMax = sizeof text;
        if (!GetColumn(c, &info))
            continue;
        CString title = WithoutMark(text);
        if (c == column)
            title += CString(" ") + (ascending ? kAscendingMark : kDescendingMark);
        info.pszText = (LPSTR)(const char*)title;
        SetColumn(c, &info);
    }
}

BOOL CDirListCtrl::OnRclick(NMHDR*, LRESULT* result)
{
    *result = 0;
    if (m_menuByParent)
        return FALSE;
    ShowFolderMenu();
    return TRUE;
}

void CDirListCtrl::ShowFolderMenu()
{
    CMenu menu;
    if (!menu.LoadMenu(IDR_DIRLIST_MENU))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    CPoint at;
    ::GetCursorPos(&at);
    if (popup)
        popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, this);
}

void CDirListCtrl::OnPopupNew()
{
    int row = InsertItem(LVIF_TEXT | LVIF_IMAGE, GetItemCount(), "새폴더", 0, 0, kNewFolderImage, 0);
    SetNewStyle(LVS_EDITLABELS, TRUE);
    SetFocus();
    EditLabel(row);
}

void CDirListCtrl::OnEndlabeledit(NMHDR* hdr, LRESULT* result)
{
    *result = 0;
    auto* info = (NMLVDISPINFO*)hdr;
    if (!info->item.pszText)
        return;
    CString folder = m_folderPath + info->item.pszText;
    if (_mkdir(folder) != 0) {
        AfxMessageBox("지정한 이름의 폴더가 이미 존재합니다.\n다른 폴더 이름을 지정하십시요.", MB_OK);
        return;
    }
    SetItemText(info->item.iItem, 0, info->item.pszText);
    SetNewStyle(LVS_EDITLABELS, FALSE);
}

void CDirListCtrl::OnPopupDelete()
{
    CString question;
    question.Format("선택한 %u 항목을 삭제하시겠습니까?", GetSelectedCount());
    if (AfxMessageBox(question, MB_YESNO) != IDYES)
        return;
    std::vector<int> deleted;
    POSITION pos = GetFirstSelectedItemPosition();
    while (pos) {
        int row = GetNextSelectedItem(pos);
        CString name = GetItemText(row, 0);
        if (name.IsEmpty())
            continue;  // the listed folder itself
        CString path = m_folderPath + name;
        if (DeleteDir(path) == 0 || (!IsProtectedPath(path) && _unlink(path) == 0))
            deleted.push_back(row);
    }
    for (auto row = deleted.rbegin(); row != deleted.rend(); ++row)
        DeleteItem(*row);
}

// Never the whole of a drive, the home folder or a virtual item.
bool CDirListCtrl::IsProtectedPath(const char* path) const
{
    CString bare = WindowsFormNoSlash(path ? path : "");
    if (bare.IsEmpty() || bare.Left(2) == "::" || (bare.GetLength() == 2 && bare[1] == ':'))
        return true;
    char home[MAX_PATH] = "";
    LPITEMIDLIST personal = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_PERSONAL, &personal))) {
        SHGetPathFromIDList(personal, home);
        CoTaskMemFree(personal);
    }
    return home[0] && bare.CompareNoCase(WindowsFormNoSlash(home)) == 0;
}

void CDirListCtrl::DeleteEntry(const CString& full)
{
    DWORD attributes = GetFileAttributes(full);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    if (attributes & FILE_ATTRIBUTE_READONLY)
        SetFileAttributes(full, attributes & ~FILE_ATTRIBUTE_READONLY);
    TakeOwnership(full);
    SetPermission(full, "everyone", GENERIC_ALL);
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        DeleteDir(full);
    else
        DeleteFile(full);  // a link goes itself; what it points to stays
}

int CDirListCtrl::DeleteDir(const char* path)
{
    if (IsProtectedPath(path))
        return -1;
    DWORD own = GetFileAttributes(path);
    if (own != INVALID_FILE_ATTRIBUTES && (own & FILE_ATTRIBUTE_REPARSE_POINT))
        return DeleteFile(path) ? 0 : -1;
    CString pattern;
    pattern.Format("%s\\*.*", path);
    WIN32_FIND_DATA found;
    HANDLE search = FindFirstFile(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return -1;
    do {
        if (strcmp(found.cFileName, ".") == 0 || strcmp(found.cFileName, "..") == 0)
            continue;
        CString full;
        full.Format("%s\\%s", path, found.cFileName);
        DeleteEntry(full);
    } while (FindNextFile(search, &found));
    FindClose(search);
    if (own != INVALID_FILE_ATTRIBUTES && (own & FILE_ATTRIBUTE_READONLY))
        SetFileAttributes(path, own & ~FILE_ATTRIBUTE_READONLY);
    return RemoveDirectory(path) ? 0 : -1;
}

int CDirListCtrl::SetPrivilege(HANDLE token, const char* privilege, BOOL disableAll)
{
    TOKEN_PRIVILEGES wanted = {};
    if (!disableAll) {
        if (!LookupPrivilegeValue(nullptr, privilege, &wanted.Privileges[0].Luid))
            return 0;
        wanted.PrivilegeCount = 1;
        wanted.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    }
    AdjustTokenPrivileges(token, disableAll, disableAll ? nullptr : &wanted, 0, nullptr, nullptr);
    return GetLastError() == ERROR_SUCCESS ? 1 : 0;
}

int CDirListCtrl::TakeOwnership(const char* path)
{
    HANDLE token = nullptr;
    CString error;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY | TOKEN_ADJUST_PRIVILEGES | READ_CONTROL, &token)) {
        error.Format("Error in OpenProcessToken No : %d", (int)GetLastError());
        AfxMessageBox(error, MB_OK);
        return 0;
    }
    BYTE user[1024];
    DWORD length = 0;
    SECURITY_DESCRIPTOR descriptor;
    if (!SetPrivilege(token, "SeTakeOwnershipPrivilege", FALSE))
        error.Format("Error in SetPrivilege No : %d", (int)GetLastError());
    else if (!GetTokenInformation(token, TokenUser, user, sizeof user, &length))
        error.Format("Error in GetTokenInformation Error No : %d", (int)GetLastError());
    else if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) ||
             !SetSecurityDescriptorOwner(&descriptor, ((TOKEN_USER*)user)->User.Sid, FALSE))
        error.Format("Error in SetSecurityDescriptorOwner Error No : %d", (int)GetLastError());
    else if (!SetFileSecurity(path, OWNER_SECURITY_INFORMATION, &descriptor))
        error.Format("Error in SetFileSecurity Error No : %d", (int)GetLastError());
    if (!error.IsEmpty()) {
        AfxMessageBox(error, MB_OK);
        SetPrivilege(token, nullptr, TRUE);
    }
    CloseHandle(token);
    return error.IsEmpty() ? 1 : 0;
}

int CDirListCtrl::SetPermission(const char* path, const char* account, DWORD accessMask)
{
    BYTE sid[256];
    DWORD sidSize = sizeof sid;
    char domain[256];
    DWORD domainSize = sizeof domain;
    SID_NAME_USE use;
    CString error;
    if (!LookupAccountName(nullptr, account, sid, &sidSize, domain, &domainSize, &use)) {
        error.Format("Error in LookupAccountName No : %d", (int)GetLastError());
        AfxMessageBox(error, MB_OK);
        return 0;
    }
    DWORD aclSize = GetLengthSid(sid) + 16;
    std::vector<BYTE> acl(aclSize);
    SECURITY_DESCRIPTOR descriptor;
    if (!InitializeAcl((PACL)acl.data(), aclSize, ACL_REVISION) ||
        !AddAccessAllowedAce((PACL)acl.data(), ACL_REVISION, accessMask, sid))
        error.Format("Error in AddAccessAllowedAce Error No : %d", (int)GetLastError());
    else if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) ||
             !SetSecurityDescriptorDacl(&descriptor, TRUE, (PACL)acl.data(), FALSE))
        error.Format("Error in SetSecurityDescriptorDacl Error No : %d", (int)GetLastError());
    else if (!SetFileSecurity(path, DACL_SECURITY_INFORMATION, &descriptor))
        error.Format("Error in SetFileSecurity Error No : %d", (int)GetLastError());
    if (!error.IsEmpty())
        AfxMessageBox(error, MB_OK);
    return error.IsEmpty() ? 1 : 0;
}
