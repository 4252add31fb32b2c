// The browser's listings: what a folder listing shows and in which order, relisting, ticked
// folders, album paths and searches on the user database, and the photo list with its titles.
#include "BrowserFixture.h"

#include "album/DlgConsoleBrowse.h"
#include "grid/GridTypes.h"
#include "resource.h"
#include "shell/MainApp.h"
#include "support/FrameworkThrow.h"

using browsertest::BrowserTest;

namespace {

class Listings : public BrowserTest {
protected:
    // "사진" with a sub-folder, three accepted pictures in mixed case and a png.
    CString MakePhotoFolder(const char* name = "사진")
    {
        CString folder = MakeFolder(name);
        ::CreateDirectoryA(folder + "여름", nullptr);
        WritePicture(folder + "b.jpg", 40, 30);
        WritePicture(folder + "c.Bmp", 20, 10);
        WriteBytes(folder + "d.GIF", "GIF89a");
        WriteBytes(folder + "e.png", "\x89PNG");
        return folder;
    }
};

}  // namespace

TEST_F(Listings, AFolderListsItsParentAndSubFoldersFirstThenTheAcceptedPictures)
{
    CString folder = MakePhotoFolder();
    browser->ListFolder(folder + "b.jpg", FALSE);
    EXPECT_EQ(CDlgImgBrowser::MODE_FOLDER, browser->m_nMode);
    EXPECT_STREQ(folder, browser->m_strLocation);
    EXPECT_EQ(2, browser->m_nFolderCount);
    // Order among folders and among files is the file system's; sort the two groups.
    std::string names = Names();
    EXPECT_NE(std::string::npos, names.find("<..>"));
    EXPECT_NE(std::string::npos, names.find("<여름>"));
    EXPECT_EQ(std::string::npos, names.find("<.>"));
    EXPECT_EQ(std::string::npos, names.find("e.png"));
    for (const char* file : {"b.jpg", "c.Bmp", "d.GIF"})
        EXPECT_GE((int)names.find(file), (int)names.find("<여름>")) << file;
    EXPECT_EQ(5, browser->m_nItemCount);
    int sub = browser->m_arrName[0] == "여름" ? 0 : 1;
    EXPECT_STREQ("사진", browser->m_arrLabel[sub]);
    EXPECT_EQ(-1, (int)browser->m_arrAlbumID[sub]);
    WaitForLoader();
}

TEST_F(Listings, AFolderAddedAfterFilesGoesBeforeTheFirstFileWithItsOwnKey)
{
    CString folder = MakePhotoFolder();
    browser->StopThumbnailThread();
    browser->AddItem(folder + "b.jpg", 0, 7, 1);
    browser->AddItem(folder + "c.Bmp", 0, 7, 2);
    int index = browser->AddItem(folder + "여름", 1, 9, 3);
    EXPECT_EQ(0, index);
    EXPECT_EQ("<여름>,b.jpg,c.Bmp", Names());
    EXPECT_EQ(9, (int)browser->m_arrAlbumID[0]);
    EXPECT_EQ(3, (int)browser->m_arrSeq[0]);
    EXPECT_EQ(7, (int)browser->m_arrAlbumID[1]);
    EXPECT_EQ(2, (int)browser->m_arrSeq[2]);

    browser->RemoveItem(0);
    EXPECT_EQ(0, browser->m_nFolderCount);
    browser->RemoveItem(1);
    EXPECT_EQ("b.jpg", Names());
    EXPECT_TRUE(mivo::test::ThrowsFrameworkException<CInvalidArgException>([&] { browser->RemoveItem(1); }));
}

TEST_F(Listings, AMissingFileIsListedWithoutDateAndSize)
{
    CString folder = MakeFolder("빈곳");
    browser->AddItem(folder + "없는.jpg", 0, -1, -1);
    browser->AddItem(folder + "없는폴더", 1, -1, -1);
    EXPECT_STREQ("폴더 없음", browser->m_arrDate[0]);
    EXPECT_STREQ("파일 없음!", browser->m_arrDate[1]);
    EXPECT_EQ(0u, browser->m_arrSizeKB[1]);
}

TEST_F(Listings, ListingTheSameFolderAgainChangesNothingUnlessForced)
{
    CString folder = MakePhotoFolder();
    List(folder);
    browser->m_arrSelected[3] = 1;
    WritePicture(folder + "f.jpg", 8, 8);
    browser->ListFolder(folder, FALSE);
    EXPECT_EQ(5, browser->m_nItemCount);
    EXPECT_EQ(1u, browser->m_arrSelected[3]);
    List(folder);
    EXPECT_EQ(6, browser->m_nItemCount);
}

TEST_F(Listings, TickedFoldersKeepTheirItemsWhenAnotherIsListed)
{
    CString first = MakeFolder("하나"), second = MakeFolder("둘");
    WritePicture(first + "a.jpg", 8, 8);
    WritePicture(second + "b.jpg", 8, 8);
    CDlgConsoleBrowse pane;
    browser->m_pBrowsePane = &pane;
    // The pane lists a folder when its box is ticked, then adds it to its list.
    List(first);
    pane.m_arrCheckedFolders.Add(first);
    List(second);
    pane.m_arrCheckedFolders.Add(second);
    EXPECT_TRUE(browser->m_bMultiFolder);
    EXPECT_EQ("<..>,<..>,a.jpg,b.jpg", Names());
    // Unticked, the first folder's items go with the next listing.
    pane.m_arrCheckedFolders.RemoveAt(0);
    List(second);
    EXPECT_EQ("<..>,b.jpg", Names());
    browser->m_pBrowsePane = nullptr;
}

TEST_F(Listings, AnAlbumShowsItsPathWithItsParentsAndItsCode)
{
    ASSERT_TRUE(db.exec(u8"insert into AlbumMaster (AlbumID, AlbumName, Parent) values (41, 'Parent', 0),"
                        u8" (42, 'Child', 41)"));
    CString folder = MakePhotoFolder("album");
    std::string path = std::string((LPCSTR)folder) + "b.jpg";
    ASSERT_TRUE(db.exec("insert into AlbumDetail (AlbumID, Seq, PathName, Title) values (42, 1, '" + path +
                        "', 'x'), (42, 2, 'C:\\none\\n.png', '')"));
    browser->ListAlbum(42, FALSE);
    WaitForLoader();
    EXPECT_EQ(CDlgImgBrowser::MODE_ALBUM, browser->m_nMode);
    CString text;
    browser->m_wndLocation.GetWindowText(text);
    EXPECT_STREQ("[앨범]Parent->Child", text);
    EXPECT_STREQ("10042", browser->m_wndLocation.GetMatchCode(browser->m_wndLocation.GetCurSel()));
    EXPECT_EQ("b.jpg", Names());
    EXPECT_EQ(42, (int)browser->m_arrAlbumID[0]);
}

TEST_F(Listings, AnAlbumWalkEndsOnAParentCycle)
{
    ASSERT_TRUE(db.exec("insert into AlbumMaster (AlbumID, AlbumName, Parent) values (51, 'A', 52), (52, 'B', 51)"));
    EXPECT_STREQ("A->B", CDlgImgBrowser::AlbumPath(52));
}

TEST_F(Listings, ASearchFindsTitlesAndProcessTextsInAlbumOrder)
{
    ASSERT_TRUE(db.exec(u8"insert into AlbumDetail (AlbumID, Seq, PathName, Title, Process) values"
                        u8" (3, 2, 'C:\\p\\b.jpg', '바다 여행', ''), (2, 5, 'C:\\p\\a.jpg', '', '바다 보정'),"
                        u8" (2, 6, 'C:\\p\\c.jpg', '산', ''), (4, 1, 'C:\\p\\d.jpg', 'it' || char(30) || 's 바다', '')"));
    browser->SearchAlbums("바다");
    WaitForLoader();
    EXPECT_EQ("a.jpg,b.jpg,d.jpg", Names());
    EXPECT_STREQ("바다 여행", browser->m_arrTitle[1]);

    browser->SearchAlbums("it's");
    WaitForLoader();
    EXPECT_EQ("d.jpg", Names());
    EXPECT_STREQ("it's 바다", browser->m_arrTitle[0]);
}

TEST_F(Listings, ThePhotoListShowsTitlesByExactPathAndKeepsTheItemIndexInColumnZero)
{
    // A Latin name: the fixture's rows are written as UTF-8 straight into the file.
    CString folder = MakePhotoFolder("photos");
    std::string b = std::string((LPCSTR)folder) + "b.jpg";
    ASSERT_TRUE(db.exec("insert into AlbumDetail (AlbumID, Seq, PathName, Title) values (8, 1, '" + b +
                        "', 'Sea'), (8, 2, '" + b + "x', 'Other')"));
    List(folder);
    browser->ShowPhotoList();
    CVXGridCtrl& grid = browser->m_wndGrid;
    ASSERT_EQ(browser->m_nItemCount, grid.GetItemCount());
    for (int row = 0; row < grid.GetItemCount(); row++) {
        int index = atoi(grid.GetItemText(row, 0));
        EXPECT_STREQ(browser->m_arrPath[index], grid.GetItemText(row, 6));
        CString expected = browser->m_arrName[index] == "b.jpg" ? " Sea" : " ";
        EXPECT_STREQ(expected, grid.GetItemText(row, 2)) << (LPCSTR)browser->m_arrName[index];
    }
}

TEST_F(Listings, ATitleEditStoresTheTitleWithoutTheLeadingBlankAndEscapeStoresNothing)
{
    ASSERT_TRUE(db.exec("insert into AlbumDetail (AlbumID, Seq, PathName, Title) values (6, 3, 'C:\\p\\a.jpg', 'old')"));
    browser->SearchAlbums("old");
    WaitForLoader();
    browser->ShowPhotoList();
    struct Case {
        const char* text;
        UINT key;
        const char* stored;
    } cases[] = {{" new", VK_RETURN, "new"}, {" o'k", VK_RETURN, "o\x1e" "k"}, {" gone", VK_ESCAPE, "o\x1e" "k"}};
    for (const Case& c : cases) {
        _NMRVITEMEDIT edit;
        edit.hdr.hwndFrom = browser->m_wndGrid.GetSafeHwnd();
        edit.hdr.idFrom = IDC_BROWSER_GRID;
        edit.hdr.code = (UINT)RVN_ENDITEMEDIT;
        edit.iItem = 0;
        edit.iSubItem = 2;
        edit.nKey = c.key;
        std::string text = c.text;
        edit.lpszText = &text[0];
        browser->SendMessage(WM_NOTIFY, IDC_BROWSER_GRID, (LPARAM)&edit);
        EXPECT_EQ(c.stored, db.scalar("select Title from AlbumDetail where AlbumID = 6 and Seq = 3")) << c.text;
    }
}
