// The system image lists: the namespace's icons at 16 and 32 pixels, one list per size for
// the whole process. A list a caller destroyed after all is made again on the next request.
#include "ShellItem.h"
#include "res/resource.h"
#include "win32.h"
#include "win32/commctrl.h"

#include <mutex>

namespace mivo {

namespace {

std::mutex g_lock;
HIMAGELIST g_lists[2] = {nullptr, nullptr};

UINT IconOf(int index)
{
    switch (index) {
    case kIconDesktop:
    case kIconComputer:
    case kIconNetwork: return IDI_PLATFORM_COMPUTER;
    case kIconDrive: return IDI_PLATFORM_DRIVE;
    case kIconFolder:
    case kIconOpenFolder: return IDI_PLATFORM_FOLDER;
    case kIconPicture: return IDI_PLATFORM_PICTURE;
    default: return IDI_PLATFORM_DOCUMENT;
    }
}

HIMAGELIST MakeList(int size)
{
    HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, kSystemIconCount, 4);
    if (!list)
        return nullptr;
    for (int i = 0; i < kSystemIconCount; ++i) {
        LPCSTR id = MAKEINTRESOURCE(IconOf(i));
        HICON icon = (HICON)LoadImage(AfxFindResourceHandle(id, RT_GROUP_ICON), id, IMAGE_ICON, size, size, 0);
        ImageList_ReplaceIcon(list, -1, icon);
        if (icon)
            DestroyIcon(icon);
    }
    ImageList_SetBkColor(list, CLR_NONE);
    return list;
}

}  // namespace

DWORD_PTR SystemImageList(bool small)
{
    std::lock_guard<std::mutex> hold(g_lock);
    HIMAGELIST& list = g_lists[small ? 0 : 1];
    if (!list || ImageList_GetImageCount(list) != kSystemIconCount)
        list = MakeList(small ? 16 : 32);
    return (DWORD_PTR)list;
}

}  // namespace mivo
