// The image object: a 24-bit picture in the device-independent layout with
// its file name, type, drawing rectangles, JPEG quality, EXIF block and the
// window told about progress.
#pragma once

#include "mfc.h"

#include "image/ExifReader.h"
#include "image/ImageMessages.h"
#include "image/PixelBlock.h"

class CWnd;

// Image types, by file extension.
enum {
    IMAGE_TYPE_NONE = 0,
    IMAGE_TYPE_JPG = 1,
    IMAGE_TYPE_BMP = 2,
    IMAGE_TYPE_GIF = 3,
    IMAGE_TYPE_PCX = 4,
    IMAGE_TYPE_TGA = 5,
    IMAGE_TYPE_TIF = 6,
    IMAGE_TYPE_UNKNOWN = -1
};

// ".JPG", ".BMP", ".GIF", ".PCX", ".TGA", ".TIF", then an empty string.
AFX_EXT_DATA extern const char* const szExtensions[7];
// 1 to 6 for the extensions above (the last four characters, any case), else -1.
AFX_EXT_API int ExtensionIndex(const char* path);

class AFX_EXT_CLASS CImageObject {
public:
    CImageObject(CWnd* progressWnd = NULL, int* interrupt = NULL);
    virtual ~CImageObject();
    CImageObject(const CImageObject&) = delete;
    CImageObject& operator=(const CImageObject&) = delete;

    void SetParent(CWnd* progressWnd) { m_pProgressWnd = progressWnd; }
    CWnd* GetParent() const { return m_pProgressWnd; }
    int* GetInterrupt() const { return m_pInterrupt; }
    int GetImageType() const { return m_nImageType; }
    int GetImageType(const char* path) const { return ExtensionIndex(path); }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    int GetNumBits() const { return m_nNumBits; }
    void SetNumBits(int bits) { m_nNumBits = bits; }
    int GetNumColors() const { return m_nNumColors; }
    BYTE* GetImageBuf() const { return m_pImageBuf; }
    // Takes the block over; the one it replaces is the caller's.
    void SetImageBuf(BYTE* buf) { m_pImageBuf = buf; }
    void FreeImageBuf();
    int IsLoaded() const { return m_pImageBuf ? 1 : 0; }
    void SetJPGQuality(int quality) { m_nJPGQuality = quality; }
    const char* GetFileName() const { return m_pszFileName; }

    void SetSrc_x(int v) { m_nSrcX = v; }
    void SetSrc_y(int v) { m_nSrcY = v; }
    void SetSrc_width(int v) { m_nSrcWidth = v; }
    void SetSrc_height(int v) { m_nSrcHeight = v; }
    int GetSrc_x() const { return m_nSrcX; }
    int GetSrc_y() const { return m_nSrcY; }
    int GetSrc_width() const { return m_nSrcWidth == -1 ? m_nWidth : m_nSrcWidth; }
    int GetSrc_height() const { return m_nSrcHeight == -1 ? m_nHeight : m_nSrcHeight; }
    void SetDst_x(int v) { m_nDstX = v; }
    void SetDst_y(int v) { m_nDstY = v; }
    void SetDst_width(int v) { m_nDstWidth = v; }
    void SetDst_height(int v) { m_nDstHeight = v; }
    int GetDst_x() const { return m_nDstX; }
    int GetDst_y() const { return m_nDstY; }
    int GetDst_width() const { return m_nDstWidth == -1 ? m_nWidth : m_nDstWidth; }
    int GetDst_height() const { return m_nDstHeight == -1 ? m_nHeight : m_nDstHeight; }

    // Loaders: 1 when the object holds the decoded picture, else 0.
    int LoadImageFromFile(const char* path, int showErrors = 1);
    int LoadScaled(const char* path, int ratio, int showErrors = 1);
    int LoadScaled(const char* path, CSize box, int showErrors = 1);
    // JPEG files with an embedded thumbnail are decoded from it (written to
    // thumbFile); the result is then the EXIF reader's (10 or more).
    int LoadThumbnail(const char* path, CString thumbFile, int ratio, int showErrors = 1);
    int LoadThumbnail(const char* path, CString thumbFile, CSize box, CSize* fullSize, int showErrors = 1);

    void GetImageSizeFromFile(const char* path, CSize* size);
    int GetThumbRatio(CSize box, CSize* size, BOOL capAt1000);
    int GetThumbRatio(CRect box, CSize* size, BOOL capAt1000);
    int GetThumbRatioFromFile(const char* path, CSize box, CSize* size, BOOL capAt1000);
    int GetThumbRatioFromFile(const char* path, CRect box, CSize* size, BOOL capAt1000);

    // EXIF block of a JPEG file (the table form comes with the grid control).
    int LoadExifInfoFromFile(const char* path);
    int LoadExifInfo();
    // The same, listing the block in `grid` (emptied for anything but a JPEG with a frame).
    int LoadExifInfoFromFile(const char* path, CVXGridCtrl* grid);
    int LoadExifInfo(CVXGridCtrl* grid);

    // .JPG at the object's quality or .BMP (24-bit); 1 when written.
    int Save(const char* path);

    CImageObject* MakeBlankImageObject(COLORREF colour, int width, int height);
    CImageObject* DuplicateImgObj();
    // Inclusive rectangle, rows counted from the bottom row (buffer order).
    CImageObject* CropToNewImgObj(int x1, int y1, int x2, int y2);
    // Inclusive rectangle, rows counted from the top.
    CImageObject* CropToNewImgObj(CRect rc);
    CImageObject* MakeScaledImgObj(int ratio, UINT* newWidth, UINT* newHeight);
    CImageObject* MakeScaledImgObj(CSize box, UINT* newWidth, UINT* newHeight);
    int CropSelf(int x1, int y1, int x2, int y2);

    // --- Geometry and drawing: resampling, free rotation, quarter turns,
    // flips, and the picture on a device context.
    // Draws the source rectangle into the destination rectangle; a -1 size
    // there is first replaced by the picture's in the object's own fields.
    int DrawStretch(CDC* dc);
    // The same with the rectangles given; -1 positions are 0, -1 sizes the
    // picture's. The object's fields stay as they are.
    int DrawStretchDirect(CDC* dc, int srcX, int srcY, int srcW, int srcH, int dstX, int dstY, int dstW, int dstH);
    // Mode 1 nearest neighbour, 2 cubic B-spline; any other mode averages
    // areas when the picture shrinks both ways, else interpolates bilinearly.
    CImageObject* Resample(long newWidth, long newHeight, int mode);
    static float b3spline(float x);
    // A new picture turned by any angle, white where no source pixel maps.
    CImageObject* RotateAngle(double degrees);
    // 90, 180 or 270 degrees clockwise; other values change nothing.
    int Rotate(int degrees);
    int InvertVert();
    int ReverseHorz();
    // --- end of geometry and drawing

    // --- Painting into the picture's own pixels. Points and rectangles are
    // top-down and inclusive; an opacity is the percentage of the old pixel
    // that stays; pixels outside the picture are skipped.
    COLORREF GetPixelColor(int x, int y);
    int SetPixelColor(int x, int y, COLORREF colour);
    int ReplacePixelColor(CRect rc, COLORREF from, COLORREF to);
    // Horizontal or vertical lines only; 0 for any other.
    int DrawLine(CPoint p1, CPoint p2, COLORREF colour, int opacity, int thickness);
    // Gradient directions: 1 strongest at the left, 2 right, 3 top, 4 bottom.
    int DrawRect(CRect rc, COLORREF colour, BOOL fill, int opacity, int lineWidth, BOOL gradient, int direction);
    // Quadrant 0 the whole circle, 1 upper right, 2 upper left, 3 lower left, 4 lower right.
    int DrawCircle(CPoint centre, COLORREF colour, int radius, BOOL fill, int quadrant, int opacity, int lineWidth,
                   BOOL gradient);
    int DropShadow(CRect rc, COLORREF colour, int opacity, int width, BOOL rounded);
    int FillPattern(CRect rc, CImageObject* pattern, int transparency);
    // Here the opacity is the share of the source; keyColour -1 means no key.
    int ImageProjection(CRect rc, CImageObject* src, int opacity, int keyColour);
    // Through a grey mask: its blue byte is the share of the source.
    int ImageProjection(CRect rc, CImageObject* src, CImageObject* mask, BOOL invertMask, int maskOffset);
    int BrushEffect(int x, int y, COLORREF colour, int size, int cell);
    int SprayEffect(int x, int y, COLORREF colour, int size, int cell);
    // Renders CP949 text with the font at pos through a memory DC compatible
    // with the window's (the screen's when wnd is NULL); transparent keeps
    // the picture around the glyphs. Runs on any thread.
    int DrawTextA(CString text, CPoint* pos, LOGFONT* font, COLORREF textColour, COLORREF backColour,
                  BOOL transparent, int opacity, CWnd* wnd);
    // --- end of painting

    // --- Windows bitmaps: packed DIB handles (header, colour table, rows in
    // one global block, as the clipboard's CF_DIB) and .bmp files of them.
    // A new handle owned by the caller: 24 bits, bottom-up.
    HGLOBAL DibFromImgObj();
    // A new object from a packed DIB of 1, 4, 8, 16, 24 or 32 bits; the
    // handle stays its owner's. NULL for what it cannot read.
    CImageObject* HandleToImgObj(HGLOBAL dib);
    // Device-dependent bitmaps through GetDIBits with the palette (or the
    // default one); NULL for BI_BITFIELDS.
    CImageObject* DDBToImgObj(CBitmap& bitmap, DWORD compression, CPalette* palette);
    static HGLOBAL DDBToDIB(CBitmap& bitmap, DWORD compression, CPalette* palette);
    // Draws a packed DIB unscaled at (x, y).
    static void DrawDIB(CDC* dc, HGLOBAL dib, CPalette* palette, int x, int y);
    // The DIB as a .bmp file; the handle stays the caller's.
    static int WriteDIB(const char* path, HGLOBAL dib);
    // The DIB as a .bmp file; the handle is freed in every case.
    static int SaveBitmapHandle(HGLOBAL dib, CString path);
    // --- end of Windows bitmaps

    char* m_pszFileName;
    int m_nWidth;
    int m_nHeight;
    int m_nRowBytes;
    int m_nImageType;
    int m_nDstX, m_nDstY, m_nDstWidth, m_nDstHeight;
    int m_nSrcX, m_nSrcY, m_nSrcWidth, m_nSrcHeight;
    int m_nJPGQuality;
    CString m_strStatus;
    ExifInfo m_ExifInfo;
    int m_nNumBits;
    int m_nNumColors;
    mivo::image::PixelBlock m_pImageBuf;  // the one owner of the pixels
    CWnd* m_pProgressWnd;
    int* m_pInterrupt;
    int m_nOwnInterrupt;

private:
    void BeginLoad(const char* path);
    void SetFileName(const char* path);
    BYTE* Decode(int type, const char* path, int ratio, int showErrors, UINT* width, UINT* height);
    void KeepDecoded(BYTE* block, UINT width, UINT height);
    int FinishLoad(bool flagFails, int result);
    CImageObject* NewSibling() const;
    bool ClampRect(int* x1, int* y1, int* x2, int* y2) const;
};
