// URL helpers: host, path and file name; directory; absolute forms of relative links.
#include <gtest/gtest.h>

#include "framework/VXUtil.h"

#include <cstring>
#include <string>

TEST(VXUtilUrl, HostPathAndFileName)
{
    const struct {
        const char* url;
        const char* host;
        const char* path;
        const char* file;  // "x": left as it was
    } cases[] = {
        {"http://www.mivo.co.kr/photo/a.jpg", "www.mivo.co.kr", "photo/a.jpg", "a.jpg"},
        {"HTTP://Host/dir/", "Host", "dir/", "x"},
        {"Ftp://files.example/x.zip", "files.example", "x.zip", "x.zip"},
        {"host/a", "host", "a", "a"},
        {"plainhost", "plainhost", "", ""},
        {"http://host", "host", "", "host"},
        {"", "", "", ""},
        {"https://h/p", "https:", "/h/p", "p"},
    };
    for (const auto& c : cases) {
        char host[kVXUrlMax] = "x", path[kVXUrlMax] = "x", file[kVXUrlMax] = "x";
        FindHostNameFromURL(c.url, host, path, file);
        EXPECT_STREQ(c.host, host) << c.url;
        EXPECT_STREQ(c.path, path) << c.url;
        EXPECT_STREQ(c.file, file) << c.url;
    }
    char host[kVXUrlMax] = "x";
    FindHostNameFromURL("http://only/host", host, nullptr, nullptr);
    EXPECT_STREQ("only", host);
}

TEST(VXUtilUrl, DirectoryAndAbsoluteLinks)
{
    const struct {
        const char* url;
        const char* dir;
    } dirs[] = {{"http://h/a/b.jpg", "http://h/a/"}, {"http://h/a/", "http://h/a/"}, {"nodir", ""}};
    for (const auto& c : dirs) {
        char dir[kVXUrlMax] = "x";
        FindDirNameFromURL(c.url, dir);
        EXPECT_STREQ(c.dir, dir) << c.url;
    }
    const char base[] = "http://h/a/b/c.html";
    const struct {
        const char* base;
        const char* rel;
        const char* out;
    } links[] = {
        {base, "HTTP://x/y", "HTTP://x/y"},
        {base, "ftp://x/y", "ftp://x/y"},
        {base, "/img/p.jpg", "http://h/img/p.jpg"},
        {base, "p.jpg", "http://h/a/b/p.jpg"},
        {base, "./p.jpg", "http://h/a/b/p.jpg"},
        {base, "../p.jpg", "http://h/a/p.jpg"},
        {base, "./.././p.jpg", "http://h/a/p.jpg"},
        {base, "../../p.jpg", "http://h/p.jpg"},
        {base, "../../../../p.jpg", "http://h/p.jpg"},
        {base, "sub/../p.jpg", "http://h/a/b/sub/../p.jpg"},
        {"ftp://f/x/y.txt", "/z", "http://f/z"},
        {"nodir", "../p.jpg", "p.jpg"},
        {"h/a/", "../../p", "h/p"},
    };
    for (const auto& c : links) {
        char out[kVXUrlMax] = "x";
        FindAbsURLFromRelURL(c.base, c.rel, out);
        EXPECT_STREQ(c.out, out) << c.base << " + " << c.rel;
    }
}

TEST(VXUtilUrl, LongTextsAreCutToTheUrlBuffer)
{
    std::string longUrl = "http://h/" + std::string(3000, 'd') + "/" + std::string(3000, 'f');
    std::string korean = "http://hh/";
    for (int i = 0; i < 400; ++i)
        korean += "사";
    char host[kVXUrlMax + 16], path[kVXUrlMax + 16], file[kVXUrlMax + 16], out[kVXUrlMax + 16];
    memset(path, 'x', sizeof path);
    FindHostNameFromURL(longUrl.c_str(), host, path, file);
    EXPECT_EQ(size_t(kVXUrlMax - 1), strlen(path));
    EXPECT_EQ('x', path[kVXUrlMax]);
    EXPECT_EQ(size_t(kVXUrlMax - 1), strlen(file));
    FindAbsURLFromRelURL(longUrl.c_str(), longUrl.c_str() + 7, out);
    EXPECT_EQ(size_t(kVXUrlMax - 1), strlen(out));
    FindDirNameFromURL((korean + "/").c_str(), out);
    EXPECT_EQ(size_t(kVXUrlMax - 2), strlen(out)) << "a double-byte character is never split";
}
