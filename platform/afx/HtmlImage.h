// Pictures of pages (<img>): JPEG, GIF and PNG bytes decoded within fixed limits.
#pragma once

#include "afx/HtmlText.h"

#include <memory>
#include <string>

namespace mivo::afx {

const size_t kHtmlImageByteLimit = 4 << 20;   // bytes of a picture that are read
const long long kHtmlImagePixelLimit = 16 << 20;  // width x height of a picture that is decoded
const int kHtmlImagesPerPage = 32;

// Null when the bytes are no picture, or one larger than the limits.
std::shared_ptr<const HtmlPicture> DecodeHtmlImage(const std::string& bytes);

}  // namespace mivo::afx
