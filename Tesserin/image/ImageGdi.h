// The image object's traffic with GDI in handle form: what the framework
// forms (CDC, CBitmap, CPalette) and the text imprint call. Internal to the
// image library.
#pragma once

#include "win32.h"

class CImageObject;

namespace mivo {
namespace image {

// Draws the source rectangle (top-down) of the picture into the destination
// rectangle of dc through StretchDIBits; 1 when every scan line went.
int StretchImage(const CImageObject& img, HDC dc, int srcX, int srcY, int srcW, int srcH, int dstX, int dstY,
                 int dstW, int dstH);

// A packed DIB of a device-dependent bitmap as GetDIBits gives it, with the
// palette (or the default one) realized in the screen DC; NULL for
// BI_BITFIELDS and on any failure. The caller frees the handle.
HGLOBAL BitmapToDib(HBITMAP bitmap, DWORD compression, HPALETTE palette);

// Draws a packed DIB unscaled at (x, y).
void DrawDibBlock(HDC dc, HGLOBAL dib, HPALETTE palette, int x, int y);

}  // namespace image
}  // namespace mivo
