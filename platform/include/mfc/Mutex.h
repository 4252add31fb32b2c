// CMutex: a kernel mutex; a named one is shared with other processes.
#pragma once

#include "mfc/SyncObject.h"

class AFX_EXT_CLASS CMutex : public CSyncObject {
    DECLARE_DYNAMIC(CMutex)
public:
    // Throws CResourceException when the mutex cannot be made.
    explicit CMutex(BOOL bInitiallyOwn = FALSE, LPCSTR lpszName = nullptr,
                    LPSECURITY_ATTRIBUTES lpsaAttribute = nullptr);

    BOOL Unlock() override;
    using CSyncObject::Unlock;
};
