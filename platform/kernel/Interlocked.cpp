// Interlocked operations with full barriers.
#include "win32/sync.h"

namespace {

template <class T>
T AddAndFetch(T volatile* target, T value)
{
    return __atomic_add_fetch(target, value, __ATOMIC_SEQ_CST);
}

template <class T>
T FetchAndAdd(T volatile* target, T value)
{
    return __atomic_fetch_add(target, value, __ATOMIC_SEQ_CST);
}

template <class T>
T Swap(T volatile* target, T value)
{
    return __atomic_exchange_n(target, value, __ATOMIC_SEQ_CST);
}

template <class T>
T CompareSwap(T volatile* target, T exchange, T comperand)
{
    __atomic_compare_exchange_n(target, &comperand, exchange, false, __ATOMIC_SEQ_CST, __ATOMIC_SEQ_CST);
    return comperand;  // holds the old value whether or not the swap happened
}

}  // namespace

LONG InterlockedIncrement(LONG volatile* lpAddend) { return AddAndFetch<LONG>(lpAddend, 1); }
LONG InterlockedDecrement(LONG volatile* lpAddend) { return AddAndFetch<LONG>(lpAddend, -1); }
LONG InterlockedExchange(LONG volatile* Target, LONG Value) { return Swap(Target, Value); }
LONG InterlockedExchangeAdd(LONG volatile* Addend, LONG Value) { return FetchAndAdd(Addend, Value); }
LONG InterlockedCompareExchange(LONG volatile* Destination, LONG Exchange, LONG Comperand)
{
    return CompareSwap(Destination, Exchange, Comperand);
}

LONGLONG InterlockedIncrement64(LONGLONG volatile* lpAddend) { return AddAndFetch<LONGLONG>(lpAddend, 1); }
LONGLONG InterlockedDecrement64(LONGLONG volatile* lpAddend) { return AddAndFetch<LONGLONG>(lpAddend, -1); }
LONGLONG InterlockedExchange64(LONGLONG volatile* Target, LONGLONG Value) { return Swap(Target, Value); }
LONGLONG InterlockedExchangeAdd64(LONGLONG volatile* Addend, LONGLONG Value) { return FetchAndAdd(Addend, Value); }
LONGLONG InterlockedCompareExchange64(LONGLONG volatile* Destination, LONGLONG Exchange, LONGLONG Comperand)
{
    return CompareSwap(Destination, Exchange, Comperand);
}

PVOID InterlockedExchangePointer(PVOID volatile* Target, PVOID Value) { return Swap(Target, Value); }
PVOID InterlockedCompareExchangePointer(PVOID volatile* Destination, PVOID Exchange, PVOID Comperand)
{
    return CompareSwap(Destination, Exchange, Comperand);
}
