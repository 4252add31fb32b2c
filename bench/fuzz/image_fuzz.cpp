// libFuzzer targets for the image decoders, one per IMAGE_FUZZ_TARGET
// (1 JPEG, 2 BMP, 3 GIF, 4 EXIF). Built and run by bench/fuzz/run.sh, never by CI.
// Seeds come from tests/data/hostile/; exif.dict beside this file.
#include "image/BMPFile.h"
#include "image/ExifReader.h"
#include "image/GIFFile.h"
#include "image/JPGFile.h"
#include "mivo/paths.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

// Out-of-memory and open-failure boxes show whatever showErrors says: answer
// them at once, or the first input over a decoder's cap waits for a user.
int AnswerBox(HWND, const char*, const char*, UINT type)
{
    return mivo::DefaultMessageBoxAnswer(type);
}

// Reads every byte the reader hands out as its thumbnail, as a caller would,
// so a pointer or size outside the section shows up under the sanitizer.
void TouchThumbnail(const ExifInfo& info)
{
    if (info.ThumbnailSize < 0 || (info.ThumbnailSize > 0 && !info.ThumbnailData))
        abort();
    volatile unsigned sum = 0;
    for (int i = 0; i < info.ThumbnailSize; ++i)
        sum = sum + info.ThumbnailData[i];
}

std::string TempFile()
{
    static std::string posix = "/dev/shm/mivo-fuzz-" + std::to_string(getpid());
    return posix;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    mivo::SetMessageBoxHook(AnswerBox);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string posix = TempFile();
    FILE* f = fopen(posix.c_str(), "wb");
    if (!f)
        return 0;
    fwrite(data, 1, size, f);
    fclose(f);
    std::string win = mivo::FromPosixPath(posix);
    UINT w, h;
#if IMAGE_FUZZ_TARGET == 1
    delete[] CJPGFile().JpegFileToRGB(win.c_str(), &w, &h, 0);
    delete[] CJPGFile().JpegFileToRGBScaled(win.c_str(), 125, &w, &h, 0);
#elif IMAGE_FUZZ_TARGET == 2
    delete[] CBMPFile().LoadBMP(win.c_str(), &w, &h);
    delete[] CBMPFile().LoadBMPScaled(win.c_str(), 300, &w, &h);
#elif IMAGE_FUZZ_TARGET == 3
    delete[] CGIFFile().LoadGIF(win.c_str(), &w, &h);
    delete[] CGIFFile().LoadGIFScaled(win.c_str(), 1500, &w, &h);
#else
    ExifInfo info = {};
    CExifReader reader(win.c_str(), &info);
    reader.ReadJpegSections((win + ".thumb").c_str());
    TouchThumbnail(info);
#endif
    return 0;
}
