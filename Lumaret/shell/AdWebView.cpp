#include "shell/AdWebView.h"

IMPLEMENT_DYNCREATE(CAdWebView, CHtmlView)

CAdWebView::CAdWebView() = default;

BOOL CAdWebView::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
    return CHtmlView::PreCreateWindow(cs);
}
