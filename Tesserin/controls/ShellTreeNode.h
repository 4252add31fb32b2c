// A node over the shell namespace: the desktop at the root, children read from the folder
// the first time the node is filled, as deep as its depth budget allows.
#pragma once

#include "controls/ITreeNode.h"

#include <memory>
#include <vector>

class AFX_EXT_CLASS ShellTreeNode : public ITreeNode {
public:
    // The desktop; throws CResourceException when its list cannot be had.
    ShellTreeNode();
    // A child; takes `relative` (from the shell allocator).
    ShellTreeNode(ShellTreeNode* parent, ITEMIDLIST* relative, DWORD flags, unsigned level, unsigned depth);
    ~ShellTreeNode() override;
    ShellTreeNode(const ShellTreeNode&) = delete;
    ShellTreeNode& operator=(const ShellTreeNode&) = delete;

    void InsertInto(TreeItemInserter& inserter) override;
    void DeleteChildren() override;
    void Fill() override;
    ITreeNode* FindByIDL(const ITEMIDLIST* pidl) override;
    ITreeNode* FindByPath(const char* path, unsigned level) override;
    ITreeNode* FindChildByID(const ITEMIDLIST*& cursor) override;
    ITreeNode* FindChildByPath(const char* path, unsigned level) override;
    ITreeNode* GetChild(int index) const override;
    int GetChildCount() const override { return (int)m_children.size(); }
    ITreeNode* GetParent() const override { return m_parent; }
    IShellFolder* GetFolder() const override { return m_folder; }
    void SetDepth(unsigned depth) override { m_depth = depth; }
    void SetFlags(DWORD flags) override { m_flags = flags; }
    DWORD GetFlags() const override { return m_flags; }
    bool IsFilled() const override { return m_depth > 0; }
    bool IsFolder() const override;
    bool IsFileSystem() const override;
    bool IsNetworkRoot() const override;
    bool IsInNetwork() const override;
    bool HasChildren() const override { return (m_flags & kNodeHasChildren) != 0; }
    const char* GetName() override { return m_name; }
    const char* GetDebugText() override;
    const char* GetPath() override { return m_path; }
    bool IsEqualIDL(const ITEMIDLIST* pidl) const override;
    bool IsEqualID(const ITEMIDLIST* pidl) const override;
    const ITEMIDLIST* GetRelativeIDL() const override { return m_relative; }
    const ITEMIDLIST* GetFullIDL() const override { return m_absolute; }
    const SHFILEINFO* GetFileInfo() override;
    const SHFILEINFO* GetOpenFileInfo() override;
    int Compare(ITreeNode* other) override;
    int Execute() override;

    const char* GetErrorText() const { return m_error; }
    unsigned GetLevel() const { return m_level; }

private:
    IShellFolder* ParentFolder() const;
    bool BindFolder();
    void AddChild(ITEMIDLIST* relative, SFGAOF attributes);
    bool FolderListsAnything(const ITEMIDLIST* relative) const;
    CString NameOf(IShellFolder* folder, const ITEMIDLIST* pidl, SHGDNF flags);
    void LoadIcon(SHFILEINFO& info, bool open);

    ShellTreeNode* m_parent = nullptr;
    std::vector<std::unique_ptr<ITreeNode>> m_children;
    IShellFolder* m_folder = nullptr;
    IShellIcon* m_icon = nullptr;
    ITEMIDLIST* m_relative = nullptr;
    ITEMIDLIST* m_absolute = nullptr;
    DWORD m_flags = 0;
    CString m_error;
    CString m_name;
    CString m_path;
    CString m_debug;
    unsigned m_level = 0;
    unsigned m_depth = 0;
    SHFILEINFO m_info = {};
    SHFILEINFO m_openInfo = {};
};
