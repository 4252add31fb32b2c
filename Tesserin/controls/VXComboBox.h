// CVXComboBox: a combo box that shows names while the program works with
// codes: every name added carries a code kept in a parallel list. It has
// focus colours, its own font and context menu, and paints a flat frame.
#pragma once

#include "mfc.h"

#include "controls/FocusColours.h"

class AFX_EXT_CLASS CVXComboBox : public CComboBox {
    DECLARE_DYNCREATE(CVXComboBox)
public:
    CVXComboBox();
    ~CVXComboBox() override;

    CVXComboBox& operator=(const CVXComboBox& other);

    // Appends the name at the end (never sorted in) so that names and codes keep one order.
    int AddStringCode(LPCSTR name, LPCSTR code);
    // The code of the first item equal to `name` (the box's text when null); null when
    // empty or not found. An item without a code raises the invalid-argument error.
    LPCSTR GetMatchCode(LPCSTR name = nullptr);
    LPCSTR GetMatchCode(int index);
    // The name of the first item whose code equals `code`, copied into `buffer`;
    // the buffer is returned unchanged when nothing matches.
    LPSTR GetMatchName(LPCSTR code, LPSTR buffer);
    // The same, cut to `capacity` bytes (terminator not counted) on a character boundary.
    LPSTR GetMatchName(LPCSTR code, LPSTR buffer, int capacity);
    void ResetContent();
    void ResetCodeArray() { m_arrCode.RemoveAll(); }
    void SetFlat(BOOL flat) { m_bFlat = flat; }

    COLORREF SetComboBoxBkColor(COLORREF colour);
    void SetComboBoxBkColorNorm(COLORREF colour) { m_colours.SetNormal(colour); }
    void SetComboBoxBkColorFocus(COLORREF colour) { m_colours.SetFocus(colour); }
    void ApplyBackColors(COLORREF normal, COLORREF focus);
    COLORREF SetComboBoxTextColor(COLORREF colour);
    COLORREF GetEditBkColor() const { return m_colours.Current(); }
    COLORREF GetEditTextColor() const { return m_colours.Text(); }
    void SetComboBoxFont(const LOGFONT* font);
    void SetComboBoxFont(LPCSTR face, int points, int weight = FW_NORMAL,
                         BYTE pitchAndFamily = DEFAULT_PITCH | FF_DONTCARE);
    void DefinePopupMenu(UINT menuId) { m_nMenuId = menuId; }
    virtual void CreateBrushType();

    enum { STATE_NORMAL = 1, STATE_HOVER = 2, STATE_PRESSED = 3 };
    void DrawCombo(int state, COLORREF topLeft, COLORREF bottomRight);

protected:
    afx_msg BOOL OnSetFocusReflect();
    afx_msg BOOL OnKillFocusReflect();
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnPaint();
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    DECLARE_MESSAGE_MAP()

    CStringArray m_arrCode;
    BOOL m_bFlat;
    BOOL m_bFocus;
    CFocusColours m_colours;
    CFont m_font;
    UINT m_nMenuId;

private:
    void ChangeBackColor(COLORREF colour);
    void DropFrameStyles();
    bool CursorInside() const;
};
