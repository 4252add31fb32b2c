// CVXApp: run folder, profile operations in both instance modes, the window class, finding the
// running copy (in this process and in another), the application log, and the library entry.
#include <gtest/gtest.h>

#include "framework/DBProfile.h"
#include "framework/LibraryEntry.h"
#include "framework/VXApp.h"
#include "res/resource.h"
#include "support/MessageLoop.h"
#include "support/TempFolder.h"
#include "support/PrivateRuntimeFolder.h"
#include "support/SecondCopy.h"
#include "mivo/instance.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

const char kProfile[] = "Profile.MivoTest";

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool Exists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

std::string UniqueKey(const char* stem)
{
    return std::string(stem) + std::to_string(getpid());
}

// An application whose run folder is a temporary folder.
class VXAppTest : public ::testing::Test {
protected:
    VXAppTest() { m_app.m_strRunDir = m_folder.windowsPath().c_str(); }
    mivotest::TempFolder m_folder;
    CVXApp m_app;
};

}  // namespace

TEST(VXAppRunDir, ProgramPathSplitsIntoRunFolderAndFileName)
{
    struct Case {
        const char* path;
        const char* runDir;
        const char* file;
    } cases[] = {
        {"C:\\Lumaret.exe", "C:\\", "Lumaret.exe"},  // a program at a drive's root
        {"D:\\Mivo\\bin\\Kestrune.exe", "D:\\Mivo\\bin\\", "Kestrune.exe"},
        {"C:\\usr\\lib\\mivo\\Lumaret", "C:\\usr\\lib\\mivo\\", "Lumaret"},
        {"C:\\사진 모음\\프로그램.exe", "C:\\사진 모음\\", "프로그램.exe"},
        {"C:Lumaret.exe", "C:", "Lumaret.exe"},
        {"Lumaret.exe", "", "Lumaret.exe"},
    };
    for (const Case& c : cases) {
        CString runDir, file;
        CVXApp::SplitProgramPath(c.path, runDir, file);
        EXPECT_STREQ(c.runDir, runDir) << c.path;
        EXPECT_STREQ(c.file, file) << c.path;
    }
    std::string longFolder = "C:\\" + std::string(300, 'a') + "\\";
    CString runDir, file;
    CVXApp::SplitProgramPath((longFolder + "Lumaret").c_str(), runDir, file);
    EXPECT_STREQ(longFolder.c_str(), runDir) << "a long path is never cut";
}

TEST(VXAppRunDir, GetRunDirNamesThisProgram)
{
    CVXApp app;
    app.GetRunDir();
    char path[4096] = {};
    ASSERT_GT(GetModuleFileName(nullptr, path, sizeof path), 0u);
    EXPECT_STREQ(path, app.m_strRunDir + app.m_strProgramFile);
    ASSERT_FALSE(app.m_strRunDir.IsEmpty());
    EXPECT_EQ('\\', app.m_strRunDir[app.m_strRunDir.GetLength() - 1]);
    EXPECT_STREQ(std::filesystem::read_symlink("/proc/self/exe").filename().c_str(), app.m_strProgramFile);
}

TEST(VXAppBasics, DefaultsAndWindowsVersion)
{
    CVXApp app;
    EXPECT_EQ(1, app.m_bSingleInstance);
    EXPECT_EQ(0, app.m_bClassRegistered);
    EXPECT_EQ(1, app.m_bShowMainWnd);
    EXPECT_EQ(0, app.m_bClosing);
    EXPECT_EQ(nullptr, app.m_pDBProfile);
    EXPECT_EQ(nullptr, app.m_pAppLog);
    EXPECT_TRUE(app.m_strAppKey.IsEmpty());
    EXPECT_TRUE(app.m_strProfileFile.IsEmpty());
    EXPECT_EQ(&app, AfxGetApp());

    EXPECT_TRUE(app.InitInstance());
    EXPECT_EQ(5u, app.m_nWinMajor);  // the layer answers Windows XP
    EXPECT_EQ(1u, app.m_nWinMinor);
}

TEST_F(VXAppTest, WithoutSingleInstanceEveryOperationOpensWorksAndCloses)
{
    m_app.m_bSingleInstance = 0;
    m_app.SetDBProfile(kProfile);

    EXPECT_EQ(1, m_app.SaveProfileInt("Main", "Count", 5));
    EXPECT_EQ(nullptr, m_app.m_pDBProfile) << "no store stays open";
    EXPECT_EQ(1, m_app.SaveProfileInt("Main", "Count", 6));
    EXPECT_EQ(6, m_app.LoadProfileInt("Main", "Count"));
    EXPECT_EQ(nullptr, m_app.m_pDBProfile);

    EXPECT_EQ(1, m_app.SaveProfileString("Main", "Folder", "C:\\사진\\"));
    EXPECT_STREQ("C:\\사진\\", m_app.LoadProfileString("Main", "Folder"));
    RECT saved = {10, 20, 300, 400};
    m_app.SaveWindowPos("MainFrame", &saved, 1);
    RECT read = {};
    EXPECT_EQ(1, m_app.RtrvWindowPos("MainFrame", &read));
    EXPECT_EQ(300, read.right);
    EXPECT_EQ(400, read.bottom);
    EXPECT_EQ(nullptr, m_app.m_pDBProfile);

    EXPECT_STREQ(kProfile, m_app.m_strProfileFile) << "the stored name does not change";
    EXPECT_TRUE(Exists(m_folder.file(kProfile)));
}

TEST_F(VXAppTest, StoreStaysOpenAndASecondOpenDoesNotSwitchFiles)
{
    m_app.OpenDBProfile("Profile.A");
    ASSERT_NE(nullptr, m_app.m_pDBProfile);
    CDBProfile* store = m_app.m_pDBProfile;
    EXPECT_EQ(1, m_app.SaveProfileInt("Main", "Value", 42));
    EXPECT_EQ(store, m_app.m_pDBProfile);

    m_app.OpenDBProfile("Profile.B");
    EXPECT_EQ(store, m_app.m_pDBProfile);
    EXPECT_STREQ("Profile.B", m_app.m_strProfileFile) << "only the name changes";
    EXPECT_EQ(42, m_app.LoadProfileInt("Main", "Value"));
    EXPECT_FALSE(Exists(m_folder.file("Profile.B")));

    m_app.CloseDBProfile();
    EXPECT_EQ(nullptr, m_app.m_pDBProfile);
    m_app.OpenDBProfile("");
    EXPECT_EQ(0, m_app.LoadProfileInt("Main", "Value")) << "the new name's file after reopening";
    EXPECT_TRUE(Exists(m_folder.file("Profile.B")));
    m_app.CloseDBProfile();
}

TEST_F(VXAppTest, AbsentValuesWithAndWithoutAnOpenStore)
{
    // Single-instance mode before any OpenDBProfile: writes do nothing and report it.
    m_app.SetDBProfile(kProfile);
    EXPECT_EQ(0, m_app.SaveProfileInt("Main", "Count", 1));
    EXPECT_EQ(0, m_app.SaveProfileString("Main", "Text", "x"));
    RECT saved = {5, 5, 5, 5};
    m_app.SaveWindowPos("MainFrame", &saved, 1);
    EXPECT_EQ(nullptr, m_app.m_pDBProfile);
    EXPECT_FALSE(Exists(m_folder.file(kProfile))) << "nothing was written anywhere";

    for (bool open : {false, true}) {
        if (open)
            m_app.OpenDBProfile(kProfile);
        RECT rect = {1, 2, 3, 4};
        EXPECT_EQ(0, m_app.RtrvWindowPos("MainFrame", &rect)) << open;
        EXPECT_EQ(-1, rect.left);
        EXPECT_EQ(-1, rect.top);
        EXPECT_EQ(-1, rect.right);
        EXPECT_EQ(-1, rect.bottom);
        EXPECT_EQ(0, m_app.LoadProfileInt("Main", "Count"));
        EXPECT_STREQ("", m_app.LoadProfileString("Main", "Text"));
    }
    m_app.CloseDBProfile();
}

TEST_F(VXAppTest, ValuesSurviveReopeningAndResetEmptiesTheStore)
{
    m_app.OpenDBProfile(kProfile);
    ASSERT_EQ(1, m_app.SaveProfileString("Mivo", "OpenFile", "C:\\a.jpg"));
    m_app.CommitDBProfile();
    m_app.CloseDBProfile();
    m_app.OpenDBProfile(kProfile);
    EXPECT_STREQ("C:\\a.jpg", m_app.LoadProfileString("Mivo", "OpenFile"));

    m_app.InitDBProfile();
    EXPECT_STREQ("", m_app.LoadProfileString("Mivo", "OpenFile"));
    m_app.CloseDBProfile();
    m_app.OpenDBProfile(kProfile);
    EXPECT_STREQ("", m_app.LoadProfileString("Mivo", "OpenFile")) << "the reset reached the file";
    EXPECT_EQ(1, m_app.SaveProfileInt("Mivo", "After", 3)) << "the store works after the reset";
    EXPECT_EQ(3, m_app.LoadProfileInt("Mivo", "After"));
    m_app.CloseDBProfile();
}

TEST_F(VXAppTest, LogEntriesAreAStampLineTheTextAndALineBreak)
{
    m_app.m_strAppKey = "MivoLog";
    const std::string path = m_folder.file("MivoLog.log");
    const std::regex stamp("\\[APPLOG \\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2}\\]\r\n");

    m_app.WriteAppLog("첫 줄");
    ASSERT_NE(nullptr, m_app.m_pAppLog) << "the log stays open";
    std::string bytes = FileBytes(path);
    const std::string first = "첫 줄";
    ASSERT_EQ(30 + first.size() + 2, bytes.size());
    EXPECT_TRUE(std::regex_match(bytes.substr(0, 30), stamp)) << bytes.substr(0, 30);
    EXPECT_EQ(first + "\r\n", bytes.substr(30));

    m_app.WriteAppLog("second");
    bytes = FileBytes(path);
    ASSERT_EQ(30 + first.size() + 2 + 30 + 6 + 2, bytes.size());
    EXPECT_TRUE(std::regex_match(bytes.substr(30 + first.size() + 2, 30), stamp));
    EXPECT_EQ("second\r\n", bytes.substr(bytes.size() - 8));

    m_app.CloseAppLog();
    EXPECT_EQ(nullptr, m_app.m_pAppLog);
    m_app.WriteAppLog("");
    bytes = FileBytes(path);
    EXPECT_EQ(30 + first.size() + 2 + 30 + 6 + 2 + 30 + 2, bytes.size()) << "a reopened log appends";

    m_app.ClearAppLog();
    EXPECT_EQ(nullptr, m_app.m_pAppLog);
    EXPECT_TRUE(Exists(path));
    EXPECT_EQ("", FileBytes(path));
}

TEST_F(VXAppTest, LogAppendsToAnExistingFileAndSurvivesAMissingFolder)
{
    m_app.m_strAppKey = "MivoLog";
    const std::string path = m_folder.file("MivoLog.log");
    std::ofstream(path, std::ios::binary) << "old entry\r\n";
    m_app.WriteAppLog("new");
    std::string bytes = FileBytes(path);
    EXPECT_EQ(0u, bytes.find("old entry\r\n"));
    EXPECT_EQ("new\r\n", bytes.substr(bytes.size() - 5));
    m_app.CloseAppLog();

    CVXApp lost;
    lost.m_strAppKey = "MivoLog";
    lost.m_strRunDir = (m_folder.windowsPath() + "missing\\").c_str();
    lost.WriteAppLog("nowhere");
    EXPECT_EQ(nullptr, lost.m_pAppLog) << "no log rather than a file object that is not open";
}

TEST_F(VXAppTest, WithoutSingleInstanceNothingIsRegisteredOrLeftOpen)
{
    m_app.m_bSingleInstance = 0;
    m_app.m_strAppKey = UniqueKey("MivoNoInstance").c_str();
    EXPECT_EQ(1, m_app.RegisterVXApp(nullptr));
    EXPECT_EQ(0, m_app.m_bClassRegistered);
    WNDCLASS wc;
    EXPECT_FALSE(GetClassInfo(AfxGetInstanceHandle(), m_app.m_strAppKey, &wc));
    EXPECT_EQ(nullptr, m_app.CheckAppExist());

    m_app.SetDBProfile(kProfile);
    m_app.SaveProfileInt("Main", "Count", 1);
    m_app.ExitInstance();
    EXPECT_EQ(nullptr, m_app.m_pDBProfile);
    EXPECT_EQ(nullptr, m_app.m_pAppLog);
    EXPECT_FALSE(GetClassInfo(AfxGetInstanceHandle(), m_app.m_strAppKey, &wc));
}

TEST_F(VXAppTest, WindowClassIsRegisteredAndExitInstanceTidiesUp)
{
    mivotest::PrivateRuntimeFolder runtime;
    m_app.m_strAppKey = UniqueKey("MivoClassTest").c_str();
    HICON icon = LoadIcon(nullptr, IDI_APPLICATION);
    ASSERT_EQ(1, m_app.RegisterVXApp(icon));
    EXPECT_EQ(1, m_app.m_bClassRegistered);

    WNDCLASS wc = {};
    ASSERT_TRUE(GetClassInfo(AfxGetInstanceHandle(), m_app.m_strAppKey, &wc));
    EXPECT_EQ((UINT)(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS), wc.style);
    EXPECT_EQ(icon, wc.hIcon);
    EXPECT_EQ(LoadCursor(nullptr, IDC_ARROW), wc.hCursor) << "no module holds cursor 32512: the system arrow";
    EXPECT_EQ((HBRUSH)(COLOR_WINDOW + 1), wc.hbrBackground);
    EXPECT_EQ(nullptr, wc.lpszMenuName);

    m_app.OpenDBProfile(kProfile);
    m_app.WriteAppLog("entry");
    m_app.ExitInstance();
    EXPECT_FALSE(GetClassInfo(AfxGetInstanceHandle(), m_app.m_strAppKey, &wc));
    EXPECT_EQ(0, m_app.m_bClassRegistered);
    EXPECT_EQ(nullptr, m_app.m_pDBProfile);
    EXPECT_EQ(nullptr, m_app.m_pAppLog);

    CVXApp nameless;
    EXPECT_EQ(0, nameless.RegisterVXApp(nullptr)) << "no key, no class";
    EXPECT_EQ(0, nameless.m_bClassRegistered);
}

TEST_F(VXAppTest, CheckAppExistFindsAndRestoresTheMainWindow)
{
    mivotest::PrivateRuntimeFolder runtime;
    m_app.m_strAppKey = UniqueKey("MivoExistTest").c_str();
    EXPECT_EQ(nullptr, m_app.CheckAppExist()) << "no class, no window";
    ASSERT_EQ(1, m_app.RegisterVXApp(nullptr));
    EXPECT_EQ(nullptr, m_app.CheckAppExist()) << "a class without a window";

    HWND main = CreateWindow(m_app.m_strAppKey, "Mivo", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                             AfxGetInstanceHandle(), nullptr);
    ASSERT_NE(nullptr, main);
    ShowWindow(main, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(main));

    CWnd* found = m_app.CheckAppExist();
    ASSERT_NE(nullptr, found);
    EXPECT_EQ(main, found->m_hWnd);
    EXPECT_FALSE(IsIconic(main)) << "an iconic window is restored";
    EXPECT_TRUE(IsWindowVisible(main));

    DestroyWindow(main);
    m_app.ExitInstance();
}

TEST_F(VXAppTest, ProcessCountIncludesThisProgram)
{
    m_app.GetRunDir();
    EXPECT_GE(m_app.GetAppProcessCount(), 1);
    m_app.m_strProgramFile.MakeUpper();
    EXPECT_GE(m_app.GetAppProcessCount(), 1) << "names compare ignoring case";
    m_app.m_strProgramFile = "NoSuchProgram.exe";
    EXPECT_EQ(0, m_app.GetAppProcessCount());
}

TEST(LibraryEntry, JoinsTheProgramAndItsTextsAreFoundThroughTheChain)
{
    EXPECT_TRUE(TesserinEntrySucceeded());
    const AFX_EXTENSION_MODULE& module = TesserinExtensionModule();
    EXPECT_TRUE(module.bInitialized);
    EXPECT_NE(nullptr, module.hModule);
    EXPECT_EQ(GetModuleHandle("Tesserin.dll"), module.hModule);

    CString name;
    ASSERT_TRUE(name.LoadString(IDS_TESSERIN_NAME)) << "a library text through the program's chain";
    EXPECT_STREQ("Tesserin", name);
    EXPECT_EQ(module.hModule, AfxFindStringResourceHandle(IDS_TESSERIN_NAME));

    WSADATA data;
    EXPECT_TRUE(AfxSocketInit(&data)) << "sockets are up";
    EXPECT_EQ(MAKEWORD(1, 1), data.wVersion);
}

// ---- the single-instance hand-over between two processes ----

namespace {

const char kHandOverProfile[] = "Profile.HandOver";
const char kHandedPath[] = "C:\\사진\\여름.jpg";
const UINT kOpenFromInstance = 0x676;

CVXApp* g_firstCopy = nullptr;
CString g_handedOver;

// What the first copy's main window does with the hand-over: reopen the store, read the entry.
LRESULT CALLBACK FirstCopyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == kOpenFromInstance && g_firstCopy) {
        g_firstCopy->CloseDBProfile();
        g_firstCopy->OpenDBProfile(g_firstCopy->m_strProfileFile);
        g_handedOver = g_firstCopy->LoadProfileString(g_firstCopy->m_strAppKey, "OpenFile");
        return 1;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

int RunSecondCopy(const std::string& key, const std::string& runDir)
{
    return mivotest::RunSecondCopy("VXAppChild.HandsOverToTheFirstCopy",
                                   {"MIVO_TEST_HANDOVER_KEY=" + key, "MIVO_TEST_HANDOVER_DIR=" + runDir});
}

}  // namespace

// The second copy (run by the test below only): finds the first, writes "OpenFile", tells it.
TEST(VXAppChild, HandsOverToTheFirstCopy)
{
    const char* key = getenv("MIVO_TEST_HANDOVER_KEY");
    const char* runDir = getenv("MIVO_TEST_HANDOVER_DIR");
    if (!key || !runDir)
        GTEST_SKIP() << "runs only as the child of the hand-over test";
    CVXApp second;
    second.m_strAppKey = key;
    second.GetRunDir();
    second.m_strRunDir = runDir;
    second.OpenDBProfile(kHandOverProfile);

    CWnd* first = second.CheckAppExist();
    ASSERT_NE(nullptr, first);
    EXPECT_TRUE(mivo::IsForeignWindow(first->m_hWnd));
    EXPECT_GE(second.GetAppProcessCount(), 2) << "the first copy and this one";
    ASSERT_EQ(1, second.SaveProfileString(key, "OpenFile", kHandedPath));
    second.CommitDBProfile();
    // The path's address means nothing to the first copy; it reads the profile entry.
    EXPECT_EQ(1, mivo::ForeignSendMessage(first->m_hWnd, kOpenFromInstance, (WPARAM)kHandedPath, 0));
    second.CloseDBProfile();
}

TEST_F(VXAppTest, SecondCopyHandsItsFileToTheFirstThroughTheProfile)
{
    mivotest::PrivateRuntimeFolder runtime;
    m_app.m_strAppKey = UniqueKey("MivoHandOverTest").c_str();
    m_app.OpenDBProfile(kHandOverProfile);
    ASSERT_EQ(1, m_app.RegisterVXApp(nullptr));
    HWND main = CreateWindow(m_app.m_strAppKey, "Mivo", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                             AfxGetInstanceHandle(), nullptr);
    ASSERT_NE(nullptr, main);
    SetWindowLongPtr(main, GWLP_WNDPROC, (LONG_PTR)FirstCopyProc);
    ShowWindow(main, SW_MINIMIZE);
    g_firstCopy = &m_app;
    g_handedOver.Empty();

    EXPECT_EQ(0, RunSecondCopy((LPCSTR)m_app.m_strAppKey, m_folder.windowsPath()));
    EXPECT_STREQ(kHandedPath, g_handedOver);
    EXPECT_FALSE(IsIconic(main)) << "the second copy brought the first one back";
    EXPECT_TRUE(IsWindowVisible(main));

    g_firstCopy = nullptr;
    DestroyWindow(main);
    m_app.ExitInstance();
}
