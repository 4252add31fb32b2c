#include <gtest/gtest.h>

#include "ImageTestSupport.h"
#include "image/ImageMessages.h"
#include "image/ImageObject.h"
#include "support/MessageRecorder.h"

// Without a test hook the progress and done messages reach the parent window.
TEST(ImageProgressWindow, LoadSendsProgressAndDoneToTheParent)
{
    imgtest::Folder folder;
    CImageObject source;
    CImageObject* blank = source.MakeBlankImageObject(RGB(10, 200, 30), 64, 400);
    ASSERT_NE(nullptr, blank);
    ASSERT_EQ(1, blank->Save(folder.win("tall.jpg").c_str()));
    delete blank;

    mivo::test::MessageRecorder recorder;
    HWND hwnd = mivo::test::CreateTestWindow("image", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100);
    CWnd window;
    window.Attach(hwnd);
    CImageObject image(&window);
    ASSERT_EQ(1, image.LoadImageFromFile(folder.win("tall.jpg").c_str()));
    std::vector<UINT> seen = recorder.Messages(hwnd, {WM_IMAGE_PROGRESS, WM_IMAGE_DONE});
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ((UINT)WM_IMAGE_DONE, seen.back());
    EXPECT_GT(recorder.Count(hwnd, WM_IMAGE_PROGRESS), 5);
    window.Detach();
    DestroyWindow(hwnd);
}
