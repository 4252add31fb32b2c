// CDlgImgBrowseFilter: "필터 효과 일괄처리", one effect (grey, negative, two Gaussian blurs, soften,
// sharpen) applied to many files in one run of the batch mechanism.
#pragma once

#include "album/DlgImgBatch.h"

class CDlgImgBrowseFilter : public CDlgImgBatch {
    DECLARE_DYNAMIC(CDlgImgBrowseFilter)
public:
    // In the order the effects are applied, buttons 1292 to 1297.
    enum Effect { kGray, kNegative, kBlur3, kBlur5, kSoften, kSharpen, kEffects };

    explicit CDlgImgBrowseFilter(CWnd* pParent = nullptr);
    ~CDlgImgBrowseFilter() override;

    BOOL OnInitDialog() override;
    // Applies one effect to the whole picture; FALSE when the filter could not run.
    static BOOL ApplyEffect(CImageObject& image, Effect effect);

    // Exactly one is on.
    int m_bEffect[kEffects];
    CImageButton m_btnEffect[kEffects];

protected:
    BOOL ProcessImage(std::unique_ptr<CImageObject>& image) override;
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnEffect(UINT nID);
    DECLARE_MESSAGE_MAP()
};
