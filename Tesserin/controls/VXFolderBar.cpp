// The folder bar: a sizing bar that creates and owns one out-bar.
#include "controls/VXFolderBar.h"

#include "controls/VXGDI.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CVXFolderBar, CVXSizingBar)

CVXFolderBar::CVXFolderBar()
    : CVXSizingBar(CSize(100, 100), 24, 6), m_bClassicGripper(TRUE),
      m_crCaptionText(RGB(160, 160, 0)), m_crRoundBorder(RGB(0, 0, 128)), m_crRoundFill(RGB(0, 0, 0))
{
}

CVXFolderBar::~CVXFolderBar() = default;

int CVXFolderBar::Create(CWnd* parent, CString& title, DWORD style)
{
    m_dwStyle = style & CBRS_ALL;
    m_strTitle = title;
    LPCSTR cls = RegisterBarClass();
    const DWORD windowStyle = (style & ~CBRS_ALL) | WS_CLIPCHILDREN;
    if (!CWnd::Create(cls, title, windowStyle, CRect(0, 0, 222, 436), parent, 1))
        return 0;
    m_pOutBar = std::make_unique<CVXOutBarCtrl>();
    m_pOutBar->Create(WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 200, 400), this, 0, 0x1FC);
    // The frame answers the out-bar's notifications.
    m_pOutBar->SetOwner(parent);
    m_pOutBar->ModifyStyle(0, 0x00020000);
    CRect r;
    m_pOutBar->GetWindowRect(&r);
    ComputeSizes(r.Size(), true);
    return 1;
}

void CVXFolderBar::SetWidth(int cx)
{
    if (!m_pOutBar || !m_pOutBar->GetSafeHwnd())
        return;
    cx = std::max(cx, (int)m_sizeMin.cx);
    CRect r;
    m_pOutBar->GetWindowRect(&r);
    ComputeSizes(CSize(cx, r.Height()), true);
    UpdateWindow();
}

int CVXFolderBar::GetWidth()
{
    if (!m_pOutBar || !m_pOutBar->GetSafeHwnd())
        return 0;
    CRect r;
    m_pOutBar->GetWindowRect(&r);
    return r.Width();
}

void CVXFolderBar::PaintCaption(CDC& dc)
{
    if (m_bClassicGripper) {
        CVXSizingBar::PaintCaption(dc);
        return;
    }
    CRect frame = m_rectGripper;
    frame.DeflateRect(4, 3);
    CVXGDI::VXRoundRect(&dc, &frame, m_crRoundBorder, m_crRoundFill);
    CFont font;
    font.CreateFont(12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "돋움");
    CFont* old = dc.SelectObject(&font);
    dc.SetTextColor(m_crCaptionText);
    dc.SetBkMode(TRANSPARENT);
    CRect text = frame;
    text.DeflateRect(4, (frame.Height() - 12) / 2);
    dc.DrawText(m_strTitle, &text, DT_CENTER | DT_END_ELLIPSIS);
    dc.SelectObject(old);
}

void CVXFolderBar::PlaceContent()
{
    if (!m_pOutBar || !m_pOutBar->GetSafeHwnd())
        return;
    CRect r;
    GetClientRect(&r);
    if (!Docked())
        r.DeflateRect(m_cxBorder, m_cxBorder);
    m_pOutBar->MoveWindow(&r);
}
