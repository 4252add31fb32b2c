// CDragListBox: a list box whose items the user drags to new places.
#pragma once

#include "mfc/ListBox.h"

class AFX_EXT_CLASS CDragListBox : public CListBox {
    DECLARE_DYNAMIC(CDragListBox)
public:
    CDragListBox() = default;
    ~CDragListBox() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;
    int ItemFromPt(CPoint pt, BOOL bAutoScroll = TRUE) const;

    // DL_BEGINDRAG: TRUE starts a drag of the item under the point (screen).
    virtual BOOL BeginDrag(CPoint pt);
    virtual void CancelDrag(CPoint pt);
    // DL_DRAGGING: the cursor to show (DL_STOPCURSOR, DL_COPYCURSOR, DL_MOVECURSOR).
    virtual UINT Dragging(CPoint pt);
    virtual void Dropped(int nSrcIndex, CPoint pt);
    // Marks where the item would go; -1 removes the mark.
    virtual void DrawInsert(int nItem);

    int GetDragItem() const { return m_nLast; }

protected:
    void PreSubclassWindow() override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    int m_nLast = -1;

private:
    static bool HandleDragList(HWND list, DRAGLISTINFO* info, LRESULT* result);
};
