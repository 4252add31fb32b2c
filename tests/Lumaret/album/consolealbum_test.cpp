// The album pane on a temporary database: the first load selects and opens the remembered
// album, a refresh re-selects the selection; albums made under the clicked one or at the top;
// pastes of every clipboard kind; a drop re-parents; the menu greys what the click cannot
// reach; Enter in the keyword edit searches; the splitter and the selection are remembered.
#include "ConsoleFixture.h"

#include "album/DlgConsoleAlbum.h"
#include "album/DlgConsoleSubAlbum.h"
#include "dialogs/DlgUserInputBox.h"
#include "framework/VXUtil.h"
#include "res/resource.h"
#include "resource.h"
#include "support/MessageBoxCapture.h"

using consoletest::ConsoleTest;
using consoletest::MenuCatcher;

namespace {

class AlbumPane : public ConsoleTest {
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(db.exec(u8"insert into AlbumMaster values (3,'가족',0),(7,'여행',0),(8,'제주',7)"));
    }
    HTREEITEM Item(int album) { return SearchTreeItemByData(&pane.m_treeAlbum, TVI_ROOT, (DWORD_PTR)album); }
    CPoint On(int album)
    {
        CRect rect;
        pane.m_treeAlbum.GetItemRect(Item(album), &rect, TRUE);
        return rect.CenterPoint();
    }
    CPoint Below()
    {
        CRect client;
        pane.m_treeAlbum.GetClientRect(&client);
        return CPoint(client.right - 8, client.bottom - 8);
    }
    void Command(UINT id) { pane.SendMessage(WM_COMMAND, id, 0); }
    // A command that asks for a name: a timer answers the input box from inside its loop.
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
    std::string Tree() { return albumtest::TreeText(pane.m_treeAlbum); }
    // Enter typed into a control, with the pane's keyboard handling first, as the program's
    // message loop gives it.
    void PressEnterIn(CWnd* control)
    {
        control->SetFocus();
        mivo::InjectKey(VK_RETURN, true);
        mivo::InjectKey(VK_RETURN, false);
        MSG msg;
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (pane.PreTranslateMessage(&msg))
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }

    static const char* s_typed;
    static UINT_PTR s_timer;
    CDlgConsoleAlbum pane;
};

const char* AlbumPane::s_typed = "";
UINT_PTR AlbumPane::s_timer = 0;

}  // namespace

TEST_F(AlbumPane, TheFirstLoadOpensTheRememberedAlbumAndARefreshReopensTheSelection)
{
    app->SaveProfileInt(app->m_strAppKey, "RecentAlbumID", 8);
    Place(pane, IDD_CONSOLE_ALBUM);
    EXPECT_EQ(8, pane.m_nSelectAlbumID);
    EXPECT_EQ("", browser.Calls()) << "the tree stays empty until the frame shows the pane";

    pane.LoadAlbumTree();
    EXPECT_EQ("가족#3,여행#7(제주#8)", Tree());
    EXPECT_EQ(8, pane.GetSelectedAlbumID());
    EXPECT_EQ("open 128 ; album 8 0", browser.Calls());

    browser.calls.clear();
    pane.LoadAlbumTree();
    EXPECT_EQ("", browser.Calls()) << "a loaded tree is not filled again";

    ASSERT_TRUE(db.exec(u8"insert into AlbumMaster values (9,'바다',8)"));
    pane.m_treeAlbum.SelectItem(Item(3));
    browser.calls.clear();
    Command(ID_CONSOLE_REFRESH);
    EXPECT_EQ("가족#3,여행#7(제주#8(바다#9))", Tree());
    EXPECT_EQ(3, pane.GetSelectedAlbumID());
    EXPECT_EQ("open 128 ; album 3 0", browser.Calls());
    pane.DestroyWindow();
    EXPECT_EQ(3, app->LoadProfileInt(app->m_strAppKey, "RecentAlbumID"));

    // Without a selection a refresh selects nothing and the pane remembers no album.
    CDlgConsoleAlbum again;
    Place(again, IDD_CONSOLE_ALBUM);
    again.m_nSelectAlbumID = 0;
    again.LoadAlbumTree();
    browser.calls.clear();
    again.SendMessage(WM_COMMAND, ID_CONSOLE_REFRESH);
    EXPECT_EQ(0, again.m_nSelectAlbumID);
    EXPECT_EQ(-1, again.GetSelectedAlbumID());
    EXPECT_EQ("", browser.Calls());
    again.DestroyWindow();
    EXPECT_EQ(0, app->LoadProfileInt(app->m_strAppKey, "RecentAlbumID"));
}

TEST_F(AlbumPane, NewAlbumsGoUnderTheClickedAlbumOrToTheTop)
{
    Place(pane, IDD_CONSOLE_ALBUM);
    pane.LoadAlbumTree();
    pane.TargetItemAt(On(7));
    Answer(ID_CONSOLE_NEW, "바다");
    pane.TargetItemAt(Below());
    EXPECT_EQ(TVI_ROOT, pane.m_hContextItem);
    EXPECT_EQ(0, pane.m_nContextAlbumID);
    Answer(ID_CONSOLE_NEW, "새 앨범");
    EXPECT_EQ(u8"0:앨범:0 ; 3:가족:0 ; 7:여행:0 ; 8:제주:7 ; 9:바다:7 ; 10:새 앨범:0", Albums());
    EXPECT_EQ("가족#3,여행#7(제주#8,바다#9),새 앨범#10", Tree());
    EXPECT_EQ(10, pane.GetSelectedAlbumID()) << "the new album is selected, and so opened";

    // Cancelled and empty names change nothing.
    pane.TargetItemAt(On(3));
    Answer(ID_CONSOLE_NEW, "");
    Answer(ID_CONSOLE_RENAME, "");
    EXPECT_EQ(u8"0:앨범:0 ; 3:가족:0 ; 7:여행:0 ; 8:제주:7 ; 9:바다:7 ; 10:새 앨범:0", Albums());
}

TEST_F(AlbumPane, RenameAndDeleteActOnTheClickedAlbumAndKeepPhotoFiles)
{
    ASSERT_TRUE(db.exec(u8"insert into AlbumDetail (AlbumID, Seq, PathName) values (7,1,'C:\\a.jpg'),(3,1,'C:\\b.jpg')"));
    Place(pane, IDD_CONSOLE_ALBUM);
    pane.LoadAlbumTree();
    pane.TargetItemAt(On(7));
    Answer(ID_CONSOLE_RENAME, "Tom's 여행");
    EXPECT_EQ("가족#3,Tom's 여행#7(제주#8)", Tree());

    mivotest::MessageBoxCapture boxes(IDNO);
    pane.TargetItemAt(On(7));
    Command(ID_CONSOLE_DELETE);
    EXPECT_EQ("가족#3,Tom's 여행#7(제주#8)", Tree()) << "No keeps the album";
    boxes.setAnswer(IDYES);
    Command(ID_CONSOLE_DELETE);
    ASSERT_EQ(2u, boxes.shown().size());
    EXPECT_EQ("[ Tom's 여행 ] 앨범의 내용을 삭제하시겠습니까? \r\n(이미지 파일은 삭제되지 않습니다.)", boxes.shown()[1].text);
    EXPECT_EQ((UINT)(MB_YESNO | MB_ICONQUESTION), boxes.shown()[1].type & (MB_TYPEMASK | MB_ICONMASK));
    EXPECT_EQ("가족#3", Tree());
    EXPECT_EQ(u8"0:앨범:0 ; 3:가족:0 ; 8:제주:7", Albums());
    EXPECT_EQ(u8"3:1:C:\\b.jpg", Details());
}

TEST_F(AlbumPane, PasteAddsEveryKindOnceAndMovesOnlyCutAlbumPhotos)
{
    ASSERT_TRUE(db.exec(u8"insert into AlbumDetail (AlbumID, Seq, PathName) values "
                        u8"(3,1,'C:\\사진\\c.jpg'),(3,2,'C:\\사진\\d.jpg'),(8,1,'C:\\사진\\e.jpg'),(7,4,'C:\\x.jpg')"));
    Place(pane, IDD_CONSOLE_ALBUM);
    pane.LoadAlbumTree();
    const struct {
        const char* path;
        int kind;
        int move;
    } clip[] = {
        {"C:\\사진\\a.jpg", 0, 1},    // a file of a folder, cut: a row only
        {"C:\\사진\\폴더", 1, 0},     // a folder: skipped
        {"C:\\사진\\c.jpg", 103, 1},  // cut from album 3: moves
        {"C:\\사진\\d.jpg", 103, 0},  // copied from album 3: stays there too
        {"C:\\사진\\e.jpg", 108, 1},  // cut from album 8: moves
        {"C:\\x.jpg", 107, 1},        // cut from the target itself: stays as it is
    };
    for (const auto& c : clip)
        Clip(c.path, c.kind, c.move);
    browser.open = TRUE;
    pane.TargetItemAt(On(7));
    Command(ID_CONSOLE_PASTE);
    EXPECT_EQ(u8"3:2:C:\\사진\\d.jpg ; 7:4:C:\\x.jpg ; 7:5:C:\\사진\\a.jpg ; 7:6:C:\\사진\\c.jpg ; "
              u8"7:7:C:\\사진\\d.jpg ; 7:8:C:\\사진\\e.jpg",
              Details());
    EXPECT_EQ("album 7 1", browser.calls.back()) << "the open browser lists the target again";
    EXPECT_EQ(6, theApp.m_arrClipPaths.GetSize()) << "pasting never empties the clipboard";
    EXPECT_EQ(7, pane.GetSelectedAlbumID());
}

TEST_F(AlbumPane, APasteIntoAnEmptyAlbumStartsAtOneAndAFailedInsertTakesNothingAway)
{
    ASSERT_TRUE(db.exec(u8"insert into AlbumDetail (AlbumID, Seq, PathName) values (3,1,'C:\\c.jpg')"));
    Place(pane, IDD_CONSOLE_ALBUM);
    pane.LoadAlbumTree();
    Clip("C:\\a.jpg", 0, 0);
    Clip("C:\\b.jpg", 0, 0);
    pane.TargetItemAt(On(8));
    Command(ID_CONSOLE_PASTE);
    EXPECT_EQ(u8"3:1:C:\\c.jpg ; 8:1:C:\\a.jpg ; 8:2:C:\\b.jpg", Details());

    // A photo cut from album 3 whose new row cannot be stored stays in album 3.
    ASSERT_TRUE(db.exec("create trigger refuse before insert on AlbumDetail begin select raise(abort, 'no'); end"));
    theApp.m_arrClipPaths.RemoveAll();
    theApp.m_arrClipKinds.RemoveAll();
    theApp.m_arrClipMove.RemoveAll();
    Clip("C:\\c.jpg", 103, 1);
    mivotest::MessageBoxCapture boxes;
    Command(ID_CONSOLE_PASTE);
    EXPECT_EQ(u8"3:1:C:\\c.jpg ; 8:1:C:\\a.jpg ; 8:2:C:\\b.jpg", Details());
}

TEST_F(AlbumPane, ADroppedAlbumIsStoredUnderItsNewParent)
{
    Place(pane, IDD_CONSOLE_ALBUM);
    pane.LoadAlbumTree();
    EXPECT_EQ(1, pane.SendMessage(WM_TREE_ITEM_DROPPED, 8, 3));
    EXPECT_EQ(u8"0:앨범:0 ; 3:가족:0 ; 7:여행:0 ; 8:제주:3", Albums());
}

TEST_F(AlbumPane, TheMenuOfARightClickGreysWhatTheClickCannotReach)
{
    Place(pane, IDD_CONSOLE_ALBUM);
    pane.LoadAlbumTree();
    const struct {
        bool onAlbum;
        bool clipboard;
        const char* states;
    } cases[] = {
        {true, true, "33196:e 33197:e 33198:e 33200:e 33201:e 33213:e"},
        {true, false, "33196:g 33197:e 33198:e 33200:e 33201:e 33213:e"},
        {false, true, "33196:g 33197:g 33198:e 33200:e 33201:g 33213:g"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.states);
        theApp.m_arrClipPaths.RemoveAll();
        if (c.clipboard)
            Clip("C:\\a.jpg", 0, 0);
        MenuCatcher menu(pane.m_hWnd);
        consoletest::RightClick(pane.m_treeAlbum, c.onAlbum ? On(3) : Below());
        EXPECT_TRUE(menu.shown);
        EXPECT_EQ(c.states, menu.States());
        EXPECT_EQ(c.onAlbum ? 3 : 0, pane.m_nContextAlbumID);
    }
}

TEST_F(AlbumPane, EnterInTheKeywordEditSearchesOnlyWithAKeyword)
{
    Place(pane, IDD_CONSOLE_ALBUM);
    CWnd* keyword = pane.GetDlgItem(IDC_CONSOLE_KEYWORD);
    PressEnterIn(keyword);
    EXPECT_EQ("", browser.Calls());
    keyword->SetWindowText("Tom's 바다");
    PressEnterIn(keyword);
    EXPECT_EQ("open 128 ; search Tom's 바다", browser.Calls());
    EXPECT_TRUE(::IsWindow(pane.m_hWnd)) << "Enter does not end the pane";
}

TEST_F(AlbumPane, TabsShowOneSubPaneAndTheSplitterPositionIsKept)
{
    Place(pane, IDD_CONSOLE_ALBUM);
    const struct {
        UINT tab;
        int shown;
    } cases[] = {{IDC_CONSOLE_TAB_EXIF, 1}, {IDC_CONSOLE_TAB_ALBUMINFO, 2}, {IDC_CONSOLE_TAB_PREVIEW, 0}};
    for (const auto& c : cases) {
        pane.SendMessage(WM_COMMAND, MAKEWPARAM(c.tab, BN_CLICKED), (LPARAM)pane.GetDlgItem(c.tab)->m_hWnd);
        for (int i = 0; i < 3; i++) {
            EXPECT_EQ(i == c.shown, pane.m_arrChildDlgs[i]->IsWindowVisible() != FALSE) << c.tab << " child " << i;
            EXPECT_EQ(i == c.shown ? 1 : 0, pane.m_btnTabs[i].GetCheck()) << c.tab << " tab " << i;
        }
    }
    // Sub panes fill the area below the tabs: 2 left, 24 top, 3 right, 2 bottom.
    CRect area, sub;
    pane.GetDlgItem(IDC_CONSOLE_SUBAREA)->GetWindowRect(&area);
    pane.m_arrChildDlgs[0]->GetWindowRect(&sub);
    EXPECT_EQ(CRect(area.left + 2, area.top + 24, area.right - 3, area.bottom - 2), sub);

    CRect bar;
    pane.m_wndSplitter.GetWindowRect(&bar);
    pane.ScreenToClient(&bar);
    pane.m_wndSplitter.MoveWindow(bar.left, 200, bar.Width(), bar.Height());
    pane.DestroyWindow();
    EXPECT_EQ(200, app->LoadProfileInt(app->m_strAppKey, "AlbumSplitterY"));

    CDlgConsoleAlbum again;
    Place(again, IDD_CONSOLE_ALBUM);
    again.m_wndSplitter.GetWindowRect(&bar);
    again.ScreenToClient(&bar);
    EXPECT_EQ(200, bar.top);
    CRect tree;
    again.m_treeAlbum.GetWindowRect(&tree);
    again.ScreenToClient(&tree);
    EXPECT_EQ(199, tree.bottom) << "the tree ends above the bar";
}
