// The 15-bit generator: the original platform's sequence, per thread.
#include <gtest/gtest.h>

#include "mivo/random.h"

#include <thread>
#include <vector>

TEST(Random15, OriginalSequenceFromSeedOne)
{
    mivo::SRand15(1);
    std::vector<int> first;
    for (int i = 0; i < 4; ++i)
        first.push_back(mivo::Rand15());
    EXPECT_EQ(first, (std::vector<int>{41, 18467, 6334, 26500}));
}

TEST(Random15, StaysInFifteenBitsAndSeedsRepeat)
{
    mivo::SRand15(12345);
    int a = mivo::Rand15();
    for (int i = 0; i < 10000; ++i) {
        int v = mivo::Rand15();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, 32767);
    }
    mivo::SRand15(12345);
    EXPECT_EQ(mivo::Rand15(), a);
}

TEST(Random15, EachThreadStartsFromOne)
{
    mivo::SRand15(99);
    int other = -1;
    std::thread([&] { other = mivo::Rand15(); }).join();
    EXPECT_EQ(other, 41);
}
