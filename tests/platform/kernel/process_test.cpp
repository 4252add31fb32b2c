#include <gtest/gtest.h>

#include "support/TempFolder.h"
#include "win32.h"
#include "mivo/process.h"

#include <fstream>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Argv = std::vector<std::string>;

// Records every start the layer makes while it lives.
class RecordStarts {
public:
    explicit RecordStarts(bool accept = true)
    {
        mivo::SetSpawnHook([this, accept](const Argv& argv) {
            starts.push_back(argv);
            return accept;
        });
    }
    ~RecordStarts() { mivo::SetSpawnHook(nullptr); }
    std::vector<Argv> starts;
};

void WriteFile(const std::string& path, const std::string& text, mode_t mode)
{
    std::ofstream(path) << text;
    chmod(path.c_str(), mode);
}

INT_PTR Code(HINSTANCE result)
{
    return reinterpret_cast<INT_PTR>(result);
}

}  // namespace

TEST(CommandLine, SplitsByTheWindowsRules)
{
    struct Case {
        const char* line;
        Argv expected;
    } cases[] = {
        {"prog a b", {"prog", "a", "b"}},
        {"  prog   a\tb  ", {"prog", "a", "b"}},
        {"\"C:\\Program Files\\x.exe\" \"a b\" c", {"C:\\Program Files\\x.exe", "a b", "c"}},
        {"prog a\\\\b \"c\\\\\" d", {"prog", "a\\\\b", "c\\", "d"}},
        {"prog \\\"quoted\\\"", {"prog", "\"quoted\""}},
        {"prog \"a \\\"b\\\" c\"", {"prog", "a \"b\" c"}},
        {"prog \"\"", {"prog", ""}},
        {"prog \"say \"\"hi\"\"\"", {"prog", "say \"hi\""}},
        {"prog ab\"c d\"ef", {"prog", "abc def"}},
        {"C:\\dir\\prog.exe \\\\server\\share", {"C:\\dir\\prog.exe", "\\\\server\\share"}},
        {"prog \"한글 이름.jpg\"", {"prog", "한글 이름.jpg"}},
        {"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, mivo::SplitCommandLine(c.line)) << c.line;
    EXPECT_EQ((Argv{"a b", "c"}), mivo::SplitArguments("\"a b\" c"));
}

TEST(CreateProcess, GivesTheProgramItsArgumentVector)
{
    mivotest::TempFolder folder;
    WriteFile(folder.file("Tool"), "#!/bin/sh\n", 0755);
    RecordStarts record;
    std::string line = "\"" + folder.windowsPath() + "Tool.exe\" \"a b\" c\\\"d 이름";
    PROCESS_INFORMATION pi;
    ASSERT_TRUE(CreateProcess(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, &pi));
    ASSERT_EQ(1u, record.starts.size());
    EXPECT_EQ((Argv{folder.file("Tool"), "a b", "c\"d", u8"이름"}), record.starts[0]);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(pi.hProcess, INFINITE));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(pi.hThread, INFINITE));
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);

    // An unquoted path with blanks is tried word by word.
    mivotest::TempFolder spaced;
    std::string inner = spaced.file("my tools");
    mkdir(inner.c_str(), 0755);
    WriteFile(inner + "/Run", "#!/bin/sh\n", 0755);
    std::string unquoted = spaced.windowsPath() + "my tools\\Run.exe x";
    ASSERT_TRUE(CreateProcess(nullptr, unquoted.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, &pi));
    EXPECT_EQ((Argv{inner + "/Run", "x"}), record.starts.back());
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

TEST(CreateProcess, ReportsMissingProgramsAndFolders)
{
    mivotest::TempFolder folder;
    WriteFile(folder.file("Windows.exe"), "MZ", 0644);
    RecordStarts record;
    PROCESS_INFORMATION pi;
    std::string missing = folder.windowsPath() + "Nothing.exe";
    EXPECT_FALSE(CreateProcess(nullptr, missing.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, &pi));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
    std::string noFolder = folder.windowsPath() + "nope\\Nothing.exe";
    EXPECT_FALSE(CreateProcess(nullptr, noFolder.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, &pi));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), GetLastError());
    std::string foreign = folder.windowsPath() + "Windows.exe";
    EXPECT_FALSE(CreateProcess(nullptr, foreign.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, &pi));
    EXPECT_EQ(static_cast<DWORD>(ERROR_BAD_FORMAT), GetLastError());
    EXPECT_TRUE(record.starts.empty());

    EXPECT_EQ(static_cast<UINT>(ERROR_FILE_NOT_FOUND), WinExec(missing.c_str(), 1));
}

TEST(CreateProcess, RealChildrenReportExitCodesAndCanBeTerminated)
{
    char exits[] = "sh -c \"exit 3\"";
    PROCESS_INFORMATION pi;
    ASSERT_TRUE(CreateProcess(nullptr, exits, nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, &pi));
    EXPECT_NE(0u, pi.dwProcessId);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(pi.hProcess, INFINITE));
    DWORD code = 0;
    ASSERT_TRUE(GetExitCodeProcess(pi.hProcess, &code));
    EXPECT_EQ(3u, code);
    EXPECT_EQ(pi.dwProcessId, GetProcessId(pi.hProcess));
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);

    char sleeps[] = "sleep 30";
    ASSERT_TRUE(CreateProcess(nullptr, sleeps, nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, &pi));
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(pi.hProcess, 0));
    ASSERT_TRUE(GetExitCodeProcess(pi.hProcess, &code));
    EXPECT_EQ(static_cast<DWORD>(STILL_ACTIVE), code);
    HANDLE opened = OpenProcess(PROCESS_ALL_ACCESS, FALSE, pi.dwProcessId);
    ASSERT_NE(nullptr, opened);
    ASSERT_TRUE(TerminateProcess(opened, 9));
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(pi.hProcess, INFINITE));
    GetExitCodeProcess(pi.hProcess, &code);
    EXPECT_EQ(9u, code);
    GetExitCodeProcess(opened, &code);  // the same process object
    EXPECT_EQ(9u, code);
    EXPECT_FALSE(TerminateProcess(pi.hProcess, 1));
    CloseHandle(opened);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);

    char absent[] = "no-such-program-here";
    EXPECT_FALSE(CreateProcess(nullptr, absent, nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, &pi));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
}

TEST(Processes, ForeignProcessesAreWatched)
{
    pid_t pid;
    char sleep[] = "sleep";
    char seconds[] = "30";
    char* argv[] = {sleep, seconds, nullptr};
    ASSERT_EQ(0, posix_spawnp(&pid, "sleep", nullptr, nullptr, argv, environ));
    HANDLE h = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
    ASSERT_NE(nullptr, h);
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(h, 0));
    kill(pid, SIGTERM);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(h, INFINITE));
    waitpid(pid, nullptr, 0);
    CloseHandle(h);

    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeProcess(GetCurrentProcess(), &code));
    EXPECT_EQ(static_cast<DWORD>(STILL_ACTIVE), code);
    EXPECT_EQ(nullptr, OpenProcess(PROCESS_ALL_ACCESS, FALSE, 0));
}

TEST(ShellExecute, MapsProgramsDocumentsAndAddresses)
{
    mivotest::TempFolder folder;
    WriteFile(folder.file("Kestrune"), "#!/bin/sh\n", 0755);
    WriteFile(folder.file("MZ.exe"), "MZ", 0644);
    WriteFile(folder.file(u8"표 파일.xls"), "a\tb\r", 0644);
    WriteFile(folder.file("readme.txt"), "hi", 0644);
    const std::string win = folder.windowsPath();
    const std::string sheet = win + "표 파일.xls";

    struct Case {
        const char* verb;
        std::string file;
        std::string parameters;
        INT_PTR result;  // 42 for a start
        Argv argv;       // the recorded start
    } cases[] = {
        {"open", win + "Kestrune.exe", "WDBCServer=db.example", 42, {folder.file("Kestrune"), "WDBCServer=db.example"}},
        {nullptr, win + "kestrune.EXE", "", 42, {folder.file("Kestrune")}},
        {"open", "IEXPLORE.EXE", "https://example.com/a?b=c", 42, {"xdg-open", "https://example.com/a?b=c"}},
        {"open", "C:\\Program Files\\Internet Explorer\\iexplore.exe", "http://x.test/", 42,
         {"xdg-open", "http://x.test/"}},
        {"open", "IEXPLORE.EXE", "file:///etc/passwd", SE_ERR_NOASSOC, {}},
        {"open", "http://example.com/", "", 42, {"xdg-open", "http://example.com/"}},
        {"open", "javascript:alert(1)", "", SE_ERR_NOASSOC, {}},
        {"open", "Excel.exe", sheet, 42, {"xdg-open", folder.file(u8"표 파일.xls")}},
        {"open", "Notepad.exe", "\"" + win + "readme.txt\"", 42, {"xdg-open", folder.file("readme.txt")}},
        {"open", "Notepad.exe", win + "missing.txt", ERROR_FILE_NOT_FOUND, {}},
        {"open", win + "readme.txt", "", 42, {"xdg-open", folder.file("readme.txt")}},
        {"explore", win, "", 42, {"xdg-open", folder.path()}},
        {"print", win + "readme.txt", "", SE_ERR_NOASSOC, {}},
        {"open", win + "Other.exe", "", ERROR_FILE_NOT_FOUND, {}},
        {"open", win + "nope\\Other.exe", "", ERROR_PATH_NOT_FOUND, {}},
        {"open", win + "MZ.exe", "", ERROR_BAD_FORMAT, {}},
        {"open", "", "", ERROR_FILE_NOT_FOUND, {}},
    };
    for (const Case& c : cases) {
        RecordStarts record;
        HINSTANCE result = ShellExecute(nullptr, c.verb, c.file.c_str(), c.parameters.c_str(), nullptr, 1);
        EXPECT_EQ(c.result, Code(result)) << c.file << " " << c.parameters;
        if (c.argv.empty()) {
            EXPECT_TRUE(record.starts.empty()) << c.file;
        } else {
            ASSERT_EQ(1u, record.starts.size()) << c.file;
            EXPECT_EQ(c.argv, record.starts[0]);
        }
    }
}

TEST(ShellExecute, RelativeNamesUseTheGivenFolderAndExReturnsTheProcess)
{
    mivotest::TempFolder folder;
    WriteFile(folder.file("Kestrune"), "#!/bin/sh\n", 0755);
    RecordStarts record;
    EXPECT_EQ(42, Code(ShellExecute(nullptr, "open", "Kestrune.exe", "a", folder.windowsPath().c_str(), 1)));
    ASSERT_EQ(1u, record.starts.size());
    EXPECT_EQ((Argv{folder.file("Kestrune"), "a"}), record.starts[0]);

    SHELLEXECUTEINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpVerb = "open";
    std::string file = folder.windowsPath() + "Kestrune.exe";
    info.lpFile = file.c_str();
    ASSERT_TRUE(ShellExecuteEx(&info));
    EXPECT_GT(Code(info.hInstApp), 32);
    ASSERT_NE(nullptr, info.hProcess);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(info.hProcess, INFINITE));
    CloseHandle(info.hProcess);

    info.lpFile = "no-such-file.doc";
    EXPECT_FALSE(ShellExecuteEx(&info));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, Code(info.hInstApp));
}

TEST(ShellExecute, RefusedStartsFail)
{
    mivotest::TempFolder folder;
    WriteFile(folder.file("Kestrune"), "#!/bin/sh\n", 0755);
    RecordStarts refuse(false);
    std::string file = folder.windowsPath() + "Kestrune.exe";
    EXPECT_LE(Code(ShellExecute(nullptr, "open", file.c_str(), nullptr, nullptr, 1)), 32);
    EXPECT_EQ(1u, refuse.starts.size());
}

TEST(Toolhelp, SnapshotStartsWithTheSystemProcessAndListsThisOne)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPALL, 0);
    ASSERT_NE(INVALID_HANDLE_VALUE, snapshot);
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry - 1;
    EXPECT_FALSE(Process32First(snapshot, &entry));
    EXPECT_EQ(static_cast<DWORD>(ERROR_BAD_LENGTH), GetLastError());

    entry.dwSize = sizeof entry;
    ASSERT_TRUE(Process32First(snapshot, &entry));
    EXPECT_EQ(0u, entry.th32ProcessID);
    EXPECT_STREQ("[System Process]", entry.szExeFile);

    char self[4096];
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    ASSERT_GT(n, 0);
    self[n] = 0;
    const std::string selfName = std::string(self).substr(std::string(self).rfind('/') + 1);

    bool foundSelf = false;
    int count = 1;
    while (Process32Next(snapshot, &entry)) {
        ++count;
        EXPECT_NE(0u, entry.th32ProcessID);
        if (entry.th32ProcessID == GetCurrentProcessId()) {
            foundSelf = true;
            EXPECT_EQ(static_cast<DWORD>(getppid()), entry.th32ParentProcessID);
            EXPECT_GE(entry.cntThreads, 1u);
            EXPECT_EQ(selfName, entry.szExeFile);
            // Normal priority, unless the suite itself runs under nice.
            if (getpriority(PRIO_PROCESS, 0) == 0) {
                EXPECT_EQ(8, entry.pcPriClassBase);
            }
        }
    }
    EXPECT_EQ(static_cast<DWORD>(ERROR_NO_MORE_FILES), GetLastError());
    EXPECT_TRUE(foundSelf);
    EXPECT_GT(count, 2);

    // First starts the walk again.
    ASSERT_TRUE(Process32First(snapshot, &entry));
    EXPECT_EQ(0u, entry.th32ProcessID);
    EXPECT_TRUE(CloseHandle(snapshot));
    EXPECT_FALSE(Process32First(snapshot, &entry));
}

TEST(ShellExecute, MissingHelpFileShowsItsPageBesideIt)
{
    mivotest::TempFolder folder;
    WriteFile(folder.file("MivoLite.html"), "<title>도움말</title>", 0644);
    std::vector<std::string> shown;
    mivo::SetHelpViewer([&shown](const std::string& page) {
        shown.push_back(page);
        return true;
    });
    RecordStarts starts;
    std::string help = folder.windowsPath() + "MivoLite.chm";
    EXPECT_EQ(42, Code(ShellExecute(nullptr, "open", help.c_str(), nullptr, nullptr, 1)));
    EXPECT_EQ((std::vector<std::string>{folder.file("MivoLite.html")}), shown);
    EXPECT_TRUE(starts.starts.empty());

    // Without a viewer of the program's own, the desktop opens the page.
    mivo::SetHelpViewer(nullptr);
    EXPECT_EQ(42, Code(ShellExecute(nullptr, "open", help.c_str(), nullptr, nullptr, 1)));
    ASSERT_EQ(1u, starts.starts.size());
    EXPECT_EQ((Argv{"xdg-open", folder.file("MivoLite.html")}), starts.starts[0]);

    // A help file that exists is opened itself; one with no page beside it is missing.
    WriteFile(folder.file("MivoLite.chm"), "ITSF", 0644);
    EXPECT_EQ(42, Code(ShellExecute(nullptr, "open", help.c_str(), nullptr, nullptr, 1)));
    EXPECT_EQ((Argv{"xdg-open", folder.file("MivoLite.chm")}), starts.starts.back());
    std::string other = folder.windowsPath() + "Other.chm";
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, Code(ShellExecute(nullptr, "open", other.c_str(), nullptr, nullptr, 1)));
    EXPECT_EQ(2u, starts.starts.size());
}
