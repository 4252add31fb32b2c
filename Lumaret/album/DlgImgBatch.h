// CDlgImgBatch: the batch mechanism the browser's batch dialogs share (filter, frame, resize). The
// opener fills the source lists and sizes the result lists, then runs the dialog modally; the
// dialog names the results (same folder or another, with or without a prefix), and Start runs a
// worker thread that, file by file, settles what happens to a result that exists, loads the
// source, lets the kind process it (ProcessImage), saves the result, stores its thumbnail and
// deletes the original when asked. The worker reports to the dialog with WM_IMAGE_DONE
// (BatchDoneCode); one worker per kind runs in the whole program at a time.
//
// A kind derives from it, passes its BatchTraits, adds its own controls and supplies
// ProcessImage. Its template carries the shared controls with the ids of album/ids.h.
#pragma once

#include "mfc.h"

#include "controls/ImageButton.h"
#include "controls/VXStatic.h"
#include "dialogs/VXDialog.h"
#include "grid/VXGridCtrl.h"

#include <atomic>
#include <memory>

class CImageObject;

// The reports of a batch worker to its dialog: WM_IMAGE_DONE with wParam kBatchFirstFile + the
// file's index and lParam kBatchFileDone, kBatchFileFailed, or kBatchStopped (the run stopped
// before that file); wParam kBatchFinished (lParam kBatchFileDone) after the last file.
// wParam below kBatchFirstFile is the image library's own load report. Skipped files send nothing.
enum BatchDoneCode : int {
    kBatchStopped = 0,
    kBatchFileFailed = 1,
    kBatchFileDone = 9,
    kBatchFirstFile = 10001,
    kBatchFinished = 20000,
};

class CDlgImgBatch : public CVXDialog {
    DECLARE_DYNAMIC(CDlgImgBatch)
public:
    // One running flag per kind, program-wide.
    enum BatchKind { kBatchFilter, kBatchFrame, kBatchResize, kBatchKinds };

    struct BatchTraits {
        BatchKind kind;
        const char* profileName;    // the dialog's profile section
        const char* defaultPrefix;  // also what an empty prefix becomes
        const char* gridEntry;      // the file grid's layout, under the application key
        const char* questionTitle;  // title of the question about an existing result
    };

    CDlgImgBatch(UINT templateId, CWnd* parent, const BatchTraits& traits);
    ~CDlgImgBatch() override;

    // The result name of a source file name: a GIF becomes base + ".jpg", every other name stays;
    // the prefix goes in front when asked; a name without a base is "제목없음".
    static CString ResultName(const CString& srcPath, const CString& srcName, const CString& prefix, BOOL addPrefix);
    static BOOL IsRunning(BatchKind kind);

    BOOL OnInitDialog() override;
    // Rows of the file grid and the result names and paths, from the lists and options.
    void RefreshResultList();
    BOOL IsRunning() const { return IsRunning(m_traits.kind); }

    // Filled by the opener, one entry per file; the dialog computes the result lists.
    CStringArray m_arrSrcPath;
    CStringArray m_arrSrcName;
    CStringArray m_arrDstName;
    CStringArray m_arrDstPath;
    // 1 once a file has been finished.
    int m_bChanged;
    // Read by the worker before each file.
    std::atomic<int> m_bStop;
    int m_bSameFolder;
    int m_bDiffFolder;
    int m_bAddPrefix;
    CString m_strPrefix;
    // The target of the other-folder option, ending in a backslash.
    CString m_strFolder;
    CString m_strOnExisting;
    CString m_strDeleteSource;

    CVXGridCtrl m_gridList;
    CProgressCtrl m_progressFile;
    CProgressCtrl m_progressRun;
    CImageButton m_btnSameFolder;
    CImageButton m_btnOtherFolder;
    CImageButton m_btnAddPrefix;
    CImageButton m_btnBrowse;
    CImageButton m_btnStart;
    CImageButton m_btnStop;
    CImageButton m_btnClose;
    CVXStatic m_stcListCaption;

protected:
    // On the worker: turns the loaded picture into the result (in place or by replacing it).
    // FALSE when it cannot, and nothing is written for the file.
    virtual BOOL ProcessImage(std::unique_ptr<CImageObject>& image) = 0;
    // Whether Start may run now beyond the shared checks (a frame needs its tiles).
    virtual BOOL ReadyToStart() const { return TRUE; }
    // The kind's controls follow the dialog's state (called after the shared ones).
    virtual void UpdateKindControls(BOOL running) { (void)running; }
    // An option button: icons 242 and 243, hand cursor, no border, checked as its flag.
    static void SetUpOptionButton(CImageButton& button, int checked);
    // Enables or disables start and the options as the dialog's state says.
    void UpdateControlStates();

    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnSameFolder();
    afx_msg void OnOtherFolder();
    afx_msg void OnAddPrefix();
    afx_msg void OnPrefixChange();
    afx_msg void OnBrowseFolder();
    afx_msg void OnStop();
    afx_msg LRESULT OnImageProgress(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnBatchDone(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    enum class Existing { Write, Skip, Stop };

    static UINT BatchThread(LPVOID param);
    void StartBatch();
    void RunBatch();
    Existing DecideExisting(const CString& dstPath, int& answer);
    BOOL ProcessFile(int index);
    void Report(int code, int result);
    void SetUpGrid();
    void JoinWorker();
    void MarkRow(int index, const char* state);

    BatchTraits m_traits;
    std::unique_ptr<CWinThread> m_pThread;
    BOOL m_bRunning = FALSE;  // the dialog's own view: from Start to the end or stop report
    BOOL m_bDestroying = FALSE;
};
