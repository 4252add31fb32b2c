// Window classes: registration, lookup by name or atom, class data.
#include "user/WindowTree.h"

#include <cstring>

namespace mivo {

std::string FoldCaseCp949(const char* s)
{
    std::string out;
    if (!s)
        return out;
    for (const unsigned char* p = (const unsigned char*)s; *p; ++p) {
        if (*p >= 0x81 && p[1]) {  // lead byte: keep the pair as it is
            out += (char)p[0];
            out += (char)p[1];
            ++p;
            continue;
        }
        out += (char)((*p >= 'a' && *p <= 'z') ? *p - 'a' + 'A' : *p);
    }
    return out;
}

static bool NameMatches(const WindowClass& c, LPCSTR name)
{
    if (IS_INTRESOURCE(name))
        return c.atom == (ATOM)(ULONG_PTR)name;
    return FoldCaseCp949(c.name.c_str()) == FoldCaseCp949(name);
}

std::shared_ptr<WindowClass> FindClassLocked(LPCSTR name, HINSTANCE instance)
{
    if (!name)
        return nullptr;
    std::shared_ptr<WindowClass> any;
    for (auto& c : State().classes) {
        if (!NameMatches(*c, name))
            continue;
        if (c->instance == instance)
            return c;
        if (!any)
            any = c;
    }
    return any;
}

static ATOM Register(const WNDCLASSEXA& wc)
{
    if (!wc.lpszClassName || IS_INTRESOURCE(wc.lpszClassName) || !*wc.lpszClassName)
        return 0;
    if (wc.cbClsExtra < 0 || wc.cbWndExtra < 0 || wc.cbClsExtra > 40000 || wc.cbWndExtra > 40000)
        return 0;
    UserGuard guard(UserLock());
    if (FindClassLocked(wc.lpszClassName, wc.hInstance))
        return 0;
    auto c = std::make_shared<WindowClass>();
    c->atom = State().nextAtom++;
    c->name = wc.lpszClassName;
    c->style = wc.style;
    c->proc = wc.lpfnWndProc;
    c->clsExtra = wc.cbClsExtra;
    c->wndExtra = wc.cbWndExtra;
    c->instance = wc.hInstance;
    c->icon = wc.hIcon;
    c->iconSmall = wc.hIconSm;
    c->cursor = wc.hCursor;
    c->background = wc.hbrBackground;
    if (IS_INTRESOURCE(wc.lpszMenuName))
        c->menuId = wc.lpszMenuName;
    else
        c->menuName = wc.lpszMenuName;
    c->extra.assign((size_t)wc.cbClsExtra, 0);
    State().classes.push_back(c);
    return c->atom;
}

}  // namespace mivo

using namespace mivo;

ATOM RegisterClass(const WNDCLASSA* lpWndClass)
{
    if (!lpWndClass)
        return 0;
    WNDCLASSEXA ex = {};
    ex.cbSize = sizeof(ex);
    ex.style = lpWndClass->style;
    ex.lpfnWndProc = lpWndClass->lpfnWndProc;
    ex.cbClsExtra = lpWndClass->cbClsExtra;
    ex.cbWndExtra = lpWndClass->cbWndExtra;
    ex.hInstance = lpWndClass->hInstance;
    ex.hIcon = lpWndClass->hIcon;
    ex.hCursor = lpWndClass->hCursor;
    ex.hbrBackground = lpWndClass->hbrBackground;
    ex.lpszMenuName = lpWndClass->lpszMenuName;
    ex.lpszClassName = lpWndClass->lpszClassName;
    return Register(ex);
}

ATOM RegisterClassEx(const WNDCLASSEXA* lpWndClass)
{
    return lpWndClass ? Register(*lpWndClass) : 0;
}

BOOL UnregisterClass(LPCSTR lpClassName, HINSTANCE hInstance)
{
    UserGuard guard(UserLock());
    auto c = FindClassLocked(lpClassName, hInstance);
    if (!c)
        return FALSE;
    // A class still in use by a window stays.
    for (auto& entry : State().windows)
        if (entry.second->cls == c)
            return FALSE;
    auto& v = State().classes;
    for (auto it = v.begin(); it != v.end(); ++it)
        if (*it == c) {
            v.erase(it);
            break;
        }
    return TRUE;
}

static void FillClassInfo(const WindowClass& c, WNDCLASSEXA* out)
{
    out->style = c.style;
    out->lpfnWndProc = c.proc;
    out->cbClsExtra = c.clsExtra;
    out->cbWndExtra = c.wndExtra;
    out->hInstance = c.instance;
    out->hIcon = c.icon;
    out->hIconSm = c.iconSmall;
    out->hCursor = c.cursor;
    out->hbrBackground = c.background;
    out->lpszMenuName = c.menuId ? c.menuId : (c.menuName.empty() ? nullptr : c.menuName.c_str());
    out->lpszClassName = c.name.c_str();
}

BOOL GetClassInfoEx(HINSTANCE hInstance, LPCSTR lpszClass, LPWNDCLASSEXA lpwcx)
{
    UserGuard guard(UserLock());
    auto c = FindClassLocked(lpszClass, hInstance);
    if (!c || !lpwcx)
        return FALSE;
    FillClassInfo(*c, lpwcx);
    return c->atom;
}

BOOL GetClassInfo(HINSTANCE hInstance, LPCSTR lpClassName, LPWNDCLASSA lpWndClass)
{
    WNDCLASSEXA ex = {};
    BOOL ok = GetClassInfoEx(hInstance, lpClassName, &ex);
    if (!ok || !lpWndClass)
        return FALSE;
    lpWndClass->style = ex.style;
    lpWndClass->lpfnWndProc = ex.lpfnWndProc;
    lpWndClass->cbClsExtra = ex.cbClsExtra;
    lpWndClass->cbWndExtra = ex.cbWndExtra;
    lpWndClass->hInstance = ex.hInstance;
    lpWndClass->hIcon = ex.hIcon;
    lpWndClass->hCursor = ex.hCursor;
    lpWndClass->hbrBackground = ex.hbrBackground;
    lpWndClass->lpszMenuName = ex.lpszMenuName;
    lpWndClass->lpszClassName = ex.lpszClassName;
    return ok;
}

int GetClassName(HWND hWnd, LPSTR lpClassName, int nMaxCount)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hWnd);
    if (!w || !lpClassName || nMaxCount <= 0)
        return 0;
    size_t n = std::min<size_t>(w->cls->name.size(), (size_t)nMaxCount - 1);
    std::memcpy(lpClassName, w->cls->name.data(), n);
    lpClassName[n] = 0;
    return (int)n;
}

ULONG_PTR GetClassLongPtr(HWND hWnd, int nIndex)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hWnd);
    if (!w)
        return 0;
    WindowClass& c = *w->cls;
    if (nIndex >= 0) {
        if ((size_t)nIndex + sizeof(LONG_PTR) > c.extra.size())
            return 0;
        ULONG_PTR v;
        std::memcpy(&v, &c.extra[(size_t)nIndex], sizeof(v));
        return v;
    }
    switch (nIndex) {
    case GCLP_HBRBACKGROUND: return (ULONG_PTR)c.background;
    case GCLP_HCURSOR: return (ULONG_PTR)c.cursor;
    case GCLP_HICON: return (ULONG_PTR)c.icon;
    case GCLP_HICONSM: return (ULONG_PTR)c.iconSmall;
    case GCLP_HMODULE: return (ULONG_PTR)c.instance;
    case GCLP_WNDPROC: return (ULONG_PTR)c.proc;
    case GCLP_MENUNAME: return (ULONG_PTR)(c.menuId ? c.menuId : c.menuName.c_str());
    case GCL_CBWNDEXTRA: return (ULONG_PTR)c.wndExtra;
    case GCL_CBCLSEXTRA: return (ULONG_PTR)c.clsExtra;
    case GCL_STYLE: return c.style;
    case GCW_ATOM: return c.atom;
    }
    return 0;
}

ULONG_PTR SetClassLongPtr(HWND hWnd, int nIndex, LONG_PTR v)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hWnd);
    if (!w)
        return 0;
    WindowClass& c = *w->cls;
    ULONG_PTR old = 0;
    if (nIndex >= 0) {
        if ((size_t)nIndex + sizeof(LONG_PTR) > c.extra.size())
            return 0;
        std::memcpy(&old, &c.extra[(size_t)nIndex], sizeof(old));
        std::memcpy(&c.extra[(size_t)nIndex], &v, sizeof(v));
        return old;
    }
    switch (nIndex) {
    case GCLP_HBRBACKGROUND: old = (ULONG_PTR)c.background; c.background = (HBRUSH)v; break;
    case GCLP_HCURSOR: old = (ULONG_PTR)c.cursor; c.cursor = (HCURSOR)v; break;
    case GCLP_HICON: old = (ULONG_PTR)c.icon; c.icon = (HICON)v; break;
    case GCLP_HICONSM: old = (ULONG_PTR)c.iconSmall; c.iconSmall = (HICON)v; break;
    case GCLP_WNDPROC: old = (ULONG_PTR)c.proc; c.proc = (WNDPROC)v; break;
    case GCL_STYLE: old = c.style; c.style = (UINT)v; break;
    default: return 0;
    }
    return old;
}

DWORD GetClassLong(HWND hWnd, int nIndex)
{
    return (DWORD)GetClassLongPtr(hWnd, nIndex);
}

DWORD SetClassLong(HWND hWnd, int nIndex, LONG dwNewLong)
{
    return (DWORD)SetClassLongPtr(hWnd, nIndex, dwNewLong);
}
