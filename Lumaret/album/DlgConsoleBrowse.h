// CDlgConsoleBrowse: the folder pane of the folder bar ("미디어 탐색기"). This
// is the pane's outline: the folder tree and the calls the main frame makes;
// the browser, the sub panes and the folder commands come later.
#pragma once

#include "controls/DirTreeCtrl.h"
#include "dialogs/VXDialog.h"

#include <memory>

class CDlgMediaPlayerBar;
class CImgDetailView;

class CDlgConsoleBrowse : public CVXDialog {
public:
    explicit CDlgConsoleBrowse(CWnd* pParent = nullptr);
    ~CDlgConsoleBrowse() override;

    BOOL OnInitDialog() override;

    // Fills the folder tree the first time only.
    void InitDirTree();
    void OpenFolderInBrowser(CString folder);
    int ShowImageInSubPanes();
    void ShowMusicTab();
    void SetPreviewDetailView(CImgDetailView* pView);
    // The tree's selected folder (empty without one) and whether the music tab is the shown one.
    CString GetSelectedFolder();
    BOOL IsMusicTabShown() const { return m_bMusicTab; }

    CString m_strCurFolder;
    CString m_strCurPath;
    int m_bTreeInit;
    // The music player of the music tab, made with the pane; null until then.
    std::unique_ptr<CDlgMediaPlayerBar> m_pPlayerBar;

protected:
    void OnOK() override {}
    void OnCancel() override {}
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

    CDirTreeCtrl m_wndTree;
    BOOL m_bMusicTab;
};
