// A fixture for file tests: a temporary folder reachable by POSIX (UTF-8) and
// Windows-form (CP949) paths, removed with everything in it afterwards.
#pragma once

#include "win32.h"
#include "../../../platform/kernel/FileOps.h"
#include "mivo/paths.h"

#include <gtest/gtest.h>

#include "support/TempFolder.h"

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

class FileFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = std::make_unique<mivotest::TempFolder>("mivo-files");
        posix_ = folder_->path();
        win_ = mivo::FromPosixPath(posix_);
        ASSERT_FALSE(win_.empty());
        char cwd[4096];
        ASSERT_NE(nullptr, getcwd(cwd, sizeof cwd));
        savedCwd_ = cwd;
    }

    void TearDown() override
    {
        if (chdir(savedCwd_.c_str()) != 0)
            ADD_FAILURE() << "cannot restore the current folder";
        folder_.reset();
    }

    // "C:\tmp\mivo-files-xxx\" + relative (CP949, backslashes).
    std::string Win(const std::string& relative = std::string()) const
    {
        return relative.empty() ? win_ : win_ + "\\" + relative;
    }
    // The POSIX path of a relative UTF-8 name ("a/b").
    std::string Posix(const std::string& relativeUtf8 = std::string()) const
    {
        return relativeUtf8.empty() ? posix_ : posix_ + "/" + relativeUtf8;
    }

    static void WritePosix(const std::string& path, const std::string& content)
    {
        std::ofstream out(path, std::ios::binary);
        out << content;
    }
    static std::string ReadPosix(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static bool ExistsPosix(const std::string& path)
    {
        struct stat st;
        return lstat(path.c_str(), &st) == 0;
    }
    static bool IsDirPosix(const std::string& path)
    {
        struct stat st;
        return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    }

    std::unique_ptr<mivotest::TempFolder> folder_;
    std::string posix_;
    std::string win_;
    std::string savedCwd_;
};
