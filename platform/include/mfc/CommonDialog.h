// CCommonDialog: the base of the framework's wrappers of the common dialogs.
#pragma once

#include "mfc/Dialog.h"

class AFX_EXT_CLASS CCommonDialog : public CDialog {
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* pParentWnd);

protected:
    // The window that owns the dialog: the parent's top-level window, else
    // the main window, and the popup that window shows at the moment.
    HWND CommonDialogOwner() const;
    void OnOK() override;
    void OnCancel() override;
};
