// The shade button's textures: palette, noise, every style at awkward sizes,
// and the hover texture shifted while pressed.
#include <gtest/gtest.h>

#include "ControlHost.h"
#include "controls/ShadeButton.h"
#include "controls/ShadeTexture.h"
#include "support/InputSynth.h"
#include "support/MessageLoop.h"
#include "support/WindowCapture.h"
#include "mivo/random.h"

#include <set>
#include <vector>

using controlstest::ControlHost;

namespace {

std::vector<BYTE> Render(UINT style, BYTE granularity, DWORD w, DWORD h, unsigned seed = 7)
{
    CxDib dib;
    EXPECT_NE(dib.Create(w, h, 8), nullptr);
    mivo::SRand15(seed);
    RenderShadeStyle(dib, style, granularity);
    std::vector<BYTE> pixels;
    for (DWORD y = 0; y < h; ++y)
        for (DWORD x = 0; x < w; ++x)
            pixels.push_back(dib.GetPixelIndex((long)x, (long)y));
    return pixels;
}

COLORREF Entry(const CxDib& dib, int i)
{
    RGBQUAD q = dib.GetPaletteIndex((BYTE)i);
    return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
}

class ShowingShadeButton : public CShadeButton {
public:
    COLORREF HighlightAt(long x, long y) const
    {
        RGBQUAD q = m_dHighlight.GetPixelColor(x, y);
        return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
    }
    COLORREF NormalAt(long x, long y) const
    {
        RGBQUAD q = m_dNormal.GetPixelColor(x, y);
        return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
    }
};

}  // namespace

TEST(ShadeTexture, PaletteRunsFromShadowThroughFaceToHighlight)
{
    CxDib dib;
    ASSERT_NE(dib.Create(4, 4, 8), nullptr);
    const COLORREF shadow = RGB(128, 64, 0), face = RGB(192, 192, 192), highlight = RGB(255, 255, 255);
    BuildShadePalette(dib, shadow, face, highlight);
    EXPECT_EQ(Entry(dib, 0), shadow);
    EXPECT_EQ(Entry(dib, 127), RGB((128 + 192 * 127) / 128, (64 + 192 * 127) / 128, (192 * 127) / 128));
    EXPECT_EQ(Entry(dib, 128), RGB((192 * 127 + 255) / 128, (192 * 127 + 255) / 128, (192 * 127 + 255) / 128));
    EXPECT_EQ(Entry(dib, 255), highlight);
}

TEST(ShadeTexture, GranularityZeroAddsNoiseOfZeroOrOne)
{
    std::vector<BYTE> pixels = Render(0, 0, 64, 64);
    std::set<BYTE> values(pixels.begin(), pixels.end());
    for (BYTE v : values)
        EXPECT_TRUE(v == 128 || v == 129) << int(v);
}

TEST(ShadeTexture, StylesNineAndAboveDrawAsStyleZero)
{
    EXPECT_EQ(Render(9, 8, 30, 20), Render(0, 8, 30, 20));
    EXPECT_EQ(Render(200, 8, 30, 20), Render(0, 8, 30, 20));
}

TEST(ShadeTexture, GradientsRunTheWayTheirNamesSay)
{
    std::vector<BYTE> vertical = Render(2, 0, 10, 100);
    EXPECT_LT(vertical[99 * 10], vertical[0]) << "light at the top, dark at the bottom";
    std::vector<BYTE> horizontal = Render(3, 0, 100, 10);
    EXPECT_GT(horizontal[0], horizontal[99]) << "light at the left";
}

TEST(ShadeTexture, EveryStyleSurvivesTinyAndHugeSizes)
{
    struct Size {
        DWORD w, h;
    };
    const Size sizes[] = {{1, 1}, {5, 1}, {1, 5}, {5, 5}, {40000, 1}, {1, 40000}};
    for (UINT style = 0; style <= 9; ++style)
        for (const Size& s : sizes)
            for (BYTE g : {0, 8, 200}) {
                SCOPED_TRACE(testing::Message() << "style " << style << " " << s.w << "x" << s.h << " g " << int(g));
                EXPECT_EQ(Render(style, g, s.w, s.h).size(), (size_t)s.w * s.h);
            }
}

TEST(ShadeButton, ColoringTintsThePaletteAndHoverWhilePressedShiftsByOne)
{
    ControlHost host;
    ShowingShadeButton button;
    HWND h = ::CreateWindow("Button", "", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20, 20, 60, 30, host.wnd()->m_hWnd,
                            (HMENU)7, nullptr, nullptr);
    button.SubclassWindow(h);
    button.SetShade(CShadeButton::SHS_DIAGSHADE, 0, 30, 100, RGB(0, 128, 255));
    EXPECT_EQ(button.NormalAt(10, 10), RGB(0, 128, 255)) << "coloring 100 turns every entry into the colour";

    button.SetShade(CShadeButton::SHS_HSHADE, 0, 30, 0, 0);
    mivo::test::PumpUntilIdle();
    mivo::test::WindowImage normal = mivo::test::CaptureWindow(h, true);
    EXPECT_EQ(normal.At(20, 10), button.NormalAt(20, 10));

    mivo::test::MouseMove(h, 30, 15);
    mivo::test::MouseDown(h, 30, 15);
    mivo::test::PumpUntilIdle();
    mivo::test::WindowImage pressed = mivo::test::CaptureWindow(h, true);
    EXPECT_EQ(pressed.At(21, 11), button.HighlightAt(20, 10)) << "the hover texture one pixel right and down";
    EXPECT_NE(button.HighlightAt(20, 10), button.NormalAt(20, 10));
    mivo::test::MouseUp(h, 30, 15);
    mivo::test::PumpUntilIdle();
}
