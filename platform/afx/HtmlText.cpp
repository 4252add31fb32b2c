#include "afx/HtmlText.h"

#include "win32.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace {

const size_t kLinkLimit = 2048;

std::string Lower(std::string s)
{
    for (char& c : s)
        c = (char)std::tolower((unsigned char)c);
    return s;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

std::string Utf8ToAnsi(const std::string& utf8)
{
    if (utf8.empty())
        return utf8;
    int wide = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), (int)utf8.size(), nullptr, 0);
    if (wide <= 0)
        return std::string();
    std::vector<WCHAR> buffer((size_t)wide);
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), (int)utf8.size(), buffer.data(), wide);
    int bytes = ::WideCharToMultiByte(CP_ACP, 0, buffer.data(), wide, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return std::string();
    std::string ansi((size_t)bytes, '\0');
    ::WideCharToMultiByte(CP_ACP, 0, buffer.data(), wide, &ansi[0], bytes, nullptr, nullptr);
    return ansi;
}

std::string CodePointToAnsi(unsigned long code)
{
    if (code == 0 || code > 0xFFFF || (code >= 0xD800 && code <= 0xDFFF))
        return "?";
    WCHAR wide = (WCHAR)code;
    char bytes[8] = {};
    int n = ::WideCharToMultiByte(CP_ACP, 0, &wide, 1, bytes, sizeof(bytes), nullptr, nullptr);
    return n > 0 ? std::string(bytes, (size_t)n) : std::string("?");
}

// An entity at page[i] ('&'); answers its text and moves i past it, or "&" alone.
std::string Entity(const std::string& page, size_t& i)
{
    size_t end = page.substr(i + 1, 11).find(';');  // names are short: never look further
    if (end != std::string::npos)
        end += i + 1;
    if (end == std::string::npos || end - i > 10) {
        ++i;
        return "&";
    }
    std::string name = page.substr(i + 1, end - i - 1);
    std::string lower = Lower(name);
    std::string text;
    if (lower == "amp")
        text = "&";
    else if (lower == "lt")
        text = "<";
    else if (lower == "gt")
        text = ">";
    else if (lower == "quot")
        text = "\"";
    else if (lower == "apos")
        text = "'";
    else if (lower == "nbsp")
        text = " ";
    else if (!name.empty() && name[0] == '#') {
        bool hex = name.size() > 1 && (name[1] == 'x' || name[1] == 'X');
        const char* digits = name.c_str() + (hex ? 2 : 1);
        char* stop = nullptr;
        unsigned long code = std::strtoul(digits, &stop, hex ? 16 : 10);
        if (!*digits || (stop && *stop)) {
            ++i;
            return "&";
        }
        text = CodePointToAnsi(code);
    } else {
        ++i;
        return "&";
    }
    i = end + 1;
    return text;
}

// The value of an attribute inside a tag's text, empty when absent.
std::string Attribute(const std::string& tag, const char* name)
{
    std::string lower = Lower(tag);
    std::string key = name;
    for (size_t at = lower.find(key); at != std::string::npos; at = lower.find(key, at + 1)) {
        if (at == 0 || !IsBlank(lower[at - 1]))
            continue;
        size_t i = at + key.size();
        while (i < tag.size() && IsBlank(tag[i]))
            ++i;
        if (i >= tag.size() || tag[i] != '=')
            continue;
        ++i;
        while (i < tag.size() && IsBlank(tag[i]))
            ++i;
        if (i >= tag.size())
            return std::string();
        size_t end;
        if (tag[i] == '"' || tag[i] == '\'') {
            char quote = tag[i++];
            end = tag.find(quote, i);
            if (end == std::string::npos)
                end = tag.size();
        } else {
            end = i;
            while (end < tag.size() && !IsBlank(tag[end]) && tag[end] != '>')
                ++end;
        }
        return tag.substr(i, std::min(end - i, kLinkLimit));
    }
    return std::string();
}

// A size attribute in pixels: digits only, at most the side limit; 0 otherwise.
int PixelAttribute(const std::string& tag, const char* name)
{
    std::string value = Attribute(tag, name);
    if (value.empty() || value.size() > 5 || value.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    int pixels = std::atoi(value.c_str());
    return pixels <= mivo::afx::kHtmlImageSideLimit ? pixels : 0;
}

bool IsBlockTag(const std::string& name)
{
    static const char* const blocks[] = {"br", "p", "div", "li", "tr", "h1", "h2", "h3", "h4", "h5", "h6",
                                         "table", "ul", "ol", "hr", "blockquote", "pre", "dt", "dd"};
    for (const char* block : blocks)
        if (name == block)
            return true;
    return false;
}

// The margin a body tag asks for with its old attributes, -1 when none.
int BodyMargin(const std::string& tag)
{
    for (const char* name : {"leftmargin", "topmargin", "marginwidth", "marginheight"}) {
        std::string value = Attribute(tag, name);
        if (!value.empty() && value.size() <= 3 && value.find_first_not_of("0123456789") == std::string::npos)
            return std::atoi(value.c_str());
    }
    return -1;
}

class Builder {
public:
    std::vector<mivo::afx::HtmlRun> runs;

    void Text(const std::string& text)
    {
        for (char c : text) {
            if (IsBlank(c)) {
                m_blank = true;
                continue;
            }
            if (m_blank && (!m_current.text.empty() || (!runs.empty() && !m_current.lineBreak)))
                m_current.text += ' ';
            m_blank = false;
            m_current.text += c;
        }
    }
    void Break()
    {
        Flush();
        m_current.lineBreak = true;
        m_blank = false;
    }
    void Link(const std::string& href)
    {
        Flush();
        m_current.link = href;
    }
    void Image(const std::string& src, int width, int height)
    {
        Flush();
        if (runs.size() >= mivo::afx::kHtmlRunLimit)
            return;
        mivo::afx::HtmlRun image;
        image.link = m_current.link;
        image.lineBreak = m_current.lineBreak;
        image.image = src;
        image.imageWidth = width;
        image.imageHeight = height;
        runs.push_back(image);
        m_current.lineBreak = false;
        m_blank = false;
    }
    int bodyMargin = -1;
    void Flush()
    {
        if (!m_current.text.empty() && runs.size() < mivo::afx::kHtmlRunLimit)
            runs.push_back(m_current);
        if (!m_current.text.empty())
            m_current.lineBreak = false;
        m_current.text.clear();
    }

private:
    mivo::afx::HtmlRun m_current;
    bool m_blank = false;
};

// The end of the tag opening at page[i] ('<'), quotes honoured; npos when it never ends.
size_t TagEnd(const std::string& page, size_t i)
{
    char quote = 0;
    for (size_t j = i + 1; j < page.size(); ++j) {
        char c = page[j];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            return j;
        }
    }
    return std::string::npos;
}

}  // namespace

bool mivo::afx::HtmlIsUtf8(const std::string& page, const std::string& contentType)
{
    if (Lower(contentType).find("utf-8") != std::string::npos)
        return true;
    std::string head = Lower(page.substr(0, std::min<size_t>(page.size(), 4096)));
    size_t charset = head.find("charset");
    if (charset == std::string::npos)
        return false;
    size_t utf8 = head.find("utf-8", charset);
    return utf8 != std::string::npos && utf8 < charset + 16;
}

std::vector<mivo::afx::HtmlRun> mivo::afx::ParseHtml(const std::string& bytes, bool utf8)
{
    std::string page = bytes.substr(0, std::min(bytes.size(), kHtmlPageLimit));
    if (utf8)
        page = Utf8ToAnsi(page);
    Builder out;
    std::string skipUntil;  // inside script, style or title: text up to the closing tag is not shown
    size_t i = 0;
    while (i < page.size() && out.runs.size() < kHtmlRunLimit) {
        char c = page[i];
        if (c == '<') {
            if (page.compare(i, 4, "<!--") == 0) {
                size_t end = page.find("-->", i + 4);
                i = end == std::string::npos ? page.size() : end + 3;
                continue;
            }
            size_t end = TagEnd(page, i);
            if (end == std::string::npos)
                break;  // a tag that never ends takes the rest of the page, as browsers have it
            std::string tag = page.substr(i + 1, end - i - 1);
            i = end + 1;
            bool closing = !tag.empty() && tag[0] == '/';
            size_t nameStart = closing ? 1 : 0, nameEnd = nameStart;
            while (nameEnd < tag.size() && std::isalnum((unsigned char)tag[nameEnd]))
                ++nameEnd;
            std::string name = Lower(tag.substr(nameStart, nameEnd - nameStart));
            if (!skipUntil.empty()) {
                if (closing && name == skipUntil)
                    skipUntil.clear();
                continue;
            }
            if (!closing && (name == "script" || name == "style" || name == "title")) {
                skipUntil = name;
                continue;
            }
            if (IsBlockTag(name))
                out.Break();
            else if (name == "a")
                out.Link(closing ? std::string() : Attribute(tag, "href"));
            else if (name == "img" && !closing)
                out.Image(Attribute(tag, "src"), PixelAttribute(tag, "width"), PixelAttribute(tag, "height"));
            else if (name == "body" && !closing)
                out.bodyMargin = BodyMargin(tag);
            continue;
        }
        if (!skipUntil.empty()) {
            ++i;
            continue;
        }
        if (c == '&') {
            out.Text(Entity(page, i));
            continue;
        }
        if (c == '\0') {
            ++i;
            continue;
        }
        // A double-byte character goes whole, so its trail byte is never read as markup.
        bool lead = (unsigned char)c >= 0x81 && (unsigned char)c <= 0xFE && i + 1 < page.size();
        out.Text(page.substr(i, lead ? 2 : 1));
        i += lead ? 2 : 1;
    }
    out.Flush();
    if (!out.runs.empty())
        out.runs.front().bodyMargin = out.bodyMargin;
    return out.runs;
}
