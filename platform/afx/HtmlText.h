// The text and links of an HTML page, for the simple page view. Pages come
// from outside: any bytes parse, within fixed limits.
#pragma once

#include <string>
#include <vector>

namespace mivo::afx {

struct HtmlRun {
    std::string text;  // CP949, blanks collapsed
    std::string link;  // the href of the link it belongs to, empty outside links
    bool lineBreak = false;  // a break before the text
};

const size_t kHtmlPageLimit = 1 << 20;  // bytes of a page that are read
const size_t kHtmlRunLimit = 20000;

// utf8: the page's bytes are UTF-8 (else CP949).
std::vector<HtmlRun> ParseHtml(const std::string& page, bool utf8);
// Whether the page or its content type names UTF-8 as its character set.
bool HtmlIsUtf8(const std::string& page, const std::string& contentType);

}  // namespace mivo::afx
