// Timing of the image operations on a 12-megapixel photograph-like picture:
// resampling to a thumbnail and to half size, free rotation and the 5 x 5
// Gaussian through Filtering, with ImageMagick's convert -resize on the same
// picture when it is installed.
//
//   imgops_bench [repeats]
#include "image/ImageFilter.h"
#include "image/ImageObject.h"

#include "BenchTiming.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>

namespace {

using bench::BestMilliseconds;

// Smooth shading with fine noise, like a photograph.
std::unique_ptr<CImageObject> MakePicture(int w, int h)
{
    CImageObject maker;
    std::unique_ptr<CImageObject> img(maker.MakeBlankImageObject(RGB(0, 0, 0), w, h));
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

// The picture as a binary PPM, which ImageMagick reads quickly.
bool WritePpm(const std::string& path, const CImageObject& img)
{
    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
        return false;
    fprintf(f, "P6\n%d %d\n255\n", img.m_nWidth, img.m_nHeight);
    std::string row(size_t(img.m_nWidth) * 3, '\0');
    for (int y = img.m_nHeight - 1; y >= 0; --y) {
        const BYTE* p = img.m_pImageBuf + size_t(y) * img.m_nRowBytes;
        for (int x = 0; x < img.m_nWidth; ++x) {
            row[3 * size_t(x)] = char(p[3 * x + 2]);
            row[3 * size_t(x) + 1] = char(p[3 * x + 1]);
            row[3 * size_t(x) + 2] = char(p[3 * x]);
        }
        fwrite(row.data(), 1, row.size(), f);
    }
    return fclose(f) == 0;
}

void Report(const char* what, double ms)
{
    printf("%-44s %9.2f ms\n", what, ms);
}

void Compare(const char* what, double ours, double theirs)
{
    printf("%-44s %9.2f ms   ImageMagick %9.2f ms   ratio %.2f\n", what, ours, theirs, ours / theirs);
}

}  // namespace

int main(int argc, char** argv)
{
    int repeats = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    const int W = 4000, H = 3000;
    std::unique_ptr<CImageObject> img = MakePicture(W, H);
    printf("12-megapixel picture (%d x %d), best of %d\n", W, H, repeats);

    const double thumb = BestMilliseconds(repeats, [&] { delete img->Resample(146, 109, 3); });
    const double half = BestMilliseconds(repeats, [&] { delete img->Resample(W / 2, H / 2, 3); });
    Report("Resample 146 x 109, mode 3 (area)", thumb);
    Report("Resample half size, mode 3 (area)", half);
    Report("Resample half size, mode 1 (nearest)", BestMilliseconds(repeats, [&] { delete img->Resample(W / 2, H / 2, 1); }));
    Report("Resample half size, mode 2 (B-spline)", BestMilliseconds(repeats, [&] { delete img->Resample(W / 2, H / 2, 2); }));
    Report("Resample 1.5 x, mode 3 (bilinear)", BestMilliseconds(repeats, [&] { delete img->Resample(W * 3 / 2, H * 3 / 2, 3); }));
    Report("RotateAngle 10 degrees", BestMilliseconds(repeats, [&] { delete img->RotateAngle(10); }));
    Report("Rotate 90", BestMilliseconds(repeats, [&] { img->Rotate(90); }));
    int gauss[25] = {1, 4, 6, 4, 1, 4, 16, 24, 16, 4, 6, 24, 36, 24, 6, 4, 16, 24, 16, 4, 1, 4, 6, 4, 1};
    std::unique_ptr<CImageObject> work(img->DuplicateImgObj());
    Report("Filtering 5 x 5 Gaussian", BestMilliseconds(repeats, [&] { CImageFilter(work.get()).Filtering(gauss, 5, 256, 0); }));
    Report("MedianFilter whole picture", BestMilliseconds(repeats, [&] { CImageFilter(work.get()).MedianFilter(0, 0, W, H); }));

    const char* convert = "/usr/bin/convert";
    if (access(convert, X_OK) != 0) {
        printf("ImageMagick not installed: no comparison\n");
        return 0;
    }
    char folder[] = "/tmp/mivo-bench-XXXXXX";
    if (!mkdtemp(folder))
        return 1;
    std::string ppm = std::string(folder) + "/photo.ppm";
    if (!WritePpm(ppm, *img))
        return 1;
    // convert reads the file each time: its read alone is measured and taken off.
    auto timed = [&](const std::string& args) {
        std::string command = std::string(convert) + " " + ppm + " " + args + " null: 2>/dev/null";
        return BestMilliseconds(repeats, [&] { (void)!system(command.c_str()); });
    };
    for (const char* limit : {"", "-limit thread 1 "}) {
        const double read = timed(limit);
        const double imThumb = timed(std::string(limit) + "-resize 146x109!") - read;
        const double imHalf = timed(std::string(limit) + "-resize 50%") - read;
        const double imBox = timed(std::string(limit) + "-filter Box -resize 50%") - read;
        printf("ImageMagick%s: read %.2f ms (taken off below)\n", *limit ? ", one thread" : ", all threads", read);
        Compare("  146 x 109: Resample mode 3 / -resize", thumb, imThumb);
        Compare("  half size: Resample mode 3 / -resize", half, imHalf);
        Compare("  half size: Resample mode 3 / -filter Box", half, imBox);
    }
    unlink(ppm.c_str());
    rmdir(folder);
    return 0;
}
