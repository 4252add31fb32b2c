#include "image/ImageFile.h"

#include "win32.h"
#include "mivo/paths.h"

#include <atomic>
#include <cstdio>
#include <unistd.h>

namespace mivo {
namespace image {

FILE* OpenImageFile(const char* path, const char* mode)
{
    if (!path || !*path)
        return nullptr;
    return mivo::FOpen(path, mode);
}

std::string TempPathBeside(const char* target)
{
    static std::atomic<unsigned> counter{0};
    std::string folder(target ? target : "");
    size_t cut = folder.find_last_of('\\');
    folder = cut == std::string::npos ? std::string() : folder.substr(0, cut + 1);
    for (;;) {
        char name[64];
        snprintf(name, sizeof name, "~img%d_%u.tmp", int(getpid()), counter++);
        std::string path = folder + name;
        if (GetFileAttributes(path.c_str()) == INVALID_FILE_ATTRIBUTES)
            return path;
    }
}

namespace {

// The written bytes reach the disk before the temporary file takes the target's name: a crash
// then leaves the old picture or the new one, never an empty file under the old name.
bool FlushToDisk(const char* path)
{
    HANDLE file = CreateFile(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                             nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    BOOL flushed = FlushFileBuffers(file);
    CloseHandle(file);
    return flushed != FALSE;
}

}  // namespace

bool ReplaceWithFile(const char* temp, const char* target)
{
    return FlushToDisk(temp) && MoveFileEx(temp, target, MOVEFILE_REPLACE_EXISTING) != FALSE;
}

void RemoveImageFile(const char* path)
{
    DeleteFile(path);
}

}  // namespace image
}  // namespace mivo
