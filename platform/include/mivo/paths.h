// Windows-form CP949 paths and the POSIX UTF-8 paths they map to; drive roots.
#pragma once

#include "win32/types.h"

#include <cstdio>
#include <string>

namespace mivo {

// The POSIX UTF-8 path of a Windows-form CP949 path (absolute, resolved
// ignoring case where needed). False with the thread's last error set when
// the path has no mapping: bytes that are not CP949 give
// ERROR_NO_UNICODE_TRANSLATION, characters Windows forbids ERROR_INVALID_NAME,
// an unknown drive or a network path ERROR_PATH_NOT_FOUND / ERROR_BAD_NETPATH.
bool ToPosixPath(LPCSTR winPath, std::string& posixUtf8);
// The Windows form ("C:\tmp\x", CP949) of a POSIX path; folders end without a
// backslash except drive roots. Characters with no CP949 form become '?';
// an empty result means no drive covers the path.
std::string FromPosixPath(const std::string& posixUtf8);
// The same, false when the name has no exact CP949 form or no drive covers it.
bool FromPosixPath(const std::string& posixUtf8, std::string& winAnsi);

// fopen on a Windows-form path (the codecs read and write through stdio).
// Modes as the C run-time: "rb", "wb", "r+b", "a", "wt" ...; 't' has no effect.
FILE* FOpen(LPCSTR winPath, LPCSTR mode);

// Maps drive `letter` to the POSIX folder `root`; an empty root removes the
// mapping (C: then falls back to "/"). Overrides MIVO_DRIVE_<LETTER>.
void SetDriveRoot(char letter, const std::string& root);
// The POSIX folder of a drive, empty when the drive is not mapped.
std::string DriveRoot(char letter);

// Gives the process a per-user runtime folder (XDG_RUNTIME_DIR, which Qt and the
// named mutexes use) when the session has none: /tmp/mivo-runtime-<uid>, made
// private to the user. Runs at load; leaves a variable that is set alone.
// Returns the folder in use, empty when none could be made.
std::string EnsureRuntimeFolder();

}  // namespace mivo
