// CRITICAL_SECTION: a recursive POSIX mutex plus the Windows bookkeeping fields.
#include "win32/sync.h"

namespace {

HANDLE ThreadAsHandle(DWORD id)
{
    return reinterpret_cast<HANDLE>(static_cast<uintptr_t>(id));
}

void NoteEntered(LPCRITICAL_SECTION cs)
{
    cs->OwningThread = ThreadAsHandle(GetCurrentThreadId());
    ++cs->RecursionCount;
}

}  // namespace

void InitializeCriticalSection(LPCRITICAL_SECTION lpCriticalSection)
{
    InitializeCriticalSectionAndSpinCount(lpCriticalSection, 0);
}

BOOL InitializeCriticalSectionAndSpinCount(LPCRITICAL_SECTION lpCriticalSection, DWORD dwSpinCount)
{
    lpCriticalSection->DebugInfo = nullptr;
    lpCriticalSection->LockCount = -1;
    lpCriticalSection->RecursionCount = 0;
    lpCriticalSection->OwningThread = nullptr;
    lpCriticalSection->LockSemaphore = nullptr;
    lpCriticalSection->SpinCount = dwSpinCount;
    pthread_mutexattr_t attr;
    pthread_mutexattr_init(&attr);
    pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE);
    pthread_mutex_init(&lpCriticalSection->Mutex, &attr);
    pthread_mutexattr_destroy(&attr);
    return TRUE;
}

void EnterCriticalSection(LPCRITICAL_SECTION lpCriticalSection)
{
    pthread_mutex_lock(&lpCriticalSection->Mutex);
    NoteEntered(lpCriticalSection);
}

BOOL TryEnterCriticalSection(LPCRITICAL_SECTION lpCriticalSection)
{
    if (pthread_mutex_trylock(&lpCriticalSection->Mutex) != 0)
        return FALSE;
    NoteEntered(lpCriticalSection);
    return TRUE;
}

void LeaveCriticalSection(LPCRITICAL_SECTION lpCriticalSection)
{
    // Leaving a section the thread does not hold is a caller error; ignore it
    // rather than corrupt the owner's count.
    if (lpCriticalSection->OwningThread != ThreadAsHandle(GetCurrentThreadId()) ||
        lpCriticalSection->RecursionCount <= 0)
        return;
    if (--lpCriticalSection->RecursionCount == 0)
        lpCriticalSection->OwningThread = nullptr;
    pthread_mutex_unlock(&lpCriticalSection->Mutex);
}

void DeleteCriticalSection(LPCRITICAL_SECTION lpCriticalSection)
{
    pthread_mutex_destroy(&lpCriticalSection->Mutex);
    lpCriticalSection->OwningThread = nullptr;
    lpCriticalSection->RecursionCount = 0;
}
