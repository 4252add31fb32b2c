// Logical palettes: stored and answered. No device here is a palette device,
// so selecting and realizing change nothing in how colours are drawn.
#include "gdi/DeviceContext.h"

#include <algorithm>

using namespace mivo;
using namespace mivo::gdi;

namespace {

std::shared_ptr<PaletteObject> LookupPalette(HPALETTE h)
{
    return Lookup<PaletteObject>((HANDLE)h);
}

HPALETTE NewPalette(const PALETTEENTRY* entries, size_t count)
{
    auto pal = MakeObject<PaletteObject>();
    if (!pal)
        return nullptr;
    pal->entries.assign(entries, entries + count);
    return Publish<HPALETTE>(pal);
}

}  // namespace

HPALETTE CreatePalette(const LOGPALETTE* plpal)
{
    if (plpal == nullptr || plpal->palVersion != 0x300 || plpal->palNumEntries == 0)
        return nullptr;
    return NewPalette(plpal->palPalEntry, plpal->palNumEntries);
}

HPALETTE CreateHalftonePalette(HDC)
{
    const std::vector<RGBQUAD>& colors = HalftoneColors256();
    std::vector<PALETTEENTRY> entries;
    for (const RGBQUAD& q : colors)
        entries.push_back(PALETTEENTRY{q.rgbRed, q.rgbGreen, q.rgbBlue, 0});
    return NewPalette(entries.data(), entries.size());
}

HPALETTE SelectPalette(HDC hdc, HPALETTE hPal, BOOL)
{
    auto dc = LookupDC(hdc);
    auto pal = LookupPalette(hPal);
    if (!dc || !pal)
        return nullptr;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    HPALETTE old = (HPALETTE)dc->st.palette.handle();
    dc->st.palette = Selected<PaletteObject>(pal, dc.get());
    return old;
}

UINT RealizePalette(HDC hdc)
{
    return LookupDC(hdc) ? 0 : (UINT)GDI_ERROR;
}

UINT GetPaletteEntries(HPALETTE hpal, UINT iStart, UINT cEntries, LPPALETTEENTRY pPalEntries)
{
    auto pal = LookupPalette(hpal);
    if (!pal)
        return 0;
    std::lock_guard<std::mutex> guard(pal->lock);
    if (pPalEntries == nullptr)
        return (UINT)pal->entries.size();
    UINT n = 0;
    for (UINT i = iStart; i < pal->entries.size() && n < cEntries; ++i, ++n)
        pPalEntries[n] = pal->entries[i];
    return n;
}

UINT SetPaletteEntries(HPALETTE hpal, UINT iStart, UINT cEntries, const PALETTEENTRY* pPalEntries)
{
    auto pal = LookupPalette(hpal);
    if (!pal || pal->stock || pPalEntries == nullptr)
        return 0;
    std::lock_guard<std::mutex> guard(pal->lock);
    UINT n = 0;
    for (UINT i = iStart; i < pal->entries.size() && n < cEntries; ++i, ++n)
        pal->entries[i] = pPalEntries[n];
    return n;
}

BOOL AnimatePalette(HPALETTE hPal, UINT iStartIndex, UINT cEntries, const PALETTEENTRY* ppe)
{
    auto pal = LookupPalette(hPal);
    if (!pal || ppe == nullptr)
        return FALSE;
    std::lock_guard<std::mutex> guard(pal->lock);
    for (UINT i = 0; i < cEntries && iStartIndex + i < pal->entries.size(); ++i)
        if (pal->entries[iStartIndex + i].peFlags & PC_RESERVED)
            pal->entries[iStartIndex + i] = ppe[i];
    return TRUE;
}

BOOL ResizePalette(HPALETTE hpal, UINT n)
{
    auto pal = LookupPalette(hpal);
    if (!pal || pal->stock || n == 0 || n > 4096)
        return FALSE;
    std::lock_guard<std::mutex> guard(pal->lock);
    pal->entries.resize(n, PALETTEENTRY{0, 0, 0, 0});
    return TRUE;
}

UINT GetNearestPaletteIndex(HPALETTE h, COLORREF color)
{
    auto pal = LookupPalette(h);
    if (!pal)
        return CLR_INVALID;
    std::lock_guard<std::mutex> guard(pal->lock);
    int r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
    UINT best = CLR_INVALID;
    int bestDist = 1 << 30;
    for (UINT i = 0; i < pal->entries.size(); ++i) {
        const PALETTEENTRY& e = pal->entries[i];
        int d = (r - e.peRed) * (r - e.peRed) + (g - e.peGreen) * (g - e.peGreen) + (b - e.peBlue) * (b - e.peBlue);
        if (d < bestDist) {
            bestDist = d;
            best = i;
        }
    }
    return best;
}

UINT GetSystemPaletteEntries(HDC hdc, UINT iStart, UINT cEntries, LPPALETTEENTRY pPalEntries)
{
    if (!LookupDC(hdc))
        return 0;
    const std::vector<RGBQUAD>& colors = HalftoneColors256();
    if (pPalEntries == nullptr)
        return (UINT)colors.size();
    UINT n = 0;
    for (UINT i = iStart; i < colors.size() && n < cEntries; ++i, ++n)
        pPalEntries[n] = PALETTEENTRY{colors[i].rgbRed, colors[i].rgbGreen, colors[i].rgbBlue, 0};
    return n;
}

UINT GetSystemPaletteUse(HDC hdc)
{
    return LookupDC(hdc) ? SYSPAL_STATIC : SYSPAL_ERROR;
}

UINT SetSystemPaletteUse(HDC hdc, UINT)
{
    return LookupDC(hdc) ? SYSPAL_STATIC : SYSPAL_ERROR;
}

COLORREF GetNearestColor(HDC hdc, COLORREF color)
{
    auto dc = LookupDC(hdc);
    if (!dc)
        return CLR_INVALID;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    if (dc->IsMonochrome()) {
        int sum = GetRValue(color) + GetGValue(color) + GetBValue(color);
        return sum >= 383 ? RGB(255, 255, 255) : RGB(0, 0, 0);
    }
    return color & 0x00FFFFFF;
}
