// CDlgConsoleAlbum: the album pane of the folder bar ("앨범관리자"). It shows the albums as a
// tree, makes, renames, deletes and re-parents them, pastes the program's file clipboard into
// an album, finds album photos by keyword and opens albums in the image browser; below the tree
// the preview, EXIF and album-details sub panes show the photo last opened from an album.
#pragma once

#include "mfc.h"

#include "album/AlbumTreeCtrl.h"
#include "album/DlgConsolePane.h"

class CDlgConsoleSubAlbum;
class CDlgConsoleSubEXIF;
class CDlgConsoleSubPreview;
class CImgDetailView;
class CVXMenu;

class CDlgConsoleAlbum : public CDlgConsolePane {
public:
    explicit CDlgConsoleAlbum(CWnd* pParent = nullptr);
    ~CDlgConsoleAlbum() override;

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Fills the tree once; the first fill selects (and so opens) m_nSelectAlbumID.
    void LoadAlbumTree();
    void OpenAlbumInBrowser(int albumId);
    // Shows m_strCurPath in the sub panes, with its album row.
    int ShowImageInSubPanes(int albumId, int seq);
    void SetPreviewDetailView(CImgDetailView* pView);
    // AlbumID of the tree's selected item, -1 without one.
    int GetSelectedAlbumID();
    // The item under a point of the tree's client area becomes the one the menu acts on.
    void TargetItemAt(CPoint point);
    // The tree's menu for the item last targeted, ready to track; null when it cannot load.
    CMenu* BuildContextMenu(CVXMenu& menu);

    CImageList m_imageList;
    CAlbumTreeCtrl m_treeAlbum;
    CCheckButton m_btnSearch;
    CString m_strKeyword;
    CDlgConsoleSubPreview* m_pPreview;
    CDlgConsoleSubEXIF* m_pExif;
    CDlgConsoleSubAlbum* m_pAlbumInfo;
    CString m_strCurPath;
    int m_nSelectAlbumID;
    int m_bTreeLoaded;
    HTREEITEM m_hContextItem;
    int m_nContextAlbumID;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnTreeItemDropped(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTreeRClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnOpenBrowser();
    afx_msg void OnPasteToAlbum();
    afx_msg void OnNewAlbum();
    afx_msg void OnDeleteAlbum();
    afx_msg void OnRefresh();
    afx_msg void OnRenameAlbum();
    afx_msg void OnSearch();
    afx_msg void OnTabPreview();
    afx_msg void OnTabExif();
    afx_msg void OnTabAlbumInfo();
    DECLARE_MESSAGE_MAP()

private:
    void MakeSubPanes();
    // Opens the browser layer for the album pane's listings; FALSE when there is none.
    BOOL OpenBrowserLayer();
};
