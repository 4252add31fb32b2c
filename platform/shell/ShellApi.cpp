// The shell's namespace functions: allocator, desktop folder, special folders, paths of
// identifier lists and file information.
#include "ShellFolder.h"
#include "ShellItem.h"
#include "ShellMalloc.h"
#include "res/resource.h"
#include "win32.h"
#include "mivo/codepage.h"
#include "mivo/paths.h"

#include <sys/stat.h>

#include <cstring>

const IID IID_IShellFolder = {0x000214E6, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_IEnumIDList = {0x000214F2, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_IShellIcon = {0x000214E5, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

using mivo::ShellItem;

namespace {

// The item of a Windows path: parsed from the desktop.
bool ItemOfPath(LPCSTR path, ShellItem& out)
{
    IShellFolder* desktop = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop)))
        return false;
    std::u16string wide = mivo::AnsiToUtf16(path);
    LPITEMIDLIST pidl = nullptr;
    HRESULT hr = desktop->ParseDisplayName(nullptr, nullptr, (LPOLESTR)wide.c_str(), nullptr, &pidl, nullptr);
    desktop->Release();
    bool ok = SUCCEEDED(hr) && ShellItem::FromIdList(pidl, out);
    CoTaskMemFree(pidl);
    return ok;
}

UINT IconResource(int index)
{
    switch (index) {
    case mivo::kIconDesktop:
    case mivo::kIconComputer:
    case mivo::kIconNetwork: return IDI_PLATFORM_COMPUTER;
    case mivo::kIconDrive: return IDI_PLATFORM_DRIVE;
    case mivo::kIconFolder:
    case mivo::kIconOpenFolder: return IDI_PLATFORM_FOLDER;
    case mivo::kIconPicture: return IDI_PLATFORM_PICTURE;
    default: return IDI_PLATFORM_DOCUMENT;
    }
}

// A file that need not exist, described only by its name and attributes.
std::string TypeNameFromAttributes(LPCSTR path, DWORD attributes)
{
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return "파일 폴더";
    const char* name = strrchr(path, '\\');
    name = name ? name + 1 : path;
    const char* dot = strrchr(name, '.');
    if (!dot || !dot[1])
        return "파일";
    std::string ext(dot + 1);
    mivo::AnsiUpper(&ext[0], ext.size());
    if (ext == "JPG" || ext == "JPEG")
        return "JPEG 이미지";
    return ext + " 파일";
}

bool IsPictureExtension(const std::string& typeName)
{
    return typeName == "JPEG 이미지" || typeName == "BMP 파일" || typeName == "GIF 파일" || typeName == "PNG 파일";
}

}  // namespace

HRESULT SHGetMalloc(IMalloc** ppMalloc)
{
    if (!ppMalloc)
        return E_POINTER;
    *ppMalloc = &mivo::ShellMalloc::Instance();
    return S_OK;
}

HRESULT SHGetDesktopFolder(IShellFolder** ppshf)
{
    if (!ppshf)
        return E_POINTER;
    *ppshf = new mivo::ShellFolder(ShellItem::Desktop());
    return S_OK;
}

HRESULT SHGetSpecialFolderLocation(HWND, int nFolder, LPITEMIDLIST* ppidl)
{
    if (!ppidl)
        return E_POINTER;
    *ppidl = nullptr;
    const char* parseName = nullptr;
    switch (nFolder) {
    case CSIDL_DESKTOP: *ppidl = mivo::AllocIdList({}); return *ppidl ? S_OK : E_OUTOFMEMORY;
    case CSIDL_DRIVES: parseName = "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"; break;
    case CSIDL_NETWORK: parseName = "::{208D2C60-3AEA-1069-A2D7-08002B30309D}"; break;
    case CSIDL_DESKTOPDIRECTORY:
    case CSIDL_PERSONAL: break;
    default: return E_INVALIDARG;
    }
    ShellItem desktop = ShellItem::Desktop();
    std::vector<BYTE> id;
    ShellItem found;
    if (parseName) {
        if (!desktop.ChildNamed(parseName, found, id))
            return E_FAIL;
        *ppidl = mivo::AllocIdList(id);
        return *ppidl ? S_OK : E_OUTOFMEMORY;
    }
    if (!ItemOfPath(desktop.WindowsPath().c_str(), found))
        return E_FAIL;
    std::vector<BYTE> list = found.IdList();
    *ppidl = mivo::CopyIdList(list.data(), list.size());
    return *ppidl ? S_OK : E_OUTOFMEMORY;
}

BOOL SHGetPathFromIDList(LPCITEMIDLIST pidl, LPSTR pszPath)
{
    if (!pszPath)
        return FALSE;
    pszPath[0] = 0;
    ShellItem item;
    if (!ShellItem::FromIdList(pidl, item) || item.WindowsPath().empty() || item.WindowsPath().size() >= MAX_PATH)
        return FALSE;
    memcpy(pszPath, item.WindowsPath().c_str(), item.WindowsPath().size() + 1);
    return TRUE;
}

void ILFree(LPITEMIDLIST pidl)
{
    CoTaskMemFree(pidl);
}

DWORD_PTR SHGetFileInfo(LPCSTR pszPath, DWORD dwFileAttributes, SHFILEINFOA* psfi, UINT cbFileInfo, UINT uFlags)
{
    if (!pszPath || (psfi && cbFileInfo < sizeof(SHFILEINFOA)))
        return 0;
    bool open = (uFlags & SHGFI_OPENICON) != 0;
    ShellItem item;
    std::string display, type;
    int icon;
    DWORD attributes = 0;
    if ((uFlags & SHGFI_USEFILEATTRIBUTES) && !(uFlags & SHGFI_PIDL)) {
        const char* name = strrchr(pszPath, '\\');
        display = name ? name + 1 : pszPath;
        type = TypeNameFromAttributes(pszPath, dwFileAttributes);
        bool folder = (dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        icon = folder ? (open ? mivo::kIconOpenFolder : mivo::kIconFolder)
                      : IsPictureExtension(type) ? mivo::kIconPicture : mivo::kIconFile;
        attributes = SFGAO_FILESYSTEM | (folder ? SFGAO_FOLDER : 0);
    } else {
        bool found = (uFlags & SHGFI_PIDL) ? ShellItem::FromIdList((LPCITEMIDLIST)pszPath, item)
                                           : ItemOfPath(pszPath, item);
        if (!found)
            return 0;
        display = item.DisplayName(SHGDN_NORMAL);
        type = item.TypeName();
        icon = item.IconIndex(open);
        attributes = item.Attributes(0xFFFFFFFF);
    }
    if (psfi) {
        if (uFlags & SHGFI_DISPLAYNAME)
            snprintf(psfi->szDisplayName, sizeof psfi->szDisplayName, "%s", display.c_str());
        if (uFlags & SHGFI_TYPENAME)
            snprintf(psfi->szTypeName, sizeof psfi->szTypeName, "%s", type.c_str());
        if (uFlags & SHGFI_ATTRIBUTES)
            psfi->dwAttributes = attributes;
        if (uFlags & (SHGFI_SYSICONINDEX | SHGFI_ICON))
            psfi->iIcon = icon;
        if (uFlags & SHGFI_ICON) {
            int size = (uFlags & SHGFI_SMALLICON) ? 16 : 32;
            LPCSTR id = MAKEINTRESOURCE(IconResource(icon));
            HINSTANCE module = AfxFindResourceHandle(id, RT_GROUP_ICON);
            psfi->hIcon = (HICON)LoadImage(module, id, IMAGE_ICON, size, size, 0);
        }
    }
    if (uFlags & SHGFI_SYSICONINDEX)
        return mivo::SystemImageList((uFlags & SHGFI_SMALLICON) != 0);
    return 1;
}
