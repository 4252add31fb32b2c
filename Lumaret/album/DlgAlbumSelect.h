// CDlgAlbumSelect: the modal album picker. The user chooses the album that photos go to, and may
// make, rename and remove albums on the spot; the caller reads m_nSelAlbumID after IDOK.
#pragma once

#include "mfc.h"

#include "album/AlbumTreeCtrl.h"
#include "controls/ImageButton.h"
#include "dialogs/VXDialog.h"

class CVXMenu;

class CDlgAlbumSelect : public CVXDialog {
    DECLARE_DYNAMIC(CDlgAlbumSelect)
public:
    explicit CDlgAlbumSelect(CWnd* parent = nullptr);
    ~CDlgAlbumSelect() override;

    BOOL OnInitDialog() override;

    void LoadAlbumTree();
    // The item under a point of the tree's client area becomes the one the commands work on
    // (none: the top level, album 0).
    void TargetItemAt(CPoint point);
    // The tree's context menu, ready to track; null when it cannot be loaded. Without an album
    // under the click, rename and remove are greyed.
    CMenu* BuildContextMenu(CVXMenu& menu);

    CImageList m_imageList;
    CImageButton m_btnOK;
    CImageButton m_btnCancel;
    CAlbumTreeCtrl m_treeAlbum;
    HTREEITEM m_hSelItem;
    int m_nSelAlbumID;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    afx_msg void OnRClickTree(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnNewAlbum();
    afx_msg void OnRenameAlbum();
    afx_msg void OnRemoveAlbum();
    afx_msg void OnRefresh();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnTreeItemDropped(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void LayoutControls(int width, int height);
};
