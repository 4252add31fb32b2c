#include "browser/DlgImgBrowseResize.h"

#include "image/ImageObject.h"
#include "mivo/Trace.h"
#include "resource.h"

#include <cstdint>
#include <cstdlib>

namespace {

const CDlgImgBatch::BatchTraits kTraits = {CDlgImgBatch::kBatchResize, "ImgBrowserResize", "Resize_",
                                           "Grid_BatchResize", "이미지 크기 일괄 변경"};

const int kDefaultSide = 1024;
const int kDefaultRatio = 100;
// Resample's modes: the cubic spline, or box averaging when shrinking and bilinear otherwise.
const int kModeBicubic = 2;
const int kModeBilinear = 3;

// The worker asks the dialog's thread for the rule of the file it is about to write.
const UINT WM_RESIZE_TAKE_RULE = WM_APP + 0x250;

// A side of the rule, or 0 when it leaves the range a picture can have.
long Side(uint64_t value)
{
    if (value == 0)
        return 1;
    return value > (uint64_t)CDlgImgBrowseResize::kMaxSide ? 0 : (long)value;
}

}  // namespace

IMPLEMENT_DYNAMIC(CDlgImgBrowseResize, CDlgImgBatch)

BEGIN_MESSAGE_MAP(CDlgImgBrowseResize, CDlgImgBatch)
    ON_BN_CLICKED(IDC_RESIZE_MAX_RES, OnMaxRes)
    ON_BN_CLICKED(IDC_RESIZE_RATIO_MODE, OnRatioMode)
    ON_EN_CHANGE(IDC_RESIZE_MAX_WIDTH, OnMaxWidthChange)
    ON_EN_CHANGE(IDC_RESIZE_MAX_HEIGHT, OnMaxHeightChange)
    ON_EN_CHANGE(IDC_RESIZE_RATIO, OnRatioChange)
    ON_BN_CLICKED(IDC_RESIZE_BILINEAR, OnBilinear)
    ON_BN_CLICKED(IDC_RESIZE_BICUBIC, OnBicubic)
    ON_WM_VSCROLL()
    ON_MESSAGE(WM_RESIZE_TAKE_RULE, OnTakeRule)
END_MESSAGE_MAP()

CDlgImgBrowseResize::CDlgImgBrowseResize(CWnd* pParent)
    : CDlgImgBatch(IDD_BATCH_RESIZE, pParent, kTraits),
      m_bSizeMaxRes(1),
      m_bSizeRatio(0),
      m_nMaxWidth(kDefaultSide),
      m_nMaxHeight(kDefaultSide),
      m_bKeepAspect(1),
      m_nResizeRatio(kDefaultRatio),
      m_bBilinear(1),
      m_bBicubic(0)
{
}

CDlgImgBrowseResize::~CDlgImgBrowseResize() = default;

BOOL CDlgImgBrowseResize::NewSize(const SizeRule& rule, int w, int h, CSize* size)
{
    if (w <= 0 || h <= 0)
        return FALSE;
    const uint64_t W = (uint64_t)w, H = (uint64_t)h;
    long nw = 0, nh = 0;
    if (rule.bSizeMaxRes) {
        if (rule.nMaxWidth <= 0 || rule.nMaxHeight <= 0)
            return FALSE;
        const uint64_t MW = (uint64_t)rule.nMaxWidth, MH = (uint64_t)rule.nMaxHeight;
        if (w > h) {
            nw = Side(MW);
            nh = Side(rule.bKeepAspect ? H * MW / W : MH);
        } else {
            nh = Side(MH);
            nw = Side(rule.bKeepAspect ? W * MH / H : MW);
        }
    } else {
        if (rule.nResizeRatio <= 0)
            return FALSE;
        const uint64_t R = (uint64_t)rule.nResizeRatio;
        nw = Side(W * R / 100);
        nh = Side(H * R / 100);
    }
    if (nw == 0 || nh == 0)
        return FALSE;
    *size = CSize((int)nw, (int)nh);
    return TRUE;
}

void CDlgImgBrowseResize::DoDataExchange(CDataExchange* pDX)
{
    CDlgImgBatch::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_RESIZE_MAX_RES, m_btnMaxRes);
    DDX_Control(pDX, IDC_RESIZE_RATIO_MODE, m_btnRatioMode);
    DDX_Control(pDX, IDC_RESIZE_KEEP_ASPECT, m_btnKeepAspect);
    DDX_Control(pDX, IDC_RESIZE_BILINEAR, m_btnBilinear);
    DDX_Control(pDX, IDC_RESIZE_BICUBIC, m_btnBicubic);
    DDX_Check(pDX, IDC_RESIZE_MAX_RES, m_bSizeMaxRes);
    DDX_Check(pDX, IDC_RESIZE_RATIO_MODE, m_bSizeRatio);
    DDX_Check(pDX, IDC_RESIZE_KEEP_ASPECT, m_bKeepAspect);
    DDX_Check(pDX, IDC_RESIZE_BILINEAR, m_bBilinear);
    DDX_Check(pDX, IDC_RESIZE_BICUBIC, m_bBicubic);
    DDX_Text(pDX, IDC_RESIZE_MAX_WIDTH, m_nMaxWidth);
    DDX_Text(pDX, IDC_RESIZE_MAX_HEIGHT, m_nMaxHeight);
    DDX_Text(pDX, IDC_RESIZE_RATIO, m_nResizeRatio);
}

BOOL CDlgImgBrowseResize::OnInitDialog()
{
    // Bound before the shared set-up, whose profile load reads them with its own five.
    AddNumberProfile("SizeMaxRes", &m_bSizeMaxRes);
    AddNumberProfile("SizeRatio", &m_bSizeRatio);
    AddNumberProfile("MaxWidth", &m_nMaxWidth);
    AddNumberProfile("MaxHeight", &m_nMaxHeight);
    AddNumberProfile("ResizeRatio", &m_nResizeRatio);
    CDlgImgBatch::OnInitDialog();
    if (m_nMaxWidth == 0)
        m_nMaxWidth = kDefaultSide;
    if (m_nMaxHeight == 0)
        m_nMaxHeight = kDefaultSide;
    if (m_nResizeRatio == 0)
        m_nResizeRatio = kDefaultRatio;
    if (!m_bSizeMaxRes && !m_bSizeRatio)
        m_bSizeMaxRes = 1;
    m_bSizeRatio = !m_bSizeMaxRes;
    m_bBicubic = !m_bBilinear;
    SetUpOptionButton(m_btnMaxRes, m_bSizeMaxRes);
    SetUpOptionButton(m_btnRatioMode, m_bSizeRatio);
    SetUpOptionButton(m_btnKeepAspect, m_bKeepAspect);
    SetUpOptionButton(m_btnBilinear, m_bBilinear);
    SetUpOptionButton(m_btnBicubic, m_bBicubic);
    UpdateData(FALSE);
    UpdateControlStates();
    m_bReady = TRUE;
    return TRUE;
}

void CDlgImgBrowseResize::UpdateKindControls(BOOL running)
{
    if (CWnd* keep = GetDlgItem(IDC_RESIZE_KEEP_ASPECT))
        keep->EnableWindow(!running && m_bSizeMaxRes);
    if (CWnd* spin = GetDlgItem(IDC_RESIZE_RATIO_SPIN))
        spin->EnableWindow(!running);
}

void CDlgImgBrowseResize::SetSizeMode(BOOL maxRes)
{
    m_bSizeMaxRes = maxRes ? 1 : 0;
    m_bSizeRatio = !m_bSizeMaxRes;
    UpdateControlStates();
}

void CDlgImgBrowseResize::OnMaxRes()
{
    UpdateData(TRUE);
    SetSizeMode(m_bSizeMaxRes);
    UpdateData(FALSE);
}

void CDlgImgBrowseResize::OnRatioMode()
{
    UpdateData(TRUE);
    SetSizeMode(!m_bSizeRatio);
    UpdateData(FALSE);
}

void CDlgImgBrowseResize::NumberFromEdit(int id, int& member)
{
    CString text;
    GetDlgItemText(id, text);
    member = (int)atol(text);
}

void CDlgImgBrowseResize::OnMaxWidthChange()
{
    if (!m_bReady)
        return;
    NumberFromEdit(IDC_RESIZE_MAX_WIDTH, m_nMaxWidth);
    SetSizeMode(TRUE);
    m_btnMaxRes.SetCheck(1, TRUE);
    m_btnRatioMode.SetCheck(0, TRUE);
}

void CDlgImgBrowseResize::OnMaxHeightChange()
{
    if (!m_bReady)
        return;
    NumberFromEdit(IDC_RESIZE_MAX_HEIGHT, m_nMaxHeight);
    SetSizeMode(TRUE);
    m_btnMaxRes.SetCheck(1, TRUE);
    m_btnRatioMode.SetCheck(0, TRUE);
}

void CDlgImgBrowseResize::OnRatioChange()
{
    if (!m_bReady)
        return;
    NumberFromEdit(IDC_RESIZE_RATIO, m_nResizeRatio);
    SetSizeMode(FALSE);
    m_btnMaxRes.SetCheck(0, TRUE);
    m_btnRatioMode.SetCheck(1, TRUE);
}

void CDlgImgBrowseResize::OnBilinear()
{
    UpdateData(TRUE);
    m_bBicubic = !m_bBilinear;
    UpdateData(FALSE);
}

void CDlgImgBrowseResize::OnBicubic()
{
    UpdateData(TRUE);
    m_bBilinear = !m_bBicubic;
    UpdateData(FALSE);
}

void CDlgImgBrowseResize::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (!pScrollBar || pScrollBar->GetDlgCtrlID() != IDC_RESIZE_RATIO_SPIN || IsRunning()) {
        CDlgImgBatch::OnVScroll(nSBCode, nPos, pScrollBar);
        return;
    }
    UpdateData(TRUE);
    if (nSBCode == SB_LINEUP)
        m_nResizeRatio++;
    else if (nSBCode == SB_LINEDOWN && m_nResizeRatio > 1)
        m_nResizeRatio--;
    else if (nSBCode != SB_LINEDOWN)
        return;
    m_bReady = FALSE;  // the edit's change notice must not undo the mode set here
    SetSizeMode(FALSE);
    UpdateData(FALSE);
    m_bReady = TRUE;
}

LRESULT CDlgImgBrowseResize::OnTakeRule(WPARAM, LPARAM lParam)
{
    SizeRule* rule = reinterpret_cast<SizeRule*>(lParam);
    rule->bSizeMaxRes = m_bSizeMaxRes;
    rule->bKeepAspect = m_bKeepAspect;
    rule->nMaxWidth = m_nMaxWidth;
    rule->nMaxHeight = m_nMaxHeight;
    rule->nResizeRatio = m_nResizeRatio;
    rule->bBicubic = m_bBicubic;
    return 1;
}

BOOL CDlgImgBrowseResize::ProcessImage(std::unique_ptr<CImageObject>& image)
{
    // The settings belong to the dialog's thread: take this file's from there.
    SizeRule rule;
    if (!::SendMessage(m_hWnd, WM_RESIZE_TAKE_RULE, 0, (LPARAM)&rule))
        return FALSE;
    CSize size;
    if (!NewSize(rule, image->GetWidth(), image->GetHeight(), &size)) {
        MIVO_WARN(kTraceLumaret, "no result size for %d x %d", image->GetWidth(), image->GetHeight());
        return FALSE;
    }
    std::unique_ptr<CImageObject> result(
        image->Resample(size.cx, size.cy, rule.bBicubic ? kModeBicubic : kModeBilinear));
    if (!result)
        return FALSE;
    image = std::move(result);
    return TRUE;
}
