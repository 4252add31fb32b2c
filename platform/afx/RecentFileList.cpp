#include "mfc.h"


#include <algorithm>

CRecentFileList::CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_nSize(std::max(0, nSize)),
      m_arrNames((size_t)std::max(0, nSize)),
      m_strSectionName(lpszSection),
      m_strEntryFormat(lpszEntryFormat),
      m_nStart(nStart),
      m_nMaxDisplayLength(nMaxDispLen)
{
}

CRecentFileList::~CRecentFileList() = default;

// Paths compare as Windows compares them: ignoring case.
void CRecentFileList::Add(LPCSTR lpszPathName)
{
    if (!lpszPathName || !*lpszPathName || m_nSize == 0)
        return;
    CString path = lpszPathName;
    int found = m_nSize - 1;
    for (int i = 0; i < m_nSize; ++i)
        if (m_arrNames[(size_t)i].CompareNoCase(path) == 0) {
            found = i;
            break;
        }
    for (int i = found; i > 0; --i)
        m_arrNames[(size_t)i] = m_arrNames[(size_t)i - 1];
    m_arrNames[0] = path;
    WriteList();  // kept at once: a program that ends abruptly still remembers
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_nSize)
        return;
    for (int i = nIndex; i + 1 < m_nSize; ++i)
        m_arrNames[(size_t)i] = m_arrNames[(size_t)i + 1];
    m_arrNames[(size_t)m_nSize - 1].Empty();
    WriteList();
}

void CRecentFileList::ReadList()
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return;
    for (int i = 0; i < m_nSize; ++i) {
        CString entry;
        entry.Format(m_strEntryFormat, i + 1);
        m_arrNames[(size_t)i] = app->GetProfileString(m_strSectionName, entry, "");
    }
}

void CRecentFileList::WriteList()
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return;
    for (int i = 0; i < m_nSize; ++i) {
        CString entry;
        entry.Format(m_strEntryFormat, i + 1);
        const CString& name = m_arrNames[(size_t)i];
        app->WriteProfileString(m_strSectionName, entry, name.IsEmpty() ? nullptr : (LPCSTR)name);
    }
}

// The file name, or the whole path when it is short enough.
BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCSTR, int, BOOL) const
{
    if (nIndex < 0 || nIndex >= m_nSize || m_arrNames[(size_t)nIndex].IsEmpty())
        return FALSE;
    const CString& path = m_arrNames[(size_t)nIndex];
    if (m_nMaxDisplayLength > 0 && path.GetLength() > m_nMaxDisplayLength)
        strName = path.Mid(path.ReverseFind('\\') + 1);
    else
        strName = path;
    return TRUE;
}

// The menu's first entry becomes one item per remembered file, "&1 name".
void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI)
{
    HMENU menu = pCmdUI->m_pMenu ? mivo::MenuHandle(pCmdUI->m_pMenu) : nullptr;
    if (!menu) {
        pCmdUI->Enable(!m_arrNames.empty() && !m_arrNames[0].IsEmpty());
        return;
    }
    if (m_strOriginal.IsEmpty()) {
        char text[256] = {};
        ::GetMenuString(menu, pCmdUI->m_nID, text, sizeof(text), MF_BYCOMMAND);
        m_strOriginal = text;
    }
    if (m_arrNames.empty() || m_arrNames[0].IsEmpty()) {
        if (!m_strOriginal.IsEmpty())
            pCmdUI->SetText(m_strOriginal);
        pCmdUI->Enable(FALSE);
        return;
    }
    for (int i = 0; i < m_nSize; ++i)
        ::DeleteMenu(menu, pCmdUI->m_nID + (UINT)i, MF_BYCOMMAND);
    int added = 0;
    for (int i = 0; i < m_nSize; ++i) {
        CString name;
        if (!GetDisplayName(name, i, nullptr, 0))
            break;
        name.Replace("&", "&&");
        CString item;
        item.Format("&%d %s", (i + 1) % 10, (LPCSTR)name);
        ::InsertMenu(menu, pCmdUI->m_nIndex + (UINT)i, MF_STRING | MF_BYPOSITION, pCmdUI->m_nID + (UINT)i, item);
        ++added;
    }
    // The caller's loop goes on after the inserted items.
    pCmdUI->m_nIndex += (UINT)added - 1;
    pCmdUI->m_nIndexMax = (UINT)::GetMenuItemCount(menu);
    pCmdUI->m_bEnableChanged = TRUE;
}
