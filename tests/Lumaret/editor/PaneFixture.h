// The edit-tools pane beside the editors: a pane in the test main window,
// the MDI client moved to its right, and editors that report to the pane.
#pragma once

#include "EditorFixture.h"

#include "editor/ConsoleImgListView.h"
#include "editor/DlgConsoleEditTools.h"

#include <memory>

namespace editortest {

class PaneTest : public EditorTest {
protected:
    static const int kPaneWidth = 200;
    static const int kPaneHeight = 540;

    void SetUp() override;
    void TearDown() override;

    // A new editor that reports to the pane, showing `picture` (taken over).
    CImgEditView* OpenInPane(CImageObject* picture);
    // Makes the editor's frame the active MDI child.
    void Activate(CImgEditView* view);
    CImgEditView* ActiveView() const;
    CConsoleImgListView* List() const { return m_pane->m_pImgListView; }
    // The checked tool buttons' ids.
    std::vector<UINT> CheckedTools() const;

    std::unique_ptr<CDlgConsoleEditTools> m_pane;
};

}  // namespace editortest
