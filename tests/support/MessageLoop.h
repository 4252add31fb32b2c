// Running the message loop in tests.
#pragma once

#include <win32.h>

#include <functional>

namespace mivo::test {

// Dispatches every waiting message, paints and due timers included, until the
// calling thread's queue is empty. Returns how many messages ran.
int PumpUntilIdle();

// Runs the message loop until `done` holds or `limitMs` passed; a safety limit
// against hangs, never a speed check. Returns whether `done` held.
bool PumpUntil(const std::function<bool()>& done, int limitMs = 10000);

// Takes away the quit request a closed main window leaves when no loop runs, so
// that a later test's loop does not end at once.
void DiscardQuitRequest();

}  // namespace mivo::test
