// The album picker over a nested Korean album tree with its context menu opened by a right
// click on an album, and the rename dialog on a Korean file name.
#include "ShotSupport.h"

#include "album/DlgAlbumSelect.h"
#include "album/DlgRenameFile.h"
#include "resource.h"
#include "framework/VXApp.h"
#include "support/TempDatabase.h"
#include "support/TempFolder.h"

#include "framework/VXUtil.h"
#include "mivo/testing/input.h"

#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

const UINT kStepMs = 1200;
CDlgAlbumSelect* g_picker = nullptr;
int g_step = 0;

void Key(UINT vk)
{
    mivo::InjectKey(vk, true);
    mivo::InjectKey(vk, false);
}

CPoint OnAlbum(int album)
{
    HTREEITEM item = SearchTreeItemByData(&g_picker->m_treeAlbum, TVI_ROOT, (DWORD_PTR)album);
    CRect rect;
    g_picker->m_treeAlbum.GetItemRect(item, &rect, TRUE);
    return rect.CenterPoint();
}

void CALLBACK PickerStep(HWND, UINT, UINT_PTR, DWORD)
{
    CTreeCtrl& tree = g_picker->m_treeAlbum;
    std::fprintf(stderr, "album scene: picker step %d\n", g_step);
    switch (g_step++) {
    case 0:
        g_picker->MoveWindow(60, 40, 300, 420);
        tree.SelectItem(SearchTreeItemByData(&tree, TVI_ROOT, 5));
        break;
    case 1: {
        Settle();
        SaveSurface(g_picker->m_hWnd, "album_picker_surface");
        Shoot("album_picker");
        // A right click on an album opens the tree's menu; posted, so the menu runs from the
        // dialog's loop rather than inside this step.
        CPoint at = OnAlbum(6);
        CPoint screen = at;
        tree.ClientToScreen(&screen);
        mivo::InjectMouseMove(screen);
        tree.PostMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
        tree.PostMessage(WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        break;
    }
    case 2:
        Key(VK_DOWN);
        break;
    case 3: {
        HWND popup = ::FindWindow("#32768", nullptr);
        if (popup)
            ::RedrawWindow(popup, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        Settle();
        if (popup)
            SaveSurface(popup, "album_picker_menu_surface");
        Shoot("album_picker_menu");
        Key(VK_ESCAPE);
        break;
    }
    default:
        g_picker->PostMessage(WM_COMMAND, IDCANCEL, 0);
        break;
    }
}

void CALLBACK RenameStep(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = ::FindWindow(nullptr, "파일 이름 바꾸기");
    std::fprintf(stderr, "album scene: rename step %d\n", g_step);
    if (dialog == nullptr)
        return;
    switch (g_step++) {
    case 0:
        ::SetWindowPos(dialog, nullptr, 60, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ::SetFocus(::GetDlgItem(dialog, IDC_RENAME_NEW));
        break;
    case 1:
        Settle(dialog);
        SaveSurface(dialog, "album_rename_surface");
        Shoot("album_rename");
        break;
    default:
        ::PostMessage(dialog, WM_COMMAND, IDCANCEL, 0);
        break;
    }
}

}  // namespace

int main()
{
    mivotest::TempFolder data("mivo-album-shot");
    ::mkdir(data.file("Temp").c_str(), 0755);
    ::mkdir(data.file("사진").c_str(), 0755);
    std::ofstream(data.file("사진/제주 바다.jpg")) << "photo";
    mivotest::TempDatabase db("MivoUser", {"MivoUser.sql", "MivoUserSeed.sql"},
                              u8"insert into AlbumMaster values (1,'가족',0),(2,'여행',0),(3,'아이들',0),"
                              u8"(4,'2004 여름 휴가',1),(5,'제주도',4),(6,'유럽',2),(7,'일본',2),(8,'돌잔치',3);");
    CVXApp app;
    app.m_strDataDir = data.windowsPath().c_str();

    CDlgAlbumSelect picker;
    g_picker = &picker;
    UINT_PTR timer = ::SetTimer(nullptr, 0, kStepMs, PickerStep);
    picker.DoModal();
    ::KillTimer(nullptr, timer);

    g_step = 0;
    CDlgRenameFile rename;
    rename.m_strPath = CString(data.windowsPath().c_str()) + "사진\\제주 바다.jpg";
    timer = ::SetTimer(nullptr, 0, kStepMs, RenameStep);
    rename.DoModal();
    ::KillTimer(nullptr, timer);
    return 0;
}
