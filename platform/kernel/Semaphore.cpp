#include "mfc/Semaphore.h"

#include "mfc/ResourceException.h"

IMPLEMENT_DYNAMIC(CSemaphore, CSyncObject)

CSemaphore::CSemaphore(LONG lInitialCount, LONG lMaxCount, LPCSTR pstrName, LPSECURITY_ATTRIBUTES lpsaAttributes)
    : CSyncObject(pstrName)
{
    m_hObject = CreateSemaphore(lpsaAttributes, lInitialCount, lMaxCount, pstrName);
    if (!m_hObject)
        AfxThrowResourceException();
}

BOOL CSemaphore::Unlock()
{
    return Unlock(1, nullptr);
}

BOOL CSemaphore::Unlock(LONG lCount, LPLONG lprevCount)
{
    return ReleaseSemaphore(m_hObject, lCount, lprevCount);
}
