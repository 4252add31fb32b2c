// CVXRichEditCtrl: a rich edit control with one-call formatting for a small
// text editor: bold, italic and underline of the selection, paragraph
// alignment and bullets, face, size and colour, loading rich text and printing.
#pragma once

#include "mfc.h"

class AFX_EXT_CLASS CVXRichEditCtrl : public CRichEditCtrl {
    DECLARE_DYNAMIC(CVXRichEditCtrl)
public:
    CVXRichEditCtrl();
    ~CVXRichEditCtrl() override;

    void SetSelectionBold();
    // Apply the next state of their toggle, then invert it.
    void SetSelectionItalic();
    void SetSelectionUnderline();
    void SetParagraphLeft();
    void SetParagraphRight();
    void SetParagraphCenter();
    void SetParagraphBulleted();
    void SetFontName(CString face);
    void SetFontSize(int tenthsOfPoint);
    void SetColor(COLORREF colour);
    // Asks for a colour with the colour dialog.
    void SetColour();

    BOOL SelectionIsBold();
    BOOL SelectionIsItalic();
    BOOL SelectionIsUnderlined();
    BOOL ParagraphIsLeft();
    BOOL ParagraphIsRight();
    BOOL ParagraphIsCentered();
    BOOL ParagraphIsBulleted();

    void SetRtf(CFile* file);
    void Print(BOOL showDialog);

protected:
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    BOOL m_bBold;
    BOOL m_bItalic;
    BOOL m_bUnderline;
    CHARFORMAT m_cf;
    PARAFORMAT m_pf;
    BYTE m_byFlag1;
    BYTE m_byFlag2;

private:
    void SetAlignment(WORD alignment);
    DWORD ReadSelection();
    DWORD ReadParagraph();
};
