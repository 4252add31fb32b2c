// MessageBeep: silent here; tests may listen through a hook.
#include "win32/msgbox.h"

#include "mivo/testing/beep.h"

#include <mutex>

namespace {

std::mutex beepLock;
mivo::MessageBeepHook& beepHook()
{
    static mivo::MessageBeepHook current;
    return current;
}

}  // namespace

namespace mivo {

MessageBeepHook SetMessageBeepHook(MessageBeepHook hook)
{
    std::lock_guard<std::mutex> guard(beepLock);
    MessageBeepHook previous = beepHook();
    beepHook() = std::move(hook);
    return previous;
}

}  // namespace mivo

BOOL MessageBeep(UINT uType)
{
    mivo::MessageBeepHook current;
    {
        std::lock_guard<std::mutex> guard(beepLock);
        current = beepHook();
    }
    if (current)
        current(uType);
    return TRUE;
}
