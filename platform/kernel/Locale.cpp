// GetLocaleInfo: the fixed separators of the Korean locale.
#include "win32/locale.h"

#include "win32/errors.h"

#include <cstring>

namespace {

const char* LocaleValue(LCTYPE type)
{
    switch (type) {
    case LOCALE_SDECIMAL:
        return ".";
    case LOCALE_STHOUSAND:
        return ",";
    default:
        return nullptr;
    }
}

}  // namespace

int GetLocaleInfoA(LCID, LCTYPE LCType, LPSTR lpLCData, int cchData)
{
    const char* value = LocaleValue(LCType);
    if (!value || cchData < 0 || (cchData > 0 && !lpLCData)) {
        SetLastError(value ? ERROR_INVALID_PARAMETER : ERROR_INVALID_FLAGS);
        return 0;
    }
    int needed = (int)std::strlen(value) + 1;
    if (cchData == 0)
        return needed;
    if (cchData < needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(lpLCData, value, needed);
    return needed;
}

int GetLocaleInfo(LCID Locale, LCTYPE LCType, LPSTR lpLCData, int cchData)
{
    return GetLocaleInfoA(Locale, LCType, lpLCData, cchData);
}
