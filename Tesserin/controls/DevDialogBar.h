// CDevDialogBar: the sizing docking bar around one of the caller's dialogs,
// made from the template whose id is the bar's id.
#pragma once

#include "controls/VXSizingBar.h"

class AFX_EXT_CLASS CDevDialogBar : public CVXSizingBar {
    DECLARE_DYNAMIC(CDevDialogBar)
public:
    CDevDialogBar();

    // 0 when the bar or its dialog cannot be made; the dialog stays the caller's.
    int Create(CWnd* parent, CDialog* dialog, CString& title, UINT id, DWORD style);
    CDialog* GetDialog() { return m_pDialog; }

protected:
    CDialog* m_pDialog;

    int VerticalBottomInset() const override { return m_cxBorder; }
    int FixedLayoutPad() const override { return 4; }
    void PlaceContent() override;
};
