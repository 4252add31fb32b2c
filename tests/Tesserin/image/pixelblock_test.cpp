// Pixel blocks: cleared blocks read as zero whatever the memory held before,
// and cost only the pages that are written.
#include <gtest/gtest.h>

#include "ImageTestSupport.h"
#include "image/PixelBlock.h"

#include <cstring>

using namespace mivo::image;

TEST(PixelBlock, ClearedBlocksAreZeroAfterDirtyOnes)
{
    // Odd sizes put the block's ends inside pages; small ones are cleared by hand.
    for (uint64_t bytes : {uint64_t(1000), uint64_t(3) << 20, (uint64_t(8) << 20) + 4093}) {
        for (int round = 0; round < 2; ++round) {
            BYTE* dirty = AllocPixelBlock(bytes, false);
            ASSERT_TRUE(dirty);
            memset(dirty, 0xAB, size_t(bytes));
            FreePixelBlock(dirty);  // large ones are kept for reuse
            BYTE* clear = AllocPixelBlock(bytes, true);
            ASSERT_TRUE(clear);
            const BYTE* end = clear + bytes;
            const BYTE* p = clear;
            while (p < end && *p == 0)
                ++p;
            EXPECT_EQ(end, p) << bytes << " bytes, non-zero at " << (p - clear);
            delete[] clear;
        }
    }
}

TEST(PixelBlock, LargeBlocksFreedAreReusedWhereEveryByteIsWritten)
{
    const uint64_t bytes = uint64_t(12) << 20;
    BYTE* first = AllocPixelBlock(bytes, false);
    ASSERT_TRUE(first);
    FreePixelBlock(first);
    BYTE* again = AllocPixelBlock(bytes, false);
    EXPECT_EQ(first, again);
    PixelBlock owner;
    owner.Replace(again);
    owner.Replace(nullptr);  // freed through the owner: kept as well
    BYTE* smaller = AllocPixelBlock(bytes / 2, false);
    EXPECT_NE(first, smaller);  // far smaller requests do not take it
    FreePixelBlock(smaller);
    BYTE* third = AllocPixelBlock(bytes, false);
    EXPECT_EQ(first, third);
    FreePixelBlock(third);
}

TEST(PixelBlock, UntouchedPagesCostNothing)
{
    const uint64_t bytes = uint64_t(900) << 20;
    uint64_t grown = imgtest::PeakMemoryGrowth([&] {
        PixelBlock block;
        block.Replace(AllocPixelBlock(bytes, true));
        ASSERT_TRUE(block.get());
        memset(block.get(), 7, 1 << 20);  // the first rows only
        EXPECT_EQ(0, block.get()[bytes - 1]);
    });
    if (imgtest::MemoryGrowthIsMeaningful()) {
        EXPECT_LT(grown, uint64_t(64) << 20);
    }
    EXPECT_EQ(nullptr, AllocPixelBlock(kMaxPixelBlockBytes + 1, true));
}

TEST(PixelBlock, ReplaceFreesAndAssignmentHandsOver)
{
    PixelBlock a, b;
    a.Replace(AllocPixelBlock(64, true));
    a.Replace(AllocPixelBlock(64, true));  // the first block is freed (leak checkers would tell)
    BYTE* second = a;
    b = a.Release();
    EXPECT_EQ(nullptr, a.get());
    EXPECT_EQ(second, b.get());
    b.Replace(nullptr);
    EXPECT_EQ(nullptr, static_cast<BYTE*>(b));
}
