// Timing of the image editor on a 12-megapixel picture, medians of several
// runs: opening a JPEG up to the end of the first paint, a repaint at every
// zoom step, a repaint per line scroll at 100 % and 400 %, undo of a
// whole-picture step and of a piece, the 5 x 5 Gaussian from command to
// done, and the peak memory with eight undo copies.
//
//   editor_bench [repeats]
#include "editor/ImgEditDoc.h"
#include "editor/ImgEditFrame.h"
#include "editor/ImgEditView.h"
#include "framework/VXUtil.h"
#include "image/ImageObject.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const int kWidth = 4000, kHeight = 3000;

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

double Milliseconds(const std::function<void()>& work)
{
    auto start = std::chrono::steady_clock::now();
    work();
    std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    return took.count();
}

double MedianOf(int repeats, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i)
        times.push_back(Milliseconds(work));
    return Median(times);
}

void Pump()
{
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

void WaitIdle(CImgEditView* view)
{
    while (view->IsBusy()) {
        MSG msg;
        if (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        } else {
            ::Sleep(0);
        }
    }
    Pump();
}

// Smooth shading with fine noise, like a photograph.
CImageObject* MakePicture(int w, int h)
{
    CImageObject maker;
    CImageObject* img = maker.MakeBlankImageObject(RGB(0, 0, 0), w, h);
    std::mt19937 rng(1);
    for (int y = 0; y < h; ++y) {
        BYTE* p = img->m_pImageBuf + size_t(y) * img->m_nRowBytes;
        for (int x = 0; x < w; ++x, p += 3) {
            int n = int(rng() % 24);
            p[0] = BYTE((x * 255 / w + n) & 255);
            p[1] = BYTE((y * 255 / h + n) & 255);
            p[2] = BYTE(((x + y) * 128 / (w + h) + n) & 255);
        }
    }
    return img;
}

long PeakKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

void Repaint(CImgEditView* view)
{
    view->Invalidate(FALSE);
    view->UpdateWindow();
}

}  // namespace

int main(int argc, char** argv)
{
    const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    CWinApp app("editor_bench");
    auto* frame = new CMDIFrameWnd;
    if (!frame->LoadFrame(7330))
        return 1;
    app.m_pMainWnd = frame;
    frame->MoveWindow(0, 0, 1280, 960);
    frame->ShowWindow(SW_SHOW);
    auto* editorTemplate = new CMultiDocTemplate(157, RUNTIME_CLASS(CImgEditDoc), RUNTIME_CLASS(CImgEditFrame),
                                                 RUNTIME_CLASS(CImgEditView));
    editorTemplate->m_strDocStrings = "\nImgEdit\nImgEdit";
    app.AddDocTemplate(editorTemplate);

    char folder[] = "/tmp/editor-bench-XXXXXX";
    if (!::mkdtemp(folder))
        return 1;
    const std::string path = std::string("C:") + folder + "/photo.JPG";
    {
        std::unique_ptr<CImageObject> photo(MakePicture(kWidth, kHeight));
        if (!photo->Save(path.c_str()))
            return 1;
    }
    std::printf("editor_bench: %d x %d picture, median of %d runs\n", kWidth, kHeight, repeats);

    CImgEditView* view = nullptr;
    double open = MedianOf(repeats, [&] {
        if (view)
            view->GetParentFrame()->SendMessage(WM_CLOSE);
        Pump();
        view = dynamic_cast<CImgEditView*>(OpenView("ImgEdit", TRUE, FALSE));
        view->LoadImage(path.c_str(), "");
        WaitIdle(view);
        view->UpdateWindow();
    });
    std::printf("  JPEG from LoadImage to the end of the first paint  %9.1f ms\n", open);

    std::printf("  repaint per zoom step:\n");
    for (int step = 0; step < CImgEditView::kZoomSteps; ++step) {
        view->ZoomToStep(CImgEditView::kFirstZoomCmd + step);
        Pump();
        double t = MedianOf(repeats, [&] { Repaint(view); });
        std::printf("    %6.1f %%  %9.2f ms\n", view->GetZoomRatio() * 0.1, t);
    }
    for (int zoom : {1000, 4000}) {
        view->SetZoomNearest(zoom);
        view->UpdateScrollSizes();
        view->ScrollToPosition(CPoint(0, 0));
        Repaint(view);
        double t = MedianOf(repeats * 4, [&] {
            view->SendMessage(WM_VSCROLL, SB_LINEDOWN);
            view->UpdateWindow();
        });
        std::printf("  repaint per line scroll at %4d %%               %9.2f ms\n", zoom / 10, t);
    }

    double undoWhole = MedianOf(repeats, [&] {
        view->SaveUndo(CRect(-1, -1, -1, -1));
        view->Undo();
        view->ClearUndo();
    });
    std::printf("  whole-picture undo copy and undo                  %9.1f ms\n", undoWhole);
    double undoPiece = MedianOf(repeats, [&] {
        view->SaveUndo(CRect(1000, 800, 1999, 1799));
        view->Undo();
        view->ClearUndo();
    });
    std::printf("  1000 x 1000 piece undo copy and undo              %9.2f ms\n", undoPiece);

    double gaussian = MedianOf(repeats, [&] {
        view->SendMessage(WM_COMMAND, 33284);
        WaitIdle(view);
    });
    std::printf("  Gaussian 5 from command to done                   %9.1f ms\n", gaussian);

    view->ClearUndo();
    view->m_nUndoLevel = 8;
    for (int i = 0; i < 8; ++i)
        view->SaveUndo(CRect(-1, -1, -1, -1));
    std::printf("  peak memory with 8 undo copies                    %9.1f MB\n", PeakKilobytes() / 1024.0);

    view->m_bModified = FALSE;
    frame->SendMessage(WM_CLOSE);
    Pump();
    std::remove((std::string(folder) + "/photo.JPG").c_str());
    ::rmdir(folder);
    return 0;
}
