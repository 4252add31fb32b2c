#include "album/DlgConsoleSubPreview.h"

#include "album/ConsoleBrowserLink.h"
#include "calendar/DlgImgAppCalendar.h"
#include "controls/VXGDI.h"
#include "controls/VXMenu.h"
#include "framework/VXUtil.h"
#include "image/ImageObject.h"
#include "image/ImgDetailView.h"
#include "print/DlgImgPrint.h"
#include "resource.h"
#include "shell/MainApp.h"
#include "shell/MainFrame.h"
#include "editor/OwnedSlot.h"

#include <sys/stat.h>

std::atomic<int> g_bPreviewThreadIdle{1};

namespace {

// The worker's two reports that only this pane hears: the fit it measured (sent, so the caption
// shows before the decode) and its end (posted, so a destroyed pane simply misses it).
const UINT WM_PREVIEW_MEASURED = WM_USER + 0x460;
const UINT WM_PREVIEW_ENDED = WM_USER + 0x461;

// The preview box inside the picture area: room for the caption above it.
const int kBoxSide = 5;
const int kBoxTop = 24;
const int kCaptionInset = 5;
const DWORD kStopGraceMs = 10;

const COLORREF kAreaBorder = RGB(0x60, 0x60, 0x60);
const COLORREF kAreaFill = RGB(0x80, 0x80, 0x80);
const COLORREF kCaptionColour = 0x00FFFF;
const COLORREF kNavigatorColour = 0xFFFF00;

CMainFrame* MainFrame()
{
    CWnd* wnd = AfxGetMainWnd();
    if (!wnd || !::IsWindow(wnd->GetSafeHwnd()))
        return nullptr;
    return dynamic_cast<CMainFrame*>(wnd);
}

void SetFrameProgress(int percent)
{
    CMainFrame* frame = MainFrame();
    if (frame && ::IsWindow(frame->m_wndProgress.GetSafeHwnd()))
        frame->m_wndProgress.SendMessage(PBM_SETPOS, (WPARAM)percent);
}

BOOL FileExists(const CString& path)
{
    CFileStatus status;
    return CFile::GetStatus(path, status);
}

}  // namespace

// What the loader works on: copies taken on the user-interface thread when it starts, and the
// fit it measured, read back there.
struct CDlgConsoleSubPreview::LoadJob {
    HWND hwnd = nullptr;
    CString path;
    CRect picture;
    CImageObject* image = nullptr;
    int* stop = nullptr;
    int ratio = 0;
    CSize size;
};

BEGIN_MESSAGE_MAP(CDlgConsoleSubPreview, CVXDialog)
    ON_MESSAGE(WM_IMAGE_PROGRESS, OnImageProgress)
    ON_MESSAGE(WM_IMAGE_DONE, OnImageDone)
    ON_MESSAGE(WM_PREVIEW_MEASURED, OnPreviewMeasured)
    ON_MESSAGE(WM_PREVIEW_ENDED, OnPreviewEnded)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_SETCURSOR()
    ON_COMMAND(ID_PREVIEW_EDIT, OnPreviewEdit)
    ON_COMMAND(ID_PREVIEW_DETAIL, OnPreviewDetail)
    ON_COMMAND(ID_PREVIEW_OPEN_WITH, OnPreviewOpenWith)
    ON_COMMAND(ID_MAKE_CALENDAR, OnPreviewCalendar)
    ON_COMMAND(ID_IMAGE_PRINT, OnPreviewPrint)
END_MESSAGE_MAP()

CDlgConsoleSubPreview::CDlgConsoleSubPreview(CWnd* pParent)
    : CVXDialog(IDD_CONSOLE_SUB_PREVIEW, pParent),
      m_pNavView(nullptr),
      m_bHasRequest(0),
      m_bLoaded(0),
      m_pLoadImage(nullptr),
      m_nStopFlag(0),
      m_hLoadThread(nullptr),
      m_nRatio(0),
      m_rcNav(-1, -1, -1, -1),
      m_ptNavOrigin(-1, -1),
      m_bOverNav(0)
{
    m_bChild = TRUE;
}

CDlgConsoleSubPreview::~CDlgConsoleSubPreview()
{
    // A pane deleted without its window still must not leave a loader on its members.
    ::InterlockedExchange(&m_nStopFlag, 1);
    JoinLoader(TRUE);
    FreeImage();
}

BOOL CDlgConsoleSubPreview::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    if (CWnd* picture = GetDlgItem(IDC_PREVIEW_PICTURE)) {
        picture->GetWindowRect(&m_rcPicture);
        ScreenToClient(&m_rcPicture);
    }
    return TRUE;
}

// ---- loading ----

BOOL CDlgConsoleSubPreview::ConsoleFolderShown() const
{
    CMainFrame* frame = MainFrame();
    if (!frame || !::IsWindow(frame->m_wndFolderBar.GetSafeHwnd()))
        return TRUE;
    int folder = frame->GetSelFolder();
    return folder == kFolderBrowse || folder == kFolderAlbum;
}

void CDlgConsoleSubPreview::StartPreviewLoad()
{
    if (!ConsoleFolderShown())
        return;
    if (m_bLoaded && m_strPath == m_strLoadedPath)
        return;
    m_bHasRequest = 1;
    m_bLoaded = 0;
    if (!g_bPreviewThreadIdle) {
        ::InterlockedExchange(&m_nStopFlag, 1);
        ::Sleep(kStopGraceMs);
        if (!g_bPreviewThreadIdle)
            return;  // dropped: the running loader stops at its next look at the flag
    }
    // The loader that just ended may still be on its way out: the image is freed only after it.
    JoinLoader(TRUE);
    FreeImage();
    m_rcNav.SetRect(-1, -1, -1, -1);
    if (m_strPath.IsEmpty()) {
        Invalidate();
        return;
    }
    if (!FileExists(m_strPath)) {
        m_strPath.Empty();
        m_strShownName.Empty();
        Invalidate();
        return;
    }
    char name[256] = "";
    if (m_strPath.GetLength() < MAX_PATH)
        DivideFilePathAndName(m_strPath, nullptr, name, nullptr);
    m_strFileName = name;

    ::InterlockedExchange(&m_nStopFlag, 0);
    m_pLoadImage = new CImageObject(this, &m_nStopFlag);
    auto job = std::make_unique<LoadJob>();
    job->hwnd = m_hWnd;
    job->path = m_strPath;
    job->picture = m_rcPicture;
    job->image = m_pLoadImage;
    job->stop = &m_nStopFlag;
    m_strJobPath = m_strPath;
    g_bPreviewThreadIdle = 0;
    CWinThread* thread = AfxBeginThread(PreviewLoadThread, job.get(), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (!thread) {
        g_bPreviewThreadIdle = 1;
        return;
    }
    thread->m_bAutoDelete = FALSE;
    job.release();  // the loader frees it
    m_pLoadThread.reset(thread);
    m_hLoadThread = thread->m_hThread;
    thread->ResumeThread();
}

UINT CDlgConsoleSubPreview::PreviewLoadThread(LPVOID param)
{
    std::unique_ptr<LoadJob> job(static_cast<LoadJob*>(param));
    g_bPreviewThreadIdle = 0;
    CSize box((job->picture.right - kBoxSide) - (job->picture.left + kBoxSide),
              (job->picture.bottom - kBoxSide) - (job->picture.top + kBoxTop));
    job->ratio = job->image->GetThumbRatioFromFile(job->path, box, &job->size, TRUE);
    // The pane takes the fit on its own thread and says whether to decode.
    if (::SendMessage(job->hwnd, WM_PREVIEW_MEASURED, 0, (LPARAM)job.get()))
        job->image->LoadScaled(job->path, job->ratio, 1);
    HWND hwnd = job->hwnd;
    job.reset();
    g_bPreviewThreadIdle = 1;
    ::PostMessage(hwnd, WM_PREVIEW_ENDED, 0, 0);
    return 0;
}

LRESULT CDlgConsoleSubPreview::OnPreviewMeasured(WPARAM, LPARAM lParam)
{
    const LoadJob* job = reinterpret_cast<const LoadJob*>(lParam);
    m_nRatio = job->ratio;
    if (m_nStopFlag != 0 || theApp.m_bClosing || m_nRatio <= 0)
        return 0;
    m_sizeImage = job->size;
    m_strShownName = m_strFileName;
    Invalidate(FALSE);
    UpdateWindow();
    return 1;
}

LRESULT CDlgConsoleSubPreview::OnPreviewEnded(WPARAM, LPARAM)
{
    JoinLoader(TRUE);
    Invalidate();
    return 0;
}

void CDlgConsoleSubPreview::JoinLoader(BOOL wait)
{
    if (!m_pLoadThread)
        return;
    if (::WaitForSingleObject(m_pLoadThread->m_hThread, wait ? INFINITE : 0) != WAIT_OBJECT_0)
        return;
    m_pLoadThread.reset();
    m_hLoadThread = nullptr;
}

void CDlgConsoleSubPreview::FreeImage()
{
    owned_slot::Free(m_pLoadImage);
}

LRESULT CDlgConsoleSubPreview::OnImageProgress(WPARAM wParam, LPARAM lParam)
{
    if (lParam != 0)
        return 0;
    SetFrameProgress((int)wParam);
    if (wParam == 100) {
        m_bLoaded = 1;
        m_strLoadedPath = m_strJobPath;
    }
    return 0;
}

LRESULT CDlgConsoleSubPreview::OnImageDone(WPARAM, LPARAM)
{
    SetFrameProgress(0);
    m_rcNav.SetRect(-1, -1, -1, -1);
    UpdateData(FALSE);
    Invalidate(TRUE);
    return 0;
}

// ---- painting ----

BOOL CDlgConsoleSubPreview::OnEraseBkgnd(CDC*)
{
    return TRUE;  // the paint covers every pixel
}

void CDlgConsoleSubPreview::OnPaint()
{
    CPaintDC paint(this);
    CRect client;
    GetClientRect(&client);
    if (client.IsRectEmpty())
        return;
    CDC memory;
    CBitmap bitmap;
    if (!memory.CreateCompatibleDC(&paint) || !bitmap.CreateCompatibleBitmap(&paint, client.Width(), client.Height()))
        return;
    CBitmap* old = memory.SelectObject(&bitmap);
    PaintInto(memory, client);
    paint.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}

void CDlgConsoleSubPreview::PaintInto(CDC& dc, const CRect& client)
{
    dc.FillSolidRect(&client, ::GetSysColor(COLOR_3DFACE));
    CRect area = m_rcPicture;
    CVXGDI::VXRoundRect(&dc, &area, kAreaBorder, kAreaFill);

    CFont* oldFont = dc.SelectObject(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
    dc.SetTextColor(kCaptionColour);
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(m_rcPicture.left + kCaptionInset, m_rcPicture.top + kCaptionInset, m_strShownName);
    dc.SelectObject(oldFont);

    // While a loader works on the image it is its alone; the end of the load repaints.
    if (m_pLoadImage && !m_pLoadThread && m_pLoadImage->IsLoaded()) {
        PlaceImage();
        int x = m_rcImage.left, y = m_rcImage.top;
        int width = m_rcImage.Width(), height = m_rcImage.Height();
        m_pLoadImage->SetSrc_x(0);
        m_pLoadImage->SetSrc_y(0);
        m_pLoadImage->SetSrc_width(width);
        m_pLoadImage->SetSrc_height(height);
        m_pLoadImage->SetDst_x(x);
        m_pLoadImage->SetDst_y(y);
        m_pLoadImage->SetDst_width(width);
        m_pLoadImage->SetDst_height(height);
        m_pLoadImage->DrawStretch(&dc);
    }

    if (HasNavigator()) {
        CPen pen(PS_SOLID, 1, kNavigatorColour);
        CPen* oldPen = dc.SelectObject(&pen);
        dc.MoveTo(m_rcNav.left, m_rcNav.top);
        dc.LineTo(m_rcNav.right, m_rcNav.top);
        dc.LineTo(m_rcNav.right, m_rcNav.bottom);
        dc.LineTo(m_rcNav.left, m_rcNav.bottom);
        dc.LineTo(m_rcNav.left, m_rcNav.top);
        dc.SelectObject(oldPen);
    }
}

void CDlgConsoleSubPreview::PlaceImage()
{
    if (!m_pLoadImage || !m_pLoadImage->IsLoaded())
        return;
    int width = m_pLoadImage->GetWidth(), height = m_pLoadImage->GetHeight();
    int freeWidth = (m_rcPicture.right - kBoxSide) - (m_rcPicture.left + kBoxSide) - width;
    int freeHeight = (m_rcPicture.bottom - kBoxSide) - (m_rcPicture.top + kBoxTop) - height;
    auto half = [](int v) { return v >= 0 ? v / 2 : -((1 - v) / 2); };
    int x = m_rcPicture.left + kBoxSide + half(freeWidth);
    int y = m_rcPicture.top + kBoxTop + half(freeHeight);
    m_rcImage.SetRect(x, y, x + width, y + height);
}

// ---- navigator ----

CRect CDlgConsoleSubPreview::NavigatorFromVisible(const CRect& visible, int ratio, const CRect& image)
{
    auto scaled = [ratio](int v) { return (int)((long long)v * ratio / 1000); };
    CRect nav;
    nav.left = scaled(visible.left) + image.left;
    nav.top = scaled(visible.top) + image.top;
    nav.right = scaled(visible.right - visible.left) + nav.left + 1;
    nav.bottom = scaled(visible.bottom - visible.top) + nav.top + 1;
    return nav;
}

CRect CDlgConsoleSubPreview::ClampInside(CRect nav, const CRect& image)
{
    if (nav.left < image.left)
        nav.OffsetRect(image.left - nav.left, 0);
    if (nav.top < image.top)
        nav.OffsetRect(0, image.top - nav.top);
    if (nav.right > image.right)
        nav.OffsetRect(image.right - nav.right, 0);
    if (nav.bottom > image.bottom)
        nav.OffsetRect(0, image.bottom - nav.bottom);
    return nav;
}

CPoint CDlgConsoleSubPreview::ImagePointOfNavigator(const CRect& nav, const CRect& image, int ratio)
{
    if (ratio <= 0)
        return CPoint(0, 0);
    return CPoint((int)((long long)(nav.left - image.left) * 1000 / ratio),
                  (int)((long long)(nav.top - image.top) * 1000 / ratio));
}

void CDlgConsoleSubPreview::InvalidateOutline(const CRect& nav)
{
    if (nav.left == -1)
        return;
    CRgn outer, inner;
    outer.CreateRectRgn(nav.left, nav.top, nav.right + 1, nav.bottom + 1);
    inner.CreateRectRgn(nav.left + 1, nav.top + 1, nav.right - 1, nav.bottom - 1);
    outer.CombineRgn(&outer, &inner, RGN_DIFF);
    InvalidateRgn(&outer, FALSE);
}

void CDlgConsoleSubPreview::UpdateNavigatorRect(CRect visible)
{
    if (theApp.m_bClosing || !m_pLoadImage || !m_bLoaded || m_nRatio <= 0 || !IsWindowVisible())
        return;
    if (!m_pLoadThread)
        PlaceImage();
    InvalidateOutline(m_rcNav);
    m_rcVisible = visible;
    m_rcNav = NavigatorFromVisible(visible, m_nRatio, m_rcImage);
    InvalidateOutline(m_rcNav);
}

void CDlgConsoleSubPreview::DragNavigator(CPoint point)
{
    InvalidateOutline(m_rcNav);
    m_rcNav.OffsetRect(point - m_ptLast);
    m_rcNav = ClampInside(m_rcNav, m_rcImage);
    InvalidateOutline(m_rcNav);
    UpdateWindow();
    if (m_pNavView) {
        m_ptNavOrigin = ImagePointOfNavigator(m_rcNav, m_rcImage, m_nRatio);
        CPoint origin = m_ptNavOrigin;
        m_pNavView->ScrollToPosition(m_pNavView->GetDstPoint(origin));
    }
    m_ptLast = point;
}

void CDlgConsoleSubPreview::OnMouseMove(UINT nFlags, CPoint point)
{
    if (nFlags != MK_LBUTTON) {
        m_bOverNav = HasNavigator() && m_rcNav.PtInRect(point);
    } else if (m_bOverNav && HasNavigator() && m_nRatio > 0) {
        DragNavigator(point);
    }
    CVXDialog::OnMouseMove(nFlags, point);
}

BOOL CDlgConsoleSubPreview::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_bOverNav) {
        ::SetCursor(AfxGetApp()->LoadCursor(IDC_HAND_POINTER));
        return TRUE;
    }
    return CVXDialog::OnSetCursor(pWnd, nHitTest, message);
}

void CDlgConsoleSubPreview::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_pLoadImage) {
        SetFocus();
        SetCapture();
        if (m_bOverNav)
            m_ptLast = point;
    }
    CVXDialog::OnLButtonDown(nFlags, point);
}

void CDlgConsoleSubPreview::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_pLoadImage && GetCapture() == this)
        ReleaseCapture();
    CVXDialog::OnLButtonUp(nFlags, point);
}

void CDlgConsoleSubPreview::OnLButtonDblClk(UINT, CPoint)
{
    OnPreviewEdit();
}

// ---- menu ----

void CDlgConsoleSubPreview::OnRButtonDown(UINT nFlags, CPoint point)
{
    CVXMenu menu;
    if (menu.LoadMenu(IDR_PREVIEW_MENU)) {
        menu.LoadToolbar(IDR_MENUIMAGES);
        if (CMenu* popup = menu.GetSubMenu(0)) {
            if (!m_bLoaded || m_strLoadedPath.IsEmpty())
                popup->EnableMenuItem(ID_MAKE_CALENDAR, MF_BYCOMMAND | MF_GRAYED);
            CPoint screen;
            ::GetCursorPos(&screen);
            popup->TrackPopupMenu(TPM_RIGHTBUTTON, screen.x, screen.y, this);
        }
    }
    CVXDialog::OnRButtonDown(nFlags, point);
}

void CDlgConsoleSubPreview::OnPreviewEdit()
{
    if (m_strPath.IsEmpty())
        return;
    if (CMainFrame* frame = MainFrame())
        frame->OpenImageEditor(m_strPath, "");
}

void CDlgConsoleSubPreview::OnPreviewDetail()
{
    if (m_pNavView)
        CConsoleBrowserLink::Get().ShowDetail(m_pNavView);
}

void CDlgConsoleSubPreview::OnPreviewOpenWith()
{
    if (theApp.m_strLinkPrg.IsEmpty()) {
        AfxMessageBox("외부 프로그램이 지정되지 않았습니다.\r\n메인 메뉴의 [보기]->[환경관리] 에서 외부편집기를 "
                      "지정하십시요.");
        return;
    }
    if (m_strPath.IsEmpty())
        return;
    // Quoted, so a path with blanks stays one argument.
    CString parameters = "\"" + m_strPath + "\"";
    ::ShellExecute(nullptr, "open", theApp.m_strLinkPrg, parameters, nullptr, SW_SHOW);
}

void CDlgConsoleSubPreview::OnPreviewCalendar()
{
    if (!m_bLoaded || m_strLoadedPath.IsEmpty())
        return;
    CDlgImgAppCalendar dialog(nullptr);
    dialog.m_bFromFile = 1;
    dialog.m_strSrcPath = m_strLoadedPath;
    dialog.DoModal();
}

void CDlgConsoleSubPreview::OnPreviewPrint()
{
    if (m_strPath.IsEmpty())
        return;
    CDlgImgPrint dlg(nullptr);
    dlg.m_arrPaths.Add(m_strPath);
    dlg.DoModal();
}

// ---- layout and end ----

void CDlgConsoleSubPreview::OnSize(UINT nType, int cx, int cy)
{
    CVXDialog::OnSize(nType, cx, cy);
    CWnd* picture = GetDlgItem(IDC_PREVIEW_PICTURE);
    if (cx == 0 || cy == 0 || theApp.m_bClosing || !picture)
        return;
    CRect rect;
    picture->GetWindowRect(&rect);
    ScreenToClient(&rect);
    int m = rect.left;
    picture->MoveWindow(m, rect.top, cx - 2 * m, cy - 2 * m);
    m_rcPicture.SetRect(m, rect.top, m + cx - 2 * m, rect.top + cy - 2 * m);
    Invalidate(FALSE);
    if (m_bHasRequest)
        StartPreviewLoad();
}

void CDlgConsoleSubPreview::OnDestroy()
{
    ::InterlockedExchange(&m_nStopFlag, 1);
    m_bHasRequest = 0;
    JoinLoader(TRUE);
    CVXDialog::OnDestroy();
    FreeImage();
}
