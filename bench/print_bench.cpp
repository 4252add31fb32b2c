// Printing photographs through print forms:
//  - 12 twelve-megapixel JPEGs through form 1 (one per A4 page, crop) to the PDF printer
//    at 300 dpi: time, peak memory, size of the PDF;
//  - the preview of form 3 (four per page) built from such photographs on the dialog's
//    worker: time to the first and to the last picture shown.
//
//   print_bench [photos]
#include "framework/DataSource.h"
#include "framework/VXApp.h"
#include "image/ImageObject.h"
#include "mivo/testing/printdlg.h"
#include "print/DlgImgPrint.h"
#include "resource.h"

#include "BenchPicture.h"

#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool BuildDatabase(const std::string& file)
{
    sqlite3* db = nullptr;
    if (sqlite3_open(file.c_str(), &db) != SQLITE_OK)
        return false;
    std::string sql = ReadFile(std::string(MIVO_SOURCE_DIR) + "/data/Mivo.sql") +
                      ReadFile(std::string(MIVO_SOURCE_DIR) + "/data/MivoSeed.sql");
    bool ok = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

double PeakMegabytes()
{
    struct rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

double Since(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The printing dialog, noting when each picture of a preview arrived.
class CTimedPrint : public CDlgImgPrint {
public:
    Clock::time_point start;
    double first = -1, last = -1;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_IMAGE_DONE) {
            last = Since(start);
            if (first < 0)
                first = last;
        }
        return CDlgImgPrint::WindowProc(message, wParam, lParam);
    }
};

}  // namespace

int main(int argc, char** argv)
{
    int photos = argc > 1 ? std::atoi(argv[1]) : 12;
    char folder[] = "/tmp/mivo-print-bench-XXXXXX";
    if (!mkdtemp(folder))
        return 1;
    std::string posix = folder, windows = std::string("C:") + folder + "/";
    for (char& c : windows)
        if (c == '/')
            c = '\\';
    ::mkdir((posix + "/Temp").c_str(), 0700);
    setenv("ODBCINI", (posix + "/odbc.ini").c_str(), 1);
    setenv("MIVO_REGISTRY_FILE", (posix + "/registry").c_str(), 1);
    if (!BuildDatabase(posix + "/Mivo.dat") || !RegisterLocalDataSource("Mivo", (windows + "Mivo.dat").c_str())) {
        std::fprintf(stderr, "cannot build the database in %s\n", folder);
        return 1;
    }
    CVXApp* app = dynamic_cast<CVXApp*>(AfxGetApp());
    app->m_strDataDir = windows.c_str();
    app->m_strTmplDSN = "Mivo";

    std::printf("making %d photographs of 4000 x 3000...\n", photos);
    std::vector<BYTE> pixels = bench::MakePicture(4000, 3000);
    CImageObject maker;
    std::unique_ptr<CImageObject> picture(maker.MakeBlankImageObject(RGB(0, 0, 0), 4000, 3000));
    std::copy(pixels.begin(), pixels.end(), picture->GetImageBuf());
    CStringArray paths;
    for (int i = 0; i < photos; ++i) {
        CString path;
        path.Format("%sphoto%02d.jpg", windows.c_str(), i);
        picture->Save(path);
        paths.Add(path);
    }
    picture.reset();
    double before = PeakMegabytes();

    {
        CTimedPrint dlg;
        dlg.m_arrPaths.Copy(paths);
        dlg.Create(IDD_IMG_PRINT, nullptr);
        dlg.LoadPrForm(1);
        std::string pdf = posix + "/form1.pdf";
        std::string pdfWindows = windows + "form1.pdf";
        mivo::SetPrintDialogHook([pdfWindows](const PRINTDLGA&, mivo::PrintDialogAnswer& a) {
            a.printQuality = 300;
            a.outputFile = pdfWindows;
        });
        auto start = Clock::now();
        dlg.OnPrint();
        double took = Since(start);
        mivo::SetPrintDialogHook(nullptr);
        std::error_code ignored;
        auto size = std::filesystem::file_size(pdf, ignored);
        std::printf("form 1, %d pages at 300 dpi to PDF: %.0f ms (%.0f ms a page), peak memory %.0f MB "
                    "(%.0f MB before), PDF %.1f MB\n",
                    photos, took, took / photos, PeakMegabytes(), before, size / 1048576.0);

        dlg.LoadPrForm(3);
        dlg.first = dlg.last = -1;
        dlg.start = Clock::now();
        dlg.ShowPage(0);
        dlg.WaitForBuild();
        std::printf("form 3 preview of 4 photographs: first picture after %.0f ms, last after %.0f ms\n", dlg.first,
                    dlg.last);
        dlg.DestroyWindow();
    }
    std::error_code ignored;
    std::filesystem::remove_all(posix, ignored);
    return 0;
}
