// CRegistry: values under a root key, defaults, key creation and deletion.
#include <gtest/gtest.h>

#include "framework/Registry.h"
#include "support/MessageBoxCapture.h"
#include "support/TempFolder.h"

#include <cstdlib>
#include <string>

#include <sys/stat.h>

namespace {

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("MIVO_REGISTRY_FILE", m_folder.file("registry").c_str(), 1); }
    void TearDown() override { unsetenv("MIVO_REGISTRY_FILE"); }
    static bool KeyExists(const char* path, HKEY root = HKEY_CURRENT_USER)
    {
        HKEY k = nullptr;
        if (RegOpenKeyEx(root, path, 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
        RegCloseKey(k);
        return true;
    }
    mivotest::TempFolder m_folder;
};

TEST_F(RegistryTest, MissingValuesAndKeysGiveTheDefaultSilently)
{
    mivotest::MessageBoxCapture boxes;
    EXPECT_EQ(CRegistry::GetRegDWORD("Software\\Nowhere", "Count", 77, HKEY_CURRENT_USER), 77u);
    CRegistry::SetRegDWORD("Software\\Mivo", "Other", 1, HKEY_CURRENT_USER);
    EXPECT_EQ(CRegistry::GetRegDWORD("Software\\Mivo", "Count", 77, HKEY_CURRENT_USER), 77u);
    EXPECT_STREQ(CRegistry::GetRegString("Software\\Mivo", "Name", "기본", HKEY_CURRENT_USER), "기본");
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(RegistryTest, FailuresReportTheCodeTheRegistryCallReturned)
{
    mivotest::MessageBoxCapture boxes;
    CRegistry::SetRegString("Software\\Big", "V", std::string(262, 'b').c_str(), HKEY_CURRENT_USER);
    EXPECT_STREQ(CRegistry::GetRegString("Software\\Big", "V", "default", HKEY_CURRENT_USER), "default");
    EXPECT_EQ(CRegistry::RegDelete("Software\\Big", "", "", HKEY_CURRENT_USER), 0);  // nothing named
    EXPECT_EQ(CRegistry::RegDelete("Software\\Big", "Missing", "", HKEY_CURRENT_USER), 0);

    // The store cannot be written: a folder stands where its file should be.
    ASSERT_EQ(mkdir(m_folder.file("blocked").c_str(), 0700), 0);
    setenv("MIVO_REGISTRY_FILE", m_folder.file("blocked").c_str(), 1);
    CRegistry::SetRegDWORD("Software\\X", "V", 1, HKEY_CURRENT_USER);

    std::vector<mivotest::ShownMessageBox> shown = boxes.shown();
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0].caption, "Registry Class Error in GetRegString (234)");
    EXPECT_EQ(shown[0].text.rfind("More data is available.", 0), 0u);
    EXPECT_EQ(shown[0].type, (UINT)MB_OK);
    EXPECT_EQ(shown[1].caption, "Registry Class Error in RegDelete (87)");
    EXPECT_EQ(shown[1].text.rfind("The parameter is incorrect.", 0), 0u);
    EXPECT_EQ(shown[2].caption, "Registry Class Error in RegDelete (2)");
    EXPECT_EQ(shown[3].caption, "Registry Class Error in SetRegDWORD (1016)");
}

TEST_F(RegistryTest, WritesCreateTheKeyAndReadBack)
{
    ASSERT_FALSE(KeyExists("Control Panel\\Desktop"));
    CRegistry::SetRegString("Control Panel\\Desktop", "TileWallpaper", "0", HKEY_CURRENT_USER);
    ASSERT_TRUE(KeyExists("Control Panel\\Desktop"));
    CRegistry::SetRegString("Control Panel\\Desktop", "WallpaperStyle", "2", HKEY_CURRENT_USER);
    EXPECT_STREQ(CRegistry::GetRegString("Control Panel\\Desktop", "TileWallpaper", "x", HKEY_CURRENT_USER), "0");
    EXPECT_STREQ(CRegistry::GetRegString("Control Panel\\Desktop", "WallpaperStyle", "x", HKEY_CURRENT_USER), "2");

    // Strings are stored without their terminating zero, as the helper always did.
    HKEY k = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_READ, &k), ERROR_SUCCESS);
    DWORD type = 0, size = 0;
    ASSERT_EQ(RegQueryValueEx(k, "TileWallpaper", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, (DWORD)REG_SZ);
    EXPECT_EQ(size, 1u);
    RegCloseKey(k);

    CRegistry::SetRegDWORD("Software\\MivoOrder", "Count", 0xFFFFFFFE, HKEY_LOCAL_MACHINE);
    EXPECT_EQ(CRegistry::GetRegDWORD("Software\\MivoOrder", "Count", 0, HKEY_LOCAL_MACHINE), 0xFFFFFFFEu);
    EXPECT_EQ(CRegistry::GetRegDWORD("Software\\MivoOrder", "Count", 0, HKEY_CURRENT_USER), 0u);
}

TEST_F(RegistryTest, StringsUpToTheBufferAndBeyond)
{
    struct Case {
        std::string value;
        std::string expected;
    } cases[] = {
        {"", ""},
        {"한글 값", "한글 값"},
        {std::string(261, 'a'), std::string(261, 'a')},  // fills the buffer: no room for a zero
    };
    for (const Case& c : cases) {
        CRegistry::SetRegString("Software\\Sizes", "V", c.value.c_str(), HKEY_CURRENT_USER);
        EXPECT_EQ(std::string(CRegistry::GetRegString("Software\\Sizes", "V", "default", HKEY_CURRENT_USER)),
                  c.expected)
            << c.value.size();
    }
}

TEST_F(RegistryTest, DeleteTakesTheValueWhenNamedElseTheSubkeyTree)
{
    CRegistry::SetRegString("Software\\Del", "Keep", "k", HKEY_CURRENT_USER);
    CRegistry::SetRegString("Software\\Del", "Gone", "g", HKEY_CURRENT_USER);
    CRegistry::SetRegString("Software\\Del\\Sub\\Deeper", "X", "x", HKEY_CURRENT_USER);

    EXPECT_EQ(CRegistry::RegDelete("Software\\Del", "Gone", "Sub", HKEY_CURRENT_USER), 0);
    EXPECT_STREQ(CRegistry::GetRegString("Software\\Del", "Gone", "absent", HKEY_CURRENT_USER), "absent");
    EXPECT_STREQ(CRegistry::GetRegString("Software\\Del", "Keep", "absent", HKEY_CURRENT_USER), "k");
    EXPECT_TRUE(KeyExists("Software\\Del\\Sub\\Deeper"));

    EXPECT_EQ(CRegistry::RegDelete("Software\\Del", "", "Sub", HKEY_CURRENT_USER), 0);
    EXPECT_FALSE(KeyExists("Software\\Del\\Sub"));
    EXPECT_TRUE(KeyExists("Software\\Del"));
    EXPECT_STREQ(CRegistry::GetRegString("Software\\Del", "Keep", "absent", HKEY_CURRENT_USER), "k");
}

}  // namespace
