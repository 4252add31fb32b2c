// Layered windows: the two functions found by name in USER32, attributes only on layered windows.
#include <gtest/gtest.h>

#include <win32.h>

#include "support/MessageRecorder.h"

namespace {

TEST(LayeredWindows, User32ExportsBothFunctionsByName)
{
    HMODULE user32 = GetModuleHandle("USER32.DLL");
    ASSERT_NE(user32, nullptr);
    auto setAttributes =
        (PFN_SETLAYEREDWINDOWATTRIBUTES)(void*)GetProcAddress(user32, "SetLayeredWindowAttributes");
    ASSERT_NE(setAttributes, nullptr);
    EXPECT_NE(GetProcAddress(user32, "UpdateLayeredWindow"), nullptr);

    HWND plain = mivo::test::CreateTestWindow("plain", WS_POPUP, 0, 0, 50, 50);
    EXPECT_FALSE(setAttributes(plain, 0, 128, LWA_ALPHA)) << "only layered windows take attributes";
    HWND layered = mivo::test::CreateTestWindow("layered", WS_POPUP, 0, 0, 50, 50, nullptr, 0, WS_EX_LAYERED);
    EXPECT_TRUE(setAttributes(layered, RGB(255, 0, 255), 128, LWA_ALPHA | LWA_COLORKEY));
    typedef BOOL(WINAPI * GetAttributes)(HWND, COLORREF*, BYTE*, DWORD*);
    auto getAttributes = (GetAttributes)(void*)GetProcAddress(user32, "GetLayeredWindowAttributes");
    ASSERT_NE(getAttributes, nullptr);
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(getAttributes(layered, &key, &alpha, &flags));
    EXPECT_EQ(key, RGB(255, 0, 255));
    EXPECT_EQ(alpha, 128);
    EXPECT_EQ(flags, (DWORD)(LWA_ALPHA | LWA_COLORKEY));
    DestroyWindow(plain);
    DestroyWindow(layered);
}

}  // namespace
