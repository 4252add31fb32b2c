// CVXGridOptionsEdit: the edit box an options grid opens over an option's
// value. Enter and Escape, and losing the focus, ask the grid to close it; the
// grid destroys and deletes it inside that request, so the box touches nothing
// of itself after asking. Derived classes change its style and width.
#pragma once

#include "mfc.h"

class AFX_EXT_CLASS CVXGridOptionsEdit : public CEdit {
    DECLARE_DYNCREATE(CVXGridOptionsEdit)
public:
    CVXGridOptionsEdit();
    ~CVXGridOptionsEdit() override;

    virtual DWORD GetWindowStyle();
    virtual int GetWidth();

    // Set by the grid before it ends the box: a focus change then asks nothing more.
    void MarkClosing() { m_bClosing = TRUE; }
    BOOL IsClosing() const { return m_bClosing; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    BOOL m_bClosing = FALSE;
};

