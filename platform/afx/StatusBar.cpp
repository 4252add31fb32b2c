// CStatusBar: panes over the status bar control's parts.
#include "mfc/StatusBar.h"

#include "afx/FrameworkStrings.h"
#include "afxres.h"
#include "mfc/DC.h"
#include "mfc/FrameWnd.h"
#include "mfc/MessageMap.h"

#include <algorithm>
#include <cstring>

namespace {

const DWORD kControlPlacement = CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
// A pane is its text plus the sunken edge and the text's inset on each side.
const int kPaneExtra = 8;
const UINT kDrawStyles = SBPS_NOBORDERS | SBPS_POPOUT | SBPS_OWNERDRAW;

// Update handlers see a status pane through this: disabled panes show no
// text, checked ones stand out.
class CStatusCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        CStatusBar* bar = (CStatusBar*)m_pOther;
        UINT style = bar->GetPaneStyle((int)m_nIndex) & ~SBPS_DISABLED;
        bar->SetPaneStyle((int)m_nIndex, bOn ? style : style | SBPS_DISABLED);
    }
    void SetCheck(int nCheck) override
    {
        CStatusBar* bar = (CStatusBar*)m_pOther;
        UINT style = bar->GetPaneStyle((int)m_nIndex) & ~SBPS_POPOUT;
        bar->SetPaneStyle((int)m_nIndex, nCheck ? style | SBPS_POPOUT : style);
    }
    void SetText(LPCSTR lpszText) override { ((CStatusBar*)m_pOther)->SetPaneText((int)m_nIndex, lpszText); }
};

}  // namespace

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_MESSAGE(WM_SETTEXT, OnSetText)
ON_MESSAGE(WM_GETTEXT, OnGetText)
ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
END_MESSAGE_MAP()

CStatusBar::CStatusBar()
{
    m_cxLeftBorder = m_cxRightBorder = 0;
    m_cyTopBorder = m_cyBottomBorder = 0;
}

CStatusBar::~CStatusBar()
{
    DestroyWindow();
    m_statusBarCtrl.m_hWnd = nullptr;  // a view of this window, not its owner
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, nID);
}

// A sizeable parent gets the size grip in the bar's corner.
BOOL CStatusBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL & ~CBRS_BORDER_ANY;
    DWORD windowStyle = (dwStyle & ~CBRS_ALL) | dwCtrlStyle | kControlPlacement;
    if (pParentWnd && (pParentWnd->GetStyle() & WS_THICKFRAME))
        windowStyle |= SBARS_SIZEGRIP;
    if (!CWnd::CreateEx(0, STATUSCLASSNAME, nullptr, windowStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    SendMessage(WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT));
    return TRUE;
}

int CStatusBar::TextWidth(const CString& text) const
{
    if (!m_hWnd || text.IsEmpty())
        return 0;
    HDC dc = ::GetDC(m_hWnd);
    HGDIOBJ font = (HGDIOBJ)::SendMessage(m_hWnd, WM_GETFONT, 0, 0);
    HGDIOBJ old = ::SelectObject(dc, font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE size = {0, 0};
    ::GetTextExtentPoint32(dc, text, text.GetLength(), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
    return size.cx;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    if (!m_hWnd || nIDCount < 1 || nIDCount > 255 || !lpIDArray)
        return FALSE;
    BOOL allFound = TRUE;
    m_panes.assign((size_t)nIDCount, Pane());
    for (int i = 0; i < nIDCount; ++i) {
        Pane& pane = m_panes[(size_t)i];
        pane.nID = lpIDArray[i];
        if (pane.nID == ID_SEPARATOR) {
            pane.cxText = ::GetSystemMetrics(SM_CXSCREEN) / 4;
            if (i == 0)
                pane.nStyle |= SBPS_STRETCH | SBPS_NOBORDERS;
            continue;
        }
        pane.strText = mivo::afx::FrameworkString(pane.nID);
        if (pane.strText.IsEmpty())
            allFound = FALSE;
        pane.cxText = TextWidth(pane.strText);
    }
    UpdateAllPanes();
    return allFound;
}

const CStatusBar::Pane* CStatusBar::PaneAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < (int)m_panes.size() ? &m_panes[(size_t)nIndex] : nullptr;
}

void CStatusBar::UpdateAllPanes()
{
    if (!m_hWnd || m_panes.empty())
        return;
    CRect client;
    GetClientRect(&client);
    int borders[3] = {0, 0, 0};
    SendMessage(SB_GETBORDERS, 0, (LPARAM)borders);
    int gap = borders[2];
    int available = client.Width() - 2 * borders[0];
    if (GetStyle() & SBARS_SIZEGRIP)
        available -= ::GetSystemMetrics(SM_CXVSCROLL);
    int fixed = 0;
    for (const Pane& pane : m_panes)
        fixed += (pane.nStyle & SBPS_STRETCH) ? 0 : pane.cxText + kPaneExtra;
    fixed += gap * ((int)m_panes.size() - 1);
    std::vector<int> rights(m_panes.size());
    int x = borders[0];
    bool stretched = false;
    for (size_t i = 0; i < m_panes.size(); ++i) {
        const Pane& pane = m_panes[i];
        int width = pane.cxText + kPaneExtra;
        if ((pane.nStyle & SBPS_STRETCH) && !stretched) {
            width = std::max(width, available - fixed);
            stretched = true;
        }
        rights[i] = x + width;
        x = rights[i] + gap;
    }
    SendMessage(SB_SETPARTS, (WPARAM)rights.size(), (LPARAM)rights.data());
    for (int i = 0; i < (int)m_panes.size(); ++i)
        ShowPaneText(i);
}

void CStatusBar::ShowPaneText(int nIndex)
{
    const Pane* pane = PaneAt(nIndex);
    if (!pane || !m_hWnd)
        return;
    LPCSTR text = (pane->nStyle & SBPS_DISABLED) ? "" : (LPCSTR)pane->strText;
    SendMessage(SB_SETTEXT, (WPARAM)(nIndex | (pane->nStyle & kDrawStyles)), (LPARAM)text);
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (size_t i = 0; i < m_panes.size(); ++i)
        if (m_panes[i].nID == nIDFind)
            return (int)i;
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    const Pane* pane = PaneAt(nIndex);
    return pane ? pane->nID : 0;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (!PaneAt(nIndex) || !::SendMessage(m_hWnd, SB_GETRECT, (WPARAM)nIndex, (LPARAM)lpRect))
        ::SetRectEmpty(lpRect);
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    const Pane* pane = PaneAt(nIndex);
    return pane ? pane->strText : CString();
}

void CStatusBar::GetPaneText(int nIndex, CString& rString) const
{
    rString = GetPaneText(nIndex);
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCSTR lpszNewText, BOOL bUpdate)
{
    if (!PaneAt(nIndex))
        return FALSE;
    Pane& pane = m_panes[(size_t)nIndex];
    CString text = lpszNewText ? lpszNewText : "";
    if (pane.strText == text)
        return TRUE;
    pane.strText = text;
    if (bUpdate)
        ShowPaneText(nIndex);
    return TRUE;
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    const Pane* pane = PaneAt(nIndex);
    nID = pane ? pane->nID : 0;
    nStyle = pane ? pane->nStyle : 0;
    cxWidth = pane ? pane->cxText : 0;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    if (!PaneAt(nIndex))
        return;
    Pane& pane = m_panes[(size_t)nIndex];
    pane.nID = nID;
    pane.nStyle = nStyle;
    pane.cxText = std::max(0, cxWidth);
    UpdateAllPanes();
}

UINT CStatusBar::GetPaneStyle(int nIndex) const
{
    const Pane* pane = PaneAt(nIndex);
    return pane ? pane->nStyle : 0;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    if (!PaneAt(nIndex) || m_panes[(size_t)nIndex].nStyle == nStyle)
        return;
    bool widthChanged = ((m_panes[(size_t)nIndex].nStyle ^ nStyle) & SBPS_STRETCH) != 0;
    m_panes[(size_t)nIndex].nStyle = nStyle;
    if (widthChanged)
        UpdateAllPanes();
    else
        ShowPaneText(nIndex);
}

CStatusBarCtrl& CStatusBar::GetStatusBarCtrl() const
{
    m_statusBarCtrl.m_hWnd = m_hWnd;
    return m_statusBarCtrl;
}

// One line of the bar's font with the parts' edges.
CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    int line = 0;
    if (m_hWnd) {
        HDC dc = ::GetDC(m_hWnd);
        HGDIOBJ font = (HGDIOBJ)SendMessage(WM_GETFONT);
        HGDIOBJ old = ::SelectObject(dc, font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
        TEXTMETRIC tm = {};
        ::GetTextMetrics(dc, &tm);
        ::SelectObject(dc, old);
        ::ReleaseDC(m_hWnd, dc);
        line = tm.tmHeight;
    }
    int borders[3] = {0, 2, 2};
    if (m_hWnd)
        SendMessage(SB_GETBORDERS, 0, (LPARAM)borders);
    int height = std::max(line, ::GetSystemMetrics(SM_CYSMICON)) + 2 * borders[1] + 2;
    int width = 0;
    for (const Pane& pane : m_panes)
        width += pane.cxText + kPaneExtra + borders[2];
    if (bStretch)
        width = 32767;
    (void)bHorz;
    return CSize(width, height);
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL)
{
    CStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)m_panes.size();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = m_panes[state.m_nIndex].nID;
        state.DoUpdate(pTarget, FALSE);
    }
}

void CStatusBar::OnPaint()
{
    Default();
}

BOOL CStatusBar::OnEraseBkgnd(CDC*)
{
    return (BOOL)Default();
}

void CStatusBar::OnSize(UINT, int, int)
{
    Default();
    UpdateAllPanes();
}

void CStatusBar::OnLButtonDown(UINT, CPoint)
{
    Default();
}

// The window's text is pane 0: the frame writes its prompts there.
LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    if (m_panes.empty()) {
        return Default();
    }
    SetPaneText(0, (LPCSTR)lParam);
    return TRUE;
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam)
{
    if (m_panes.empty())
        return Default();
    char* out = (char*)lParam;
    if (!out || wParam == 0)
        return 0;
    CString text = GetPaneText(0);
    size_t length = (size_t)text.GetLength(), n = 0;
    // Cut on a character boundary: a double-byte character stays whole or goes.
    while (n < length) {
        size_t step = (::IsDBCSLeadByte((BYTE)text[(int)n]) && n + 1 < length) ? 2 : 1;
        if (n + step > (size_t)wParam - 1)
            break;
        n += step;
    }
    std::memcpy(out, (LPCSTR)text, n);
    out[n] = '\0';
    return (LRESULT)n;
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM)
{
    if (m_panes.empty())
        return Default();
    return GetPaneText(0).GetLength();
}
