#include "mfc/GdiObject.h"

#include "afx/gdi/HandleMap.h"
#include "afx/gdi/GdiObjectLookup.h"

IMPLEMENT_DYNCREATE(CGdiObject, CObject)

namespace {

mivo::gdi::HandleMap<CGdiObject>& Map()
{
    static auto* map = new mivo::gdi::HandleMap<CGdiObject>([](CGdiObject* w) { w->m_hObject = nullptr; });
    return *map;
}

}  // namespace

CGdiObject* mivo::GdiObjectFromHandle(HGDIOBJ h, CGdiObject* (*create)())
{
    return Map().FromHandle(h, [create](void* handle) {
        CGdiObject* w = create();
        w->m_hObject = handle;
        return w;
    });
}

CGdiObject::CGdiObject() : m_hObject(nullptr) {}

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

HGDIOBJ CGdiObject::GetSafeHandle() const
{
    const CGdiObject* self = this;
    // Keep the compiler from assuming `this` is never null.
    asm("" : "+r"(self));
    return self != nullptr ? self->m_hObject : nullptr;
}

CGdiObject* PASCAL CGdiObject::FromHandle(HGDIOBJ hObject)
{
    return mivo::GdiObjectFromHandle(hObject, []() -> CGdiObject* { return new CGdiObject; });
}

void PASCAL CGdiObject::DeleteTempMap()
{
    Map().DeleteTemporary();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (hObject == nullptr)
        return FALSE;
    ASSERT(m_hObject == nullptr);
    m_hObject = hObject;
    Map().SetPermanent(hObject, this);
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ h = m_hObject;
    if (h != nullptr)
        Map().RemovePermanent(h, this);
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == nullptr)
        return FALSE;
    return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const
{
    return ::GetObject(m_hObject, nCount, lpObject);
}

UINT CGdiObject::GetObjectType() const
{
    return (UINT)::GetObjectType(m_hObject);
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    return Attach(::GetStockObject(nIndex));
}

BOOL CGdiObject::UnrealizeObject()
{
    return ::UnrealizeObject(m_hObject);
}
