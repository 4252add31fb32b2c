// The printers the layer offers: "PDF 파일", always there and the default,
// which writes PDF files, and the CUPS queues `lpstat` lists, whose documents
// are written as PDF and handed to `lp`.
#pragma once

#include <string>
#include <vector>

namespace mivo {

// "PDF 파일" (CP949).
extern const char kPdfPrinterName[];

struct PrinterEntry {
    std::string name;  // CP949
    bool cupsQueue = false;
};

// The PDF printer first, then the CUPS queues in `lpstat -e` order. Queues
// whose names have no CP949 form, or that CUPS would refuse, are left out.
std::vector<PrinterEntry> ListPrinters();
// True when `name` (CP949) is one of the CUPS queues listed now.
bool IsCupsQueue(const std::string& name);

}  // namespace mivo
