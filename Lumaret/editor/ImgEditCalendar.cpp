// The editor's make-calendar command: the calendar dialog borrows the editor's picture as the
// picture of its page; the editor takes its picture's progress reports back afterwards.
#include "editor/ImgEditView.h"

#include "calendar/DlgImgAppCalendar.h"
#include "image/ImageObject.h"

void CImgEditView::OnMakeCalendar()
{
    // A worker may be changing the picture; the command waits until it is done.
    if (!HasImage() || IsBusy())
        return;
    {
        CDlgImgAppCalendar dialog(nullptr);
        dialog.m_pSrcImg = m_pImage;
        dialog.DoModal();
    }
    if (m_pImage)
        m_pImage->SetParent(this);
}
