#include "ImageTestSupport.h"

#include "image/ImageMessages.h"

#include <mivo/paths.h>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <stdexcept>

namespace imgtest {

std::string HostileSample(const std::string& name)
{
    return mivo::FromPosixPath(std::string(MIVO_HOSTILE_DIR) + "/" + name);
}

namespace {

// A "Vm...:" line of /proc/self/status in bytes, or -1.
int64_t StatusBytes(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, key.size(), key) == 0)
            return int64_t(std::atoll(line.c_str() + key.size())) * 1024;
    }
    return -1;
}

int64_t MaxRssBytes()
{
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return int64_t(usage.ru_maxrss) * 1024;
}

// Sets the peak back to the present resident size (Linux 4.0 and later).
bool ResetPeak()
{
    FILE* f = fopen("/proc/self/clear_refs", "w");
    if (!f)
        return false;
    bool ok = fputs("5", f) >= 0;
    return fclose(f) == 0 && ok;
}

}  // namespace

bool MemoryGrowthIsMeaningful()
{
#if defined(__SANITIZE_ADDRESS__)
    return false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return false;
#else
    return true;
#endif
#else
    return true;
#endif
}

uint64_t PeakMemoryGrowth(const std::function<void()>& run)
{
    const int64_t before = StatusBytes("VmRSS:");
    if (before >= 0 && ResetPeak()) {
        run();
        const int64_t peak = StatusBytes("VmHWM:");
        return peak > before ? uint64_t(peak - before) : 0;
    }
    // Without a reset only growth past the earlier peak shows.
    const int64_t earlier = MaxRssBytes();
    run();
    const int64_t peak = MaxRssBytes();
    return peak > earlier ? uint64_t(peak - earlier) : 0;
}

Bytes ReadAll(const std::string& posixPath)
{
    Bytes bytes;
    FILE* f = fopen(posixPath.c_str(), "rb");
    if (!f)
        return bytes;
    BYTE buf[65536];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0)
        bytes.insert(bytes.end(), buf, buf + n);
    fclose(f);
    return bytes;
}

void WriteAll(const std::string& posixPath, const Bytes& bytes)
{
    FILE* f = fopen(posixPath.c_str(), "wb");
    if (!f)
        throw std::runtime_error("cannot write " + posixPath);
    if (!bytes.empty())
        fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

Picture MakePicture(int width, int height, const std::function<COLORREF(int, int)>& colour)
{
    Picture p;
    p.width = width;
    p.height = height;
    p.pixels.assign(size_t(RowBytes(width)) * height, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            COLORREF c = colour(x, y);
            BYTE* px = p.at(x, y);
            px[0] = GetBValue(c);
            px[1] = GetGValue(c);
            px[2] = GetRValue(c);
        }
    }
    return p;
}

Picture MakeGradient(int width, int height)
{
    return MakePicture(width, height, [&](int x, int y) {
        return RGB(x * 255 / max(1, width - 1), y * 255 / max(1, height - 1), 128);
    });
}

Picture MakeNoise(int width, int height, unsigned seed)
{
    std::mt19937 rng(seed);
    return MakePicture(width, height, [&](int, int) { return COLORREF(rng() & 0xFFFFFF); });
}

Difference Compare(const BYTE* a, const BYTE* b, int width, int height)
{
    Difference d;
    double sum = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < 3 * width; ++x) {
            int diff = std::abs(int(a[size_t(y) * RowBytes(width) + x]) - int(b[size_t(y) * RowBytes(width) + x]));
            d.largest = max(d.largest, diff);
            sum += diff;
        }
    }
    d.mean = sum / (3.0 * width * height);
    return d;
}

CWnd* FakeWindow()
{
    // A real hidden window: without a recorder the library sends to it.
    static CWnd* window = [] {
        CWnd* w = new CWnd;
        w->CreateEx(0, AfxRegisterWndClass(0), "image progress", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr);
        return w;
    }();
    return window;
}

NoticeRecorder::NoticeRecorder()
{
    mivo::image::SetNoticeHook(&NoticeRecorder::Hook, this);
}

NoticeRecorder::~NoticeRecorder()
{
    mivo::image::SetNoticeHook(nullptr, nullptr);
}

void NoticeRecorder::Hook(const mivo::image::Notice& notice, void* context)
{
    NoticeRecorder* self = static_cast<NoticeRecorder*>(context);
    if (notice.kind == mivo::image::Notice::Message) {
        if (notice.message == WM_IMAGE_PROGRESS)
            self->progress.push_back(int(notice.wParam));
        else if (notice.message == WM_IMAGE_DONE)
            self->done.push_back(int(notice.wParam));
    } else {
        self->boxTexts.push_back(notice.text ? notice.text : "");
        self->boxCaptions.push_back(notice.caption ? notice.caption : "");
        self->boxTypes.push_back(notice.type);
    }
    if (self->onNotice)
        self->onNotice(notice);
}

}  // namespace imgtest
