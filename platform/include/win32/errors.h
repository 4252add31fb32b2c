#pragma once

#include "win32/types.h"

DWORD GetLastError();
void SetLastError(DWORD dwErrCode);
