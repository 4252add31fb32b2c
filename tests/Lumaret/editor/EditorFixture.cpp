#include "EditorFixture.h"

#include "framework/VXUtil.h"
#include "support/MessageLoop.h"

namespace editortest {

IMPLEMENT_DYNCREATE(CTestMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CTestMainFrame, CMDIFrameWnd)
    ON_WM_ENTERIDLE()
END_MESSAGE_MAP()

void CTestMainFrame::OnEnterIdle(UINT nWhy, CWnd* pWho)
{
    if (nWhy == MSGF_DIALOGBOX && m_pScript && pWho)
        m_pScript->Idle(pWho->GetSafeHwnd());
}

CImageObject* MakePattern(int width, int height)
{
    CImageObject maker;
    CImageObject* picture = maker.MakeBlankImageObject(RGB(0, 0, 0), width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture->SetPixelColor(x, y, RGB(x & 0xFF, y & 0xFF, (x ^ y) & 0xFF));
    return picture;
}

::testing::AssertionResult SamePixels(CImageObject* expected, CImageObject* actual)
{
    if (!expected || !actual)
        return ::testing::AssertionFailure() << "a picture is missing";
    if (expected->GetWidth() != actual->GetWidth() || expected->GetHeight() != actual->GetHeight())
        return ::testing::AssertionFailure() << "size " << actual->GetWidth() << "x" << actual->GetHeight()
                                             << ", expected " << expected->GetWidth() << "x" << expected->GetHeight();
    for (int y = 0; y < expected->GetHeight(); ++y)
        for (int x = 0; x < expected->GetWidth(); ++x)
            if (expected->GetPixelColor(x, y) != actual->GetPixelColor(x, y))
                return ::testing::AssertionFailure() << "pixel " << x << "," << y << " differs";
    return ::testing::AssertionSuccess();
}

void EditorTest::SetUp()
{
    if (!AfxGetApp())
        m_app = new CWinApp("편집 시험");
    m_main = new CTestMainFrame;
    ASSERT_TRUE(m_main->LoadFrame(7410));
    AfxGetApp()->m_pMainWnd = m_main;
    m_main->MoveWindow(0, 0, 800, 600);
    m_main->ShowWindow(SW_SHOW);
    CMultiDocTemplate* editorTemplate = new CMultiDocTemplate(
        157, RUNTIME_CLASS(CImgEditDoc), RUNTIME_CLASS(CImgEditFrame), RUNTIME_CLASS(CImgEditView));
    editorTemplate->m_strDocStrings = "\nImgEdit\nImgEdit";
    AfxGetApp()->AddDocTemplate(editorTemplate);
}

void EditorTest::TearDown()
{
    CWinApp* app = AfxGetApp();
    if (app->m_pMainWnd) {
        // Nothing asks: the pictures are thrown away.
        CPtrArray views;
        GetDocViewList("ImgEdit", &views);
        for (INT_PTR i = 0; i < views.GetSize(); ++i) {
            CImgEditView* view = static_cast<CImgEditView*>(static_cast<CView*>(views[i]));
            WaitIdle(view);
            view->m_bModified = FALSE;
        }
        m_main->SendMessage(WM_CLOSE);
    }
    mivo::test::PumpUntilIdle();
    mivo::test::DiscardQuitRequest();
    app->m_pMainWnd = nullptr;
    delete m_app;
}

CImgEditView* EditorTest::Open(const std::string& path, const char* title)
{
    CImgEditView* view = dynamic_cast<CImgEditView*>(OpenView("ImgEdit", FALSE, FALSE));
    if (!view)
        return nullptr;
    view->GetParentFrame()->MoveWindow(0, 0, 400, 300);
    view->LoadImage(path.c_str(), title);
    WaitIdle(view);
    return view;
}

CImgEditView* EditorTest::OpenWith(CImageObject* picture)
{
    CImgEditView* view = Open("", "시험");
    if (!view)
        return nullptr;
    delete view->m_pImage;
    view->m_pImage = picture;
    picture->SetParent(view);
    view->OnImageLoaded();
    mivo::test::PumpUntilIdle();
    return view;
}

void EditorTest::WaitIdle(CImgEditView* view)
{
    mivo::test::PumpUntil([view] { return !view->IsBusy(); });
    mivo::test::PumpUntilIdle();
}

std::string EditorTest::WritePicture(const std::string& name, int width, int height)
{
    std::string path = m_folder.windowsPath() + name;
    CImageObject* picture = MakePattern(width, height);
    EXPECT_TRUE(picture->Save(path.c_str()));
    delete picture;
    return path;
}

std::string EditorTest::Title(CImgEditView* view) const
{
    return std::string(view->GetDocument()->GetTitle());
}

}  // namespace editortest
