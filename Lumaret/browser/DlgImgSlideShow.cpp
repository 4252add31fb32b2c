#include "browser/DlgImgSlideShow.h"

#include "album/DlgConsoleBrowse.h"
#include "browser/DlgImgBrowser.h"
#include "browser/DlgImgSlideShowSet.h"
#include "browser/MivoImgBrowserView.h"
#include "browser/SlideImgListView.h"
#include "browser/SlideTransition.h"
#include "controls/VXMenu.h"
#include "framework/VXApp.h"
#include "image/ImageMessages.h"
#include "image/ImageObject.h"
#include "mivo/Trace.h"
#include "shell/DlgMediaPlayerBar.h"
#include "shell/MainApp.h"
#include "shell/MainFrame.h"

#include "resource.h"

#include <algorithm>
#include <mutex>

std::atomic<int> g_bSlideLoadDone{1};

namespace {

const int kHandCursor = 128;
const int kCloseIcon = 185;
// The loader hands its picture over with this wParam and the picture in lParam; the image
// library's own report (wParam 100, lParam 0) only ends its progress.
const WPARAM kSlideReady = 1;
const DWORD kDropAfterMs = 10;
// A picture that arrives for a slide no longer current is refused, and the current one is asked
// for again once the loader is free.
const UINT WM_SLIDE_RETRY = WM_APP + 0x251;
const int kResampleBox = 3;
const COLORREF kPosText = RGB(255, 255, 255);
const COLORREF kTitleText = RGB(255, 255, 0);

BOOL IsClosing()
{
    CVXApp* app = dynamic_cast<CVXApp*>(AfxGetApp());
    return app && app->m_bClosing;
}

}  // namespace

BEGIN_MESSAGE_MAP(CDlgImgSlideShow, CVXDialog)
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_MOUSEWHEEL()
    ON_WM_TIMER()
    ON_WM_CTLCOLOR()
    ON_WM_ACTIVATE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_IMAGE_PROGRESS, OnImageProgress)
    ON_MESSAGE(WM_IMAGE_DONE, OnImageDone)
    ON_MESSAGE(WM_SLIDE_RETRY, OnRetryLoad)
    ON_BN_CLICKED(IDC_SLIDE_FIRST, OnFirst)
    ON_BN_CLICKED(IDC_SLIDE_PREV, OnPrev)
    ON_BN_CLICKED(IDC_SLIDE_NEXT, OnNextButton)
    ON_BN_CLICKED(IDC_SLIDE_LAST, OnLast)
    ON_BN_CLICKED(IDC_SLIDE_AUTO, OnAuto)
    ON_BN_CLICKED(IDC_SLIDE_MANUAL, OnManual)
    ON_COMMAND(ID_SLIDE_FIRST, OnFirst)
    ON_COMMAND(ID_SLIDE_PREV, OnPrev)
    ON_COMMAND(ID_SLIDE_NEXT, OnNextCommand)
    ON_COMMAND(ID_SLIDE_LAST, OnLast)
    ON_COMMAND(ID_SLIDE_AUTO, OnSettings)
    ON_COMMAND(ID_SLIDE_MUSIC, OnMusic)
    ON_COMMAND(ID_SLIDE_STOP, OnManual)
    ON_COMMAND(ID_SLIDE_CLOSE, OnClose)
END_MESSAGE_MAP()

CDlgImgSlideShow::CDlgImgSlideShow()
    : CVXDialog(IDD_SLIDE_SHOW, nullptr),
      m_nSlide(0),
      m_bSingle(0),
      m_pSourceImage(nullptr),
      m_pOwnerView(nullptr),
      m_nOwnerMode(CDlgImgBrowser::MODE_FOLDER),
      m_bPaintImage(0),
      m_nEffect(0),
      m_bStopTransition(0),
      m_bStopLoad(0),
      m_bAutoPlay(0),
      m_nInterval(3),
      m_clrBack(theApp.m_clrSlideShowBk),
      m_pStrip(nullptr)
{
    m_nIconID = 128;
}

CDlgImgSlideShow::~CDlgImgSlideShow()
{
    m_bStopTransition = 1;
    ::InterlockedExchange((LONG*)&m_bStopLoad, 1);
    m_transitionWorker.Join();
    m_loadWorker.Join();
    for (int i = 0; i < (int)m_arrSlideThumb.GetSize(); i++)
        delete static_cast<CImageObject*>(m_arrSlideThumb[i]);
}

BOOL CDlgImgSlideShow::Open()
{
    if (!Create(IDD_SLIDE_SHOW, nullptr))
        return FALSE;
    m_bOwnsSelf = TRUE;
    return TRUE;
}

void CDlgImgSlideShow::AddSlide(const CString& path, const CString& title, UINT albumId, UINT seq, CImageObject* thumb)
{
    m_arrSlidePath.Add(path);
    m_arrSlideTitle.Add(title);
    m_arrSlideAlbumID.Add(albumId);
    m_arrSlideSeq.Add(seq);
    // The browser frees its thumbnails on every new listing: the strip keeps its own.
    m_arrSlideThumb.Add(thumb && thumb->IsLoaded() ? thumb->DuplicateImgObj() : nullptr);
}

BOOL CDlgImgSlideShow::TakeItems(CMivoImgBrowserView* view, int start, BOOL selectedOnly)
{
    if (!view || !view->m_pBrowser)
        return FALSE;
    CDlgImgBrowser& b = *view->m_pBrowser;
    m_pOwnerView = view;
    m_nOwnerMode = b.m_nMode;
    m_nSlide = 0;
    std::lock_guard<std::mutex> lock(b.ItemLock());
    for (int i = 0; i < b.m_nItemCount; i++) {
        if (b.m_arrIsFolder[i] || (selectedOnly && !b.m_arrSelected[i]))
            continue;
        if (i == start)
            m_nSlide = SlideCount();
        CImageObject* thumb = b.m_arrThumbDone[i] ? static_cast<CImageObject*>(b.m_arrThumb[i]) : nullptr;
        AddSlide(b.m_arrPath[i], b.m_arrName[i], b.m_arrAlbumID[i], b.m_arrSeq[i], thumb);
    }
    return SlideCount() > 0;
}

void CDlgImgSlideShow::DoDataExchange(CDataExchange* pDX)
{
    CVXDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDCANCEL, m_btnClose);
    DDX_Control(pDX, IDC_SLIDE_FIRST, m_btnFirst);
    DDX_Control(pDX, IDC_SLIDE_PREV, m_btnPrev);
    DDX_Control(pDX, IDC_SLIDE_NEXT, m_btnNext);
    DDX_Control(pDX, IDC_SLIDE_LAST, m_btnLast);
    DDX_Control(pDX, IDC_SLIDE_MANUAL, m_btnManual);
    DDX_Control(pDX, IDC_SLIDE_AUTO, m_btnAuto);
    DDX_Control(pDX, IDC_SLIDE_PROGRESS, m_progress);
    DDX_Text(pDX, IDC_SLIDE_TITLE, m_strSlideTitle);
    DDX_Text(pDX, IDC_SLIDE_POS, m_strSlidePos);
}

// ---- set-up and layout ----

BOOL CDlgImgSlideShow::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    m_brBack.CreateSolidBrush(m_clrBack);
    struct ButtonSpec {
        CImageButton* button;
        int icon;
        const char* tip;
    } buttons[] = {
        {&m_btnClose, kCloseIcon, "닫기"},           {&m_btnFirst, IDI_PRINT_FIRST, "처음으로"},
        {&m_btnPrev, IDI_PRINT_PREV, "이전슬라이드"}, {&m_btnNext, IDI_PRINT_NEXT, "다음 슬라이드"},
        {&m_btnLast, IDI_PRINT_LAST, "마지막으로"},   {&m_btnManual, IDI_SLIDE_MANUAL, "수동 모드"},
        {&m_btnAuto, IDI_SLIDE_AUTO, "자동 모드"},
    };
    for (const ButtonSpec& spec : buttons) {
        spec.button->SetIcon(spec.icon);
        spec.button->SetBtnCursor(kHandCursor, TRUE);
        spec.button->SetTooltipText(spec.tip);
        if (spec.button != &m_btnPrev)
            spec.button->DrawTransparent();
    }
    m_progress.SetRange(0, 100);
    m_progress.ShowWindow(SW_HIDE);
    if (!m_bSingle) {
        m_pStrip = static_cast<CSlideImgListView*>(RUNTIME_CLASS(CSlideImgListView)->CreateObject());
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CSlideImgListView);
        // A view that failed to create has deleted itself.
        if (!m_pStrip->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), this,
                              IDC_SLIDE_STRIP, &context)) {
            MIVO_WARN(kTraceLumaret, "the slide strip could not be created");
            m_pStrip = nullptr;
        } else {
            m_pStrip->ModifyStyleEx(WS_EX_CLIENTEDGE, 0);
            m_pStrip->m_pSlideShow = this;
            m_pStrip->SetBackColor(m_clrBack);
            m_pStrip->SendMessage(WM_INITIALUPDATE);
        }
    }
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_SHOWWINDOW);
    PictureFromPlace();
    m_rcPicture.right = cx - 5;
    m_rcPicture.bottom = cy - 25;
    if (m_bSingle) {
        m_rcPicture.left = 0;
    } else {
        if (m_pStrip)
            m_pStrip->ShowWindow(SW_SHOW);
        PictureFromPlace();
        Invalidate();
        if (m_pStrip)
            m_pStrip->SetCurrentSlide(-1, m_nSlide);
    }
    LoadSlide();
    UpdateNavButtons();
    return TRUE;
}

void CDlgImgSlideShow::PictureFromPlace()
{
    if (CWnd* place = GetDlgItem(IDC_SLIDE_PICTURE)) {
        place->GetWindowRect(&m_rcPicture);
        ScreenToClient(&m_rcPicture);
    }
}

void CDlgImgSlideShow::OnSize(UINT nType, int cx, int cy)
{
    CVXDialog::OnSize(nType, cx, cy);
    if (IsClosing() || !m_btnClose.m_hWnd)
        return;
    auto rectOf = [this](int id) {
        CRect r(0, 0, 0, 0);
        if (CWnd* w = GetDlgItem(id)) {
            w->GetWindowRect(&r);
            ScreenToClient(&r);
        }
        return r;
    };
    auto place = [this](int id, int x, int y, int w, int h) {
        if (CWnd* wnd = GetDlgItem(id))
            wnd->MoveWindow(x, y, w, h);
    };
    const int y0 = cy - 3 - rectOf(IDCANCEL).Height();
    for (int id : {IDCANCEL, IDC_SLIDE_FIRST, IDC_SLIDE_PREV, IDC_SLIDE_NEXT, IDC_SLIDE_LAST, IDC_SLIDE_AUTO,
                   IDC_SLIDE_MANUAL}) {
        CRect r = rectOf(id);
        place(id, r.left, y0, r.Width(), r.Height());
    }
    CRect strip = rectOf(IDC_SLIDE_STRIP_PLACE);
    place(IDC_SLIDE_STRIP_PLACE, 0, 0, strip.Width(), y0 - 1);
    if (m_pStrip)
        m_pStrip->MoveWindow(0, 0, strip.Width(), y0 - 4);
    CRect picture = rectOf(IDC_SLIDE_PICTURE);
    place(IDC_SLIDE_PICTURE, picture.left, 0, cx - picture.left - 5, y0 - 1);
    CRect pos = rectOf(IDC_SLIDE_POS), bar = rectOf(IDC_SLIDE_PROGRESS), manual = rectOf(IDC_SLIDE_MANUAL),
          title = rectOf(IDC_SLIDE_TITLE);
    place(IDC_SLIDE_POS, cx - pos.Width(), y0 + 1, pos.Width(), pos.Height());
    place(IDC_SLIDE_PROGRESS, cx - pos.Width() - bar.Width() - 2, y0 + 1, bar.Width(), bar.Height());
    place(IDC_SLIDE_TITLE, manual.right, y0 + 1, cx - pos.Width() - bar.Width() - manual.right - 2, title.Height());
}

// ---- navigation ----

void CDlgImgSlideShow::UpdateNavButtons()
{
    if (!m_btnNext.m_hWnd)
        return;
    const BOOL manual = !m_bSingle && !m_bAutoPlay;
    m_btnFirst.EnableWindow(manual && m_nSlide != 0);
    m_btnPrev.EnableWindow(manual);
    m_btnNext.EnableWindow(!m_bAutoPlay || m_bSingle);
    m_btnLast.EnableWindow(manual && m_nSlide != SlideCount() - 1);
    m_btnAuto.EnableWindow(manual);
    m_btnManual.EnableWindow(!m_bSingle && m_bAutoPlay);
    m_btnNext.SetFocus();
}

void CDlgImgSlideShow::GoTo(int slide)
{
    const int old = m_nSlide;
    m_nSlide = slide;
    if (m_pStrip)
        m_pStrip->SetCurrentSlide(old, slide);
    UpdateNavButtons();
    LoadSlide();
}

void CDlgImgSlideShow::NextSlide()
{
    if (m_bSingle) {
        OnCancel();
        return;
    }
    if (SlideCount() > 0)
        GoTo(m_nSlide + 1 >= SlideCount() ? 0 : m_nSlide + 1);
}

void CDlgImgSlideShow::PrevSlide()
{
    if (!m_bSingle && SlideCount() > 0)
        GoTo(m_nSlide - 1 < 0 ? SlideCount() - 1 : m_nSlide - 1);
}

void CDlgImgSlideShow::FirstSlide()
{
    if (!m_bSingle && SlideCount() > 0)
        GoTo(0);
}

void CDlgImgSlideShow::LastSlide()
{
    if (!m_bSingle && SlideCount() > 0)
        GoTo(SlideCount() - 1);
}

void CDlgImgSlideShow::OnNextButton()
{
    if (!m_bAutoPlay || m_bSingle)
        NextSlide();
}

// ---- loading ----

BOOL CDlgImgSlideShow::LoadSlide()
{
    if (m_bSingle) {
        if (!m_pSourceImage || m_pSourceImage->GetWidth() <= 0 || m_pSourceImage->GetHeight() <= 0)
            return FALSE;
        const int w = m_pSourceImage->GetWidth(), h = m_pSourceImage->GetHeight();
        const int ratio = m_pSourceImage->GetThumbRatio(m_rcPicture, nullptr, TRUE);
        StopTransition();
        const long nw = std::max(1L, (long)((long long)w * ratio / 1000)),
                   nh = std::max(1L, (long)((long long)h * ratio / 1000));
        m_pSlideImage.reset(m_pSourceImage->Resample(nw, nh, kResampleBox));
        // The editor may close its picture while the show runs: it is read this once.
        m_pSourceImage = nullptr;
        if (m_pSlideImage) {
            m_rcImage = CRect(CPoint(m_rcPicture.left + (m_rcPicture.Width() - (int)nw) / 2,
                                     m_rcPicture.top + (m_rcPicture.Height() - (int)nh) / 2),
                              CSize((int)nw, (int)nh));
            StartTransition();
        }
        m_strSlidePos.Empty();
        UpdateData(FALSE);
        return TRUE;
    }
    if (SlideCount() == 0)
        return FALSE;
    if (!g_bSlideLoadDone) {
        ::InterlockedExchange((LONG*)&m_bStopLoad, 1);
        ::Sleep(kDropAfterMs);
        if (!g_bSlideLoadDone) {
            // Still busy: this request is dropped.
            ::InterlockedExchange((LONG*)&m_bStopLoad, 0);
            return FALSE;
        }
    }
    m_loadWorker.Join();
    StopTransition();
    m_pSlideImage.reset();
    g_bSlideLoadDone = 0;
    ::InterlockedExchange((LONG*)&m_bStopLoad, 0);
    m_strLoadingPath = m_arrSlidePath[m_nSlide];
    m_nLoadingSlide = m_nSlide;
    m_progress.SetPos(0);
    m_progress.ShowWindow(SW_SHOW);
    if (!m_loadWorker.Start(SlideLoadThread, this))
        g_bSlideLoadDone = 1;
    m_strSlideTitle = m_arrSlideTitle[m_nSlide];
    m_strSlidePos.Format(" %d / %d ", m_nSlide + 1, SlideCount());
    UpdateData(FALSE);
    return TRUE;
}

UINT CDlgImgSlideShow::SlideLoadThread(LPVOID param)
{
    CDlgImgSlideShow* show = static_cast<CDlgImgSlideShow*>(param);
    const CString path = show->m_strLoadingPath;
    const CRect box = show->m_rcPicture;
    std::unique_ptr<CImageObject> image(new (std::nothrow) CImageObject(show, &show->m_bStopLoad));
    if (image && !show->m_bStopLoad && !IsClosing()) {
        CSize size(0, 0);
        const int ratio = image->GetThumbRatioFromFile(path, box, &size, TRUE);
        if (size.cx > 0 && size.cy > 0 && ratio > 0 && image->LoadScaled(path, ratio, 1) && image->IsLoaded() &&
            !show->m_bStopLoad) {
            // Taken only when the window still wants it; otherwise it goes here.
            if (::SendMessage(show->m_hWnd, WM_IMAGE_DONE, kSlideReady, (LPARAM)image.get()))
                image.release();
        }
    }
    g_bSlideLoadDone = 1;
    ::PostMessage(show->m_hWnd, WM_SLIDE_RETRY, 0, 0);
    return 0;
}

LRESULT CDlgImgSlideShow::OnImageProgress(WPARAM wParam, LPARAM lParam)
{
    if (lParam == 0 && m_progress.m_hWnd)
        m_progress.SetPos((int)wParam);
    return 0;
}

LRESULT CDlgImgSlideShow::OnImageDone(WPARAM wParam, LPARAM lParam)
{
    if (wParam != kSlideReady || lParam == 0 || m_bDestroying || m_bStopLoad)
        return 0;
    // The step that asked for the current slide was dropped while this load ran: the loader's
    // retry asks for it once it has ended.
    if (m_nLoadingSlide != m_nSlide)
        return 0;
    CImageObject* image = reinterpret_cast<CImageObject*>(lParam);
    m_progress.ShowWindow(SW_HIDE);
    m_progress.SetPos(0);
    StopTransition();
    m_pSlideImage.reset(image);
    // Paints still pending (an erase among them) are done before the reveal starts: one made
    // during it would wipe what it has already shown.
    m_bTransitionRunning = 1;
    Invalidate(FALSE);
    UpdateWindow();
    const int w = image->GetWidth(), h = image->GetHeight();
    m_rcImage = CRect(CPoint(m_rcPicture.left + (int)((unsigned)(m_rcPicture.Width() - w) / 2),
                             m_rcPicture.top + (int)((unsigned)(m_rcPicture.Height() - h) / 2)),
                      CSize(w, h));
    StartTransition();
    return 1;
}

LRESULT CDlgImgSlideShow::OnRetryLoad(WPARAM, LPARAM)
{
    if (!m_bDestroying && !m_bSingle && m_nLoadingSlide != m_nSlide)
        LoadSlide();
    return 0;
}

// ---- transitions ----

void CDlgImgSlideShow::StopTransition()
{
    m_bStopTransition = 1;
    m_transitionWorker.Join();
    m_bTransitionRunning = 0;
}

void CDlgImgSlideShow::StartTransition()
{
    if (!m_pSlideImage || m_bDestroying)
        return;
    m_transitionWorker.Join();
    m_bStopTransition = 0;
    m_rcTransition = m_rcPicture;
    m_bTransitionRunning = 1;
    if (!m_transitionWorker.Start(SlideTransitionThread, this))
        m_bTransitionRunning = 0;
}

UINT CDlgImgSlideShow::SlideTransitionThread(LPVOID param)
{
    // The window replaces its picture and goes away only after stopping and joining this thread.
    CDlgImgSlideShow* show = static_cast<CDlgImgSlideShow*>(param);
    const CRect rc = show->m_rcTransition;
    CImageObject* image = show->m_pSlideImage.get();
    HWND hwnd = show->m_hWnd;
    HDC hdc = image ? ::GetDC(hwnd) : nullptr;
    if (hdc) {
        CDC dc;
        dc.Attach(hdc);
        {
            CSlideTransition transition(&dc, rc.Width(), rc.Height(), show->m_clrBack, image);
            if (transition.RevealOn(&dc, rc.TopLeft(), show->m_nEffect, show->m_bStopTransition)) {
                show->m_nEffect++;
                show->m_bPaintImage = 0;
            }
        }
        dc.Detach();
        ::ReleaseDC(hwnd, hdc);
    }
    show->m_bTransitionRunning = 0;
    return 0;
}

void CDlgImgSlideShow::WaitForWorkers()
{
    while (!g_bSlideLoadDone || m_bTransitionRunning || (!m_bSingle && m_nLoadingSlide != m_nSlide)) {
        MSG msg;
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
        ::Sleep(1);
    }
    m_loadWorker.Join();
    m_transitionWorker.Join();
}

// ---- painting ----

BOOL CDlgImgSlideShow::ShowsImage() const
{
    // A picture already revealed stays on every later repaint.
    return m_pSlideImage && (m_bPaintImage || !m_bTransitionRunning);
}

void CDlgImgSlideShow::OnPaint()
{
    CPaintDC dc(this);
    if (!ShowsImage())
        return;
    const int w = m_pSlideImage->GetWidth(), h = m_pSlideImage->GetHeight();
    dc.SetStretchBltMode(HALFTONE);
    dc.SetBrushOrg(0, 0);
    m_pSlideImage->DrawStretchDirect(&dc, 0, 0, w, h, m_rcPicture.left + (m_rcPicture.right - w - m_rcPicture.left) / 2,
                                     m_rcPicture.top + (m_rcPicture.bottom - h - m_rcPicture.top) / 2, w, h);
}

BOOL CDlgImgSlideShow::OnEraseBkgnd(CDC* pDC)
{
    if (m_nEffect == 0)
        return CVXDialog::OnEraseBkgnd(pDC);
    CRect client;
    GetClientRect(&client);
    if (ShowsImage()) {
        CRect above = client;
        if (m_btnClose.m_hWnd) {
            CRect close;
            m_btnClose.GetWindowRect(&close);
            ScreenToClient(&close);
            above.bottom = close.top;
        }
        const int w = m_pSlideImage->GetWidth(), h = m_pSlideImage->GetHeight();
        CRect image(CPoint(m_rcPicture.left + (m_rcPicture.Width() - w) / 2,
                           m_rcPicture.top + (m_rcPicture.Height() - h) / 2),
                    CSize(w, h));
        CRgn fill, hole;
        fill.CreateRectRgnIndirect(&above);
        hole.CreateRectRgnIndirect(&image);
        fill.CombineRgn(&fill, &hole, RGN_DIFF);
        pDC->FillRgn(&fill, &m_brBack);
        if (m_progress.m_hWnd) {
            CRect bar;
            m_progress.GetWindowRect(&bar);
            ScreenToClient(&bar);
            pDC->FillRect(&bar, &m_brBack);
        }
    } else {
        pDC->FillSolidRect(&client, m_clrBack);
    }
    return FALSE;
}

void CDlgImgSlideShow::OnPostEraseBkgnd(CDC* pDC)
{
    for (CImageButton* button : {&m_btnClose, &m_btnFirst, &m_btnPrev, &m_btnNext, &m_btnLast, &m_btnManual, &m_btnAuto})
        if (button->m_hWnd)
            button->SetBk(pDC);
}

HBRUSH CDlgImgSlideShow::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    (void)nCtlColor;
    const int id = pWnd ? pWnd->GetDlgCtrlID() : 0;
    if (id == IDC_SLIDE_POS)
        pDC->SetTextColor(kPosText);
    else if (id == IDC_SLIDE_TITLE)
        pDC->SetTextColor(kTitleText);
    pDC->SetBkColor(m_clrBack);
    return (HBRUSH)m_brBack.GetSafeHandle();
}

void CDlgImgSlideShow::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CVXDialog::OnActivate(nState, pWndOther, bMinimized);
    if (nState == WA_INACTIVE)
        m_bPaintImage = 1;
}

// ---- input ----

BOOL CDlgImgSlideShow::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_SPACE) {
        NextSlide();
        return TRUE;
    }
    return CVXDialog::PreTranslateMessage(pMsg);
}

void CDlgImgSlideShow::OnLButtonDown(UINT nFlags, CPoint point)
{
    CVXDialog::OnLButtonDown(nFlags, point);
    if (m_bAutoPlay)
        return;
    if (m_bSingle)
        OnCancel();
    else if (m_rcPicture.PtInRect(point))
        NextSlide();
}

BOOL CDlgImgSlideShow::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    (void)nFlags;
    (void)pt;
    if (zDelta > 0)
        PrevSlide();
    else if (!m_bAutoPlay)
        NextSlide();
    return TRUE;
}

void CDlgImgSlideShow::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kAutoTimer)
        NextSlide();
}

void CDlgImgSlideShow::OnOK()
{
    if (m_bAutoPlay)
        StopAutoPlay();
    NextSlide();
}

// ---- automatic mode and music ----

void CDlgImgSlideShow::SetTimerForInterval()
{
    // 0 would fire without pause and a negative number would overflow the milliseconds.
    m_nInterval = std::max(1, std::min(m_nInterval, 24 * 60 * 60));
    SetTimer(kAutoTimer, (UINT)m_nInterval * 1000, nullptr);
}

void CDlgImgSlideShow::StartAutoPlay()
{
    if (m_bSingle)
        return;
    m_rcPicture.left = 0;
    if (m_pStrip)
        m_pStrip->ShowWindow(SW_HIDE);
    NextSlide();
    SetTimerForInterval();
    m_bAutoPlay = 1;
    UpdateNavButtons();
}

void CDlgImgSlideShow::StopAutoPlay()
{
    if (m_bAutoPlay) {
        KillTimer(kAutoTimer);
        m_bAutoPlay = 0;
        UpdateNavButtons();
    }
    m_bPaintImage = 1;
    if (m_pStrip)
        m_pStrip->ShowWindow(SW_SHOW);
    if (!m_bSingle)
        PictureFromPlace();
    Invalidate();
    UpdateWindow();
    Invalidate();
}

void CDlgImgSlideShow::OnAutoPlaySettings()
{
    if (m_bSingle)
        return;
    StopAutoPlay();
    m_bPaintImage = 1;
    CDlgImgSlideShowSet dlg(this);
    dlg.m_nSeconds = m_nInterval;
    if (dlg.DoModal() == IDOK) {
        m_rcPicture.left = 0;
        if (m_pStrip)
            m_pStrip->ShowWindow(SW_HIDE);
        NextSlide();
        m_nInterval = dlg.m_nSeconds;
        SetTimerForInterval();
        m_bAutoPlay = 1;
        UpdateNavButtons();
    } else {
        if (m_pStrip)
            m_pStrip->ShowWindow(SW_SHOW);
        PictureFromPlace();
        RedrawWindow();
    }
    Invalidate();
}

void CDlgImgSlideShow::ToggleMusic()
{
    CDlgMediaPlayerBar* player = CDlgImgSlideShowSet::FolderPanePlayer();
    if (!player)
        return;
    if (player->m_bPlaying && !player->m_bPaused)
        player->Pause();
    else
        player->Play();
}

CMenu* CDlgImgSlideShow::BuildContextMenu(CVXMenu& menu)
{
    if (!menu.LoadMenu(IDR_SLIDE_MENU))
        return nullptr;
    UINT toolbars[] = {IDR_MENUIMAGES};
    menu.LoadToolbars(toolbars, 1);
    CMenu* popup = menu.GetSubMenu(0);
    if (!popup)
        return nullptr;
    CDlgMediaPlayerBar* player = CDlgImgSlideShowSet::FolderPanePlayer();
    if (player && player->m_bPlaying && !player->m_bPaused) {
        if (CVXMenu* vx = dynamic_cast<CVXMenu*>(popup))
            vx->SetMenuText(ID_SLIDE_MUSIC, "음악 끄기", MF_BYCOMMAND);
        else
            popup->ModifyMenu(ID_SLIDE_MUSIC, MF_BYCOMMAND | MF_STRING, ID_SLIDE_MUSIC, "음악 끄기");
    }
    std::vector<UINT> grey;
    if (!player)
        grey.push_back(ID_SLIDE_MUSIC);
    if (m_bAutoPlay) {
        grey.insert(grey.end(), {ID_SLIDE_FIRST, ID_SLIDE_PREV, ID_SLIDE_NEXT, ID_SLIDE_LAST});
    } else {
        grey.push_back(ID_SLIDE_STOP);
        if (m_nSlide == 0)
            grey.insert(grey.end(), {ID_SLIDE_FIRST, ID_SLIDE_PREV});
        if (m_nSlide == SlideCount() - 1)
            grey.insert(grey.end(), {ID_SLIDE_NEXT, ID_SLIDE_LAST});
    }
    for (UINT id : grey)
        popup->EnableMenuItem(id, MF_BYCOMMAND | MF_GRAYED);
    return popup;
}

void CDlgImgSlideShow::OnRButtonDown(UINT nFlags, CPoint point)
{
    CVXDialog::OnRButtonDown(nFlags, point);
    if (m_bSingle)
        return;
    CVXMenu menu;
    CMenu* popup = BuildContextMenu(menu);
    if (!popup)
        return;
    // The window covers the screen from 0,0: client and screen points agree.
    popup->TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, this);
    if (::IsWindow(m_hWnd))
        Invalidate();
}

// ---- closing ----

void CDlgImgSlideShow::OnCancel()
{
    if (!m_bSingle && m_nSlide >= 0 && m_nSlide < SlideCount())
        CMainFrame::OpenImageInPane(m_arrSlidePath[m_nSlide], m_nOwnerMode, (int)m_arrSlideAlbumID[m_nSlide],
                                    (int)m_arrSlideSeq[m_nSlide]);
    if (m_bAutoPlay) {
        KillTimer(kAutoTimer);
        m_bAutoPlay = 0;
    }
    m_bStopTransition = 1;
    ::InterlockedExchange((LONG*)&m_bStopLoad, 1);
    DestroyWindow();
}

void CDlgImgSlideShow::OnDestroy()
{
    // Both workers read this window: they end before it goes.
    m_bDestroying = TRUE;
    m_bStopTransition = 1;
    ::InterlockedExchange((LONG*)&m_bStopLoad, 1);
    m_transitionWorker.Join();
    m_loadWorker.Join();
    g_bSlideLoadDone = 1;
    CVXDialog::OnDestroy();
}

void CDlgImgSlideShow::PostNcDestroy()
{
    CVXDialog::PostNcDestroy();
    if (m_bOwnsSelf)
        delete this;
}
