// GIF files (87a and 89a) for the image library: the first image, whole or
// reduced, size queries, and a GIF87a writer with its LZW encoder.
#pragma once

#include "mfc.h"

class CWnd;

class AFX_EXT_CLASS CGIFFile {
public:
    CGIFFile();
    CGIFFile(CWnd* progressWnd, int* interrupt);
    CGIFFile(const CGIFFile&) = default;
    CGIFFile& operator=(const CGIFFile&) = default;
    ~CGIFFile();

    // First image as width x height x 3 bytes, rows top-down, red-green-blue;
    // NULL with the error text set.
    BYTE* GIFReadFileToRGB(CString path, UINT* width, UINT* height);
    // The library's 24-bit bottom-up layout, whole or reduced to `ratio` per mille.
    BYTE* LoadGIF(const char* path, UINT* width, UINT* height);
    BYTE* LoadGIFScaled(const char* path, UINT ratio, UINT* width, UINT* height);

    UINT GetGIFWidth(CString path);
    UINT GetGIFHeight(CString path);
    BOOL GetGIFSize(CString path, CSize* size);
    // Strict: the image must follow the colour table at once; -1, -1 otherwise.
    BOOL GIFGetDimensions(CString path, UINT* width, UINT* height);

    // GIF87a from one palette index a pixel (rows top-down) and 256-entry tables.
    int GIFWriteFileFrom256Color(BYTE* pixels, CString path, int width, int height, int background, int* red,
                                 int* green, int* blue);
    int SaveGIF(const char* path);

    static BOOL BGRFromRGB(BYTE* buf, UINT widthPix, UINT height);

    CString m_strError;

private:
    CWnd* m_pProgressWnd;
    int* m_pInterrupt;
};
