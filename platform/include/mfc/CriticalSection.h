// CCriticalSection: a recursive in-process lock over CRITICAL_SECTION (no kernel handle).
#pragma once

#include "mfc/SyncObject.h"

class AFX_EXT_CLASS CCriticalSection : public CSyncObject {
    DECLARE_DYNAMIC(CCriticalSection)
public:
    CCriticalSection();
    ~CCriticalSection() override;

    operator CRITICAL_SECTION*() { return &m_sect; }

    BOOL Lock();
    // A critical section cannot time out; the time-out is ignored.
    BOOL Lock(DWORD dwTimeout) override;
    BOOL Unlock() override;
    using CSyncObject::Unlock;

    CRITICAL_SECTION m_sect;
};
