#include "image/Convolution.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <numeric>

namespace mivo {
namespace image {

namespace {

inline BYTE ClampByte(int64_t v) { return v < 0 ? 0 : v > 255 ? 255 : BYTE(v); }

// sums += k x values, in blocks of 16 of a fixed length, which the compiler
// turns into vector code; values are pixel bytes or sums of a first pass.
template <typename Sum, typename Value>
inline __attribute__((always_inline)) void AddScaled(Sum* __restrict sums, const Value* __restrict values, Sum k,
                                                     int64_t n)
{
    int64_t i = 0;
    for (; i + 16 <= n; i += 16)
        for (int j = 0; j < 16; ++j)
            sums[i + j] += k * Sum(values[i + j]);
    for (; i < n; ++i)
        sums[i] += k * Sum(values[i]);
}

// The 32-bit sweeps carry the common kernels; where the processor has
// wider vectors a variant chosen at run time uses them (integer sums: the
// same values either way). No build-wide instruction set is assumed.
#if defined(__x86_64__) && defined(__has_attribute)
#if __has_attribute(target_clones)
#define MIVO_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#endif
#endif
#ifndef MIVO_VECTOR_CLONES
#define MIVO_VECTOR_CLONES
#endif

MIVO_VECTOR_CLONES void AddScaled(int32_t* __restrict sums, const BYTE* __restrict bytes, int32_t k, int64_t n)
{
    AddScaled<int32_t, BYTE>(sums, bytes, k, n);
}

MIVO_VECTOR_CLONES void AddScaled(int32_t* __restrict sums, const int32_t* __restrict more, int32_t k, int64_t n)
{
    AddScaled<int32_t, int32_t>(sums, more, k, n);
}

// Adds k x (the row shifted by dx pixels) to the sums of a row of w pixels;
// pixels shifted in from outside the row, or the whole row when there is
// none, count as `first`.
template <typename Sum>
void AddShiftedRow(Sum* a, const BYTE* row, int64_t w, int64_t dx, Sum k, const BYTE* first)
{
    int64_t from = row ? max(int64_t(0), -dx) : w, to = row ? min(w, w - dx) : w;
    if (from > to)
        from = to = w;
    const Sum f0 = k * first[0], f1 = k * first[1], f2 = k * first[2];
    for (int64_t i = 0; i < 3 * from; i += 3)
        a[i] += f0, a[i + 1] += f1, a[i + 2] += f2;
    if (row)
        AddScaled(a + 3 * from, row + 3 * (from + dx), k, 3 * (to - from));
    for (int64_t i = 3 * max(from, to); i < 3 * w; i += 3)
        a[i] += f0, a[i + 1] += f1, a[i + 2] += f2;
}

// Sum rows reused by every band a thread works on: the filters ask the
// allocator for nothing per band, and the rows stay in the cache.
template <typename Sum>
Sum* ScratchRows(size_t count)
{
    thread_local std::vector<Sum> rows;
    if (rows.size() < count)
        rows.resize(count);
    return rows.data();
}

// Kernels of whole non-negative numbers over a power of two: their sums are
// never negative, so the division is a shift.
MIVO_VECTOR_CLONES void ShiftToBytes(const int32_t* __restrict sums, BYTE* __restrict out, int shift, int offset,
                                     int64_t n)
{
    int64_t i = 0;
    for (; i + 32 <= n; i += 32)  // blocks of a fixed length, turned into vector code
        for (int j = 0; j < 32; ++j) {
            const int32_t v = (sums[i + j] >> shift) + offset;
            out[i + j] = BYTE(v < 0 ? 0 : v > 255 ? 255 : v);
        }
    for (; i < n; ++i) {
        const int32_t v = (sums[i] >> shift) + offset;
        out[i] = BYTE(v < 0 ? 0 : v > 255 ? 255 : v);
    }
}

}  // namespace

ExactDivider::ExactDivider(int64_t divisor)
{
    // With 2^shift >= d the multiplier ceil(2^(31 + shift) / d) is exact for
    // every value below 2^31 (Granlund and Montgomery), and value x multiplier
    // stays below 2^64.
    m_negative = divisor < 0;
    const uint64_t d = divisor < 0 ? uint64_t(-divisor) : uint64_t(divisor);
    if (d == 0)
        return;
    int l = 0;
    while ((uint64_t(1) << l) < d)
        ++l;
    m_shift = 31 + l;
    const unsigned __int128 one = 1;
    m_magic = uint64_t(((one << m_shift) + d - 1) / d);
}

Convolution::Convolution(const int* kernel, int size, int divisor, int offset)
    : m_kernel(kernel, kernel + int64_t(size) * size), m_size(size), m_divisor(divisor), m_offset(offset),
      m_narrow(false), m_divide(divisor)
{
    int64_t bound = 0;
    for (int k : m_kernel)
        bound += 255 * std::abs(int64_t(k));
    m_narrow = bound <= INT32_MAX;
    m_separable = Factor();
    const bool positive = std::all_of(m_kernel.begin(), m_kernel.end(), [](int k) { return k >= 0; });
    if (positive && m_narrow && divisor > 0 && (divisor & (divisor - 1)) == 0) {
        m_shift = 0;
        while ((1 << m_shift) < divisor)
            ++m_shift;
    }
}

// Whether the kernel is a column times a row of integers.
bool Convolution::Factor()
{
    const int n = m_size;
    int r0 = -1, c0 = -1;
    for (int i = 0; i < n * n && r0 < 0; ++i)
        if (m_kernel[size_t(i)]) {
            r0 = i / n;
            c0 = i % n;
        }
    if (r0 < 0 || n < 2)
        return false;
    int64_t g = 0;
    for (int c = 0; c < n; ++c)
        g = std::gcd(g, int64_t(m_kernel[size_t(r0 * n + c)]));
    std::vector<int64_t> row(static_cast<size_t>(n)), column(static_cast<size_t>(n));
    for (int c = 0; c < n; ++c)
        row[size_t(c)] = m_kernel[size_t(r0 * n + c)] / g;
    for (int r = 0; r < n; ++r) {
        const int64_t k = m_kernel[size_t(r * n + c0)];
        if (k % row[size_t(c0)] != 0)
            return false;
        column[size_t(r)] = k / row[size_t(c0)];
        for (int c = 0; c < n; ++c)
            if (column[size_t(r)] * row[size_t(c)] != m_kernel[size_t(r * n + c)])
                return false;
    }
    m_column.swap(column);
    m_row.swap(row);
    return true;
}

template <typename Sum>
void Convolution::Finish(const Sum* sums, int64_t w, int64_t rowBytes, BYTE* out) const
{
    const int64_t n = 3 * w;
    if (m_shift >= 0 && sizeof(Sum) == sizeof(int32_t)) {
        ShiftToBytes(reinterpret_cast<const int32_t*>(sums), out, m_shift, m_offset, n);
    } else if (!m_divisor) {
        for (int64_t i = 0; i < n; ++i)
            out[i] = ClampByte(int64_t(sums[i]) + m_offset);
    } else if (m_narrow) {
        for (int64_t i = 0; i < n; ++i)
            out[i] = ClampByte(m_divide(int64_t(sums[i])) + m_offset);
    } else {
        for (int64_t i = 0; i < n; ++i)
            out[i] = ClampByte(int64_t(sums[i]) / m_divisor + m_offset);
    }
    std::fill(out + n, out + rowBytes, BYTE(0));
}

// For each kernel entry the whole row is added in one sweep.
template <typename Sum>
void Convolution::DirectRows(const BYTE* pixels, int64_t w, int64_t h, int64_t rowBytes, BYTE* out,
                             int64_t first, int64_t last) const
{
    const int64_t half = m_size / 2;
    Sum* const acc = ScratchRows<Sum>(size_t(3 * w));
    for (int64_t y = first; y < last; ++y) {
        std::fill(acc, acc + 3 * w, Sum(0));
        for (int64_t r = 0; r < m_size; ++r) {
            const int64_t sy = y - half + r;
            const BYTE* row = sy >= 0 && sy < h ? pixels + sy * rowBytes : nullptr;
            for (int64_t c = 0; c < m_size; ++c) {
                const Sum k = Sum(m_kernel[size_t(r * m_size + c)]);
                if (k != 0)
                    AddShiftedRow(acc, row, w, c - half, k, pixels);
            }
        }
        Finish(acc, w, rowBytes, out + y * rowBytes);
    }
}

// The row factor over each source row the band needs, once, into a ring of
// `size` rows; then the column factor down the ring. Integer sums in any
// order are the same sums.
template <typename Sum>
void Convolution::SeparableRows(const BYTE* pixels, int64_t w, int64_t h, int64_t rowBytes, BYTE* out,
                                int64_t first, int64_t last) const
{
    const int64_t size = m_size, half = size / 2, n = 3 * w;
    Sum* const ring = ScratchRows<Sum>(size_t((size + 1) * n));
    Sum* const acc = ring + size * n;
    // Ring slot of source row sy (which may lie above or below the picture).
    auto slot = [&](int64_t sy) { return ring + ((sy % size + size) % size) * n; };
    auto across = [&](int64_t sy) {
        Sum* a = slot(sy);
        std::fill(a, a + n, Sum(0));
        const BYTE* row = sy >= 0 && sy < h ? pixels + sy * rowBytes : nullptr;
        for (int64_t c = 0; c < size; ++c) {
            const Sum k = Sum(m_row[size_t(c)]);
            if (k != 0)
                AddShiftedRow(a, row, w, c - half, k, pixels);
        }
    };
    for (int64_t sy = first - half; sy < first - half + size - 1; ++sy)
        across(sy);
    for (int64_t y = first; y < last; ++y) {
        across(y - half + size - 1);
        std::fill(acc, acc + n, Sum(0));
        for (int64_t r = 0; r < size; ++r) {
            const Sum k = Sum(m_column[size_t(r)]);
            if (k != 0)
                AddScaled(acc, slot(y - half + r), k, n);
        }
        Finish(acc, w, rowBytes, out + y * rowBytes);
    }
}

void Convolution::Rows(const BYTE* pixels, int64_t w, int64_t h, int64_t rowBytes, BYTE* out, int64_t first,
                       int64_t last) const
{
    if (m_separable && m_narrow)
        SeparableRows<int32_t>(pixels, w, h, rowBytes, out, first, last);
    else if (m_separable)
        SeparableRows<int64_t>(pixels, w, h, rowBytes, out, first, last);
    else if (m_narrow)
        DirectRows<int32_t>(pixels, w, h, rowBytes, out, first, last);
    else
        DirectRows<int64_t>(pixels, w, h, rowBytes, out, first, last);
}

}  // namespace image
}  // namespace mivo
