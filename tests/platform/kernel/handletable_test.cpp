#include "../../../platform/kernel/HandleTable.h"
#include "win32.h"

#include <gtest/gtest.h>

namespace {

struct CountingObject : mivo::KernelObject {
    int* closes;
    explicit CountingObject(int* c) : closes(c) {}
    bool Close() override
    {
        ++*closes;
        return true;
    }
};

TEST(HandleTable, CloseHandleClosesOnceAndStaleHandleFails)
{
    int closes = 0;
    HANDLE h = mivo::RegisterHandle(std::make_shared<CountingObject>(&closes));
    ASSERT_NE(h, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(mivo::LookupHandleAs<CountingObject>(h));
    EXPECT_TRUE(CloseHandle(h));
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(mivo::LookupHandle(h));
    SetLastError(0);
    EXPECT_FALSE(CloseHandle(h));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_HANDLE);
    EXPECT_EQ(closes, 1);
}

TEST(HandleTable, HandlesAreNeverReused)
{
    int closes = 0;
    HANDLE first = mivo::RegisterHandle(std::make_shared<CountingObject>(&closes));
    CloseHandle(first);
    HANDLE second = mivo::RegisterHandle(std::make_shared<CountingObject>(&closes));
    EXPECT_NE(first, second);
    EXPECT_FALSE(CloseHandle(first));
    EXPECT_TRUE(CloseHandle(second));
}

TEST(HandleTable, UnknownAndNullHandlesFail)
{
    EXPECT_FALSE(CloseHandle(nullptr));
    EXPECT_FALSE(CloseHandle(INVALID_HANDLE_VALUE));
    EXPECT_EQ(mivo::RegisterHandle(nullptr), nullptr);
}

}  // namespace
