// One object of the namespace as the folder tree keeps it: its lists, names, icons and the
// children read so far.
#pragma once

#include "mfc.h"

class TreeItemInserter;

// Flags of a node.
const DWORD kNodeFileSystemOnly = 0x1;  // only file-system objects (or their ancestors) become children
const DWORD kNodeWithFiles = 0x2;       // files are listed too
const DWORD kNodeHasChildren = 0x4;     // drives the tree's child button

class AFX_EXT_CLASS ITreeNode {
public:
    virtual ~ITreeNode() {}

    virtual void InsertInto(TreeItemInserter& inserter) = 0;
    virtual void DeleteChildren() = 0;
    virtual void Fill() = 0;
    // The node of a list relative to this one, filling nodes on the way.
    virtual ITreeNode* FindByIDL(const ITEMIDLIST* pidl) = 0;
    // The node of a path whose first `level` components name a child of this node.
    virtual ITreeNode* FindByPath(const char* path, unsigned level) = 0;
    // The child of the identifier at the cursor, which then moves past it.
    virtual ITreeNode* FindChildByID(const ITEMIDLIST*& cursor) = 0;
    virtual ITreeNode* FindChildByPath(const char* path, unsigned level) = 0;
    virtual ITreeNode* GetChild(int index) const = 0;
    virtual int GetChildCount() const = 0;
    virtual ITreeNode* GetParent() const = 0;
    virtual IShellFolder* GetFolder() const { return nullptr; }
    virtual void SetDepth(unsigned depth) = 0;
    virtual void SetFlags(DWORD flags) = 0;
    virtual DWORD GetFlags() const = 0;
    virtual bool IsFilled() const = 0;
    virtual bool IsFolder() const = 0;
    virtual bool IsFileSystem() const = 0;
    virtual bool IsNetworkRoot() const = 0;
    virtual bool IsInNetwork() const = 0;
    virtual bool HasChildren() const = 0;
    virtual const char* GetName() = 0;
    virtual const char* GetDebugText() = 0;
    virtual const char* GetPath() = 0;
    virtual bool IsEqualIDL(const ITEMIDLIST* pidl) const = 0;
    virtual bool IsEqualID(const ITEMIDLIST* pidl) const = 0;
    virtual const ITEMIDLIST* GetRelativeIDL() const = 0;
    virtual const ITEMIDLIST* GetFullIDL() const = 0;
    virtual const SHFILEINFO* GetFileInfo() = 0;
    virtual const SHFILEINFO* GetOpenFileInfo() = 0;
    virtual int Compare(ITreeNode* other) = 0;
    virtual int Execute() = 0;
};
