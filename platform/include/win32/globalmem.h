// HGLOBAL memory blocks.
//
// A GMEM_FIXED block's handle is its address, as on Windows. A GMEM_MOVEABLE
// block has a handle of its own that stays the same when GlobalReAlloc moves the
// block; GlobalLock gives its current address. Every handle is checked against a
// table: a freed (stale) handle fails with ERROR_INVALID_HANDLE and never reaches
// freed memory. Blocks start zeroed. Sizes beyond what this system can hold fail
// with ERROR_NOT_ENOUGH_MEMORY.
#pragma once

#include "win32/types.h"
#include "win32/errors.h"

#define GMEM_FIXED 0x0000
#define GMEM_MOVEABLE 0x0002
#define GMEM_NOCOMPACT 0x0010
#define GMEM_NODISCARD 0x0020
#define GMEM_ZEROINIT 0x0040
#define GMEM_MODIFY 0x0080
#define GMEM_DISCARDABLE 0x0100
#define GMEM_NOT_BANKED 0x1000
#define GMEM_SHARE 0x2000
#define GMEM_DDESHARE 0x2000
#define GMEM_NOTIFY 0x4000
#define GMEM_LOWER GMEM_NOT_BANKED
#define GMEM_VALID_FLAGS 0x7F72
#define GMEM_INVALID_HANDLE 0x8000
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)
#define GPTR (GMEM_FIXED | GMEM_ZEROINIT)

// GlobalFlags results.
#define GMEM_DISCARDED 0x4000
#define GMEM_LOCKCOUNT 0x00FF

#ifndef ERROR_NOT_LOCKED
#define ERROR_NOT_LOCKED 158L
#endif
#ifndef ERROR_DISCARDED
#define ERROR_DISCARDED 157L
#endif

HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes);
// A moveable block keeps its handle. A locked moveable block, or a fixed one,
// moves only when uFlags has GMEM_MOVEABLE (a fixed block then gets a new
// handle, its new address); otherwise it can only shrink in place. Size 0 with
// GMEM_MOVEABLE discards an unlocked moveable block. GMEM_MODIFY changes only
// the GMEM_DISCARDABLE flag.
HGLOBAL GlobalReAlloc(HGLOBAL hMem, SIZE_T dwBytes, UINT uFlags);
// NULL on success; the handle on failure. Locked blocks are freed too, as on Windows.
HGLOBAL GlobalFree(HGLOBAL hMem);
LPVOID GlobalLock(HGLOBAL hMem);
// TRUE while the block stays locked; FALSE with ERROR_SUCCESS when the last lock
// went, FALSE with ERROR_NOT_LOCKED when it was not locked.
BOOL GlobalUnlock(HGLOBAL hMem);
SIZE_T GlobalSize(HGLOBAL hMem);
// Lock count in the low byte plus GMEM_DISCARDABLE / GMEM_DISCARDED / GMEM_DDESHARE;
// GMEM_INVALID_HANDLE for a handle that is not a live block.
UINT GlobalFlags(HGLOBAL hMem);
// The handle of the block that starts at pMem.
HGLOBAL GlobalHandle(LPCVOID pMem);
#define GlobalDiscard(h) GlobalReAlloc((h), 0, GMEM_MOVEABLE)
