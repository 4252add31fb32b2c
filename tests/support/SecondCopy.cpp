#include "support/SecondCopy.h"

#include "support/MessageLoop.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace mivotest {

int RunSecondCopy(const std::string& testName, const std::vector<std::string>& extraEnvironment, int limitMs)
{
    std::string filter = "--gtest_filter=" + testName;
    char exe[] = "/proc/self/exe";
    std::vector<char*> argv = {exe, filter.data(), nullptr};
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        env.emplace_back(*e);
    env.insert(env.end(), extraEnvironment.begin(), extraEnvironment.end());
    std::vector<char*> envp;
    for (auto& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_t pid;
    if (posix_spawn(&pid, exe, nullptr, nullptr, argv.data(), envp.data()) != 0)
        return -1;
    int status = 0;
    bool ended = mivo::test::PumpUntil([&] { return waitpid(pid, &status, WNOHANG) == pid; }, limitMs);
    if (!ended) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace mivotest
