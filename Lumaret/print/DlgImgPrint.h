// CDlgImgPrint: prints pictures through a print form. A panel lists the forms (or
// shows the options), the preview shows the composed page, the overview the whole
// page with a frame of the visible part; buttons page through the job, zoom and print.
//
// Callers make it on the stack, then either lend a picture (m_pBorrowImg, never
// deleted, with one empty entry in m_arrPaths) or fill m_arrPaths with picture files,
// and run DoModal.
#pragma once

#include "mfc.h"

#include "controls/CheckButton.h"
#include "controls/ImageButton.h"
#include "dialogs/VXDialog.h"
#include "print/DlgWithOverview.h"
#include "print/PrintForm.h"
#include "print/PrintPageBuilder.h"

#include <memory>

class CDlgImgPrintOption;
class CDlgImgPrintTmpl;
class CImageObject;
class CImgPrintView;

// Set while a page is being built (one build at a time in the process).
extern int g_bPrintPageBusy;
// The page builder's thread; the parameter is the dialog.
UINT BuildPrintPageThread(LPVOID param);

class CDlgImgPrint : public CDlgWithOverview {
    DECLARE_DYNAMIC(CDlgImgPrint)
public:
    // Posted by the page builder when it has ended, so the dialog joins it and runs what
    // was held back.
    static const UINT WM_PRINT_BUILD_ENDED = WM_USER + 0x461;

    explicit CDlgImgPrint(CWnd* parent = nullptr);
    ~CDlgImgPrint() override;

    BOOL OnInitDialog() override;

    // Loads a form of the template database; 0 when it is missing.
    int LoadPrForm(int formNo);
    // Builds a page on the worker; 0 when a build runs or there is nothing to build.
    int ShowPage(int page);
    // A form chosen in the form list, or an option changed: now, or once a running build ends.
    void ChooseForm(int formNo);
    void RebuildCurrentPage();

    afx_msg void OnFirstPage();
    afx_msg void OnPrevPage();
    afx_msg void OnNextPage();
    afx_msg void OnLastPage();
    afx_msg void OnShowFormList();
    afx_msg void OnShowOptions();
    afx_msg void OnPrint();
    void OnCancel() override;

    // The preview shows this part of the page (page pixels).
    void OnViewRectChanged(CRect source);
    void RebuildOverview();

    int GetCurPage() const { return m_nCurPage; }
    int GetPageCount() const { return m_form.nPageCount; }
    // Waits until a running build, and any it held back, has ended, handling the messages sent.
    void WaitForBuild();
    // Asks a running build to stop and waits for it.
    void StopBuild();

    CImageObject* m_pBorrowImg;  // lent by the caller, never deleted
    CStringArray m_arrPaths;
    PrintForm m_form;
    CDlgImgPrintOption* m_pOptionDlg;  // owned as a child dialog
    CDlgImgPrintTmpl* m_pTmplDlg;      // owned as a child dialog
    CImgPrintView* m_pView;            // a child window that deletes itself
    CStatusBarCtrl m_wndStatusBar;
    CProgressCtrl m_wndProgress;
    std::unique_ptr<CImageObject> m_pPageImg;
    int m_nCurPage;

    CStatic m_stcPreview;
    CStatic m_stcOverview;
    CStatic m_stcPanel;
    CCheckButton m_btnFormList;
    CCheckButton m_btnOptions;
    CImageButton m_btnZoomIn;
    CImageButton m_btnZoomOut;
    CImageButton m_btnFirst;
    CImageButton m_btnPrev;
    CImageButton m_btnNext;
    CImageButton m_btnLast;
    CImageButton m_btnPrint;
    CImageButton m_btnClose;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMove(int x, int y);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnImageProgress(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPageImageDone(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnBuildEnded(WPARAM wParam, LPARAM lParam);
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    DECLARE_MESSAGE_MAP()

private:
    friend UINT BuildPrintPageThread(LPVOID param);
    void CreatePanels();
    void Layout(int cx, int cy);
    void CreateStatusBar();
    void CreateView();
    void SetupButtons();
    void JoinBuild();
    void RunHeldRequests();
    // The page leaves the view and the overview before it goes.
    void DropPageImage();
    bool CanBuild() const;
    void BuildPage();
    void PrintPages(CDC& dc, int first, int last);

    // What the running build reads, fixed when it starts.
    PrintForm m_buildForm;
    PrintJobInput m_buildInput;
    int m_nBuildPage;
    int m_nBuildCancel;
    std::unique_ptr<CWinThread> m_pBuildThread;
    // Requests held while a build runs: a form number (-1 none) and a rebuild.
    int m_nHeldForm;
    BOOL m_bHeldRebuild;
};
