// Shared timing for the benchmark programs.
#pragma once

#include <algorithm>
#include <chrono>
#include <functional>

namespace bench {

// The fastest of `repeats` runs, in milliseconds.
inline double BestMilliseconds(int repeats, const std::function<void()>& work)
{
    double best = 1e300;
    for (int i = 0; i < repeats; ++i) {
        auto start = std::chrono::steady_clock::now();
        work();
        std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

}  // namespace bench
