// The thumbnail view's printing and order-cart commands: the selected pictures, in list
// order, go to the printing dialog or into a list of the cart; an order from the cart
// starts the online order.
#include "browser/MivoImgBrowserView.h"

#include "browser/DlgImgBrowser.h"
#include "print/DlgCart.h"
#include "print/DlgImgPrint.h"
#include "shell/MainFrame.h"

void CMivoImgBrowserView::OnPrintPictures()
{
    std::vector<int> selected = Selection();
    if (!m_pBrowser || selected.empty())
        return;
    CDlgImgPrint dlg(nullptr);
    for (int i : selected)
        dlg.m_arrPaths.Add(m_pBrowser->m_arrPath[i]);
    dlg.DoModal();
}

void CMivoImgBrowserView::OnAddToCart()
{
    std::vector<int> selected = Selection();
    if (!m_pBrowser || selected.empty())
        return;
    CDlgCart cart(nullptr);
    for (int i : selected)
        cart.m_arrPaths.Add(m_pBrowser->m_arrPath[i]);
    if (cart.DoModal() != IDOK)
        return;
    CWinThread* thread = AfxGetThread();
    if (CMainFrame* frame = dynamic_cast<CMainFrame*>(thread ? thread->GetMainWnd() : nullptr))
        frame->OnOnlinePrintOrder();
}
