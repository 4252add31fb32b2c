// The main frame's program-wide commands: re-activating an editor, the
// running title numbers of new, pasted and scanned pictures, online
// ordering with and without an answer from the server, and help.
#include <gtest/gtest.h>

#include "shell/MainApp.h"
#include "shell/MainFrame.h"
#include "ShellFixture.h"
#include "resource.h"
#include "album/DlgJPEGFormat.h"
#include "controls/VXDlgLayerFrame.h"
#include "editor/ImgEditView.h"
#include "templates/DlgTemplatePage.h"
#include "image/ImageObject.h"
#include "support/MessageBoxCapture.h"
#include "support/MessageLoop.h"

#include "mivo/process.h"
#include "mivo/testing/net.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

using namespace shelltest;

namespace {

// Program starts recorded instead of run.
class RecordedStarts {
public:
    RecordedStarts()
    {
        mivo::SetSpawnHook([this](const std::vector<std::string>& argv) {
            starts.push_back(argv);
            return true;
        });
    }
    ~RecordedStarts() { mivo::SetSpawnHook(nullptr); }
    std::vector<std::vector<std::string>> starts;
};

// Echo requests counted and never answered.
class SilentNetwork {
public:
    SilentNetwork()
    {
        mivo::SetEchoTransport([this](uint32_t, const std::vector<uint8_t>&, unsigned, std::vector<uint8_t>&) {
            ++requests;
            return false;
        });
    }
    ~SilentNetwork() { mivo::SetEchoTransport(nullptr); }
    int requests = 0;
};

// Puts a 24-bit picture of the given size on the clipboard as a device-independent bitmap.
void PutPictureOnClipboard(CWnd* owner, int width, int height)
{
    CImageObject maker;
    std::unique_ptr<CImageObject> picture(maker.MakeBlankImageObject(RGB(200, 30, 30), width, height));
    ASSERT_TRUE(picture);
    HGLOBAL dib = picture->DibFromImgObj();
    ASSERT_NE(nullptr, dib);
    ASSERT_TRUE(::OpenClipboard(owner->m_hWnd));
    ::EmptyClipboard();
    ::SetClipboardData(CF_DIB, dib);
    ::CloseClipboard();
}

// What the command's update handler says: 1 enabled, 0 greyed, -1 nothing said.
int EnabledState(CCmdTarget* target, UINT id)
{
    struct Recorded : CCmdUI {
        int enabled = -1;
        void Enable(BOOL on) override
        {
            enabled = on ? 1 : 0;
            m_bEnableChanged = TRUE;
        }
    } state;
    state.m_nID = id;
    state.DoUpdate(target, TRUE);
    return state.enabled;
}

CString Numbered(const char* format, int n)
{
    CString text;
    text.Format(format, n);
    return text;
}

}  // namespace

TEST(MainFrameCommands, OpeningAnOpenPathInOtherLetterCaseReactivatesItsEditor)
{
    CMainFrame* frame = Program();
    ASSERT_NE(nullptr, frame);
    std::string path = WritePicture(ProgramFolder().folder(), "same.jpg", 30, 20);
    CImgEditView* first = frame->OpenImageEditor(path.c_str(), "");
    ASSERT_NE(nullptr, first);
    WaitIdle(first);
    CImgEditView* other = frame->OpenImageEditor("", "다른 창");
    ASSERT_NE(nullptr, other);
    WaitIdle(other);
    frame->SetSelFolder(kFolderBrowse);

    CString upper = path.c_str();
    upper.MakeUpper();
    EXPECT_EQ(first, frame->OpenImageEditor(upper, ""));
    EXPECT_EQ(2u, Editors().size()) << "nothing was loaded again";
    EXPECT_EQ(kFolderEditTools, frame->GetSelFolder());
    EXPECT_EQ(first->GetParentFrame(), frame->MDIGetActive());
    CloseAllEditors();
}

TEST(MainFrameCommands, NewAndPasteShareOneRunningNumber)
{
    CMainFrame* frame = Program();
    ASSERT_NE(nullptr, frame);
    int n = theApp.m_nNewImageCount;
    PutPictureOnClipboard(frame, 50, 40);
    frame->SendMessage(WM_COMMAND, ID_FILE_PASTE_NEW);
    frame->SendMessage(WM_COMMAND, ID_FILE_NEW_IMAGE);
    frame->SendMessage(WM_COMMAND, ID_FILE_PASTE_NEW);
    mivo::test::PumpUntilIdle();
    auto editors = Editors();
    ASSERT_EQ(3u, editors.size());
    for (CImgEditView* view : editors)
        WaitIdle(view);
    EXPECT_STREQ(Numbered("새 이미지-%d", n + 1), editors[0]->m_strTitle);
    EXPECT_STREQ(Numbered("새 이미지-%d", n + 2), editors[1]->m_strTitle);
    EXPECT_STREQ(Numbered("새 이미지-%d", n + 3), editors[2]->m_strTitle);
    EXPECT_TRUE(editors[0]->m_bModified) << "a pasted picture is new work";
    EXPECT_FALSE(editors[1]->m_bModified);
    ASSERT_NE(nullptr, editors[2]->m_pImage);
    EXPECT_EQ(50, editors[2]->m_pImage->GetWidth());
    EXPECT_EQ(40, editors[2]->m_pImage->GetHeight());
    EXPECT_EQ(RGB(200, 30, 30), editors[2]->m_pImage->GetPixelColor(10, 10));
    EXPECT_EQ(1024, editors[1]->m_pImage->GetWidth());
    CloseAllEditors();
}

TEST(MainFrameCommands, PasteWithAnEmptyClipboardDoesNothing)
{
    CMainFrame* frame = Program();
    ASSERT_NE(nullptr, frame);
    ASSERT_TRUE(::OpenClipboard(frame->m_hWnd));
    ::EmptyClipboard();
    ::CloseClipboard();
    int n = theApp.m_nNewImageCount;
    frame->SendMessage(WM_COMMAND, ID_FILE_PASTE_NEW);
    mivo::test::PumpUntilIdle();
    EXPECT_TRUE(Editors().empty());
    EXPECT_EQ(n, theApp.m_nNewImageCount);
}

TEST(MainFrameCommands, PictureForANewEditorIsFreedWhenNoEditorOpens)
{
    CMainFrame* frame = Program();
    ASSERT_NE(nullptr, frame);
    // Without the editor template no view can be made; the picture must not leak or be used.
    POSITION pos = theApp.GetFirstDocTemplatePosition();
    CDocTemplate* editors = theApp.GetNextDocTemplate(pos);
    ASSERT_NE(nullptr, editors);
    auto* multi = dynamic_cast<CMultiDocTemplate*>(editors);
    ASSERT_NE(nullptr, multi);
    CString strings = multi->m_strDocStrings;
    multi->m_strDocStrings = "\nOther\nOther";
    CImageObject maker;
    EXPECT_EQ(nullptr, frame->OpenImageAsNewEditor(maker.MakeBlankImageObject(0, 10, 10), "Scan-0"));
    multi->m_strDocStrings = strings;
    EXPECT_TRUE(Editors().empty());
}

TEST(MainFrameCommands, OrderStartsTheChooserWithoutAskingTheNetworkOnceTheServerAnswered)
{
    CMainFrame* frame = Program();
    ASSERT_NE(nullptr, frame);
    // The chooser is found beside the program under its own name.
    std::string chooser = ProgramFolder().file("Kestrune");
    std::ofstream(chooser) << "#!/bin/sh\n";
    std::filesystem::permissions(chooser, std::filesystem::perms::owner_all);
    RecordedStarts starts;
    SilentNetwork network;
    theApp.m_bServerReachable = 1;
    frame->SendMessage(WM_COMMAND, ID_ONLINE_ORDER);
    theApp.m_bServerReachable = 0;
    EXPECT_EQ(0, network.requests);
    ASSERT_EQ(1u, starts.starts.size());
    ASSERT_EQ(2u, starts.starts[0].size());
    EXPECT_EQ(ProgramFolder().file("Kestrune"), starts.starts[0][0]);
    EXPECT_EQ("WDBCServer=127.0.0.1", starts.starts[0][1]);
}

TEST(MainFrameCommands, OrderWithoutAnAnswerShowsTheMessageAndStartsNothing)
{
    CMainFrame* frame = Program();
    ASSERT_NE(nullptr, frame);
    RecordedStarts starts;
    SilentNetwork network;
    mivotest::MessageBoxCapture boxes;
    frame->OnOnlinePrintOrder();
    EXPECT_EQ(1, network.requests);
    EXPECT_TRUE(starts.starts.empty());
    ASSERT_EQ(1u, boxes.shown().size());
    EXPECT_EQ("컴퓨터의 인터넷 연결이 확인되지 않았습니다.", boxes.shown()[0].text);
    EXPECT_EQ(0, theApp.m_bServerReachable) << "the order's own test does not remember its answer";
}

TEST(MainFrameCommands, OpenHelpWindowIsBroughtBackInsteadOfStartingAnother)
{
    CMainFrame* frame = Program();
    ASSERT_NE(nullptr, frame);
    CFrameWnd* help = new CFrameWnd;
    ASSERT_TRUE(help->Create(nullptr, "Mivo 도움말", WS_OVERLAPPEDWINDOW, CRect(10, 10, 300, 200)));
    help->ShowWindow(SW_SHOWMINIMIZED);
    ASSERT_TRUE(help->IsIconic());
    RecordedStarts starts;
    frame->SendMessage(WM_COMMAND, ID_HELP_CONTENTS);
    mivo::test::PumpUntilIdle();
    EXPECT_FALSE(help->IsIconic());
    EXPECT_TRUE(help->IsWindowVisible());
    EXPECT_TRUE(starts.starts.empty());
    help->DestroyWindow();
    mivo::test::PumpUntilIdle();
}

TEST(MainFrameCommands, HomePageOpensTheServerInTheBrowser)
{
    CMainFrame* frame = Program();
    ASSERT_NE(nullptr, frame);
    RecordedStarts starts;
    frame->SendMessage(WM_COMMAND, ID_HELP_HOMEPAGE);
    ASSERT_EQ(1u, starts.starts.size());
    EXPECT_EQ((std::vector<std::string>{"xdg-open", "http://127.0.0.1"}), starts.starts[0]);
}

TEST(MainFrameCommands, EveryWindowsCommandIsOpen)
{
    CMainFrame* frame = Program();
    ASSERT_NE(nullptr, frame);
    for (UINT id : {ID_FILE_NEW_IMAGE, ID_FILE_CAPTURE, ID_TOOLS_SETTINGS, ID_TEMPLATE_CALENDAR, ID_TEMPLATE_PRFORM})
        EXPECT_EQ(1, EnabledState(frame, id)) << id;
}

TEST(MainFrameCommands, JpegFormatOpensAnotherEmptyInspectorPageEachTime)
{
    CMainFrame* frame = Program();
    ASSERT_NE(nullptr, frame);
    auto inspectors = [frame] {
        std::vector<CDlgJPEGFormat*> found;
        for (HWND child = ::GetWindow(frame->m_hWndMDIClient, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            char title[64] = "";
            ::GetWindowText(child, title, sizeof title);
            auto* layer = dynamic_cast<CVXDlgLayerFrame*>(CWnd::FromHandlePermanent(child));
            auto* dlg = layer ? dynamic_cast<CDlgJPEGFormat*>(layer->GetPageDialog(0)) : nullptr;
            if (dlg && std::string(title) == "JPEG Format")
                found.push_back(dlg);
        }
        return found;
    };
    EXPECT_EQ(1, EnabledState(frame, ID_TOOLS_JPEG_FORMAT));
    size_t before = inspectors().size();
    frame->SendMessage(WM_COMMAND, ID_TOOLS_JPEG_FORMAT);
    frame->SendMessage(WM_COMMAND, ID_TOOLS_JPEG_FORMAT);
    std::vector<CDlgJPEGFormat*> after = inspectors();
    ASSERT_EQ(before + 2, after.size());
    for (CDlgJPEGFormat* dlg : after) {
        EXPECT_TRUE(dlg->m_strPath.IsEmpty());
        EXPECT_EQ(0, dlg->m_gridStructure.GetItemCount());
        dlg->GetParentFrame()->DestroyWindow();  // the frame deletes its page
    }

    // From an editor the page shows the editor's file, not analysed yet.
    std::string path = WritePicture(ProgramFolder().folder(), "format.jpg", 30, 20);
    CImgEditView* view = frame->OpenImageEditor(path.c_str(), "");
    ASSERT_NE(nullptr, view);
    WaitIdle(view);
    view->SendMessage(WM_COMMAND, IDM_ED_JPEG_FORMAT);
    after = inspectors();
    ASSERT_EQ(before + 1, after.size());
    CString shown;
    after.back()->GetDlgItemText(IDC_JPEG_PATH, shown);
    EXPECT_STREQ(path.c_str(), shown);
    EXPECT_EQ(0, after.back()->m_gridStructure.GetItemCount());
    after.back()->GetParentFrame()->DestroyWindow();
    view->GetParentFrame()->DestroyWindow();
}

int MdiChildCount(CMainFrame* frame)
{
    int count = 0;
    for (HWND child = ::GetWindow(frame->m_hWndMDIClient, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        ++count;
    return count;
}

TEST(MainFrameCommands, TemplateCommandsOpenTheirPageAndBringItBackTheSecondTime)
{
    CMainFrame* frame = Program();
    ASSERT_NE(nullptr, frame);
    const struct {
        UINT id;
        const char* title;
        const char* page;
    } kCommands[] = {{ID_TEMPLATE_MASK, "마스크 템플릿 등록 및 관리", "CDlgTemplateMask"},
                     {ID_TEMPLATE_PATTERN, "배경무늬 템플릿 등록 및 관리", "CDlgTemplatePattern"},
                     {ID_TEMPLATE_FRAME, "액자 템플릿 등록 및 관리", "CDlgTemplateFrame"},
                     {ID_TEMPLATE_CALENDAR, "달력 템플릿 등록 및 관리", "CDlgTemplateCalendar"}};
    for (const auto& command : kCommands) {
        SCOPED_TRACE(command.page);
        EXPECT_EQ(1, EnabledState(frame, command.id));
        frame->SendMessage(WM_COMMAND, command.id);
        mivo::test::PumpUntilIdle();
        auto* layer = dynamic_cast<CVXDlgLayerFrame*>(frame->MDIGetActive());
        ASSERT_NE(nullptr, layer);
        CString title;
        layer->GetWindowText(title);
        EXPECT_STREQ(command.title, title);
        ASSERT_NE(nullptr, layer->GetPageDialog(0));
        EXPECT_STREQ(command.page, layer->GetPageDialog(0)->GetRuntimeClass()->m_lpszClassName);
        const int windows = MdiChildCount(frame);
        frame->SendMessage(WM_COMMAND, command.id);
        mivo::test::PumpUntilIdle();
        EXPECT_EQ(layer, frame->MDIGetActive());
        EXPECT_EQ(windows, MdiChildCount(frame));
    }
    for (const auto& command : kCommands) {
        (void)command;
        if (CMDIChildWnd* child = frame->MDIGetActive())
            child->MDIDestroy();
        mivo::test::PumpUntilIdle();
    }
}

TEST(MainFrameCommands, AShippedFrameTemplateOpensItsCornerPieceInAnEditor)
{
    CMainFrame* frame = Program();
    ASSERT_NE(nullptr, frame);
    frame->SendMessage(WM_COMMAND, ID_TEMPLATE_FRAME);
    mivo::test::PumpUntilIdle();
    auto* layer = dynamic_cast<CVXDlgLayerFrame*>(frame->MDIGetActive());
    ASSERT_NE(nullptr, layer);
    auto* page = dynamic_cast<CDlgTemplatePage*>(layer->GetPageDialog(0));
    ASSERT_NE(nullptr, page);
    ASSERT_EQ(3, page->m_wndList.GetItemCount()) << "the shipped frames";
    page->OpenTemplate(0);
    ASSERT_FALSE(page->m_strPath[0].IsEmpty());
    page->SendMessage(WM_COMMAND, IDC_TMPL_EDIT);
    std::vector<CImgEditView*> editors = Editors();
    ASSERT_EQ(1u, editors.size());
    WaitIdle(editors[0]);
    EXPECT_STREQ(page->m_strPath[0], editors[0]->m_strPathName);
    EXPECT_EQ(40, editors[0]->m_pImage ? editors[0]->m_pImage->GetWidth() : 0);
    CloseAllEditors();
    layer->MDIDestroy();
    mivo::test::PumpUntilIdle();
}

TEST(MainFrameCommands, HelpOpensTheProgramsOwnPageInAWindowTheNextHelpFinds)
{
    CMainFrame* frame = Program();
    ASSERT_NE(nullptr, frame);
    std::filesystem::copy_file(MIVO_SOURCE_DIR "/Lumaret/res/shell/MivoLite.html",
                               ProgramFolder().file("MivoLite.html"),
                               std::filesystem::copy_options::overwrite_existing);
    ASSERT_EQ(nullptr, ::FindWindow(nullptr, "Mivo 도움말"));
    RecordedStarts starts;
    frame->SendMessage(WM_COMMAND, ID_HELP_CONTENTS);
    mivo::test::PumpUntil([] { return ::FindWindow(nullptr, "Mivo 도움말") != nullptr; });
    HWND help = ::FindWindow(nullptr, "Mivo 도움말");
    ASSERT_NE(nullptr, help);
    EXPECT_TRUE(starts.starts.empty());
    ::ShowWindow(help, SW_MINIMIZE);
    frame->SendMessage(WM_COMMAND, ID_HELP);
    mivo::test::PumpUntilIdle();
    EXPECT_FALSE(::IsIconic(help)) << "the open window came back";
    int windows = 0;
    for (HWND w = ::FindWindow(nullptr, "Mivo 도움말"); w; w = ::FindWindowEx(nullptr, w, nullptr, "Mivo 도움말"))
        ++windows;
    EXPECT_EQ(1, windows);
    ::SendMessage(help, WM_CLOSE, 0, 0);
    mivo::test::PumpUntilIdle();
}
