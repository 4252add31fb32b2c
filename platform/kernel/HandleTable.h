// The process-wide table behind kernel HANDLEs (files, find handles, threads,
// events, mutexes ...). CloseHandle works on every kind through it.
#pragma once

#include "win32/types.h"

#include <memory>

namespace mivo {

// Base of every object a kernel HANDLE can name. The table holds a shared
// reference per handle, so an object lives while any handle or user holds it.
struct KernelObject {
    virtual ~KernelObject();
    // Called once for each handle closed on the object; false makes
    // CloseHandle fail (the handle is gone all the same).
    virtual bool Close();
};

// A new handle for `object`. Handle values are never reused, so a stale
// handle can never reach a later object. Returns NULL for a null object.
HANDLE RegisterHandle(std::shared_ptr<KernelObject> object);
// The object behind `handle`, or null when the handle is not open.
std::shared_ptr<KernelObject> LookupHandle(HANDLE handle);
// Drops `handle` from the table and calls Close on its object. False when
// the handle was not open.
bool CloseKernelHandle(HANDLE handle);

// The object behind `handle` when it is of type T, else null.
template <class T>
std::shared_ptr<T> LookupHandleAs(HANDLE handle)
{
    return std::dynamic_pointer_cast<T>(LookupHandle(handle));
}

}  // namespace mivo
