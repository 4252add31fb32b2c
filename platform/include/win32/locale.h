// Locale information: the user's number separators, as a Korean desktop has them.
#pragma once

#include "win32/types.h"

#define LANG_USER_DEFAULT ((WORD)0x0400)
#define LOCALE_USER_DEFAULT ((LCID)0x0400)
#define LOCALE_SYSTEM_DEFAULT ((LCID)0x0800)

typedef DWORD LCTYPE;
#define LOCALE_SDECIMAL 0x0000000E
#define LOCALE_STHOUSAND 0x0000000F

// The value's length with its terminating zero; with cchData 0 only the length.
// An unknown type or a buffer too small gives 0 and sets the last error.
int GetLocaleInfo(LCID Locale, LCTYPE LCType, LPSTR lpLCData, int cchData);
int GetLocaleInfoA(LCID Locale, LCTYPE LCType, LPSTR lpLCData, int cchData);
