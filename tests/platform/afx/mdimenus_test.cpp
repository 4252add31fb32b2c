// The MDI frame's menus: the active child's shared menu, a maximized child's
// system menu and buttons in the bar, the main frame's accelerators from a
// dialog page inside a child.
#include <gtest/gtest.h>

#include <mfc.h>
#include <mivo/resources.h>
#include <mivo/testing/input.h>

#include "support/DialogTemplateBuilder.h"
#include "support/MenuTemplateBuilder.h"
#include "support/MessageLoop.h"

using namespace mivo::test;

namespace {

const UINT kFrameId = 7400, kDocId = 7401;
const UINT kFrameCommand = 32800, kNoHandler = 32801;

struct MdiResources {
    std::vector<BYTE> frameMenu = BuildMenuTemplate({
        Popup(u"파일(&F)", {Item(u"새로 만들기(&N)", ID_FILE_NEW), Item(u"끝내기(&X)", ID_APP_EXIT)}),
        Popup(u"창(&W)", {Item(u"계단식 배열(&C)", ID_WINDOW_CASCADE)}),
    });
    std::vector<BYTE> docMenu = BuildMenuTemplate({
        Popup(u"파일(&F)", {Item(u"새로 만들기(&N)", ID_FILE_NEW), Item(u"닫기(&C)", ID_FILE_CLOSE)}),
        Popup(u"도구(&T)", {Item(u"찾기(&K)\tCtrl+K", kFrameCommand), Item(u"처리기 없음", kNoHandler)}),
        Popup(u"창(&W)", {Item(u"계단식 배열(&C)", ID_WINDOW_CASCADE)}),
    });
    std::vector<BYTE> accel = BuildAcceleratorTable({{FVIRTKEY | FCONTROL, 'K', (WORD)kFrameCommand}});
    mivo::ResourceEntry entries[3];
    mivo::ResourceTable table;
    MdiResources()
        : entries{{4, nullptr, (WORD)kFrameId, nullptr, frameMenu.data(), (DWORD)frameMenu.size()},
                  {4, nullptr, (WORD)kDocId, nullptr, docMenu.data(), (DWORD)docMenu.size()},
                  {9, nullptr, (WORD)kFrameId, nullptr, accel.data(), (DWORD)accel.size()}},
          table{entries, 3}
    {
        mivo::RegisterModuleResources("mdimenus_test", &table, false);
    }
};

MdiResources& Resources()
{
    static MdiResources r;
    return r;
}

class CSheetDoc : public CDocument {
    DECLARE_DYNCREATE(CSheetDoc)
};
IMPLEMENT_DYNCREATE(CSheetDoc, CDocument)

class CSheetView : public CView {
    DECLARE_DYNCREATE(CSheetView)
public:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CSheetView, CView)

class CSheetChild : public CMDIChildWnd {
    DECLARE_DYNCREATE(CSheetChild)
};
IMPLEMENT_DYNCREATE(CSheetChild, CMDIChildWnd)

class CMainFrame : public CMDIFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame() { m_strTitle = "Mivo"; }
    void OnFind() { ++found; }
    int found = 0;
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CMainFrame, CMDIFrameWnd)
BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
ON_COMMAND(kFrameCommand, OnFind)
END_MESSAGE_MAP()

// A tool page as the stacked dialog pages show one: keys go to the frames first.
class CToolPage : public CDialog {
public:
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        for (CFrameWnd* frame = GetParentFrame(); frame; frame = frame->GetParentFrame())
            if (frame->PreTranslateMessage(pMsg))
                return TRUE;
        return CDialog::PreTranslateMessage(pMsg);
    }
};

class MdiMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Resources();
        main = new CMainFrame;
        ASSERT_TRUE(main->LoadFrame(kFrameId));
        app.m_pMainWnd = main;
        main->MoveWindow(0, 0, 640, 480);
        main->ShowWindow(SW_SHOW);
        docTemplate = new CMultiDocTemplate(kDocId, RUNTIME_CLASS(CSheetDoc), RUNTIME_CLASS(CSheetChild),
                                            RUNTIME_CLASS(CSheetView));
        docTemplate->m_strDocStrings = "\n표\n";
        app.AddDocTemplate(docTemplate);
        PumpUntilIdle();
    }
    void TearDown() override
    {
        if (app.m_pMainWnd)
            main->SendMessage(WM_CLOSE);
        PumpUntilIdle();
        DiscardQuitRequest();
    }
    static CMDIChildWnd* ChildOf(CDocument* doc)
    {
        POSITION pos = doc->GetFirstViewPosition();
        return static_cast<CMDIChildWnd*>(doc->GetNextView(pos)->GetParentFrame());
    }
    // Runs queued messages through the application's pre-translation, as its loop does.
    void PumpThroughApp()
    {
        MSG m;
        while (::PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (app.PreTranslateMessage(&m))
                continue;
            ::TranslateMessage(&m);
            ::DispatchMessage(&m);
        }
    }

    CWinApp app{"MDI 메뉴 테스트"};
    CMainFrame* main = nullptr;
    CMultiDocTemplate* docTemplate = nullptr;
};

}  // namespace

TEST_F(MdiMenuTest, SharedMenuReplacesTheDefaultWhileAChildIsActive)
{
    ASSERT_NE(nullptr, main->m_hMenuDefault);
    EXPECT_EQ(main->m_hMenuDefault, ::GetMenu(main->m_hWnd));
    CDocument* doc = docTemplate->OpenDocumentFile(nullptr);
    ASSERT_NE(nullptr, doc);
    ASSERT_NE(nullptr, docTemplate->m_hMenuShared);
    EXPECT_EQ(docTemplate->m_hMenuShared, ::GetMenu(main->m_hWnd));
    EXPECT_EQ(3, ::GetMenuItemCount(::GetMenu(main->m_hWnd)));
    // The Window menu of the shared menu lists the child.
    HMENU window = ::GetSubMenu(docTemplate->m_hMenuShared, 2);
    EXPECT_EQ(3, ::GetMenuItemCount(window));
    ChildOf(doc)->SendMessage(WM_CLOSE);
    PumpUntilIdle();
    EXPECT_EQ(main->m_hMenuDefault, ::GetMenu(main->m_hWnd)) << "the last child gone, the frame's own menu is back";
}

TEST_F(MdiMenuTest, InitMenuPopupGreysACommandWithoutHandler)
{
    docTemplate->OpenDocumentFile(nullptr);
    HMENU tools = ::GetSubMenu(::GetMenu(main->m_hWnd), 1);
    ASSERT_NE(nullptr, tools);
    main->SendMessage(WM_INITMENUPOPUP, (WPARAM)tools, MAKELPARAM(1, FALSE));
    EXPECT_EQ(0u, ::GetMenuState(tools, kFrameCommand, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ((UINT)MF_GRAYED, ::GetMenuState(tools, kNoHandler, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(MdiMenuTest, MaximizedChildShowsItsSystemMenuAndButtonsInTheFramesBar)
{
    CMDIChildWnd* child = ChildOf(docTemplate->OpenDocumentFile(nullptr));
    HMENU bar = ::GetMenu(main->m_hWnd);
    int plain = ::GetMenuItemCount(bar);
    main->MDIMaximize(child);
    ASSERT_EQ(plain + 4, ::GetMenuItemCount(bar));
    MENUITEMINFO first = {};
    first.cbSize = sizeof(first);
    first.fMask = MIIM_BITMAP | MIIM_SUBMENU | MIIM_DATA;
    ASSERT_TRUE(::GetMenuItemInfo(bar, 0, TRUE, &first));
    EXPECT_EQ(HBMMENU_SYSTEM, first.hbmpItem);
    EXPECT_EQ(::GetSystemMenu(child->m_hWnd, FALSE), first.hSubMenu);
    EXPECT_EQ((ULONG_PTR)child->m_hWnd, first.dwItemData);
    const UINT buttons[] = {SC_MINIMIZE, SC_RESTORE, SC_CLOSE};
    for (int i = 0; i < 3; ++i) {
        MENUITEMINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_FTYPE;
        ASSERT_TRUE(::GetMenuItemInfo(bar, (UINT)(plain + 1 + i), TRUE, &info));
        EXPECT_EQ(buttons[i], info.wID);
        EXPECT_TRUE(info.fType & MFT_RIGHTJUSTIFY);
    }
    // The bar's restore button restores the child and takes the items away.
    main->SendMessage(WM_COMMAND, MAKEWPARAM(SC_RESTORE, 0));
    EXPECT_FALSE(child->IsZoomed());
    EXPECT_EQ(plain, ::GetMenuItemCount(bar));

    main->MDIMaximize(child);
    main->SendMessage(WM_COMMAND, MAKEWPARAM(SC_CLOSE, 0));
    PumpUntilIdle();
    EXPECT_EQ(nullptr, main->MDIGetActive());
    EXPECT_EQ(main->m_hMenuDefault, ::GetMenu(main->m_hWnd));
    EXPECT_EQ(plain, ::GetMenuItemCount(docTemplate->m_hMenuShared)) << "the shared menu is left clean";
}

TEST_F(MdiMenuTest, AcceleratorInADialogPageInsideAChildRunsTheMainFramesCommand)
{
    CMDIChildWnd* child = ChildOf(docTemplate->OpenDocumentFile(nullptr));
    DialogTemplateBuilder page(WS_CHILD | WS_VISIBLE | DS_CONTROL, 0, 0, 150, 60, u"");
    page.Font(9, u"굴림").Item(ItemClass::Edit, u"", 1001, 5, 5, 100, 14, WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    CToolPage dialog;
    ASSERT_TRUE(dialog.CreateIndirect(page.Get(), child));
    CWnd* edit = dialog.GetDlgItem(1001);
    ASSERT_NE(nullptr, edit);
    edit->SetFocus();
    PumpUntilIdle();
    mivo::InjectKey(VK_CONTROL, true);
    mivo::InjectKey('K', true);
    mivo::InjectKey('K', false);
    mivo::InjectKey(VK_CONTROL, false);
    PumpThroughApp();
    EXPECT_EQ(1, main->found);
    CString text;
    edit->GetWindowText(text);
    EXPECT_STREQ("", text) << "the key went no further";
    dialog.DestroyWindow();
}
