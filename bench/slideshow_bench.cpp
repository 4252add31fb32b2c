// The slide show per 12-megapixel photo at the screen's size: the time from a step to the first
// transition band (the slide's size read from the file, its scaled load, the picture composed
// off screen: what happens between the step and the first copy) and each effect's time beyond
// its pauses (the copies to a window-sized bitmap), against `vipsthumbnail -s WxH` per photo as
// a process. Run under `xvfb-run -s "-screen 0 1920x1080x24"` for the 1920 x 1080 figures.
//
//   slideshow_bench [photos]     default 10 photos
//
// Run by hand (needs vipsthumbnail from libvips-tools); never by the tests.
#include "browser/SlideTransition.h"
#include "image/ImageObject.h"
#include <mivo/paths.h>

#include "BenchPhotos.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <spawn.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

const int kWidth = 4000, kHeight = 3000;

// Copies to the target as the window's steps do, without the pauses.
class Blitter : public CSlideTransition::Sink {
public:
    Blitter(CDC* to, CDC* from, CRect bounds) : m_to(to), m_from(from), m_bounds(bounds) {}
    void Copy(const CRect& rect) override
    {
        CRect part;
        if (part.IntersectRect(&rect, &m_bounds))
            m_to->BitBlt(part.left, part.top, part.Width(), part.Height(), m_from, part.left, part.top, SRCCOPY);
    }
    void Pause(int) override {}

private:
    CDC* m_to;
    CDC* m_from;
    CRect m_bounds;
};

}  // namespace

int main(int argc, char** argv)
{
    int photos = argc > 1 ? std::max(1, atoi(argv[1])) : 10;
    const int W = ::GetSystemMetrics(SM_CXSCREEN), H = ::GetSystemMetrics(SM_CYSCREEN);
    char folderTemplate[] = "/tmp/mivo-slideshow-bench-XXXXXX";
    if (!mkdtemp(folderTemplate))
        return 1;
    std::string folder = folderTemplate;
    bench::WritePhotoCopies(folder, kWidth, kHeight, photos);

    CDC screen;
    screen.CreateCompatibleDC(nullptr);
    CBitmap windowBitmap;
    windowBitmap.CreateBitmap(W, H, 1, 32, nullptr);
    CDC window;
    window.CreateCompatibleDC(nullptr);
    CBitmap* old = window.SelectObject(&windowBitmap);
    const CRect box(0, 0, W, H);
    double toFirstBand = 0, effects[CSlideTransition::kEffects] = {};
    std::atomic<int> stop{0};
    for (int i = 0; i < photos; i++) {
        const std::string path = mivo::FromPosixPath(folder + "/p" + std::to_string(i) + ".jpg");
        auto start = std::chrono::steady_clock::now();
        CImageObject slide;
        CSize size;
        const int ratio = slide.GetThumbRatioFromFile(path.c_str(), box, &size, TRUE);
        if (!slide.LoadScaled(path.c_str(), ratio, 0))
            return 1;
        CSlideTransition transition(&window, W, H, RGB(0, 0, 0), &slide);
        toFirstBand += bench::Seconds(start);
        const int effect = i % CSlideTransition::kEffects;
        Blitter blitter(&window, &transition.Picture(), box);
        start = std::chrono::steady_clock::now();
        CSlideTransition::Run(effect, W, H, stop, blitter);
        effects[effect] += bench::Seconds(start);
    }
    int counted[CSlideTransition::kEffects] = {};
    for (int i = 0; i < photos; i++)
        counted[i % CSlideTransition::kEffects]++;
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < photos; i++) {
        std::string name = folder + "/p" + std::to_string(i) + ".jpg";
        bench::Spawn({"vipsthumbnail", "-s", std::to_string(W) + "x" + std::to_string(H), "-o",
               folder + "/t" + std::to_string(i) + ".jpg", name});
    }
    const double vips = bench::Seconds(start);
    std::printf("%d photos of %d x %d on a %d x %d screen: step to first band %.0f ms each; vipsthumbnail -s %dx%d "
                "%.0f ms each; ours / vips %.2f\n",
                photos, kWidth, kHeight, W, H, 1000 * toFirstBand / photos, W, H, 1000 * vips / photos,
                toFirstBand / vips);
    for (int e = 0; e < CSlideTransition::kEffects; e++)
        if (counted[e])
            std::printf("  effect %d beyond its pauses: %.1f ms\n", e, 1000 * effects[e] / counted[e]);
    window.SelectObject(old);
    std::string clean = "rm -rf '" + folder + "'";
    return std::system(clean.c_str()) == 0 ? 0 : 1;
}
