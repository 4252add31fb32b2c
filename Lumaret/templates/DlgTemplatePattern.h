// CDlgTemplatePattern: the page on which background patterns (PatternImgs): tiles. A chosen file counts even when its preview does not load, and the small tile is drawn enlarged by a whole factor to fill the area's height.
#pragma once

#include "templates/DlgTemplatePage.h"

class CDlgTemplatePattern : public CDlgTemplatePage {
    DECLARE_DYNAMIC(CDlgTemplatePattern)
public:
    explicit CDlgTemplatePattern(CWnd* pParent = nullptr);
    ~CDlgTemplatePattern() override;

    static const Layout& PatternLayout();
    int LoadPreview() { return CDlgTemplatePage::LoadPreview(1); }

protected:
    DECLARE_MESSAGE_MAP()
};
