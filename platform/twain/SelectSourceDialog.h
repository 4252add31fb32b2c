// The source manager's Korean list of sources to choose from.
#pragma once

#include "win32/types.h"

#include <string>
#include <vector>

namespace mivo::twain {

class SelectSourceDialog {
public:
    SelectSourceDialog(const std::vector<std::string>& names, int initial) : m_names(names), m_choice(initial) {}

    // The index chosen, or -1 when cancelled (or a test's hook answers).
    int Run(HWND owner);

private:
    static INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    void Fill(HWND dialog);
    void Choose(HWND dialog);

    std::vector<std::string> m_names;
    int m_choice;
};

}  // namespace mivo::twain
