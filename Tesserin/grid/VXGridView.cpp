#include "grid/VXGridView.h"

IMPLEMENT_DYNCREATE(CVXGridView, CView)

BEGIN_MESSAGE_MAP(CVXGridView, CView)
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CVXGridView::CVXGridView() = default;

CVXGridView::~CVXGridView() = default;

BOOL CVXGridView::PreCreateWindow(CREATESTRUCT& cs)
{
    m_dwGridStyle = cs.style & 0xFFFF;
    return CView::PreCreateWindow(cs);
}

void CVXGridView::OnInitialUpdate()
{
    // A derived view may show a grid of its own instead.
    if (!m_bCreated && GetVXGridCtrlPtr() == &m_wndGrid) {
        CRect client;
        GetClientRect(&client);
        if (!m_wndGrid.Create(m_dwGridStyle | WS_CHILD | WS_VISIBLE | WS_TABSTOP, client, this, 0))
            AfxThrowMemoryException();
        m_bCreated = TRUE;
    }
    CView::OnInitialUpdate();
}

void CVXGridView::OnDraw(CDC*)
{
}

void CVXGridView::OnSize(UINT type, int cx, int cy)
{
    CView::OnSize(type, cx, cy);
    if (m_bCreated && m_wndGrid.m_hWnd)
        m_wndGrid.MoveWindow(0, 0, cx, cy);
}

void CVXGridView::OnSetFocus(CWnd*)
{
    if (m_wndGrid.m_hWnd)
        m_wndGrid.SetFocus();
}

BOOL CVXGridView::OnEraseBkgnd(CDC*)
{
    return TRUE; // the grid paints everything
}
