#include "image/RowBands.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <system_error>
#include <thread>
#include <vector>

namespace mivo {
namespace image {

namespace {

// Bands small enough that the cores finish close together, large enough
// that claiming one costs nothing next to its work.
const uint64_t kBandsPerThread = 8;
const uint64_t kLeastBandRows = 4;
const uint64_t kMostBandRows = 32;
const unsigned kMostThreads = 64;

}  // namespace

unsigned BandThreads()
{
    static const unsigned threads = [] {
        if (const char* forced = getenv("MIVO_IMAGE_THREADS")) {
            const long n = atol(forced);
            if (n >= 1)
                return unsigned(std::min<long>(n, kMostThreads));
        }
        const unsigned cores = std::thread::hardware_concurrency();
        return std::max(1u, std::min(cores, kMostThreads));
    }();
    return threads;
}

void ForEachRowBand(uint64_t n, uint64_t bytes, const std::function<void(uint64_t row)>& progress,
                    const std::function<void(uint64_t first, uint64_t last)>& work)
{
    if (bytes < kLeastBandedBytes) {
        for (uint64_t i = 0; i < n; ++i) {
            progress(i);
            work(i, i + 1);
        }
        return;
    }
    const uint64_t threads = std::max<uint64_t>(1, std::min<uint64_t>(BandThreads(), n / kLeastBandRows));
    const uint64_t band = std::min(kMostBandRows, std::max(kLeastBandRows, n / (threads * kBandsPerThread)));
    std::atomic<uint64_t> next(0);
    auto claim = [&](uint64_t* first, uint64_t* last) {
        *first = next.fetch_add(band);
        *last = std::min(n, *first + band);
        return *first < n;
    };
    std::vector<std::thread> helpers;
    helpers.reserve(size_t(threads - 1));
    try {
        for (uint64_t t = 1; t < threads; ++t)
            helpers.emplace_back([&] {
                uint64_t first, last;
                while (claim(&first, &last))
                    work(first, last);
            });
    } catch (...) {
        // Fewer helpers than asked for (the system is out of threads): the
        // ones there and this thread share the bands all the same.
    }
    uint64_t reported = 0;
    uint64_t first, last;
    while (claim(&first, &last)) {
        for (; reported < last; ++reported)
            progress(reported);
        work(first, last);
    }
    for (std::thread& helper : helpers)
        helper.join();
    for (; reported < n; ++reported)
        progress(reported);
}

}  // namespace image
}  // namespace mivo
