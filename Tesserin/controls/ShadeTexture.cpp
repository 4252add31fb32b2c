#include "controls/ShadeTexture.h"

#include "mivo/random.h"

#include <algorithm>

namespace {

class Texture {
public:
    Texture(CxDib& dib, BYTE granularity)
        : m_bits(dib.GetBits()), m_line((int)dib.GetLineWidth()), m_w((int)dib.GetWidth()),
          m_h((int)dib.GetHeight()), m_g(granularity), m_m(255 - granularity)
    {
    }

    void Render(UINT style)
    {
        if (!m_bits || m_w <= 0 || m_h <= 0)
            return;
        switch (style) {
        case 1: Each([&](int x, int r) { int a = (m_m - m_g) / 2; return m_g + (a * (m_w - x)) / m_w + (a * r) / m_h; }); break;
        case 2: Each([&](int, int r) { return m_g + ((m_m - m_g) * r) / m_h; }); break;
        case 3: Each([&](int x, int) { return m_g + ((m_m - m_g) * (m_w - x)) / m_w; }); break;
        case 4: Each([&](int, int r) { return Bump(RowT(r)); }); break;
        case 5: Each([&](int x, int) { return Bump(ColumnT(x)); }); break;
        case 6: Each([&](int x, int r) { return SoftBump(x, r); }); break;
        case 7: Bevel(); break;
        case 8: Metal(); break;
        default: Each([](int, int) { return 128; }); break;
        }
    }

private:
    BYTE* m_bits;
    int m_line, m_w, m_h, m_g, m_m;

    BYTE& At(int x, int r) { return m_bits[(size_t)r * m_line + x]; }

    // rand() scaled to 0..2G (a divisor of at least 1 keeps large sides and G = 0 defined).
    int Scaled() { return mivo::Rand15() / std::max(32767 / std::max(2 * m_g, 1), 1); }
    int Noise() { return Scaled() - m_g; }
    static int Cube(int t) { return ((t * t * t) / 128) / 128; }
    int RowT(int r) const { return (255 * r) / m_h - 127; }
    int ColumnT(int x) const { return (255 * (m_w - x)) / m_w - 127; }
    int Bump(int t) const { return 128 + (Cube(t) * (128 - m_g)) / 128; }
    int SoftBump(int x, int r) const
    {
        int v = 128 + ((Cube(ColumnT(x)) + Cube(RowT(r))) * (128 - m_g)) / 128;
        return std::max(m_g, std::min(v, m_m));
    }

    template <typename F> void Each(F value)
    {
        for (int r = 0; r < m_h; ++r)
            for (int x = 0; x < m_w; ++x) {
                At(x, r) = (BYTE)value(x, r);
                At(x, r) = (BYTE)(At(x, r) + Noise());
            }
    }

    void Bevel()
    {
        Each([&](int, int r) { return 128 + (Cube(RowT(r)) * (64 - m_g) * 2) / 128; });
        int c = std::min(m_w / 6, 16);
        int quarter = (m_h * m_h) / 4;
        for (int k = 0; k < m_h; ++k) {
            int y = k - m_h / 2;
            // A bevel needs room: narrow or one-row buttons only get the noise.
            int p = quarter > 0 ? (c * y * y) / quarter : 0;
            int e = p + m_w / 2 - c;
            for (int x = 0; x < m_w; ++x) {
                int u = x - m_w / 2;
                if (c > 0 && u > e)
                    At(x, k) = (BYTE)(m_g + (128 * (m_w - x)) / c);
                else if (c > 0 && u + e < 0)
                    At(x, k) = (BYTE)(m_m - (128 * x) / c);
                At(x, k) = (BYTE)(At(x, k) + Noise());
            }
        }
    }

    void Scratch()
    {
        int x0 = mivo::Rand15() / std::max(32767 / m_w, 1);
        int y0 = mivo::Rand15() / std::max(32767 / m_h, 1);
        int length = (mivo::Rand15() / std::max(32767 / std::min(m_w, m_h), 1)) / 2;
        BYTE index = (BYTE)(mivo::Rand15() / 819);
        for (int i = 0; i < length; ++i) {
            if (x0 - i >= 1 && y0 + i < m_h)
                Put(x0 - i, y0 + i, index);
            if (x0 + i < m_w && y0 - i >= 1)
                Put(m_w - x0 + i, y0 - i, index);
        }
    }

    // Scratches may reach past the edges; those pixels are skipped.
    void Put(int x, int r, BYTE index)
    {
        if (x >= 0 && x < m_w && r >= 0 && r < m_h)
            At(x, r) = index;
    }

    void Metal()
    {
        for (int r = 0; r < m_h; ++r)
            std::fill(&At(0, r), &At(0, r) + m_w, (BYTE)0);
        for (int s = 0; s < 200; ++s)
            Scratch();
        int b = (m_m - m_g - 40) / 2;
        for (int r = 0; r < m_h; ++r)
            for (int x = 0; x < m_w; ++x)
                At(x, r) = (BYTE)(At(x, r) + (b * (m_w - x)) / m_w + (b * r) / m_h + Scaled());
    }
};

BYTE Mix(int from, int to, int part)
{
    return (BYTE)((from * (128 - part) + to * part) / 128);
}

}  // namespace

void BuildShadePalette(CxDib& dib, COLORREF shadow, COLORREF face, COLORREF highlight)
{
    for (int p = 0; p < 256; ++p) {
        COLORREF from = p < 128 ? shadow : face;
        COLORREF to = p < 128 ? face : highlight;
        int part = p < 128 ? p : p - 127;
        dib.SetPaletteIndex((BYTE)p, Mix(GetRValue(from), GetRValue(to), part),
                            Mix(GetGValue(from), GetGValue(to), part), Mix(GetBValue(from), GetBValue(to), part));
    }
}

void RenderShadeStyle(CxDib& dib, UINT style, BYTE granularity)
{
    if (dib.GetBitCount() != 8)
        return;
    Texture(dib, granularity).Render(style);
}
