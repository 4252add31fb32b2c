// Files read and written whole: the thumbnail cache's picture file and the pictures unpacked
// from the template tables into the Temp folder.
#pragma once

#include "mfc.h"

#include <cstddef>
#include <vector>

// The whole file, of 1 to `limit` bytes; false with `bytes` empty when the file is missing,
// empty, larger than the limit or cannot be read.
bool ReadWholeFile(const CString& path, size_t limit, std::vector<BYTE>& bytes);

// Makes `bytes` the file's whole content: a missing file is created, an existing one is
// overwritten in place and cut to the new length (a file truncated to nothing and written again
// is flushed to disk on close by some file systems, which costs milliseconds per write).
bool WriteWholeFile(const CString& path, const std::vector<BYTE>& bytes);
