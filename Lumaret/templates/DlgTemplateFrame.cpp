#include "templates/DlgTemplateFrame.h"

#include "image/ImageComposer.h"
#include "image/ImageObject.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(CDlgTemplateFrame, CDlgTemplatePage)

BEGIN_MESSAGE_MAP(CDlgTemplateFrame, CDlgTemplatePage)
    ON_NOTIFY(RVN_ITEMCLICK, IDC_TMPL_FRAME_LIST, OnGridItemClick)
    ON_BN_CLICKED(IDC_TMPL_FILE1, OnSelectFile1)
    ON_BN_CLICKED(IDC_TMPL_FILE2, OnSelectFile2)
END_MESSAGE_MAP()

const CDlgTemplatePage::Layout& CDlgTemplateFrame::FrameLayout()
{
    static const Layout layout = {TEMPLATE_FRAME,
                                  IDD_TEMPLATE_FRAME,
                                  IDC_TMPL_FRAME_LIST,
                                  IDC_TMPL_FRAME_KEY,
                                  "Grid_FrameList",
                                  "액자 이름",
                                  {IDC_TMPL_FILE1, IDC_TMPL_FILE2},
                                  {IDC_TMPL_PATH1, IDC_TMPL_PATH2},
                                  {IDC_TMPL_PREVIEW1, IDC_TMPL_PREVIEW2},
                                  FALSE,
                                  FALSE};
    return layout;
}

CDlgTemplateFrame::CDlgTemplateFrame(CWnd* pParent) : CDlgTemplatePage(FrameLayout(), pParent) {}

CDlgTemplateFrame::~CDlgTemplateFrame() = default;

void CDlgTemplateFrame::ComposeSampleFrame()
{
    m_pSample.reset();
    if (!m_pPreview[0] || !m_pPreview[1])
        return;
    CRect area = ControlRect(IDC_TMPL_SAMPLE);
    CRect inner = area;
    inner.DeflateRect(3, 3);
    CWaitCursor wait;
    const int tile = inner.Width() / 10;
    const CSize hole(inner.Width() - 2 * tile, inner.Height() - 2 * tile);
    // The composer needs a tile and a hole of at least one tile each way.
    if (tile >= 1 && hole.cx > 0 && hole.cy > 0 && tile <= hole.cx && tile <= hole.cy) {
        CImageObject scratch;
        CImageComposer composer(&scratch);
        m_pSample.reset(composer.MakeFrame(m_pPreview[0].get(), m_pPreview[1].get(), hole, tile));
    }
    InvalidateRect(&area, TRUE);
}

void CDlgTemplateFrame::OnTemplateOpened()
{
    ComposeSampleFrame();
}

void CDlgTemplateFrame::OnFormCleared()
{
    // A new template has no sample yet; a removed one keeps none on show.
    if (m_pSample) {
        m_pSample.reset();
        CRect area = ControlRect(IDC_TMPL_SAMPLE);
        InvalidateRect(&area, TRUE);
    }
}

void CDlgTemplateFrame::ResizeAreas(int cx, int left)
{
    CWnd* sample = GetDlgItem(IDC_TMPL_SAMPLE);
    if (!sample)
        return;
    CRect rect = ControlRect(IDC_TMPL_SAMPLE);
    int width = cx - left - rect.left;
    sample->MoveWindow(rect.left, rect.top, width > 0 ? width : 0, rect.Height());
}

void CDlgTemplateFrame::PaintPictures(CDC& dc)
{
    CDlgTemplatePage::PaintPictures(dc);
    if (!m_pSample)
        return;
    CRect area = ControlRect(IDC_TMPL_SAMPLE);
    m_pSample->DrawStretchDirect(&dc, 0, 0, -1, -1, area.left + 3, area.top, m_pSample->GetWidth(),
                                 m_pSample->GetHeight());
}
