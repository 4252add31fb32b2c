#include "support/TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace mivotest {

TempFolder::TempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "mivo-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a temporary folder");
    m_path = pattern;
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string TempFolder::windowsPath() const
{
    std::string out = "C:";
    for (char c : m_path)
        out += c == '/' ? '\\' : c;
    return out + "\\";
}

}  // namespace mivotest
