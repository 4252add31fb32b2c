// Loading a menu resource into a tree of owner-drawn menus.
#include "MenuResources.h"
#include "MenuTestSupport.h"
#include "support/MenuTemplateBuilder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using mivo::test::Item;
using mivo::test::Popup;
using mivo::test::Separator;

const WORD kNestedMenu = 7801;
const WORD kAcceleratorMenu = 7802;
const WORD kDamagedMenu = 7803;

std::vector<BYTE> NestedTemplate()
{
    return mivo::test::BuildMenuTemplate(
        {Popup(u"파일(&F)", {Item(u"열기(&O)", 101), Separator(),
                             Popup(u"내보내기(&E)", {Item(u"JPEG", 111), Popup(u"고급", {Item(u"품질", 121)})})}),
         Popup(u"편집(&E)", {Item(u"복사(&C)", 201)})});
}

class VXMenuLoad : public ::testing::Test {
protected:
    void SetUp() override
    {
        menutest::ResetMenuSettings(1);
        m_resources.Add(4, kNestedMenu, NestedTemplate());
        m_resources.Add(4, kAcceleratorMenu,
                        mivo::test::BuildMenuTemplate({Popup(
                            u"파일", {Item(u"Open\tCtrl+O", 1), Item(u"Properties\tAlt+Enter", 2), Item(u"Exit", 3)})}));
        m_resources.Add(4, kDamagedMenu, menutest::Truncated(NestedTemplate(), 7));
        m_resources.Register();
    }
    menutest::Resources m_resources{"vxmenuload_test"};
};

UINT ItemType(HMENU menu, int position)
{
    MENUITEMINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    ::GetMenuItemInfo(menu, (UINT)position, TRUE, &info);
    return info.fType;
}

CVXMenu* SubOf(CMenu* menu, int position)
{
    return dynamic_cast<CVXMenu*>(menu->GetSubMenu(position));
}

TEST_F(VXMenuLoad, NestedPopupsBecomeAMenuTree)
{
    INT_PTR before = CVXMenu::m_AllSubMenus.GetSize();
    CVXMenu menu;
    ASSERT_TRUE(menu.LoadMenu(kNestedMenu));
    CVXMenu* file = SubOf(&menu, 0);
    ASSERT_NE(nullptr, file);
    CVXMenu* exportMenu = SubOf(file, 2);
    ASSERT_NE(nullptr, exportMenu);
    CVXMenu* advanced = SubOf(exportMenu, 1);
    ASSERT_NE(nullptr, advanced);
    EXPECT_EQ(121u, advanced->GetMenuItemID(0));
    for (CVXMenu* popup : {file, exportMenu, advanced, SubOf(&menu, 1)})
        EXPECT_TRUE(CVXMenu::IsMenu(popup)) << "every popup is known";
    EXPECT_FALSE(CVXMenu::IsMenu(&menu)) << "the menu bar is not";
    EXPECT_EQ(before + 4, CVXMenu::m_AllSubMenus.GetSize());

    // The bar keeps plain strings; the popups are drawn by the class.
    CString text;
    menu.CMenu::GetMenuString(0, text, MF_BYPOSITION);
    EXPECT_EQ(CString("파일(&F)"), text);
    EXPECT_FALSE(ItemType(menu.m_hMenu, 0) & MFT_OWNERDRAW);
    EXPECT_TRUE(ItemType(file->m_hMenu, 0) & MFT_OWNERDRAW);
    EXPECT_TRUE(ItemType(file->m_hMenu, 2) & MFT_OWNERDRAW) << "a nested popup's own item";
    EXPECT_TRUE(file->GetMenuState(1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_TRUE(file->GetMenuText(0, text, MF_BYPOSITION));
    EXPECT_EQ(CString("열기(&O)"), text);
    EXPECT_TRUE(menu.GetMenuText(121, text, MF_BYCOMMAND)) << "by command, found in the tree";
    EXPECT_EQ(CString("품질"), text);
    EXPECT_EQ(file, menu.GetSubMenu("파일(&F)"));
    EXPECT_EQ(nullptr, menu.GetSubMenu("없음"));
    EXPECT_EQ(exportMenu, menu.GetSubCVXMenuA("내보내기(&E)"));
}

TEST_F(VXMenuLoad, DestroyingForgetsEveryHandle)
{
    INT_PTR before = CVXMenu::m_AllSubMenus.GetSize();
    std::vector<HMENU> handles;
    {
        CVXMenu menu;
        ASSERT_TRUE(menu.LoadMenu(kNestedMenu));
        for (INT_PTR i = before; i < CVXMenu::m_AllSubMenus.GetSize(); ++i)
            handles.push_back(CVXMenu::m_AllSubMenus[i]);
        ASSERT_TRUE(menu.LoadMenu(kNestedMenu)) << "loading again replaces the tree";
        EXPECT_EQ(before + 4, CVXMenu::m_AllSubMenus.GetSize());
    }
    EXPECT_EQ(before, CVXMenu::m_AllSubMenus.GetSize());
    for (HMENU h : handles)
        EXPECT_FALSE(CVXMenu::IsMenu(h));
}

TEST_F(VXMenuLoad, MissingResourceFails)
{
    CVXMenu menu;
    EXPECT_FALSE(menu.LoadMenu(7899));
    EXPECT_FALSE(menu.LoadMenuA("NO_SUCH_MENU"));
}

TEST_F(VXMenuLoad, TemplateCutShortStopsAtItsEnd)
{
    CVXMenu menu;
    EXPECT_FALSE(menu.LoadMenu(kDamagedMenu)) << "a damaged template is reported";
    ASSERT_NE(nullptr, menu.m_hMenu);
    CVXMenu* file = SubOf(&menu, 0);
    ASSERT_NE(nullptr, file) << "what was read stays usable";
    EXPECT_EQ(101u, file->GetMenuItemID(0));
}

TEST(VXMenuLoadDamaged, EveryCutOfATemplateIsReportedAndSafe)
{
    std::vector<BYTE> whole = NestedTemplate();
    // Cut at every length, and an offset that points past the end.
    std::vector<std::vector<BYTE>> damaged;
    for (size_t cut = 1; cut <= whole.size(); ++cut)
        damaged.push_back(menutest::Truncated(whole, cut));
    std::vector<BYTE> farOffset = whole;
    farOffset[2] = 0xF0;
    damaged.push_back(farOffset);
    for (size_t i = 0; i < damaged.size(); ++i) {
        menutest::Resources resources("vxmenuload_damaged");
        resources.Add(4, 7804, damaged[i]);
        resources.Register();
        CVXMenu menu;
        EXPECT_FALSE(menu.LoadMenu(7804)) << "case " << i;
    }
}

TEST_F(VXMenuLoad, AcceleratorTextsAreSpacedToOneColumn)
{
    CVXMenu menu;
    ASSERT_TRUE(menu.LoadMenu(kAcceleratorMenu));
    CVXMenu* file = SubOf(&menu, 0);
    ASSERT_NE(nullptr, file);
    int widest = std::max({menutest::MenuTextWidth(u"Open "), menutest::MenuTextWidth(u"Properties "),
                           menutest::MenuTextWidth(u"Exit ")});
    for (int i = 0; i < 2; ++i) {
        std::u16string text(file->GetRecord(i)->GetWideString());
        size_t tab = text.find(u'\t');
        ASSERT_NE(std::u16string::npos, tab);
        EXPECT_GE(menutest::MenuTextWidth(text.substr(0, tab).c_str()), widest) << i;
    }
    EXPECT_EQ(std::u16string(u"Exit"), file->GetRecord(2)->GetWideString()) << "no tab, no padding";

    // Drawn, both accelerators end at the same x.
    for (UINT mode : {1u, 0u}) {
        menutest::ResetMenuSettings(mode);
        menutest::Canvas canvas(240, 44, RGB(255, 255, 255));
        menutest::DrawMenuItem(*file, 0, 0, canvas, RECT{0, 0, 240, 22});
        menutest::DrawMenuItem(*file, 1, 0, canvas, RECT{0, 22, 240, 44});
        int open = canvas.RightmostInk(RECT{120, 2, 238, 20});
        int properties = canvas.RightmostInk(RECT{120, 24, 238, 42});
        EXPECT_GT(open, 200) << "mode " << mode;
        EXPECT_NEAR(open, properties, 2) << "mode " << mode;
        EXPECT_LT(open, 240 - 16) << "the accelerator ends an image width left of the edge";
    }
}

}  // namespace
