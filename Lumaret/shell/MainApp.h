// CMainApp: the main program's application. It holds what every window of the
// program reads through theApp (folders, the two database logins, image
// settings, colours, the program's own file clipboard, the closing flag), runs
// the start-up and dismisses the splash window.
#pragma once

#include "framework/VXApp.h"

#include <atomic>

class CSplashScreen;

// The message a second copy sends the running one after writing "OpenFile".
#define WM_OPEN_FROM_INSTANCE 0x676

class CMainApp : public CVXApp {
public:
    CMainApp();
    ~CMainApp() override;

    BOOL InitInstance() override;
    // Everything of the start-up after the run folder is known; FALSE ends the program.
    BOOL StartUp();
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnIdle(LONG lCount) override;

    // Items "key=value" separated by '^'; later items win. Returns 1.
    int ParseStartupParams(LPCSTR pszCommandLine);
    // Applies the rows of BasCodes on the user database; 0 when it cannot be read.
    int LoadSettings();
    // One BasCodes row: category, code, BasDesc1 and BasNum1 as read.
    void ApplySetting(const CString& strCateg, const CString& strCode, const CString& strDesc, const CString& strNum);
    // Data folder + dsn + ".dat" registered as the data source dsn.
    BOOL RegisterDataSource(const CString& strDSN);
    // Copies a folder into one of the 256-byte folder buffers, cut on a character boundary.
    static void CopyFolderBuffer(char* pszBuffer, LPCSTR pszFolder);
    // Destroys the splash window when it is shown.
    void CloseSplash();

    // Logins of the user database (albums, thumbnails, cart, settings).
    CString m_strUserDSN;
    CString m_strUserUID;
    CString m_strUserPWD;

    CString m_strOpenPath;              // "Open": file to open at start or to hand over
    CSplashScreen* m_pSplash;           // the splash window while it is shown
    DWORD m_dwSplashStart;              // tick count at the end of start-up

    int m_nJpegQuality;                 // JPEG/Quality, 95
    int m_nUndoLevel;                   // Edit/UndoLevel, 8
    COLORREF m_clrSlideShowBk;          // SlideShow/BGColor, black
    COLORREF m_clrBrowserBk;            // ImgBrowser/BGColor, the 3-D face colour
    int m_bServerReachable;             // 1 once the advertising host answered
    CString m_strLinkPrg;               // Edit/LinkPrg: an external editor program

    // Last folders of the music player, open dialog, save dialog and template editors.
    char m_szMusicDir[256];
    char m_szImageOpenDir[256];
    char m_szImageSaveDir[256];
    char m_szTemplateDir[256];

    // Running numbers of "Scan-%d", "Capture-%d" and "새 이미지-%d", raised before use.
    int m_nScanCount;
    int m_nCaptureCount;
    int m_nNewImageCount;

    // The program's own file clipboard, one entry per path in each array: the full path; its kind
    // (0 a file listed from a folder, 1 a folder, 100 + AlbumID a file listed from that album);
    // 1 when cut (to be moved), 0 when copied. Pasting leaves it as it is.
    CStringArray m_arrClipPaths;
    CUIntArray m_arrClipKinds;
    CUIntArray m_arrClipMove;

    HANDLE m_hInstanceMutex;            // held for the program's life

    // The image browser's loaders, read across threads: a stop of the thumbnail loader was asked;
    // the thumbnail loader has ended (1 while none runs); a preview load runs.
    std::atomic<int> m_bThumbStop{0};
    std::atomic<int> m_bThumbThreadDone{1};
    std::atomic<int> m_bBrowserLoading{0};

protected:
    afx_msg void OnAppAbout();
    afx_msg BOOL OnOpenRecentFile(UINT nID);
    DECLARE_MESSAGE_MAP()

private:
    // A second copy: hands m_strOpenPath to the running one when it can. Always FALSE.
    BOOL HandOverToRunningCopy();
    BOOL MakeDataFolderAndSplash();
    BOOL RegisterDocTemplate();
    BOOL CreateMainFrame();
    void PlaceMainFrame(BOOL& bMaximize);
    void LoadFolderBuffers();
};

extern CMainApp theApp;
