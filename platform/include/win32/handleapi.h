// Closing kernel handles of every kind (files, find handles, threads, events ...).
#pragma once

#include "win32/types.h"

BOOL CloseHandle(HANDLE hObject);
