// One object of the shell namespace, read from (and written as) our own identifier bytes:
// the desktop, "My Computer", "Network", a drive, or a folder or file below a drive or the
// home folder.
#pragma once

#include "win32/shlobj.h"

#include <string>
#include <vector>

namespace mivo {

class ShellItem {
public:
    enum class Kind { Desktop, Computer, Network, Drive, Folder, File };

    // The item of an absolute identifier list; false for a damaged or foreign list, or a
    // file-system item that no longer exists.
    static bool FromIdList(LPCITEMIDLIST pidl, ShellItem& out);
    static ShellItem Desktop();

    Kind kind() const { return kind_; }
    bool IsVirtual() const { return kind_ == Kind::Desktop || kind_ == Kind::Computer || kind_ == Kind::Network; }
    bool IsFolder() const { return kind_ != Kind::File; }
    const std::string& WindowsPath() const { return windowsPath_; }  // empty for virtual items
    const std::string& PosixPath() const { return posixPath_; }
    const std::string& Name() const { return name_; }  // last name on disk (CP949)

    // The children's identifiers (one each), folders and files as asked, sorted.
    std::vector<std::vector<BYTE>> ChildIds(SHCONTF flags) const;
    // The child's item when `id` is one identifier of this folder.
    bool Child(LPCSHITEMID id, ShellItem& out) const;
    // The child named `name` (exact, else ignoring ASCII case) with its identifier.
    bool ChildNamed(const std::string& name, ShellItem& out, std::vector<BYTE>& id) const;

    SFGAOF Attributes(SFGAOF asked) const;
    std::string DisplayName(SHGDNF flags) const;
    std::string TypeName() const;
    int IconIndex(bool open) const;
    // The absolute identifier list of this item (bytes, terminator included).
    std::vector<BYTE> IdList() const;

    // Sort rank of a kind: virtual folders, drives, folders, files.
    int Rank() const;

private:
    Kind kind_ = Kind::Desktop;
    std::string windowsPath_;
    std::string posixPath_;
    std::string name_;
    std::vector<BYTE> ids_;  // absolute list without terminator
    bool underHome_ = false;
};

// Indices in the system image lists.
enum SystemIcon { kIconDesktop, kIconComputer, kIconDrive, kIconNetwork, kIconFolder, kIconOpenFolder, kIconFile, kIconPicture, kSystemIconCount };

// The system image list of small (16) or large (32) icons, in the order of SystemIcon.
DWORD_PTR SystemImageList(bool small);

// Helpers on identifier lists of any origin; damaged lists count as ended where they break.
size_t IdListSize(LPCITEMIDLIST pidl);
// The order of two lists relative to one folder, level by level: virtual folders, drives,
// folders, files; then names ignoring case. Negative, 0 or positive.
int CompareIdLists(LPCITEMIDLIST a, LPCITEMIDLIST b);  // terminator included; 0 for null
LPITEMIDLIST CopyIdList(const BYTE* bytes, size_t size);  // from the shell allocator
LPITEMIDLIST AllocIdList(const std::vector<BYTE>& withoutTerminator);

}  // namespace mivo
