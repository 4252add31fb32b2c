// Colour arithmetic of the menus: lightening and darkening truncate toward zero.
#include "controls/VXMenu.h"

#include <gtest/gtest.h>

namespace {

struct ColourCase {
    const char* name;
    bool lighten;
    COLORREF in;
    double factor;
    COLORREF out;
};

const ColourCase kColourCases[] = {
    {"black lightened by 0.3", true, RGB(0, 0, 0), 0.3, RGB(76, 76, 76)},
    {"grey 128 lightened by 0.25", true, RGB(128, 128, 128), 0.25, RGB(159, 159, 159)},
    {"lightened by 1.0 is white", true, RGB(12, 200, 99), 1.0, RGB(255, 255, 255)},
    {"factor 0 changes nothing", true, RGB(12, 200, 99), 0.0, RGB(12, 200, 99)},
    {"factor 1.5 changes nothing", true, RGB(12, 200, 99), 1.5, RGB(12, 200, 99)},
    {"negative factor changes nothing", true, RGB(12, 200, 99), -0.5, RGB(12, 200, 99)},
    {"channels apart", true, RGB(255, 0, 100), 0.5, RGB(255, 127, 177)},
    {"white darkened by 0.02", false, RGB(255, 255, 255), 0.02, RGB(249, 249, 249)},
    {"darkened by 1.0 is black", false, RGB(40, 80, 120), 1.0, RGB(0, 0, 0)},
    {"darkening by 1.5 changes nothing", false, RGB(40, 80, 120), 1.5, RGB(40, 80, 120)},
};

TEST(VXMenuColours, LightenAndDarkenTruncate)
{
    for (const ColourCase& c : kColourCases) {
        COLORREF got = c.lighten ? CVXMenu::LightenColor(c.in, c.factor) : CVXMenu::DarkenColor(c.in, c.factor);
        EXPECT_EQ(c.out, got) << c.name;
    }
}

TEST(VXMenuColours, BitmapColourCountFromTheHeader)
{
    struct {
        WORD bits;
        DWORD used;
        int colours;
    } cases[] = {{1, 0, 2}, {4, 0, 16}, {8, 0, 256}, {8, 20, 20}, {24, 0, 0}, {32, 0, 0}};
    for (const auto& c : cases) {
        BITMAPINFOHEADER header = {};
        header.biSize = sizeof(header);
        header.biBitCount = c.bits;
        header.biClrUsed = c.used;
        EXPECT_EQ(c.colours, CVXMenu::NumBitmapColors(&header)) << c.bits << " bits, " << c.used << " used";
    }
    EXPECT_EQ(0, CVXMenu::NumBitmapColors(nullptr));
}

}  // namespace
