#include "ShellFixture.h"

#include "shell/MainApp.h"
#include "shell/MainFrame.h"
#include "editor/ImgEditView.h"
#include "framework/VXUtil.h"
#include "image/ImageObject.h"
#include "support/MessageLoop.h"
#include "support/PrivateRuntimeFolder.h"
#include "support/SecondCopy.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

namespace fs = std::filesystem;

namespace shelltest {

const char kCopyVariable[] = "MIVO_SHELL_COPY";

RunFolder::RunFolder(bool withDatabases)
{
    fs::create_directories(m_folder.file("Temp"));
    if (!withDatabases)
        return;
    for (const char* name : {"Mivo.dat", "MivoUser.dat"})
        fs::copy_file(std::string(MIVO_DATA_BUILD_DIR) + "/" + name, m_folder.file(name));
}

StoreClosedFirst::~StoreClosedFirst()
{
    theApp.CloseDBProfile();
}

BOOL StartProgram(const std::string& runFolder, const std::string& commandLine)
{
    theApp.m_strRunDir = runFolder.c_str();
    std::free(theApp.m_lpCmdLine);
    theApp.m_lpCmdLine = strdup(commandLine.c_str());
    BOOL started = theApp.StartUp();
    theApp.CloseSplash();
    mivo::test::PumpUntilIdle();
    return started;
}

namespace {

struct ProgramState {
    std::unique_ptr<mivotest::PrivateRuntimeFolder> runtime;
    std::unique_ptr<RunFolder> folder;
    bool started = false;
};

ProgramState& State()
{
    static ProgramState state;
    return state;
}

// Closes the program before the test process ends.
class ProgramEnd : public ::testing::Environment {
public:
    void TearDown() override
    {
        if (!State().started || !theApp.m_pMainWnd)
            return;
        CloseAllEditors();
        theApp.m_pMainWnd->DestroyWindow();
        theApp.m_pMainWnd = nullptr;
        mivo::test::PumpUntilIdle();
        mivo::test::DiscardQuitRequest();
        // The store lives in the run folder, which goes before the application object does.
        theApp.CloseDBProfile();
    }
};

::testing::Environment* const g_programEnd = ::testing::AddGlobalTestEnvironment(new ProgramEnd);

}  // namespace

CMainFrame* Program()
{
    ProgramState& state = State();
    if (!state.started) {
        state.runtime = std::make_unique<mivotest::PrivateRuntimeFolder>();
        state.folder = std::make_unique<RunFolder>();
        state.started = true;
        EXPECT_TRUE(StartProgram(state.folder->windowsPath(), ""));
    }
    return dynamic_cast<CMainFrame*>(theApp.m_pMainWnd);
}

const RunFolder& ProgramFolder()
{
    Program();
    return *State().folder;
}

std::vector<CImgEditView*> Editors()
{
    CPtrArray list;
    GetDocViewList("ImgEdit", &list);
    std::vector<CImgEditView*> views;
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        views.push_back(dynamic_cast<CImgEditView*>(static_cast<CView*>(list[i])));
    return views;
}

void WaitIdle(CImgEditView* view)
{
    mivo::test::PumpUntil([view] { return !view->IsBusy(); });
    mivo::test::PumpUntilIdle();
}

void CloseAllEditors()
{
    for (CImgEditView* view : Editors()) {
        WaitIdle(view);
        view->m_bModified = FALSE;
        if (CFrameWnd* frame = view->GetParentFrame())
            frame->SendMessage(WM_CLOSE);
        mivo::test::PumpUntilIdle();
    }
    mivo::test::PumpUntilIdle();
}

std::string WritePicture(const mivotest::TempFolder& folder, const std::string& name, int width, int height)
{
    CImageObject maker;
    std::unique_ptr<CImageObject> picture(maker.MakeBlankImageObject(RGB(30, 120, 200), width, height));
    std::string path = folder.windowsPath() + name;
    EXPECT_TRUE(picture && picture->Save(path.c_str())) << path;
    return path;
}

int RunCopy(const std::string& test, std::vector<std::string> env)
{
    env.push_back(std::string(kCopyVariable) + "=1");
    return mivotest::RunSecondCopy(test, env);
}

}  // namespace shelltest
