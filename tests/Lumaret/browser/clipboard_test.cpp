// The file clipboard and the dragged photo list of the thumbnail view, and the commands of its
// context menu: greying, removing from an album, excluding and renaming.
#include "BrowserFixture.h"

#include "controls/VXMenu.h"
#include "mivo/paths.h"
#include "resource.h"
#include "shell/MainApp.h"
#include "support/MessageLoop.h"

#include <unistd.h>

#include <functional>

using browsertest::BrowserTest;

namespace {

class Clipboard : public BrowserTest {
protected:
    bool Exists(const CString& path) const
    {
        std::string posix;
        return mivo::ToPosixPath(path, posix) && ::access(posix.c_str(), F_OK) == 0;
    }
    int Index(const char* name) const
    {
        for (int i = 0; i < browser->m_nItemCount; i++)
            if (browser->m_arrName[i] == name)
                return i;
        return -1;
    }
    void Select(std::initializer_list<const char*> names)
    {
        for (int i = 0; i < browser->m_nItemCount; i++)
            browser->m_arrSelected[i] = 0;
        for (const char* name : names)
            browser->m_arrSelected[Index(name)] = 1;
        View().UpdateStatusText();
    }
    void Command(UINT id)
    {
        View().SendMessage(WM_COMMAND, id);
        WaitForLoader();
    }
    std::string Clip() const
    {
        std::string text;
        for (int i = 0; i < theApp.m_arrClipPaths.GetSize(); i++) {
            CString line;
            const CString& path = theApp.m_arrClipPaths[i];
            line.Format("%u:%u:%s;", theApp.m_arrClipKinds[i], theApp.m_arrClipMove[i],
                        (LPCSTR)path.Mid(path.ReverseFind('\\') + 1));
            text += (LPCSTR)line;
        }
        return text;
    }
    std::string LastBox() const
    {
        auto shown = boxes.shown();
        return shown.empty() ? std::string() : shown.back().text;
    }
    // Two folders with a.jpg and b.jpg in the first; album 5 holds both.
    void MakeFolders()
    {
        one = MakeFolder("one");
        two = MakeFolder("two");
        WritePicture(one + "a.jpg", 32, 24);
        WritePicture(one + "b.jpg", 32, 24);
        ASSERT_TRUE(db.exec("insert into AlbumDetail (AlbumID, Seq, PathName) values (5, 1, '" +
                            std::string((LPCSTR)one) + "a.jpg'), (5, 2, '" + std::string((LPCSTR)one) + "b.jpg')"));
    }

    CString one, two;
};

// The greying of a context menu's commands: "id" for each greyed one, in the table's order.
std::string Greyed(CMenu* menu)
{
    const UINT ids[] = {ID_BROWSER_EDIT,        ID_BROWSER_DETAIL, ID_BROWSER_LINKED_PROGRAM, ID_BROWSER_WALLPAPER_CENTER,
                        ID_BROWSER_ADD_TO_ALBUM, ID_BROWSER_RENAME, ID_BROWSER_REMOVE,         ID_EDIT_CUT,
                        ID_EDIT_PASTE,          ID_BROWSER_EXCLUDE, ID_BROWSER_SELECT_ALL,     ID_BROWSER_REFRESH,
                        ID_BROWSER_PRINT,       ID_BROWSER_CART};
    std::function<UINT(CMenu*, UINT)> state = [&](CMenu* m, UINT id) -> UINT {
        for (int i = 0; i < (int)m->GetMenuItemCount(); i++) {
            if (CMenu* sub = m->GetSubMenu(i)) {
                UINT s = state(sub, id);
                if (s != (UINT)-1)
                    return s;
            } else if (m->GetMenuItemID(i) == id) {
                return m->GetMenuState(i, MF_BYPOSITION);
            }
        }
        return (UINT)-1;
    };
    std::string text;
    for (UINT id : ids)
        if (state(menu, id) & MF_GRAYED)
            text += std::to_string(id) + " ";
    return text;
}

}  // namespace

TEST_F(Clipboard, DraggedTextNamesTheKindAndPathOfEachItem)
{
    MakeFolders();
    List(one);
    int a = Index("a.jpg"), b = Index("b.jpg");
    View().m_nFocus = a;
    EXPECT_EQ("0\t" + std::string((LPCSTR)one) + "a.jpg\r", std::string((LPCSTR)View().DragText()));
    View().m_nFocus = Index("..");
    EXPECT_EQ("1\t" + std::string((LPCSTR)one) + "..\r", std::string((LPCSTR)View().DragText()));

    browser->ListAlbum(5, TRUE);
    WaitForLoader();
    a = Index("a.jpg");
    b = Index("b.jpg");
    // One unselected photo goes as a plain file; a selection of several goes with its album.
    View().m_nFocus = a;
    EXPECT_EQ("0\t" + std::string((LPCSTR)one) + "a.jpg\r", std::string((LPCSTR)View().DragText()));
    Select({"a.jpg", "b.jpg"});
    EXPECT_EQ("105\t" + std::string((LPCSTR)one) + "a.jpg\r105\t" + std::string((LPCSTR)one) + "b.jpg\r",
              std::string((LPCSTR)View().DragText()));
    (void)b;
}

TEST_F(Clipboard, PasteMovesOrCopiesIntoTheListedFolderAndReports)
{
    MakeFolders();
    List(one);
    Select({"a.jpg"});
    Command(ID_EDIT_CUT);
    EXPECT_EQ("0:1:a.jpg;", Clip());

    struct Case {
        const char* what;
        CString folder;
        UINT clipboard;  // ID_EDIT_CUT or ID_EDIT_COPY of b.jpg first; 0 keeps the clipboard
        const char* message;
        bool aInOne, aInTwo, bInTwo;
    } cases[] = {
        {"cut, pasted into the same folder", one, 0, "파일 이동(복사)이 이루어지지 않았습니다.", true, false, false},
        {"cut, pasted into another folder", two, 0, "1 파일을 \r%s 폴더로 \r이동했습니다.", false, true, false},
        {"pasted again: the file is gone", two, 0, "파일 이동(복사)이 이루어지지 않았습니다.", false, true, false},
        {"copied", two, ID_EDIT_COPY, "1 파일을 \r%s 폴더로 \r복사했습니다.", false, true, true},
        {"copied onto an existing name", two, ID_EDIT_COPY, "파일 이동(복사)이 이루어지지 않았습니다.", false, true, true},
    };
    for (const Case& c : cases) {
        if (c.clipboard) {
            List(one);
            Select({"b.jpg"});
            Command(c.clipboard);
        }
        List(c.folder);
        Command(ID_EDIT_PASTE);
        CString expected;
        expected.Format(c.message, (LPCSTR)c.folder);
        EXPECT_EQ(std::string((LPCSTR)expected), LastBox()) << c.what;
        EXPECT_EQ(c.aInOne, Exists(one + "a.jpg")) << c.what;
        EXPECT_EQ(c.aInTwo, Exists(two + "a.jpg")) << c.what;
        EXPECT_EQ(c.bInTwo, Exists(two + "b.jpg")) << c.what;
        EXPECT_TRUE(Exists(one + "b.jpg")) << c.what;
    }
    // The move took the album row along; the clipboard still holds its last entries.
    EXPECT_EQ(std::string((LPCSTR)two) + "a.jpg", db.scalar("select PathName from AlbumDetail where Seq = 1"));
    EXPECT_EQ("0:0:b.jpg;", Clip());
}

TEST_F(Clipboard, PasteIntoAnAlbumAddsRowsAndACutPhotoLeavesItsAlbum)
{
    MakeFolders();
    browser->ListAlbum(5, TRUE);
    WaitForLoader();
    Select({"a.jpg"});
    Command(ID_EDIT_CUT);
    // Into the same album: a cut photo stays as it is.
    Command(ID_EDIT_PASTE);
    EXPECT_EQ("2", db.scalar("select count(*) from AlbumDetail"));

    browser->ListAlbum(6, TRUE);
    WaitForLoader();
    Command(ID_EDIT_PASTE);
    EXPECT_EQ("6:1", db.scalar("select group_concat(AlbumID || ':' || Seq) from AlbumDetail where PathName like '%a.jpg'"));
    EXPECT_EQ(1, browser->m_nItemCount);
    EXPECT_EQ(1u, browser->m_arrSelected[0]);
    EXPECT_TRUE(Exists(one + "a.jpg"));
    // Pasted again, it stands twice.
    Command(ID_EDIT_PASTE);
    EXPECT_EQ("6:1,6:2", db.scalar("select group_concat(AlbumID || ':' || Seq) from AlbumDetail where AlbumID = 6"));
}

TEST_F(Clipboard, TheContextMenuGreysByListingAndSelection)
{
    MakeFolders();
    List(one);
    struct Case {
        const char* what;
        std::initializer_list<const char*> selected;
        const char* greyed;
    } cases[] = {
        {"empty space", {}, "33203 33326 33334 33298 33330 33213 33197 57635 57637 33210 38625 33318 "},
        {"one photo", {"a.jpg"}, "33326 33334 57637 "},
        {"two photos", {"a.jpg", "b.jpg"}, "33326 33334 33298 33213 57637 "},
    };
    for (const Case& c : cases) {
        Select(c.selected);
        CVXMenu menu;
        CMenu* popup = View().BuildContextMenu(menu, -1);
        ASSERT_TRUE(popup);
        EXPECT_EQ(c.greyed, Greyed(popup)) << c.what;
    }
    // In an album the remove command reads differently; paste is open there, not in a search.
    Select({"a.jpg"});
    Command(ID_EDIT_COPY);
    browser->ListAlbum(5, TRUE);
    WaitForLoader();
    {
        CVXMenu menu;
        CMenu* popup = View().BuildContextMenu(menu, -1);
        CString text;
        ASSERT_TRUE(dynamic_cast<CVXMenu*>(popup));
        dynamic_cast<CVXMenu*>(popup)->GetMenuText(ID_BROWSER_REMOVE, text, MF_BYCOMMAND);
        EXPECT_STREQ("앨범에서 제거", text);
        EXPECT_EQ("33203 33326 33334 33298 33330 33213 33197 57635 33210 38625 33318 ", Greyed(popup));
    }
    browser->SearchAlbums("none");
    WaitForLoader();
    CVXMenu menu;
    EXPECT_NE(std::string::npos, Greyed(View().BuildContextMenu(menu, -1)).find("57637"));
}

TEST_F(Clipboard, RemovingFromAnAlbumKeepsTheFilesAndExcludingTouchesNothing)
{
    MakeFolders();
    browser->ListAlbum(5, TRUE);
    WaitForLoader();
    Select({"b.jpg"});
    View().m_nFocus = 1;
    Command(ID_BROWSER_REMOVE);
    EXPECT_EQ("해당 파일(들)을 앨범에서 제거하시겠습니까?  \r\n(이미지 파일은 삭제되지 않습니다.)", LastBox());
    EXPECT_EQ("a.jpg", Names());
    EXPECT_EQ("1", db.scalar("select count(*) from AlbumDetail"));
    EXPECT_TRUE(Exists(one + "b.jpg"));
    EXPECT_EQ(-1, View().m_nFocus);

    Select({"a.jpg"});
    Command(ID_BROWSER_EXCLUDE);
    EXPECT_EQ("", Names());
    EXPECT_EQ("1", db.scalar("select count(*) from AlbumDetail"));
    EXPECT_TRUE(Exists(one + "a.jpg"));
}

TEST_F(Clipboard, RemovingInAFolderDeletesTheFileAndItsRows)
{
    MakeFolders();
    List(one);
    Select({"b.jpg"});
    Command(ID_BROWSER_REMOVE);
    EXPECT_EQ("해당 파일(들)을 삭제하시겠습니까?", LastBox());
    EXPECT_FALSE(Exists(one + "b.jpg"));
    EXPECT_EQ(-1, Index("b.jpg"));
    EXPECT_EQ("1", db.scalar("select count(*) from AlbumDetail"));
}
