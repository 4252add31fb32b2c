#include "controls/FrameClient.h"

#include "image/DibDraw.h"

#include <new>

WNDPROC CFrameClient::s_superWndProc = nullptr;

BEGIN_MESSAGE_MAP(CFrameClient, CWnd)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CFrameClient::CFrameClient(CString file) : m_pDibDraw(new (std::nothrow) CDibDraw(file)) {}

CFrameClient::~CFrameClient() = default;

WNDPROC* CFrameClient::GetSuperWndProcAddr()
{
    return &s_superWndProc;
}

BOOL CFrameClient::OnEraseBkgnd(CDC* dc)
{
    const int w = m_pDibDraw ? m_pDibDraw->GetXSize() : 0, h = m_pDibDraw ? m_pDibDraw->GetYSize() : 0;
    if (w <= 0 || h <= 0)
        return CWnd::OnEraseBkgnd(dc);
    CRect client;
    GetClientRect(&client);
    for (int y = 0; y < client.bottom; y += h)
        for (int x = 0; x < client.right; x += w)
            m_pDibDraw->PaintImage(x, y, dc->GetSafeHdc());
    return TRUE;
}
