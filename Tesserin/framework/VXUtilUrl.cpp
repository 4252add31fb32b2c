// URL helpers: the host, path and file name, the directory, and absolute forms of relative links.
#include "framework/VXUtil.h"
#include "mivo/codepage.h"

#include <strings.h>

#include <cstring>
#include <string>

namespace {

const char* const kSchemes[] = {"http://", "ftp://"};

// Writes text cut to what a URL buffer holds, never splitting a double-byte character.
void Put(char* out, const std::string& text)
{
    if (!out)
        return;
    size_t length = mivo::CutToCharBoundary(text.c_str(), text.size(), (size_t)kVXUrlMax - 1);
    memcpy(out, text.c_str(), length);
    out[length] = '\0';
}

// Length of a leading "http://" or "ftp://" (any case), else 0.
size_t SchemeLength(const std::string& url)
{
    for (const char* scheme : kSchemes) {
        size_t length = strlen(scheme);
        if (url.size() >= length && strncasecmp(url.c_str(), scheme, length) == 0)
            return length;
    }
    return 0;
}

// Where the path of a URL starts: just after the slash that ends its host (npos: no such slash).
size_t RootLength(const std::string& url)
{
    size_t slash = url.find('/', SchemeLength(url));
    return slash == std::string::npos ? std::string::npos : slash + 1;
}

std::string HostOf(const std::string& url)
{
    size_t from = SchemeLength(url);
    size_t slash = url.find('/', from);
    return url.substr(from, slash == std::string::npos ? std::string::npos : slash - from);
}

std::string DirectoryOf(const std::string& url)
{
    size_t slash = url.rfind('/');
    return slash == std::string::npos ? std::string() : url.substr(0, slash + 1);
}

}  // namespace

void FindHostNameFromURL(const char* url, char* host, char* path, char* fileName)
{
    const std::string text = url ? url : "";
    if (fileName && (text.empty() || text.back() != '/')) {
        size_t slash = text.rfind('/');
        Put(fileName, slash == std::string::npos ? std::string() : text.substr(slash + 1));
    }
    Put(host, HostOf(text));
    if (path) {
        size_t root = RootLength(text);
        Put(path, root == std::string::npos ? std::string() : text.substr(root));
    }
}

void FindDirNameFromURL(const char* url, char* dir)
{
    Put(dir, DirectoryOf(url ? url : ""));
}

void FindAbsURLFromRelURL(const char* base, const char* rel, char* out)
{
    const std::string from = base ? base : "";
    std::string link = rel ? rel : "";
    if (SchemeLength(link)) {
        Put(out, link);
        return;
    }
    if (!link.empty() && link[0] == '/') {
        Put(out, "http://" + HostOf(from) + link);
        return;
    }
    std::string dir = DirectoryOf(from);
    // ".." never climbs above the host's root.
    size_t root = RootLength(dir);
    if (root == std::string::npos)
        root = dir.size();
    for (;;) {
        if (link.compare(0, 2, "./") == 0) {
            link.erase(0, 2);
        } else if (link.compare(0, 3, "../") == 0) {
            link.erase(0, 3);
            if (dir.size() > root) {
                size_t slash = dir.rfind('/', dir.size() - 2);
                dir.resize(slash == std::string::npos || slash + 1 < root ? root : slash + 1);
            }
        } else {
            break;
        }
    }
    Put(out, dir + link);
}
