// Cursor and icon handles, the current cursor, and stock cursors for hit-test codes.
#include "user/InputRouting.h"
#include "user/Backend.h"
#include "user/CursorObject.h"
#include "win32/cursors.h"
#include "win32/usersys.h"

#include <map>

namespace mivo {

namespace {

std::map<uintptr_t, std::shared_ptr<CursorObject>>& Objects()
{
    return State().desktop.cursorObjects;
}

}  // namespace

std::shared_ptr<CursorObject> FindCursorObject(HICON h)
{
    UserGuard guard(UserLock());
    auto it = Objects().find((uintptr_t)h);
    return it == Objects().end() ? nullptr : it->second;
}

HICON AddCursorObject(const std::shared_ptr<CursorObject>& obj)
{
    UserGuard guard(UserLock());
    uintptr_t h = State().desktop.nextCursorHandle;
    State().desktop.nextCursorHandle += 2;
    Objects()[h] = obj;
    return (HICON)h;
}

static HICON StockObject(int id, bool icon)
{
    static std::map<int, HICON> cursors, icons;
    auto& table = icon ? icons : cursors;
    {
        UserGuard guard(UserLock());
        auto it = table.find(id);
        if (it != table.end())
            return it->second;
    }
    auto obj = std::make_shared<CursorObject>();
    obj->stockId = id;
    obj->icon = icon;
    obj->shared = true;
    int size = GetSystemMetrics(icon ? SM_CXICON : SM_CXCURSOR);
    obj->width = size;
    obj->height = size;
    HICON h = AddCursorObject(obj);
    UserGuard guard(UserLock());
    auto it = table.find(id);
    if (it != table.end())
        return it->second;  // another thread made it first; ours stays unused
    table[id] = h;
    return h;
}

HCURSOR StockCursor(int id)
{
    return (HCURSOR)StockObject(id, false);
}

HICON StockIcon(int id)
{
    return StockObject(id, true);
}

HCURSOR CursorForHitTest(LRESULT hit)
{
    switch (hit) {
    case HTLEFT:
    case HTRIGHT:
        return StockCursor(32644);
    case HTTOP:
    case HTBOTTOM:
        return StockCursor(32645);
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
        return StockCursor(32642);
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
        return StockCursor(32643);
    }
    return StockCursor(32512);
}

}  // namespace mivo

using namespace mivo;

HCURSOR LoadCursor(HINSTANCE hInstance, LPCSTR lpCursorName)
{
    if (!hInstance && IS_INTRESOURCE(lpCursorName)) {
        int id = (int)(ULONG_PTR)lpCursorName;
        if (id >= 32512 && id <= 32651)
            return StockCursor(id);
        return nullptr;
    }
    return (HCURSOR)LoadImage(hInstance, lpCursorName, IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE | LR_SHARED);
}

HICON LoadIcon(HINSTANCE hInstance, LPCSTR lpIconName)
{
    if (!hInstance && IS_INTRESOURCE(lpIconName)) {
        int id = (int)(ULONG_PTR)lpIconName;
        if (id >= 32512 && id <= 32517)
            return StockIcon(id);
        return nullptr;
    }
    return (HICON)LoadImage(hInstance, lpIconName, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED);
}

HCURSOR SetCursor(HCURSOR hCursor)
{
    HCURSOR old;
    {
        UserGuard guard(UserLock());
        old = State().desktop.currentCursor;
        State().desktop.currentCursor = hCursor;
    }
    if (old != hCursor)
        ShowCursorOnNativeWindow(hCursor);
    return old;
}

HCURSOR GetCursor()
{
    UserGuard guard(UserLock());
    return State().desktop.currentCursor;
}

int ShowCursor(BOOL bShow)
{
    UserGuard guard(UserLock());
    State().desktop.cursorShowCount += bShow ? 1 : -1;
    return State().desktop.cursorShowCount;
}

BOOL DestroyIcon(HICON hIcon)
{
    std::shared_ptr<CursorObject> obj;
    {
        UserGuard guard(UserLock());
        auto it = Objects().find((uintptr_t)hIcon);
        if (it == Objects().end())
            return FALSE;
        if (it->second->shared)
            return TRUE;  // shared and stock images stay
        obj = it->second;
        Objects().erase(it);
    }
    ReleaseCursorBitmaps(*obj);
    return TRUE;
}

BOOL DestroyCursor(HCURSOR hCursor)
{
    return DestroyIcon((HICON)hCursor);
}

HICON CopyIcon(HICON hIcon)
{
    auto src = FindCursorObject(hIcon);
    if (!src)
        return nullptr;
    EnsureStockImageOf(*src);
    auto copy = CopyCursorObject(*src);
    return copy ? AddCursorObject(copy) : nullptr;
}
