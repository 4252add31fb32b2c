// CSysProcess: the process list and the count of one program's processes.
#include <gtest/gtest.h>

#include "framework/SysProcess.h"

#include <string>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string OwnProgramName()
{
    char path[4096];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return std::string();
    path[n] = 0;
    std::string s = path;
    return s.substr(s.rfind('/') + 1);
}

std::string Upper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = (char)(c - 'a' + 'A');
    return s;
}

TEST(SysProcess, CountsThisProgramWhateverTheCase)
{
    std::string name = OwnProgramName();
    ASSERT_FALSE(name.empty());
    CSysProcess processes;
    EXPECT_GE(processes.GetProcessCount(Upper(name).c_str()), 1);
    EXPECT_EQ(processes.GetProcessCount("no-such-program-here"), 0);
    EXPECT_EQ(processes.GetProcessCount("[System Process]"), 0);  // the first entry is never counted

    // A second copy of this program is counted too.
    int gate[2];
    ASSERT_EQ(pipe(gate), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        char c;
        close(gate[1]);
        (void)read(gate[0], &c, 1);
        _exit(0);
    }
    close(gate[0]);
    EXPECT_GE(processes.GetProcessCount(name.c_str()), 2);
    close(gate[1]);
    waitpid(child, nullptr, 0);
}

TEST(SysProcess, ListAppendsParallelArraysOnEveryCall)
{
    CSysProcess processes;
    ASSERT_EQ(processes.GetProcessList(), 1);
    int first = (int)processes.m_arrProcessID.GetSize();
    ASSERT_GT(first, 0);
    ASSERT_EQ(processes.GetProcessList(), 1);
    int total = (int)processes.m_arrProcessID.GetSize();
    EXPECT_GT(total, first);
    EXPECT_EQ(processes.m_arrPriority.GetSize(), total);
    EXPECT_EQ(processes.m_arrThreadCount.GetSize(), total);
    EXPECT_EQ(processes.m_arrExeName.GetSize(), total);

    // This process is in both lists, with its own name and at least one thread.
    int seen = 0;
    for (int i = 0; i < total; ++i) {
        if (processes.m_arrProcessID[i] != (UINT)getpid()) continue;
        ++seen;
        EXPECT_EQ(std::string(processes.m_arrExeName[i]), OwnProgramName());
        EXPECT_GE(processes.m_arrThreadCount[i], 1u);
        EXPECT_GE(processes.m_arrPriority[i], 1u);
        EXPECT_LE(processes.m_arrPriority[i], 31u);
    }
    EXPECT_EQ(seen, 2);
}

}  // namespace
