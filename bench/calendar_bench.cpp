// A calendar page as the make-calendar dialog composes it: a 12-megapixel photo in each fit
// mode on a 2480 x 3508 (A4 at 300 dpi) template, then a whole year of pages composed and saved
// as JPEG files. Prints the best of the runs and the peak memory.
//
//   calendar_bench [repeats]
#include "BenchPicture.h"
#include "BenchTiming.h"
#include "calendar/CalendarComposer.h"
#include "image/ImageObject.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

std::unique_ptr<CImageObject> Picture(int w, int h)
{
    std::vector<BYTE> pixels = bench::MakePicture(w, h);
    CImageObject maker;
    std::unique_ptr<CImageObject> image(maker.MakeBlankImageObject(RGB(0, 0, 0), w, h));
    std::copy(pixels.begin(), pixels.end(), image->GetImageBuf());
    return image;
}

long PeakKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return 0;
}

CalendarComposeInput A4Page()
{
    CalendarComposeInput in;
    const int values[CAL_VALUE_COUNT] = {200, 150, 200, 0x333333, 1900, 100, 360, 0x2828DC,
                                         200, 2100, 2080, 1260, 1, 0xB4B4B4,
                                         200, 500, 2080, 1400, 200, 1950, 0x555555, 60};
    for (int i = 0; i < CAL_VALUE_COUNT; ++i)
        in.form.nValue[i] = values[i];
    in.strYear = "2027";
    in.strMonth = "1";
    in.strYearFace = in.strMonthFace = in.strDayFace = in.strDescFace = "돋움";
    in.strDescText = "Mivo 달력";
    in.nYearSize = 200;
    in.nMonthSize = 360;
    in.nDescSize = 60;
    return in;
}

}  // namespace

int main(int argc, char** argv)
{
    const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    std::unique_ptr<CImageObject> back = Picture(2480, 3508);
    std::unique_ptr<CImageObject> photo = Picture(4000, 3000);
    CalendarComposeInput in = A4Page();
    std::printf("calendar page 2480 x 3508 with a 4000 x 3000 photo (best of %d)\n", repeats);
    const struct {
        const char* name;
        BOOL stretch, crop;
    } modes[] = {{"fit", FALSE, FALSE}, {"crop", FALSE, TRUE}, {"stretch", TRUE, FALSE}};
    for (const auto& mode : modes) {
        in.bStretch = mode.stretch;
        in.bCrop = mode.crop;
        double ms = bench::BestMilliseconds(repeats, [&] {
            std::unique_ptr<CImageObject> page(CCalendarComposer::Compose(*back, photo.get(), in, nullptr, nullptr));
        });
        std::printf("  composed, %-7s                 %9.1f ms\n", mode.name, ms);
    }
    char folder[] = "/tmp/calendar-bench-XXXXXX";
    if (!::mkdtemp(folder))
        return 1;
    in.bStretch = in.bCrop = FALSE;
    double year = bench::BestMilliseconds(1, [&] {
        for (int month = 1; month <= 12; ++month) {
            in.strMonth.Format("%d", month);
            std::unique_ptr<CImageObject> page(CCalendarComposer::Compose(*back, photo.get(), in, nullptr, nullptr));
            std::string path = std::string("C:") + folder + "/month" + std::to_string(month) + ".jpg";
            if (page)
                page->Save(path.c_str());
        }
    });
    std::printf("  twelve months composed and saved  %9.1f ms\n", year);
    std::printf("  peak memory                       %9.1f MB\n", PeakKilobytes() / 1024.0);
    std::filesystem::remove_all(folder);
    return 0;
}
