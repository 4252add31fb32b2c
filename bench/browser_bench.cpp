// The image browser on folders of camera-like 12-megapixel JPEGs, one folder without and one
// with EXIF thumbnails: time from listing to the first screen of thumbnails and to all of them,
// the peak memory of the pass, and a second visit served by the thumbnail cache; each beside
// `vipsthumbnail -s 146x109` on the same files in the same run (when it is installed). Every
// timed pass starts with the folder's files read once, so both read from memory.
//
//   browser_bench [files per folder, 1000]
#include "BenchPicture.h"
#include "browser/DlgImgBrowser.h"
#include "browser/MivoImgBrowserView.h"
#include "image/ImageObject.h"
#include "resource.h"
#include "shell/MainApp.h"
#include "support/PrivateRuntimeFolder.h"
#include "support/TempDatabase.h"
#include "support/TempFolder.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const int kWidth = 4000, kHeight = 3000;
const int kThumbWidth = 160, kThumbHeight = 120;

double Now()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

std::string ReadAll(const std::string& posix)
{
    std::ifstream in(posix, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A JPEG of the picture at a size, as bytes.
std::string Jpeg(const mivotest::TempFolder& scratch, int w, int h)
{
    std::vector<BYTE> pixels = bench::MakePicture(w, h);
    CImageObject maker;
    std::unique_ptr<CImageObject> photo(maker.MakeBlankImageObject(RGB(0, 0, 0), w, h));
    std::copy(pixels.begin(), pixels.end(), photo->GetImageBuf());
    std::string path = scratch.windowsPath() + "p.jpg";
    photo->Save(path.c_str());
    return ReadAll(scratch.file("p.jpg"));
}

void Put16(std::string& s, unsigned v) { s += char(v & 255), s += char(v >> 8); }
void Put32(std::string& s, unsigned v) { Put16(s, v & 0xFFFF), Put16(s, v >> 16); }
void Entry(std::string& s, unsigned tag, unsigned type, unsigned value)
{
    Put16(s, tag), Put16(s, type), Put32(s, 1), Put32(s, value);
}

// The photo with an APP1 EXIF block after its SOI whose second directory holds the thumbnail,
// as cameras write them.
std::string WithExifThumbnail(const std::string& photo, const std::string& thumbnail)
{
    std::string tiff = "II";
    Put16(tiff, 42), Put32(tiff, 8);
    Put16(tiff, 1), Entry(tiff, 0x0112, 3, 1), Put32(tiff, 26);  // IFD0: orientation; IFD1 at 26
    Put16(tiff, 3);
    Entry(tiff, 0x0103, 3, 6);
    Entry(tiff, 0x0201, 4, 68);
    Entry(tiff, 0x0202, 4, (unsigned)thumbnail.size());
    Put32(tiff, 0);
    tiff += thumbnail;
    std::string app1 = "\xFF\xE1";
    unsigned length = (unsigned)(2 + 6 + tiff.size());
    app1 += char(length >> 8), app1 += char(length & 255);
    app1 += std::string("Exif\0\0", 6) + tiff;
    return photo.substr(0, 2) + app1 + photo.substr(2);
}

void WriteCopies(const mivotest::TempFolder& base, const std::string& folder, const std::string& bytes, int files)
{
    ::mkdir(base.file(folder).c_str(), 0700);
    for (int i = 0; i < files; i++) {
        char name[64];
        std::snprintf(name, sizeof name, "/IMG_%04d.jpg", i);
        std::ofstream(base.file(folder) + name, std::ios::binary) << bytes;
    }
}

void Pump(const std::function<bool()>& done)
{
    while (!done()) {
        MSG msg;
        if (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessage(&msg);
        else
            ::Sleep(1);
    }
}

// Peak resident memory since the last reset, in megabytes.
double PeakMegabytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.compare(0, 6, "VmHWM:") == 0)
            return std::atof(line.c_str() + 6) / 1024.0;
    return 0;
}

void ResetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

// Reads every file of the folder once, so each timed pass starts with the files in memory.
void Warm(const std::string& posixFolder)
{
    std::system(("cat '" + posixFolder + "'/*.jpg > /dev/null").c_str());
}

double Spawn(const std::string& command)
{
    double start = Now();
    int rc = std::system(command.c_str());
    return rc == 0 ? Now() - start : -1;
}

struct Figures {
    double first = 0, all = 0, peak = 0, again = 0, vipsFirst = -1, vipsAll = -1;
};

Figures Measure(CDlgImgBrowser& browser, const mivotest::TempFolder& base, const std::string& folder, int files)
{
    Figures f;
    CString path = CString(base.windowsPath().c_str()) + folder.c_str() + "\\";
    CMivoImgBrowserView& view = *browser.m_pThumbView;
    CRect client;
    view.GetClientRect(&client);
    int screen = view.Grid().m_nCols * ((client.Height() + CThumbGrid::CELL - 1) / CThumbGrid::CELL);
    Warm(base.file(folder));
    ResetPeak();
    double start = Now();
    browser.ListFolder(path, TRUE);
    int firstItem = browser.m_nFolderCount, lastShown = std::min(browser.m_nItemCount, screen) - 1;
    Pump([&] { return theApp.m_bThumbThreadDone || (lastShown >= firstItem && browser.m_arrThumbDone[lastShown]); });
    view.UpdateWindow();
    f.first = Now() - start;
    Pump([] { return theApp.m_bThumbThreadDone.load() != 0; });
    f.all = Now() - start;
    f.peak = PeakMegabytes();

    start = Now();
    browser.ListFolder(path, TRUE);
    Pump([] { return theApp.m_bThumbThreadDone.load() != 0; });
    f.again = Now() - start;

    if (std::system("command -v vipsthumbnail > /dev/null 2>&1") == 0) {
        std::string out = base.file("vips-" + folder);
        ::mkdir(out.c_str(), 0700);
        std::string list;
        for (int i = 0; i < std::min(files, lastShown - firstItem + 1); i++) {
            char name[64];
            std::snprintf(name, sizeof name, "/IMG_%04d.jpg", i);
            list += " '" + base.file(folder) + name + "'";
        }
        Warm(base.file(folder));
        f.vipsFirst = Spawn("vipsthumbnail -s 146x109 -o '" + out + "/%s.jpg'" + list);
        Warm(base.file(folder));
        f.vipsAll = Spawn("vipsthumbnail -s 146x109 -o '" + out + "/%s.jpg' '" + base.file(folder) + "'/*.jpg");
    }
    return f;
}

}  // namespace

int main(int argc, char** argv)
{
    int files = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    mivotest::PrivateRuntimeFolder runtime;
    mivotest::TempFolder base("mivo-browser-bench");
    mivotest::TempDatabase db("MivoUser", {"MivoUser.sql", "MivoUserSeed.sql"});
    ::mkdir(base.file("Temp").c_str(), 0700);
    theApp.m_strDataDir = base.windowsPath().c_str();

    std::string photo = Jpeg(base, kWidth, kHeight);
    std::string thumbnail = Jpeg(base, kThumbWidth, kThumbHeight);
    std::printf("%d files per folder, %.1f MB each; load average %s", files, photo.size() / 1e6,
                ReadAll("/proc/loadavg").c_str());

    CWnd host;
    host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP, 0, 0, 1000, 700, nullptr, nullptr);
    CDlgImgBrowser browser(&host);
    browser.Create(IDD_IMG_BROWSER_POPUP, &host);
    browser.SetWindowPos(nullptr, 0, 0, 1000, 700, SWP_NOZORDER | SWP_SHOWWINDOW);

    std::printf("%-6s %12s %12s %10s %12s | %14s %14s\n", "folder", "first ms", "all ms", "peak MB", "cached ms",
                "vips first ms", "vips all ms");
    // One folder on disk at a time, so the files of the pass stay in memory.
    for (const char* folder : {"plain", "exif"}) {
        WriteCopies(base, folder, std::string(folder) == "exif" ? WithExifThumbnail(photo, thumbnail) : photo, files);
        // Gigabytes just written would otherwise be flushed during the pass, behind every
        // fsync of the thumbnail cache.
        ::sync();
        Figures f = Measure(browser, base, folder, files);
        std::system(("rm -rf '" + base.file(folder) + "' '" + base.file(std::string("vips-") + folder) + "'").c_str());
        std::printf("%-6s %12.0f %12.0f %10.0f %12.0f | %14.0f %14.0f\n", folder, f.first, f.all, f.peak, f.again,
                    f.vipsFirst, f.vipsAll);
    }
    browser.DestroyWindow();
    host.DestroyWindow();
    return 0;
}
