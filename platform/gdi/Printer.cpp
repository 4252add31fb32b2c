#include <QDir>
#include <QFile>
#include <QImage>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>

#include "gdi/QtApp.h"
#include "mivo/Trace.h"
#include "gdi/Printer.h"
#include "gdi/TextCodec.h"
#include "win32/fileapi.h"
#include "kernel/ProcessStart.h"
#include "mivo/codepage.h"
#include "mivo/paths.h"
#include "mivo/printers.h"
#include "win32/handleapi.h"
#include "win32/procapi.h"
#include "win32/sync.h"

#include <algorithm>
#include <cstdio>
#include <vector>
#include <atomic>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <thread>
#include <unistd.h>

namespace mivo {
namespace gdi {

class PdfOutput {
public:
    explicit PdfOutput(const QString& path) : writer(path) {}
    QPdfWriter writer;
    QPainter painter;
    bool begun = false;
};

PrintJob::PrintJob() = default;
PrintJob::~PrintJob()
{
    if (pdf) {
        std::lock_guard<std::recursive_mutex> guard(QtTextLock());
        if (pdf->begun)
            pdf->painter.end();
        pdf.reset();
        if (!tempPath.empty())
            QFile::remove(QString::fromStdString(tempPath));
    }
}

namespace {

struct Paper {
    double widthMm;
    double heightMm;
};

Paper PaperFor(const DEVMODEA* dm)
{
    Paper p = {210.0, 297.0};
    if (dm == nullptr)
        return p;
    if (dm->dmFields & DM_PAPERSIZE) {
        switch (dm->dmPaperSize) {
        case DMPAPER_LETTER:
        case DMPAPER_LETTERSMALL:
            p = {215.9, 279.4};
            break;
        case DMPAPER_LEGAL:
            p = {215.9, 355.6};
            break;
        case DMPAPER_TABLOID:
        case DMPAPER_LEDGER:
            p = {279.4, 431.8};
            break;
        case DMPAPER_STATEMENT:
            p = {139.7, 215.9};
            break;
        case DMPAPER_EXECUTIVE:
            p = {184.15, 266.7};
            break;
        case DMPAPER_A3:
            p = {297.0, 420.0};
            break;
        case DMPAPER_A5:
            p = {148.0, 210.0};
            break;
        case DMPAPER_B4:
            p = {257.0, 364.0};
            break;
        case DMPAPER_B5:
            p = {182.0, 257.0};
            break;
        default:
            break;
        }
    }
    if ((dm->dmFields & DM_PAPERWIDTH) && (dm->dmFields & DM_PAPERLENGTH) && dm->dmPaperWidth > 0 &&
        dm->dmPaperLength > 0) {
        p.widthMm = dm->dmPaperWidth / 10.0;
        p.heightMm = dm->dmPaperLength / 10.0;
    }
    // Landscape lays the longer side across, whether the sheet came from a paper code (given
    // upright) or from a custom width and length (given either way round).
    if ((dm->dmFields & DM_ORIENTATION) && dm->dmOrientation == DMORIENT_LANDSCAPE && p.widthMm < p.heightMm)
        std::swap(p.widthMm, p.heightMm);
    return p;
}

int DpiFor(const DEVMODEA* dm)
{
    if (dm == nullptr || !(dm->dmFields & DM_PRINTQUALITY))
        return 300;
    int q = dm->dmPrintQuality;
    if (q == DMRES_DRAFT || q == DMRES_LOW)
        return 150;
    if (q <= 0)
        return 300;
    return std::max(72, std::min(600, q));
}

void Configure(PrintJob& job, DeviceCaps& caps, const DEVMODEA* dm)
{
    Paper paper = PaperFor(dm);
    job.dpi = DpiFor(dm);
    job.landscape = paper.widthMm > paper.heightMm;
    job.paperWidthPx = (int)std::lround(paper.widthMm / 25.4 * job.dpi);
    job.paperHeightPx = (int)std::lround(paper.heightMm / 25.4 * job.dpi);
    caps.technology = DT_RASPRINTER;
    caps.logPixelsX = caps.logPixelsY = job.dpi;
    caps.horzRes = caps.physicalWidth = job.paperWidthPx;
    caps.vertRes = caps.physicalHeight = job.paperHeightPx;
    caps.physicalOffsetX = caps.physicalOffsetY = 0;
    caps.bitsPixel = 24;
}

bool IsDisplayName(LPCSTR name)
{
    if (name == nullptr)
        return false;
    const char* display = "DISPLAY";
    for (size_t i = 0;; ++i) {
        if (std::toupper((unsigned char)name[i]) != display[i])
            return false;
        if (display[i] == 0)
            return true;
    }
}

// A port that names a file (a path, not "FILE:" or "LPT1:") is where the
// printer's documents go when DOCINFO names no output.
bool PortIsFile(LPCSTR port)
{
    return port != nullptr && std::strpbrk(port, "\\/") != nullptr;
}

HDC MakeDC(LPCSTR driver, LPCSTR device, LPCSTR port, const DEVMODEA* dm, bool info)
{
    if (IsDisplayName(device) || (device == nullptr && IsDisplayName(driver))) {
        auto dc = NewDC(info ? DcKind::Info : DcKind::Display);
        if (!dc)
            return nullptr;
        std::shared_ptr<Surface> s = DisplaySurface();
        dc->surface = s;
        std::lock_guard<std::recursive_mutex> guard(s->lock);
        dc->caps.horzRes = s->width;
        dc->caps.vertRes = s->height;
        return (HDC)dc->handle;
    }
    if (device == nullptr && driver == nullptr)
        return nullptr;
    auto dc = NewDC(info ? DcKind::Info : DcKind::Printer);
    if (!dc)
        return nullptr;
    auto job = std::make_shared<PrintJob>();
    job->deviceName = device ? device : (driver ? driver : "");
    if (PortIsFile(port))
        job->portOutput = port;
    if (!info && IsCupsQueue(job->deviceName))
        job->cupsQueue = ToUtf8(job->deviceName.c_str());
    Configure(*job, dc->caps, dm);
    dc->job = job;
    return (HDC)dc->handle;
}

std::string Utf8(LPCSTR ansi)
{
    std::u16string wide = AnsiToWide(ansi, std::strlen(ansi));
    return QString::fromUtf16(wide.data(), (qsizetype)wide.size()).toStdString();
}

// The output named by DOCINFO: a Windows-form path, or a POSIX one. Empty when
// it cannot be mapped.
std::string OutputPathFrom(LPCSTR output)
{
    if (output[0] == '/')
        return Utf8(output);
    std::string posix;
    if (!ToPosixPath(output, posix))
        return std::string();
    return posix;
}

std::string SafeName(LPCSTR docName)
{
    std::string name = docName && *docName ? Utf8(docName) : std::string("document");
    for (char& c : name)
        if (c == '/' || c == '\\' || c == ':' || (unsigned char)c < 0x20)
            c = '_';
    if (name.size() > 120)
        name.resize(120);
    return name;
}

std::string Timestamp()
{
    std::time_t now = std::time(nullptr);
    std::tm tm;
    localtime_r(&now, &tm);
    char buf[32];
    std::strftime(buf, sizeof(buf), "%Y%m%d-%H%M%S", &tm);
    return buf;
}

std::string UniqueIn(const std::string& folder, const std::string& base)
{
    QDir().mkpath(QString::fromStdString(folder));
    std::string path = folder + "/" + base + ".pdf";
    for (int n = 2; QFile::exists(QString::fromStdString(path)) && n < 10000; ++n)
        path = folder + "/" + base + " (" + std::to_string(n) + ").pdf";
    return path;
}

// A file of our own in the temporary folder for a document `lp` takes.
std::string SpoolFile()
{
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/mivo-print-XXXXXX.pdf";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back(0);
    int fd = mkstemps(name.data(), 4);
    if (fd < 0)
        return std::string();
    close(fd);
    return name.data();
}

std::string ChooseOutput(const DOCINFOA* di, PrintJob& job)
{
    job.spoolFile = false;
    if (di != nullptr && di->lpszOutput != nullptr && *di->lpszOutput != 0 && std::strcmp(di->lpszOutput, "FILE:") != 0)
        return OutputPathFrom(di->lpszOutput);  // empty: refused
    if (!job.portOutput.empty())
        return OutputPathFrom(job.portOutput.c_str());
    if (!job.cupsQueue.empty()) {
        job.spoolFile = true;
        return SpoolFile();
    }
    std::string base = SafeName(di ? di->lpszDocName : nullptr) + " " + Timestamp();
    const char* env = std::getenv("MIVO_PRINT_OUTPUT");
    if (env != nullptr && *env != 0) {
        QString target = QString::fromUtf8(env);
        if (QDir(target).exists())
            return UniqueIn(env, base);
        return env;
    }
    const char* home = std::getenv("HOME");
    return UniqueIn(std::string(home && *home ? home : "/tmp") + "/Mivo Prints", base);
}

std::atomic<int> nextJobId{1};

std::shared_ptr<DeviceContext> PrinterDC(HDC hdc)
{
    auto dc = LookupDC(hdc);
    if (!dc || dc->dcKind != DcKind::Printer || !dc->job)
        return nullptr;
    return dc;
}

// Hands the finished PDF to `lp` for the job's queue. `lp` may take long (a busy or
// distant server): it runs in the background, and the PDF is removed once it has
// taken it or could not. The document is complete on disk before `lp` starts.
bool Spool(const PrintJob& job)
{
    ProgramStart start;
    start.argv = {"lp", "-d", job.cupsQueue};
    if (!job.docName.empty())
        start.argv.insert(start.argv.end(), {"-t", job.docName});
    start.argv.insert(start.argv.end(), {"--", job.finalPath});
    HANDLE process = nullptr;
    DWORD id = 0, error = 0;
    bool ok = StartProgram(start, &process, &id, error);
    if (!ok || !process) {
        std::remove(job.finalPath.c_str());
        return ok;
    }
    std::string spooled = job.finalPath;
    std::thread([process, spooled] {
        WaitForSingleObject(process, INFINITE);
        CloseHandle(process);
        std::remove(spooled.c_str());
    }).detach();
    return true;
}

bool CallAbortProc(HDC hdc, PrintJob& job)
{
    if (job.abortProc == nullptr)
        return true;
    return job.abortProc(hdc, 0) != FALSE;
}

}  // namespace

void AbortPrintJob(DeviceContext& dc)
{
    if (!dc.job || !dc.job->inDoc)
        return;
    PrintJob& job = *dc.job;
    {
        std::lock_guard<std::recursive_mutex> guard(QtTextLock());
        if (job.pdf && job.pdf->begun)
            job.pdf->painter.end();
        job.pdf.reset();
        if (!job.tempPath.empty())
            QFile::remove(QString::fromStdString(job.tempPath));
    }
    job.tempPath.clear();
    job.page.reset();
    job.inDoc = false;
}

}  // namespace gdi
}  // namespace mivo

using namespace mivo;
using namespace mivo::gdi;

HDC CreateDCA(LPCSTR pwszDriver, LPCSTR pwszDevice, LPCSTR pszPort, const DEVMODEA* pdm)
{
    MIVO_TRACE(kTraceGdi, "CreateDC(%s, %s)", pwszDriver ? pwszDriver : "", pwszDevice ? pwszDevice : "");
    return MakeDC(pwszDriver, pwszDevice, pszPort, pdm, false);
}

HDC CreateDC(LPCSTR pwszDriver, LPCSTR pwszDevice, LPCSTR pszPort, const DEVMODEA* pdm)
{
    return CreateDCA(pwszDriver, pwszDevice, pszPort, pdm);
}

HDC CreateICA(LPCSTR pszDriver, LPCSTR pszDevice, LPCSTR pszPort, const DEVMODEA* pdm)
{
    return MakeDC(pszDriver, pszDevice, pszPort, pdm, true);
}

HDC CreateIC(LPCSTR pszDriver, LPCSTR pszDevice, LPCSTR pszPort, const DEVMODEA* pdm)
{
    return CreateICA(pszDriver, pszDevice, pszPort, pdm);
}

HDC ResetDCA(HDC hdc, const DEVMODEA* lpdm)
{
    auto dc = PrinterDC(hdc);
    if (!dc)
        return nullptr;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    if (dc->job->page)
        return nullptr;
    Configure(*dc->job, dc->caps, lpdm);
    return hdc;
}

HDC ResetDC(HDC hdc, const DEVMODEA* lpdm)
{
    return ResetDCA(hdc, lpdm);
}

int StartDocA(HDC hdc, const DOCINFOA* lpdi)
{
    auto dc = PrinterDC(hdc);
    if (!dc)
        return SP_ERROR;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    PrintJob& job = *dc->job;
    if (job.inDoc)
        return SP_ERROR;
    job.finalPath = ChooseOutput(lpdi, job);
    job.docName = lpdi != nullptr && lpdi->lpszDocName != nullptr ? Utf8(lpdi->lpszDocName) : std::string();
    if (job.finalPath.empty())
        return SP_ERROR;
    job.tempPath = job.finalPath + ".part-" + std::to_string(getpid());
    {
        std::lock_guard<std::recursive_mutex> qt(QtTextLock());
        EnsureQtApplication();
        job.pdf.reset(new PdfOutput(QString::fromStdString(job.tempPath)));
        QPdfWriter& w = job.pdf->writer;
        w.setCreator(QStringLiteral("Mivo"));
        if (lpdi != nullptr && lpdi->lpszDocName != nullptr)
            w.setTitle(QString::fromStdString(Utf8(lpdi->lpszDocName)));
        w.setResolution(job.dpi);
        double wMm = job.paperWidthPx * 25.4 / job.dpi, hMm = job.paperHeightPx * 25.4 / job.dpi;
        QPageSize size(QSizeF(std::min(wMm, hMm), std::max(wMm, hMm)), QPageSize::Millimeter);
        QPageLayout layout(size, job.landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
        w.setPageLayout(layout);
    }
    job.inDoc = true;
    job.pages = 0;
    return nextJobId++;
}

int StartDoc(HDC hdc, const DOCINFOA* lpdi)
{
    return StartDocA(hdc, lpdi);
}

int StartPage(HDC hdc)
{
    auto dc = PrinterDC(hdc);
    if (!dc)
        return SP_ERROR;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    PrintJob& job = *dc->job;
    if (!job.inDoc || job.page)
        return SP_ERROR;
    if (!CallAbortProc(hdc, job)) {
        AbortPrintJob(*dc);
        return SP_APPABORT;
    }
    auto page = std::make_shared<Surface>();
    try {
        page->Resize(job.paperWidthPx, job.paperHeightPx);
    } catch (const std::bad_alloc&) {
        return SP_OUTOFMEMORY;
    }
    job.page = page;
    return 1;
}

int EndPage(HDC hdc)
{
    auto dc = PrinterDC(hdc);
    if (!dc)
        return SP_ERROR;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    PrintJob& job = *dc->job;
    if (!job.inDoc || !job.page)
        return SP_ERROR;
    std::shared_ptr<Surface> page = std::move(job.page);
    bool ok = true;
    {
        std::lock_guard<std::recursive_mutex> qt(QtTextLock());
        std::lock_guard<std::recursive_mutex> pixels(page->lock);
        QImage image(page->width, page->height, QImage::Format_RGB32);
        if (image.isNull()) {
            ok = false;
        } else {
            for (int y = 0; y < page->height; ++y) {
                QRgb* out = reinterpret_cast<QRgb*>(image.scanLine(y));
                const uint32_t* in = page->pixels.data() + (size_t)y * (size_t)page->width;
                for (int x = 0; x < page->width; ++x)
                    out[x] = 0xFF000000u | in[x];
            }
            PdfOutput& pdf = *job.pdf;
            if (!pdf.begun) {
                ok = pdf.painter.begin(&pdf.writer);
                pdf.begun = ok;
            } else {
                ok = pdf.writer.newPage();
            }
            if (ok) {
                pdf.painter.setRenderHint(QPainter::LosslessImageRendering);
                pdf.painter.drawImage(QRect(0, 0, page->width, page->height), image);
            }
        }
    }
    if (!ok) {
        AbortPrintJob(*dc);
        return SP_ERROR;
    }
    ++job.pages;
    if (!CallAbortProc(hdc, job)) {
        AbortPrintJob(*dc);
        return SP_APPABORT;
    }
    return 1;
}

int EndDoc(HDC hdc)
{
    auto dc = PrinterDC(hdc);
    if (!dc)
        return SP_ERROR;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    PrintJob& job = *dc->job;
    if (!job.inDoc)
        return SP_ERROR;
    if (job.page)
        EndPage(hdc);
    if (!job.inDoc)
        return SP_ERROR;
    bool ok = true;
    {
        std::lock_guard<std::recursive_mutex> qt(QtTextLock());
        if (job.pdf && job.pdf->begun)
            ok = job.pdf->painter.end();
        job.pdf.reset();
        QString temp = QString::fromStdString(job.tempPath);
        QString final = QString::fromStdString(job.finalPath);
        if (job.pages == 0) {
            QFile::remove(temp);
        } else if (ok) {
            // Replace the target only once the document is complete.
            if (QFile::exists(final))
                QFile::remove(final);
            ok = QFile::rename(temp, final);
            if (!ok)
                QFile::remove(temp);
        } else {
            QFile::remove(temp);
        }
    }
    job.tempPath.clear();
    job.inDoc = false;
    if (job.spoolFile) {
        if (ok && job.pages > 0)
            ok = Spool(job);
        else
            std::remove(job.finalPath.c_str());
    }
    return ok ? 1 : SP_ERROR;
}

int AbortDoc(HDC hdc)
{
    auto dc = PrinterDC(hdc);
    if (!dc)
        return SP_ERROR;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    if (!dc->job->inDoc)
        return SP_ERROR;
    AbortPrintJob(*dc);
    return 1;
}

int SetAbortProc(HDC hdc, ABORTPROC proc)
{
    auto dc = PrinterDC(hdc);
    if (!dc)
        return SP_ERROR;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    dc->job->abortProc = proc;
    return 1;
}
