// CCDAudio: an audio CD played through MCI command strings to the "cdaudio" device; times are
// whole seconds, taken from the device's minutes:seconds:frames answers.
#pragma once

#include "mfc.h"

class AFX_EXT_CLASS CCDAudio {
public:
    CCDAudio();
    virtual ~CCDAudio();

    unsigned long Open();
    unsigned long Close();
    bool IsMediaInsert();
    bool IsPaused();
    bool IsStopped();
    bool IsPlaying();
    bool IsReady();
    int GetTracksCount();
    int GetCurrentTrack();
    int GetTrackLength(int track);
    int GetLengthAllTracks();
    int GetTrackBeginTime(int track);
    int GetCurrentPos();
    unsigned long Play();
    unsigned long Play(int fromSec);
    unsigned long Play(int fromSec, int toSec);
    unsigned long Stop();
    unsigned long Pause();
    unsigned long Forward();
    unsigned long Backward();
    unsigned long EjectCDROM();

protected:
    void MCIError(DWORD code);
    // Sends one command; the answer (empty on failure) goes to `answer` of `size` bytes.
    DWORD Send(const char* command, char* answer = nullptr, UINT size = 0);
    DWORD SendReporting(const char* command);
    bool ModeIs(const char* mode);
    int AnswerNumber(const char* command);
    int AnswerSeconds(const char* command);
    unsigned long PlayTrackStart(int track);

    DWORD m_dwLastError;
    bool m_bOpened;
};

// Seconds of a "mm:ss..." answer; 0 when it is shorter or not digits there.
int CDAudioSeconds(const char* answer);
