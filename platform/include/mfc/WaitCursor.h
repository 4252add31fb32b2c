// CWaitCursor: the hourglass while an object of it lives.
#pragma once

#include "win32.h"
#include "mfc/afxdefs.h"

class AFX_EXT_CLASS CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    void Restore();
};
