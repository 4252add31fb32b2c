// A visible top-level framework window to put one control on, and a listener
// for the beeps the controls make when they refuse something.
#pragma once

#include "mfc.h"

#include <vector>

namespace controlstest {

class ControlHost {
public:
    ControlHost(int width = 320, int height = 120);
    ~ControlHost();
    CWnd* wnd() { return &m_parent; }

private:
    CWnd m_parent;
};

class BeepListener {
public:
    BeepListener();
    ~BeepListener();
    // Beeps of the given sound type heard so far.
    int count(UINT type = (UINT)-1) const;

private:
    std::vector<UINT> m_heard;
};

}  // namespace controlstest
