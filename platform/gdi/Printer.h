// Printer DCs: each page is drawn into a surface at the printer's resolution
// and handed to a PDF writer when the page ends.
#pragma once

#include "gdi/DeviceContext.h"
#include "win32/gdiprint.h"

#include <memory>
#include <string>

namespace mivo {
namespace gdi {

class PdfOutput;

struct PrintJob {
    PrintJob();
    ~PrintJob();
    std::string deviceName;
    int paperWidthPx = 0;
    int paperHeightPx = 0;
    int dpi = 300;
    bool landscape = false;
    std::string cupsQueue;     // UTF-8 queue name: the finished PDF goes to `lp`
    std::string portOutput;    // a file named by the port, for documents that name none
    std::string docName;       // UTF-8, for the queue
    bool spoolFile = false;    // the output is a temporary file for `lp`

    bool inDoc = false;
    int pages = 0;
    std::string finalPath;
    std::string tempPath;
    std::unique_ptr<PdfOutput> pdf;
    std::shared_ptr<Surface> page;  // non-null between StartPage and EndPage
    ABORTPROC abortProc = nullptr;
};

// Drops the document being printed (no file is left behind).
void AbortPrintJob(DeviceContext& dc);

}  // namespace gdi
}  // namespace mivo
