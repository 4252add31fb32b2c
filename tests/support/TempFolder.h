// A fresh folder under the system temp folder, removed with its contents. The one
// temporary-folder helper of every test program.
#pragma once

#include <string>
#include <vector>

namespace mivotest {

class TempFolder {
public:
    // `prefix` names the folder ("mivo-test-XXXXXX") so a leftover tells who made it.
    explicit TempFolder(const std::string& prefix = "mivo-test");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // POSIX path (UTF-8), without a trailing slash.
    const std::string& path() const { return m_path; }
    // The same folder as a Windows-form path with a trailing backslash ("C:\tmp\x\").
    std::string windowsPath() const;
    std::string file(const std::string& name) const { return m_path + "/" + name; }
    // The names of the entries directly inside, sorted.
    std::vector<std::string> names() const;

private:
    std::string m_path;
};

// Removes a folder and everything in it through the file system API, first giving
// back the owner's rights a test may have taken from folders inside.
void RemoveFolder(const std::string& path);

}  // namespace mivotest
