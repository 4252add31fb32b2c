// Reads the script and the files it includes, obeys #define, #include and the
// conditional directives, and hands out the tokens of the active text.
// In included headers (.h and C/C++ files) only the directives count, as with
// the Windows resource compiler, so a header shared with C++ code works.
#pragma once

#include <deque>
#include <set>
#include <string>
#include <vector>

#include "MacroTable.h"

namespace rc {

class Preprocessor {
public:
    Preprocessor(MacroTable& macros, std::vector<std::string> includeDirs);

    void OpenMainFile(const std::string& path);
    // Next token of the active script text; an End token after the last one.
    Token NextRaw();
    // Every file read so far, for the build's dependency list.
    const std::vector<std::string>& FilesRead() const { return filesRead_; }
    // Finds a file named in a resource statement of the given script file.
    std::string FindDataFile(const std::string& name, const Location& from);

private:
    struct File {
        std::string path;
        std::string dir;
        std::vector<std::string> lines;
        size_t next = 0;
        bool header = false;
        bool inComment = false;
        size_t conditionsAtStart = 0;
    };
    struct Condition {
        bool parentActive;
        bool active;
        bool taken;
        bool sawElse;
        Location loc;
    };

    void Push(const std::string& path, const Location& from);
    void FinishFile();
    bool Active() const { return conditions_.empty() || conditions_.back().active; }
    void Directive(const std::string& text, const Location& loc);
    void Include(const std::string& rest, const Location& loc);
    void Define(const std::string& rest, const Location& loc);
    bool Evaluate(const std::string& expression, const Location& loc);
    std::string ResolveInclude(const std::string& name, bool quoted) const;

    MacroTable& macros_;
    std::vector<std::string> includeDirs_;
    std::vector<File> files_;
    std::vector<Condition> conditions_;
    std::deque<Token> lineTokens_;
    std::vector<std::string> filesRead_;
    std::set<std::string> onceFiles_;
    std::string mainDir_;
    Location last_;
};

// Removes // and /* */ comments from a line, leaving strings intact.
std::string StripComments(const std::string& line, bool& inBlockComment);

}  // namespace rc
