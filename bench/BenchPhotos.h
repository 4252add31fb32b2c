// What the batch and slide show benchmarks share: a folder of copies of one photograph-like
// JPEG, a peer program run as a process per file, and wall-clock seconds.
#pragma once

#include "image/ImageObject.h"
#include <mivo/paths.h>

#include "BenchPicture.h"

#include <sys/wait.h>
#include <spawn.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

extern char** environ;

namespace bench {

inline double Seconds(const std::chrono::steady_clock::time_point& start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Runs a program with its arguments and waits; true when it ended with 0.
inline bool Spawn(const std::vector<std::string>& argv)
{
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid;
    if (posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0)
        return false;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// folder/p0.jpg .. p<count-1>.jpg, each a copy of one w x h photograph-like JPEG written by our
// encoder (every file is still decoded in full).
inline void WritePhotoCopies(const std::string& folder, int w, int h, int count)
{
    {
        std::vector<BYTE> pixels = MakePicture(w, h);
        CImageObject maker;
        std::unique_ptr<CImageObject> picture(maker.MakeBlankImageObject(RGB(0, 0, 0), w, h));
        std::copy(pixels.begin(), pixels.end(), picture->GetImageBuf());
        picture->Save(mivo::FromPosixPath(folder + "/photo.jpg").c_str());
    }
    std::ifstream in(folder + "/photo.jpg", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (int i = 0; i < count; i++)
        std::ofstream(folder + "/p" + std::to_string(i) + ".jpg", std::ios::binary) << bytes;
}

}  // namespace bench
