// A fresh folder under the system temp folder, removed with its contents.
#pragma once

#include <string>

namespace mivotest {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // POSIX path (UTF-8), without a trailing slash.
    const std::string& path() const { return m_path; }
    // The same folder as a Windows-form path with a trailing backslash ("C:\tmp\x\").
    std::string windowsPath() const;
    std::string file(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

}  // namespace mivotest
