// CDlgTemplateMask: the page on which mask templates (MaskImgs): grey pictures through which a photo is blended. A chosen file counts only once its preview loads; the preview is drawn at its own size.
#pragma once

#include "templates/DlgTemplatePage.h"

class CDlgTemplateMask : public CDlgTemplatePage {
    DECLARE_DYNAMIC(CDlgTemplateMask)
public:
    explicit CDlgTemplateMask(CWnd* pParent = nullptr);
    ~CDlgTemplateMask() override;

    static const Layout& MaskLayout();
    int LoadPreview() { return CDlgTemplatePage::LoadPreview(1); }

protected:
    DECLARE_MESSAGE_MAP()
};
