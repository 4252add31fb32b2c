// PrintDlg: the printer, paper and orientation, copies and the page range;
// answered by a person, by the test hook, or with the defaults
// (PD_RETURNDEFAULT).
#pragma once

#include "dialogs/DialogWindow.h"
#include "dialogs/PrinterSettings.h"
#include "mivo/printers.h"
#include "mivo/testing/printdlg.h"

#include <string>
#include <vector>

namespace mivo {

class PrintDialog : public DialogWindow<PrintDialog> {
public:
    explicit PrintDialog(PRINTDLGA& pd);
    BOOL Run();

private:
    // What the person (or the hook) chose.
    struct Choice {
        DWORD range = PD_ALLPAGES;  // PD_ALLPAGES, PD_SELECTION or PD_PAGENUMS
        WORD fromPage = 0, toPage = 0;
        WORD copies = 1;
        bool collate = false;
        std::string outputFile;     // Windows-form path when printing to a file
    };

    BOOL ReturnDefault();
    BOOL Answer(const PrintDialogHook& hook);
    BOOL Finish(const Choice& choice);
    Choice Initial() const;
    bool Select(const std::string& printer);

    friend class DialogWindow<PrintDialog>;
    HookFunction HookProc() const;
    LPARAM HookData() const;
    INT_PTR Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnInit();
    void ShowPrinter();
    void ShowPaper();
    bool OnOK();
    bool AskOutputFile(std::string& path);

    PRINTDLGA& pd_;
    PrinterSettings settings_;
    std::vector<PrinterEntry> printers_;
    Choice choice_;
};

}  // namespace mivo
