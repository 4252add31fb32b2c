#include "dialogs/FileFilter.h"
#include "mivo/codepage.h"

#include <cstring>

namespace mivo {

void FileFilter::Parse(const char* filter)
{
    entries_.clear();
    if (filter != nullptr) {
        const char* p = filter;
        const char* end = filter + kByteLimit;
        while (p < end && *p && entries_.size() < kEntryLimit) {
            size_t nameLength = strnlen(p, (size_t)(end - p));
            const char* patterns = p + nameLength + 1;
            if (patterns >= end)
                break;
            size_t patternLength = strnlen(patterns, (size_t)(end - patterns));
            entries_.push_back({std::string(p, nameLength), std::string(patterns, patternLength)});
            p = patterns + patternLength + 1;
        }
    }
    if (entries_.empty())
        entries_.push_back({"*.*", "*.*"});
    Use(entries_[0].patterns);
}

void FileFilter::Use(const std::string& patterns)
{
    current_ = patterns;
    matchers_.clear();
    size_t at = 0;
    while (at <= patterns.size()) {
        size_t end = patterns.find(';', at);
        if (end == std::string::npos)
            end = patterns.size();
        std::string one = patterns.substr(at, end - at);
        size_t first = one.find_first_not_of(' ');
        size_t last = one.find_last_not_of(' ');
        if (first != std::string::npos) {
            NameMatcher m;
            if (m.Compile(ToUtf8(one.substr(first, last - first + 1).c_str())))
                matchers_.push_back(m);
        }
        at = end + 1;
    }
}

bool FileFilter::Matches(const std::string& name) const
{
    std::string utf8 = ToUtf8(name.c_str());
    for (const NameMatcher& m : matchers_)
        if (m.Matches(utf8))
            return true;
    return false;
}

std::string FileFilter::FirstExtension() const
{
    std::string first = current_.substr(0, current_.find(';'));
    size_t dot = first.rfind('.');
    if (dot == std::string::npos)
        return std::string();
    std::string ext = first.substr(dot + 1);
    if (ext.empty() || ext.find_first_of("*? ") != std::string::npos)
        return std::string();
    return ext;
}

}  // namespace mivo
