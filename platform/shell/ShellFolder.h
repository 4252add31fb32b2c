// IShellFolder (and IShellIcon) of one folder of the namespace.
#pragma once

#include "ShellItem.h"

#include <atomic>

namespace mivo {

class ShellFolder : public IShellFolder, public IShellIcon {
public:
    explicit ShellFolder(const ShellItem& item) : item_(item) {}

    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;

    STDMETHOD(ParseDisplayName)(HWND hwnd, LPBC pbc, LPOLESTR pszDisplayName, ULONG* pchEaten, LPITEMIDLIST* ppidl,
                                ULONG* pdwAttributes) override;
    STDMETHOD(EnumObjects)(HWND hwnd, SHCONTF grfFlags, IEnumIDList** ppenumIDList) override;
    STDMETHOD(BindToObject)(LPCITEMIDLIST pidl, LPBC pbc, REFIID riid, void** ppv) override;
    STDMETHOD(BindToStorage)(LPCITEMIDLIST pidl, LPBC pbc, REFIID riid, void** ppv) override;
    STDMETHOD(CompareIDs)(LPARAM lParam, LPCITEMIDLIST pidl1, LPCITEMIDLIST pidl2) override;
    STDMETHOD(CreateViewObject)(HWND hwndOwner, REFIID riid, void** ppv) override;
    STDMETHOD(GetAttributesOf)(UINT cidl, LPCITEMIDLIST* apidl, SFGAOF* rgfInOut) override;
    STDMETHOD(GetUIObjectOf)(HWND hwndOwner, UINT cidl, LPCITEMIDLIST* apidl, REFIID riid, UINT* rgfReserved,
                             void** ppv) override;
    STDMETHOD(GetDisplayNameOf)(LPCITEMIDLIST pidl, SHGDNF uFlags, STRRET* pName) override;
    STDMETHOD(SetNameOf)(HWND hwnd, LPCITEMIDLIST pidl, LPCOLESTR pszName, SHGDNF uFlags,
                         LPITEMIDLIST* ppidlOut) override;

    STDMETHOD(GetIconOf)(LPCITEMIDLIST pidl, UINT flags, int* pIconIndex) override;

private:
    virtual ~ShellFolder() = default;
    // The item of a list relative to this folder.
    bool Resolve(LPCITEMIDLIST relative, ShellItem& out) const;

    std::atomic<ULONG> refs_{1};
    ShellItem item_;
};

}  // namespace mivo
