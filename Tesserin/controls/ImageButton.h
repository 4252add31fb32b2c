// CImageButton: the owner-drawn button. A dialog subclasses a button control
// with it; it then draws an icon or a masked bitmap beside its text in six
// state colours, optionally flat (border while hovered), with sounds, its own
// cursor, a tooltip, a URL, a drop-down menu or check-box behaviour.
#pragma once

#include "mfc.h"

#include "controls/VXMenu.h"

class AFX_EXT_CLASS CImageButton : public CButton {
    DECLARE_DYNCREATE(CImageButton)
public:
    CImageButton();
    ~CImageButton() override;

    // Setter results.
    enum {
        BTN_OK = 0,
        BTN_INVALID_RESOURCE = 1,
        BTN_FAILED_MASK = 2,
        BTN_INVALID_INDEX = 3,
        BTN_INVALID_ALIGN = 4,
        BTN_BAD_PARAM = 5,
        BTN_INVALID_PRESSED_STYLE = 6,
    };
    enum { ALIGN_HORIZ = 0, ALIGN_VERT = 1, ALIGN_HORIZ_RIGHT = 2, ALIGN_OVERLAP = 3 };
    enum {
        COLOR_BK_IN = 0,
        COLOR_FG_IN = 1,
        COLOR_BK_OUT = 2,
        COLOR_FG_OUT = 3,
        COLOR_BK_FOCUS = 4,
        COLOR_FG_FOCUS = 5,
        MAX_COLORS = 6,
    };
    enum { PRESSED_LEFTRIGHT = 0, PRESSED_TOPBOTTOM = 1 };
    // SetIcon's second argument: a grey copy of the first for the normal state.
    static const int GRAY_ICON = -2;

    DWORD SetIcon(HICON in, HICON out = nullptr);
    // Icons of the resources at `size` pixels square; 0 loads each at its own size.
    DWORD SetIcon(int in, int out = 0, int size = 0);
    DWORD SetBitmaps(HBITMAP in, COLORREF inKey, HBITMAP out = nullptr, COLORREF outKey = 0);
    DWORD SetBitmaps(int in, COLORREF inKey, int out = 0, COLORREF outKey = 0);
    DWORD SetFlat(BOOL flat = TRUE, BOOL repaint = TRUE);
    DWORD DrawBorder(BOOL enable = TRUE, BOOL repaint = TRUE);
    DWORD DrawFlatFocus(BOOL enable, BOOL repaint = TRUE);
    DWORD SetAlwaysTrack(BOOL always = TRUE);
    DWORD SetAlign(BYTE align, BOOL repaint = TRUE);
    DWORD SetPressedStyle(BYTE style, BOOL repaint = TRUE);
    DWORD SetCheck(int check, BOOL repaint = TRUE);
    int GetCheck() const { return m_nCheck; }
    DWORD SetDefaultColors(BOOL repaint = TRUE);
    DWORD SetColor(BYTE index, COLORREF colour, BOOL repaint = TRUE);
    DWORD GetColor(BYTE index, COLORREF* colour);
    DWORD OffsetColor(BYTE index, short offset, BOOL repaint = TRUE);
    DWORD SetBtnCursor(int cursorId = 0, BOOL repaint = TRUE);
    void SetNormalBorder(BOOL normal) { m_bNormalBorder = normal; }
    DWORD SetURL(LPCSTR url = nullptr);
    DWORD SetSound(LPCSTR sound, HMODULE module = nullptr, BOOL onClick = FALSE, BOOL async = TRUE);
    DWORD SetMenu(UINT menuId, HWND owner, int drawMode = 0, UINT toolbarId = 0, CSize iconSize = CSize(16, 15),
                  COLORREF toolbarBack = RGB(192, 192, 192), BOOL repaint = TRUE);
    DWORD SetMenuCallback(HWND wnd, UINT message, LPARAM lParam = 0);
    void SetTooltipText(LPCSTR text, BOOL activate = TRUE);
    void SetTooltipText(int textId, BOOL activate = TRUE);
    void ActivateTooltip(BOOL activate = TRUE);
    DWORD DrawTransparent(BOOL repaint = FALSE);
    DWORD SetBk(CDC* dc);
    void SizeToContent();
    BOOL GetDefault() const { return m_bIsDefault; }

    // A monochrome mask of the key colour (white) and the rest (black); the
    // source's key-coloured pixels turn black in place. Null when it cannot be made.
    static HBITMAP CreateBitmapMask(HBITMAP source, DWORD width, DWORD height, COLORREF key);
    // A grey copy of the icon (pure black stays black) with the icon's own mask.
    static HICON CreateGrayscaleIcon(HICON icon);
    void FreeResources(BOOL check = TRUE);

    static short GetVersionI() { return 37; }
    static LPCSTR GetVersionC() { return "3.7"; }

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    virtual DWORD OnDrawBackground(CDC* pDC, const RECT* pRect);
    virtual DWORD OnDrawBorder(CDC* pDC, const RECT* pRect);
    virtual void DrawTheIcon(CDC* pDC, BOOL hasText, RECT* itemRect, RECT* captionRect, BOOL pressed, BOOL disabled);
    virtual void DrawTheBitmap(CDC* pDC, BOOL hasText, RECT* itemRect, RECT* captionRect, BOOL pressed, BOOL disabled);
    virtual void DrawTheText(CDC* pDC, LPCSTR text, RECT* itemRect, RECT* captionRect, BOOL pressed, BOOL disabled);
    // Where an image of w by h goes, moving the caption out of its way.
    void PrepareImageRect(BOOL hasText, RECT* itemRect, RECT* captionRect, BOOL pressed, DWORD width, DWORD height,
                          RECT* imageRect);
    void PaintBk(CDC* pDC);

    void PreSubclassWindow() override;
    afx_msg BOOL OnClicked();
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnCancelMode();
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnSysColorChange();
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    afx_msg LRESULT OnSetStyle(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetCheck(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetCheck(WPARAM wParam, LPARAM lParam);
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
        COLORREF key = 0;
    };
    struct SoundRecord {
        CString name;
        LPCSTR resource = nullptr;
        HMODULE module = nullptr;
        DWORD flags = 0;
    };
    struct MenuCallback {
        HWND wnd = nullptr;
        UINT message = 0;
        LPARAM lParam = 0;
    };

    CPoint m_ptImageOrg;
    CPoint m_ptPressedOffset;
    BOOL m_bIsFlat;
    BOOL m_bMouseOnButton;
    BOOL m_bDrawTransparent;
    BOOL m_bIsPressed;
    BOOL m_bIsFocused;
    BOOL m_bIsDisabled;
    BOOL m_bIsDefault;
    BOOL m_bIsCheckBox;
    BYTE m_byAlign;
    BOOL m_bDrawBorder;
    BOOL m_bDrawFlatFocus;
    COLORREF m_crColors[MAX_COLORS];
    HWND m_hParentWndMenu;
    BOOL m_bMenuDisplayed;
    BOOL m_bNormalBorder;
    CVXMenu m_menuPopup;
    HCURSOR m_hCursor;
    CToolTipCtrl m_ToolTip;
    CDC m_dcBk;
    CBitmap m_bmpBk;
    CBitmap* m_pbmpOldBk;
    BOOL m_bAlwaysTrack;
    int m_nCheck;
    char m_szURL[260];
    IconRecord m_csIcons[2];
    BitmapRecord m_csBitmaps[2];
    MenuCallback m_csCallbacks;
    SoundRecord m_csSounds[2];

private:
    void Repaint(BOOL repaint);
    void ClearHover();
    void CancelHover();
    void PlayRecordedSound(int which);
    void SetSoundRecord(SoundRecord& record, LPCSTR sound, HMODULE module, BOOL async);
    void DiscardBackground();
    int ImageIndex() const;
    void DrawRaisedEdge(CDC* pDC, const CRect& rect);
    void DrawCaption(CDC* pDC, BOOL pressed, BOOL disabled, CRect& itemRect, CRect& captionRect);
    void ShowDropDownMenu();
    UINT TrackDropDown(HMENU popup, const CRect& rect);
    void OpenURL();
    void FreeImageRecords();
};
