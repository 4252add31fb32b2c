// Bitmaps, DIB sections and the exchange of their bits with DIBs.
#include "gdi/DeviceContext.h"
#include "mivo/Trace.h"
#include "gdi/Dib.h"
#include "gdi/Objects.h"

#include <algorithm>
#include <cstring>

using namespace mivo;
using namespace mivo::gdi;

namespace {

// Copies pixels between two views of the same size, converting colours.
void ConvertRow(const Raster& from, int fromY, Raster& to, int toY, int width, std::vector<uint32_t>& buf)
{
    buf.resize((size_t)width);
    from.Read(0, fromY, width, buf.data());
    bool sameTable = from.Indexed() && to.Indexed() && from.bpp == to.bpp && from.numColors == to.numColors &&
                     from.colors != nullptr && to.colors != nullptr &&
                     std::memcmp(from.colors, to.colors, sizeof(RGBQUAD) * (size_t)from.numColors) == 0;
    if (!sameTable)
        for (uint32_t& v : buf)
            v = to.FromRgb(from.ToRgb(v));
    to.Write(0, toY, width, buf.data());
}

// A device bitmap layout for Get/SetBitmapBits: rows of 16-bit multiples, top-down.
Raster DdbView(const BitmapObject& bm, void* bits, std::vector<RGBQUAD>& table)
{
    Raster r;
    r.width = bm.width;
    r.height = bm.height;
    r.bpp = bm.dibSection ? bm.storageBpp : bm.bpp;
    r.row0 = static_cast<uint8_t*>(bits);
    r.stride = DdbStride(bm.width, r.bpp);
    if (r.bpp <= 8) {
        if (!bm.colors.empty())
            table = bm.colors;
        else if (r.bpp == 4)
            table = DefaultColors16();
        else
            table = HalftoneColors256();
        r.colors = table.data();
        r.numColors = (int)table.size();
    } else if (r.bpp == 16) {
        r.SetMasks(0xF800, 0x07E0, 0x001F);
    }
    return r;
}

std::shared_ptr<BitmapObject> CompatibleBitmap(const DeviceContext* dc, int cx, int cy)
{
    if (cx == 0 || cy == 0)
        return NewDeviceBitmap(1, 1, 1);
    if (dc != nullptr && dc->dcKind == DcKind::Memory && dc->st.bitmap) {
        BitmapObject* cur = dc->st.bitmap.get();
        if (cur->monoDevice)
            return NewDeviceBitmap(cx, cy, 1);
        if (cur->dibSection) {
            BITMAPINFOHEADER h;
            std::memset(&h, 0, sizeof(h));
            h.biSize = sizeof(h);
            h.biWidth = cx;
            h.biHeight = cur->bottomUp ? cy : -cy;
            h.biPlanes = 1;
            h.biBitCount = (WORD)cur->bpp;
            h.biCompression = cur->compression;
            return NewDibSection(h, cur->colors.data(), (int)cur->colors.size(), cur->masks);
        }
    }
    return NewDeviceBitmap(cx, cy, 32);
}

}  // namespace

HBITMAP CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* lpBits)
{
    MIVO_TRACE(kTraceGdi, "CreateBitmap(%d, %d, %u bits)", nWidth, nHeight, nBitCount);
    if (nWidth < 0 || nHeight < 0 || nPlanes == 0 || nPlanes > 32 || nBitCount > 32)
        return nullptr;
    if (nWidth == 0 || nHeight == 0)
        return Publish<HBITMAP>(NewDeviceBitmap(1, 1, 1));
    UINT bpp = nPlanes * nBitCount;
    if (bpp == 0)
        return nullptr;
    if (bpp != 1 && bpp <= 4)
        bpp = 4;
    else if (bpp > 4 && bpp <= 8)
        bpp = 8;
    else if (bpp > 8 && bpp <= 16)
        bpp = 16;
    else if (bpp > 16 && bpp <= 24)
        bpp = 24;
    else if (bpp > 24)
        bpp = 32;
    auto bm = NewDeviceBitmap(nWidth, nHeight, (int)bpp);
    HBITMAP h = Publish<HBITMAP>(bm);
    if (h != nullptr && lpBits != nullptr)
        SetBitmapBits(h, (DWORD)(DdbStride(nWidth, (int)bpp) * nHeight), lpBits);
    return h;
}

HBITMAP CreateBitmapIndirect(const BITMAP* pbm)
{
    if (pbm == nullptr)
        return nullptr;
    return CreateBitmap(pbm->bmWidth, pbm->bmHeight, pbm->bmPlanes, pbm->bmBitsPixel, pbm->bmBits);
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy)
{
    MIVO_TRACE(kTraceGdi, "CreateCompatibleBitmap(%p, %d, %d)", (void*)hdc, cx, cy);
    if (cx < 0 || cy < 0)
        return nullptr;
    auto dc = LookupDC(hdc);
    if (!dc)
        return nullptr;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    return Publish<HBITMAP>(CompatibleBitmap(dc.get(), cx, cy));
}

HBITMAP CreateDiscardableBitmap(HDC hdc, int cx, int cy)
{
    return CreateCompatibleBitmap(hdc, cx, cy);
}

HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* pbmi, UINT usage, void** ppvBits, HANDLE hSection, DWORD offset)
{
    MIVO_TRACE(kTraceGdi, "CreateDIBSection(%p, %ldx%ld, %d bits)", (void*)hdc, pbmi ? (long)pbmi->bmiHeader.biWidth : 0L, pbmi ? (long)pbmi->bmiHeader.biHeight : 0L, pbmi ? (int)pbmi->bmiHeader.biBitCount : 0);
    if (ppvBits != nullptr)
        *ppvBits = nullptr;
    if (pbmi == nullptr || (usage != DIB_RGB_COLORS && usage != DIB_PAL_COLORS))
        return nullptr;
    std::shared_ptr<DeviceContext> dc;
    if (hdc != nullptr)
        dc = LookupDC(hdc);
    DibInfo info;
    {
        std::shared_ptr<PaletteObject> pal = dc ? dc->st.palette.shared() : nullptr;
        if (!ParseDibHeader(pbmi, usage, pal.get(), info))
            return nullptr;
    }
    BITMAPINFOHEADER h;
    std::memset(&h, 0, sizeof(h));
    h.biSize = sizeof(h);
    h.biWidth = info.width;
    h.biHeight = info.bottomUp ? info.height : -info.height;
    h.biPlanes = 1;
    h.biBitCount = (WORD)info.bpp;
    h.biCompression = info.compression;
    auto bm = NewDibSection(h, info.colors.data(), (int)info.colors.size(), info.masks);
    if (!bm)
        return nullptr;
    bm->section = hSection;
    bm->sectionOffset = offset;
    HBITMAP handle = Publish<HBITMAP>(bm);
    if (handle != nullptr && ppvBits != nullptr)
        *ppvBits = bm->bits;
    return handle;
}

HBITMAP CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER* pbmih, DWORD flInit, const void* pjBits,
                       const BITMAPINFO* pbmi, UINT iUsage)
{
    if (pbmih == nullptr)
        return nullptr;
    LONG width, height;
    if (pbmih->biSize == sizeof(BITMAPCOREHEADER)) {
        const auto* core = reinterpret_cast<const BITMAPCOREHEADER*>(pbmih);
        width = core->bcWidth;
        height = core->bcHeight;
    } else if (pbmih->biSize >= sizeof(BITMAPINFOHEADER)) {
        width = pbmih->biWidth;
        height = pbmih->biHeight < 0 ? -pbmih->biHeight : pbmih->biHeight;
    } else {
        return nullptr;
    }
    if (width < 0 || height < 0)
        return nullptr;
    std::shared_ptr<BitmapObject> bm;
    std::shared_ptr<DeviceContext> dc;
    if (hdc != nullptr) {
        dc = LookupDC(hdc);
        if (!dc)
            return nullptr;
        std::lock_guard<std::recursive_mutex> guard(dc->mutex);
        bm = CompatibleBitmap(dc.get(), width, height);
    } else {
        bm = CompatibleBitmap(nullptr, width, height);
    }
    HBITMAP h = Publish<HBITMAP>(bm);
    if (h != nullptr && (flInit & CBM_INIT) != 0 && pjBits != nullptr && pbmi != nullptr)
        SetDIBits(hdc, h, 0, (UINT)height, pjBits, pbmi, iUsage);
    return h;
}

LONG GetBitmapBits(HBITMAP hbit, LONG cb, LPVOID lpvBits)
{
    auto bm = Lookup<BitmapObject>((HANDLE)hbit);
    if (!bm || cb < 0)
        return 0;
    std::lock_guard<std::recursive_mutex> guard(bm->lock);
    std::vector<RGBQUAD> table;
    int bpp = bm->dibSection ? bm->storageBpp : bm->bpp;
    int64_t stride = DdbStride(bm->width, bpp);
    int64_t total = stride * bm->height;
    if (lpvBits == nullptr)
        return (LONG)std::min<int64_t>(total, INT32_MAX);
    int rows = (int)std::min<int64_t>(cb / stride, bm->height);
    if (rows <= 0)
        return 0;
    Raster from = bm->View();
    Raster to = DdbView(*bm, lpvBits, table);
    std::vector<uint32_t> buf;
    for (int y = 0; y < rows; ++y) {
        if (bm->dibSection || bm->monoDevice) {
            buf.resize((size_t)bm->width);
            from.Read(0, y, bm->width, buf.data());
            to.Write(0, y, bm->width, buf.data());
        } else {
            ConvertRow(from, y, to, y, bm->width, buf);
        }
    }
    return (LONG)(stride * rows);
}

LONG SetBitmapBits(HBITMAP hbm, DWORD cb, const void* pvBits)
{
    auto bm = Lookup<BitmapObject>((HANDLE)hbm);
    if (!bm || pvBits == nullptr)
        return 0;
    std::lock_guard<std::recursive_mutex> guard(bm->lock);
    std::vector<RGBQUAD> table;
    int bpp = bm->dibSection ? bm->storageBpp : bm->bpp;
    int64_t stride = DdbStride(bm->width, bpp);
    int rows = (int)std::min<int64_t>((int64_t)cb / stride, bm->height);
    if (rows <= 0)
        return 0;
    Raster from = DdbView(*bm, const_cast<void*>(pvBits), table);
    Raster to = bm->View();
    std::vector<uint32_t> buf;
    for (int y = 0; y < rows; ++y) {
        if (bm->dibSection || bm->monoDevice) {
            buf.resize((size_t)bm->width);
            from.Read(0, y, bm->width, buf.data());
            to.Write(0, y, bm->width, buf.data());
        } else {
            ConvertRow(from, y, to, y, bm->width, buf);
        }
    }
    return (LONG)(stride * rows);
}

BOOL GetBitmapDimensionEx(HBITMAP hbit, LPSIZE lpsize)
{
    auto bm = Lookup<BitmapObject>((HANDLE)hbit);
    if (!bm || lpsize == nullptr)
        return FALSE;
    std::lock_guard<std::recursive_mutex> guard(bm->lock);
    *lpsize = bm->dimension;
    return TRUE;
}

BOOL SetBitmapDimensionEx(HBITMAP hbm, int w, int h, LPSIZE lpsz)
{
    auto bm = Lookup<BitmapObject>((HANDLE)hbm);
    if (!bm)
        return FALSE;
    std::lock_guard<std::recursive_mutex> guard(bm->lock);
    if (lpsz != nullptr)
        *lpsz = bm->dimension;
    bm->dimension = SIZE{w, h};
    return TRUE;
}

// ---------------------------------------------------------------- DIB exchange

namespace {

// The colour table GetDIBits reports for an indexed output format.
std::vector<RGBQUAD> OutputTable(const BitmapObject& bm, int bpp)
{
    if (bm.storageBpp == bpp && !bm.colors.empty())
        return bm.colors;
    if (bpp == 1) {
        RGBQUAD black = {0, 0, 0, 0}, white = {255, 255, 255, 0};
        return {black, white};
    }
    if (bpp == 4)
        return DefaultColors16();
    return HalftoneColors256();
}

bool ValidOutputBpp(int bpp)
{
    return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
}

}  // namespace

int GetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, LPVOID lpvBits, LPBITMAPINFO lpbmi, UINT usage)
{
    if (lpbmi == nullptr || (usage != DIB_RGB_COLORS && usage != DIB_PAL_COLORS))
        return 0;
    if (hdc != nullptr && !LookupDC(hdc))
        return 0;
    auto bm = Lookup<BitmapObject>((HANDLE)hbm);
    if (!bm)
        return 0;
    BITMAPINFOHEADER& h = lpbmi->bmiHeader;
    if (h.biSize < sizeof(BITMAPINFOHEADER))
        return 0;
    std::lock_guard<std::recursive_mutex> guard(bm->lock);

    if (h.biBitCount == 0) {
        // Report the bitmap's own format.
        if (lpvBits != nullptr)
            return 0;
        h.biWidth = bm->width;
        h.biHeight = bm->dibSection && !bm->bottomUp ? -bm->height : bm->height;
        h.biPlanes = 1;
        h.biBitCount = (WORD)bm->bpp;
        h.biCompression = bm->dibSection ? bm->compression : BI_RGB;
        h.biSizeImage = (DWORD)(DibStride(bm->width, bm->bpp) * bm->height);
        h.biXPelsPerMeter = h.biYPelsPerMeter = 0;
        h.biClrUsed = 0;
        h.biClrImportant = 0;
        return bm->height;
    }
    int bpp = h.biBitCount;
    if (!ValidOutputBpp(bpp) || h.biPlanes > 1)
        return 0;
    if (h.biCompression != BI_RGB && !(h.biCompression == BI_BITFIELDS && (bpp == 16 || bpp == 32)))
        return 0;
    bool topDown = h.biHeight < 0;
    h.biWidth = bm->width;
    h.biHeight = topDown ? -bm->height : bm->height;
    h.biPlanes = 1;
    int64_t stride = DibStride(bm->width, bpp);
    h.biSizeImage = (DWORD)(stride * bm->height);
    h.biClrUsed = 0;
    h.biClrImportant = 0;

    DWORD* masks = reinterpret_cast<DWORD*>(lpbmi->bmiColors);
    std::vector<RGBQUAD> table;
    if (bpp <= 8) {
        table = OutputTable(*bm, bpp);
        table.resize((size_t)1 << bpp, RGBQUAD{0, 0, 0, 0});
        if (usage == DIB_PAL_COLORS) {
            WORD* idx = reinterpret_cast<WORD*>(lpbmi->bmiColors);
            for (size_t i = 0; i < table.size(); ++i)
                idx[i] = (WORD)i;
        } else {
            std::memcpy(lpbmi->bmiColors, table.data(), table.size() * sizeof(RGBQUAD));
        }
    } else if (h.biCompression == BI_BITFIELDS && masks[0] == 0 && masks[1] == 0 && masks[2] == 0) {
        if (bpp == 16) {
            masks[0] = 0xF800;
            masks[1] = 0x07E0;
            masks[2] = 0x001F;
        } else {
            masks[0] = 0x00FF0000;
            masks[1] = 0x0000FF00;
            masks[2] = 0x000000FF;
        }
    }
    if (lpvBits == nullptr)
        return bm->height;

    if (start >= (UINT)bm->height)
        return 0;
    UINT lines = std::min<UINT>(cLines, (UINT)bm->height - start);
    Raster from = bm->View();
    Raster to;
    to.width = bm->width;
    to.height = (int)lines;
    to.bpp = bpp;
    to.row0 = static_cast<uint8_t*>(lpvBits);
    to.stride = stride;
    to.colors = table.empty() ? nullptr : table.data();
    to.numColors = (int)table.size();
    if (h.biCompression == BI_BITFIELDS)
        to.SetMasks(masks[0], masks[1], masks[2]);
    std::vector<uint32_t> buf;
    for (UINT i = 0; i < lines; ++i) {
        UINT scan = start + i;
        int row = topDown ? (int)scan : bm->height - 1 - (int)scan;
        ConvertRow(from, row, to, (int)i, bm->width, buf);
    }
    return (int)lines;
}

int SetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, const void* lpBits, const BITMAPINFO* lpbmi,
              UINT ColorUse)
{
    if (lpBits == nullptr || lpbmi == nullptr)
        return 0;
    std::shared_ptr<DeviceContext> dc;
    if (hdc != nullptr) {
        dc = LookupDC(hdc);
        if (!dc)
            return 0;
    }
    auto bm = Lookup<BitmapObject>((HANDLE)hbm);
    if (!bm)
        return 0;
    DibInfo info;
    std::shared_ptr<PaletteObject> pal = dc ? dc->st.palette.shared() : nullptr;
    if (!ParseDibHeader(lpbmi, ColorUse, pal.get(), info))
        return 0;
    if (start >= (UINT)info.height)
        return 0;
    UINT lines = std::min<UINT>(cLines, (UINT)info.height - start);
    int width = std::min(info.width, bm->width);
    Raster from = DibRaster(info, lpBits);
    from.row0 = static_cast<uint8_t*>(const_cast<void*>(lpBits));
    from.stride = info.stride;
    from.height = (int)lines;

    std::lock_guard<std::recursive_mutex> guard(bm->lock);
    Raster to = bm->View();
    std::vector<uint32_t> buf;
    for (UINT i = 0; i < lines; ++i) {
        // Scan lines count from the bottom row of a bottom-up DIB.
        UINT scan = start + i;
        int row = info.bottomUp ? bm->height - 1 - (int)scan : (int)scan;
        if (row < 0 || row >= bm->height)
            continue;
        ConvertRow(from, (int)i, to, row, width, buf);
    }
    return (int)lines;
}

UINT GetDIBColorTable(HDC hdc, UINT iStart, UINT cEntries, RGBQUAD* prgbq)
{
    auto dc = LookupDC(hdc);
    if (!dc || prgbq == nullptr)
        return 0;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    BitmapObject* bm = dc->st.bitmap.get();
    if (bm == nullptr || !bm->dibSection || bm->colors.empty())
        return 0;
    std::lock_guard<std::recursive_mutex> bmGuard(bm->lock);
    UINT n = 0;
    for (UINT i = iStart; i < bm->colors.size() && n < cEntries; ++i, ++n)
        prgbq[n] = bm->colors[i];
    return n;
}

UINT SetDIBColorTable(HDC hdc, UINT iStart, UINT cEntries, const RGBQUAD* prgbq)
{
    auto dc = LookupDC(hdc);
    if (!dc || prgbq == nullptr)
        return 0;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    BitmapObject* bm = dc->st.bitmap.get();
    if (bm == nullptr || !bm->dibSection || bm->colors.empty())
        return 0;
    std::lock_guard<std::recursive_mutex> bmGuard(bm->lock);
    UINT n = 0;
    for (UINT i = iStart; i < bm->colors.size() && n < cEntries; ++i, ++n) {
        bm->colors[i] = prgbq[n];
        bm->colors[i].rgbReserved = 0;
    }
    return n;
}
