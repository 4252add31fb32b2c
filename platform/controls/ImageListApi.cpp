// The ImageList_* functions over ImageList and DragImage.
#include "controls/DragImage.h"
#include "controls/ImageList.h"
#include "win32/resources.h"

using mivo::DragImage;
using mivo::ImageList;

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int cInitial, int cGrow)
{
    return ImageList::Create(cx, cy, flags, cInitial, cGrow);
}

BOOL ImageList_Destroy(HIMAGELIST himl)
{
    return ImageList::Destroy(himl);
}

int ImageList_GetImageCount(HIMAGELIST himl)
{
    ImageList* list = ImageList::From(himl);
    return list ? list->Count() : 0;
}

BOOL ImageList_SetImageCount(HIMAGELIST himl, UINT uNewCount)
{
    ImageList* list = ImageList::From(himl);
    return list && list->SetCount((int)uNewCount);
}

int ImageList_Add(HIMAGELIST himl, HBITMAP hbmImage, HBITMAP hbmMask)
{
    ImageList* list = ImageList::From(himl);
    return list ? list->AddBitmap(hbmImage, hbmMask) : -1;
}

int ImageList_AddMasked(HIMAGELIST himl, HBITMAP hbmImage, COLORREF crMask)
{
    ImageList* list = ImageList::From(himl);
    return list ? list->AddMasked(hbmImage, crMask) : -1;
}

int ImageList_ReplaceIcon(HIMAGELIST himl, int i, HICON hicon)
{
    ImageList* list = ImageList::From(himl);
    return list ? list->ReplaceIcon(i, hicon) : -1;
}

BOOL ImageList_Replace(HIMAGELIST himl, int i, HBITMAP hbmImage, HBITMAP hbmMask)
{
    ImageList* list = ImageList::From(himl);
    return list && list->Replace(i, hbmImage, hbmMask);
}

BOOL ImageList_Remove(HIMAGELIST himl, int i)
{
    ImageList* list = ImageList::From(himl);
    return list && list->Remove(i);
}

COLORREF ImageList_SetBkColor(HIMAGELIST himl, COLORREF clrBk)
{
    ImageList* list = ImageList::From(himl);
    return list ? list->SetBkColor(clrBk) : CLR_NONE;
}

COLORREF ImageList_GetBkColor(HIMAGELIST himl)
{
    ImageList* list = ImageList::From(himl);
    return list ? list->BkColor() : CLR_NONE;
}

BOOL ImageList_SetOverlayImage(HIMAGELIST himl, int iImage, int iOverlay)
{
    ImageList* list = ImageList::From(himl);
    return list && list->SetOverlay(iImage, iOverlay);
}

BOOL ImageList_DrawIndirect(IMAGELISTDRAWPARAMS* p)
{
    ImageList* list = p ? ImageList::From(p->himl) : nullptr;
    return list && list->Draw(*p);
}

BOOL ImageList_DrawEx(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, int dx, int dy, COLORREF rgbBk,
                      COLORREF rgbFg, UINT fStyle)
{
    IMAGELISTDRAWPARAMS p = {sizeof(p)};
    p.himl = himl;
    p.i = i;
    p.hdcDst = hdcDst;
    p.x = x;
    p.y = y;
    p.cx = dx;
    p.cy = dy;
    p.rgbBk = rgbBk;
    p.rgbFg = rgbFg;
    p.fStyle = fStyle;
    p.dwRop = SRCCOPY;
    return ImageList_DrawIndirect(&p);
}

BOOL ImageList_Draw(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, UINT fStyle)
{
    return ImageList_DrawEx(himl, i, hdcDst, x, y, 0, 0, CLR_DEFAULT, CLR_DEFAULT, fStyle);
}

HICON ImageList_GetIcon(HIMAGELIST himl, int i, UINT)
{
    ImageList* list = ImageList::From(himl);
    return list ? list->MakeIcon(i) : nullptr;
}

BOOL ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy)
{
    ImageList* list = ImageList::From(himl);
    if (!list)
        return FALSE;
    if (cx)
        *cx = list->Width();
    if (cy)
        *cy = list->Height();
    return TRUE;
}

BOOL ImageList_SetIconSize(HIMAGELIST himl, int cx, int cy)
{
    ImageList* list = ImageList::From(himl);
    return list && list->SetIconSize(cx, cy);
}

BOOL ImageList_GetImageInfo(HIMAGELIST himl, int i, IMAGEINFO* pImageInfo)
{
    ImageList* list = ImageList::From(himl);
    return list && list->Info(i, pImageInfo);
}

BOOL ImageList_Copy(HIMAGELIST himlDst, int iDst, HIMAGELIST himlSrc, int iSrc, UINT uFlags)
{
    ImageList* dst = ImageList::From(himlDst);
    ImageList* src = ImageList::From(himlSrc);
    return dst && src && dst->CopyImage(iDst, *src, iSrc, (uFlags & 1) != 0);
}

HIMAGELIST ImageList_Duplicate(HIMAGELIST himl)
{
    ImageList* src = ImageList::From(himl);
    if (!src)
        return nullptr;
    HIMAGELIST copy = ImageList::Create(src->Width(), src->Height(), src->Flags(), src->Count(), 4);
    ImageList* dst = ImageList::From(copy);
    if (!dst)
        return nullptr;
    dst->SetCount(src->Count());
    for (int i = 0; i < src->Count(); ++i)
        dst->CopyImage(i, *src, i, false);
    dst->SetBkColor(src->BkColor());
    return copy;
}

HIMAGELIST ImageList_Merge(HIMAGELIST himl1, int i1, HIMAGELIST himl2, int i2, int dx, int dy)
{
    ImageList* a = ImageList::From(himl1);
    ImageList* b = ImageList::From(himl2);
    if (!a || !b || i1 < 0 || i1 >= a->Count() || i2 < 0 || i2 >= b->Count())
        return nullptr;
    HIMAGELIST merged = ImageList::Create(a->Width(), a->Height(), a->Flags() | ILC_MASK, 1, 0);
    ImageList* m = ImageList::From(merged);
    if (!m)
        return nullptr;
    std::vector<uint32_t> pixels((size_t)a->Width() * a->Height());
    std::vector<uint8_t> clear(pixels.size());
    for (int y = 0; y < a->Height(); ++y)
        for (int x = 0; x < a->Width(); ++x) {
            size_t at = (size_t)y * a->Width() + x;
            pixels[at] = a->Pixel(i1, x, y);
            clear[at] = a->Clear(i1, x, y);
            int bx = x - dx, by = y - dy;
            if (bx >= 0 && by >= 0 && bx < b->Width() && by < b->Height() && !b->Clear(i2, bx, by)) {
                pixels[at] = b->Pixel(i2, bx, by);
                clear[at] = 0;
            }
        }
    m->Append(pixels, clear);
    return merged;
}

HIMAGELIST ImageList_LoadImage(HINSTANCE hi, LPCSTR lpbmp, int cx, int cGrow, COLORREF crMask, UINT uType,
                               UINT uFlags)
{
    if (uType != IMAGE_BITMAP)
        return nullptr;
    HBITMAP bmp = (HBITMAP)LoadImage(hi, lpbmp, IMAGE_BITMAP, 0, 0, uFlags | LR_CREATEDIBSECTION);
    if (!bmp)
        return nullptr;
    BITMAP bm = {};
    GetObject(bmp, sizeof(bm), &bm);
    int w = cx > 0 ? cx : bm.bmHeight;
    UINT flags = (crMask != CLR_NONE ? ILC_MASK : 0) | ILC_COLOR24;
    HIMAGELIST list = ImageList_Create(w, bm.bmHeight, flags, w > 0 ? bm.bmWidth / w : 0, cGrow);
    if (list && ImageList_AddMasked(list, bmp, crMask) < 0) {
        ImageList_Destroy(list);
        list = nullptr;
    }
    DeleteObject(bmp);
    return list;
}

BOOL ImageList_BeginDrag(HIMAGELIST himlTrack, int iTrack, int dxHotspot, int dyHotspot)
{
    return DragImage::Instance().Begin(himlTrack, iTrack, dxHotspot, dyHotspot);
}

void ImageList_EndDrag()
{
    DragImage::Instance().End();
}

BOOL ImageList_DragEnter(HWND hwndLock, int x, int y)
{
    return DragImage::Instance().Enter(hwndLock, x, y);
}

BOOL ImageList_DragLeave(HWND hwndLock)
{
    return DragImage::Instance().Leave(hwndLock);
}

BOOL ImageList_DragMove(int x, int y)
{
    return DragImage::Instance().Move(x, y);
}

BOOL ImageList_DragShowNolock(BOOL fShow)
{
    return DragImage::Instance().Show(fShow != FALSE);
}

BOOL ImageList_SetDragCursorImage(HIMAGELIST, int, int, int)
{
    // The pointer keeps its own cursor; the drag image alone follows it.
    return FALSE;
}

HIMAGELIST ImageList_GetDragImage(POINT* ppt, POINT* pptHotspot)
{
    return DragImage::Instance().Image(ppt, pptHotspot);
}
