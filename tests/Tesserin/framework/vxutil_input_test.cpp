// Input helpers: the Hangul input switch and the folder chooser over the shell's browser.
#include <gtest/gtest.h>

#include "framework/VXUtil.h"
#include "mivo/codepage.h"
#include "mivo/paths.h"
#include "support/DialogDriver.h"
#include "support/MessageLoop.h"
#include "support/TempFolder.h"

#include <sys/stat.h>

#include <cstdlib>
#include <string>
#include <vector>

using namespace mivo::test;
using mivotest::TempFolder;

TEST(VXUtilInput, HangulSwitchChangesOnlyTheModeBits)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "ime", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    HIMC context = ImmGetContext(wnd.m_hWnd);
    const struct {
        DWORD before;
        BOOL hangul;
        DWORD after;
    } cases[] = {
        {0x0A, TRUE, 0x09},   // katakana bit cleared, native set, full shape kept
        {0x09, FALSE, 0x08},  // native cleared
        {0x03, TRUE, 0x03},   // already native: left as it is
        {0x0A, FALSE, 0x0A},  // already alphanumeric: left as it is
    };
    for (const auto& c : cases) {
        ImmSetConversionStatus(context, c.before, 0x08);
        EXPECT_EQ(1, IME_SET_Hangul(wnd.m_hWnd, c.hangul)) << c.before;
        DWORD conversion = 0, sentence = 0;
        ImmGetConversionStatus(context, &conversion, &sentence);
        EXPECT_EQ(c.after, conversion) << c.before;
        EXPECT_EQ(0x08u, sentence) << c.before;
    }
    ImmReleaseContext(wnd.m_hWnd, context);
    wnd.DestroyWindow();
    EXPECT_EQ(0, IME_SET_Hangul(nullptr, TRUE));
}

namespace {

const int kBrowserTree = 0x3741, kBrowserStatus = 0x3743;

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

void Press(HWND dlg, int id)
{
    SendMessage(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(dlg, id));
}

// Drive M: with Korean folders, and a home folder of its own.
struct VXUtilGetFolder : ::testing::Test {
    TempFolder dir{"mivo-vxutil"};
    std::string savedHome;
    ModalScript script;

    void SetUp() override
    {
        const char* h = getenv("HOME");
        savedHome = h ? h : "";
        for (const char* d : {"home", "drive", "drive/앨범", "drive/앨범/여름", "drive/문서"})
            mkdir((dir.path() + "/" + mivo::ToUtf8(d)).c_str(), 0755);
        setenv("HOME", (dir.path() + "/home").c_str(), 1);
        mivo::SetDriveRoot('M', dir.path() + "/drive");
    }
    void TearDown() override
    {
        mivo::SetDriveRoot('M', "");
        setenv("HOME", savedHome.c_str(), 1);
    }
};

}  // namespace

TEST_F(VXUtilGetFolder, OpensOnTheInitialFolderShowsItsPathAndReturnsTheChoice)
{
    std::string status, top;
    script.Then([&](HWND dlg) {
        char text[MAX_PATH] = "";
        GetDlgItemText(dlg, kBrowserStatus, text, sizeof text);
        status = text;
        HWND tree = GetDlgItem(dlg, kBrowserTree);
        top = ItemText(tree, (HTREEITEM)SendMessage(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
        Press(dlg, IDOK);
    });
    CString out = "x";
    EXPECT_EQ(1, GetFolder(out, script.Owner(), "폴더를 고르십시오.", nullptr, "M:\\앨범\\여름"));
    EXPECT_STREQ("M:\\앨범\\여름", out);
    EXPECT_EQ("M:\\앨범\\여름", status);
    EXPECT_EQ("바탕 화면", top);
}

TEST_F(VXUtilGetFolder, ARootLimitsTheTreeAndCancelEmptiesTheResult)
{
    std::string top;
    script.Then([&](HWND dlg) {
        HWND tree = GetDlgItem(dlg, kBrowserTree);
        top = ItemText(tree, (HTREEITEM)SendMessage(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
        Press(dlg, IDCANCEL);
    });
    CString out = "x";
    EXPECT_EQ(0, GetFolder(out, script.Owner(), "폴더", "M:\\앨범", nullptr));
    EXPECT_STREQ("", out);
    EXPECT_EQ("앨범", top);
}
