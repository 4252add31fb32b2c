// Documents, views and frames made from a template: titles, command routing,
// closing with the save question, and recent files kept across a restart.
#include <gtest/gtest.h>

#include <mfc.h>

#include "support/DialogDriver.h"
#include "support/GeometryPrinters.h"
#include "support/MessageBoxCapture.h"
#include "support/MessageLoop.h"
#include "support/TempFolder.h"

#include <string>
#include <vector>

using namespace mivo::test;

namespace {

std::vector<std::string> g_log;

const UINT kTemplateId = 7100;
enum : UINT { kCmdAll = 41000, kCmdDocFrameApp, kCmdFrameApp, kCmdApp, kCmdNobody };

class CTestDoc : public CDocument {
    DECLARE_DYNCREATE(CTestDoc)
public:
    static int s_alive;
    CTestDoc() { ++s_alive; }
    ~CTestDoc() override { --s_alive; }
    BOOL OnSaveDocument(LPCSTR path) override
    {
        g_log.push_back(std::string("save ") + path);
        return TRUE;
    }

protected:
    void OnAll() { g_log.push_back("doc"); }
    DECLARE_MESSAGE_MAP()
};
int CTestDoc::s_alive = 0;
IMPLEMENT_DYNCREATE(CTestDoc, CDocument)
BEGIN_MESSAGE_MAP(CTestDoc, CDocument)
ON_COMMAND(kCmdDocFrameApp, OnAll)
END_MESSAGE_MAP()

class CTestView : public CView {
    DECLARE_DYNCREATE(CTestView)
public:
    int initialUpdates = 0;
    void OnDraw(CDC*) override {}
    void OnInitialUpdate() override
    {
        ++initialUpdates;
        CView::OnInitialUpdate();
    }

protected:
    void OnAll() { g_log.push_back("view"); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTestView, CView)
BEGIN_MESSAGE_MAP(CTestView, CView)
ON_COMMAND(kCmdAll, OnAll)
END_MESSAGE_MAP()

class CTestFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CTestFrame)
public:
    CTestFrame() { m_strTitle = "사진"; }

protected:
    void OnAll() { g_log.push_back("frame"); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTestFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
ON_COMMAND(kCmdAll, OnAll)
ON_COMMAND(kCmdDocFrameApp, OnAll)
ON_COMMAND(kCmdFrameApp, OnAll)
END_MESSAGE_MAP()

class CTestApp : public CWinApp {
public:
    CTestApp() : CWinApp("문서 테스트") {}

protected:
    void OnAll() { g_log.push_back("app"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
ON_COMMAND(kCmdAll, OnAll)
ON_COMMAND(kCmdDocFrameApp, OnAll)
ON_COMMAND(kCmdFrameApp, OnAll)
ON_COMMAND(kCmdApp, OnAll)
END_MESSAGE_MAP()

// The file dialog asked for a name runs under the script's window as the
// application's main window, so the script can answer it.
class ScriptedMainWindow {
public:
    ScriptedMainWindow(CWinApp& app) : m_app(app)
    {
        m_owner.Attach(script.Owner());
        m_app.m_pMainWnd = &m_owner;
    }
    ~ScriptedMainWindow()
    {
        m_app.m_pMainWnd = nullptr;
        m_owner.Detach();
    }
    ModalScript script;

private:
    CWinApp& m_app;
    CWnd m_owner;
};

class DocViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_log.clear();
        docTemplate = new CMultiDocTemplate(kTemplateId, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestFrame),
                                            RUNTIME_CLASS(CTestView));
        docTemplate->m_strDocStrings = "\n사진\n사진\n";
        app.AddDocTemplate(docTemplate);
    }
    void TearDown() override
    {
        app.CloseAllDocuments(TRUE);
        PumpUntilIdle();
        EXPECT_EQ(0, CTestDoc::s_alive);
    }
    static CFrameWnd* FrameOf(CDocument* doc)
    {
        POSITION pos = doc->GetFirstViewPosition();
        return pos ? doc->GetNextView(pos)->GetParentFrame() : nullptr;
    }
    static CString TextOf(CWnd* wnd)
    {
        CString text;
        wnd->GetWindowText(text);
        return text;
    }

    CTestApp app;
    CMultiDocTemplate* docTemplate = nullptr;
};

}  // namespace

TEST_F(DocViewTest, NewDocumentsAreNumberedAndTitleTheirFrames)
{
    CDocument* first = docTemplate->OpenDocumentFile(nullptr);
    CDocument* second = docTemplate->OpenDocumentFile(nullptr);
    ASSERT_TRUE(first && second);
    EXPECT_STREQ("사진1", first->GetTitle());
    EXPECT_STREQ("사진2", second->GetTitle());
    EXPECT_STREQ("사진1 - 사진", TextOf(FrameOf(first))) << "a sizeable frame puts the document first";

    first->SetTitle("바다.jpg");
    EXPECT_STREQ("바다.jpg - 사진", TextOf(FrameOf(first)));

    FrameOf(second)->ModifyStyle(FWS_PREFIXTITLE, 0);
    FrameOf(second)->OnUpdateFrameTitle(TRUE);
    EXPECT_STREQ("사진 - 사진2", TextOf(FrameOf(second)));

    // The view fills the frame's client area, its client edge inside.
    CFrameWnd* frame = FrameOf(first);
    CView* view = frame->GetActiveView();
    ASSERT_TRUE(view);
    EXPECT_TRUE(view->GetExStyle() & WS_EX_CLIENTEDGE);
    EXPECT_EQ(1, static_cast<CTestView*>(view)->initialUpdates);
    CRect client, placed;
    frame->GetClientRect(&client);
    view->GetWindowRect(&placed);
    frame->ScreenToClient(&placed);
    EXPECT_EQ(client, placed);
}

TEST_F(DocViewTest, SecondFrameOnOneDocumentNumbersBoth)
{
    CDocument* doc = docTemplate->OpenDocumentFile(nullptr);
    CFrameWnd* first = FrameOf(doc);
    CFrameWnd* second = docTemplate->CreateNewFrame(doc, first);
    ASSERT_TRUE(second);
    docTemplate->InitialUpdateFrame(second, doc);
    EXPECT_STREQ("사진1:1 - 사진", TextOf(first));
    EXPECT_STREQ("사진1:2 - 사진", TextOf(second));

    // Closing one frame keeps the document and drops the numbers.
    second->SendMessage(WM_CLOSE);
    PumpUntilIdle();
    EXPECT_EQ(1, CTestDoc::s_alive);
    EXPECT_STREQ("사진1 - 사진", TextOf(first));
}

TEST_F(DocViewTest, CommandsReachViewDocumentFrameAndApplicationInThatOrder)
{
    CDocument* doc = docTemplate->OpenDocumentFile(nullptr);
    CFrameWnd* frame = FrameOf(doc);
    struct Case {
        UINT id;
        std::vector<std::string> handled;
    } cases[] = {
        {kCmdAll, {"view"}},
        {kCmdDocFrameApp, {"doc"}},
        {kCmdFrameApp, {"frame"}},
        {kCmdApp, {"app"}},
        {kCmdNobody, {}},
    };
    for (const Case& c : cases) {
        g_log.clear();
        frame->SendMessage(WM_COMMAND, c.id);
        EXPECT_EQ(c.handled, g_log) << c.id;
    }
}

TEST_F(DocViewTest, ClosingAModifiedDocumentAsksFirst)
{
    CDocument* doc = docTemplate->OpenDocumentFile(nullptr);
    doc->SetModifiedFlag();
    CFrameWnd* frame = FrameOf(doc);
    HWND frameWindow = frame->m_hWnd;
    {
        mivotest::MessageBoxCapture boxes(IDCANCEL);
        frame->SendMessage(WM_CLOSE);
        ASSERT_EQ(1u, boxes.shown().size());
        EXPECT_EQ("변경 내용을 사진1에 저장하시겠습니까?", boxes.shown()[0].text);
        EXPECT_TRUE(::IsWindow(frameWindow)) << "cancel keeps the window and the document";
        EXPECT_EQ(1, CTestDoc::s_alive);
    }
    {
        // Yes on a document that has no file yet asks for a name; cancelling keeps it open.
        mivotest::MessageBoxCapture boxes(IDYES);
        ScriptedMainWindow main(app);
        bool asked = false;
        main.script.Then([&](HWND dlg) {
            asked = true;
            SendMessage(dlg, WM_COMMAND, IDCANCEL, 0);
        });
        frame->SendMessage(WM_CLOSE);
        EXPECT_TRUE(asked);
        EXPECT_TRUE(::IsWindow(frameWindow));
        EXPECT_TRUE(g_log.empty());
    }
    {
        mivotest::MessageBoxCapture boxes(IDNO);
        frame->SendMessage(WM_CLOSE);
        PumpUntilIdle();
        EXPECT_FALSE(::IsWindow(frameWindow));
        EXPECT_EQ(0, CTestDoc::s_alive) << "the document goes with its last frame";
    }
}

TEST_F(DocViewTest, SavingAnAnsweredYesWritesToTheDocumentsPath)
{
    CDocument* doc = docTemplate->OpenDocumentFile(nullptr);
    doc->SetPathName("C:\\사진\\바다.jpg", FALSE);
    doc->SetModifiedFlag();
    mivotest::MessageBoxCapture boxes(IDYES);
    FrameOf(doc)->SendMessage(WM_CLOSE);
    PumpUntilIdle();
    EXPECT_EQ(std::vector<std::string>{"save C:\\사진\\바다.jpg"}, g_log);
    EXPECT_EQ(0, CTestDoc::s_alive);
}

TEST_F(DocViewTest, SaveAsOffersTheTemplatesTypeAndAddsItsExtension)
{
    docTemplate->m_strDocStrings = "\n사진\n사진\n사진 문서 (*.mvp)\n.mvp\n";
    mivotest::TempFolder folder("mivo-saveas");
    std::string windowsFolder = folder.windowsPath();
    CDocument* doc = docTemplate->OpenDocumentFile(nullptr);
    ScriptedMainWindow main(app);
    std::string firstType, proposed;
    main.script.Then([&](HWND dlg) {
        char text[MAX_PATH];
        SendDlgItemMessage(dlg, cmb1, CB_GETLBTEXT, 0, (LPARAM)text);
        firstType = text;
        GetDlgItemText(dlg, edt1, text, sizeof(text));
        proposed = text;
        SetDlgItemText(dlg, edt1, (windowsFolder + "바다").c_str());
        SendMessage(dlg, WM_COMMAND, IDOK, 0);
    });
    char saved[MAX_PATH];
    GetCurrentDirectory(sizeof(saved), saved);
    EXPECT_TRUE(doc->DoSave(nullptr));
    SetCurrentDirectory(saved);
    EXPECT_EQ("사진 문서 (*.mvp)", firstType);
    EXPECT_EQ("사진1", proposed);
    EXPECT_EQ(std::vector<std::string>{"save " + windowsFolder + "바다.mvp"}, g_log);
    EXPECT_EQ(windowsFolder + "바다.mvp", std::string(doc->GetPathName()));
}

TEST_F(DocViewTest, RecentFilesSurviveARestart)
{
    {
        CWinApp first("최근 파일");
        first.SetRegistryKey("MivoTest");
        first.LoadStdProfileSettings(4);
        first.AddToRecentFileList("C:\\a\\하나.jpg");
        first.AddToRecentFileList("C:\\a\\둘.jpg");
        first.AddToRecentFileList("C:\\A\\하나.JPG");  // the same file, moved to the top
    }
    CWinApp second("최근 파일");
    second.SetRegistryKey("MivoTest");
    second.LoadStdProfileSettings(4);
    ASSERT_TRUE(second.m_pRecentFileList);
    CRecentFileList& list = *second.m_pRecentFileList;
    EXPECT_STREQ("C:\\A\\하나.JPG", list[0]);
    EXPECT_STREQ("C:\\a\\둘.jpg", list[1]);
    EXPECT_TRUE(list[2].IsEmpty());
    list.Remove(0);
    EXPECT_STREQ("C:\\a\\둘.jpg", list[0]);
}
