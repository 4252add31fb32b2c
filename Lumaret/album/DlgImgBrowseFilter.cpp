#include "album/DlgImgBrowseFilter.h"

#include "image/ImageFilter.h"
#include "image/ImageObject.h"
#include "resource.h"

#include <iterator>
#include <vector>

namespace {

const CDlgImgBatch::BatchTraits kTraits = {CDlgImgBatch::kBatchFilter, "ImgBrowserFilter", "Filter_",
                                           "Grid_BatchFilter", "이미지 크기 일괄 변경"};

struct Kernel {
    std::vector<int> weights;
    int size;
    int divisor;
};

// The kernels of the four convolution effects (offset 0).
const Kernel kGaussian3Kernel = {{1, 2, 1, 2, 4, 2, 1, 2, 1}, 3, 16};
const Kernel kGaussian5Kernel = {{0, 1, 2, 1, 0, 1, 3, 4, 3, 1, 2, 4, 8, 4, 2, 1, 3, 4, 3, 1, 0, 1, 2, 1, 0}, 5, 52};
const Kernel kSoftenKernel = {{1, 1, 1, 1, 8, 1, 1, 1, 1}, 3, 16};
const Kernel kSharpenKernel = {{-1, -1, -1, -1, 15, -1, -1, -1, -1}, 3, 7};

BOOL Convolve(CImageFilter& filter, const Kernel& kernel)
{
    std::vector<int> weights = kernel.weights;  // the filter takes a writable table
    return filter.Filtering(weights.data(), kernel.size, kernel.divisor, 0) != 0;
}

}  // namespace

IMPLEMENT_DYNAMIC(CDlgImgBrowseFilter, CDlgImgBatch)

BEGIN_MESSAGE_MAP(CDlgImgBrowseFilter, CDlgImgBatch)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_BATCH_GRAY, IDC_BATCH_SHARPEN, OnEffect)
END_MESSAGE_MAP()

CDlgImgBrowseFilter::CDlgImgBrowseFilter(CWnd* pParent) : CDlgImgBatch(IDD_BATCH_FILTER, pParent, kTraits)
{
    for (int& on : m_bEffect)
        on = 0;
    m_bEffect[kBlur5] = 1;
}

CDlgImgBrowseFilter::~CDlgImgBrowseFilter() = default;

void CDlgImgBrowseFilter::DoDataExchange(CDataExchange* pDX)
{
    CDlgImgBatch::DoDataExchange(pDX);
    for (int i = 0; i < kEffects; i++) {
        DDX_Control(pDX, IDC_BATCH_GRAY + i, m_btnEffect[i]);
        DDX_Check(pDX, IDC_BATCH_GRAY + i, m_bEffect[i]);
    }
}

BOOL CDlgImgBrowseFilter::OnInitDialog()
{
    CDlgImgBatch::OnInitDialog();
    for (int i = 0; i < kEffects; i++)
        SetUpOptionButton(m_btnEffect[i], m_bEffect[i]);
    return TRUE;
}

void CDlgImgBrowseFilter::OnEffect(UINT nID)
{
    UpdateData(TRUE);
    for (int i = 0; i < kEffects; i++)
        m_bEffect[i] = nID == (UINT)(IDC_BATCH_GRAY + i);
    UpdateData(FALSE);
}

BOOL CDlgImgBrowseFilter::ApplyEffect(CImageObject& image, Effect effect)
{
    CImageFilter filter(&image);
    CRect whole(0, 0, image.GetWidth() - 1, image.GetHeight() - 1);
    switch (effect) {
    case kGray: return filter.MakeGray(whole) != 0;
    case kNegative: return filter.NegativeColors(whole) != 0;
    case kBlur3: return Convolve(filter, kGaussian3Kernel);
    case kBlur5: return Convolve(filter, kGaussian5Kernel);
    case kSoften: return Convolve(filter, kSoftenKernel);
    case kSharpen: return Convolve(filter, kSharpenKernel);
    case kEffects: break;
    }
    return FALSE;
}

BOOL CDlgImgBrowseFilter::ProcessImage(std::unique_ptr<CImageObject>& image)
{
    for (int i = 0; i < kEffects; i++)
        if (m_bEffect[i] && !ApplyEffect(*image, (Effect)i))
            return FALSE;
    return TRUE;
}
