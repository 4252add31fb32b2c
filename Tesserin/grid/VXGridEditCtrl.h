// CVXGridEditCtrl: the grid's own in-cell edit box, with an optional "..."
// button. Tab, Enter and Escape end it; losing the focus ends it; it reports
// the end once and deletes itself when its window goes.
#pragma once

#include "mfc.h"

class AFX_EXT_CLASS CVXGridEditCtrl : public CEdit {
public:
    CVXGridEditCtrl(int item, int subItem, UINT flags);
    ~CVXGridEditCtrl() override;

    // Places the caret or types the start key (see BeginEdit of the grid).
    void BeginEdit(UINT key);
    void EndEdit();
    // Makes the "..." button when the box is wide enough, narrowing the box.
    void AddButton(CWnd* grid, CRect& rect, CFont* font);
    UINT GetEndKey() const { return m_nEndKey; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

    BOOL m_bEnded = FALSE;
    int m_iItem;
    int m_iSubItem;
    UINT m_nFlags;
    UINT m_nEndKey = VK_RETURN;
    CButton m_wndButton;

    BOOL OnEndKey(UINT key);
    void OnLostFocus(HWND newFocus);
    CWnd* NoticeTarget();
};
