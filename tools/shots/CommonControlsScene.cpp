// Shows a Korean dialog with a folder tree and a report list with check boxes
// and small icons, then the file dialog over a folder of pictures, and runs the
// command in MIVO_SHOT_COMMAND once each is drawn.
#include "ShotSupport.h"
#include <win32.h>
#include <mivo/testing/input.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const int kTree = 200, kList = 201;

HWND g_dialog = nullptr;

HWND Item(const char* cls, const char* text, DWORD style, int x, int y, int cx, int cy, int id, DWORD ex = 0)
{
    HWND h = CreateWindowEx(ex, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, cx, cy, g_dialog,
                            (HMENU)(UINT_PTR)id, nullptr, nullptr);
    SendMessage(h, WM_SETFONT, SendMessage(g_dialog, WM_GETFONT, 0, 0), FALSE);
    return h;
}

// Three 16x16 pictures on a magenta key: a yellow folder, an open folder and a photo.
HIMAGELIST SmallIcons()
{
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 3, 0);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP strip = CreateCompatibleBitmap(screen, 48, 16);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, strip);
    auto fill = [&](int l, int t, int r, int b, COLORREF c) {
        RECT rc = {l, t, r, b};
        HBRUSH brush = CreateSolidBrush(c);
        FillRect(dc, &rc, brush);
        DeleteObject(brush);
    };
    fill(0, 0, 48, 16, RGB(255, 0, 255));
    fill(1, 3, 7, 5, RGB(200, 160, 40));
    fill(1, 5, 15, 14, RGB(240, 200, 60));
    fill(17, 3, 23, 5, RGB(200, 160, 40));
    fill(17, 5, 31, 14, RGB(250, 225, 120));
    fill(19, 8, 31, 14, RGB(230, 185, 50));
    fill(33, 2, 47, 14, RGB(60, 60, 60));
    fill(34, 3, 46, 13, RGB(120, 190, 240));
    fill(34, 9, 46, 13, RGB(70, 150, 70));
    fill(42, 4, 45, 7, RGB(250, 240, 120));
    SelectObject(dc, old);
    DeleteDC(dc);
    ImageList_AddMasked(list, strip, RGB(255, 0, 255));
    DeleteObject(strip);
    return list;
}

HTREEITEM AddFolder(HWND tree, HTREEITEM parent, const char* name)
{
    TVINSERTSTRUCT ins = {};
    ins.hParent = parent;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    ins.item.pszText = (LPSTR)name;
    ins.item.iImage = 0;
    ins.item.iSelectedImage = 1;
    return (HTREEITEM)SendMessage(tree, TVM_INSERTITEM, 0, (LPARAM)&ins);
}

void FillTree(HWND tree)
{
    HTREEITEM root = AddFolder(tree, TVI_ROOT, "내 사진");
    HTREEITEM trips = AddFolder(tree, root, "여행");
    AddFolder(tree, trips, "제주도 2006");
    HTREEITEM busan = AddFolder(tree, trips, "부산 해운대");
    AddFolder(tree, trips, "설악산 단풍");
    HTREEITEM family = AddFolder(tree, root, "가족");
    AddFolder(tree, family, "돌잔치");
    AddFolder(tree, family, "추석");
    AddFolder(tree, root, "스캔한 사진");
    AddFolder(tree, TVI_ROOT, "바탕 화면");
    SendMessage(tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)root);
    SendMessage(tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)trips);
    SendMessage(tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)busan);
}

void FillList(HWND list)
{
    SendMessage(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    const char* titles[] = {"파일 이름", "크기", "찍은 날짜"};
    const int widths[] = {130, 60, 90};
    const int formats[] = {LVCFMT_LEFT, LVCFMT_RIGHT, LVCFMT_LEFT};
    for (int i = 0; i < 3; ++i) {
        LVCOLUMN col = {LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM};
        col.pszText = (LPSTR)titles[i];
        col.cx = widths[i];
        col.fmt = formats[i];
        col.iSubItem = i;
        SendMessage(list, LVM_INSERTCOLUMN, i, (LPARAM)&col);
    }
    const char* rows[][3] = {
        {"해변 산책.jpg", "1,204 KB", "2006-08-12"}, {"광안대교 야경.jpg", "2,310 KB", "2006-08-12"},
        {"자갈치 시장.jpg", "987 KB", "2006-08-13"},  {"동백섬.jpg", "1,540 KB", "2006-08-13"},
        {"가족 사진.jpg", "1,876 KB", "2006-08-14"},  {"해돋이.jpg", "2,045 KB", "2006-08-15"},
    };
    for (int i = 0; i < 6; ++i) {
        LVITEM item = {LVIF_TEXT | LVIF_IMAGE};
        item.iItem = i;
        item.pszText = (LPSTR)rows[i][0];
        item.iImage = 2;
        SendMessage(list, LVM_INSERTITEM, 0, (LPARAM)&item);
        for (int s = 1; s < 3; ++s) {
            LVITEM sub = {};
            sub.iSubItem = s;
            sub.pszText = (LPSTR)rows[i][s];
            SendMessage(list, LVM_SETITEMTEXT, i, (LPARAM)&sub);
        }
        if (i == 0 || i == 1 || i == 4) {
            LVITEM check = {};
            check.stateMask = LVIS_STATEIMAGEMASK;
            check.state = INDEXTOSTATEIMAGEMASK(2);
            SendMessage(list, LVM_SETITEMSTATE, i, (LPARAM)&check);
        }
    }
    LVITEM sel = {};
    sel.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    sel.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessage(list, LVM_SETITEMSTATE, 1, (LPARAM)&sel);
}

// A folder of pictures for the file dialog to show.
std::string MakePictureFolder()
{
    const std::string folder = "C:\\tmp\\mivo_commctrl_shot";
    CreateDirectory(folder.c_str(), nullptr);
    CreateDirectory((folder + "\\여름 휴가").c_str(), nullptr);
    CreateDirectory((folder + "\\졸업식").c_str(), nullptr);
    for (const char* name : {"해변 산책.jpg", "광안대교 야경.jpg", "가족 사진.jpg", "메모.txt"}) {
        HANDLE h = CreateFile((folder + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
    }
    return folder;
}

// Photographs the file dialog once it is drawn, then cancels it.
void CALLBACK ShootFileDialog(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    Shoot("commctrl-filedialog");
    if (HWND dlg = GetActiveWindow()) {
        SaveSurface(dlg, "commctrl-filedialog-surface.ppm");
        PostMessage(dlg, WM_COMMAND, IDCANCEL, 0);
    }
}

INT_PTR CALLBACK SceneProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// A captioned dialog in 굴림 9 pt with no items of its own.
std::vector<WORD> SceneTemplate()
{
    std::vector<WORD> t;
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT | DS_MODALFRAME;
    t.push_back(LOWORD(style));
    t.push_back(HIWORD(style));
    t.push_back(0);
    t.push_back(0);
    t.push_back(0);
    t.push_back(10);
    t.push_back(10);
    t.push_back(330);
    t.push_back(185);
    t.push_back(0);
    t.push_back(0);
    for (char16_t c : std::u16string(u"사진 고르기"))
        t.push_back((WORD)c);
    t.push_back(0);
    t.push_back(9);
    for (char16_t c : std::u16string(u"굴림"))
        t.push_back((WORD)c);
    t.push_back(0);
    return t;
}

}  // namespace

int main()
{
    InitCommonControls();
    std::vector<WORD> tmpl = SceneTemplate();
    g_dialog = CreateDialogIndirect(nullptr, (LPCDLGTEMPLATE)tmpl.data(), nullptr, SceneProc);
    if (!g_dialog)
        return 1;
    HIMAGELIST icons = SmallIcons();
    Item("Static", "폴더(&F):", SS_LEFT, 10, 8, 150, 16, -1);
    HWND tree = Item(WC_TREEVIEW, "", TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_TABSTOP,
                     10, 26, 160, 210, kTree, WS_EX_CLIENTEDGE);
    SendMessage(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, (LPARAM)icons);
    FillTree(tree);
    Item("Static", "인화할 사진(&P):", SS_LEFT, 180, 8, 200, 16, -1);
    HWND list = Item(WC_LISTVIEW, "", LVS_REPORT | LVS_SHOWSELALWAYS | WS_TABSTOP, 180, 26, 300, 210, kList,
                     WS_EX_CLIENTEDGE);
    SendMessage(list, LVM_SETIMAGELIST, LVSIL_SMALL, (LPARAM)icons);
    FillList(list);
    Item("Button", "확인", BS_DEFPUSHBUTTON | WS_TABSTOP, 324, 246, 75, 23, IDOK);
    Item("Button", "취소", BS_PUSHBUTTON | WS_TABSTOP, 405, 246, 75, 23, IDCANCEL);
    ShowWindow(g_dialog, SW_SHOW);
    SetForegroundWindow(g_dialog);
    SetFocus(list);
    Settle(g_dialog);
    Shoot("commctrl-dialog");

    std::string folder = MakePictureFolder();
    char file[MAX_PATH] = "";
    OPENFILENAME ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = g_dialog;
    ofn.lpstrFilter = "모든 파일 (*.*)\0*.*\0";
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof(file);
    ofn.lpstrInitialDir = folder.c_str();
    ofn.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    SetTimer(nullptr, 0, 3000, ShootFileDialog);
    GetOpenFileName(&ofn);
    DestroyWindow(g_dialog);
    ImageList_Destroy(icons);
    return 0;
}
