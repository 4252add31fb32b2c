// The free convolution of the filters: a size x size integer kernel over a
// picture in the library's layout, a divisor and an offset. Rows are worked
// out independently, so bands of them can run on several cores; kernels
// that are one column times one row (the binomial Gaussian) run as two
// passes of `size` taps. Internal to the image library.
#pragma once

#include "win32.h"

#include <cstdint>
#include <vector>

namespace mivo {
namespace image {

// Division of integers below 2^31 by a fixed divisor through one multiply
// and a shift, truncating toward zero exactly as the `/` operator does.
class ExactDivider {
public:
    explicit ExactDivider(int64_t divisor);
    int64_t operator()(int64_t value) const
    {
        const uint64_t n = value < 0 ? uint64_t(-value) : uint64_t(value);
        const int64_t q = int64_t((n * m_magic) >> m_shift);
        return (value < 0) != m_negative ? -q : q;
    }

private:
    uint64_t m_magic = 1;
    int m_shift = 0;
    bool m_negative = false;
};

class Convolution {
public:
    Convolution(const int* kernel, int size, int divisor, int offset);

    // Output rows [first, last) of the w x h picture at `pixels` into `out`
    // (same row bytes), fill bytes at the row ends cleared. Neighbours
    // outside the picture count as its first (bottom-left) pixel.
    void Rows(const BYTE* pixels, int64_t w, int64_t h, int64_t rowBytes, BYTE* out, int64_t first,
              int64_t last) const;

private:
    template <typename Sum>
    void DirectRows(const BYTE* pixels, int64_t w, int64_t h, int64_t rowBytes, BYTE* out, int64_t first,
                    int64_t last) const;
    template <typename Sum>
    void SeparableRows(const BYTE* pixels, int64_t w, int64_t h, int64_t rowBytes, BYTE* out, int64_t first,
                       int64_t last) const;
    template <typename Sum>
    void Finish(const Sum* sums, int64_t w, int64_t rowBytes, BYTE* out) const;
    bool Factor();

    std::vector<int> m_kernel;
    int m_size;
    int m_divisor;
    int m_offset;
    bool m_narrow;               // every sum fits 32 bits
    ExactDivider m_divide;
    int m_shift = -1;            // divisor = 2^m_shift, sums never negative
    bool m_separable = false;
    std::vector<int64_t> m_column;  // kernel = column x row
    std::vector<int64_t> m_row;
};

}  // namespace image
}  // namespace mivo
