#include "mfc.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CPrintDialog, CCommonDialog)

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd)
{
    std::memset(&m_pd, 0, sizeof(m_pd));
    m_pd.lStructSize = sizeof(m_pd);
    m_pd.Flags = dwFlags;
    m_pd.nCopies = 1;
    if (bPrintSetupOnly)
        m_pd.Flags |= PD_PRINTSETUP;
    else
        m_pd.Flags |= PD_RETURNDC;
}

INT_PTR CPrintDialog::DoModal()
{
    m_pd.hwndOwner = CommonDialogOwner();
    return ::PrintDlg(&m_pd) ? IDOK : IDCANCEL;
}

BOOL CPrintDialog::GetDefaults()
{
    DWORD flags = m_pd.Flags;
    m_pd.Flags |= PD_RETURNDEFAULT;
    BOOL ok = ::PrintDlg(&m_pd);
    m_pd.Flags = (m_pd.Flags & ~(DWORD)PD_RETURNDEFAULT) | (flags & PD_RETURNDEFAULT);
    return ok;
}

HDC CPrintDialog::GetPrinterDC() const
{
    return m_pd.hDC;
}

CString CPrintDialog::DevNamesText(int which) const
{
    if (m_pd.hDevNames == nullptr)
        return CString();
    SIZE_T size = ::GlobalSize(m_pd.hDevNames);
    auto* names = (const BYTE*)::GlobalLock(m_pd.hDevNames);
    CString text;
    if (names != nullptr && size >= sizeof(DEVNAMES)) {
        DEVNAMES header;
        std::memcpy(&header, names, sizeof(header));
        WORD offset = which == 0 ? header.wDriverOffset : which == 1 ? header.wDeviceOffset : header.wOutputOffset;
        if (offset < size) {
            size_t length = strnlen((const char*)names + offset, size - offset);
            text = CString((const char*)names + offset, (int)length);
        }
    }
    if (names != nullptr)
        ::GlobalUnlock(m_pd.hDevNames);
    return text;
}

CString CPrintDialog::GetDriverName() const
{
    return DevNamesText(0);
}

CString CPrintDialog::GetDeviceName() const
{
    return DevNamesText(1);
}

CString CPrintDialog::GetPortName() const
{
    return DevNamesText(2);
}

HDC CPrintDialog::CreatePrinterDC()
{
    if (m_pd.hDevNames == nullptr)
        return nullptr;
    CString driver = GetDriverName(), device = GetDeviceName(), port = GetPortName();
    auto* dm = m_pd.hDevMode ? (const DEVMODE*)::GlobalLock(m_pd.hDevMode) : nullptr;
    m_pd.hDC = ::CreateDC(driver, device, port, dm);
    if (dm != nullptr)
        ::GlobalUnlock(m_pd.hDevMode);
    return m_pd.hDC;
}

LPDEVMODE CPrintDialog::GetDevMode() const
{
    return m_pd.hDevMode ? (LPDEVMODE)::GlobalLock(m_pd.hDevMode) : nullptr;
}

int CPrintDialog::GetCopies() const
{
    if (m_pd.Flags & PD_USEDEVMODECOPIES) {
        LPDEVMODE dm = GetDevMode();
        int copies = dm ? dm->dmCopies : 1;
        if (dm)
            ::GlobalUnlock(m_pd.hDevMode);
        return copies;
    }
    return m_pd.nCopies;
}

int CPrintDialog::GetFromPage() const
{
    return PrintRange() ? m_pd.nFromPage : -1;
}

int CPrintDialog::GetToPage() const
{
    return PrintRange() ? m_pd.nToPage : -1;
}
