// Points XDG_RUNTIME_DIR (named mutexes, instance sockets) at a folder of the
// test's own while it lives; child processes inherit it.
#pragma once

#include "support/TempFolder.h"

#include <cstdlib>
#include <string>

namespace mivotest {

class PrivateRuntimeFolder {
public:
    PrivateRuntimeFolder()
    {
        const char* old = std::getenv("XDG_RUNTIME_DIR");
        m_had = old != nullptr;
        if (old)
            m_old = old;
        setenv("XDG_RUNTIME_DIR", m_folder.path().c_str(), 1);
    }
    ~PrivateRuntimeFolder()
    {
        if (m_had)
            setenv("XDG_RUNTIME_DIR", m_old.c_str(), 1);
        else
            unsetenv("XDG_RUNTIME_DIR");
    }
    PrivateRuntimeFolder(const PrivateRuntimeFolder&) = delete;
    PrivateRuntimeFolder& operator=(const PrivateRuntimeFolder&) = delete;

    const std::string& path() const { return m_folder.path(); }

private:
    TempFolder m_folder;
    bool m_had = false;
    std::string m_old;
};

}  // namespace mivotest
