// The test source's own modeless panel: "스캔" starts a batch, "취소" asks
// the application to close the source.
#pragma once

#include "win32/types.h"

namespace mivo::twain {

class TestSource;

class TestSourcePanel {
public:
    explicit TestSourcePanel(TestSource& source) : m_source(source) {}
    ~TestSourcePanel();
    TestSourcePanel(const TestSourcePanel&) = delete;
    TestSourcePanel& operator=(const TestSourcePanel&) = delete;

    bool Show(HWND owner);
    HWND Window() const { return m_window; }

private:
    static INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    TestSource& m_source;
    HWND m_window = nullptr;
};

}  // namespace mivo::twain
