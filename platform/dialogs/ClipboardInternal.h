// The clipboard's conversions between formats and its link to the desktop's clipboard.
#pragma once

#include "win32/types.h"
#include "win32/gdi.h"

#include <cstdint>
#include <string>
#include <vector>

namespace mivo {

HGLOBAL GlobalFromBytes(const void* data, size_t size);
std::vector<BYTE> BytesOfGlobal(HANDLE block);
// The text of a CF_TEXT block up to its terminator (never past the block).
std::string TextOfGlobal(HANDLE block);

// A packed DIB (header, colours, bits) as 0x00RRGGBB pixels, rows top-down.
// False for damaged or absurdly large pictures.
bool PixelsFromPackedDib(const std::vector<BYTE>& dib, int& width, int& height, std::vector<uint32_t>& pixels);
// A 24-bit bottom-up packed DIB of the pixels.
std::vector<BYTE> PackedDibFromPixels(int width, int height, const std::vector<uint32_t>& pixels);
HGLOBAL DibFromBitmap(HBITMAP bitmap);
HBITMAP BitmapFromDib(HANDLE dib);

// What the desktop's clipboard holds.
struct SystemClipboardData {
    bool hasText = false;
    std::string utf8;
    bool hasImage = false;
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

// Only the thread of the native event loop may talk to the desktop's clipboard.
bool SystemClipboardReachable();
// Whether another program (or code outside the clipboard API) changed it since we last wrote or read it.
bool SystemClipboardChangedElsewhere();
SystemClipboardData ReadSystemClipboard();
void WriteSystemClipboard(const SystemClipboardData& data);

}  // namespace mivo
