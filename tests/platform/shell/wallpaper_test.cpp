// The desktop wallpaper: recorded in the registry and handed to the desktop's tool with an
// argument vector per arrangement.
#include <gtest/gtest.h>

#include "mfc.h"
#include "mivo/process.h"
#include "support/TempFolder.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using mivotest::TempFolder;

namespace {

struct Wallpaper : ::testing::Test {
    TempFolder dir{"mivo-wall"};
    std::vector<std::vector<std::string>> starts;
    std::string savedPath, savedDesktop;
    std::string picture, pictureWin;

    void SetUp() override
    {
        setenv("MIVO_REGISTRY_FILE", (dir.path() + "/registry").c_str(), 1);
        savedPath = getenv("PATH") ? getenv("PATH") : "";
        savedDesktop = getenv("XDG_CURRENT_DESKTOP") ? getenv("XDG_CURRENT_DESKTOP") : "";
        mkdir((dir.path() + "/bin").c_str(), 0755);
        for (const char* tool : {"gsettings", "xfconf-query"}) {
            std::string path = dir.path() + "/bin/" + tool;
            FILE* f = fopen(path.c_str(), "w");
            fputs("#!/bin/sh\nexit 0\n", f);
            fclose(f);
            chmod(path.c_str(), 0755);
        }
        setenv("PATH", (dir.path() + "/bin").c_str(), 1);
        picture = dir.path() + "/MivoWall1.bmp";
        FILE* f = fopen(picture.c_str(), "wb");
        fputs("BM", f);
        fclose(f);
        pictureWin = dir.windowsPath() + "MivoWall1.bmp";
        mivo::SetSpawnHook([this](const std::vector<std::string>& argv) {
            starts.push_back(argv);
            return true;
        });
    }
    void TearDown() override
    {
        mivo::SetSpawnHook(nullptr);
        setenv("PATH", savedPath.c_str(), 1);
        setenv("XDG_CURRENT_DESKTOP", savedDesktop.c_str(), 1);
        unsetenv("MIVO_REGISTRY_FILE");
    }

    void Arrange(const char* tile, const char* style)
    {
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyEx(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_WRITE,
                                                nullptr, &key, nullptr));
        RegSetValueEx(key, "TileWallpaper", 0, REG_SZ, (const BYTE*)tile, (DWORD)strlen(tile) + 1);
        RegSetValueEx(key, "WallpaperStyle", 0, REG_SZ, (const BYTE*)style, (DWORD)strlen(style) + 1);
        RegCloseKey(key);
    }
    std::string RegistryWallpaper()
    {
        HKEY key;
        if (RegOpenKeyEx(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_READ, &key) != ERROR_SUCCESS)
            return "<none>";
        char value[MAX_PATH] = {};
        DWORD size = sizeof value;
        LONG rc = RegQueryValueEx(key, "Wallpaper", nullptr, nullptr, (LPBYTE)value, &size);
        RegCloseKey(key);
        return rc == ERROR_SUCCESS ? value : "<none>";
    }
};

}  // namespace

TEST_F(Wallpaper, MissingFileFailsAndChangesNothing)
{
    setenv("XDG_CURRENT_DESKTOP", "GNOME", 1);
    std::string missing = dir.windowsPath() + "없음.bmp";
    EXPECT_FALSE(SystemParametersInfo(SPI_SETDESKWALLPAPER, 0, (PVOID)missing.c_str(), SPIF_UPDATEINIFILE));
    EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, GetLastError());
    EXPECT_EQ("<none>", RegistryWallpaper());
    EXPECT_TRUE(starts.empty());
}

TEST_F(Wallpaper, UpdateIniFileWritesTheRegistryValue)
{
    setenv("XDG_CURRENT_DESKTOP", "", 1);
    ASSERT_TRUE(SystemParametersInfo(SPI_SETDESKWALLPAPER, 0, (PVOID)pictureWin.c_str(), 0));
    EXPECT_EQ("<none>", RegistryWallpaper());
    ASSERT_TRUE(SystemParametersInfo(SPI_SETDESKWALLPAPER, 0, (PVOID)pictureWin.c_str(),
                                     SPIF_UPDATEINIFILE | SPIF_SENDCHANGE));
    EXPECT_EQ(pictureWin, RegistryWallpaper());
    char back[MAX_PATH] = {};
    EXPECT_TRUE(SystemParametersInfo(SPI_GETDESKWALLPAPER, sizeof back, back, 0));
    EXPECT_EQ(pictureWin, back);
    EXPECT_TRUE(starts.empty());  // no desktop tool: only recorded
}

TEST_F(Wallpaper, TheDesktopsToolGetsTheArrangement)
{
    struct Case {
        const char* desktop;
        const char* tile;
        const char* style;
        std::vector<std::vector<std::string>> expected;
    };
    std::string uri = "file://" + picture;
    std::string base = "/backdrop/screen0/monitor0/workspace0/";
    std::vector<Case> cases = {
        {"GNOME", "0", "1", {{"gsettings", "set", "org.gnome.desktop.background", "picture-uri", uri},
                             {"gsettings", "set", "org.gnome.desktop.background", "picture-options", "centered"}}},
        {"ubuntu:GNOME", "1", "1", {{"gsettings", "set", "org.gnome.desktop.background", "picture-uri", uri},
                                    {"gsettings", "set", "org.gnome.desktop.background", "picture-options", "wallpaper"}}},
        {"GNOME", "0", "2", {{"gsettings", "set", "org.gnome.desktop.background", "picture-uri", uri},
                             {"gsettings", "set", "org.gnome.desktop.background", "picture-options", "stretched"}}},
        {"XFCE", "0", "2", {{"xfconf-query", "-c", "xfce4-desktop", "-p", base + "last-image", "-s", picture},
                            {"xfconf-query", "-c", "xfce4-desktop", "-p", base + "image-style", "-s", "3"}}},
        {"XFCE", "1", "1", {{"xfconf-query", "-c", "xfce4-desktop", "-p", base + "last-image", "-s", picture},
                            {"xfconf-query", "-c", "xfce4-desktop", "-p", base + "image-style", "-s", "2"}}},
        {"KDE", "0", "1", {}},
    };
    for (const Case& c : cases) {
        starts.clear();
        setenv("XDG_CURRENT_DESKTOP", c.desktop, 1);
        Arrange(c.tile, c.style);
        ASSERT_TRUE(SystemParametersInfo(SPI_SETDESKWALLPAPER, 0, (PVOID)pictureWin.c_str(),
                                         SPIF_UPDATEINIFILE | SPIF_SENDCHANGE));
        EXPECT_EQ(c.expected, starts) << c.desktop << " " << c.tile << " " << c.style;
    }
}
