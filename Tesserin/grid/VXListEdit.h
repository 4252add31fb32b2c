// CVXListEdit: the edit box CVXListCtrl puts over a cell. Losing the focus
// reports the text to the list as LVN_ENDLABELEDIT (no text after Escape), then
// the box destroys itself; the object goes with its window.
#pragma once

#include "mfc.h"

#define IDC_VXLIST_EDIT 4660

class AFX_EXT_CLASS CVXListEdit : public CEdit {
public:
    CVXListEdit(int row, int column, LPCSTR text);
    ~CVXListEdit() override;

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;
    void Start();
    void End();
    void Widen();

    int m_iRow;
    int m_iColumn;
    CString m_strInitText;
    BOOL m_bEscape = FALSE;
    BOOL m_bEnded = FALSE;
};
