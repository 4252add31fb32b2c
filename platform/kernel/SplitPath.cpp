// _splitpath and _makepath. Separators, ':' and '.' are never CP949 trail
// bytes, so a byte scan finds them; cuts keep double-byte characters whole.
#include "win32/codepage.h"
#include "win32/fileapi.h"
#include "mivo/codepage.h"

#include <cstring>

namespace {

void CopyPart(char* out, size_t capacity, const char* from, size_t length)
{
    if (!out)
        return;
    length = mivo::CutToCharBoundary(from, length, capacity - 1);
    memcpy(out, from, length);
    out[length] = '\0';
}

void Append(std::string& path, const char* text, size_t length)
{
    path.append(text, length);
}

}  // namespace

void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext)
{
    if (!path)
        path = "";
    const char* p = path;
    if (p[0] && p[1] == ':') {
        CopyPart(drive, _MAX_DRIVE, p, 2);
        p += 2;
    } else {
        CopyPart(drive, _MAX_DRIVE, p, 0);
    }
    const char* lastSeparator = nullptr;
    const char* lastDot = nullptr;
    for (const char* q = p; *q; ++q) {
        if (*q == '\\' || *q == '/')
            lastSeparator = q;
        else if (*q == '.')
            lastDot = q;
    }
    const char* name = lastSeparator ? lastSeparator + 1 : p;
    CopyPart(dir, _MAX_DIR, p, static_cast<size_t>(name - p));
    if (lastDot && lastDot >= name) {
        CopyPart(fname, _MAX_FNAME, name, static_cast<size_t>(lastDot - name));
        CopyPart(ext, _MAX_EXT, lastDot, strlen(lastDot));
    } else {
        CopyPart(fname, _MAX_FNAME, name, strlen(name));
        CopyPart(ext, _MAX_EXT, "", 0);
    }
}

void _makepath(char* path, const char* drive, const char* dir, const char* fname, const char* ext)
{
    if (!path)
        return;
    std::string result;
    if (drive && *drive) {
        result += drive[0];
        result += ':';
    }
    if (dir && *dir) {
        Append(result, dir, strlen(dir));
        char last = result.back();
        if (last != '\\' && last != '/')
            result += '\\';
    }
    if (fname)
        Append(result, fname, strlen(fname));
    if (ext && *ext) {
        if (ext[0] != '.')
            result += '.';
        Append(result, ext, strlen(ext));
    }
    CopyPart(path, _MAX_PATH, result.c_str(), result.size());
}
