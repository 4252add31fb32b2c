// CDlgConsoleSubPreview: the first sub pane of both console panes. It shows the photo last chosen
// in the browser, reduced to fit under its file name, decoded on a worker thread; while the
// browser's detail view shows the same photo, a rectangle over the preview marks the part that
// view shows, and dragging the rectangle scrolls the view. Right click: menu 328.
#pragma once

#include "mfc.h"

#include "dialogs/VXDialog.h"

#include <atomic>
#include <memory>

class CImageObject;
class CImgDetailView;

// 1 while no preview loader runs anywhere in the program: the album pane's and the folder
// pane's previews share it, so a loader of one makes the other's request wait or drop.
extern std::atomic<int> g_bPreviewThreadIdle;

class CDlgConsoleSubPreview : public CVXDialog {
public:
    explicit CDlgConsoleSubPreview(CWnd* pParent = nullptr);
    ~CDlgConsoleSubPreview() override;

    BOOL OnInitDialog() override;

    // Loads m_strPath unless it is the photo already shown.
    void StartPreviewLoad();
    // The detail view's visible part in image pixels, after it scrolled or zoomed.
    void UpdateNavigatorRect(CRect visible);
    void SetNavView(CImgDetailView* view) { m_pNavView = view; }
    // Whether a loader of this pane is still running.
    BOOL IsLoading() const { return m_pLoadThread != nullptr; }

    // The navigator's arithmetic: the visible part scaled by ratio (per mille) onto the preview
    // at image; a rectangle pushed back inside image, left, top, right, bottom in that order;
    // and the image point under the navigator's top left corner.
    static CRect NavigatorFromVisible(const CRect& visible, int ratio, const CRect& image);
    static CRect ClampInside(CRect nav, const CRect& image);
    static CPoint ImagePointOfNavigator(const CRect& nav, const CRect& image, int ratio);

    CImgDetailView* m_pNavView;
    CString m_strPath;
    CString m_strFileName;
    int m_bHasRequest;
    int m_bLoaded;
    CString m_strLoadedPath;
    CImageObject* m_pLoadImage;
    int m_nStopFlag;
    CRect m_rcPicture;
    CSize m_sizeImage;
    HANDLE m_hLoadThread;
    int m_nRatio;
    CRect m_rcImage;
    CRect m_rcNav;
    CPoint m_ptNavOrigin;
    CRect m_rcVisible;
    int m_bOverNav;
    CPoint m_ptLast;
    CString m_strShownName;

protected:
    void OnOK() override {}
    void OnCancel() override {}

    afx_msg LRESULT OnImageProgress(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnImageDone(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPreviewMeasured(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPreviewEnded(WPARAM wParam, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnPreviewEdit();
    afx_msg void OnPreviewDetail();
    afx_msg void OnPreviewOpenWith();
    afx_msg void OnPreviewCalendar();
    afx_msg void OnPreviewPrint();
    DECLARE_MESSAGE_MAP()

private:
    struct LoadJob;
    static UINT PreviewLoadThread(LPVOID param);
    // Joins the finished loader; with wait, first waits for it to end.
    void JoinLoader(BOOL wait);
    void FreeImage();
    BOOL ConsoleFolderShown() const;
    BOOL HasNavigator() const { return m_rcNav.left != -1; }
    void InvalidateOutline(const CRect& nav);
    void PaintInto(CDC& dc, const CRect& client);
    // m_rcImage: the loaded preview centred in the box, halves rounded down.
    void PlaceImage();
    void DragNavigator(CPoint point);

    std::unique_ptr<CWinThread> m_pLoadThread;
    CString m_strJobPath;  // what the running or last loader decodes
};
