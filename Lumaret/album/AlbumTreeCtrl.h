// CAlbumTreeCtrl: the tree of albums (item data = AlbumID) of the album pane and the album
// picker. An album dragged onto another moves under it and the notify window is told, which
// stores the new parent; photos dropped from the thumbnail view are stored by the drop target.
#pragma once

#include "mfc.h"

#include "album/AlbumTreeDropTarget.h"

#ifndef WM_TREE_ITEM_DROPPED
// wParam = the moved album's AlbumID, lParam = the new parent's AlbumID.
#define WM_TREE_ITEM_DROPPED 0x7E9
#endif

class CAlbumTreeCtrl : public CTreeCtrl {
public:
    CAlbumTreeCtrl();
    ~CAlbumTreeCtrl() override;

    void SetNotifyWnd(CWnd* pWnd) { m_pNotifyWnd = pWnd; }
    // Only the first album tree of the process takes dropped photos, while it lives.
    BOOL RegisterDropTarget();
    AlbumTreeDropTarget& GetDropTarget() { return m_dropTarget; }

    CWnd* m_pNotifyWnd;
    CImageList* m_pDragImage;
    int m_bDragging;
    HTREEITEM m_hDragItem;
    HTREEITEM m_hDropItem;
    AlbumTreeDropTarget m_dropTarget;

protected:
    afx_msg void OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    void EndDragImage();
    // Whether item is ancestor itself or lies below it.
    bool IsSameOrBelow(HTREEITEM item, HTREEITEM ancestor) const;
    void MoveDraggedAlbum();
};
