// The EXIF and album-details sub panes: the grid's default columns and stored layout, what it
// lists for a camera JPEG, a JPEG without EXIF and a BMP; the details' button sequence, a new
// entry saved over the row, an apostrophe stored and read back, a missing row and a save that
// no row takes.
#include "ConsoleFixture.h"

#include "album/DlgConsoleSubAlbum.h"
#include "album/DlgConsoleSubEXIF.h"
#include "resource.h"
#include "support/ExifPhoto.h"

using consoletest::ConsoleTest;

namespace {

class ExifPane : public ConsoleTest {
protected:
    CDlgConsoleSubEXIF pane;
};

class DetailsPane : public ConsoleTest {
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(db.exec(u8"insert into AlbumMaster values (3,'가족',0)"));
        ASSERT_TRUE(db.exec(u8"insert into AlbumDetail (AlbumID, Seq, PathName, Title, TargetList, Photographer, "
                            u8"Process, PhotoDesc) values (3,1,'C:\\사진\\a.jpg','제목','대상','아빠','보정','메모'),"
                            u8"(3,2,'C:\\사진\\b.jpg','','','','','')"));
        Place(pane, IDD_CONSOLE_SUB_ALBUM);
    }
    void Load(int album, int seq)
    {
        pane.m_nAlbumID = album;
        pane.m_nSeq = seq;
        pane.LoadDetails();
        mivo::test::PumpUntilIdle();
    }
    std::string Buttons()
    {
        return std::string(pane.m_btnNew.IsWindowEnabled() ? "new" : "-") + "/" +
               (pane.m_btnSave.IsWindowEnabled() ? "save" : "-");
    }
    std::string Texts()
    {
        std::string all;
        for (UINT id : {IDC_DETAIL_TITLE, IDC_DETAIL_TARGET, IDC_DETAIL_PHOTOGRAPHER, IDC_DETAIL_PROCESS,
                        IDC_DETAIL_MEMO, IDC_DETAIL_FILE}) {
            CString text;
            pane.GetDlgItemText(id, text);
            all += std::string(id == IDC_DETAIL_TITLE ? "" : "|") + (LPCSTR)text;
        }
        return all;
    }
    void Click(UINT id) { pane.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)pane.GetDlgItem(id)->m_hWnd); }
    CDlgConsoleSubAlbum pane;
};

}  // namespace

TEST_F(ExifPane, WithoutAStoredLayoutTheGridShowsItsTwoColumnsAndAResizeIsRestored)
{
    Place(pane, IDD_CONSOLE_SUB_EXIF);
    EXPECT_EQ(2, pane.m_wndGrid.GetActiveSubItemCount());
    EXPECT_EQ(100, pane.m_wndGrid.GetSubItemWidth(0));
    EXPECT_EQ(200, pane.m_wndGrid.GetSubItemWidth(1));
    ASSERT_NE(nullptr, pane.m_wndGrid.SubItemAt(1));
    EXPECT_STREQ("구분", (LPCSTR)pane.m_wndGrid.SubItemAt(0)->strText);
    EXPECT_STREQ("내용", (LPCSTR)pane.m_wndGrid.SubItemAt(1)->strText);
    EXPECT_EQ(0x3Au, pane.m_wndGrid.GetStyle() & 0x3A);

    pane.m_wndGrid.SetSubItemWidth(0, 140);
    pane.DestroyWindow();
    CDlgConsoleSubEXIF again;
    Place(again, IDD_CONSOLE_SUB_EXIF);
    EXPECT_EQ(140, again.m_wndGrid.GetSubItemWidth(0));
    EXPECT_EQ(200, again.m_wndGrid.GetSubItemWidth(1));
}

TEST_F(ExifPane, OnlyAJpegWithAnExifBlockFillsTheGrid)
{
    Place(pane, IDD_CONSOLE_SUB_EXIF);
    std::string camera = data.windowsPath() + "camera.jpg";
    std::string plain = data.windowsPath() + "plain.jpg";
    std::string bitmap = data.windowsPath() + "plain.bmp";
    ASSERT_TRUE(mivotest::WritePhoto(camera, 64, 48, "Canon", "EOS 10D"));
    ASSERT_TRUE(mivotest::WritePhoto(plain, 64, 48, ""));
    ASSERT_TRUE(mivotest::WritePhoto(bitmap, 64, 48, ""));

    pane.ShowExif(camera.c_str());
    EXPECT_STREQ(camera.c_str(), pane.m_strPath);
    ASSERT_GT(pane.m_wndGrid.GetItemCount(), 2);
    std::string listed;
    for (int i = 0; i < pane.m_wndGrid.GetItemCount(); i++)
        listed += std::string((LPCSTR)pane.m_wndGrid.GetItemText(i, 1)) + ";";
    EXPECT_NE(std::string::npos, listed.find("Canon;")) << listed;
    EXPECT_NE(std::string::npos, listed.find("EOS 10D;")) << listed;

    for (const std::string& path : {plain, camera, bitmap}) {
        pane.ShowExif(camera.c_str());
        pane.ShowExif(path.c_str());
        EXPECT_EQ(path == camera ? true : false, pane.m_wndGrid.GetItemCount() > 0) << path;
    }
}

TEST_F(DetailsPane, ButtonsFollowLoadsTypingAndSaving)
{
    EXPECT_EQ("-/-", Buttons()) << "both wait for the first photo";
    Load(3, 1);
    EXPECT_EQ("new/-", Buttons());
    EXPECT_EQ("제목|대상|아빠|보정|메모|C:\\사진\\a.jpg", Texts());

    pane.GetDlgItem(IDC_DETAIL_MEMO)->SetFocus();
    pane.SendDlgItemMessage(IDC_DETAIL_MEMO, EM_SETSEL, 0, -1);
    mivo::test::TypeText("바다 메모");
    mivo::test::PumpUntilIdle();
    EXPECT_EQ("new/save", Buttons()) << "typing in the memo";
    Click(IDC_DETAIL_SAVE);
    EXPECT_EQ("new/-", Buttons());
    EXPECT_EQ(u8"바다 메모", db.scalar("select PhotoDesc from AlbumDetail where AlbumID = 3 and Seq = 1"));

    pane.SetDlgItemText(IDC_DETAIL_TITLE, "다른 제목");
    Load(3, 2);
    EXPECT_EQ("new/-", Buttons()) << "another photo starts unchanged";
    EXPECT_EQ("|||||C:\\사진\\b.jpg", Texts());
}

TEST_F(DetailsPane, ANewEntrySavedEmptiesTheFiveDescriptionsAndKeepsTheFile)
{
    Load(3, 1);
    Click(IDC_DETAIL_NEW);
    EXPECT_EQ("|||||C:\\사진\\a.jpg", Texts());
    Click(IDC_DETAIL_SAVE);
    EXPECT_EQ(u8"3:1:C:\\사진\\a.jpg::::::",
              db.scalar("select AlbumID||':'||Seq||':'||PathName||':'||Title||':'||TargetList||':'||Photographer||':'"
                        "||Process||':'||PhotoDesc||':' from AlbumDetail where Seq = 1"));
}

TEST_F(DetailsPane, AnApostropheIsStoredInItsOwnFormAndReadBack)
{
    Load(3, 1);
    pane.SetDlgItemText(IDC_DETAIL_TITLE, "Tom's 바다");
    Click(IDC_DETAIL_SAVE);
    EXPECT_EQ(u8"Tom\x1es 바다", db.scalar("select Title from AlbumDetail where Seq = 1"));
    Load(3, 2);
    Load(3, 1);
    EXPECT_EQ("Tom's 바다|대상|아빠|보정|메모|C:\\사진\\a.jpg", Texts());
}

TEST_F(DetailsPane, AMissingRowShowsEmptyFieldsAndASaveNoRowTakesKeepsTheButton)
{
    Load(3, 1);
    Load(3, 9);
    EXPECT_EQ("|||||", Texts()) << "no text of the previous photo stays as this one's";
    pane.SetDlgItemText(IDC_DETAIL_TITLE, "제목");
    Click(IDC_DETAIL_SAVE);
    EXPECT_EQ("new/save", Buttons()) << "the typed text is not dropped unnoticed";
    EXPECT_EQ("0", db.scalar("select count(*) from AlbumDetail where Seq = 9"));
}
