// CVXGridComboCtrl: a drop-down editor a parent puts over a cell in answer to
// RVN_BEGINITEMEDIT. It reports the end once and deletes itself when its
// window goes.
#pragma once

#include "mfc.h"

class AFX_EXT_CLASS CVXGridComboCtrl : public CComboBox {
public:
    CVXGridComboCtrl(int item, int subItem);
    ~CVXGridComboCtrl() override;

    void BeginEdit(UINT key);
    void EndEdit();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void PostNcDestroy() override;

    BOOL m_bEnded = FALSE;
    int m_iItem;
    int m_iSubItem;
    UINT m_nEndKey = VK_RETURN;
};
