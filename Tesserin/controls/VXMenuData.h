// CVXMenuData: what an owner-drawn menu item shows. Its address is the item's
// data, so Windows hands it back when the item is measured and drawn.
#pragma once

#include "mfc.h"

class AFX_EXT_CLASS CVXMenuData {
public:
    CVXMenuData();
    ~CVXMenuData();
    CVXMenuData(const CVXMenuData&) = delete;
    CVXMenuData& operator=(const CVXMenuData&) = delete;

    // A null text is stored as an empty one.
    void SetWideString(const WCHAR* text);
    const WCHAR* GetWideString() const { return m_szMenuText; }
    // 8-bit text in the ANSI code page; text that does not convert leaves it empty.
    void SetAnsiString(LPCSTR text);
    CString GetString() const;
    bool HasText() const { return m_szMenuText[0] != 0; }

    WCHAR* m_szMenuText;
    int xoffset;        // image in the own list, or in the global one
    int global_offset;  // slot in the global image list
    int nID;            // bitmap resource of the own list, -1 none
    UINT_PTR nFlags;
    UINT_PTR nCommand;  // command id, or the sub-menu handle of a popup
    int syncflag;
    CImageList* bitmap;  // own image list, owned
};
