// CDlgImgCanvasSize: the new canvas size; the editor extends the canvas in
// white or cuts it at the right and bottom.
#pragma once

#include "controls/ImageButton.h"
#include "controls/VXEdit.h"
#include "dialogs/VXDialog.h"

class CDlgImgCanvasSize : public CVXDialog {
    DECLARE_DYNAMIC(CDlgImgCanvasSize)
public:
    explicit CDlgImgCanvasSize(CWnd* pParent = nullptr);
    ~CDlgImgCanvasSize() override;

    BOOL OnInitDialog() override;

    int m_nOrgWidth;
    int m_nOrgHeight;
    int m_nNewWidth;
    int m_nNewHeight;

    CVXEdit m_editNewWidth;
    CVXEdit m_editNewHeight;
    CImageButton m_btnOK;
    CImageButton m_btnCancel;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    DECLARE_MESSAGE_MAP()
};
