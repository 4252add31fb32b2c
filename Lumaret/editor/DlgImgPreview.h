// CDlgImgPreview: what the previewing parameter dialogs share. A small copy
// of the picture (the untouched preview) is shown in the frame 6108, and a
// processed copy, always made again from the untouched one, in 6107. The
// dialog owns both previews and the work picture when that is a crop.
#pragma once

#include "mfc.h"

#include "dialogs/VXDialog.h"

#include <memory>

class CImageObject;

class CDlgImgPreview : public CVXDialog {
    DECLARE_DYNAMIC(CDlgImgPreview)
public:
    CDlgImgPreview(UINT nIDTemplate, CWnd* pParent);
    ~CDlgImgPreview() override;

    BOOL DestroyWindow() override;

    // Input: the editor's picture (borrowed) and the area to work on
    // (inclusive; -1 everywhere means the whole picture).
    CImageObject* m_pSrcImage;
    CRect m_rcArea;
    // Owned: the untouched and the processed preview.
    CImageObject* m_pPreviewOrg;
    CImageObject* m_pPreviewNew;

    // The pixel of the preview under a client point, only inside its picture.
    static BOOL PixelUnder(CImageObject* preview, CPoint point, COLORREF* colour);
    static void CentreIn(CImageObject* picture, const CRect& frame);

protected:
    // The caller's picture, or a new crop of its area.
    CImageObject* m_pWorkImage;
    CRect m_rcPreviewOrg;
    CRect m_rcPreviewNew;

    void StoreFrameRects();
    // The work picture from the caller's area, then the untouched preview
    // fitted to the processed frame less 6 pixels, centred in 6108, and its
    // duplicate centred in 6107.
    BOOL MakePreviews(BOOL fromArea);
    // A fresh duplicate of the untouched preview as the processed one.
    CImageObject* RestartProcessed();
    void DrawPreviews(CDC* pDC);
    void FreePreviews();
    // Rounded frame around a picture area.
    static void DrawFrame(CDC* pDC, const CRect& rect, COLORREF colour);

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    // The frames drawn over the erased background.
    virtual void DrawFrames(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    // The crop the work picture points at, when it is one.
    std::unique_ptr<CImageObject> m_workCrop;
};
