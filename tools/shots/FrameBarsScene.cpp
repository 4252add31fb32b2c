// The main frame's bars, photographed by scripts/screenshots.sh: a tool bar
// and an HTML band in a rebar, a side bar docked with its gripper, a floating
// tool bar, and a status bar holding a progress bar.
#include "ShotSupport.h"
#include "support/LoopbackHttpServer.h"
#include <mfc.h>

#include <string>

namespace {

// Button images drawn in the tool bar strips' colours: black, greys and
// white on light grey, one coloured mark each.
HBITMAP DrawStrip(int images)
{
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP strip = ::CreateCompatibleBitmap(screen, images * 16, 15);
    HGDIOBJ old = ::SelectObject(dc, strip);
    RECT all = {0, 0, images * 16, 15};
    HBRUSH grey = ::CreateSolidBrush(RGB(192, 192, 192));
    ::FillRect(dc, &all, grey);
    ::DeleteObject(grey);
    const COLORREF marks[] = {RGB(0, 0, 255), RGB(0, 128, 0), RGB(255, 0, 0), RGB(128, 0, 128), RGB(0, 128, 128)};
    for (int i = 0; i < images; ++i) {
        int x = i * 16;
        RECT page = {x + 2, 1, x + 13, 14};
        HBRUSH white = ::CreateSolidBrush(RGB(255, 255, 255));
        ::FillRect(dc, &page, white);
        ::DeleteObject(white);
        ::FrameRect(dc, &page, (HBRUSH)::GetStockObject(BLACK_BRUSH));
        RECT mark = {x + 4, 4 + i % 3, x + 11, 9 + i % 3};
        HBRUSH colour = ::CreateSolidBrush(marks[i % 5]);
        ::FillRect(dc, &mark, colour);
        ::DeleteObject(colour);
        ::SetPixel(dc, x + 13, 14, RGB(128, 128, 128));
    }
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return strip;
}

void FillToolBar(CToolBar& bar, const UINT* ids, int count, int images)
{
    bar.SetButtons(ids, count);
    bar.SetBitmap(DrawStrip(images));
}

class CFolderBar : public CControlBar {
public:
    BOOL Create(CWnd* parent)
    {
        m_dwStyle = CBRS_LEFT | CBRS_GRIPPER;
        return CWnd::Create(AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW)), "Mivo Tool Box",
                            WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 0, 0), parent, 0xE840);
    }
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override
    {
        CSize size = bHorz ? CSize(300, 40) : CSize(170, 300);
        if (bStretch)
            (bHorz ? size.cx : size.cy) = 32767;
        return size;
    }
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
    void DoPaint(CDC* pDC) override
    {
        CRect rect;
        GetClientRect(&rect);
        pDC->FillSolidRect(rect, ::GetSysColor(COLOR_3DFACE));
        DrawBorders(pDC, rect);
        DrawGripper(pDC, rect);
        CRect inside;
        GetClientRect(&inside);
        CalcInsideRect(inside, FALSE);
        inside.DeflateRect(2, 2);
        const char* groups[] = {"미디어 탐색기", "앨범관리자", "편집도구함"};
        pDC->SetBkMode(TRANSPARENT);
        for (int i = 0; i < 3; ++i) {
            CRect button(inside.left, inside.top + i * 24, inside.right, inside.top + i * 24 + 22);
            pDC->Draw3dRect(button, ::GetSysColor(COLOR_3DHILIGHT), ::GetSysColor(COLOR_3DSHADOW));
            pDC->DrawText(groups[i], -1, button, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
        CRect pane(inside.left, inside.top + 74, inside.right, inside.bottom);
        pDC->FillSolidRect(pane, RGB(255, 255, 255));
    }
};

// The frame handles the buttons' commands, so that idle leaves them enabled.
class CSceneFrame : public CMDIFrameWnd {
public:
    void OnButton(UINT) {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSceneFrame, CMDIFrameWnd)
ON_COMMAND_RANGE(0x8101, 0x8113, OnButton)
END_MESSAGE_MAP()

}  // namespace

int main()
{
    const std::string html = "<html><body><b>Mivo</b> 인화 주문 - 새 앨범을 <a href='http://127.0.0.1/order'>주문하세요</a>"
                         "<script>ignored()</script></body></html>";
    mivotest::LoopbackHttpServer server(
        [html](const mivotest::HttpRequestRecord&) { return mivotest::HtmlReply(html); });
    int port = server.port();
    CWinApp app("Mivo");
    CMDIFrameWnd* frame = new CSceneFrame;
    if (!frame->Create(nullptr, "Mivo - 도구 모음", WS_OVERLAPPEDWINDOW, CRect(10, 10, 790, 590)))
        return 1;
    app.m_pMainWnd = frame;

    const UINT mainIds[] = {0x8101, ID_SEPARATOR, 0x8102, 0x8103, 0x8104, ID_SEPARATOR, 0x8105};
    CToolBar toolBar;
    toolBar.CreateEx(frame, TBSTYLE_FLAT | TBSTYLE_TRANSPARENT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_TOOLTIPS);
    toolBar.SetSizes(CSize(40, 38), CSize(16, 15));
    FillToolBar(toolBar, mainIds, 7, 5);
    const char* texts[] = {"Mivo홈", "", "음악", "인쇄", "인화", "", "작게"};
    for (int i = 0; i < 7; ++i)
        if (*texts[i])
            toolBar.SetButtonText(i, texts[i]);
    toolBar.GetToolBarCtrl().SetExtendedStyle(TBSTYLE_EX_DRAWDDARROWS);
    toolBar.SetButtonStyle(6, toolBar.GetButtonStyle(6) | TBBS_DROPDOWN);

    CHtmlView* page = dynamic_cast<CHtmlView*>(RUNTIME_CLASS(CHtmlView)->CreateObject());
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CHtmlView);
    page->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 260, 52), frame, 0xE841, &context);
    page->Navigate2(("http://127.0.0.1:" + std::to_string(port) + "/ad.html").c_str());

    CReBar reBar;
    reBar.Create(frame, RBS_BANDBORDERS, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | CBRS_TOP, AFX_IDW_REBAR);
    reBar.AddBar(&toolBar, nullptr, nullptr, RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP | RBBS_USECHEVRON);
    reBar.AddBar(page, "광고", nullptr, RBBS_FIXEDSIZE | RBBS_FIXEDBMP);

    CStatusBar statusBar;
    statusBar.Create(frame);
    const UINT indicators[] = {ID_SEPARATOR, ID_SEPARATOR, ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                               ID_INDICATOR_SCRL};
    statusBar.SetIndicators(indicators, 6);
    statusBar.SetPaneInfo(1, ID_SEPARATOR, SBPS_NORMAL, 100);
    statusBar.SetPaneInfo(2, ID_SEPARATOR, SBPS_NORMAL, 180);
    statusBar.SetPaneText(2, "1024 x 768  100%");

    frame->EnableDocking(CBRS_ALIGN_ANY);
    CFolderBar folderBar;
    folderBar.Create(frame);
    folderBar.EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(&folderBar, AFX_IDW_DOCKBAR_LEFT);

    const UINT paletteIds[] = {0x8110, 0x8111, 0x8112, 0x8113};
    CToolBar palette;
    palette.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_SIZE_DYNAMIC, 0xE842);
    palette.SetWindowText("편집");
    FillToolBar(palette, paletteIds, 4, 4);
    palette.EnableDocking(CBRS_ALIGN_ANY);

    frame->ShowWindow(SW_SHOW);
    frame->RecalcLayout();
    Settle();
    CRect progressRect;
    statusBar.GetItemRect(1, &progressRect);
    CProgressCtrl progress;
    progress.Create(WS_CHILD | WS_VISIBLE | PBS_SMOOTH, progressRect, &statusBar, 1);
    progress.SetRange(0, 100);
    progress.SetPos(60);
    frame->FloatControlBar(&palette, CPoint(560, 360));
    frame->SetMessageText("사진 12장을 읽었습니다");
    app.OnIdle(0);
    Settle();
    Shoot("framebars");
    SaveSurface(frame->m_hWnd, "framebars-frame.ppm");
    SaveSurface(::GetAncestor(palette.m_hWnd, GA_ROOT), "framebars-floating.ppm");
    frame->DestroyWindow();
    Settle();
    return 0;
}
