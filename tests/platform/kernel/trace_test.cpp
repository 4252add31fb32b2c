// The trace facility: channels and levels switched by MIVO_TRACE, the shape of
// its lines, and fixme reports printed once per kind.
#include <gtest/gtest.h>

#include <mivo/Trace.h>
#include <mivo/testing/TraceSink.h>

#include "support/SecondCopy.h"

#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

using mivo::TraceLevel;

namespace {

class TraceTest : public ::testing::Test {
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

    std::vector<std::string> lines;
};

// The levels a channel prints at, as "t", "w", "f" in that order ("" for none).
std::string LevelsOf(mivo::TraceArea area)
{
    std::string on;
    if (mivo::Tracing(area, TraceLevel::Trace))
        on += "t";
    if (mivo::Tracing(area, TraceLevel::Warn))
        on += "w";
    if (mivo::Tracing(area, TraceLevel::Fixme))
        on += "f";
    return on;
}

int g_formatted = 0;

int CountFormatting()
{
    return ++g_formatted;
}

}  // namespace

TEST_F(TraceTest, ASwitchNamesChannelsAndTheLevelToPrintFrom)
{
    const struct {
        const char* spec;
        const char* gdi;
        const char* odbc;
        const char* lumaret;
    } cases[] = {
        {"", "", "", ""},
        {"gdi", "twf", "", ""},
        {"gdi,odbc:warn", "twf", "wf", ""},
        {"odbc:fixme, lumaret:trace", "", "f", "twf"},
        {"all:warn", "wf", "wf", "wf"},
        {"all:fixme,gdi", "twf", "f", "f"},
        {"GDI,odbcs,gdi:loud,:warn", "", "", ""},
        {" gdi , , odbc ", "twf", "twf", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.spec);
        mivo::SetTraceAreas(c.spec);
        EXPECT_EQ(LevelsOf(mivo::kTraceGdi), c.gdi);
        EXPECT_EQ(LevelsOf(mivo::kTraceOdbc), c.odbc);
        EXPECT_EQ(LevelsOf(mivo::kTraceLumaret), c.lumaret);
        EXPECT_EQ(LevelsOf(mivo::kTraceKernel), std::string(c.spec).find("all") == 0 ? c.odbc : "");
    }
}

TEST_F(TraceTest, EveryChannelIsNamedAsTheSwitchSpellsIt)
{
    const char* names[] = {"kernel", "gdi",  "user", "controls", "dialogs", "shell",     "net",      "media",  "twain",
                           "afx",    "backend", "res", "odbc",   "image",   "grid",      "framework", "kestrune", "lumaret"};
    ASSERT_EQ(sizeof(names) / sizeof(names[0]), (size_t)mivo::kTraceAreaCount);
    for (int area = 0; area < mivo::kTraceAreaCount; ++area) {
        EXPECT_STREQ(mivo::TraceAreaName((mivo::TraceArea)area), names[area]);
        mivo::SetTraceAreas(names[area]);
        for (int other = 0; other < mivo::kTraceAreaCount; ++other)
            EXPECT_EQ(mivo::Tracing((mivo::TraceArea)other), other == area) << names[area] << " " << other;
    }
    EXPECT_STREQ(mivo::TraceAreaName(mivo::kTraceAreaCount), "?");
}

TEST_F(TraceTest, LinesNameTheirChannelAndAnyLevelAboveTrace)
{
    mivo::SetTraceAreas("gdi,odbc:warn,controls");
    MIVO_TRACE(kTraceGdi, "BitBlt(%d)", 7);
    MIVO_TRACE(kTraceOdbc, "SQLPrepare(%s)", "hidden below warn");
    MIVO_WARN(kTraceOdbc, "SQLConnect(%s) failed", "Mivo");
    MIVO_FIXME(kTraceControls, "no %s", "WM_FOO");
    MIVO_WARN(kTraceUser, "not switched on");
    EXPECT_EQ(lines, (std::vector<std::string>{"[gdi] BitBlt(7)", "[odbc] warn: SQLConnect(Mivo) failed",
                                               "[controls] fixme: no WM_FOO"}));
}

TEST_F(TraceTest, ASwitchedOffChannelFormatsNothing)
{
    mivo::SetTraceAreas("user");
    g_formatted = 0;
    MIVO_TRACE(kTraceGdi, "%d", CountFormatting());
    MIVO_FIXME_ONCE(kTraceGdi, "kind", "%d", CountFormatting());
    EXPECT_EQ(g_formatted, 0);
    EXPECT_TRUE(lines.empty());
    MIVO_TRACE(kTraceUser, "%d", CountFormatting());
    EXPECT_EQ(g_formatted, 1);
    EXPECT_EQ(lines, std::vector<std::string>{"[user] 1"});
}

TEST_F(TraceTest, AFixmeKindIsReportedOncePerChannelUntilTheSwitchChanges)
{
    mivo::SetTraceAreas("controls:fixme,gdi:fixme");
    EXPECT_TRUE(mivo::FixmeOnce(mivo::kTraceControls, "Button EM_SETSEL", "first"));
    EXPECT_FALSE(mivo::FixmeOnce(mivo::kTraceControls, "Button EM_SETSEL", "again"));
    MIVO_FIXME_ONCE(kTraceControls, "Button EM_SETSEL", "%s", "and again");
    EXPECT_TRUE(mivo::FixmeOnce(mivo::kTraceControls, "Button EM_GETSEL", "another kind"));
    EXPECT_TRUE(mivo::FixmeOnce(mivo::kTraceGdi, "Button EM_SETSEL", "another channel"));
    EXPECT_FALSE(mivo::FixmeOnce(mivo::kTraceUser, "Button EM_SETSEL", "switched off"));
    EXPECT_EQ(lines, (std::vector<std::string>{"[controls] fixme: first", "[controls] fixme: another kind",
                                               "[gdi] fixme: another channel"}));

    lines.clear();
    mivo::SetTraceAreas("controls:fixme");
    MIVO_FIXME_ONCE(kTraceControls, "Button EM_SETSEL", "%s", "after a new switch");
    EXPECT_EQ(lines, std::vector<std::string>{"[controls] fixme: after a new switch"});
}

// Exit status: one bit per question asked of the switch read from the environment.
TEST(TraceChild, ReportsItsSwitches)
{
    if (!std::getenv("MIVO_TEST_TRACE_CHILD"))
        GTEST_SKIP() << "runs only as the child of the environment test";
    mivo::SetTraceSink([](const std::string&) {});
    _exit((mivo::Tracing(mivo::kTraceGdi) ? 1 : 0) | (mivo::Tracing(mivo::kTraceOdbc) ? 2 : 0) |
          (mivo::Tracing(mivo::kTraceOdbc, TraceLevel::Warn) ? 4 : 0) |
          (mivo::Tracing(mivo::kTraceKernel, TraceLevel::Fixme) ? 8 : 0));
}

TEST(Trace, TheEnvironmentSwitchesChannelsAtStart)
{
    const struct {
        const char* spec;
        int status;
    } cases[] = {{"MIVO_TRACE=gdi,odbc:warn", 1 | 4}, {"MIVO_TRACE=all:fixme", 8}, {"MIVO_TRACE=", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(mivotest::RunSecondCopy("TraceChild.ReportsItsSwitches", {"MIVO_TEST_TRACE_CHILD=1", c.spec}),
                  c.status)
            << c.spec;
}
