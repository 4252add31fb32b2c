// The library's bars and pages, photographed by scripts/screenshots.sh: a
// folder bar docked on the left (gripper, three folders in large icons, a
// hovered and a selected item), the same bar with its rounded caption, a page
// frame with two captioned pages (one collapsed), and the splash window.
#include "ShotSupport.h"
#include <mfc.h>
#include <mivo/modules.h>
#include <mivo/resources.h>
#include <mivo/testing/input.h>

#include "controls/SplashScreen.h"
#include "controls/VXDlgLayerFrame.h"
#include "controls/VXFolderBar.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

const WORD kColourPage = 31501, kSizePage = 31502;

// --- Dialog templates for the pages ----------------------------------------

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
};

std::vector<WORD> PageTemplate(short cy, const std::vector<Control>& controls)
{
    std::vector<WORD> t;
    PutLong(t, WS_CHILD | DS_CONTROL | DS_SETFONT);
    PutLong(t, 0);
    t.push_back((WORD)controls.size());
    for (short v : {(short)0, (short)0, (short)120, cy})
        t.push_back((WORD)v);
    t.push_back(0);
    t.push_back(0);
    PutText(t, u"");
    t.push_back(9);
    PutText(t, u"굴림");
    WORD id = 1000;
    for (const Control& c : controls) {
        if (t.size() % 2)
            t.push_back(0);
        PutLong(t, WS_CHILD | WS_VISIBLE | c.style);
        PutLong(t, 0);
        for (short v : {c.x, c.y, c.cx, c.cy})
            t.push_back((WORD)v);
        t.push_back(id++);
        t.push_back(0xFFFF);
        t.push_back(c.atom);
        PutText(t, c.text);
        t.push_back(0);
    }
    return t;
}

// --- Pictures ---------------------------------------------------------------

void DrawPicture(CDC& dc, int x, int size, COLORREF body, COLORREF mark, int kind)
{
    CRect r(x + 1, 1, x + size - 1, size - 1);
    CBrush fill(body);
    CPen edge(PS_SOLID, 1, RGB(40, 40, 40));
    CBrush* oldBrush = dc.SelectObject(&fill);
    CPen* oldPen = dc.SelectObject(&edge);
    if (kind == 0) {
        dc.Rectangle(&r);
        CBrush sun(mark);
        dc.SelectObject(&sun);
        dc.Ellipse(x + size / 2, size / 5, x + size * 4 / 5, size / 2);
    } else if (kind == 1) {
        dc.RoundRect(&r, CPoint(size / 4, size / 4));
        dc.FillSolidRect(x + size / 4, size / 3, size / 2, size / 8, mark);
    } else {
        dc.Ellipse(&r);
        dc.FillSolidRect(x + size / 3, size / 3, size / 3, size / 3, mark);
    }
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
}

void FillImages(CImageList& list, int size)
{
    list.Create(size, size, ILC_COLOR24 | ILC_MASK, 6, 0);
    CClientDC screen(nullptr);
    CBitmap strip;
    strip.CreateCompatibleBitmap(&screen, size * 6, size);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap* old = dc.SelectObject(&strip);
    dc.FillSolidRect(0, 0, size * 6, size, RGB(255, 0, 255));
    const COLORREF bodies[6] = {RGB(120, 180, 240), RGB(250, 210, 90), RGB(120, 200, 120),
                                RGB(240, 140, 120), RGB(190, 150, 230), RGB(240, 240, 240)};
    for (int i = 0; i < 6; ++i)
        DrawPicture(dc, i * size, size, bodies[i], RGB(230, 60, 40), i % 3);
    dc.SelectObject(old);
    list.Add(&strip, RGB(255, 0, 255));
}

// A 24-bit BMP: a blue gradient with the product's name.
std::string WriteSplashPicture()
{
    const int w = 360, h = 200;
    CClientDC screen(nullptr);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP section = ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(dc, section);
    for (int y = 0; y < h; ++y)
        dc.FillSolidRect(0, y, w, 1, RGB(20 + y / 4, 60 + y / 3, 150 + y / 3));
    CFont font;
    font.CreatePointFont(280, "돋움");
    CFont* oldFont = dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(255, 255, 255));
    CRect title(0, 40, w, 110);
    dc.DrawText("Mivo 사진", &title, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
    CFont small;
    small.CreatePointFont(100, "굴림");
    dc.SelectObject(&small);
    CRect line(0, 130, w, 160);
    dc.DrawText("시작하는 중입니다...", &line, DT_CENTER | DT_SINGLELINE);
    dc.SelectObject(oldFont);
    const int stride = (w * 3 + 3) & ~3;
    std::vector<unsigned char> file;
    auto put = [&file](unsigned value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            file.push_back((unsigned char)(value >> (8 * i)));
    };
    put(0x4D42, 2);
    put(54 + stride * h, 4);
    put(0, 4);
    put(54, 4);
    put(40, 4);
    put(w, 4);
    put(h, 4);
    put(1, 2);
    put(24, 2);
    for (int i = 0; i < 6; ++i)
        put(0, 4);
    const unsigned char* rows = static_cast<const unsigned char*>(bits);
    file.insert(file.end(), rows, rows + stride * h);
    const std::string path = "/tmp/mivo-splash-shot.bmp";
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(file.data(), 1, file.size(), f);
        std::fclose(f);
    }
    ::SelectObject(dc, old);
    ::DeleteObject(section);
    return "C:" + path;
}

void FillFolders(CVXFolderBar& bar, CImageList& large, CImageList& small)
{
    bar.SetImageList(&large, 2);
    bar.SetImageList(&small, 1);
    bar.AddFolder("미디어 탐색", 0);
    bar.AddFolder("앨범", 1);
    bar.AddFolder("주문", 2);
    const char* items[] = {"내 사진", "바탕 화면", "디지털 카메라", "스캐너", "최근 파일"};
    for (int i = 0; i < 5; ++i)
        bar.InsertItem(0, -1, items[i], i, i);
    bar.InsertItem(1, -1, "가족 여행", 0, 0);
    bar.InsertItem(2, -1, "인화 주문", 3, 0);
    bar.SetColors(RGB(58, 110, 165), RGB(58, 110, 165), RGB(255, 255, 255), RGB(255, 255, 0));
    bar.ModifyFlag(0, OBF_SELHIGHLIGHT);
    bar.SetSelState(0, 2, 1);
}

void ShowFolderBar()
{
    CFrameWnd* frame = new CFrameWnd;
    if (!frame->Create(nullptr, "Mivo - 폴더 막대", WS_OVERLAPPEDWINDOW, CRect(10, 10, 600, 560)))
        return;
    frame->EnableDocking(CBRS_ALIGN_ANY);
    CVXFolderBar bar;
    CString title = "폴더";
    bar.Create(frame, title, WS_CHILD | WS_VISIBLE | CBRS_LEFT);
    bar.EnableDocking(CBRS_ALIGN_ANY);
    CImageList large, small;
    FillImages(large, 32);
    FillImages(small, 16);
    FillFolders(bar, large, small);
    frame->DockControlBar(&bar, AFX_IDW_DOCKBAR_LEFT);
    frame->ShowWindow(SW_SHOW);
    frame->RecalcLayout();
    Settle();
    // Select the third item with a click (its release waits in the queue), then hover the first.
    CVXOutBarCtrl* out = bar.GetOutBar();
    CRect icon;
    out->GetIconRect(0, 2, icon);
    CPoint press = icon.CenterPoint();
    out->ClientToScreen(&press);
    mivo::InjectMouseButton(press, mivo::MouseButton::Left, false);
    out->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(icon.CenterPoint().x, icon.CenterPoint().y));
    Settle();
    out->GetIconRect(0, 0, icon);
    out->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(icon.CenterPoint().x, icon.CenterPoint().y));
    Settle();
    Shoot("folderbar-left");
    SaveSurface(frame->m_hWnd, "folderbar-left-frame.ppm");
    bar.SetClassicGripper(FALSE);
    bar.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    bar.SendMessage(WM_NCPAINT, 1);
    Settle();
    Shoot("folderbar-caption");
    SaveSurface(frame->m_hWnd, "folderbar-caption-frame.ppm");
    frame->DestroyWindow();
    Settle();
}

void ShowPageFrame(CWinApp& app)
{
    CMDIFrameWnd* main = new CMDIFrameWnd;
    if (!main->Create(nullptr, "Mivo - 도구", WS_OVERLAPPEDWINDOW, CRect(10, 10, 600, 500)))
        return;
    app.m_pMainWnd = main;
    main->ShowWindow(SW_SHOW);
    CVXDlgLayerFrame* child = new CVXDlgLayerFrame;
    if (!child->LoadFrame(7401, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, main))
        return;
    child->SetFrameTitle("사진 보정");
    child->InsertDialogToLayer(new CDialog, (UINT)kColourPage, "색상", 1, -1);
    child->InsertDialogToLayer(new CDialog, (UINT)kSizePage, "크기", 1, -1);
    child->InsertDialogToLayer(new CDialog, (UINT)kColourPage, "효과", 1, -1);
    CVXDlgLayer* layer = child->GetLayer();
    layer->m_bNoPaint = FALSE;
    layer->SetPageState(layer->GetPageInfo(1), TRUE, TRUE, FALSE);
    child->MoveWindow(20, 20, 320, 380);
    child->ShowWindow(SW_SHOW);
    Settle();
    Shoot("pageframe");
    SaveSurface(main->m_hWnd, "pageframe-frame.ppm");
    main->DestroyWindow();
    Settle();
}

void ShowSplash()
{
    CSplashScreen splash;
    splash.SetSplashImage(WriteSplashPicture().c_str());
    if (!splash.Create())
        return;
    splash.UpdateWindow();
    Settle();
    Shoot("splash");
    SaveSurface(splash.m_hWnd, "splash-window.ppm");
    splash.DestroyWindow();
    Settle();
}

}  // namespace

int main()
{
    CWinApp app("Mivo");
    const std::vector<WORD> colour = PageTemplate(
        70, {{0x82, u"밝기", 0, 6, 8, 30, 10}, {0x81, u"50", WS_BORDER, 40, 6, 60, 12},
             {0x82, u"대비", 0, 6, 26, 30, 10}, {0x81, u"0", WS_BORDER, 40, 24, 60, 12},
             {0x80, u"적용", BS_PUSHBUTTON, 40, 46, 50, 14}});
    const std::vector<WORD> size = PageTemplate(
        50, {{0x82, u"너비", 0, 6, 8, 30, 10}, {0x81, u"1024", WS_BORDER, 40, 6, 60, 12},
             {0x82, u"높이", 0, 6, 26, 30, 10}, {0x81, u"768", WS_BORDER, 40, 24, 60, 12}});
    std::vector<mivo::ResourceEntry> entries = {
        {5, nullptr, kColourPage, nullptr, (const BYTE*)colour.data(), (DWORD)(colour.size() * 2)},
        {5, nullptr, kSizePage, nullptr, (const BYTE*)size.data(), (DWORD)(size.size() * 2)}};
    mivo::ResourceTable table = {entries.data(), entries.size()};
    mivo::RegisterModuleResources(mivo::ProgramModule(), &table, true);
    ShowFolderBar();
    ShowPageFrame(app);
    ShowSplash();
    mivo::UnregisterModuleResources(&table);
    return 0;
}
