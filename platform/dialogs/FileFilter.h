// The file dialog's type filter: "Name\0pattern;pattern\0...\0\0" as the
// caller gives it, each pattern matched ignoring case ("*.*" matches every name).
#pragma once

#include "kernel/NameMatch.h"

#include <string>
#include <vector>

namespace mivo {

class FileFilter {
public:
    // Limits on what a caller's filter string may make us read and hold.
    static const size_t kByteLimit = 64 * 1024;
    static const size_t kEntryLimit = 256;

    struct Entry {
        std::string name;      // CP949, as shown in the type box
        std::string patterns;  // CP949, "*.JPG;*.BMP"
    };

    // Reads a NUL-separated filter list; a missing or empty one gives a
    // single entry that matches everything.
    void Parse(const char* filter);
    const std::vector<Entry>& Entries() const { return entries_; }

    // Uses `patterns` (CP949, ';'-separated) for matching from now on.
    void Use(const std::string& patterns);
    // True when the CP949 file name matches one of the patterns in use.
    bool Matches(const std::string& name) const;
    // The first pattern's extension ("JPG" for "*.JPG"), empty when it has none or wildcards.
    std::string FirstExtension() const;

private:
    std::vector<Entry> entries_;
    std::vector<NameMatcher> matchers_;
    std::string current_;
};

}  // namespace mivo
