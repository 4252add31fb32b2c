// What DrawText costs: counted in heap allocations, every one through malloc
// (the font engine's as well as ours), on the calling thread.
#include "GdiTestUtil.h"

#include "support/MessageLoop.h"
#include "support/MessageRecorder.h"

#include <cstring>

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
#define MIVO_COUNT_MALLOC 1
#endif

#ifdef MIVO_COUNT_MALLOC
extern "C" void* __libc_malloc(size_t size);
extern "C" void* __libc_calloc(size_t count, size_t size);
extern "C" void* __libc_realloc(void* block, size_t size);
extern "C" void* __libc_memalign(size_t alignment, size_t size);

namespace {
thread_local bool t_counting = false;
thread_local long long t_allocations = 0;
}  // namespace

extern "C" void* malloc(size_t size)
{
    if (t_counting)
        ++t_allocations;
    return __libc_malloc(size);
}

extern "C" void* calloc(size_t count, size_t size)
{
    if (t_counting)
        ++t_allocations;
    return __libc_calloc(count, size);
}

extern "C" void* realloc(void* block, size_t size)
{
    if (t_counting)
        ++t_allocations;
    return __libc_realloc(block, size);
}

extern "C" void* memalign(size_t alignment, size_t size)
{
    if (t_counting)
        ++t_allocations;
    return __libc_memalign(alignment, size);
}
#endif

using namespace gditest;

namespace {

// Allocations per call of `draw`, once its first call has warmed the caches.
template <class F>
double AllocationsPerCall(F&& draw)
{
#ifdef MIVO_COUNT_MALLOC
    draw();
    const int calls = 200;
    t_allocations = 0;
    t_counting = true;
    for (int i = 0; i < calls; ++i)
        draw();
    t_counting = false;
    return (double)t_allocations / calls;
#else
    draw();
    return 0;
#endif
}

HFONT Gulim()
{
    LOGFONT lf = {};
    lf.lfHeight = -12;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = HANGEUL_CHARSET;
    std::strcpy(lf.lfFaceName, "굴림");
    return CreateFontIndirect(&lf);
}

}  // namespace

// A grid repaints a cell at a time; each cell is one line of Korean text.
TEST(DrawTextCost, ALineOfKoreanTextAllocatesAtMostTwice)
{
#ifndef MIVO_COUNT_MALLOC
    GTEST_SKIP() << "the sanitizers own malloc";
#endif
    HWND window = mivo::test::CreateTestWindow("text", WS_POPUP | WS_VISIBLE, 0, 0, 300, 100);
    mivo::test::PumpUntilIdle();
    Canvas canvas(300, 100);
    HDC windowDC = GetDC(window);
    HFONT font = Gulim();
    struct {
        const char* what;
        HDC dc;
        UINT format;
    } cases[] = {
        {"memory DC, ellipsis", canvas.dc, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX},
        {"window DC, ellipsis", windowDC, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX},
        {"window DC, centred with prefixes", windowDC, DT_CENTER | DT_SINGLELINE},
        {"window DC, opaque", windowDC, DT_RIGHT},
    };
    for (const auto& c : cases) {
        HGDIOBJ old = SelectObject(c.dc, font);
        SetBkMode(c.dc, c.format == DT_RIGHT ? OPAQUE : TRANSPARENT);
        RECT cell = {4, 4, 200, 24};
        double perCall = AllocationsPerCall([&] { DrawText(c.dc, "사진 파일 이름 2026", -1, &cell, c.format); });
        EXPECT_LE(perCall, 2.0) << c.what;
        SelectObject(c.dc, old);
    }
    ReleaseDC(window, windowDC);
    DestroyWindow(window);
    DeleteObject(font);
}
