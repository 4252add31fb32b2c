// The instance channel: a second process finds the first one's window by class and talks to it;
// sockets of dead processes are ignored; this process's own windows and pointer messages never cross.
#include <gtest/gtest.h>

#include "support/MessageLoop.h"
#include "support/TempFolder.h"
#include "win32.h"
#include "support/PrivateRuntimeFolder.h"
#include "support/SecondCopy.h"
#include "mivo/instance.h"

#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace {

const UINT kHandOver = 0x676;
const UINT kAsk = 0x677;
const UINT kAskBack = 0x678;
const char kTitle[] = "First copy";

std::string ChannelFolder(const mivotest::PrivateRuntimeFolder& runtime)
{
    return runtime.path() + "/mivo";
}

std::string SocketOf(const mivotest::PrivateRuntimeFolder& runtime, const std::string& className)
{
    std::string upper = className;
    for (char& c : upper)
        c = (char)toupper((unsigned char)c);
    return ChannelFolder(runtime) + "/" + upper + ".wnd";
}

bool Exists(const std::string& path)
{
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

// A socket file nobody listens on, as a process that died leaves it.
void LeaveStaleSocket(const std::string& path)
{
    int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), sizeof address.sun_path);
    strcpy(address.sun_path, path.c_str());
    ASSERT_EQ(0, bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address));
    close(fd);
    ASSERT_TRUE(Exists(path));
}

struct Received {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Received> g_received;
std::string g_secondCopyClass;  // the class of the second copy's window, when it offers one

// Answers the question with the sum of its parameters, 1000, and what the second copy answers
// when asked back while it waits for this answer.
LRESULT CALLBACK FirstCopyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == kHandOver || msg == kAsk || msg == WM_SETTEXT)
        g_received.push_back(Received{msg, wParam, lParam});
    if (msg == kAsk) {
        HWND second = g_secondCopyClass.empty() ? nullptr : mivo::FindForeignWindow(g_secondCopyClass.c_str());
        LRESULT back = second ? mivo::ForeignSendMessage(second, kAskBack, 0, 0) : 0;
        return (LRESULT)(wParam + lParam + 1000) + back;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK SecondCopyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == kAskBack)
        return 99;
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

std::string UniqueClass(const char* stem)
{
    return std::string(stem) + std::to_string(getpid());
}

HWND CreateCopyWindow(const std::string& className, WNDPROC proc)
{
    WNDCLASS wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandle(nullptr);
    wc.lpszClassName = className.c_str();
    if (!RegisterClass(&wc))
        return nullptr;
    return CreateWindow(className.c_str(), kTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 150, nullptr,
                        nullptr, GetModuleHandle(nullptr), nullptr);
}

// Runs this test program again with only the child test below; the message loop keeps running
// meanwhile, so the child's requests are served. Returns the child's exit status (-1 if it hung).
int RunSecondCopy(const std::string& className, const char* expectation)
{
    return mivotest::RunSecondCopy("InstanceChannelChild.SecondCopy",
                                   {"MIVO_TEST_INSTANCE_CLASS=" + className,
                                    std::string("MIVO_TEST_INSTANCE_EXPECT=") + expectation});
}

}  // namespace

// The second copy: what it can do with the first copy's window (run by the tests below only).
TEST(InstanceChannelChild, SecondCopy)
{
    const char* className = getenv("MIVO_TEST_INSTANCE_CLASS");
    const char* expectation = getenv("MIVO_TEST_INSTANCE_EXPECT");
    if (!className || !expectation)
        GTEST_SKIP() << "runs only as the child of the cross-process tests";
    HWND first = mivo::FindForeignWindow(className);
    if (strcmp(expectation, "none") == 0) {
        EXPECT_EQ(nullptr, first);
        return;
    }
    ASSERT_NE(nullptr, first);
    EXPECT_TRUE(mivo::IsForeignWindow(first));
    EXPECT_EQ((DWORD)getppid(), mivo::ForeignWindowProcessId(first));
    EXPECT_EQ(first, mivo::FindForeignWindow(className)) << "one window, one proxy";
    EXPECT_EQ(first, mivo::FindInstanceWindow(className, kTitle));
    EXPECT_EQ(nullptr, mivo::FindInstanceWindow(className, "another title"));
    EXPECT_TRUE(mivo::ForeignIsWindow(first));

    EXPECT_TRUE(mivo::ForeignPostMessage(first, kHandOver, (WPARAM)0x12345678, (LPARAM)-5));
    // The first copy asks this one back while this one waits for its answer: handled meanwhile.
    const std::string ownClass = std::string(className) + "Second";
    HWND own = CreateCopyWindow(ownClass, SecondCopyProc);
    ASSERT_NE(nullptr, own);
    ASSERT_TRUE(mivo::PublishInstanceClass(ownClass.c_str()));
    EXPECT_EQ((LRESULT)(7 + 8 + 1000 + 99), mivo::ForeignSendMessage(first, kAsk, 7, 8)) << "waits for the result";
    mivo::WithdrawInstanceClass(ownClass.c_str());
    DestroyWindow(own);
    SetLastError(0);
    EXPECT_FALSE(mivo::ForeignPostMessage(first, WM_SETTEXT, 0, (LPARAM)"text"));
    EXPECT_EQ((DWORD)ERROR_ACCESS_DENIED, GetLastError());
    EXPECT_EQ(0, mivo::ForeignSendMessage(first, WM_SETTEXT, 0, (LPARAM)"text"));

    EXPECT_FALSE(mivo::ForeignIsIconic(first));
    mivo::ForeignShowWindow(first, SW_MINIMIZE);
    EXPECT_TRUE(mivo::ForeignIsIconic(first));
    mivo::ForeignShowWindow(first, SW_RESTORE);
    EXPECT_FALSE(mivo::ForeignIsIconic(first));
    EXPECT_TRUE(mivo::ForeignBringWindowToTop(first));
    EXPECT_TRUE(mivo::ForeignSetForegroundWindow(first));
    EXPECT_EQ(first, mivo::ForeignGetLastActivePopup(first)) << "no popup: the window itself";
}

TEST(InstanceChannel, SecondProcessFindsTheWindowAndItsMessagesArriveIntact)
{
    mivotest::PrivateRuntimeFolder runtime;
    const std::string className = UniqueClass("MivoChannelTest");
    HWND window = CreateCopyWindow(className, FirstCopyProc);
    ASSERT_NE(nullptr, window);
    ASSERT_TRUE(mivo::PublishInstanceClass(className.c_str()));
    g_received.clear();
    g_secondCopyClass = className + "Second";

    EXPECT_EQ(0, RunSecondCopy(className, "found"));
    mivo::test::PumpUntil([] { return g_received.size() >= 2; });

    ASSERT_EQ(2u, g_received.size()) << "the hand-over and the question, and no WM_SETTEXT";
    bool sawHandOver = false, sawAsk = false;
    for (const Received& r : g_received) {
        if (r.message == kHandOver) {
            sawHandOver = true;
            EXPECT_EQ((WPARAM)0x12345678, r.wParam);
            EXPECT_EQ((LPARAM)-5, r.lParam);
        } else if (r.message == kAsk) {
            sawAsk = true;
            EXPECT_EQ((WPARAM)7, r.wParam);
            EXPECT_EQ((LPARAM)8, r.lParam);
        }
    }
    EXPECT_TRUE(sawHandOver);
    EXPECT_TRUE(sawAsk);
    char title[64] = {};
    GetWindowText(window, title, sizeof title);
    EXPECT_STREQ(kTitle, title);
    EXPECT_FALSE(IsIconic(window));

    g_secondCopyClass.clear();

    // A class still offered without a window answers nothing.
    DestroyWindow(window);
    EXPECT_EQ(0, RunSecondCopy(className, "none"));

    mivo::WithdrawInstanceClass(className.c_str());
    EXPECT_FALSE(Exists(SocketOf(runtime, className))) << "withdrawing removes the socket";
    UnregisterClass(className.c_str(), GetModuleHandle(nullptr));
}

TEST(InstanceChannel, SocketOfADeadProcessIsIgnoredAndReplaced)
{
    mivotest::PrivateRuntimeFolder runtime;
    const std::string className = UniqueClass("MivoStaleTest");
    const std::string path = SocketOf(runtime, className);
    ASSERT_EQ(0, mkdir(ChannelFolder(runtime).c_str(), 0700));
    LeaveStaleSocket(path);

    EXPECT_EQ(nullptr, mivo::FindForeignWindow(className.c_str()));
    EXPECT_FALSE(Exists(path)) << "the stale socket is removed";

    LeaveStaleSocket(path);
    EXPECT_TRUE(mivo::PublishInstanceClass(className.c_str())) << "a stale socket does not block the class";
    struct stat st;
    ASSERT_EQ(0, stat(path.c_str(), &st));
    EXPECT_TRUE(S_ISSOCK(st.st_mode));
    EXPECT_EQ(0600u, st.st_mode & 0777);
    mivo::WithdrawInstanceClass(className.c_str());
}

TEST(InstanceChannel, OwnWindowsAndPlainHandlesAreNotForeign)
{
    mivotest::PrivateRuntimeFolder runtime;
    const std::string className = UniqueClass("MivoOwnTest");
    HWND window = CreateCopyWindow(className, FirstCopyProc);
    ASSERT_NE(nullptr, window);
    ASSERT_TRUE(mivo::PublishInstanceClass(className.c_str()));
    struct stat st;
    ASSERT_EQ(0, stat(ChannelFolder(runtime).c_str(), &st));
    EXPECT_EQ(0700u, st.st_mode & 0777) << "only the user enters the folder";
    EXPECT_TRUE(mivo::PublishInstanceClass(className.c_str())) << "offering twice is harmless";

    EXPECT_EQ(nullptr, mivo::FindForeignWindow(className.c_str())) << "FindWindow finds our own";
    EXPECT_EQ(window, FindWindow(className.c_str(), nullptr));
    EXPECT_FALSE(mivo::IsForeignWindow(window));
    EXPECT_FALSE(mivo::IsForeignWindow(nullptr));
    EXPECT_EQ(0u, mivo::ForeignWindowProcessId(window));
    EXPECT_FALSE(mivo::ForeignPostMessage(window, kHandOver, 0, 0));
    EXPECT_EQ((DWORD)ERROR_INVALID_WINDOW_HANDLE, GetLastError());
    EXPECT_EQ(nullptr, mivo::ForeignGetLastActivePopup(window));
    EXPECT_EQ(nullptr, mivo::FindForeignWindow(nullptr));
    EXPECT_EQ(nullptr, mivo::FindForeignWindow(""));
    EXPECT_EQ(nullptr, mivo::FindForeignWindow(std::string(300, 'A').c_str()));

    mivo::WithdrawInstanceClass(className.c_str());
    DestroyWindow(window);
    UnregisterClass(className.c_str(), GetModuleHandle(nullptr));
}

namespace {

const char kDialogTitle[] = "Mivo 온라인 인화 창";

}  // namespace

// The second copy: FindWindow by title alone reaches a window whose class is not offered.
TEST(InstanceChannelChild, FindsByTitle)
{
    const char* expectation = getenv("MIVO_TEST_TITLE_EXPECT");
    if (!expectation)
        GTEST_SKIP() << "runs only as the child of the title test";
    EXPECT_EQ(nullptr, FindWindow(nullptr, "no window has this title"));
    HWND first = FindWindow(nullptr, kDialogTitle);
    if (strcmp(expectation, "none") == 0) {
        EXPECT_EQ(nullptr, first);
        return;
    }
    ASSERT_NE(nullptr, first);
    EXPECT_TRUE(mivo::IsForeignWindow(first));
    EXPECT_EQ((DWORD)getppid(), mivo::ForeignWindowProcessId(first));
    EXPECT_TRUE(IsIconic(first));
    ShowWindow(first, SW_RESTORE);
    EXPECT_FALSE(IsIconic(first));
}

TEST(InstanceChannel, FindWindowByTitleAsksEveryProcessOnTheChannel)
{
    mivotest::PrivateRuntimeFolder runtime;
    const std::string dialogClass = UniqueClass("MivoUnofferedDialog");
    const std::string appClass = UniqueClass("MivoTitleApp");
    WNDCLASS wc = {};
    wc.lpfnWndProc = DefWindowProc;
    wc.hInstance = GetModuleHandle(nullptr);
    wc.lpszClassName = dialogClass.c_str();
    ASSERT_TRUE(RegisterClass(&wc));
    HWND dialog = CreateWindow(dialogClass.c_str(), kDialogTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 150,
                               nullptr, nullptr, GetModuleHandle(nullptr), nullptr);
    ASSERT_NE(nullptr, dialog);
    ShowWindow(dialog, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(dialog));
    EXPECT_EQ(dialog, FindWindow(nullptr, kDialogTitle)) << "our own window is found here";

    // Not on the channel yet: nobody to ask.
    EXPECT_EQ(0, mivotest::RunSecondCopy("InstanceChannelChild.FindsByTitle", {"MIVO_TEST_TITLE_EXPECT=none"}));
    // On the channel through another class, with no window of it.
    ASSERT_TRUE(mivo::PublishInstanceClass(appClass.c_str()));
    EXPECT_EQ(0, mivotest::RunSecondCopy("InstanceChannelChild.FindsByTitle", {"MIVO_TEST_TITLE_EXPECT=found"}));
    EXPECT_FALSE(IsIconic(dialog)) << "restored by the second process";

    mivo::WithdrawInstanceClass(appClass.c_str());
    DestroyWindow(dialog);
    UnregisterClass(dialogClass.c_str(), GetModuleHandle(nullptr));
}
