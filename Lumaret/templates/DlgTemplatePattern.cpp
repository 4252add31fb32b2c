#include "templates/DlgTemplatePattern.h"

#include "resource.h"

IMPLEMENT_DYNAMIC(CDlgTemplatePattern, CDlgTemplatePage)

BEGIN_MESSAGE_MAP(CDlgTemplatePattern, CDlgTemplatePage)
    ON_NOTIFY(RVN_ITEMCLICK, IDC_TMPL_PATTERN_LIST, OnGridItemClick)
    ON_BN_CLICKED(IDC_TMPL_FILE, OnSelectFile1)
END_MESSAGE_MAP()

const CDlgTemplatePage::Layout& CDlgTemplatePattern::PatternLayout()
{
    static const Layout layout = {TEMPLATE_PATTERN,
                                  IDD_TEMPLATE_PATTERN,
                                  IDC_TMPL_PATTERN_LIST,
                                  IDC_TMPL_PATTERN_KEY,
                                  "Grid_PatternList",
                                  "배경무늬 이름",
                                  {IDC_TMPL_FILE, 0},
                                  {IDC_TMPL_PATH, 0},
                                  {IDC_TMPL_PREVIEW, 0},
                                  TRUE,
                                  TRUE};
    return layout;
}

CDlgTemplatePattern::CDlgTemplatePattern(CWnd* pParent) : CDlgTemplatePage(PatternLayout(), pParent) {}

CDlgTemplatePattern::~CDlgTemplatePattern() = default;
