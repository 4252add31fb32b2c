// Window classes of the framework: AfxRegisterWndClass and the standard classes.
#include "afx/MfcState.h"

#include <cstdio>

LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    // The name says what the class holds, so equal requests share one class.
    static thread_local char name[128];
    HINSTANCE inst = AfxGetInstanceHandle();
    if (!hCursor && !hbrBackground && !hIcon)
        std::snprintf(name, sizeof(name), "Afx:%p:%x", (void*)inst, nClassStyle);
    else
        std::snprintf(name, sizeof(name), "Afx:%p:%x:%p:%p:%p", (void*)inst, nClassStyle, (void*)hCursor,
                      (void*)hbrBackground, (void*)hIcon);
    WNDCLASS wc = {};
    if (::GetClassInfo(inst, name, &wc))
        return name;
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = inst;
    wc.hIcon = hIcon;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = name;
    AfxRegisterClass(&wc);
    return name;
}

BOOL AfxRegisterClass(WNDCLASS* lpWndClass)
{
    WNDCLASS existing = {};
    if (::GetClassInfo(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing))
        return TRUE;
    return ::RegisterClass(lpWndClass) != 0;
}

namespace {

void RegisterStandard(LPCSTR name, UINT style, HBRUSH background, int iconId)
{
    WNDCLASS wc = {};
    wc.style = style;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    if (iconId) {
        wc.hIcon = ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(iconId));
        if (!wc.hIcon)
            wc.hIcon = ::LoadIcon(nullptr, IDI_APPLICATION);
    }
    wc.lpszClassName = name;
    AfxRegisterClass(&wc);
}

}  // namespace

BOOL AfxDeferRegisterClass(LONG fToRegister)
{
    if (fToRegister & AFX_WND_REG)
        RegisterStandard(_afxWnd, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, nullptr, 0);
    if (fToRegister & AFX_WNDCONTROLBAR_REG)
        RegisterStandard(_afxWndControlBar, CS_DBLCLKS, (HBRUSH)(COLOR_BTNFACE + 1), 0);
    if (fToRegister & AFX_WNDMDIFRAME_REG)
        RegisterStandard(_afxWndMDIFrame, CS_DBLCLKS, nullptr, AFX_IDI_STD_MDIFRAME);
    if (fToRegister & AFX_WNDFRAMEORVIEW_REG)
        RegisterStandard(_afxWndFrameOrView, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, (HBRUSH)(COLOR_WINDOW + 1),
                         AFX_IDI_STD_FRAME);
    if (fToRegister & AFX_WNDOLECONTROL_REG)
        RegisterStandard(_afxWndOleControl, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, nullptr, 0);
    return TRUE;
}
