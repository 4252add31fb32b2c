// Windows multimedia: PlaySound and the MCI command numbers the MCI window takes.
#pragma once

#include "win32/types.h"

#define SND_SYNC 0x0000
#define SND_ASYNC 0x0001
#define SND_NODEFAULT 0x0002
#define SND_MEMORY 0x0004
#define SND_LOOP 0x0008
#define SND_NOSTOP 0x0010
#define SND_PURGE 0x0040
#define SND_APPLICATION 0x0080
#define SND_NOWAIT 0x00002000L
#define SND_ALIAS 0x00010000L
#define SND_ALIAS_ID 0x00110000L
#define SND_FILENAME 0x00020000L
#define SND_RESOURCE 0x00040004L

// Plays a PCM WAVE sound from a file (SND_FILENAME), a module's "WAVE" resource (SND_RESOURCE,
// hmod the module) or memory (SND_MEMORY). SND_ASYNC returns at once and plays on a worker; a
// new sound stops the one playing. A null sound stops it. FALSE for a missing or damaged sound
// (no default sound is played) and, with SND_NOSTOP, while another sound plays.
BOOL PlaySound(LPCSTR pszSound, HMODULE hmod, DWORD fdwSound);
inline BOOL PlaySoundA(LPCSTR pszSound, HMODULE hmod, DWORD fdwSound) { return PlaySound(pszSound, hmod, fdwSound); }
// The older form: a file name (or with SND_MEMORY a sound in memory).
BOOL sndPlaySound(LPCSTR lpszSound, UINT fuSound);
inline BOOL sndPlaySoundA(LPCSTR lpszSound, UINT fuSound) { return sndPlaySound(lpszSound, fuSound); }

// MCI commands (sent to an MCI window as messages).
#define MCI_OPEN 0x0803
#define MCI_CLOSE 0x0804
#define MCI_PLAY 0x0806
#define MCI_SEEK 0x0807
#define MCI_STOP 0x0808
#define MCI_PAUSE 0x0809
#define MCI_RESUME 0x0855

#define MCI_MODE_NOT_READY 524
#define MCI_MODE_STOP 525
#define MCI_MODE_PLAY 526
#define MCI_MODE_RECORD 527
#define MCI_MODE_SEEK 528
#define MCI_MODE_PAUSE 529
#define MCI_MODE_OPEN 530

#define MCIERR_BASE 256
#define MCIERR_UNSUPPORTED_FUNCTION (MCIERR_BASE + 18)
#define MCIERR_FILE_NOT_FOUND (MCIERR_BASE + 19)
#define MCIERR_BAD_TIME_FORMAT (MCIERR_BASE + 37)
#define MCIERR_INVALID_FILE (MCIERR_BASE + 40)
#include "win32/mmmixer.h"

// MCI command strings ("play cdaudio from 02:05:00 wait"): the "cdaudio" device over the
// computer's CD drive. Answers are written to lpszReturnString within cchReturn bytes (a
// longer one is cut and reported with MCIERR_PARAM_OVERFLOW).
typedef DWORD MCIERROR;
MCIERROR mciSendString(LPCSTR lpszCommand, LPSTR lpszReturnString, UINT cchReturn, HWND hwndCallback);
inline MCIERROR mciSendStringA(LPCSTR lpszCommand, LPSTR lpszReturnString, UINT cchReturn, HWND hwndCallback)
{
    return mciSendString(lpszCommand, lpszReturnString, cchReturn, hwndCallback);
}
// The text of an MCI error (Korean); FALSE for a number that is not one.
BOOL mciGetErrorString(MCIERROR mcierr, LPSTR pszText, UINT cchText);
inline BOOL mciGetErrorStringA(MCIERROR mcierr, LPSTR pszText, UINT cchText)
{
    return mciGetErrorString(mcierr, pszText, cchText);
}

#define MM_MCINOTIFY 0x3B9
#define MCI_NOTIFY_SUCCESSFUL 0x0001
#define MCI_NOTIFY_SUPERSEDED 0x0002
#define MCI_NOTIFY_ABORTED 0x0004
#define MCI_NOTIFY_FAILURE 0x0008

#define MCIERR_INVALID_DEVICE_ID (MCIERR_BASE + 1)
#define MCIERR_UNRECOGNIZED_KEYWORD (MCIERR_BASE + 3)
#define MCIERR_UNRECOGNIZED_COMMAND (MCIERR_BASE + 5)
#define MCIERR_HARDWARE (MCIERR_BASE + 6)
#define MCIERR_INVALID_DEVICE_NAME (MCIERR_BASE + 7)
#define MCIERR_OUT_OF_MEMORY (MCIERR_BASE + 8)
#define MCIERR_DEVICE_OPEN (MCIERR_BASE + 9)
#define MCIERR_CANNOT_LOAD_DRIVER (MCIERR_BASE + 10)
#define MCIERR_MISSING_COMMAND_STRING (MCIERR_BASE + 11)
#define MCIERR_PARAM_OVERFLOW (MCIERR_BASE + 12)
#define MCIERR_MISSING_STRING_ARGUMENT (MCIERR_BASE + 13)
#define MCIERR_BAD_INTEGER (MCIERR_BASE + 14)
#define MCIERR_MISSING_PARAMETER (MCIERR_BASE + 17)
#define MCIERR_DEVICE_NOT_READY (MCIERR_BASE + 20)
#define MCIERR_OUTOFRANGE (MCIERR_BASE + 26)
#define MCIERR_MISSING_DEVICE_NAME (MCIERR_BASE + 36)
#define MCIERR_EXTRA_CHARACTERS (MCIERR_BASE + 49)
#define MCIERR_DEVICE_NOT_INSTALLED (MCIERR_BASE + 50)
