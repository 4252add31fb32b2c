// The album picker run modally: OK with or without a chosen album, albums made on empty space
// or under the album clicked, renamed and removed (greyed where no album was clicked), and an
// album dragged in the picker stored as the album pane stores it.
#include "AlbumFixture.h"

#include "album/DlgAlbumSelect.h"
#include "controls/VXMenu.h"
#include "framework/VXUtil.h"
#include "res/resource.h"
#include "resource.h"
#include "support/MessageBoxCapture.h"

using albumtest::AlbumDatabase;
using albumtest::ScriptedOwner;
using mivo::test::QueueKey;
using mivo::test::QueueText;

namespace {

class Picker : public AlbumDatabase {
protected:
    void SetUp() override
    {
        AlbumDatabase::SetUp();
        ASSERT_TRUE(db.exec(u8"insert into AlbumMaster values (3,'가족',0),(7,'여행',0),(8,'제주',7)"));
    }
    static HTREEITEM Item(CDlgAlbumSelect& dlg, int album)
    {
        return SearchTreeItemByData(&dlg.m_treeAlbum, TVI_ROOT, (DWORD_PTR)album);
    }
    // Points of the tree's client area: on an album's label, and on empty space below them all.
    static CPoint On(CDlgAlbumSelect& dlg, int album)
    {
        CRect rect;
        dlg.m_treeAlbum.GetItemRect(Item(dlg, album), &rect, TRUE);
        return rect.CenterPoint();
    }
    static CPoint Below(CDlgAlbumSelect& dlg)
    {
        CRect client;
        dlg.m_treeAlbum.GetClientRect(&client);
        return CPoint(client.right - 5, client.bottom - 5);
    }
    static void Command(CDlgAlbumSelect& dlg, UINT id) { dlg.SendMessage(WM_COMMAND, id, 0); }
    // A command that asks for a name: a timer answers the input box it opens, from inside the
    // box's own loop.
    static void Answer(CDlgAlbumSelect& dlg, UINT id, const char* typed)
    {
        s_typed = typed;
        s_timer = ::SetTimer(nullptr, 0, 20, AnswerInputBox);
        Command(dlg, id);
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
    static const char* s_typed;
    static UINT_PTR s_timer;
};

const char* Picker::s_typed = "";
UINT_PTR Picker::s_timer = 0;

}  // namespace

TEST_F(Picker, OkWithoutAnAlbumEndsAsCancel)
{
    ScriptedOwner run;
    CDlgAlbumSelect dlg;
    std::string shown;
    run.script.Then([&](HWND) {
        shown = albumtest::TreeText(dlg.m_treeAlbum);
        dlg.m_treeAlbum.SelectItem(nullptr);
        QueueKey(VK_RETURN);
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ("가족#3,여행#7(제주#8)", shown);
    EXPECT_EQ(0, dlg.m_nSelAlbumID);

    ScriptedOwner again;
    CDlgAlbumSelect chosen;
    again.script.Then([&](HWND) {
        chosen.m_treeAlbum.SelectItem(Item(chosen, 8));
        QueueKey(VK_RETURN);
    });
    EXPECT_EQ(IDOK, chosen.DoModal());
    EXPECT_EQ(8, chosen.m_nSelAlbumID);
}

TEST_F(Picker, NewAlbumsGoUnderTheAlbumClickedOrToTheTop)
{
    ScriptedOwner run;
    CDlgAlbumSelect dlg;
    std::string tree;
    run.script
        .Then([&](HWND) {
            dlg.TargetItemAt(Below(dlg));
            Answer(dlg, ID_ALBUM_NEW, "새 앨범");
        })
        .Then([&](HWND) {
            dlg.TargetItemAt(On(dlg, 7));
            Answer(dlg, ID_ALBUM_NEW, "바다");
        })
        .Then([&](HWND) {
            tree = albumtest::TreeText(dlg.m_treeAlbum);
            dlg.EndDialog(IDCANCEL);
        });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(u8"0:앨범:0 ; 3:가족:0 ; 7:여행:0 ; 8:제주:7 ; 9:새 앨범:0 ; 10:바다:7", Albums());
    EXPECT_EQ("가족#3,여행#7(제주#8,바다#10),새 앨범#9", tree);
}

TEST_F(Picker, RenameAndRemoveNeedAnAlbumUnderTheClick)
{
    ScriptedOwner run;
    CDlgAlbumSelect dlg;
    mivotest::MessageBoxCapture boxes(IDYES);
    UINT renameState = 0, removeState = 0, refreshState = 0;
    int items = 0;
    std::string tree;
    run.script
        .Then([&](HWND) {
            dlg.TargetItemAt(Below(dlg));
            CVXMenu menu;
            CMenu* popup = dlg.BuildContextMenu(menu);
            ASSERT_NE(nullptr, popup);
            items = popup->GetMenuItemCount();
            renameState = popup->GetMenuState(ID_ALBUM_RENAME, MF_BYCOMMAND);
            removeState = popup->GetMenuState(ID_ALBUM_REMOVE, MF_BYCOMMAND);
            refreshState = popup->GetMenuState(ID_ALBUM_REFRESH, MF_BYCOMMAND);
            EXPECT_EQ(0xFFFFFFFFu, popup->GetMenuState(ID_ALBUM_PASTE, MF_BYCOMMAND));
            EXPECT_EQ(0xFFFFFFFFu, popup->GetMenuState(ID_ALBUM_OPEN_BROWSER, MF_BYCOMMAND));
            // Even sent directly, neither touches the root.
            Command(dlg, ID_ALBUM_REMOVE);
            Command(dlg, ID_ALBUM_RENAME);
        })
        .Then([&](HWND) {
            dlg.TargetItemAt(On(dlg, 7));
            Answer(dlg, ID_ALBUM_RENAME, "Tom's 여행");
        })
        .Then([&](HWND) {
            dlg.TargetItemAt(On(dlg, 7));
            Command(dlg, ID_ALBUM_REMOVE);
            tree = albumtest::TreeText(dlg.m_treeAlbum);
            dlg.EndDialog(IDCANCEL);
        });
    dlg.DoModal();
    EXPECT_EQ(5, items);
    EXPECT_TRUE(renameState & MF_GRAYED);
    EXPECT_TRUE(removeState & MF_GRAYED);
    EXPECT_FALSE(refreshState & MF_GRAYED);
    ASSERT_EQ(1u, boxes.shown().size());
    EXPECT_EQ("[ Tom's 여행 ] 앨범의 내용을 삭제하시겠습니까? \r\n(이미지 파일은 삭제되지 않습니다.)", boxes.shown()[0].text);
    EXPECT_EQ("가족#3", tree);
    // The sub-album's row stays behind.
    EXPECT_EQ(u8"0:앨범:0 ; 3:가족:0 ; 8:제주:7", Albums());
}

TEST_F(Picker, AnAlbumDraggedInThePickerIsStored)
{
    ScriptedOwner run;
    CDlgAlbumSelect dlg;
    std::string tree;
    run.script.Then([&](HWND) {
        // The tree reports a drag of 8 onto 3; a refresh then shows what was stored.
        dlg.SendMessage(WM_TREE_ITEM_DROPPED, 8, 3);
        Command(dlg, ID_ALBUM_REFRESH);
        tree = albumtest::TreeText(dlg.m_treeAlbum);
        dlg.EndDialog(IDCANCEL);
    });
    dlg.DoModal();
    EXPECT_EQ("가족#3(제주#8),여행#7", tree);
}
