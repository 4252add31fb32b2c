#include "mfc/Object.h"
#include "mivo/runtimeclass.h"

#include <cstring>
#include <mutex>
#include <vector>

namespace {

std::mutex& registryLock()
{
    static std::mutex lock;
    return lock;
}

std::vector<CRuntimeClass*>& registeredClasses()
{
    static std::vector<CRuntimeClass*> classes;
    return classes;
}

}  // namespace

CRuntimeClass CObject::classCObject = {"CObject", (int)sizeof(CObject), 0xFFFF, nullptr, nullptr};
static AFX_CLASSINIT initCObject(&CObject::classCObject);

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass)
{
    std::lock_guard<std::mutex> guard(registryLock());
    registeredClasses().push_back(pNewClass);
}

CObject* CRuntimeClass::CreateObject() const
{
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* c = this; c != nullptr; c = c->m_pBaseClass)
        if (c == pBaseClass)
            return TRUE;
    return FALSE;
}

CRuntimeClass* CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    if (lpszClassName == nullptr)
        return nullptr;
    std::lock_guard<std::mutex> guard(registryLock());
    for (CRuntimeClass* c : registeredClasses())
        if (std::strcmp(c->m_lpszClassName, lpszClassName) == 0)
            return c;
    return nullptr;
}

CRuntimeClass* mivo::FindRegisteredClass(const void* candidate)
{
    if (candidate == nullptr)
        return nullptr;
    std::lock_guard<std::mutex> guard(registryLock());
    for (CRuntimeClass* c : registeredClasses())
        if (c == candidate)
            return c;
    return nullptr;
}

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return &CObject::classCObject;
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

BOOL CObject::IsSerializable() const
{
    return GetRuntimeClass()->m_wSchema != 0xFFFF;
}

void CObject::Serialize(CArchive&) {}
