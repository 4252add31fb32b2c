// The folder browser driven through its dialog: selection by path and by list, the callback's
// messages, OK and Cancel, folders only, a root below the desktop.
#include <gtest/gtest.h>

#include <win32.h>

#include "support/DialogDriver.h"
#include "support/TempFolder.h"
#include "mivo/codepage.h"
#include "mivo/paths.h"

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

using namespace mivo::test;
using mivotest::TempFolder;

namespace {

const int kTree = 0x3741, kStatus = 0x3743;

// What the callback was told, as paths ("" for virtual items), and what it should do at start.
struct Recorder {
    std::vector<std::string> events;
    std::string initialPath;
    LPCITEMIDLIST initialList = nullptr;
    BOOL selectionAnswer = -1;

    static int CALLBACK Callback(HWND dlg, UINT msg, LPARAM lParam, LPARAM data)
    {
        auto* self = (Recorder*)data;
        if (msg == BFFM_INITIALIZED) {
            self->events.push_back("init");
            if (!self->initialPath.empty())
                self->selectionAnswer =
                    (BOOL)SendMessage(dlg, BFFM_SETSELECTION, TRUE, (LPARAM)self->initialPath.c_str());
            else if (self->initialList)
                self->selectionAnswer = (BOOL)SendMessage(dlg, BFFM_SETSELECTION, FALSE, (LPARAM)self->initialList);
        } else if (msg == BFFM_SELCHANGED) {
            char path[MAX_PATH];
            self->events.push_back(SHGetPathFromIDList((LPCITEMIDLIST)lParam, path) ? path : "");
            SendMessage(dlg, BFFM_SETSTATUSTEXT, 0, (LPARAM)path);
        }
        return 0;
    }
};

std::string ItemText(HWND tree, HTREEITEM item)
{
    char text[MAX_PATH] = "";
    TVITEMA tvi = {};
    tvi.mask = TVIF_TEXT;
    tvi.hItem = item;
    tvi.pszText = text;
    tvi.cchTextMax = sizeof text;
    SendMessage(tree, TVM_GETITEMA, 0, (LPARAM)&tvi);
    return text;
}

HTREEITEM Next(HWND tree, HTREEITEM item, UINT how)
{
    return (HTREEITEM)SendMessage(tree, TVM_GETNEXTITEM, how, (LPARAM)item);
}

// The texts from the top item down to the selection.
std::vector<std::string> SelectedChain(HWND dlg)
{
    HWND tree = GetDlgItem(dlg, kTree);
    std::vector<std::string> chain;
    for (HTREEITEM at = Next(tree, nullptr, TVGN_CARET); at; at = Next(tree, at, TVGN_PARENT))
        chain.insert(chain.begin(), ItemText(tree, at));
    return chain;
}

std::vector<std::string> ChildTexts(HWND tree, HTREEITEM parent)
{
    std::vector<std::string> out;
    for (HTREEITEM c = Next(tree, parent, TVGN_CHILD); c; c = Next(tree, c, TVGN_NEXT))
        out.push_back(ItemText(tree, c));
    return out;
}

void Press(HWND dlg, int id)
{
    SendMessage(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(dlg, id));
}

std::string PathOf(LPCITEMIDLIST pidl)
{
    char path[MAX_PATH] = "";
    return SHGetPathFromIDList(pidl, path) ? path : "<virtual>";
}

// A home folder (the desktop) and drive M: with Korean folders and a hidden one.
struct FolderBrowser : ::testing::Test {
    TempFolder dir{"mivo-browse"};
    std::string savedHome;
    char name[MAX_PATH] = "";
    BROWSEINFOA bi = {};
    Recorder recorder;
    ModalScript script;

    void MakeDir(const std::string& rel) { mkdir((dir.path() + "/" + mivo::ToUtf8(rel.c_str())).c_str(), 0755); }

    void SetUp() override
    {
        const char* h = getenv("HOME");
        savedHome = h ? h : "";
        for (const char* d : {"home", "home/사진", "home/.숨김", "drive", "drive/앨범", "drive/앨범/여름",
                              "drive/앨범/여름/바다", "drive/문서"})
            MakeDir(d);
        std::ofstream(dir.path() + "/" + mivo::ToUtf8("drive/앨범/표지.jpg")) << "x";
        setenv("HOME", (dir.path() + "/home").c_str(), 1);
        mivo::SetDriveRoot('M', dir.path() + "/drive");
        bi.hwndOwner = script.Owner();
        bi.pszDisplayName = name;
        bi.lpszTitle = "사진을 저장할 폴더를 고르십시오.";
        bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
        bi.lpfn = Recorder::Callback;
        bi.lParam = (LPARAM)&recorder;
    }
    void TearDown() override
    {
        mivo::SetDriveRoot('M', "");
        setenv("HOME", savedHome.c_str(), 1);
    }
};

}  // namespace

TEST_F(FolderBrowser, SelectionByPathOpensTheWayAndOkReturnsThatFolder)
{
    recorder.initialPath = "M:\\앨범\\여름";
    std::vector<std::string> chain;
    std::string status;
    script.Then([&](HWND dlg) {
        chain = SelectedChain(dlg);
        char text[MAX_PATH] = "";
        GetDlgItemText(dlg, kStatus, text, sizeof text);
        status = text;
        Press(dlg, IDOK);
    });
    LPITEMIDLIST chosen = SHBrowseForFolder(&bi);
    ASSERT_NE(nullptr, chosen);
    EXPECT_EQ("M:\\앨범\\여름", PathOf(chosen));
    EXPECT_STREQ("여름", name);
    EXPECT_EQ(TRUE, recorder.selectionAnswer);
    EXPECT_EQ((std::vector<std::string>{"바탕 화면", "내 컴퓨터", "로컬 디스크 (M:)", "앨범", "여름"}), chain);
    // The start is told first; the selection the callback made is told with its list.
    EXPECT_EQ((std::vector<std::string>{"init", "M:\\앨범\\여름"}), recorder.events);
    EXPECT_EQ("M:\\앨범\\여름", status);
    CoTaskMemFree(chosen);
}

TEST_F(FolderBrowser, CancelReturnsNull)
{
    recorder.initialPath = "M:\\문서";
    script.Then([](HWND dlg) { Press(dlg, IDCANCEL); });
    EXPECT_EQ(nullptr, SHBrowseForFolder(&bi));
    EXPECT_STREQ("", name);
}

TEST_F(FolderBrowser, TheDesktopListsItsFoldersWithoutHiddenOnesAndOpensOnlyWhatIsWalked)
{
    std::vector<std::string> top, drive;
    script.Then([&](HWND dlg) {
        HWND tree = GetDlgItem(dlg, kTree);
        HTREEITEM desktop = Next(tree, nullptr, TVGN_ROOT);
        top = ChildTexts(tree, desktop);
        HTREEITEM computer = Next(tree, desktop, TVGN_CHILD);
        SendMessage(tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)computer);
        for (HTREEITEM d = Next(tree, computer, TVGN_CHILD); d; d = Next(tree, d, TVGN_NEXT))
            if (ItemText(tree, d) == "로컬 디스크 (M:)") {
                SendMessage(tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)d);
                drive = ChildTexts(tree, d);
            }
        Press(dlg, IDCANCEL);
    });
    EXPECT_EQ(nullptr, SHBrowseForFolder(&bi));
    EXPECT_EQ((std::vector<std::string>{"내 컴퓨터", "네트워크 환경", "사진"}), top);
    EXPECT_EQ((std::vector<std::string>{"문서", "앨범"}), drive);  // folders only
    EXPECT_EQ((std::vector<std::string>{"init", mivo::FromPosixPath(dir.path() + "/home")}),
              recorder.events);
}

TEST_F(FolderBrowser, VirtualItemsGetNoOkUnlessTheCallbackAllowsIt)
{
    LPITEMIDLIST computer = nullptr;
    ASSERT_EQ(S_OK, SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer));
    recorder.initialList = computer;
    bool okAtComputer = true, openAfterRefusedOk = false, okAfterEnable = false;
    script
        .Then([&](HWND dlg) {
            okAtComputer = IsWindowEnabled(GetDlgItem(dlg, IDOK));
            Press(dlg, IDOK);
        })
        .Then([&](HWND dlg) {
            openAfterRefusedOk = IsWindow(dlg);
            SendMessage(dlg, BFFM_ENABLEOK, 0, TRUE);
            okAfterEnable = IsWindowEnabled(GetDlgItem(dlg, IDOK));
            Press(dlg, IDCANCEL);
        });
    EXPECT_EQ(nullptr, SHBrowseForFolder(&bi));
    EXPECT_EQ(TRUE, recorder.selectionAnswer);
    EXPECT_FALSE(okAtComputer);
    EXPECT_TRUE(openAfterRefusedOk);
    EXPECT_TRUE(okAfterEnable);
    EXPECT_EQ((std::vector<std::string>{"init", ""}), recorder.events);
    CoTaskMemFree(computer);
}

TEST_F(FolderBrowser, ARootBelowTheDesktopRefusesSelectionsOutsideIt)
{
    LPITEMIDLIST root = nullptr;
    IShellFolder* desktop = nullptr;
    ASSERT_EQ(S_OK, SHGetDesktopFolder(&desktop));
    std::u16string wide = mivo::AnsiToUtf16("M:\\앨범");
    ASSERT_EQ(S_OK, desktop->ParseDisplayName(nullptr, nullptr, (LPOLESTR)wide.c_str(), nullptr, &root, nullptr));
    desktop->Release();
    bi.pidlRoot = root;
    recorder.initialPath = "M:\\문서";
    std::vector<std::string> chain;
    BOOL inside = FALSE;
    script.Then([&](HWND dlg) {
        chain = SelectedChain(dlg);
        inside = (BOOL)SendMessage(dlg, BFFM_SETSELECTION, TRUE, (LPARAM)"m:\\앨범\\여름\\바다\\");
        Press(dlg, IDOK);
    });
    LPITEMIDLIST chosen = SHBrowseForFolder(&bi);
    EXPECT_EQ(FALSE, recorder.selectionAnswer);
    EXPECT_EQ((std::vector<std::string>{"앨범"}), chain);
    EXPECT_EQ(TRUE, inside);
    EXPECT_EQ("M:\\앨범\\여름\\바다", PathOf(chosen));
    CoTaskMemFree(chosen);
    CoTaskMemFree(root);
}
