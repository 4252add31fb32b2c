// Fixtures of the image library tests: pictures in the library's layout,
// files in a temporary folder, and a recorder of what the library sends.
#pragma once

#include "mfc.h"
#include "image/ImageNotifier.h"
#include "support/TempFolder.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace imgtest {

using Bytes = std::vector<BYTE>;

Bytes ReadAll(const std::string& posixPath);
void WriteAll(const std::string& posixPath, const Bytes& bytes);

// A checked-in sample of tests/data/hostile/, as the Windows-form path the library takes.
std::string HostileSample(const std::string& name);

inline int RowBytes(int width) { return ((width * 24 + 31) / 32) * 4; }

// A 24-bit bottom-up block with top-down pixel access.
struct Picture {
    int width = 0;
    int height = 0;
    Bytes pixels;
    BYTE* data() { return pixels.data(); }
    BYTE* at(int x, int yTop) { return pixels.data() + size_t(height - 1 - yTop) * RowBytes(width) + 3 * x; }
};

Picture MakePicture(int width, int height, const std::function<COLORREF(int x, int yTop)>& colour);
Picture MakeGradient(int width, int height);
Picture MakeNoise(int width, int height, unsigned seed);

// Pixel (x, y counted from the top) of a block in the library's layout.
inline const BYTE* PixelOf(const BYTE* block, int width, int height, int x, int yTop)
{
    return block + size_t(height - 1 - yTop) * RowBytes(width) + 3 * x;
}

// Largest channel difference and mean absolute difference of two blocks.
struct Difference {
    int largest = 0;
    double mean = 0;
};
Difference Compare(const BYTE* a, const BYTE* b, int width, int height);

// How much the process's peak resident memory grows while `run` runs, in
// bytes: what the run commits, whether or not it is freed again by the end.
uint64_t PeakMemoryGrowth(const std::function<void()>& run);
// Whether that growth is the program's own: under the address sanitizer
// every block also costs shadow memory written on allocation.
bool MemoryGrowthIsMeaningful();

// A hidden window for the progress messages.
CWnd* FakeWindow();

// Records progress and done messages and message boxes while it lives.
class NoticeRecorder {
public:
    NoticeRecorder();
    ~NoticeRecorder();
    NoticeRecorder(const NoticeRecorder&) = delete;
    NoticeRecorder& operator=(const NoticeRecorder&) = delete;

    std::vector<int> progress;  // WM_IMAGE_PROGRESS values
    std::vector<int> done;      // WM_IMAGE_DONE values
    std::vector<std::string> boxTexts;
    std::vector<std::string> boxCaptions;  // "" for the framework's box
    std::vector<UINT> boxTypes;
    // Called after each notice is recorded.
    std::function<void(const mivo::image::Notice&)> onNotice;

private:
    static void Hook(const mivo::image::Notice& notice, void* context);
};

// A folder for the test's files, with Windows-form names for the library.
class Folder {
public:
    std::string posix(const std::string& name) const { return m_temp.file(name); }
    std::string win(const std::string& name) const { return m_temp.windowsPath() + name; }

private:
    mivotest::TempFolder m_temp;
};

}  // namespace imgtest
