// The chooser's start: its command line, a start without a server, and a second start that
// raises the first copy's dialog and ends.
#include <gtest/gtest.h>

#include "KestruneTestSupport.h"
#include "OrderApp.h"
#include "support/MessageLoop.h"
#include "support/PrivateRuntimeFolder.h"

#include "mivo/instance.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

namespace {

const char kProgram[] = MIVO_DATA_BUILD_DIR "/Kestrune";

// Runs the chooser with `argument` while this thread's messages keep running; its exit status, or
// -1 when it did not end in time (it is then killed).
int RunChooser(const std::string& argument)
{
    std::vector<char*> argv = {const_cast<char*>(kProgram), const_cast<char*>(argument.c_str()), nullptr};
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        env.emplace_back(*e);
    env.emplace_back("QT_QPA_PLATFORM=offscreen");
    std::vector<char*> envp;
    for (auto& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_t pid;
    if (posix_spawn(&pid, kProgram, nullptr, nullptr, argv.data(), envp.data()) != 0)
        return -1;
    int status = 0;
    if (!mivo::test::PumpUntil([&] { return waitpid(pid, &status, WNOHANG) == pid; }, 20000)) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST(OrderApp, CommandLineNamesTheServerByItsExactKeyLastOneWins)
{
    const struct {
        const char* line;
        const char* server;
    } cases[] = {
        {"WDBCServer=a^WDBCServer=b", "b"},
        {"x^WDBCServer=h", "h"},
        {"WDBCServer=a=b", "a=b"},
        {"wdbcserver=a", ""},
        {"WDBCServer", ""},
        {"WDBCServer=b^WDBCServer", "b"},
        {"WDBCServer=b^WDBCServer=", ""},
        {"", ""},
        {"^^WDBCServer=web.example.co.kr^Show=0", "web.example.co.kr"},
        {" WDBCServer=a", ""},
    };
    for (const auto& c : cases) {
        COrderApp app;
        app.ParseCommandLine(c.line);
        EXPECT_STREQ(c.server, app.m_strServer) << c.line;
    }
    COrderApp app;
    EXPECT_STREQ("MivoOrder", app.m_strAppKey);
    EXPECT_EQ(1, app.m_bSingleInstance);
}

TEST(OrderApp, WithoutAServerTheProgramEndsAtOnceWithoutAskingAnything)
{
    mivotest::PrivateRuntimeFolder runtime;
    kestrunetest::MappedStub mapped;
    mapped.stub().SetProcedure("SP_MIVO_ORDER_NOTICE", {{"x"}});
    EXPECT_NE(-1, RunChooser("wdbcserver=127.0.0.1"));
    EXPECT_TRUE(mapped.stub().requests().empty());
}

TEST(OrderApp, ASecondStartRaisesTheRunningDialogAndEnds)
{
    mivotest::PrivateRuntimeFolder runtime;
    kestrunetest::MappedStub mapped(kestrunetest::ClosedPort());
    HANDLE mutex = CreateMutex(nullptr, TRUE, "MivoOrder");
    ASSERT_NE(nullptr, mutex);
    WNDCLASS wc = {};
    wc.lpfnWndProc = DefWindowProc;
    wc.lpszClassName = "KestruneFirstCopy";
    RegisterClass(&wc);
    HWND first = CreateWindow("KestruneFirstCopy", "Mivo 온라인 인화", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20,
                              400, 300, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, first);
    ShowWindow(first, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(first));
    // The first copy is on the instance channel through its application class.
    ASSERT_TRUE(mivo::PublishInstanceClass("MivoOrder"));

    EXPECT_NE(-1, RunChooser("WDBCServer=127.0.0.1"));
    mivo::test::PumpUntilIdle();
    EXPECT_FALSE(IsIconic(first));
    EXPECT_EQ(first, GetForegroundWindow());
    EXPECT_TRUE(mapped.stub().requests().empty());

    mivo::WithdrawInstanceClass("MivoOrder");
    DestroyWindow(first);
    UnregisterClass("KestruneFirstCopy", nullptr);
    ReleaseMutex(mutex);
    CloseHandle(mutex);
}
