// Shows the library's own controls to be checked by eye: a Korean dialog with
// a date field holding the focus, a number field, a combo box with codes, an
// image button under the mouse, a plain one, a latched check button, shade
// buttons, a link label and the digital clock at 07:05:09.
#include "ShotSupport.h"

#include "controls/CheckButton.h"
#include "controls/DigitalClock.h"
#include "controls/ImageButton.h"
#include "controls/ShadeButton.h"
#include "controls/VXComboBox.h"
#include "controls/VXEdit.h"
#include "controls/VXStatic.h"

#include <mivo/testing/input.h>

#include <string>
#include <vector>

namespace {

enum { kDate = 100, kNumber, kCombo, kOpen, kOk, kPin, kShadeMetal, kShadeBevel, kLink, kClock };

std::vector<WORD> DialogTemplate()
{
    std::vector<WORD> t;
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT | DS_MODALFRAME;
    for (WORD w : {LOWORD(style), HIWORD(style), (WORD)0, (WORD)0, (WORD)0, (WORD)10, (WORD)10, (WORD)300,
                   (WORD)170, (WORD)0, (WORD)0})
        t.push_back(w);
    for (char16_t c : std::u16string(u"컨트롤 보기"))
        t.push_back((WORD)c);
    t.push_back(0);
    t.push_back(9);
    for (char16_t c : std::u16string(u"굴림"))
        t.push_back((WORD)c);
    t.push_back(0);
    return t;
}

INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

HWND Item(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int cx, int cy, int id)
{
    HWND h = CreateWindowEx(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, cx, cy, parent, (HMENU)(UINT_PTR)id,
                            nullptr, nullptr);
    HFONT font = (HFONT)SendMessage(parent, WM_GETFONT, 0, 0);
    SendMessage(h, WM_SETFONT, (WPARAM)(font ? font : GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return h;
}

// A small folder picture on magenta, the key colour that the button leaves out.
HBITMAP FolderPicture()
{
    CClientDC screen(nullptr);
    CBitmap picture;
    picture.CreateCompatibleBitmap(&screen, 20, 16);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap* old = dc.SelectObject(&picture);
    dc.FillSolidRect(0, 0, 20, 16, RGB(255, 0, 255));
    dc.FillSolidRect(1, 2, 8, 3, RGB(230, 170, 40));
    dc.FillSolidRect(1, 4, 18, 11, RGB(250, 200, 60));
    dc.FillSolidRect(1, 14, 18, 1, RGB(150, 100, 20));
    dc.SelectObject(old);
    return (HBITMAP)picture.Detach();
}

struct Scene {
    CWnd dialog;
    CVXEdit date, number;
    CVXComboBox combo;
    CImageButton open, ok;
    CCheckButton pin;
    CShadeButton metal, bevel;
    CVXStatic link;
    CDigitalClock clock;

    void Build(HWND dlg)
    {
        dialog.SubclassWindow(dlg);
        date.SubclassWindow(Item(dlg, "Edit", "", WS_BORDER | WS_TABSTOP, 12, 12, 120, 22, kDate));
        date.SetDateMode(TRUE);
        date.SetEditCompactDate("20241225");
        number.SubclassWindow(Item(dlg, "Edit", "", WS_BORDER | WS_TABSTOP | ES_RIGHT, 12, 42, 120, 22, kNumber));
        number.m_bNumeric = TRUE;
        number.SetDecimals(2);
        number.SetValue(1234567.891);
        combo.SubclassWindow(Item(dlg, "ComboBox", "", CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, 12, 72, 120, 120,
                                  kCombo));
        combo.AddStringCode("서울특별시", "SEL");
        combo.AddStringCode("부산광역시", "PUS");
        combo.SetCurSel(1);
        open.SubclassWindow(Item(dlg, "Button", "열기", BS_PUSHBUTTON | WS_TABSTOP, 150, 12, 90, 30, kOpen));
        open.SetBitmaps(FolderPicture(), RGB(255, 0, 255));
        open.SetColor(CImageButton::COLOR_BK_IN, RGB(200, 225, 250));
        ok.SubclassWindow(Item(dlg, "Button", "확인", BS_DEFPUSHBUTTON | WS_TABSTOP, 250, 12, 90, 30, IDOK));
        ok.SetFlat(FALSE);
        pin.SubclassWindow(Item(dlg, "Button", "고정", BS_PUSHBUTTON | WS_TABSTOP, 150, 50, 90, 28, kPin));
        pin.SetCheckState(1);
        metal.SubclassWindow(Item(dlg, "Button", "금속", BS_PUSHBUTTON, 250, 50, 90, 28, kShadeMetal));
        metal.SetShade(CShadeButton::SHS_METAL, 8, 20, 20, RGB(90, 110, 160));
        bevel.SubclassWindow(Item(dlg, "Button", "보내기", BS_PUSHBUTTON, 250, 86, 90, 28, kShadeBevel));
        bevel.SetShade(CShadeButton::SHS_HARDBUMP, 8, 20, 30, RGB(40, 140, 60));
        link.SubclassWindow(Item(dlg, "Static", "홈페이지 열기", SS_NOTIFY, 150, 92, 90, 16, kLink));
        link.onClickDoShellCommand("http://example.com/");
        link.setLinkColorUnvisited(RGB(0, 0, 255));
        clock.Create(AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(12, 124, 252, 170), &dialog, kClock);
        clock.Init(CRect(0, 0, 240, 46), 6, 6, 5, 3);
        _TIME_ time = {7, 5, 9};
        clock.SetTime(time, 1);
    }
};

void ShowScene()
{
    std::vector<WORD> tmpl = DialogTemplate();
    HWND dlg = CreateDialogIndirect(nullptr, (LPCDLGTEMPLATE)tmpl.data(), nullptr, DialogProc);
    if (!dlg)
        return;
    Scene scene;
    scene.Build(dlg);
    ShowWindow(dlg, SW_SHOW);
    SetForegroundWindow(dlg);
    Settle(dlg);
    scene.date.SetFocus();
    scene.date.SetSel(5, 5);
    RECT r;
    GetWindowRect(scene.open.m_hWnd, &r);
    mivo::InjectMouseMove(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    Settle(dlg);
    Shoot("vxcontrols-dialog");
    SaveSurface(dlg, "vxcontrols-surface.ppm");
    scene.dialog.UnsubclassWindow();
    DestroyWindow(dlg);
}

}  // namespace

int main()
{
    ShowScene();
    return 0;
}
