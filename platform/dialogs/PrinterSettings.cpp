// Printer settings: defaults, and the DEVMODE and DEVNAMES global blocks.
#include "dialogs/PrinterSettings.h"
#include "win32/globalmem.h"
#include "mivo/codepage.h"
#include "mivo/printers.h"

#include <algorithm>
#include <cstring>

namespace mivo {

namespace {

const char kDriver[] = "winspool";
const char kPdfPort[] = "PDF:";
const char kCupsPort[] = "CUPS:";
const size_t kDevNamesLimit = 4096;  // a DEVNAMES block larger than this is not read past

// The fields of a DEVMODE up to dmFormName: what a caller's block must hold to be read.
const size_t kDevModeMinimum = offsetof(DEVMODEA, dmFormName);

void CopyName(BYTE (&field)[CCHDEVICENAME], const std::string& name)
{
    std::memset(field, 0, sizeof(field));
    size_t n = CutToCharBoundary(name.data(), name.size(), sizeof(field) - 1);
    std::memcpy(field, name.data(), n);
}

// The NUL-terminated string at `offset` of a DEVNAMES block, or false.
bool NameAt(const BYTE* block, size_t size, WORD offset, std::string& out)
{
    if (offset < sizeof(DEVNAMES) || offset >= size)
        return false;
    const void* end = std::memchr(block + offset, 0, size - offset);
    if (end == nullptr)
        return false;
    out.assign((const char*)block + offset, (const char*)end);
    return true;
}

// Puts `bytes` into `handle`, resizing it in place (the handle stays) or making one.
bool Store(HGLOBAL& handle, const void* bytes, size_t size)
{
    if (handle != nullptr && GlobalSize(handle) != size) {
        HGLOBAL moved = GlobalReAlloc(handle, size, GMEM_MOVEABLE);
        if (moved == nullptr) {
            GlobalFree(handle);
            handle = nullptr;
        } else {
            handle = moved;
        }
    }
    if (handle == nullptr)
        handle = GlobalAlloc(GMEM_MOVEABLE, size);
    if (handle == nullptr)
        return false;
    void* p = GlobalLock(handle);
    if (p == nullptr)
        return false;
    std::memcpy(p, bytes, size);
    GlobalUnlock(handle);
    return true;
}

}  // namespace

const std::vector<PaperSize>& PrinterSettings::Papers()
{
    static const std::vector<PaperSize> papers = {
        {DMPAPER_A4, "A4 (210 x 297 mm)", 2100, 2970},
        {DMPAPER_A3, "A3 (297 x 420 mm)", 2970, 4200},
        {DMPAPER_A5, "A5 (148 x 210 mm)", 1480, 2100},
        {DMPAPER_B4, "B4 (257 x 364 mm)", 2570, 3640},
        {DMPAPER_B5, "B5 (182 x 257 mm)", 1820, 2570},
        {DMPAPER_LETTER, "Letter (8.5 x 11 in)", 2159, 2794},
        {DMPAPER_LEGAL, "Legal (8.5 x 14 in)", 2159, 3556},
    };
    return papers;
}

const PaperSize* PrinterSettings::FindPaper(short id)
{
    for (const PaperSize& p : Papers())
        if (p.id == id)
            return &p;
    return nullptr;
}

PrinterSettings::PrinterSettings() : name_(kPdfPrinterName), dm_(DefaultDevMode(kPdfPrinterName)) {}

DEVMODEA PrinterSettings::DefaultDevMode(const std::string& name)
{
    DEVMODEA dm;
    std::memset(&dm, 0, sizeof(dm));
    CopyName(dm.dmDeviceName, name);
    dm.dmSpecVersion = DM_SPECVERSION;
    dm.dmSize = sizeof(DEVMODEA);
    dm.dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH | DM_COPIES | DM_COLLATE |
                  DM_COLOR | DM_PRINTQUALITY | DM_YRESOLUTION;
    dm.dmOrientation = DMORIENT_PORTRAIT;
    dm.dmPaperSize = DMPAPER_A4;
    dm.dmPaperWidth = 2100;
    dm.dmPaperLength = 2970;
    dm.dmScale = 100;
    dm.dmCopies = 1;
    dm.dmPrintQuality = 300;
    dm.dmYResolution = 300;
    dm.dmColor = DMCOLOR_COLOR;
    dm.dmCollate = DMCOLLATE_FALSE;
    return dm;
}

bool PrinterSettings::Read(HGLOBAL devMode, HGLOBAL devNames)
{
    std::vector<PrinterEntry> printers = ListPrinters();
    std::string wanted;
    if (devNames != nullptr) {
        size_t size = std::min<size_t>(GlobalSize(devNames), kDevNamesLimit);
        const BYTE* block = (const BYTE*)GlobalLock(devNames);
        if (block != nullptr && size >= sizeof(DEVNAMES)) {
            DEVNAMES names;
            std::memcpy(&names, block, sizeof(names));
            if (!NameAt(block, size, names.wDeviceOffset, wanted))
                wanted.clear();
        }
        if (block != nullptr)
            GlobalUnlock(devNames);
    }
    if (wanted.empty() && devMode != nullptr) {
        const BYTE* block = (const BYTE*)GlobalLock(devMode);
        if (block != nullptr && GlobalSize(devMode) >= CCHDEVICENAME)
            wanted.assign((const char*)block, strnlen((const char*)block, CCHDEVICENAME - 1));
        if (block != nullptr)
            GlobalUnlock(devMode);
    }
    bool found = wanted.empty();
    for (const PrinterEntry& p : printers) {
        // DEVMODE names are cut to 31 bytes: a longer queue is found by its start.
        if (!wanted.empty() && (p.name == wanted || (wanted.size() == CCHDEVICENAME - 1 &&
                                                     p.name.compare(0, wanted.size(), wanted) == 0))) {
            name_ = p.name;
            cups_ = p.cupsQueue;
            found = true;
            break;
        }
    }
    dm_ = DefaultDevMode(name_);
    if (devMode != nullptr && found) {
        size_t size = GlobalSize(devMode);
        const BYTE* block = (const BYTE*)GlobalLock(devMode);
        if (block != nullptr && size >= kDevModeMinimum) {
            DEVMODEA given;
            std::memset(&given, 0, sizeof(given));
            std::memcpy(&given, block, std::min(size, sizeof(given)));
            DEVMODEA fresh = dm_;
            dm_ = given;
            CopyName(dm_.dmDeviceName, name_);
            dm_.dmSize = sizeof(DEVMODEA);
            dm_.dmDriverExtra = 0;
            dm_.dmSpecVersion = DM_SPECVERSION;
            if (dm_.dmCopies < 1)
                dm_.dmCopies = 1;
            if (size < sizeof(DEVMODEA))
                std::memcpy((BYTE*)&dm_ + size, (const BYTE*)&fresh + size, sizeof(DEVMODEA) - size);
        }
        if (block != nullptr)
            GlobalUnlock(devMode);
    }
    return found;
}

void PrinterSettings::SetPrinter(const std::string& name, bool cupsQueue)
{
    name_ = name;
    cups_ = cupsQueue;
    CopyName(dm_.dmDeviceName, name);
}

void PrinterSettings::SetPaper(short id)
{
    const PaperSize* paper = FindPaper(id);
    if (paper == nullptr)
        return;
    dm_.dmPaperSize = id;
    dm_.dmPaperWidth = paper->widthTenths;
    dm_.dmPaperLength = paper->lengthTenths;
    dm_.dmFields |= DM_PAPERSIZE;
}

void PrinterSettings::SetOrientation(short orientation)
{
    if (orientation != DMORIENT_PORTRAIT && orientation != DMORIENT_LANDSCAPE)
        return;
    dm_.dmOrientation = orientation;
    dm_.dmFields |= DM_ORIENTATION;
}

std::string PrinterSettings::DefaultPort() const
{
    return cups_ ? kCupsPort : kPdfPort;
}

bool PrinterSettings::Write(HGLOBAL& devMode, HGLOBAL& devNames, const std::string& port) const
{
    if (!Store(devMode, &dm_, sizeof(dm_)))
        return false;
    std::vector<BYTE> names(sizeof(DEVNAMES));
    DEVNAMES header = {};
    auto append = [&names](const std::string& s) {
        WORD at = (WORD)names.size();
        names.insert(names.end(), s.begin(), s.end());
        names.push_back(0);
        return at;
    };
    header.wDriverOffset = append(kDriver);
    header.wDeviceOffset = append(name_);
    header.wOutputOffset = append(port);
    header.wDefault = name_ == kPdfPrinterName ? DN_DEFAULTPRN : 0;
    std::memcpy(names.data(), &header, sizeof(header));
    return Store(devNames, names.data(), names.size());
}

HDC PrinterSettings::CreateDC(const std::string& port, bool infoOnly) const
{
    return infoOnly ? ::CreateIC(kDriver, name_.c_str(), port.c_str(), &dm_)
                    : ::CreateDC(kDriver, name_.c_str(), port.c_str(), &dm_);
}

}  // namespace mivo
