#include <gtest/gtest.h>
#include "mfc.h"
#include "support/MessageLoop.h"
#include "support/MessageRecorder.h"

TEST(NativeActivation, TwoVisibleWindowsSettle)
{
    mivo::test::MessageRecorder rec;
    HWND a = mivo::test::CreateTestWindow("a", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100);
    HWND b = mivo::test::CreateTestWindow("b", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 100, 100);
    mivo::test::PumpUntilIdle();
    SetActiveWindow(a);
    mivo::test::PumpUntilIdle();
    SetActiveWindow(b);
    int n = 0;
    for (int i = 0; i < 20; ++i) n += mivo::test::PumpUntilIdle();
    rec.Clear();
    for (int i = 0; i < 20; ++i) mivo::test::PumpUntilIdle();
    EXPECT_LT(rec.Count(nullptr, WM_ACTIVATE), 3);
    EXPECT_EQ(b, GetActiveWindow());
    DestroyWindow(a);
    DestroyWindow(b);
}
