// The test pictures the image benchmarks share, as blocks of the library's
// layout: blue-green-red rows, bottom-up, each padded to 4 bytes.
#pragma once

#include "mfc.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace bench {

inline size_t PictureRowBytes(int w) { return size_t(((w * 24 + 31) / 32) * 4); }

// Smooth shading with fine noise, so the JPEG is about as busy as a photograph.
inline std::vector<BYTE> MakePicture(int w, int h)
{
    size_t rowBytes = PictureRowBytes(w);
    std::vector<BYTE> px(rowBytes * h);
    std::mt19937 rng(1);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            BYTE* p = &px[size_t(y) * rowBytes + 3 * x];
            int n = int(rng() % 24);
            p[0] = BYTE((x * 255 / w + n) & 255);
            p[1] = BYTE((y * 255 / h + n) & 255);
            p[2] = BYTE(((x + y) * 128 / (w + h) + n) & 255);
        }
    return px;
}

// A plasma fractal (diamond-square) of side 2^n + 1 covering w x h, scaled
// to 0..1: detail at every scale, down to single pixels (the rougher, the
// more of it at the small scales).
inline std::vector<float> MakePlasmaField(int w, int h, unsigned seed, float roughness)
{
    int side = 1;
    while (side + 1 < std::max(w, h))
        side *= 2;
    const int n = side + 1;
    std::vector<float> f(size_t(n) * n);
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> jitter(-1.0f, 1.0f);
    auto at = [&](int x, int y) -> float& { return f[size_t(y) * n + x]; };
    at(0, 0) = 0.5f + 0.3f * jitter(rng), at(side, 0) = 0.5f + 0.3f * jitter(rng);
    at(0, side) = 0.5f + 0.3f * jitter(rng), at(side, side) = 0.5f + 0.3f * jitter(rng);
    float amplitude = 0.5f;
    for (int step = side; step > 1; step /= 2, amplitude *= roughness) {
        const int half = step / 2;
        for (int y = half; y < n; y += step)
            for (int x = half; x < n; x += step)
                at(x, y) = (at(x - half, y - half) + at(x + half, y - half) + at(x - half, y + half) +
                            at(x + half, y + half)) / 4 + amplitude * jitter(rng);
        for (int y = 0; y < n; y += half)
            for (int x = (y / half) % 2 ? 0 : half; x < n; x += step) {
                float sum = 0;
                int count = 0;
                if (x >= half) sum += at(x - half, y), ++count;
                if (x + half < n) sum += at(x + half, y), ++count;
                if (y >= half) sum += at(x, y - half), ++count;
                if (y + half < n) sum += at(x, y + half), ++count;
                at(x, y) = sum / count + amplitude * jitter(rng);
            }
    }
    float low = at(0, 0), high = low;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            low = std::min(low, at(x, y)), high = std::max(high, at(x, y));
    const float scale = high > low ? 1.0f / (high - low) : 0.0f;
    std::vector<float> out(size_t(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            out[size_t(y) * w + x] = (at(x, y) - low) * scale;
    return out;
}

inline BYTE ToByte(float v) { return BYTE(std::lround(std::min(255.0f, std::max(0.0f, v)))); }

// Three independent plasma fields as red, green and blue: full-colour detail
// everywhere, the hardest case for a decoder of 4:4:4 files.
inline std::vector<BYTE> MakePlasma(int w, int h)
{
    const size_t rowBytes = PictureRowBytes(w);
    std::vector<BYTE> px(rowBytes * h);
    for (int c = 0; c < 3; ++c) {
        const std::vector<float> field = MakePlasmaField(w, h, 11 + unsigned(c), 0.72f);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                px[size_t(h - 1 - y) * rowBytes + 3 * size_t(x) + size_t(2 - c)] = ToByte(255 * field[size_t(y) * w + x]);
    }
    return px;
}

// A photograph-like scene: graded sky with a soft sun, textured ground,
// buildings with hard edges and lit windows, vignetting and sensor noise.
inline std::vector<BYTE> MakePhotoLike(int w, int h)
{
    const size_t rowBytes = PictureRowBytes(w);
    std::vector<BYTE> px(rowBytes * h);
    const std::vector<float> texture = MakePlasmaField(w, h, 21, 0.8f);
    const std::vector<float> clouds = MakePlasmaField(w, h, 22, 0.5f);
    std::mt19937 rng(5);
    std::normal_distribution<float> grain(0.0f, 3.5f);
    const int horizon = h * 55 / 100;
    struct Block {
        int x0, x1, top;
        float r, g, b;
    };
    std::vector<Block> blocks;
    for (int x = w / 20; x < w * 19 / 20;) {
        const int width = w / 40 + int(rng() % unsigned(w / 12));
        const int height = h / 10 + int(rng() % unsigned(h / 3));
        const float shade = 0.35f + float(rng() % 100) / 200.0f;
        blocks.push_back({x, std::min(w, x + width), horizon - height, 180 * shade, 170 * shade, 160 * shade});
        x += width + int(rng() % unsigned(w / 30 + 1));
    }
    const float sunX = w * 0.72f, sunY = h * 0.18f, sunR = h * 0.05f;
    for (int y = 0; y < h; ++y) {
        BYTE* row = &px[size_t(h - 1 - y) * rowBytes];
        for (int x = 0; x < w; ++x) {
            const float t = texture[size_t(y) * w + x], cl = clouds[size_t(y) * w + x];
            float r, g, b;
            if (y < horizon) {
                const float k = float(y) / horizon;
                r = 90 + 120 * k, g = 140 + 90 * k, b = 230 - 20 * k;
                const float cloud = std::max(0.0f, cl - 0.55f) * 2.2f;
                r += (250 - r) * cloud, g += (250 - g) * cloud, b += (250 - b) * cloud;
                const float d = std::hypot(x - sunX, y - sunY);
                const float glow = d < sunR ? 1.0f : std::exp(-(d - sunR) / (sunR * 1.5f));
                r += (255 - r) * glow, g += (250 - g) * glow, b += (220 - b) * glow;
            } else {
                const float k = float(y - horizon) / (h - horizon);
                r = 40 + 110 * t + 30 * k, g = 70 + 120 * t - 10 * k, b = 20 + 60 * t;
            }
            for (const Block& bl : blocks)
                if (x >= bl.x0 && x < bl.x1 && y >= bl.top && y < horizon) {
                    const bool window = (x - bl.x0) % 24 >= 8 && (x - bl.x0) % 24 < 18 && (y - bl.top) % 40 >= 12 &&
                                        (y - bl.top) % 40 < 30 && (x / 24 + y / 40) % 3 != 0;
                    r = window ? 240 : bl.r + 20 * t, g = window ? 210 : bl.g + 20 * t, b = window ? 120 : bl.b + 20 * t;
                }
            const float dx = (x - w / 2.0f) / w, dy = (y - h / 2.0f) / h;
            const float vignette = 1.0f - 0.6f * (dx * dx + dy * dy);
            row[3 * x + 0] = ToByte(b * vignette + grain(rng));
            row[3 * x + 1] = ToByte(g * vignette + grain(rng));
            row[3 * x + 2] = ToByte(r * vignette + grain(rng));
        }
    }
    return px;
}

}  // namespace bench
