// CFileDialog: GetOpenFileName / GetSaveFileName with the object attached to
// the dialog's child window while it runs.
#include "mfc.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)

namespace {

// The object DoModal is starting; its hook takes it at WM_INITDIALOG.
thread_local CFileDialog* t_starting = nullptr;

CString JoinPath(const CString& folder, LPCSTR name)
{
    if (folder.IsEmpty() || folder[folder.GetLength() - 1] == '\\')
        return folder + name;
    return folder + "\\" + name;
}

}  // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName, DWORD dwFlags,
                         LPCSTR lpszFilter, CWnd* pParentWnd, DWORD)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog)
{
    std::memset(&m_ofn, 0, sizeof(m_ofn));
    m_szFileName[0] = 0;
    m_szFileTitle[0] = 0;
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = sizeof(m_szFileName);
    m_ofn.lpstrDefExt = lpszDefExt;
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = sizeof(m_szFileTitle);
    m_ofn.Flags = dwFlags | OFN_ENABLEHOOK | OFN_EXPLORER;
    m_ofn.lpfnHook = HookProc;
    if (lpszFileName != nullptr) {
        std::strncpy(m_szFileName, lpszFileName, sizeof(m_szFileName) - 1);
        m_szFileName[sizeof(m_szFileName) - 1] = 0;
    }
    if (lpszFilter != nullptr) {
        // "a|b||" becomes "a\0b\0\0" in a buffer of our own.
        m_strFilter = lpszFilter;
        int length = m_strFilter.GetLength();
        LPSTR p = m_strFilter.GetBuffer(length + 1);
        for (int i = 0; i < length; ++i)
            if (p[i] == '|')
                p[i] = 0;
        p[length] = 0;
        m_strFilter.ReleaseBuffer(length);
        m_ofn.lpstrFilter = m_strFilter;
    }
}

INT_PTR CFileDialog::DoModal()
{
    m_ofn.hwndOwner = CommonDialogOwner();
    if ((m_ofn.Flags & OFN_ENABLETEMPLATE) && m_ofn.hInstance == nullptr)
        m_ofn.hInstance = AfxGetResourceHandle();
    m_ofn.lpfnHook = HookProc;
    m_ofn.Flags |= OFN_ENABLEHOOK | OFN_EXPLORER;
    t_starting = this;
    BOOL ok = m_bOpenFileDialog ? ::GetOpenFileName(&m_ofn) : ::GetSaveFileName(&m_ofn);
    t_starting = nullptr;
    if (m_hWnd != nullptr)
        Detach();
    return ok ? IDOK : IDCANCEL;
}

UINT_PTR CALLBACK CFileDialog::HookProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG)
        return 0;
    CFileDialog* self = t_starting;
    t_starting = nullptr;
    if (self == nullptr || !self->SubclassWindow(hWnd))
        return TRUE;
    return (UINT_PTR)self->OnInitDialog();
}

BOOL CFileDialog::OnInitDialog()
{
    return CDialog::OnInitDialog();
}

BOOL CFileDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* notify = (OFNOTIFY*)lParam;
    switch (notify->hdr.code) {
    case CDN_INITDONE:
        OnInitDone();
        return TRUE;
    case CDN_SELCHANGE:
        OnFileNameChange();
        return TRUE;
    case CDN_FOLDERCHANGE:
        OnFolderChange();
        return TRUE;
    case CDN_TYPECHANGE:
        OnTypeChange();
        return TRUE;
    case CDN_SHAREVIOLATION:
        *pResult = OnShareViolation(notify->pszFile);
        return TRUE;
    case CDN_FILEOK:
        *pResult = OnFileNameOK();
        ::SetWindowLongPtr(m_hWnd, DWLP_MSGRESULT, *pResult);
        return TRUE;
    }
    return CCommonDialog::OnNotify(wParam, lParam, pResult);
}

UINT CFileDialog::OnShareViolation(LPCSTR)
{
    return 0;
}

BOOL CFileDialog::OnFileNameOK()
{
    return FALSE;
}

void CFileDialog::OnInitDone() {}
void CFileDialog::OnFileNameChange() {}
void CFileDialog::OnFolderChange() {}
void CFileDialog::OnTypeChange() {}

CString CFileDialog::AskDialog(UINT message) const
{
    char buffer[MAX_PATH * 2] = "";
    ::SendMessage(::GetParent(m_hWnd), message, sizeof(buffer), (LPARAM)buffer);
    return CString(buffer);
}

CString CFileDialog::GetPathName() const
{
    if ((m_ofn.Flags & OFN_EXPLORER) && m_hWnd != nullptr)
        return AskDialog(CDM_GETFILEPATH);
    return CString(m_ofn.lpstrFile);
}

CString CFileDialog::GetFileName() const
{
    if ((m_ofn.Flags & OFN_EXPLORER) && m_hWnd != nullptr)
        return AskDialog(CDM_GETSPEC);
    if (m_ofn.nFileOffset >= m_ofn.nMaxFile)
        return CString();
    return CString(m_ofn.lpstrFile + m_ofn.nFileOffset);
}

CString CFileDialog::GetFileExt() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}

CString CFileDialog::GetFolderPath() const
{
    if ((m_ofn.Flags & OFN_EXPLORER) && m_hWnd != nullptr)
        return AskDialog(CDM_GETFOLDERPATH);
    CString path(m_ofn.lpstrFile);
    int slash = path.ReverseFind('\\');
    return slash < 0 ? CString() : path.Left(slash);
}

POSITION CFileDialog::GetStartPosition() const
{
    return m_ofn.lpstrFile && *m_ofn.lpstrFile ? (POSITION)m_ofn.lpstrFile : nullptr;
}

CString CFileDialog::GetNextPathName(POSITION& pos) const
{
    LPCSTR start = m_ofn.lpstrFile;
    LPCSTR end = start + m_ofn.nMaxFile;
    LPCSTR p = (LPCSTR)pos;
    if (p == nullptr || p < start || p >= end) {
        pos = nullptr;
        return CString();
    }
    size_t firstLength = strnlen(start, (size_t)(end - start));
    bool several = start + firstLength + 1 < end && start[firstLength + 1] != 0;
    if (!several) {
        pos = nullptr;
        return CString(start, (int)firstLength);
    }
    if (p == start)
        p = start + firstLength + 1;
    size_t length = strnlen(p, (size_t)(end - p));
    CString path = JoinPath(CString(start, (int)firstLength), CString(p, (int)length));
    p += length + 1;
    pos = p < end && *p ? (POSITION)p : nullptr;
    return path;
}
