// CPrintDialog: the print dialog over PRINTDLG, its defaults and its printer DC.
#pragma once

#include "mfc/CommonDialog.h"
#include "mfc/String.h"

class AFX_EXT_CLASS CPrintDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CPrintDialog)
public:
    // A print dialog (not a setup one) returns a printer DC (PD_RETURNDC).
    explicit CPrintDialog(BOOL bPrintSetupOnly,
                          DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                                          PD_NOSELECTION,
                          CWnd* pParentWnd = nullptr);

    INT_PTR DoModal() override;
    // The default printer's settings into m_pd without showing anything.
    BOOL GetDefaults();
    // The DC the dialog made (PD_RETURNDC); the caller deletes it.
    HDC GetPrinterDC() const;
    // A DC for the printer and settings in hDevNames and hDevMode, kept in m_pd.hDC.
    HDC CreatePrinterDC();

    LPDEVMODE GetDevMode() const;  // locked: the caller unlocks m_pd.hDevMode
    CString GetDriverName() const;
    CString GetDeviceName() const;
    CString GetPortName() const;
    int GetCopies() const;
    BOOL PrintCollate() const { return (m_pd.Flags & PD_COLLATE) != 0; }
    BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }
    BOOL PrintAll() const { return !PrintRange() && !PrintSelection(); }
    BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
    int GetFromPage() const;
    int GetToPage() const;

    PRINTDLG m_pd;

private:
    CString DevNamesText(int which) const;
};
