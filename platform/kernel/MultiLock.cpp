#include "mfc/MultiLock.h"

#include "Waitable.h"

CMultiLock::CMultiLock(CSyncObject* ppObjects[], DWORD dwCount, BOOL bInitialLock)
{
    if (ppObjects && dwCount <= MAXIMUM_WAIT_OBJECTS) {
        for (DWORD i = 0; i < dwCount; ++i) {
            m_objects.push_back(ppObjects[i]);
            m_handles.push_back(ppObjects[i] ? ppObjects[i]->m_hObject : nullptr);
        }
    }
    m_locked.assign(m_objects.size(), FALSE);
    if (bInitialLock)
        Lock();
}

CMultiLock::~CMultiLock()
{
    Unlock();
}

DWORD CMultiLock::Lock(DWORD dwTimeOut, BOOL bWaitForAll, DWORD dwWakeMask)
{
    const DWORD count = static_cast<DWORD>(m_handles.size());
    if (count == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return WAIT_FAILED;
    }
    const DWORD result = dwWakeMask ? mivo::WaitForHandlesOrWake(count, m_handles.data(), bWaitForAll, dwTimeOut)
                                    : WaitForMultipleObjects(count, m_handles.data(), bWaitForAll, dwTimeOut);
    DWORD index = count;
    if (result < WAIT_OBJECT_0 + count)
        index = result - WAIT_OBJECT_0;
    else if (result >= WAIT_ABANDONED_0 && result < WAIT_ABANDONED_0 + count)
        index = result - WAIT_ABANDONED_0;
    if (index < count) {
        if (bWaitForAll)
            m_locked.assign(count, TRUE);
        else
            m_locked[index] = TRUE;
    }
    return result;
}

BOOL CMultiLock::Unlock()
{
    for (size_t i = 0; i < m_objects.size(); ++i) {
        if (m_locked[i])
            m_locked[i] = !m_objects[i]->Unlock();
    }
    return TRUE;
}

BOOL CMultiLock::Unlock(LONG lCount, LPLONG lPrevCount)
{
    BOOL all = TRUE;
    for (size_t i = 0; i < m_objects.size(); ++i) {
        if (m_locked[i]) {
            m_locked[i] = !m_objects[i]->Unlock(lCount, lPrevCount);
            if (m_locked[i])
                all = FALSE;
        }
    }
    return all;
}

BOOL CMultiLock::IsLocked(DWORD dwItem)
{
    return dwItem < m_locked.size() ? m_locked[dwItem] : FALSE;
}
