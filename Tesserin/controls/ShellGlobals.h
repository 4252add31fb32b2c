// What every folder tree of the process shares: the shell allocator, the system small-icon
// image list and the Network folder's identifier list. One instance, built at library load.
#pragma once

#include "mfc.h"

class AFX_EXT_CLASS ShellGlobals {
public:
    ShellGlobals();
    ~ShellGlobals();
    ShellGlobals(const ShellGlobals&) = delete;
    ShellGlobals& operator=(const ShellGlobals&) = delete;

    static ShellGlobals& Instance();

    // Builds (again) what the instance holds; throws CMemoryException or CResourceException.
    void Init();

    IMalloc* GetMalloc() const { return m_malloc; }
    CImageList& GetSystemImageList() { return m_systemImages; }
    const ITEMIDLIST* GetNetworkPIDL() const { return m_network; }

    // The list of a special folder (negative: the desktop); the caller frees it.
    ITEMIDLIST* GetSpecialFolderPIDL(int csidl) const;
    static bool IsNetPath(const char* path);
    void* Alloc(size_t size) const;
    // Throws CMemoryException without an allocator.
    void FreeItem(void* block) const;

private:
    void Release();

    IMalloc* m_malloc = nullptr;
    CImageList m_systemImages;
    ITEMIDLIST* m_network = nullptr;
};
