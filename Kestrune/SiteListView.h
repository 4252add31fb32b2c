// CSiteListView: the partner print sites as a scrolling grid of square cells,
// each with the site's picture centred in a rounded frame. A click or the keys
// select a site; a double click, Enter or the context menu hand over to it.
#pragma once

#include "SiteTable.h"

class CImageObject;
class CVXMenu;

class CSiteListView : public CScrollView, public CSiteTable {
    DECLARE_DYNCREATE(CSiteListView)
public:
    CSiteListView();
    ~CSiteListView() override;

    enum { PICTURE_BOX = 196, CELL_SIZE = 210 };

    void SetBkColor(COLORREF colour) { m_clrBk = colour; }
    // Gives every site of the table a picture slot (empty until LoadThumbnails).
    void SyncPictureSlots();
    void LoadThumbnails();
    // Repaints the cells of `oldIndex` and `newIndex` and scrolls the new one into view.
    void SetSelection(int oldIndex, int newIndex);
    // Opens site i (the browser, or the maker's program) and closes the owner.
    void OpenSelectedSite(int i);
    // Loads the context menu into `menu`; its pop-up for the selected site (home page greyed when it has none).
    CMenu* BuildContextMenu(CVXMenu& menu);

    int GetSiteCount() const { return (int)m_arrPictures.GetSize(); }
    // On-screen rectangles of site i's cell and picture (the picture's empty without one).
    CRect CellRect(int i) const;
    CRect PictureRect(int i) const;
    // The content's height: whole rows of cells, at least the client's height.
    int ContentHeight() const;
    // The address the home-page command opens: the site's home page, "http://" put before one without a scheme.
    static CString HomePageAddress(const CString& homePage);

    CWnd* m_pOwner;
    CString m_strDataDir;  // where the cached pictures ("Temp\") and the maker's program lie
    CArray<CImageObject*, CImageObject*> m_arrPictures;
    BOOL m_bFrameActivation;
    int m_nCancelLoad;
    int m_nFixedColumns;
    int m_nColumns;
    int m_nLeftMargin;
    int m_nCellSize;
    int m_nSelected;
    BOOL m_bOverPicture;
    CRect m_rcClient;
    COLORREF m_clrBk;
    COLORREF m_clrSelFill;
    COLORREF m_clrCellBorder;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;

protected:
    enum HitKind { HIT_OUTSIDE, HIT_NONE, HIT_SITE };
    // HIT_OUTSIDE with no sites or left of the grid; HIT_SITE with `index` on a site's cell.
    HitKind HitTest(CPoint point, int& index) const;
    BOOL IsValidSite(int i) const { return i >= 0 && i < GetSiteCount() && i < CSiteTable::GetSiteCount(); }
    void UpdateScrollSizes();
    void InvalidateFrame(int i);
    void DrawCell(CDC* dc, int i, int bandTop);
    void DrawFocusMark(CDC* pDC);
    void ShowContextMenu();

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnDestroy();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnSiteOrder();
    afx_msg void OnSiteHomepage();
    afx_msg void OnSiteInfo();
    DECLARE_MESSAGE_MAP()
};
