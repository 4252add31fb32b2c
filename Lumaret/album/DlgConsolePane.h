// CDlgConsolePane: what the album pane and the folder pane share below their trees: the
// horizontal splitter bar, the area of the three sub panes with its three tab buttons, their
// layout and the remembered position of the bar.
#pragma once

#include "mfc.h"

#include "controls/CheckButton.h"
#include "controls/ySplitterWnd.h"
#include "dialogs/VXDialog.h"

class CDlgConsolePane : public CVXDialog {
public:
    CDlgConsolePane(UINT nIDTemplate, CWnd* pParent);
    ~CDlgConsolePane() override;

    // Tab index 0, 1 or 2: its button alone checked, its sub pane alone shown.
    void ShowTab(int index);
    int GetShownTab() const { return m_nShownTab; }

    CySplitterWnd m_wndSplitter;
    CCheckButton m_btnTabs[3];
    int m_nSplitterY;

protected:
    void OnOK() override {}
    void OnCancel() override {}

    // Binds the bar between the tree and the area, sets up the tab buttons (the third one's id
    // and tooltip given) and restores the bar's top from the profile entry.
    void SetupLowerHalf(UINT treeId, int minBelow, UINT thirdTabId, const char* thirdTooltip);
    void RestoreSplitter(const char* entry);
    void SaveSplitter(const char* entry);
    // The layout for a client of cx by cy; a filled tree keeps the bar at or above cy - 150.
    void LayoutPane(int cx, int cy, BOOL treeFilled, CWnd* searchButton);
    // Tab buttons on the area's top edge, sub panes inside the area.
    void PlaceTabsAndSubPanes();
    // The uncovered margins in the 3-D face colour.
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnSplitterMoved(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    static CString ProfileSection();
    CRect ChildRect(UINT id);

    UINT m_nTreeId;
    int m_nShownTab;
};
