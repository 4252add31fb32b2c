// The main frame: its bars, the folder bar's notifications and stored
// state, the zoom drop-down, closing with unsaved or busy editors, and
// scanning after a refused close.
#include <gtest/gtest.h>

#include "shell/MainApp.h"
#include "shell/MainFrame.h"
#include "ShellFixture.h"
#include "resource.h"
#include "controls/VXOutBarCtrl.h"
#include "editor/ImgEditView.h"
#include "support/MessageLoop.h"
#include "support/TempFolder.h"
#include "support/PrivateRuntimeFolder.h"
#include "image/ImageObject.h"

#include "mivo/testing/msgbox.h"
#include "mivo/testing/twain.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace shelltest;

namespace {

// Answers message boxes in turn and records their texts.
class ScriptedBoxes {
public:
    explicit ScriptedBoxes(std::vector<int> answers) : m_answers(std::move(answers))
    {
        m_previous = mivo::SetMessageBoxHook([this](HWND, const char* text, const char*, UINT) {
            texts.push_back(text);
            int answer = m_next < m_answers.size() ? m_answers[m_next] : IDCANCEL;
            ++m_next;
            return answer;
        });
    }
    ~ScriptedBoxes() { mivo::SetMessageBoxHook(m_previous); }
    std::vector<std::string> texts;

private:
    std::vector<int> m_answers;
    size_t m_next = 0;
    mivo::MessageBoxHook m_previous;
};

CImgEditView* NewModifiedEditor(CMainFrame* frame, const char* title)
{
    CImgEditView* view = frame->OpenImageEditor("", title);
    if (view) {
        WaitIdle(view);
        view->m_bModified = TRUE;
    }
    return view;
}

// The frame's loop with the scanner's filter in front, as the program runs it.
void PumpScanning(CMainFrame* frame)
{
    MSG msg;
    for (int round = 0; round < 100; round++) {
        bool any = false;
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            any = true;
            if (frame->PreTranslateMessage(&msg))
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
        if (!any)
            return;
    }
}

}  // namespace

TEST(MainFrame, BarsAndGroupsAreInPlace)
{
    CMainFrame* frame = Program();
    ASSERT_NE(nullptr, frame);
    EXPECT_EQ(12, frame->m_wndToolBar.GetCount());
    EXPECT_STREQ(" Mivo홈 ", frame->m_wndToolBar.GetButtonText(0));
    EXPECT_STREQ("다시실행", frame->m_wndToolBar.GetButtonText(11));
    EXPECT_NE(0u, frame->m_wndToolBar.GetButtonStyle(frame->m_wndToolBar.CommandToIndex(33115)) & TBSTYLE_DROPDOWN);
    EXPECT_NE(0u, frame->m_wndToolBar.GetButtonStyle(frame->m_wndToolBar.CommandToIndex(33116)) & TBSTYLE_DROPDOWN);
    EXPECT_EQ(0u, frame->m_wndToolBar.GetButtonStyle(frame->m_wndToolBar.CommandToIndex(33117)) & TBSTYLE_DROPDOWN);
    EXPECT_EQ(8, frame->m_wndStatusBar.GetCount());
    CRect pane, bar;
    frame->m_wndStatusBar.GetItemRect(1, &pane);
    frame->m_wndProgress.GetWindowRect(&bar);
    frame->m_wndStatusBar.ScreenToClient(&bar);
    EXPECT_EQ(pane, bar) << "the progress bar fills status pane 1";
    EXPECT_EQ(3, frame->m_wndFolderBar.GetFolderCount());
    EXPECT_STREQ("미디어 탐색기", frame->m_wndFolderBar.GetOutBar()->GetFolderText(0));
    EXPECT_STREQ("앨범관리자", frame->m_wndFolderBar.GetOutBar()->GetFolderText(1));
    EXPECT_STREQ("편집도구함", frame->m_wndFolderBar.GetOutBar()->GetFolderText(2));
    EXPECT_EQ(1, frame->m_bCreated);
}

TEST(MainFrame, FolderBarNotificationsByCode)
{
    CMainFrame* frame = Program();
    ASSERT_NE(nullptr, frame);
    const struct {
        WPARAM code;
        LPARAM value;
        LRESULT result;
    } cases[] = {{0, 1, 0}, {1, 1, 0}, {2, 0, 1}, {3, 0, 1}, {6, 0, 1}, {7, 1, 0}, {4, 0, 1}, {5, 1, 1}};
    for (const auto& c : cases)
        EXPECT_EQ(c.result, frame->SendMessage(WM_OUTBAR_NOTIFY, c.code, c.value)) << c.code;
    EXPECT_EQ(1, frame->m_nSelFolder) << "the last change switched to the album group";
    EXPECT_EQ(1, frame->m_bAlbumPaneReady);

    frame->m_bCreated = 0;
    EXPECT_EQ(0, frame->SendMessage(WM_OUTBAR_NOTIFY, 5, 0)) << "ignored before creation ends";
    EXPECT_EQ(0, frame->SendMessage(WM_OUTBAR_NOTIFY, 4, 0));
    EXPECT_EQ(1, frame->m_nSelFolder);
    frame->m_bCreated = 1;
    EXPECT_EQ(1, frame->SendMessage(WM_OUTBAR_NOTIFY, 5, 0));
    EXPECT_EQ(0, frame->m_nSelFolder);
}

TEST(MainFrame, ToolBoxAndTopMostCommands)
{
    CMainFrame* frame = Program();
    ASSERT_NE(nullptr, frame);
    ASSERT_TRUE(frame->m_wndFolderBar.IsWindowVisible());
    frame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBOX);
    EXPECT_FALSE(frame->m_wndFolderBar.IsWindowVisible());
    frame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBOX);
    EXPECT_TRUE(frame->m_wndFolderBar.IsWindowVisible());

    frame->SendMessage(WM_COMMAND, ID_WINDOW_TOPMOST);
    EXPECT_EQ(1, frame->m_bTopMost);
    EXPECT_NE(0, frame->GetExStyle() & WS_EX_TOPMOST);
    frame->SendMessage(WM_COMMAND, ID_WINDOW_NOTOPMOST);
    EXPECT_EQ(0, frame->m_bTopMost);
    EXPECT_EQ(0, frame->GetExStyle() & WS_EX_TOPMOST);
}

TEST(MainFrame, CloseAsksAboutEveryModifiedEditorAndCancelKeepsTheProgram)
{
    CMainFrame* frame = Program();
    ASSERT_NE(nullptr, frame);
    ASSERT_NE(nullptr, NewModifiedEditor(frame, "첫째"));
    ASSERT_NE(nullptr, NewModifiedEditor(frame, "둘째"));
    {
        ScriptedBoxes boxes({IDCANCEL, IDNO});
        frame->SendMessage(WM_CLOSE);
        mivo::test::PumpUntilIdle();
        ASSERT_EQ(2u, boxes.texts.size());
        EXPECT_EQ("첫째 이미지가 변경되었습니다.\r\n저장하시겠습니까?", boxes.texts[0]);
        EXPECT_EQ("둘째 이미지가 변경되었습니다.\r\n저장하시겠습니까?", boxes.texts[1]);
    }
    EXPECT_TRUE(::IsWindow(frame->m_hWnd));
    EXPECT_EQ(0, theApp.m_bClosing);
    EXPECT_EQ(2u, Editors().size());
    CloseAllEditors();
}

TEST(MainFrame, YesWhoseSaveFailsKeepsTheProgramAndThePicture)
{
    CMainFrame* frame = Program();
    ASSERT_NE(nullptr, frame);
    mivotest::TempFolder gone("mivo-shell-gone");
    std::string path = WritePicture(gone, "사진.jpg", 30, 20);
    CImgEditView* view = frame->OpenImageEditor(path.c_str(), "");
    ASSERT_NE(nullptr, view);
    WaitIdle(view);
    view->m_bModified = TRUE;
    std::filesystem::remove_all(gone.path());
    {
        // Yes to the question; the save then finds no folder to write into.
        ScriptedBoxes boxes({IDYES, IDOK});
        frame->SendMessage(WM_CLOSE);
        mivo::test::PumpUntilIdle();
        ASSERT_GE(boxes.texts.size(), 1u);
        EXPECT_EQ(path + " 이미지가 변경되었습니다.\r\n저장하시겠습니까?", boxes.texts[0]);
    }
    EXPECT_TRUE(::IsWindow(frame->m_hWnd));
    ASSERT_EQ(1u, Editors().size());
    EXPECT_TRUE(Editors()[0]->m_bModified);
    EXPECT_EQ(0, theApp.m_bClosing);
    CloseAllEditors();
}

TEST(MainFrame, BusyEditorRefusesTheCloseAndScanningStillWorks)
{
    CMainFrame* frame = Program();
    ASSERT_NE(nullptr, frame);
    CImgEditView* view = frame->OpenImageEditor("", "일하는 중");
    ASSERT_NE(nullptr, view);
    WaitIdle(view);
    view->m_bBusy = TRUE;
    {
        ScriptedBoxes boxes({IDOK});
        frame->SendMessage(WM_CLOSE);
        ASSERT_EQ(1u, boxes.texts.size());
        EXPECT_EQ("이미지 작업이 진행중입니다. 작업이 종료된 후 다시 시도하십시요.", boxes.texts[0]);
    }
    view->m_bBusy = FALSE;
    CloseAllEditors();
    ASSERT_TRUE(::IsWindow(frame->m_hWnd));

    mivotest::TempFolder sane("mivo-shell-sane");
    std::ofstream(sane.file("dll.conf"));
    setenv("SANE_CONFIG_DIR", sane.path().c_str(), 1);
    mivo::TwainTestSourceSettings settings;
    settings.images = 2;
    mivo::SetTwainTestSource(settings);
    int scans = theApp.m_nScanCount;
    frame->SendMessage(WM_COMMAND, ID_FILE_SCAN);
    ASSERT_TRUE(frame->SourceEnabled()) << "the refused close left the scanner connected";
    HWND panel = ::FindWindow(nullptr, "테스트 원본");
    ASSERT_NE(nullptr, panel);
    ::SendMessage(::FindWindowEx(panel, nullptr, "Button", "스캔"), BM_CLICK, 0, 0);
    PumpScanning(frame);
    mivo::test::PumpUntilIdle();
    auto editors = Editors();
    ASSERT_EQ(2u, editors.size());
    CString first, second;
    first.Format("Scan-%d", scans + 1);
    second.Format("Scan-%d", scans + 2);
    EXPECT_STREQ(first, editors[0]->m_strTitle);
    EXPECT_STREQ(second, editors[1]->m_strTitle);
    EXPECT_TRUE(editors[0]->m_bModified);
    EXPECT_EQ(64, editors[1]->m_pImage->GetWidth());
    CloseAllEditors();
    mivo::SetTwainTestSource(mivo::TwainTestSourceSettings());
    unsetenv("SANE_CONFIG_DIR");
}

// ---- stored state, in a process of its own ----

TEST(MainFrameStoredState, MissingWidthGivesTheDefaultAndGroupTwoIsWrittenBack)
{
    EXPECT_EQ(0, RunCopy("MainFrameCopy.StartsWithStoredStateAndCloses", {}));
}

TEST(MainFrameCopy, StartsWithStoredStateAndCloses)
{
    SHELL_SECOND_COPY_ONLY();
    mivotest::PrivateRuntimeFolder runtime;  // no other copy runs here
    RunFolder run;
    StoreClosedFirst closed;
    theApp.m_strRunDir = run.windowsPath().c_str();
    theApp.OpenDBProfile("Profile.MivoLite");
    theApp.SaveProfileInt("MivoLite", "FolderBarWidth", 0);
    theApp.SaveProfileInt("MivoLite", "SelFolder", 2);
    theApp.SaveProfileString("MivoLite", "ImageOpenDir", "C:\\사진\\");
    ASSERT_TRUE(StartProgram(run.windowsPath(), "Show=1"));
    CMainFrame* frame = dynamic_cast<CMainFrame*>(theApp.m_pMainWnd);
    ASSERT_NE(nullptr, frame);
    EXPECT_EQ(kFolderBrowse, frame->GetSelFolder()) << "only 1 selects the album group";
    EXPECT_EQ(2, frame->m_nSelFolder);
    EXPECT_STREQ("C:\\사진\\", theApp.m_szImageOpenDir);
    int width = frame->m_wndFolderBar.GetWidth();
    EXPECT_GE(width, 100);
    frame->SendMessage(WM_CLOSE);
    mivo::test::PumpUntilIdle();
    EXPECT_EQ(1, theApp.m_bClosing);
    EXPECT_EQ(2, theApp.LoadProfileInt("MivoLite", "SelFolder"));
    EXPECT_EQ(width, theApp.LoadProfileInt("MivoLite", "FolderBarWidth"));
    EXPECT_STREQ("C:\\사진\\", theApp.LoadProfileString("MivoLite", "ImageOpenDir"));
    CRect rect;
    EXPECT_EQ(1, theApp.RtrvWindowPos("MivoLite", &rect)) << "closed maximised, comes back maximised";
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\MivoLite\\Install", 0, KEY_READ, &key));
    char value[300] = "";
    DWORD size = sizeof(value);
    EXPECT_EQ(ERROR_SUCCESS, ::RegQueryValueEx(key, "RunDir", nullptr, nullptr, (BYTE*)value, &size));
    EXPECT_EQ(run.windowsPath(), std::string(value));
    ::RegCloseKey(key);
    mivo::test::DiscardQuitRequest();
}
