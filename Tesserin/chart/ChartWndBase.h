// ChartWndBase: the base of every child window of the chart control. Keeps
// colours and font, hands mouse clicks on to the parent, never erases, and
// draws through a virtual Draw so that each part paints the same way on
// screen, on a printer and into an exported bitmap.
#pragma once

#include "mfc.h"

#include <memory>

class CMemDC;

class AFX_EXT_CLASS ChartWndBase : public CWnd {
public:
    ChartWndBase();
    ~ChartWndBase() override;

    virtual void SetPrinting(CMemDC* dc);
    virtual void SetInitialWindowSize(CRect* rect);
    // Size in points, face and style (0x1 bold, 0x2 italic, 0x4 underline).
    // Returns 0, or 1 when no font object could be made.
    virtual int SetFont(BYTE size, const char* face, BYTE style);
    virtual COLORREF SetTextColor(COLORREF colour);
    virtual COLORREF GetTextColor();
    virtual COLORREF SetWindowColor(COLORREF colour);
    virtual COLORREF GetWindowColor();
    virtual void Draw(CMemDC* dc);
    virtual CFont* GetFont();
    // Height of "X" in the window's font; 0 without a font.
    virtual int GetFontHeight();
    virtual BYTE GetFontSize();
    virtual CString GetFontFace();

    BOOL IsPrinting() const { return m_pPrintDC != nullptr; }
    const CRect& GetStoredRect() const { return m_rect; }

    // A LOGFONT of `size` points (tenths in lfHeight, as CreatePointFontIndirect
    // wants), with the face cut to the field without splitting a character.
    static void MakeLogFont(BYTE size, const char* face, BYTE style, LOGFONT& lf);

protected:
    CRect m_rect;
    COLORREF m_windowColor;
    COLORREF m_textColor;
    std::unique_ptr<CFont> m_pFont;
    BYTE m_fontSize;
    CString m_fontFace;
    BYTE m_fontStyle;
    CMemDC* m_pDrawDC;
    CMemDC* m_pPrintDC;
    // The window's font made again for the printer, so that text keeps its size on paper.
    CFont m_printFont;

    // The font to draw with: the printer's copy while printing.
    CFont* DrawingFont();

    // Makes `font` from the LOGFONT for this window's client DC (the screen before creation).
    BOOL CreateFontFor(CFont& font, const LOGFONT& lf);
    // Paints through Draw into a memory DC the size of the client area.
    void PaintThroughDraw();
    void ForwardToParent(UINT message, UINT flags, CPoint point);

    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnRButtonDown(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    DECLARE_MESSAGE_MAP()
};
