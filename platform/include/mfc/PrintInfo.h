// CPrintInfo: a print job's dialog, page range and progress.
#pragma once

#include "mfc/PrintDialog.h"
#include "mfc/Rect.h"
#include "mfc/String.h"

struct AFX_EXT_CLASS CPrintInfo {
    CPrintInfo();
    ~CPrintInfo();
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;

    void SetMinPage(UINT nMinPage) { m_pPD->m_pd.nMinPage = (WORD)nMinPage; }
    void SetMaxPage(UINT nMaxPage) { m_pPD->m_pd.nMaxPage = (WORD)nMaxPage; }
    UINT GetMinPage() const { return m_pPD->m_pd.nMinPage; }
    UINT GetMaxPage() const { return m_pPD->m_pd.nMaxPage; }
    UINT GetFromPage() const { return m_pPD->m_pd.nFromPage; }
    UINT GetToPage() const { return m_pPD->m_pd.nToPage; }
    UINT GetOffsetPage() const { return m_nOffsetPage; }

    CPrintDialog* m_pPD;  // owned: deleted (with a DC it made) by the destructor
    BOOL m_bDocObject = FALSE;
    UINT m_nOffsetPage = 0;
    DWORD m_dwFlags = 0;
    BOOL m_bDirect = FALSE;
    BOOL m_bPreview = FALSE;
    BOOL m_bContinuePrinting = TRUE;
    UINT m_nCurPage = 1;
    UINT m_nNumPreviewPages = 0;
    CString m_strPageDesc;
    LPVOID m_lpUserData = nullptr;
    CRect m_rectDraw;
};
