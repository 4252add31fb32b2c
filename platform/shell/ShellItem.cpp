#include "ShellItem.h"

#include "win32.h"
#include "mivo/codepage.h"
#include "mivo/paths.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace mivo {

namespace {

// Our identifiers: cb (2 bytes), a mark, a kind, then the payload.
const BYTE kMark = 'M';
const BYTE kComputerId = 'c';
const BYTE kNetworkId = 'n';
const BYTE kDriveId = 'd';
const BYTE kFolderId = 'f';
const BYTE kFileId = 'F';
const size_t kMaxName = 255;

std::vector<BYTE> MakeId(BYTE kind, const std::string& payload)
{
    size_t cb = 4 + payload.size() + (kind == kFolderId || kind == kFileId ? 1 : 0);
    std::vector<BYTE> id(cb, 0);
    id[0] = (BYTE)cb;
    id[1] = (BYTE)(cb >> 8);
    id[2] = kMark;
    id[3] = kind;
    memcpy(id.data() + 4, payload.data(), payload.size());
    return id;
}

// The kind and payload of one identifier of ours; false for anything else.
bool ReadId(LPCSHITEMID id, BYTE& kind, std::string& payload)
{
    if (!id || id->cb < 4 || id->abID[0] != kMark)
        return false;
    kind = id->abID[1];
    const char* p = (const char*)id->abID + 2;
    size_t n = id->cb - 4;
    if (kind == kFolderId || kind == kFileId) {
        size_t len = strnlen(p, n);
        if (len == 0 || len == n || len > kMaxName)  // a name must be there and end inside
            return false;
        payload.assign(p, len);
        if (payload == "." || payload == ".." || payload.find('\\') != std::string::npos ||
            payload.find('/') != std::string::npos)
            return false;
        return true;
    }
    if (kind == kDriveId) {
        if (n != 1 || !isalpha((unsigned char)p[0]))
            return false;
        payload.assign(1, (char)toupper((unsigned char)p[0]));
        return true;
    }
    payload.clear();
    return (kind == kComputerId || kind == kNetworkId) && n == 0;
}

std::string HomePosix()
{
    const char* home = getenv("HOME");
    return home && *home == '/' ? std::string(home) : std::string("/");
}

std::string JoinWindows(const std::string& base, const std::string& name)
{
    return base.empty() || base.back() == '\\' ? base + name : base + "\\" + name;
}

std::string JoinPosix(const std::string& base, const std::string& name)
{
    return base.empty() || base.back() == '/' ? base + name : base + "/" + name;
}

bool IsDirectory(const std::string& posix)
{
    struct stat st;
    return stat(posix.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool Exists(const std::string& posix)
{
    struct stat st;
    return stat(posix.c_str(), &st) == 0;
}

std::string DriveRootOf(char letter)
{
    std::string root = DriveRoot(letter);
    if (root.empty() && letter == 'C')
        root = "/";
    return root;
}

struct Entry {
    std::string name;  // CP949
    bool folder;
};

// The entries of a folder that have a CP949 name.
std::vector<Entry> ListFolder(const std::string& posix)
{
    std::vector<Entry> out;
    DIR* dir = opendir(posix.c_str());
    if (!dir)
        return out;
    while (dirent* e = readdir(dir)) {
        if (strcmp(e->d_name, ".") == 0 || strcmp(e->d_name, "..") == 0)
            continue;
        std::string ansi;
        if (!Utf8ToAnsi(e->d_name, ansi) || ansi.empty() || ansi.size() > kMaxName)
            continue;
        out.push_back(Entry{ansi, IsDirectory(JoinPosix(posix, e->d_name))});
    }
    closedir(dir);
    return out;
}

bool AsciiEqualNoCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && AnsiCompareNoCase(a.c_str(), b.c_str()) == 0;
}

const char kComputerName[] = "내 컴퓨터";
const char kNetworkName[] = "네트워크 환경";
const char kDesktopName[] = "바탕 화면";
const char kComputerParse[] = "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
const char kNetworkParse[] = "::{208D2C60-3AEA-1069-A2D7-08002B30309D}";

bool IsPictureName(const std::string& name)
{
    size_t dot = name.rfind('.');
    if (dot == std::string::npos)
        return false;
    std::string ext = name.substr(dot + 1);
    for (char& c : ext)
        c = (char)tolower((unsigned char)c);
    return ext == "jpg" || ext == "jpeg" || ext == "bmp" || ext == "gif" || ext == "png";
}

}  // namespace

ShellItem ShellItem::Desktop()
{
    ShellItem d;
    d.kind_ = Kind::Desktop;
    d.posixPath_ = HomePosix();
    if (!FromPosixPath(d.posixPath_, d.windowsPath_))
        d.windowsPath_ = "C:\\";
    return d;
}

bool ShellItem::FromIdList(LPCITEMIDLIST pidl, ShellItem& out)
{
    out = Desktop();
    if (!pidl)
        return false;
    const BYTE* p = (const BYTE*)pidl;
    size_t total = IdListSize(pidl);
    size_t pos = 0;
    while (pos + 2 <= total) {
        auto* id = (LPCSHITEMID)(p + pos);
        if (id->cb == 0)
            return true;
        BYTE kind;
        std::string payload;
        if (!ReadId(id, kind, payload))
            return false;
        ShellItem next = out;
        next.ids_.insert(next.ids_.end(), p + pos, p + pos + id->cb);
        next.name_ = payload;
        if (kind == kComputerId && out.kind_ == Kind::Desktop) {
            next.kind_ = Kind::Computer;
            next.windowsPath_.clear();
            next.posixPath_.clear();
        } else if (kind == kNetworkId && out.kind_ == Kind::Desktop) {
            next.kind_ = Kind::Network;
            next.windowsPath_.clear();
            next.posixPath_.clear();
        } else if (kind == kDriveId && out.kind_ == Kind::Computer) {
            next.kind_ = Kind::Drive;
            next.windowsPath_ = payload + ":\\";
            next.posixPath_ = DriveRootOf(payload[0]);
            if (next.posixPath_.empty())
                return false;
        } else if ((kind == kFolderId || kind == kFileId) &&
                   (out.kind_ == Kind::Desktop || out.kind_ == Kind::Drive || out.kind_ == Kind::Folder)) {
            next.underHome_ = out.kind_ == Kind::Desktop || out.underHome_;
            std::string utf8;
            if (!AnsiToUtf8(payload, utf8))
                return false;
            next.posixPath_ = JoinPosix(out.posixPath_, utf8);
            next.windowsPath_ = JoinWindows(out.windowsPath_, payload);
            if (!Exists(next.posixPath_))
                return false;
            next.kind_ = IsDirectory(next.posixPath_) ? Kind::Folder : Kind::File;
        } else {
            return false;
        }
        out = next;
        pos += id->cb;
    }
    return false;  // no terminator inside the list
}

std::vector<std::vector<BYTE>> ShellItem::ChildIds(SHCONTF flags) const
{
    std::vector<std::vector<BYTE>> out;
    bool folders = (flags & SHCONTF_FOLDERS) != 0;
    bool files = (flags & SHCONTF_NONFOLDERS) != 0;
    bool hidden = (flags & SHCONTF_INCLUDEHIDDEN) != 0;
    switch (kind_) {
    case Kind::Network:
    case Kind::File:
        return out;
    case Kind::Computer:
        if (folders)
            for (char letter = 'A'; letter <= 'Z'; ++letter)
                if (!DriveRootOf(letter).empty())
                    out.push_back(MakeId(kDriveId, std::string(1, letter)));
        return out;
    case Kind::Desktop:
        if (folders) {
            out.push_back(MakeId(kComputerId, ""));
            out.push_back(MakeId(kNetworkId, ""));
        }
        break;
    default:
        break;
    }
    std::vector<Entry> entries = ListFolder(posixPath_);
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        if (a.folder != b.folder)
            return a.folder;
        int c = AnsiCompareNoCase(a.name.c_str(), b.name.c_str());
        return c != 0 ? c < 0 : a.name < b.name;
    });
    for (const Entry& e : entries) {
        if ((e.folder && !folders) || (!e.folder && !files) || (e.name[0] == '.' && !hidden))
            continue;
        out.push_back(MakeId(e.folder ? kFolderId : kFileId, e.name));
    }
    return out;
}

bool ShellItem::Child(LPCSHITEMID id, ShellItem& out) const
{
    if (!id || id->cb < 2)
        return false;
    std::vector<BYTE> list = IdList();
    list.insert(list.end() - 2, (const BYTE*)id, (const BYTE*)id + id->cb);
    return FromIdList((LPCITEMIDLIST)list.data(), out);
}

bool ShellItem::ChildNamed(const std::string& name, ShellItem& out, std::vector<BYTE>& id) const
{
    if (name.empty())
        return false;
    if (kind_ == Kind::Desktop) {
        if (name == kComputerParse || name == kNetworkParse) {
            id = MakeId(name == kComputerParse ? kComputerId : kNetworkId, "");
            return Child((LPCSHITEMID)id.data(), out);
        }
    }
    if (kind_ == Kind::Computer) {
        // "C:", "C:\" or "c:" name a drive.
        if ((name.size() == 2 || (name.size() == 3 && name[2] == '\\')) && name[1] == ':' &&
            isalpha((unsigned char)name[0])) {
            id = MakeId(kDriveId, std::string(1, (char)toupper((unsigned char)name[0])));
            return Child((LPCSHITEMID)id.data(), out);
        }
        return false;
    }
    if (kind_ != Kind::Desktop && kind_ != Kind::Drive && kind_ != Kind::Folder)
        return false;
    std::vector<Entry> entries = ListFolder(posixPath_);
    const Entry* match = nullptr;
    for (const Entry& e : entries)
        if (e.name == name)
            match = &e;
    for (const Entry& e : entries)
        if (!match && AsciiEqualNoCase(e.name, name))
            match = &e;
    if (!match)
        return false;
    id = MakeId(match->folder ? kFolderId : kFileId, match->name);
    return Child((LPCSHITEMID)id.data(), out);
}

SFGAOF ShellItem::Attributes(SFGAOF asked) const
{
    SFGAOF a = 0;
    switch (kind_) {
    case Kind::Desktop: a = SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_FILESYSANCESTOR; break;
    case Kind::Computer: a = SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_FILESYSANCESTOR; break;
    case Kind::Network: a = SFGAO_FOLDER | SFGAO_FILESYSANCESTOR; break;  // nothing to browse here
    case Kind::Drive:
    case Kind::Folder:
        a = SFGAO_FOLDER | SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR;
        if (asked & SFGAO_HASSUBFOLDER) {
            for (const Entry& e : ListFolder(posixPath_))
                if (e.folder && e.name[0] != '.') {
                    a |= SFGAO_HASSUBFOLDER;
                    break;
                }
        }
        break;
    case Kind::File: a = SFGAO_FILESYSTEM | SFGAO_CANCOPY | SFGAO_CANMOVE | SFGAO_CANDELETE; break;
    }
    if ((kind_ == Kind::Folder || kind_ == Kind::File) && !name_.empty() && name_[0] == '.')
        a |= SFGAO_HIDDEN;
    return a & asked;
}

std::string ShellItem::DisplayName(SHGDNF flags) const
{
    bool parsing = (flags & SHGDN_FORPARSING) != 0;
    bool inFolder = (flags & SHGDN_INFOLDER) != 0;
    switch (kind_) {
    case Kind::Desktop: return parsing ? windowsPath_ : kDesktopName;
    case Kind::Computer: return parsing ? kComputerParse : kComputerName;
    case Kind::Network: return parsing ? kNetworkParse : kNetworkName;
    case Kind::Drive: return parsing ? windowsPath_ : "로컬 디스크 (" + windowsPath_.substr(0, 2) + ")";
    default: return parsing && !inFolder ? windowsPath_ : name_;
    }
}

std::string ShellItem::TypeName() const
{
    switch (kind_) {
    case Kind::Desktop:
    case Kind::Computer:
    case Kind::Network: return "시스템 폴더";
    case Kind::Drive: return "로컬 디스크";
    case Kind::Folder: return "파일 폴더";
    default: break;
    }
    size_t dot = name_.rfind('.');
    if (dot == std::string::npos || dot + 1 == name_.size())
        return "파일";
    std::string ext = name_.substr(dot + 1);
    AnsiUpper(&ext[0], ext.size());
    if (ext == "JPG" || ext == "JPEG")
        return "JPEG 이미지";
    return ext + " 파일";
}

int ShellItem::IconIndex(bool open) const
{
    switch (kind_) {
    case Kind::Desktop: return kIconDesktop;
    case Kind::Computer: return kIconComputer;
    case Kind::Network: return kIconNetwork;
    case Kind::Drive: return kIconDrive;
    case Kind::Folder: return open ? kIconOpenFolder : kIconFolder;
    default: return IsPictureName(name_) ? kIconPicture : kIconFile;
    }
}

std::vector<BYTE> ShellItem::IdList() const
{
    std::vector<BYTE> list = ids_;
    list.push_back(0);
    list.push_back(0);
    return list;
}

int ShellItem::Rank() const
{
    switch (kind_) {
    case Kind::Computer: return 0;
    case Kind::Network: return 1;
    case Kind::Drive: return 2;
    case Kind::Folder: return 3;
    default: return 4;
    }
}

int CompareIdLists(LPCITEMIDLIST a, LPCITEMIDLIST b)
{
    auto rank = [](BYTE kind) {
        return kind == kComputerId ? 0 : kind == kNetworkId ? 1 : kind == kDriveId ? 2 : kind == kFolderId ? 3 : 4;
    };
    const BYTE* pa = (const BYTE*)a;
    const BYTE* pb = (const BYTE*)b;
    size_t sa = IdListSize(a), sb = IdListSize(b);
    size_t ia = 0, ib = 0;
    for (;;) {
        bool endA = ia + 2 > sa || ((LPCSHITEMID)(pa + ia))->cb < 2;
        bool endB = ib + 2 > sb || ((LPCSHITEMID)(pb + ib))->cb < 2;
        if (endA || endB)
            return endA == endB ? 0 : endA ? -1 : 1;
        auto* x = (LPCSHITEMID)(pa + ia);
        auto* y = (LPCSHITEMID)(pb + ib);
        BYTE kx = 0, ky = 0;
        std::string nx, ny;
        bool okx = ReadId(x, kx, nx), oky = ReadId(y, ky, ny);
        if (okx != oky)
            return okx ? -1 : 1;
        int c = 0;
        if (okx) {
            c = rank(kx) - rank(ky);
            if (c == 0)
                c = AnsiCompareNoCase(nx.c_str(), ny.c_str());
            if (c == 0)
                c = nx.compare(ny);
        } else {
            c = memcmp(x, y, x->cb < y->cb ? x->cb : y->cb);
            if (c == 0)
                c = (int)x->cb - (int)y->cb;
        }
        if (c != 0)
            return c < 0 ? -1 : 1;
        ia += x->cb;
        ib += y->cb;
    }
}

size_t IdListSize(LPCITEMIDLIST pidl)
{
    if (!pidl)
        return 0;
    const BYTE* p = (const BYTE*)pidl;
    size_t pos = 0;
    for (;;) {
        USHORT cb;
        memcpy(&cb, p + pos, sizeof cb);
        if (cb == 0)
            return pos + 2;
        if (cb < 2)  // a damaged identifier ends the list
            return pos + 2;
        pos += cb;
    }
}

LPITEMIDLIST CopyIdList(const BYTE* bytes, size_t size)
{
    auto* copy = (BYTE*)CoTaskMemAlloc(size < 2 ? 2 : size);
    if (!copy)
        return nullptr;
    if (size >= 2)
        memcpy(copy, bytes, size);
    else
        copy[0] = copy[1] = 0;
    copy[(size < 2 ? 2 : size) - 2] = 0;
    copy[(size < 2 ? 2 : size) - 1] = 0;
    return (LPITEMIDLIST)copy;
}

LPITEMIDLIST AllocIdList(const std::vector<BYTE>& withoutTerminator)
{
    std::vector<BYTE> list = withoutTerminator;
    list.push_back(0);
    list.push_back(0);
    return CopyIdList(list.data(), list.size());
}

}  // namespace mivo
