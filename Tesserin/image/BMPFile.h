// Windows bitmap files (.bmp) for the image library: loading whole or
// reduced, size queries, and the 24-bit and palette writers.
#pragma once

#include "mfc.h"

#include <cstdio>

class CWnd;

class AFX_EXT_CLASS CBMPFile {
public:
    CBMPFile();
    CBMPFile(CWnd* progressWnd, int* interrupt);
    CBMPFile(const CBMPFile&) = default;
    CBMPFile& operator=(const CBMPFile&) = default;
    virtual ~CBMPFile();

#ifdef BI_RGB  // with the GDI bitmap types
    // Reads the headers and palette; returns the file opened "rb" and placed at
    // the pixel data, or NULL. `palette` gets a new block for 1 to 8-bit files
    // (NULL otherwise) that the caller frees; bytes read are added to *bytesRead.
    FILE* ReadBMPHeader(CString path, BITMAP* bm, RGBQUAD** palette, DWORD* bytesRead, long* dataOffset);
#endif

    // Whole load into a new 24-bit bottom-up block, or NULL.
    BYTE* LoadBMP(CString path, UINT* width, UINT* height);
    // Load reduced (or enlarged) to `ratio` per mille by nearest neighbour.
    BYTE* LoadBMPScaled(const char* path, UINT ratio, UINT* width, UINT* height);

    UINT GetBMPWidth(CString path);
    UINT GetBMPHeight(CString path);
    BOOL GetBMPSize(CString path, CSize* size);

    // 24-bit file from a block in the library's layout.
    BOOL SaveBMP(CString path, BYTE* data, UINT width, UINT height);
#ifdef BI_RGB
    // 1, 2, 4 or 8-bit palette file from one index byte a pixel, bottom row first.
    BOOL SaveBMP(CString path, BYTE* data, UINT width, UINT height, int bits, int colours, RGBQUAD* palette);
#endif

private:
    CWnd* m_pProgressWnd;
    int* m_pInterrupt;
};
