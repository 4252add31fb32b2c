// The editor's print command: the picture is lent to the printing dialog, which
// reports its progress while it runs.
#include "editor/ImgEditView.h"

#include "image/ImageObject.h"
#include "print/DlgImgPrint.h"

void CImgEditView::OnPrintImage()
{
    // A worker may be changing the picture; the command waits until it is done.
    if (!HasImage() || IsBusy())
        return;
    CDlgImgPrint dlg(nullptr);
    m_pImage->SetParent(&dlg);
    dlg.m_pBorrowImg = m_pImage;
    dlg.m_arrPaths.Add("");
    dlg.DoModal();
    m_pImage->SetParent(this);
}
