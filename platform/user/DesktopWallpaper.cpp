#include "DesktopWallpaper.h"

#include "kernel/ProcessStart.h"
#include "win32.h"
#include "mivo/paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <mutex>
#include <vector>

namespace mivo {

namespace {

std::mutex g_lock;
std::string g_wallpaper;

const char kDesktopKey[] = "Control Panel\\Desktop";

enum class Arrangement { Centered, Tiled, Stretched };

std::string ReadDesktopValue(const char* name)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "";
    char value[64] = {};
    DWORD size = sizeof value - 1, type = 0;
    LONG rc = RegQueryValueExA(key, name, nullptr, &type, (LPBYTE)value, &size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS && type == REG_SZ ? std::string(value) : std::string();
}

void WriteWallpaperValue(LPCSTR path)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(key, "Wallpaper", 0, REG_SZ, (const BYTE*)path, (DWORD)strlen(path) + 1);
    RegCloseKey(key);
}

// TileWallpaper "1" tiles; otherwise WallpaperStyle "2" stretches; anything else centres.
Arrangement ChosenArrangement()
{
    if (ReadDesktopValue("TileWallpaper") == "1")
        return Arrangement::Tiled;
    if (ReadDesktopValue("WallpaperStyle") == "2")
        return Arrangement::Stretched;
    return Arrangement::Centered;
}

bool OnPath(const std::string& tool)
{
    const char* path = getenv("PATH");
    std::string dirs = path ? path : "";
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos)
            end = dirs.size();
        std::string candidate = dirs.substr(start, end - start) + "/" + tool;
        if (end > start && access(candidate.c_str(), X_OK) == 0)
            return true;
        start = end + 1;
    }
    return false;
}

bool DesktopIs(const char* name)
{
    const char* current = getenv("XDG_CURRENT_DESKTOP");
    return current && strcasestr(current, name);
}

std::vector<std::vector<std::string>> ToolCommands(const std::string& posixPath, Arrangement a)
{
    if (DesktopIs("GNOME") && OnPath("gsettings")) {
        const char* options = a == Arrangement::Tiled ? "wallpaper" : a == Arrangement::Stretched ? "stretched" : "centered";
        std::string uri = "file://" + posixPath;
        return {{"gsettings", "set", "org.gnome.desktop.background", "picture-uri", uri},
                {"gsettings", "set", "org.gnome.desktop.background", "picture-options", options}};
    }
    if (DesktopIs("XFCE") && OnPath("xfconf-query")) {
        const char* style = a == Arrangement::Tiled ? "2" : a == Arrangement::Stretched ? "3" : "1";
        const std::string base = "/backdrop/screen0/monitor0/workspace0/";
        return {{"xfconf-query", "-c", "xfce4-desktop", "-p", base + "last-image", "-s", posixPath},
                {"xfconf-query", "-c", "xfce4-desktop", "-p", base + "image-style", "-s", style}};
    }
    return {};
}

}  // namespace

bool SetDesktopWallpaper(LPCSTR path, UINT fWinIni)
{
    std::string text = path ? path : "";
    std::string posix;
    if (!text.empty()) {
        struct stat st;
        if (!ToPosixPath(text.c_str(), posix) || stat(posix.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
            SetLastError(ERROR_FILE_NOT_FOUND);
            return false;
        }
    }
    {
        std::lock_guard<std::mutex> hold(g_lock);
        g_wallpaper = text;
    }
    if (fWinIni & SPIF_UPDATEINIFILE)
        WriteWallpaperValue(text.c_str());
    if (!posix.empty()) {
        for (const auto& argv : ToolCommands(posix, ChosenArrangement())) {
            ProgramStart start;
            start.argv = argv;
            DWORD error = 0;
            StartProgram(start, nullptr, nullptr, error);  // the desktop's own failure is not ours
        }
    }
    return true;
}

std::string DesktopWallpaper()
{
    std::lock_guard<std::mutex> hold(g_lock);
    return g_wallpaper;
}

}  // namespace mivo
