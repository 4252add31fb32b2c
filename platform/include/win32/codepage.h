// Code page 949 (the ANSI and OEM code page) and conversions to UTF-16 and UTF-8.
#pragma once

#include "win32/types.h"

#include <string>

#define CP_ACP 0
#define CP_OEMCP 1
#define CP_MACCP 2
#define CP_THREAD_ACP 3
#define CP_UTF7 65000
#define CP_UTF8 65001

#define MB_PRECOMPOSED 0x00000001
#define MB_ERR_INVALID_CHARS 0x00000008
#define WC_COMPOSITECHECK 0x00000200
#define WC_NO_BEST_FIT_CHARS 0x00000400

int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                        LPWSTR lpWideCharStr, int cchWideChar);
int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                        LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar, LPBOOL lpUsedDefaultChar);
BOOL IsDBCSLeadByte(BYTE TestChar);
BOOL IsDBCSLeadByteEx(UINT CodePage, BYTE TestChar);
UINT GetACP();
UINT GetOEMCP();
LPSTR CharNext(LPCSTR lpsz);
LPSTR CharNextA(LPCSTR lpsz);
LPSTR CharPrev(LPCSTR lpszStart, LPCSTR lpszCurrent);
LPSTR CharPrevA(LPCSTR lpszStart, LPCSTR lpszCurrent);
LPSTR CharUpper(LPSTR lpsz);
LPSTR CharUpperA(LPSTR lpsz);
LPSTR CharLower(LPSTR lpsz);
LPSTR CharLowerA(LPSTR lpsz);
DWORD CharUpperBuff(LPSTR lpsz, DWORD cchLength);
DWORD CharLowerBuff(LPSTR lpsz, DWORD cchLength);
int lstrlen(LPCSTR lpString);
int lstrlenA(LPCSTR lpString);
int lstrlenW(LPCWSTR lpString);
int lstrcmp(LPCSTR a, LPCSTR b);
int lstrcmpA(LPCSTR a, LPCSTR b);
int lstrcmpi(LPCSTR a, LPCSTR b);
int lstrcmpiA(LPCSTR a, LPCSTR b);
LPSTR lstrcpy(LPSTR dst, LPCSTR src);
LPSTR lstrcpyA(LPSTR dst, LPCSTR src);
LPSTR lstrcpyn(LPSTR dst, LPCSTR src, int iMaxLength);
LPSTR lstrcpynA(LPSTR dst, LPCSTR src, int iMaxLength);
LPSTR lstrcat(LPSTR dst, LPCSTR src);
LPSTR lstrcatA(LPSTR dst, LPCSTR src);

// MSVC runtime names the system's code calls.
int _stricmp(const char* a, const char* b);
int _strnicmp(const char* a, const char* b, size_t n);
int stricmp(const char* a, const char* b);
int strcmpi(const char* a, const char* b);
char* _strupr(char* s);
char* _strlwr(char* s);
char* strupr(char* s);
char* strlwr(char* s);
char* _itoa(int value, char* buffer, int radix);
char* itoa(int value, char* buffer, int radix);
char* _ltoa(long value, char* buffer, int radix);
char* _ultoa(unsigned long value, char* buffer, int radix);
char* _i64toa(long long value, char* buffer, int radix);
long long _atoi64(const char* s);
int _snprintf(char* buffer, size_t count, const char* format, ...) __attribute__((format(printf, 3, 4)));
#define _vsnprintf vsnprintf
#define _mbsicmp(a, b) _stricmp((const char*)(a), (const char*)(b))
