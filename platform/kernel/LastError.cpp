// Interim last-error store; replaced by the errors module.
#include "win32/types.h"

static thread_local DWORD lastError = 0;

void SetLastError(DWORD dwErrCode)
{
    lastError = dwErrCode;
}

DWORD GetLastError()
{
    return lastError;
}
