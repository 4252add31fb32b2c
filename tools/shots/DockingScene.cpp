// An MDI frame with its bars, photographed by scripts/screenshots.sh: a bar
// docked on the left with its gripper, a floating bar in its small frame, a
// status strip, and an HTML view showing a page from a loopback server.
#include "ShotSupport.h"
#include <mfc.h>
#include <mivo/testing/input.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

// Answers every request with one small page, until the scene ends.
int ServePage(const std::string& page)
{
    int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof(address);
    if (listener < 0 || bind(listener, (sockaddr*)&address, sizeof(address)) != 0 || listen(listener, 4) != 0 ||
        getsockname(listener, (sockaddr*)&address, &size) != 0)
        return 0;
    std::thread([listener, page] {
        for (;;) {
            int client = accept(listener, nullptr, nullptr);
            if (client < 0)
                return;
            char request[4096];
            (void)recv(client, static_cast<void*>(request), sizeof(request), 0);
            std::string reply = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                                std::to_string(page.size()) + "\r\nConnection: close\r\n\r\n" + page;
            (void)send(client, static_cast<const void*>(reply.data()), reply.size(), MSG_NOSIGNAL);
            close(client);
        }
    }).detach();
    return ntohs(address.sin_port);
}

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
    int port = ServePage("<html><body><p><b>Mivo</b> 인화 주문</p>새 앨범을 만들고 사진을 "
                         "<a href='http://127.0.0.1/order'>주문하세요</a>.<script>ignored()</script></body></html>");
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
