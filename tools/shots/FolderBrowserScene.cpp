// Shows the folder browser over a home folder and a drive with Korean folders, opened down to
// a folder the callback selects, and runs the command in MIVO_SHOT_COMMAND once it is drawn.
#include "ShotSupport.h"
#include <win32.h>
#include <mivo/codepage.h>
#include <mivo/paths.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

const UINT_PTR kShotTimer = 1;

void CALLBACK ShootAndClose(HWND dlg, UINT, UINT_PTR id, DWORD)
{
    KillTimer(dlg, id);
    Shoot("folderbrowser");
    SaveSurface(dlg, "folderbrowser-surface.ppm");
    PostMessage(dlg, WM_COMMAND, IDCANCEL, 0);
}

int CALLBACK Callback(HWND dlg, UINT msg, LPARAM lParam, LPARAM)
{
    if (msg == BFFM_INITIALIZED) {
        SendMessage(dlg, BFFM_SETSELECTION, TRUE, (LPARAM) "M:\\앨범\\2004 여름");
        SetTimer(dlg, kShotTimer, 1500, ShootAndClose);
    } else if (msg == BFFM_SELCHANGED) {
        char path[MAX_PATH];
        if (SHGetPathFromIDList((LPCITEMIDLIST)lParam, path))
            SendMessage(dlg, BFFM_SETSTATUSTEXT, 0, (LPARAM)path);
    }
    return 0;
}

void MakeDirs(const std::filesystem::path& base, std::initializer_list<const char*> names)
{
    for (const char* name : names)
        std::filesystem::create_directories(base / mivo::ToUtf8(name));
}

}  // namespace

int main()
{
    char pattern[] = "/tmp/mivo-browse-shot-XXXXXX";
    if (!mkdtemp(pattern))
        return 1;
    std::filesystem::path base(pattern);
    MakeDirs(base / "home", {"사진", "문서", "음악", "바탕 화면 그림"});
    MakeDirs(base / "drive", {"앨범/2004 여름/바다", "앨범/2004 여름/산", "앨범/가족", "앨범/졸업식", "스캔"});
    setenv("HOME", (base / "home").c_str(), 1);
    mivo::SetDriveRoot('M', (base / "drive").string());

    char name[MAX_PATH] = "";
    BROWSEINFOA bi = {};
    bi.pszDisplayName = name;
    bi.lpszTitle = "사진을 저장할 폴더를 고르십시오.";
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
    bi.lpfn = Callback;
    LPITEMIDLIST chosen = SHBrowseForFolder(&bi);
    CoTaskMemFree(chosen);
    std::filesystem::remove_all(base);
    return 0;
}
