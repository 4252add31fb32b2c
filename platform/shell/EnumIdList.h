// IEnumIDList over identifiers collected when the enumeration started.
#pragma once

#include "win32/shlobj.h"

#include <atomic>
#include <vector>

namespace mivo {

class EnumIdList : public IEnumIDList {
public:
    explicit EnumIdList(std::vector<std::vector<BYTE>> ids) : ids_(std::move(ids)) {}

    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;
    STDMETHOD(Next)(ULONG celt, LPITEMIDLIST* rgelt, ULONG* pceltFetched) override;
    STDMETHOD(Skip)(ULONG celt) override;
    STDMETHOD(Reset)() override;
    STDMETHOD(Clone)(IEnumIDList** ppenum) override;

private:
    virtual ~EnumIdList() = default;
    std::atomic<ULONG> refs_{1};
    std::vector<std::vector<BYTE>> ids_;  // single identifiers without terminator
    size_t next_ = 0;
};

}  // namespace mivo
