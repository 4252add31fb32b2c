// The editor view: construction, loading, painting, zoom and scrolling,
// title and status texts, activation, re-opening and saving. Operations
// and undo live in ImgEditOperations.cpp, the selection, tools and
// clipboard in ImgEditSelection.cpp.
#include "editor/ImgEditView.h"

#include "editor/EditorShell.h"
#include "editor/ImgEditDoc.h"
#include "editor/OwnedSlot.h"
#include "album/DlgJPEGFormat.h"
#include "framework/VXUtil.h"
#include "image/ImageFilter.h"
#include "image/ImageObject.h"
#include "resource.h"

#include <memory>
#include <new>

IMPLEMENT_DYNCREATE(CImgEditView, CScrollView)

namespace {

const UINT kZoomRatios[CImgEditView::kZoomSteps] = {125,  250,  333,  500,   1000,  2000,  3000,
                                                     4000, 5000, 8000, 10000, 12000, 16000, 32000};
const char kBusyMessage[] = "이미지 작업이 진행중입니다. 작업이 종료된 후 다시 시도하십시요.";
const char kUntitled[] = "제목 없음";
const COLORREF kHatchBack = RGB(0xC8, 0xC8, 0xC8);

// The extension (with its dot) of the file-name part of a path, or "".
CString FileExtension(const CString& path)
{
    int slash = path.ReverseFind('\\');
    int dot = path.ReverseFind('.');
    return dot > slash ? path.Mid(dot) : CString();
}

CString FileNamePart(const CString& path)
{
    return path.Mid(path.ReverseFind('\\') + 1);
}

}  // namespace

// A command of the whole picture that needs no dialog.
#define WHOLE_OPERATION(id) \
    ON_COMMAND_RANGE(id, id, OnWholeOperation) ON_UPDATE_COMMAND_UI(id, OnUpdateWholeOperation)

BEGIN_MESSAGE_MAP(CImgEditView, CScrollView)
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_SETCURSOR()
    ON_WM_CONTEXTMENU()
    ON_WM_MEASUREITEM()
    ON_WM_INITMENUPOPUP()
    ON_WM_MENUCHAR()
    ON_MESSAGE(WM_IMAGE_PROGRESS, OnImageProgress)
    ON_MESSAGE(WM_IMAGE_DONE, OnImageLoaded)
    ON_MESSAGE(WM_EDIT_OPERATION_DONE, OnEditOperationDone)
    ON_MESSAGE(WM_EDIT_LOADER_FINISHED, OnLoaderFinished)
    ON_COMMAND(IDM_ED_REOPEN, OnReopen)
    ON_UPDATE_COMMAND_UI(IDM_ED_REOPEN, OnUpdateReopen)
    ON_COMMAND(IDM_ED_ZOOM_IN, OnZoomIn)
    ON_COMMAND(IDM_ED_ZOOM_OUT, OnZoomOut)
    ON_UPDATE_COMMAND_UI(IDM_ED_ZOOM_IN, OnUpdateZoomIn)
    ON_UPDATE_COMMAND_UI(IDM_ED_ZOOM_OUT, OnUpdateZoomOut)
    ON_COMMAND_RANGE(IDM_ED_ZOOM_FIRST, IDM_ED_ZOOM_LAST, OnZoomStep)
    ON_UPDATE_COMMAND_UI_RANGE(IDM_ED_ZOOM_FIRST, IDM_ED_ZOOM_LAST, OnUpdateZoomStep)
    ON_COMMAND(IDM_ED_SAVE, OnSave)
    ON_UPDATE_COMMAND_UI(IDM_ED_SAVE, OnUpdateSave)
    ON_COMMAND(IDM_ED_SAVE_AS, OnSaveAs)
    ON_UPDATE_COMMAND_UI(IDM_ED_SAVE_AS, OnUpdateSaveAs)
    ON_COMMAND(IDM_ED_OPEN_FOLDER, OnOpenFolder)
    ON_UPDATE_COMMAND_UI(IDM_ED_OPEN_FOLDER, OnUpdateOpenFolder)
    ON_COMMAND(IDM_ED_FULL_SCREEN, OnFullScreen)
    ON_UPDATE_COMMAND_UI(IDM_ED_FULL_SCREEN, OnUpdateNeedsPicture)
    ON_COMMAND(IDM_ED_HISTOGRAM, OnHistogram)
    ON_UPDATE_COMMAND_UI(IDM_ED_HISTOGRAM, OnUpdateNeedsPicture)
    ON_COMMAND(IDM_ED_JPEG_FORMAT, OnJpegFormat)
    ON_COMMAND(IDM_ED_PRINT, OnPrintImage)
    ON_UPDATE_COMMAND_UI(IDM_ED_PRINT, OnUpdateNeedsPicture)
    ON_COMMAND(IDM_ED_CALENDAR, OnMakeCalendar)
    ON_UPDATE_COMMAND_UI(IDM_ED_CALENDAR, OnUpdateNeedsPicture)
    ON_COMMAND_RANGE(IDM_ED_WALLPAPER_CENTER, IDM_ED_WALLPAPER_STRETCH, OnWallpaper)
    ON_UPDATE_COMMAND_UI_RANGE(IDM_ED_WALLPAPER_CENTER, IDM_ED_WALLPAPER_STRETCH, OnUpdateNeedsPicture)
    ON_COMMAND(IDM_ED_PASTE_NEW, OnPasteAsNew)
    ON_UPDATE_COMMAND_UI(IDM_ED_PASTE_NEW, OnUpdatePasteAsNew)
    ON_COMMAND(IDM_ED_UNDO, OnUndo)
    ON_COMMAND(IDM_ED_REDO, OnRedo)
    ON_UPDATE_COMMAND_UI(IDM_ED_UNDO, OnUpdateUndo)
    ON_UPDATE_COMMAND_UI(IDM_ED_REDO, OnUpdateRedo)
    WHOLE_OPERATION(IDM_ED_EDGE_ENHANCE)
    WHOLE_OPERATION(IDM_ED_HIGHPASS)
    WHOLE_OPERATION(IDM_ED_MEDIAN)
    WHOLE_OPERATION(IDM_ED_LOWPASS)
    WHOLE_OPERATION(IDM_ED_BLUR)
    WHOLE_OPERATION(IDM_ED_SOFTEN)
    WHOLE_OPERATION(IDM_ED_GAUSSIAN3)
    WHOLE_OPERATION(IDM_ED_GAUSSIAN5)
    WHOLE_OPERATION(IDM_ED_SHARPEN)
    WHOLE_OPERATION(IDM_ED_OUTLINE_MODE)
    WHOLE_OPERATION(IDM_ED_EMBOSS)
    WHOLE_OPERATION(IDM_ED_GRAY)
    WHOLE_OPERATION(IDM_ED_NEGATIVE)
    ON_COMMAND_RANGE(IDM_ED_ROTATE_90, IDM_ED_ROTATE_270, OnGeometry)
    ON_COMMAND_RANGE(IDM_ED_FLIP_VERT, IDM_ED_MIRROR, OnGeometry)
    ON_UPDATE_COMMAND_UI_RANGE(IDM_ED_ROTATE_90, IDM_ED_ROTATE_270, OnUpdateFloatGeometry)
    ON_UPDATE_COMMAND_UI_RANGE(IDM_ED_FLIP_VERT, IDM_ED_MIRROR, OnUpdateFloatGeometry)
    ON_COMMAND_RANGE(IDM_ED_SEL_GRAY, IDM_ED_SEL_NEGATIVE, OnSelectionOperation)
    ON_UPDATE_COMMAND_UI_RANGE(IDM_ED_SEL_GRAY, IDM_ED_SEL_NEGATIVE, OnUpdateSelectionCommand)
    ON_COMMAND(IDM_ED_SEL_COLOR_BALANCE, OnSelColorBalance)
    ON_UPDATE_COMMAND_UI(IDM_ED_SEL_COLOR_BALANCE, OnUpdateSelectionCommand)
    ON_COMMAND(IDM_ED_THRESHOLD, OnThreshold)
    ON_UPDATE_COMMAND_UI(IDM_ED_THRESHOLD, OnUpdateNeedsPicture)
    ON_COMMAND(IDM_ED_COLOR_BALANCE, OnColorBalance)
    ON_UPDATE_COMMAND_UI(IDM_ED_COLOR_BALANCE, OnUpdateNeedsPicture)
    ON_COMMAND(IDM_ED_ROTATE_ANGLE, OnRotateAngle)
    ON_UPDATE_COMMAND_UI(IDM_ED_ROTATE_ANGLE, OnUpdateNeedsPicture)
    ON_COMMAND(IDM_ED_RESIZE, OnResize)
    ON_UPDATE_COMMAND_UI(IDM_ED_RESIZE, OnUpdateFloatGeometry)
    ON_COMMAND(IDM_ED_CANVAS, OnCanvasSize)
    ON_UPDATE_COMMAND_UI(IDM_ED_CANVAS, OnUpdateNeedsPicture)
    ON_COMMAND(IDM_ED_MASK, OnMask)
    ON_UPDATE_COMMAND_UI(IDM_ED_MASK, OnUpdateNeedsPicture)
    ON_COMMAND(IDM_ED_MARGIN_SHADOW, OnMarginShadow)
    ON_UPDATE_COMMAND_UI(IDM_ED_MARGIN_SHADOW, OnUpdateNeedsPicture)
    ON_COMMAND(IDM_ED_FRAME, OnFrame)
    ON_UPDATE_COMMAND_UI(IDM_ED_FRAME, OnUpdateNeedsPicture)
    ON_COMMAND(IDM_ED_TEXT, OnText)
    ON_UPDATE_COMMAND_UI(IDM_ED_TEXT, OnUpdateNeedsPicture)
    ON_COMMAND(IDM_ED_COPY, OnCopy)
    ON_COMMAND(IDM_ED_CUT, OnCut)
    ON_COMMAND(IDM_ED_PASTE, OnPaste)
    ON_UPDATE_COMMAND_UI(IDM_ED_COPY, OnUpdateCopy)
    ON_UPDATE_COMMAND_UI(IDM_ED_CUT, OnUpdateCopy)
    ON_UPDATE_COMMAND_UI(IDM_ED_PASTE, OnUpdatePaste)
    ON_COMMAND(IDM_ED_FILL_SELECTION, OnFillSelection)
    ON_COMMAND(IDM_ED_OUTLINE_SELECTION, OnOutlineSelection)
    ON_COMMAND(IDM_ED_TRIM, OnTrim)
    ON_UPDATE_COMMAND_UI(IDM_ED_FILL_SELECTION, OnUpdateSelectionCommand)
    ON_UPDATE_COMMAND_UI(IDM_ED_OUTLINE_SELECTION, OnUpdateSelectionCommand)
    ON_UPDATE_COMMAND_UI(IDM_ED_TRIM, OnUpdateSelectionCommand)
    ON_COMMAND(IDM_ED_GROW_SELECTION, OnGrowSelection)
    ON_COMMAND(IDM_ED_SHRINK_SELECTION, OnShrinkSelection)
    ON_UPDATE_COMMAND_UI_RANGE(IDM_ED_GROW_SELECTION, IDM_ED_SHRINK_SELECTION, OnUpdateGrowShrink)
    ON_COMMAND(IDM_ED_MERGE_FLOAT, OnMergeFloat)
    ON_COMMAND(IDM_ED_CANCEL_FLOAT, OnCancelFloat)
    ON_UPDATE_COMMAND_UI_RANGE(IDM_ED_MERGE_FLOAT, IDM_ED_CANCEL_FLOAT, OnUpdateFloatCommand)
    ON_COMMAND(IDM_ED_MASK_FLOAT, OnMaskFloat)
    ON_UPDATE_COMMAND_UI(IDM_ED_MASK_FLOAT, OnUpdateMaskFloat)
END_MESSAGE_MAP()

CImgEditView::CImgEditView()
    : m_pEditToolsPane(nullptr),
      m_nOperation(IOC_NONE),
      m_pImage(nullptr),
      m_bModified(FALSE),
      m_nEditTool(ETM_SELECT),
      m_nJpegQuality(editor_shell::JpegQuality()),
      m_nZoomIndex(4),
      m_clrHatch(RGB(0xC0, 0xC0, 0xC0)),
      m_rcClient(-1, -1, -1, -1),
      m_ptDown(-1, -1),
      m_ptScrollAtDown(-1, -1),
      m_ptLast(0, 0),
      m_pTracker(nullptr),
      m_nFloatMode(0),
      m_rcSelection(-1, -1, -1, -1),
      m_pFloatImage(nullptr),
      m_pFloatShown(nullptr),
      m_pFloatMask(nullptr),
      m_bFloatMaskInvert(FALSE),
      m_nFloatMaskOffset(0),
      m_bImprintTransparent(TRUE),
      m_lfImprint(),
      m_clrImprintBack(RGB(255, 255, 255)),
      m_clrImprintText(RGB(0, 0, 0)),
      m_nUndoPos(0),
      m_nUndoLevel(editor_shell::UndoLevel()),
      m_bBusy(FALSE),
      m_bLoading(FALSE),
      m_pLoading(nullptr),
      m_pWork(nullptr),
      m_pResult(nullptr),
      m_bRefitAfterOperation(FALSE),
      m_pThread(nullptr),
      m_pShownMenu(nullptr)
{
    for (INT_PTR& p : m_anOpParam)
        p = 0;
    for (UINT ratio : kZoomRatios)
        m_arrZoomRatios.Add(ratio);
    for (int i = 0; i < kUndoSlots; ++i) {
        m_apUndo[i] = nullptr;
        m_arcUndo[i].SetRect(-1, -1, -1, -1);
    }
    // The settings may hold any number; the store has eight slots.
    if (m_nUndoLevel < 0)
        m_nUndoLevel = 0;
    if (m_nUndoLevel > kUndoSlots)
        m_nUndoLevel = kUndoSlots;
}

CImgEditView::~CImgEditView()
{
    JoinWorker();
    DeletePicture(m_pLoading);
    DeletePicture(m_pWork);
    DeletePicture(m_pResult);
    DeletePicture(m_pImage);
    DeleteFloat();
    DeletePicture(m_pFloatMask);
    owned_slot::Free(m_pTracker);
    for (CImageObject*& undo : m_apUndo)
        DeletePicture(undo);
}

CImgEditDoc* CImgEditView::GetDocument() const
{
    return dynamic_cast<CImgEditDoc*>(m_pDocument);
}

BOOL CImgEditView::HasImage() const
{
    return m_pImage && m_pImage->IsLoaded();
}

void CImgEditView::ShowBusyMessage()
{
    AfxMessageBox(kBusyMessage, MB_OK);
}

void CImgEditView::DeletePicture(CImageObject*& picture)
{
    owned_slot::Free(picture);
}

// --- Workers -------------------------------------------------------------

BOOL CImgEditView::StartWorker(AFX_THREADPROC proc)
{
    JoinWorker();
    CWinThread* thread = AfxBeginThread(proc, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (!thread)
        return FALSE;
    thread->m_bAutoDelete = FALSE;
    m_pThread = thread;
    thread->ResumeThread();
    return TRUE;
}

// A finished worker's thread object; waits for one still ending (it has
// already reported, or its window is gone).
void CImgEditView::JoinWorker()
{
    if (!m_pThread)
        return;
    ::WaitForSingleObject(m_pThread->m_hThread, INFINITE);
    owned_slot::Free(m_pThread);
}

// --- Loading ---------------------------------------------------------------

void CImgEditView::LoadImage(CString path, CString title)
{
    if (::IsWindow(m_hWnd))
        UpdateWindow();
    m_strTitle = title;
    if (!path.IsEmpty()) {
        CString ext = path.Right(4);
        if (ext.CompareNoCase(".JPG") != 0 && ext.CompareNoCase(".GIF") != 0 && ext.CompareNoCase(".BMP") != 0)
            return;
        if (IsBusy())
            return;
        DeletePicture(m_pImage);
        m_strPathName = path;
        m_pLoading = new (std::nothrow) CImageObject(this, nullptr);
        m_bLoading = m_pLoading != nullptr;
        if (m_bLoading && !StartWorker(&CImgEditView::LoadImageThread)) {
            m_bLoading = FALSE;
            DeletePicture(m_pLoading);
        }
    } else {
        CImageObject maker;
        CImageObject* blank = maker.MakeBlankImageObject(RGB(255, 255, 255), 1024, 768);
        if (blank) {
            DeletePicture(m_pImage);
            m_pImage = blank;
            m_pImage->SetParent(this);
        }
        FitToWindow();
    }
    ClearSelection();
    if (::IsWindow(m_hWnd))
        Invalidate();
}

// Decodes into the loader's own object; the view takes it over when the
// loader reports its end.
UINT CImgEditView::LoadImageThread(LPVOID param)
{
    CImgEditView* view = static_cast<CImgEditView*>(param);
    int loaded = view->m_pLoading->LoadImageFromFile(view->m_strPathName, 1);
    ::SendMessage(view->m_hWnd, WM_EDIT_LOADER_FINISHED, loaded, 0);
    return 0;
}

LRESULT CImgEditView::OnLoaderFinished(WPARAM wParam, LPARAM)
{
    std::unique_ptr<CImageObject> loaded(m_pLoading);
    m_pLoading = nullptr;
    m_bLoading = FALSE;
    if (wParam && loaded && loaded->IsLoaded()) {
        owned_slot::Replace(m_pImage, std::move(loaded));
        OnImageLoaded(100, 0);
    } else {
        loaded.reset();
        editor_shell::SetProgress(0);
        UpdateFrameTitle();
    }
    Invalidate();
    return 0;
}

LRESULT CImgEditView::OnImageLoaded(WPARAM, LPARAM)
{
    // The loader's own report comes before the picture is handed over, and
    // an operation's before its result is: both are finished later.
    if (m_bLoading)
        return 0;
    if (m_bBusy) {
        m_bRefitAfterOperation = TRUE;
        return 0;
    }
    if (!m_strPathName.IsEmpty() && GetDocument())
        GetDocument()->SetPathName(m_strPathName, TRUE);
    editor_shell::SetProgress(0);
    FitToWindow();
    return 0;
}

LRESULT CImgEditView::OnImageProgress(WPARAM wParam, LPARAM lParam)
{
    if (lParam == 0)
        editor_shell::SetProgress(int(wParam));
    return 0;
}

void CImgEditView::Reopen()
{
    if (IsBusy() || !m_bModified || m_strPathName.IsEmpty())
        return;
    if (AfxMessageBox("이전 작업을 취소하고 이 파일을 다시 여시겠습니까?", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    ClearSelection();
    DeletePicture(m_pImage);
    {
        CWaitCursor wait;
        std::unique_ptr<CImageObject> picture(new (std::nothrow) CImageObject(this, nullptr));
        if (picture && picture->LoadImageFromFile(m_strPathName, 1))
            m_pImage = picture.release();
    }
    m_bModified = FALSE;
    UpdateFrameTitle();
    ClearUndo();
    Invalidate(FALSE);
    UpdateWindow();
}

// --- Zoom and mapping ------------------------------------------------------

int CImgEditView::GetZoomRatio() const
{
    if (m_nZoomIndex < 0 || m_nZoomIndex >= m_arrZoomRatios.GetSize())
        AfxThrowInvalidArgException();
    return int(m_arrZoomRatios[m_nZoomIndex]);
}

int CImgEditView::GetPixelBlock() const
{
    int z = GetZoomRatio();
    return z > 1000 ? z / 1000 : 1;
}

int CImgEditView::SetZoomNearest(int ratio)
{
    int count = int(m_arrZoomRatios.GetSize());
    int index = 0;
    for (int i = 0; i < count; ++i)
        if (int(m_arrZoomRatios[i]) <= ratio)
            index = i;
    m_nZoomIndex = index;
    return int(m_arrZoomRatios[index]);
}

CSize CImgEditView::ZoomedSize() const
{
    if (!HasImage())
        return CSize(0, 0);
    long long z = GetZoomRatio();
    return CSize(int(z * m_pImage->GetWidth() / 1000), int(z * m_pImage->GetHeight() / 1000));
}

CPoint CImgEditView::ClientToImage(CPoint client) const
{
    if (!HasImage())
        return CPoint(-1, -1);
    long long z = GetZoomRatio();
    CPoint scroll = GetScrollPosition();
    return CPoint(int((client.x + (long long)scroll.x) * 1000 / z), int((client.y + (long long)scroll.y) * 1000 / z));
}

CPoint CImgEditView::ImageToLogical(CPoint image) const
{
    long long z = GetZoomRatio();
    return CPoint(int(z * image.x / 1000), int(z * image.y / 1000));
}

namespace {

// One axis of a picture span [lo, hi] (inclusive) at zoom z.
void SpanToLogical(long long z, int lo, int hi, int* outLo, int* outHi)
{
    long long l, r;
    if (z > 1000) {
        l = z * lo / 1000;
        r = l + z * ((long long)hi - lo + 1) / 1000 - 1;
    } else if (z == 333) {
        l = lo / 3;
        r = l + ((long long)hi - lo) / 3;
    } else {
        l = z * lo / 1000;
        r = l + z * ((long long)hi - lo) / 1000;
    }
    *outLo = int(l);
    *outHi = int(r);
}

void SpanToImage(long long z, long long lo, long long hi, int* outLo, int* outHi)
{
    if (z == 333) {
        *outLo = int(lo * 3);
        *outHi = int((hi + 1) * 3 - 1);
    } else {
        *outLo = int(lo * 1000 / z);
        *outHi = int((hi + 1) * 1000 / z - 1);
    }
}

}  // namespace

CRect CImgEditView::ImageToLogical(const CRect& image) const
{
    long long z = GetZoomRatio();
    CRect out;
    SpanToLogical(z, image.left, image.right, (int*)&out.left, (int*)&out.right);
    SpanToLogical(z, image.top, image.bottom, (int*)&out.top, (int*)&out.bottom);
    return out;
}

CRect CImgEditView::ImageToClient(const CRect& image) const
{
    CRect out = ImageToLogical(image);
    out.OffsetRect(-GetScrollPosition());
    return out;
}

CRect CImgEditView::ClientToImage(const CRect& client) const
{
    if (!HasImage())
        return CRect(-1, -1, -1, -1);
    long long z = GetZoomRatio();
    CPoint scroll = GetScrollPosition();
    CRect out;
    SpanToImage(z, (long long)client.left + scroll.x, (long long)client.right + scroll.x, (int*)&out.left,
                (int*)&out.right);
    SpanToImage(z, (long long)client.top + scroll.y, (long long)client.bottom + scroll.y, (int*)&out.top,
                (int*)&out.bottom);
    out.left = max(out.left, 0L);
    out.top = max(out.top, 0L);
    out.right = min(out.right, LONG(m_pImage->GetWidth() - 1));
    out.bottom = min(out.bottom, LONG(m_pImage->GetHeight() - 1));
    return out;
}

CRect CImgEditView::VisibleImageRect() const
{
    if (!HasImage() || !::IsWindow(m_hWnd))
        return CRect(-1, -1, -1, -1);
    CRect client;
    GetClientRect(&client);
    return ClientToImage(client);
}

void CImgEditView::FitToWindow()
{
    if (!HasImage())
        return;
    if (::IsWindow(m_hWnd))
        GetClientRect(&m_rcClient);
    CSize size;
    int ratio = m_pImage->GetThumbRatio(CSize(m_rcClient.Width(), m_rcClient.Height()), &size, 1);
    SetZoomNearest(ratio);
    UpdateFrameTitle();
    UpdateSizeStatus();
    CFrameWnd* frame = ::IsWindow(m_hWnd) ? GetParentFrame() : nullptr;
    if (frame && !frame->IsZoomed()) {
        long long z = GetZoomRatio();
        int w = int(z * m_pImage->GetWidth() / 1000) + 2 * (::GetSystemMetrics(SM_CXEDGE) + ::GetSystemMetrics(SM_CXFRAME));
        int h = int(z * m_pImage->GetHeight() / 1000) + 2 * (::GetSystemMetrics(SM_CYEDGE) + ::GetSystemMetrics(SM_CYFRAME)) +
                ::GetSystemMetrics(SM_CYCAPTION);
        frame->SetWindowPos(nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    UpdateScrollSizes();
    if (::IsWindow(m_hWnd))
        Invalidate(TRUE);
    editor_shell::PaneViewChanged(m_pEditToolsPane, this);
    editor_shell::PaneNavigator(m_pEditToolsPane, CRect(0, 0, m_pImage->GetWidth(), m_pImage->GetHeight()), FALSE);
}

void CImgEditView::UpdateScrollSizes()
{
    if (!HasImage() || !::IsWindow(m_hWnd))
        return;
    CRect client;
    GetClientRect(&client);
    CSize page(max(client.Width() / 2, 1), max(client.Height() / 2, 1));
    CSize line(max(client.Width() / 6, 1), max(client.Height() / 6, 1));
    SetScrollSizes(MM_TEXT, ZoomedSize(), page, line);
}

void CImgEditView::AnchoredZoom(int newIndex, CPoint anchor)
{
    if (!HasImage() || newIndex < 0 || newIndex >= m_arrZoomRatios.GetSize())
        return;
    if (anchor.x < 0 || anchor.x >= m_pImage->GetWidth())
        anchor.x = m_pImage->GetWidth() / 2;
    if (anchor.y < 0 || anchor.y >= m_pImage->GetHeight())
        anchor.y = m_pImage->GetHeight() / 2;
    SendMessage(WM_SETREDRAW, FALSE);
    m_nZoomIndex = newIndex;
    UpdateScrollSizes();
    CRect client;
    GetClientRect(&client);
    CSize zoomed = ZoomedSize();
    CPoint logical = ImageToLogical(anchor);
    CPoint pos = GetScrollPosition();
    if (zoomed.cx > client.Width())
        pos.x = logical.x - client.Width() / 2;
    if (zoomed.cy > client.Height())
        pos.y = logical.y - client.Height() / 2;
    ScrollToPosition(pos);
    SendMessage(WM_SETREDRAW, TRUE);
    Invalidate(TRUE);
    UpdateWindow();
    UpdateFrameTitle();
    UpdateSizeStatus();
    editor_shell::PaneNavigator(m_pEditToolsPane, VisibleImageRect(), FALSE);
    UpdateSelectionStatus();
}

void CImgEditView::ZoomIn()
{
    if (!HasImage() || m_nZoomIndex >= m_arrZoomRatios.GetSize() - 1)
        return;
    CRect client;
    GetClientRect(&client);
    AnchoredZoom(m_nZoomIndex + 1, ClientToImage(client.CenterPoint()));
}

void CImgEditView::ZoomOut()
{
    if (!HasImage() || m_nZoomIndex <= 0)
        return;
    CRect client;
    GetClientRect(&client);
    AnchoredZoom(m_nZoomIndex - 1, ClientToImage(client.CenterPoint()));
}

void CImgEditView::ZoomToStep(UINT id)
{
    if (!HasImage())
        return;
    CRect client;
    GetClientRect(&client);
    AnchoredZoom(int(id) - kFirstZoomCmd, ClientToImage(client.CenterPoint()));
}

void CImgEditView::ScrollToImagePosition(CPoint image)
{
    if (!HasImage() || !::IsWindow(m_hWnd))
        return;
    CRect client;
    GetClientRect(&client);
    CSize zoomed = ZoomedSize();
    CPoint logical = ImageToLogical(image);
    CPoint pos = GetScrollPosition();
    if (zoomed.cx > client.Width())
        pos.x = logical.x;
    if (zoomed.cy > client.Height())
        pos.y = logical.y;
    ScrollToPosition(pos);
    Invalidate(FALSE);
    UpdateWindow();
}

// --- Painting --------------------------------------------------------------

void CImgEditView::OnDraw(CDC* pDC)
{
    if (!HasImage() || editor_shell::IsClosing())
        return;
    CRect clip;
    int kind = pDC->GetClipBox(&clip);
    if (kind == ERROR || clip.IsRectEmpty())
        return;
    CSize zoomed = ZoomedSize();
    CRect area;
    if (!area.IntersectRect(clip, CRect(0, 0, zoomed.cx, zoomed.cy)))
        return;
    long long z = GetZoomRatio();
    if (z > 1000) {
        // Whole blocks, so that a partly covered picture pixel is drawn whole.
        int s = GetPixelBlock();
        area.left = area.left / s * s;
        area.top = area.top / s * s;
        if (area.right % s)
            area.right = (area.right / s + 1) * s;
        if (area.bottom % s)
            area.bottom = (area.bottom / s + 1) * s;
    }
    m_pImage->SetSrc_x(int(area.left * 1000 / z));
    m_pImage->SetSrc_y(int(area.top * 1000 / z));
    m_pImage->SetSrc_width(int(area.Width() * 1000 / z));
    m_pImage->SetSrc_height(int(area.Height() * 1000 / z));
    m_pImage->SetDst_x(area.left);
    m_pImage->SetDst_y(area.top);
    m_pImage->SetDst_width(area.Width());
    m_pImage->SetDst_height(area.Height());
    m_pImage->DrawStretch(pDC);

    if (m_pTracker) {
        CRect logical = ImageToLogical(m_rcSelection);
        if (m_nFloatMode && m_pFloatShown) {
            m_pFloatShown->SetSrc_x(0);
            m_pFloatShown->SetSrc_y(0);
            m_pFloatShown->SetSrc_width(m_pFloatShown->GetWidth());
            m_pFloatShown->SetSrc_height(m_pFloatShown->GetHeight());
            m_pFloatShown->SetDst_x(logical.left);
            m_pFloatShown->SetDst_y(logical.top);
            m_pFloatShown->SetDst_width(logical.Width() + 1);
            m_pFloatShown->SetDst_height(logical.Height() + 1);
            m_pFloatShown->DrawStretch(pDC);
        }
        if (m_nEditTool == ETM_SELECT) {
            // The tracker keeps client coordinates; the DC here is scrolled.
            CRect tracker = ImageToClient(m_rcSelection);
            tracker.right += 1;
            tracker.bottom += 1;
            m_pTracker->m_rect = tracker;
            CRectTracker shown = *m_pTracker;
            shown.m_rect.OffsetRect(GetScrollPosition());
            shown.Draw(pDC);
        }
    }
}

BOOL CImgEditView::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CBrush hatch(HS_CROSS, m_clrHatch);
    COLORREF oldBack = pDC->SetBkColor(kHatchBack);
    int oldMode = pDC->SetBkMode(OPAQUE);
    if (!HasImage()) {
        pDC->FillRect(&client, &hatch);
    } else {
        CSize zoomed = ZoomedSize();
        if (zoomed.cx < client.Width())
            pDC->FillRect(CRect(zoomed.cx, 0, client.right, client.bottom), &hatch);
        if (zoomed.cy < client.Height())
            pDC->FillRect(CRect(0, zoomed.cy, client.right, client.bottom), &hatch);
    }
    pDC->SetBkMode(oldMode);
    pDC->SetBkColor(oldBack);
    return TRUE;
}

// --- Window messages ------------------------------------------------------

void CImgEditView::OnInitialUpdate()
{
    CScrollView::OnInitialUpdate();
    SetScrollSizes(MM_TEXT, CSize(1, 1));
}

void CImgEditView::OnDestroy()
{
    CScrollView::OnDestroy();
    editor_shell::ClearActiveEditView(this);
    if (!editor_shell::IsClosing())
        editor_shell::PaneViewDestroyed(m_pEditToolsPane, this);
}

void CImgEditView::OnSize(UINT nType, int cx, int cy)
{
    CScrollView::OnSize(nType, cx, cy);
    GetClientRect(&m_rcClient);
    UpdateScrollSizes();
    editor_shell::PaneNavigator(m_pEditToolsPane, VisibleImageRect(), FALSE);
}

void CImgEditView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    // The base takes a thumb's 32-bit position from SIF_TRACKPOS.
    CScrollView::OnHScroll(nSBCode, nPos, pScrollBar);
    editor_shell::PaneNavigator(m_pEditToolsPane, VisibleImageRect(), TRUE);
}

void CImgEditView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    CScrollView::OnVScroll(nSBCode, nPos, pScrollBar);
    editor_shell::PaneNavigator(m_pEditToolsPane, VisibleImageRect(), TRUE);
}

BOOL CImgEditView::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    CRect client;
    GetClientRect(&client);
    CSize zoomed = ZoomedSize();
    CPoint pos = GetScrollPosition();
    BOOL vertical = HasImage() && zoomed.cy > client.Height();
    BOOL horizontal = !vertical && HasImage() && zoomed.cx > client.Width();
    if (!vertical && !horizontal) {
        CScrollView::OnMouseWheel(nFlags, zDelta, pt);
        return TRUE;
    }
    int position = vertical ? pos.y : pos.x;
    int extent = vertical ? client.Height() : client.Width();
    int total = vertical ? zoomed.cy : zoomed.cx;
    if (zDelta > 0 && position <= 0)
        return TRUE;
    if (zDelta < 0 && position + extent >= total)
        return TRUE;
    CScrollView::OnMouseWheel(nFlags, zDelta, pt);
    Invalidate(FALSE);
    editor_shell::PaneNavigator(m_pEditToolsPane, VisibleImageRect(), FALSE);
    return TRUE;
}

void CImgEditView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    if (bActivate) {
        editor_shell::SetActiveEditView(this);
        editor_shell::PaneViewActivated(m_pEditToolsPane, this);
        editor_shell::PaneNavigator(m_pEditToolsPane, VisibleImageRect(), FALSE);
        editor_shell::ShowEditToolsGroup();
        UpdateSizeStatus();
        UpdateSelectionStatus();
    } else {
        editor_shell::ClearActiveEditView(this);
        editor_shell::PaneViewDeactivated(m_pEditToolsPane, this);
    }
    CScrollView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

// --- Title and status ---------------------------------------------------------

CString CImgEditView::DisplayName()
{
    if (!m_strPathName.IsEmpty())
        return FileNamePart(m_strPathName);
    if (m_strTitle.IsEmpty())
        m_strTitle = kUntitled;
    return m_strTitle;
}

void CImgEditView::UpdateFrameTitle()
{
    CString name = DisplayName();
    CString title;
    title.Format(m_bModified ? "%s (%.1f %%) *" : "%s (%.1f %%)", (LPCSTR)name, GetZoomRatio() * 0.1);
    if (GetDocument())
        GetDocument()->SetTitle(title);
}

void CImgEditView::UpdateSizeStatus()
{
    CString text;
    if (HasImage())
        text.Format("전체 W %d x H %d (%.1f %%)", m_pImage->GetWidth(), m_pImage->GetHeight(), GetZoomRatio() * 0.1);
    editor_shell::SetStatusText(2, text);
}

void CImgEditView::UpdateSelectionStatus()
{
    CString text;
    if (m_pTracker && HasImage())
        text.Format("선택영역 (%d,%d) W=%d H=%d", int(m_rcSelection.left), int(m_rcSelection.top),
                    int(m_rcSelection.Width() + 1), int(m_rcSelection.Height() + 1));
    editor_shell::SetStatusText(4, text);
}

void CImgEditView::MarkModified()
{
    if (m_bModified)
        return;
    m_bModified = TRUE;
    UpdateFrameTitle();
}

// --- Saving -----------------------------------------------------------------

BOOL CImgEditView::WriteTo(const CString& path)
{
    if (!HasImage())
        return FALSE;
    m_pImage->SetJPGQuality(m_nJpegQuality);
    BOOL written;
    {
        CWaitCursor wait;
        written = m_pImage->Save(path);
    }
    if (!written) {
        CString message;
        message.Format("%s 파일을 저장하지 못했습니다.", (LPCSTR)path);
        AfxMessageBox(message, MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    m_strPathName = path;
    if (GetDocument())
        GetDocument()->SetPathName(path, TRUE);
    m_bModified = FALSE;
    UpdateFrameTitle();
    editor_shell::StoreThumbnail(path, m_pImage);
    return TRUE;
}

BOOL CImgEditView::Save()
{
    if (!HasImage())
        return FALSE;
    if (IsBusy()) {
        ShowBusyMessage();
        return FALSE;
    }
    int type = ExtensionIndex(m_strPathName);
    if (m_strPathName.IsEmpty() || (type != IMAGE_TYPE_JPG && type != IMAGE_TYPE_BMP))
        return SaveAs();
    return WriteTo(m_strPathName);
}

BOOL CImgEditView::SaveAs()
{
    if (!HasImage())
        return FALSE;
    if (IsBusy()) {
        ShowBusyMessage();
        return FALSE;
    }
    CFileDialog dialog(FALSE, nullptr, nullptr, OFN_HIDEREADONLY, "Jpeg Files(*.JPG)|*.JPG|BMP Files(*.BMP)|*.BMP||",
                       this);
    dialog.m_ofn.nFilterIndex = 1;
    CString folder = editor_shell::SaveFolder();
    if (!folder.IsEmpty())
        dialog.m_ofn.lpstrInitialDir = folder;
    if (dialog.DoModal() != IDOK)
        return FALSE;
    char current[MAX_PATH] = "";
    if (::GetCurrentDirectory(sizeof(current), current))
        editor_shell::SetSaveFolder(current);
    CString name = dialog.GetPathName();
    if (FileExtension(name).IsEmpty()) {
        int filter = int(dialog.m_ofn.nFilterIndex);
        name += szExtensions[filter == 2 ? 1 : 0];
    }
    CPtrArray views;
    GetDocViewList("ImgEdit", &views);
    BOOL selfListed = FALSE;
    for (INT_PTR i = 0; i < views.GetSize(); ++i) {
        CImgEditView* view = dynamic_cast<CImgEditView*>(static_cast<CView*>(views[i]));
        selfListed = selfListed || view == this;
        if (view && view->m_strPathName.CompareNoCase(name) == 0) {
            AfxMessageBox("같은 이름의 파일이 열려있습니다.\r\n열린 창을 닫거나 다른 이름을 지정하십시요.", MB_OK);
            return FALSE;
        }
    }
    if (!selfListed && m_strPathName.CompareNoCase(name) == 0) {
        AfxMessageBox("같은 이름의 파일이 열려있습니다.\r\n열린 창을 닫거나 다른 이름을 지정하십시요.", MB_OK);
        return FALSE;
    }
    if (::GetFileAttributes(name) != INVALID_FILE_ATTRIBUTES &&
        AfxMessageBox("같은 이름의 파일이 존재합니다.\r\n새 파일로 대체하시겠습니까?", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return FALSE;
    int type = ExtensionIndex(name);
    if (type != IMAGE_TYPE_JPG && type != IMAGE_TYPE_BMP) {
        AfxMessageBox("JPG 또는 BMP 파일로만 저장할 수 있습니다.", MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    return WriteTo(name);
}

// --- Commands ------------------------------------------------------------------

void CImgEditView::OnReopen()
{
    Reopen();
}

void CImgEditView::OnUpdateReopen(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!IsBusy() && m_bModified && !m_strPathName.IsEmpty());
}

void CImgEditView::OnZoomIn()
{
    ZoomIn();
}

void CImgEditView::OnZoomOut()
{
    ZoomOut();
}

void CImgEditView::OnUpdateZoomIn(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(HasImage() && m_nZoomIndex < m_arrZoomRatios.GetSize() - 1);
}

void CImgEditView::OnUpdateZoomOut(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(HasImage() && m_nZoomIndex > 0);
}

void CImgEditView::OnZoomStep(UINT id)
{
    ZoomToStep(id);
}

void CImgEditView::OnUpdateZoomStep(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(HasImage());
    pCmdUI->SetCheck(int(pCmdUI->m_nID) - kFirstZoomCmd == m_nZoomIndex);
}

void CImgEditView::OnSave()
{
    Save();
}

void CImgEditView::OnUpdateSave(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(HasImage() && !IsBusy() && (m_bModified || m_strPathName.IsEmpty()));
}

void CImgEditView::OnSaveAs()
{
    SaveAs();
}

void CImgEditView::OnUpdateSaveAs(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(HasImage() && !IsBusy());
}

void CImgEditView::OnUpdateNeedsPicture(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(HasImage() && !IsBusy());
}

// Commands whose windows this program does not have yet.
void CImgEditView::OnUpdateUnavailable(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(FALSE);
}

// Pasting into a new picture is the main window's command.
void CImgEditView::OnPasteAsNew()
{
    if (CWnd* main = AfxGetMainWnd())
        main->SendMessage(WM_COMMAND, IDM_ED_MAIN_PASTE_NEW);
}

void CImgEditView::OnUpdatePasteAsNew(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(::IsClipboardFormatAvailable(CF_DIB));
}

void CImgEditView::OnOpenFolder()
{
    if (m_strPathName.IsEmpty())
        return;
    editor_shell::ShowFolderInPane(m_strPathName.Left(m_strPathName.ReverseFind('\\') + 1));
}

void CImgEditView::OnUpdateOpenFolder(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_strPathName.IsEmpty() && editor_shell::HasFolderPane());
}

void CImgEditView::OnJpegFormat()
{
    CDlgJPEGFormat::OpenInLayer(m_strPathName);
}
