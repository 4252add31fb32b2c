#include "controls/ShellTreeNode.h"
#include "controls/ShellFunctions.h"
#include "controls/ShellGlobals.h"
#include "controls/TreeItemInserter.h"

#include <cstring>
#include <memory>

namespace {

const SFGAOF kAskedAttributes = SFGAO_HASSUBFOLDER | SFGAO_FILESYSTEM | SFGAO_FOLDER | SFGAO_FILESYSANCESTOR;

// The absolute list of a child: the parent's identifiers followed by the child's.
ITEMIDLIST* JoinLists(const ITEMIDLIST* parent, const ITEMIDLIST* relative)
{
    unsigned head = parent ? SHGetIDLSize(parent) - 2 : 0;
    unsigned tail = SHGetIDLSize(relative);
    auto joined = (BYTE*)ShellGlobals::Instance().Alloc(head + tail);
    if (!joined)
        return nullptr;
    if (head)
        memcpy(joined, parent, head);
    memcpy(joined + head, relative, tail - 2);
    memset(joined + head + tail - 2, 0, 2);
    return (ITEMIDLIST*)joined;
}

}  // namespace

ShellTreeNode::ShellTreeNode()
{
    m_info.iIcon = m_openInfo.iIcon = -1;
    m_absolute = ShellGlobals::Instance().GetSpecialFolderPIDL(CSIDL_DESKTOP);
    if (!m_absolute || FAILED(SHGetDesktopFolder(&m_folder))) {
        m_error = "Canot obtain DESKTOP's namespace PIDL";
        if (m_absolute)
            SHFree1(m_absolute);
        AfxThrowResourceException();
    }
    m_folder->QueryInterface(IID_IShellIcon, (void**)&m_icon);
    m_name = NameOf(m_folder, m_absolute, SHGDN_INFOLDER);
    m_path = NameOf(m_folder, m_absolute, SHGDN_FORPARSING);
}

ShellTreeNode::ShellTreeNode(ShellTreeNode* parent, ITEMIDLIST* relative, DWORD flags, unsigned level,
                             unsigned depth)
    : m_parent(parent), m_relative(relative), m_flags(flags), m_level(level), m_depth(depth)
{
    m_info.iIcon = m_openInfo.iIcon = -1;
    m_absolute = JoinLists(parent ? parent->m_absolute : nullptr, relative);
    if (!m_absolute) {
        SHFree1(m_relative);
        AfxThrowMemoryException();
    }
}

ShellTreeNode::~ShellTreeNode()
{
    DeleteChildren();
    if (m_icon)
        m_icon->Release();
    if (m_folder)
        m_folder->Release();
    if (m_relative)
        SHFree1(m_relative);
    if (m_absolute)
        SHFree1(m_absolute);
}

void ShellTreeNode::InsertInto(TreeItemInserter& inserter)
{
    inserter.Insert(this);
}

void ShellTreeNode::DeleteChildren()
{
    m_children.clear();
}

IShellFolder* ShellTreeNode::ParentFolder() const
{
    return m_parent ? m_parent->m_folder : nullptr;
}

bool ShellTreeNode::BindFolder()
{
    if (m_folder)
        return true;
    IShellFolder* parent = ParentFolder();
    if (!parent || FAILED(parent->BindToObject(m_relative, nullptr, IID_IShellFolder, (void**)&m_folder))) {
        m_folder = nullptr;
        return false;
    }
    if (FAILED(m_folder->QueryInterface(IID_IShellIcon, (void**)&m_icon)))
        m_icon = nullptr;
    return true;
}

void ShellTreeNode::Fill()
{
    if (m_depth == 0)
        return;
    DeleteChildren();
    if (!BindFolder())
        return;
    SHCONTF what = SHCONTF_FOLDERS | SHCONTF_INCLUDEHIDDEN | ((m_flags & kNodeWithFiles) ? SHCONTF_NONFOLDERS : 0);
    IEnumIDList* items = nullptr;
    if (FAILED(m_folder->EnumObjects(nullptr, what, &items)) || !items)
        return;
    LPITEMIDLIST relative = nullptr;
    ULONG fetched = 0;
    while (items->Next(1, &relative, &fetched) == S_OK && fetched == 1) {
        SFGAOF attributes = kAskedAttributes;
        if (FAILED(m_folder->GetAttributesOf(1, (LPCITEMIDLIST*)&relative, &attributes)))
            attributes = 0;
        if ((m_flags & kNodeFileSystemOnly) && !(attributes & (SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR))) {
            SHFree1(relative);
            continue;
        }
        AddChild(relative, attributes);
    }
    if (m_children.empty())
        m_flags &= ~kNodeHasChildren;
    items->Release();
}

void ShellTreeNode::AddChild(ITEMIDLIST* relative, SFGAOF attributes)
{
    m_flags |= kNodeHasChildren;
    std::unique_ptr<ShellTreeNode> owned(new ShellTreeNode(this, relative, m_flags & ~kNodeHasChildren, m_level + 1,
                                                           m_depth > 0 ? m_depth - 1 : 0));
    ShellTreeNode* child = owned.get();
    child->m_name = NameOf(m_folder, relative, SHGDN_INFOLDER);
    child->m_path = NameOf(m_folder, relative, SHGDN_FORPARSING);
    bool folderOnDisk = (attributes & SFGAO_FILESYSTEM) && (attributes & SFGAO_FOLDER);
    if ((attributes & (SFGAO_HASSUBFOLDER | SFGAO_FILESYSANCESTOR)) ||
        ((m_flags & kNodeWithFiles) && folderOnDisk && FolderListsAnything(relative)))
        child->m_flags |= kNodeHasChildren;
    m_children.push_back(std::move(owned));
    if (child->m_depth != 0)
        child->Fill();
}

// Whether a child folder holds anything at all; looks at one object only.
bool ShellTreeNode::FolderListsAnything(const ITEMIDLIST* relative) const
{
    IShellFolder* folder = nullptr;
    if (FAILED(m_folder->BindToObject(relative, nullptr, IID_IShellFolder, (void**)&folder)) || !folder)
        return false;
    IEnumIDList* items = nullptr;
    bool any = false;
    if (SUCCEEDED(folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, &items)) &&
        items) {
        LPITEMIDLIST first = nullptr;
        ULONG fetched = 0;
        any = items->Next(1, &first, &fetched) == S_OK && fetched == 1;
        if (any)
            SHFree1(first);
        items->Release();
    }
    folder->Release();
    return any;
}

CString ShellTreeNode::NameOf(IShellFolder* folder, const ITEMIDLIST* pidl, SHGDNF flags)
{
    STRRET name = {};
    if (FAILED(folder->GetDisplayNameOf(pidl, flags, &name)))
        return CString();
    switch (name.uType) {
    case STRRET_WSTR: {
        char text[kShellPathMax * 2] = "";
        WideCharToMultiByte(CP_OEMCP, 0, name.pOleStr, -1, text, (int)sizeof text - 1, nullptr, nullptr);
        SHFree1(name.pOleStr);
        return CString(text);
    }
    case STRRET_OFFSET: {
        // The text lies inside the first identifier; it may not reach past it.
        unsigned size = pidl ? pidl->mkid.cb : 0;
        if (name.uOffset >= size)
            return CString();
        const char* text = (const char*)pidl + name.uOffset;
        return CString(text, (int)strnlen(text, size - name.uOffset));
    }
    case STRRET_CSTR: return CString(name.cStr, (int)strnlen(name.cStr, sizeof name.cStr));
    default: m_error = "Cannot parse STRRET"; return CString();
    }
}

ITreeNode* ShellTreeNode::FindByIDL(const ITEMIDLIST* pidl)
{
    if (!pidl)
        return this;
    if (m_children.empty() && !IsFilled()) {
        SetDepth(1);
        Fill();
    }
    if (pidl->mkid.cb < 2)
        return this;
    const ITEMIDLIST* cursor = pidl;
    ITreeNode* child = FindChildByID(cursor);
    return child ? child->FindByIDL(cursor) : nullptr;
}

ITreeNode* ShellTreeNode::FindChildByID(const ITEMIDLIST*& cursor)
{
    if (!cursor || cursor->mkid.cb < 2)
        return nullptr;
    for (const auto& child : m_children)
        if (child->IsEqualID(cursor)) {
            cursor = (const ITEMIDLIST*)((const BYTE*)cursor + cursor->mkid.cb);
            return child.get();
        }
    return nullptr;
}

ITreeNode* ShellTreeNode::FindByPath(const char* path, unsigned level)
{
    if (!path || !*path)
        return this;
    if (m_children.empty() && !IsFilled()) {
        SetDepth(1);
        Fill();
    }
    ITreeNode* child = FindChildByPath(path, level);
    if (!child)
        return SHGetChildrenN(path) + 1 == level ? this : nullptr;
    return child->FindByPath(path, level + 1);
}

namespace {

void EndWithSeparator(CString& text)
{
    if (text.IsEmpty() || (text.Right(1) != "\\" && text.Right(1) != "/"))
        text += '\\';
}

}  // namespace

// Paths compare ignoring case as on Windows, but names on disk may differ only in case here:
// an exact match wins over the first one ignoring case.
ITreeNode* ShellTreeNode::FindChildByPath(const char* path, unsigned level)
{
    char head[kShellPathMax];
    bool net = false;
    SHGetChildPath(path, head, net, level);
    CString prefix(head);
    EndWithSeparator(prefix);
    bool unc = SHIsNetPath(path);
    ITreeNode* loose = nullptr;
    for (const auto& owned : m_children) {
        ITreeNode* child = owned.get();
        CString candidate(child->GetPath());
        if (unc && candidate.IsEmpty())
            candidate = CString("\\\\") + child->GetName();
        EndWithSeparator(candidate);
        if (candidate == prefix)
            return child;
        if (!loose && candidate.CompareNoCase(prefix) == 0)
            loose = child;
    }
    return loose;
}

ITreeNode* ShellTreeNode::GetChild(int index) const
{
    return index >= 0 && index < (int)m_children.size() ? m_children[(size_t)index].get() : nullptr;
}

bool ShellTreeNode::IsFolder() const
{
    IShellFolder* parent = ParentFolder();
    if (!parent)
        return HasChildren();
    SFGAOF attributes = SFGAO_FOLDER | SFGAO_HASSUBFOLDER;
    if (SUCCEEDED(parent->GetAttributesOf(1, (LPCITEMIDLIST*)&m_relative, &attributes)) &&
        (attributes & (SFGAO_FOLDER | SFGAO_HASSUBFOLDER)))
        return true;
    return HasChildren();
}

bool ShellTreeNode::IsFileSystem() const
{
    IShellFolder* parent = ParentFolder();
    if (!parent)
        return false;
    SFGAOF attributes = SFGAO_FILESYSTEM;
    return SUCCEEDED(parent->GetAttributesOf(1, (LPCITEMIDLIST*)&m_relative, &attributes)) &&
           (attributes & SFGAO_FILESYSTEM);
}

bool ShellTreeNode::IsNetworkRoot() const
{
    return IsEqualIDL(ShellGlobals::Instance().GetNetworkPIDL());
}

bool ShellTreeNode::IsInNetwork() const
{
    return SHIsSubIDL(ShellGlobals::Instance().GetNetworkPIDL(), m_absolute);
}

bool ShellTreeNode::IsEqualIDL(const ITEMIDLIST* pidl) const
{
    if (!pidl || !m_absolute)
        return false;
    unsigned size = SHGetIDLSize(m_absolute);
    return SHGetIDLSize(pidl) == size && memcmp(pidl, m_absolute, size) == 0;
}

bool ShellTreeNode::IsEqualID(const ITEMIDLIST* pidl) const
{
    return pidl && m_relative && SHCompareID(m_relative->mkid, pidl->mkid);
}

void ShellTreeNode::LoadIcon(SHFILEINFO& info, bool open)
{
    if (info.iIcon != -1)
        return;
    UINT flags = SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | (open ? SHGFI_OPENICON : 0);
    if (!SHGetFileInfo((LPCSTR)m_absolute, 0, &info, sizeof info, flags))
        info.iIcon = 0;
    if (info.iIcon < 0)
        info.iIcon = 0;
}

const SHFILEINFO* ShellTreeNode::GetFileInfo()
{
    LoadIcon(m_info, false);
    return &m_info;
}

const SHFILEINFO* ShellTreeNode::GetOpenFileInfo()
{
    LoadIcon(m_openInfo, true);
    return &m_openInfo;
}

const char* ShellTreeNode::GetDebugText()
{
    const SHFILEINFO* normal = GetFileInfo();
    const SHFILEINFO* open = GetOpenFileInfo();
    auto bit = [](DWORD attributes, DWORD mask) { return (attributes & mask) ? 1 : 0; };
    m_debug.Format("[IId=%d;Sys=%d;Reg=%d;Sync=%d] [IId=%d;Sys=%d;Reg=%d;Sync=%d] %s", normal->iIcon,
                   bit(normal->dwAttributes, 0x1), bit(normal->dwAttributes, 0x4), bit(normal->dwAttributes, 0x2),
                   open->iIcon, bit(open->dwAttributes, 0x1), bit(open->dwAttributes, 0x4),
                   bit(open->dwAttributes, 0x2), (const char*)m_name);
    return m_debug;
}

int ShellTreeNode::Compare(ITreeNode* other)
{
    IShellFolder* parent = ParentFolder();
    if (!parent || !other)
        return 0;
    HRESULT result = parent->CompareIDs(0, m_relative, other->GetRelativeIDL());
    return (short)(result & 0xFFFF);
}

int ShellTreeNode::Execute()
{
    if (m_folder)
        return 0;
    SHELLEXECUTEINFO run = {};
    run.cbSize = sizeof run;
    run.lpFile = m_path;
    run.nShow = SW_SHOWNORMAL;
    return ShellExecuteEx(&run);
}
