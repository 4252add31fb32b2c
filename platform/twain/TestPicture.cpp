#include "twain/TestPicture.h"

#include "twain/PackedDib.h"

#include <string>

namespace mivo::twain {

namespace {

const int kDotsPerInch = 200;

struct Rgb {
    BYTE r, g, b;
};
const Rgb kBars[8] = {{255, 255, 255}, {255, 255, 0}, {0, 255, 255}, {0, 255, 0},
                      {255, 0, 255},   {255, 0, 0},   {0, 0, 255},   {0, 0, 0}};

// Digits 3 cells wide and 5 high, one row per 3 bits, top row first.
const unsigned short kDigits[10] = {075557, 022222, 071747, 071717, 055711, 074717, 074757, 071111, 075757, 075717};

int BitsFor(int pixelType)
{
    return pixelType == TWPT_BW ? 1 : pixelType == TWPT_GRAY ? 8 : 24;
}

BYTE Brightness(const Rgb& c)
{
    return BYTE((299 * c.r + 587 * c.g + 114 * c.b + 500) / 1000);
}

// Whether the number's glyphs cover (x, y).
bool InNumber(const std::string& digits, int scale, int x, int y)
{
    int cx = x / scale - 2, cy = y / scale - 2;
    if (cx < 0 || cy < 0 || cy >= 5)
        return false;
    size_t index = size_t(cx / 4);
    int column = cx % 4;
    if (index >= digits.size() || column == 3)
        return false;
    unsigned short glyph = kDigits[digits[index] - '0'];
    return (glyph >> ((4 - cy) * 3 + (2 - column))) & 1;
}

void PutPixel(BYTE* row, int x, int bits, const Rgb& c)
{
    if (bits == 24) {
        row[3 * x] = c.b;
        row[3 * x + 1] = c.g;
        row[3 * x + 2] = c.r;
    } else if (bits == 8) {
        row[x] = Brightness(c);
    } else if (Brightness(c) >= 128) {
        row[x / 8] |= BYTE(0x80 >> (x % 8));
    }
}

}  // namespace

TW_IMAGEINFO TestPictureInfo(const TwainTestSourceSettings& settings)
{
    TW_IMAGEINFO info = {};
    int bits = BitsFor(settings.pixelType);
    info.XResolution.Whole = info.YResolution.Whole = kDotsPerInch;
    info.ImageWidth = settings.width;
    info.ImageLength = settings.height;
    info.SamplesPerPixel = bits == 24 ? 3 : 1;
    for (int i = 0; i < info.SamplesPerPixel; i++)
        info.BitsPerSample[i] = TW_INT16(bits == 24 ? 8 : bits);
    info.BitsPerPixel = TW_INT16(bits);
    info.Planar = 0;
    info.PixelType = TW_INT16(bits == 24 ? TWPT_RGB : bits == 8 ? TWPT_GRAY : TWPT_BW);
    info.Compression = TWCP_NONE;
    return info;
}

HGLOBAL PaintTestPicture(int number, const TwainTestSourceSettings& settings)
{
    int bits = BitsFor(settings.pixelType);
    PackedDib dib;
    if (!dib.Create(settings.width, settings.height, bits, kDotsPerInch))
        return nullptr;
    std::string digits = std::to_string(number < 0 ? 0 : number);
    int scale = settings.height / 24 > 1 ? settings.height / 24 : 1;
    const Rgb black = {0, 0, 0};
    for (int y = 0; y < settings.height; y++) {
        BYTE* row = dib.Row(y);
        for (int x = 0; x < settings.width; x++) {
            const Rgb& bar = kBars[int(int64_t(x) * 8 / settings.width)];
            PutPixel(row, x, bits, InNumber(digits, scale, x, y) ? black : bar);
        }
    }
    return dib.Release();
}

}  // namespace mivo::twain
