// CDlgMediaPlayerBar: the music player, a child pane that the folder pane
// owns and the player window borrows. It plays audio CD tracks through MCI
// command strings or music files through a hidden MCI window, from a play
// list, with seeking, repeat and the mixer's master volume. The slide show
// starts and pauses the music with Play and Pause.
#pragma once

#include "controls/DigitalClock.h"
#include "controls/ImageButton.h"
#include "controls/VXEdit.h"
#include "dialogs/VXDialog.h"
#include "media/CDAudio.h"

#include <memory>

class CVolumeOutMaster;

class CDlgMediaPlayerBar : public CVXDialog {
    DECLARE_DYNAMIC(CDlgMediaPlayerBar)
public:
    enum { kTimerId = 5, kTimerPeriod = 500, kFileBufferSize = 25620, kVolumeMax = 65535 };
    static constexpr DWORD kNoCdTime = 0xFFFFFFFF;  // start and end of a file entry

    explicit CDlgMediaPlayerBar(CWnd* pParent = nullptr);
    ~CDlgMediaPlayerBar() override;

    BOOL OnInitDialog() override;

    // Resumes when paused, else plays the selected entry (entry 0 without a selection).
    void Play();
    void Pause();
    void Stop();
    // Both step through the list round its ends; with repeat on they replay the current entry.
    void Previous();
    void Next();
    // Opens or closes the drive door and empties the play list; a file keeps playing.
    void Eject();
    // Plays entry n of the play list; nothing outside it.
    void PlayEntry(int n);
    // Lists the disc's tracks and plays the first one.
    void LoadCdTracks();
    // Asks for music files, lists them and plays the first one.
    void LoadMusicFiles();
    // Lists these files (full paths, list texts) and plays the first one; nothing for none.
    void PlayFiles(const CStringArray& paths, const CStringArray& titles);

    // Whether entry n is a CD track (its start read signed is 0 or more).
    BOOL IsCdEntry(int n) const;
    int GetEntryCount() const { return (int)m_arrPaths.GetSize(); }

    // Reads a multi-select file chooser's buffer of `size` bytes: one full path, or a folder
    // followed by names, each ended by a NUL, the list by an empty name. Never reads past
    // `size`; a name that runs to the end unterminated is dropped. Returns the count.
    static int ReadChosenFiles(const char* buffer, size_t size, CStringArray& paths, CStringArray& titles);

    // The mixer's notice: the volume trackbar of the bar now showing moves to 65535 - volume.
    static void CALLBACK OnMasterVolumeChanged(DWORD dwVolume, DWORD dwUser);

    CCDAudio m_cdAudio;
    CDigitalClock m_clock;
    std::unique_ptr<CVolumeOutMaster> m_pVolume;  // null without a mixer
    int m_bColonOn;
    CStringArray m_arrPaths;   // CD: track number; file: full path
    CStringArray m_arrTitles;  // the list's texts
    CDWordArray m_arrStart;    // CD: first second on the disc; file: kNoCdTime
    CDWordArray m_arrEnd;      // CD: first second + length; file: kNoCdTime
    int m_bPlaying;
    int m_bPaused;
    HWND m_hMCIWnd;            // the file playing, null when none
    int m_bCdMode;
    int m_bFileMode;
    int m_nTrackLength;        // seconds
    int m_nCurTrack;           // CD track playing, -1 none
    int m_nCurEntry;           // play-list index, -1 none
    COLORREF m_clrBk;
    CBrush m_brBk;
    CString m_strTitle;
    int m_bRepeat;

    CImageButton m_btnPlay, m_btnPause, m_btnStop, m_btnPrevious, m_btnNext, m_btnEject;
    CImageButton m_btnCd, m_btnFiles, m_btnRepeat;
    CListBox m_lstPlay;
    CSliderCtrl m_sldPosition;
    CSliderCtrl m_sldVolume;
    CVXEdit m_edtTitle;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // A pane: Enter and Escape do not end it.
    void OnOK() override {}
    void OnCancel() override {}

    afx_msg void OnPlay() { Play(); }
    afx_msg void OnPause() { Pause(); }
    afx_msg void OnStop() { Stop(); }
    afx_msg void OnPrevious() { Previous(); }
    afx_msg void OnNext() { Next(); }
    afx_msg void OnEject() { Eject(); }
    afx_msg void OnCdMode() { LoadCdTracks(); }
    afx_msg void OnFileMode() { LoadMusicFiles(); }
    afx_msg void OnRepeat();
    afx_msg void OnListDblClk();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void SetupButtons();
    void SetupVolume();
    void CreateClock();
    // The face 135 pixels wide, 3 shorter than the window, at `left` of its client area.
    void InitClockFace(int left);
    void ShowSeconds(int seconds);
    void ShowTimeOfDay();
    void TickFile();
    void TickCd();
    void CloseMciWindow();
    void ClearPlayList();
    void FillListBox();
    CRect ChildRect(int id);
    static BOOL LeftButtonDown();
    static CDlgMediaPlayerBar* s_pVolumeBar;
};
