// A frame whose context menu is a CVXMenu with toolbar images, Korean texts,
// accelerators, checked and radio items, disabled items, separators and a
// submenu; photographed open in the XP look, then in the classic look.
#include "ShotSupport.h"
#include "controls/VXMenu.h"

#include <mfc.h>
#include <mivo/resources.h>
#include <mivo/testing/input.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

const WORD kToolbarId = 7601;
const WORD kMenuId = 7602;
const UINT kShotTimer = 7;
enum : UINT {
    kNew = 32801, kOpen, kSave, kRuler, kZoom, kSmall, kLarge, kPrint, kExit, kRecent1, kRecent2
};

// --- the toolbar picture, drawn here: new page, folder, disk, magnifier, printer

const int kCell = 16, kHeight = 15, kButtons = 5;

void Box(HDC dc, int l, int t, int r, int b, COLORREF fill, COLORREF edge)
{
    HBRUSH brush = CreateSolidBrush(fill);
    HPEN pen = CreatePen(PS_SOLID, 1, edge);
    HGDIOBJ ob = SelectObject(dc, brush), op = SelectObject(dc, pen);
    Rectangle(dc, l, t, r, b);
    SelectObject(dc, ob);
    SelectObject(dc, op);
    DeleteObject(brush);
    DeleteObject(pen);
}

void DrawButtons(HDC dc)
{
    RECT all = {0, 0, kCell * kButtons, kHeight};
    HBRUSH grey = CreateSolidBrush(RGB(192, 192, 192));
    FillRect(dc, &all, grey);
    DeleteObject(grey);
    Box(dc, 3, 1, 13, 14, RGB(255, 255, 255), RGB(0, 0, 0));                 // new page
    Box(dc, 16 + 1, 4, 16 + 15, 13, RGB(240, 200, 40), RGB(128, 96, 0));     // folder
    Box(dc, 16 + 1, 2, 16 + 7, 5, RGB(240, 200, 40), RGB(128, 96, 0));
    Box(dc, 32 + 1, 1, 32 + 15, 14, RGB(40, 70, 190), RGB(0, 0, 80));        // disk
    Box(dc, 32 + 4, 2, 32 + 12, 7, RGB(255, 255, 255), RGB(0, 0, 80));
    HBRUSH glass = CreateSolidBrush(RGB(170, 220, 255));
    HPEN rim = CreatePen(PS_SOLID, 2, RGB(60, 60, 60));
    HGDIOBJ ob = SelectObject(dc, glass), op = SelectObject(dc, rim);
    Ellipse(dc, 48 + 2, 1, 48 + 11, 10);                                      // magnifier
    MoveToEx(dc, 48 + 10, 9, nullptr);
    LineTo(dc, 48 + 14, 13);
    SelectObject(dc, ob);
    SelectObject(dc, op);
    DeleteObject(glass);
    DeleteObject(rim);
    Box(dc, 64 + 4, 1, 64 + 12, 6, RGB(255, 255, 255), RGB(0, 0, 0));        // printer
    Box(dc, 64 + 1, 5, 64 + 15, 12, RGB(150, 150, 150), RGB(0, 0, 0));
    Box(dc, 64 + 11, 7, 64 + 13, 9, RGB(0, 200, 0), RGB(0, 120, 0));
}

std::vector<BYTE> ToolbarBitmap()
{
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = kCell * kButtons;
    header.biHeight = kHeight;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP dib = CreateDIBSection(dc, (BITMAPINFO*)&header, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, dib);
    DrawButtons(dc);
    GdiFlush();
    size_t stride = ((size_t)header.biWidth * 3 + 3) & ~(size_t)3;
    std::vector<BYTE> out(sizeof(header) + stride * kHeight);
    std::memcpy(out.data(), &header, sizeof(header));
    std::memcpy(out.data() + sizeof(header), bits, stride * kHeight);
    SelectObject(dc, old);
    DeleteObject(dib);
    DeleteDC(dc);
    return out;
}

std::vector<BYTE> ToolbarData()
{
    const WORD words[] = {1, 16, 15, 6, (WORD)kNew, (WORD)kOpen, (WORD)kSave, 0, (WORD)kZoom, (WORD)kPrint};
    std::vector<BYTE> out;
    for (WORD w : words) {
        out.push_back((BYTE)(w & 0xFF));
        out.push_back((BYTE)(w >> 8));
    }
    return out;
}

// The menu resource: one popup of the menu bar, as the resource compiler lays it out.
struct Entry {
    WORD flags;
    WORD id;
    const char16_t* text;
};

std::vector<BYTE> MenuTemplate()
{
    const WORD popup = MF_POPUP, end = MF_END, sep = 0;
    const Entry entries[] = {
        {popup | end, 0, u"보기(&V)"},
        {0, (WORD)kNew, u"새 앨범(&N)\tCtrl+N"},
        {0, (WORD)kOpen, u"사진 열기(&O)...\tCtrl+O"},
        {0, (WORD)kSave, u"저장(&S)\tCtrl+S"},
        {sep, 0, u""},
        {0, (WORD)kRuler, u"눈금자(&R)"},
        {0, (WORD)kZoom, u"확대 보기(&Z)\tCtrl+Z"},
        {0, (WORD)kSmall, u"작은 그림(&1)"},
        {0, (WORD)kLarge, u"큰 그림(&2)"},
        {sep, 0, u""},
        {popup, 0, u"최근 파일(&F)"},
        {0, (WORD)kRecent1, u"&1 제주도 여행.jpg"},
        {end, (WORD)kRecent2, u"&2 가족 사진.jpg"},
        {0, (WORD)kPrint, u"인쇄(&P)...\tCtrl+P"},
        {end, (WORD)kExit, u"끝내기(&X)\tAlt+F4"},
    };
    std::vector<BYTE> out(4, 0);
    auto put = [&out](WORD w) {
        out.push_back((BYTE)(w & 0xFF));
        out.push_back((BYTE)(w >> 8));
    };
    for (const Entry& e : entries) {
        put(e.flags);
        if (!(e.flags & MF_POPUP))
            put(e.id);
        for (const char16_t* c = e.text; *c; ++c)
            put((WORD)*c);
        put(0);
    }
    return out;
}

// --- the frame

class CShotFrame : public CFrameWnd {
public:
    CShotFrame() { Create(nullptr, "메뉴 모양", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(30, 30, 560, 440)); }
    CVXMenu m_menu;
    CVXMenu* m_popup = nullptr;
    const char* m_shotName = nullptr;
    bool m_shot = false;

    void Build()
    {
        m_menu.LoadMenu(kMenuId);
        UINT toolbars[] = {kToolbarId};
        m_menu.LoadToolbars(toolbars, 1);
        m_popup = dynamic_cast<CVXMenu*>(m_menu.GetSubMenu(0));
    }

    void Photograph(const char* name)
    {
        m_shotName = name;
        m_shot = false;
        // Down twice: the second item shows selected.
        for (int i = 0; i < 2; ++i) {
            mivo::InjectKey(VK_DOWN, true);
            mivo::InjectKey(VK_DOWN, false);
        }
        CPoint at(120, 110);
        ClientToScreen(&at);
        if (m_popup)
            m_popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RETURNCMD, at.x, at.y, this);
    }

    afx_msg void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu)
    {
        CFrameWnd::OnInitMenuPopup(popup, index, sysMenu);
        if (!sysMenu && CVXMenu::IsMenu(popup))
            CVXMenu::UpdateMenu(popup);
    }
    afx_msg LRESULT OnMenuChar(UINT ch, UINT flags, CMenu* menu)
    {
        if (CVXMenu::IsMenu(menu))
            return CVXMenu::FindKeyboardShortcut(ch, flags, menu);
        return CFrameWnd::OnMenuChar(ch, flags, menu);
    }
    afx_msg void OnMeasureItem(int id, LPMEASUREITEMSTRUCT mis)
    {
        HMENU item = (HMENU)(UINT_PTR)mis->itemID;
        if (mis->CtlType == ODT_MENU && ::IsMenu(item) && CVXMenu::IsMenu(item)) {
            m_menu.MeasureItem(mis);
            return;
        }
        CFrameWnd::OnMeasureItem(id, mis);
    }
    afx_msg void OnEnterIdle(UINT, CWnd*)
    {
        if (!m_shot) {
            m_shot = true;
            SetTimer(kShotTimer, 1500, nullptr);
        }
    }
    afx_msg void OnTimer(UINT_PTR id)
    {
        if (id != kShotTimer)
            return;
        KillTimer(kShotTimer);
        HWND popup = ::FindWindow("#32768", nullptr);
        if (popup)
            ::RedrawWindow(popup, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        Settle();
        Shoot(m_shotName);
        SaveComposite(m_hWnd, m_shotName);
        ::EndMenu();
    }
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        CRect r;
        GetClientRect(&r);
        dc.FillSolidRect(&r, ::GetSysColor(COLOR_APPWORKSPACE));
    }
    void OnUpdateRuler(CCmdUI* ui) { ui->SetCheck(1); }
    void OnUpdateZoom(CCmdUI* ui) { ui->SetCheck(1); }
    void OnUpdateSmall(CCmdUI* ui) { ui->SetRadio(TRUE); }
    void OnUpdateLarge(CCmdUI* ui) { ui->SetRadio(FALSE); }
    void OnUpdateOff(CCmdUI* ui) { ui->Enable(FALSE); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CShotFrame, CFrameWnd)
ON_WM_INITMENUPOPUP()
ON_WM_MENUCHAR()
ON_WM_MEASUREITEM()
ON_WM_ENTERIDLE()
ON_WM_TIMER()
ON_WM_PAINT()
ON_UPDATE_COMMAND_UI(kRuler, OnUpdateRuler)
ON_UPDATE_COMMAND_UI(kZoom, OnUpdateZoom)
ON_UPDATE_COMMAND_UI(kSmall, OnUpdateSmall)
ON_UPDATE_COMMAND_UI(kLarge, OnUpdateLarge)
ON_UPDATE_COMMAND_UI(kSave, OnUpdateOff)
ON_UPDATE_COMMAND_UI(kExit, OnUpdateOff)
END_MESSAGE_MAP()

}  // namespace

int main()
{
    std::vector<BYTE> bitmap = ToolbarBitmap(), toolbar = ToolbarData(), menu = MenuTemplate();
    const mivo::ResourceEntry entries[] = {
        {241, nullptr, kToolbarId, nullptr, toolbar.data(), (DWORD)toolbar.size()},
        {2, nullptr, kToolbarId, nullptr, bitmap.data(), (DWORD)bitmap.size()},
        {4, nullptr, kMenuId, nullptr, menu.data(), (DWORD)menu.size()},
    };
    const mivo::ResourceTable table = {entries, 3};
    mivo::RegisterModuleResources("vxmenu_scene", &table, false);

    CWinApp app("메뉴 장면");
    auto* frame = new CShotFrame;
    frame->m_bAutoMenuEnable = FALSE;
    app.m_pMainWnd = frame;
    frame->SetForegroundWindow();
    Settle();

    CVXMenu::SetMenuDrawMode(1);
    frame->Build();
    frame->Photograph("vxmenu-xp");
    Settle();

    CVXMenu::SetMenuDrawMode(0);
    frame->Build();
    frame->Photograph("vxmenu-classic");
    Settle();

    frame->m_menu.DestroyMenu();
    frame->DestroyWindow();
    Settle();
    mivo::UnregisterModuleResources(&table);
    return 0;
}
