// The picture open dialog: its preview check box and thumbnail area in the
// child template, one load per selected file, and the preview switched off
// and on again.
#include <gtest/gtest.h>

#include "shell/DlgImgFileOpen.h"
#include "shell/MainApp.h"
#include "ShellFixture.h"
#include "image/ImageObject.h"
#include "resource.h"
#include "support/DialogDriver.h"
#include "support/MessageBoxCapture.h"

#include "mivo/codepage.h"

#include <string>

using namespace shelltest;
using mivo::test::ModalScript;

namespace {

void Select(HWND dialog, const std::string& name)
{
    HWND list = ::GetDlgItem(dialog, lst1);
    ASSERT_NE(nullptr, list);
    LVITEM none = {};
    none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessage(list, LVM_SETITEMSTATE, (WPARAM)-1, (LPARAM)&none);
    LVFINDINFO find = {LVFI_STRING};
    find.psz = name.c_str();
    int index = (int)::SendMessage(list, LVM_FINDITEM, (WPARAM)-1, (LPARAM)&find);
    ASSERT_GE(index, 0) << name;
    LVITEM state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessage(list, LVM_SETITEMSTATE, index, (LPARAM)&state);
}

std::string FolderOf(const mivotest::TempFolder& folder)
{
    std::string w = folder.windowsPath();
    return w.substr(0, w.size() - 1);
}

class FileOpenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, Program());
        WritePicture(pictures, "big.jpg", 800, 600);
        WritePicture(pictures, "small.bmp", 20, 10);
        folder = FolderOf(pictures);
        ::GetCurrentDirectory(sizeof(saved), saved);
    }
    void TearDown() override { ::SetCurrentDirectory(saved); }

    mivotest::TempFolder pictures{"mivo-shell-open"};
    std::string folder;
    char saved[MAX_PATH];
    mivotest::MessageBoxCapture boxes;
};

}  // namespace

TEST_F(FileOpenTest, SameFileTwiceLoadsItsThumbnailOnceAndPicturesFitTheArea)
{
    ModalScript script;
    CWnd owner;
    owner.Attach(script.Owner());
    CDlgImgFileOpen dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, "Jpeg Files(*.JPG)|*.JPG|BMP Files(*.BMP)|*.BMP||",
                           &owner);
    dialog.m_ofn.lpstrInitialDir = folder.c_str();
    dialog.m_ofn.nFilterIndex = 1;
    CImageObject* first = nullptr;
    CImageObject* second = nullptr;
    CSize firstSize;
    bool checked = false;
    CRect area;
    script.Then([&](HWND d) {
            checked = ::IsDlgButtonChecked(dialog.m_hWnd, IDC_PREVIEW_CHECK) == BST_CHECKED;
            Select(d, "big.jpg");
        })
        .Then([&](HWND d) {
            first = dialog.m_pPreviewImage;
            if (first)
                firstSize = CSize(first->GetWidth(), first->GetHeight());
            area = dialog.m_rcPreview;
            Select(d, "big.jpg");
        })
        .Then([&](HWND d) {
            second = dialog.m_pPreviewImage;
            ::SendMessage(d, WM_COMMAND, IDCANCEL, 0);
        });
    dialog.DoModal();
    owner.Detach();
    EXPECT_TRUE(checked) << "the preview starts on";
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(first, second) << "the second selection of the same file loaded nothing";
    EXPECT_LE(firstSize.cx, area.Width());
    EXPECT_LE(firstSize.cy, area.Height());
    EXPECT_GT(firstSize.cx, area.Width() / 2) << "reduced to the area, not further";
    EXPECT_EQ(nullptr, dialog.m_pPreviewImage) << "freed with the window";
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(FileOpenTest, PreviewOffLoadsNothingAndOnAgainShowsTheSelectedFile)
{
    ModalScript script;
    CWnd owner;
    owner.Attach(script.Owner());
    CDlgImgFileOpen dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, "BMP Files(*.BMP)|*.BMP||", &owner);
    dialog.m_ofn.lpstrInitialDir = folder.c_str();
    CImageObject* whileOff = reinterpret_cast<CImageObject*>(1);
    int smallWidth = 0;
    script.Then([&](HWND d) { Select(d, "small.bmp"); })
        .Then([&](HWND) { dialog.SetPreview(FALSE); })
        .Then([&](HWND d) { Select(d, "small.bmp"); })
        .Then([&](HWND) {
            whileOff = dialog.m_pPreviewImage;
            dialog.SetPreview(TRUE);
        })
        .Then([&](HWND d) {
            smallWidth = dialog.m_pPreviewImage ? dialog.m_pPreviewImage->GetWidth() : -1;
            ::SendMessage(d, WM_COMMAND, IDCANCEL, 0);
        });
    dialog.DoModal();
    owner.Detach();
    EXPECT_EQ(nullptr, whileOff);
    EXPECT_EQ(20, smallWidth) << "a small picture keeps its own size";
}
