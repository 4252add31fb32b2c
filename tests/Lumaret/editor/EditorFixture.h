// An MDI main window with the editor's document template, editors opened
// in it, and pictures made for the tests.
#pragma once

#include <gtest/gtest.h>

#include "editor/ImgEditDoc.h"
#include "editor/ImgEditFrame.h"
#include "editor/ImgEditView.h"
#include "image/ImageObject.h"
#include "support/DialogDriver.h"
#include "support/MessageBoxCapture.h"
#include "support/TempFolder.h"

#include <string>

namespace editortest {

// The main window; it runs a dialog script when a modal dialog it owns goes idle.
class CTestMainFrame : public CMDIFrameWnd {
    DECLARE_DYNCREATE(CTestMainFrame)
public:
    mivo::test::ModalScript* m_pScript = nullptr;

protected:
    afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
    DECLARE_MESSAGE_MAP()
};

// A picture whose pixels all differ: red = x, green = y, blue = x ^ y.
CImageObject* MakePattern(int width, int height);
// Every pixel of two pictures equal (sizes included).
::testing::AssertionResult SamePixels(CImageObject* expected, CImageObject* actual);

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A new editor window with the picture file loaded (or a new white one).
    CImgEditView* Open(const std::string& path = "", const char* title = "");
    // The view with a picture handed over as capture does.
    CImgEditView* OpenWith(CImageObject* picture);
    // Runs messages until the view's loader or worker is done.
    void WaitIdle(CImgEditView* view);
    // Writes a pattern picture to the temporary folder; Windows-form path.
    std::string WritePicture(const std::string& name, int width, int height);
    std::string Title(CImgEditView* view) const;

    CWinApp* m_app = nullptr;
    CTestMainFrame* m_main = nullptr;
    mivotest::TempFolder m_folder{"mivo-editor"};
    mivotest::MessageBoxCapture m_boxes{IDOK};
};

}  // namespace editortest
