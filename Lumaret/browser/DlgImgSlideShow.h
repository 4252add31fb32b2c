// CDlgImgSlideShow: the full-screen slide show. A modeless window over the whole screen shows one
// picture at a time centred on a plain background, with the slide strip at the left, navigation
// buttons, caption, position and progress along the bottom. Each slide is loaded scaled on a
// worker and revealed by the next transition effect; a timer steps in automatic mode. Closing
// hands the current slide to the console panes. The window deletes itself when destroyed.
#pragma once

#include "mfc.h"

#include "browser/BrowserWorker.h"
#include "controls/ImageButton.h"
#include "dialogs/VXDialog.h"

#include <atomic>
#include <memory>

class CImageObject;
class CMivoImgBrowserView;
class CSlideImgListView;
class CVXMenu;

// 1 while no slide load runs, program-wide.
extern std::atomic<int> g_bSlideLoadDone;

class CDlgImgSlideShow : public CVXDialog {
public:
    enum { kAutoTimer = 4 };

    CDlgImgSlideShow();
    ~CDlgImgSlideShow() override;

    // Creates the window from its template, modeless, without a parent. Once created the window
    // owns itself: FALSE leaves the object to the caller.
    BOOL Open();
    // Fills the slide list from a browser's items (all files, or the selected ones) and copies
    // what the show keeps of it: thumbnails and the listing mode. The start item's slide is the
    // first shown (0 when it is not among them). FALSE when there is no file to show.
    BOOL TakeItems(CMivoImgBrowserView* view, int start, BOOL selectedOnly);
    // Adds one slide (path, caption, album key; the thumbnail is copied, may be null).
    void AddSlide(const CString& path, const CString& title, UINT albumId, UINT seq, CImageObject* thumb);

    void FirstSlide();
    void PrevSlide();
    void NextSlide();
    void LastSlide();
    // Starts loading the current slide (or preparing the single image); FALSE when nothing starts.
    BOOL LoadSlide();
    void UpdateNavButtons();
    void StartAutoPlay();
    void StopAutoPlay();
    void OnAutoPlaySettings();
    void ToggleMusic();
    // The context menu (built and greyed, not shown).
    CMenu* BuildContextMenu(CVXMenu& menu);
    // Waits until the current slide's load and transition have ended (the workers are joined).
    void WaitForWorkers();
    int SlideCount() const { return (int)m_arrSlidePath.GetSize(); }

    CStringArray m_arrSlidePath;
    CStringArray m_arrSlideTitle;
    CUIntArray m_arrSlideAlbumID;
    CUIntArray m_arrSlideSeq;
    CPtrArray m_arrSlideThumb;  // owned copies of the browser's thumbnails (null where none was loaded)
    int m_nSlide;
    int m_bSingle;
    CImageObject* m_pSourceImage;  // the editor's picture in single-image mode, borrowed until the first load
    CMivoImgBrowserView* m_pOwnerView;
    int m_nOwnerMode;  // the browser's listing mode when the show opened
    std::unique_ptr<CImageObject> m_pSlideImage;
    CRect m_rcPicture;
    CRect m_rcImage;
    std::atomic<int> m_bPaintImage;
    std::atomic<int> m_nEffect;
    std::atomic<int> m_bStopTransition;
    int m_bStopLoad;  // also the loading picture's cancel flag: interlocked writes
    int m_bAutoPlay;
    int m_nInterval;
    COLORREF m_clrBack;
    CBrush m_brBack;
    CString m_strSlideTitle;
    CString m_strSlidePos;
    CSlideImgListView* m_pStrip;

    CImageButton m_btnClose, m_btnFirst, m_btnPrev, m_btnNext, m_btnLast, m_btnManual, m_btnAuto;
    CProgressCtrl m_progress;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void PostNcDestroy() override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnPostEraseBkgnd(CDC* pDC) override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnImageProgress(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnImageDone(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRetryLoad(WPARAM wParam, LPARAM lParam);
    afx_msg void OnNextButton();
    afx_msg void OnFirst() { FirstSlide(); }
    afx_msg void OnPrev() { PrevSlide(); }
    afx_msg void OnNextCommand() { NextSlide(); }
    afx_msg void OnLast() { LastSlide(); }
    afx_msg void OnAuto() { StartAutoPlay(); }
    afx_msg void OnManual() { StopAutoPlay(); }
    afx_msg void OnSettings() { OnAutoPlaySettings(); }
    afx_msg void OnMusic() { ToggleMusic(); }
    afx_msg void OnClose() { OnCancel(); }
    DECLARE_MESSAGE_MAP()

private:
    static UINT SlideLoadThread(LPVOID param);
    static UINT SlideTransitionThread(LPVOID param);
    void LoadCurrent();
    void StartTransition();
    // Stops the transition and waits for it (before its picture changes or the window goes).
    void StopTransition();
    void GoTo(int slide);
    void PictureFromPlace();
    void SetTimerForInterval();

    CBrowserWorker m_loadWorker;
    CBrowserWorker m_transitionWorker;
    CString m_strLoadingPath;  // the load's own copy
    int m_nLoadingSlide = -1;  // the slide that load is for
    // Whether paint and erase show the image: asked for, or no transition is revealing it.
    BOOL ShowsImage() const;

    CRect m_rcTransition;  // the picture rectangle the running transition was given
    std::atomic<int> m_bTransitionRunning{0};
    BOOL m_bDestroying = FALSE;
    BOOL m_bOwnsSelf = FALSE;
};
