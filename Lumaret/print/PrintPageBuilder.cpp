#include "print/PrintPageBuilder.h"

#include "image/ImageObject.h"
#include "print/PrintForm.h"
#include "print/PrintPicture.h"

const COLORREF CPrintPageBuilder::kSlotColour = 0xDCC8C8;

CPrintPageBuilder::CPrintPageBuilder(const PrintJobInput& input) : m_in(input)
{
}

CImageObject* CPrintPageBuilder::MakeBlankPage() const
{
    if (!m_in.form || m_in.form->nPaperWidth / 2 <= 0 || m_in.form->nPaperHeight / 2 <= 0)
        return nullptr;
    CImageObject maker(m_in.progressWnd, m_in.cancel);
    return maker.MakeBlankImageObject(RGB(255, 255, 255), m_in.form->nPaperWidth / 2, m_in.form->nPaperHeight / 2);
}

// Print flags count only on a one-page job.
bool CPrintPageBuilder::SlotShown(const PrintFormItem& item) const
{
    return !(m_in.form->nPageCount == 1 && item.nPrintFlag != 1);
}

bool CPrintPageBuilder::FillPage(CImageObject* target, int page)
{
    m_nPrepared = 0;
    if (!target || !m_in.form || !m_in.paths)
        return false;
    const PrintForm& form = *m_in.form;
    CPrintPicture picture(m_in.borrowed, *m_in.paths, m_in.mode, false, m_in.progressWnd, m_in.cancel);
    int pictures = m_in.borrowed ? 1 : (int)m_in.paths->GetSize();
    int counter = 0;
    for (const PrintFormItem& item : form.items) {
        if (m_in.cancel && *m_in.cancel)
            return false;
        if (!item.IsSlot())
            continue;
        CRect slot = PrintLayout::PreviewSlot(item);
        if (!PrintLayout::ItemOnSheet(item, form.nPaperWidth, form.nPaperHeight) || slot.Width() <= 0 ||
            slot.Height() <= 0)
            continue;
        if (!m_in.realPreview) {
            if (SlotShown(item))
                target->DrawRect(slot, kSlotColour, TRUE, 0, 1, FALSE, 0);
            continue;
        }
        int k = PrintLayout::PictureIndex(page, form.PicturesPerPage(), counter, pictures);
        bool reused = false;
        CImageObject* p = picture.ForSlot(slot.Width(), slot.Height(), k, &reused);
        if (!reused)
            ++counter;
        if (!p || !SlotShown(item))
            continue;
        CRect at;
        if (m_in.mode == PrintLayout::FIT) {
            CPoint origin = PrintLayout::CentredIn(slot, p->GetWidth(), p->GetHeight());
            at.SetRect(origin.x, origin.y, origin.x + p->GetWidth() - 1, origin.y + p->GetHeight() - 1);
        } else {
            at.SetRect(slot.left, slot.top, slot.right - 1, slot.bottom - 1);
        }
        target->ImageProjection(at, p, 100, -1);
    }
    m_nPrepared = picture.PreparedCount();
    return !(m_in.cancel && *m_in.cancel);
}
