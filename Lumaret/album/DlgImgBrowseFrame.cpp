#include "album/DlgImgBrowseFrame.h"

#include "controls/VXGDI.h"
#include "image/ImageComposer.h"
#include "image/ImageObject.h"
#include "resource.h"
#include "templates/TemplateTables.h"

#include <algorithm>

namespace {

const CDlgImgBatch::BatchTraits kTraits = {CDlgImgBatch::kBatchFrame, "ImgBrowserFrame", "Frame_",
                                           "Grid_BatchFrame", "액자에 넣기 일괄 처리"};

const COLORREF kListColours[] = {RGB(192, 192, 192), RGB(0, 0, 160), RGB(160, 0, 0), RGB(0, 128, 0), RGB(96, 96, 96)};
const DWORD kListStyles = 0x3A;
const int kListRowHeight = 18;
const int kListWidth = 200;
const COLORREF kPreviewBack = RGB(128, 128, 128);
// The preview keeps this much of its area free around the picture.
const int kPreviewMargin = 3;
const int kResampleBoxOrBilinear = 3;

std::unique_ptr<CImageObject> LoadTile(const CString& path)
{
    if (path.IsEmpty())
        return nullptr;
    std::unique_ptr<CImageObject> tile(new CImageObject);
    if (!tile->LoadImageFromFile(path, 1))
        return nullptr;
    return tile;
}

}  // namespace

IMPLEMENT_DYNAMIC(CDlgImgBrowseFrame, CDlgImgBatch)

BEGIN_MESSAGE_MAP(CDlgImgBrowseFrame, CDlgImgBatch)
    ON_NOTIFY(RVN_ITEMCLICK, IDC_BATCH_FRAME_LIST, OnFrameItemClick)
    ON_WM_HSCROLL()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CDlgImgBrowseFrame::CDlgImgBrowseFrame(CWnd* pParent)
    : CDlgImgBatch(IDD_BATCH_FRAME, pParent, kTraits), m_nDivisor(kDefaultDivisor), m_nFrameNo(-1)
{
}

CDlgImgBrowseFrame::~CDlgImgBrowseFrame() = default;

int CDlgImgBrowseFrame::FrameTileSize(int width, int height, int divisor)
{
    if (divisor <= 0)
        return 1;
    int tile = (width < height ? height : width) / divisor;
    // Never wider than the picture's shorter side, never nothing.
    return std::max(1, std::min(tile, std::min(width, height)));
}

std::unique_ptr<CImageObject> CDlgImgBrowseFrame::Framed(CImageObject& picture, CImageObject* corner,
                                                         CImageObject* edge, int divisor)
{
    if (!corner || !edge || !picture.IsLoaded())
        return nullptr;
    CImageComposer composer(&picture);
    int tile = FrameTileSize(picture.GetWidth(), picture.GetHeight(), divisor);
    return std::unique_ptr<CImageObject>(composer.MakeFrame(corner, edge, tile));
}

void CDlgImgBrowseFrame::DoDataExchange(CDataExchange* pDX)
{
    CDlgImgBatch::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BATCH_FRAME_LIST, m_gridFrames);
    DDX_Control(pDX, IDC_BATCH_FRAME_SLIDER, m_sliderWidth);
    DDX_Text(pDX, IDC_BATCH_FRAME_DIVISOR, m_nDivisor);
}

BOOL CDlgImgBrowseFrame::OnInitDialog()
{
    CDlgImgBatch::OnInitDialog();
    if (CWnd* area = GetDlgItem(IDC_BATCH_FRAME_PREVIEW)) {
        area->GetWindowRect(&m_rcPreviewArea);
        ScreenToClient(&m_rcPreviewArea);
    }
    m_sliderWidth.SetRange(kMinDivisor, kMaxDivisor, TRUE);
    m_sliderWidth.SetPos(m_nDivisor);
    SetUpTemplateList();
    UpdateData(FALSE);
    UpdateControlStates();
    return TRUE;
}

void CDlgImgBrowseFrame::SetUpTemplateList()
{
    for (int i = 0; i < (int)(sizeof kListColours / sizeof kListColours[0]); i++)
        m_gridFrames.InsertColor(i, kListColours[i]);
    _RVSUBITEM column;
    column.nMask = 0x4000;
    column.iWidth = kListWidth;
    column.lpszText = "< 액자 모양 선택 >";
    m_gridFrames.DefineSubItem(0, &column);
    m_gridFrames.ActivateSubItem(0, 0);
    m_gridFrames.ModifyStyle(0, kListStyles);
    COLORREF face = ::GetSysColor(COLOR_3DFACE);
    m_gridFrames.SetBkColor(face);
    m_gridFrames.SetGridColor(RGB(GetRValue(face) * 8 / 10, GetGValue(face) * 8 / 10, GetBValue(face) * 8 / 10));
    m_gridFrames.SetItemHeight(kListRowHeight);
    CWaitCursor wait;
    m_gridFrames.SetRedraw(FALSE);
    for (const TemplateInfo& frame : CTemplateTables::List(TEMPLATE_FRAME)) {
        int item = m_gridFrames.AddItem(frame.strName);
        m_gridFrames.SetItemData(item, (DWORD_PTR)frame.nKey);
    }
    m_gridFrames.SetRedraw(TRUE);
}

// ---- the template and the preview ----

void CDlgImgBrowseFrame::OnFrameItemClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* record = reinterpret_cast<_NMREPORTVIEW*>(pNMHDR);
    *pResult = 0;
    if (record->iItem >= 0 && record->iSubItem >= 0)
        ChooseTemplate((int)m_gridFrames.GetItemData(record->iItem));
}

void CDlgImgBrowseFrame::ChooseTemplate(int frameNo)
{
    m_nFrameNo = frameNo;
    CWaitCursor wait;
    TemplateInfo info;
    TemplateUnpacked pictures[2];
    int found = CTemplateTables::Load(TEMPLATE_FRAME, frameNo, info, pictures);
    std::unique_ptr<CImageObject> tiles[2];
    for (int slot = 0; slot < 2 && found; slot++) {
        m_strTileFile[slot] = pictures[slot].strPath;
        if (pictures[slot].nState == TemplateUnpacked::WRITTEN)
            tiles[slot] = LoadTile(pictures[slot].strPath);
        // An empty picture leaves no tile of an earlier opening behind.
        else if (pictures[slot].nState == TemplateUnpacked::EMPTY && !pictures[slot].strPath.IsEmpty())
            ::DeleteFile(pictures[slot].strPath);
    }
    m_pCorner = std::move(tiles[0]);
    m_pEdge = std::move(tiles[1]);
    UpdatePreview();
    UpdateData(FALSE);
    UpdateControlStates();
}

CSize CDlgImgBrowseFrame::PreviewBox() const
{
    return CSize(std::max(0, m_rcPreviewArea.Width() - kPreviewMargin),
                 std::max(0, m_rcPreviewArea.Height() - kPreviewMargin));
}

void CDlgImgBrowseFrame::UpdatePreview()
{
    CWaitCursor wait;
    m_pPreview.reset();
    if (m_hWnd) {
        UpdateData(TRUE);
        InvalidateRect(&m_rcPreviewArea, TRUE);
    }
    if (!m_pCorner || !m_pEdge)
        return;
    if (!m_pSample && m_arrSrcPath.GetSize() > 0) {
        std::unique_ptr<CImageObject> sample(new CImageObject);
        if (sample->LoadScaled(m_arrSrcPath[0], PreviewBox(), 0))
            m_pSample = std::move(sample);
    }
    if (!m_pSample)
        return;
    std::unique_ptr<CImageObject> framed = Framed(*m_pSample, m_pCorner.get(), m_pEdge.get(), m_nDivisor);
    if (!framed)
        return;
    int ratio = framed->GetThumbRatio(PreviewBox(), nullptr, TRUE);
    long width = (long)framed->GetWidth() * ratio / 1000, height = (long)framed->GetHeight() * ratio / 1000;
    m_pPreview.reset(width > 0 && height > 0 ? framed->Resample(width, height, kResampleBoxOrBilinear) : nullptr);
    if (!m_pPreview)
        return;
    int x = m_rcPreviewArea.left + (m_rcPreviewArea.Width() - m_pPreview->GetWidth()) / 2;
    int y = m_rcPreviewArea.top + (m_rcPreviewArea.Height() - m_pPreview->GetHeight()) / 2;
    m_rcPreview = CRect(x, y, x + m_pPreview->GetWidth(), y + m_pPreview->GetHeight());
}

void CDlgImgBrowseFrame::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (!pScrollBar || pScrollBar->m_hWnd != m_sliderWidth.m_hWnd) {
        CDlgImgBatch::OnHScroll(nSBCode, nPos, pScrollBar);
        return;
    }
    m_nDivisor = std::min(kMaxDivisor, std::max(kMinDivisor, m_sliderWidth.GetPos()));
    UpdateData(FALSE);
    // No preview while the thumb is dragged: it comes when the thumb is let go.
    if (nSBCode == TB_THUMBTRACK || (::GetKeyState(VK_LBUTTON) & 0x8000))
        return;
    UpdatePreview();
}

BOOL CDlgImgBrowseFrame::OnEraseBkgnd(CDC* pDC)
{
    CDlgImgBatch::OnEraseBkgnd(pDC);
    CRect area = m_rcPreviewArea;
    CVXGDI::VXRoundRect(pDC, &area, kPreviewBack, kPreviewBack);
    return TRUE;
}

void CDlgImgBrowseFrame::OnPaint()
{
    CPaintDC dc(this);
    if (!m_pPreview)
        return;
    m_pPreview->SetDst_x(m_rcPreview.left);
    m_pPreview->SetDst_y(m_rcPreview.top);
    m_pPreview->SetDst_width(m_rcPreview.Width());
    m_pPreview->SetDst_height(m_rcPreview.Height());
    m_pPreview->DrawStretch(&dc);
}

// ---- the run ----

BOOL CDlgImgBrowseFrame::ProcessImage(std::unique_ptr<CImageObject>& image)
{
    std::unique_ptr<CImageObject> framed = Framed(*image, m_pCorner.get(), m_pEdge.get(), m_nDivisor);
    if (!framed)
        return FALSE;
    image = std::move(framed);
    return TRUE;
}

void CDlgImgBrowseFrame::OnDestroy()
{
    CDlgImgBatch::OnDestroy();
    m_pPreview.reset();
    m_pSample.reset();
    m_pCorner.reset();
    m_pEdge.reset();
}
