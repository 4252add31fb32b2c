// The editor's parameter dialogs run modally under a scripted owner, with
// the program's application (template login, data folder with "Temp") and,
// for the pickers, a template database of their own.
#pragma once

#include <gtest/gtest.h>

#include "mfc.h"
#include "framework/VXApp.h"
#include "image/ImageObject.h"
#include "support/DialogDriver.h"
#include "support/MessageBoxCapture.h"
#include "support/TempDatabase.h"
#include "support/TempFolder.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace editortest {

class DialogTest : public ::testing::Test {
protected:
    typedef std::function<void(HWND dialog)> Step;

    void SetUp() override;
    void TearDown() override;

    // Runs the dialog modally; each step runs when its loop goes idle.
    INT_PTR Run(CDialog& dialog, const std::vector<Step>& steps);
    // A click on a dialog's button, as its parent hears it.
    static void Press(HWND dialog, int id);
    static std::string Text(HWND dialog, int id);
    // The colour of a client pixel of the dialog as shown.
    static COLORREF ShownPixel(HWND dialog, int x, int y);

    // The program's application; what the tests change in it goes back after.
    CVXApp* m_app = nullptr;
    CString m_savedDataDir, m_savedRunDir, m_savedDSN, m_savedUID, m_savedPWD;
    mivotest::TempFolder m_data{"mivo-editor-dialogs"};
    mivotest::MessageBoxCapture m_boxes{IDOK};
};

// A picture of one colour.
CImageObject* MakeSolid(int width, int height, COLORREF colour);
// A picture's file bytes (BMP or JPEG by the name's extension), written
// through the library to the folder first.
std::string PictureBytes(const mivotest::TempFolder& folder, const std::string& name, CImageObject* picture);
// SQL blob literal of bytes.
std::string BlobLiteral(const std::string& bytes);

}  // namespace editortest
