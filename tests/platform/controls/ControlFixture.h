// A shown parent window that records what its controls tell it.
#pragma once

#include <gtest/gtest.h>

#include <win32.h>

#include "support/MessageLoop.h"
#include "support/MessageRecorder.h"

#include <string>
#include <utility>
#include <vector>

namespace controls_test {

class ControlFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        parent = mivo::test::CreateTestWindow("parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 400, 300);
        ASSERT_NE(parent, nullptr);
        SetForegroundWindow(parent);
        mivo::test::PumpUntilIdle();
        recorder.Clear();
    }

    void TearDown() override
    {
        if (IsWindow(parent))
            DestroyWindow(parent);
        mivo::test::PumpUntilIdle();
    }

    HWND Child(const char* cls, const char* text, DWORD style, int x, int y, int cx, int cy, int id, DWORD ex = 0)
    {
        HWND h = CreateWindowEx(ex, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, cx, cy, parent,
                                (HMENU)(UINT_PTR)id, nullptr, nullptr);
        SendMessage(h, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), FALSE);
        return h;
    }

    // The notification codes the parent received from control `id`, in order.
    std::vector<int> Notifications(int id) const
    {
        std::vector<int> out;
        for (auto& m : recorder.All())
            if (m.hwnd == parent && m.msg == WM_COMMAND && LOWORD(m.wParam) == id)
                out.push_back(HIWORD(m.wParam));
        return out;
    }

    int CountOf(int id, int code) const
    {
        int n = 0;
        for (int c : Notifications(id))
            n += c == code;
        return n;
    }

    static std::string TextOf(HWND h)
    {
        char buf[1024] = {};
        GetWindowText(h, buf, sizeof(buf));
        return buf;
    }

    static std::pair<DWORD, DWORD> Selection(HWND edit)
    {
        DWORD s = 0, e = 0;
        SendMessage(edit, EM_GETSEL, (WPARAM)&s, (LPARAM)&e);
        return {s, e};
    }

    mivo::test::MessageRecorder recorder;
    HWND parent = nullptr;
};

}  // namespace controls_test
