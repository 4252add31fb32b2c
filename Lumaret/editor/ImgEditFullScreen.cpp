// The editor's full-screen view: the picture alone in the slide show window. The window reads
// the picture once while it opens, so the view keeps it.
#include "editor/ImgEditView.h"

#include "browser/DlgImgSlideShow.h"
#include "image/ImageObject.h"

#include <memory>

void CImgEditView::OnFullScreen()
{
    if (!HasImage() || IsBusy())
        return;
    auto show = std::make_unique<CDlgImgSlideShow>();
    show->AddSlide(m_strPathName, m_strPathName, (UINT)-1, (UINT)-1, nullptr);
    show->m_bSingle = 1;
    show->m_pSourceImage = m_pImage;
    m_ptLast = CPoint(-1, -1);
    if (show->Open())
        show.release();
}
