// CEvent: a kernel event, auto-reset unless asked otherwise.
#pragma once

#include "mfc/SyncObject.h"

class AFX_EXT_CLASS CEvent : public CSyncObject {
    DECLARE_DYNAMIC(CEvent)
public:
    // bInitiallyOwn: start signalled. Throws CResourceException when the event cannot be made.
    explicit CEvent(BOOL bInitiallyOwn = FALSE, BOOL bManualReset = FALSE, LPCSTR lpszName = nullptr,
                    LPSECURITY_ATTRIBUTES lpsaAttribute = nullptr);

    BOOL SetEvent();
    BOOL PulseEvent();
    BOOL ResetEvent();
    // Events have nothing to give back: always TRUE.
    BOOL Unlock() override;
    using CSyncObject::Unlock;
};
