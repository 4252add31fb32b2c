// A printer with its settings, as the print dialog reads them from the
// caller's DEVMODE and DEVNAMES blocks and writes them back.
#pragma once

#include "win32/commdlg.h"

#include <string>
#include <vector>

namespace mivo {

struct PaperSize {
    short id;            // DMPAPER_
    const char* name;
    short widthTenths;   // 0.1 mm, portrait
    short lengthTenths;
};

class PrinterSettings {
public:
    // The papers the dialog offers, A4 first.
    static const std::vector<PaperSize>& Papers();
    static const PaperSize* FindPaper(short id);

    // The default printer ("PDF 파일") with its default settings.
    PrinterSettings();
    // `name`'s default settings: A4 portrait, one copy, with orientation,
    // paper size, length and width (and copies, collation, colour, quality)
    // flagged in dmFields.
    static DEVMODEA DefaultDevMode(const std::string& name);

    // Takes the printer named by the caller's DEVNAMES and the settings of its
    // DEVMODE; blocks that are damaged, too small or name an unknown printer
    // are passed over. False when DEVNAMES names a printer that is not there.
    bool Read(HGLOBAL devMode, HGLOBAL devNames);
    // Switches printer, keeping paper, orientation and copies.
    void SetPrinter(const std::string& name, bool cupsQueue);
    void SetPaper(short id);
    void SetOrientation(short orientation);

    // Writes DEVMODE and DEVNAMES into the caller's blocks (reused when big
    // enough, else replaced). False when memory ran out.
    bool Write(HGLOBAL& devMode, HGLOBAL& devNames, const std::string& port) const;
    HDC CreateDC(const std::string& port, bool infoOnly) const;

    const std::string& Name() const { return name_; }
    bool IsCupsQueue() const { return cups_; }
    DEVMODEA& DevMode() { return dm_; }
    const DEVMODEA& DevMode() const { return dm_; }
    // The port the printer is reached through when not printing to a file.
    std::string DefaultPort() const;

private:
    std::string name_;
    bool cups_ = false;
    DEVMODEA dm_;
};

}  // namespace mivo
