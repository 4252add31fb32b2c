// CDlgTemplateFrame: the page on which frame templates (FrameImgs) are registered and kept: a
// corner piece and an edge piece with their previews, and a sample frame composed from them when
// a stored template is opened.
#pragma once

#include "templates/DlgTemplatePage.h"

class CDlgTemplateFrame : public CDlgTemplatePage {
    DECLARE_DYNAMIC(CDlgTemplateFrame)
public:
    explicit CDlgTemplateFrame(CWnd* pParent = nullptr);
    ~CDlgTemplateFrame() override;

    static const Layout& FrameLayout();
    void ComposeSampleFrame();

    std::unique_ptr<CImageObject> m_pSample;

protected:
    void OnTemplateOpened() override;
    void OnFormCleared() override;
    void ResizeAreas(int cx, int left) override;
    void PaintPictures(CDC& dc) override;
    DECLARE_MESSAGE_MAP()
};
