// Each hot path of the image library against the tool a user would pick for
// the same job, on the same 12-megapixel picture, in one run: medians of
// alternating runs and their ratio (below 1: the library is faster).
// Peers run as processes, so their times include starting one (libvips
// loads a hundred libraries): for the vips rows the same command on an 8 x 6
// crop of the picture is timed alongside, and a second ratio leaves that
// fixed cost out.
//
//   peer_bench [--threads N] [runs]
//
// --threads N sets MIVO_IMAGE_THREADS for the library and VIPS_CONCURRENCY
// for vips (use 1 on a busy machine). Needs djpeg and cjpeg
// (libjpeg-turbo-progs); vips rows need libvips-tools.
#include "image/ImageFilter.h"
#include "image/ImageObject.h"
#include "image/JPGFile.h"
#include <mivo/paths.h>

#include "BenchPicture.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

double Milliseconds(const std::function<void()>& work)
{
    auto start = std::chrono::steady_clock::now();
    work();
    std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    return took.count();
}

// Processor time of this process and of its waited-for children, in ms:
// on a shared machine it counts the work, not the waiting for a core.
double CpuMilliseconds(int who)
{
    struct rusage u;
    getrusage(who, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

struct Took {
    double wall, cpu;
};

Took Measure(int who, const std::function<void()>& work)
{
    const double cpu = CpuMilliseconds(who);
    const double wall = Milliseconds(work);
    return {wall, CpuMilliseconds(who) - cpu};
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

bool Installed(const char* tool)
{
    return system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

void Run(const std::string& command)
{
    if (system((command + " >/dev/null 2>&1").c_str()) != 0)
        fprintf(stderr, "failed: %s\n", command.c_str());
}

// Ours and the peer's command, alternately, `runs` times each; `small` is
// the peer's command on a tiny input, its fixed cost, also shown taken off.
// Processor times are printed too: with one thread they are the fairer
// figure on a loaded machine.
void Compare(const char* what, int runs, const std::function<void()>& ours, const std::string& peer,
             const char* peerName, const std::string& small = "")
{
    std::vector<double> a, b, c, ac, bc, cc;
    ours();  // warm: file cache, kept blocks
    Run(peer);
    for (int i = 0; i < runs; ++i) {
        const Took mine = Measure(RUSAGE_SELF, ours);
        const Took theirs = Measure(RUSAGE_CHILDREN, [&] { Run(peer); });
        a.push_back(mine.wall), ac.push_back(mine.cpu);
        b.push_back(theirs.wall), bc.push_back(theirs.cpu);
        if (!small.empty()) {
            const Took fixed = Measure(RUSAGE_CHILDREN, [&] { Run(small); });
            c.push_back(fixed.wall), cc.push_back(fixed.cpu);
        }
    }
    const double mine = Median(a), theirs = Median(b), fixed = Median(c);
    printf("%-20s %7.1f ms  %-27s %7.1f ms  ratio %.2f", what, mine, peerName, theirs, mine / theirs);
    if (!small.empty() && theirs > fixed)
        printf(" (%.2f less its %.0f ms start)", mine / (theirs - fixed), fixed);
    const double mineCpu = Median(ac), theirsCpu = Median(bc) - Median(cc);
    if (theirsCpu > 0)
        printf("; cpu %.0f / %.0f ms ratio %.2f", mineCpu, theirsCpu, mineCpu / theirsCpu);
    printf("\n");
}

}  // namespace

int main(int argc, char** argv)
{
    int runs = 7;
    for (int i = 1; i < argc; ++i) {
        if (!strcmp(argv[i], "--threads") && i + 1 < argc) {
            setenv("MIVO_IMAGE_THREADS", argv[i + 1], 1);
            setenv("VIPS_CONCURRENCY", argv[i + 1], 1);
            ++i;
        } else {
            runs = std::max(1, atoi(argv[i]));
        }
    }
    if (!Installed("djpeg") || !Installed("cjpeg")) {
        printf("djpeg and cjpeg are needed (package libjpeg-turbo-progs)\n");
        return 1;
    }
    const bool vips = Installed("vips") && Installed("vipsthumbnail");
    char folder[] = "/tmp/mivo-peers-XXXXXX";
    if (!mkdtemp(folder))
        return 1;
    const std::string posix(folder), win = mivo::FromPosixPath(posix) + "\\";
    const std::string jpg = win + "photo.jpg", jpgPosix = posix + "/photo.jpg";
    const std::string ppm = posix + "/photo.ppm", v = posix + "/photo.v", out = posix + "/out.v";
    const std::string tinyJpg = posix + "/tiny.jpg", tinyV = posix + "/tiny.v";

    const int W = 4000, H = 3000;
    {
        std::vector<BYTE> px = bench::MakePicture(W, H);
        CJPGFile().RGBToJpegFile(jpg.c_str(), px.data(), W, H, TRUE, 95);
    }
    Run("djpeg -outfile " + ppm + " " + jpgPosix);
    if (vips) {
        Run("vips copy " + jpgPosix + " " + v);
        Run("vips crop " + v + " " + tinyV + " 0 0 8 6");
        Run("vips copy " + tinyV + " " + tinyJpg + "[Q=95]");
    }
    const char* threads = getenv("MIVO_IMAGE_THREADS");
    printf("%d x %d picture, median of %d alternating runs, threads: %s\n", W, H, runs, threads ? threads : "all");

    CImageObject img;
    Compare("whole decode", runs, [&] { img.LoadImageFromFile(jpg.c_str(), 0); },
            "djpeg -rgb -outfile /dev/null " + jpgPosix, "djpeg -rgb");
    if (vips)
        Compare("whole decode", runs, [&] { img.LoadImageFromFile(jpg.c_str(), 0); }, "vips avg " + jpgPosix,
                "vips avg (decode in memory)", "vips avg " + tinyJpg);
    Compare("1/8 decode", runs, [&] {
        UINT w, h;
        delete[] CJPGFile().JpegFileToRGBScaled(jpg.c_str(), 125, &w, &h, 0);
    }, "djpeg -scale 1/8 -outfile /dev/null " + jpgPosix, "djpeg -scale 1/8");
    Compare("encode quality 95", runs, [&] {
        CJPGFile().RGBToJpegFile((win + "enc.jpg").c_str(), img.GetImageBuf(), W, H, TRUE, 95);
    }, "cjpeg -quality 95 -outfile /dev/null " + ppm, "cjpeg -quality 95");
    if (!vips) {
        printf("vips rows skipped: apt-get install -y libvips-tools\n");
    } else {
        Compare("thumbnail 160 x 120", runs, [&] {
            CImageObject thumb;
            CSize full;
            thumb.LoadThumbnail(jpg.c_str(), (win + "thumb.jpg").c_str(), CSize(160, 120), &full, 0);
        }, "vipsthumbnail " + jpgPosix + " -s 160x120 -o " + posix + "/t.jpg", "vipsthumbnail",
                "vipsthumbnail " + tinyJpg + " -s 160x120 -o " + posix + "/t.jpg");
        Compare("half-size resample", runs, [&] { std::unique_ptr<CImageObject>(img.Resample(W / 2, H / 2, 3)); },
                "vips resize " + v + " " + out + " 0.5", "vips resize 0.5",
                "vips resize " + tinyV + " " + out + " 0.5");
        int gauss[25] = {1, 4, 6, 4, 1, 4, 16, 24, 16, 4, 6, 24, 36, 24, 6, 4, 16, 24, 16, 4, 1, 4, 6, 4, 1};
        Compare("5 x 5 Gaussian", runs, [&] { CImageFilter(&img).Filtering(gauss, 5, 256, 0); },
                "vips gaussblur " + v + " " + out + " 1 --precision integer", "vips gaussblur 1",
                "vips gaussblur " + tinyV + " " + out + " 1 --precision integer");
        Compare("RotateAngle(10)", runs, [&] { std::unique_ptr<CImageObject>(img.RotateAngle(10)); },
                "vips rotate " + v + " " + out + " 10", "vips rotate 10",
                "vips rotate " + tinyV + " " + out + " 10");
    }
    Run("rm -rf " + posix);
    return 0;
}
