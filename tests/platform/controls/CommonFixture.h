// A shown parent that records the notifications of its common controls and
// can answer them.
#pragma once

#include <gtest/gtest.h>

#include <win32.h>

#include "support/MessageLoop.h"
#include "support/MessageRecorder.h"
#include "support/WindowCapture.h"

#include <functional>
#include <map>
#include <vector>

namespace commctrl_test {

class CommonFixture : public ::testing::Test {
protected:
    typedef std::function<LRESULT(NMHDR*)> Answer;

    void SetUp() override
    {
        recorder.OnMessage(WM_NOTIFY, [this](HWND h, UINT, WPARAM, LPARAM lParam, LRESULT* result) {
            if (h != parent)
                return false;
            auto* hdr = (NMHDR*)lParam;
            codes.push_back(hdr->code);
            auto it = answers.find(hdr->code);
            *result = it == answers.end() ? 0 : it->second(hdr);
            return true;
        });
        parent = mivo::test::CreateTestWindow("parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 420, 320);
        ASSERT_NE(parent, nullptr);
        SetForegroundWindow(parent);
        mivo::test::PumpUntilIdle();
        codes.clear();
    }

    void TearDown() override
    {
        if (IsWindow(parent))
            DestroyWindow(parent);
        mivo::test::PumpUntilIdle();
    }

    HWND Child(const char* cls, DWORD style, int x, int y, int cx, int cy, int id)
    {
        HWND h = CreateWindowEx(0, cls, "", WS_CHILD | WS_VISIBLE | style, x, y, cx, cy, parent,
                                (HMENU)(UINT_PTR)id, nullptr, nullptr);
        SendMessage(h, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), FALSE);
        return h;
    }

    // The notification codes received since the last clear, keeping only those listed.
    std::vector<UINT> Codes(const std::vector<UINT>& only) const
    {
        std::vector<UINT> out;
        for (UINT c : codes)
            for (UINT o : only)
                if (c == o)
                    out.push_back(c);
        return out;
    }

    static void Click(HWND h, int x, int y, UINT down = WM_LBUTTONDOWN, UINT up = WM_LBUTTONUP)
    {
        SendMessage(h, down, down == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON, MAKELPARAM(x, y));
        SendMessage(h, up, 0, MAKELPARAM(x, y));
    }

    mivo::test::MessageRecorder recorder;
    HWND parent = nullptr;
    std::vector<UINT> codes;
    std::map<UINT, Answer> answers;
};

}  // namespace commctrl_test
