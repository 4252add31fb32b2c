#include "image/PixelBlock.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <new>
#include <thread>

namespace mivo {
namespace image {

namespace {

// Below this a block is cleared by hand; above it whole pages go back to
// the system and come back zero when first touched.
const uint64_t kLazyZeroBytes = uint64_t(1) << 18;

uint64_t PageBytes()
{
    static const uint64_t page = [] {
        long n = sysconf(_SC_PAGESIZE);
        return n > 0 ? uint64_t(n) : uint64_t(4096);
    }();
    return page;
}

// Blocks from this size up are kept for reuse and asked to sit on huge pages.
const uint64_t kReusedBlockBytes = uint64_t(4) << 20;
// How many freed blocks are kept, and for how long when none is asked for.
const int kKeptBlocks = 2;
const auto kKeptFor = std::chrono::seconds(1);
// A kept block serves a request this much smaller than itself at the most.
const uint64_t kLargestSlackShare = 8;
const uint64_t kHugePageBytes = uint64_t(2) << 20;

// MemAvailable of /proc/meminfo in bytes; unknown counts as plenty.
uint64_t AvailableMemory()
{
    FILE* f = fopen("/proc/meminfo", "r");
    if (!f)
        return UINT64_MAX;
    char line[128];
    unsigned long long kb = 0;
    bool found = false;
    while (!found && fgets(line, sizeof line, f))
        found = sscanf(line, "MemAvailable: %llu kB", &kb) == 1;
    fclose(f);
    return found ? uint64_t(kb) * 1024 : UINT64_MAX;
}

// The freed large blocks, newest last. A reaper thread lives while the
// cache holds any and frees what has waited an idle second. The cache lives
// as long as the process: image objects of any lifetime free into it.
class BlockCache {
public:
    // A kept block of at least `bytes` and not much more, or NULL.
    BYTE* Take(uint64_t bytes)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (int i = m_count - 1; i >= 0; --i) {
            const uint64_t usable = m_kept[i].usable;
            if (usable >= bytes && usable - bytes <= bytes / kLargestSlackShare) {
                BYTE* block = m_kept[i].block;
                RemoveAt(i);
                return block;
            }
        }
        return nullptr;
    }

    // Keeps the block, or frees it when memory is short.
    void Put(BYTE* block, uint64_t usable)
    {
        if (AvailableMemory() < 4 * usable) {
            delete[] block;
            return;
        }
        BYTE* dropped = nullptr;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_count == kKeptBlocks) {
                dropped = m_kept[0].block;
                RemoveAt(0);
            }
            m_kept[m_count++] = Kept{block, usable, std::chrono::steady_clock::now()};
            if (!m_reaperRunning) {
                if (m_reaper.joinable())
                    m_reaper.join();  // it has finished: it clears the flag last
                m_reaperRunning = true;
                m_reaper = std::thread([this] { Reap(); });
            }
        }
        delete[] dropped;
    }

private:
    struct Kept {
        BYTE* block;
        uint64_t usable;
        std::chrono::steady_clock::time_point at;
    };

    void RemoveAt(int i)
    {
        for (int k = i; k + 1 < m_count; ++k)
            m_kept[k] = m_kept[k + 1];
        --m_count;
    }

    void Reap()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        while (m_count > 0) {
            const auto due = m_kept[0].at + kKeptFor;
            if (std::chrono::steady_clock::now() < due) {
                m_wake.wait_until(lock, due);
                continue;
            }
            BYTE* old = m_kept[0].block;
            RemoveAt(0);
            lock.unlock();
            delete[] old;
            lock.lock();
        }
        m_reaperRunning = false;
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::thread m_reaper;
    bool m_reaperRunning = false;
    Kept m_kept[kKeptBlocks] = {};
    int m_count = 0;
};

BlockCache& Cache()
{
    static BlockCache* cache = new BlockCache;
    return *cache;
}

// Asks for huge pages over the aligned inside of a large block, where the
// system offers them: fewer faults and TLB entries for whole-picture passes.
void AdviseHugePages(BYTE* block, uint64_t bytes)
{
#ifdef MADV_HUGEPAGE
    const uintptr_t start = reinterpret_cast<uintptr_t>(block);
    const uintptr_t first = (start + kHugePageBytes - 1) / kHugePageBytes * kHugePageBytes;
    const uintptr_t last = (start + bytes) / kHugePageBytes * kHugePageBytes;
    if (last > first)
        madvise(reinterpret_cast<void*>(first), size_t(last - first), MADV_HUGEPAGE);
#else
    (void)block;
    (void)bytes;
#endif
}

// How the C library lays out a block it maps by itself: its bookkeeping in
// front of the block, and a mapping this much longer than the request.
const uint64_t kMappedBlockHeader = 16;
const uint64_t kMappedBlockOverhead = 24;
// MADV_COLLAPSE (Linux 6.1), where the C library's headers predate it;
// older systems refuse it and nothing changes.
#ifdef MADV_COLLAPSE
const int kCollapse = MADV_COLLAPSE;
#else
const int kCollapse = 25;
#endif

// What to ask new[] for so that a block written whole can lie on huge pages
// from end to end: the system starts a mapping whose length is a whole
// number of huge pages on a huge-page boundary. The few bytes more are asked
// for only where they are a small share of the block.
uint64_t WholeBlockRequest(uint64_t bytes)
{
    if (bytes < kReusedBlockBytes)
        return bytes;
    const uint64_t mapped = (bytes + kMappedBlockOverhead + kHugePageBytes - 1) / kHugePageBytes * kHugePageBytes;
    const uint64_t asked = mapped - kMappedBlockOverhead;
    return asked - bytes <= bytes / kLargestSlackShare ? asked : bytes;
}

// Huge pages over the whole mapping when it came out aligned, else over the
// aligned inside of the block. The C library has written its header, so
// the first huge page is already a small one: it is collapsed at once (one
// copy of a page) instead of taking a fault for each of its small pages.
void AdviseWholeBlock(BYTE* block, uint64_t asked)
{
#ifdef MADV_HUGEPAGE
    const uintptr_t mapping = reinterpret_cast<uintptr_t>(block) - kMappedBlockHeader;
    const uint64_t length = asked + kMappedBlockOverhead;
    if (mapping % kHugePageBytes == 0 && length % kHugePageBytes == 0 &&
        madvise(reinterpret_cast<void*>(mapping), size_t(length), MADV_HUGEPAGE) == 0) {
        madvise(reinterpret_cast<void*>(mapping), size_t(kHugePageBytes), kCollapse);
        return;
    }
#endif
    AdviseHugePages(block, asked);
}

// Zero-fill-on-demand for the whole pages inside the block (a private
// anonymous mapping, as every heap is); the ends are cleared by hand.
void ClearBlock(BYTE* block, uint64_t bytes)
{
    const uint64_t page = PageBytes();
    const uintptr_t start = reinterpret_cast<uintptr_t>(block);
    const uintptr_t first = (start + page - 1) / page * page;
    const uintptr_t last = (start + bytes) / page * page;
    if (bytes < kLazyZeroBytes || last <= first) {
        memset(block, 0, size_t(bytes));
        return;
    }
    memset(block, 0, size_t(first - start));
    memset(reinterpret_cast<BYTE*>(last), 0, size_t(start + bytes - last));
    if (madvise(reinterpret_cast<void*>(first), size_t(last - first), MADV_DONTNEED) != 0)
        memset(reinterpret_cast<BYTE*>(first), 0, size_t(last - first));
}

}  // namespace

uint64_t PixelBlockBytes(uint64_t width, uint64_t height)
{
    if (width == 0 || height == 0 || width > INT_MAX || height > INT_MAX)
        return 0;
    uint64_t rowBytes = RowBytes24(width);
    if (rowBytes > kMaxPixelBlockBytes || height > kMaxPixelBlockBytes / rowBytes)
        return 0;
    return rowBytes * height;
}

BYTE* AllocPixelBlock(uint64_t bytes, bool zero)
{
    if (bytes == 0 || bytes > kMaxPixelBlockBytes)
        return nullptr;
    if (bytes < kReusedBlockBytes) {
        BYTE* block = new (std::nothrow) BYTE[size_t(bytes)];
        if (block && zero)
            ClearBlock(block, bytes);
        return block;
    }
    // A kept block is resident already: clearing it by hand costs no memory
    // and far less than faulting fresh pages in.
    const uint64_t asked = zero ? bytes : WholeBlockRequest(bytes);
    if (BYTE* kept = Cache().Take(asked)) {
        if (zero)
            memset(kept, 0, size_t(bytes));
        return kept;
    }
    BYTE* block = new (std::nothrow) BYTE[size_t(asked)];
    if (!block)
        return nullptr;
    // Huge pages only where every byte is written anyway: a cleared block
    // must cost nothing where it is never touched, not 2 MB a touch.
    if (zero)
        ClearBlock(block, bytes);
    else
        AdviseWholeBlock(block, asked);
    return block;
}

void FreePixelBlock(BYTE* block)
{
    if (!block)
        return;
    const uint64_t usable = malloc_usable_size(block);
    if (usable < kReusedBlockBytes) {
        delete[] block;
        return;
    }
    Cache().Put(block, usable);
}

void BuildColumnOffsets(uint32_t* offsets, uint32_t dstWidth, uint32_t srcWidth)
{
    for (uint32_t x = 0; x < dstWidth; ++x)
        offsets[x] = 3 * NearestIndex(x, srcWidth, dstWidth);
}

void SampleRow(BYTE* dst, const BYTE* src, const uint32_t* offsets, uint32_t dstWidth)
{
    for (uint32_t x = 0; x < dstWidth; ++x, dst += 3) {
        const BYTE* s = src + offsets[x];
        dst[0] = s[0];
        dst[1] = s[1];
        dst[2] = s[2];
    }
}

}  // namespace image
}  // namespace mivo
