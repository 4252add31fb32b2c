// Row loops spread over the machine's cores in bands of rows, with the
// progress of the loop still reported from the calling thread, row by row
// in order. Internal to the image library.
#pragma once

#include <cstdint>
#include <functional>

namespace mivo {
namespace image {

// Work below this many bytes of output runs on the calling thread alone.
constexpr uint64_t kLeastBandedBytes = uint64_t(1) << 18;

// How many threads a banded loop may use: the cores the machine has, or
// MIVO_IMAGE_THREADS when set (benchmarks compare single-thread runs).
unsigned BandThreads();

// Calls work(first, last) on rows [first, last) until rows [0, n) are done,
// and progress(i) for every row i in order, on the calling thread, as the
// loop hands out the band holding row i. `bytes` is the size of the output;
// small outputs go row by row: progress(i), then work(i, i + 1).
void ForEachRowBand(uint64_t n, uint64_t bytes, const std::function<void(uint64_t row)>& progress,
                    const std::function<void(uint64_t first, uint64_t last)>& work);

}  // namespace image
}  // namespace mivo
