// Time from choosing a 12-megapixel photo to its preview shown in a 300 x 400 preview pane:
// the request, the fit measured from the file, the reduced decode on the pane's loader and the
// paint of the finished pane. Two photos alternate, since the photo shown is never decoded
// again; the median of the runs and the first (cold) run are printed.
//
//   preview_bench [repeats]
#include "BenchPicture.h"
#include "album/DlgConsoleSubPreview.h"
#include "image/ImageObject.h"
#include "resource.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const int kWidth = 4000, kHeight = 3000;

bool WritePhoto(const std::string& path)
{
    std::vector<BYTE> pixels = bench::MakePicture(kWidth, kHeight);
    CImageObject maker;
    std::unique_ptr<CImageObject> photo(maker.MakeBlankImageObject(RGB(0, 0, 0), kWidth, kHeight));
    std::copy(pixels.begin(), pixels.end(), (BYTE*)photo->m_pImageBuf);
    return photo->Save(path.c_str()) != 0;
}

void RunUntilLoaded(CDlgConsoleSubPreview& pane)
{
    while (pane.IsLoading()) {
        MSG msg;
        if (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        } else {
            ::Sleep(0);
        }
    }
}

}  // namespace

int main(int argc, char** argv)
{
    const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    char folder[] = "/tmp/preview-bench-XXXXXX";
    if (!::mkdtemp(folder))
        return 1;
    const std::string photos[2] = {std::string("C:") + folder + "/first.jpg", std::string("C:") + folder + "/second.jpg"};
    for (const std::string& path : photos)
        if (!WritePhoto(path))
            return 1;

    CWnd host;
    if (!host.CreateEx(0, AfxRegisterWndClass(0), "preview", WS_POPUP | WS_VISIBLE, 0, 0, 300, 400, nullptr, nullptr))
        return 1;
    CDlgConsoleSubPreview pane;
    if (!pane.Create(IDD_CONSOLE_SUB_PREVIEW, &host))
        return 1;
    pane.MoveWindow(0, 0, 300, 400);
    pane.ShowWindow(SW_SHOW);

    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        auto start = std::chrono::steady_clock::now();
        pane.m_strPath = photos[i % 2].c_str();
        pane.StartPreviewLoad();
        RunUntilLoaded(pane);
        pane.UpdateWindow();
        std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        times.push_back(took.count());
        if (!pane.m_bLoaded)
            return 1;
    }
    double first = times.front();
    std::sort(times.begin(), times.end());
    std::printf("preview_bench: %d x %d JPEG into a 300 x 400 pane (preview %d x %d, ratio %d)\n", kWidth, kHeight,
                pane.m_rcImage.Width(), pane.m_rcImage.Height(), pane.m_nRatio);
    std::printf("  chosen to shown: median %.1f ms of %d runs, first run %.1f ms\n", times[times.size() / 2], repeats,
                first);
    pane.DestroyWindow();
    host.DestroyWindow();
    std::filesystem::remove_all(folder);
    return 0;
}
