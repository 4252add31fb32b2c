// CDlgConsoleBrowse: the folder pane of the folder bar ("미디어 탐색기"). It shows the file system
// as a folder tree, opens folders in the image browser, makes, renames and deletes folders and
// pastes the program's file clipboard into them, keeping the thumbnail cache and the album rows
// in step; in check-box mode several ticked folders are gathered in one browser. Below the tree
// the preview, EXIF and music sub panes.
#pragma once

#include "mfc.h"

#include "album/DlgConsolePane.h"
#include "controls/DirTreeCtrl.h"

class CDlgConsoleSubEXIF;
class CDlgConsoleSubPreview;
class CDlgMediaPlayerBar;
class CImgDetailView;
class CVXMenu;

class CDlgConsoleBrowse : public CDlgConsolePane {
public:
    explicit CDlgConsoleBrowse(CWnd* pParent = nullptr);
    ~CDlgConsoleBrowse() override;

    BOOL OnInitDialog() override;

    // Fills the folder tree the first time only, at the folder of the last run.
    void InitDirTree();
    void OpenFolderInBrowser(CString folder);
    int ShowImageInSubPanes();
    void ShowMusicTab();
    void SetPreviewDetailView(CImgDetailView* pView);
    // The tree's selected folder (empty without one) and whether the music tab is the shown one.
    CString GetSelectedFolder();
    BOOL IsMusicTabShown() const { return GetShownTab() == 2; }
    // The music tab's player, null before the pane is made.
    CDlgMediaPlayerBar* GetPlayerBar() const;
    // The folder item under a point of the tree's client area becomes the one the menu acts on;
    // FALSE when the point hit no item.
    BOOL TargetItemAt(CPoint point);
    // The tree's menu for the folder last targeted, ready to track; null when it cannot load.
    CMenu* BuildContextMenu(CVXMenu& menu);
    // Whether the folder is one the pane never deletes or renames: the desktop, My Computer, the
    // network, a drive root, the home folder.
    BOOL IsProtectedFolder(HTREEITEM item, const CString& path);

    CDirTreeCtrl m_wndTree;
    CStringArray m_arrCheckedFolders;
    CDlgConsoleSubPreview* m_pPreview;
    CDlgConsoleSubEXIF* m_pExif;
    CWnd* m_pMusicPane;  // the player bar (CDlgMediaPlayerBar)
    CString m_strCurFolder;
    CString m_strContextPath;
    CString m_strContextName;
    HTREEITEM m_hContextItem;
    CString m_strCurPath;
    int m_bTreeInit;
    ITEMIDLIST* m_pidlDesktop;
    ITEMIDLIST* m_pidlMyComputer;
    ITEMIDLIST* m_pidlNetwork;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnTreeItemDropped(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTreeRClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTreeClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnOpenBrowser();
    afx_msg void OnUncheckAll();
    afx_msg void OnPasteFiles();
    afx_msg void OnNewFolder();
    afx_msg void OnRenameFolder();
    afx_msg void OnDeleteFolder();
    afx_msg void OnRefresh();
    afx_msg void OnShowCheckboxes();
    afx_msg void OnTabPreview();
    afx_msg void OnTabExif();
    afx_msg void OnTabMusic();
    DECLARE_MESSAGE_MAP()

private:
    void MakeSubPanes();
    BOOL IsSpecialItem(HTREEITEM item);
    static CString WithBackslash(CString path);
    // Takes the folder out of the ticked list, and its images out of the browser unless it is
    // the selected folder; answers whether it was listed.
    BOOL UntickFolder(const CString& path, const CString& selected);
};
