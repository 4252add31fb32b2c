// The grid's off-screen DC: drawing in the target's coordinates reaches the
// target only inside its clip box, and a printer is drawn on directly and
// left usable.
#include <gtest/gtest.h>

#include "controls/VXGridMemDC.h"

namespace {

const COLORREF kPaper = RGB(255, 255, 255), kInk = RGB(0, 128, 64);

// A 60 x 40 white memory DC standing for a window or a printer.
struct Target {
    CDC dc;
    CBitmap bitmap;
    Target()
    {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateBitmap(60, 40, 1, 32, nullptr);
        dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, 60, 40, kPaper);
    }
};

}  // namespace

TEST(VXGridMemDC, CopiesOnlyTheClipBoxAtTheEnd)
{
    Target target;
    target.dc.IntersectClipRect(10, 5, 30, 25);
    {
        CVXGridMemDC memory(&target.dc);
        memory.FillSolidRect(0, 0, 60, 40, kInk);
        memory.SetPixel(12, 7, RGB(1, 2, 3));
        EXPECT_EQ(kPaper, target.dc.GetPixel(15, 15)) << "drawn before the end";
    }
    target.dc.SelectClipRgn(nullptr);
    EXPECT_EQ(RGB(1, 2, 3), target.dc.GetPixel(12, 7));
    EXPECT_EQ(kInk, target.dc.GetPixel(10, 5));
    EXPECT_EQ(kInk, target.dc.GetPixel(29, 24));
    EXPECT_EQ(kPaper, target.dc.GetPixel(30, 24));
    EXPECT_EQ(kPaper, target.dc.GetPixel(9, 5));
    EXPECT_EQ(kPaper, target.dc.GetPixel(10, 25));
}

TEST(VXGridMemDC, EmptyClipBoxChangesNothing)
{
    Target target;
    target.dc.IntersectClipRect(5, 5, 5, 5);
    {
        CVXGridMemDC memory(&target.dc);
        memory.FillSolidRect(0, 0, 60, 40, kInk);
    }
    target.dc.SelectClipRgn(nullptr);
    for (POINT p : {POINT{0, 0}, POINT{5, 5}, POINT{59, 39}})
        EXPECT_EQ(kPaper, target.dc.GetPixel(p.x, p.y));
}

TEST(VXGridMemDC, PrinterIsDrawnOnDirectlyAndStaysUsable)
{
    Target printer;
    printer.dc.m_bPrinting = TRUE;
    HDC handle = printer.dc.m_hDC;
    {
        CVXGridMemDC memory(&printer.dc);
        EXPECT_TRUE(memory.IsPrinting());
        EXPECT_EQ(handle, memory.m_hDC);
        memory.FillSolidRect(0, 0, 4, 4, kInk);
        EXPECT_EQ(kInk, printer.dc.GetPixel(2, 2));
    }
    EXPECT_EQ(handle, printer.dc.m_hDC);
    EXPECT_NE(0u, ::GetObjectType((HGDIOBJ)handle));
    printer.dc.FillSolidRect(10, 10, 2, 2, kInk);
    EXPECT_EQ(kInk, printer.dc.GetPixel(11, 11));
}
