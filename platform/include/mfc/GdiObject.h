// CGdiObject: the framework's wrapper of a GDI handle, base of the pen,
// brush, font, bitmap, palette and region classes.
#pragma once

#include "win32.h"
#include "mfc/Object.h"

class AFX_EXT_CLASS CGdiObject : public CObject {
    DECLARE_DYNCREATE(CGdiObject)
public:
    CGdiObject();
    ~CGdiObject() override;

    HGDIOBJ m_hObject;
    operator HGDIOBJ() const { return m_hObject; }
    // NULL when called through a null pointer, as the framework allows.
    HGDIOBJ GetSafeHandle() const;

    // A wrapper for any handle: an attached object, or a temporary one that
    // lives until DeleteTempMap (idle time) on this thread.
    static CGdiObject* PASCAL FromHandle(HGDIOBJ hObject);
    static void PASCAL DeleteTempMap();
    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();

    BOOL DeleteObject();
    int GetObject(int nCount, LPVOID lpObject) const;
    UINT GetObjectType() const;
    BOOL CreateStockObject(int nIndex);
    BOOL UnrealizeObject();
    BOOL operator==(const CGdiObject& obj) const { return obj.m_hObject == m_hObject; }
    BOOL operator!=(const CGdiObject& obj) const { return obj.m_hObject != m_hObject; }
};
