// CImageButton's images: icons, masked bitmaps, their masks and grey copies.
#include "controls/ImageButton.h"
#include "controls/ControlSupport.h"

namespace {

// The width of the first image of an icon group (0 when there is none). A group
// entry is 14 bytes after the 6-byte header, its width first (0 meaning 256).
int OwnIconSize(HINSTANCE module, int id)
{
    HRSRC group = ::FindResource(module, MAKEINTRESOURCE(LOWORD(id)), RT_GROUP_ICON);
    const BYTE* data = group ? (const BYTE*)::LockResource(::LoadResource(module, group)) : nullptr;
    DWORD bytes = group ? ::SizeofResource(module, group) : 0;
    if (!data || bytes < 6 + 14)
        return 0;
    return data[6] ? data[6] : 256;
}

// An icon at `size` pixels, or at its own size for 0 (not the system's large icon size).
HICON LoadIconResource(HINSTANCE module, int id, int size)
{
    if (size <= 0)
        size = OwnIconSize(module, id);
    return (HICON)::LoadImage(module, MAKEINTRESOURCE(LOWORD(id)), IMAGE_ICON, size, size, 0);
}

}  // namespace

void CImageButton::FreeImageRecords()
{
    for (int i = 0; i < 2; ++i) {
        m_csIcons[i] = IconRecord();
        m_csBitmaps[i] = BitmapRecord();
    }
}

void CImageButton::FreeResources(BOOL check)
{
    if (check) {
        for (int i = 0; i < 2; ++i) {
            if (m_csIcons[i].icon)
                ::DestroyIcon(m_csIcons[i].icon);
            if (m_csBitmaps[i].bitmap)
                ::DeleteObject(m_csBitmaps[i].bitmap);
            if (m_csBitmaps[i].mask)
                ::DeleteObject(m_csBitmaps[i].mask);
        }
    }
    FreeImageRecords();
}

DWORD CImageButton::SetIcon(HICON in, HICON out)
{
    FreeResources();
    if (!in) {
        Repaint(TRUE);
        return BTN_OK;
    }
    m_csIcons[0].icon = in;
    if (!IconSize(in, m_csIcons[0].width, m_csIcons[0].height)) {
        FreeResources();
        return BTN_INVALID_RESOURCE;
    }
    if (out) {
        if (out == (HICON)(INT_PTR)GRAY_ICON)
            out = CreateGrayscaleIcon(in);
        m_csIcons[1].icon = out;
        if (!IconSize(out, m_csIcons[1].width, m_csIcons[1].height)) {
            FreeResources();
            return BTN_INVALID_RESOURCE;
        }
    }
    Repaint(TRUE);
    return BTN_OK;
}

DWORD CImageButton::SetIcon(int in, int out, int size)
{
    HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCE(LOWORD(in)), RT_GROUP_ICON);
    HICON inIcon = LoadIconResource(module, in, size);
    HICON outIcon = nullptr;
    if (out == GRAY_ICON)
        outIcon = (HICON)(INT_PTR)GRAY_ICON;
    else if (out != 0)
        outIcon = LoadIconResource(module, out, size);
    return SetIcon(inIcon, outIcon);
}

DWORD CImageButton::SetBitmaps(HBITMAP in, COLORREF inKey, HBITMAP out, COLORREF outKey)
{
    FreeResources();
    if (!in) {
        Repaint(TRUE);
        return BTN_OK;
    }
    HBITMAP sources[2] = {in, out};
    COLORREF keys[2] = {inKey, outKey};
    for (int i = 0; i < 2 && sources[i]; ++i) {
        BitmapRecord& record = m_csBitmaps[i];
        record.bitmap = sources[i];
        record.key = keys[i];
        BITMAP bm;
        if (!::GetObject(sources[i], sizeof(bm), &bm)) {
            FreeResources();
            return BTN_INVALID_RESOURCE;
        }
        record.width = (DWORD)bm.bmWidth;
        record.height = (DWORD)bm.bmHeight;
        record.mask = CreateBitmapMask(sources[i], record.width, record.height, keys[i]);
        if (!record.mask) {
            FreeResources();
            return BTN_FAILED_MASK;
        }
    }
    Repaint(TRUE);
    return BTN_OK;
}

DWORD CImageButton::SetBitmaps(int in, COLORREF inKey, int out, COLORREF outKey)
{
    HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCE(LOWORD(in)), RT_BITMAP);
    HBITMAP inBitmap = ::LoadBitmap(module, MAKEINTRESOURCE(LOWORD(in)));
    HBITMAP outBitmap = out ? ::LoadBitmap(module, MAKEINTRESOURCE(LOWORD(out))) : nullptr;
    return SetBitmaps(inBitmap, inKey, outBitmap, outKey);
}

HBITMAP CImageButton::CreateBitmapMask(HBITMAP source, DWORD width, DWORD height, COLORREF key)
{
    HBITMAP mask = ::CreateBitmap((int)width, (int)height, 1, 1, nullptr);
    if (!mask)
        return nullptr;
    HDC sourceDC = ::CreateCompatibleDC(nullptr);
    HDC maskDC = ::CreateCompatibleDC(nullptr);
    HGDIOBJ oldSource = ::SelectObject(sourceDC, source);
    HGDIOBJ oldMask = ::SelectObject(maskDC, mask);
    // Key-coloured pixels become white in the mask, all others black.
    ::SetBkColor(sourceDC, key);
    ::BitBlt(maskDC, 0, 0, (int)width, (int)height, sourceDC, 0, 0, SRCCOPY);
    // Back onto the source: black where the key was, the rest kept.
    ::SetTextColor(sourceDC, RGB(255, 255, 255));
    ::SetBkColor(sourceDC, RGB(0, 0, 0));
    ::BitBlt(sourceDC, 0, 0, (int)width, (int)height, maskDC, 0, 0, SRCAND);
    ::SelectObject(sourceDC, oldSource);
    ::SelectObject(maskDC, oldMask);
    ::DeleteDC(sourceDC);
    ::DeleteDC(maskDC);
    return mask;
}

HICON CImageButton::CreateGrayscaleIcon(HICON icon)
{
    ICONINFO info;
    if (!icon || !::GetIconInfo(icon, &info))
        return nullptr;
    HICON grey = nullptr;
    BITMAP bm;
    HDC screen = ::GetDC(nullptr);
    if (screen && info.hbmColor && ::GetObject(info.hbmColor, sizeof(bm), &bm)) {
        int width = (int)info.xHotspot * 2, height = (int)info.yHotspot * 2;
        HDC from = ::CreateCompatibleDC(screen), to = ::CreateCompatibleDC(screen);
        HBITMAP bitmap = ::CreateBitmap(width, height, bm.bmPlanes, bm.bmBitsPixel, nullptr);
        if (from && to && bitmap) {
            HGDIOBJ oldFrom = ::SelectObject(from, info.hbmColor);
            HGDIOBJ oldTo = ::SelectObject(to, bitmap);
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x) {
                    COLORREF c = ::GetPixel(from, x, y);
                    BYTE level = 0;
                    if (c != RGB(0, 0, 0))
                        level = (BYTE)(0.299 * GetRValue(c) + 0.587 * GetGValue(c) + 0.114 * GetBValue(c));
                    ::SetPixel(to, x, y, RGB(level, level, level));
                }
            }
            ::SelectObject(from, oldFrom);
            ::SelectObject(to, oldTo);
            ICONINFO made = info;
            made.hbmColor = bitmap;
            grey = ::CreateIconIndirect(&made);
        }
        if (bitmap)
            ::DeleteObject(bitmap);
        if (from)
            ::DeleteDC(from);
        if (to)
            ::DeleteDC(to);
    }
    if (screen)
        ::ReleaseDC(nullptr, screen);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return grey;
}
