#include "gdi/Raster.h"

#include <cstring>

namespace mivo {
namespace gdi {

void Channel::Set(uint32_t m)
{
    mask = m;
    shift = 0;
    bits = 0;
    if (m == 0)
        return;
    while (((m >> shift) & 1) == 0)
        ++shift;
    while (shift + bits < 32 && ((m >> (shift + bits)) & 1) != 0)
        ++bits;
}

uint32_t Channel::Expand(uint32_t raw) const
{
    if (bits == 0)
        return 0;
    uint32_t v = (raw & mask) >> shift;
    if (bits >= 8)
        return (v >> (bits - 8)) & 0xFF;
    uint32_t out = v << (8 - bits);
    for (int got = bits; got < 8; got *= 2)
        out |= out >> got;
    return out & 0xFF;
}

uint32_t Channel::Pack(uint32_t v8) const
{
    if (bits == 0)
        return 0;
    uint32_t v = bits <= 8 ? (v8 >> (8 - bits)) : (v8 << (bits - 8));
    return (v << shift) & mask;
}

void Raster::SetMasks(uint32_t r, uint32_t g, uint32_t b)
{
    custom_ = false;
    if (r == 0 && g == 0 && b == 0)
        return;
    if (bpp == 32 && r == 0x00FF0000 && g == 0x0000FF00 && b == 0x000000FF)
        return;
    if (bpp == 16 && r == 0x7C00 && g == 0x03E0 && b == 0x001F)
        return;
    if (bpp != 16 && bpp != 32)
        return;
    custom_ = true;
    r_.Set(r);
    g_.Set(g);
    b_.Set(b);
}

namespace {

inline uint32_t Expand5(uint32_t v)
{
    return (v << 3) | (v >> 2);
}

}  // namespace

uint32_t Raster::ReadOne(int x, int y) const
{
    uint32_t v;
    Read(x, y, 1, &v);
    return v;
}

void Raster::WriteOne(int x, int y, uint32_t v)
{
    Write(x, y, 1, &v);
}

void Raster::Read(int x, int y, int n, uint32_t* out) const
{
    const uint8_t* row = Row(y);
    switch (bpp) {
    case 1:
        for (int i = 0; i < n; ++i) {
            int px = x + i;
            out[i] = (row[px >> 3] >> (7 - (px & 7))) & 1;
        }
        break;
    case 4:
        for (int i = 0; i < n; ++i) {
            int px = x + i;
            uint8_t b = row[px >> 1];
            out[i] = (px & 1) ? (b & 0x0F) : (b >> 4);
        }
        break;
    case 8:
        for (int i = 0; i < n; ++i)
            out[i] = row[x + i];
        break;
    case 16: {
        const uint8_t* p = row + (int64_t)x * 2;
        for (int i = 0; i < n; ++i, p += 2) {
            uint32_t raw = (uint32_t)p[0] | ((uint32_t)p[1] << 8);
            if (custom_)
                out[i] = (r_.Expand(raw) << 16) | (g_.Expand(raw) << 8) | b_.Expand(raw);
            else
                out[i] = (Expand5((raw >> 10) & 31) << 16) | (Expand5((raw >> 5) & 31) << 8) | Expand5(raw & 31);
        }
        break;
    }
    case 24: {
        const uint8_t* p = row + (int64_t)x * 3;
        for (int i = 0; i < n; ++i, p += 3)
            out[i] = ((uint32_t)p[2] << 16) | ((uint32_t)p[1] << 8) | p[0];
        break;
    }
    default: {
        const uint8_t* p = row + (int64_t)x * 4;
        if (custom_) {
            for (int i = 0; i < n; ++i, p += 4) {
                uint32_t raw;
                std::memcpy(&raw, p, 4);
                out[i] = (r_.Expand(raw) << 16) | (g_.Expand(raw) << 8) | b_.Expand(raw);
            }
        } else {
            std::memcpy(out, p, (size_t)n * 4);
            for (int i = 0; i < n; ++i)
                out[i] &= 0x00FFFFFF;
        }
        break;
    }
    }
}

void Raster::Write(int x, int y, int n, const uint32_t* in)
{
    uint8_t* row = Row(y);
    switch (bpp) {
    case 1:
        for (int i = 0; i < n; ++i) {
            int px = x + i;
            uint8_t bit = (uint8_t)(0x80 >> (px & 7));
            if (in[i] & 1)
                row[px >> 3] |= bit;
            else
                row[px >> 3] &= (uint8_t)~bit;
        }
        break;
    case 4:
        for (int i = 0; i < n; ++i) {
            int px = x + i;
            uint8_t& b = row[px >> 1];
            if (px & 1)
                b = (uint8_t)((b & 0xF0) | (in[i] & 0x0F));
            else
                b = (uint8_t)((b & 0x0F) | ((in[i] & 0x0F) << 4));
        }
        break;
    case 8:
        for (int i = 0; i < n; ++i)
            row[x + i] = (uint8_t)in[i];
        break;
    case 16: {
        uint8_t* p = row + (int64_t)x * 2;
        for (int i = 0; i < n; ++i, p += 2) {
            uint32_t v = in[i];
            uint32_t raw;
            if (custom_)
                raw = r_.Pack((v >> 16) & 0xFF) | g_.Pack((v >> 8) & 0xFF) | b_.Pack(v & 0xFF);
            else
                raw = (((v >> 19) & 31) << 10) | (((v >> 11) & 31) << 5) | ((v >> 3) & 31);
            p[0] = (uint8_t)raw;
            p[1] = (uint8_t)(raw >> 8);
        }
        break;
    }
    case 24: {
        uint8_t* p = row + (int64_t)x * 3;
        for (int i = 0; i < n; ++i, p += 3) {
            p[0] = (uint8_t)in[i];
            p[1] = (uint8_t)(in[i] >> 8);
            p[2] = (uint8_t)(in[i] >> 16);
        }
        break;
    }
    default: {
        uint8_t* p = row + (int64_t)x * 4;
        for (int i = 0; i < n; ++i, p += 4) {
            uint32_t v = in[i];
            uint32_t raw =
                custom_ ? (r_.Pack((v >> 16) & 0xFF) | g_.Pack((v >> 8) & 0xFF) | b_.Pack(v & 0xFF)) : (v & 0x00FFFFFF);
            std::memcpy(p, &raw, 4);
        }
        break;
    }
    }
}

void Raster::ReadAlpha(int x, int y, int n, uint8_t* out) const
{
    if (bpp != 32 || custom_) {
        std::memset(out, 255, (size_t)n);
        return;
    }
    const uint8_t* p = Row(y) + (int64_t)x * 4 + 3;
    for (int i = 0; i < n; ++i, p += 4)
        out[i] = *p;
}

uint32_t Raster::ToRgb(uint32_t native) const
{
    if (!Indexed())
        return native & 0x00FFFFFF;
    if (colors != nullptr && (int)native < numColors)
        return RgbFromQuad(colors[native]);
    if (bpp == 1 && colors == nullptr)
        return native ? 0x00FFFFFF : 0;
    return 0;
}

uint32_t Raster::FromRgb(uint32_t rgb) const
{
    rgb &= 0x00FFFFFF;
    if (Indexed())
        return Nearest(rgb);
    uint32_t r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    if (custom_)
        return (r_.Expand(r_.Pack(r)) << 16) | (g_.Expand(g_.Pack(g)) << 8) | b_.Expand(b_.Pack(b));
    if (bpp == 16)
        return (Expand5(r >> 3) << 16) | (Expand5(g >> 3) << 8) | Expand5(b >> 3);
    return rgb;
}

uint32_t Raster::Nearest(uint32_t rgb) const
{
    int count = numColors;
    if (colors == nullptr || count <= 0) {
        if (bpp == 1) {
            int sum = (int)((rgb >> 16) & 0xFF) + (int)((rgb >> 8) & 0xFF) + (int)(rgb & 0xFF);
            return sum >= 383 ? 1u : 0u;
        }
        return 0;
    }
    if (count > (1 << bpp))
        count = 1 << bpp;
    size_t slot = ((rgb * 2654435761u) >> 20) & 4095;
    if (count > 2) {
        if (!cache_)
            cache_ = std::make_shared<std::vector<uint64_t>>(4096, 0);
        uint64_t e = (*cache_)[slot];
        if ((e >> 63) != 0 && (uint32_t)((e >> 8) & 0x00FFFFFF) == rgb)
            return (uint32_t)(e & 0xFF);
    }
    int r = (int)((rgb >> 16) & 0xFF), g = (int)((rgb >> 8) & 0xFF), b = (int)(rgb & 0xFF);
    uint32_t best = 0;
    int bestDist = 1 << 30;
    for (int i = 0; i < count; ++i) {
        int dr = r - colors[i].rgbRed, dg = g - colors[i].rgbGreen, db = b - colors[i].rgbBlue;
        int d = dr * dr + dg * dg + db * db;
        if (d < bestDist) {
            bestDist = d;
            best = (uint32_t)i;
            if (d == 0)
                break;
        }
    }
    if (count > 2)
        (*cache_)[slot] = (1ull << 63) | ((uint64_t)rgb << 8) | best;
    return best;
}

const std::vector<RGBQUAD>& DefaultColors16()
{
    static const std::vector<RGBQUAD> table = [] {
        static const uint32_t rgb[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                         0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                         0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
        std::vector<RGBQUAD> t;
        for (uint32_t c : rgb)
            t.push_back(QuadFromRgb(c));
        return t;
    }();
    return table;
}

const std::vector<RGBQUAD>& HalftoneColors256()
{
    // The 20 static colours at both ends, a 6x6x6 cube and greys between.
    static const std::vector<RGBQUAD> table = [] {
        static const uint32_t first[10] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080,
                                           0x800080, 0x008080, 0xC0C0C0, 0xC0DCC0, 0xA6CAF0};
        static const uint32_t last[10] = {0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000, 0x00FF00,
                                          0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
        std::vector<RGBQUAD> t;
        for (uint32_t c : first)
            t.push_back(QuadFromRgb(c));
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    t.push_back(QuadFromRgb(((uint32_t)(r * 51) << 16) | ((uint32_t)(g * 51) << 8) | (uint32_t)(b * 51)));
        for (int i = 1; (int)t.size() < 246; ++i) {
            uint32_t v = (uint32_t)(i * 255 / 21);
            t.push_back(QuadFromRgb((v << 16) | (v << 8) | v));
        }
        for (uint32_t c : last)
            t.push_back(QuadFromRgb(c));
        return t;
    }();
    return table;
}

}  // namespace gdi
}  // namespace mivo
