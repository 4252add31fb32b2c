// COM start-up and the names of OLE drag and drop, in process only.
#pragma once

#include "win32/types.h"

typedef WORD CLIPFORMAT;
typedef DWORD DROPEFFECT;

#define DROPEFFECT_NONE 0
#define DROPEFFECT_COPY 1
#define DROPEFFECT_MOVE 2
#define DROPEFFECT_LINK 4
#define DROPEFFECT_SCROLL 0x80000000

// Key state bits beyond the mouse ones (MK_LBUTTON, MK_SHIFT, MK_CONTROL...).
#ifndef MK_ALT
#define MK_ALT 0x0020
#endif

#define DVASPECT_CONTENT 1
#define TYMED_HGLOBAL 1

struct FORMATETC {
    CLIPFORMAT cfFormat;
    void* ptd;
    DWORD dwAspect;
    LONG lindex;
    DWORD tymed;
};
typedef FORMATETC* LPFORMATETC;

#define RPC_E_CHANGED_MODE ((HRESULT)0x80010106L)

// Counted per thread: the first call answers S_OK, later ones S_FALSE.
HRESULT CoInitialize(LPVOID pvReserved);
HRESULT CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit);
void CoUninitialize();
HRESULT OleInitialize(LPVOID pvReserved);
void OleUninitialize();
