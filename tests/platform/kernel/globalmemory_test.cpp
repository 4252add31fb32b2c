#include <gtest/gtest.h>

#include "win32.h"

#include <cstdint>
#include <cstring>

TEST(GlobalMemory, MoveableBlockKeepsItsHandleAndContentsWhenItGrows)
{
    HGLOBAL h = GlobalAlloc(GHND, 16);
    ASSERT_NE(nullptr, h);
    EXPECT_EQ(16u, GlobalSize(h));
    auto* p = static_cast<unsigned char*>(GlobalLock(h));
    ASSERT_NE(nullptr, p);
    EXPECT_NE(static_cast<void*>(h), static_cast<void*>(p));  // a handle, not the address
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(0, p[i]);
        p[i] = static_cast<unsigned char>(i + 1);
    }
    EXPECT_EQ(1u, GlobalFlags(h) & GMEM_LOCKCOUNT);
    EXPECT_EQ(h, GlobalHandle(p));
    EXPECT_FALSE(GlobalUnlock(h));
    EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), GetLastError());

    ASSERT_EQ(h, GlobalReAlloc(h, 1 << 20, GMEM_MOVEABLE | GMEM_ZEROINIT));
    EXPECT_EQ(static_cast<SIZE_T>(1 << 20), GlobalSize(h));
    p = static_cast<unsigned char*>(GlobalLock(h));
    ASSERT_NE(nullptr, p);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(i + 1, p[i]);
    EXPECT_EQ(0, p[16]);
    EXPECT_EQ(0, p[(1 << 20) - 1]);
    GlobalUnlock(h);

    ASSERT_EQ(h, GlobalReAlloc(h, 4, 0));  // shrink
    EXPECT_EQ(4u, GlobalSize(h));
    ASSERT_EQ(h, GlobalReAlloc(h, 8, 0));  // grows back in place: new bytes are zero
    p = static_cast<unsigned char*>(GlobalLock(h));
    EXPECT_EQ(4, p[3]);
    EXPECT_EQ(0, p[4]);
    GlobalUnlock(h);
    EXPECT_EQ(nullptr, GlobalFree(h));
}

TEST(GlobalMemory, LockCountsAndLockedBlocksDoNotMove)
{
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, 64);
    void* first = GlobalLock(h);
    void* second = GlobalLock(h);
    EXPECT_EQ(first, second);
    EXPECT_EQ(2u | GMEM_DDESHARE, GlobalFlags(h));
    // Locked and without GMEM_MOVEABLE: only in place, so growing fails.
    EXPECT_EQ(nullptr, GlobalReAlloc(h, 1 << 16, 0));
    EXPECT_EQ(64u, GlobalSize(h));
    EXPECT_TRUE(GlobalUnlock(h));
    EXPECT_FALSE(GlobalUnlock(h));
    EXPECT_FALSE(GlobalUnlock(h));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NOT_LOCKED), GetLastError());
    // Freeing a locked block frees it, as Windows does.
    GlobalLock(h);
    EXPECT_EQ(nullptr, GlobalFree(h));
    EXPECT_EQ(static_cast<UINT>(GMEM_INVALID_HANDLE), GlobalFlags(h));
}

TEST(GlobalMemory, StaleAndForeignHandlesFail)
{
    HGLOBAL h = GlobalAlloc(GHND, 32);
    ASSERT_EQ(nullptr, GlobalFree(h));
    SetLastError(0);
    EXPECT_EQ(nullptr, GlobalLock(h));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HANDLE), GetLastError());
    EXPECT_EQ(0u, GlobalSize(h));
    EXPECT_EQ(nullptr, GlobalReAlloc(h, 64, GMEM_MOVEABLE));
    EXPECT_FALSE(GlobalUnlock(h));
    EXPECT_EQ(h, GlobalFree(h));  // failure returns the handle
    EXPECT_EQ(static_cast<UINT>(GMEM_INVALID_HANDLE), GlobalFlags(h));

    int local = 0;
    EXPECT_EQ(nullptr, GlobalLock(reinterpret_cast<HGLOBAL>(&local)));
    EXPECT_EQ(nullptr, GlobalHandle(&local));

    // A new block never gets the freed moveable handle back.
    HGLOBAL next = GlobalAlloc(GHND, 32);
    EXPECT_NE(h, next);
    GlobalFree(next);
}

TEST(GlobalMemory, FixedBlocksAreTheirOwnAddress)
{
    HGLOBAL h = GlobalAlloc(GPTR, 10);
    ASSERT_NE(nullptr, h);
    EXPECT_EQ(static_cast<void*>(h), GlobalLock(h));
    EXPECT_EQ(0u, GlobalFlags(h) & GMEM_LOCKCOUNT);
    EXPECT_EQ(h, GlobalHandle(h));
    std::memcpy(h, "abcdefghi", 10);

    // Without GMEM_MOVEABLE a fixed block cannot move, so it cannot grow.
    EXPECT_EQ(nullptr, GlobalReAlloc(h, 4096, 0));
    HGLOBAL moved = GlobalReAlloc(h, 4096, GMEM_MOVEABLE);
    ASSERT_NE(nullptr, moved);
    EXPECT_STREQ("abcdefghi", static_cast<char*>(moved));
    EXPECT_EQ(4096u, GlobalSize(moved));
    if (moved != h) {
        EXPECT_EQ(0u, GlobalSize(h));  // the old address is no longer a block
    }
    EXPECT_EQ(nullptr, GlobalFree(moved));
}

TEST(GlobalMemory, ZeroSizeMoveableBlocksAreDiscarded)
{
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 0);
    ASSERT_NE(nullptr, h);
    EXPECT_EQ(static_cast<UINT>(GMEM_DISCARDED), GlobalFlags(h));
    EXPECT_EQ(nullptr, GlobalLock(h));
    ASSERT_EQ(h, GlobalReAlloc(h, 8, GMEM_MOVEABLE));
    EXPECT_EQ(0u, GlobalFlags(h));
    ASSERT_NE(nullptr, GlobalLock(h));
    EXPECT_EQ(nullptr, GlobalDiscard(h));  // locked blocks are not discarded
    GlobalUnlock(h);
    EXPECT_EQ(h, GlobalDiscard(h));
    EXPECT_EQ(0u, GlobalSize(h));
    EXPECT_EQ(nullptr, GlobalFree(h));
}

TEST(GlobalMemory, HugeRequestsFail)
{
    const SIZE_T sizes[] = {SIZE_MAX, SIZE_MAX / 2, static_cast<SIZE_T>(1) << 50};
    for (SIZE_T size : sizes) {
        SetLastError(0);
        EXPECT_EQ(nullptr, GlobalAlloc(GHND, size)) << size;
        EXPECT_EQ(static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY), GetLastError());
        EXPECT_EQ(nullptr, GlobalAlloc(GMEM_FIXED, size));
    }
    HGLOBAL h = GlobalAlloc(GHND, 100);
    EXPECT_EQ(nullptr, GlobalReAlloc(h, SIZE_MAX, GMEM_MOVEABLE));
    EXPECT_EQ(100u, GlobalSize(h));  // untouched
    GlobalFree(h);
}
