// The explorer over a temporary drive: one icon per type of entry, sizes past 4 GiB, the
// special items that list nothing, sort marks cleared on a new folder, the layout on resize,
// and the chosen folder after OK.
#include "../controls/ShellFixture.h"
#include "PickerFixture.h"

#include "dialogs/DlgVXExplorer.h"
#include "DialogTestSupport.h"
#include "res/resource.h"
#include "support/InputSynth.h"
#include "support/MessageRecorder.h"

#include <climits>
#include <functional>
#include <set>
#include <string>
#include <unistd.h>

using mivo::test::ModalScript;

namespace {

const int kBitmapImages = 5;  // the strip of bitmap 10110

struct Explorer : ShellFixture {
    dialogtest::ProfileApp profile;
    CVXApp& app = profile.app();

    void SetUp() override
    {
        ShellFixture::SetUp();
        for (const char* d : {"drive/사진모음", "drive/사진모음/하위", "drive/큰파일"})
            MakeDir(d);
        MakeFile("drive/사진모음/가.jpg");
        MakeFile("drive/사진모음/나.jpg");
    }

    // Runs the explorer on start, running check on it once it is up; returns DoModal's answer.
    INT_PTR Run(CDlgVXExplorer& dlg, const std::function<void(CDlgVXExplorer&)>& check)
    {
        ScriptedOwner run(app);
        run.script.Then([&](HWND) { check(dlg); });
        return dlg.DoModal();
    }

    static std::string Cell(CDlgVXExplorer& dlg, int row, int column)
    {
        return (const char*)dlg.m_list.GetItemText(row, column);
    }
    static int RowOf(CDlgVXExplorer& dlg, const char* name)
    {
        for (int row = 0; row < dlg.m_list.GetItemCount(); ++row)
            if (Cell(dlg, row, 0) == name)
                return row;
        return -1;
    }
    static int ImageOf(CDlgVXExplorer& dlg, int row)
    {
        LVITEM item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        dlg.m_list.GetItem(&item);
        return item.iImage;
    }
    static std::string ColumnTitle(CDlgVXExplorer& dlg, int column)
    {
        char text[64] = "";
        LVCOLUMN info = {};
        info.mask = LVCF_TEXT;
        info.pszText = text;
        info.cchTextMax = sizeof(text);
        dlg.m_list.GetColumn(column, &info);
        return text;
    }
    static void SetColumnTitle(CDlgVXExplorer& dlg, int column, const char* title)
    {
        LVCOLUMN info = {};
        info.mask = LVCF_TEXT;
        info.pszText = (LPSTR)title;
        dlg.m_list.SetColumn(column, &info);
    }
};

}  // namespace

TEST_F(Explorer, OneIconPerTypeOfEntryNotPerEntry)
{
    CDlgVXExplorer dlg("M:\\사진모음");
    Run(dlg, [](CDlgVXExplorer& d) {
        EXPECT_STREQ("M:\\사진모음\\", d.m_strCurrentFolder);
        ASSERT_EQ(3, d.m_list.GetItemCount());
        std::set<std::string> keys;
        for (int i = 0; i < d.m_arrIconKeys.GetSize(); ++i)
            keys.insert((const char*)d.m_arrIconKeys[i]);
        EXPECT_EQ((std::set<std::string>{".jpg", "Folder"}), keys);
        EXPECT_EQ(kBitmapImages + 2, d.m_imgTypes.GetImageCount()) << "the bitmap's pictures, then two icons";
        int first = ImageOf(d, RowOf(d, "가.jpg"));
        int second = ImageOf(d, RowOf(d, "나.jpg"));
        int folder = ImageOf(d, RowOf(d, "하위"));
        EXPECT_EQ(first, second);
        EXPECT_NE(first, folder);
        EXPECT_GE(first, kBitmapImages);
        EXPECT_GE(folder, kBitmapImages);
    });
}

TEST_F(Explorer, SizesPastFourGibibytesShowTheirWholeKilobytes)
{
    struct Case {
        const char* name;
        long long bytes;
        const char* shown;
    } cases[] = {
        {"다섯.bin", 5LL << 30, "5,242,880"},
        {"넷더하기.bin", (4LL << 30) + 2048, "4,194,306"},
        {"작음.bin", 1023, "0"},
        {"천.bin", 1024000, "1,000"},
    };
    for (const Case& c : cases) {
        std::string rel = std::string("drive/큰파일/") + c.name;
        MakeFile(rel, "");
        ASSERT_EQ(0, truncate(Posix(rel).c_str(), c.bytes)) << "a sparse file";
    }
    CDlgVXExplorer dlg("M:\\큰파일");
    Run(dlg, [&](CDlgVXExplorer& d) {
        for (const Case& c : cases) {
            int row = RowOf(d, c.name);
            ASSERT_GE(row, 0) << c.name;
            EXPECT_EQ(c.shown, Cell(d, row, 1)) << c.name;
            EXPECT_EQ(19u, Cell(d, row, 3).size()) << "%Y-%m-%d %H:%M:%S";
        }
    });
}

TEST_F(Explorer, DesktopMyComputerAndNetworkListNothing)
{
    CDlgVXExplorer dlg("M:\\사진모음");
    Run(dlg, [](CDlgVXExplorer& d) {
        for (int csidl : {CSIDL_DRIVES, CSIDL_DESKTOP, CSIDL_NETWORK}) {
            HTREEITEM item = d.m_tree.GetItemFrom(csidl, nullptr);
            if (!item)
                continue;
            d.m_tree.SelectItem(item);
            EXPECT_STREQ("M:\\사진모음\\", d.m_strCurrentFolder) << csidl;
            EXPECT_EQ(3, d.m_list.GetItemCount()) << csidl;
        }
    });
}

TEST_F(Explorer, ANewFolderClearsTheSortMarks)
{
    CDlgVXExplorer dlg("M:\\사진모음");
    Run(dlg, [](CDlgVXExplorer& d) {
        SetColumnTitle(d, 0, "이름 △");
        SetColumnTitle(d, 1, "크기(KB) ▽  ");
        SetColumnTitle(d, 2, "종△류");
        d.m_tree.SetPathByStr("M:\\문서");
        EXPECT_EQ("이름", ColumnTitle(d, 0));
        EXPECT_EQ("크기(KB)", ColumnTitle(d, 1));
        EXPECT_EQ("종류", ColumnTitle(d, 2));
        EXPECT_EQ("수정한날짜", ColumnTitle(d, 3));
        EXPECT_STREQ("M:\\문서\\", d.m_strCurrentFolder);
        EXPECT_EQ("M:\\문서\\", WindowTextOf(d.m_editPath.m_hWnd));
        ASSERT_EQ(1, d.m_list.GetItemCount());
        EXPECT_EQ("메모.txt", Cell(d, 0, 0));
    });
}

// A right click on the list reaches the explorer, which opens the folder menu
// once, for the list: the list carries out its commands.
TEST_F(Explorer, ARightClickOnTheListOpensTheFolderMenuOnceForTheList)
{
    CDlgVXExplorer dlg("M:\\사진모음");
    std::vector<HWND> opened;
    int clicksHeard = 0;
    Run(dlg, [&](CDlgVXExplorer& d) {
        mivo::test::MessageRecorder recorder;
        recorder.Attach(d.m_list.m_hWnd);
        recorder.Attach(d.m_hWnd);
        recorder.OnMessage(WM_NOTIFY, [&](HWND h, UINT, WPARAM, LPARAM l, LRESULT*) {
            clicksHeard += h == d.m_hWnd && ((NMHDR*)l)->code == (UINT)NM_RCLICK;
            return false;
        });
        recorder.OnMessage(WM_INITMENUPOPUP, [&](HWND h, UINT, WPARAM menu, LPARAM, LRESULT*) {
            if (::GetMenuItemID((HMENU)menu, 0) == ID_DIRLIST_NEWFOLDER)
                opened.push_back(h);
            return false;
        });
        recorder.OnMessage(WM_ENTERIDLE, [&](HWND, UINT, WPARAM, LPARAM, LRESULT* result) {
            ::EndMenu();
            *result = 0;
            return true;
        });
        CRect row;
        d.m_list.GetItemRect(0, &row, LVIR_LABEL);
        mivo::test::Click(d.m_list.m_hWnd, row.left + 5, row.CenterPoint().y, mivo::MouseButton::Right);
        mivo::test::PumpUntilIdle();
        EXPECT_EQ(std::vector<HWND>{d.m_list.m_hWnd}, opened);
    });
    EXPECT_EQ(1, clicksHeard) << "the explorer hears the right click";
}

TEST_F(Explorer, ResizingKeepsTheTreesMarginAllRound)
{
    CDlgVXExplorer dlg("M:\\");
    Run(dlg, [](CDlgVXExplorer& d) {
        d.SetWindowPos(nullptr, 0, 0, 900, 640, SWP_NOMOVE | SWP_NOZORDER);
        CRect client;
        d.GetClientRect(&client);
        auto rect = [&](CWnd& w) {
            CRect r;
            w.GetWindowRect(&r);
            d.ScreenToClient(&r);
            return r;
        };
        CRect tree = rect(d.m_tree), list = rect(d.m_list), bar = rect(d.m_splitter);
        CRect ok = rect(d.m_btnOK), cancel = rect(d.m_btnCancel), edit = rect(d.m_editPath);
        const int m = tree.left;
        EXPECT_GT(m, 0);
        EXPECT_EQ(client.right - m, cancel.right);
        EXPECT_EQ(cancel.left - 1, ok.right);
        EXPECT_EQ(ok.left - 3, edit.right);
        EXPECT_EQ(client.bottom - m - 2, tree.bottom);
        EXPECT_EQ(tree.bottom, bar.bottom);
        EXPECT_EQ(tree.bottom, list.bottom);
        EXPECT_EQ(client.right - m, list.right);
        EXPECT_EQ(tree.top, list.top);
    });
}

TEST_F(Explorer, OKLeavesTheChosenFolderWhateverTheSelectionMode)
{
    for (int mode : {0, 128}) {
        CDlgVXExplorer dlg("M:\\앨범\\여름");
        dlg.m_nSelectMode = mode;
        INT_PTR answer = Run(dlg, [](CDlgVXExplorer& d) { d.PostMessage(WM_COMMAND, IDOK); });
        EXPECT_EQ(IDOK, answer);
        EXPECT_STREQ("M:\\앨범\\여름\\", dlg.m_strCurrentFolder) << mode;
        EXPECT_EQ(mode, dlg.m_nSelectMode);
    }
}

TEST(ExplorerHelpers, IdentifierListsCompareWholeAndNumbersGroupByThousands)
{
    // Two-byte identifiers: cb, then the bytes, ending in a zero cb.
    const unsigned char ab[] = {4, 0, 'a', 'b', 0, 0};
    const unsigned char ab2[] = {4, 0, 'a', 'b', 0, 0};
    const unsigned char ac[] = {4, 0, 'a', 'c', 0, 0};
    const unsigned char abc[] = {4, 0, 'a', 'b', 3, 0, 'c', 0, 0};
    const unsigned char empty[] = {0, 0};
    auto list = [](const unsigned char* bytes) { return (ITEMIDLIST*)bytes; };
    CDlgVXExplorer dlg("");
    EXPECT_NE(0, dlg.CompareFullUniqueID(list(ab), list(ab2)));
    EXPECT_NE(0, dlg.CompareFullUniqueID(list(empty), list(empty)));
    EXPECT_EQ(0, dlg.CompareFullUniqueID(list(ab), list(ac)));
    EXPECT_EQ(0, dlg.CompareFullUniqueID(list(ab), list(abc)));
    EXPECT_EQ(0, dlg.CompareFullUniqueID(list(empty), list(ab)));
    EXPECT_EQ(0, dlg.CompareFullUniqueID(nullptr, list(ab)));

    struct Case {
        long n;
        const char* text;
    } cases[] = {
        {0, "0"}, {-5, "-5"}, {999, "999"}, {1000, "1,000"}, {-1000000, "-1,000,000"},
        {LONG_MAX, "9,223,372,036,854,775,807"}, {LONG_MIN, "-9,223,372,036,854,775,808"},
    };
    for (const Case& c : cases) {
        char out[40];
        EXPECT_STREQ(c.text, dlg.FormatNumberComma(out, c.n)) << c.n;
    }
}
