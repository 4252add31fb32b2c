// The print dialog. The person's OK, the test hook's answer and the defaults
// all end in Finish, which writes the caller's blocks, flags and DC.
#include "dialogs/PrintDialog.h"
#include "dialogs/CommonDialogs.h"
#include "res/resource.h"
#include "win32/controls.h"
#include "win32/globalmem.h"
#include "win32/msgbox.h"
#include "win32/user.h"
#include "win32/input.h"
#include "mivo/codepage.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace mivo {

namespace {

const UINT kMaxCopies = 9999;

std::mutex g_hookLock;
PrintDialogHook g_hook;

PrintDialogHook CurrentHook()
{
    std::lock_guard<std::mutex> guard(g_hookLock);
    return g_hook;
}

}  // namespace

PrintDialogHook SetPrintDialogHook(PrintDialogHook hook)
{
    std::lock_guard<std::mutex> guard(g_hookLock);
    PrintDialogHook old = std::move(g_hook);
    g_hook = std::move(hook);
    return old;
}

PrintDialog::PrintDialog(PRINTDLGA& pd) : pd_(pd) {}

BOOL PrintDialog::Run()
{
    SetCommonDialogError(0);
    if (pd_.lStructSize < sizeof(PRINTDLGA)) {
        SetCommonDialogError(CDERR_STRUCTSIZE);
        return FALSE;
    }
    if ((pd_.Flags & PD_ENABLEPRINTHOOK) && pd_.lpfnPrintHook == nullptr) {
        SetCommonDialogError(CDERR_NOHOOK);
        return FALSE;
    }
    if (pd_.Flags & PD_RETURNDEFAULT)
        return ReturnDefault();
    printers_ = ListPrinters();
    if (!settings_.Read(pd_.hDevMode, pd_.hDevNames)) {
        // The printer the caller remembered is gone: start on the default one.
        settings_ = PrinterSettings();
    }
    choice_ = Initial();
    PrintDialogHook hook = CurrentHook();
    if (hook)
        return Answer(hook);
    INT_PTR result = RunPlatformDialog(IDD_PRINT_DIALOG, pd_.hwndOwner, Procedure, (LPARAM)this);
    if (result == -1) {
        SetCommonDialogError(CDERR_DIALOGFAILURE);
        return FALSE;
    }
    if (result != IDOK)
        return FALSE;
    return Finish(choice_);
}

BOOL PrintDialog::ReturnDefault()
{
    // Windows asks for empty blocks here: the defaults would replace the caller's.
    if (pd_.hDevMode != nullptr || pd_.hDevNames != nullptr) {
        SetCommonDialogError(PDERR_RETDEFFAILURE);
        return FALSE;
    }
    Choice choice = Initial();
    choice.range = pd_.Flags & (PD_SELECTION | PD_PAGENUMS);
    return Finish(choice);
}

PrintDialog::Choice PrintDialog::Initial() const
{
    Choice c;
    c.range = (pd_.Flags & PD_PAGENUMS) ? PD_PAGENUMS : (pd_.Flags & PD_SELECTION) ? PD_SELECTION : PD_ALLPAGES;
    if ((c.range == PD_PAGENUMS && (pd_.Flags & PD_NOPAGENUMS)) || (c.range == PD_SELECTION && (pd_.Flags & PD_NOSELECTION)))
        c.range = PD_ALLPAGES;
    c.fromPage = pd_.nFromPage;
    c.toPage = pd_.nToPage;
    if (pd_.Flags & PD_USEDEVMODECOPIESANDCOLLATE) {
        c.copies = (WORD)std::max<short>(1, settings_.DevMode().dmCopies);
        c.collate = settings_.DevMode().dmCollate == DMCOLLATE_TRUE;
    } else {
        c.copies = pd_.nCopies ? pd_.nCopies : 1;
        c.collate = (pd_.Flags & PD_COLLATE) != 0;
    }
    return c;
}

bool PrintDialog::Select(const std::string& printer)
{
    for (const PrinterEntry& p : printers_)
        if (p.name == printer) {
            settings_.SetPrinter(p.name, p.cupsQueue);
            return true;
        }
    return false;
}

BOOL PrintDialog::Answer(const PrintDialogHook& hook)
{
    PrintDialogAnswer answer;
    hook(pd_, answer);
    if (!answer.ok)
        return FALSE;
    if (!answer.printer.empty() && !Select(answer.printer)) {
        SetCommonDialogError(PDERR_PRINTERNOTFOUND);
        return FALSE;
    }
    Choice c = choice_;
    if (answer.allPages)
        c.range = PD_ALLPAGES;
    if (answer.selection && !(pd_.Flags & PD_NOSELECTION))
        c.range = PD_SELECTION;
    if (answer.fromPage || answer.toPage) {
        // The dialog would refuse a range outside the caller's limits.
        if ((pd_.Flags & PD_NOPAGENUMS) || answer.fromPage > answer.toPage || answer.fromPage < pd_.nMinPage ||
            answer.toPage > pd_.nMaxPage) {
            SetCommonDialogError(CDERR_INITIALIZATION);
            return FALSE;
        }
        c.range = PD_PAGENUMS;
        c.fromPage = answer.fromPage;
        c.toPage = answer.toPage;
    }
    if (answer.copies)
        c.copies = (WORD)std::min<UINT>(answer.copies, kMaxCopies);
    if (answer.paperSize)
        settings_.SetPaper(answer.paperSize);
    if (answer.orientation)
        settings_.SetOrientation(answer.orientation);
    if (answer.printQuality) {
        DEVMODEA& dm = settings_.DevMode();
        dm.dmPrintQuality = answer.printQuality;
        dm.dmYResolution = answer.printQuality > 0 ? answer.printQuality : 0;
        dm.dmFields |= DM_PRINTQUALITY | DM_YRESOLUTION;
    }
    c.outputFile = answer.outputFile;
    return Finish(c);
}

BOOL PrintDialog::Finish(const Choice& c)
{
    DWORD flags = pd_.Flags & ~(PD_SELECTION | PD_PAGENUMS | PD_PRINTTOFILE | PD_COLLATE);
    flags |= c.range;
    if (c.range == PD_PAGENUMS) {
        pd_.nFromPage = c.fromPage;
        pd_.nToPage = c.toPage;
    }
    if (!c.outputFile.empty())
        flags |= PD_PRINTTOFILE;
    DEVMODEA& dm = settings_.DevMode();
    if (pd_.Flags & PD_USEDEVMODECOPIESANDCOLLATE) {
        dm.dmCopies = (short)c.copies;
        dm.dmCollate = c.collate ? DMCOLLATE_TRUE : DMCOLLATE_FALSE;
        pd_.nCopies = 1;
    } else {
        dm.dmCopies = 1;
        pd_.nCopies = c.copies;
        if (c.collate)
            flags |= PD_COLLATE;
    }
    pd_.Flags = flags;
    std::string port = c.outputFile.empty() ? settings_.DefaultPort() : c.outputFile;
    if (!settings_.Write(pd_.hDevMode, pd_.hDevNames, port)) {
        SetCommonDialogError(CDERR_MEMALLOCFAILURE);
        return FALSE;
    }
    pd_.hDC = nullptr;
    if (pd_.Flags & (PD_RETURNDC | PD_RETURNIC)) {
        pd_.hDC = settings_.CreateDC(port, !(pd_.Flags & PD_RETURNDC));
        if (pd_.hDC == nullptr) {
            SetCommonDialogError(PDERR_CREATEICFAILURE);
            return FALSE;
        }
    }
    return TRUE;
}

// --- the dialog

PrintDialog::HookFunction PrintDialog::HookProc() const
{
    return (pd_.Flags & PD_ENABLEPRINTHOOK) ? pd_.lpfnPrintHook : nullptr;
}

LPARAM PrintDialog::HookData() const
{
    return (LPARAM)&pd_;
}

void PrintDialog::OnInit()
{
    HWND printers = GetDlgItem(dlg_, IDC_PRINT_PRINTER);
    for (size_t i = 0; i < printers_.size(); ++i) {
        SendMessage(printers, CB_ADDSTRING, 0, (LPARAM)printers_[i].name.c_str());
        if (printers_[i].name == settings_.Name())
            SendMessage(printers, CB_SETCURSEL, i, 0);
    }
    HWND papers = GetDlgItem(dlg_, IDC_PRINT_PAPER);
    for (const PaperSize& p : PrinterSettings::Papers())
        SendMessage(papers, CB_SETITEMDATA, SendMessage(papers, CB_ADDSTRING, 0, (LPARAM)p.name), (LPARAM)p.id);
    ShowPrinter();
    ShowPaper();
    SetDlgItemInt(dlg_, IDC_PRINT_COPIES, choice_.copies, FALSE);
    SendDlgItemMessage(dlg_, IDC_PRINT_COPIES, EM_LIMITTEXT, 4, 0);
    CheckDlgButton(dlg_, IDC_PRINT_COLLATE, choice_.collate ? BST_CHECKED : BST_UNCHECKED);
    int range = choice_.range == PD_PAGENUMS ? IDC_PRINT_PAGES
                : choice_.range == PD_SELECTION ? IDC_PRINT_SELECTION : IDC_PRINT_ALL;
    CheckRadioButton(dlg_, IDC_PRINT_ALL, IDC_PRINT_PAGES, range);
    if (choice_.fromPage || choice_.toPage) {
        SetDlgItemInt(dlg_, IDC_PRINT_FROM, choice_.fromPage, FALSE);
        SetDlgItemInt(dlg_, IDC_PRINT_TO, choice_.toPage, FALSE);
    }
    if (pd_.Flags & PD_NOSELECTION)
        EnableWindow(GetDlgItem(dlg_, IDC_PRINT_SELECTION), FALSE);
    if (pd_.Flags & PD_NOPAGENUMS)
        for (int id : {IDC_PRINT_PAGES, IDC_PRINT_FROM, IDC_PRINT_TO})
            EnableWindow(GetDlgItem(dlg_, id), FALSE);
    if (pd_.Flags & PD_HIDEPRINTTOFILE)
        ShowWindow(GetDlgItem(dlg_, IDC_PRINT_TO_FILE), SW_HIDE);
    else if (pd_.Flags & PD_DISABLEPRINTTOFILE)
        EnableWindow(GetDlgItem(dlg_, IDC_PRINT_TO_FILE), FALSE);
    if (pd_.Flags & PD_PRINTTOFILE)
        CheckDlgButton(dlg_, IDC_PRINT_TO_FILE, BST_CHECKED);
}

void PrintDialog::ShowPrinter()
{
    bool cups = settings_.IsCupsQueue();
    SetDlgItemText(dlg_, IDC_PRINT_TYPE, PlatformString(cups ? IDS_CUPS_PRINTER_TYPE : IDS_PDF_PRINTER_TYPE).c_str());
    std::string where = cups ? "CUPS: " + settings_.Name() : std::string();
    if (!cups) {
        const char* env = std::getenv("MIVO_PRINT_OUTPUT");
        std::string home = std::getenv("HOME") ? std::getenv("HOME") : "/tmp";
        std::string utf8 = env && *env ? env : home + "/Mivo Prints";
        where = ToAnsi(utf8);
    }
    SetDlgItemText(dlg_, IDC_PRINT_WHERE, where.c_str());
}

void PrintDialog::ShowPaper()
{
    const DEVMODEA& dm = settings_.DevMode();
    HWND papers = GetDlgItem(dlg_, IDC_PRINT_PAPER);
    int count = (int)SendMessage(papers, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i)
        if ((short)SendMessage(papers, CB_GETITEMDATA, i, 0) == dm.dmPaperSize)
            SendMessage(papers, CB_SETCURSEL, i, 0);
    CheckRadioButton(dlg_, IDC_PRINT_PORTRAIT, IDC_PRINT_LANDSCAPE,
                     dm.dmOrientation == DMORIENT_LANDSCAPE ? IDC_PRINT_LANDSCAPE : IDC_PRINT_PORTRAIT);
}

INT_PTR PrintDialog::Handle(UINT msg, WPARAM wParam, LPARAM)
{
    if (msg != WM_COMMAND)
        return FALSE;
    int id = LOWORD(wParam), code = HIWORD(wParam);
    switch (id) {
    case IDOK:
        if (OnOK())
            EndDialog(dlg_, IDOK);
        return TRUE;
    case IDCANCEL:
        EndDialog(dlg_, IDCANCEL);
        return TRUE;
    case IDC_PRINT_PRINTER:
        if (code == CBN_SELCHANGE) {
            int index = (int)SendDlgItemMessage(dlg_, IDC_PRINT_PRINTER, CB_GETCURSEL, 0, 0);
            if (index >= 0 && index < (int)printers_.size())
                settings_.SetPrinter(printers_[index].name, printers_[index].cupsQueue);
            ShowPrinter();
        }
        return TRUE;
    case IDC_PRINT_PAPER:
        if (code == CBN_SELCHANGE) {
            int index = (int)SendDlgItemMessage(dlg_, IDC_PRINT_PAPER, CB_GETCURSEL, 0, 0);
            if (index >= 0)
                settings_.SetPaper((short)SendDlgItemMessage(dlg_, IDC_PRINT_PAPER, CB_GETITEMDATA, index, 0));
        }
        return TRUE;
    case IDC_PRINT_PORTRAIT:
    case IDC_PRINT_LANDSCAPE:
        settings_.SetOrientation(id == IDC_PRINT_LANDSCAPE ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT);
        return TRUE;
    case IDC_PRINT_FROM:
    case IDC_PRINT_TO:
        // Typing a page number chooses the page range, as it does on Windows.
        if (code == EN_CHANGE && GetFocus() == GetDlgItem(dlg_, id))
            CheckRadioButton(dlg_, IDC_PRINT_ALL, IDC_PRINT_PAGES, IDC_PRINT_PAGES);
        return TRUE;
    }
    return FALSE;
}

bool PrintDialog::OnOK()
{
    Choice c = choice_;
    BOOL ok = FALSE;
    UINT copies = GetDlgItemInt(dlg_, IDC_PRINT_COPIES, &ok, FALSE);
    if (!ok || copies < 1 || copies > kMaxCopies) {
        MessageBox(dlg_, PlatformString(IDS_COPIES_RANGE).c_str(), "인쇄",
                   MB_OK | MB_ICONEXCLAMATION);
        SetFocus(GetDlgItem(dlg_, IDC_PRINT_COPIES));
        return false;
    }
    c.copies = (WORD)copies;
    c.collate = IsDlgButtonChecked(dlg_, IDC_PRINT_COLLATE) == BST_CHECKED;
    c.range = IsDlgButtonChecked(dlg_, IDC_PRINT_PAGES) == BST_CHECKED       ? PD_PAGENUMS
              : IsDlgButtonChecked(dlg_, IDC_PRINT_SELECTION) == BST_CHECKED ? PD_SELECTION
                                                                              : PD_ALLPAGES;
    if (c.range == PD_PAGENUMS) {
        BOOL fromOk = FALSE, toOk = FALSE;
        UINT from = GetDlgItemInt(dlg_, IDC_PRINT_FROM, &fromOk, FALSE);
        UINT to = GetDlgItemInt(dlg_, IDC_PRINT_TO, &toOk, FALSE);
        if (!toOk && fromOk) {
            to = from;
            toOk = TRUE;
        }
        if (!fromOk || !toOk || from > to || from < pd_.nMinPage || to > pd_.nMaxPage) {
            char text[256];
            std::snprintf(text, sizeof(text), PlatformString(IDS_PAGE_RANGE).c_str(), (unsigned)pd_.nMinPage,
                          (unsigned)pd_.nMaxPage);
            MessageBox(dlg_, text, "인쇄", MB_OK | MB_ICONEXCLAMATION);
            SetFocus(GetDlgItem(dlg_, IDC_PRINT_FROM));
            return false;
        }
        c.fromPage = (WORD)from;
        c.toPage = (WORD)to;
    }
    c.outputFile.clear();
    if (IsDlgButtonChecked(dlg_, IDC_PRINT_TO_FILE) == BST_CHECKED && !AskOutputFile(c.outputFile))
        return false;
    choice_ = c;
    return true;
}

// Printing to a file asks where, as a save dialog for a PDF document.
bool PrintDialog::AskOutputFile(std::string& path)
{
    char file[MAX_PATH] = "";
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = dlg_;
    ofn.lpstrFilter = "PDF (*.pdf)\0*.pdf\0\0";
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof(file);
    ofn.lpstrDefExt = "pdf";
    ofn.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameA(&ofn))
        return false;
    path = file;
    return true;
}

}  // namespace mivo

BOOL PrintDlgA(LPPRINTDLGA lppd)
{
    if (lppd == nullptr) {
        mivo::SetCommonDialogError(CDERR_INITIALIZATION);
        return FALSE;
    }
    return mivo::PrintDialog(*lppd).Run();
}

BOOL PrintDlg(LPPRINTDLGA lppd)
{
    return PrintDlgA(lppd);
}
