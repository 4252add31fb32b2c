#include "kernel/FileOps.h"

#include "kernel/PathMapper.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace mivo {

namespace {

std::string Join(const std::string& dir, const std::string& name)
{
    return dir == "/" ? "/" + name : dir + "/" + name;
}

// Writes all of `size` bytes; false with errno set.
bool WriteAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        ssize_t put = write(fd, data, size);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += put;
        size -= static_cast<size_t>(put);
    }
    return true;
}

bool CopyData(int in, int out)
{
    std::vector<char> buffer(1 << 16);
    for (;;) {
        ssize_t got = read(in, buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (got == 0)
            return true;
        if (!WriteAll(out, buffer.data(), static_cast<size_t>(got)))
            return false;
    }
}

// Copies data, permissions and times of `from` into a new temporary file in
// the folder of `to`; returns its path or an empty string with errno set.
std::string CopyToTemporary(const std::string& from, const std::string& to)
{
    int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return std::string();
    struct stat st;
    bool statted = fstat(in, &st) == 0;
    if (!statted || !S_ISREG(st.st_mode)) {
        int err = !statted ? errno : S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        close(in);
        errno = err;
        return std::string();
    }
    std::string temp = Join(PosixParent(to), ".mivo-copy-XXXXXX");
    int out = mkostemp(&temp[0], O_CLOEXEC);
    if (out < 0) {
        int err = errno;
        close(in);
        errno = err;
        return std::string();
    }
    bool ok = CopyData(in, out);
    int err = errno;
    if (ok) {
        struct timespec times[2] = {st.st_atim, st.st_mtim};
        futimens(out, times);
        fchmod(out, st.st_mode & 07777);
        // On the disk before the rename gives it the target's name, and before a move deletes
        // its source: a crash then leaves the old file or the whole new one.
        if (fsync(out) != 0 && errno != EINVAL) {
            ok = false;
            err = errno;
        }
    }
    close(in);
    if (close(out) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        unlink(temp.c_str());
        errno = err;
        return std::string();
    }
    return temp;
}

int CopyEntry(int parentFd, const char* name, const std::string& from, const std::string& to);

int CopyFolderContents(const std::string& from, const std::string& to)
{
    DIR* d = opendir(from.c_str());
    if (!d)
        return errno;
    int result = 0;
    while (struct dirent* entry = readdir(d)) {
        std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        result = CopyEntry(dirfd(d), entry->d_name, Join(from, name), Join(to, name));
        if (result != 0)
            break;
    }
    closedir(d);
    return result;
}

int CopyEntry(int parentFd, const char* name, const std::string& from, const std::string& to)
{
    struct stat st;
    if (fstatat(parentFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno;
    if (S_ISLNK(st.st_mode)) {
        std::vector<char> target(static_cast<size_t>(st.st_size) + 256);
        ssize_t length = readlinkat(parentFd, name, target.data(), target.size() - 1);
        if (length < 0)
            return errno;
        target[static_cast<size_t>(length)] = '\0';
        return symlink(target.data(), to.c_str()) == 0 ? 0 : errno;
    }
    if (S_ISDIR(st.st_mode)) {
        if (mkdir(to.c_str(), 0700) != 0)
            return errno;
        int result = CopyFolderContents(from, to);
        chmod(to.c_str(), st.st_mode & 07777);
        return result;
    }
    if (S_ISREG(st.st_mode)) {
        std::string temp = CopyToTemporary(from, to);
        if (temp.empty())
            return errno;
        if (rename(temp.c_str(), to.c_str()) != 0) {
            int err = errno;
            unlink(temp.c_str());
            return err;
        }
        return 0;
    }
    return 0;  // devices, pipes and sockets are not data and are not copied
}

}  // namespace

int RenameNoReplace(const std::string& from, const std::string& to)
{
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return -1;
    // File systems without the flag: link refuses an existing target.
    struct stat st;
    if (lstat(from.c_str(), &st) == 0 && !S_ISDIR(st.st_mode) && link(from.c_str(), to.c_str()) == 0) {
        unlink(from.c_str());
        return 0;
    }
    if (lstat(to.c_str(), &st) == 0) {
        errno = EEXIST;
        return -1;
    }
    return rename(from.c_str(), to.c_str());
}

int CopyFileContents(const std::string& from, const std::string& to, bool replace)
{
    std::string temp = CopyToTemporary(from, to);
    if (temp.empty())
        return errno;
    int rc = replace ? rename(temp.c_str(), to.c_str()) : RenameNoReplace(temp, to);
    if (rc != 0) {
        int err = errno;
        unlink(temp.c_str());
        return err;
    }
    return 0;
}

int CopyTree(const std::string& from, const std::string& to)
{
    struct stat st;
    if (lstat(to.c_str(), &st) == 0)
        return EEXIST;
    std::string temp = Join(PosixParent(to), ".mivo-copy-XXXXXX");
    if (!mkdtemp(&temp[0]))
        return errno;
    int result = CopyFolderContents(from, temp);
    if (result == 0 && lstat(from.c_str(), &st) == 0)
        chmod(temp.c_str(), st.st_mode & 07777);
    if (result == 0 && RenameNoReplace(temp, to) != 0)
        result = errno;
    if (result != 0)
        RemoveTree(temp);
    return result;
}

int RemoveTree(const std::string& path)
{
    struct stat st;
    if (lstat(path.c_str(), &st) != 0)
        return errno;
    if (!S_ISDIR(st.st_mode))
        return unlink(path.c_str()) == 0 ? 0 : errno;
    int first = 0;
    if (DIR* d = opendir(path.c_str())) {
        std::vector<std::string> names;
        while (struct dirent* entry = readdir(d)) {
            std::string name = entry->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        closedir(d);
        for (const std::string& name : names) {
            int result = RemoveTree(Join(path, name));
            if (result != 0 && first == 0)
                first = result;
        }
    }
    if (rmdir(path.c_str()) != 0 && first == 0)
        first = errno;
    return first;
}

int MoveByCopy(const std::string& from, const std::string& to, bool replace)
{
    struct stat st;
    if (lstat(from.c_str(), &st) != 0)
        return errno;
    int result;
    if (S_ISDIR(st.st_mode))
        result = CopyTree(from, to);
    else if (S_ISLNK(st.st_mode))
        result = CopyEntry(AT_FDCWD, from.c_str(), from, to);
    else
        result = CopyFileContents(from, to, replace);
    if (result != 0)
        return result;
    RemoveTree(from);  // the copy is complete; a source that stays is no loss
    return 0;
}

}  // namespace mivo
