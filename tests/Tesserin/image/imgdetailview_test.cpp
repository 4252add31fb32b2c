// The zooming image view: steps, coordinate mapping, centring with the grey
// surround and shadow, zoom about the centre, panning, the wheel, 32-bit
// thumb tracking, partial redraws at large steps and activation.
#include <gtest/gtest.h>

#include "ImageOpsSupport.h"
#include "image/ImageObject.h"
#include "image/ImgDetailView.h"
#include "support/GeometryPrinters.h"
#include "support/InputSynth.h"
#include "support/MessageLoop.h"
#include "support/WindowCapture.h"

#include <cstdlib>

using namespace mivo::test;
using opstest::ImagePtr;

namespace {

const COLORREF kGrey = RGB(0x80, 0x80, 0x80);
const COLORREF kShadow = RGB(0x40, 0x40, 0x40);

class CNavigatedView : public CImgDetailView {
    DECLARE_DYNCREATE(CNavigatedView)
public:
    int navigations = 0;
    void SetNavigationRect() override { navigations++; }
};
IMPLEMENT_DYNCREATE(CNavigatedView, CImgDetailView)

class ImgDetailViewTest : public ::testing::Test {
protected:
    void Open(int width, int height)
    {
        ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                                  nullptr, nullptr));
        view = new CNavigatedView;  // deletes itself with its window
        ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, width, height), &host, 1));
        PumpUntilIdle();
    }
    void TearDown() override
    {
        if (host.m_hWnd)
            host.DestroyWindow();
    }
    // Shows the picture at a step and paints it.
    void Show(CImageObject* img, int ratio)
    {
        view->m_pImgObj = img;
        ASSERT_EQ(ratio, view->SetZoomRatio(ratio));
        view->RebuildScrollSizes();
        view->UpdateWindow();
        PumpUntilIdle();
    }
    CRect Client() const
    {
        CRect rc;
        view->GetClientRect(&rc);
        return rc;
    }
    CPoint Position() const { return view->GetScrollPosition(); }
    WindowImage Capture() const { return CaptureWindow(view->m_hWnd, true); }

    CWnd host;
    CNavigatedView* view = nullptr;
};

}  // namespace

TEST_F(ImgDetailViewTest, ANewViewIsAllGrey)
{
    Open(320, 240);
    EXPECT_EQ(125, view->GetZoomRatio());
    EXPECT_EQ(nullptr, view->m_pImgObj);
    WindowImage shot = Capture();
    EXPECT_EQ(shot.width * shot.height, shot.Count(kGrey));
}

TEST_F(ImgDetailViewTest, ASmallPictureSitsInTheMiddleWithAShadowRightAndBelow)
{
    Open(1000, 800);
    const COLORREF left = RGB(200, 30, 30), right = RGB(30, 30, 200);
    ImagePtr img = opstest::MakeImage(400, 300, [&](int x, int) { return x < 200 ? left : right; });
    Show(img.get(), 1000);
    ASSERT_EQ(CRect(0, 0, 1000, 800), Client()) << "no bars for a picture that fits";
    WindowImage shot = Capture();
    struct Probe {
        int x, y;
        COLORREF colour;
    } probes[] = {
        {300, 250, left},    {299, 250, kGrey},   {300, 249, kGrey},  {499, 400, left},   {500, 400, right},
        {699, 549, right},   {700, 253, kGrey},   {700, 254, kShadow}, {703, 553, kShadow}, {704, 400, kGrey},
        {303, 550, kGrey},   {304, 550, kShadow}, {703, 550, kShadow}, {500, 554, kGrey},   {0, 0, kGrey},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(p.colour, shot.At(p.x, p.y)) << "at " << p.x << "," << p.y;
    EXPECT_EQ(300, img->GetDst_x());
    EXPECT_EQ(250, img->GetDst_y());
    EXPECT_EQ(400, img->GetSrc_width());
}

TEST_F(ImgDetailViewTest, SetZoomRatioTakesTheLargestStepNotAbove)
{
    Open(200, 200);
    struct Case {
        int asked, chosen;
    } cases[] = {{50, 100}, {100, 100}, {124, 100}, {999, 800}, {1000, 1000}, {3999, 3000}, {99999, 4000}};
    for (const Case& c : cases) {
        EXPECT_EQ(c.chosen, view->SetZoomRatio(c.asked)) << c.asked;
        EXPECT_EQ(c.chosen, view->GetZoomRatio()) << c.asked;
    }
}

TEST_F(ImgDetailViewTest, FitImageToViewUsesTheThumbRuleCappedAtFullSize)
{
    Open(200, 20);
    ImagePtr wide = opstest::MakeUniform(1000, 100, kGrey);
    view->m_pImgObj = wide.get();
    view->FitImageToView();
    EXPECT_EQ(125, view->GetZoomRatio()) << "the fit ratio 199 falls to the step below";
    ImagePtr tiny = opstest::MakeUniform(10, 2, kGrey);
    view->m_pImgObj = tiny.get();
    view->FitImageToView();
    EXPECT_EQ(1000, view->GetZoomRatio());
}

TEST_F(ImgDetailViewTest, SourceRectanglesFromDestinationAndView)
{
    Open(300, 200);
    CRect dst(1, 2, 10, 20);
    view->SetZoomRatio(333);
    EXPECT_EQ(CRect(3, 6, 30, 60), view->GetSrcRectFromDst(dst)) << "one third is three times, exactly";
    view->SetZoomRatio(660);
    CRect d660(66, 66, 131, 131);
    EXPECT_EQ(CRect(100, 100, 199, 199), view->GetSrcRectFromDst(d660));

    CRect everything(-500, -500, 5000, 5000);
    EXPECT_EQ(CRect(-1, -1, -1, -1), view->GetSrcRectFromView(everything)) << "no picture";
    CPoint centre(5, 5);
    EXPECT_EQ(CPoint(-1, -1), view->GetSrcPointFromView(centre));

    ImagePtr img = opstest::MakeUniform(400, 300, kGrey);
    Show(img.get(), 2000);
    view->ScrollToPosition(CPoint(100, 40));
    ASSERT_EQ(CPoint(100, 40), Position());
    EXPECT_EQ(CRect(0, 0, 399, 299), view->GetSrcRectFromView(everything)) << "clamped to the picture";
    CRect part(0, 0, 50, 50);
    EXPECT_EQ(CRect(50, 20, 74, 44), view->GetSrcRectFromView(part));
    CPoint origin(0, 0);
    EXPECT_EQ(CPoint(50, 20), view->GetSrcPointFromView(origin));
    CPoint src(7, 9);
    EXPECT_EQ(CPoint(14, 18), view->GetDstPoint(src));
}

TEST_F(ImgDetailViewTest, ZoomInAtTheLastStepStaysButRecentresAndNotifies)
{
    Open(500, 400);
    ImagePtr img = opstest::MakeUniform(400, 300, kGrey);
    Show(img.get(), 4000);
    view->ScrollToPosition(CPoint(700, 300));
    CPoint before = Position();
    int navigations = view->navigations;
    view->ZoomIn();
    EXPECT_EQ(4000, view->GetZoomRatio());
    EXPECT_EQ(navigations + 1, view->navigations);
    EXPECT_LE(std::abs(Position().x - before.x), 4);
    EXPECT_LE(std::abs(Position().y - before.y), 4);
}

TEST_F(ImgDetailViewTest, ZoomKeepsThePicturePointAtTheCentre)
{
    Open(500, 400);
    ImagePtr img = opstest::MakeUniform(2000, 1500, kGrey);
    struct Case {
        int from;
        bool in;
        int to;
        CPoint scroll;
    } cases[] = {
        {1000, true, 1250, CPoint(300, 200)},  {2000, true, 2500, CPoint(1234, 567)},
        {1500, false, 1250, CPoint(900, 800)}, {4000, false, 3000, CPoint(5000, 3000)},
        {1000, false, 800, CPoint(800, 600)},
    };
    for (const Case& c : cases) {
        Show(img.get(), c.from);
        view->ScrollToPosition(c.scroll);
        CRect client = Client();
        CPoint centre(client.Width() / 2, client.Height() / 2);
        CPoint before = view->GetSrcPointFromView(centre);
        if (c.in)
            view->ZoomIn();
        else
            view->ZoomOut();
        EXPECT_EQ(c.to, view->GetZoomRatio());
        CPoint after = view->GetSrcPointFromView(centre);
        int slack = 1000 / c.to + 1;
        EXPECT_LE(std::abs(after.x - before.x), slack) << c.from << " -> " << c.to;
        EXPECT_LE(std::abs(after.y - before.y), slack) << c.from << " -> " << c.to;
    }
}

TEST_F(ImgDetailViewTest, DraggingPansByTheMouseDistanceWithinTheRange)
{
    Open(500, 400);
    ImagePtr img = opstest::MakeUniform(1000, 800, kGrey);
    Show(img.get(), 2000);
    view->ScrollToPosition(CPoint(600, 500));
    view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(250, 200));
    CRect client = Client();
    CPoint farEnd(2000 - client.Width(), 1600 - client.Height());
    struct Move {
        WPARAM keys;
        int x, y;
        CPoint expected;
    } moves[] = {
        {MK_LBUTTON, 150, 150, CPoint(700, 550)},
        {MK_LBUTTON | MK_SHIFT, 0, 0, CPoint(700, 550)},  // another key held: no pan
        {MK_LBUTTON, 350, 260, CPoint(500, 440)},
        {MK_LBUTTON, 32000, 32000, CPoint(0, 0)},
        {MK_LBUTTON, -32000, -32000, farEnd},
    };
    for (const Move& m : moves) {
        int navigations = view->navigations;
        view->SendMessage(WM_MOUSEMOVE, m.keys, MAKELPARAM((WORD)(short)m.x, (WORD)(short)m.y));
        EXPECT_EQ(m.expected, Position()) << m.x << "," << m.y;
        EXPECT_EQ(navigations + (m.keys == MK_LBUTTON ? 1 : 0), view->navigations);
    }
    view->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(0, 0));
}

TEST_F(ImgDetailViewTest, TheWheelPassesOverAFittingPictureAndStopsAtTheEnds)
{
    Open(400, 300);
    auto turn = [&](short delta) {
        int navigations = view->navigations;
        EXPECT_EQ(1, view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)delta), MAKELPARAM(10, 10)));
        return view->navigations > navigations;
    };
    ImagePtr small = opstest::MakeUniform(200, 100, kGrey);
    Show(small.get(), 1000);
    for (short delta : {-WHEEL_DELTA, WHEEL_DELTA, -WHEEL_DELTA, WHEEL_DELTA})
        EXPECT_TRUE(turn(delta));
    EXPECT_EQ(CPoint(0, 0), Position()) << "it scrolls, never zooms";
    EXPECT_EQ(1000, view->GetZoomRatio());

    ImagePtr tall = opstest::MakeUniform(200, 3000, kGrey);
    Show(tall.get(), 1000);
    EXPECT_FALSE(turn(WHEEL_DELTA)) << "at the top, turning away";
    int bottom = 3000 - Client().Height();
    int turns = 0;
    while (Position().y < bottom && turns++ < 1000)
        EXPECT_TRUE(turn(-WHEEL_DELTA));
    ASSERT_EQ(bottom, Position().y);
    EXPECT_FALSE(turn(-WHEEL_DELTA)) << "at the bottom, turning toward the user";
    EXPECT_TRUE(turn(WHEEL_DELTA));
    EXPECT_LT(Position().y, bottom);

    view->m_pImgObj = nullptr;
    EXPECT_EQ(0, view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)-WHEEL_DELTA), 0));
}

TEST_F(ImgDetailViewTest, AThumbTrackPastSixteenBitsScrollsThere)
{
    Open(400, 300);
    view->m_ZoomRatios.RemoveAll();
    for (UINT step : {100u, 1000u, 8000u, 32000u})
        view->m_ZoomRatios.Add(step);
    ImagePtr img = opstest::MakeUniform(10, 3000, kGrey);
    Show(img.get(), 32000);
    ASSERT_EQ(CSize(320, 96000), view->GetTotalSize());
    CRect client = Client();
    // Drag the vertical thumb from the top halfway down (host and view sit at 0, 0).
    POINT thumb{client.right + GetSystemMetrics(SM_CXVSCROLL) / 2, GetSystemMetrics(SM_CYVSCROLL) + 3};
    POINT middle{thumb.x, client.Height() / 2};
    int navigations = view->navigations;
    // The bar tracks the drag in its own loop: the whole drag is queued first.
    mivo::InjectMouseMove(thumb);
    mivo::InjectMouseButton(thumb, mivo::MouseButton::Left, true);
    mivo::InjectMouseMove(middle);
    mivo::InjectMouseButton(middle, mivo::MouseButton::Left, false);
    PumpUntilIdle();
    EXPECT_GT(Position().y, 32767) << "the track position, not its low 16 bits";
    EXPECT_EQ(Position().y, view->GetScrollPos(SB_VERT));
    EXPECT_GT(view->navigations, navigations);
}

namespace {

struct ClipCase {
    int ratio;
    CPoint scroll;
    CRect clip;  // client coordinates
};

}  // namespace

// A draw limited to a clip box paints exactly what a whole draw paints there.
TEST_F(ImgDetailViewTest, DrawsInsideClipBoxesMatchAWholeDraw)
{
    Open(200, 150);
    ImagePtr img = opstest::MakeImage(150, 100, [](int x, int y) {
        return RGB((x * 37 + y * 11) & 0xFF, (x * 5 + y * 53) & 0xFF, (x * y) & 0xFF);
    });
    ImagePtr smallImg = opstest::MakeImage(31, 23, [](int x, int y) { return RGB(x * 8, y * 11, 128); });
    const ClipCase cases[] = {
        {2000, CPoint(0, 0), CRect(1, 1, 40, 30)},        {2000, CPoint(0, 0), CRect(0, 0, 200, 150)},
        {2000, CPoint(33, 17), CRect(0, 0, 7, 150)},      {2000, CPoint(33, 17), CRect(193, 0, 200, 150)},
        {2000, CPoint(33, 17), CRect(0, 143, 200, 150)},  {2000, CPoint(33, 17), CRect(51, 37, 99, 71)},
        {3000, CPoint(0, 0), CRect(1, 2, 5, 7)},          {3000, CPoint(250, 151), CRect(0, 0, 200, 1)},
        {3000, CPoint(250, 151), CRect(199, 0, 200, 150)}, {3000, CPoint(250, 151), CRect(17, 101, 133, 149)},
        {3000, CPoint(0, 0), CRect(-5, -5, 300, 300)},
    };
    for (CImageObject* picture : {img.get(), smallImg.get()}) {
        for (const ClipCase& c : cases) {
            Show(picture, c.ratio);
            view->ScrollToPosition(c.scroll);
            view->Invalidate(TRUE);
            view->UpdateWindow();
            WindowImage whole = Capture();

            CRect client = Client();
            {
                CClientDC dc(view);
                dc.FillSolidRect(&client, RGB(0, 0, 0));
                view->OnPrepareDC(&dc);
                CPoint origin = view->GetScrollPosition();
                CRect logical = c.clip;
                logical.OffsetRect(origin);
                dc.IntersectClipRect(&logical);
                view->OnDraw(&dc);
            }
            WindowImage part = Capture();
            CRect inside;
            inside.IntersectRect(&c.clip, &client);
            int wrong = 0;
            for (int y = inside.top; y < inside.bottom; y++)
                for (int x = inside.left; x < inside.right; x++) {
                    COLORREF expected = whole.At(x, y);
                    // The surround is the erase's, which this draw leaves alone.
                    if (expected != kGrey && part.At(x, y) != expected && wrong++ == 0)
                        ADD_FAILURE() << "at " << x << "," << y << " ratio " << c.ratio;
                }
            EXPECT_EQ(0, wrong) << "clip " << c.clip.left << "," << c.clip.top << " ratio " << c.ratio;
            EXPECT_GE(picture->GetSrc_x(), 0);
            EXPECT_GE(picture->GetSrc_y(), 0);
            EXPECT_LE(picture->GetSrc_x() + picture->GetSrc_width(), picture->GetWidth());
            EXPECT_LE(picture->GetSrc_y() + picture->GetSrc_height(), picture->GetHeight());
        }
    }
}

TEST_F(ImgDetailViewTest, ACentredPictureRepaintsAnUncoveredPart)
{
    Open(400, 300);
    ImagePtr img = opstest::MakeUniform(100, 80, RGB(10, 200, 10));
    Show(img.get(), 1000);
    {
        CClientDC dc(view);
        dc.FillSolidRect(CRect(0, 0, 400, 300), RGB(0, 0, 0));
    }
    view->InvalidateRect(CRect(160, 120, 240, 180), TRUE);
    view->UpdateWindow();
    WindowImage shot = Capture();
    EXPECT_EQ(RGB(10, 200, 10), shot.At(160, 120));
    EXPECT_EQ(RGB(10, 200, 10), shot.At(239, 179));
}

TEST_F(ImgDetailViewTest, ActivationFollowsTheClickFlagAndDestroyClearsTheMainWindowsView)
{
    CWinApp app("뷰 테스트");
    CFrameWnd* frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 200)));
    app.m_pMainWnd = frame;
    auto* first = new CNavigatedView;
    auto* second = new CNavigatedView;
    ASSERT_TRUE(first->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), frame, 1));
    ASSERT_TRUE(second->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(100, 0, 200, 100), frame, 2));
    PumpUntilIdle();

    second->m_bActivateOnClick = FALSE;
    EXPECT_EQ(MA_ACTIVATE, second->SendMessage(WM_MOUSEACTIVATE, (WPARAM)frame->m_hWnd,
                                               MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)));
    EXPECT_EQ(nullptr, frame->GetActiveView());

    int navigations = first->navigations;
    first->SendMessage(WM_MOUSEACTIVATE, (WPARAM)frame->m_hWnd, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_EQ(first, frame->GetActiveView());
    EXPECT_GT(first->navigations, navigations) << "activation notifies";

    frame->SetActiveView(second);
    first->DestroyWindow();
    EXPECT_EQ(nullptr, frame->GetActiveView()) << "the main window's active view goes with any such view";
    frame->DestroyWindow();
    app.m_pMainWnd = nullptr;
    DiscardQuitRequest();
}
