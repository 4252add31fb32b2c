// CVXGridOptionsCombo: the drop-down list an options grid opens over an
// option's value. Enter and Escape, and losing the focus, ask the grid to close
// it; the grid destroys and deletes it inside that request. Derived classes set
// their style, width and dropped height, and fill their entries when created.
#pragma once

#include "mfc.h"

class AFX_EXT_CLASS CVXGridOptionsCombo : public CComboBox {
    DECLARE_DYNCREATE(CVXGridOptionsCombo)
public:
    CVXGridOptionsCombo();
    ~CVXGridOptionsCombo() override;

    virtual DWORD GetWindowStyle();
    virtual int GetWidth();
    virtual int GetHeight();

    void MarkClosing() { m_bClosing = TRUE; }
    BOOL IsClosing() const { return m_bClosing; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    BOOL m_bClosing = FALSE;
};
