// CRecentFileList: the most recently used files, kept in the registry store
// ("Recent File List", "File1".."FileN") and shown in the File menu.
#pragma once

#include "mfc/String.h"

#include <vector>

class CCmdUI;

class AFX_EXT_CLASS CRecentFileList {
public:
    CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize, int nMaxDispLen = 0);
    virtual ~CRecentFileList();

    int GetSize() const { return m_nSize; }
    CString& operator[](int nIndex) { return m_arrNames[(size_t)nIndex]; }
    virtual void Add(LPCSTR lpszPathName);
    virtual void Remove(int nIndex);
    virtual void ReadList();
    virtual void WriteList();
    virtual void UpdateMenu(CCmdUI* pCmdUI);
    virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCSTR lpszCurDir, int nCurDir,
                                BOOL bAtLeastName = TRUE) const;

    int m_nSize;
    std::vector<CString> m_arrNames;
    CString m_strSectionName;
    CString m_strEntryFormat;
    UINT m_nStart;
    int m_nMaxDisplayLength;
    CString m_strOriginal;  // the menu's text of the first entry while the list is empty
};
