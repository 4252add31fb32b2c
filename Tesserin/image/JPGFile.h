// JPEG codec of the image library, over the IJG library's 6b interface.
#pragma once

#include "mfc.h"

class CWnd;

class AFX_EXT_CLASS CJPGFile {
public:
    CJPGFile();
    CJPGFile(CWnd* progressWnd, int* interrupt);
    CJPGFile(const CJPGFile&) = default;
    CJPGFile& operator=(const CJPGFile&) = default;
    virtual ~CJPGFile();

    // Whole decode into a new 24-bit bottom-up block; NULL (and 0 x 0) on failure
    // or interrupt. showErrors shows the library's fatal errors in a box.
    BYTE* JpegFileToRGB(CString path, UINT* width, UINT* height, int showErrors = 1);
    // Decode reduced (or enlarged) to `ratio` per mille; the library shrinks by
    // 1/2, 1/4 or 1/8 first with its fast settings, rows and columns are then
    // picked by nearest neighbour.
    BYTE* JpegFileToRGBScaled(CString path, UINT ratio, UINT* width, UINT* height, int showErrors = 1);
    // The picture size from the header; (0, 0) on failure.
    BOOL GetJPGSize(CString path, CSize* size);
    // Encodes a 24-bit bottom-up block at `quality`, in colour or grey.
    BOOL RGBToJpegFile(CString path, BYTE* data, UINT width, UINT height, BOOL color, int quality);

    // Helpers on packed blocks (3 bytes a pixel, rows of exactly width x 3 bytes).
    static BYTE* RGBFromDWORDAligned(BYTE* buf, UINT widthPix, UINT widthBytes, UINT height);
    static BYTE* MakeDwordAlignedBuf(BYTE* buf, UINT widthPix, UINT height, UINT* widthBytes);
    static BOOL VertFlipBuf(BYTE* buf, UINT widthBytes, UINT height);
    static BOOL BGRFromRGB(BYTE* buf, UINT widthPix, UINT height);
    static BOOL MakeGrayScale(BYTE* buf, UINT widthPix, UINT height);

private:
    BYTE* Decode(const char* path, UINT ratio, UINT* width, UINT* height, int showErrors);

    CWnd* m_pProgressWnd;
    int* m_pInterrupt;
};
