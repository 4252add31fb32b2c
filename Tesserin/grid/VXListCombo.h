// CVXListCombo: the drop-down list CVXListCtrl puts over a cell. Losing the
// focus with an entry selected reports it to the list as LVN_ENDLABELEDIT
// (its item data as lParam; no text after Escape); the box then closes itself
// by a posted WM_CLOSE and the object goes with its window.
#pragma once

#include "mfc.h"

#define IDC_VXLIST_COMBO 4661

class AFX_EXT_CLASS CVXListCombo : public CComboBox {
public:
    CVXListCombo(const CStringList& choices, int column, int row, LPCSTR text);
    ~CVXListCombo() override;

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void PostNcDestroy() override;
    void Start();
    void End();
    void ReturnFocus();

    CStringList m_listChoices;
    int m_iColumn;
    int m_iRow;
    CString m_strInitText;
    BOOL m_bEscape = FALSE;
    BOOL m_bEnded = FALSE;
};
