#include "print/TmplPrintView.h"

#include "print/DlgTemplatePrForm.h"

IMPLEMENT_DYNCREATE(CTmplPrintView, CImgDetailView)

CTmplPrintView::CTmplPrintView() : m_pEditor(nullptr)
{
}

CTmplPrintView::~CTmplPrintView() = default;

void CTmplPrintView::SetNavigationRect()
{
    if (!m_pEditor || !GetSafeHwnd())
        return;
    CRect client;
    GetClientRect(&client);
    m_pEditor->OnViewRectChanged(GetSrcRectFromView(client));
}
