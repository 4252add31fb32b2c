// Fetching a page over HTTP or HTTPS through the WinINet stand-in.
#pragma once

#include <string>

namespace mivo::afx {

struct HtmlFetchResult {
    bool ok = false;
    int status = 0;
    std::string body;         // at most the limit
    std::string contentType;
};

// Only http and https addresses are fetched, and the program's own pages as "file:///path";
// the body stops at `limit` bytes.
HtmlFetchResult FetchPage(const std::string& url, size_t limit);
// An href resolved against the page's address; empty when it is no web address.
std::string ResolveLink(const std::string& base, const std::string& href);
// A picture's src resolved against the page's address: web addresses as links are, and beside
// a page of the program's own ("file:///...") a relative name; empty otherwise.
std::string ResolveResource(const std::string& base, const std::string& src);

}  // namespace mivo::afx
