// Kernel events: manual and auto reset, named inside the process, PulseEvent.
#include "kernel/NamedObjects.h"

#include "win32/sync.h"

namespace mivo {

namespace {

struct EventObject : Waitable {
    EventObject(bool manual, bool initial) : manualReset(manual), signalled(initial) {}

    bool IsSignalledFor(const Waiter& waiter) override { return signalled || waiter.pulsed.count(this) > 0; }

    bool Acquire(const Waiter&) override
    {
        if (!manualReset)
            signalled = false;
        return false;
    }

    // Releases the threads waiting right now (all of them, or one for an auto-reset
    // event) and leaves the event reset.
    void Pulse()
    {
        for (Waiter* waiter : waiters) {
            waiter->pulsed.insert(this);
            if (!manualReset)
                break;
        }
        signalled = false;
    }

    const bool manualReset;
    bool signalled;
};

template <class Change>
BOOL ChangeEvent(HANDLE handle, Change change)
{
    auto event = LookupHandleAs<EventObject>(handle);
    if (!event) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    {
        std::lock_guard<std::mutex> guard(WaitLock());
        change(*event);
    }
    NotifyWaiters();
    return TRUE;
}

}  // namespace

}  // namespace mivo

HANDLE CreateEvent(LPSECURITY_ATTRIBUTES, BOOL bManualReset, BOOL bInitialState, LPCSTR lpName)
{
    return mivo::CreateNamedHandle<mivo::EventObject>(lpName, [&](bool&) {
        return std::make_shared<mivo::EventObject>(bManualReset != FALSE, bInitialState != FALSE);
    });
}

HANDLE CreateEventA(LPSECURITY_ATTRIBUTES lpEventAttributes, BOOL bManualReset, BOOL bInitialState, LPCSTR lpName)
{
    return CreateEvent(lpEventAttributes, bManualReset, bInitialState, lpName);
}

HANDLE OpenEvent(DWORD, BOOL, LPCSTR lpName)
{
    return mivo::OpenNamedHandle<mivo::EventObject>(lpName);
}

HANDLE OpenEventA(DWORD dwDesiredAccess, BOOL bInheritHandle, LPCSTR lpName)
{
    return OpenEvent(dwDesiredAccess, bInheritHandle, lpName);
}

BOOL SetEvent(HANDLE hEvent)
{
    return mivo::ChangeEvent(hEvent, [](mivo::EventObject& e) { e.signalled = true; });
}

BOOL ResetEvent(HANDLE hEvent)
{
    return mivo::ChangeEvent(hEvent, [](mivo::EventObject& e) { e.signalled = false; });
}

BOOL PulseEvent(HANDLE hEvent)
{
    return mivo::ChangeEvent(hEvent, [](mivo::EventObject& e) { e.Pulse(); });
}
