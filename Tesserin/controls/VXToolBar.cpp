#include "controls/VXToolBar.h"

namespace {

const UINT kTrueColourMasked = ILC_COLOR24 | ILC_MASK;

}  // namespace

IMPLEMENT_DYNAMIC(CVXToolBar, CToolBar)

CVXToolBar::CVXToolBar()
    : m_nImageWidth(16), m_nImageHeight(15), m_nInitialCount(8), m_nImageListFlags(kTrueColourMasked),
      m_crMask(RGB(192, 192, 192))
{
}

// The control is destroyed with the bar before the lists it shows.
CVXToolBar::~CVXToolBar()
{
    DestroyWindow();
}

void CVXToolBar::SetVXToolBarBasic(int width, int height, int initialCount, COLORREF mask)
{
    m_nImageWidth = width;
    m_nImageHeight = height;
    m_nInitialCount = initialCount;
    m_crMask = mask;
    m_nImageListFlags = kTrueColourMasked;
}

BOOL CVXToolBar::MakeToolbarImageList(UINT bitmapId, CImageList& list)
{
    LPCSTR name = MAKEINTRESOURCE(bitmapId);
    HINSTANCE module = AfxFindResourceHandle(name, RT_BITMAP);
    HBITMAP loaded = (HBITMAP)::LoadImage(module, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_DEFAULTSIZE);
    if (!loaded)
        return FALSE;
    CBitmap bitmap;
    bitmap.Attach(loaded);
    list.DeleteImageList();
    return list.Create(m_nImageWidth, m_nImageHeight, m_nImageListFlags, m_nInitialCount, 0) &&
           list.Add(&bitmap, m_crMask) >= 0;
}

void CVXToolBar::AttachToolbarImages(UINT normalId, UINT disabledId, UINT hotId)
{
    MakeToolbarImageList(normalId, m_ilNormal);
    SendMessage(TB_SETIMAGELIST, 0, (LPARAM)m_ilNormal.GetSafeHandle());
    MakeToolbarImageList(disabledId, m_ilDisabled);
    SendMessage(TB_SETDISABLEDIMAGELIST, 0, (LPARAM)m_ilDisabled.GetSafeHandle());
    MakeToolbarImageList(hotId, m_ilHot);
    SendMessage(TB_SETHOTIMAGELIST, 0, (LPARAM)m_ilHot.GetSafeHandle());
}
