#include "mfc.h"

#include <map>
#include <memory>
#include <mutex>

IMPLEMENT_DYNCREATE(CImageList, CObject)

namespace {

// Handles with a CImageList attached, and the ones made for other handles.
struct ImageListMaps {
    std::mutex lock;
    std::map<HIMAGELIST, CImageList*> permanent;
    std::map<HIMAGELIST, std::unique_ptr<CImageList>> temporary;
};

ImageListMaps& Maps()
{
    static ImageListMaps* maps = new ImageListMaps;
    return *maps;
}

void Forget(HIMAGELIST handle)
{
    ImageListMaps& m = Maps();
    std::lock_guard<std::mutex> hold(m.lock);
    m.permanent.erase(handle);
}

}  // namespace

CImageList::~CImageList()
{
    DeleteImageList();
}

CImageList* PASCAL CImageList::FromHandlePermanent(HIMAGELIST hImageList)
{
    ImageListMaps& m = Maps();
    std::lock_guard<std::mutex> hold(m.lock);
    auto it = m.permanent.find(hImageList);
    return it == m.permanent.end() ? nullptr : it->second;
}

CImageList* PASCAL CImageList::FromHandle(HIMAGELIST hImageList)
{
    if (!hImageList)
        return nullptr;
    if (CImageList* list = FromHandlePermanent(hImageList))
        return list;
    ImageListMaps& m = Maps();
    std::lock_guard<std::mutex> hold(m.lock);
    auto& slot = m.temporary[hImageList];
    if (!slot) {
        slot.reset(new CImageList);
        // A temporary object only names the handle; it never destroys it.
        slot->m_hImageList = hImageList;
    }
    return slot.get();
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    if (!hImageList || m_hImageList)
        return FALSE;
    m_hImageList = hImageList;
    ImageListMaps& m = Maps();
    std::lock_guard<std::mutex> hold(m.lock);
    m.permanent[hImageList] = this;
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST handle = m_hImageList;
    if (handle)
        Forget(handle);
    m_hImageList = nullptr;
    return handle;
}

BOOL CImageList::DeleteImageList()
{
    if (!m_hImageList)
        return FALSE;
    if (FromHandlePermanent(m_hImageList) != this) {
        // A temporary wrapper: the handle belongs to someone else.
        m_hImageList = nullptr;
        return FALSE;
    }
    return ImageList_Destroy(Detach());
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    return Create(MAKEINTRESOURCE(nBitmapID), cx, nGrow, crMask);
}

BOOL CImageList::Create(LPCSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask)
{
    HINSTANCE module = AfxFindResourceHandle(lpszBitmapID, RT_BITMAP);
    return Attach(ImageList_LoadImage(module, lpszBitmapID, cx, nGrow, crMask, IMAGE_BITMAP, 0));
}

BOOL CImageList::Create(CImageList& imagelist1, int nImage1, CImageList& imagelist2, int nImage2, int dx, int dy)
{
    return Attach(ImageList_Merge(imagelist1.m_hImageList, nImage1, imagelist2.m_hImageList, nImage2, dx, dy));
}

BOOL CImageList::Create(CImageList* pImageList)
{
    return pImageList && Attach(ImageList_Duplicate(pImageList->m_hImageList));
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Add(m_hImageList, pbmImage ? (HBITMAP)*pbmImage : nullptr, pbmMask ? (HBITMAP)*pbmMask : nullptr);
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    return ImageList_AddMasked(m_hImageList, pbmImage ? (HBITMAP)*pbmImage : nullptr, crMask);
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Replace(m_hImageList, nImage, pbmImage ? (HBITMAP)*pbmImage : nullptr,
                             pbmMask ? (HBITMAP)*pbmMask : nullptr);
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    return pDC && ImageList_Draw(m_hImageList, nImage, pDC->m_hDC, pt.x, pt.y, nStyle);
}

BOOL CImageList::DrawIndirect(CDC* pDC, int nImage, POINT pt, SIZE sz, POINT ptOrigin, UINT fStyle, DWORD dwRop,
                              COLORREF rgbBack, COLORREF rgbFore)
{
    if (!pDC)
        return FALSE;
    IMAGELISTDRAWPARAMS p = {sizeof(p)};
    p.himl = m_hImageList;
    p.i = nImage;
    p.hdcDst = pDC->m_hDC;
    p.x = pt.x;
    p.y = pt.y;
    p.cx = sz.cx;
    p.cy = sz.cy;
    p.xBitmap = ptOrigin.x;
    p.yBitmap = ptOrigin.y;
    p.rgbBk = rgbBack;
    p.rgbFg = rgbFore;
    p.fStyle = fStyle;
    p.dwRop = dwRop;
    return ImageList_DrawIndirect(&p);
}

CImageList* PASCAL CImageList::GetDragImage(LPPOINT lpPoint, LPPOINT lpPointHotSpot)
{
    return FromHandle(ImageList_GetDragImage(lpPoint, lpPointHotSpot));
}

BOOL PASCAL CImageList::DragEnter(CWnd* pWndLock, CPoint point)
{
    return ImageList_DragEnter(pWndLock ? pWndLock->m_hWnd : nullptr, point.x, point.y);
}

BOOL PASCAL CImageList::DragLeave(CWnd* pWndLock)
{
    return ImageList_DragLeave(pWndLock ? pWndLock->m_hWnd : nullptr);
}
