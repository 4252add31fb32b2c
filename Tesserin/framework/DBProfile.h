// CDBProfile: the program's profile store. Records are keyed by section and entry (32 bytes each);
// their data columns hold a state integer, a state string, a window position or a window font.
#pragma once

#include "framework/BDB.h"

class AFX_EXT_CLASS CDBProfile : public CBDB {
public:
    enum {
        NAME_WIDTH = 32,
        TEXT_WIDTH = 4096,
        COL_INT = 1,
        COL_TEXT = 7,
    };

    // Opens (creating when missing) the file pszFileName in the folder pszDir. Without a folder or a
    // file name nothing is opened: the store stays closed and its reads give the absent values.
    CDBProfile(LPCSTR pszDir, LPCSTR pszFileName, BOOL bReadOnly);

    int SaveStateString(LPCSTR pszSection, LPCSTR pszEntry, LPCSTR pszText);
    CString LoadStateString(LPCSTR pszSection, LPCSTR pszEntry);
    int SaveStateInt(LPCSTR pszSection, LPCSTR pszEntry, int nValue);
    int LoadStateInt(LPCSTR pszSection, LPCSTR pszEntry);

    void SaveWindowPos(LPCSTR pszWindow, LPRECT pRect, int nState);
    int RtrvWindowPos(LPCSTR pszWindow, LPRECT pRect);
    CString RtrvWindowFont(LPCSTR pszFont, int* pSize, COLORREF* pColor);

    void GetBasicCode(LPCSTR pszSection, LPCSTR pszEntry);
    void StartGubn(LPCSTR pszSection);
    void FillCodeStringArray(LPCSTR pszSection, CStringArray& arr);

private:
    void SetRecordKey(LPCSTR pszSection, LPCSTR pszEntry);
    int WriteAndCommit();
};
