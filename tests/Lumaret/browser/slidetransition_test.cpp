// Slide transitions: the rectangles every effect copies, the dissolve covering the picture, a
// stop between steps, and the window ending up showing exactly the composed picture.
#include <gtest/gtest.h>

#include "mfc.h"

#include "browser/SlideTransition.h"
#include "image/ImageObject.h"
#include "support/GeometryPrinters.h"

#include <memory>
#include <vector>

namespace {

// Records the copies, grouped into steps by the pauses that follow them.
class Recorder : public CSlideTransition::Sink {
public:
    void Copy(const CRect& rect) override
    {
        current.push_back(rect);
        copies++;
        if (stopAfterCopies && copies == stopAfterCopies && stop)
            *stop = 1;
    }
    void Pause(int ms) override
    {
        steps.push_back(current);
        pauses.push_back(ms);
        current.clear();
    }

    std::vector<std::vector<CRect>> steps;
    std::vector<CRect> current;
    std::vector<int> pauses;
    int copies = 0;
    int stopAfterCopies = 0;
    std::atomic<int>* stop = nullptr;
};

CRect Col(int x, int w) { return CRect(x, 0, x + w, 150); }
CRect Row(int y, int h) { return CRect(0, y, 200, y + h); }

}  // namespace

TEST(SlideTransition, EachBandEffectCopiesItsBandsInOrderOn200By150)
{
    struct Case {
        int effect;
        size_t steps;
        std::vector<CRect> first, last;
    };
    const Case cases[] = {
        {1, 11, {Col(0, 20)}, {Col(200, 20)}},
        {2, 11, {Col(200, 20)}, {Col(0, 20)}},
        {3, 11, {Col(90, 10), Col(100, 10)}, {Col(-10, 10), Col(200, 10)}},
        {4, 11, {Col(-10, 10), Col(200, 10)}, {Col(90, 10), Col(100, 10)}},
        {5, 11, {Row(0, 15)}, {Row(150, 15)}},
        {6, 11, {Row(150, 15)}, {Row(0, 15)}},
        {7, 8, {Row(65, 10), Row(75, 10)}, {Row(-5, 10), Row(145, 10)}},
        {8, 8, {Row(-5, 10), Row(145, 10)}, {Row(65, 10), Row(75, 10)}},
        {10, 11, {Col(0, 20)}, {Col(200, 20)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("effect " + std::to_string(c.effect));
        Recorder recorder;
        std::atomic<int> stop{0};
        ASSERT_TRUE(CSlideTransition::Run(c.effect, 200, 150, stop, recorder));
        ASSERT_EQ(c.steps, recorder.steps.size());
        EXPECT_EQ(c.first, recorder.steps.front());
        EXPECT_EQ(c.last, recorder.steps.back());
        EXPECT_EQ(std::vector<int>(c.steps, 10), recorder.pauses);
    }
}

TEST(SlideTransition, TheDissolveCoversThePictureOneCellAtATime)
{
    Recorder recorder;
    std::atomic<int> stop{0};
    ASSERT_TRUE(CSlideTransition::Run(0, 200, 150, stop, recorder));
    EXPECT_EQ(CSlideTransition::kDissolveCols * CSlideTransition::kDissolveRows, recorder.copies);
    // A pause after the cells at column 40k + 1 and row 30k + 1 only.
    EXPECT_EQ(std::vector<int>(64, 1), recorder.pauses);
    std::vector<int> covered(200 * 150, 0);
    for (const std::vector<CRect>& step : recorder.steps)
        for (const CRect& r : step)
            ASSERT_EQ(CSize(1, 1), r.Size());
    std::vector<CRect> all = recorder.current;
    for (const std::vector<CRect>& step : recorder.steps)
        all.insert(all.end(), step.begin(), step.end());
    for (const CRect& r : all)
        for (int y = r.top; y < r.bottom; y++)
            for (int x = r.left; x < r.right; x++)
                if (x < 200 && y < 150)
                    covered[y * 200 + x] = 1;
    EXPECT_EQ(std::vector<int>(200 * 150, 1), covered);
}

TEST(SlideTransition, AStopEndsTheEffectBeforeItsNextStep)
{
    for (int effect : {0, 1, 4, 7}) {
        Recorder recorder;
        std::atomic<int> stop{0};
        recorder.stop = &stop;
        recorder.stopAfterCopies = 3;
        EXPECT_FALSE(CSlideTransition::Run(effect, 200, 150, stop, recorder)) << effect;
        EXPECT_LE(recorder.copies, 4) << effect;
    }
}

TEST(SlideTransition, TheWindowEndsWithTheComposedPictureCentredOnTheBackground)
{
    CDC screen;
    screen.CreateCompatibleDC(nullptr);
    CBitmap targetBitmap;
    ASSERT_TRUE(targetBitmap.CreateBitmap(260, 200, 1, 32, nullptr));
    CDC target;
    target.CreateCompatibleDC(nullptr);
    CBitmap* old = target.SelectObject(&targetBitmap);
    CImageObject maker;
    std::unique_ptr<CImageObject> picture(maker.MakeBlankImageObject(RGB(200, 40, 40), 80, 50));
    for (int effect : {0, 1, 3, 6, 8}) {
        SCOPED_TRACE("effect " + std::to_string(effect));
        target.FillSolidRect(0, 0, 260, 200, RGB(0, 255, 0));
        CSlideTransition transition(&target, 200, 150, RGB(10, 20, 30), picture.get());
        ASSERT_TRUE(transition.IsReady());
        std::atomic<int> stop{0};
        ASSERT_TRUE(transition.RevealOn(&target, CPoint(30, 20), effect, stop));
        for (int y = 0; y < 150; y += 7)
            for (int x = 0; x < 200; x += 7)
                ASSERT_EQ(transition.Picture().GetPixel(x, y), target.GetPixel(30 + x, 20 + y)) << x << "," << y;
        EXPECT_EQ(RGB(200, 40, 40), target.GetPixel(30 + 100, 20 + 75));
        EXPECT_EQ(RGB(10, 20, 30), target.GetPixel(30 + 10, 20 + 10));
        EXPECT_EQ(RGB(0, 255, 0), target.GetPixel(29, 19)) << "nothing lands outside the picture";
        EXPECT_EQ(RGB(0, 255, 0), target.GetPixel(235, 175));
    }
    target.SelectObject(old);
}
