#include "album/DesktopWallpaper.h"

#include "album/AlbumTables.h"
#include "framework/Registry.h"
#include "framework/VXUtil.h"
#include "image/ImageObject.h"

#include <memory>
#include <vector>

namespace {

const char kDesktopKey[] = "Control Panel\\Desktop";

bool HasWallpaperExtension(const CString& path)
{
    CString ext = path.Right(4);
    return ext.CompareNoCase(".JPG") == 0 || ext.CompareNoCase(".GIF") == 0 || ext.CompareNoCase(".BMP") == 0;
}

}  // namespace

CDesktopWallpaper::CDesktopWallpaper()
{
    m_strFolder.Format("%sWallPaper\\", (LPCSTR)CAlbumTables::DataFolder());
}

CDesktopWallpaper::~CDesktopWallpaper() = default;

void CDesktopWallpaper::MakeFolder()
{
    ::CreateDirectory(m_strFolder, nullptr);
}

CString CDesktopWallpaper::BaseName(const CString& path)
{
    // The helper writes into buffers as long as the path itself.
    std::vector<char> dir(path.GetLength() + 2), name(path.GetLength() + 2), ext(path.GetLength() + 2);
    DivideFilePathAndName(path, dir.data(), name.data(), ext.data());
    CString base(name.data());
    int dot = base.ReverseFind('.');
    return dot >= 0 ? base.Left(dot) : base;
}

CString CDesktopWallpaper::FirstFreeNumberedPath() const
{
    for (int n = 1;; ++n) {
        CString path;
        path.Format("%sMivoWall%d.bmp", (LPCSTR)m_strFolder, n);
        if (::GetFileAttributes(path) == INVALID_FILE_ATTRIBUTES)
            return path;
    }
}

int CDesktopWallpaper::SaveFitted(CImageObject& image, const CString& target)
{
    if (!image.IsLoaded() || image.GetWidth() <= 0 || image.GetHeight() <= 0)
        return 0;
    CSize screen(::GetSystemMetrics(SM_CXFULLSCREEN), ::GetSystemMetrics(SM_CYFULLSCREEN));
    int ratio = image.GetThumbRatio(screen, nullptr, TRUE);
    int saved = 0;
    if (ratio > 0 && ratio < 1000) {
        std::unique_ptr<CImageObject> fitted(
            image.Resample((long)image.GetWidth() * ratio / 1000, (long)image.GetHeight() * ratio / 1000, 3));
        saved = fitted && fitted->Save(target);
    } else {
        saved = image.Save(target);
    }
    if (saved)
        m_strBitmapPath = target;
    return saved;
}

int CDesktopWallpaper::PrepareFromFile(CString path)
{
    m_strBitmapPath.Empty();
    MakeFolder();
    CString name = BaseName(path);
    if (!HasWallpaperExtension(path) || name.IsEmpty())
        return 0;
    CImageObject image;
    if (!image.LoadImageFromFile(path, 1))
        return 0;
    return SaveFitted(image, m_strFolder + name + ".bmp");
}

int CDesktopWallpaper::PrepareFromImage(CImageObject* image, CString name)
{
    m_strBitmapPath.Empty();
    MakeFolder();
    if (image == nullptr)
        return 0;
    CString base = name.IsEmpty() ? CString() : BaseName(name);
    CString target = base.IsEmpty() ? FirstFreeNumberedPath() : m_strFolder + base + ".bmp";
    return SaveFitted(*image, target);
}

int CDesktopWallpaper::Apply(const char* tile, const char* style)
{
    // An empty path would clear the user's wallpaper.
    if (m_strBitmapPath.IsEmpty())
        return 0;
    CRegistry::SetRegString(kDesktopKey, "TileWallpaper", tile, HKEY_CURRENT_USER);
    CRegistry::SetRegString(kDesktopKey, "WallpaperStyle", style, HKEY_CURRENT_USER);
    if (!::SystemParametersInfo(SPI_SETDESKWALLPAPER, 0, (PVOID)(LPCSTR)m_strBitmapPath,
                                SPIF_UPDATEINIFILE | SPIF_SENDCHANGE))
        return 0;
    AfxMessageBox("바탕화면 이미지를 변경하였습니다.", MB_OK | MB_ICONINFORMATION);
    return 1;
}

int CDesktopWallpaper::ApplyCentered()
{
    return Apply("0", "1");
}

int CDesktopWallpaper::ApplyTiled()
{
    return Apply("1", "1");
}

int CDesktopWallpaper::ApplyStretched()
{
    return Apply("0", "2");
}
