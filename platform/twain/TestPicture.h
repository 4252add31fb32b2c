// The test source's pictures: eight colour bars (white, yellow, cyan, green,
// magenta, red, blue, black) with the picture's number in black at the top
// left; grey pictures carry the bars' brightness, black-and-white ones the
// brightness cut at the middle.
#pragma once

#include "mivo/testing/twain.h"
#include "win32/twain.h"

namespace mivo::twain {

TW_IMAGEINFO TestPictureInfo(const TwainTestSourceSettings& settings);
// A packed DIB in a new global block, or NULL without memory.
HGLOBAL PaintTestPicture(int number, const TwainTestSourceSettings& settings);

}  // namespace mivo::twain
