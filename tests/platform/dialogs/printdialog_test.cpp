// The print dialog and the printers: defaults, the test hook's answers, the
// DEVMODE a printer DC follows, CUPS queues listed by lpstat and fed to lp.
#include <gtest/gtest.h>

#include <win32.h>

#include "support/DialogDriver.h"
#include "support/MessageBoxCapture.h"
#include "support/TempFolder.h"
#include "mivo/paths.h"
#include "mivo/printers.h"
#include "mivo/process.h"
#include "mivo/testing/printdlg.h"

#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

using namespace mivo::test;
using mivotest::TempFolder;

namespace {

PRINTDLG Request(DWORD flags)
{
    PRINTDLG pd = {};
    pd.lStructSize = sizeof(pd);
    pd.Flags = flags;
    pd.nMinPage = 1;
    pd.nMaxPage = 9;
    pd.nFromPage = 1;
    pd.nToPage = 9;
    return pd;
}

void Release(PRINTDLG& pd)
{
    if (pd.hDC)
        DeleteDC(pd.hDC);
    if (pd.hDevMode)
        GlobalFree(pd.hDevMode);
    if (pd.hDevNames)
        GlobalFree(pd.hDevNames);
    pd.hDC = nullptr;
    pd.hDevMode = pd.hDevNames = nullptr;
}

std::string DeviceOf(const PRINTDLG& pd)
{
    auto* names = (DEVNAMES*)GlobalLock(pd.hDevNames);
    std::string device = (const char*)names + names->wDeviceOffset;
    GlobalUnlock(pd.hDevNames);
    return device;
}

// Answers the print dialog while it lives.
class Answering {
public:
    explicit Answering(mivo::PrintDialogAnswer answer)
    {
        mivo::SetPrintDialogHook([this, answer](const PRINTDLGA&, mivo::PrintDialogAnswer& a) {
            ++calls;
            a = answer;
        });
    }
    ~Answering() { mivo::SetPrintDialogHook(nullptr); }
    int calls = 0;
};

// A PATH with a fake `lpstat` first, listing the given queues.
class FakeLpstat {
public:
    explicit FakeLpstat(const std::string& queues) : m_oldPath(std::getenv("PATH") ? std::getenv("PATH") : "")
    {
        std::string script = m_folder.file("lpstat");
        std::ofstream(script) << "#!/bin/sh\nprintf '" << queues << "'\n";
        chmod(script.c_str(), 0755);
        setenv("PATH", (m_folder.path() + ":" + m_oldPath).c_str(), 1);
    }
    ~FakeLpstat() { setenv("PATH", m_oldPath.c_str(), 1); }

private:
    TempFolder m_folder{"mivo-lpstat"};
    std::string m_oldPath;
};

void PrintOnePage(HDC dc)
{
    DOCINFO di = {};
    di.cbSize = sizeof(di);
    di.lpszDocName = "시험 문서";
    ASSERT_GT(StartDoc(dc, &di), 0);
    ASSERT_GT(StartPage(dc), 0);
    Rectangle(dc, 10, 10, 100, 100);
    ASSERT_GT(EndPage(dc), 0);
    ASSERT_GT(EndDoc(dc), 0);
}

TEST(PrintDialog, DefaultsNameThePdfPrinterWithPaperFieldsFlagged)
{
    PRINTDLG pd = Request(PD_RETURNDEFAULT | PD_RETURNDC);
    ASSERT_TRUE(PrintDlg(&pd));
    ASSERT_NE(nullptr, pd.hDevMode);
    ASSERT_NE(nullptr, pd.hDevNames);
    EXPECT_EQ(std::string(mivo::kPdfPrinterName), DeviceOf(pd));
    EXPECT_EQ(std::string("PDF 파일"), DeviceOf(pd));
    auto* names = (DEVNAMES*)GlobalLock(pd.hDevNames);
    EXPECT_EQ(DN_DEFAULTPRN, names->wDefault);
    GlobalUnlock(pd.hDevNames);
    auto* dm = (DEVMODE*)GlobalLock(pd.hDevMode);
    const DWORD paperFields = DM_ORIENTATION | DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH;
    EXPECT_EQ(paperFields, dm->dmFields & paperFields);
    EXPECT_EQ(DMPAPER_A4, dm->dmPaperSize);
    EXPECT_EQ(2970, dm->dmPaperLength);
    EXPECT_EQ(2100, dm->dmPaperWidth);
    EXPECT_EQ(sizeof(DEVMODE), dm->dmSize);
    GlobalUnlock(pd.hDevMode);
    ASSERT_NE(nullptr, pd.hDC);
    EXPECT_EQ(210, GetDeviceCaps(pd.hDC, HORZSIZE));
    EXPECT_EQ(297, GetDeviceCaps(pd.hDC, VERTSIZE));
    Release(pd);
}

TEST(PrintDialog, ReturnDefaultRefusesBlocksItWouldReplace)
{
    PRINTDLG pd = Request(PD_RETURNDEFAULT);
    pd.hDevMode = GlobalAlloc(GMEM_MOVEABLE, sizeof(DEVMODE));
    EXPECT_FALSE(PrintDlg(&pd));
    EXPECT_EQ((DWORD)PDERR_RETDEFFAILURE, CommDlgExtendedError());
    Release(pd);
}

// The printing code's way: defaults, then paper fields changed in the
// DEVMODE without touching dmFields; the DC's page follows.
TEST(PrintDialog, PrinterDcPageFollowsTheDevMode)
{
    PRINTDLG pd = Request(PD_RETURNDEFAULT);
    ASSERT_TRUE(PrintDlg(&pd));
    auto* dm = (DEVMODE*)GlobalLock(pd.hDevMode);
    DWORD fields = dm->dmFields;
    dm->dmPaperWidth = 2970;
    dm->dmPaperLength = 4200;
    dm->dmOrientation = DMORIENT_LANDSCAPE;
    GlobalUnlock(pd.hDevMode);

    Answering answer({});
    pd.Flags = PD_RETURNDC | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
    ASSERT_TRUE(PrintDlg(&pd));
    EXPECT_EQ(1, answer.calls);
    ASSERT_NE(nullptr, pd.hDC);
    EXPECT_EQ(420, GetDeviceCaps(pd.hDC, HORZSIZE));
    EXPECT_EQ(297, GetDeviceCaps(pd.hDC, VERTSIZE));
    dm = (DEVMODE*)GlobalLock(pd.hDevMode);
    EXPECT_EQ(fields, dm->dmFields);
    GlobalUnlock(pd.hDevMode);
    Release(pd);
}

TEST(PrintDialog, HookAnswerSetsRangePaperAndOutputFile)
{
    TempFolder folder("mivo-print");
    std::string output = mivo::FromPosixPath(folder.file("answer.pdf"));
    mivo::PrintDialogAnswer a;
    a.fromPage = 2;
    a.toPage = 3;
    a.copies = 2;
    a.paperSize = DMPAPER_A5;
    a.orientation = DMORIENT_LANDSCAPE;
    a.outputFile = output;
    Answering answer(a);
    PRINTDLG pd = Request(PD_RETURNDC | PD_NOSELECTION | PD_HIDEPRINTTOFILE);
    ASSERT_TRUE(PrintDlg(&pd));
    EXPECT_EQ((DWORD)PD_PAGENUMS, pd.Flags & (PD_PAGENUMS | PD_SELECTION));
    EXPECT_TRUE(pd.Flags & PD_PRINTTOFILE);
    EXPECT_EQ(2, pd.nFromPage);
    EXPECT_EQ(3, pd.nToPage);
    EXPECT_EQ(2, pd.nCopies);
    EXPECT_EQ(210, GetDeviceCaps(pd.hDC, HORZSIZE));
    EXPECT_EQ(148, GetDeviceCaps(pd.hDC, VERTSIZE));
    PrintOnePage(pd.hDC);
    struct stat st;
    EXPECT_EQ(0, stat(folder.file("answer.pdf").c_str(), &st));
    Release(pd);
}

TEST(PrintDialog, HookAnswerSetsTheResolution)
{
    for (short dpi : {600, 150}) {
        mivo::PrintDialogAnswer a;
        a.printQuality = dpi;
        Answering answer(a);
        PRINTDLG pd = Request(PD_RETURNDC | PD_NOSELECTION);
        ASSERT_TRUE(PrintDlg(&pd));
        EXPECT_EQ(dpi, GetDeviceCaps(pd.hDC, LOGPIXELSX));
        auto* dm = (DEVMODE*)GlobalLock(pd.hDevMode);
        EXPECT_EQ(dpi, dm->dmPrintQuality);
        GlobalUnlock(pd.hDevMode);
        Release(pd);
    }
}

TEST(PrintDialog, HookAnswersAreCheckedAsTheDialogWould)
{
    struct Case {
        const char* what;
        mivo::PrintDialogAnswer answer;
        DWORD error;
    };
    mivo::PrintDialogAnswer cancelled;
    cancelled.ok = false;
    mivo::PrintDialogAnswer unknown;
    unknown.printer = "없는 프린터";
    mivo::PrintDialogAnswer outside;
    outside.fromPage = 5;
    outside.toPage = 12;
    mivo::PrintDialogAnswer backwards;
    backwards.fromPage = 4;
    backwards.toPage = 2;
    const Case cases[] = {
        {"cancel", cancelled, 0},
        {"unknown printer", unknown, PDERR_PRINTERNOTFOUND},
        {"range past the last page", outside, CDERR_INITIALIZATION},
        {"range backwards", backwards, CDERR_INITIALIZATION},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Answering answer(c.answer);
        PRINTDLG pd = Request(PD_RETURNDC);
        EXPECT_FALSE(PrintDlg(&pd));
        EXPECT_EQ(c.error, CommDlgExtendedError());
        EXPECT_EQ(nullptr, pd.hDC);
        Release(pd);
    }
}

TEST(Printers, LpstatQueuesAreListedAfterThePdfPrinter)
{
    FakeLpstat lpstat("Office_Laser\\nbad/name\\nPhoto-Inkjet\\n");
    std::vector<mivo::PrinterEntry> printers = mivo::ListPrinters();
    ASSERT_EQ(3u, printers.size());
    EXPECT_EQ(std::string("PDF 파일"), printers[0].name);
    EXPECT_FALSE(printers[0].cupsQueue);
    EXPECT_EQ("Office_Laser", printers[1].name);
    EXPECT_TRUE(printers[1].cupsQueue);
    EXPECT_EQ("Photo-Inkjet", printers[2].name);
}

namespace {

bool Exists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

// Waits (up to a generous cap, never a timing check) until `ready` holds.
bool WaitFor(const std::function<bool()>& ready)
{
    for (int i = 0; i < 1000 && !ready(); ++i)
        Sleep(10);
    return ready();
}

}  // namespace

TEST(Printers, ACupsQueueGetsTheFinishedPdfThroughLp)
{
    FakeLpstat lpstat("Office_Laser\\n");
    std::vector<std::string> started;
    std::string header;
    mivo::SetSpawnHook([&](const std::vector<std::string>& argv) {
        started = argv;
        std::ifstream in(argv.back(), std::ios::binary);
        char magic[5] = {};
        in.read(magic, 4);
        header = magic;
        return true;
    });
    mivo::PrintDialogAnswer a;
    a.printer = "Office_Laser";
    Answering answer(a);
    PRINTDLG pd = Request(PD_RETURNDC);
    ASSERT_TRUE(PrintDlg(&pd));
    EXPECT_EQ("Office_Laser", DeviceOf(pd));
    PrintOnePage(pd.hDC);
    mivo::SetSpawnHook(nullptr);
    ASSERT_GE(started.size(), 5u);
    EXPECT_EQ("lp", started[0]);
    EXPECT_EQ("-d", started[1]);
    EXPECT_EQ("Office_Laser", started[2]);
    EXPECT_EQ("--", started[started.size() - 2]);
    EXPECT_EQ("%PDF", header);
    const std::string spooled = started.back();
    EXPECT_TRUE(WaitFor([&] { return !Exists(spooled); })) << "the spooled copy goes once lp has it";
    Release(pd);
}

// A slow queue never holds up the program: EndDoc returns while `lp` still runs, with the
// PDF complete, and the PDF goes once `lp` is done with it.
TEST(Printers, EndDocLeavesASlowLpRunningInTheBackground)
{
    FakeLpstat lpstat("Office_Laser\\n");
    TempFolder lpFolder{"mivo-lp"};
    const std::string seen = lpFolder.file("seen"), go = lpFolder.file("go"), magic = lpFolder.file("magic");
    {
        // Tells which file it got, then waits to be let go (or gives up after a few seconds).
        std::ofstream script(lpFolder.file("lp"));
        script << "#!/bin/sh\nfor a; do last=$a; done\nhead -c 4 \"$last\" > '" << magic << "'\n"
               << "echo \"$last\" > '" << seen << "'\n"
               << "n=0; while [ ! -e '" << go << "' ] && [ $n -lt 100 ]; do sleep 0.05; n=$((n+1)); done\n";
    }
    chmod(lpFolder.file("lp").c_str(), 0755);
    std::string oldPath = std::getenv("PATH");
    setenv("PATH", (lpFolder.path() + ":" + oldPath).c_str(), 1);

    mivo::PrintDialogAnswer a;
    a.printer = "Office_Laser";
    Answering answer(a);
    PRINTDLG pd = Request(PD_RETURNDC);
    ASSERT_TRUE(PrintDlg(&pd));
    PrintOnePage(pd.hDC);
    ASSERT_TRUE(WaitFor([&] { return Exists(seen); })) << "lp was started";
    std::string spooled;
    std::getline(std::ifstream(seen), spooled);
    EXPECT_FALSE(Exists(go));
    EXPECT_TRUE(Exists(spooled)) << "EndDoc returned before lp was done with the PDF";
    std::string header;
    std::getline(std::ifstream(magic), header);
    EXPECT_EQ(header.substr(0, 4), "%PDF") << "the PDF was complete when lp got it";

    std::ofstream(go) << "";
    EXPECT_TRUE(WaitFor([&] { return !Exists(spooled); })) << "the PDF goes once lp is done";
    setenv("PATH", oldPath.c_str(), 1);
    Release(pd);
}

// Driven through the dialog: the printer list, and a page range it refuses.
TEST(PrintDialog, DialogRefusesARangeOutsideThePages)
{
    const int kPrinters = 0x473, kPages = 0x422, kFrom = 0x480, kTo = 0x481;
    mivotest::MessageBoxCapture boxes;
    ModalScript script;
    PRINTDLG pd = Request(PD_RETURNDC | PD_NOSELECTION);
    pd.hwndOwner = script.Owner();
    char first[64] = "";
    bool stillOpen = false;
    script
        .Then([&](HWND dlg) {
            SendDlgItemMessage(dlg, kPrinters, CB_GETLBTEXT, 0, (LPARAM)first);
            CheckRadioButton(dlg, 0x420, kPages, kPages);
            SetDlgItemInt(dlg, kFrom, 3, FALSE);
            SetDlgItemInt(dlg, kTo, 12, FALSE);
            SendMessage(dlg, WM_COMMAND, IDOK, 0);
        })
        .Then([&](HWND dlg) {
            stillOpen = IsWindowVisible(dlg) != FALSE;
            SetDlgItemInt(dlg, kTo, 4, FALSE);
            SendMessage(dlg, WM_COMMAND, IDOK, 0);
        });
    ASSERT_TRUE(PrintDlg(&pd));
    EXPECT_EQ(std::string("PDF 파일"), first);
    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(1u, boxes.shown().size());
    EXPECT_NE(std::string::npos, boxes.shown()[0].text.find("1에서 9"));
    EXPECT_EQ(3, pd.nFromPage);
    EXPECT_EQ(4, pd.nToPage);
    EXPECT_NE(nullptr, pd.hDC);
    Release(pd);
}

}  // namespace
