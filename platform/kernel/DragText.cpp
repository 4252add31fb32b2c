#include "mivo/dragtext.h"

#include "mivo/hexdigits.h"
#include "mivo/paths.h"

#include <cctype>

namespace mivo {
namespace {

// Bytes a URL path may carry as they are.
bool PlainInUrl(unsigned char c)
{
    return std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~';
}

std::string Escaped(const std::string& posixUtf8)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (unsigned char c : posixUtf8) {
        if (PlainInUrl(c)) {
            url += (char)c;
        } else {
            url += '%';
            url += kHex[c >> 4];
            url += kHex[c & 15];
        }
    }
    return url;
}

// The local path of a file URL; false for other schemes, other hosts and broken escapes.
bool LocalPathOf(const std::string& url, std::string& posixUtf8)
{
    const std::string scheme = "file://";
    if (url.compare(0, scheme.size(), scheme) != 0)
        return false;
    std::string rest = url.substr(scheme.size());
    size_t slash = rest.find('/');
    if (slash == std::string::npos)
        return false;
    std::string host = rest.substr(0, slash);
    if (!host.empty() && host != "localhost")
        return false;
    posixUtf8.clear();
    for (size_t i = slash; i < rest.size(); i++) {
        char c = rest[i];
        if (c == '?' || c == '#')
            break;
        if (c != '%') {
            posixUtf8 += c;
            continue;
        }
        int high = i + 2 < rest.size() ? mivo::HexDigitValue(rest[i + 1]) : -1;
        int low = i + 2 < rest.size() ? mivo::HexDigitValue(rest[i + 2]) : -1;
        if (high < 0 || low < 0)
            return false;
        char byte = (char)(high * 16 + low);
        if (byte == '\0')
            return false;
        posixUtf8 += byte;
        i += 2;
    }
    return !posixUtf8.empty();
}

}  // namespace

std::vector<std::string> DragTextToFileUrls(const std::string& cp949)
{
    std::vector<std::string> urls;
    size_t start = 0;
    while (start < cp949.size()) {
        size_t end = cp949.find('\r', start);
        if (end == std::string::npos)
            end = cp949.size();
        std::string entry = cp949.substr(start, end - start);
        start = end + 1;
        size_t tab = entry.find('\t');
        if (tab == std::string::npos || tab + 1 >= entry.size())
            continue;
        std::string posix;
        if (ToPosixPath(entry.substr(tab + 1).c_str(), posix) && !posix.empty())
            urls.push_back(Escaped(posix));
    }
    return urls;
}

std::string FileUrlsToDragText(const std::vector<std::string>& urls)
{
    std::string text;
    for (const std::string& url : urls) {
        std::string posix, windows;
        if (!LocalPathOf(url, posix) || !FromPosixPath(posix, windows) || windows.empty())
            continue;
        text += "0\t" + windows + "\r";
    }
    return text;
}

}  // namespace mivo
