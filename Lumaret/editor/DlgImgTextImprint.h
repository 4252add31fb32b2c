// CDlgImgTextImprint: the text to print onto the picture with its font,
// size, styles and colours, shown in a live sample. Face, size and the two
// colours are kept for the next use; the styles are not.
#pragma once

#include "controls/ImageButton.h"
#include "controls/VXEdit.h"
#include "dialogs/VXDialog.h"

class CDlgImgTextImprint : public CVXDialog {
    DECLARE_DYNAMIC(CDlgImgTextImprint)
public:
    explicit CDlgImgTextImprint(CWnd* pParent = nullptr);
    ~CDlgImgTextImprint() override;

    BOOL OnInitDialog() override;

    // Copies a face name into a LOGFONT's field: at most 31 bytes, never
    // ending inside a double-byte character.
    static void CopyFaceName(char* target, const char* face);

    LOGFONT m_lf;
    CString m_strFontName;
    COLORREF m_clrText;
    COLORREF m_clrBack;
    int m_bBold;
    int m_bItalic;
    int m_bUnderline;
    int m_bStrikeOut;
    int m_bTransparentBk;
    CString m_strText;

    CComboBox m_comboFace;
    CVXEdit m_editText;
    CVXEdit m_editSize;
    CImageButton m_btnOK;
    CImageButton m_btnCancel;
    CImageButton m_btnTextColor;
    CImageButton m_btnBackColor;
    CImageButton m_chkTransparent;
    CImageButton m_chkBold;
    CImageButton m_chkItalic;
    CImageButton m_chkUnderline;
    CImageButton m_chkStrikeOut;

protected:
    CRect m_rcSample;
    CRect m_rcTextSwatch;
    CRect m_rcBackSwatch;
    // The profile's copies of the colours (the store keeps numbers).
    int m_nTextColor;
    int m_nBackColor;

    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void ApplyStyles();
    void InvalidateSample();
    static int CALLBACK AddFace(const LOGFONTA* lf, const TEXTMETRICA* tm, DWORD type, LPARAM param);

    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnFaceChange();
    afx_msg void OnSizeChange();
    afx_msg void OnTextChange();
    afx_msg void OnBold();
    afx_msg void OnStyle();
    afx_msg void OnTransparent();
    afx_msg void OnTextColor();
    afx_msg void OnBackColor();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
