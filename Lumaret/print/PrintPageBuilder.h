// CPrintPageBuilder: composes one page of a print job as a picture at 0.2 mm per
// pixel, the way the printing dialog previews it: pictures in the form's slots,
// or blue-grey slots when the real preview is off.
#pragma once

#include "mfc.h"

#include "print/PrintLayout.h"

class CImageObject;
struct PrintForm;
struct PrintFormItem;

// What a build and a print job read: the form, the pictures and the options.
struct PrintJobInput {
    const PrintForm* form = nullptr;
    CImageObject* borrowed = nullptr;        // the editor's picture, never released
    const CStringArray* paths = nullptr;     // its size is the number of pictures
    PrintLayout::FitMode mode = PrintLayout::CROP;
    BOOL realPreview = TRUE;
    CWnd* progressWnd = nullptr;             // told about loads (WM_IMAGE_PROGRESS, WM_IMAGE_DONE)
    int* cancel = nullptr;                   // set: stop between slots and inside loads
};

class CPrintPageBuilder {
public:
    static const COLORREF kSlotColour;  // 0xDCC8C8

    explicit CPrintPageBuilder(const PrintJobInput& input);

    // A white page of half the sheet's size; null when the sheet has no positive size
    // or the memory is not there.
    CImageObject* MakeBlankPage() const;
    // Puts the slots of page `page` into `target`. False when stopped on the way.
    bool FillPage(CImageObject* target, int page);
    // Pictures prepared by the last FillPage.
    int PreparedCount() const { return m_nPrepared; }

private:
    bool SlotShown(const PrintFormItem& item) const;

    PrintJobInput m_in;
    int m_nPrepared = 0;
};
