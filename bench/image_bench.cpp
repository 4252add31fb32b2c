// Timing of the image library's hot paths on a 12-megapixel photograph-like
// picture: JPEG full and 1/8 decodes, thumbnail loading, BMP and GIF loads,
// and the same library's djpeg on the same file when it is installed.
//
//   image_bench [repeats]
#include "image/BMPFile.h"
#include "image/GIFFile.h"
#include "image/ImageObject.h"

#include "BenchPicture.h"
#include "BenchTiming.h"
#include "image/JPGFile.h"
#include "mivo/paths.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using bench::BestMilliseconds;
using bench::MakePicture;

void Report(const char* what, double ms, double baseline = 0)
{
    if (baseline > 0)
        printf("%-34s %9.2f ms   (%.2f x djpeg)\n", what, ms, ms / baseline);
    else
        printf("%-34s %9.2f ms\n", what, ms);
}

}  // namespace

int main(int argc, char** argv)
{
    int repeats = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    char folder[] = "/tmp/mivo-bench-XXXXXX";
    if (!mkdtemp(folder))
        return 1;
    std::string posix(folder), win = mivo::FromPosixPath(posix) + "\\";
    std::string jpg = win + "photo.jpg", bmp = win + "photo.bmp", gif = win + "photo.gif";
    std::string thumb = win + "thumb.jpg";

    const int W = 4000, H = 3000;
    std::vector<BYTE> px = MakePicture(W, H);
    CJPGFile().RGBToJpegFile(jpg.c_str(), px.data(), W, H, TRUE, 90);
    CBMPFile().SaveBMP(bmp.c_str(), px.data(), W, H);
    const int GW = 2000, GH = 1500;
    std::vector<BYTE> index(size_t(GW) * GH);
    std::mt19937 rng(2);
    for (size_t i = 0; i < index.size(); ++i)
        index[i] = BYTE((i % GW) / 8 + rng() % 4);
    int grey[256];
    for (int i = 0; i < 256; ++i)
        grey[i] = i;
    CGIFFile().GIFWriteFileFrom256Color(index.data(), gif.c_str(), GW, GH, 0, grey, grey, grey);

    printf("12-megapixel picture (%d x %d), best of %d\n", W, H, repeats);
    std::string jpgPosix = posix + "/photo.jpg";
    double djpegFull = 0, djpegEighth = 0;
    if (system("command -v djpeg >/dev/null 2>&1") == 0) {
        std::string full = "djpeg -rgb -outfile /dev/null " + jpgPosix;
        std::string eighth = "djpeg -scale 1/8 -outfile /dev/null " + jpgPosix;
        djpegFull = BestMilliseconds(repeats, [&] { (void)!system(full.c_str()); });
        djpegEighth = BestMilliseconds(repeats, [&] { (void)!system(eighth.c_str()); });
        Report("djpeg full (process)", djpegFull);
        Report("djpeg 1/8 (process)", djpegEighth);
    } else {
        printf("djpeg not installed (package libjpeg-turbo-progs): no comparison\n");
    }

    UINT w, h;
    Report("JPEG full decode", BestMilliseconds(repeats, [&] {
               delete[] CJPGFile().JpegFileToRGB(jpg.c_str(), &w, &h, 0);
           }), djpegFull);
    Report("JPEG 1/8 decode (ratio 125)", BestMilliseconds(repeats, [&] {
               delete[] CJPGFile().JpegFileToRGBScaled(jpg.c_str(), 125, &w, &h, 0);
           }), djpegEighth);
    Report("JPEG ratio 40 (thumbnail 160)", BestMilliseconds(repeats, [&] {
               delete[] CJPGFile().JpegFileToRGBScaled(jpg.c_str(), 40, &w, &h, 0);
           }));
    Report("LoadThumbnail box 160 x 120", BestMilliseconds(repeats, [&] {
               CImageObject img;
               CSize full;
               img.LoadThumbnail(jpg.c_str(), thumb.c_str(), CSize(160, 120), &full, 0);
           }));
    Report("JPEG encode quality 90", BestMilliseconds(repeats, [&] {
               CJPGFile().RGBToJpegFile((win + "out.jpg").c_str(), px.data(), W, H, TRUE, 90);
           }));
    Report("BMP 24-bit load", BestMilliseconds(repeats, [&] { delete[] CBMPFile().LoadBMP(bmp.c_str(), &w, &h); }));
    Report("BMP 1/8 load", BestMilliseconds(repeats, [&] {
               delete[] CBMPFile().LoadBMPScaled(bmp.c_str(), 125, &w, &h);
           }));
    Report("GIF load (2000 x 1500)", BestMilliseconds(repeats, [&] { delete[] CGIFFile().LoadGIF(gif.c_str(), &w, &h); }));
    Report("GIF 1/8 load (2000 x 1500)", BestMilliseconds(repeats, [&] {
               delete[] CGIFFile().LoadGIFScaled(gif.c_str(), 125, &w, &h);
           }));

    for (const char* name : {"photo.jpg", "photo.bmp", "photo.gif", "thumb.jpg", "out.jpg"})
        unlink((posix + "/" + name).c_str());
    rmdir(folder);
    return 0;
}
