// The test picture the image benchmarks share.
#pragma once

#include "mfc.h"

#include <random>
#include <vector>

namespace bench {

// Smooth shading with fine noise, so the JPEG is about as busy as a photograph.
inline std::vector<BYTE> MakePicture(int w, int h)
{
    int rowBytes = ((w * 24 + 31) / 32) * 4;
    std::vector<BYTE> px(size_t(rowBytes) * h);
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

}  // namespace bench
