// CMultiLock: waits for several CSyncObjects (not critical sections) at once.
#pragma once

#include "mfc/SyncObject.h"

#include <vector>

class AFX_EXT_CLASS CMultiLock {
public:
    // At most MAXIMUM_WAIT_OBJECTS objects.
    CMultiLock(CSyncObject* ppObjects[], DWORD dwCount, BOOL bInitialLock = FALSE);
    ~CMultiLock();
    CMultiLock(const CMultiLock&) = delete;
    CMultiLock& operator=(const CMultiLock&) = delete;

    // The wait result (WAIT_OBJECT_0 + i, WAIT_ABANDONED_0 + i, WAIT_TIMEOUT,
    // WAIT_FAILED). With a wake mask, a wake-up for this thread's messages ends
    // the wait with WAIT_OBJECT_0 + the object count.
    DWORD Lock(DWORD dwTimeOut = INFINITE, BOOL bWaitForAll = TRUE, DWORD dwWakeMask = 0);
    BOOL Unlock();
    BOOL Unlock(LONG lCount, LPLONG lPrevCount = nullptr);
    BOOL IsLocked(DWORD dwItem);

protected:
    std::vector<CSyncObject*> m_objects;
    std::vector<HANDLE> m_handles;
    std::vector<BOOL> m_locked;
};
