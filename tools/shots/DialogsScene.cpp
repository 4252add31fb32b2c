// The library's base dialog and message box, to be checked by eye: the question box asking about
// an existing file with four icon buttons on its two rows, and a dialog over a tiled background
// picture whose labels and check box let the picture through while the edit field stays white.
#include "ShotSupport.h"
#include <mfc.h>

#include "dialogs/DlgVXMsgBox.h"
#include "dialogs/VXDialog.h"
#include "mivo/modules.h"
#include "mivo/resources.h"
#include "res/resource.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

const WORD kBackDialog = 31400;
const WORD kTile = 31401;
const char kBoxCaption[] = "파일 있음";

void PutText(std::vector<WORD>& t, const std::u16string& s)
{
    for (char16_t c : s)
        t.push_back((WORD)c);
    t.push_back(0);
}

void PutLong(std::vector<WORD>& t, DWORD v)
{
    t.push_back(LOWORD(v));
    t.push_back(HIWORD(v));
}

struct Control {
    WORD atom;  // 0x80 button, 0x81 edit, 0x82 static
    std::u16string text;
    DWORD style;
    short x, y, cx, cy;
    WORD id;
};

std::vector<WORD> DialogTemplate(const std::u16string& title, short cx, short cy, const std::vector<Control>& controls)
{
    std::vector<WORD> t;
    PutLong(t, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT);
    PutLong(t, 0);
    t.push_back((WORD)controls.size());
    for (short v : {(short)0, (short)0, cx, cy})
        t.push_back((WORD)v);
    t.push_back(0);
    t.push_back(0);
    PutText(t, title);
    t.push_back(9);
    PutText(t, u"돋움");
    for (const Control& c : controls) {
        if (t.size() % 2)
            t.push_back(0);
        PutLong(t, WS_CHILD | WS_VISIBLE | c.style);
        PutLong(t, 0);
        for (short v : {c.x, c.y, c.cx, c.cy})
            t.push_back((WORD)v);
        t.push_back(c.id);
        t.push_back(0xFFFF);
        t.push_back(c.atom);
        PutText(t, c.text);
        t.push_back(0);
    }
    return t;
}

// A 24 x 24 tile of pale paper with a blue diamond, as a bitmap resource (header and rows).
std::vector<BYTE> TileBitmap()
{
    const int n = 24, rowBytes = n * 3;
    std::vector<BYTE> bytes(sizeof(BITMAPINFOHEADER) + rowBytes * n);
    BITMAPINFOHEADER h = {};
    h.biSize = sizeof(h);
    h.biWidth = n;
    h.biHeight = n;
    h.biPlanes = 1;
    h.biBitCount = 24;
    memcpy(bytes.data(), &h, sizeof(h));
    for (int y = 0; y < n; ++y) {
        BYTE* row = bytes.data() + sizeof(h) + (n - 1 - y) * rowBytes;
        for (int x = 0; x < n; ++x) {
            const int d = abs(x - 12) + abs(y - 12);
            COLORREF c = RGB(250, 244, 226);
            if (d == 8)
                c = RGB(110, 150, 210);
            else if (d < 8)
                c = RGB(214, 228, 246);
            if (x == 0 || y == 0)
                c = RGB(236, 226, 200);
            row[x * 3] = GetBValue(c);
            row[x * 3 + 1] = GetGValue(c);
            row[x * 3 + 2] = GetRValue(c);
        }
    }
    return bytes;
}

class CBackDialog : public CVXDialog {
public:
    CBackDialog() : CVXDialog(kBackDialog) { m_strProfileName = "ShotBack"; }
    BOOL OnInitDialog() override
    {
        SetBackImg(kTile);
        CVXDialog::OnInitDialog();
        return TRUE;
    }
};

void CALLBACK ShootBox(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(nullptr, timer);
    HWND box = ::FindWindow(nullptr, kBoxCaption);
    if (!box)
        return;
    ::SetWindowPos(box, nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Settle(box);
    Shoot("vxmsgbox");
    SaveSurface(box, "vxmsgbox.ppm");
    ::PostMessage(box, WM_COMMAND, IDCANCEL, 0);
}

void ShowMessageBox()
{
    ::SetTimer(nullptr, 0, 300, ShootBox);
    VxMsgBox(kBoxCaption, "같은 이름의 파일이 이미 있습니다.\n\n사진.jpg", "덮어쓰기", IDI_VX_OK, "건너뛰기",
             IDI_VX_FOLDER, "", -1, "", -1, "새 이름", IDI_VX_QUESTION, "취소", IDI_VX_CANCEL, "", -1);
    Settle();
}

void ShowBackground()
{
    CBackDialog dlg;
    if (!dlg.Create(kBackDialog, nullptr))
        return;
    dlg.SetWindowPos(nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    dlg.ShowWindow(SW_SHOW);
    Settle(dlg.m_hWnd);
    Shoot("vxdialog_background");
    SaveSurface(dlg.m_hWnd, "vxdialog_background.ppm");
    dlg.DestroyWindow();
    Settle();
}

}  // namespace

int main()
{
    CWinApp app("Mivo");
    const std::vector<WORD> back = DialogTemplate(
        u"배경 그림", 220, 120,
        {{0x82, u"앨범 이름", 0, 10, 12, 50, 10, 100},
         {0x81, u"여름 여행", WS_BORDER, 64, 10, 140, 12, 101},
         {0x82, u"사진 크기", 0, 10, 32, 50, 10, 102},
         {0x82, u"1024 × 768 (세로 사진은 돌려서 맞춤)", 0, 64, 32, 150, 10, 103},
         {0x80, u"모든 사진에 적용", BS_AUTOCHECKBOX, 10, 52, 120, 12, 104},
         {0x80, u"원본 파일 남기기", BS_AUTORADIOBUTTON, 10, 68, 120, 12, 105},
         {0x80, u"확인", BS_DEFPUSHBUTTON, 104, 96, 50, 14, IDOK},
         {0x80, u"취소", BS_PUSHBUTTON, 158, 96, 50, 14, IDCANCEL}});
    const std::vector<BYTE> tile = TileBitmap();
    std::vector<mivo::ResourceEntry> entries = {
        {5, nullptr, kBackDialog, nullptr, (const BYTE*)back.data(), (DWORD)(back.size() * 2)},
        {2, nullptr, kTile, nullptr, tile.data(), (DWORD)tile.size()}};
    mivo::ResourceTable table = {entries.data(), entries.size()};
    mivo::RegisterModuleResources(mivo::ProgramModule(), &table, true);
    ShowMessageBox();
    ShowBackground();
    mivo::UnregisterModuleResources(&table);
    return 0;
}
