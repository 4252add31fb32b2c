// CColorDialog: the colour dialog, with 16 custom colours kept for the process.
#pragma once

#include "mfc/CommonDialog.h"

class AFX_EXT_CLASS CColorDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CColorDialog)
public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);

    INT_PTR DoModal() override;
    COLORREF GetColor() const { return m_cc.rgbResult; }
    void SetCurrentColor(COLORREF clr);
    static COLORREF* PASCAL GetSavedCustomColors();

    CHOOSECOLOR m_cc;
};
