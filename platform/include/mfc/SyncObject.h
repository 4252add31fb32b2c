// CSyncObject: base of the framework's lock objects; owns its kernel handle.
#pragma once

#include "win32/sync.h"
#include "mfc/Object.h"

class AFX_EXT_CLASS CSyncObject : public CObject {
    DECLARE_DYNAMIC(CSyncObject)
public:
    explicit CSyncObject(LPCSTR pstrName);
    ~CSyncObject() override;

    operator HANDLE() const { return m_hObject; }

    // TRUE when the object was taken (an abandoned mutex counts as taken).
    virtual BOOL Lock(DWORD dwTimeout = INFINITE);
    virtual BOOL Unlock() = 0;
    virtual BOOL Unlock(LONG lCount, LPLONG lpPrevCount = nullptr);

    HANDLE m_hObject;
};
