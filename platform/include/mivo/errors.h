// Windows error codes and POSIX errno values.
#pragma once

#include "win32/types.h"

namespace mivo {

// The Windows error code for a POSIX errno value.
DWORD ErrorFromErrno(int errnoValue);
// Sets the thread's last error from errno and returns it.
DWORD SetLastErrorFromErrno();
// The English text of a Windows error code, or an empty string for an unknown one.
const char* SystemErrorText(DWORD code);

}  // namespace mivo
