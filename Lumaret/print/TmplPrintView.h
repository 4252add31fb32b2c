// CTmplPrintView: the print-form editor's preview of the selected form; it reports
// the part it shows to the editor.
#pragma once

#include "mfc.h"

#include "image/ImgDetailView.h"

class CDlgTemplatePrForm;

class CTmplPrintView : public CImgDetailView {
    DECLARE_DYNCREATE(CTmplPrintView)
public:
    CTmplPrintView();
    ~CTmplPrintView() override;

    void SetNavigationRect() override;

    CDlgTemplatePrForm* m_pEditor;
};
