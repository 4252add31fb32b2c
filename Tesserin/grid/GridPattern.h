// Cell text patterns: "*" any run, "?" any one character, others themselves.
// After a "*" the literal run up to the next wildcard is taken at its first
// occurrence only (no backtracking), as the selection by pattern always did.
#pragma once

class GridPattern {
public:
    static bool Match(const char* pattern, const char* text);

private:
    static int LiteralLength(const char* pattern);
    static const char* FindRun(const char* text, const char* run, int length);
};
