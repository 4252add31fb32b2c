// The file dialog. Paths are Windows-form CP949 throughout; the file system
// is reached through the layer's own file functions.
#include "dialogs/FileDialog.h"
#include "dialogs/CommonDialogs.h"
#include "dialogs/FileSelection.h"
#include "res/resource.h"
#include "win32/controls.h"
#include "win32/cursors.h"
#include "win32/fileapi.h"
#include "win32/input.h"
#include "win32/modules.h"
#include "win32/msgbox.h"
#include "win32/rect.h"
#include "win32/uidraw.h"
#include "win32/usersys.h"
#include "win32/user.h"
#include "mivo/codepage.h"
#include "mivo/paths.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace mivo {

namespace {

const INT_PTR kBufferTooSmall = 0x7FF0;  // ends the dialog when the caller's buffer cannot hold the answer
const int kIconSize = 16;
const size_t kPathLimit = MAX_PATH;

// The smallest template a hook without one of its own gets as its child dialog.
struct EmptyChildTemplate {
    DLGTEMPLATE header;
    WORD menu, windowClass, title;
};

bool IsFolder(const std::string& path)
{
    DWORD attributes = GetFileAttributes(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Exists(const std::string& path)
{
    return GetFileAttributes(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsAbsolute(const std::string& name)
{
    return (name.size() >= 2 && name[1] == ':') || (!name.empty() && name[0] == '\\');
}

// The folder part of a Windows path ("C:\a" for "C:\a\b.jpg", "C:\" for "C:\b.jpg").
std::string ParentOf(const std::string& path)
{
    size_t slash = path.rfind('\\');
    if (slash == std::string::npos)
        return std::string();
    if (slash <= 2 && path.size() >= 2 && path[1] == ':')
        return path.substr(0, 3);
    return path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FullPath(const std::string& path)
{
    char buffer[kPathLimit * 2];
    DWORD n = GetFullPathName(path.c_str(), sizeof(buffer), buffer, nullptr);
    if (n == 0 || n >= sizeof(buffer))
        return path;
    std::string full(buffer, n);
    if (full.size() > 3 && full.back() == '\\')
        full.pop_back();
    return full;
}

bool HasExtension(const std::string& name)
{
    size_t dot = name.rfind('.');
    return dot != std::string::npos && dot + 1 < name.size();
}

bool LessNoCase(const std::string& a, const std::string& b)
{
    return AnsiCompareNoCase(a.c_str(), b.c_str()) < 0;
}

}  // namespace

FileDialog::FileDialog(OPENFILENAMEA& ofn, bool save)
    : ofn_(ofn), save_(save), multi_((ofn.Flags & OFN_ALLOWMULTISELECT) != 0)
{
}

BOOL FileDialog::Run()
{
    SetCommonDialogError(0);
    if (ofn_.lStructSize < offsetof(OPENFILENAMEA, pvReserved)) {
        SetCommonDialogError(CDERR_STRUCTSIZE);
        return FALSE;
    }
    if (ofn_.lpstrFile == nullptr || ofn_.nMaxFile == 0) {
        SetCommonDialogError(CDERR_INITIALIZATION);
        return FALSE;
    }
    if ((ofn_.Flags & OFN_ENABLEHOOK) && ofn_.lpfnHook == nullptr) {
        SetCommonDialogError(CDERR_NOHOOK);
        return FALSE;
    }
    if (ofn_.lpstrDefExt != nullptr)
        defExt_.assign(ofn_.lpstrDefExt, strnlen(ofn_.lpstrDefExt, 16));
    filter_.Parse(ofn_.lpstrFilter);
    INT_PTR result = RunPlatformDialog(IDD_FILE_DIALOG, ofn_.hwndOwner, Procedure, (LPARAM)this);
    if (icons_)
        ImageList_Destroy(icons_);
    icons_ = nullptr;
    if (result == -1 && error_ == 0)
        error_ = CDERR_DIALOGFAILURE;
    SetCommonDialogError(error_);
    return result == IDOK && error_ == 0;
}

INT_PTR CALLBACK FileDialog::PlainChildProc(HWND, UINT msg, WPARAM, LPARAM)
{
    return msg == WM_INITDIALOG;
}

// --- start

void FileDialog::OnInit()
{
    title_ = ofn_.lpstrTitle ? ofn_.lpstrTitle : PlatformString(save_ ? IDS_SAVE_TITLE : IDS_OPEN_TITLE);
    SetWindowText(dlg_, title_.c_str());
    SetDlgItemText(dlg_, IDOK, PlatformString(save_ ? IDS_SAVE_BUTTON : IDS_OPEN_BUTTON).c_str());
    if ((ofn_.Flags & OFN_HIDEREADONLY) || save_)
        ShowWindow(GetDlgItem(dlg_, IDC_FILE_READONLY), SW_HIDE);
    CheckDlgButton(dlg_, IDC_FILE_READONLY, (ofn_.Flags & OFN_READONLY) ? BST_CHECKED : BST_UNCHECKED);
    list_ = GetDlgItem(dlg_, IDC_FILE_LIST);
    SetUpList();

    HWND types = GetDlgItem(dlg_, IDC_FILE_TYPES);
    for (const FileFilter::Entry& e : filter_.Entries())
        SendMessage(types, CB_ADDSTRING, 0, (LPARAM)e.name.c_str());
    DWORD index = ofn_.nFilterIndex;
    if (index < 1 || index > filter_.Entries().size())
        index = 1;
    SendMessage(types, CB_SETCURSEL, index - 1, 0);
    filter_.Use(filter_.Entries()[index - 1].patterns);

    StartFolder();
    MakeChild();
    // The dialog is set up: the hook hears it, then which folder shows.
    Notify(CDN_INITDONE);
    Notify(CDN_FOLDERCHANGE);
    SetFocus(GetDlgItem(dlg_, IDC_FILE_NAME));
}

// The file list: one column as wide as the list, small icons for drives,
// folders and documents, one selection unless the dialog takes several names.
void FileDialog::SetUpList()
{
    if (!multi_)
        SetWindowLong(list_, GWL_STYLE, GetWindowLong(list_, GWL_STYLE) | LVS_SINGLESEL);
    SendMessage(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    RECT client;
    GetClientRect(list_, &client);
    LVCOLUMNA column = {LVCF_WIDTH | LVCF_FMT};
    column.fmt = LVCFMT_LEFT;
    column.cx = client.right - GetSystemMetrics(SM_CXVSCROLL);
    SendMessage(list_, LVM_INSERTCOLUMNA, 0, (LPARAM)&column);
    icons_ = ImageList_Create(kIconSize, kIconSize, ILC_COLOR32 | ILC_MASK, 3, 0);
    // The icons are the layer's own resources: a null module would mean the system's icons.
    HMODULE platform = GetModuleHandle("platform");
    for (UINT id : {IDI_PLATFORM_DRIVE, IDI_PLATFORM_FOLDER, IDI_PLATFORM_DOCUMENT}) {
        HICON icon = (HICON)LoadImage(platform, MAKEINTRESOURCE(id), IMAGE_ICON, kIconSize, kIconSize, 0);
        ImageList_AddIcon(icons_, icon);
        if (icon)
            DestroyIcon(icon);
    }
    SendMessage(list_, LVM_SETIMAGELIST, LVSIL_SMALL, (LPARAM)icons_);
}

void FileDialog::StartFolder()
{
    std::string given = ofn_.lpstrFile ? std::string(ofn_.lpstrFile, strnlen(ofn_.lpstrFile, ofn_.nMaxFile)) : "";
    std::string folder, name;
    if (!given.empty() && given.find_first_of("*?") == std::string::npos) {
        std::string full = IsAbsolute(given) || ofn_.lpstrInitialDir == nullptr
                               ? FullPath(given)
                               : FullPath(FileSelection::Join(ofn_.lpstrInitialDir, given));
        if (IsFolder(full)) {
            folder = full;
        } else if (IsFolder(ParentOf(full)) && given.find('\\') != std::string::npos) {
            folder = ParentOf(full);
            name = NameOf(full);
        } else {
            name = given;
        }
    }
    if (folder.empty() && ofn_.lpstrInitialDir != nullptr && *ofn_.lpstrInitialDir &&
        IsFolder(FullPath(ofn_.lpstrInitialDir)))
        folder = FullPath(ofn_.lpstrInitialDir);
    if (folder.empty()) {
        char current[kPathLimit * 2];
        DWORD n = GetCurrentDirectory(sizeof(current), current);
        folder = n > 0 && n < sizeof(current) ? FullPath(std::string(current, n)) : std::string();
    }
    SetDlgItemText(dlg_, IDC_FILE_NAME, name.c_str());
    ChangeFolder(folder, false);
}

void FileDialog::MakeChild()
{
    if (!(ofn_.Flags & OFN_EXPLORER) || !(ofn_.Flags & (OFN_ENABLETEMPLATE | OFN_ENABLEHOOK)))
        return;
    DLGPROC proc = (ofn_.Flags & OFN_ENABLEHOOK) ? (DLGPROC)ofn_.lpfnHook : PlainChildProc;
    if ((ofn_.Flags & OFN_ENABLETEMPLATEHANDLE) && ofn_.hInstance != nullptr) {
        child_ = CreateDialogIndirectParam(nullptr, (LPCDLGTEMPLATE)ofn_.hInstance, dlg_, proc, (LPARAM)&ofn_);
    } else if (ofn_.Flags & OFN_ENABLETEMPLATE) {
        child_ = CreateDialogParam(ofn_.hInstance, ofn_.lpTemplateName, dlg_, proc, (LPARAM)&ofn_);
    } else {
        EmptyChildTemplate empty = {};
        empty.header.style = WS_CHILD | DS_CONTROL | DS_3DLOOK;
        child_ = CreateDialogIndirectParam(nullptr, &empty.header, dlg_, proc, (LPARAM)&ofn_);
    }
    if (child_ == nullptr) {
        error_ = (ofn_.Flags & OFN_ENABLETEMPLATE) ? CDERR_FINDRESFAILURE : CDERR_DIALOGFAILURE;
        EndDialog(dlg_, -1);
        return;
    }
    PlaceChild();
}

// The child template's controls go around static 1119, which stands for our
// own controls; without it they go below ours.
void FileDialog::PlaceChild()
{
    RECT own;
    GetClientRect(dlg_, &own);
    RECT childRect;
    GetClientRect(child_, &childRect);
    HWND placeholder = GetDlgItem(child_, stc32);
    RECT hole = {0, own.bottom, 0, own.bottom};  // below ours
    int dx = 0, dy = 0;
    if (placeholder) {
        GetWindowRect(placeholder, &hole);
        MapWindowPoints(nullptr, child_, (POINT*)&hole, 2);
        dx = std::max(0, (int)(own.right - (hole.right - hole.left)));
        dy = std::max(0, (int)(own.bottom - (hole.bottom - hole.top)));
    } else {
        dy = own.bottom;
        hole = {0, 0, 0, 0};
    }
    for (HWND c = GetWindow(child_, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (c == placeholder)
            continue;
        RECT r;
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, child_, (POINT*)&r, 2);
        int moveX = placeholder && r.left >= hole.right ? dx : 0;
        int moveY = !placeholder || r.top >= hole.bottom ? dy : 0;
        if (moveX || moveY)
            SetWindowPos(c, nullptr, r.left + moveX, r.top + moveY, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (placeholder)
        SetWindowPos(placeholder, nullptr, hole.left, hole.top, own.right, own.bottom,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    int offsetX = placeholder ? hole.left : 0, offsetY = placeholder ? hole.top : 0;
    if (offsetX || offsetY) {
        for (HWND c = GetWindow(dlg_, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            if (c == child_)
                continue;
            RECT r;
            GetWindowRect(c, &r);
            MapWindowPoints(nullptr, dlg_, (POINT*)&r, 2);
            SetWindowPos(c, nullptr, r.left + offsetX, r.top + offsetY, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    int width = std::max((int)own.right + offsetX, (int)childRect.right + dx);
    int height = std::max((int)own.bottom + offsetY, (int)childRect.bottom + dy);
    SetWindowLong(child_, GWL_STYLE, GetWindowLong(child_, GWL_STYLE) | WS_CLIPSIBLINGS);
    SetWindowPos(child_, HWND_BOTTOM, 0, 0, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    RECT frame = {0, 0, width, height};
    AdjustWindowRectEx(&frame, (DWORD)GetWindowLong(dlg_, GWL_STYLE), FALSE, (DWORD)GetWindowLong(dlg_, GWL_EXSTYLE));
    SetWindowPos(dlg_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// --- folders and the list

void FileDialog::ChangeFolder(const std::string& folder, bool notify)
{
    folder_ = folder;
    FillFolderBox();
    FillList();
    if (notify)
        Notify(CDN_FOLDERCHANGE);
}

void FileDialog::FillFolderBox()
{
    HWND box = GetDlgItem(dlg_, IDC_FILE_FOLDERS);
    SendMessage(box, CB_RESETCONTENT, 0, 0);
    folderBoxPaths_.clear();
    int chosen = 0;
    auto add = [&](const std::string& label, const std::string& path, int depth) {
        std::string text(depth * 2, ' ');
        text += label;
        SendMessage(box, CB_ADDSTRING, 0, (LPARAM)text.c_str());
        folderBoxPaths_.push_back(path);
        if (AnsiCompareNoCase(path.c_str(), folder_.c_str()) == 0)
            chosen = (int)folderBoxPaths_.size() - 1;
    };
    add(PlatformString(IDS_MY_COMPUTER), std::string(), 0);
    char drive = folder_.size() >= 2 && folder_[1] == ':' ? (char)toupper((unsigned char)folder_[0]) : 0;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if (DriveRoot(letter).empty())
            continue;
        char label[64];
        std::snprintf(label, sizeof(label), PlatformString(IDS_DRIVE_NAME).c_str(), letter);
        add(label, std::string(1, letter) + ":\\", 1);
        if (letter != drive || folder_.size() <= 3)
            continue;
        // The way down from the drive to the folder, one level deeper each.
        int depth = 2;
        for (size_t at = 3; at <= folder_.size(); ++at) {
            if (at == folder_.size() || folder_[at] == '\\') {
                std::string path = folder_.substr(0, at);
                add(NameOf(path), path, depth++);
            } else if (IsLeadAt(folder_.data(), folder_.size(), at)) {
                ++at;
            }
        }
    }
    SendMessage(box, CB_SETCURSEL, chosen, 0);
}

void FileDialog::FillList()
{
    items_.clear();
    if (folder_.empty()) {
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            if (DriveRoot(letter).empty())
                continue;
            char label[64];
            std::snprintf(label, sizeof(label), PlatformString(IDS_DRIVE_NAME).c_str(), letter);
            items_.push_back({std::string(1, letter) + ":", label, Kind::Drive});
        }
    } else {
        std::vector<Item> folders, files;
        WIN32_FIND_DATA found;
        HANDLE find = FindFirstFile(FileSelection::Join(folder_, "*").c_str(), &found);
        bool hidden = (ofn_.Flags & OFN_FORCESHOWHIDDEN) != 0;
        if (find != INVALID_HANDLE_VALUE) {
            do {
                std::string name = found.cFileName;
                if (name == "." || name == ".." || (!hidden && (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN)))
                    continue;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    folders.push_back({name, name, Kind::Folder});
                else if (filter_.Matches(name))
                    files.push_back({name, name, Kind::File});
            } while (folders.size() + files.size() < kListLimit && FindNextFile(find, &found));
            FindClose(find);
        }
        auto byName = [](const Item& a, const Item& b) { return LessNoCase(a.name, b.name); };
        std::sort(folders.begin(), folders.end(), byName);
        std::sort(files.begin(), files.end(), byName);
        items_ = std::move(folders);
        items_.insert(items_.end(), files.begin(), files.end());
    }
    SendMessage(list_, WM_SETREDRAW, FALSE, 0);
    SendMessage(list_, LVM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < items_.size(); ++i) {
        LVITEMA row = {LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM};
        row.iItem = (int)i;
        row.pszText = (LPSTR)items_[i].label.c_str();
        row.iImage = items_[i].kind == Kind::Drive ? 0 : items_[i].kind == Kind::Folder ? 1 : 2;
        row.lParam = (LPARAM)i;
        SendMessage(list_, LVM_INSERTITEMA, 0, (LPARAM)&row);
    }
    SendMessage(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
    EnableWindow(GetDlgItem(dlg_, IDC_FILE_UP), !folder_.empty());
}

std::vector<int> FileDialog::SelectedItems() const
{
    std::vector<int> out;
    for (int i = (int)SendMessage(list_, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED); i >= 0;
         i = (int)SendMessage(list_, LVM_GETNEXTITEM, (WPARAM)i, LVNI_SELECTED)) {
        out.push_back(i);
        if (!multi_ || out.size() > items_.size())
            break;
    }
    return out;
}

void FileDialog::OnListSelection()
{
    std::vector<std::string> files;
    for (int index : SelectedItems())
        if (index < (int)items_.size() && items_[index].kind == Kind::File)
            files.push_back(items_[index].name);
    if (!files.empty()) {
        std::string text;
        if (files.size() == 1) {
            text = files[0];
        } else {
            for (const std::string& f : files)
                text += (text.empty() ? "\"" : " \"") + f + "\"";
        }
        SetDlgItemText(dlg_, IDC_FILE_NAME, text.c_str());
    }
    Notify(CDN_SELCHANGE);
}

void FileDialog::OnListOpen()
{
    std::vector<int> selected = SelectedItems();
    int index = (int)SendMessage(list_, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_FOCUSED);
    if (!multi_ && !selected.empty())
        index = selected[0];
    if (index < 0 || index >= (int)items_.size())
        return;
    const Item& item = items_[index];
    if (item.kind == Kind::File) {
        if (OnOK())
            EndDialog(dlg_, IDOK);
        return;
    }
    ChangeFolder(item.kind == Kind::Drive ? item.name + "\\" : FileSelection::Join(folder_, item.name), true);
}

// A selection made or taken back fills the name box; a double click or Enter opens.
void FileDialog::OnListNotify(const NMHDR& hdr)
{
    if (hdr.code == LVN_ITEMCHANGED) {
        const auto& change = (const NMLISTVIEW&)hdr;
        UINT selected = (change.uNewState ^ change.uOldState) & LVIS_SELECTED;
        if (selected && ((change.uNewState & LVIS_SELECTED) || multi_))
            OnListSelection();
    } else if (hdr.code == NM_DBLCLK || hdr.code == NM_RETURN) {
        OnListOpen();
    }
}

void FileDialog::OnTypeChange()
{
    int index = (int)SendDlgItemMessage(dlg_, IDC_FILE_TYPES, CB_GETCURSEL, 0, 0);
    if (index < 0 || index >= (int)filter_.Entries().size())
        return;
    filter_.Use(filter_.Entries()[index].patterns);
    ofn_.nFilterIndex = (DWORD)index + 1;
    FillList();
    Notify(CDN_TYPECHANGE);
}

// --- messages

INT_PTR FileDialog::Handle(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_COMMAND: {
        int id = LOWORD(wParam), code = HIWORD(wParam);
        if (id == IDOK) {
            if (OnOK())
                EndDialog(dlg_, IDOK);
        } else if (id == IDCANCEL) {
            EndDialog(dlg_, IDCANCEL);
        } else if (id == IDC_FILE_FOLDERS && code == CBN_SELCHANGE) {
            int index = (int)SendDlgItemMessage(dlg_, IDC_FILE_FOLDERS, CB_GETCURSEL, 0, 0);
            if (index >= 0 && index < (int)folderBoxPaths_.size())
                ChangeFolder(folderBoxPaths_[index], true);
        } else if (id == IDC_FILE_TYPES && code == CBN_SELCHANGE) {
            OnTypeChange();
        } else if (id == IDC_FILE_UP && code == BN_CLICKED) {
            ChangeFolder(folder_.size() <= 3 ? std::string() : ParentOf(folder_), true);
        }
        return TRUE;
    }
    case WM_NOTIFY: {
        const auto* hdr = (const NMHDR*)lParam;
        if (!hdr || hdr->hwndFrom != list_)
            return FALSE;
        OnListNotify(*hdr);
        return TRUE;
    }
    }
    if (msg >= CDM_FIRST && msg <= CDM_LAST) {
        SetWindowLongPtr(dlg_, DWLP_MSGRESULT, Answer(msg, wParam, lParam));
        return TRUE;
    }
    return FALSE;
}

LRESULT FileDialog::Notify(UINT code)
{
    if (child_ == nullptr || !IsWindow(child_))
        return 0;
    OFNOTIFYA n = {};
    n.hdr.hwndFrom = dlg_;
    n.hdr.idFrom = 0;
    n.hdr.code = code;
    n.lpOFN = &ofn_;
    SetWindowLongPtr(child_, DWLP_MSGRESULT, 0);
    return SendMessage(child_, WM_NOTIFY, 0, (LPARAM)&n);
}

// CDM_ messages: text answers are copied into the caller's buffer (size in
// wParam) and return the size they need, NUL included.
LRESULT FileDialog::Answer(UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto give = [&](const std::string& text) -> LRESULT {
        if (lParam != 0 && wParam > 0) {
            size_t n = CutToCharBoundary(text.data(), text.size(), (size_t)wParam - 1);
            std::memcpy((char*)lParam, text.data(), n);
            ((char*)lParam)[n] = 0;
        }
        return (LRESULT)text.size() + 1;
    };
    switch (msg) {
    case CDM_GETSPEC:
        return give(ItemText(dlg_, IDC_FILE_NAME));
    case CDM_GETFILEPATH:
        return give(CurrentPath());
    case CDM_GETFOLDERPATH:
        return give(folder_);
    case CDM_SETCONTROLTEXT:
        SetDlgItemText(dlg_, (int)wParam, (LPCSTR)lParam);
        return 0;
    case CDM_HIDECONTROL:
        ShowWindow(GetDlgItem(dlg_, (int)wParam), SW_HIDE);
        return 0;
    case CDM_SETDEFEXT:
        defExt_ = lParam ? std::string((LPCSTR)lParam, strnlen((LPCSTR)lParam, 16)) : std::string();
        return 0;
    }
    return 0;
}

std::vector<std::string> FileDialog::NamesInEdit() const
{
    std::string text = ItemText(dlg_, IDC_FILE_NAME);
    std::vector<std::string> names;
    size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return names;
    if (text[first] != '"') {
        size_t last = text.find_last_not_of(' ');
        names.push_back(text.substr(first, last - first + 1));
        return names;
    }
    for (size_t at = first; at < text.size();) {
        size_t open = text.find('"', at);
        if (open == std::string::npos)
            break;
        size_t close = text.find('"', open + 1);
        if (close == std::string::npos)
            close = text.size();
        if (close > open + 1)
            names.push_back(text.substr(open + 1, close - open - 1));
        at = close + 1;
    }
    return names;
}

std::string FileDialog::CurrentPath() const
{
    std::vector<std::string> names = NamesInEdit();
    if (names.empty())
        return folder_;
    return IsAbsolute(names[0]) ? names[0] : FileSelection::Join(folder_, names[0]);
}

void FileDialog::Say(UINT stringId, const std::string& path, UINT type) const
{
    SayChoice(stringId, path, type);
}

int FileDialog::SayChoice(UINT stringId, const std::string& path, UINT type) const
{
    std::string format = PlatformString(stringId);
    std::vector<char> text(format.size() + path.size() + 16);
    std::snprintf(text.data(), text.size(), format.c_str(), path.c_str());
    return MessageBox(dlg_, text.data(), title_.c_str(), type);
}

// --- OK

bool FileDialog::OnOK()
{
    std::vector<std::string> names = NamesInEdit();
    std::vector<int> selected = SelectedItems();
    // Enter on a folder in the list opens it.
    if (GetFocus() == list_ && selected.size() == 1 && selected[0] < (int)items_.size() &&
        items_[selected[0]].kind != Kind::File) {
        OnListOpen();
        return false;
    }
    if (names.empty())
        return false;
    if (names.size() == 1) {
        const std::string& name = names[0];
        if (name.find_first_of("*?") != std::string::npos) {
            // A pattern typed as the name filters the list.
            filter_.Use(name);
            FillList();
            return false;
        }
        std::string path = IsAbsolute(name) ? FullPath(name) : FullPath(FileSelection::Join(folder_, name));
        if ((folder_.empty() && !IsAbsolute(name)) || path.size() >= kPathLimit) {
            Say(IDS_INVALID_NAME, name);
            return false;
        }
        if (IsFolder(path)) {
            SetDlgItemText(dlg_, IDC_FILE_NAME, "");
            ChangeFolder(path, true);
            return false;
        }
        std::string withExt = path;
        if (!HasExtension(NameOf(path))) {
            std::string ext = !defExt_.empty() ? defExt_ : std::string();
            if (!ext.empty() && (save_ || !Exists(path)))
                withExt = path + "." + ext;
        }
        std::vector<std::string> one = {NameOf(withExt)};
        std::string folder = ParentOf(withExt);
        if (!IsFolder(folder)) {
            Say(IDS_PATH_NOT_FOUND, folder);
            return false;
        }
        if (!save_ && (ofn_.Flags & OFN_FILEMUSTEXIST) && !Exists(withExt)) {
            Say(IDS_FILE_NOT_FOUND, NameOf(withExt));
            return false;
        }
        if (save_ && (ofn_.Flags & OFN_OVERWRITEPROMPT) && Exists(withExt) &&
            SayChoice(IDS_OVERWRITE_PROMPT, withExt, MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
            return false;
        folder_ = folder;
        return AcceptNames(one);
    }
    for (const std::string& n : names) {
        if (n.find('\\') != std::string::npos || n.find_first_of("*?") != std::string::npos) {
            Say(IDS_INVALID_NAME, n);
            return false;
        }
        if ((ofn_.Flags & OFN_FILEMUSTEXIST) && !Exists(FileSelection::Join(folder_, n))) {
            Say(IDS_FILE_NOT_FOUND, n);
            return false;
        }
    }
    return AcceptNames(names);
}

bool FileDialog::AcceptNames(const std::vector<std::string>& names)
{
    FileSelection selection(folder_, names);
    // The hook may refuse the names; it sees them through CDM_GETFILEPATH.
    if (Notify(CDN_FILEOK) != 0 || (child_ && GetWindowLongPtr(child_, DWLP_MSGRESULT) != 0))
        return false;
    DWORD error = selection.Write(ofn_);
    if (error != 0) {
        error_ = error;
        EndDialog(dlg_, kBufferTooSmall);
        return false;
    }
    ofn_.Flags &= ~(DWORD)(OFN_READONLY | OFN_EXTENSIONDIFFERENT);
    if (IsDlgButtonChecked(dlg_, IDC_FILE_READONLY) == BST_CHECKED)
        ofn_.Flags |= OFN_READONLY;
    std::string ext = ofn_.nFileExtension ? std::string(ofn_.lpstrFile + ofn_.nFileExtension) : std::string();
    if (!defExt_.empty() && AnsiCompareNoCase(ext.c_str(), defExt_.c_str()) != 0)
        ofn_.Flags |= OFN_EXTENSIONDIFFERENT;
    int type = (int)SendDlgItemMessage(dlg_, IDC_FILE_TYPES, CB_GETCURSEL, 0, 0);
    if (type >= 0)
        ofn_.nFilterIndex = (DWORD)type + 1;
    if (!(ofn_.Flags & OFN_NOCHANGEDIR))
        SetCurrentDirectory(folder_.c_str());
    return true;
}

}  // namespace mivo

BOOL GetOpenFileNameA(LPOPENFILENAMEA lpofn)
{
    if (lpofn == nullptr) {
        mivo::SetCommonDialogError(CDERR_INITIALIZATION);
        return FALSE;
    }
    return mivo::FileDialog(*lpofn, false).Run();
}

BOOL GetOpenFileName(LPOPENFILENAMEA lpofn)
{
    return GetOpenFileNameA(lpofn);
}

BOOL GetSaveFileNameA(LPOPENFILENAMEA lpofn)
{
    if (lpofn == nullptr) {
        mivo::SetCommonDialogError(CDERR_INITIALIZATION);
        return FALSE;
    }
    return mivo::FileDialog(*lpofn, true).Run();
}

BOOL GetSaveFileName(LPOPENFILENAMEA lpofn)
{
    return GetSaveFileNameA(lpofn);
}

short GetFileTitleA(LPCSTR lpszFile, LPSTR lpszTitle, WORD cchSize)
{
    if (lpszFile == nullptr || *lpszFile == 0)
        return -1;
    std::string path(lpszFile, strnlen(lpszFile, 0x8000));
    size_t cut = path.find_last_of("\\:/");
    std::string title = cut == std::string::npos ? path : path.substr(cut + 1);
    if (title.empty() || title.find_first_of("*?<>|\"") != std::string::npos)
        return -1;
    if (lpszTitle == nullptr || cchSize < title.size() + 1)
        return (short)std::min<size_t>(title.size() + 1, 0x7FFF);
    std::memcpy(lpszTitle, title.c_str(), title.size() + 1);
    return 0;
}

short GetFileTitle(LPCSTR lpszFile, LPSTR lpszTitle, WORD cchSize)
{
    return GetFileTitleA(lpszFile, lpszTitle, cchSize);
}
