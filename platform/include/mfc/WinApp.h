// CWinApp: the program object, its start-up and main loop.
#pragma once

#include "mfc/WinThread.h"
#include "mfc/PtrList.h"
#include "mfc/String.h"

class CWnd;
class CPrintDialog;
class CDocTemplate;
class CDocument;
class CRecentFileList;

class AFX_EXT_CLASS CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitApplication();
    BOOL InitInstance() override;
    int ExitInstance() override;
    int Run() override;
    BOOL OnIdle(LONG lCount) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = 0x0001);
    virtual int DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt);

    HCURSOR LoadCursor(LPCSTR lpszResourceName) const;
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCSTR lpszCursorName) const;
    HCURSOR LoadOEMCursor(UINT nIDCursor) const;
    HICON LoadIcon(LPCSTR lpszResourceName) const;
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadStandardIcon(LPCSTR lpszIconName) const;
    HICON LoadOEMIcon(UINT nIDIcon) const;

    // Profile entries under HKEY_CURRENT_USER\Software\<key>\<app> once SetRegistryKey was called.
    void SetRegistryKey(LPCSTR lpszRegistryKey);
    UINT GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue);
    CString GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault = nullptr);
    BOOL WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue);

    // Printing: the application keeps the printer and its settings between print jobs.
    // The defaults (fetched once) into the dialog's structure; FALSE without a printer.
    BOOL GetPrinterDeviceDefaults(PRINTDLG* pPrintDlg);
    // Runs the print dialog on the application's settings and keeps what it chose.
    virtual INT_PTR DoPrintDialog(CPrintDialog* pPD);

    void BeginWaitCursor();
    void EndWaitCursor();
    void DoWaitCursor(int nCode);

    // Documents: templates (owned by the application), opening and closing, recent files.
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    virtual CDocument* OpenDocumentFile(LPCSTR lpszFileName);
    virtual void AddToRecentFileList(LPCSTR lpszPathName);
    virtual BOOL SaveAllModified();
    void CloseAllDocuments(BOOL bEndSession);
    virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                  CDocTemplate* pTemplate);
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();
    afx_msg void OnHelp();
    afx_msg void OnAppExit();
    afx_msg BOOL OnOpenRecentFile(UINT nID);
    afx_msg void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);

    CRecentFileList* m_pRecentFileList = nullptr;

    HINSTANCE m_hInstance = nullptr;
    HINSTANCE m_hPrevInstance = nullptr;
    LPSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    LPCSTR m_pszAppName = nullptr;
    LPCSTR m_pszExeName = nullptr;
    LPCSTR m_pszHelpFilePath = nullptr;
    LPCSTR m_pszProfileName = nullptr;
    LPCSTR m_pszRegistryKey = nullptr;
    int m_nWaitCursorCount = 0;
    HCURSOR m_hcurWaitCursorRestore = nullptr;
    HGLOBAL m_hDevMode = nullptr;
    HGLOBAL m_hDevNames = nullptr;

protected:
    // Fetches the default printer's settings when the application has none, or always when forced.
    void UpdatePrinterSelection(BOOL bForceDefaults);

    DECLARE_MESSAGE_MAP()

private:
    void DeleteDocumentState();
    CPtrList m_templateList;
};

AFX_EXT_API CWinApp* AFXAPI AfxGetApp();
AFX_EXT_API CWnd* AFXAPI AfxGetMainWnd();
AFX_EXT_API LPCSTR AFXAPI AfxGetAppName();
AFX_EXT_API BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
AFX_EXT_API int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
AFX_EXT_API void AFXAPI AfxWinTerm();

// Extension modules (the shared library's start-up).
struct AFX_EXTENSION_MODULE {
    BOOL bInitialized;
    HMODULE hModule;
    HMODULE hResource;
    CRuntimeClass* pFirstSharedClass;
};
AFX_EXT_API BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);
AFX_EXT_API void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);
#define AFX_MANAGE_STATE(p) ((void)0)
