// Timing of a 100 000-row grid: filling it, painting a full window, scrolling
// line by line and page by page (each step painted), and the number of heap
// allocations the painting and scrolling make.
//
//   grid_bench [rows]
#include "grid/VXGridCtrl.h"

#include "BenchTiming.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

namespace {

std::atomic<long long> g_allocations{0};

struct Measure {
    double ms;
    long long allocations;
};

template <typename Work> Measure Run(Work work)
{
    long long before = g_allocations.load();
    auto start = std::chrono::steady_clock::now();
    work();
    std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    return {took.count(), g_allocations.load() - before};
}

void Report(const char* what, const Measure& m, int steps)
{
    printf("%-36s %9.2f ms  %8.3f ms/step  %7.1f allocations/step\n", what, m.ms, m.ms / steps,
           (double)m.allocations / steps);
}

void Pump()
{
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

} // namespace

void* operator new(size_t size)
{
    g_allocations++;
    void* p = malloc(size ? size : 1);
    if (!p)
        throw std::bad_alloc();
    return p;
}

void operator delete(void* p) noexcept
{
    free(p);
}

void operator delete(void* p, size_t) noexcept
{
    free(p);
}

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int rows = argc > 1 ? atoi(argv[1]) : 100000;
    WNDCLASS wc = {};
    wc.lpfnWndProc = ::DefWindowProc;
    wc.lpszClassName = "GridBenchHost";
    ::RegisterClass(&wc);
    HWND host = ::CreateWindow("GridBenchHost", "grid bench", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 800,
                               600, nullptr, nullptr, nullptr, nullptr);
    CVXGridCtrl grid;
    grid.Create(WS_CHILD | WS_VISIBLE | RVS_SHOWHGRID | RVS_SHOWVGRID, CRect(0, 0, 800, 600),
                CWnd::FromHandle(host), 1);
    const char* titles[] = {"번호", "이름", "크기", "날짜", "설명"};
    for (int i = 0; i < 5; i++) {
        _RVSUBITEM sub;
        sub.nMask = HDF_STRING | (i == 2 ? HDF_RIGHT : 0);
        sub.iWidth = 150;
        sub.lpszText = titles[i];
        grid.DefineSubItem(i, &sub);
        grid.ActivateSubItem(i, i);
    }
    grid.SetRedraw(FALSE);
    Measure fill = Run([&] {
        char text[64];
        for (int r = 0; r < rows; r++) {
            snprintf(text, sizeof(text), "%d", r);
            int item = grid.AddItem(text);
            grid.SetItemText(item, 1, "사진 파일 이름");
            grid.SetItemValue(item, 2, r * 1024.5, 1);
            grid.SetItemText(item, 3, "2026-12-11");
            grid.SetItemCheck(item, 4, r % 2);
        }
    });
    grid.SetRedraw(TRUE);
    Pump();
    printf("grid of %d rows, 5 columns, 800 x 600\n", rows);
    Report("fill (AddItem + 4 cells per row)", fill, rows);

    const int paints = 50;
    Measure paint = Run([&] {
        for (int i = 0; i < paints; i++) {
            grid.Invalidate();
            grid.UpdateWindow();
        }
    });
    Report("full repaint", paint, paints);

    if (getenv("GRID_BENCH_PARTS")) {
        grid.SendMessage(WM_VSCROLL, SB_LINEDOWN);
        CRect update;
        grid.GetUpdateRect(&update);
        printf("update after a line: %d %d %d %d\n", update.left, update.top, update.right, update.bottom);
        grid.UpdateWindow();
    }
    const int lines = 2000;
    Measure line = Run([&] {
        for (int i = 0; i < lines; i++) {
            grid.SendMessage(WM_VSCROLL, SB_LINEDOWN);
            grid.UpdateWindow();
        }
    });
    Report("line down + repaint", line, lines);

    int pages = 0;
    grid.SendMessage(WM_VSCROLL, SB_TOP);
    grid.UpdateWindow();
    Measure page = Run([&] {
        int last = -1;
        while (grid.GetTopIndex() != last && pages < 100000) {
            last = grid.GetTopIndex();
            grid.SendMessage(WM_VSCROLL, SB_PAGEDOWN);
            grid.UpdateWindow();
            pages++;
        }
    });
    Report("page down to the end + repaint", page, pages);

    if (getenv("GRID_BENCH_PARTS")) {
        CClientDC dc(&grid);
        CRect rc(0, 0, 100, 20);
        Report("  DrawText", Run([&] { for (int i = 0; i < 1000; i++) dc.DrawText("사진 파일", -1, &rc, DT_LEFT | DT_END_ELLIPSIS); }), 1000);
        Report("  GetTextExtent", Run([&] { for (int i = 0; i < 1000; i++) dc.GetTextExtent("사진 파일", 9); }), 1000);
        Report("  FillSolidRect", Run([&] { for (int i = 0; i < 1000; i++) dc.FillSolidRect(&rc, 0xFF); }), 1000);
        Report("  header item", Run([&] { for (int i = 0; i < 1000; i++) { HDITEM h = {HDI_WIDTH}; grid.GetHeaderCtrl()->GetItem(0, &h); } }), 1000);
        Report("  GetItemText", Run([&] { char t[256]; for (int i = 0; i < 1000; i++) grid.GetItemText(i, 1, t, 256); }), 1000);
        Report("  DrawFrameControl", Run([&] { for (int i = 0; i < 1000; i++) dc.DrawFrameControl(&rc, DFC_BUTTON, DFCS_BUTTONCHECK); }), 1000);
        Report("  MoveTo/LineTo", Run([&] { for (int i = 0; i < 1000; i++) { dc.MoveTo(0, 5); dc.LineTo(100, 5); } }), 1000);
    }
    Measure sort = Run([&] { grid.SortItems(1, TRUE); });
    Report("sort by a text column", sort, 1);
    grid.DestroyWindow();
    ::DestroyWindow(host);
    return 0;
}
