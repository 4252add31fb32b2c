// Framework-wide macros: export markers, assertions and tracing.
#pragma once

#include <cassert>

#define AFX_EXT_CLASS __attribute__((visibility("default")))
#define AFX_EXT_API __attribute__((visibility("default")))
#define AFX_EXT_DATA __attribute__((visibility("default")))
#define AFX_API_EXPORT __attribute__((visibility("default")))
#define AFXAPI
#define AFX_CDECL
#define AFX_INLINE inline
#define AFX_NOVTABLE
#define afx_msg
#define DECLSPEC_NOVTABLE
#define __declspec(x)

#ifdef NDEBUG
#define ASSERT(f) ((void)0)
#define VERIFY(f) ((void)(f))
#else
#define ASSERT(f) assert(f)
#define VERIFY(f) assert(f)
#endif
#define ASSERT_VALID(p) ((void)0)
#define ASSERT_KINDOF(c, p) ((void)0)
#define DEBUG_ONLY(f) ((void)0)

// Diagnostics are formatted and dropped, as in a release build.
inline void AfxTraceDropped(const char*, ...) {}
#define TRACE AfxTraceDropped
#define TRACE0(s) ((void)0)
#define TRACE1(s, a) ((void)0)
#define TRACE2(s, a, b) ((void)0)
#define TRACE3(s, a, b, c) ((void)0)
