#include <gtest/gtest.h>

#include "mfc.h"
#include "support/TempFolder.h"
#include "../../../platform/kernel/Waitable.h"
#include "support/PrivateRuntimeFolder.h"
#include "support/SecondCopy.h"

#include <atomic>
#include <cstdlib>
#include <set>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

// Polls until `done` holds; the bound only guards against a hang.
template <class Pred>
bool Eventually(Pred done)
{
    for (int i = 0; i < 5000; ++i) {
        if (done())
            return true;
        Sleep(1);
    }
    return done();
}

DWORD WINAPI ReturnParameter(LPVOID p)
{
    return static_cast<DWORD>(reinterpret_cast<uintptr_t>(p));
}

DWORD WINAPI WaitThenReturn(LPVOID p)
{
    WaitForSingleObject(static_cast<HANDLE>(p), INFINITE);
    return 7;
}

DWORD WINAPI ExitEarly(LPVOID)
{
    ExitThread(42);
    return 1;  // never reached
}

struct ScopedHandle {
    HANDLE h;
    explicit ScopedHandle(HANDLE handle) : h(handle) {}
    ~ScopedHandle()
    {
        if (h)
            CloseHandle(h);
    }
    operator HANDLE() const { return h; }
};

}  // namespace

TEST(Threads, HandleReportsExitCodeAndStaysSignalledUntilClosed)
{
    ScopedHandle release(CreateEvent(nullptr, TRUE, FALSE, nullptr));
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, WaitThenReturn, release, 0, &id);
    ASSERT_NE(nullptr, thread);
    EXPECT_NE(0u, id);
    EXPECT_NE(GetCurrentThreadId(), id);
    EXPECT_EQ(id, GetThreadId(thread));

    DWORD code = 0;
    ASSERT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(static_cast<DWORD>(STILL_ACTIVE), code);
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(thread, 0));

    SetEvent(release);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, INFINITE));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 0));  // stays signalled
    ASSERT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(7u, code);

    ASSERT_TRUE(CloseHandle(thread));
    EXPECT_EQ(WAIT_FAILED, WaitForSingleObject(thread, 0));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HANDLE), GetLastError());
    EXPECT_FALSE(GetExitCodeThread(thread, &code));

    // A later thread never gets the finished thread's handle value.
    HANDLE next = CreateThread(nullptr, 0, ReturnParameter, nullptr, 0, nullptr);
    EXPECT_NE(thread, next);
    WaitForSingleObject(next, INFINITE);
    CloseHandle(next);
}

TEST(Threads, ExitThreadAndBeginThreadExGiveTheirCodes)
{
    ScopedHandle exiting(CreateThread(nullptr, 0, ExitEarly, nullptr, 0, nullptr));
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(exiting, INFINITE));
    DWORD code = 0;
    GetExitCodeThread(exiting, &code);
    EXPECT_EQ(42u, code);

    unsigned id = 0;
    ScopedHandle begun(reinterpret_cast<HANDLE>(
        _beginthreadex(nullptr, 64 * 1024, ReturnParameter, reinterpret_cast<void*>(uintptr_t{99}), 0, &id)));
    ASSERT_NE(nullptr, begun.h);
    EXPECT_NE(0u, id);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(begun, INFINITE));
    GetExitCodeThread(begun, &code);
    EXPECT_EQ(99u, code);
}

namespace {
std::atomic<int> g_suspendedRan{0};
DWORD WINAPI MarkRan(LPVOID)
{
    ++g_suspendedRan;
    return 5;
}
}  // namespace

TEST(Threads, CreateSuspendedWaitsForResume)
{
    g_suspendedRan = 0;
    ScopedHandle thread(CreateThread(nullptr, 0, MarkRan, nullptr, CREATE_SUSPENDED, nullptr));
    ASSERT_NE(nullptr, thread.h);
    EXPECT_EQ(1u, SuspendThread(thread));  // previous count
    EXPECT_EQ(2u, ResumeThread(thread));
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(thread, 20));
    EXPECT_EQ(0, g_suspendedRan.load());

    EXPECT_TRUE(SetThreadPriority(thread, THREAD_PRIORITY_LOWEST));
    EXPECT_EQ(THREAD_PRIORITY_LOWEST, GetThreadPriority(thread));
    EXPECT_FALSE(SetThreadPriority(thread, 7));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());

    EXPECT_EQ(1u, ResumeThread(thread));
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, INFINITE));
    EXPECT_EQ(1, g_suspendedRan.load());
    EXPECT_EQ(0u, ResumeThread(thread));
}

TEST(Threads, TerminateWorksOnlyBeforeAThreadRuns)
{
    g_suspendedRan = 0;
    ScopedHandle held(CreateThread(nullptr, 0, MarkRan, nullptr, CREATE_SUSPENDED, nullptr));
    ASSERT_TRUE(TerminateThread(held, 77));
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(held, INFINITE));
    DWORD code = 0;
    GetExitCodeThread(held, &code);
    EXPECT_EQ(77u, code);
    EXPECT_EQ(0, g_suspendedRan.load());

    ScopedHandle release(CreateEvent(nullptr, TRUE, FALSE, nullptr));
    ScopedHandle running(CreateThread(nullptr, 0, WaitThenReturn, release, 0, nullptr));
    EXPECT_FALSE(TerminateThread(running, 1));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NOT_SUPPORTED), GetLastError());
    EXPECT_EQ(static_cast<DWORD>(-1), SuspendThread(running));
    SetEvent(release);
    WaitForSingleObject(running, INFINITE);
}

TEST(Threads, PseudoHandlesNameTheCaller)
{
    EXPECT_EQ(GetCurrentThreadId(), GetThreadId(GetCurrentThread()));
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeThread(GetCurrentThread(), &code));
    EXPECT_EQ(static_cast<DWORD>(STILL_ACTIVE), code);
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(GetCurrentThread(), 0));
    EXPECT_EQ(static_cast<DWORD>(getpid()), GetCurrentProcessId());
}

TEST(Waits, WaitAnyGivesTheLowestSignalledIndex)
{
    ScopedHandle a(CreateEvent(nullptr, TRUE, FALSE, nullptr));
    ScopedHandle b(CreateEvent(nullptr, TRUE, FALSE, nullptr));
    ScopedHandle c(CreateEvent(nullptr, TRUE, FALSE, nullptr));
    HANDLE all[] = {a, b, c};

    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForMultipleObjects(3, all, FALSE, 10));
    SetEvent(c);
    EXPECT_EQ(WAIT_OBJECT_0 + 2, WaitForMultipleObjects(3, all, FALSE, 0));
    SetEvent(b);
    EXPECT_EQ(WAIT_OBJECT_0 + 1, WaitForMultipleObjects(3, all, FALSE, INFINITE));
}

TEST(Waits, WaitAllTakesNothingUntilEverythingIsSignalled)
{
    ScopedHandle event(CreateEvent(nullptr, FALSE, FALSE, nullptr));
    ScopedHandle semaphore(CreateSemaphore(nullptr, 1, 5, nullptr));
    HANDLE both[] = {event, semaphore};

    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForMultipleObjects(2, both, TRUE, 10));
    // The failed wait-all must not have taken the semaphore's count.
    LONG previous = -1;
    ASSERT_TRUE(ReleaseSemaphore(semaphore, 1, &previous));
    EXPECT_EQ(1, previous);

    SetEvent(event);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForMultipleObjects(2, both, TRUE, INFINITE));
    // Both signals were consumed: the auto-reset event is reset, one count is gone.
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(event, 0));
    ASSERT_TRUE(ReleaseSemaphore(semaphore, 1, &previous));
    EXPECT_EQ(1, previous);
}

namespace {
DWORD WINAPI SetAfterDelay(LPVOID p)
{
    Sleep(30);
    SetEvent(static_cast<HANDLE>(p));
    return 0;
}
}  // namespace

TEST(Waits, WaitAllWakesWhenTheLastObjectIsSignalledByAnotherThread)
{
    ScopedHandle first(CreateEvent(nullptr, TRUE, TRUE, nullptr));
    ScopedHandle second(CreateEvent(nullptr, TRUE, FALSE, nullptr));
    ScopedHandle setter(CreateThread(nullptr, 0, SetAfterDelay, second.h, 0, nullptr));
    HANDLE both[] = {first, second};
    EXPECT_EQ(WAIT_OBJECT_0, WaitForMultipleObjects(2, both, TRUE, INFINITE));
    WaitForSingleObject(setter, INFINITE);
}

TEST(Waits, BadArgumentsFail)
{
    ScopedHandle event(CreateEvent(nullptr, TRUE, TRUE, nullptr));
    HANDLE stale = CreateEvent(nullptr, TRUE, TRUE, nullptr);
    CloseHandle(stale);

    HANDLE withStale[] = {event, stale};
    EXPECT_EQ(WAIT_FAILED, WaitForMultipleObjects(2, withStale, FALSE, 0));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HANDLE), GetLastError());

    HANDLE twice[] = {event, event};
    EXPECT_EQ(WAIT_FAILED, WaitForMultipleObjects(2, twice, TRUE, 0));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());

    EXPECT_EQ(WAIT_FAILED, WaitForMultipleObjects(0, twice, FALSE, 0));
    EXPECT_EQ(WAIT_FAILED, WaitForMultipleObjects(MAXIMUM_WAIT_OBJECTS + 1, twice, FALSE, 0));
    EXPECT_EQ(WAIT_FAILED, WaitForSingleObject(nullptr, 0));
}

namespace {
struct WakeCount {
    HANDLE event;
    std::atomic<int> woken{0};
};
DWORD WINAPI WaitOnceAndCount(LPVOID p)
{
    auto* shared = static_cast<WakeCount*>(p);
    if (WaitForSingleObject(shared->event, INFINITE) == WAIT_OBJECT_0)
        ++shared->woken;
    return 0;
}
}  // namespace

TEST(Events, AutoResetEventWakesExactlyOneWaiterPerSet)
{
    WakeCount shared;
    shared.event = CreateEvent(nullptr, FALSE, FALSE, nullptr);
    std::vector<HANDLE> threads;
    for (int i = 0; i < 4; ++i)
        threads.push_back(CreateThread(nullptr, 0, WaitOnceAndCount, &shared, 0, nullptr));

    for (int expected = 1; expected <= 4; ++expected) {
        SetEvent(shared.event);
        ASSERT_TRUE(Eventually([&] { return shared.woken.load() >= expected; }));
        Sleep(20);  // give a wrongly woken second waiter the chance to show up
        EXPECT_EQ(expected, shared.woken.load());
        EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(shared.event, 0));
    }
    EXPECT_EQ(WAIT_OBJECT_0, WaitForMultipleObjects(4, threads.data(), TRUE, INFINITE));
    for (HANDLE t : threads)
        CloseHandle(t);
    CloseHandle(shared.event);
}

TEST(Events, ManualResetReleasesAllWaitersAndPulseLeavesItReset)
{
    WakeCount shared;
    shared.event = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    std::vector<HANDLE> threads;
    for (int i = 0; i < 3; ++i)
        threads.push_back(CreateThread(nullptr, 0, WaitOnceAndCount, &shared, 0, nullptr));
    ASSERT_TRUE(Eventually([&] {
        std::lock_guard<std::mutex> guard(mivo::WaitLock());
        return mivo::LookupWaitable(shared.event)->waiters.size() == 3;
    }));

    ASSERT_TRUE(PulseEvent(shared.event));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForMultipleObjects(3, threads.data(), TRUE, INFINITE));
    EXPECT_EQ(3, shared.woken.load());
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(shared.event, 0));

    SetEvent(shared.event);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(shared.event, 0));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(shared.event, 0));  // stays set
    ResetEvent(shared.event);
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(shared.event, 0));
    for (HANDLE t : threads)
        CloseHandle(t);
    CloseHandle(shared.event);
}

TEST(Events, NamesAreSharedAndTypesChecked)
{
    const std::string name = "MivoTestEvent." + std::to_string(getpid());
    HANDLE first = CreateEvent(nullptr, TRUE, FALSE, name.c_str());
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), GetLastError());
    HANDLE second = CreateEvent(nullptr, FALSE, TRUE, name.c_str());  // flags of the existing one win
    ASSERT_NE(nullptr, second);
    EXPECT_EQ(static_cast<DWORD>(ERROR_ALREADY_EXISTS), GetLastError());
    HANDLE opened = OpenEvent(EVENT_ALL_ACCESS, FALSE, name.c_str());
    ASSERT_NE(nullptr, opened);

    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(second, 0));
    SetEvent(opened);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(first, 0));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(second, 0));

    EXPECT_EQ(nullptr, CreateMutex(nullptr, FALSE, name.c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HANDLE), GetLastError());
    EXPECT_EQ(nullptr, OpenSemaphore(SEMAPHORE_ALL_ACCESS, FALSE, name.c_str()));

    CloseHandle(first);
    CloseHandle(second);
    CloseHandle(opened);
    EXPECT_EQ(nullptr, OpenEvent(EVENT_ALL_ACCESS, FALSE, name.c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
}

namespace {
DWORD WINAPI TakeMutexAndLeave(LPVOID p)
{
    return WaitForSingleObject(static_cast<HANDLE>(p), INFINITE);
}
DWORD WINAPI TryReleaseForeign(LPVOID p)
{
    return ReleaseMutex(static_cast<HANDLE>(p)) ? 0 : GetLastError();
}
}  // namespace

TEST(Mutexes, OwnershipIsRecursiveAndOnlyTheOwnerReleases)
{
    ScopedHandle mutex(CreateMutex(nullptr, TRUE, nullptr));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(mutex, 0));  // second level

    ScopedHandle other(CreateThread(nullptr, 0, TryReleaseForeign, mutex.h, 0, nullptr));
    WaitForSingleObject(other, INFINITE);
    DWORD code = 0;
    GetExitCodeThread(other, &code);
    EXPECT_EQ(static_cast<DWORD>(ERROR_NOT_OWNER), code);

    ScopedHandle taker(CreateThread(nullptr, 0, TakeMutexAndLeave, mutex.h, 0, nullptr));
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(taker, 20));
    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(taker, 20));  // still held once
    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_FALSE(ReleaseMutex(mutex));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NOT_OWNER), GetLastError());

    // The taker ends while owning the mutex: the next owner hears it was abandoned.
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(taker, INFINITE));
    GetExitCodeThread(taker, &code);
    EXPECT_EQ(WAIT_OBJECT_0, code);
    EXPECT_EQ(WAIT_ABANDONED_0, WaitForSingleObject(mutex, INFINITE));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(mutex, 0));
    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_TRUE(ReleaseMutex(mutex));
}

TEST(Mutexes, NamedMutexReportsAnExistingNameInProcess)
{
    mivotest::PrivateRuntimeFolder runtime;
    const std::string name = "MivoTestMutex.local." + std::to_string(getpid());
    HANDLE first = CreateMutex(nullptr, FALSE, name.c_str());
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), GetLastError());
    HANDLE second = CreateMutex(nullptr, TRUE, name.c_str());
    ASSERT_NE(nullptr, second);
    EXPECT_EQ(static_cast<DWORD>(ERROR_ALREADY_EXISTS), GetLastError());
    // The initial owner is ignored for an existing mutex: another thread can take it.
    ScopedHandle taker(CreateThread(nullptr, 0, TakeMutexAndLeave, second, 0, nullptr));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(taker, INFINITE));
    CloseHandle(first);
    CloseHandle(second);

    HANDLE again = CreateMutex(nullptr, FALSE, name.c_str());
    EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), GetLastError());
    CloseHandle(again);
}

namespace {

// Runs this test program again with only the child test below, which reports
// through its exit code what it sees of the mutex `name`.
int RunMutexChild(const std::string& name)
{
    return mivotest::RunSecondCopy("NamedMutexChild.ReportsWhatItSees", {"MIVO_TEST_CHILD_MUTEX=" + name});
}

}  // namespace

// Bit 0: the name already existed; bit 1: the mutex could not be taken at once.
TEST(NamedMutexChild, ReportsWhatItSees)
{
    const char* name = getenv("MIVO_TEST_CHILD_MUTEX");
    if (!name)
        GTEST_SKIP() << "runs only as the child of the cross-process test";
    HANDLE mutex = CreateMutex(nullptr, FALSE, name);
    int report = GetLastError() == ERROR_ALREADY_EXISTS ? 1 : 0;
    if (!mutex)
        _exit(100);
    if (WaitForSingleObject(mutex, 0) == WAIT_TIMEOUT)
        report |= 2;
    _exit(report);
}

TEST(Mutexes, NamedMutexIsSeenFromAnotherProcess)
{
    mivotest::PrivateRuntimeFolder runtime;
    const std::string name = "MivoTestMutex.shared." + std::to_string(getpid());
    EXPECT_EQ(0, RunMutexChild(name));  // nobody has it

    HANDLE mutex = CreateMutex(nullptr, FALSE, name.c_str());
    ASSERT_NE(nullptr, mutex);
    ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS), GetLastError());
    EXPECT_EQ(1, RunMutexChild(name));  // open here, not owned

    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(mutex, 0));
    EXPECT_EQ(3, RunMutexChild(name));  // owned here
    ASSERT_TRUE(ReleaseMutex(mutex));
    EXPECT_EQ(1, RunMutexChild(name));

    CloseHandle(mutex);
    EXPECT_EQ(0, RunMutexChild(name));
    EXPECT_EQ(nullptr, OpenMutex(MUTEX_ALL_ACCESS, FALSE, name.c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
}

TEST(Semaphores, CountsUpToTheMaximum)
{
    EXPECT_EQ(nullptr, CreateSemaphore(nullptr, 3, 2, nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());

    ScopedHandle sem(CreateSemaphore(nullptr, 2, 3, nullptr));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(sem, 0));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(sem, 0));
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(sem, 0));

    LONG previous = -1;
    EXPECT_TRUE(ReleaseSemaphore(sem, 3, &previous));
    EXPECT_EQ(0, previous);
    EXPECT_FALSE(ReleaseSemaphore(sem, 1, &previous));
    EXPECT_EQ(static_cast<DWORD>(ERROR_TOO_MANY_POSTS), GetLastError());
    EXPECT_FALSE(ReleaseSemaphore(sem, 0, nullptr));
    EXPECT_FALSE(ReleaseSemaphore(sem, -1, nullptr));
}

namespace {
struct Counter {
    CRITICAL_SECTION cs;
    int value = 0;
};
DWORD WINAPI AddManyTimes(LPVOID p)
{
    auto* c = static_cast<Counter*>(p);
    for (int i = 0; i < 10000; ++i) {
        EnterCriticalSection(&c->cs);
        EnterCriticalSection(&c->cs);
        ++c->value;
        LeaveCriticalSection(&c->cs);
        LeaveCriticalSection(&c->cs);
    }
    return 0;
}
DWORD WINAPI TryEnter(LPVOID p)
{
    auto* cs = static_cast<CRITICAL_SECTION*>(p);
    if (!TryEnterCriticalSection(cs))
        return 0;
    LeaveCriticalSection(cs);
    return 1;
}
}  // namespace

TEST(CriticalSections, AreRecursiveAndExclusive)
{
    Counter counter;
    InitializeCriticalSection(&counter.cs);
    HANDLE threads[4];
    for (HANDLE& t : threads)
        t = CreateThread(nullptr, 0, AddManyTimes, &counter, 0, nullptr);
    WaitForMultipleObjects(4, threads, TRUE, INFINITE);
    EXPECT_EQ(40000, counter.value);
    for (HANDLE t : threads)
        CloseHandle(t);

    EnterCriticalSection(&counter.cs);
    EXPECT_TRUE(TryEnterCriticalSection(&counter.cs));
    EXPECT_EQ(2, counter.cs.RecursionCount);
    ScopedHandle other(CreateThread(nullptr, 0, TryEnter, &counter.cs, 0, nullptr));
    WaitForSingleObject(other, INFINITE);
    DWORD entered = 9;
    GetExitCodeThread(other, &entered);
    EXPECT_EQ(0u, entered);
    LeaveCriticalSection(&counter.cs);
    LeaveCriticalSection(&counter.cs);
    DeleteCriticalSection(&counter.cs);
}

TEST(Interlocked, ReturnValuesFollowWindows)
{
    LONG v = 5;
    EXPECT_EQ(6, InterlockedIncrement(&v));
    EXPECT_EQ(5, InterlockedDecrement(&v));
    EXPECT_EQ(5, InterlockedExchange(&v, 9));
    EXPECT_EQ(9, InterlockedExchangeAdd(&v, 3));
    EXPECT_EQ(12, v);
    EXPECT_EQ(12, InterlockedCompareExchange(&v, 1, 11));  // no match: unchanged
    EXPECT_EQ(12, v);
    EXPECT_EQ(12, InterlockedCompareExchange(&v, 1, 12));
    EXPECT_EQ(1, v);

    int target = 0;
    PVOID p = nullptr;
    EXPECT_EQ(nullptr, InterlockedExchangePointer(&p, &target));
    EXPECT_EQ(&target, InterlockedCompareExchangePointer(&p, nullptr, &target));
    EXPECT_EQ(nullptr, p);
}

namespace {
DWORD g_slot;
DWORD WINAPI ReadSlotThenSet(LPVOID)
{
    if (TlsGetValue(g_slot) != nullptr)
        return 1;
    TlsSetValue(g_slot, reinterpret_cast<LPVOID>(uintptr_t{0xBEEF}));
    return TlsGetValue(g_slot) == reinterpret_cast<LPVOID>(uintptr_t{0xBEEF}) ? 0 : 2;
}
}  // namespace

TEST(Tls, SlotsArePerThreadAndReusedSlotsReadNull)
{
    g_slot = TlsAlloc();
    ASSERT_NE(TLS_OUT_OF_INDEXES, g_slot);
    int mine = 0;
    ASSERT_TRUE(TlsSetValue(g_slot, &mine));
    ScopedHandle other(CreateThread(nullptr, 0, ReadSlotThenSet, nullptr, 0, nullptr));
    WaitForSingleObject(other, INFINITE);
    DWORD code = 9;
    GetExitCodeThread(other, &code);
    EXPECT_EQ(0u, code);
    EXPECT_EQ(&mine, TlsGetValue(g_slot));

    ASSERT_TRUE(TlsFree(g_slot));
    EXPECT_EQ(nullptr, TlsGetValue(g_slot));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
    EXPECT_FALSE(TlsFree(g_slot));
    DWORD again = TlsAlloc();
    ASSERT_EQ(g_slot, again);  // lowest free slot
    EXPECT_EQ(nullptr, TlsGetValue(again));
    EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), GetLastError());
    TlsFree(again);
}

namespace {
std::atomic<DWORD> g_pumpWaiter{0};
std::atomic<int> g_pumpRuns{0};
HANDLE g_pumpRan = nullptr;
// Every waiting thread runs the pump; only the waiter under test counts.
bool RecordingPump()
{
    if (GetCurrentThreadId() != g_pumpWaiter)
        return false;
    ++g_pumpRuns;
    SetEvent(g_pumpRan);
    return true;
}
struct PumpTest {
    DWORD waiter;
    HANDLE done;
};
DWORD WINAPI WakeThenFinish(LPVOID p)
{
    auto* t = static_cast<PumpTest*>(p);
    // The waiter ran its pump once before blocking; wait for that, then wake it.
    WaitForSingleObject(g_pumpRan, INFINITE);
    mivo::WakeWaitingThread(t->waiter);
    WaitForSingleObject(g_pumpRan, INFINITE);
    SetEvent(t->done);
    return 0;
}
}  // namespace

TEST(WaitPump, WaitingThreadRunsThePumpWhenWoken)
{
    g_pumpRan = CreateEvent(nullptr, FALSE, FALSE, nullptr);
    PumpTest t{GetCurrentThreadId(), CreateEvent(nullptr, TRUE, FALSE, nullptr)};
    g_pumpWaiter = GetCurrentThreadId();
    g_pumpRuns = 0;
    mivo::SetWaitPump(RecordingPump);
    ScopedHandle waker(CreateThread(nullptr, 0, WakeThenFinish, &t, 0, nullptr));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(t.done, INFINITE));
    mivo::SetWaitPump(nullptr);
    EXPECT_GE(g_pumpRuns.load(), 2);  // before blocking, and again when woken
    WaitForSingleObject(waker, INFINITE);
    CloseHandle(t.done);
    CloseHandle(g_pumpRan);
}

TEST(WaitPump, WakeEndsAWaitForHandlesOrWake)
{
    ScopedHandle never(CreateEvent(nullptr, TRUE, FALSE, nullptr));
    HANDLE handles[] = {never};
    mivo::WakeWaitingThread(GetCurrentThreadId());  // kept until the next wait
    EXPECT_EQ(WAIT_OBJECT_0 + 1, mivo::WaitForHandlesOrWake(1, handles, FALSE, INFINITE));
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), mivo::WaitForHandlesOrWake(1, handles, FALSE, 5));
}

namespace {
struct Guarded {
    CCriticalSection section;
    int value = 0;
};
DWORD WINAPI AddUnderSingleLock(LPVOID p)
{
    auto* g = static_cast<Guarded*>(p);
    for (int i = 0; i < 5000; ++i) {
        CSingleLock lock(&g->section, TRUE);
        ++g->value;
    }
    return 0;
}
}  // namespace

TEST(SyncObjects, SingleLockGuardsACriticalSection)
{
    Guarded guarded;
    HANDLE threads[3];
    for (HANDLE& t : threads)
        t = CreateThread(nullptr, 0, AddUnderSingleLock, &guarded, 0, nullptr);
    WaitForMultipleObjects(3, threads, TRUE, INFINITE);
    for (HANDLE t : threads)
        CloseHandle(t);
    EXPECT_EQ(15000, guarded.value);
    EXPECT_TRUE(guarded.section.IsKindOf(RUNTIME_CLASS(CSyncObject)));
}

TEST(SyncObjects, EventsSemaphoresAndMutexesThroughSingleLock)
{
    CEvent event;  // auto-reset, not signalled
    CSingleLock onEvent(&event);
    EXPECT_FALSE(onEvent.Lock(0));
    EXPECT_TRUE(event.SetEvent());
    EXPECT_TRUE(onEvent.Lock(0));
    EXPECT_TRUE(onEvent.IsLocked());
    EXPECT_TRUE(onEvent.Unlock());
    EXPECT_FALSE(onEvent.Lock(0));  // the auto-reset event was consumed

    CSemaphore semaphore(2, 2);
    CSingleLock a(&semaphore, TRUE), b(&semaphore, TRUE), c(&semaphore);
    EXPECT_TRUE(a.IsLocked());
    EXPECT_TRUE(b.IsLocked());
    EXPECT_FALSE(c.Lock(0));
    EXPECT_TRUE(a.Unlock());
    EXPECT_TRUE(c.Lock(0));

    mivotest::PrivateRuntimeFolder runtime;
    const std::string name = "MivoTestMutex.mfc." + std::to_string(getpid());
    CMutex first(FALSE, name.c_str());
    EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), GetLastError());
    CMutex second(FALSE, name.c_str());
    EXPECT_EQ(static_cast<DWORD>(ERROR_ALREADY_EXISTS), GetLastError());
    CSingleLock held(&second, TRUE);
    EXPECT_TRUE(held.IsLocked());
    EXPECT_TRUE(first.Lock(0));  // recursive: the same thread owns it
    EXPECT_TRUE(first.Unlock());
}

TEST(SyncObjects, MultiLockWaitsForAnyOrAll)
{
    CEvent first(FALSE, TRUE), second(FALSE, TRUE);
    CSyncObject* objects[] = {&first, &second};
    CMultiLock lock(objects, 2);
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), lock.Lock(0, FALSE));
    second.SetEvent();
    EXPECT_EQ(WAIT_OBJECT_0 + 1, lock.Lock(0, FALSE));
    EXPECT_FALSE(lock.IsLocked(0));
    EXPECT_TRUE(lock.IsLocked(1));
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), lock.Lock(0, TRUE));
    first.SetEvent();
    EXPECT_EQ(WAIT_OBJECT_0, lock.Lock(INFINITE, TRUE));
    EXPECT_TRUE(lock.IsLocked(0));
    EXPECT_TRUE(lock.Unlock());

    first.ResetEvent();
    second.ResetEvent();
    mivo::WakeWaitingThread(GetCurrentThreadId());
    EXPECT_EQ(WAIT_OBJECT_0 + 2, lock.Lock(INFINITE, FALSE, 0xFF));  // woken for messages
}
