// CSemaphore: a kernel semaphore.
#pragma once

#include "mfc/SyncObject.h"

class AFX_EXT_CLASS CSemaphore : public CSyncObject {
    DECLARE_DYNAMIC(CSemaphore)
public:
    // Throws CResourceException when the semaphore cannot be made.
    explicit CSemaphore(LONG lInitialCount = 1, LONG lMaxCount = 1, LPCSTR pstrName = nullptr,
                        LPSECURITY_ATTRIBUTES lpsaAttributes = nullptr);

    // Gives back one count.
    BOOL Unlock() override;
    BOOL Unlock(LONG lCount, LPLONG lprevCount = nullptr) override;
};
