// The folder pane on a fixture tree: pastes (a file into its own folder, a copy onto an
// existing file, cut and copied entries mixed) keep album and cache rows in step; folders "A"
// and "AB" renamed and deleted touch only A's rows, and a delete that leaves files keeps the
// rows of what stayed; the desktop and a drive root are never renamed or deleted, and names the
// file system cannot take are refused; ticked folders and "모든선택 해제"; the menu's greying.
#include "ConsoleFixture.h"

#include "album/DlgConsoleBrowse.h"
#include "album/ThumbnailCache.h"
#include "dialogs/DlgUserInputBox.h"
#include "editor/EditorShell.h"
#include "shell/MainFrame.h"
#include "image/ImageObject.h"
#include "res/resource.h"
#include "resource.h"
#include "support/ExifPhoto.h"
#include "support/MessageBoxCapture.h"

#include <filesystem>
#include <fstream>
#include <memory>

using consoletest::ConsoleTest;
using consoletest::MenuCatcher;

namespace {

class FolderPane : public ConsoleTest {
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        root = data.windowsPath() + "photos\\";
        ::CreateDirectory(root.c_str(), nullptr);
        for (const char* folder : {"src", "dst", "A", "AB"})
            ::CreateDirectory((root + folder).c_str(), nullptr);
        for (const char* file : {"src\\a.jpg", "src\\b.jpg", "src\\c.jpg", "dst\\b.jpg", "A\\x.jpg", "AB\\y.jpg"})
            ASSERT_TRUE(mivotest::WritePhoto(root + file, 32, 24, ""));
        Place(pane, IDD_CONSOLE_BROWSE);
        pane.InitDirTree();
        mivo::test::PumpUntilIdle();
    }
    CString Path(const char* relative) const { return CString(root.c_str()) + relative; }
    HTREEITEM Item(const CString& path)
    {
        HTREEITEM item = pane.m_wndTree.GetItemFromPath(path, nullptr);
        // At the top of the small tree, whole.
        if (item)
            pane.m_wndTree.SelectSetFirstVisible(item);
        mivo::test::PumpUntilIdle();
        return item;
    }
    CPoint On(HTREEITEM item)
    {
        CRect rect;
        pane.m_wndTree.GetItemRect(item, &rect, TRUE);
        return rect.CenterPoint();
    }
    // Makes the folder the one the menu commands act on, as a right click would.
    void Target(const CString& path)
    {
        HTREEITEM item = Item(path);
        ASSERT_NE(nullptr, item) << (LPCSTR)path;
        ASSERT_TRUE(pane.TargetItemAt(On(item)));
    }
    void Command(UINT id) { pane.SendMessage(WM_COMMAND, id, 0); }
    void Answer(UINT id, const char* typed)
    {
        s_typed = typed;
        s_timer = ::SetTimer(nullptr, 0, 20, AnswerInputBox);
        Command(id);
        // A command that asked nothing leaves the timer to this test.
        ::KillTimer(nullptr, s_timer);
        mivo::test::PumpUntilIdle();
    }
    static void CALLBACK AnswerInputBox(HWND, UINT, UINT_PTR, DWORD)
    {
        HWND box = ::GetActiveWindow();
        if (box == nullptr || ::GetDlgItem(box, IDC_USERINPUT_EDIT) == nullptr)
            return;
        ::KillTimer(nullptr, s_timer);
        ::SetDlgItemText(box, IDC_USERINPUT_EDIT, s_typed);
        ::PostMessage(box, WM_COMMAND, IDOK, 0);
    }
    bool Exists(const char* relative) const { return ::GetFileAttributes(Path(relative)) != INVALID_FILE_ATTRIBUTES; }
    // Album rows and cached thumbnails by path below the fixture root (its paths are ASCII).
    std::string Rel(const std::string& column, const std::string& table) const
    {
        return db.scalar("select group_concat(p, ' ; ') from (select replace(" + column + ", '" + root +
                         "', '') as p from " + table + " order by p)");
    }
    std::string AlbumRows() const { return Rel("PathName", "AlbumDetail"); }
    std::string CacheRows() const { return Rel("ImgPath", "ThumbImages"); }
    void Cache(const char* relative)
    {
        CImageObject maker;
        std::unique_ptr<CImageObject> picture(maker.MakeBlankImageObject(RGB(1, 2, 3), 20, 10));
        ASSERT_EQ(1, CThumbnailCache().StoreThumbnail(Path(relative), picture.get()));
    }
    void AlbumRow(int seq, const char* relative)
    {
        ASSERT_TRUE(db.exec("insert into AlbumDetail (AlbumID, Seq, PathName) values (3, " + std::to_string(seq) +
                            ", '" + root + relative + "')"));
    }

    static const char* s_typed;
    static UINT_PTR s_timer;
    std::string root;
    CDlgConsoleBrowse pane;
};

const char* FolderPane::s_typed = "";
UINT_PTR FolderPane::s_timer = 0;

}  // namespace

TEST_F(FolderPane, PastesSkipTheSameFolderNeverOverwriteAndSayMovedWhenAnyEntryWasCut)
{
    mivotest::MessageBoxCapture boxes;
    const struct {
        const char* name;
        std::vector<std::pair<const char*, int>> clip;  // path below the root, move flag
        const char* message;
        const char* left;  // what src and dst hold afterwards
    } cases[] = {
        {"into its own folder", {{"dst\\b.jpg", 1}}, "파일 이동(복사)이 이루어지지 않았습니다.",
         "src: a b c / dst: b"},
        {"copy onto an existing file", {{"src\\b.jpg", 0}}, "파일 이동(복사)이 이루어지지 않았습니다.",
         "src: a b c / dst: b"},
        {"cut and copied mixed", {{"src\\a.jpg", 1}, {"src\\b.jpg", 0}, {"src\\c.jpg", 0}, {"src", 1}},
         "2 파일을 \r%sdst\\ 폴더로 \r이동했습니다.", "src: b c / dst: a b c"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        theApp.m_arrClipPaths.RemoveAll();
        theApp.m_arrClipKinds.RemoveAll();
        theApp.m_arrClipMove.RemoveAll();
        for (const auto& entry : c.clip)
            Clip(Path(entry.first), std::string(entry.first) == "src" ? 1 : 0, entry.second);
        Target(Path("dst"));
        size_t before = boxes.shown().size();
        Command(ID_CONSOLE_PASTE);
        ASSERT_EQ(before + 1, boxes.shown().size());
        CString expected;
        expected.Format(c.message, root.c_str());
        EXPECT_EQ((LPCSTR)expected, boxes.shown().back().text);
        std::string left = "src:";
        for (const char* f : {"a", "b", "c"})
            if (Exists((std::string("src\\") + f + ".jpg").c_str()))
                left += std::string(" ") + f;
        left += " / dst:";
        for (const char* f : {"a", "b", "c"})
            if (Exists((std::string("dst\\") + f + ".jpg").c_str()))
                left += std::string(" ") + f;
        EXPECT_EQ(c.left, left);
        EXPECT_EQ((INT_PTR)c.clip.size(), theApp.m_arrClipPaths.GetSize()) << "the clipboard keeps its entries";
    }
}

TEST_F(FolderPane, AMoveCarriesAlbumAndCacheRowsACopyOnlyACacheRow)
{
    AlbumRow(1, "src\\a.jpg");
    AlbumRow(2, "src\\c.jpg");
    Cache("src\\a.jpg");
    Cache("src\\c.jpg");
    Clip(Path("src\\a.jpg"), 0, 1);
    Clip(Path("src\\c.jpg"), 0, 0);
    browser.open = TRUE;
    mivotest::MessageBoxCapture boxes;
    Target(Path("dst"));
    Command(ID_CONSOLE_PASTE);
    EXPECT_EQ("dst\\a.jpg ; src\\c.jpg", AlbumRows());
    EXPECT_EQ("dst\\a.jpg ; dst\\c.jpg ; src\\c.jpg", CacheRows());
    EXPECT_NE(std::string::npos, browser.Calls().find("folder " + root + "dst\\ 1")) << browser.Calls();

    // A file the tree itself moved by a drop: the pane keeps the rows in step.
    CString from = Path("dst\\a.jpg"), to = Path("A\\a.jpg");
    EXPECT_EQ(1, pane.SendMessage(WM_TREE_ITEM_DROPPED, (WPARAM)&from, (LPARAM)&to));
    EXPECT_EQ("A\\a.jpg ; src\\c.jpg", AlbumRows());
}

TEST_F(FolderPane, RenamingOrDeletingATouchesOnlyTheRowsOfA)
{
    AlbumRow(1, "A\\x.jpg");
    AlbumRow(2, "AB\\y.jpg");
    Cache("A\\x.jpg");
    Cache("AB\\y.jpg");
    Target(Path("A"));
    Answer(ID_CONSOLE_RENAME, "C");
    EXPECT_TRUE(Exists("C\\x.jpg"));
    EXPECT_EQ("AB\\y.jpg ; C\\x.jpg", AlbumRows());
    EXPECT_EQ("AB\\y.jpg ; C\\x.jpg", CacheRows());

    mivotest::MessageBoxCapture boxes(IDYES);
    Target(Path("C"));
    Command(ID_CONSOLE_DELETE);
    ASSERT_EQ(1u, boxes.shown().size());
    EXPECT_EQ("C 폴더및 하위의 모든 내용을 삭제하시겠습니까? \r\n(삭제된 자료는 되돌릴 수 없습니다.)", boxes.shown()[0].text);
    EXPECT_FALSE(Exists("C"));
    EXPECT_TRUE(Exists("AB\\y.jpg"));
    EXPECT_EQ("AB\\y.jpg", AlbumRows());
    EXPECT_EQ("AB\\y.jpg", CacheRows());
    EXPECT_EQ(nullptr, pane.m_wndTree.GetItemFromPath(Path("C"), nullptr));
}

TEST_F(FolderPane, ADeleteThatLeavesAFileKeepsTheFolderAndOnlyDropsRowsOfFilesGone)
{
    // A name without a CP949 form cannot be reached through the program, so the erase leaves it.
    std::ofstream(data.file("photos/A/\xF0\x9F\x98\x80.jpg")) << "x";
    AlbumRow(1, "A\\x.jpg");
    AlbumRow(2, "AB\\y.jpg");
    Cache("A\\x.jpg");
    Cache("AB\\y.jpg");
    mivotest::MessageBoxCapture boxes(IDYES);
    Target(Path("A"));
    Command(ID_CONSOLE_DELETE);
    ASSERT_TRUE(Exists("A")) << "the fixture keeps the folder";
    EXPECT_FALSE(Exists("A\\x.jpg"));
    EXPECT_EQ("AB\\y.jpg", AlbumRows());
    EXPECT_EQ("AB\\y.jpg", CacheRows());
    EXPECT_NE(nullptr, pane.m_wndTree.GetItemFromPath(Path("A"), nullptr)) << "the folder stays in the tree";
}

TEST_F(FolderPane, TheDesktopAndADriveRootAreNeverRenamedOrDeletedAndBadNamesAreRefused)
{
    mivotest::MessageBoxCapture boxes(IDYES);
    HTREEITEM desktop = pane.m_wndTree.GetRootItem();
    HTREEITEM drive = Item("C:\\");
    ASSERT_NE(nullptr, drive);
    for (HTREEITEM item : {desktop, drive}) {
        pane.m_wndTree.EnsureVisible(item);
        ASSERT_TRUE(pane.TargetItemAt(On(item)));
        EXPECT_TRUE(pane.IsProtectedFolder(item, pane.m_strContextPath)) << (LPCSTR)pane.m_strContextPath;
        CVXMenu menu;
        CMenu* popup = pane.BuildContextMenu(menu);
        ASSERT_NE(nullptr, popup);
        EXPECT_TRUE(popup->GetMenuState(ID_CONSOLE_RENAME, MF_BYCOMMAND) & MF_GRAYED);
        EXPECT_TRUE(popup->GetMenuState(ID_CONSOLE_DELETE, MF_BYCOMMAND) & MF_GRAYED);
        Command(ID_CONSOLE_DELETE);
        Answer(ID_CONSOLE_RENAME, "x");
    }
    EXPECT_TRUE(boxes.shown().empty()) << "not even the question";
    EXPECT_FALSE(pane.IsProtectedFolder(Item(Path("A")), Path("A\\")));

    for (const char* bad : {"a/b", "a\\b", "a:b", "a*b", "a?b", "a\"b", "a<b", "a>b", "a|b", ".", ".."}) {
        SCOPED_TRACE(bad);
        Target(Path("A"));
        Answer(ID_CONSOLE_NEW, bad);
        Target(Path("A"));
        Answer(ID_CONSOLE_RENAME, bad);
        EXPECT_TRUE(Exists("A\\x.jpg"));
    }
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(data.file("photos/A")))
        entries += entry.path().filename() == "x.jpg" ? 0 : 1;
    EXPECT_EQ(0, entries) << "nothing made, nothing moved";
    Target(Path("A"));
    Answer(ID_CONSOLE_NEW, "새 폴더");
    EXPECT_TRUE(Exists("A\\새 폴더"));
    EXPECT_STREQ(Path("A\\새 폴더\\"), pane.GetSelectedFolder());
}

namespace {

// A click on an item's check box, found by hit-testing leftwards from its label. Items are
// scrolled to the top, so every box sits at one point: a click on the pane first keeps two
// boxes' clicks from making a double click.
void ClickBox(CDirTreeCtrl& tree, HTREEITEM item)
{
    mivo::test::Click(tree.GetParent()->m_hWnd, 1, 1);
    CRect label;
    tree.GetItemRect(item, &label, TRUE);
    int y = label.CenterPoint().y;
    for (int x = label.left - 1; x > 0; x--) {
        UINT flags = 0;
        if (tree.HitTest(CPoint(x, y), &flags) == item && (flags & TVHT_ONITEMSTATEICON)) {
            mivo::test::Click(tree.m_hWnd, x, y);
            mivo::test::PumpUntilIdle();
            return;
        }
    }
    ADD_FAILURE() << "no check box beside the item";
}

}  // namespace

TEST_F(FolderPane, UncheckAllClearsEveryTickAndLeavesOnlyTheSelectedFoldersImages)
{
    Command(ID_CONSOLE_SHOW_CHECKBOXES);
    ASSERT_TRUE(pane.m_wndTree.GetStyle() & TVS_CHECKBOXES);
    browser.images = {root + "src\\a.jpg", root + "dst\\b.jpg", root + "A\\x.jpg", root + "AB\\y.jpg"};
    for (const char* folder : {"src", "dst", "A"})
        ClickBox(pane.m_wndTree, Item(Path(folder)));
    ASSERT_EQ(3, pane.m_arrCheckedFolders.GetSize());
    EXPECT_STREQ(Path("src\\"), pane.m_arrCheckedFolders[0]);
    EXPECT_STREQ(Path("A\\"), pane.m_arrCheckedFolders[2]);
    EXPECT_STREQ(Path("A\\"), pane.GetSelectedFolder()) << "ticking selects, and so lists";
    EXPECT_EQ("folder " + root + "A\\ 0", browser.calls.back());

    // Unticking a folder the list does not hold takes nothing away.
    pane.m_arrCheckedFolders.RemoveAt(0);
    browser.calls.clear();
    ClickBox(pane.m_wndTree, Item(Path("src")));
    EXPECT_EQ(2, pane.m_arrCheckedFolders.GetSize());
    EXPECT_EQ(4u, browser.images.size());

    // A folder listed twice would be removed only once: ticking never adds it again.
    pane.m_arrCheckedFolders.Add(Path("src\\"));
    ClickBox(pane.m_wndTree, Item(Path("src")));
    EXPECT_EQ(3, pane.m_arrCheckedFolders.GetSize());

    pane.m_wndTree.SelectItem(Item(Path("A")));
    browser.calls.clear();
    Command(ID_CONSOLE_UNCHECK_ALL);
    EXPECT_EQ(0, pane.m_arrCheckedFolders.GetSize());
    for (const char* folder : {"src", "dst", "A"})
        EXPECT_FALSE(pane.m_wndTree.GetCheck(Item(Path(folder)))) << folder;
    EXPECT_EQ((std::vector<std::string>{root + "A\\x.jpg", root + "AB\\y.jpg"}), browser.images);
    EXPECT_EQ("stop", browser.calls.front());
    EXPECT_EQ("start", browser.calls.back());
}

TEST_F(FolderPane, TheMenuOfARightClickGreysWhatCannotBeDone)
{
    const struct {
        const char* name;
        bool ticked;
        bool clipboard;
        bool boxes;
        const char* states;
    } cases[] = {
        {"nothing yet", false, false, false,
         "33196:g 33197:e 33198:e 33200:e 33201:e 33202:g 33213:e 33313:e"},
        {"all there", true, true, true, "33196:e 33197:e 33198:e 33200:e 33201:e 33202:e 33213:e 33313:g"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        pane.m_arrCheckedFolders.RemoveAll();
        if (c.ticked)
            pane.m_arrCheckedFolders.Add(Path("src\\"));
        if (c.clipboard)
            Clip(Path("src\\a.jpg"), 0, 0);
        if (c.boxes)
            Command(ID_CONSOLE_SHOW_CHECKBOXES);
        MenuCatcher menu(pane.m_hWnd);
        consoletest::RightClick(pane.m_wndTree, On(Item(Path("dst"))));
        EXPECT_TRUE(menu.shown);
        EXPECT_EQ(c.states, menu.States());
        EXPECT_STREQ(Path("dst\\"), pane.m_strContextPath);
    }
    // Empty space below the items: no menu at all.
    MenuCatcher none(pane.m_hWnd);
    CRect client;
    pane.m_wndTree.GetClientRect(&client);
    pane.m_wndTree.SetScrollPos(SB_VERT, 0);
    HTREEITEM last = pane.m_wndTree.GetRootItem();
    while (HTREEITEM next = pane.m_wndTree.GetNextVisibleItem(last))
        last = next;
    CRect lastRect;
    if (pane.m_wndTree.GetItemRect(last, &lastRect, FALSE) && lastRect.bottom < client.bottom - 4) {
        consoletest::RightClick(pane.m_wndTree, CPoint(client.right - 10, client.bottom - 3));
        EXPECT_FALSE(none.shown);
    }
}

TEST_F(FolderPane, TheEditorsOpenFolderShowsTheFolderPaneAtThePicturesFolder)
{
    EXPECT_FALSE(editor_shell::HasFolderPane()) << "no main window, no pane";
    CMainFrame* frame = new CMainFrame;  // deletes itself with its window
    ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW));
    AfxGetApp()->m_pMainWnd = frame;
    frame->SetSelFolder(kFolderEditTools);
    EXPECT_TRUE(editor_shell::HasFolderPane());
    EXPECT_TRUE(editor_shell::ShowFolderInPane(Path("src\\")));
    EXPECT_EQ(kFolderBrowse, frame->GetSelFolder());
    EXPECT_STREQ(Path("src\\"), frame->m_pBrowsePane->GetSelectedFolder());
    EXPECT_EQ("folder " + root + "src\\ 0", browser.calls.back()) << "the selection opens the folder";
    AfxGetApp()->m_pMainWnd = nullptr;
    frame->DestroyWindow();
    mivo::test::PumpUntilIdle();
}
