// The browser inside the running program, in a second copy of this test program: opened by the
// folder pane, and the edit command handing several files to editor windows.
#include <gtest/gtest.h>

#include "BrowserFixture.h"

#include "album/DlgConsoleBrowse.h"
#include "editor/ImgEditView.h"
#include "framework/VXUtil.h"
#include "image/ImageObject.h"
#include "resource.h"
#include "shell/MainApp.h"
#include "shell/MainFrame.h"
#include "support/MessageBoxCapture.h"
#include "support/MessageLoop.h"
#include "support/PrivateRuntimeFolder.h"
#include "support/SecondCopy.h"
#include "support/TempFolder.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>

namespace {

const char kCopyVariable[] = "MIVO_BROWSER_PROGRAM_COPY";

void WritePicture(const std::string& path, int width, int height)
{
    CImageObject maker;
    std::unique_ptr<CImageObject> picture(maker.MakeBlankImageObject(RGB(200, 100, 50), width, height));
    ASSERT_TRUE(picture->Save(path.c_str()));
}

}  // namespace

TEST(BrowserProgram, EditingThreeFilesWithAnUndecodableMiddleOneOpensTwoEditorsOnTheRightFiles)
{
    if (!std::getenv(kCopyVariable)) {
        EXPECT_EQ(0, mivotest::RunSecondCopy(
                         "BrowserProgram.EditingThreeFilesWithAnUndecodableMiddleOneOpensTwoEditorsOnTheRightFiles",
                         {std::string(kCopyVariable) + "=1"}));
        return;
    }
    mivotest::PrivateRuntimeFolder runtime;
    mivotest::TempFolder run("mivo-browser-program");
    setenv("ODBCINI", run.file("odbc.ini").c_str(), 1);
    setenv("MIVO_REGISTRY_FILE", run.file("registry").c_str(), 1);
    for (const char* name : {"Mivo.dat", "MivoUser.dat"})
        std::filesystem::copy_file(std::string(MIVO_DATA_BUILD_DIR) + "/" + name, run.file(name));
    std::string folder = run.windowsPath() + "사진\\";
    ::CreateDirectory(folder.c_str(), nullptr);
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
        WritePicture(folder + name, 40, 30);
    browsertest::MakeUndecodable((folder + "b.jpg").c_str());

    mivotest::MessageBoxCapture boxes(IDOK);
    theApp.m_strRunDir = run.windowsPath().c_str();
    theApp.m_lpCmdLine = strdup("");
    ASSERT_TRUE(theApp.StartUp());
    theApp.CloseSplash();
    mivo::test::PumpUntilIdle();
    CMainFrame* frame = dynamic_cast<CMainFrame*>(theApp.m_pMainWnd);
    ASSERT_TRUE(frame);

    frame->m_pBrowsePane->OpenFolderInBrowser(folder.c_str());
    CDlgImgBrowser* browser = CDlgImgBrowser::OpenLayer(IDR_MAINFRAME);
    ASSERT_TRUE(browser);
    ASSERT_EQ(4, browser->m_nItemCount);  // "..", a, b, c
    mivo::test::PumpUntil([] { return theApp.m_bThumbThreadDone.load() != 0; });
    for (int i = browser->m_nFolderCount; i < browser->m_nItemCount; i++)
        browser->m_arrSelected[i] = 1;
    CMivoImgBrowserView* view = browser->m_pThumbView;
    view->SendMessage(WM_COMMAND, ID_BROWSER_EDIT);
    ASSERT_TRUE(mivo::test::PumpUntil([view] { return view->m_nEditNext == 3; }));
    mivo::test::PumpUntilIdle();

    CPtrArray views;
    GetDocViewList("ImgEdit", &views);
    std::set<std::string> paths;
    for (INT_PTR i = 0; i < views.GetSize(); i++) {
        auto* editor = dynamic_cast<CImgEditView*>(static_cast<CView*>(views[i]));
        ASSERT_TRUE(editor && editor->m_pImage);
        paths.insert((LPCSTR)editor->m_strPathName);
    }
    EXPECT_EQ((std::set<std::string>{folder + "a.jpg", folder + "c.jpg"}), paths);

    frame->DestroyWindow();
    mivo::test::PumpUntilIdle();
    theApp.CloseDBProfile();
}
