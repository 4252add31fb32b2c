#include "support/MessageLoop.h"

#include <chrono>

namespace mivo::test {

int PumpUntilIdle()
{
    int count = 0;
    MSG msg;
    // A window that never validates would repaint forever; stop well before that.
    while (count < 100000 && PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage((int)msg.wParam);
            break;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
        ++count;
    }
    return count;
}

bool PumpUntil(const std::function<bool()>& done, int limitMs)
{
    auto start = std::chrono::steady_clock::now();
    // A thread timer makes sure the wait below wakes up to look at the clock.
    UINT_PTR tick = SetTimer(nullptr, 0, 10, nullptr);
    bool ok = false;
    for (;;) {
        PumpUntilIdle();
        if (done()) {
            ok = true;
            break;
        }
        auto elapsed = std::chrono::steady_clock::now() - start;
        if (std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count() > limitMs)
            break;
        WaitMessage();
    }
    KillTimer(nullptr, tick);
    return ok;
}

void DiscardQuitRequest()
{
    MSG quit;
    ::PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

}  // namespace mivo::test
