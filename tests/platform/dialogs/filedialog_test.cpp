// The file dialogs driven as a person would: the type filter, one and several
// names in the caller's buffer, the hook and child template, the current folder.
#include <gtest/gtest.h>

#include <win32.h>

#include "support/DialogDriver.h"
#include "support/DialogTemplateBuilder.h"
#include "support/MessageBoxCapture.h"
#include "support/TempFolder.h"
#include "mivo/codepage.h"

#include <sys/stat.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

using namespace mivo::test;
using mivotest::TempFolder;

namespace {

const char kJpegFilter[] = "Jpeg Files(*.JPG)\0*.JPG\0All Files (*.*)\0*.*\0";

// A folder with a few pictures, a text file and a sub-folder.
class Pictures {
public:
    Pictures()
    {
        for (const char* name : {"a.jpg", "c.JPG", "사진.jpg", "b.txt"})
            std::ofstream(m_folder.file(mivo::ToUtf8(name))) << "x";  // literals are CP949
        mkdir(m_folder.file("sub").c_str(), 0755);
    }
    // Windows form without the trailing backslash.
    std::string Folder() const
    {
        std::string w = m_folder.windowsPath();
        return w.substr(0, w.size() - 1);
    }
    const TempFolder& Temp() const { return m_folder; }

private:
    TempFolder m_folder{"mivo-filedlg"};
};

// Restores the current folder a dialog changes.
class CurrentFolder {
public:
    CurrentFolder() { GetCurrentDirectory(sizeof(m_saved), m_saved); }
    ~CurrentFolder() { SetCurrentDirectory(m_saved); }
    static std::string Now()
    {
        char now[MAX_PATH];
        GetCurrentDirectory(sizeof(now), now);
        return now;
    }

private:
    char m_saved[MAX_PATH];
};

std::vector<std::string> ListedNames(HWND dlg)
{
    HWND list = GetDlgItem(dlg, lst1);
    std::vector<std::string> names;
    int count = (int)SendMessage(list, LVM_GETITEMCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        char text[MAX_PATH] = "";
        LVITEM item = {};
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        SendMessage(list, LVM_GETITEMTEXT, i, (LPARAM)&item);
        names.push_back(text);
    }
    return names;
}

int IndexOf(HWND dlg, const std::string& name)
{
    LVFINDINFO find = {LVFI_STRING};
    find.psz = name.c_str();
    return (int)SendDlgItemMessage(dlg, lst1, LVM_FINDITEM, (WPARAM)-1, (LPARAM)&find);
}

// Selects names in the list as clicks would; the list reports each change.
void Choose(HWND dlg, const std::vector<std::string>& names, bool)
{
    HWND list = GetDlgItem(dlg, lst1);
    for (const std::string& n : names) {
        LVITEM state = {};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessage(list, LVM_SETITEMSTATE, IndexOf(dlg, n), (LPARAM)&state);
    }
}

void PressOK(HWND dlg)
{
    SendMessage(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(dlg, IDOK));
}

// `folder` must outlive the dialog.
OPENFILENAME Request(HWND owner, char* buffer, DWORD size, const std::string& folder, DWORD flags)
{
    OPENFILENAME ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = kJpegFilter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer;
    ofn.nMaxFile = size;
    ofn.lpstrInitialDir = folder.c_str();
    ofn.Flags = flags;
    return ofn;
}

TEST(FileDialog, UpperCasePatternFindsLowerCaseNamesAndFoldersShowToo)
{
    Pictures pictures;
    const std::string folder = pictures.Folder();
    CurrentFolder keep;
    ModalScript script;
    char file[MAX_PATH] = "";
    OPENFILENAME ofn = Request(script.Owner(), file, sizeof(file), folder, OFN_HIDEREADONLY);
    std::vector<std::string> listed;
    script
        .Then([&](HWND dlg) {
            listed = ListedNames(dlg);
            Choose(dlg, {"a.jpg"}, false);
        })
        .Then([](HWND dlg) { PressOK(dlg); });
    ASSERT_TRUE(GetOpenFileName(&ofn));
    EXPECT_EQ((std::vector<std::string>{"sub", "a.jpg", "c.JPG", "사진.jpg"}), listed);
    std::string expected = pictures.Folder() + "\\a.jpg";
    EXPECT_EQ(expected, file);
    EXPECT_EQ(pictures.Folder().size() + 1, ofn.nFileOffset);
    EXPECT_EQ(expected.size() - 3, ofn.nFileExtension);
    EXPECT_EQ(1u, ofn.nFilterIndex);
    // OK makes the chosen folder the current one.
    EXPECT_EQ(pictures.Folder(), CurrentFolder::Now());
}

TEST(FileDialog, NoChangeDirLeavesTheCurrentFolder)
{
    Pictures pictures;
    const std::string folder = pictures.Folder();
    CurrentFolder keep;
    std::string before = CurrentFolder::Now();
    ModalScript script;
    char file[MAX_PATH] = "";
    OPENFILENAME ofn = Request(script.Owner(), file, sizeof(file), folder, OFN_NOCHANGEDIR);
    script.Then([](HWND dlg) { Choose(dlg, {"사진.jpg"}, false); }).Then([](HWND dlg) { PressOK(dlg); });
    ASSERT_TRUE(GetOpenFileName(&ofn));
    EXPECT_EQ(pictures.Folder() + "\\사진.jpg", file);
    EXPECT_EQ(before, CurrentFolder::Now());
}

TEST(FileDialog, SeveralNamesComeBackInTheWindowsBufferLayout)
{
    Pictures pictures;
    const std::string folder = pictures.Folder();
    CurrentFolder keep;
    ModalScript script;
    char file[512];
    std::memset(file, 'x', sizeof(file));
    file[0] = 0;
    OPENFILENAME ofn = Request(script.Owner(), file, sizeof(file), folder,
                               OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_HIDEREADONLY);
    std::string shown;
    script
        .Then([&](HWND dlg) {
            Choose(dlg, {"a.jpg", "사진.jpg"}, true);
            char text[MAX_PATH];
            GetDlgItemText(dlg, edt1, text, sizeof(text));
            shown = text;
        })
        .Then([](HWND dlg) { PressOK(dlg); });
    ASSERT_TRUE(GetOpenFileName(&ofn));
    EXPECT_EQ("\"a.jpg\" \"사진.jpg\"", shown);
    std::string expected = pictures.Folder() + std::string("\0a.jpg\0사진.jpg\0\0", 17);
    EXPECT_EQ(expected, std::string(file, expected.size()));
    EXPECT_EQ(pictures.Folder().size() + 1, ofn.nFileOffset);
}

TEST(FileDialog, TooSmallABufferReportsTheSizeNeeded)
{
    Pictures pictures;
    const std::string folder = pictures.Folder();
    CurrentFolder keep;
    ModalScript script;
    char file[8] = "";
    OPENFILENAME ofn = Request(script.Owner(), file, sizeof(file), folder,
                               OFN_ALLOWMULTISELECT | OFN_EXPLORER);
    script.Then([](HWND dlg) { Choose(dlg, {"a.jpg", "c.JPG"}, true); }).Then([](HWND dlg) { PressOK(dlg); });
    EXPECT_FALSE(GetOpenFileName(&ofn));
    EXPECT_EQ((DWORD)FNERR_BUFFERTOOSMALL, CommDlgExtendedError());
    WORD needed = 0;
    std::memcpy(&needed, file, sizeof(needed));
    EXPECT_EQ(pictures.Folder().size() + 1 + 6 + 6 + 1, needed);
}

// What the hook saw, in order, with the path CDM_GETFILEPATH gave at each notification.
struct HookLog {
    std::vector<UINT> codes;
    std::vector<std::string> paths;
    bool initDialogHadRequest = false;
};
HookLog* g_hookLog = nullptr;

UINT_PTR CALLBACK RecordingHook(HWND child, UINT msg, WPARAM, LPARAM lParam)
{
    if (msg == WM_INITDIALOG) {
        g_hookLog->initDialogHadRequest = ((OPENFILENAME*)lParam)->lStructSize == sizeof(OPENFILENAME);
        return TRUE;
    }
    if (msg == WM_NOTIFY) {
        auto* n = (OFNOTIFY*)lParam;
        g_hookLog->codes.push_back(n->hdr.code);
        char path[MAX_PATH] = "";
        SendMessage(GetParent(child), CDM_GETFILEPATH, sizeof(path), (LPARAM)path);
        g_hookLog->paths.push_back(path);
    }
    return 0;
}

TEST(FileDialog, HookAndChildTemplateSeeTheNotificationsWithThePath)
{
    const int kPreviewCheck = 6000, kPreview = 6001;
    Pictures pictures;
    const std::string folder = pictures.Folder();
    CurrentFolder keep;
    HookLog log;
    g_hookLog = &log;
    // The child template: the standard controls' place (1119) on the left,
    // a preview area to its right and a check box below.
    DialogTemplateBuilder child(WS_CHILD | WS_CLIPSIBLINGS | DS_CONTROL | DS_3DLOOK, 0, 0, 340, 200, u"");
    child.Font(9, u"굴림")
        .Item(ItemClass::Static, u"", stc32, 0, 0, 250, 160, SS_LEFT | WS_VISIBLE)
        .Item(ItemClass::Static, u"", kPreview, 255, 10, 80, 80, SS_BLACKFRAME | WS_VISIBLE)
        .Item(ItemClass::Button, u"미리보기", kPreviewCheck, 10, 165, 80, 10, BS_AUTOCHECKBOX | WS_VISIBLE);
    ModalScript script;
    char file[MAX_PATH] = "";
    OPENFILENAME ofn = Request(script.Owner(), file, sizeof(file), folder,
                               OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLETEMPLATEHANDLE | OFN_HIDEREADONLY);
    ofn.hInstance = (HINSTANCE)child.Get();
    ofn.lpfnHook = RecordingHook;
    RECT list = {}, preview = {}, check = {};
    script
        .Then([&](HWND dlg) {
            GetWindowRect(GetDlgItem(dlg, lst1), &list);
            for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
                if (HWND p = GetDlgItem(c, kPreview))
                    GetWindowRect(p, &preview);
                if (HWND b = GetDlgItem(c, kPreviewCheck))
                    GetWindowRect(b, &check);
            }
            Choose(dlg, {"c.JPG"}, false);
        })
        .Then([](HWND dlg) { PressOK(dlg); });
    ASSERT_TRUE(GetOpenFileName(&ofn));
    g_hookLog = nullptr;
    EXPECT_TRUE(log.initDialogHadRequest);
    std::vector<UINT> expected = {CDN_INITDONE, CDN_FOLDERCHANGE, CDN_SELCHANGE, CDN_FILEOK};
    EXPECT_EQ(expected, log.codes);
    ASSERT_EQ(4u, log.paths.size());
    EXPECT_EQ(pictures.Folder() + "\\c.JPG", log.paths[2]);
    // The child's controls sit around our own: right of the list, below it.
    EXPECT_GE(preview.left, list.right);
    EXPECT_GE(check.top, list.bottom);
    EXPECT_EQ(pictures.Folder() + "\\c.JPG", file);
}

TEST(FileDialog, SaveAddsTheDefaultExtensionAndAsksBeforeReplacing)
{
    Pictures pictures;
    const std::string folder = pictures.Folder();
    CurrentFolder keep;
    mivotest::MessageBoxCapture boxes(IDNO);
    ModalScript script;
    char file[MAX_PATH] = "";
    OPENFILENAME ofn = Request(script.Owner(), file, sizeof(file), folder,
                               OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY);
    ofn.lpstrDefExt = "jpg";
    bool stillOpen = false;
    script
        .Then([](HWND dlg) {
            SetDlgItemText(dlg, edt1, "a");
            PressOK(dlg);  // a.jpg is there: asked, and refused
        })
        .Then([&](HWND dlg) {
            stillOpen = IsWindowVisible(dlg) != FALSE;
            SetDlgItemText(dlg, edt1, "새 그림");
            PressOK(dlg);
        });
    ASSERT_TRUE(GetSaveFileName(&ofn));
    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(1u, boxes.shown().size());
    EXPECT_NE(std::string::npos, boxes.shown()[0].text.find("a.jpg"));
    EXPECT_EQ(pictures.Folder() + "\\새 그림.jpg", file);
}

TEST(FileDialog, MyComputerListsTheDrivesAndATypedFolderOpens)
{
    Pictures pictures;
    const std::string folder = pictures.Folder();
    CurrentFolder keep;
    ModalScript script;
    char file[MAX_PATH] = "";
    OPENFILENAME ofn = Request(script.Owner(), file, sizeof(file), folder, OFN_HIDEREADONLY);
    char firstFolderEntry[64] = "";
    std::vector<std::string> drives, inside;
    script
        .Then([&](HWND dlg) {
            SendDlgItemMessage(dlg, cmb2, CB_GETLBTEXT, 0, (LPARAM)firstFolderEntry);
            SendDlgItemMessage(dlg, cmb2, CB_SETCURSEL, 0, 0);
            SendMessage(dlg, WM_COMMAND, MAKEWPARAM(cmb2, CBN_SELCHANGE), (LPARAM)GetDlgItem(dlg, cmb2));
            drives = ListedNames(dlg);
            SetDlgItemText(dlg, edt1, (pictures.Folder() + "\\sub").c_str());
            PressOK(dlg);
            inside = ListedNames(dlg);
        })
        .Then([](HWND dlg) { SendMessage(dlg, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_FALSE(GetOpenFileName(&ofn));
    EXPECT_EQ(0u, CommDlgExtendedError());
    EXPECT_EQ(std::string("내 컴퓨터"), firstFolderEntry);
    ASSERT_FALSE(drives.empty());
    EXPECT_EQ(std::string("로컬 디스크 (C:)"), drives[0]);
    EXPECT_TRUE(inside.empty());
}

TEST(FileDialog, TheListShowsAnIconPerKindAndADoubleClickOpensAFolder)
{
    Pictures pictures;
    const std::string folder = pictures.Folder();
    CurrentFolder keep;
    ModalScript script;
    char file[MAX_PATH] = "";
    OPENFILENAME ofn = Request(script.Owner(), file, sizeof(file), folder, OFN_HIDEREADONLY);
    char cls[64] = "";
    bool single = false;
    std::vector<int> images;
    int icons = 0;
    std::vector<std::string> inside;
    script
        .Then([&](HWND dlg) {
            HWND list = GetDlgItem(dlg, lst1);
            GetClassName(list, cls, sizeof(cls));
            single = (GetWindowLong(list, GWL_STYLE) & LVS_SINGLESEL) != 0;
            icons = ImageList_GetImageCount((HIMAGELIST)SendMessage(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
            for (int i = 0; i < 2; ++i) {
                LVITEM item = {LVIF_IMAGE};
                item.iItem = i;
                SendMessage(list, LVM_GETITEM, 0, (LPARAM)&item);
                images.push_back(item.iImage);
            }
            RECT row = {LVIR_LABEL};
            SendMessage(list, LVM_GETITEMRECT, IndexOf(dlg, "sub"), (LPARAM)&row);
            LPARAM at = MAKELPARAM(row.left + 4, (row.top + row.bottom) / 2);
            SendMessage(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
            SendMessage(list, WM_LBUTTONUP, 0, at);
            SendMessage(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
            SendMessage(list, WM_LBUTTONUP, 0, at);
            inside = ListedNames(dlg);
        })
        .Then([](HWND dlg) { SendMessage(dlg, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_FALSE(GetOpenFileName(&ofn));
    EXPECT_STREQ("SysListView32", cls);
    EXPECT_TRUE(single) << "a dialog for one name takes one selection";
    EXPECT_EQ(3, icons) << "drive, folder and document";
    EXPECT_EQ((std::vector<int>{1, 2}), images) << "the folder, then a document";
    EXPECT_TRUE(inside.empty()) << "the double click opened the empty sub-folder";
}

}  // namespace
