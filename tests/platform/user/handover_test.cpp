// Windows of another copy of the program: the window manager's own functions reach them
// through the instance channel (FindWindow by class, the hand-over message 0x676).
#include <gtest/gtest.h>

#include <win32.h>

#include "support/MessageLoop.h"
#include "support/MessageRecorder.h"
#include "mivo/instance.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

extern char** environ;

using namespace mivo::test;

namespace {

constexpr UINT kHandOver = 0x676;

}  // namespace

// Runs only as the second instance started by the test below.
TEST(HandOver, SecondInstanceRole)
{
    const char* cls = std::getenv("MIVO_HANDOVER_CLASS");
    if (!cls)
        GTEST_SKIP() << "started only by HandOver.FirstInstanceGetsTheMessage";
    HWND first = FindWindow(cls, nullptr);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(IsWindow(first));
    EXPECT_EQ(FindWindow(cls, "no such title"), nullptr);
    EXPECT_EQ(GetLastActivePopup(first), first);
    DWORD pid = 0;
    GetWindowThreadProcessId(first, &pid);
    EXPECT_EQ(pid, (DWORD)getppid());
    EXPECT_EQ(SendMessage(first, kHandOver, 42, 7), 99);
    EXPECT_TRUE(PostMessage(first, WM_USER + 1, 5, 0));
    ShowWindow(first, SW_RESTORE);
    SetForegroundWindow(first);
}

TEST(HandOver, FirstInstanceGetsTheMessage)
{
    std::string cls = "MivoHandOver" + std::to_string(getpid());
    WNDCLASS wc = {};
    wc.lpszClassName = cls.c_str();
    wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == kHandOver && w == 42 && l == 7) {
            SetWindowLongPtr(h, GWLP_USERDATA, GetWindowLongPtr(h, GWLP_USERDATA) | 1);
            return 99;
        }
        if (m == WM_USER + 1 && w == 5)
            SetWindowLongPtr(h, GWLP_USERDATA, GetWindowLongPtr(h, GWLP_USERDATA) | 2);
        return DefWindowProc(h, m, w, l);
    };
    ASSERT_TRUE(RegisterClass(&wc));
    HWND h = CreateWindow(cls.c_str(), "Mivo", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(h, nullptr);
    ASSERT_TRUE(mivo::PublishInstanceClass(cls.c_str()));
    ShowWindow(h, SW_MINIMIZE);

    char exe[4096];
    ssize_t n = readlink("/proc/self/exe", exe, sizeof(exe) - 1);
    ASSERT_GT(n, 0);
    exe[n] = 0;
    std::string env = "MIVO_HANDOVER_CLASS=" + cls;
    setenv("MIVO_HANDOVER_CLASS", cls.c_str(), 1);
    const char* args[] = {exe, "--gtest_filter=HandOver.SecondInstanceRole", nullptr};
    pid_t pid;
    int spawned = posix_spawn(&pid, exe, nullptr, nullptr, (char* const*)args, environ);
    unsetenv("MIVO_HANDOVER_CLASS");
    ASSERT_EQ(spawned, 0);
    int status = 0;
    bool ended = PumpUntil([&] { return waitpid(pid, &status, WNOHANG) == pid; }, 20000);
    ASSERT_TRUE(ended);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    PumpUntilIdle();
    EXPECT_EQ(GetWindowLongPtr(h, GWLP_USERDATA), 3) << "both the sent and the posted message arrived";
    EXPECT_FALSE(IsIconic(h)) << "the second instance brought the first to the front";
    mivo::WithdrawInstanceClass(cls.c_str());
    DestroyWindow(h);
    UnregisterClass(cls.c_str(), nullptr);
}
