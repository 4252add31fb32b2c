// CVXMenu's image store: one process-wide list with a command id per slot,
// bitmap resources loaded into lists, and the check-mark images of a menu.
#include "controls/VXMenu.h"
#include "controls/VXMenuSupport.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

bool VariantsOn()
{
    return CVXMenu::IsLunaMenuStyle() && CVXMenu::xp_draw_3D_bitmaps;
}

// A device context of the main window (desktop when none), for rendering variants.
class MeasuringDC {
public:
    MeasuringDC() : m_window(vxmenu::MeasuringWindow()), m_dc(::GetDC(m_window)) {}
    ~MeasuringDC() { ::ReleaseDC(m_window, m_dc); }
    MeasuringDC(const MeasuringDC&) = delete;
    MeasuringDC& operator=(const MeasuringDC&) = delete;
    CDC* dc() { return CDC::FromHandle(m_dc); }

private:
    HWND m_window;
    HDC m_dc;
};

HRSRC FindBitmapResource(UINT id, HINSTANCE& module)
{
    LPCSTR name = MAKEINTRESOURCE(id);
    module = AfxFindResourceHandle(name, RT_BITMAP);
    HRSRC found = ::FindResource(module, name, RT_BITMAP);
    if (!found) {
        module = ::GetModuleHandle(nullptr);
        found = ::FindResource(module, name, RT_BITMAP);
    }
    return found;
}

// A 16-colour bitmap with its black, greys and white turned into the button
// colours, as the framework's system-colour loading does.
HBITMAP SysColorBitmap(HINSTANCE module, HRSRC found)
{
    static const struct {
        COLORREF from;
        int to;
    } kMap[] = {{RGB(0, 0, 0), COLOR_BTNTEXT},
                {RGB(128, 128, 128), COLOR_BTNSHADOW},
                {RGB(192, 192, 192), COLOR_BTNFACE},
                {RGB(255, 255, 255), COLOR_BTNHIGHLIGHT}};
    DWORD size = ::SizeofResource(module, found);
    HGLOBAL loaded = ::LoadResource(module, found);
    auto* data = loaded ? (const BYTE*)::LockResource(loaded) : nullptr;
    if (!data || size < sizeof(BITMAPINFOHEADER))
        return nullptr;
    BITMAPINFOHEADER header;
    std::memcpy(&header, data, sizeof(header));
    size_t colours = 16;
    uint64_t stride = (((uint64_t)(header.biWidth > 0 ? header.biWidth : 0) * header.biBitCount + 31) / 32) * 4;
    uint64_t rows = header.biHeight < 0 ? -(int64_t)header.biHeight : header.biHeight;
    uint64_t need = header.biSize + colours * sizeof(RGBQUAD) + stride * rows;
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biBitCount != 4 || header.biCompression != BI_RGB ||
        need > size)
        return nullptr;
    std::vector<BYTE> copy(data, data + need);
    auto* palette = (RGBQUAD*)(copy.data() + header.biSize);
    for (size_t i = 0; i < colours; ++i) {
        COLORREF c = RGB(palette[i].rgbRed, palette[i].rgbGreen, palette[i].rgbBlue);
        for (const auto& m : kMap)
            if (c == m.from) {
                COLORREF to = ::GetSysColor(m.to);
                palette[i] = {GetBValue(to), GetGValue(to), GetRValue(to), 0};
            }
    }
    HDC screen = ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateDIBitmap(screen, (BITMAPINFOHEADER*)copy.data(), CBM_INIT,
                                      copy.data() + header.biSize + colours * sizeof(RGBQUAD), (BITMAPINFO*)copy.data(),
                                      DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    return bitmap;
}

}  // namespace

int CVXMenu::NumBitmapColors(LPBITMAPINFOHEADER lpBitmap)
{
    if (!lpBitmap)
        return 0;
    if (lpBitmap->biClrUsed)
        return (int)lpBitmap->biClrUsed;
    switch (lpBitmap->biBitCount) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

HBITMAP CVXMenu::LoadSysColorBitmap(int nResourceId)
{
    HINSTANCE module = nullptr;
    HRSRC found = FindBitmapResource((UINT)nResourceId, module);
    if (!found || ::SizeofResource(module, found) < sizeof(BITMAPINFOHEADER))
        return nullptr;
    HGLOBAL loaded = ::LoadResource(module, found);
    auto* header = loaded ? (LPBITMAPINFOHEADER)::LockResource(loaded) : nullptr;
    if (!header || header->biSize < sizeof(BITMAPINFOHEADER) || NumBitmapColors(header) != 16)
        return nullptr;
    return SysColorBitmap(module, found);
}

int CVXMenu::GlobalImageListOffset(int nID)
{
    for (INT_PTR i = 0; i < m_AllImagesID.GetSize(); ++i)
        if (m_AllImagesID[i] == nID)
            return (int)i;
    return -1;
}

BOOL CVXMenu::CanDraw3DImageList(int offset)
{
    INT_PTR size = m_AllImagesID.GetSize();
    if (offset < 0 || offset + 2 >= size)
        return FALSE;
    return m_AllImagesID[offset + 1] == m_AllImagesID[offset] && m_AllImagesID[offset + 2] == m_AllImagesID[offset];
}

BOOL CVXMenu::GetBitmapFromImageList(CDC* pDC, CImageList* imglist, int nIndex, CBitmap& bmp)
{
    bmp.DeleteObject();
    bmp.CreateCompatibleBitmap(pDC, m_iconX, m_iconY);
    HDC dc = ::CreateCompatibleDC(pDC->GetSafeHdc());
    HGDIOBJ old = ::SelectObject(dc, (HBITMAP)bmp.GetSafeHandle());
    HBRUSH face = ::CreateSolidBrush(::GetSysColor(COLOR_3DFACE));
    RECT all = {0, 0, m_iconX, m_iconY};
    ::FillRect(dc, &all, face);
    if (HICON icon = imglist ? imglist->ExtractIcon(nIndex) : nullptr) {
        ::DrawIconEx(dc, 0, 0, icon, m_iconX, m_iconY, 0, face, DI_NORMAL);
        ::DestroyIcon(icon);
    }
    ::DeleteObject(face);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return TRUE;
}

void CVXMenu::AddVariants(CImageList* list, int index)
{
    MeasuringDC measuring;
    COLORREF face = ::GetSysColor(COLOR_3DFACE);
    CBitmap faded, shadow, disabled;
    GetBitmapFromImageList(measuring.dc(), list, index, faded);
    GetBitmapFromImageList(measuring.dc(), list, index, shadow);
    GetBitmapFromImageList(measuring.dc(), list, index, disabled);
    GetFadedBitmap(faded);
    GetShadowBitmap(shadow);
    GetDisabledBitmap(disabled);
    list->Add(&faded, face);
    list->Add(&shadow, face);
    list->Add(&disabled, face);
}

int CVXMenu::AddToGlobalImageList(CImageList* il, int xoffset, int nID)
{
    if (!m_AllImages.GetSafeHandle())
        m_AllImages.Create(m_iconX, m_iconY, ILC_COLORDDB | ILC_MASK, 1, 1);
    if (!il || !il->GetSafeHandle() || xoffset < 0 || xoffset >= il->GetImageCount())
        return -1;
    HICON icon = il->ExtractIcon(xoffset);
    if (!icon)
        return -1;
    // The variants are rendered in a list of their own (images 1 to 3) and
    // copied out as icons, so they can replace slots in place.
    CImageList variants;
    bool withVariants = VariantsOn();
    if (withVariants) {
        variants.Create(m_iconX, m_iconY, ILC_COLORDDB | ILC_MASK, 4, 1);
        variants.Add(icon);
        AddVariants(&variants, 0);
    }
    int slot = GlobalImageListOffset(nID);
    if (slot >= 0) {
        m_AllImages.Replace(slot, icon);
        if (withVariants && CanDraw3DImageList(slot) && slot + 3 < m_AllImagesID.GetSize())
            for (int k = 0; k < 3; ++k)
                if (HICON v = variants.ExtractIcon(k + 1)) {
                    m_AllImages.Replace(slot + 1 + k, v);
                    ::DestroyIcon(v);
                }
    } else {
        slot = m_AllImages.Add(icon);
        m_AllImagesID.Add(nID);
        for (int k = 0; withVariants && k < 3; ++k)
            if (HICON v = variants.ExtractIcon(k + 1)) {
                m_AllImages.Add(v);
                m_AllImagesID.Add(nID);
                ::DestroyIcon(v);
            }
    }
    ::DestroyIcon(icon);
    return slot;
}

BOOL CVXMenu::AddBitmapResource(CImageList* bmplist, UINT nResourceID)
{
    if (!bmplist || !bmplist->GetSafeHandle())
        return FALSE;
    if (HBITMAP sys = LoadSysColorBitmap((int)nResourceID)) {
        CBitmap bitmap;
        bitmap.Attach(sys);
        return bmplist->Add(&bitmap, TransparentColor()) >= 0;
    }
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(nResourceID))
        return FALSE;
    hicolor_bitmaps = TRUE;
    GetTransparentBitmap(bitmap);
    return bmplist->Add(&bitmap, TransparentColor()) >= 0;
}

BOOL CVXMenu::AddBitmapToImageList(CImageList* bmplist, UINT nResourceID)
{
    if (!AddBitmapResource(bmplist, nResourceID))
        return FALSE;
    if (VariantsOn())
        AddVariants(bmplist, 0);
    return TRUE;
}

BOOL CVXMenu::ImageListDuplicate(CImageList* il, int xoffset, CImageList* newlist)
{
    if (!il || !newlist || xoffset < 0)
        return FALSE;
    int cx = m_iconX, cy = m_iconY;
    il->GetIconSize(&cx, &cy);
    newlist->DeleteImageList();
    newlist->Create(cx, cy, ILC_COLORDDB | ILC_MASK, 1, 1);
    if (HICON icon = il->ExtractIcon(xoffset)) {
        newlist->Add(icon);
        ::DestroyIcon(icon);
    }
    if (VariantsOn())
        AddVariants(newlist, 0);
    return TRUE;
}

BOOL CVXMenu::LoadCheckmarkBitmap(int unselect, int select)
{
    if (unselect <= 0 || select <= 0)
        return FALSE;
    m_unselectcheck = unselect;
    m_selectcheck = select;
    if (checkmaps && !checkmapsshare) {
        checkmaps->DeleteImageList();
    } else {
        checkmaps = new CImageList;
        checkmapsshare = FALSE;
    }
    checkmaps->Create(m_iconX, m_iconY, ILC_MASK, 2, 1);
    // No variants here: the selected mark must stay image 1.
    if (AddBitmapResource(checkmaps, (UINT)unselect) && AddBitmapResource(checkmaps, (UINT)select))
        return TRUE;
    checkmaps->DeleteImageList();
    delete checkmaps;
    checkmaps = nullptr;
    return FALSE;
}
