// The editor's wallpaper commands: the open picture becomes the wallpaper bitmap named after its
// file (or numbered when it has none) and the desktop values follow the command.
#include "EditorFixture.h"

#include "framework/Registry.h"
#include "mivo/process.h"
#include "resource.h"
#include "framework/VXApp.h"

#include <memory>
#include <sys/stat.h>

using editortest::EditorTest;

namespace {

class EditorWallpaper : public EditorTest {
protected:
    // The program's application, or one of ours made before the editor's fixture looks for one.
    std::unique_ptr<CVXApp> m_ownApp;

    void SetUp() override
    {
        CVXApp* app = dynamic_cast<CVXApp*>(AfxGetApp());
        if (app == nullptr && AfxGetApp() == nullptr) {
            m_ownApp.reset(new CVXApp);
            app = m_ownApp.get();
        }
        ASSERT_NE(nullptr, app);
        app->m_strDataDir = m_folder.windowsPath().c_str();
        EditorTest::SetUp();
        mivo::SetSpawnHook([](const std::vector<std::string>&) { return true; });
    }
    void TearDown() override
    {
        mivo::SetSpawnHook(nullptr);
        EditorTest::TearDown();
    }
    bool Exists(const std::string& name) const
    {
        struct stat st;
        return ::stat(m_folder.file(name).c_str(), &st) == 0;
    }
    static CString Desktop(const char* value)
    {
        return CRegistry::GetRegString("Control Panel\\Desktop", value, "", HKEY_CURRENT_USER);
    }
};

}  // namespace

TEST_F(EditorWallpaper, ThePictureBecomesTheWallpaperInTheCommandsArrangement)
{
    CImgEditView* view = Open(WritePicture("beach.jpg", 64, 48));
    ASSERT_NE(nullptr, view);
    view->SendMessage(WM_COMMAND, IDM_ED_WALLPAPER_TILE, 0);
    EXPECT_TRUE(Exists("WallPaper/beach.bmp"));
    EXPECT_EQ(CString("1"), Desktop("TileWallpaper"));
    EXPECT_EQ(CString("1"), Desktop("WallpaperStyle"));
    view->SendMessage(WM_COMMAND, IDM_ED_WALLPAPER_STRETCH, 0);
    EXPECT_EQ(CString("0"), Desktop("TileWallpaper"));
    EXPECT_EQ(CString("2"), Desktop("WallpaperStyle"));

    CImgEditView* unnamed = Open();
    ASSERT_NE(nullptr, unnamed);
    unnamed->SendMessage(WM_COMMAND, IDM_ED_WALLPAPER_CENTER, 0);
    EXPECT_TRUE(Exists("WallPaper/MivoWall1.bmp"));
    EXPECT_EQ(CString("1"), Desktop("WallpaperStyle"));
    EXPECT_EQ(CString(m_folder.windowsPath().c_str()) + "WallPaper\\MivoWall1.bmp", Desktop("Wallpaper"));
}
