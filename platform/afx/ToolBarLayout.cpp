// CToolBar: rows and sizes for each docking state, the borders and gripper
// around the control, button states from the update handlers, tips and
// fly-by prompts.
#include "mfc/ToolBar.h"

#include "afxres.h"
#include "mfc/DC.h"
#include "mfc/FrameWnd.h"
#include "mfc/MessageMap.h"
#include "mfc/WindowDC.h"

#include <algorithm>
#include <vector>

namespace {

const int kStretched = 32767;

// Update handlers see a tool bar button through this.
class CToolCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        CToolBar* bar = (CToolBar*)m_pOther;
        UINT style = bar->GetButtonStyle((int)m_nIndex) & ~TBBS_DISABLED;
        if (!bOn)
            style = (style | TBBS_DISABLED) & ~TBBS_PRESSED;
        bar->SetButtonStyle((int)m_nIndex, style);
    }
    void SetCheck(int nCheck) override
    {
        CToolBar* bar = (CToolBar*)m_pOther;
        UINT style = bar->GetButtonStyle((int)m_nIndex) & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
        if (nCheck == 1)
            style |= TBBS_CHECKED;
        else if (nCheck == 2)
            style |= TBBS_INDETERMINATE;
        bar->SetButtonStyle((int)m_nIndex, style | TBBS_CHECKBOX);
    }
    void SetText(LPCSTR) override {}
};

}  // namespace

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
ON_WM_NCCALCSIZE()
ON_WM_NCPAINT()
ON_WM_NCHITTEST()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_MOUSEMOVE()
ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

CSize CToolBar::ButtonsExtent() const
{
    SIZE size = {0, 0};
    if (m_hWnd)
        ::SendMessage(m_hWnd, TB_GETMAXSIZE, 0, (LPARAM)&size);
    return CSize(size);
}

CSize CToolBar::BorderExtent(BOOL bHorz) const
{
    CRect inside(0, 0, 0, 0);
    CalcInsideRect(inside, bHorz);
    return CSize(-inside.Width(), -inside.Height());
}

void CToolBar::ClearWraps()
{
    for (int i = 0; i < GetCount(); ++i) {
        UINT style = GetButtonStyle(i);
        if (style & TBBS_WRAPPED)
            SetButtonStyle(i, style & ~TBBS_WRAPPED);
    }
}

// Rows end where the next button would pass `width`; a separator at the end
// of a row carries the wrap and becomes the line between the rows.
void CToolBar::WrapToWidth(int width)
{
    int count = GetCount();
    std::vector<int> widths((size_t)count, 0);
    for (int i = 0; i < count; ++i) {
        CRect rect;
        GetItemRect(i, &rect);
        widths[(size_t)i] = rect.Width();
    }
    std::vector<bool> wrap((size_t)count, false);
    int x = 0, previous = -1;
    for (int i = 0; i < count; ++i) {
        UINT style = GetButtonStyle(i);
        if (style & TBBS_HIDDEN)
            continue;
        int w = widths[(size_t)i];
        if (style & TBBS_SEPARATOR) {
            if (x + w > width) {
                wrap[(size_t)i] = true;
                x = 0;
                previous = -1;
                continue;
            }
        } else if (x > 0 && x + w > width && previous >= 0) {
            wrap[(size_t)previous] = true;
            x = 0;
        }
        x += w;
        previous = i;
    }
    for (int i = 0; i < count; ++i) {
        UINT style = GetButtonStyle(i);
        UINT wanted = wrap[(size_t)i] ? (style | TBBS_WRAPPED) : (style & ~TBBS_WRAPPED);
        if (wanted != style)
            SetButtonStyle(i, wanted);
    }
}

CSize CToolBar::CalcLayout(DWORD nMode, int nLength)
{
    BOOL horz = (nMode & LM_HORZ) != 0;
    CSize border = BorderExtent(horz);
    if (!(m_dwStyle & CBRS_SIZE_FIXED) && m_hWnd) {
        if (nMode & LM_VERTDOCK) {
            WrapToWidth(0);
        } else if (nMode & LM_HORZDOCK) {
            ClearWraps();
        } else if (nMode & LM_LENGTHY) {
            // The narrowest rows whose height fits the length asked for.
            int step = std::max(8, (int)m_sizeButton.cx);
            for (int w = 0; w < kStretched; w += step) {
                WrapToWidth(w);
                if (ButtonsExtent().cy + border.cy <= nLength || SendMessage(TB_GETROWS) <= 1)
                    break;
            }
        } else if (nMode & LM_MRUWIDTH) {
            WrapToWidth((int)m_nMRUWidth - border.cx);
        } else if (nLength >= 0) {
            WrapToWidth(nLength - border.cx);
        }
    }
    CSize size = ButtonsExtent() + border;
    if ((nMode & LM_COMMIT) && horz)
        m_nMRUWidth = (UINT)size.cx;
    if (nMode & LM_STRETCH) {
        if (horz)
            size.cx = kStretched;
        else
            size.cy = kStretched;
    }
    return size;
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    DWORD mode = (bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK);
    return CalcLayout(mode);
}

CSize CToolBar::CalcDynamicLayout(int nLength, DWORD nMode)
{
    if ((nMode & LM_HORZDOCK) || (nMode & LM_VERTDOCK))
        return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZDOCK) != 0);
    return CalcLayout(nMode, nLength);
}

// The bar first, then the frame's handlers; buttons nobody handles grey.
void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)GetCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        UINT id, style;
        int image;
        GetButtonInfo((int)state.m_nIndex, id, style, image);
        if (style & TBBS_SEPARATOR)
            continue;
        state.m_nID = id;
        if (CWnd::OnCmdMsg(0, (int)MAKELONG((int)CN_UPDATE_COMMAND_UI, WM_COMMAND + WM_REFLECT_BASE), &state,
                           nullptr))
            continue;
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

INT_PTR CToolBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    int index = m_hWnd ? (int)::SendMessage(m_hWnd, TB_HITTEST, 0, (LPARAM)&point) : -1;
    if (index < 0)
        return -1;
    UINT id = GetItemID(index);
    if (id == ID_SEPARATOR)
        return -1;
    if (pTI) {
        pTI->hwnd = m_hWnd;
        pTI->uId = id;
        GetItemRect(index, &pTI->rect);
        pTI->lpszText = LPSTR_TEXTCALLBACK;
    }
    return (INT_PTR)id;
}

void CToolBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    CRect rect(lpncsp->rgrc[0]);
    CalcInsideRect(rect, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
    rect.right = std::max(rect.left, rect.right);
    rect.bottom = std::max(rect.top, rect.bottom);
    lpncsp->rgrc[0] = rect;
}

// Borders and the gripper around the buttons, in the window's own coordinates.
void CToolBar::OnNcPaint()
{
    CRect window;
    GetWindowRect(&window);
    CPoint origin(0, 0);
    ClientToScreen(&origin);
    CRect client;
    GetClientRect(&client);
    client.OffsetRect(origin.x - window.left, origin.y - window.top);
    window.OffsetRect(-window.left, -window.top);
    CWindowDC dc(this);
    dc.ExcludeClipRect(client);
    dc.FillSolidRect(window, ::GetSysColor(COLOR_3DFACE));
    DrawBorders(&dc, window);
    DrawGripper(&dc, window);
}

LRESULT CToolBar::OnNcHitTest(CPoint)
{
    return HTCLIENT;  // the gripper and borders drag the bar like its empty parts
}

void CToolBar::OnPaint()
{
    Default();
}

BOOL CToolBar::OnEraseBkgnd(CDC*)
{
    return (BOOL)Default();
}

void CToolBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (SendMessage(TB_HITTEST, 0, (LPARAM)&point) >= 0 || !m_pDockContext)
        Default();
    else
        CControlBar::OnLButtonDown(nFlags, point);
}

void CToolBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (SendMessage(TB_HITTEST, 0, (LPARAM)&point) >= 0 || !m_pDockContext)
        Default();
    else
        CControlBar::OnLButtonDblClk(nFlags, point);
}

// Fly-by help: the prompt of the button under the pointer in the status bar.
void CToolBar::OnMouseMove(UINT, CPoint point)
{
    if (m_dwStyle & CBRS_FLYBY) {
        INT_PTR hit = OnToolHitTest(point, nullptr);
        if (hit > 0 && (UINT)hit != m_nFlyByHit) {
            TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hWnd, 0};
            ::TrackMouseEvent(&track);
            SetStatusText((int)hit);
        } else if (hit <= 0 && m_nFlyByHit) {
            SetStatusText(0);
        }
    }
    Default();
}

void CToolBar::OnMouseLeave()
{
    if (m_nFlyByHit)
        SetStatusText(0);
    Default();
}
