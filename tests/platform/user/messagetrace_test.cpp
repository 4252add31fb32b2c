// The message spy: message names, the areas switched by MIVO_TRACE, and the
// lines printed for the window manager's dispatch and the controls' default branch.
#include <gtest/gtest.h>

#include <win32.h>
#include <mivo/Trace.h>
#include <mivo/testing/TraceSink.h>

#include "support/MessageRecorder.h"
#include "support/SecondCopy.h"

#include <cstdlib>
#include <unistd.h>

using namespace mivo::test;

namespace {

class MessageTraceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        mivo::SetTraceSink([this](const std::string& line) { lines.push_back(line); });
    }
    void TearDown() override
    {
        mivo::SetTraceAreas("");
        mivo::SetTraceSink(nullptr);
    }
    // The lines that name a message, dropping what the rest of the test window's life printed.
    std::vector<std::string> LinesWith(const std::string& part) const
    {
        std::vector<std::string> out;
        for (const auto& l : lines)
            if (l.find(part) != std::string::npos)
                out.push_back(l);
        return out;
    }

    std::vector<std::string> lines;
};

std::string Hex(const void* p)
{
    char buf[32];
    std::snprintf(buf, sizeof(buf), "%#lx", (unsigned long)(uintptr_t)p);
    return buf;
}

}  // namespace

TEST(MessageNames, KnownMessagesByNameOthersByNumber)
{
    const struct {
        UINT msg;
        const char* name;
    } cases[] = {
        {WM_NULL, "WM_NULL"},
        {WM_PAINT, "WM_PAINT"},
        {WM_NCDESTROY, "WM_NCDESTROY"},
        {WM_PRINTCLIENT, "WM_PRINTCLIENT"},
        {BM_CLICK, "BM_CLICK"},
        {EM_SETSEL, "EM_SETSEL"},
        {LB_ADDSTRING, "LB_ADDSTRING"},
        {CB_SHOWDROPDOWN, "CB_SHOWDROPDOWN"},
        {SBM_SETSCROLLINFO, "SBM_SETSCROLLINFO"},
        {STM_SETIMAGE, "STM_SETIMAGE"},
        {0x03FE, "0x03FE"},
        {WM_USER + 5, "WM_USER+0x0005"},
        {WM_APP, "WM_APP+0x0000"},
        {0xC123, "0xC123"},
        {0x12345, "0x12345"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(mivo::MessageName(c.msg), c.name);
}

TEST_F(MessageTraceTest, AreasAreSpelledAsInTheEnvironment)
{
    const struct {
        const char* spec;
        bool user;
        bool controls;
    } cases[] = {
        {"user", true, false},       {"controls", false, true},   {"user,controls", true, true},
        {" controls , user ", true, true}, {"", false, false},      {"users,control,USER", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.spec);
        mivo::SetTraceAreas(c.spec);
        EXPECT_EQ(mivo::Tracing(mivo::kTraceUser), c.user);
        EXPECT_EQ(mivo::Tracing(mivo::kTraceControls), c.controls);
    }
}

TEST_F(MessageTraceTest, UserAreaPrintsEachDispatchedMessage)
{
    MessageRecorder rec;
    HWND w = CreateTestWindow("spied", WS_OVERLAPPEDWINDOW, 10, 10, 100, 80);
    ASSERT_NE(w, nullptr);

    mivo::SetTraceAreas("");
    SendMessage(w, WM_SETTEXT, 0, (LPARAM)"off");
    EXPECT_TRUE(lines.empty());

    mivo::SetTraceAreas("user");
    SendMessage(w, WM_USER + 5, 0x12, 0x34);
    PostMessage(w, WM_TIMER, 9, 0);
    MSG msg;
    while (PeekMessage(&msg, w, 0, 0, PM_REMOVE))
        DispatchMessage(&msg);
    std::string prefix = "[user] " + Hex(w) + " \"" + MessageRecorder::ClassName() + "\" ";
    ASSERT_EQ(LinesWith("WM_USER+0x0005").size(), 1u);
    EXPECT_EQ(LinesWith("WM_USER+0x0005")[0], prefix + "WM_USER+0x0005 wParam=0x12 lParam=0x34");
    EXPECT_EQ(LinesWith(prefix + "WM_TIMER wParam=0x9").size(), 1u);
    EXPECT_TRUE(LinesWith("[controls]").empty());

    mivo::SetTraceAreas("");
    DestroyWindow(w);
    EXPECT_TRUE(LinesWith("WM_NCDESTROY").empty());
}

TEST_F(MessageTraceTest, ControlsAreaPrintsWhatAControlLeavesToDefWindowProc)
{
    MessageRecorder rec;
    HWND parent = CreateTestWindow("parent", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100);
    HWND button = CreateWindowEx(0, "Button", "ok", WS_CHILD, 0, 0, 60, 20, parent, (HMENU)1, nullptr, nullptr);
    ASSERT_NE(button, nullptr);

    mivo::SetTraceAreas("controls");
    SendMessage(button, WM_USER + 7, 1, 2);  // not the button's
    SendMessage(button, BM_SETCHECK, BST_CHECKED, 0);  // the button's own
    SendMessage(parent, WM_USER + 7, 1, 2);  // not a control
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "[controls] " + Hex(button) + " \"Button\" WM_USER+0x0007 wParam=0x1 lParam=0x2");

    lines.clear();
    mivo::SetTraceAreas("user");
    SendMessage(button, WM_USER + 7, 1, 2);
    EXPECT_TRUE(LinesWith("[controls]").empty());
    mivo::SetTraceAreas("");
    DestroyWindow(parent);
}

// Exit status: bit 0 when the user area is on, bit 1 for controls.
TEST(MessageTraceChild, ReportsItsAreas)
{
    if (!std::getenv("MIVO_TEST_TRACE_CHILD"))
        GTEST_SKIP() << "runs only as the child of the environment test";
    mivo::SetTraceSink([](const std::string&) {});
    _exit((mivo::Tracing(mivo::kTraceUser) ? 1 : 0) | (mivo::Tracing(mivo::kTraceControls) ? 2 : 0));
}

TEST(MessageTrace, EnvironmentChoosesTheAreasAtStart)
{
    EXPECT_EQ(mivotest::RunSecondCopy("MessageTraceChild.ReportsItsAreas",
                                      {"MIVO_TEST_TRACE_CHILD=1", "MIVO_TRACE=controls"}),
              2);
    EXPECT_EQ(mivotest::RunSecondCopy("MessageTraceChild.ReportsItsAreas",
                                      {"MIVO_TEST_TRACE_CHILD=1", "MIVO_TRACE=user,controls"}),
              3);
}
