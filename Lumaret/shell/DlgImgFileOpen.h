// CDlgImgFileOpen: the picture open and save dialog: the common file dialog
// with a child template holding a "미리보기" check box and an area showing a
// thumbnail of the selected file.
#pragma once

#include "mfc.h"

class CImageObject;
class CDlgImgFileOpen;

// The preview area: the child template's static, which paints the dialog's thumbnail itself so
// that its own background never covers it.
class CPreviewArea : public CWnd {
public:
    CDlgImgFileOpen* m_pOwner = nullptr;

protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};

class CDlgImgFileOpen : public CFileDialog {
public:
    CDlgImgFileOpen(BOOL bOpenFileDialog, LPCSTR lpszDefExt = nullptr, LPCSTR lpszFileName = nullptr,
                    DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR lpszFilter = nullptr,
                    CWnd* pParentWnd = nullptr);
    ~CDlgImgFileOpen() override;

    // Loads the thumbnail of the dialog's current path unless it is the one shown.
    void UpdatePreview();
    // The preview switched on or off, as the check box does.
    void SetPreview(BOOL bOn);
    // Draws the thumbnail centred in `area` of `pDC` on grey, framed in white; FALSE without one.
    BOOL PaintPreview(CDC* pDC, CRect area);

    BOOL m_bPreview;
    CImageObject* m_pPreviewImage;  // owned
    CPreviewArea m_wndPreview;
    CString m_strPreviewPath;
    CRect m_rcPreview;

protected:
    BOOL OnInitDialog() override;
    void OnFileNameChange() override;
    afx_msg void OnPreviewCheck();
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void FreePreview();
};
