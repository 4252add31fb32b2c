// The ODBC 3 API from unixODBC, under our Win32 types.
#pragma once

#include "win32/types.h"

// unixODBC declares stand-ins for a few Windows types; where they differ
// from ours (ULONG is 64 bits there, WCHAR another type) they are kept
// under other names while its headers are read.
#define HWND ODBC_HWND
#define HINSTANCE ODBC_HINSTANCE
#define WCHAR ODBC_WCHAR
#define LPWSTR ODBC_LPWSTR
#define LPCWSTR ODBC_LPCWSTR
#define ULONG ODBC_ULONG
#include <sql.h>
#include <sqlext.h>
#include <odbcinst.h>
#undef HWND
#undef HINSTANCE
#undef WCHAR
#undef LPWSTR
#undef LPCWSTR
#undef ULONG
#undef BOOL
