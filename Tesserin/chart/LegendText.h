// CLegendText: one legend item, a marker followed by a caption.
#pragma once

#include "chart/ChartWndBase.h"
#include "chart/Shape.h"

class AFX_EXT_CLASS CLegendText : public ChartWndBase {
public:
    CLegendText();
    ~CLegendText() override;

    virtual BOOL Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    // The framework's general Create makes no item.
    BOOL Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                CCreateContext* context = nullptr) override;

    void SetWindowTextA(const char* text);
    void SetWindowTextA(CString* text);
    void SetWindowTextA(CString text);
    const CString& GetCaption() const { return m_caption; }

    // Measures the caption with `dc` (or as on screen when null).
    void RecalculateSize(CMemDC* dc);
    // The caption's rectangle with room for the gap and the marker.
    void GetClientRect(RECT* rect) const;

    int SetFont(BYTE size, const char* face, BYTE style) override;
    COLORREF SetItemColor(COLORREF colour);
    COLORREF SetBorderColor(COLORREF colour);
    COLORREF SetLineColor(COLORREF colour);
    COLORREF SetBackgroundColor(COLORREF colour);
    COLORREF SetTextColor(COLORREF colour) override;
    COLORREF GetItemColor() const { return m_itemColor; }
    void SetItemStyle(BYTE style);
    void SetLineStyle(BYTE style);
    BYTE GetItemStyle() const { return m_itemStyle; }
    BYTE GetLineStyle() const { return m_lineStyle; }
    void SetPrinting(CMemDC* dc) override;
    void Draw(CMemDC* dc) override;

    CFont* GetItemFont() const { return m_pItemFont.get(); }
    CShape& GetMarker() { return m_marker; }

protected:
    CString m_caption;
    CShape m_marker;
    CRect m_textRect;
    COLORREF m_itemColor;
    COLORREF m_borderColor;
    COLORREF m_lineColor;
    COLORREF m_backgroundColor;
    std::unique_ptr<CFont> m_pItemFont;
    BYTE m_itemStyle;
    BYTE m_lineStyle;
    BOOL m_created;

    void _CalculateClientRect();
    void MeasureWith(CDC* dc);
    int Gap(int textHeight) const;

    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};
