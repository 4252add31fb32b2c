// Template part of NamedObjects.h.
#pragma once

#include "win32/errors.h"

namespace mivo {

template <class T>
HANDLE CreateNamedHandle(const char* name, const std::function<std::shared_ptr<T>(bool& openedElsewhere)>& make)
{
    bool openedElsewhere = false;
    std::shared_ptr<T> object;
    bool existed = false;
    if (!name || !*name) {
        object = make(openedElsewhere);
    } else {
        NamedLookup found = FindOrMakeNamed(name, [&]() -> std::shared_ptr<Waitable> { return make(openedElsewhere); });
        if (!found.object)
            return nullptr;
        object = std::dynamic_pointer_cast<T>(found.object);
        if (!object) {
            SetLastError(ERROR_INVALID_HANDLE);
            return nullptr;
        }
        existed = found.existed;
    }
    if (!object)
        return nullptr;
    HANDLE handle = RegisterHandle(object);
    if (!handle) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    SetLastError(existed || openedElsewhere ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
}

template <class T>
HANDLE OpenNamedHandle(const char* name)
{
    if (!name || !*name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    NamedLookup found = FindOrMakeNamed(name, [] { return std::shared_ptr<Waitable>(); });
    if (!found.object) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return nullptr;
    }
    auto object = std::dynamic_pointer_cast<T>(found.object);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    HANDLE handle = RegisterHandle(object);
    SetLastError(ERROR_SUCCESS);
    return handle;
}

}  // namespace mivo
