#include "EnumIdList.h"

#include "ShellItem.h"

namespace mivo {

HRESULT EnumIdList::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IEnumIDList)) {
        *ppv = static_cast<IEnumIDList*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG EnumIdList::AddRef()
{
    return ++refs_;
}

ULONG EnumIdList::Release()
{
    ULONG left = --refs_;
    if (left == 0)
        delete this;
    return left;
}

HRESULT EnumIdList::Next(ULONG celt, LPITEMIDLIST* rgelt, ULONG* pceltFetched)
{
    if (!rgelt || (celt > 1 && !pceltFetched))
        return E_POINTER;
    ULONG fetched = 0;
    while (fetched < celt && next_ < ids_.size()) {
        LPITEMIDLIST pidl = AllocIdList(ids_[next_]);
        if (!pidl)
            break;
        rgelt[fetched++] = pidl;
        ++next_;
    }
    if (pceltFetched)
        *pceltFetched = fetched;
    return fetched == celt ? S_OK : S_FALSE;
}

HRESULT EnumIdList::Skip(ULONG celt)
{
    size_t left = ids_.size() - next_;
    next_ += celt < left ? celt : left;
    return celt <= left ? S_OK : S_FALSE;
}

HRESULT EnumIdList::Reset()
{
    next_ = 0;
    return S_OK;
}

HRESULT EnumIdList::Clone(IEnumIDList** ppenum)
{
    if (!ppenum)
        return E_POINTER;
    auto* copy = new EnumIdList(ids_);
    copy->next_ = next_;
    *ppenum = copy;
    return S_OK;
}

}  // namespace mivo
