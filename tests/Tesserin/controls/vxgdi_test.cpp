// The rounded frame, pixel by pixel: its corners stay open and a fill of
// 0xFFFFFFFF leaves the inside untouched.
#include <gtest/gtest.h>

#include "controls/VXGDI.h"

#include <string>
#include <vector>

namespace {

const COLORREF kPaper = RGB(255, 255, 255), kBorder = RGB(10, 20, 200), kFill = RGB(250, 200, 0);

// The 8 x 7 frame at (1, 1) in an 11 x 9 sheet, one character per pixel.
std::vector<std::string> Draw(COLORREF fill, bool* penKept)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateBitmap(11, 9, 1, 32, nullptr);
    dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, 11, 9, kPaper);
    HGDIOBJ pen = ::GetCurrentObject(dc, OBJ_PEN);
    CRect frame(1, 1, 9, 8);
    CVXGDI::VXRoundRect(&dc, &frame, kBorder, fill);
    *penKept = pen == ::GetCurrentObject(dc, OBJ_PEN);
    std::vector<std::string> rows;
    for (int y = 0; y < 9; ++y) {
        std::string row;
        for (int x = 0; x < 11; ++x) {
            COLORREF c = dc.GetPixel(x, y);
            row += c == kBorder ? 'B' : c == kFill ? 'F' : c == kPaper ? '.' : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

}  // namespace

TEST(VXRoundRect, FilledFrameLeavesTheOuterCornersOpen)
{
    bool penKept = false;
    std::vector<std::string> expected = {
        "...........",
        "....BB.....",
        "..BBFFBB...",
        "..BFFFFB...",
        ".BFFFFFFB..",
        "..BFFFFB...",
        "..BBFFBB...",
        "....BB.....",
        "...........",
    };
    EXPECT_EQ(expected, Draw(kFill, &penKept));
    EXPECT_TRUE(penKept);
}

TEST(VXRoundRect, NoFillDrawsTheFrameOnly)
{
    bool penKept = false;
    std::vector<std::string> expected = {
        "...........",
        "....BB.....",
        "..BB..BB...",
        "..B....B...",
        ".B......B..",
        "..B....B...",
        "..BB..BB...",
        "....BB.....",
        "...........",
    };
    EXPECT_EQ(expected, Draw(CVXGDI::kNoFill, &penKept));
    EXPECT_TRUE(penKept);
}
