#include "support/TempFolder.h"

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

namespace mivotest {

TempFolder::TempFolder(const std::string& prefix)
{
    std::string pattern = (fs::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a temporary folder");
    m_path = pattern;
}

TempFolder::~TempFolder()
{
    RemoveFolder(m_path);
}

std::string TempFolder::windowsPath() const
{
    std::string out = "C:";
    for (char c : m_path)
        out += c == '/' ? '\\' : c;
    return out + "\\";
}

std::vector<std::string> TempFolder::names() const
{
    std::vector<std::string> out;
    std::error_code error;
    for (fs::directory_iterator it(m_path, error), end; !error && it != end; it.increment(error))
        out.push_back(it->path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

namespace {

// Folders a test made read-only or unlistable are opened up, top down, so their
// contents can go; symbolic links are never followed.
void OpenUp(const fs::path& folder)
{
    std::error_code error;
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, error);
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code kind;
        if (it->is_directory(kind) && !it->is_symlink(kind))
            OpenUp(it->path());
    }
}

}  // namespace

void RemoveFolder(const std::string& path)
{
    if (path.empty())
        return;
    std::error_code error;
    if (fs::remove_all(path, error) != static_cast<std::uintmax_t>(-1) && !error)
        return;
    OpenUp(path);
    fs::remove_all(path, error);
}

}  // namespace mivotest
