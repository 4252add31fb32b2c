// The editor's full-screen view: the picture alone in a slide show window, fitted to the screen
// and never enlarged; the editor keeps its picture.
#include "EditorFixture.h"

#include "browser/DlgImgSlideShow.h"
#include "image/ImageObject.h"
#include "resource.h"
#include "support/MessageLoop.h"

using editortest::EditorTest;
using editortest::MakePattern;

namespace {

CDlgImgSlideShow* FindShow()
{
    for (HWND h = ::GetWindow(::GetDesktopWindow(), GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
        if (auto* show = dynamic_cast<CDlgImgSlideShow*>(CWnd::FromHandlePermanent(h)))
            return show;
    return nullptr;
}

}  // namespace

TEST_F(EditorTest, FullScreenShowsThePictureAloneAndLeavesItToTheEditor)
{
    CImgEditView* view = OpenWith(MakePattern(40, 30));
    ASSERT_NE(nullptr, view);
    CImageObject* picture = view->m_pImage;
    view->SendMessage(WM_COMMAND, IDM_ED_FULL_SCREEN);
    CDlgImgSlideShow* show = FindShow();
    ASSERT_NE(nullptr, show);
    HWND hwnd = show->m_hWnd;
    EXPECT_EQ(1, show->m_bSingle);
    EXPECT_EQ(nullptr, show->m_pStrip);
    ASSERT_NE(nullptr, show->m_pSlideImage);
    EXPECT_EQ(CSize(40, 30), CSize(show->m_pSlideImage->GetWidth(), show->m_pSlideImage->GetHeight()));
    EXPECT_EQ(CPoint(-1, -1), view->m_ptLast);
    show->WaitForWorkers();
    show->SendMessage(WM_COMMAND, IDCANCEL);
    mivo::test::PumpUntilIdle();
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(picture, view->m_pImage);
    EXPECT_TRUE(view->m_pImage->IsLoaded());
}
