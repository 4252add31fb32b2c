// The folder list: sorting by column with the title marks, a new folder by label edit, and the
// delete with its refusals, over a temporary drive.
#include "ShellFixture.h"

#include "controls/DirListCtrl.h"
#include "res/resource.h"
#include "support/InputSynth.h"
#include "support/MessageBoxCapture.h"
#include "support/MessageLoop.h"

#include <memory>
#include <string>
#include <vector>

namespace {

struct DirList : ShellFixture {
    CWnd host;
    std::unique_ptr<CDirListCtrl> list;

    void SetUp() override
    {
        ShellFixture::SetUp();
        ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE, 0, 0, 500, 400, nullptr,
                                  nullptr));
        list = std::make_unique<CDirListCtrl>();
        ASSERT_TRUE(list->Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 480, 380), &host, 1));
        list->InsertColumn(0, "이름", LVCFMT_LEFT, 150);
        list->InsertColumn(1, "크기", LVCFMT_RIGHT, 80);
        list->InsertColumn(2, "아주 긴 제목의 종류 열입니다", LVCFMT_LEFT, 200);
    }
    void TearDown() override
    {
        list.reset();
        host.DestroyWindow();
        ShellFixture::TearDown();
    }

    void AddRow(const std::string& name, const std::string& size, const std::string& kind)
    {
        int row = list->InsertItem(LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, list->GetItemCount(), name.c_str(), 0, 0,
                                   list->GetItemCount(), (LPARAM)(100 + list->GetItemCount()));
        list->SetItemText(row, 1, size.c_str());
        list->SetItemText(row, 2, kind.c_str());
    }
    std::vector<std::string> Column(int c)
    {
        std::vector<std::string> out;
        for (int i = 0; i < list->GetItemCount(); ++i)
            out.push_back((const char*)list->GetItemText(i, c));
        return out;
    }
    std::string Title(int c)
    {
        char text[256] = "";
        LVCOLUMN info = {};
        info.mask = LVCF_TEXT;
        info.pszText = text;
        info.cchTextMax = sizeof text;
        list->GetColumn(c, &info);
        return text;
    }
    void ClickHeader(int column, UINT code = HDN_ITEMCLICKA, int button = 0)
    {
        NMHEADER nm = {};
        nm.hdr.hwndFrom = list->GetHeaderCtrl()->GetSafeHwnd();
        nm.hdr.code = code;
        nm.iItem = column;
        nm.iButton = button;
        list->SendMessage(WM_NOTIFY, 0, (LPARAM)&nm);
    }
    void SelectRows(std::initializer_list<int> rows)
    {
        for (int r : rows)
            list->SetItemState(r, LVIS_SELECTED, LVIS_SELECTED);
    }
};

}  // namespace

TEST_F(DirList, SortsTextAndNumbersBothWaysMovingWholeRows)
{
    AddRow("다", "10", "b");
    AddRow("가", "9", "c");
    AddRow("나", "100", "a");
    struct Case {
        bool numeric;
        int column;
        bool ascending;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {false, 0, true, {"가", "나", "다"}},  {false, 0, false, {"다", "나", "가"}},
        {true, 1, true, {"가", "다", "나"}},   {true, 1, false, {"나", "다", "가"}},
        {false, 2, true, {"나", "다", "가"}},
    };
    for (const Case& c : cases) {
        if (c.numeric)
            list->SortNumericItems(c.column, c.ascending);
        else
            list->SortTextItems(c.column, c.ascending);
        EXPECT_EQ(c.names, Column(0)) << c.column << c.ascending;
        // Every column, the image and the item data went with the row.
        for (int i = 0; i < 3; ++i) {
            int original = (int)list->GetItemData(i) - 100;
            LVITEM item = {};
            item.mask = LVIF_IMAGE;
            item.iItem = i;
            list->GetItem(&item);
            EXPECT_EQ(original, item.iImage);
            const char* sizes[] = {"10", "9", "100"};
            EXPECT_EQ(sizes[original], Column(1)[i]);
        }
    }
}

TEST_F(DirList, ManyEqualKeysFinish)
{
    for (int i = 0; i < 300; ++i)
        AddRow(i % 3 ? "같음" : "앞", std::to_string(i % 2), "x");
    list->SortTextItems(0, TRUE);
    std::vector<std::string> names = Column(0);
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    list->SortNumericItems(1, FALSE);
    std::vector<std::string> sizes = Column(1);
    EXPECT_EQ("1", sizes.front());
    EXPECT_EQ("0", sizes.back());
    EXPECT_TRUE(std::is_sorted(sizes.rbegin(), sizes.rend()));
}

TEST_F(DirList, HeaderClicksSortAndMarkOneColumnOnce)
{
    AddRow("나", "2", "y");
    AddRow("가", "1", "z");
    // A real click on the first title.
    CRect r;
    list->GetHeaderCtrl()->GetItemRect(0, &r);
    mivo::test::Click(list->GetHeaderCtrl()->GetSafeHwnd(), r.CenterPoint().x, r.CenterPoint().y);
    EXPECT_EQ("이름 △", Title(0));
    EXPECT_EQ((std::vector<std::string>{"가", "나"}), Column(0));
    ClickHeader(0, HDN_ITEMCLICKW);
    EXPECT_EQ("이름 ▽", Title(0));
    EXPECT_EQ((std::vector<std::string>{"나", "가"}), Column(0));
    ClickHeader(0, HDN_ITEMCLICKA, 1);  // the right button: nothing
    EXPECT_EQ("이름 ▽", Title(0));
    ClickHeader(2);
    EXPECT_EQ("이름", Title(0));
    EXPECT_EQ("아주 긴 제목의 종류 열입니다 △", Title(2));  // read whole, not cut
    ClickHeader(2);
    ClickHeader(2);
    EXPECT_EQ("아주 긴 제목의 종류 열입니다 △", Title(2));
    EXPECT_EQ(2, list->GetSortColumn());
}

TEST_F(DirList, ANewFolderNamedLikeAnExistingOneShowsTheBox)
{
    list->SetFolderPath("M:\\");
    struct Case {
        const char* name;
        bool made;
    };
    for (const Case& c : {Case{"앨범", false}, Case{"새 앨범", true}}) {
        mivotest::MessageBoxCapture boxes;
        list->SendMessage(WM_COMMAND, ID_DIRLIST_NEWFOLDER, 0);
        int row = list->GetItemCount() - 1;
        EXPECT_EQ("새폴더", Column(0)[row]);
        LVITEM item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        list->GetItem(&item);
        EXPECT_EQ(33, item.iImage);
        EXPECT_TRUE(list->GetStyle() & LVS_EDITLABELS);
        CEdit* edit = list->GetEditControl();
        ASSERT_NE(nullptr, edit);
        edit->SetWindowText(c.name);
        edit->SendMessage(WM_KEYDOWN, VK_RETURN, 0);
        mivo::test::PumpUntilIdle();
        if (c.made) {
            EXPECT_TRUE(boxes.shown().empty());
            EXPECT_TRUE(Exists(std::string("drive/") + c.name));
            EXPECT_EQ(c.name, Column(0)[row]);
            EXPECT_FALSE(list->GetStyle() & LVS_EDITLABELS);
        } else {
            ASSERT_EQ(1u, boxes.shown().size());
            EXPECT_EQ("지정한 이름의 폴더가 이미 존재합니다.\n다른 폴더 이름을 지정하십시요.", boxes.shown()[0].text);
            EXPECT_EQ("새폴더", Column(0)[row]);
        }
    }
}

TEST_F(DirList, DeletesFilesAndFoldersButNeverWhatALinkPointsTo)
{
    MakeFile("drive/a.txt");
    MakeDir("drive/ro");
    MakeFile("drive/ro/locked.txt");
    chmod(Posix("drive/ro/locked.txt").c_str(), 0444);
    MakeDir("drive/linkdir");
    symlink((dir.path() + "/outside").c_str(), Posix("drive/linkdir/out").c_str());
    symlink((dir.path() + "/outside").c_str(), Posix("drive/direct").c_str());
    list->SetFolderPath("M:\\");
    for (const char* name : {"a.txt", "ro", "linkdir", "direct", "문서"})
        AddRow(name, "0", "");
    SelectRows({0, 1, 2, 3});
    mivotest::MessageBoxCapture boxes(IDYES);
    list->SendMessage(WM_COMMAND, ID_DIRLIST_DELETE, 0);
    ASSERT_FALSE(boxes.shown().empty());
    EXPECT_EQ("선택한 4 항목을 삭제하시겠습니까?", boxes.shown()[0].text);
    EXPECT_EQ(1u, boxes.shown().size()) << "the security calls succeed quietly";
    EXPECT_EQ((std::vector<std::string>{"문서"}), Column(0));
    for (const char* gone : {"drive/a.txt", "drive/ro", "drive/linkdir", "drive/direct"})
        EXPECT_FALSE(Exists(gone)) << gone;
    EXPECT_TRUE(Exists("outside/keep.txt"));
    EXPECT_TRUE(Exists("drive/문서/메모.txt"));
}

TEST_F(DirList, RefusesTheListedFolderADriveAndTheHomeFolder)
{
    std::string home = mivo::FromPosixPath(dir.path() + "/home");
    struct Case {
        std::string folder, name;
    };
    const Case cases[] = {{"M:\\", ""}, {"", "M:\\"}, {"", "C:\\"}, {"", home}, {home + "\\", ""}};
    for (const Case& c : cases) {
        list->DeleteAllItems();
        list->SetFolderPath(c.folder.c_str());
        AddRow(c.name, "0", "");
        SelectRows({0});
        mivotest::MessageBoxCapture boxes(IDYES);
        list->SendMessage(WM_COMMAND, ID_DIRLIST_DELETE, 0);
        EXPECT_EQ(1, list->GetItemCount()) << c.folder << c.name;
        EXPECT_EQ(-1, list->DeleteDir((c.folder + c.name).c_str())) << c.folder << c.name;
    }
    EXPECT_TRUE(Exists("home/사진"));
    EXPECT_TRUE(Exists("drive/앨범/표지.jpg"));
}

TEST_F(DirList, NoAnswerDeletesNothing)
{
    MakeFile("drive/a.txt");
    list->SetFolderPath("M:\\");
    AddRow("a.txt", "0", "");
    SelectRows({0});
    mivotest::MessageBoxCapture boxes(IDNO);
    list->SendMessage(WM_COMMAND, ID_DIRLIST_DELETE, 0);
    EXPECT_TRUE(Exists("drive/a.txt"));
    EXPECT_EQ(1, list->GetItemCount());
}

TEST(DirListMenu, TheLibraryMenuHoldsTheTwoCommands)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_DIRLIST_MENU));
    CMenu* popup = menu.GetSubMenu(0);
    ASSERT_NE(nullptr, popup);
    ASSERT_EQ(2, popup->GetMenuItemCount());
    CString text;
    EXPECT_EQ((UINT)ID_DIRLIST_NEWFOLDER, popup->GetMenuItemID(0));
    popup->GetMenuString(0, text, MF_BYPOSITION);
    EXPECT_EQ(CString("폴더생성"), text);
    EXPECT_EQ((UINT)ID_DIRLIST_DELETE, popup->GetMenuItemID(1));
    popup->GetMenuString(1, text, MF_BYPOSITION);
    EXPECT_EQ(CString("삭제"), text);
}
