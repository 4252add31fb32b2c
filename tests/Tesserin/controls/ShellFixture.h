// A home folder (the desktop) and a drive M: with Korean folders, files and a link, for the
// folder tree and list tests. Names are CP949 literals.
#pragma once

#include <gtest/gtest.h>

#include "mfc.h"
#include "mivo/codepage.h"
#include "mivo/paths.h"
#include "support/TempFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

struct ShellFixture : ::testing::Test {
    mivotest::TempFolder dir{"mivo-dirtree"};
    std::string savedHome;

    std::string Posix(const std::string& cp949) const { return dir.path() + "/" + mivo::ToUtf8(cp949.c_str()); }
    void MakeDir(const std::string& rel) const { mkdir(Posix(rel).c_str(), 0755); }
    void MakeFile(const std::string& rel, const std::string& text = "x") const { std::ofstream(Posix(rel)) << text; }
    bool Exists(const std::string& rel) const
    {
        struct stat st;
        return lstat(Posix(rel).c_str(), &st) == 0;
    }

    void SetUp() override
    {
        const char* h = getenv("HOME");
        savedHome = h ? h : "";
        for (const char* d : {"home", "home/사진", "drive", "drive/앨범", "drive/앨범/여름", "drive/앨범/여름/바다",
                              "drive/문서", "drive/빈폴더", "drive/Beta", "drive/beta", "outside"})
            MakeDir(d);
        MakeFile("drive/문서/메모.txt");
        MakeFile("drive/앨범/표지.jpg");
        MakeFile("outside/keep.txt");
        setenv("HOME", (dir.path() + "/home").c_str(), 1);
        mivo::SetDriveRoot('M', dir.path() + "/drive");
    }
    void TearDown() override
    {
        mivo::SetDriveRoot('M', "");
        setenv("HOME", savedHome.c_str(), 1);
    }
};
