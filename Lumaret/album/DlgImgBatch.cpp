#include "album/DlgImgBatch.h"

#include "album/AlbumDetailStore.h"
#include "album/ThumbnailCache.h"
#include "dialogs/DlgVXExplorer.h"
#include "dialogs/DlgVXMsgBox.h"
#include "framework/VXApp.h"
#include "framework/VXUtil.h"
#include "image/ImageObject.h"
#include "resource.h"

#include <algorithm>
#include <vector>

namespace {

std::atomic<int> g_running[CDlgImgBatch::kBatchKinds];

const char kOverwrite[] = "덮어쓰기";
const char kSkip[] = "건너뛰기";
const char kAsk[] = "물어보기";
const char kKeepSource[] = "삭제안함";
const char kDeleteSource[] = "삭제함";
const char kUntitled[] = "제목없음";
const char kNoFolder[] = "폴더를 지정하십시요.";
const char kExists[] = "%s 파일이 이미 존재합니다.";
const char kFinished[] = "이미지 크기 변환 일괄작업이 완료되었습니다.";
const char kStopped[] = "이미지 크기 변환 작업이 중지되었습니다.";
const char kDone[] = "완료";
const char kFailed[] = "실패";

// Answers of the question about an existing result.
enum { kAnswerOverwrite = 1, kAnswerOverwriteAll = 2, kAnswerSkip = 3, kAnswerSkipAll = 4, kAnswerStop = 6 };

const int kCheckOnIcon = IDI_CHECK_ON;
const int kCheckOffIcon = IDI_CHECK_OFF;
const int kStartIcon = 216;
const int kStopIcon = IDI_BATCH_STOP;
const int kCloseIcon = 185;
const int kHandCursor = 128;
const short kColourLift = 50;

struct ColumnSpec {
    const char* title;
    int width;
    UINT format;
};
const ColumnSpec kColumns[] = {
    {"No.", 40, 0x4002}, {"원본 파일명", 190, 0x4000}, {"처리상태", 100, 0x4002}, {"결과 파일명", 260, 0x4000}};
const COLORREF kGridColours[] = {RGB(192, 192, 192), RGB(0, 0, 160), RGB(160, 0, 0), RGB(0, 128, 0), RGB(96, 96, 96)};
const DWORD kGridStyles = 0x3A;

void SetUpCommandButton(CImageButton& button, int icon)
{
    if (icon)
        button.SetIcon(icon);
    button.SetBtnCursor(kHandCursor, TRUE);
    button.OffsetColor(CImageButton::COLOR_BK_IN, kColourLift, TRUE);
}

CString AppKey()
{
    CVXApp* app = dynamic_cast<CVXApp*>(AfxGetApp());
    return app ? app->m_strAppKey : CString();
}

// Folder (with its backslash), file name and extension of a path.
void SplitPath(const CString& path, CString* folder, CString* name, CString* extension)
{
    size_t size = (size_t)path.GetLength() + 2;
    std::vector<char> f(size), n(size), e(size);
    DivideFilePathAndName(path, f.data(), n.data(), e.data());
    if (folder)
        *folder = f.data();
    if (name)
        *name = n.data();
    if (extension)
        *extension = e.data();
}

}  // namespace

IMPLEMENT_DYNAMIC(CDlgImgBatch, CVXDialog)

BEGIN_MESSAGE_MAP(CDlgImgBatch, CVXDialog)
    ON_BN_CLICKED(IDC_BATCH_SAME_FOLDER, OnSameFolder)
    ON_BN_CLICKED(IDC_BATCH_OTHER_FOLDER, OnOtherFolder)
    ON_BN_CLICKED(IDC_BATCH_ADD_PREFIX, OnAddPrefix)
    ON_EN_CHANGE(IDC_BATCH_PREFIX, OnPrefixChange)
    ON_BN_CLICKED(IDC_BATCH_BROWSE, OnBrowseFolder)
    ON_BN_CLICKED(IDC_BATCH_STOP, OnStop)
    ON_MESSAGE(WM_IMAGE_PROGRESS, OnImageProgress)
    ON_MESSAGE(WM_IMAGE_DONE, OnBatchDone)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CDlgImgBatch::CDlgImgBatch(UINT templateId, CWnd* parent, const BatchTraits& traits)
    : CVXDialog(templateId, parent),
      m_bChanged(0),
      m_bStop(0),
      m_bSameFolder(1),
      m_bDiffFolder(0),
      m_bAddPrefix(1),
      m_strPrefix(traits.defaultPrefix),
      m_strOnExisting(kAsk),
      m_strDeleteSource(kKeepSource),
      m_traits(traits)
{
    m_strProfileName = traits.profileName;
    m_nIconID = 128;
}

CDlgImgBatch::~CDlgImgBatch()
{
    m_bStop = 1;
    JoinWorker();
}

BOOL CDlgImgBatch::IsRunning(BatchKind kind)
{
    return g_running[kind].load() != 0;
}

CString CDlgImgBatch::ResultName(const CString& srcPath, const CString& srcName, const CString& prefix,
                                 BOOL addPrefix)
{
    CString name, extension;
    SplitPath(srcPath, nullptr, &name, &extension);
    CString result = srcName;
    if (extension.CompareNoCase(".GIF") == 0) {
        CString base = name.Left(name.GetLength() - extension.GetLength());
        result = (base.IsEmpty() ? CString(kUntitled) : base) + ".jpg";
    }
    return addPrefix ? prefix + result : result;
}

// ---- set-up ----

void CDlgImgBatch::DoDataExchange(CDataExchange* pDX)
{
    CVXDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BATCH_LIST, m_gridList);
    DDX_Control(pDX, IDC_BATCH_FILE_PROGRESS, m_progressFile);
    DDX_Control(pDX, IDC_BATCH_RUN_PROGRESS, m_progressRun);
    DDX_Control(pDX, IDC_BATCH_SAME_FOLDER, m_btnSameFolder);
    DDX_Control(pDX, IDC_BATCH_OTHER_FOLDER, m_btnOtherFolder);
    DDX_Control(pDX, IDC_BATCH_ADD_PREFIX, m_btnAddPrefix);
    DDX_Control(pDX, IDC_BATCH_BROWSE, m_btnBrowse);
    DDX_Control(pDX, IDOK, m_btnStart);
    DDX_Control(pDX, IDC_BATCH_STOP, m_btnStop);
    DDX_Control(pDX, IDCANCEL, m_btnClose);
    DDX_Control(pDX, IDC_BATCH_LIST_CAPTION, m_stcListCaption);
    DDX_Check(pDX, IDC_BATCH_SAME_FOLDER, m_bSameFolder);
    DDX_Check(pDX, IDC_BATCH_OTHER_FOLDER, m_bDiffFolder);
    DDX_Check(pDX, IDC_BATCH_ADD_PREFIX, m_bAddPrefix);
    DDX_Text(pDX, IDC_BATCH_PREFIX, m_strPrefix);
    DDX_Text(pDX, IDC_BATCH_FOLDER, m_strFolder);
    DDX_CBString(pDX, IDC_BATCH_ON_EXISTING, m_strOnExisting);
    DDX_CBString(pDX, IDC_BATCH_DELETE_SOURCE, m_strDeleteSource);
}

void CDlgImgBatch::SetUpOptionButton(CImageButton& button, int checked)
{
    button.SetIcon(kCheckOnIcon, kCheckOffIcon);
    button.SetBtnCursor(kHandCursor, TRUE);
    button.DrawBorder(FALSE, TRUE);
    button.SetCheck(checked, TRUE);
}

BOOL CDlgImgBatch::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    SetUpOptionButton(m_btnSameFolder, m_bSameFolder);
    SetUpOptionButton(m_btnOtherFolder, m_bDiffFolder);
    SetUpOptionButton(m_btnAddPrefix, m_bAddPrefix);
    m_btnBrowse.SetNormalBorder(TRUE);
    SetUpCommandButton(m_btnBrowse, 0);
    SetUpCommandButton(m_btnStart, kStartIcon);
    SetUpCommandButton(m_btnStop, kStopIcon);
    SetUpCommandButton(m_btnClose, kCloseIcon);
    SetUpGrid();
    m_progressFile.SetRange(0, 100);
    m_progressRun.SetRange(0, 100);
    m_stcListCaption.SetVXStaticTextColor(RGB(128, 128, 128));
    // The two lists are not subclassed: their items go in through the window, not a C++ object.
    for (const char* text : {kAsk, kSkip, kOverwrite})
        SendDlgItemMessage(IDC_BATCH_ON_EXISTING, CB_ADDSTRING, 0, (LPARAM)text);
    for (const char* text : {kKeepSource, kDeleteSource})
        SendDlgItemMessage(IDC_BATCH_DELETE_SOURCE, CB_ADDSTRING, 0, (LPARAM)text);

    AddNumberProfile("SameFolder", &m_bSameFolder);
    AddNumberProfile("DiffFolder", &m_bDiffFolder);
    AddNumberProfile("AddPrefix", &m_bAddPrefix);
    AddStringProfile("Folder", &m_strFolder);
    AddStringProfile("Prefix", &m_strPrefix);
    LoadProfile();
    if (m_strPrefix.IsEmpty())
        m_strPrefix = m_traits.defaultPrefix;
    if (!m_bSameFolder && !m_bDiffFolder)
        m_bDiffFolder = 1;
    UpdateData(FALSE);
    UpdateControlStates();
    RefreshResultList();
    return TRUE;
}

void CDlgImgBatch::SetUpGrid()
{
    for (int i = 0; i < (int)(sizeof kGridColours / sizeof kGridColours[0]); i++)
        m_gridList.InsertColor(i, kGridColours[i]);
    for (int i = 0; i < (int)(sizeof kColumns / sizeof kColumns[0]); i++) {
        _RVSUBITEM column;
        column.nMask = kColumns[i].format;
        column.iWidth = kColumns[i].width;
        column.lpszText = kColumns[i].title;
        m_gridList.DefineSubItem(i, &column);
    }
    if (!m_gridList.GetVXProfile(AppKey(), m_traits.gridEntry))
        for (int i = 0; i < (int)(sizeof kColumns / sizeof kColumns[0]); i++)
            m_gridList.ActivateSubItem(i, i);
    m_gridList.ModifyStyle(0, kGridStyles);
    COLORREF face = ::GetSysColor(COLOR_3DFACE);
    m_gridList.SetBkColor(face);
    m_gridList.SetGridColor(RGB(GetRValue(face) * 8 / 10, GetGValue(face) * 8 / 10, GetBValue(face) * 8 / 10));
}

void CDlgImgBatch::RefreshResultList()
{
    int count = (int)m_arrSrcPath.GetSize();
    m_arrDstName.SetSize(count);
    m_arrDstPath.SetSize(count);
    m_gridList.SetRedraw(FALSE);
    m_gridList.DeleteAllItems();
    for (int i = 0; i < count; i++) {
        CString number;
        number.Format("%d", i);
        CString srcName = i < m_arrSrcName.GetSize() ? m_arrSrcName[i] : CString();
        CString result = ResultName(m_arrSrcPath[i], srcName, m_strPrefix, m_bAddPrefix);
        int item = m_gridList.AddItem(number);
        m_gridList.SetItemText(item, 1, srcName);
        m_gridList.SetItemText(item, 3, result);
        CString folder;
        SplitPath(m_arrSrcPath[i], &folder, nullptr, nullptr);
        m_arrDstName[i] = result;
        m_arrDstPath[i] = (m_bSameFolder ? folder : m_strFolder) + result;
    }
    m_gridList.SetRedraw(TRUE);
}

// ---- controls ----

void CDlgImgBatch::UpdateControlStates()
{
    if (m_hWnd == nullptr)
        return;
    const BOOL running = m_bRunning;
    for (CWnd* child = GetWindow(GW_CHILD); child; child = child->GetNextWindow()) {
        int id = child->GetDlgCtrlID();
        switch (id) {
        case IDC_BATCH_LIST:
        case IDC_BATCH_FILE_PROGRESS:
        case IDC_BATCH_RUN_PROGRESS:
        case IDC_BATCH_LIST_CAPTION:
        case 0xFFFF:
        case -1: continue;
        case IDC_BATCH_STOP: child->EnableWindow(running); break;
        case IDC_BATCH_FOLDER:
        case IDC_BATCH_BROWSE: child->EnableWindow(!running && m_bDiffFolder); break;
        case IDOK: child->EnableWindow(!running && ReadyToStart()); break;
        default: child->EnableWindow(!running);
        }
    }
    UpdateKindControls(running);
}

void CDlgImgBatch::OnSameFolder()
{
    UpdateData(TRUE);
    m_bDiffFolder = !m_bSameFolder;
    UpdateData(FALSE);
    UpdateControlStates();
    RefreshResultList();
}

void CDlgImgBatch::OnOtherFolder()
{
    UpdateData(TRUE);
    m_bSameFolder = !m_bDiffFolder;
    UpdateData(FALSE);
    UpdateControlStates();
    RefreshResultList();
}

void CDlgImgBatch::OnAddPrefix()
{
    UpdateData(TRUE);
    RefreshResultList();
}

void CDlgImgBatch::OnPrefixChange()
{
    UpdateData(TRUE);
    RefreshResultList();
    UpdateData(FALSE);
}

void CDlgImgBatch::OnBrowseFolder()
{
    UpdateData(TRUE);
    CDlgVXExplorer explorer(m_strFolder, this);
    explorer.m_nIconID = 128;
    explorer.m_nSelectMode = 128;
    if (explorer.DoModal() == IDOK) {
        m_strFolder = explorer.m_strCurrentFolder;
        if (m_strFolder.Right(1) != "\\")
            m_strFolder += "\\";
    }
    UpdateData(FALSE);
    RefreshResultList();
}

// ---- the run ----

void CDlgImgBatch::OnOK()
{
    StartBatch();
}

void CDlgImgBatch::StartBatch()
{
    if (IsRunning())
        return;
    UpdateData(TRUE);
    if (m_bDiffFolder && m_strFolder.IsEmpty()) {
        AfxMessageBox(kNoFolder);
        if (CWnd* folder = GetDlgItem(IDC_BATCH_FOLDER))
            folder->SetFocus();
        return;
    }
    if (!ReadyToStart())
        return;
    // A folder typed into the field reaches the result paths only here.
    RefreshResultList();
    int idle = 0;
    if (!g_running[m_traits.kind].compare_exchange_strong(idle, 1))
        return;
    SetFocus();
    JoinWorker();
    m_bStop = 0;
    m_bRunning = TRUE;
    UpdateControlStates();
    CWinThread* thread = AfxBeginThread(BatchThread, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (thread == nullptr) {
        g_running[m_traits.kind] = 0;
        m_bRunning = FALSE;
        UpdateControlStates();
        return;
    }
    thread->m_bAutoDelete = FALSE;
    m_pThread.reset(thread);
    thread->ResumeThread();
}

void CDlgImgBatch::OnStop()
{
    m_bStop = 1;
}

void CDlgImgBatch::OnCancel()
{
    // The worker reads the lists: while it runs, Escape and the close box only ask it to stop.
    if (m_bRunning) {
        m_bStop = 1;
        return;
    }
    CVXDialog::OnCancel();
}

void CDlgImgBatch::JoinWorker()
{
    if (!m_pThread)
        return;
    ::WaitForSingleObject(m_pThread->m_hThread, INFINITE);
    m_pThread.reset();
}

UINT CDlgImgBatch::BatchThread(LPVOID param)
{
    static_cast<CDlgImgBatch*>(param)->RunBatch();
    return 0;
}

void CDlgImgBatch::RunBatch()
{
    int answer = 0;
    int count = (int)std::min(m_arrSrcPath.GetSize(), m_arrDstPath.GetSize());
    for (int i = 0; i < count; i++) {
        if (m_bStop) {
            Report(kBatchFirstFile + i, kBatchStopped);
            g_running[m_traits.kind] = 0;
            return;
        }
        if (::GetFileAttributes(m_arrDstPath[i]) != INVALID_FILE_ATTRIBUTES) {
            Existing decision = DecideExisting(m_arrDstPath[i], answer);
            if (decision == Existing::Stop) {
                Report(kBatchFirstFile + i, kBatchStopped);
                g_running[m_traits.kind] = 0;
                return;
            }
            if (decision == Existing::Skip)
                continue;
        }
        Report(kBatchFirstFile + i, ProcessFile(i) ? kBatchFileDone : kBatchFileFailed);
    }
    Report(kBatchFinished, kBatchFileDone);
    g_running[m_traits.kind] = 0;
}

CDlgImgBatch::Existing CDlgImgBatch::DecideExisting(const CString& dstPath, int& answer)
{
    if (m_strOnExisting == kOverwrite)
        return Existing::Write;
    if (m_strOnExisting == kSkip)
        return Existing::Skip;
    if (answer == kAnswerOverwriteAll)
        return Existing::Write;
    if (answer == kAnswerSkipAll)
        return Existing::Skip;
    if (m_strOnExisting != kAsk)
        return Existing::Write;
    CString text;
    text.Format(kExists, (LPCSTR)dstPath);
    answer = VxMsgBox(m_traits.questionTitle, text, kOverwrite, CDlgVXMsgBox::kNoIcon, "모두 덮어쓰기",
                      CDlgVXMsgBox::kNoIcon, kSkip, CDlgVXMsgBox::kNoIcon, "모두 건너뛰기", CDlgVXMsgBox::kNoIcon, "",
                      CDlgVXMsgBox::kNoIcon, "중지", kStopIcon, "", CDlgVXMsgBox::kNoIcon);
    if (answer == kAnswerStop)
        return Existing::Stop;
    // A box closed without an answer keeps the file.
    if (answer == kAnswerSkip || answer == kAnswerSkipAll || answer == 0)
        return Existing::Skip;
    return Existing::Write;
}

BOOL CDlgImgBatch::ProcessFile(int index)
{
    const CString source = m_arrSrcPath[index];
    const CString result = m_arrDstPath[index];
    std::unique_ptr<CImageObject> image(new CImageObject(this));
    if (!image->LoadImageFromFile(source, 1))
        return FALSE;
    if (!ProcessImage(image) || !image || !image->IsLoaded())
        return FALSE;
    image->SetParent(this);
    // Save replaces a file only once the new one is complete.
    if (!image->Save(result))
        return FALSE;
    // The cache must not report to a window of another thread while it holds its lock.
    image->SetParent(nullptr);
    {
        CThumbnailCache cache;
        cache.StoreThumbnail(result, image.get());
    }
    // The original goes only once its result is written, and never when it is the result.
    if (m_strDeleteSource == kDeleteSource && source.CompareNoCase(result) != 0 && ::DeleteFile(source)) {
        {
            CThumbnailCache cache;
            cache.DeleteByPath(source);
        }
        CAlbumDetailStore store;
        store.DeleteByPath(source);
    }
    return TRUE;
}

void CDlgImgBatch::Report(int code, int result)
{
    ::SendMessage(m_hWnd, WM_IMAGE_DONE, (WPARAM)code, (LPARAM)result);
}

// ---- reports, on the dialog's thread ----

LRESULT CDlgImgBatch::OnImageProgress(WPARAM wParam, LPARAM lParam)
{
    if (lParam == 0)
        m_progressFile.SetPos((int)wParam);
    return 0;
}

LRESULT CDlgImgBatch::OnBatchDone(WPARAM wParam, LPARAM lParam)
{
    if (m_bDestroying)
        return 0;
    m_progressFile.SetPos(0);
    UpdateData(FALSE);
    if (wParam < (WPARAM)kBatchFirstFile)
        return 0;
    if (lParam == kBatchStopped) {
        AfxMessageBox(kStopped);
        m_bRunning = FALSE;
        UpdateControlStates();
        return 0;
    }
    int count = (int)m_arrSrcPath.GetSize();
    if (count > 0)
        m_progressRun.SetPos((int)(((LONGLONG)wParam - 10000) * 100 / count));
    if (wParam == (WPARAM)kBatchFinished) {
        AfxMessageBox(kFinished);
        m_bRunning = FALSE;
        UpdateControlStates();
        return 0;
    }
    MarkRow((int)wParam - kBatchFirstFile, lParam == kBatchFileDone ? kDone : kFailed);
    if (lParam == kBatchFileDone)
        m_bChanged = 1;
    return 0;
}

void CDlgImgBatch::MarkRow(int index, const char* state)
{
    CString number;
    number.Format("%d", index);
    for (int item = 0; item < m_gridList.GetItemCount(); item++)
        if (m_gridList.GetItemText(item, 0) == number) {
            m_gridList.EnsureVisible(item);
            m_gridList.SetItemText(item, 2, state);
            return;
        }
}

void CDlgImgBatch::OnDestroy()
{
    // A window going away under a running worker (its owner closing) waits for it first.
    if (m_pThread) {
        m_bDestroying = TRUE;
        m_bStop = 1;
        JoinWorker();
    }
    CVXDialog::OnDestroy();
    m_gridList.WriteVXProfile(AppKey(), m_traits.gridEntry);
}
