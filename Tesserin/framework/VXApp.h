// CVXApp: the application base class of the programs. It finds the run folder, owns the profile
// store, registers and finds the program's single-instance window class, counts running copies
// and keeps an optional application log.
#pragma once

#include "mfc.h"

class CDBProfile;

class AFX_EXT_CLASS CVXApp : public CWinApp {
    DECLARE_DYNAMIC(CVXApp)
public:
    CVXApp();
    ~CVXApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

    void GetRunDir();
    // The run folder (drive and directory, ending in a backslash) and the program file name of a
    // full program path.
    static void SplitProgramPath(LPCSTR pszPath, CString& strRunDir, CString& strProgramFile);

    // The profile store: the file m_strProfileFile in the run folder.
    void SetDBProfile(CString strName);
    void OpenDBProfile(CString strName);
    void CloseDBProfile();
    void CommitDBProfile();
    void InitDBProfile();

    int SaveProfileString(CString strSection, CString strEntry, CString strValue);
    CString LoadProfileString(CString strSection, CString strEntry);
    int SaveProfileInt(CString strSection, CString strEntry, int nValue);
    int LoadProfileInt(CString strSection, CString strEntry);
    void SaveWindowPos(CString strWindow, LPRECT pRect, int nState);
    int RtrvWindowPos(CString strWindow, LPRECT pRect);

    // The window class m_strAppKey, by which a second copy finds this one.
    int RegisterVXApp(HICON hIcon);
    CWnd* CheckAppExist();
    int GetAppProcessCount();

    // The log file run folder + "\" + m_strAppKey + ".log".
    void OpenAppLog();
    void ClearAppLog();
    void WriteAppLog(CString strText);
    void CloseAppLog();

    BOOL m_bSingleInstance;
    CString m_strAppKey;
    BOOL m_bClassRegistered;
    CString m_strDataDir;
    CString m_strRunDir;
    CString m_strProgramFile;
    BOOL m_bShowMainWnd;
    CString m_strPGUID;
    CString m_strTmplDSN;
    CString m_strTmplUID;
    CString m_strTmplPWD;
    BOOL m_bClosing;
    DWORD m_nWinMajor;
    DWORD m_nWinMinor;
    CDBProfile* m_pDBProfile;
    CString m_strProfileFile;
    CFile* m_pAppLog;

protected:
    DECLARE_MESSAGE_MAP()

private:
    CString AppLogPath() const;
    // Without single-instance mode each profile operation opens the store and closes it after.
    void BeginProfileWork();
    void EndProfileWork();
};
