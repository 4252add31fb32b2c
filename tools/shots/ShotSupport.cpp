#include "ShotSupport.h"

#include <mivo/testing/input.h>

#include <cstdio>
#include <cstdlib>
#include <string>

void Shoot(const char* name)
{
    const char* command = std::getenv("MIVO_SHOT_COMMAND");
    if (!command)
        return;
    std::string line = std::string(command) + " " + name;
    if (std::system(line.c_str()) != 0)
        std::fprintf(stderr, "shot %s failed\n", name);
}

void WritePpm(const char* name, const std::vector<uint32_t>& pixels, int width, int height)
{
    const char* folder = std::getenv("MIVO_SHOT_FOLDER");
    if (!folder)
        return;
    // The script converts every .ppm of the folder; a dump without the suffix would stay unseen.
    std::string file = std::string(folder) + "/" + name;
    if (file.size() < 4 || file.compare(file.size() - 4, 4, ".ppm") != 0)
        file += ".ppm";
    FILE* f = std::fopen(file.c_str(), "wb");
    if (!f)
        return;
    std::fprintf(f, "P6\n%d %d\n255\n", width, height);
    for (uint32_t p : pixels) {
        unsigned char rgb[3] = {(unsigned char)(p >> 16), (unsigned char)(p >> 8), (unsigned char)p};
        std::fwrite(rgb, 1, 3, f);
    }
    std::fclose(f);
}

void SaveSurface(HWND hwnd, const char* name)
{
    std::vector<uint32_t> pixels;
    int width = 0, height = 0;
    if (mivo::CaptureWindowPixels(hwnd, false, pixels, width, height))
        WritePpm(name, pixels, width, height);
}

void SaveComposite(HWND frame, const std::string& name)
{
    int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    std::vector<uint32_t> screen((size_t)sw * (size_t)sh, 0x404040);
    std::vector<HWND> windows{frame};
    for (HWND w = FindWindow("#32768", nullptr); w; w = FindWindowEx(nullptr, w, "#32768", nullptr))
        windows.push_back(w);
    for (HWND w : windows) {
        std::vector<uint32_t> pixels;
        int width = 0, height = 0;
        RECT r;
        if (!GetWindowRect(w, &r) || !mivo::CaptureWindowPixels(w, false, pixels, width, height))
            continue;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                int sx = r.left + x, sy = r.top + y;
                if (sx >= 0 && sy >= 0 && sx < sw && sy < sh)
                    screen[(size_t)sy * (size_t)sw + (size_t)sx] = pixels[(size_t)y * (size_t)width + (size_t)x];
            }
    }
    WritePpm((name + "-surfaces.ppm").c_str(), screen, sw, sh);
}

void Settle(HWND dialog)
{
    for (int i = 0; i < 40; ++i) {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!dialog || !IsDialogMessage(dialog, &msg)) {
                TranslateMessage(&msg);
                DispatchMessage(&msg);
            }
        }
        Sleep(25);
    }
}

namespace {

std::function<void()> g_laterStep;

void CALLBACK RunLaterStep(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    std::function<void()> step = std::move(g_laterStep);
    g_laterStep = nullptr;
    if (step)
        step();
}

}  // namespace

void RunLater(int ms, std::function<void()> step)
{
    g_laterStep = std::move(step);
    ::SetTimer(nullptr, 0, ms, RunLaterStep);
}
