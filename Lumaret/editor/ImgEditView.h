// The image editor's view: owns the picture, its zoom, the rectangle
// selection with what floats in it, the undo store and the background
// worker. The picture shown belongs to the user-interface thread: the
// loader and the operation worker fill objects of their own, which the
// view takes over in its done handlers.
#pragma once

#include "mfc.h"

#include "editor/EditorMessages.h"

#include <memory>

class CImageObject;
class CDlgConsoleEditTools;
class CImgEditDoc;
class CVXMenu;

class CImgEditView : public CScrollView {
    DECLARE_DYNCREATE(CImgEditView)
public:
    enum { kZoomSteps = 14, kUndoSlots = 8, kParams = 12, kFirstZoomCmd = 33081 };

    CImgEditView();
    ~CImgEditView() override;

    CImgEditDoc* GetDocument() const;

    // --- Loading, fitting, title and status texts.
    void LoadImage(CString path, CString title);
    afx_msg LRESULT OnImageLoaded(WPARAM wParam = 0, LPARAM lParam = 0);
    void FitToWindow();
    void UpdateFrameTitle();
    void UpdateSizeStatus();
    void UpdateSelectionStatus();
    void UpdateScrollSizes();
    void Reopen();
    // The picture's name as the title shows it.
    CString DisplayName();

    // --- Zoom and coordinate mapping.
    void ZoomIn();
    void ZoomOut();
    void ZoomToStep(UINT id);
    int SetZoomNearest(int ratio);
    int GetZoomRatio() const;
    int GetPixelBlock() const;
    CPoint ClientToImage(CPoint client) const;
    CPoint ImageToLogical(CPoint image) const;
    CRect ImageToLogical(const CRect& image) const;
    CRect ImageToClient(const CRect& image) const;
    CRect ClientToImage(const CRect& client) const;
    // The part of the picture the window shows, in picture pixels.
    CRect VisibleImageRect() const;
    // Scrolls the picture point to the window's top-left corner, as far as
    // the scroll range allows (the navigator's frame drag).
    void ScrollToImagePosition(CPoint image);
    CSize ZoomedSize() const;

    // --- Saving.
    BOOL Save();
    BOOL SaveAs();
    // Writes to path; shows a message and keeps the mark when the writer fails.
    BOOL WriteTo(const CString& path);

    void ClearSelection();
    void ClearUndo();

    // --- Operations, worker and undo.
    BOOL StartImageOperation();
    void SaveUndo(CRect rect);
    void Undo();
    void Redo();
    BOOL CanUndo() const;
    BOOL CanRedo() const;
    int UndoDepth() const;
    afx_msg LRESULT OnEditOperationDone(WPARAM wParam, LPARAM lParam);
    // Runs one operation code on `work`; returns the picture that results
    // (work itself, a new picture, or NULL when the library gave none).
    CImageObject* RunOperation(int code, CImageObject* work);
    CImageObject* MarginAndShadow(CImageObject* work);
    // Frees what the mask, margin and frame operations were handed.
    void ReleaseOperationObjects();
    // The free-rotation dialog's answer: quarter turns run their own
    // commands, any other angle turns the picture on the worker.
    void RunFreeRotation(double angle, BOOL clockwise);

    // --- Selection, tools and clipboard.
    BOOL AdjustTracker(CRect& rect, int handle);
    void NudgeSelection(UINT key, BOOL shift);
    void GrowSelection();
    void ShrinkSelection();
    void ResizeSelectionBy(int step);
    void FillSelection();
    void OutlineSelection();
    void Trim();
    void Copy();
    void Cut();
    void Paste();
    void MergeFloat();
    void RenderFloat();
    void MaskFloat();
    void PlaceText(CPoint imagePoint);
    // Floats a rendered text at the point (client coordinates of the tracker).
    void FloatText(CPoint imagePoint);
    void SelectionFromTracker();
    void ApplyToolAt(CPoint client);
    void StrokeTo(CPoint from, CPoint to);
    BOOL IsBusy() const { return m_bBusy || m_bLoading; }
    BOOL HasImage() const;
    // The refusal every busy command shows.
    void ShowBusyMessage();

    // Pane settings with their stand-ins when no pane is given.
    COLORREF PaneColor() const;
    int PaneBrushSize() const;
    int PaneOpacity() const;
    BOOL PaneRatio(int* rw, int* rh) const;

    void OnDraw(CDC* pDC) override;
    void OnInitialUpdate() override;
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Members, in the order the editor's other windows know them.
    CString m_strPathName;
    CDlgConsoleEditTools* m_pEditToolsPane;
    CString m_strTitle;
    int m_nOperation;
    INT_PTR m_anOpParam[kParams];
    CImageObject* m_pImage;
    BOOL m_bModified;
    int m_nEditTool;
    int m_nJpegQuality;
    CUIntArray m_arrZoomRatios;
    int m_nZoomIndex;
    COLORREF m_clrHatch;
    CRect m_rcClient;
    CPoint m_ptDown, m_ptScrollAtDown, m_ptLast;
    CRectTracker* m_pTracker;
    int m_nFloatMode;
    CRect m_rcSelection;
    CImageObject* m_pFloatImage;
    CImageObject* m_pFloatShown;
    CImageObject* m_pFloatMask;
    BOOL m_bFloatMaskInvert;
    int m_nFloatMaskOffset;
    BOOL m_bImprintTransparent;
    LOGFONT m_lfImprint;
    CString m_strImprintText;
    COLORREF m_clrImprintBack;
    COLORREF m_clrImprintText;
    CImageObject* m_apUndo[kUndoSlots];
    CRect m_arcUndo[kUndoSlots];
    int m_nUndoPos;
    int m_nUndoLevel;
    volatile BOOL m_bBusy;

    // Worker state: the loader's picture until it is handed over, the
    // operation's copy and its result until the done handler swaps them in.
    BOOL m_bLoading;
    CImageObject* m_pLoading;
    CImageObject* m_pWork;
    CImageObject* m_pResult;
    BOOL m_bRefitAfterOperation;
    CWinThread* m_pThread;
    // The context menu while it is open, for its owner-drawn items.
    CVXMenu* m_pShownMenu;

protected:
    static UINT LoadImageThread(LPVOID param);
    static UINT ImageOperationThread(LPVOID param);
    BOOL StartWorker(AFX_THREADPROC proc);
    void JoinWorker();
    void AfterPictureChange();
    void MarkModified();
    void AnchoredZoom(int newIndex, CPoint anchorImage);
    void DeletePicture(CImageObject*& picture);
    void DeleteFloat();
    std::unique_ptr<CRectTracker> NewTracker() const;
    void SelectionClick(CPoint point);
    void RestoreUndoSlot(int slot);
    BOOL TakeDialogPictures();
    void ShowContextMenu(CPoint screen);
    void InvalidateTracker(BOOL erase);
    CImageObject* RenderTextBitmap(BOOL overPicture, CSize* extent);
    void RunFloatingGeometry(UINT id);
    void PrepareOperation(int code, BOOL undoWhole);
    void RunSelectionOperation(int code);

    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMIS);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    afx_msg LRESULT OnImageProgress(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLoaderFinished(WPARAM wParam, LPARAM lParam);

    afx_msg void OnReopen();
    afx_msg void OnUpdateReopen(CCmdUI* pCmdUI);
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    afx_msg void OnUpdateZoomIn(CCmdUI* pCmdUI);
    afx_msg void OnUpdateZoomOut(CCmdUI* pCmdUI);
    afx_msg void OnZoomStep(UINT id);
    afx_msg void OnUpdateZoomStep(CCmdUI* pCmdUI);
    afx_msg void OnSave();
    afx_msg void OnUpdateSave(CCmdUI* pCmdUI);
    afx_msg void OnSaveAs();
    afx_msg void OnUpdateSaveAs(CCmdUI* pCmdUI);
    afx_msg void OnHistogram();
    afx_msg void OnUpdateNeedsPicture(CCmdUI* pCmdUI);
    afx_msg void OnUpdateUnavailable(CCmdUI* pCmdUI);
    afx_msg void OnPasteAsNew();
    afx_msg void OnUpdatePasteAsNew(CCmdUI* pCmdUI);
    afx_msg void OnOpenFolder();
    afx_msg void OnJpegFormat();
    afx_msg void OnUpdateOpenFolder(CCmdUI* pCmdUI);

    afx_msg void OnUndo();
    afx_msg void OnRedo();
    afx_msg void OnUpdateUndo(CCmdUI* pCmdUI);
    afx_msg void OnUpdateRedo(CCmdUI* pCmdUI);
    afx_msg void OnWholeOperation(UINT id);
    afx_msg void OnUpdateWholeOperation(CCmdUI* pCmdUI);
    afx_msg void OnSelectionOperation(UINT id);
    afx_msg void OnUpdateSelectionCommand(CCmdUI* pCmdUI);
    afx_msg void OnGeometry(UINT id);
    afx_msg void OnWallpaper(UINT id);
    afx_msg void OnPrintImage();
    afx_msg void OnFullScreen();
    afx_msg void OnMakeCalendar();

    afx_msg void OnCopy();
    afx_msg void OnCut();
    afx_msg void OnPaste();
    afx_msg void OnUpdateCopy(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePaste(CCmdUI* pCmdUI);
    afx_msg void OnFillSelection();
    afx_msg void OnOutlineSelection();
    afx_msg void OnTrim();
    afx_msg void OnGrowSelection();
    afx_msg void OnShrinkSelection();
    afx_msg void OnUpdateGrowShrink(CCmdUI* pCmdUI);
    afx_msg void OnMergeFloat();
    afx_msg void OnCancelFloat();
    afx_msg void OnMaskFloat();
    afx_msg void OnUpdateFloatCommand(CCmdUI* pCmdUI);
    afx_msg void OnUpdateMaskFloat(CCmdUI* pCmdUI);
    afx_msg void OnUpdateFloatGeometry(CCmdUI* pCmdUI);

    // Commands that ask a parameter dialog first (ImgEditDialogs.cpp).
    void RunColorBalance(const CRect& area, BOOL selection);
    void ResizeFloat(int widthPercent, int heightPercent, int mode);
    afx_msg void OnResize();
    afx_msg void OnCanvasSize();
    afx_msg void OnRotateAngle();
    afx_msg void OnColorBalance();
    afx_msg void OnSelColorBalance();
    afx_msg void OnThreshold();
    afx_msg void OnMask();
    afx_msg void OnMarginShadow();
    afx_msg void OnFrame();
    afx_msg void OnText();
    DECLARE_MESSAGE_MAP()
};
