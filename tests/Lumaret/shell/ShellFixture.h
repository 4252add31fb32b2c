// What the shell's tests share: the program started once per test process in
// a run folder of its own (holding the databases, the profile store and the
// Temp folder), pictures written for the tests, and second copies of the test
// program that start the program afresh.
#pragma once

#include <gtest/gtest.h>

#include "support/TempFolder.h"

#include <string>
#include <vector>

class CMainFrame;
class CImgEditView;

namespace shelltest {

// The run folder with the two shipped databases copied in (and Temp unless told not to).
class RunFolder {
public:
    explicit RunFolder(bool withDatabases = true);
    const mivotest::TempFolder& folder() const { return m_folder; }
    std::string windowsPath() const { return m_folder.windowsPath(); }
    std::string file(const std::string& name) const { return m_folder.file(name); }

private:
    mivotest::TempFolder m_folder{"mivo-shell"};
};

// Closes the application's profile store when it goes: declared after a RunFolder, before the folder goes.
struct StoreClosedFirst {
    ~StoreClosedFirst();
};

// Starts theApp with `commandLine` in `runFolder`, as InitInstance does after finding its
// own folder; the splash window is closed at once.
BOOL StartProgram(const std::string& runFolder, const std::string& commandLine);

// The program of this test process, started on first use and closed when the tests end.
CMainFrame* Program();
const RunFolder& ProgramFolder();
// Closes every editor without asking, and waits until the program is idle.
void CloseAllEditors();
std::vector<CImgEditView*> Editors();
// Runs messages until the view's loader or worker is done.
void WaitIdle(CImgEditView* view);

// A 24-bit picture file of the given size (".jpg" or ".bmp" by name) in `folder`; Windows-form path.
std::string WritePicture(const mivotest::TempFolder& folder, const std::string& name, int width, int height);

// The environment variable that makes a start-up test run: set only in second copies.
extern const char kCopyVariable[];
// Runs one test of this program as a second copy with `env` added; its exit status.
int RunCopy(const std::string& test, std::vector<std::string> env);

}  // namespace shelltest

// The start-up tests run only in a second copy, in a process of their own.
#define SHELL_SECOND_COPY_ONLY()                                      \
    if (!std::getenv(shelltest::kCopyVariable))                       \
        GTEST_SKIP() << "started by its parent test as a second copy";
