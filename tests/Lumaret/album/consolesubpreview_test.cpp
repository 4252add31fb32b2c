// The preview sub pane: its navigator arithmetic for a table of ratios and visible parts and
// the push back inside the picture past each edge; loading (the same photo twice decodes once,
// an interrupted load decodes again, a small photo is centred at full size, a missing file
// empties the caption); a drag scrolls the linked view to the mapped point; a pane destroyed
// during a large decode; the external program gets the path as one argument.
#include "ConsoleFixture.h"

#include "album/DlgConsoleSubPreview.h"
#include "image/ImageObject.h"
#include "image/ImgDetailView.h"
#include "mivo/process.h"
#include "shell/MainFrame.h"
#include "resource.h"
#include "support/ExifPhoto.h"
#include "support/MessageBoxCapture.h"

#include <filesystem>
#include <fstream>
#include <memory>

using consoletest::ConsoleTest;

namespace {

class PreviewPane : public ConsoleTest {
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        Place(pane, IDD_CONSOLE_SUB_PREVIEW);
    }
    std::string Photo(const std::string& name, int width, int height)
    {
        std::string path = data.windowsPath() + name;
        EXPECT_TRUE(mivotest::WritePhoto(path, width, height, ""));
        return path;
    }
    // Asks for the photo and runs messages until its loader is done.
    void Show(const std::string& path)
    {
        pane.m_strPath = path.c_str();
        pane.StartPreviewLoad();
        Finish();
    }
    void Finish()
    {
        EXPECT_TRUE(mivo::test::PumpUntil([this] { return !pane.IsLoading(); }));
        mivo::test::PumpUntilIdle();
    }
    int Decodes() const { return recorder.Count(pane.m_hWnd, WM_IMAGE_DONE); }

    CDlgConsoleSubPreview pane;
    mivo::test::MessageRecorder recorder;
};

}  // namespace

TEST(PreviewNavigator, TheVisiblePartIsScaledOntoThePreviewWithTruncatingDivisions)
{
    const CRect image(10, 30, 210, 180);
    const struct {
        CRect visible;
        int ratio;
        CRect nav;
    } cases[] = {
        {CRect(0, 0, 1000, 750), 200, CRect(10, 30, 211, 181)},
        {CRect(100, 50, 600, 450), 200, CRect(30, 40, 131, 121)},
        {CRect(333, 333, 666, 999), 125, CRect(51, 71, 93, 155)},   // 41.6 -> 41, 83.25 -> 83
        {CRect(7, 9, 8, 10), 333, CRect(12, 32, 13, 33)},           // less than a preview pixel
        {CRect(0, 0, 300, 200), 1000, CRect(10, 30, 311, 231)},     // a small photo at full size
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ratio);
        EXPECT_EQ(c.nav, CDlgConsoleSubPreview::NavigatorFromVisible(c.visible, c.ratio, image));
    }
}

TEST(PreviewNavigator, ARectanglePastAnEdgeIsPushedBackToTouchIt)
{
    const CRect image(10, 30, 210, 180);
    const struct {
        const char* edge;
        CRect nav;
        CRect clamped;
    } cases[] = {
        {"left", CRect(-40, 50, 10, 90), CRect(10, 50, 60, 90)},
        {"top", CRect(50, 0, 100, 40), CRect(50, 30, 100, 70)},
        {"right", CRect(190, 50, 240, 90), CRect(160, 50, 210, 90)},
        {"bottom", CRect(50, 170, 100, 210), CRect(50, 140, 100, 180)},
        {"corner", CRect(300, 300, 350, 340), CRect(160, 140, 210, 180)},
        {"inside", CRect(50, 50, 100, 90), CRect(50, 50, 100, 90)},
        // Wider than the picture: the left edge wins first, then the right pushes back.
        {"wider", CRect(0, 50, 202, 90), CRect(8, 50, 210, 90)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.edge);
        EXPECT_EQ(c.clamped, CDlgConsoleSubPreview::ClampInside(c.nav, image));
    }
    EXPECT_EQ(CPoint(750, 500), CDlgConsoleSubPreview::ImagePointOfNavigator(CRect(160, 130, 210, 180), image, 200));
    EXPECT_EQ(CPoint(0, 0), CDlgConsoleSubPreview::ImagePointOfNavigator(CRect(160, 130, 210, 180), image, 0));
}

TEST_F(PreviewPane, TheSamePhotoTwiceDecodesOnceAndAgainAfterAnInterruptedLoad)
{
    std::string sea = Photo("바다.jpg", 640, 480);
    recorder.Attach(pane.m_hWnd);
    Show(sea);
    EXPECT_EQ(1, Decodes());
    EXPECT_EQ(1, pane.m_bLoaded);
    EXPECT_STREQ(sea.c_str(), pane.m_strLoadedPath);
    EXPECT_STREQ("바다.jpg", pane.m_strShownName);
    Show(sea);
    EXPECT_EQ(1, Decodes()) << "the photo shown is not decoded again";

    // The loader measures, then waits for the pane: a stop raised meanwhile ends it undecoded.
    std::string hill = Photo("언덕.jpg", 640, 480);
    pane.m_strPath = hill.c_str();
    pane.StartPreviewLoad();
    ::InterlockedExchange(&pane.m_nStopFlag, 1);
    Finish();
    EXPECT_EQ(1, Decodes());
    EXPECT_EQ(0, pane.m_bLoaded);
    Show(hill);
    EXPECT_EQ(2, Decodes()) << "an interrupted photo is decoded when asked again";
    EXPECT_EQ(1, pane.m_bLoaded);
}

TEST_F(PreviewPane, ASmallPhotoIsCentredAtFullSizeAndAMissingFileEmptiesTheCaption)
{
    Show(Photo("작은.jpg", 40, 30));
    EXPECT_EQ(1000, pane.m_nRatio);
    CRect box(pane.m_rcPicture.left + 5, pane.m_rcPicture.top + 24, pane.m_rcPicture.right - 5,
              pane.m_rcPicture.bottom - 5);
    EXPECT_EQ(CSize(40, 30), pane.m_rcImage.Size());
    EXPECT_EQ(box.left + (box.Width() - 40) / 2, pane.m_rcImage.left);
    EXPECT_EQ(box.top + (box.Height() - 30) / 2, pane.m_rcImage.top);

    std::string gone = data.windowsPath() + "없는.jpg";
    Show(gone);
    EXPECT_STREQ("", pane.m_strPath);
    EXPECT_STREQ("", pane.m_strShownName);
    EXPECT_EQ(nullptr, pane.m_pLoadImage);
    EXPECT_EQ(-1, pane.m_rcNav.left);
}

TEST_F(PreviewPane, DraggingTheNavigatorPastEachEdgeClampsItAndScrollsTheView)
{
    Show(Photo("큰.jpg", 1600, 1200));
    ASSERT_GT(pane.m_nRatio, 0);
    CWnd viewHost;
    ASSERT_TRUE(viewHost.CreateEx(0, AfxRegisterWndClass(0), "view", WS_POPUP | WS_VISIBLE, 300, 0, 400, 300,
                                  nullptr, nullptr));
    CImgDetailView* view = new CImgDetailView;  // deletes itself with its window
    ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 300), &viewHost, 1));
    CImageObject photo;
    ASSERT_TRUE(photo.LoadImageFromFile((data.windowsPath() + "큰.jpg").c_str(), 0));
    view->m_pImgObj = &photo;
    view->SetZoomRatio(1000);
    view->RebuildScrollSizes();
    pane.SetNavView(view);

    pane.UpdateNavigatorRect(CRect(400, 300, 800, 600));
    CRect start = pane.m_rcNav;
    ASSERT_EQ(CDlgConsoleSubPreview::NavigatorFromVisible(CRect(400, 300, 800, 600), pane.m_nRatio, pane.m_rcImage),
              start);
    const struct {
        const char* edge;
        CSize move;
    } drags[] = {{"left", CSize(-95, 0)}, {"top", CSize(0, -250)}, {"right", CSize(150, 0)}, {"bottom", CSize(0, 250)}};
    for (const auto& d : drags) {
        SCOPED_TRACE(d.edge);
        pane.UpdateNavigatorRect(CRect(400, 300, 800, 600));
        CPoint grab = pane.m_rcNav.CenterPoint();
        mivo::test::MouseMove(pane.m_hWnd, grab.x, grab.y);
        mivo::test::MouseDown(pane.m_hWnd, grab.x, grab.y);
        mivo::test::MouseMove(pane.m_hWnd, grab.x + d.move.cx, grab.y + d.move.cy);
        mivo::test::MouseUp(pane.m_hWnd, grab.x + d.move.cx, grab.y + d.move.cy);
        CRect nav = pane.m_rcNav;
        EXPECT_EQ(start.Size(), nav.Size());
        // The edge the drag went past is the edge it touches.
        LONG touched = d.move.cx < 0 ? nav.left - pane.m_rcImage.left
                       : d.move.cy < 0 ? nav.top - pane.m_rcImage.top
                       : d.move.cx > 0 ? nav.right - pane.m_rcImage.right
                                       : nav.bottom - pane.m_rcImage.bottom;
        EXPECT_EQ(0, touched);
        CPoint origin = CDlgConsoleSubPreview::ImagePointOfNavigator(nav, pane.m_rcImage, pane.m_nRatio);
        EXPECT_EQ(origin, pane.m_ptNavOrigin);
        CPoint mapped = view->GetDstPoint(origin);
        CSize total = view->GetTotalSize();
        CRect client;
        view->GetClientRect(&client);
        CPoint expected(std::min<LONG>(std::max<LONG>(mapped.x, 0), std::max<LONG>(total.cx - client.Width(), 0)),
                        std::min<LONG>(std::max<LONG>(mapped.y, 0), std::max<LONG>(total.cy - client.Height(), 0)));
        EXPECT_EQ(expected, view->GetScrollPosition());
    }
    pane.SetNavView(nullptr);
    viewHost.DestroyWindow();
}

TEST_F(PreviewPane, APaneDestroyedDuringALargeDecodeWaitsForItsLoader)
{
    std::string large = Photo("큰 사진.jpg", 4000, 3000);
    for (int i = 0; i < 3; i++) {
        CDlgConsoleSubPreview other;
        Place(other, IDD_CONSOLE_SUB_PREVIEW);
        other.m_strPath = large.c_str();
        other.StartPreviewLoad();
        // Once the caption is shown the loader is decoding.
        EXPECT_TRUE(mivo::test::PumpUntil([&] { return !other.m_strShownName.IsEmpty(); }));
        other.DestroyWindow();
        EXPECT_FALSE(other.IsLoading());
        EXPECT_EQ(nullptr, other.m_pLoadImage);
    }
    EXPECT_EQ(1, g_bPreviewThreadIdle.load());
}

TEST_F(PreviewPane, TheExternalProgramGetsThePathAsOneArgumentOrTheUserIsTold)
{
    std::vector<std::vector<std::string>> started;
    mivo::SetSpawnHook([&](const std::vector<std::string>& argv) {
        started.push_back(argv);
        return true;
    });
    std::string photo = Photo("여름 바다.jpg", 64, 48);
    pane.m_strPath = photo.c_str();
    mivotest::MessageBoxCapture boxes;
    theApp.m_strLinkPrg.Empty();
    pane.SendMessage(WM_COMMAND, ID_PREVIEW_OPEN_WITH);
    ASSERT_EQ(1u, boxes.shown().size());
    EXPECT_EQ("외부 프로그램이 지정되지 않았습니다.\r\n메인 메뉴의 [보기]->[환경관리] 에서 외부편집기를 지정하십시요.",
              boxes.shown()[0].text);
    EXPECT_TRUE(started.empty());

    // A program that can run: a script with its modes.
    std::string editor = data.windowsPath() + "editor.exe";
    std::ofstream(data.file("editor.exe")) << "#!/bin/sh\n";
    std::filesystem::permissions(data.file("editor.exe"), std::filesystem::perms::owner_all);
    theApp.m_strLinkPrg = editor.c_str();
    pane.SendMessage(WM_COMMAND, ID_PREVIEW_OPEN_WITH);
    mivo::SetSpawnHook(nullptr);
    theApp.m_strLinkPrg.Empty();
    ASSERT_EQ(1u, started.size());
    ASSERT_EQ(2u, started[0].size()) << "the blank does not split the path";
    EXPECT_NE(std::string::npos, started[0][1].find(".jpg")) << started[0][1];
    EXPECT_EQ(std::string::npos, started[0][1].find('"')) << "the quotes only group";
}

TEST_F(PreviewPane, NothingLoadsWhileTheFolderBarShowsTheEditTools)
{
    std::string sea = Photo("바다.jpg", 64, 48);
    CMainFrame* frame = new CMainFrame;  // deletes itself with its window
    ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW));
    AfxGetApp()->m_pMainWnd = frame;
    const struct {
        int folder;
        bool loads;
    } cases[] = {{kFolderEditTools, false}, {kFolderAlbum, true}, {kFolderBrowse, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        frame->SetSelFolder(c.folder);
        pane.m_bLoaded = 0;
        pane.m_bHasRequest = 0;
        Show(sea);
        EXPECT_EQ(c.loads ? 1 : 0, pane.m_bHasRequest);
        EXPECT_EQ(c.loads ? 1 : 0, pane.m_bLoaded);
    }
    AfxGetApp()->m_pMainWnd = nullptr;
    frame->DestroyWindow();
    mivo::test::PumpUntilIdle();
}
