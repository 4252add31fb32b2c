// A .bmp file loaded once and painted with its own logical palette; the
// frame client window paints its background with it.
#pragma once

#include "mfc.h"

#include <memory>

class AFX_EXT_CLASS CDibDraw {
public:
    // Loads the file; a failed load shows its reason in a message box.
    explicit CDibDraw(const char* path);
    ~CDibDraw();
    CDibDraw(const CDibDraw&) = delete;
    CDibDraw& operator=(const CDibDraw&) = delete;

    int GetXSize() const { return m_nWidth; }
    int GetYSize() const { return m_nHeight; }
    // The last load error, "" after a good load.
    const char* GetErrorText() const { return m_szError; }
    BOOL IsLoaded() const { return m_pDib != nullptr; }

    void PaintImage(int x, int y, HDC dc);
    void PaintImage(int x, int y, int w, int h, HDC dc);
    // Only for a DIB without colour table on a palette device.
    BOOL SetSystemPalette(HDC dc);
    // Writes the loaded file again, to path when given; 1 when written.
    BOOL SaveImage(const char* path);

protected:
    char m_szFileName[260];
    char m_szError[80];
    BITMAPFILEHEADER m_FileHeader;
    BITMAPINFOHEADER* m_pInfoHeader;  // views of the block's start
    BITMAPCOREHEADER* m_pCoreHeader;
    int m_nWidth;
    int m_nHeight;
    HGLOBAL m_hLogPalette;
    LOGPALETTE* m_pLogPalette;
    HGLOBAL m_hDib;
    BYTE* m_pDib;  // everything after the file header
    int m_nColors;
    int m_bWinDib;  // 1 for an info header, 0 for the older core header
    std::unique_ptr<CPalette> m_pPalette;

private:
    bool Load(const char* path);
    bool Fail(const char* format, const char* path);
    void FreeDib();
    void MakePalette(const char* path);
    bool AdoptPalette(LOGPALETTE* log);
    HPALETTE SelectOwnPalette(HDC dc);
    const BYTE* Rows() const;
    DWORD m_nDibBytes;
    DWORD m_nRowsOffset;
};
