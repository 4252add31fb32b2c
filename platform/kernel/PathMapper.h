// Windows-form paths inside the layer: parsing, normalising and mapping to
// POSIX. Names here are UTF-8; CP949 is converted at the API edge.
#pragma once

#include "win32/types.h"

#include <string>
#include <vector>

namespace mivo {

// An absolute Windows path split into its drive letter and components.
struct WinPath {
    char drive = 'C';
    std::vector<std::string> parts;

    // "C:\a\b" in UTF-8; a drive root ends with its backslash.
    std::string ToString() const;
};

// CP949 path text to UTF-8; false with ERROR_NO_UNICODE_TRANSLATION set.
bool PathTextToUtf8(LPCSTR ansi, std::string& utf8);
// Makes `utf8` (relative or absolute, either separator) absolute and
// normalised ("." and ".." applied, trailing dots and spaces of names
// dropped). False with the last error set on an invalid name; with
// `checkNames` false, characters no name can hold (wildcards) pass.
bool ParseWinPath(const std::string& utf8, WinPath& out, bool checkNames = true);
// The POSIX path of `path`, resolving case where the exact name is missing.
bool MapWinPath(const WinPath& path, std::string& posix);
// The Windows form of a POSIX path; false when no drive covers it.
bool WinPathFromPosix(const std::string& posix, WinPath& out);
// The current directory as a Windows path.
WinPath CurrentWinPath();

// Sets the last error for a failed call on `posix` with `err`: a missing
// name is ERROR_FILE_NOT_FOUND when its folder exists, else ERROR_PATH_NOT_FOUND.
void SetPathError(int err, const std::string& posix);
// The folder part of a POSIX path ("/" for "/x").
std::string PosixParent(const std::string& posix);
// The last component of a POSIX path.
std::string PosixName(const std::string& posix);
// ASCII-only case folding; bytes of multi-byte characters stay as they are.
std::string FoldAscii(const std::string& s);

}  // namespace mivo
