// The framework's common dialog classes: CFileDialog attached to the running
// dialog, CColorDialog, CPrintDialog and CPrintInfo with the application's printer.
#include <gtest/gtest.h>

#include "mfc.h"

#include "support/DialogDriver.h"
#include "support/DialogTemplateBuilder.h"
#include "support/TempFolder.h"
#include "mivo/codepage.h"
#include "mivo/testing/printdlg.h"

#include <fstream>
#include <string>
#include <vector>

using namespace mivo::test;
using mivotest::TempFolder;

namespace {

const int kPreviewCheck = 6000;

std::string FolderOf(const TempFolder& t)
{
    std::string w = t.windowsPath();
    return w.substr(0, w.size() - 1);
}

void MakeFiles(const TempFolder& t, std::initializer_list<const char*> names)
{
    for (const char* n : names)
        std::ofstream(t.file(mivo::ToUtf8(n))) << "x";
}

void SelectInList(HWND dlg, const std::vector<std::string>& names)
{
    HWND list = GetDlgItem(dlg, lst1);
    for (const std::string& n : names) {
        LVFINDINFO find = {LVFI_STRING};
        find.psz = n.c_str();
        int index = (int)SendMessage(list, LVM_FINDITEM, (WPARAM)-1, (LPARAM)&find);
        LVITEM state = {};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessage(list, LVM_SETITEMSTATE, index, (LPARAM)&state);
    }
}

// A picture dialog as the program's own: a child template with a check box,
// and the path it would preview on each selection.
class CPictureFileDialog : public CFileDialog {
public:
    CPictureFileDialog(LPCSTR filter, LPCDLGTEMPLATE child, CWnd* parent)
        : CFileDialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, filter, parent)
    {
        m_ofn.Flags |= OFN_EXPLORER | OFN_ENABLETEMPLATEHANDLE;
        m_ofn.hInstance = (HINSTANCE)child;
    }
    BOOL OnInitDialog() override
    {
        CFileDialog::OnInitDialog();
        checkFound = ::GetDlgItem(m_hWnd, kPreviewCheck) != nullptr;
        return TRUE;
    }
    void OnFileNameChange() override { previewed.push_back(std::string(GetPathName())); }
    void OnFolderChange() override { folders.push_back(std::string(GetFolderPath())); }

    bool checkFound = false;
    std::vector<std::string> previewed;
    std::vector<std::string> folders;
};

TEST(CFileDialog, ChildTemplateAndOverridablesSeeThePathDuringTheDialog)
{
    TempFolder pictures("mivo-cfiledlg");
    MakeFiles(pictures, {"a.jpg", "풍경.JPG", "b.bmp"});
    std::string folder = FolderOf(pictures);
    DialogTemplateBuilder child(WS_CHILD | WS_CLIPSIBLINGS | DS_CONTROL, 0, 0, 300, 190, u"");
    child.Font(9, u"굴림")
        .Item(ItemClass::Static, u"", stc32, 0, 0, 280, 170, SS_LEFT | WS_VISIBLE)
        .Item(ItemClass::Button, u"미리보기", kPreviewCheck, 8, 174, 80, 10, BS_AUTOCHECKBOX | WS_VISIBLE);
    char saved[MAX_PATH];
    GetCurrentDirectory(sizeof(saved), saved);
    ModalScript script;
    CWnd owner;
    owner.Attach(script.Owner());
    CPictureFileDialog dlg("All Image Files(*.JPG;*.BMP)|*.JPG;*.BMP|Jpeg Files(*.JPG)|*.JPG||", child.Get(), &owner);
    dlg.m_ofn.lpstrInitialDir = folder.c_str();
    script.Then([](HWND d) { SelectInList(d, {"풍경.JPG"}); })
        .Then([](HWND d) { SendMessage(d, WM_COMMAND, IDOK, 0); });
    INT_PTR result = dlg.DoModal();
    owner.Detach();
    SetCurrentDirectory(saved);
    ASSERT_EQ(IDOK, result);
    EXPECT_TRUE(dlg.checkFound);
    EXPECT_EQ((std::vector<std::string>{folder + "\\풍경.JPG"}), dlg.previewed);
    EXPECT_EQ((std::vector<std::string>{folder}), dlg.folders);
    EXPECT_EQ(folder + "\\풍경.JPG", std::string(dlg.GetPathName()));
    EXPECT_EQ("풍경.JPG", std::string(dlg.GetFileName()));
    EXPECT_EQ("JPG", std::string(dlg.GetFileExt()));
    EXPECT_EQ(nullptr, dlg.m_hWnd);
}

TEST(CFileDialog, SeveralNamesComeOutOneByOne)
{
    TempFolder files("mivo-cfiledlg");
    MakeFiles(files, {"1.mp3", "2.mp3"});
    std::string folder = FolderOf(files);
    std::vector<char> buffer(25620, 0);
    ModalScript script;
    CWnd owner;
    owner.Attach(script.Owner());
    CFileDialog dlg(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY | OFN_EXPLORER,
                    "All Files (*.*)|*.*||", &owner);
    dlg.m_ofn.lpstrFile = buffer.data();
    dlg.m_ofn.nMaxFile = (DWORD)buffer.size();
    dlg.m_ofn.lpstrInitialDir = folder.c_str();
    script.Then([](HWND d) { SelectInList(d, {"1.mp3", "2.mp3"}); })
        .Then([](HWND d) { SendMessage(d, WM_COMMAND, IDOK, 0); });
    char saved[MAX_PATH];
    GetCurrentDirectory(sizeof(saved), saved);
    INT_PTR result = dlg.DoModal();
    owner.Detach();
    SetCurrentDirectory(saved);
    ASSERT_EQ(IDOK, result);
    std::vector<std::string> paths;
    for (POSITION pos = dlg.GetStartPosition(); pos;)
        paths.push_back(std::string(dlg.GetNextPathName(pos)));
    EXPECT_EQ((std::vector<std::string>{folder + "\\1.mp3", folder + "\\2.mp3"}), paths);
}

TEST(CColorDialog, ReturnsTheChosenColour)
{
    ModalScript script;
    CWnd owner;
    owner.Attach(script.Owner());
    CColorDialog dlg(RGB(0, 0, 255), CC_FULLOPEN, &owner);
    script.Then([](HWND d) {
        SetDlgItemInt(d, 0x2C2, 255, FALSE);  // red
        SendMessage(d, WM_COMMAND, IDOK, 0);
    });
    INT_PTR result = dlg.DoModal();
    owner.Detach();
    ASSERT_EQ(IDOK, result);
    EXPECT_EQ(RGB(255, 0, 255), dlg.GetColor());
    EXPECT_EQ(CColorDialog::GetSavedCustomColors(), dlg.m_cc.lpCustColors);
}

class PrintAnswer {
public:
    explicit PrintAnswer(const mivo::PrintDialogAnswer& a)
    {
        mivo::SetPrintDialogHook([a](const PRINTDLGA&, mivo::PrintDialogAnswer& out) { out = a; });
    }
    ~PrintAnswer() { mivo::SetPrintDialogHook(nullptr); }
};

// The printing code's sequence: the application's defaults, the DEVMODE's
// paper changed in place, the print dialog on them, the page range back.
TEST(CPrintInfo, ApplicationDefaultsThenDialogGiveADcOnTheChangedPaper)
{
    CWinApp app("인쇄 테스트");
    CPrintInfo info;
    ASSERT_NE(nullptr, info.m_pPD);
    ASSERT_TRUE(app.GetPrinterDeviceDefaults(&info.m_pPD->m_pd));
    info.SetMinPage(1);
    info.SetMaxPage(3);
    info.m_pPD->m_pd.nFromPage = 1;
    info.m_pPD->m_pd.nToPage = 3;
    auto* dm = (DEVMODE*)GlobalLock(info.m_pPD->m_pd.hDevMode);
    DWORD fields = dm->dmFields;
    dm->dmPaperLength = 2794;  // letter, landscape
    dm->dmPaperWidth = 2159;
    dm->dmOrientation = DMORIENT_LANDSCAPE;
    GlobalUnlock(info.m_pPD->m_pd.hDevMode);
    mivo::PrintDialogAnswer a;
    a.fromPage = 2;
    a.toPage = 3;
    PrintAnswer answer(a);
    ASSERT_EQ(IDOK, app.DoPrintDialog(info.m_pPD));
    HDC dc = info.m_pPD->GetPrinterDC();
    ASSERT_NE(nullptr, dc);
    EXPECT_EQ(279, GetDeviceCaps(dc, HORZSIZE));
    EXPECT_EQ(216, GetDeviceCaps(dc, VERTSIZE));
    EXPECT_EQ(2u, info.GetFromPage());
    EXPECT_EQ(3u, info.GetToPage());
    EXPECT_EQ(app.m_hDevMode, info.m_pPD->m_pd.hDevMode);
    dm = (DEVMODE*)GlobalLock(app.m_hDevMode);
    EXPECT_EQ(fields, dm->dmFields);
    GlobalUnlock(app.m_hDevMode);
    EXPECT_EQ(std::string("PDF 파일"), std::string(info.m_pPD->GetDeviceName()));
}

TEST(CPrintDialog, DefaultsAndADcMadeFromThem)
{
    CPrintDialog dlg(FALSE, PD_HIDEPRINTTOFILE | PD_USEDEVMODECOPIESANDCOLLATE | PD_RETURNDC | PD_NOPAGENUMS |
                                PD_NOSELECTION);
    ASSERT_TRUE(dlg.GetDefaults());
    EXPECT_FALSE(dlg.m_pd.Flags & PD_RETURNDEFAULT);
    HDC made = dlg.m_pd.hDC;  // PD_RETURNDC with the defaults gives one too
    if (made)
        DeleteDC(made);
    HDC dc = dlg.CreatePrinterDC();
    ASSERT_NE(nullptr, dc);
    EXPECT_EQ(dc, dlg.GetPrinterDC());
    EXPECT_EQ(210, GetDeviceCaps(dc, HORZSIZE));
    EXPECT_TRUE(dlg.PrintAll());
    DeleteDC(dc);
    GlobalFree(dlg.m_pd.hDevMode);
    GlobalFree(dlg.m_pd.hDevNames);
}

}  // namespace
