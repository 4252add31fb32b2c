// The folder browser. Items carry their absolute lists; a branch is read from the namespace the
// first time it opens, so a large disk costs nothing until it is walked.
#include "dialogs/FolderBrowser.h"
#include "dialogs/CommonDialogs.h"
#include "res/resource.h"
#include "win32/input.h"
#include "win32/msgbox.h"
#include "win32/objbase.h"
#include "win32/user.h"
#include "win32/usersys.h"
#include "mivo/codepage.h"

#include <cstdio>
#include <cstring>

namespace mivo {

namespace {

// A caller's list carries no size: a walk longer than any list we make means it is damaged.
const size_t kListLimit = 65536;

USHORT IdSize(const BYTE* at)
{
    USHORT cb;
    memcpy(&cb, at, sizeof cb);
    return cb;
}

// The identifiers of a list without its terminator; empty for null.
std::vector<BYTE> ListBytes(LPCITEMIDLIST pidl)
{
    std::vector<BYTE> out;
    if (!pidl)
        return out;
    const BYTE* p = (const BYTE*)pidl;
    size_t pos = 0;
    for (USHORT cb; (cb = IdSize(p + pos)) >= 2 && pos + cb <= kListLimit; pos += cb)
        out.insert(out.end(), p + pos, p + pos + cb);
    return out;
}

std::vector<BYTE> WithTerminator(const std::vector<BYTE>& list)
{
    std::vector<BYTE> out = list;
    out.push_back(0);
    out.push_back(0);
    return out;
}

std::string StrRetText(STRRET& r, LPCITEMIDLIST pidl)
{
    switch (r.uType) {
    case STRRET_CSTR: return std::string(r.cStr, strnlen(r.cStr, sizeof r.cStr));
    case STRRET_WSTR: {
        std::string text = r.pOleStr ? Utf16ToAnsi(std::u16string((const char16_t*)r.pOleStr)) : std::string();
        CoTaskMemFree(r.pOleStr);
        r.pOleStr = nullptr;
        return text;
    }
    case STRRET_OFFSET: return pidl ? std::string((const char*)pidl + r.uOffset) : std::string();
    default: return std::string();
    }
}

int IconOf(const std::vector<BYTE>& list, bool open)
{
    std::vector<BYTE> whole = WithTerminator(list);
    SHFILEINFOA info = {};
    UINT flags = SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | (open ? SHGFI_OPENICON : 0);
    return SHGetFileInfo((LPCSTR)whole.data(), 0, &info, sizeof info, flags) ? info.iIcon : 0;
}

}  // namespace

FolderBrowser::FolderBrowser(BROWSEINFOA& bi) : bi_(bi) {}

FolderBrowser::~FolderBrowser()
{
    CoTaskMemFree(chosen_);
    if (desktop_)
        desktop_->Release();
}

LPITEMIDLIST FolderBrowser::Run()
{
    if (FAILED(SHGetDesktopFolder(&desktop_)))
        return nullptr;
    root_ = ListBytes(bi_.pidlRoot);
    std::vector<BYTE> root = WithTerminator(root_);
    SHFILEINFOA info = {};
    if (!SHGetFileInfo((LPCSTR)root.data(), 0, &info, sizeof info, SHGFI_PIDL | SHGFI_ATTRIBUTES) ||
        !(info.dwAttributes & SFGAO_FOLDER))
        return nullptr;  // a root that is no folder has nothing to browse
    INT_PTR result = RunPlatformDialog(IDD_FOLDER_BROWSER, bi_.hwndOwner, Procedure, (LPARAM)this);
    LPITEMIDLIST out = result == IDOK ? chosen_ : nullptr;
    if (out)
        chosen_ = nullptr;
    return out;
}

INT_PTR FolderBrowser::Handle(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK)
            OnOk();
        else if (LOWORD(wParam) == IDCANCEL)
            EndDialog(dlg_, IDCANCEL);
        return TRUE;
    case WM_NOTIFY:
        if (lParam)
            OnNotify(*(const NMHDR*)lParam);
        SetWindowLongPtr(dlg_, DWLP_MSGRESULT, 0);
        return TRUE;
    case BFFM_SETSTATUSTEXTA:
    case BFFM_ENABLEOK:
    case BFFM_SETSELECTIONA:
        SetWindowLongPtr(dlg_, DWLP_MSGRESULT, Answer(msg, wParam, lParam));
        return TRUE;
    }
    return FALSE;
}

LRESULT FolderBrowser::Answer(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case BFFM_SETSTATUSTEXTA:
        SetDlgItemText(dlg_, IDC_BROWSE_STATUS, lParam ? (LPCSTR)lParam : "");
        return 0;
    case BFFM_ENABLEOK: EnableWindow(GetDlgItem(dlg_, IDOK), lParam != 0); return 0;
    case BFFM_SETSELECTIONA:
        return wParam ? SelectPath((const char*)lParam) : SelectList((LPCITEMIDLIST)lParam);
    }
    return 0;
}

void FolderBrowser::OnInit()
{
    tree_ = GetDlgItem(dlg_, IDC_BROWSE_TREE);
    SetDlgItemText(dlg_, IDC_BROWSE_TITLE, bi_.lpszTitle ? bi_.lpszTitle : "");
    if (!(bi_.ulFlags & BIF_STATUSTEXT))
        ShowWindow(GetDlgItem(dlg_, IDC_BROWSE_STATUS), SW_HIDE);
    std::vector<BYTE> root = WithTerminator(root_);
    SHFILEINFOA info = {};
    DWORD_PTR images = SHGetFileInfo((LPCSTR)root.data(), 0, &info, sizeof info,
                                     SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    SendMessage(tree_, TVM_SETIMAGELIST, TVSIL_NORMAL, (LPARAM)images);
    if (InsertRoot()) {
        HTREEITEM top = (HTREEITEM)SendMessage(tree_, TVM_GETNEXTITEM, TVGN_ROOT, 0);
        Fill(top);
        SendMessage(tree_, TVM_EXPAND, TVE_EXPAND, (LPARAM)top);
        SendMessage(tree_, TVM_SELECTITEM, TVGN_CARET, (LPARAM)top);
    }
    SetFocus(tree_);
    ready_ = true;
    Tell(BFFM_INITIALIZED, 0);
    if (!toldSelection_)
        OnSelectionChanged((HTREEITEM)SendMessage(tree_, TVM_GETNEXTITEM, TVGN_CARET, 0));
}

bool FolderBrowser::InsertRoot()
{
    std::vector<BYTE> root = WithTerminator(root_);
    SHFILEINFOA info = {};
    SHGetFileInfo((LPCSTR)root.data(), 0, &info, sizeof info, SHGFI_PIDL | SHGFI_DISPLAYNAME);
    entries_.push_back(std::make_unique<Entry>());
    entries_.back()->list = root_;
    TVINSERTSTRUCTA ins = {};
    ins.hParent = TVI_ROOT;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
    ins.item.pszText = info.szDisplayName;
    ins.item.iImage = IconOf(root_, false);
    ins.item.iSelectedImage = IconOf(root_, true);
    ins.item.cChildren = 1;
    ins.item.lParam = (LPARAM)entries_.back().get();
    return SendMessage(tree_, TVM_INSERTITEM, 0, (LPARAM)&ins) != 0;
}

HTREEITEM FolderBrowser::InsertItem(HTREEITEM parent, IShellFolder* folder, LPCITEMIDLIST relative,
                                    const std::vector<BYTE>& parentList)
{
    auto entry = std::make_unique<Entry>();
    entry->list = parentList;
    std::vector<BYTE> own = ListBytes(relative);
    entry->list.insert(entry->list.end(), own.begin(), own.end());
    STRRET name = {};
    std::string text;
    if (SUCCEEDED(folder->GetDisplayNameOf(relative, SHGDN_INFOLDER, &name)))
        text = StrRetText(name, relative);
    SFGAOF attributes = SFGAO_FOLDER | SFGAO_HASSUBFOLDER;
    if (FAILED(folder->GetAttributesOf(1, &relative, &attributes)))
        attributes = 0;
    bool files = (bi_.ulFlags & BIF_BROWSEINCLUDEFILES) != 0;
    TVINSERTSTRUCTA ins = {};
    ins.hParent = parent;
    ins.hInsertAfter = TVI_LAST;  // the folder lists in its own order
    ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
    ins.item.pszText = (LPSTR)text.c_str();
    ins.item.iImage = IconOf(entry->list, false);
    ins.item.iSelectedImage = IconOf(entry->list, true);
    ins.item.cChildren = (attributes & (files ? SFGAO_FOLDER : SFGAO_HASSUBFOLDER)) ? 1 : 0;
    ins.item.lParam = (LPARAM)entry.get();
    entries_.push_back(std::move(entry));
    return (HTREEITEM)SendMessage(tree_, TVM_INSERTITEM, 0, (LPARAM)&ins);
}

void FolderBrowser::Fill(HTREEITEM item)
{
    Entry* entry = EntryOf(item);
    if (!entry || entry->filled)
        return;
    entry->filled = true;
    IShellFolder* folder = nullptr;
    if (entry->list.empty()) {
        folder = desktop_;
        folder->AddRef();
    } else {
        std::vector<BYTE> whole = WithTerminator(entry->list);
        if (FAILED(desktop_->BindToObject((LPCITEMIDLIST)whole.data(), nullptr, IID_IShellFolder, (void**)&folder)))
            return;
    }
    SHCONTF flags = SHCONTF_FOLDERS | ((bi_.ulFlags & BIF_BROWSEINCLUDEFILES) ? SHCONTF_NONFOLDERS : 0);
    IEnumIDList* children = nullptr;
    if (SUCCEEDED(folder->EnumObjects(dlg_, flags, &children)) && children) {
        std::vector<BYTE> parentList = entry->list;  // entries_ may grow while inserting
        LPITEMIDLIST child = nullptr;
        ULONG got = 0;
        while (children->Next(1, &child, &got) == S_OK && got == 1) {
            InsertItem(item, folder, child, parentList);
            CoTaskMemFree(child);
        }
        children->Release();
    }
    folder->Release();
}

void FolderBrowser::OnNotify(const NMHDR& hdr)
{
    if (hdr.hwndFrom != tree_)
        return;
    const auto& nm = (const NMTREEVIEWA&)hdr;
    if (hdr.code == TVN_ITEMEXPANDINGA && (nm.action & TVE_EXPAND))
        Fill(nm.itemNew.hItem);
    else if (hdr.code == TVN_SELCHANGEDA)
        OnSelectionChanged(nm.itemNew.hItem);
}

void FolderBrowser::OnSelectionChanged(HTREEITEM item)
{
    Entry* entry = EntryOf(item);
    if (!entry)
        return;
    std::vector<BYTE> whole = WithTerminator(entry->list);
    auto list = (LPCITEMIDLIST)whole.data();
    HWND ok = GetDlgItem(dlg_, IDOK);
    if (bi_.ulFlags & BIF_RETURNONLYFSDIRS) {
        char path[MAX_PATH];
        EnableWindow(ok, SHGetPathFromIDList(list, path));
    } else if (bi_.ulFlags & BIF_RETURNFSANCESTORS) {
        SHFILEINFOA info = {};
        SHGetFileInfo((LPCSTR)list, 0, &info, sizeof info, SHGFI_PIDL | SHGFI_ATTRIBUTES);
        EnableWindow(ok, (info.dwAttributes & (SFGAO_FILESYSANCESTOR | SFGAO_FILESYSTEM)) != 0);
    }
    if (!ready_)
        return;
    toldSelection_ = true;
    Tell(BFFM_SELCHANGED, (LPARAM)list);
}

void FolderBrowser::OnOk()
{
    if (!IsWindowEnabled(GetDlgItem(dlg_, IDOK)))
        return;  // Enter on a choice the browser refuses
    Entry* entry = EntryOf((HTREEITEM)SendMessage(tree_, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (!entry)
        return;
    std::vector<BYTE> whole = WithTerminator(entry->list);
    CoTaskMemFree(chosen_);
    chosen_ = (LPITEMIDLIST)CoTaskMemAlloc(whole.size());
    if (!chosen_)
        return;
    memcpy(chosen_, whole.data(), whole.size());
    SHFILEINFOA info = {};
    SHGetFileInfo((LPCSTR)chosen_, 0, &info, sizeof info, SHGFI_PIDL | SHGFI_DISPLAYNAME);
    if (bi_.pszDisplayName)
        snprintf(bi_.pszDisplayName, MAX_PATH, "%s", info.szDisplayName);
    bi_.iImage = IconOf(entry->list, false);
    EndDialog(dlg_, IDOK);
}

bool FolderBrowser::SelectPath(const char* path)
{
    if (!path || !*path)
        return false;
    std::u16string wide = AnsiToUtf16(path);
    LPITEMIDLIST pidl = nullptr;
    HRESULT hr = desktop_->ParseDisplayName(dlg_, nullptr, (LPOLESTR)wide.c_str(), nullptr, &pidl, nullptr);
    bool found = SUCCEEDED(hr) && SelectList(pidl);
    CoTaskMemFree(pidl);
    return found;
}

// Opens every branch from the root down to the item and selects it.
bool FolderBrowser::SelectList(LPCITEMIDLIST pidl)
{
    std::vector<BYTE> target = ListBytes(pidl);
    if (!pidl || target.size() < root_.size() ||
        (!root_.empty() && memcmp(target.data(), root_.data(), root_.size()) != 0))
        return false;
    HTREEITEM at = (HTREEITEM)SendMessage(tree_, TVM_GETNEXTITEM, TVGN_ROOT, 0);
    for (size_t pos = root_.size(); at && pos < target.size();) {
        size_t cb = IdSize(target.data() + pos);
        Fill(at);
        HTREEITEM found = nullptr;
        for (auto child = (HTREEITEM)SendMessage(tree_, TVM_GETNEXTITEM, TVGN_CHILD, (LPARAM)at); child && !found;
             child = (HTREEITEM)SendMessage(tree_, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)child)) {
            Entry* entry = EntryOf(child);
            if (entry && entry->list.size() == pos + cb && memcmp(entry->list.data() + pos, target.data() + pos, cb) == 0)
                found = child;
        }
        if (!found)
            return false;
        SendMessage(tree_, TVM_EXPAND, TVE_EXPAND, (LPARAM)at);
        at = found;
        pos += cb;
    }
    if (!at)
        return false;
    SendMessage(tree_, TVM_SELECTITEM, TVGN_CARET, (LPARAM)at);
    SendMessage(tree_, TVM_ENSUREVISIBLE, 0, (LPARAM)at);
    return true;
}

FolderBrowser::Entry* FolderBrowser::EntryOf(HTREEITEM item) const
{
    if (!item)
        return nullptr;
    TVITEMA tvi = {};
    tvi.mask = TVIF_PARAM;
    tvi.hItem = item;
    if (!SendMessage(tree_, TVM_GETITEMA, 0, (LPARAM)&tvi))
        return nullptr;
    return (Entry*)tvi.lParam;
}

int FolderBrowser::Tell(UINT msg, LPARAM lParam)
{
    return bi_.lpfn ? bi_.lpfn(dlg_, msg, lParam, bi_.lParam) : 0;
}

}  // namespace mivo

LPITEMIDLIST SHBrowseForFolder(LPBROWSEINFOA lpbi)
{
    if (!lpbi)
        return nullptr;
    mivo::FolderBrowser browser(*lpbi);
    return browser.Run();
}
