#include "media/CDAudio.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

int CDAudioSeconds(const char* answer)
{
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (!answer || strnlen(answer, 5) < 5 || !digit(answer[0]) || !digit(answer[1]) || !digit(answer[3]) ||
        !digit(answer[4]))
        return 0;
    int minutes = (answer[0] - '0') * 10 + (answer[1] - '0');
    int seconds = (answer[3] - '0') * 10 + (answer[4] - '0');
    return minutes * 60 + seconds;
}

CCDAudio::CCDAudio() : m_dwLastError(0), m_bOpened(false)
{
    Open();
}

CCDAudio::~CCDAudio()
{
    if (m_bOpened)
        Close();
}

DWORD CCDAudio::Send(const char* command, char* answer, UINT size)
{
    if (answer && size)
        memset(answer, 0, size);
    m_dwLastError = mciSendString(command, answer, size, nullptr);
    if (m_dwLastError && answer && size)
        answer[0] = 0;
    return m_dwLastError;
}

DWORD CCDAudio::SendReporting(const char* command)
{
    DWORD rc = Send(command);
    if (rc)
        MCIError(rc);
    return rc;
}

unsigned long CCDAudio::Open()
{
    if (Send("open cdaudio") == 0)
        m_bOpened = true;
    return m_dwLastError;
}

unsigned long CCDAudio::Close()
{
    if (IsReady() && (IsPaused() || IsPlaying()))
        Send("stop cdaudio");
    if (Send("close cdaudio") == 0)
        m_bOpened = false;
    return m_dwLastError;
}

bool CCDAudio::IsMediaInsert()
{
    char answer[16];
    return Send("status cdaudio media present", answer, sizeof answer) == 0 && strcmp(answer, "true") == 0;
}

bool CCDAudio::ModeIs(const char* mode)
{
    char answer[64];
    return Send("status cdaudio mode wait", answer, sizeof answer) == 0 && strcmp(answer, mode) == 0;
}

bool CCDAudio::IsPaused()
{
    return ModeIs("paused");
}

bool CCDAudio::IsStopped()
{
    return ModeIs("stopped");
}

bool CCDAudio::IsPlaying()
{
    return ModeIs("playing");
}

bool CCDAudio::IsReady()
{
    char answer[64];
    return Send("status cdaudio mode wait", answer, sizeof answer) == 0 && strcmp(answer, "not ready") != 0;
}

int CCDAudio::AnswerNumber(const char* command)
{
    char answer[32];
    if (Send(command, answer, sizeof answer))
        return 0;
    return atoi(answer);
}

int CCDAudio::AnswerSeconds(const char* command)
{
    char answer[32];
    if (Send(command, answer, sizeof answer))
        return 0;
    return CDAudioSeconds(answer);
}

int CCDAudio::GetTracksCount()
{
    return AnswerNumber("status cdaudio number of tracks");
}

int CCDAudio::GetCurrentTrack()
{
    return AnswerNumber("status cdaudio current track");
}

int CCDAudio::GetTrackLength(int track)
{
    if (!IsMediaInsert())
        return 0;
    char command[64];
    snprintf(command, sizeof command, "status cdaudio length track %d", track);
    return AnswerSeconds(command);
}

int CCDAudio::GetLengthAllTracks()
{
    return AnswerSeconds("status cdaudio length");
}

int CCDAudio::GetTrackBeginTime(int track)
{
    char command[64];
    snprintf(command, sizeof command, "status cdaudio position track %d", track);
    return AnswerSeconds(command);
}

int CCDAudio::GetCurrentPos()
{
    if (!IsMediaInsert())
        return 0;
    char answer[32];
    if (Send("status cdaudio position", answer, sizeof answer)) {
        MCIError(m_dwLastError);
        return 0;
    }
    return CDAudioSeconds(answer);
}

unsigned long CCDAudio::Play()
{
    return SendReporting("play cdaudio");
}

unsigned long CCDAudio::Play(int fromSec)
{
    char command[64];
    snprintf(command, sizeof command, "play cdaudio from %02d:%02d:00", fromSec / 60, fromSec % 60);
    return SendReporting(command);
}

unsigned long CCDAudio::Play(int fromSec, int toSec)
{
    char command[96];
    snprintf(command, sizeof command, "play cdaudio from %02d:%02d:00 to %02d:%02d:00", fromSec / 60, fromSec % 60,
             toSec / 60, toSec % 60);
    return SendReporting(command);
}

unsigned long CCDAudio::Stop()
{
    if (SendReporting("stop cdaudio"))
        return m_dwLastError;
    return SendReporting("seek cdaudio to start");
}

unsigned long CCDAudio::Pause()
{
    return SendReporting("pause cdaudio");
}

unsigned long CCDAudio::PlayTrackStart(int track)
{
    char command[64], answer[32];
    snprintf(command, sizeof command, "status cdaudio position track %d", track);
    if (Send(command, answer, sizeof answer)) {
        MCIError(m_dwLastError);
        return m_dwLastError;
    }
    char play[64];
    snprintf(play, sizeof play, "play cdaudio from %s", answer);
    return SendReporting(play);
}

unsigned long CCDAudio::Forward()
{
    int count = GetTracksCount();
    int current = GetCurrentTrack();
    if (count <= 0 || current >= count)
        return 0;
    return PlayTrackStart(current + 1);
}

unsigned long CCDAudio::Backward()
{
    int current = GetCurrentTrack();
    if (current <= 1)
        return 0;
    return PlayTrackStart(current - 1);
}

unsigned long CCDAudio::EjectCDROM()
{
    return Send(IsMediaInsert() ? "Set CDAudio Door Open" : "Set CDAudio Door Closed");
}

void CCDAudio::MCIError(DWORD code)
{
    char text[128];
    if (!mciGetErrorString(code, text, sizeof text))
        snprintf(text, sizeof text, "%s", "Unknown error");
    ::MessageBox(nullptr, text, "MCI Error", MB_ICONSTOP);
}
