// The look follows the desktop theme, tested once per process: each case runs
// in a child process with a registry file of its own.
#include "MenuTestSupport.h"
#include "support/SecondCopy.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char kThemeKey[] = "Software\\Microsoft\\Plus!\\Themes\\Current";

void WriteTheme(const char* theme)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegCreateKeyEx(HKEY_CURRENT_USER, kThemeKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr));
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueEx(key, nullptr, 0, REG_SZ, (const BYTE*)theme, (DWORD)std::strlen(theme) + 1));
    ::RegCloseKey(key);
}

COLORREF BarOfAnXPItem()
{
    CVXMenu menu;
    menu.CreatePopupMenu();
    menu.AppendODMenuA("항목", MF_OWNERDRAW, 1);
    menutest::Canvas canvas(120, 22);
    menutest::DrawMenuItem(menu, 0, 0, canvas, RECT{0, 0, 120, 22});
    return canvas.At(5, 10);
}

// The child: writes the theme (none when empty) and checks what the menus make of it.
TEST(VXMenuThemeChild, FollowsTheThemeInTheRegistry)
{
    const char* registry = std::getenv("MIVO_TEST_MENU_REGISTRY");
    const char* theme = std::getenv("MIVO_TEST_MENU_THEME");
    const char* classic = std::getenv("MIVO_TEST_MENU_CLASSIC");
    if (!registry || !theme || !classic)
        GTEST_SKIP() << "runs only as the child of the theme tests";
    setenv("MIVO_REGISTRY_FILE", registry, 1);
    if (*theme)
        WriteTheme(theme);
    bool expectClassic = classic[0] == '1';
    CVXMenu::original_drawmode = 2;
    CVXMenu::xp_drawmode = 1;
    EXPECT_EQ(expectClassic, (bool)CVXMenu::IsWindowsClassicTheme());
    EXPECT_EQ(!expectClassic, (bool)CVXMenu::IsWinXPLuna());
    EXPECT_EQ(expectClassic ? 2u : 1u, CVXMenu::GetMenuDrawMode());
    EXPECT_EQ(expectClassic ? FALSE : TRUE, CVXMenu::IsLunaMenuStyle());

    CVXMenu::original_drawmode = 1;
    COLORREF face = ::GetSysColor(COLOR_3DFACE);
    EXPECT_EQ(expectClassic ? CVXMenu::LightenColor(face, 0.25) : face, BarOfAnXPItem());
    if (*theme)
        WriteTheme("Luna.theme");
    EXPECT_EQ(expectClassic, (bool)CVXMenu::IsWindowsClassicTheme()) << "tested once, then remembered";
}

struct ThemeCase {
    const char* theme;
    bool classic;
};

TEST(VXMenuTheme, ClassicThemeByItsFileNameInAnyCase)
{
    const ThemeCase cases[] = {
        {"", false},
        {"C:\\WINDOWS\\Resources\\Themes\\Windows Classic.theme", true},
        {"c:\\windows\\resources\\themes\\WINDOWS CLASSIC.THEME", true},
        {"Windows Classic.theme", true},
        {"C:\\WINDOWS\\Resources\\Themes\\Luna.theme", false},
        {"Classic.theme", false},
    };
    for (const ThemeCase& c : cases) {
        mivotest::TempFolder folder("mivo-menu-theme");
        int status = mivotest::RunSecondCopy("VXMenuThemeChild.FollowsTheThemeInTheRegistry",
                                             {"MIVO_TEST_MENU_REGISTRY=" + folder.file("registry"),
                                              std::string("MIVO_TEST_MENU_THEME=") + c.theme,
                                              std::string("MIVO_TEST_MENU_CLASSIC=") + (c.classic ? "1" : "0")});
        EXPECT_EQ(0, status) << "theme \"" << c.theme << "\"";
    }
}

}  // namespace
