// libFuzzer target for the JPEG structure inspector's walk (markers, Exif header, directories)
// into a tree grid, as the inspector runs it. Built and run by bench/fuzz/run.sh, never by CI.
#include "album/JpegStructureWalk.h"
#include "grid/VXGridCtrl.h"
#include "mivo/paths.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

CVXGridCtrl* g_grid = nullptr;

std::string TempFile()
{
    static std::string posix = "/dev/shm/mivo-jpegwalk-" + std::to_string(getpid());
    return posix;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    HWND host = CreateWindow("Static", "host", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr);
    g_grid = new CVXGridCtrl;
    // The inspector's grid: tree model, eight columns.
    g_grid->Create(WS_CHILD | WS_VISIBLE | 0x8000, CRect(0, 0, 800, 600), CWnd::FromHandle(host), 1);
    for (int i = 0; i < 8; i++) {
        _RVSUBITEM column;
        column.nMask = 0x4000;
        column.iWidth = 100;
        column.lpszText = "c";
        g_grid->DefineSubItem(i, &column);
        g_grid->ActivateSubItem(i, i);
    }
    g_grid->InsertColor(4, RGB(192, 192, 192));
    g_grid->SetRedraw(FALSE);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string posix = TempFile();
    FILE* f = fopen(posix.c_str(), "wb");
    if (!f)
        return 0;
    fwrite(data, 1, size, f);
    fclose(f);
    CJpegStructureWalk walk(g_grid);
    walk.WalkJpegMarkers(mivo::FromPosixPath(posix).c_str());
    return 0;
}
