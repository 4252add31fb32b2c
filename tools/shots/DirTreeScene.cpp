// Shows Tesserin's folder tree and folder list side by side with a splitter bar between them,
// over a drive with Korean folders and pictures, and runs the command in MIVO_SHOT_COMMAND
// once it is drawn.
#include "ShotSupport.h"
#include <mfc.h>
#include <mivo/codepage.h>
#include <mivo/paths.h>

#include "controls/DirListCtrl.h"
#include "controls/DirTreeCtrl.h"
#include "controls/xSplitterWnd.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

const int kTree = 100, kBar = 101, kList = 102;

void MakeTree(const std::filesystem::path& base)
{
    for (const char* d : {"home/사진", "home/문서", "drive/앨범/2004 여름/바다", "drive/앨범/2004 여름/산",
                          "drive/앨범/가족", "drive/앨범/졸업식", "drive/스캔"})
        std::filesystem::create_directories(base / mivo::ToUtf8(d));
    for (const char* f : {"해변.jpg", "일출.jpg", "모래성.jpg", "메모.txt", "일정.bmp"})
        std::ofstream(base / mivo::ToUtf8((std::string("drive/앨범/2004 여름/") + f).c_str())) << "사진";
}

// The entries of a folder as rows: name, size, kind, with the system's small icons.
void FillList(CDirListCtrl& list, const char* folder)
{
    list.SetFolderPath(folder);
    WIN32_FIND_DATA found;
    HANDLE search = FindFirstFile((std::string(folder) + "*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (found.cFileName[0] == '.')
            continue;
        SHFILEINFO info = {};
        std::string path = std::string(folder) + found.cFileName;
        SHGetFileInfo(path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_TYPENAME);
        int row = list.InsertItem(list.GetItemCount(), found.cFileName, info.iIcon);
        list.SetItemText(row, 1, std::to_string(found.nFileSizeLow).c_str());
        list.SetItemText(row, 2, info.szTypeName);
    } while (FindNextFile(search, &found));
    FindClose(search);
}

}  // namespace

int main()
{
    char pattern[] = "/tmp/mivo-dirtree-shot-XXXXXX";
    if (!mkdtemp(pattern))
        return 1;
    std::filesystem::path base(pattern);
    MakeTree(base);
    setenv("HOME", (base / "home").c_str(), 1);
    mivo::SetDriveRoot('M', (base / "drive").string());
    {
        CWnd host;
        host.CreateEx(0, AfxRegisterWndClass(0, nullptr, (HBRUSH)(COLOR_BTNFACE + 1)), "폴더 탐색",
                      WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 760, 480, nullptr, nullptr);
        CRect client;
        host.GetClientRect(&client);
        CDirTreeCtrl tree;
        tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                        TVS_SHOWSELALWAYS,
                    CRect(4, 4, 290, client.bottom - 4), &host, kTree);
        CWnd bar;
        bar.Create("Static", "", WS_CHILD | WS_VISIBLE, CRect(294, 4, 300, client.bottom - 4), &host, kBar);
        bar.Detach();
        CDirListCtrl list;
        list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHAREIMAGELISTS,
                    CRect(304, 4, client.right - 4, client.bottom - 4), &host, kList);
        CxSplitterWnd splitter;
        splitter.BindWithControl(&host, kBar);
        splitter.AttachAsLeftPane(kTree);
        splitter.AttachAsRightPane(kList);
        splitter.m_grip = 1;
        splitter.RecalcLayout();

        tree.Initialize(0);
        tree.SetPathByStr("M:\\앨범\\2004 여름");
        SHFILEINFO info = {};
        auto images = (HIMAGELIST)SHGetFileInfo("M:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
        list.SendMessage(LVM_SETIMAGELIST, LVSIL_SMALL, (LPARAM)images);
        list.InsertColumn(0, "이름", LVCFMT_LEFT, 170);
        list.InsertColumn(1, "크기", LVCFMT_RIGHT, 60);
        list.InsertColumn(2, "종류", LVCFMT_LEFT, 150);
        FillList(list, tree.GetFullPath(tree.GetSelectedItem()));
        NMHEADER click = {};
        click.hdr.hwndFrom = list.GetHeaderCtrl()->GetSafeHwnd();
        click.hdr.code = HDN_ITEMCLICKA;
        list.SendMessage(WM_NOTIFY, 0, (LPARAM)&click);
        ::SetForegroundWindow(host.GetSafeHwnd());
        Settle();
        Shoot("dirtree");
        SaveSurface(host.GetSafeHwnd(), "dirtree-surface.ppm");
        host.DestroyWindow();
    }
    std::filesystem::remove_all(base);
    return 0;
}
