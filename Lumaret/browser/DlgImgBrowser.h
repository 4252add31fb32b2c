// CDlgImgBrowser: the image browser window. It owns the item list of one listing (a folder, an
// album or a keyword search over the album details) as parallel arrays, and shows it in one of
// three views: thumbnails, the photo-list grid, or a zoomed picture. The folder and album panes
// open it as a layer page and ask it to list; it drives those panes when the user picks a
// location or a row.
#pragma once

#include "controls/CheckButton.h"
#include "controls/VXComboBox.h"
#include "dialogs/VXDialog.h"
#include "grid/VXGridCtrl.h"

#include "browser/BrowserWorker.h"

#include <map>
#include <mutex>

class CDlgConsoleAlbum;
class CDlgConsoleBrowse;
class CImageObject;
class CImgBrowserDetailView;
class CMivoImgBrowserView;

class CDlgImgBrowser : public CVXDialog {
    DECLARE_DYNAMIC(CDlgImgBrowser)
public:
    enum { MODE_FOLDER = 0, MODE_ALBUM = 1, MODE_SEARCH = 2 };
    // Location codes of the combo: 0 a folder, ALBUM_CODE_BASE + AlbumID an album.
    enum { ALBUM_CODE_BASE = 10000 };

    explicit CDlgImgBrowser(CWnd* pParent = nullptr, UINT nIDTemplate = 0);
    ~CDlgImgBrowser() override;

    BOOL OnInitDialog() override;

    // The browser page of the main window, opened as a layer titled "이미지 브라우저" (the open
    // one is reused) inside a frame made from frameResourceId. Null without a main window.
    static CDlgImgBrowser* OpenLayer(UINT frameResourceId);

    // --- Listings. Each stops the thumbnail loader before it changes the list and starts it after.
    // Lists the folder that holds `path` (a folder ending in a backslash, or a file).
    void ListFolder(CString path, BOOL force);
    void ListAlbum(int albumId, BOOL force);
    void SearchAlbums(CString keyword);
    // Fills the grid from the item list, once per listing.
    void FillPhotoList();
    // "Parent->Child" of an album, walked up its parents; a cycle ends at the album seen again.
    static CString AlbumPath(int albumId);

    // --- The item list. Change it only while the thumbnail loader is stopped.
    // Files are appended; folders go in at m_nFolderCount, before the first file. The new index.
    int AddItem(CString path, int isFolder, int albumId, int seq);
    // Throws the invalid-argument exception for an index outside the list.
    void RemoveItem(int index);
    void ClearItems();
    BOOL IsItem(int index) const { return index >= 0 && index < m_nItemCount; }
    BOOL IsParentEntry(int index) const;
    // Held by the thumbnail loader while it writes an item's caption, size, image and done flag,
    // and by the painter while it reads them.
    std::mutex& ItemLock() { return m_itemLock; }

    // --- Views.
    void ShowThumbnails();
    void ShowPhotoList();
    void ShowDetail();
    // The thumbnail loader of the thumbnail view (nothing before the view exists).
    void StopThumbnailThread();
    void StartThumbnailThread();

    // --- The console panes of the main frame (null outside the program).
    CDlgConsoleBrowse* BrowsePane() const { return m_pBrowsePane; }
    CDlgConsoleAlbum* AlbumPane() const { return m_pAlbumPane; }
    // The folders ticked in the folder pane's tree (empty without the pane).
    CStringArray* CheckedFolders() const;
    // The file the pane of the current listing shows: folder pane, album pane, none in a search.
    CString PaneFile() const;

    // Item arrays: one entry per listed item, folders first (0 .. m_nFolderCount - 1).
    CStringArray m_arrPath;
    CStringArray m_arrName;
    CStringArray m_arrLabel;
    CUIntArray m_arrWidth;
    CUIntArray m_arrHeight;
    CUIntArray m_arrSizeKB;
    CUIntArray m_arrIsFolder;
    CUIntArray m_arrAlbumID;
    CUIntArray m_arrSeq;
    CStringArray m_arrDate;
    CUIntArray m_arrThumbDone;
    CUIntArray m_arrSelected;
    CPtrArray m_arrThumb;       // owned CImageObject*, made by the thumbnail loader
    CStringArray m_arrTitle;    // album titles of a search, in item order
    int m_nItemCount;
    int m_nFolderCount;

    int m_nMode;
    int m_nAlbumID;
    CString m_strLocation;
    BOOL m_bMultiFolder;
    BOOL m_bListFilled;
    int m_nCurRow;

    CMivoImgBrowserView* m_pThumbView;
    CImgBrowserDetailView* m_pDetailView;
    CImageObject* m_pPreviewImage;   // owned
    CString m_strPreviewPath;
    CDlgConsoleBrowse* m_pBrowsePane;
    CDlgConsoleAlbum* m_pAlbumPane;

    CVXGridCtrl m_wndGrid;
    CCheckButton m_btnThumbs;
    CCheckButton m_btnList;
    CCheckButton m_btnDetail;
    CVXComboBox m_wndLocation;
    CImageList m_ilGrid;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override {}
    void OnCancel() override {}

    afx_msg void OnShowThumbnails();
    afx_msg void OnShowPhotoList();
    afx_msg void OnShowDetail();
    afx_msg void OnLocationSelected();
    afx_msg void OnRowClicked(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnRowSelected(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTitleEdited(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnGridReplyZero(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnGridReplyOne(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnImageProgress(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnImageDone(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void SetUpButtons();
    void SetUpGrid();
    void CreateViews();
    void CheckViewButtons(BOOL thumbs, BOOL list, BOOL detail);
    // Selects the combo entry with this text, adding it with the code when missing.
    void SelectLocation(const CString& text, const CString& code);
    // The panes' preview links: the folder pane's, the album pane's (or null).
    void LinkPreviews(BOOL folderPane, BOOL albumPane);
    void StartPreviewLoad(const CString& path);
    void JoinPreviewLoad();
    static UINT BrowserPreviewLoadThread(LPVOID param);
    // The item index named by a grid row's column 0; throws for one outside the list.
    int ItemOfRow(int row);
    void RemoveEntry(int index);
    void FreeThumbnails();
    std::map<CString, CString> ReadTitles();

    std::mutex m_itemLock;
    CBrowserWorker m_previewWorker;
};
