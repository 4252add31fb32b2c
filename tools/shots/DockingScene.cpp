// An MDI frame with its bars, photographed by scripts/screenshots.sh: a bar
// docked on the left with its gripper, a floating bar in its small frame, a
// status strip, and an HTML view showing a page from a loopback server.
#include "ShotSupport.h"
#include "support/LoopbackHttpServer.h"
#include <mfc.h>
#include <mivo/testing/input.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

class CSceneBar : public CControlBar {
public:
    CSceneBar(CSize horz, CSize vert, COLORREF colour) : m_horz(horz), m_vert(vert), m_colour(colour) {}
    BOOL Create(CWnd* parent, DWORD style, UINT id, LPCSTR title)
    {
        m_dwStyle = style & CBRS_ALL;
        return CWnd::Create(AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW)), title,
                            WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | (style & ~CBRS_ALL), CRect(0, 0, 0, 0),
                            parent, id);
    }
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override
    {
        CSize size = bHorz ? m_horz : m_vert;
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
        CalcInsideRect(inside, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
        inside.DeflateRect(2, 2);
        pDC->FillSolidRect(inside, m_colour);
        CString title;
        GetWindowText(title);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(RGB(255, 255, 255));
        pDC->DrawText(title, inside, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }

private:
    CSize m_horz, m_vert;
    COLORREF m_colour;
};

}  // namespace

int main()
{
    const std::string html = "<html><body><p><b>Mivo</b> 인화 주문</p>새 앨범을 만들고 사진을 "
                         "<a href='http://127.0.0.1/order'>주문하세요</a>.<script>ignored()</script></body></html>";
    mivotest::LoopbackHttpServer server(
        [html](const mivotest::HttpRequestRecord&) { return mivotest::HtmlReply(html); });
    int port = server.port();
    CWinApp app("Mivo");
    CMDIFrameWnd* frame = new CMDIFrameWnd;
    if (!frame->Create(nullptr, "Mivo - 도킹", WS_OVERLAPPEDWINDOW, CRect(10, 10, 790, 590)))
        return 1;
    app.m_pMainWnd = frame;
    CSceneBar status(CSize(100, 22), CSize(22, 100), RGB(90, 90, 90));
    status.Create(frame, CBRS_BOTTOM, AFX_IDW_STATUS_BAR, "준비");
    frame->EnableDocking(CBRS_ALIGN_ANY);

    CSceneBar top(CSize(560, 60), CSize(60, 300), RGB(40, 90, 160));
    top.Create(frame, CBRS_TOP | CBRS_GRIPPER, 0xE810, "");
    top.EnableDocking(CBRS_ALIGN_TOP);
    frame->DockControlBar(&top, AFX_IDW_DOCKBAR_TOP);
    CHtmlView* page = dynamic_cast<CHtmlView*>(RUNTIME_CLASS(CHtmlView)->CreateObject());
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CHtmlView);
    page->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(220, 6, 550, 56), &top, 1, &context);
    page->Navigate2(("http://127.0.0.1:" + std::to_string(port) + "/ad.html").c_str());

    CSceneBar side(CSize(300, 40), CSize(160, 380), RGB(30, 120, 60));
    side.Create(frame, CBRS_LEFT | CBRS_GRIPPER, 0xE811, "폴더");
    side.EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(&side, AFX_IDW_DOCKBAR_LEFT);

    CSceneBar floating(CSize(180, 70), CSize(70, 180), RGB(150, 70, 30));
    floating.Create(frame, CBRS_TOP | CBRS_GRIPPER, 0xE812, "도구");
    floating.EnableDocking(CBRS_ALIGN_ANY);

    frame->ShowWindow(SW_SHOW);
    frame->RecalcLayout();
    Settle();
    frame->FloatControlBar(&floating, CPoint(520, 330));
    Settle();
    Shoot("docking");
    SaveSurface(frame->m_hWnd, "docking-frame.ppm");
    SaveSurface(floating.GetParent()->GetParent()->m_hWnd, "docking-floating.ppm");
    frame->DestroyWindow();
    Settle();
    return 0;
}
