// CVXEdit: the single-line edit field. Its background changes colour with the
// focus, it may carry its own font and context menu, and it can filter typing:
// a mask of letters (with date and month forms built on it) or a number with
// grouped thousands and a fixed count of decimals.
#pragma once

#include "mfc.h"

#include "controls/FocusColours.h"

#include "controls/NumericText.h"

class AFX_EXT_CLASS CVXEdit : public CEdit {
    DECLARE_DYNCREATE(CVXEdit)
public:
    CVXEdit();
    ~CVXEdit() override;

    CVXEdit& operator=(const CVXEdit& other);

    // Mask mode: one letter per position; literals ("_" marks an input
    // position) are typed by the field itself; `valid` characters pass anywhere.
    void SetMask(LPCSTR mask, LPCSTR literals = nullptr, LPCSTR valid = nullptr);
    void SetDateMode(BOOL setText = TRUE);
    void SetMonthMode(BOOL setText = TRUE);
    CString GetEditDate();
    CString GetEditMonth();
    CString GetEditCompactDate();
    CString GetEditCompactMonth();
    void SetEditCompactDate(CString text);
    void SetEditCompactMonth(CString text);
    // Types `c` through the field's own window procedure, past the mask check.
    void SendChar(UINT c);
    // Answers whether a typed character may land at the caret; may type a literal first.
    int CheckChar(UINT nChar);

    void SetDecimals(int decimals);
    void EnableCommas(BOOL enable);
    void SetComma(char comma);
    void SetDecimalPoint(char point);
    int GetDecimals() const { return m_number.decimals; }
    char GetComma() const { return m_number.comma; }
    char GetDecimalPoint() const { return m_number.point; }
    double GetValue() const { return m_dValue; }
    void SetValue(double value);
    void _SetValue(double value);

    COLORREF SetEditBkColor(COLORREF colour);
    void SetEditBkColorNorm(COLORREF colour) { m_colours.SetNormal(colour); }
    void SetEditBkColorFocus(COLORREF colour) { m_colours.SetFocus(colour); }
    void ApplyBackColors(COLORREF normal, COLORREF focus);
    COLORREF SetEditTextColor(COLORREF colour);
    COLORREF GetEditBkColor() const { return m_colours.Current(); }
    COLORREF GetEditTextColor() const { return m_colours.Text(); }
    void SetEditFont(const LOGFONT* font);
    void SetEditFont(LPCSTR face, int points, int weight = FW_NORMAL, BYTE pitchAndFamily = DEFAULT_PITCH | FF_DONTCARE);
    void DefinePopupMenu(UINT menuId) { m_nMenuId = menuId; }
    virtual void CreateBrushType();

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Numeric typing mode; the owning dialog sets it before SetDecimals.
    BOOL m_bNumeric;

protected:
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    DECLARE_MESSAGE_MAP()

    BOOL m_bMask;
    BOOL m_bDate;
    BOOL m_bMonth;
    CString m_strShadow;
    CString m_strMask;
    CString m_strLiteral;
    CString m_strValid;
    BOOL m_bSending;
    CString m_strHourLimit;
    CString m_strMinuteLimit;
    CString m_strRestore;
    double m_dValue;
    CNumericText m_number;
    CFocusColours m_colours;
    CFont m_font;
    UINT m_nMenuId;

private:
    bool m_skipTrailByte;  // the second byte of a refused double-byte character

    bool NumericTyping() const;
    void ChangeBackColor(COLORREF colour);
    void SetDashedDate(CString dashed);
    int CaretPos() const;
    bool CheckMaskLetter(int pos, UINT nChar);
    bool CheckDigitRange(int pos, UINT nChar) const;
    bool CheckLimit(int pos, UINT nChar, const CString& limit, int first) const;
    char ShadowAt(int pos) const;
    void MaskChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void MaskBackspace();
    void Overwrite(UINT nChar, UINT nRepCnt, UINT nFlags);
    void TypeFollowingLiteral();
    void NumericKey(bool deleteKey, UINT nChar);
    void Beep() const;
};
