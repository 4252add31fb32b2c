#include "templates/DlgTemplateMask.h"

#include "resource.h"

IMPLEMENT_DYNAMIC(CDlgTemplateMask, CDlgTemplatePage)

BEGIN_MESSAGE_MAP(CDlgTemplateMask, CDlgTemplatePage)
    ON_NOTIFY(RVN_ITEMCLICK, IDC_TMPL_MASK_LIST, OnGridItemClick)
    ON_BN_CLICKED(IDC_TMPL_FILE, OnSelectFile1)
END_MESSAGE_MAP()

const CDlgTemplatePage::Layout& CDlgTemplateMask::MaskLayout()
{
    static const Layout layout = {TEMPLATE_MASK,
                                  IDD_TEMPLATE_MASK,
                                  IDC_TMPL_MASK_LIST,
                                  IDC_TMPL_MASK_KEY,
                                  "Grid_MaskList",
                                  "마스크 이름",
                                  {IDC_TMPL_FILE, 0},
                                  {IDC_TMPL_PATH, 0},
                                  {IDC_TMPL_PREVIEW, 0},
                                  FALSE,
                                  FALSE};
    return layout;
}

CDlgTemplateMask::CDlgTemplateMask(CWnd* pParent) : CDlgTemplatePage(MaskLayout(), pParent) {}

CDlgTemplateMask::~CDlgTemplateMask() = default;
