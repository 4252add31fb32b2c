#include "gdi/Dib.h"

#include <cstring>

namespace mivo {
namespace gdi {

namespace {

constexpr int kMaxDibSide = 1 << 26;

}  // namespace

bool ParseDibHeader(const BITMAPINFO* bmi, UINT usage, PaletteObject* palette, DibInfo& out)
{
    if (bmi == nullptr)
        return false;
    DWORD size = bmi->bmiHeader.biSize;
    int64_t width, height;
    int bpp;
    DWORD compression = BI_RGB;
    DWORD clrUsed = 0;
    bool core = size == sizeof(BITMAPCOREHEADER);
    if (core) {
        const BITMAPCOREHEADER* h = reinterpret_cast<const BITMAPCOREHEADER*>(bmi);
        width = h->bcWidth;
        height = h->bcHeight;
        bpp = h->bcBitCount;
        if (h->bcPlanes != 1)
            return false;
    } else if (size >= sizeof(BITMAPINFOHEADER) && size <= 4096) {
        const BITMAPINFOHEADER& h = bmi->bmiHeader;
        width = h.biWidth;
        height = h.biHeight;
        bpp = h.biBitCount;
        compression = h.biCompression;
        clrUsed = h.biClrUsed;
        if (h.biPlanes != 1)
            return false;
    } else {
        return false;
    }
    bool bottomUp = height > 0;
    if (height < 0)
        height = -height;
    if (width <= 0 || height <= 0 || width > kMaxDibSide || height > kMaxDibSide)
        return false;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return false;
    if (compression != BI_RGB && !(compression == BI_BITFIELDS && (bpp == 16 || bpp == 32)))
        return false;

    out.width = (int)width;
    out.height = (int)height;
    out.bottomUp = bottomUp;
    out.bpp = bpp;
    out.compression = compression;
    out.stride = DibStride(width, bpp);
    out.imageBytes = out.stride * height;

    const uint8_t* base = reinterpret_cast<const uint8_t*>(bmi);
    int64_t offset = size;
    out.masks[0] = out.masks[1] = out.masks[2] = 0;
    if (compression == BI_BITFIELDS) {
        if (size >= sizeof(BITMAPINFOHEADER) + sizeof(out.masks)) {
            // The 52- and 56-byte headers and the V4 and V5 ones hold the
            // masks inside, right after the first 40 bytes.
            std::memcpy(out.masks, base + sizeof(BITMAPINFOHEADER), sizeof(out.masks));
        } else {
            std::memcpy(out.masks, base + offset, sizeof(out.masks));
            offset += (int64_t)sizeof(out.masks);
        }
    }

    out.colors.clear();
    if (bpp <= 8) {
        int64_t count = clrUsed != 0 ? (int64_t)clrUsed : (int64_t(1) << bpp);
        if (count > (int64_t(1) << bpp))
            count = int64_t(1) << bpp;
        if (usage == DIB_PAL_COLORS) {
            const WORD* idx = reinterpret_cast<const WORD*>(base + offset);
            std::shared_ptr<PaletteObject> fallback;
            if (palette == nullptr) {
                fallback = DefaultPalette();
                palette = fallback.get();
            }
            std::lock_guard<std::mutex> guard(palette->lock);
            for (int64_t i = 0; i < count; ++i) {
                RGBQUAD q = {0, 0, 0, 0};
                if (idx[i] < palette->entries.size()) {
                    const PALETTEENTRY& e = palette->entries[idx[i]];
                    q.rgbRed = e.peRed;
                    q.rgbGreen = e.peGreen;
                    q.rgbBlue = e.peBlue;
                }
                out.colors.push_back(q);
            }
            offset += count * (int64_t)sizeof(WORD);
        } else if (core) {
            const RGBTRIPLE* t = reinterpret_cast<const RGBTRIPLE*>(base + offset);
            for (int64_t i = 0; i < count; ++i) {
                RGBQUAD q = {t[i].rgbtBlue, t[i].rgbtGreen, t[i].rgbtRed, 0};
                out.colors.push_back(q);
            }
            offset += count * (int64_t)sizeof(RGBTRIPLE);
        } else {
            const RGBQUAD* q = reinterpret_cast<const RGBQUAD*>(base + offset);
            out.colors.assign(q, q + count);
            offset += count * (int64_t)sizeof(RGBQUAD);
        }
    } else if (clrUsed != 0 && !core && clrUsed <= 256) {
        // Colour tables of true-colour DIBs are only an optimisation hint; skip them.
        offset += (int64_t)clrUsed * (int64_t)sizeof(RGBQUAD);
    }
    out.headerBytes = offset;
    return true;
}

Raster DibRaster(const DibInfo& info, const void* bits)
{
    Raster r;
    r.width = info.width;
    r.height = info.height;
    r.bpp = info.bpp;
    uint8_t* p = static_cast<uint8_t*>(const_cast<void*>(bits));
    if (info.bottomUp) {
        r.row0 = p + (int64_t)(info.height - 1) * info.stride;
        r.stride = -info.stride;
    } else {
        r.row0 = p;
        r.stride = info.stride;
    }
    r.colors = info.colors.empty() ? nullptr : info.colors.data();
    r.numColors = (int)info.colors.size();
    if (info.compression == BI_BITFIELDS)
        r.SetMasks(info.masks[0], info.masks[1], info.masks[2]);
    return r;
}

}  // namespace gdi
}  // namespace mivo
