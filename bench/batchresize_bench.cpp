// The batch resize against `vips resize`, in one run: a folder of 12-megapixel photos (4000 x
// 3000, photograph-like), each read whole, brought to 1024 on its longer side by the batch's own
// size rule and resampling (box averaging when shrinking) and written as a JPEG; vips runs one
// `vips resize` per file with the same scale, as a process per file.
//
//   batchresize_bench [photos] [rounds]     default 100 photos, 1 round; wall time and per photo
//
// Run by hand (needs vips from libvips-tools); never by the tests.
#include "browser/DlgImgBrowseResize.h"
#include "image/ImageObject.h"
#include <mivo/paths.h>

#include "BenchPhotos.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <spawn.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

const int kWidth = 4000, kHeight = 3000, kSide = 1024;

}  // namespace

int main(int argc, char** argv)
{
    int photos = argc > 1 ? std::max(1, atoi(argv[1])) : 100;
    int rounds = argc > 2 ? std::max(1, atoi(argv[2])) : 1;
    char folderTemplate[] = "/tmp/mivo-resize-bench-XXXXXX";
    if (!mkdtemp(folderTemplate))
        return 1;
    std::string folder = folderTemplate;
    mkdir((folder + "/ours").c_str(), 0700);
    mkdir((folder + "/vips").c_str(), 0700);
    bench::WritePhotoCopies(folder, kWidth, kHeight, photos);
    CDlgImgBrowseResize::SizeRule rule;
    rule.nMaxWidth = rule.nMaxHeight = kSide;
    const std::string scale = std::to_string(double(kSide) / kWidth);

    for (int round = 0; round < rounds; round++) {
        auto start = std::chrono::steady_clock::now();
        int failed = 0;
        for (int i = 0; i < photos; i++) {
            std::string name = "/p" + std::to_string(i) + ".jpg";
            CImageObject image;
            CSize size;
            if (!image.LoadImageFromFile(mivo::FromPosixPath(folder + name).c_str(), 0) ||
                !CDlgImgBrowseResize::NewSize(rule, image.GetWidth(), image.GetHeight(), &size)) {
                failed++;
                continue;
            }
            std::unique_ptr<CImageObject> result(image.Resample(size.cx, size.cy, 3));
            if (!result || !result->Save(mivo::FromPosixPath(folder + "/ours" + name).c_str()))
                failed++;
        }
        double ours = bench::Seconds(start);
        start = std::chrono::steady_clock::now();
        for (int i = 0; i < photos; i++) {
            std::string name = "/p" + std::to_string(i) + ".jpg";
            if (!bench::Spawn({"vips", "resize", folder + name, folder + "/vips" + name + "[Q=95]", scale}))
                failed++;
        }
        double vips = bench::Seconds(start);
        std::printf("round %d, %d photos of %d x %d to %d: ours %.1f s (%.3f s each), vips resize %.1f s (%.3f s "
                    "each), ours / vips %.2f%s\n",
                    round + 1, photos, kWidth, kHeight, kSide, ours, ours / photos, vips, vips / photos, ours / vips,
                    failed ? ", some files failed" : "");
        std::fflush(stdout);
    }
    std::string clean = "rm -rf '" + folder + "'";
    return std::system(clean.c_str()) == 0 ? 0 : 1;
}
