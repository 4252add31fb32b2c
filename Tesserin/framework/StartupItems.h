// The command line both programs take: key=value items separated by '^'.
#pragma once

#include "mfc.h"

// Calls fn(key, value) for each item, in order, splitting at its first '='
// (case kept, nothing trimmed); an item without '=' is skipped.
template <class Fn>
void ForEachStartupItem(LPCSTR pszCommandLine, Fn&& fn)
{
    CString line = pszCommandLine ? pszCommandLine : "";
    int start = 0;
    while (start < line.GetLength()) {
        int end = line.Find('^', start);
        if (end < 0)
            end = line.GetLength();
        CString item = line.Mid(start, end - start);
        start = end + 1;
        int eq = item.Find('=');
        if (eq >= 0)
            fn(item.Left(eq), item.Mid(eq + 1));
    }
}
