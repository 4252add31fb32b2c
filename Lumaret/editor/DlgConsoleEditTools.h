// CDlgConsoleEditTools: the edit-tools pane of the folder bar. It holds the
// editor's drawing tools, the current colour with a row of the sixteen
// colours used last, brush size and opacity, the aspect ratio of the
// rectangle selection, and one image box that shows either the list of open
// editors or a navigator: a thumbnail of the active editor's picture with a
// frame over the part its window shows, which the user drags to scroll.
// The editor views call the notifications and read the tool settings.
#pragma once

#include "dialogs/VXDialog.h"

#include "controls/CheckButton.h"
#include "controls/ImageButton.h"
#include "controls/VXComboBox.h"
#include "controls/VXStatic.h"

#include <memory>

class CConsoleImgListView;
class CImageObject;
class CImgEditView;

class CDlgConsoleEditTools : public CVXDialog {
public:
    enum { kSwatches = 16, kTools = 8, kUnfinishedTools = 4 };

    explicit CDlgConsoleEditTools(CWnd* pParent = nullptr);
    ~CDlgConsoleEditTools() override;

    // Called by the editor views (each ignored while the program closes).
    void OnEditorViewChanged(CImgEditView* pView);
    void OnEditorViewActivated(CImgEditView* pView);
    void OnEditorViewDeactivated(CImgEditView* pView);
    void OnEditorViewDestroyed(CImgEditView* pView);
    // The part of the active picture its window shows, in picture pixels.
    void UpdateNavigatorFrame(CRect rcVisible);
    // The drawing colour; a colour not in the swatch row goes first in it.
    void SetCurrentColor(COLORREF clr);
    // The tool buttons follow the active editor's tool.
    void SyncToolButtons();
    void RebuildNavigatorImage();
    // The image box shows the editor list or the navigator.
    void ShowWindowList();
    void ShowNavigator();

    // "3 x 2" gives 3, 2; a text without 'x' or 'X' gives 0, 0. CP949 text
    // is read by characters: a trail byte may equal 'x'.
    static void ParseRatio(LPCSTR text, int* pX, int* pY);
    // Six hex digits, red first.
    static CString ColorHex(COLORREF clr);

    // The image box and the thumbnail's place in it, in client coordinates.
    CRect ImageBoxRect() const;
    CRect NavThumbRect() const;

    COLORREF m_arrSwatch[kSwatches];
    int m_bWindowListMode;
    // A child window: it deletes itself when destroyed.
    CConsoleImgListView* m_pImgListView;
    CRect m_rcSwatch[kSwatches];
    CRect m_rcColorBox;
    COLORREF m_clrCurrent;
    int m_nRatioX;  // 0, 0: free selection
    int m_nRatioY;
    std::unique_ptr<CImageObject> m_pNavImage;
    CRect m_rcVisible;
    CRect m_rcNavFrame;  // left -1: no frame
    int m_bOverNavFrame;
    CPoint m_ptDragLast;
    int m_nNavRatio;
    int m_nOpacity;    // 0..100
    int m_nBrushSize;  // 1..16
    CString m_strColorHex;
    CString m_strRatio;

    CCheckButton m_btnTools[kTools];
    CCheckButton m_btnUnfinished[kUnfinishedTools];
    CCheckButton m_btnWindowList;
    CCheckButton m_btnNavigator;
    CImageButton m_btnPalette;
    CVXComboBox m_cbRatio;
    CSliderCtrl m_sliderSize;
    CSliderCtrl m_sliderOpacity;
    CVXStatic m_stcTools;
    CVXStatic m_stcColor;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // A pane: Enter and Escape must not end it.
    void OnOK() override {}
    void OnCancel() override {}

    void SetupButtons();
    void CreateListView();
    void UpdateWindowListCaption();
    void Layout(int cx, int cy);
    void ForgetNavFrame();
    // Invalidates the one-pixel outline of a navigator frame.
    void InvalidateOutline(const CRect& frame);
    void InvalidateImageBox();
    void PaintNavigator(CDC* pDC);
    // Dragging the frame to `point`; the active editor scrolls along.
    void DragNavFrame(CPoint point);

    afx_msg void OnToolButton(UINT nID);
    afx_msg void OnRatioSelected();
    afx_msg void OnPalette();
    afx_msg void OnWindowListButton();
    afx_msg void OnNavigatorButton();
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    afx_msg void OnFitToWindow();
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
