// The text and links of an HTML page, for the simple page view. Pages come
// from outside: any bytes parse, within fixed limits.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace mivo::afx {

// A decoded picture: rows top-down, pixels 0x00RRGGBB.
struct HtmlPicture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

struct HtmlRun {
    std::string text;  // CP949, blanks collapsed
    std::string link;  // the href of the link it belongs to, empty outside links
    bool lineBreak = false;  // a break before the text
    // An <img>: its src as written (text stays empty), its width and height attributes (0 when
    // absent) and, once fetched and decoded, the picture.
    std::string image;
    int imageWidth = 0;
    int imageHeight = 0;
    std::shared_ptr<const HtmlPicture> picture;
    // On the first run only: the margin the page's body asks for, -1 when it names none.
    int bodyMargin = -1;
};

const size_t kHtmlPageLimit = 1 << 20;  // bytes of a page that are read
const size_t kHtmlRunLimit = 20000;
const int kHtmlImageSideLimit = 4096;  // width and height attributes above this are ignored

// utf8: the page's bytes are UTF-8 (else CP949).
std::vector<HtmlRun> ParseHtml(const std::string& page, bool utf8);
// Whether the page or its content type names UTF-8 as its character set.
bool HtmlIsUtf8(const std::string& page, const std::string& contentType);

}  // namespace mivo::afx
