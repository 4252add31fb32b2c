// CConsoleImgListView: the list of open editors inside the edit-tools pane,
// one 90 x 90 thumbnail per editor in a grid of square cells. It follows the
// editors' pictures and the active editor, switches editors by click and key
// and closes one from its popup. It borrows the editor views and owns only
// their thumbnails; an editor without a picture yet has an empty cell.
#pragma once

#include "mfc.h"

#include <memory>
#include <vector>

class CDlgConsoleEditTools;
class CImageObject;
class CImgEditView;

class CConsoleImgListView : public CScrollView {
    DECLARE_DYNCREATE(CConsoleImgListView)
public:
    enum { kThumbSide = 90, kCellSize = 100, kPlaceholders = 32 };

    CConsoleImgListView();
    ~CConsoleImgListView() override;

    // Lists the view (or renews its thumbnail) and selects it.
    void AddOrUpdateView(CImgEditView* pView);
    // Selects the view's entry when it is listed.
    void SelectView(CImgEditView* pView);
    // No entry selected; nothing is repainted.
    void ClearSelection() { m_nSel = -1; }
    void RemoveView(CImgEditView* pView);
    void SetBkColor(COLORREF clr) { m_clrBk = clr; }

    int GetCount() const { return int(m_arrViews.size()); }
    // Index of the view's entry, -1 when it is not listed.
    int FindView(const CImgEditView* pView) const;
    // The entry's view and thumbnail (null when it has none); an index
    // outside the list raises the invalid-argument exception.
    CImgEditView* GetView(int index) const;
    CImageObject* GetThumb(int index) const;
    // The entry's cell and thumbnail in client coordinates.
    CRect GetCellRect(int index) const;
    CRect GetThumbRect(int index) const;
    // The entry whose cell (or thumbnail) holds the client point, -1 none.
    int CellAt(CPoint point) const;
    int ThumbAt(CPoint point) const;
    // Repaints the old and new cells' frames and scrolls the new entry into view.
    void ChangeSelection(int nOld, int nNew);
    void RecalcLayout();

    void OnDraw(CDC* pDC) override;
    void OnInitialUpdate() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    std::vector<std::unique_ptr<CImageObject>> m_arrThumbs;
    std::vector<CImgEditView*> m_arrViews;
    int m_bActivateOnClick;
    CDlgConsoleEditTools* m_pOwnerPane;
    int m_nFixedColumns;
    int m_nColumns;
    int m_nMargin;
    int m_nCellSize;
    int m_nSel;
    int m_nMenuItem;
    int m_bOverThumb;
    CRect m_rcClient;
    COLORREF m_clrBk;
    COLORREF m_clrSelFill;
    COLORREF m_clrCellBorder;

protected:
    static std::unique_ptr<CImageObject> MakeThumb(CImgEditView* pView);
    CSize ContentSize() const;
    CSize ScrollPage() const;
    CSize ScrollLine() const;
    // Moves the selection by a key; TRUE when the key was one of the list's.
    BOOL MoveByKey(UINT vk);
    void ActivateEntry(int index);
    void ShowMenu(CPoint screen);

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnDestroy();
    afx_msg void OnCloseEditor();
    afx_msg void OnUpdateCloseEditor(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};
