// Projection of one picture onto the image object: with a uniform opacity
// and an optional key colour, or through a grey mask.
#include "image/ImageObject.h"

#include "image/ImageAccess.h"
#include "image/ImageFilter.h"

#include <cstdint>
#include <memory>

using mivo::image::HasPixels;

namespace {

// The painted area: the rectangle's size (inclusive) limited to the source's,
// visited in top-down source coordinates and clipped to the destination.
template <typename Pixel>
void EachProjected(CImageObject& dst, const CRect& rc, const CImageObject& src, Pixel pixel)
{
    const int64_t w = min(int64_t(rc.right) - rc.left + 1, int64_t(src.m_nWidth));
    const int64_t h = min(int64_t(rc.bottom) - rc.top + 1, int64_t(src.m_nHeight));
    const int64_t i1 = max(int64_t(0), -int64_t(rc.left)), i2 = min(w, int64_t(dst.m_nWidth) - rc.left);
    const int64_t j1 = max(int64_t(0), -int64_t(rc.top)), j2 = min(h, int64_t(dst.m_nHeight) - rc.top);
    for (int64_t j = j1; j < j2; ++j) {
        BYTE* out = dst.m_pImageBuf + (dst.m_nHeight - 1 - (rc.top + j)) * int64_t(dst.m_nRowBytes) +
                    3 * (rc.left + i1);
        const BYTE* in = src.m_pImageBuf + (src.m_nHeight - 1 - j) * int64_t(src.m_nRowBytes) + 3 * i1;
        for (int64_t i = i1; i < i2; ++i, out += 3, in += 3)
            pixel(out, in, i, j);
    }
}

}  // namespace

int CImageObject::ImageProjection(CRect rc, CImageObject* src, int opacity, int keyColour)
{
    if (!HasPixels(this) || !HasPixels(src))
        return 0;
    const int share = opacity < 0 ? 0 : opacity > 100 ? 100 : opacity;
    const bool keyed = keyColour != -1;
    const BYTE key[3] = {GetBValue(keyColour), GetGValue(keyColour), GetRValue(keyColour)};
    EachProjected(*this, rc, *src, [&](BYTE* out, const BYTE* in, int64_t, int64_t) {
        if (keyed && (DWORD(keyColour) >> 24) == 0 && in[0] == key[0] && in[1] == key[1] && in[2] == key[2])
            return;
        for (int k = 0; k < 3; ++k)
            out[k] = BYTE((out[k] * (100 - share) + in[k] * share) / 100);
    });
    return 1;
}

int CImageObject::ImageProjection(CRect rc, CImageObject* src, CImageObject* mask, BOOL invertMask, int maskOffset)
{
    if (!HasPixels(this) || !HasPixels(src) || !HasPixels(mask))
        return 0;
    std::unique_ptr<CImageObject> m(mask->Resample(src->m_nWidth, src->m_nHeight, 3));
    if (!m)
        return 0;
    if (invertMask)
        CImageFilter(m.get()).NegativeColors(CRect(0, 0, m->m_nWidth - 1, m->m_nHeight - 1));
    const CImageObject& alphaMap = *m;
    EachProjected(*this, rc, *src, [&](BYTE* out, const BYTE* in, int64_t i, int64_t j) {
        int alpha = alphaMap.m_pImageBuf[(alphaMap.m_nHeight - 1 - j) * int64_t(alphaMap.m_nRowBytes) + 3 * i];
        if (maskOffset != -1)
            alpha -= maskOffset;
        alpha = alpha < 0 ? 0 : alpha > 255 ? 255 : alpha;
        for (int k = 0; k < 3; ++k)
            out[k] = BYTE((out[k] * (255 - alpha) + in[k] * alpha) / 255);
    });
    return 1;
}
