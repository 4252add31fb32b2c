// CWinApp's printer: the settings kept between print jobs and the print dialog on them.
#include "mfc.h"

void CWinApp::UpdatePrinterSelection(BOOL bForceDefaults)
{
    if (m_hDevNames != nullptr && !bForceDefaults)
        return;
    CPrintDialog defaults(TRUE);
    if (!defaults.GetDefaults())
        return;
    if (m_hDevMode != nullptr)
        ::GlobalFree(m_hDevMode);
    if (m_hDevNames != nullptr)
        ::GlobalFree(m_hDevNames);
    m_hDevMode = defaults.m_pd.hDevMode;
    m_hDevNames = defaults.m_pd.hDevNames;
}

BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLG* pPrintDlg)
{
    UpdatePrinterSelection(m_hDevNames == nullptr);
    if (m_hDevNames == nullptr || pPrintDlg == nullptr)
        return FALSE;
    pPrintDlg->hDevMode = m_hDevMode;
    pPrintDlg->hDevNames = m_hDevNames;
    return TRUE;
}

INT_PTR CWinApp::DoPrintDialog(CPrintDialog* pPD)
{
    UpdatePrinterSelection(FALSE);
    pPD->m_pd.hDevMode = m_hDevMode;
    pPD->m_pd.hDevNames = m_hDevNames;
    INT_PTR response = pPD->DoModal();
    // The dialog may have given the blocks new handles.
    m_hDevMode = pPD->m_pd.hDevMode;
    m_hDevNames = pPD->m_pd.hDevNames;
    return response;
}
