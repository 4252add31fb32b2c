#include "grid/VXGridTipCtrl.h"

#include <algorithm>

namespace {

typedef BOOL(WINAPI* UpdateLayeredFn)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, void*, DWORD);
typedef BOOL(WINAPI* SetLayeredFn)(HWND, COLORREF, BYTE, DWORD);

// An export as the function type it is known to have (through the generic function
// pointer type, as the language allows between function pointer types).
template <class Fn>
Fn ExportOf(HMODULE module, LPCSTR name)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

struct LayeredFunctions {
    UpdateLayeredFn update = nullptr;
    SetLayeredFn set = nullptr;
    LayeredFunctions()
    {
        HMODULE user = ::GetModuleHandle("USER32.DLL");
        if (!user)
            return;
        update = ExportOf<UpdateLayeredFn>(user, "UpdateLayeredWindow");
        set = ExportOf<SetLayeredFn>(user, "SetLayeredWindowAttributes");
        if (!update || !set)
            update = nullptr, set = nullptr; // both or neither
    }
};

const LayeredFunctions& Layered()
{
    static LayeredFunctions functions;
    return functions;
}

const COLORREF kColourKey = 0xFF00FF;
const UINT kFadeTimer = 1;

} // namespace

CVXGridTipCtrl::CVXGridTipCtrl() : m_nDoubleClickTime(::GetDoubleClickTime())
{
    WNDCLASS wc = {};
    if (!::GetClassInfo(AfxGetInstanceHandle(), "VXGridTipCtrl", &wc)) {
        wc.style = CS_SAVEBITS;
        wc.lpfnWndProc = ::DefWindowProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = (HBRUSH)(COLOR_INFOBK + 1);
        wc.lpszClassName = "VXGridTipCtrl";
        AfxRegisterClass(&wc);
    }
}

CVXGridTipCtrl::~CVXGridTipCtrl()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CVXGridTipCtrl::HasLayeredSupport()
{
    return Layered().set != nullptr;
}

BOOL CVXGridTipCtrl::Create(CWnd* grid)
{
    m_pGrid = grid;
    return CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_LAYERED, "VXGridTipCtrl", "", WS_POPUP | WS_BORDER,
                    CRect(0, 0, 0, 0), grid, 0);
}

BOOL CVXGridTipCtrl::Show(CRect rect, LPCSTR text, CFont* font)
{
    if (!m_hWnd || rect.IsRectEmpty() || !::GetFocus() || !text) {
        Hide();
        return FALSE;
    }
    if (rect == m_rectLast) {
        Hide();
        return FALSE;
    }
    m_rectText.SetRect(-1, -1, rect.Width() + 1, rect.Height() + 1);
    m_rectText.InflateRect(m_iGap, 0);
    CRect screen = rect;
    m_pGrid->ClientToScreen(&screen);
    m_hFont = font ? (HFONT)font->GetSafeHandle() : (HFONT)m_pGrid->SendMessage(WM_GETFONT);
    CClientDC dc(this);
    HGDIOBJ old = m_hFont ? ::SelectObject(dc.GetSafeHdc(), m_hFont) : nullptr;
    int width = dc.GetTextExtent(text, (int)strlen(text)).cx;
    if (old)
        ::SelectObject(dc.GetSafeHdc(), old);
    if (screen.left + width <= screen.right) {
        Hide();
        return FALSE;
    }
    m_strText = text;
    screen.InflateRect(m_iGap, 0);
    SetWindowPos(&CWnd::wndTop, screen.left, screen.top, width + 2 * m_iGap, screen.Height(),
                 SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
    Invalidate();
    UpdateWindow();
    if (HasLayeredSupport()) {
        if (m_iAlpha < 255)
            SetTimer(kFadeTimer, 20, nullptr);
        ApplyAlpha();
    }
    m_rectLast = rect;
    return TRUE;
}

void CVXGridTipCtrl::Hide()
{
    if (!m_hWnd)
        return;
    if (HasLayeredSupport()) {
        m_iAlpha = 255;
        SetTimer(kFadeTimer, 100, nullptr);
    }
    if (IsWindowVisible())
        ShowWindow(SW_HIDE);
}

void CVXGridTipCtrl::ApplyAlpha()
{
    if (Layered().set)
        Layered().set(m_hWnd, kColourKey, (BYTE)m_iAlpha, LWA_ALPHA);
}

void CVXGridTipCtrl::OnFadeTimer()
{
    if (m_iAlpha < 255) {
        m_iAlpha = std::min(255, m_iAlpha + 10);
        if (m_iAlpha == 255)
            KillTimer(kFadeTimer);
    } else {
        m_iAlpha = 0;
        KillTimer(kFadeTimer);
    }
    ApplyAlpha();
}

void CVXGridTipCtrl::Paint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, ::GetSysColor(COLOR_INFOBK));
    HGDIOBJ old = m_hFont ? ::SelectObject(dc.GetSafeHdc(), m_hFont) : nullptr;
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(::GetSysColor(COLOR_INFOTEXT));
    dc.TextOut(m_iGap - 1, 1, m_strText, m_strText.GetLength());
    if (old)
        ::SelectObject(dc.GetSafeHdc(), old);
}

void CVXGridTipCtrl::ForwardMouse(UINT message, CPoint screen)
{
    Hide();
    HWND target = ::WindowFromPoint(screen);
    if (!target || target == m_hWnd)
        target = m_pGrid ? m_pGrid->m_hWnd : nullptr;
    if (!target)
        return;
    LRESULT area = ::SendMessage(target, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
    if (area == HTCLIENT) {
        CPoint client = screen;
        ::ScreenToClient(target, &client);
        ::PostMessage(target, message, message == WM_MOUSEMOVE ? 0 : MK_LBUTTON, MAKELPARAM(client.x, client.y));
    } else {
        UINT nonClient = message == WM_MOUSEMOVE      ? WM_NCMOUSEMOVE
                         : message == WM_RBUTTONDOWN  ? WM_NCRBUTTONDOWN
                         : message == WM_MBUTTONDOWN  ? WM_NCMBUTTONDOWN
                         : message == WM_LBUTTONDBLCLK ? WM_NCLBUTTONDBLCLK
                                                       : WM_NCLBUTTONDOWN;
        ::PostMessage(target, nonClient, (WPARAM)area, MAKELPARAM(screen.x, screen.y));
    }
}

BOOL CVXGridTipCtrl::HandleInput(UINT message, WPARAM wParam, LPARAM lParam)
{
    CPoint point((short)LOWORD(lParam), (short)HIWORD(lParam));
    switch (message) {
    case WM_MOUSEMOVE:
        if (m_rectText.PtInRect(point))
            return FALSE;
        ClientToScreen(&point);
        ForwardMouse(WM_MOUSEMOVE, point);
        return TRUE;
    case WM_LBUTTONDOWN: {
        LONG now = (LONG)::GetTickCount();
        BOOL doubleClick = m_lastClick >= 0 && (UINT)(now - m_lastClick) <= m_nDoubleClickTime;
        m_lastClick = now;
        ClientToScreen(&point);
        ForwardMouse(doubleClick ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, point);
        return TRUE;
    }
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        ClientToScreen(&point);
        ForwardMouse(message, point);
        return TRUE;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        Hide();
        if (m_pGrid)
            m_pGrid->PostMessage(message, wParam, lParam);
        return TRUE;
    }
    return FALSE;
}

BOOL CVXGridTipCtrl::PreTranslateMessage(MSG* msg)
{
    if (msg->hwnd == m_hWnd && HandleInput(msg->message, msg->wParam, msg->lParam))
        return TRUE;
    if (!::GetFocus()) {
        Hide();
        return TRUE;
    }
    return CWnd::PreTranslateMessage(msg);
}

LRESULT CVXGridTipCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: Paint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_TIMER:
        if (wParam == kFadeTimer) {
            OnFadeTimer();
            return 0;
        }
        break;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    default:
        if (HandleInput(message, wParam, lParam))
            return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
