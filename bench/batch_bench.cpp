// The batch filter's Gaussian 5 run against vips conv with the same kernel, in one run: a folder
// of 12-megapixel photos (4000 x 3000, photograph-like), each read, convolved with the batch's
// 5 x 5 kernel (divisor 52) and written as a JPEG at quality 95. Ours does per file what the
// batch worker does (load, the effect, save through a file beside the result); vips runs one
// `vips conv` per file with the same matrix and Q 95, as a process per file.
//
//   batch_bench [photos] [rounds]     default 100 photos, 1 round; wall time and per photo
//
// Run by hand (needs vips from libvips-tools); never by the tests.
#include "album/DlgImgBrowseFilter.h"
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
#include <string>
#include <vector>

namespace {

const int kWidth = 4000, kHeight = 3000;

}  // namespace

int main(int argc, char** argv)
{
    int photos = argc > 1 ? std::max(1, atoi(argv[1])) : 100;
    int rounds = argc > 2 ? std::max(1, atoi(argv[2])) : 1;
    char folderTemplate[] = "/tmp/mivo-batch-bench-XXXXXX";
    if (!mkdtemp(folderTemplate))
        return 1;
    std::string folder = folderTemplate;
    mkdir((folder + "/ours").c_str(), 0700);
    mkdir((folder + "/vips").c_str(), 0700);

    // One photograph-like picture, copied: every file is decoded in full either way.
    bench::WritePhotoCopies(folder, kWidth, kHeight, photos);
    std::ofstream(folder + "/gauss5.mat") << "5 5 52 0\n0 1 2 1 0\n1 3 4 3 1\n2 4 8 4 2\n1 3 4 3 1\n0 1 2 1 0\n";

    for (int round = 0; round < rounds; round++) {
        auto start = std::chrono::steady_clock::now();
        int failed = 0;
        for (int i = 0; i < photos; i++) {
            std::string name = "/p" + std::to_string(i) + ".jpg";
            CImageObject image;
            if (!image.LoadImageFromFile(mivo::FromPosixPath(folder + name).c_str(), 0) ||
                !CDlgImgBrowseFilter::ApplyEffect(image, CDlgImgBrowseFilter::kBlur5) ||
                !image.Save(mivo::FromPosixPath(folder + "/ours" + name).c_str()))
                failed++;
        }
        double ours = bench::Seconds(start);
        start = std::chrono::steady_clock::now();
        for (int i = 0; i < photos; i++) {
            std::string name = "/p" + std::to_string(i) + ".jpg";
            if (!bench::Spawn({"vips", "conv", folder + name, folder + "/vips" + name + "[Q=95]", folder + "/gauss5.mat",
                        "--precision", "integer"}))
                failed++;
        }
        double vips = bench::Seconds(start);
        std::printf("round %d, %d photos of %d x %d: ours %.1f s (%.2f s each), vips conv %.1f s (%.2f s each), "
                    "ours / vips %.2f%s\n",
                    round + 1, photos, kWidth, kHeight, ours, ours / photos, vips, vips / photos, ours / vips,
                    failed ? ", some files failed" : "");
        std::fflush(stdout);
    }
    std::string clean = "rm -rf '" + folder + "'";
    return std::system(clean.c_str()) == 0 ? 0 : 1;
}
