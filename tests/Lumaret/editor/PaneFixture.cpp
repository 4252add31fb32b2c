#include "PaneFixture.h"

#include "editor/EditorShell.h"
#include "framework/VXUtil.h"
#include "resource.h"
#include "support/MessageLoop.h"

namespace editortest {

void PaneTest::SetUp()
{
    EditorTest::SetUp();
    m_pane = std::make_unique<CDlgConsoleEditTools>(m_main);
    ASSERT_TRUE(m_pane->Create(IDD_CONSOLE_EDITTOOLS, m_main));
    m_pane->SetWindowPos(&CWnd::wndTop, 0, 0, kPaneWidth, kPaneHeight, SWP_SHOWWINDOW);
    // The editors open beside the pane, never under it.
    ::MoveWindow(m_main->m_hWndMDIClient, kPaneWidth + 10, 0, 560, kPaneHeight, TRUE);
    mivo::test::PumpUntilIdle();
}

void PaneTest::TearDown()
{
    EditorTest::TearDown();
    m_pane.reset();
}

CImgEditView* PaneTest::OpenInPane(CImageObject* picture)
{
    CImgEditView* view = dynamic_cast<CImgEditView*>(OpenView("ImgEdit", FALSE, FALSE));
    if (!view)
        return nullptr;
    view->m_pEditToolsPane = m_pane.get();
    view->GetParentFrame()->MoveWindow(0, 0, 300, 240);
    view->LoadImage("", "시험");
    delete view->m_pImage;
    view->m_pImage = picture;
    picture->SetParent(view);
    view->OnImageLoaded();
    mivo::test::PumpUntilIdle();
    return view;
}

void PaneTest::Activate(CImgEditView* view)
{
    ::SendMessage(m_main->m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)view->GetParentFrame()->m_hWnd, 0);
    mivo::test::PumpUntilIdle();
}

CImgEditView* PaneTest::ActiveView() const
{
    return editor_shell::ActiveEditView();
}

std::vector<UINT> PaneTest::CheckedTools() const
{
    std::vector<UINT> checked;
    for (const CCheckButton& button : m_pane->m_btnTools)
        if (button.GetCheckState())
            checked.push_back(UINT(button.GetDlgCtrlID()));
    return checked;
}

}  // namespace editortest
