#include "shell/DlgMediaPlayerBar.h"

#include "MainApp.h"
#include "controls/VXGDI.h"
#include "media/VolumeOutMaster.h"
#include "resource.h"

#include <ctime>
#include <vector>


namespace {

const COLORREF kTextColour = 0xFFC8C8;
const COLORREF kTitleColour = 0x00FFFF;
const COLORREF kFrameColour = 0xA0A0A0;
const COLORREF kClockLit = 0xFF9E75;
const COLORREF kClockUnlit = 0x607060;
const COLORREF kCheckColour = 0xDCDCDC;
const int kClockFaceWidth = 135;

// The MCI window's commands. The usual helper macros call SendMessage unqualified, which
// inside a window class means the class's own member.
LONG Mci(HWND window, UINT message, LPARAM lParam = 0)
{
    return (LONG)::SendMessage(window, message, 0, lParam);
}
const int kPageSize = 20;

const struct {
    int id;
    int icon;
    const char* tip;
} kTransport[] = {
    {IDC_PLAYER_PLAY, IDI_PLAYER_PLAY, "재생시작"},   {IDC_PLAYER_PAUSE, IDI_PLAYER_PAUSE, "일시정지"},
    {IDC_PLAYER_STOP, IDI_PLAYER_STOP, "중지"},       {IDC_PLAYER_PREVIOUS, IDI_PLAYER_PREVIOUS, "뒤로"},
    {IDC_PLAYER_NEXT, IDI_PLAYER_NEXT, "앞으로"},     {IDC_PLAYER_EJECT, IDI_PLAYER_EJECT, "꺼내기"},
};

}  // namespace

CDlgMediaPlayerBar* CDlgMediaPlayerBar::s_pVolumeBar = nullptr;

IMPLEMENT_DYNAMIC(CDlgMediaPlayerBar, CVXDialog)

BEGIN_MESSAGE_MAP(CDlgMediaPlayerBar, CVXDialog)
    ON_BN_CLICKED(IDC_PLAYER_PLAY, OnPlay)
    ON_BN_CLICKED(IDC_PLAYER_PAUSE, OnPause)
    ON_BN_CLICKED(IDC_PLAYER_STOP, OnStop)
    ON_BN_CLICKED(IDC_PLAYER_PREVIOUS, OnPrevious)
    ON_BN_CLICKED(IDC_PLAYER_NEXT, OnNext)
    ON_BN_CLICKED(IDC_PLAYER_EJECT, OnEject)
    ON_BN_CLICKED(IDC_PLAYER_CD, OnCdMode)
    ON_BN_CLICKED(IDC_PLAYER_FILES, OnFileMode)
    ON_BN_CLICKED(IDC_PLAYER_REPEAT, OnRepeat)
    ON_LBN_DBLCLK(IDC_PLAYER_LIST, OnListDblClk)
    ON_WM_TIMER()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CDlgMediaPlayerBar::CDlgMediaPlayerBar(CWnd* pParent)
    : CVXDialog(IDD_MEDIAPLAYER_BAR, pParent),
      m_bColonOn(0),
      m_bPlaying(0),
      m_bPaused(0),
      m_hMCIWnd(nullptr),
      m_bCdMode(0),
      m_bFileMode(0),
      m_nTrackLength(0),
      m_nCurTrack(-1),
      m_nCurEntry(-1),
      m_clrBk(0x606060),
      m_bRepeat(0)
{
    m_bChild = TRUE;
    m_nIconID = IDR_MAINFRAME;
    m_brBk.CreateSolidBrush(m_clrBk);
}

CDlgMediaPlayerBar::~CDlgMediaPlayerBar()
{
    if (s_pVolumeBar == this)
        s_pVolumeBar = nullptr;
}

void CDlgMediaPlayerBar::DoDataExchange(CDataExchange* pDX)
{
    CVXDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PLAYER_PLAY, m_btnPlay);
    DDX_Control(pDX, IDC_PLAYER_PAUSE, m_btnPause);
    DDX_Control(pDX, IDC_PLAYER_STOP, m_btnStop);
    DDX_Control(pDX, IDC_PLAYER_PREVIOUS, m_btnPrevious);
    DDX_Control(pDX, IDC_PLAYER_NEXT, m_btnNext);
    DDX_Control(pDX, IDC_PLAYER_EJECT, m_btnEject);
    DDX_Control(pDX, IDC_PLAYER_CD, m_btnCd);
    DDX_Control(pDX, IDC_PLAYER_FILES, m_btnFiles);
    DDX_Control(pDX, IDC_PLAYER_REPEAT, m_btnRepeat);
    DDX_Control(pDX, IDC_PLAYER_LIST, m_lstPlay);
    DDX_Control(pDX, IDC_PLAYER_POSITION, m_sldPosition);
    DDX_Control(pDX, IDC_PLAYER_VOLUME, m_sldVolume);
    DDX_Control(pDX, IDC_PLAYER_TITLE, m_edtTitle);
    DDX_Check(pDX, IDC_PLAYER_CD, m_bCdMode);
    DDX_Check(pDX, IDC_PLAYER_FILES, m_bFileMode);
    DDX_Check(pDX, IDC_PLAYER_REPEAT, m_bRepeat);
    DDX_Text(pDX, IDC_PLAYER_TITLE, m_strTitle);
}

// ---- set-up ----

BOOL CDlgMediaPlayerBar::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    CreateClock();
    SetupVolume();
    m_sldPosition.SetPageSize(kPageSize);
    m_hMCIWnd = nullptr;
    SetupButtons();
    SetTimer(kTimerId, kTimerPeriod, nullptr);
    return TRUE;
}

void CDlgMediaPlayerBar::CreateClock()
{
    CRect place = ChildRect(IDC_PLAYER_CLOCK);
    m_clock.CreateEx(0, nullptr, "DC", WS_CHILD | WS_VISIBLE, place, this, IDC_PLAYER_CLOCK_WND);
    InitClockFace(0);
    m_clock.SetColour(kClockLit, kClockUnlit, m_clrBk);
    ShowTimeOfDay();
}

void CDlgMediaPlayerBar::InitClockFace(int left)
{
    if (!m_clock.GetSafeHwnd())
        return;
    CRect client;
    m_clock.GetClientRect(&client);
    m_clock.Init(CRect(left, 0, left + kClockFaceWidth, client.Height() - 3), 5, 3, 4, 1);
    m_clock.Invalidate(FALSE);
}

void CDlgMediaPlayerBar::SetupVolume()
{
    m_pVolume = std::make_unique<CVolumeOutMaster>();
    if (!m_pVolume->IsAvailable()) {
        m_pVolume.reset();
        return;
    }
    m_pVolume->Enable();
    s_pVolumeBar = this;
    m_pVolume->RegisterNotificationSink(OnMasterVolumeChanged, 0);
    m_sldVolume.SetRange(0, kVolumeMax);
    m_sldVolume.SetPos(kVolumeMax - (int)m_pVolume->GetCurrentVolume());
}

void CDlgMediaPlayerBar::SetupButtons()
{
    for (const auto& t : kTransport) {
        CImageButton* button = (CImageButton*)GetDlgItem(t.id);
        button->SetIcon(t.icon);
        button->SetTooltipText(t.tip);
        button->SetBtnCursor(IDC_HAND_POINTER);
    }
    const struct {
        CImageButton* button;
        int on, off;
        const char* tip;
    } switches[] = {
        {&m_btnCd, IDI_SWITCH_ON, IDI_SWITCH_OFF, "CD음악을 선택함"},
        {&m_btnFiles, IDI_SWITCH_ON, IDI_SWITCH_OFF, "음악File 을 선택함(MP3)"},
        {&m_btnRepeat, IDI_REPEAT_ON, IDI_REPEAT_OFF, "재생중인 곡을 반복시키거나 해제함."},
    };
    for (const auto& s : switches) {
        s.button->SetIcon(s.on, s.off);
        s.button->DrawBorder(FALSE);
        s.button->SetTooltipText(s.tip);
        s.button->SetBtnCursor(IDC_HAND_POINTER);
        if (s.button != &m_btnRepeat) {
            s.button->SetColor(CImageButton::COLOR_FG_IN, kCheckColour);
            s.button->SetColor(CImageButton::COLOR_FG_OUT, kCheckColour);
        }
        // On the bar's own ground, where the light texts show.
        for (BYTE state : {CImageButton::COLOR_BK_IN, CImageButton::COLOR_BK_OUT, CImageButton::COLOR_BK_FOCUS})
            s.button->SetColor(state, m_clrBk);
    }
    m_edtTitle.SetEditTextColor(kTitleColour);
    m_edtTitle.SetEditBkColor(m_clrBk);
    m_edtTitle.SetEditBkColorFocus(m_clrBk);
    m_edtTitle.SetEditBkColorNorm(m_clrBk);
}

// ---- transport ----

BOOL CDlgMediaPlayerBar::IsCdEntry(int n) const
{
    return n >= 0 && n < m_arrStart.GetSize() && (LONG)m_arrStart[n] >= 0;
}

void CDlgMediaPlayerBar::Play()
{
    if (m_bPaused) {
        if (m_bCdMode)
            m_cdAudio.Play();
        else if (m_hMCIWnd)
            Mci(m_hMCIWnd, MCI_RESUME);
        m_bPaused = 0;
        m_bPlaying = 1;
        return;
    }
    int selected = m_lstPlay.GetSafeHwnd() ? m_lstPlay.GetCurSel() : LB_ERR;
    PlayEntry(selected == LB_ERR ? 0 : selected);
}

void CDlgMediaPlayerBar::Pause()
{
    if (m_bCdMode)
        m_cdAudio.Pause();
    else if (m_bFileMode && m_hMCIWnd)
        Mci(m_hMCIWnd, MCI_PAUSE);
    m_bPaused = 1;
}

void CDlgMediaPlayerBar::Stop()
{
    m_sldPosition.SetPos(0);
    if (m_bCdMode) {
        CWaitCursor wait;
        m_cdAudio.Stop();
    } else {
        CloseMciWindow();
    }
    m_bPlaying = m_bPaused = 0;
    m_strTitle.Empty();
    m_bCdMode = m_bFileMode = 0;
    UpdateData(FALSE);
}

void CDlgMediaPlayerBar::Previous()
{
    if (!m_bRepeat && --m_nCurEntry < 0)
        m_nCurEntry = GetEntryCount() - 1;
    PlayEntry(m_nCurEntry);
}

void CDlgMediaPlayerBar::Next()
{
    if (!m_bRepeat && ++m_nCurEntry >= GetEntryCount())
        m_nCurEntry = 0;
    PlayEntry(m_nCurEntry);
}

void CDlgMediaPlayerBar::Eject()
{
    m_cdAudio.EjectCDROM();
    ClearPlayList();
    m_lstPlay.ResetContent();
    if (m_bCdMode)
        m_bPlaying = m_bPaused = 0;
}

void CDlgMediaPlayerBar::CloseMciWindow()
{
    if (!m_hMCIWnd)
        return;
    Mci(m_hMCIWnd, MCI_STOP);
    ::SendMessage(m_hMCIWnd, WM_CLOSE, 0, 0);
    m_hMCIWnd = nullptr;
}

void CDlgMediaPlayerBar::PlayEntry(int n)
{
    if (n < 0 || n >= GetEntryCount())
        return;
    m_lstPlay.SetCurSel(n);
    m_nCurEntry = n;
    if (m_bPlaying) {
        if (m_bCdMode && !IsCdEntry(n)) {
            m_cdAudio.Stop();
            m_nCurTrack = -1;
        } else if (m_bFileMode) {
            CloseMciWindow();
        }
    }
    m_bPlaying = 1;
    m_strTitle = m_arrTitles[n];
    SetDlgItemText(IDC_PLAYER_TITLE, m_strTitle);

    if (IsCdEntry(n)) {
        m_nCurTrack = atoi(m_arrPaths[n]);
        int index = m_nCurTrack - 1;
        if (index >= 0 && index < m_arrStart.GetSize())
            m_cdAudio.Play((int)m_arrStart[index], (int)m_arrEnd[index]);
        m_nTrackLength = m_cdAudio.GetTrackLength(m_nCurTrack);
        m_sldPosition.SetRange(0, m_nTrackLength, FALSE);
        m_bCdMode = 1;
        m_bFileMode = 0;
    } else {
        // A window left playing after the list was emptied must not be lost.
        CloseMciWindow();
        m_hMCIWnd = MCIWndCreate(m_hWnd, AfxGetInstanceHandle(), WS_CHILD | MCIWNDF_NOMENU, m_arrPaths[n]);
        if (m_hMCIWnd) {
            Mci(m_hMCIWnd, MCIWNDM_SETTIMEFORMAT, (LPARAM) "ms");
            m_nTrackLength = (int)(Mci(m_hMCIWnd, MCIWNDM_GETLENGTH) / 1000);
            m_sldPosition.SetRange(0, m_nTrackLength);
            Mci(m_hMCIWnd, MCI_PLAY);
        }
        m_bPaused = 0;
        m_bCdMode = 0;
        m_bFileMode = 1;
    }
    UpdateData(FALSE);
}

void CDlgMediaPlayerBar::OnRepeat()
{
    m_bRepeat = m_btnRepeat.GetCheck();
}

void CDlgMediaPlayerBar::OnListDblClk()
{
    PlayEntry(m_lstPlay.GetCurSel());
}

// ---- play lists ----

void CDlgMediaPlayerBar::ClearPlayList()
{
    m_arrPaths.RemoveAll();
    m_arrTitles.RemoveAll();
    m_arrStart.RemoveAll();
    m_arrEnd.RemoveAll();
}

void CDlgMediaPlayerBar::FillListBox()
{
    m_lstPlay.ResetContent();
    for (INT_PTR i = 0; i < m_arrTitles.GetSize(); ++i)
        m_lstPlay.AddString(m_arrTitles[i]);
    if (m_nCurEntry >= 0 && m_nCurEntry < m_lstPlay.GetCount())
        m_lstPlay.SetCurSel(m_nCurEntry);
}

void CDlgMediaPlayerBar::LoadCdTracks()
{
    UpdateData(FALSE);
    m_cdAudio.Close();
    if (m_cdAudio.Open() != 0)
        return;
    if (!m_cdAudio.IsReady() || !m_cdAudio.IsMediaInsert()) {
        m_cdAudio.Close();
        return;
    }
    int count = m_cdAudio.GetTracksCount();
    m_lstPlay.ResetContent();
    ClearPlayList();
    for (int t = 1; t <= count; ++t) {
        int length = m_cdAudio.GetTrackLength(t);
        int begin = m_cdAudio.GetTrackBeginTime(t);
        CString title, path;
        title.Format("Track %02d  (%02d:%02d)", t, length / 60, length % 60);
        path.Format("%d", t);
        if (t == 1) {
            // The first track's opening second is the disc's lead-in.
            ++begin;
            --length;
        }
        m_arrPaths.Add(path);
        m_arrTitles.Add(title);
        m_arrStart.Add((DWORD)begin);
        m_arrEnd.Add((DWORD)(begin + length));
    }
    if (count > 0) {
        CWaitCursor wait;
        PlayEntry(0);
    }
    FillListBox();
}

int CDlgMediaPlayerBar::ReadChosenFiles(const char* buffer, size_t size, CStringArray& paths, CStringArray& titles)
{
    paths.RemoveAll();
    titles.RemoveAll();
    // The strings of the buffer, each within it and ended by its NUL.
    std::vector<CString> parts;
    size_t at = 0;
    while (buffer && at < size && buffer[at]) {
        const void* end = memchr(buffer + at, 0, size - at);
        if (!end)
            break;
        size_t length = (const char*)end - (buffer + at);
        parts.emplace_back(buffer + at, (int)length);
        at += length + 1;
    }
    if (parts.size() == 1) {
        CString path = parts[0];
        int slash = path.ReverseFind('\\');
        paths.Add(path);
        titles.Add(slash >= 0 ? path.Mid(slash + 1) : path);
    } else if (parts.size() > 1) {
        CString folder = parts[0];
        if (folder.Right(1) != "\\")
            folder += "\\";
        for (size_t i = 1; i < parts.size(); ++i) {
            paths.Add(folder + parts[i]);
            titles.Add(parts[i]);
        }
    }
    return (int)paths.GetSize();
}

void CDlgMediaPlayerBar::LoadMusicFiles()
{
    UpdateData(FALSE);
    std::vector<char> buffer(kFileBufferSize, 0);
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY | OFN_EXPLORER,
                       "All Files (*.*)|*.*||", this);
    dialog.m_ofn.lpstrFile = buffer.data();
    dialog.m_ofn.nMaxFile = (DWORD)buffer.size();
    if (theApp.m_szMusicDir[0])
        dialog.m_ofn.lpstrInitialDir = theApp.m_szMusicDir;
    if (dialog.DoModal() != IDOK)
        return;
    char folder[MAX_PATH] = "";
    ::GetCurrentDirectory(sizeof(folder), folder);
    CMainApp::CopyFolderBuffer(theApp.m_szMusicDir, folder);
    Invalidate();

    CStringArray paths, titles;
    ReadChosenFiles(buffer.data(), buffer.size(), paths, titles);
    PlayFiles(paths, titles);
}

void CDlgMediaPlayerBar::PlayFiles(const CStringArray& paths, const CStringArray& titles)
{
    if (paths.GetSize() == 0 || paths.GetSize() != titles.GetSize())
        return;
    ClearPlayList();
    for (INT_PTR i = 0; i < paths.GetSize(); ++i) {
        m_arrPaths.Add(paths[i]);
        m_arrTitles.Add(titles[i]);
        m_arrStart.Add(kNoCdTime);
        m_arrEnd.Add(kNoCdTime);
    }
    {
        CWaitCursor wait;
        PlayEntry(0);
    }
    FillListBox();
}

// ---- timer, seeking and volume ----

BOOL CDlgMediaPlayerBar::LeftButtonDown()
{
    return (::GetKeyState(VK_LBUTTON) & 0x8000) != 0;
}

void CDlgMediaPlayerBar::ShowSeconds(int seconds)
{
    if (seconds < 0)
        seconds = 0;
    _TIME_ time = {(BYTE)(seconds / 3600 % 100), (BYTE)(seconds / 60 % 60), (BYTE)(seconds % 60)};
    m_clock.SetTime(time, m_bColonOn);
}

void CDlgMediaPlayerBar::ShowTimeOfDay()
{
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    _TIME_ time = {(BYTE)now.wHour, (BYTE)now.wMinute, (BYTE)now.wSecond};
    m_clock.SetTime(time, m_bColonOn);
}

void CDlgMediaPlayerBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kTimerId) {
        CVXDialog::OnTimer(nIDEvent);
        return;
    }
    m_bColonOn = !m_bColonOn;
    if (theApp.m_bClosing)
        return;
    if (m_bPlaying && m_bFileMode && m_hMCIWnd)
        TickFile();
    else if (m_bPlaying && m_bCdMode)
        TickCd();
    else
        ShowTimeOfDay();
}

void CDlgMediaPlayerBar::TickFile()
{
    Mci(m_hMCIWnd, MCIWNDM_SETTIMEFORMAT, (LPARAM) "ms");
    int seconds = (int)(Mci(m_hMCIWnd, MCIWNDM_GETPOSITION) / 1000);
    ShowSeconds(seconds);
    if (!LeftButtonDown())
        m_sldPosition.SetPos(seconds);
    if (seconds >= m_nTrackLength - 1)
        Next();
}

void CDlgMediaPlayerBar::TickCd()
{
    int track = m_cdAudio.GetCurrentTrack();
    int pos = m_cdAudio.GetCurrentPos();
    if (track < 1 || track > m_arrStart.GetSize() || !IsCdEntry(track - 1))
        return;  // not one of the listed tracks
    int offset = pos - (int)m_arrStart[track - 1];
    if (!LeftButtonDown())
        m_sldPosition.SetPos(offset);
    int current = m_nCurTrack - 1;
    if (current >= 0 && current < m_arrEnd.GetSize() && pos >= (int)m_arrEnd[current]) {
        ShowSeconds(0);
        Next();
        return;
    }
    ShowSeconds(offset);
}

void CDlgMediaPlayerBar::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (!m_bPlaying || !pScrollBar || pScrollBar->GetSafeHwnd() != m_sldPosition.GetSafeHwnd() ||
        (nSBCode == SB_THUMBTRACK && LeftButtonDown())) {
        CVXDialog::OnHScroll(nSBCode, nPos, pScrollBar);
        return;
    }
    int p = m_sldPosition.GetPos();
    int index = m_nCurTrack - 1;
    if (m_bCdMode) {
        if (index >= 0 && index < m_arrStart.GetSize())
            m_cdAudio.Play((int)m_arrStart[index] + p, (int)m_arrEnd[index]);
    } else if (m_bFileMode && m_hMCIWnd) {
        Mci(m_hMCIWnd, MCIWNDM_SETTIMEFORMAT, (LPARAM) "ms");
        Mci(m_hMCIWnd, MCI_SEEK, (LPARAM)p * 1000);
        Mci(m_hMCIWnd, MCI_PLAY);
    }
    CVXDialog::OnHScroll(nSBCode, nPos, pScrollBar);
}

void CDlgMediaPlayerBar::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (m_pVolume && pScrollBar && pScrollBar->GetSafeHwnd() == m_sldVolume.GetSafeHwnd())
        m_pVolume->SetCurrentVolume((DWORD)(kVolumeMax - m_sldVolume.GetPos()));
    CVXDialog::OnVScroll(nSBCode, nPos, pScrollBar);
}

void CALLBACK CDlgMediaPlayerBar::OnMasterVolumeChanged(DWORD dwVolume, DWORD)
{
    CDlgMediaPlayerBar* bar = s_pVolumeBar;
    if (bar && bar->m_sldVolume.GetSafeHwnd())
        bar->m_sldVolume.SetPos(kVolumeMax - (int)dwVolume);
}

// ---- layout and looks ----

CRect CDlgMediaPlayerBar::ChildRect(int id)
{
    CRect rect;
    if (CWnd* child = GetDlgItem(id)) {
        child->GetWindowRect(&rect);
        ScreenToClient(&rect);
    }
    return rect;
}

void CDlgMediaPlayerBar::OnSize(UINT nType, int cx, int cy)
{
    CVXDialog::OnSize(nType, cx, cy);
    if (cx <= 0 || cy <= 0 || theApp.m_bClosing || !m_lstPlay.GetSafeHwnd())
        return;
    CRect list = ChildRect(IDC_PLAYER_LIST);
    int m = list.left;
    m_lstPlay.MoveWindow(m, list.top, cx - 2 * m, cy - list.top - m);
    for (int id : {IDC_PLAYER_POSITION, IDC_PLAYER_TITLE, IDC_PLAYER_CLOCK}) {
        CRect r = ChildRect(id);
        GetDlgItem(id)->MoveWindow(r.left, r.top, cx - m - r.left, r.Height());
    }
    if (m_clock.GetSafeHwnd()) {
        CRect face = ChildRect(IDC_PLAYER_CLOCK);
        m_clock.MoveWindow(&face);
        InitClockFace((face.Width() - kClockFaceWidth) / 2);
    }
    for (int id : {IDC_PLAYER_FRAME1, IDC_PLAYER_FRAME3}) {
        CRect r = ChildRect(id);
        GetDlgItem(id)->MoveWindow(r.left, r.top, cx - 2 * m, r.Height());
    }
    CRect first = ChildRect(IDC_PLAYER_PLAY);
    int width = first.Width();
    int x = (cx - width * (int)(sizeof(kTransport) / sizeof(kTransport[0]))) / 2;
    for (const auto& t : kTransport) {
        GetDlgItem(t.id)->MoveWindow(x, first.top, width, first.Height());
        x += width;
    }
    CRect cd = ChildRect(IDC_PLAYER_CD);
    m_btnCd.MoveWindow(cx - 3 * m - cd.Width(), cd.top, cd.Width(), cd.Height());
    Invalidate();
}

BOOL CDlgMediaPlayerBar::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, m_clrBk);
    for (int id : {IDC_PLAYER_FRAME1, IDC_PLAYER_FRAME2, IDC_PLAYER_FRAME3}) {
        CRect frame = ChildRect(id);
        CVXGDI::VXRoundRect(pDC, &frame, kFrameColour, 0xFFFFFFFF);
    }
    return TRUE;
}

HBRUSH CDlgMediaPlayerBar::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (pWnd && pWnd->GetSafeHwnd() == m_edtTitle.GetSafeHwnd())
        return CVXDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    pDC->SetTextColor(kTextColour);
    pDC->SetBkColor(m_clrBk);
    return (HBRUSH)m_brBk.GetSafeHandle();
}

void CDlgMediaPlayerBar::OnDestroy()
{
    KillTimer(kTimerId);
    CloseMciWindow();
    if (s_pVolumeBar == this)
        s_pVolumeBar = nullptr;
    m_pVolume.reset();
    CVXDialog::OnDestroy();
}
