// The print dialog in tests: a hook answers PrintDlg (and so CPrintDialog,
// CWinApp::DoPrintDialog) instead of a person. The answer goes through the
// same checks and the same results as the dialog's own OK: hDevMode and
// hDevNames, the flags, the page range, and the printer DC with PD_RETURNDC.
//
//     mivo::SetPrintDialogHook([](const PRINTDLGA&, mivo::PrintDialogAnswer& a) {
//         a.fromPage = 2; a.toPage = 3;                 // PD_PAGENUMS
//         a.outputFile = "C:\\tmp\\out.pdf";           // the PDF goes there
//     });
//     ... PrintDlg(&pd) ...
//     mivo::SetPrintDialogHook(nullptr);
#pragma once

#include "win32/commdlg.h"

#include <functional>
#include <string>

namespace mivo {

struct PrintDialogAnswer {
    bool ok = true;             // false: cancelled (PrintDlg returns FALSE, no error)
    std::string printer;        // CP949 name from mivo/printers.h; empty keeps the one shown first
    WORD fromPage = 0;          // both 0: the range the dialog started with
    WORD toPage = 0;            // else PD_PAGENUMS with this range
    bool allPages = false;      // PD_ALLPAGES, whatever the dialog started with
    bool selection = false;     // PD_SELECTION
    WORD copies = 0;            // 0 keeps the count shown first
    short paperSize = 0;        // a DMPAPER_ value; 0 keeps the paper
    short orientation = 0;      // DMORIENT_PORTRAIT or DMORIENT_LANDSCAPE; 0 keeps it
    short printQuality = 0;     // dots per inch (or a DMRES_ value); 0 keeps it
    std::string outputFile;     // a Windows-form path: print to this file (PD_PRINTTOFILE)
};

// Called on the caller's thread with the structure PrintDlg was given; PD_RETURNDEFAULT
// calls never reach it. An empty hook shows the dialog again. Returns the previous hook.
using PrintDialogHook = std::function<void(const PRINTDLGA& request, PrintDialogAnswer& answer)>;
PrintDialogHook SetPrintDialogHook(PrintDialogHook hook);

}  // namespace mivo
