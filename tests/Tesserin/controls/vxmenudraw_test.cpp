// Pixels of owner-drawn items in the two looks, drawn into memory.
#include "MenuResources.h"
#include "MenuTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using menutest::Canvas;

const COLORREF kRed = RGB(220, 30, 30);
const COLORREF kSelectionFill = RGB(191, 210, 232);
const COLORREF kSelectionBorder = RGB(58, 110, 165);
const WORD kToolbar = 7951, kUnselectedMark = 7952, kSelectedMark = 7953;
enum Item { kImage = 0, kText = 1, kSeparator = 2, kRadio = 3 };

COLORREF Sys(int index)
{
    return ::GetSysColor(index);
}

struct Probe {
    int x, y;
    std::function<COLORREF()> colour;
    bool equal = true;  // false: the pixel must not have that colour
};

struct DrawCase {
    const char* name;
    UINT look;
    Item item;
    UINT state;
    std::vector<Probe> probes;
};

class VXMenuDraw : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_resources.Add(241, kToolbar, menutest::ToolbarData({101}));
        m_resources.Add(2, kToolbar, menutest::StripBitmap({kRed}, 24));
        m_resources.Add(2, kUnselectedMark, menutest::StripBitmap({RGB(20, 40, 200)}, 24));
        m_resources.Add(2, kSelectedMark, menutest::StripBitmap({RGB(20, 200, 40)}, 24));
        m_resources.Register();
    }
    void TearDown() override { menutest::ResetMenuSettings(1); }

    // A fresh menu in the given look: image item, text item, separator, radio item.
    void Build(CVXMenu& menu, UINT look)
    {
        menutest::ResetMenuSettings(look);
        ASSERT_TRUE(menu.CreatePopupMenu());
        menu.AppendODMenuA("열기\tCtrl+O", MF_OWNERDRAW, 101);
        menu.AppendODMenuA("글자", MF_OWNERDRAW, 201);
        menu.AppendODMenuA(nullptr, MF_OWNERDRAW, 0);
        menu.AppendODMenuA("라디오", MF_OWNERDRAW, 202);
        ASSERT_TRUE(menu.LoadToolbar(kToolbar));
        CCmdUI radio;
        radio.m_pMenu = &menu;
        radio.m_nIndex = kRadio;
        radio.m_nID = 202;
        radio.SetRadio(TRUE);
    }

    void Run(const DrawCase& c)
    {
        CVXMenu menu;
        Build(menu, c.look);
        RECT rect = c.item == kSeparator ? RECT{0, 0, 200, 9} : RECT{0, 0, 200, 22};
        Canvas canvas(200, 22);
        menutest::DrawMenuItem(menu, c.item, c.state, canvas, rect);
        for (const Probe& p : c.probes) {
            if (p.equal)
                EXPECT_EQ(p.colour(), canvas.At(p.x, p.y)) << c.name << " at " << p.x << "," << p.y;
            else
                EXPECT_NE(p.colour(), canvas.At(p.x, p.y)) << c.name << " at " << p.x << "," << p.y;
        }
    }
    menutest::Resources m_resources{"vxmenudraw_test"};
};

COLORREF Bar()
{
    return Sys(COLOR_3DFACE);  // the XP theme's bar is the face colour
}
COLORREF XPBackground()
{
    return CVXMenu::DarkenColor(Sys(COLOR_WINDOW), 0.02);
}
COLORREF Ink()
{
    return Sys(COLOR_MENUTEXT);
}

TEST_F(VXMenuDraw, ThemeOfTheTests)
{
    EXPECT_TRUE(CVXMenu::IsWinXPLuna()) << "the layer answers Windows XP with its own theme";
    EXPECT_TRUE(CVXMenu::IsNewShell());
}

TEST_F(VXMenuDraw, XPLook)
{
    auto lightChecked = [] { return CVXMenu::LightenColor(kSelectionBorder, 0.85); };
    const DrawCase cases[] = {
        {"plain", 1, kText, 0,
         {{5, 10, Bar}, {22, 10, Bar}, {23, 10, XPBackground}, {195, 10, XPBackground}}},
        {"selected", 1, kText, ODS_SELECTED,
         {{0, 0, [] { return kSelectionBorder; }}, {199, 21, [] { return kSelectionBorder; }},
          {5, 10, [] { return kSelectionFill; }}, {195, 10, [] { return kSelectionFill; }}}},
        {"disabled is never boxed", 1, kText, ODS_SELECTED | ODS_GRAYED,
         {{0, 0, Bar}, {195, 10, XPBackground}}},
        {"checked without image", 1, kText, ODS_CHECKED,
         {{1, 1, [] { return kSelectionBorder; }}, {2, 2, lightChecked}, {8, 10, Ink}, {8, 11, Ink},
          {8, 12, lightChecked}, {14, 9, Ink}, {14, 10, lightChecked}, {12, 12, lightChecked}}},
        {"checked and selected", 1, kText, ODS_CHECKED | ODS_SELECTED,
         {{0, 0, [] { return kSelectionBorder; }},
          {2, 2, [] { return CVXMenu::LightenColor(kSelectionBorder, 0.55); }}}},
        {"radio", 1, kRadio, ODS_CHECKED, {{12, 12, Ink}, {2, 2, lightChecked}}},
        {"image faded at rest", 1, kImage, 0,
         {{2, 2, Bar}, {11, 11, [] { return CVXMenu::LightenColor(kRed, 0.3); }}}},
        {"image lifted with its shadow", 1, kImage, ODS_SELECTED,
         {{2, 2, [] { return kSelectionFill; }}, {6, 6, [] { return kRed; }}, {17, 16, [] { return Sys(COLOR_BTNSHADOW); }}}},
        {"checked image in a box", 1, kImage, ODS_CHECKED,
         {{1, 1, [] { return kSelectionBorder; }}, {2, 2, lightChecked}, {6, 6, [] { return kRed; }}}},
        {"disabled image", 1, kImage, ODS_GRAYED,
         {{0, 0, Bar}, {11, 11, [] { return CVXMenu::LightenColor(Sys(COLOR_BTNSHADOW), 93 / 255.0); }}}},
        {"separator", 1, kSeparator, 0,
         {{5, 4, Bar}, {29, 4, XPBackground}, {40, 4, [] { return Sys(COLOR_BTNSHADOW); }},
          {40, 5, [] { return Sys(COLOR_BTNHIGHLIGHT); }}}},
    };
    for (const DrawCase& c : cases)
        Run(c);
}

TEST_F(VXMenuDraw, ClassicLook)
{
    auto face = [] { return Sys(COLOR_3DFACE); };
    auto lightFace = [] { return CVXMenu::LightenColor(Sys(COLOR_3DFACE), 0.6); };
    auto highlight = [] { return Sys(COLOR_HIGHLIGHT); };
    const DrawCase cases[] = {
        {"plain", 0, kText, 0, {{0, 0, face}, {195, 10, face}}},
        {"selected", 0, kText, ODS_SELECTED, {{0, 0, highlight}, {195, 10, highlight}}},
        {"disabled stays selectable", 0, kText, ODS_SELECTED | ODS_GRAYED, {{195, 10, highlight}}},
        {"checked box", 0, kText, ODS_CHECKED,
         {{1, 3, [] { return Sys(COLOR_BTNSHADOW); }}, {3, 5, lightFace}, {5, 9, Ink}, {5, 11, Ink},
          {5, 12, lightFace}, {11, 9, Ink}, {11, 10, Ink, false}}},
        {"checked box when selected", 0, kText, ODS_CHECKED | ODS_SELECTED, {{3, 5, face}, {22, 10, highlight}}},
        {"radio", 0, kRadio, ODS_CHECKED, {{11, 10, Ink}}},
        {"checked image sunken", 0, kImage, ODS_CHECKED,
         {{0, 1, [] { return Sys(COLOR_BTNSHADOW); }}, {3, 4, lightFace}, {9, 10, [] { return kRed; }}}},
        {"selected image raised", 0, kImage, ODS_SELECTED,
         {{0, 1, [] { return Sys(COLOR_BTNHIGHLIGHT); }}, {9, 10, [] { return kRed; }}, {22, 10, highlight}}},
        {"separator", 0, kSeparator, 0, {{5, 4, [] { return Sys(COLOR_BTNSHADOW); }}, {5, 2, face}}},
    };
    for (const DrawCase& c : cases)
        Run(c);
}

TEST_F(VXMenuDraw, ClassicDisabledTextIsEmbossed)
{
    CVXMenu menu;
    Build(menu, 0);
    Canvas canvas(200, 22);
    menutest::DrawMenuItem(menu, kText, ODS_GRAYED, canvas, RECT{0, 0, 200, 22});
    RECT text{25, 0, 120, 22};
    EXPECT_TRUE(canvas.Holds(text, Sys(COLOR_BTNHIGHLIGHT)));
    EXPECT_TRUE(canvas.Holds(text, Sys(COLOR_GRAYTEXT)));
    EXPECT_FALSE(canvas.Holds(text, Ink()));
}

TEST_F(VXMenuDraw, DisabledXPItemIsCopiedToItsOwnRectangle)
{
    CVXMenu menu;
    Build(menu, 1);
    Canvas canvas(200, 66);
    menutest::DrawMenuItem(menu, kImage, ODS_GRAYED, canvas, RECT{0, 22, 200, 44});
    EXPECT_EQ(Bar(), canvas.At(2, 30));
    EXPECT_EQ(XPBackground(), canvas.At(195, 30));
    EXPECT_EQ(RGB(1, 2, 3), canvas.At(100, 21)) << "nothing above";
    EXPECT_EQ(RGB(1, 2, 3), canvas.At(100, 44)) << "nothing below";
    EXPECT_TRUE(canvas.Holds(RECT{31, 22, 120, 44}, Sys(COLOR_GRAYTEXT))) << "text in the menu font, greyed";
}

TEST_F(VXMenuDraw, RadioItemsCarryACheckedStateBitmap)
{
    CVXMenu menu;
    Build(menu, 1);
    MENUITEMINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_CHECKMARKS | MIIM_STATE;
    ASSERT_TRUE(::GetMenuItemInfo(menu.m_hMenu, 202, FALSE, &info));
    EXPECT_NE(nullptr, info.hbmpChecked);
    EXPECT_TRUE(info.fState & MFS_CHECKED);
    ASSERT_TRUE(::GetMenuItemInfo(menu.m_hMenu, 201, FALSE, &info));
    EXPECT_EQ(nullptr, info.hbmpChecked);
}

TEST_F(VXMenuDraw, CheckMarkImagesStandInForTheCheck)
{
    for (UINT look : {1u, 0u}) {
        CVXMenu menu;
        Build(menu, look);
        ASSERT_TRUE(menu.LoadCheckmarkBitmap(kUnselectedMark, kSelectedMark));
        EXPECT_FALSE(menu.LoadCheckmarkBitmap(0, kSelectedMark)) << "both ids are needed";
        for (UINT state : {(UINT)ODS_CHECKED, (UINT)(ODS_CHECKED | ODS_SELECTED)}) {
            Canvas canvas(200, 22);
            menutest::DrawMenuItem(menu, kText, state, canvas, RECT{0, 0, 200, 22});
            COLORREF mark = (state & ODS_SELECTED) ? RGB(20, 200, 40) : RGB(20, 40, 200);
            POINT centre = look == 1 ? POINT{4 + 7, 4 + 7} : POINT{2 + 7, 3 + 7};
            EXPECT_EQ(mark, canvas.At(centre.x, centre.y)) << "look " << look << " state " << state;
        }
    }
}

struct GreyCase {
    const char* name;
    bool oldStyle;
    bool hicolor;
    COLORREF inside;  // where the image's red square was
};

TEST_F(VXMenuDraw, ClassicDisabledImagesInEachGreying)
{
    COLORREF shadow = Sys(COLOR_3DSHADOW);
    const GreyCase cases[] = {
        {"old style", true, false, shadow},
        {"mask", false, false, shadow},
        {"high colour", false, true, CVXMenu::LightenColor(Sys(COLOR_BTNSHADOW), 93 / 255.0)},
    };
    for (const GreyCase& c : cases) {
        CVXMenu menu;
        Build(menu, 0);
        CVXMenu::hicolor_bitmaps = c.hicolor;
        if (c.oldStyle)
            menu.SetDisableOldStyle();
        Canvas canvas(200, 22);
        menutest::DrawMenuItem(menu, kImage, ODS_GRAYED, canvas, RECT{0, 0, 200, 22});
        EXPECT_EQ(c.inside, canvas.At(9, 10)) << c.name;
        EXPECT_EQ(Sys(COLOR_3DFACE), canvas.At(3, 4)) << c.name << ": the image's background stays";
    }
}

}  // namespace
