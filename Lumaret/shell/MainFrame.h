// CMainFrame: the program's MDI main window. It carries the toolbar and the
// advertising band in a rebar, the status bar with the program-wide progress
// bar, the folder bar with the three console panes and the owner-drawn menus,
// scans through its TWAIN base, and serves the program-wide commands.
#pragma once

#include "mfc.h"

#include "controls/VXFolderBar.h"
#include "controls/VXMenu.h"
#include "controls/VXToolBar.h"
#include "image/Twain.h"

class CDlgAdvertising;
class CDlgConsoleAlbum;
class CDlgConsoleBrowse;
class CDlgConsoleEditTools;
class CImageObject;
class CImgEditView;

// Folder-bar groups, in the order they are added.
enum {
    kFolderBrowse = 0,
    kFolderAlbum = 1,
    kFolderEditTools = 2,
};

class CMainFrame : public CMDIFrameWnd, public CTwain {
    DECLARE_DYNAMIC(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Re-activates the editor already showing `path` (letter case ignored) or opens a new one on
    // it: an empty path gives a new white picture titled `title`. Null when no view could be made.
    CImgEditView* OpenImageEditor(CString path, CString title);
    // Shows an image in the folder pane (in-album 0) or the album pane; the pane's answer.
    static int OpenImageInPane(CString path, int inAlbum, int albumId, int seq);
    // Online print order: starts the print-site chooser when the order server answers.
    afx_msg void OnOnlinePrintOrder();
    afx_msg void OnTemplatePrForm();

    // The folder-bar group shown (kFolderBrowse, kFolderAlbum or kFolderEditTools).
    void SetSelFolder(int index) { m_wndFolderBar.SetSelFolder(index); }
    int GetSelFolder() { return m_wndFolderBar.GetSelFolder(); }
    void ShowBrowsePane();
    void ShowAlbumPane();

    // Copies what the window shows on the primary screen into a new editor titled
    // "Capture-%d"; null when the window is gone or nothing of it is on screen.
    CImgEditView* CaptureWindow(HWND hWnd);

    // A new editor on `image` (taken over; freed when no editor opens) titled `title`, modified.
    CImgEditView* OpenImageAsNewEditor(CImageObject* image, CString title);

    CVXToolBar m_wndToolBar;
    CVXFolderBar m_wndFolderBar;
    int m_nSelFolder;
    CDlgConsoleEditTools* m_pEditToolsPane;
    CDlgConsoleAlbum* m_pAlbumPane;
    CDlgConsoleBrowse* m_pBrowsePane;
    int m_bCreated;
    CDlgAdvertising* m_pAdDialog;
    CImgEditView* m_pActiveEditView;  // set and cleared by the editor views
    CProgressCtrl m_wndProgress;      // 0..100, in status pane 1
    CStatusBar m_wndStatusBar;        // pane 2: size, zoom and position texts
    CVXMenu m_menuShared;
    CVXMenu m_menuDefault;
    CReBar m_wndReBar;
    CBitmap* m_pBandBitmap;
    CImageList m_ilLarge;
    CImageList m_ilSmall;
    int m_bBrowsePaneReady;
    int m_bAlbumPaneReady;
    int m_bTopMost;

protected:
    // TWAIN: one transferred picture; the handle stays the base's.
    void CopyImage(HANDLE hBitmap, TW_IMAGEINFO& info) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg void OnToolbarDropDown(NMHDR* pNotifyStruct, LRESULT* pResult);
    afx_msg LRESULT OnOutbarNotify(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnOpenFromInstance(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnImageProgress(WPARAM wParam, LPARAM lParam);

    afx_msg void OnToolBox();
    afx_msg void OnUpdateToolBox(CCmdUI* pCmdUI);
    afx_msg void OnTopMost();
    afx_msg void OnUpdateTopMost(CCmdUI* pCmdUI);
    afx_msg void OnNoTopMost();
    afx_msg void OnUpdateNoTopMost(CCmdUI* pCmdUI);

    afx_msg void OnNewImage();
    afx_msg void OnFileOpen();
    afx_msg void OnPasteNewImage();
    afx_msg void OnUpdatePasteNewImage(CCmdUI* pCmdUI);
    afx_msg void OnSelectSource();
    afx_msg void OnScan();
    afx_msg void OnHomepage();
    afx_msg void OnHelpContents();
    afx_msg void OnTemplateMask();
    afx_msg void OnTemplatePattern();
    afx_msg void OnTemplateFrame();
    afx_msg void OnTemplateCalendar();
    afx_msg void OnJpegFormat();
    // Screen capture, settings and the music player.
    afx_msg void OnMediaPlayer();
    afx_msg void OnSettings();
    afx_msg void OnScreenCapture();

    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateToolBar();
    BOOL CreateStatusBar();
    BOOL CreateReBar();
    BOOL CreateFolderBar();
    BOOL CreatePanes();
    void PlaceProgressBar();
    // MDI-activates the editor's frame.
    void ActivateEditor(CImgEditView* view);
    // Asks about every modified editor; FALSE when the close is refused.
    BOOL QueryCloseEditors();
    void SaveFrameState();
};
