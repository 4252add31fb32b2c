// CMivoImgBrowserView: the thumbnails of the browser window's item list as a grid of cells with
// three text lines each. It selects with mouse, keys and a rubber band, loads thumbnails on a
// worker through the thumbnail cache, keeps the program's file clipboard, drags photo lists to
// other windows, and runs the commands of its context menu on the selection. It owns no item
// data: it reads and writes the browser window's arrays in place.
#pragma once

#include "mfc.h"

#include "browser/BrowserWorker.h"
#include "browser/ThumbGrid.h"

#include <memory>
#include <vector>

class CDlgImgBatch;
class CDlgImgBrowser;
class CImageObject;
class CVXMenu;

class CMivoImgBrowserView : public CScrollView {
    DECLARE_DYNCREATE(CMivoImgBrowserView)
public:
    CMivoImgBrowserView();
    ~CMivoImgBrowserView() override;

    void SetBackColor(COLORREF colour) { m_clrBack = colour; }
    // The loader: started after every change of the list, stopped (and joined) before one.
    void StartThumbnailThread();
    void StopThumbnailThread();
    BOOL IsLoaderRunning() const { return m_loader.IsStarted(); }
    void RecalcScrollSizes();
    void UpdateStatusText();
    // Pane 2 and pane 4 texts of the status bar for the current list and selection.
    CString CountText() const;
    CString SizeText() const;
    CRect GetItemRect(int item);
    CRect GetThumbRect(int item);
    void EnsureItemVisible(int item, BOOL toggle);
    void SelectItem(int item, BOOL clearOthers, BOOL showInPanes);
    void SelectRange(int a, int b);
    // The rubber band's rectangle (client coordinates) while it is drawn.
    void SelectInTrackRect(const CRect* rect);
    // The item under a client point, -1 for none.
    int HitTest(CPoint point);
    const CThumbGrid& Grid() const { return m_grid; }

    // --- File clipboard and dragging.
    void Cut();
    void Copy();
    void Paste();
    // The dragged photo list: "kind\tpath\r" per item.
    CString DragText();
    // Selected items in index order, and their count.
    std::vector<int> Selection() const;
    // The context menu (built, greyed by the rules, not shown); the item right-clicked, -1 for none.
    CMenu* BuildContextMenu(CVXMenu& menu, int clicked);
    // Whether a path is open in one of the editor views found by the last edit command.
    BOOL IsOpenInEditor(const CString& path) const;

    // Opens the slide show over the files (all, or the selected ones) starting at an item.
    void OpenSlideShow(int start, BOOL selectedOnly);

    BOOL m_bActivateOnClick;
    CDlgImgBrowser* m_pBrowser;
    LONG m_nStopThumbs;  // the loader's stop request and the decoders' cancel flag; interlocked writes
    int m_nAnchor;
    int m_nLast;
    BOOL m_bDragArmed;
    int m_nSelCount;
    int m_nFocus;
    BOOL m_bOverThumb;
    CRect m_rcClient;
    COLORREF m_clrBack;
    COLORREF m_clrSelFill;
    COLORREF m_clrCellBorder;
    COLORREF m_clrNameText;
    COLORREF m_clrCaptionText;
    COLORREF m_clrDateText;
    COLORREF m_clrIndexText;
    std::unique_ptr<CImageObject> m_pFolderIcon, m_pFolderIconSel, m_pParentIcon, m_pParentIconSel;
    CPtrArray m_arrEditImages;   // owned until handed to an editor
    CStringArray m_arrEditPaths; // the files of the last edit command, one per entry
    int m_nEditNext;
    CPtrArray m_arrEditorViews;
    POINT m_ptTrackStart;
    POINT m_ptTrackCur;
    CRect m_rcTrackUnion;

protected:
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnImageProgress(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnImageDone(WPARAM wParam, LPARAM lParam);

    // Commands of the context menu.
    afx_msg void OnSlideShow();
    afx_msg void OnEdit();
    afx_msg void OnDetail();
    afx_msg void OnLinkedProgram();
    afx_msg void OnWallpaper(UINT nID);
    afx_msg void OnAddToAlbum();
    afx_msg void OnBatchFilter();
    afx_msg void OnBatchFrame();
    afx_msg void OnBatchResize();
    afx_msg void OnRename();
    afx_msg void OnMakeCalendar();
    afx_msg void OnRemove();
    afx_msg void OnCut();
    afx_msg void OnCopy();
    afx_msg void OnPaste();
    afx_msg void OnExclude();
    afx_msg void OnSelectAll();
    afx_msg void OnRefresh();
    afx_msg void OnUpdateSelection(CCmdUI* pCmdUI);
    afx_msg void OnUpdateOneSelected(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePaste(CCmdUI* pCmdUI);
    afx_msg void OnPrintPictures();
    afx_msg void OnAddToCart();
    DECLARE_MESSAGE_MAP()

private:
    // Runs a batch dialog on the selected files, then shows where the results went.
    void RunBatchDialog(CDlgImgBatch& dlg);
    static UINT ThumbnailLoadThread(LPVOID param);
    static UINT EditImageLoadThread(LPVOID param);
    // One item of a loader pass; false when the pass should stop.
    void LoadThumbnailOf(int item, class CThumbnailCache& cache, const CString& scratch);
    void BuildIcons();
    CImageObject* RecolouredIcon(UINT bitmapId, BOOL selected);
    void TrackSelection(CPoint point);
    void StartDrag();
    void ShowContextMenu(int clicked);
    // The part of the cell outside its thumbnail.
    void InvalidateFrame(int item, BOOL erase);
    void MoveByKey(UINT key, BOOL shift);
    void RelistOrNothing();
    void FreeEditImages();
    void PasteIntoFolder();
    void PasteIntoAlbum();
    CPoint ScrollPos() const { return GetScrollPosition(); }
    BOOL HasItems() const;

    CThumbGrid m_grid;
    CBrowserWorker m_loader;
    CBrowserWorker m_editLoader;
    int m_nClickedItem;  // the item of the last right click, -1 for none
};
