// CDlgConsoleEditTools: the edit-tools pane of the folder bar. This is the
// pane's outline: the notifications the editor views call and the tool
// settings they read, with the pane's defaults; the tools themselves come later.
#pragma once

#include "dialogs/VXDialog.h"

class CImgEditView;

class CDlgConsoleEditTools : public CVXDialog {
public:
    explicit CDlgConsoleEditTools(CWnd* pParent = nullptr);

    // Called by the editor views.
    void OnEditorViewChanged(CImgEditView* pView);
    void OnEditorViewActivated(CImgEditView* pView);
    void OnEditorViewDeactivated(CImgEditView* pView);
    void OnEditorViewDestroyed(CImgEditView* pView);
    void UpdateNavigatorFrame(CRect rcVisible);
    void SetCurrentColor(COLORREF clr);
    // The tool buttons follow the active editor's tool.
    void SyncToolButtons();

    // Tool settings the editor reads while the user draws.
    COLORREF m_clrCurrent;
    int m_nBrushSize;  // 1..16
    int m_nOpacity;    // 0..100
    int m_nRatioX;     // 0, 0: free selection
    int m_nRatioY;

protected:
    // A pane: Enter and Escape must not end it.
    void OnOK() override {}
    void OnCancel() override {}
};
