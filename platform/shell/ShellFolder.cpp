#include "ShellFolder.h"

#include "EnumIdList.h"
#include "win32.h"
#include "mivo/codepage.h"

#include <cstring>

namespace mivo {

namespace {

std::vector<std::string> SplitComponents(const std::string& path)
{
    std::vector<std::string> out;
    std::string part;
    for (char c : path) {
        if (c == '\\' || c == '/') {
            if (!part.empty())
                out.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty())
        out.push_back(part);
    return out;
}

void FillStrRet(const std::string& text, STRRET* out)
{
    if (text.size() < sizeof out->cStr) {
        out->uType = STRRET_CSTR;
        memcpy(out->cStr, text.c_str(), text.size() + 1);
        return;
    }
    std::u16string wide = AnsiToUtf16(text);
    auto* w = (WCHAR*)CoTaskMemAlloc((wide.size() + 1) * sizeof(WCHAR));
    if (!w) {
        out->uType = STRRET_CSTR;
        out->cStr[0] = 0;
        return;
    }
    memcpy(w, wide.c_str(), (wide.size() + 1) * sizeof(WCHAR));
    out->uType = STRRET_WSTR;
    out->pOleStr = w;
}

}  // namespace

HRESULT ShellFolder::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IShellFolder)) {
        *ppv = static_cast<IShellFolder*>(this);
    } else if (IsEqualIID(riid, IID_IShellIcon)) {
        *ppv = static_cast<IShellIcon*>(this);
    } else {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG ShellFolder::AddRef()
{
    return ++refs_;
}

ULONG ShellFolder::Release()
{
    ULONG left = --refs_;
    if (left == 0)
        delete this;
    return left;
}

bool ShellFolder::Resolve(LPCITEMIDLIST relative, ShellItem& out) const
{
    if (!relative)
        return false;
    std::vector<BYTE> list = item_.IdList();
    list.resize(list.size() - 2);
    const BYTE* r = (const BYTE*)relative;
    list.insert(list.end(), r, r + IdListSize(relative));
    return ShellItem::FromIdList((LPCITEMIDLIST)list.data(), out);
}

HRESULT ShellFolder::ParseDisplayName(HWND, LPBC, LPOLESTR pszDisplayName, ULONG* pchEaten, LPITEMIDLIST* ppidl,
                                      ULONG* pdwAttributes)
{
    if (!ppidl)
        return E_POINTER;
    *ppidl = nullptr;
    if (!pszDisplayName)
        return E_INVALIDARG;
    std::u16string wide(pszDisplayName);
    std::string name = Utf16ToAnsi(wide);
    if (name.size() >= 2 && (name[0] == '\\' && name[1] == '\\'))
        return HRESULT_FROM_WIN32(ERROR_BAD_NETPATH);  // the network has nothing to browse
    ShellItem at = item_;
    std::vector<BYTE> relative;
    std::vector<std::string> parts = SplitComponents(name);
    size_t first = 0;
    // From the desktop (or "My Computer") a drive path starts at "My Computer".
    if (item_.kind() == ShellItem::Kind::Desktop && !parts.empty() && parts[0].size() == 2 && parts[0][1] == ':') {
        ShellItem computer;
        std::vector<BYTE> id;
        if (!at.ChildNamed("::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", computer, id))
            return E_FAIL;
        relative.insert(relative.end(), id.begin(), id.end());
        at = computer;
    }
    for (size_t i = first; i < parts.size(); ++i) {
        ShellItem next;
        std::vector<BYTE> id;
        if (!at.ChildNamed(parts[i], next, id))
            return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
        relative.insert(relative.end(), id.begin(), id.end());
        at = next;
    }
    if (parts.empty())
        return E_INVALIDARG;
    *ppidl = AllocIdList(relative);
    if (!*ppidl)
        return E_OUTOFMEMORY;
    if (pchEaten)
        *pchEaten = (ULONG)wide.size();
    if (pdwAttributes)
        *pdwAttributes = at.Attributes(*pdwAttributes);
    return S_OK;
}

HRESULT ShellFolder::EnumObjects(HWND, SHCONTF grfFlags, IEnumIDList** ppenumIDList)
{
    if (!ppenumIDList)
        return E_POINTER;
    *ppenumIDList = new EnumIdList(item_.ChildIds(grfFlags));
    return S_OK;
}

HRESULT ShellFolder::BindToObject(LPCITEMIDLIST pidl, LPBC, REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (!pidl || pidl->mkid.cb == 0)
        return E_INVALIDARG;
    ShellItem target;
    if (!Resolve(pidl, target))
        return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    if (!target.IsFolder())
        return E_INVALIDARG;
    auto* folder = new ShellFolder(target);
    HRESULT hr = folder->QueryInterface(riid, ppv);
    folder->Release();
    return hr;
}

HRESULT ShellFolder::BindToStorage(LPCITEMIDLIST, LPBC, REFIID, void** ppv)
{
    if (ppv)
        *ppv = nullptr;
    return E_NOTIMPL;
}

HRESULT ShellFolder::CompareIDs(LPARAM, LPCITEMIDLIST pidl1, LPCITEMIDLIST pidl2)
{
    if (!pidl1 || !pidl2)
        return E_INVALIDARG;
    int c = CompareIdLists(pidl1, pidl2);
    return MAKE_HRESULT(SEVERITY_SUCCESS, 0, (USHORT)(short)c);
}

HRESULT ShellFolder::CreateViewObject(HWND, REFIID, void** ppv)
{
    if (ppv)
        *ppv = nullptr;
    return E_NOTIMPL;
}

HRESULT ShellFolder::GetAttributesOf(UINT cidl, LPCITEMIDLIST* apidl, SFGAOF* rgfInOut)
{
    if (!rgfInOut)
        return E_POINTER;
    SFGAOF asked = *rgfInOut;
    if (cidl == 0) {
        *rgfInOut = item_.Attributes(asked);
        return S_OK;
    }
    if (!apidl)
        return E_POINTER;
    SFGAOF common = asked;
    for (UINT i = 0; i < cidl; ++i) {
        ShellItem child;
        if (!Resolve(apidl[i], child))
            return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
        common &= child.Attributes(asked);
    }
    *rgfInOut = common;
    return S_OK;
}

HRESULT ShellFolder::GetUIObjectOf(HWND, UINT, LPCITEMIDLIST*, REFIID, UINT*, void** ppv)
{
    if (ppv)
        *ppv = nullptr;
    return E_NOTIMPL;
}

HRESULT ShellFolder::GetDisplayNameOf(LPCITEMIDLIST pidl, SHGDNF uFlags, STRRET* pName)
{
    if (!pName)
        return E_POINTER;
    ShellItem target;
    if (!pidl || pidl->mkid.cb == 0)
        target = item_;
    else if (!Resolve(pidl, target))
        return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    FillStrRet(target.DisplayName(uFlags), pName);
    return S_OK;
}

HRESULT ShellFolder::SetNameOf(HWND, LPCITEMIDLIST, LPCOLESTR, SHGDNF, LPITEMIDLIST* ppidlOut)
{
    if (ppidlOut)
        *ppidlOut = nullptr;
    return E_NOTIMPL;
}

HRESULT ShellFolder::GetIconOf(LPCITEMIDLIST pidl, UINT flags, int* pIconIndex)
{
    if (!pIconIndex)
        return E_POINTER;
    ShellItem target;
    if (!Resolve(pidl, target))
        return S_FALSE;
    *pIconIndex = target.IconIndex((flags & GIL_OPENICON) != 0);
    return S_OK;
}

}  // namespace mivo
