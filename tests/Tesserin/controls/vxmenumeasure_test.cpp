// Item sizes of the two looks.
#include "MenuTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using menutest::MeasureMenuItem;
using menutest::MenuTextWidth;

class VXMenuMeasure : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_menu.CreatePopupMenu());
        m_menu.AppendODMenuW(u"사진 열기(&O)", MF_OWNERDRAW, 10);
        m_menu.AppendODMenuW(nullptr, MF_OWNERDRAW, 0);
    }
    void TearDown() override { menutest::ResetMenuSettings(1); }
    CVXMenu m_menu;
};

TEST_F(VXMenuMeasure, XPLookItems)
{
    menutest::ResetMenuSettings(1);
    MEASUREITEMSTRUCT item = MeasureMenuItem(m_menu, 0);
    EXPECT_EQ((UINT)std::max(::GetSystemMetrics(SM_CYMENU), 22), item.itemHeight);
    EXPECT_EQ((UINT)(16 + MenuTextWidth(u"사진 열기(&O)") + 7 + 8), item.itemWidth);
    MEASUREITEMSTRUCT separator = MeasureMenuItem(m_menu, 1);
    EXPECT_EQ(3u, separator.itemHeight);
    EXPECT_EQ(0u, separator.itemWidth);
}

TEST_F(VXMenuMeasure, XPLookWithoutVariantsPadsLess)
{
    menutest::ResetMenuSettings(1);
    CVXMenu::SetXPBitmap3D(FALSE);
    MEASUREITEMSTRUCT item = MeasureMenuItem(m_menu, 0);
    EXPECT_EQ((UINT)(16 + MenuTextWidth(u"사진 열기(&O)") + 4 + 8), item.itemWidth);
    EXPECT_EQ((UINT)std::max(::GetSystemMetrics(SM_CYMENU), 19), item.itemHeight);
}

TEST_F(VXMenuMeasure, ClassicLookItems)
{
    menutest::ResetMenuSettings(0);
    MEASUREITEMSTRUCT item = MeasureMenuItem(m_menu, 0);
    EXPECT_EQ((UINT)(MenuTextWidth(u"사진 열기(&O)") + 33), item.itemWidth);
    EXPECT_EQ((UINT)std::max(::GetSystemMetrics(SM_CYMENU), 19), item.itemHeight);
    MEASUREITEMSTRUCT separator = MeasureMenuItem(m_menu, 1);
    EXPECT_EQ((UINT)std::max(::GetSystemMetrics(SM_CYMENU) >> 1, 9), separator.itemHeight);
}

}  // namespace
