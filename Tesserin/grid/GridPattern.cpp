#include "grid/GridPattern.h"

#include <cstring>

int GridPattern::LiteralLength(const char* pattern)
{
    int n = 0;
    while (pattern[n] && pattern[n] != '*' && pattern[n] != '?')
        n++;
    return n;
}

const char* GridPattern::FindRun(const char* text, const char* run, int length)
{
    for (const char* p = text; *p; p++)
        if (strncmp(p, run, length) == 0)
            return p;
    return nullptr;
}

bool GridPattern::Match(const char* pattern, const char* text)
{
    const char* p = pattern;
    const char* t = text;
    while (*p) {
        if (*p == '*') {
            while (*p == '*')
                p++;
            int length = LiteralLength(p);
            if (length == 0) {
                if (*p == 0)
                    return true;
                continue; // "*?" : the "?" takes the next character below
            }
            const char* hit = FindRun(t, p, length);
            if (!hit)
                return false;
            t = hit + length;
            p += length;
        } else if (*p == '?') {
            if (!*t)
                return false;
            p++;
            t++;
        } else {
            if (*p != *t)
                return false;
            p++;
            t++;
        }
        if (!*t && *p == '*')
            return true;
    }
    return *t == 0;
}
