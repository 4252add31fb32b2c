// A process started without XDG_RUNTIME_DIR gets a private runtime folder before main.
#include <gtest/gtest.h>

#include "mivo/paths.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

class SavedRuntimeVariable {
public:
    SavedRuntimeVariable()
    {
        const char* v = std::getenv("XDG_RUNTIME_DIR");
        had_ = v != nullptr;
        if (v)
            value_ = v;
    }
    ~SavedRuntimeVariable()
    {
        if (had_)
            setenv("XDG_RUNTIME_DIR", value_.c_str(), 1);
        else
            unsetenv("XDG_RUNTIME_DIR");
    }

private:
    bool had_ = false;
    std::string value_;
};

}  // namespace

TEST(RuntimeFolder, MissingVariableGetsAFolderOnlyTheUserCanEnter)
{
    SavedRuntimeVariable saved;
    unsetenv("XDG_RUNTIME_DIR");
    std::string folder = mivo::EnsureRuntimeFolder();
    ASSERT_FALSE(folder.empty());
    ASSERT_NE(std::getenv("XDG_RUNTIME_DIR"), nullptr);
    EXPECT_EQ(folder, std::getenv("XDG_RUNTIME_DIR"));
    struct stat st;
    ASSERT_EQ(lstat(folder.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_uid, geteuid());
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    // A session's own folder is left as it is.
    setenv("XDG_RUNTIME_DIR", "/run/user/somewhere", 1);
    EXPECT_EQ(mivo::EnsureRuntimeFolder(), "/run/user/somewhere");
}

// The check above, made by the layer's start-up in a fresh process that never had the variable.
TEST(RuntimeFolder, AProgramStartedWithoutTheVariableHasItBeforeMain)
{
    if (std::getenv("MIVO_RUNTIME_FOLDER_CHILD")) {
        const char* v = std::getenv("XDG_RUNTIME_DIR");
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(std::string(v).rfind("/tmp/mivo-runtime-", 0), 0u) << v;
        return;
    }
    char exe[4096];
    ssize_t n = readlink("/proc/self/exe", exe, sizeof(exe) - 1);
    ASSERT_GT(n, 0);
    exe[n] = 0;
    std::string filter = "--gtest_filter=RuntimeFolder.AProgramStartedWithoutTheVariableHasItBeforeMain";
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (std::string(*e).rfind("XDG_RUNTIME_DIR=", 0) != 0)
            env.push_back(*e);
    env.push_back("MIVO_RUNTIME_FOLDER_CHILD=1");
    std::vector<char*> envp;
    for (std::string& s : env)
        envp.push_back(&s[0]);
    envp.push_back(nullptr);
    char* args[] = {exe, &filter[0], nullptr};
    pid_t pid;
    ASSERT_EQ(posix_spawn(&pid, exe, nullptr, nullptr, args, envp.data()), 0);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
}
