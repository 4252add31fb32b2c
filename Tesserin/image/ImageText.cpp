// Text imprint: text rendered by GDI in a memory DC, then projected into the
// picture.
#include "image/ImageObject.h"

#include "image/ImageGdi.h"

#include <cstdlib>
#include <memory>
#include <vector>

using namespace mivo::image;

namespace {

// On a palette device the conversion of the text bitmap goes through the
// first 255 system palette entries.
HPALETTE SystemPaletteOf(HDC dc)
{
    if (!(GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE))
        return nullptr;
    const UINT count = 255;
    std::vector<BYTE> block(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    LOGPALETTE* log = reinterpret_cast<LOGPALETTE*>(block.data());
    log->palVersion = 0x300;
    log->palNumEntries = WORD(count);
    GetSystemPaletteEntries(dc, 0, count, log->palPalEntry);
    return CreatePalette(log);
}

// The GDI objects of one imprint, released in every case.
struct TextCanvas {
    HWND window = nullptr;
    HDC windowDC = nullptr;
    HDC memoryDC = nullptr;
    HFONT font = nullptr;
    HGDIOBJ oldFont = nullptr;
    HPALETTE palette = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ oldBitmap = nullptr;

    ~TextCanvas()
    {
        if (memoryDC) {
            if (oldBitmap)
                SelectObject(memoryDC, oldBitmap);
            if (oldFont)
                SelectObject(memoryDC, oldFont);
            DeleteDC(memoryDC);
        }
        if (bitmap)
            DeleteObject(bitmap);
        if (font)
            DeleteObject(font);
        if (palette)
            DeleteObject(palette);
        if (windowDC)
            ReleaseDC(window, windowDC);
    }
};

int RoundUpToFour(int v) { return v % 4 ? (v / 4) * 4 + 4 : v; }

}  // namespace

int CImageObject::DrawTextA(CString text, CPoint* pos, LOGFONT* font, COLORREF textColour, COLORREF backColour,
                            BOOL transparent, int opacity, CWnd* wnd)
{
    if (!m_pImageBuf || m_nWidth <= 0 || m_nHeight <= 0 || !pos || !font)
        return 0;
    TextCanvas canvas;
    canvas.window = wnd ? wnd->GetSafeHwnd() : nullptr;
    canvas.windowDC = GetDC(canvas.window);
    if (!canvas.windowDC)
        return 0;
    canvas.palette = SystemPaletteOf(canvas.windowDC);
    canvas.font = CreateFontIndirect(font);
    canvas.memoryDC = CreateCompatibleDC(canvas.windowDC);
    if (!canvas.font || !canvas.memoryDC)
        return 0;
    canvas.oldFont = SelectObject(canvas.memoryDC, canvas.font);

    RECT box = {0, 0, 0, 0};
    ::DrawTextA(canvas.memoryDC, text, -1, &box, DT_CALCRECT | DT_NOPREFIX);
    int textWidth = RoundUpToFour(box.right - box.left);
    const int textHeight = box.bottom - box.top;
    // Italic glyphs lean past their cell; lfHeight is usually negative.
    if (font->lfItalic)
        textWidth += std::abs(int(font->lfHeight)) / 2;

    // The part of the text box inside the picture; nothing to paint outside.
    const int64_t x1 = max(int64_t(pos->x), int64_t(0)), y1 = max(int64_t(pos->y), int64_t(0));
    const int64_t x2 = min(int64_t(pos->x) + textWidth - 1, int64_t(m_nWidth) - 1);
    const int64_t y2 = min(int64_t(pos->y) + textHeight - 1, int64_t(m_nHeight) - 1);
    if (textWidth <= 0 || textHeight <= 0 || x1 > x2 || y1 > y2)
        return 0;
    const int w = int(x2 - x1 + 1), h = int(y2 - y1 + 1);

    canvas.bitmap = CreateCompatibleBitmap(canvas.windowDC, w, h);
    if (!canvas.bitmap)
        return 0;
    canvas.oldBitmap = SelectObject(canvas.memoryDC, canvas.bitmap);
    StretchImage(*this, canvas.memoryDC, int(x1), int(y1), w, h, 0, 0, w, h);
    if (!transparent) {
        RECT all = {0, 0, w, h};
        HBRUSH brush = CreateSolidBrush(backColour);
        SetBkMode(canvas.memoryDC, OPAQUE);
        SetBkColor(canvas.memoryDC, backColour);
        FillRect(canvas.memoryDC, &all, brush);
        DeleteObject(brush);
    }
    SetBkMode(canvas.memoryDC, transparent ? TRANSPARENT : OPAQUE);
    SetTextColor(canvas.memoryDC, textColour);
    RECT place = {LONG(pos->x - x1), LONG(pos->y - y1), LONG(pos->x - x1 + textWidth), LONG(pos->y - y1 + textHeight)};
    ::DrawTextA(canvas.memoryDC, text, -1, &place, DT_NOPREFIX);
    SelectObject(canvas.memoryDC, canvas.oldBitmap);
    canvas.oldBitmap = nullptr;

    HGLOBAL dib = BitmapToDib(canvas.bitmap, BI_RGB, canvas.palette);
    std::unique_ptr<CImageObject> textPicture(dib ? HandleToImgObj(dib) : nullptr);
    if (dib)
        GlobalFree(dib);
    if (!textPicture)
        return 0;
    // Pixels like the top-left one (the picture where no glyph is) take the
    // back colour, which a transparent imprint then leaves out.
    textPicture->ReplacePixelColor(CRect(0, 0, w - 1, h - 1), textPicture->GetPixelColor(0, 0), backColour);
    return ImageProjection(CRect(int(x1), int(y1), int(x2), int(y2)), textPicture.get(), opacity,
                           transparent ? int(backColour) : -1);
}
