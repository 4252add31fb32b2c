// CCheckButton: the smaller owner-drawn button. Like the image button it
// draws icons or masked bitmaps beside its text in six colours, but it has a
// latched check state drawn pressed, rounded backgrounds and borders, and an
// auto-repeat mode that sends its command while the left button is held.
#pragma once

#include "mfc.h"

class AFX_EXT_CLASS CCheckButton : public CButton {
    DECLARE_DYNCREATE(CCheckButton)
public:
    CCheckButton();
    ~CCheckButton() override;

    enum { BTN_OK = 0, BTN_INVALID_RESOURCE = 1, BTN_FAILED_MASK = 2, BTN_INVALID_INDEX = 3 };
    enum { ALIGN_HORIZ = 0, ALIGN_VERT = 1, ALIGN_HORIZ_RIGHT = 2 };
    enum { MAX_COLORS = 6 };
    static const COLORREF kKeep = 0xFFFFFFFF;

    void SetCheckState(int state);
    int GetCheckState() const { return m_nCheckState; }
    void SetCheck(int check, int repaint = 1);
    int GetCheck() const { return m_nCheck; }
    void SetColors(COLORREF c0, COLORREF c1, COLORREF c2, COLORREF c3, COLORREF c4, COLORREF c5, int repaint = 1);
    DWORD SetColor(BYTE index, COLORREF colour, int repaint = 1);
    DWORD GetColor(BYTE index, COLORREF* colour);
    DWORD SetDefaultColors(int repaint = 1);
    DWORD SetAutoRepeat(BOOL repeat = TRUE, DWORD delay = 100);
    void SetFlat(BOOL flat);
    void SetAlign(int align);
    void DrawBorder(BOOL enable) { m_bDrawBorder = enable; }
    void SetNormalBorder(BOOL normal) { m_bNormalBorder = normal; }
    void SetFlatFocus(BOOL flatFocus, int repaint = 1);
    BOOL GetFlat() const { return m_bIsFlat; }
    int GetAlign() const { return m_nAlign; }
    BOOL GetDefault() const { return m_bIsDefault; }
    // Answers 1 when the cursor loaded (and for id 0), 0 when it did not.
    DWORD SetBtnCursor(int cursorId = 0);
    DWORD SetIcon(HICON in, HICON out = nullptr);
    DWORD SetIcon(int in, int out = 0);
    DWORD SetBitmaps(HBITMAP in, COLORREF inKey, HBITMAP out = nullptr, COLORREF outKey = 0);
    DWORD SetBitmaps(int in, COLORREF inKey, int out = 0, COLORREF outKey = 0);
    DWORD SetURL(LPCSTR url = nullptr);
    void SetTooltipText(LPCSTR text, BOOL activate = TRUE);
    void SetTooltipText(int textId, BOOL activate = TRUE);
    void ActivateTooltip(BOOL activate = TRUE);
    DWORD DrawTransparent(int repaint = 0);
    void FreeResources(BOOL check = TRUE);
    static HBITMAP CreateBitmapMask(HBITMAP source, DWORD width, DWORD height, COLORREF key);

    static short GetVersionI() { return 32; }
    static LPCSTR GetVersionC() { return "3.2"; }

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    virtual DWORD OnDrawBackground(CDC* pDC, CRect* pRect);
    virtual DWORD OnDrawBorder(CDC* pDC, CRect* pRect);
    void PaintBk(CDC* pDC);
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    afx_msg BOOL OnClicked();
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnCancelMode();
    afx_msg void OnSysColorChange();
    DECLARE_MESSAGE_MAP()

    struct IconRecord {
        HICON icon = nullptr;
        DWORD width = 0;
        DWORD height = 0;
    };
    struct BitmapRecord {
        HBITMAP bitmap = nullptr;
        HBITMAP mask = nullptr;
        DWORD width = 0;
        DWORD height = 0;
    };

    BOOL m_bDrawTransparent;
    BOOL m_bMouseOnButton;
    int m_nCheckState;
    BOOL m_bIsFocused;
    BOOL m_bIsDisabled;
    COLORREF m_crColors[MAX_COLORS];
    int m_nAlign;
    BOOL m_bDrawBorder;
    BOOL m_bNormalBorder;
    BOOL m_bIsFlat;
    BOOL m_bDrawFlatFocus;
    BOOL m_bAutoRepeat;
    DWORD m_dwAutoRepeatDelay;
    HCURSOR m_hCursor;
    CToolTipCtrl m_ToolTip;
    IconRecord m_csIcons[2];
    BitmapRecord m_csBitmaps[2];
    CDC m_dcBk;
    CBitmap m_bmpBk;
    CBitmap* m_pbmpOldBk;
    BOOL m_bIsDefault;
    BOOL m_bIsCheckBox;
    int m_nCheck;
    char m_szURL[260];

private:
    void Repaint(int repaint);
    void ClearHover(bool repaint);
    void RunAutoRepeat();
    void DiscardBackground();
    int ImageIndex(bool icons) const;
    CRect ImageRect(bool hasText, const CRect& item, CRect& caption, DWORD width, DWORD height) const;
    void DrawRaisedEdge(CDC* pDC, const CRect& rect);
    void DrawIconImage(CDC* pDC, bool hasText, const CRect& item, CRect& caption);
    void DrawBitmapImage(CDC* pDC, bool hasText, const CRect& item, CRect& caption);
    void DrawCaptionText(CDC* pDC, LPCSTR text, CRect caption);
};
