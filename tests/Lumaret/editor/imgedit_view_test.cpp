// The editor view: zoom steps and the mapping between picture and window,
// opening files and new pictures, titles, fitting, and saving.
#include "EditorFixture.h"

#include "support/MessageLoop.h"
#include "support/WindowCapture.h"

#include <fstream>
#include <functional>

using namespace editortest;

namespace {

// Whether the call raised the framework's invalid-argument exception (freed here).
bool RaisesInvalidArgument(const std::function<void()>& call)
{
    try {
        call();
    } catch (CInvalidArgException* e) {
        e->Delete();
        return true;
    }
    return false;
}

int StepOf(CImgEditView* view, int ratio)
{
    for (int i = 0; i < view->m_arrZoomRatios.GetSize(); ++i)
        if (int(view->m_arrZoomRatios[i]) == ratio)
            return i;
    return -1;
}

}  // namespace

TEST_F(EditorTest, PictureRectanglesMapToTheWindowAtEveryKindOfZoom)
{
    CImgEditView* view = OpenWith(MakePattern(300, 200));
    ASSERT_NE(nullptr, view);
    struct Case {
        int zoom;
        CRect picture;
        CRect logical;
    } cases[] = {
        {125, CRect(8, 8, 15, 23), CRect(1, 1, 1, 2)},
        {333, CRect(0, 0, 299, 2), CRect(0, 0, 99, 0)},
        {333, CRect(3, 6, 8, 8), CRect(1, 2, 2, 2)},
        {1000, CRect(5, 7, 9, 10), CRect(5, 7, 9, 10)},
        {2000, CRect(3, 0, 3, 1), CRect(6, 0, 7, 3)},
        {4000, CRect(1, 1, 2, 2), CRect(4, 4, 11, 11)},
    };
    for (const Case& c : cases) {
        view->m_nZoomIndex = StepOf(view, c.zoom);
        view->ScrollToPosition(CPoint(0, 0));
        EXPECT_EQ(c.logical, view->ImageToLogical(c.picture)) << "zoom " << c.zoom;
        EXPECT_EQ(CPoint(c.zoom * 10 / 1000, c.zoom * 20 / 1000), view->ImageToLogical(CPoint(10, 20)))
            << "zoom " << c.zoom;
    }
    view->m_nZoomIndex = StepOf(view, 333);
    EXPECT_EQ(CSize(99, 66), view->ZoomedSize()) << "the painted size is 333 x 300 / 1000";
}

TEST_F(EditorTest, WindowRectanglesMapBackToPicturePixelsClampedToThePicture)
{
    CImgEditView* view = OpenWith(MakePattern(300, 200));
    ASSERT_NE(nullptr, view);
    view->GetParentFrame()->MoveWindow(0, 0, 200, 150);
    struct Case {
        int zoom;
        CRect client;
        CRect picture;
    } cases[] = {
        {125, CRect(1, 1, 2, 2), CRect(8, 8, 23, 23)},
        {333, CRect(0, 0, 99, 9), CRect(0, 0, 299, 29)},
        {1000, CRect(-10, -5, 5000, 9000), CRect(0, 0, 299, 199)},
        {2000, CRect(6, 0, 7, 3), CRect(3, 0, 3, 1)},
        {4000, CRect(4, 4, 11, 11), CRect(1, 1, 2, 2)},
    };
    for (const Case& c : cases) {
        view->m_nZoomIndex = StepOf(view, c.zoom);
        view->UpdateScrollSizes();
        view->ScrollToPosition(CPoint(0, 0));
        EXPECT_EQ(c.picture, view->ClientToImage(c.client)) << "zoom " << c.zoom;
    }
    view->m_nZoomIndex = StepOf(view, 4000);
    view->UpdateScrollSizes();
    view->ScrollToPosition(CPoint(40, 80));
    EXPECT_EQ(CPoint(10, 20), view->ClientToImage(CPoint(0, 0))) << "the scroll position counts";
    EXPECT_EQ(CRect(4, 4, 11, 11) - CPoint(40, 80), view->ImageToClient(CRect(1, 1, 2, 2)))
        << "client = logical less the scroll position";
}

TEST_F(EditorTest, ZoomIndexOutsideTheStepsIsAnInvalidArgument)
{
    CImgEditView* view = OpenWith(MakePattern(40, 30));
    ASSERT_NE(nullptr, view);
    view->m_nZoomIndex = 14;
    EXPECT_TRUE(RaisesInvalidArgument([view] { view->GetZoomRatio(); }));
    view->m_nZoomIndex = -1;
    EXPECT_TRUE(RaisesInvalidArgument([view] { view->GetPixelBlock(); }));
    view->m_nZoomIndex = 4;
}

TEST(ImgEditViewZoom, NearestStepIsTheLargestNotAboveTheRatio)
{
    CImgEditView view;
    const struct {
        int ratio;
        int step;
    } cases[] = {{0, 125}, {124, 125}, {125, 125}, {999, 500}, {1000, 1000}, {32000, 32000}, {40000, 32000}};
    for (const auto& c : cases)
        EXPECT_EQ(c.step, view.SetZoomNearest(c.ratio)) << c.ratio;
    view.SetZoomNearest(3000);
    EXPECT_EQ(3, view.GetPixelBlock());
    view.SetZoomNearest(500);
    EXPECT_EQ(1, view.GetPixelBlock());
}

TEST_F(EditorTest, ZoomStepsOneAtATimeAndStopsAtTheEnds)
{
    CImgEditView* view = OpenWith(MakePattern(64, 48));
    ASSERT_NE(nullptr, view);
    ASSERT_EQ(1000, view->GetZoomRatio()) << "a fitting picture keeps 100 %";
    view->ZoomIn();
    EXPECT_EQ(2000, view->GetZoomRatio());
    view->ZoomOut();
    view->ZoomOut();
    EXPECT_EQ(500, view->GetZoomRatio());
    view->m_nZoomIndex = 13;
    view->ZoomIn();
    EXPECT_EQ(32000, view->GetZoomRatio());
    view->m_nZoomIndex = 0;
    view->ZoomOut();
    EXPECT_EQ(125, view->GetZoomRatio());
    view->ZoomToStep(33081 + 7);
    EXPECT_EQ(4000, view->GetZoomRatio());
    EXPECT_EQ("시험 (400.0 %)", Title(view));
}

TEST_F(EditorTest, ZoomKeepsThePictureUnderTheMiddleOfTheWindow)
{
    CImgEditView* view = OpenWith(MakePattern(600, 480));
    ASSERT_NE(nullptr, view);
    view->GetParentFrame()->MoveWindow(0, 0, 300, 250);
    view->ZoomToStep(33081 + 4);
    view->ScrollToPosition(CPoint(100, 90));
    CRect client;
    view->GetClientRect(&client);
    CPoint before = view->ClientToImage(client.CenterPoint());
    view->ZoomIn();
    view->ZoomIn();
    view->GetClientRect(&client);
    CPoint after = view->ClientToImage(client.CenterPoint());
    EXPECT_EQ(3000, view->GetZoomRatio());
    EXPECT_NEAR(before.x, after.x, 1);
    EXPECT_NEAR(before.y, after.y, 1);
}

TEST_F(EditorTest, LargePictureFitsTheWindowAndTheFrameFollowsIt)
{
    CImgEditView* view = OpenWith(MakePattern(1600, 1200));
    ASSERT_NE(nullptr, view);
    EXPECT_EQ(125, view->GetZoomRatio()) << "1600 x 1200 into a 400 x 300 frame";
    CRect client;
    view->GetClientRect(&client);
    EXPECT_EQ(CSize(200, 150), view->ZoomedSize());
    EXPECT_EQ(200, client.Width()) << "the frame is sized to the zoomed picture";
    EXPECT_EQ(150, client.Height());
}

TEST_F(EditorTest, OpeningAFileLoadsItOnTheWorkerAndTitlesTheWindow)
{
    std::string path = WritePicture("풍경.BMP", 120, 90);
    CImgEditView* view = Open(path);
    ASSERT_NE(nullptr, view);
    ASSERT_TRUE(view->HasImage());
    EXPECT_EQ(120, view->m_pImage->GetWidth());
    EXPECT_EQ(90, view->m_pImage->GetHeight());
    EXPECT_EQ(view, view->m_pImage->GetParent()) << "progress goes to the view";
    EXPECT_EQ("풍경.BMP (100.0 %)", Title(view));
    EXPECT_STREQ(path.c_str(), view->GetDocument()->GetPathName());
    EXPECT_FALSE(view->IsBusy());
}

TEST_F(EditorTest, OtherExtensionsAndMissingFilesLeaveAnEmptyView)
{
    std::string png = m_folder.windowsPath() + "a.PNG";
    std::ofstream(m_folder.file("a.PNG")) << "not a picture";
    CImgEditView* view = Open(png);
    ASSERT_NE(nullptr, view);
    EXPECT_FALSE(view->HasImage());
    EXPECT_TRUE(view->m_strPathName.IsEmpty());

    CImgEditView* missing = Open(m_folder.windowsPath() + "없음.JPG");
    ASSERT_NE(nullptr, missing);
    EXPECT_FALSE(missing->HasImage()) << "a failed load reports its end too";
    EXPECT_FALSE(missing->IsBusy());
    missing->UpdateWindow();
}

TEST_F(EditorTest, EmptyPathMakesAWhitePictureTitledByTheCaller)
{
    CImgEditView* named = Open("", "새 이미지-1");
    ASSERT_NE(nullptr, named);
    ASSERT_TRUE(named->HasImage());
    EXPECT_EQ(1024, named->m_pImage->GetWidth());
    EXPECT_EQ(768, named->m_pImage->GetHeight());
    EXPECT_EQ(RGB(255, 255, 255), named->m_pImage->GetPixelColor(1023, 767));
    EXPECT_EQ("새 이미지-1 (33.3 %)", Title(named));

    CImgEditView* untitled = Open("", "");
    ASSERT_NE(nullptr, untitled);
    EXPECT_EQ("제목 없음 (33.3 %)", Title(untitled));
    EXPECT_STREQ("제목 없음", untitled->m_strTitle);
}

TEST_F(EditorTest, TitleShowsTheChangeMarkUntilTheNextSave)
{
    std::string path = WritePicture("a.JPG", 40, 30);
    CImgEditView* view = Open(path);
    ASSERT_NE(nullptr, view);
    view->SendMessage(WM_COMMAND, 38612);  // negative
    WaitIdle(view);
    EXPECT_EQ("a.JPG (100.0 %) *", Title(view));
    ASSERT_TRUE(view->Save());
    EXPECT_EQ("a.JPG (100.0 %)", Title(view));
    EXPECT_FALSE(view->m_bModified);
}

TEST_F(EditorTest, FailedSaveKeepsTheMarkAndSaysSo)
{
    std::string path = WritePicture("a.BMP", 40, 30);
    CImgEditView* view = Open(path);
    ASSERT_NE(nullptr, view);
    view->m_bModified = TRUE;
    // The folder is gone: the writer fails.
    view->m_strPathName = (m_folder.windowsPath() + "없는 폴더\\a.BMP").c_str();
    EXPECT_FALSE(view->Save());
    EXPECT_TRUE(view->m_bModified);
    auto boxes = m_boxes.shown();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_NE(std::string::npos, boxes[0].text.find("저장하지 못했습니다"));
}

namespace {

// Answers the save dialog with a name typed into its file-name box.
void TypeNameAndSave(mivo::test::ModalScript& script, const std::string& name)
{
    script.Then([name](HWND dialog) {
        ::SetDlgItemText(dialog, 0x480, name.c_str());
        ::SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
}

}  // namespace

class EditorSaveAs : public EditorTest {
protected:
    BOOL SaveAs(CImgEditView* view, const std::string& typed)
    {
        mivo::test::ModalScript script;
        TypeNameAndSave(script, typed);
        m_main->m_pScript = &script;
        BOOL saved = view->SaveAs();
        m_main->m_pScript = nullptr;
        return saved;
    }
    // Names are CP949 here, as the program's; the layer finds them on disk.
    bool Exists(const std::string& name) const
    {
        return ::GetFileAttributes((m_folder.windowsPath() + name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
};

TEST_F(EditorSaveAs, NameWithoutADotGetsTheFilterExtension)
{
    CImgEditView* view = Open("", "새 그림");
    ASSERT_NE(nullptr, view);
    ASSERT_TRUE(SaveAs(view, m_folder.windowsPath() + "그림"));
    EXPECT_TRUE(Exists("그림.JPG"));
    EXPECT_EQ(m_folder.windowsPath() + "그림.JPG", std::string(view->m_strPathName));
    EXPECT_EQ("그림.JPG (33.3 %)", Title(view));
}

TEST_F(EditorSaveAs, DotInAFolderNameIsNotAnExtension)
{
    std::string folder = m_folder.windowsPath() + "v1.2";
    ASSERT_TRUE(::CreateDirectory(folder.c_str(), nullptr));
    CImgEditView* view = OpenWith(MakePattern(20, 10));
    ASSERT_NE(nullptr, view);
    ASSERT_TRUE(SaveAs(view, folder + "\\사진"));
    EXPECT_TRUE(Exists("v1.2\\사진.JPG"));
}

TEST_F(EditorSaveAs, OwnFileIsRefusedAsAlreadyOpen)
{
    std::string path = WritePicture("a.BMP", 20, 10);
    CImgEditView* view = Open(path);
    ASSERT_NE(nullptr, view);
    view->m_bModified = TRUE;
    EXPECT_FALSE(SaveAs(view, path));
    auto boxes = m_boxes.shown();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("같은 이름의 파일이 열려있습니다.\r\n열린 창을 닫거나 다른 이름을 지정하십시요.", boxes[0].text);
    EXPECT_TRUE(view->m_bModified);
}

TEST_F(EditorSaveAs, ExistingFileIsKeptWhenReplaceIsAnsweredNo)
{
    std::string other = WritePicture("b.BMP", 7, 5);
    CImgEditView* view = OpenWith(MakePattern(20, 10));
    ASSERT_NE(nullptr, view);
    m_boxes.setAnswer(IDNO);
    EXPECT_FALSE(SaveAs(view, other));
    auto boxes = m_boxes.shown();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("같은 이름의 파일이 존재합니다.\r\n새 파일로 대체하시겠습니까?", boxes[0].text);
    CImageObject check;
    ASSERT_TRUE(check.LoadImageFromFile(other.c_str(), 0));
    EXPECT_EQ(7, check.GetWidth());
}

TEST_F(EditorSaveAs, SaveOfAPictureTheWriterCannotTakeAsksForANewName)
{
    std::string gif = m_folder.windowsPath() + "a.GIF";
    CImgEditView* view = OpenWith(MakePattern(20, 10));
    ASSERT_NE(nullptr, view);
    view->m_strPathName = gif.c_str();
    view->m_bModified = TRUE;
    mivo::test::ModalScript script;
    TypeNameAndSave(script, m_folder.windowsPath() + "a.BMP");
    m_main->m_pScript = &script;
    EXPECT_TRUE(view->Save());
    m_main->m_pScript = nullptr;
    EXPECT_TRUE(Exists("a.BMP"));
    EXPECT_FALSE(view->m_bModified);
}

TEST_F(EditorTest, ClosingAsksAboutAChangedPictureAndKeepsItOnCancel)
{
    CImgEditView* view = OpenWith(MakePattern(20, 10));
    ASSERT_NE(nullptr, view);
    view->m_bModified = TRUE;
    CImgEditFrame* frame = static_cast<CImgEditFrame*>(view->GetParentFrame());
    m_boxes.setAnswer(IDCANCEL);
    EXPECT_FALSE(frame->QueryClose());
    auto boxes = m_boxes.shown();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("시험 이미지가 변경되었습니다.\r\n저장하시겠습니까?", boxes[0].text);
    m_boxes.setAnswer(IDNO);
    EXPECT_TRUE(frame->QueryClose());
}

TEST_F(EditorTest, FrameIconCursorsAndMenusAreThere)
{
    EXPECT_NE(nullptr, AfxGetApp()->LoadIcon(157));
    for (UINT cursor : {149u, 155u, 157u, 159u, 161u, 178u, 22901u})
        EXPECT_NE(nullptr, AfxGetApp()->LoadCursor(cursor)) << cursor;
    const struct {
        UINT id;
        UINT count;
        UINT first;
    } menus[] = {{315, 11, 32937}, {316, 15, 844}, {317, 9, 33120}};
    for (const auto& m : menus) {
        CMenu menu;
        ASSERT_TRUE(menu.LoadMenu(m.id)) << m.id;
        CMenu* popup = menu.GetSubMenu(0);
        ASSERT_NE(nullptr, popup);
        EXPECT_EQ(m.count, popup->GetMenuItemCount()) << m.id;
        EXPECT_EQ(m.first, popup->GetMenuItemID(0)) << m.id;
    }
    CImgEditView* view = Open("", "");
    ASSERT_NE(nullptr, view);
    WNDCLASS wc = {};
    char name[64] = "";
    ::GetClassName(view->GetParentFrame()->GetSafeHwnd(), name, sizeof(name));
    ASSERT_TRUE(::GetClassInfo(AfxGetInstanceHandle(), name, &wc));
    EXPECT_EQ(0u, wc.style);
    EXPECT_EQ(nullptr, wc.hCursor);
    EXPECT_EQ(nullptr, wc.hbrBackground);
    EXPECT_NE(nullptr, wc.hIcon);
}

TEST_F(EditorTest, WheelScrollsOnlyWhereThereIsMoreToSee)
{
    CImgEditView* view = OpenWith(MakePattern(100, 800));
    ASSERT_NE(nullptr, view);
    view->GetParentFrame()->MoveWindow(0, 0, 300, 250);
    view->ZoomToStep(33081 + 4);
    view->ScrollToPosition(CPoint(0, 0));
    CRect client;
    view->GetClientRect(&client);
    CPoint centre = client.CenterPoint();
    view->ClientToScreen(&centre);
    const LPARAM at = MAKELPARAM(centre.x, centre.y);
    view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), at);
    EXPECT_EQ(0, view->GetScrollPosition().y) << "already at the top";
    EXPECT_EQ(TRUE, view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), at));
    EXPECT_GT(view->GetScrollPosition().y, 0);
    view->ScrollToPosition(CPoint(0, 800));
    int bottom = view->GetScrollPosition().y;
    view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), at);
    EXPECT_EQ(bottom, view->GetScrollPosition().y) << "already at the bottom";
}

TEST_F(EditorTest, PaintingDrawsWholePixelBlocksAndHatchesBesideThePicture)
{
    CImgEditView* view = OpenWith(MakePattern(10, 8));
    ASSERT_NE(nullptr, view);
    view->GetParentFrame()->MoveWindow(0, 0, 300, 250);
    view->ZoomToStep(33081 + 7);  // 400 %
    view->Invalidate(TRUE);
    view->UpdateWindow();
    mivo::test::WindowImage shown = mivo::test::CaptureWindow(view->GetSafeHwnd(), true);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 10; ++x)
            for (CPoint in : {CPoint(0, 0), CPoint(3, 3), CPoint(1, 2)})
                ASSERT_EQ(RGB(x, y, x ^ y), shown.At(4 * x + in.x, 4 * y + in.y)) << x << "," << y;
    int hatch = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 40; x < 72; ++x) {
            COLORREF c = shown.At(x, y);
            EXPECT_TRUE(c == RGB(0xC8, 0xC8, 0xC8) || c == RGB(0xC0, 0xC0, 0xC0)) << x << "," << y;
            hatch += c == RGB(0xC0, 0xC0, 0xC0);
        }
    EXPECT_GT(hatch, 0) << "the cross-hatch lines show";
}

TEST_F(EditorTest, PartlyCoveredBlocksRepaintWholeWhenScrolled)
{
    CImgEditView* view = OpenWith(MakePattern(100, 80));
    ASSERT_NE(nullptr, view);
    view->GetParentFrame()->MoveWindow(0, 0, 300, 250);
    view->ZoomToStep(33081 + 7);  // 400 %
    view->ScrollToPosition(CPoint(6, 5));
    view->UpdateWindow();
    // Paint over a small area off the block grid, then repaint only it.
    {
        CClientDC dc(view);
        dc.FillSolidRect(CRect(1, 1, 7, 7), RGB(255, 0, 255));
    }
    CRect part(1, 1, 7, 7);
    view->InvalidateRect(&part, FALSE);
    view->UpdateWindow();
    mivo::test::WindowImage shown = mivo::test::CaptureWindow(view->GetSafeHwnd(), true);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            CPoint p = view->ClientToImage(CPoint(x, y));
            EXPECT_EQ(RGB(p.x, p.y, p.x ^ p.y), shown.At(x, y)) << x << "," << y;
        }
}

TEST_F(EditorTest, ReopenAnsweredYesLoadsTheFileAgainAndForgetsTheSteps)
{
    std::string path = WritePicture("다시.BMP", 30, 20);
    CImgEditView* view = Open(path);
    ASSERT_NE(nullptr, view);
    view->Reopen();
    EXPECT_TRUE(m_boxes.shown().empty()) << "nothing changed: nothing asked";
    view->SaveUndo(CRect(-1, -1, -1, -1));
    view->m_pImage->SetPixelColor(1, 1, RGB(9, 9, 9));
    view->m_bModified = TRUE;
    m_boxes.setAnswer(IDNO);
    view->Reopen();
    EXPECT_EQ(RGB(9, 9, 9), view->m_pImage->GetPixelColor(1, 1));
    m_boxes.setAnswer(IDYES);
    view->Reopen();
    auto boxes = m_boxes.shown();
    ASSERT_EQ(2u, boxes.size());
    EXPECT_EQ("이전 작업을 취소하고 이 파일을 다시 여시겠습니까?", boxes[1].text);
    EXPECT_EQ(RGB(1, 1, 0), view->m_pImage->GetPixelColor(1, 1));
    EXPECT_FALSE(view->m_bModified);
    EXPECT_FALSE(view->CanUndo());
    EXPECT_EQ("다시.BMP (100.0 %)", Title(view));
}
