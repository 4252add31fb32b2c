// Icon and cursor images: made from bitmaps, copied, loaded from resources.
#include "user/UserInternal.h"
#include "user/CursorObject.h"
#include "win32/cursors.h"

namespace mivo {

void ReleaseCursorBitmaps(CursorObject&)
{
}

std::shared_ptr<CursorObject> CopyCursorObject(const CursorObject& src)
{
    auto copy = std::make_shared<CursorObject>(src);
    copy->shared = false;
    copy->color = nullptr;
    copy->mask = nullptr;
    return copy;
}

}  // namespace mivo

using namespace mivo;

HANDLE LoadImage(HINSTANCE, LPCSTR, UINT, int, int, UINT)
{
    return nullptr;
}

HICON CreateIconIndirect(PICONINFO)
{
    return nullptr;
}

BOOL GetIconInfo(HICON hIcon, PICONINFO info)
{
    auto obj = FindCursorObject(hIcon);
    if (!obj || !info)
        return FALSE;
    info->fIcon = obj->icon;
    info->xHotspot = (DWORD)obj->hotspot.x;
    info->yHotspot = (DWORD)obj->hotspot.y;
    info->hbmColor = nullptr;
    info->hbmMask = nullptr;
    return TRUE;
}
