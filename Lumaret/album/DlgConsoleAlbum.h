// CDlgConsoleAlbum: the album pane of the folder bar ("앨범관리자"). This is
// the pane's outline with the calls the main frame makes; the album tree, the
// search and the sub panes come later.
#pragma once

#include "dialogs/VXDialog.h"

class CImgDetailView;

class CDlgConsoleAlbum : public CVXDialog {
public:
    explicit CDlgConsoleAlbum(CWnd* pParent = nullptr);

    void LoadAlbumTree();
    void OpenAlbumInBrowser(int albumId);
    int ShowImageInSubPanes(int albumId, int seq);
    void SetPreviewDetailView(CImgDetailView* pView);
    // AlbumID of the tree's selected item, -1 without one.
    int GetSelectedAlbumID();

    // What the image browser reads: the album tree (item data = AlbumID; null until the pane has
    // one) and the preview's navigator frame for its zoom view.
    CTreeCtrl* GetAlbumTree() { return nullptr; }
    void UpdateNavigatorRect(CRect visible);

    CString m_strCurPath;
    int m_bTreeLoaded;

protected:
    void OnOK() override {}
    void OnCancel() override {}
};
