// CVXGroupEdit: the out-bar's in-place rename edit. Enter keeps the text,
// Escape drops it; either way the edit closes and deletes itself.
#pragma once

#include "mfc.h"

class AFX_EXT_CLASS CVXGroupEdit : public CEdit {
public:
    CVXGroupEdit();

    BOOL m_bCancelled;
    CString m_text;
    int m_nCode;  // OBN_FOLDER_RENAMED or OBN_ITEM_RENAMED
    BOOL m_bSingleLine;
    int m_nIndex;

protected:
    void PostNcDestroy() override;
    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnDestroy();
    afx_msg void OnChar(UINT ch, UINT repeat, UINT flags);
    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bFinished;
    void GrowToText();
    void Finish();
};
