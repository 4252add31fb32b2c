// A packed device-independent bitmap in memory (header, colour table and
// rows in one block) with palette and pixel access, an HSL colour model,
// drawing and .bmp writing. The shaded buttons render into 8-bit ones.
#pragma once

#include "mfc.h"

class AFX_EXT_CLASS CxDib {
public:
    CxDib();
    virtual ~CxDib();
    CxDib(const CxDib&) = delete;
    CxDib& operator=(const CxDib&) = delete;

    // Depths up to 1, 4 and 8 become 1, 4 and 8, anything more 24. The
    // colour table and rows start zeroed. NULL when the block cannot be had.
    void* Create(DWORD width, DWORD height, WORD bits);
    void Clone(CxDib* src);
    BOOL IsValid() const { return m_pDib != nullptr; }
    bool IsWin30Dib() const;

    DWORD GetWidth() const { return DWORD(m_bi.biWidth); }
    DWORD GetHeight() const { return DWORD(m_bi.biHeight); }
    DWORD GetLineWidth() const { return DWORD(m_nLineWidth); }
    WORD GetNumColors() const { return m_nColors; }
    WORD GetBitCount() const { return m_bi.biBitCount; }
    DWORD GetPaletteSize() const { return DWORD(m_nColors) * sizeof(RGBQUAD); }
    DWORD GetSize() const { return m_bi.biSize + GetPaletteSize() + m_bi.biSizeImage; }
    BYTE* GetBits() const;
    void Clear(BYTE value = 0);

    void SetPaletteIndex(BYTE idx, BYTE r, BYTE g, BYTE b);
    void SetPaletteIndex(BYTE idx, RGBQUAD c);
    void SetPaletteIndex(BYTE idx, COLORREF c);
    RGBQUAD GetPaletteIndex(BYTE idx) const;

    // Pixel access serves 8-bit palette DIBs; y counts from the top row.
    BYTE GetPixelIndex(long x, long y) const;
    void SetPixelIndex(long x, long y, BYTE i);
    RGBQUAD GetPixelColor(long x, long y) const;
    void SetPixelColor(long x, long y, RGBQUAD c);
    void SetPixelColor(long x, long y, COLORREF c);
    BYTE GetNearestIndex(RGBQUAD c) const;

    void SetGrayPalette();
    void BlendPalette(COLORREF c, long percent);

    // HSL from 0 to 240, carried in an RGBQUAD: L in blue, S in green, H in red.
    static RGBQUAD RGBtoHSL(RGBQUAD rgb);
    static RGBQUAD HSLtoRGB(RGBQUAD hsl);
    static RGBQUAD HSLtoRGB(COLORREF hsl);
    static WORD HueToRGB(WORD p, WORD q, WORD hue);
    static RGBQUAD RGB2RGBQUAD(COLORREF c);
    static COLORREF RGBQUAD2RGB(RGBQUAD c);

    long Draw(HDC dc, long x, long y);
    long Stretch(HDC dc, long x, long y, long w, long h);
    long WriteBMP(const char* path);

protected:
    BYTE* m_pDib;             // packed DIB, from malloc
    BITMAPINFOHEADER m_bi;    // copy of its header
    int m_nLineWidth;         // row bytes
    WORD m_nColors;           // 2, 16, 256 or 0

private:
    RGBQUAD* Palette() const;
    BYTE* PixelAt(long x, long y) const;
};
