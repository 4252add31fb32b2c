// The application object: its command line, its settings rows, the start-up
// in a fresh data folder and its failures, the hand-over from a second copy,
// and the folder buffers.
#include <gtest/gtest.h>

#include "shell/MainApp.h"
#include "shell/MainFrame.h"
#include "ShellFixture.h"
#include "resource.h"
#include "controls/SplashScreen.h"
#include "editor/ImgEditView.h"
#include "framework/ODBCQuery.h"
#include "support/MessageBoxCapture.h"
#include "support/MessageLoop.h"
#include "support/PrivateRuntimeFolder.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

using namespace shelltest;

namespace {

// The members the command line and the settings write, put back afterwards.
class AppMembersRestored {
public:
    AppMembersRestored()
        : m_dataDir(theApp.m_strDataDir),
          m_show(theApp.m_bShowMainWnd),
          m_pguid(theApp.m_strPGUID),
          m_dsn(theApp.m_strTmplDSN),
          m_uid(theApp.m_strTmplUID),
          m_pwd(theApp.m_strTmplPWD),
          m_open(theApp.m_strOpenPath),
          m_quality(theApp.m_nJpegQuality),
          m_undo(theApp.m_nUndoLevel),
          m_slide(theApp.m_clrSlideShowBk),
          m_browser(theApp.m_clrBrowserBk),
          m_link(theApp.m_strLinkPrg)
    {
    }
    ~AppMembersRestored()
    {
        theApp.m_strDataDir = m_dataDir;
        theApp.m_bShowMainWnd = m_show;
        theApp.m_strPGUID = m_pguid;
        theApp.m_strTmplDSN = m_dsn;
        theApp.m_strTmplUID = m_uid;
        theApp.m_strTmplPWD = m_pwd;
        theApp.m_strOpenPath = m_open;
        theApp.m_nJpegQuality = m_quality;
        theApp.m_nUndoLevel = m_undo;
        theApp.m_clrSlideShowBk = m_slide;
        theApp.m_clrBrowserBk = m_browser;
        theApp.m_strLinkPrg = m_link;
    }

private:
    CString m_dataDir;
    BOOL m_show;
    CString m_pguid, m_dsn, m_uid, m_pwd, m_open;
    int m_quality, m_undo;
    COLORREF m_slide, m_browser;
    CString m_link;
};

// The command line's fields after parsing `line` over the constructor's values.
struct Parsed {
    std::string dataDir;
    int show;
    std::string open;
    std::string dsn;
};

Parsed Parse(const char* line)
{
    theApp.m_strDataDir.Empty();
    theApp.m_bShowMainWnd = 1;
    theApp.m_strOpenPath.Empty();
    theApp.m_strTmplDSN = "Mivo";
    theApp.ParseStartupParams(line);
    return {std::string(theApp.m_strDataDir), theApp.m_bShowMainWnd, std::string(theApp.m_strOpenPath),
            std::string(theApp.m_strTmplDSN)};
}

}  // namespace

TEST(MainApp, ConstructorHoldsTheProgramWideDefaults)
{
    EXPECT_STREQ("MivoLite", theApp.m_strAppKey);
    EXPECT_EQ(1, theApp.m_bSingleInstance);
    EXPECT_STREQ("Mivo", theApp.m_strTmplDSN);
    EXPECT_STREQ("MivoUser", theApp.m_strUserDSN);
    EXPECT_EQ(95, theApp.m_nJpegQuality);
    EXPECT_EQ(8, theApp.m_nUndoLevel);
    EXPECT_EQ(0u, theApp.m_clrSlideShowBk);
    EXPECT_EQ(0, theApp.m_bServerReachable);
    EXPECT_EQ(0, theApp.m_arrClipPaths.GetSize());
}

TEST(MainApp, CommandLineItemsSplitAtCaretsAndTheFirstEqualsSign)
{
    AppMembersRestored restore;
    const struct {
        const char* line;
        Parsed expected;
    } cases[] = {
        {"DataDir=C:\\Photos\\^Show=0", {"C:\\Photos\\", 0, "", "Mivo"}},
        {"Show=yes", {"", 0, "", "Mivo"}},
        {"Show=1", {"", 1, "", "Mivo"}},
        {"show=0", {"", 1, "", "Mivo"}},
        {"Open", {"", 1, "", "Mivo"}},
        {"Open=", {"", 1, "", "Mivo"}},
        {"Open=C:\\a.jpg^Open=C:\\b.jpg", {"", 1, "C:\\b.jpg", "Mivo"}},
        {"Open=C:\\x=y.jpg", {"", 1, "C:\\x=y.jpg", "Mivo"}},
        {"DBDSN=Other^ Show=0", {"", 1, "", "Other"}},
        {"DataDir= C:\\a ", {" C:\\a ", 1, "", "Mivo"}},
        {"", {"", 1, "", "Mivo"}},
    };
    for (const auto& c : cases) {
        Parsed got = Parse(c.line);
        EXPECT_EQ(c.expected.dataDir, got.dataDir) << c.line;
        EXPECT_EQ(c.expected.show, got.show) << c.line;
        EXPECT_EQ(c.expected.open, got.open) << c.line;
        EXPECT_EQ(c.expected.dsn, got.dsn) << c.line;
    }
}

TEST(MainApp, SettingsRowsAreTakenByExactCategoryAndCode)
{
    AppMembersRestored restore;
    theApp.ApplySetting("JPEG", "Quality", "", "높음");
    EXPECT_EQ(0, theApp.m_nJpegQuality);
    theApp.ApplySetting("JPEG", "Quality", "", "80");
    EXPECT_EQ(80, theApp.m_nJpegQuality);
    theApp.ApplySetting("jpeg", "Quality", "", "20");
    theApp.ApplySetting("JPEG", "quality", "", "20");
    EXPECT_EQ(80, theApp.m_nJpegQuality);
    theApp.ApplySetting("Edit", "UndoLevel", "", "3");
    EXPECT_EQ(3, theApp.m_nUndoLevel);
    theApp.ApplySetting("SlideShow", "BGColor", "", "255");
    EXPECT_EQ(255u, theApp.m_clrSlideShowBk);
    theApp.ApplySetting("ImgBrowser", "BGColor", "", "16777215");
    EXPECT_EQ(0xFFFFFFu, theApp.m_clrBrowserBk);
    theApp.ApplySetting("Edit", "LinkPrg", "C:\\Tools\\paint.exe", "7");
    EXPECT_STREQ("C:\\Tools\\paint.exe", theApp.m_strLinkPrg);
    EXPECT_EQ(3, theApp.m_nUndoLevel);
}

TEST(MainApp, FolderBuffersKeepAtMost255BytesAndNeverHalfACharacter)
{
    char buffer[256];
    std::string ascii(300, 'a');
    CMainApp::CopyFolderBuffer(buffer, ascii.c_str());
    EXPECT_EQ(255u, std::strlen(buffer));
    // 254 single bytes and then a double-byte character: the character does not fit whole.
    std::string mixed = std::string(254, 'b') + "가나";
    CMainApp::CopyFolderBuffer(buffer, mixed.c_str());
    EXPECT_EQ(std::string(254, 'b'), std::string(buffer));
    CMainApp::CopyFolderBuffer(buffer, "C:\\사진\\");
    EXPECT_STREQ("C:\\사진\\", buffer);
    CMainApp::CopyFolderBuffer(buffer, nullptr);
    EXPECT_STREQ("", buffer);
}

// ---- start-up, each in a process of its own ----

TEST(MainAppStartUp, FreshDataFolderGetsTempTheLogoBothSourcesAndAMaximisedCentredFrame)
{
    EXPECT_EQ(0, RunCopy("MainAppCopy.StartsInAFreshDataFolder", {}));
}

TEST(MainAppCopy, StartsInAFreshDataFolder)
{
    SHELL_SECOND_COPY_ONLY();
    mivotest::PrivateRuntimeFolder runtime;  // no other copy runs here
    RunFolder run;
    StoreClosedFirst closed;
    // The data folder named without its final backslash still works.
    std::string data = run.windowsPath();
    data.pop_back();
    ASSERT_TRUE(StartProgram(run.windowsPath(), "DataDir=" + data + "^Show=1"));
    EXPECT_EQ(run.windowsPath(), std::string(theApp.m_strDataDir));
    EXPECT_TRUE(std::filesystem::is_directory(run.file("Temp")));
    EXPECT_GT(std::filesystem::file_size(run.file("Temp/MivoLogo.jpg")), 100u);
    CMainFrame* frame = dynamic_cast<CMainFrame*>(theApp.m_pMainWnd);
    ASSERT_NE(nullptr, frame);
    EXPECT_TRUE(frame->IsZoomed());
    EXPECT_TRUE(frame->IsWindowVisible());
    char className[64] = "";
    ::GetClassName(frame->m_hWnd, className, sizeof(className));
    EXPECT_STREQ("MivoLite", className);
    // Both sources answer queries; the settings came from the shipped rows.
    EXPECT_EQ(1, theApp.LoadSettings());
    EXPECT_EQ(95, theApp.m_nJpegQuality);
    CODBCQuery templates(theApp.m_strTmplDSN, theApp.m_strTmplUID, theApp.m_strTmplPWD, 1);
    EXPECT_EQ(1, templates.InitQuery());
    // The folder pane is the group shown when nothing was stored.
    EXPECT_EQ(kFolderBrowse, frame->GetSelFolder());
    EXPECT_EQ(1, frame->m_bBrowsePaneReady);
    frame->DestroyWindow();
    mivo::test::PumpUntilIdle();
}

TEST(MainAppStartUp, ShowZeroLeavesTheFrameHiddenWithNoPaneFilled)
{
    EXPECT_EQ(0, RunCopy("MainAppCopy.StartsHidden", {}));
}

TEST(MainAppCopy, StartsHidden)
{
    SHELL_SECOND_COPY_ONLY();
    mivotest::PrivateRuntimeFolder runtime;  // no other copy runs here
    RunFolder run;
    StoreClosedFirst closed;
    ASSERT_TRUE(StartProgram(run.windowsPath(), "Show=0"));
    CMainFrame* frame = dynamic_cast<CMainFrame*>(theApp.m_pMainWnd);
    ASSERT_NE(nullptr, frame);
    EXPECT_FALSE(frame->IsWindowVisible());
    EXPECT_EQ(0, frame->m_bBrowsePaneReady);
    EXPECT_EQ(0, frame->m_bAlbumPaneReady);
    frame->DestroyWindow();
    mivo::test::PumpUntilIdle();
}

TEST(MainAppStartUp, MissingDatabaseFilesStopWithTheMessage)
{
    EXPECT_EQ(0, RunCopy("MainAppCopy.StopsWithoutDatabases", {}));
}

TEST(MainAppCopy, StopsWithoutDatabases)
{
    SHELL_SECOND_COPY_ONLY();
    mivotest::PrivateRuntimeFolder runtime;  // no other copy runs here
    RunFolder run(false);
    StoreClosedFirst closed;
    mivotest::MessageBoxCapture boxes;
    EXPECT_FALSE(StartProgram(run.windowsPath(), ""));
    ASSERT_EQ(1u, boxes.shown().size());
    EXPECT_EQ("Database Connection Failed !", boxes.shown()[0].text);
    EXPECT_EQ(nullptr, theApp.m_pMainWnd);
    EXPECT_EQ(nullptr, theApp.m_pSplash);
}

// ---- a second copy hands its file over ----

TEST(MainAppCopy, SecondCopyEndsAtStartUp)
{
    SHELL_SECOND_COPY_ONLY();
    mivotest::MessageBoxCapture boxes;
    const char* run = std::getenv("MIVO_SHELL_RUN");
    const char* line = std::getenv("MIVO_SHELL_LINE");
    ASSERT_TRUE(run && line);
    EXPECT_FALSE(StartProgram(run, line));
    EXPECT_EQ(nullptr, theApp.m_pMainWnd);
    EXPECT_TRUE(boxes.shown().empty());
}

TEST(MainAppHandOver, SecondCopyWithAFileHasTheFirstOpenItAndEnds)
{
    CMainFrame* frame = Program();
    ASSERT_NE(nullptr, frame);
    std::string path = WritePicture(ProgramFolder().folder(), "handed.jpg", 40, 30);
    std::string run = "MIVO_SHELL_RUN=" + ProgramFolder().windowsPath();
    EXPECT_EQ(0, RunCopy("MainAppCopy.SecondCopyEndsAtStartUp", {run, "MIVO_SHELL_LINE=Open=" + path}));
    mivo::test::PumpUntilIdle();
    auto editors = Editors();
    ASSERT_EQ(1u, editors.size());
    EXPECT_STREQ(path.c_str(), editors[0]->m_strPathName);
    EXPECT_STREQ(path.c_str(), theApp.LoadProfileString("MivoLite", "OpenFile"));
    CloseAllEditors();
}

TEST(MainAppHandOver, SecondCopyWithoutAFileEndsSilently)
{
    ASSERT_NE(nullptr, Program());
    std::string run = "MIVO_SHELL_RUN=" + ProgramFolder().windowsPath();
    EXPECT_EQ(0, RunCopy("MainAppCopy.SecondCopyEndsAtStartUp", {run, "MIVO_SHELL_LINE=Show=1"}));
    mivo::test::PumpUntilIdle();
    EXPECT_TRUE(Editors().empty());
}

// ---- splash and recent files ----

TEST(MainApp, SplashGoesOnAnyPressElsewhereAndAtTheFirstIdlePassAfterItsTime)
{
    ASSERT_NE(nullptr, Program());
    std::string logo = ProgramFolder().windowsPath() + "Temp\\MivoLogo.jpg";
    auto showSplash = [&] {
        theApp.m_pSplash = new CSplashScreen(logo.c_str());
        ASSERT_TRUE(theApp.m_pSplash->Create());
        theApp.m_dwSplashStart = ::GetTickCount();
    };
    showSplash();
    MSG press = {theApp.m_pMainWnd->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, 0};
    theApp.PreTranslateMessage(&press);
    EXPECT_EQ(nullptr, theApp.m_pSplash);

    showSplash();
    MSG onSplash = {theApp.m_pSplash->m_hWnd, WM_KEYDOWN, VK_SPACE, 0};
    theApp.PreTranslateMessage(&onSplash);
    ASSERT_NE(nullptr, theApp.m_pSplash) << "a press on the splash only shortens its time";
    theApp.OnIdle(0);
    EXPECT_EQ(nullptr, theApp.m_pSplash);

    showSplash();
    theApp.OnIdle(0);
    EXPECT_NE(nullptr, theApp.m_pSplash) << "still inside its display time";
    theApp.m_dwSplashStart -= 1500;
    theApp.OnIdle(0);
    EXPECT_EQ(nullptr, theApp.m_pSplash);
}

TEST(MainApp, RecentFileOpensInAnEditor)
{
    ASSERT_NE(nullptr, Program());
    ASSERT_NE(nullptr, theApp.m_pRecentFileList);
    std::string good = WritePicture(ProgramFolder().folder(), "recent.jpg", 20, 10);
    theApp.m_pRecentFileList->Add(good.c_str());
    theApp.m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_MRU_FILE1);
    mivo::test::PumpUntilIdle();
    ASSERT_EQ(1u, Editors().size());
    EXPECT_STREQ(good.c_str(), (*theApp.m_pRecentFileList)[0]);
    CloseAllEditors();
}
