// The process's namespace of named events, mutexes and semaphores. Names are
// case-sensitive, as Windows kernel object names are.
#pragma once

#include "Waitable.h"

#include <functional>
#include <memory>
#include <string>

namespace mivo {

struct NamedLookup {
    std::shared_ptr<Waitable> object;  // null when `make` failed or gave null
    bool existed = false;               // the name was already in use in this process
};

// Finds the object named `name`, or makes one with `make` and names it. The whole
// step is atomic, so two threads creating the same name share one object.
NamedLookup FindOrMakeNamed(const std::string& name, const std::function<std::shared_ptr<Waitable>()>& make);

// Creates or opens a named object of type T as CreateEvent/CreateMutex/CreateSemaphore
// do: a handle to the existing object with ERROR_ALREADY_EXISTS, a handle to a new one
// with ERROR_SUCCESS, or NULL with ERROR_INVALID_HANDLE when the name is taken by an
// object of another type. `make` may set its own error and return null.
template <class T>
HANDLE CreateNamedHandle(const char* name, const std::function<std::shared_ptr<T>(bool& openedElsewhere)>& make);

// Opens an existing named object of type T: NULL with ERROR_FILE_NOT_FOUND when none
// exists, ERROR_INVALID_HANDLE when the name belongs to another type.
template <class T>
HANDLE OpenNamedHandle(const char* name);

}  // namespace mivo

#include "NamedObjects.inl"
