// CLegendWnd: the chart's legend, a grid of items for the points of the first
// series or for the series themselves.
#pragma once

#include "chart/ChartTypes.h"
#include "chart/ChartWndBase.h"
#include "chart/LegendText.h"

class AFX_EXT_CLASS CLegendWnd : public ChartWndBase {
public:
    CLegendWnd();
    ~CLegendWnd() override;

    virtual void SetLegendTextColor(COLORREF colour);
    virtual void SetLegendSeriesItemColor(COLORREF colour, int index);
    virtual COLORREF GetLegendSeriesItemColor(int index);
    virtual void SetLegendPointItemColor(COLORREF colour, int index);
    virtual COLORREF GetLegendPointItemColor(int index);

    void AddPointItem(CString& caption, COLORREF colour);
    void AddSeriesItem(CString& caption, COLORREF colour);
    void RemovePointItem(int index);
    void RemoveSeriesItem(int index);
    void Purge();
    void ShowPointLegend() { m_pointMode = TRUE; }
    void ShowSeriesLegend() { m_pointMode = FALSE; }
    BOOL IsPointLegend() const { return m_pointMode; }
    void SetLegendPosition(CHART_WINDOW_POSITION position) { m_position = position; }
    CHART_WINDOW_POSITION GetLegendPosition() const { return m_position; }
    void SetAutoHide(BYTE width, BYTE height);
    int GetPointItemCount() const { return (int)m_pointItems.GetSize(); }
    int GetSeriesItemCount() const { return (int)m_seriesItems.GetSize(); }
    CLegendText* GetPointItem(int index) const;
    CLegendText* GetSeriesItem(int index) const;

    int SetFont(BYTE size, const char* face, BYTE style) override;
    COLORREF SetWindowColor(COLORREF colour) override;
    void SetPrinting(CMemDC* dc) override;
    // The smallest rectangle that shows every item of the current list, or an
    // empty one when that would take more than the auto-hide share.
    void GetMinimumWindowRect(CRect* rect);
    void GetMinimumWindowRect(CRect& rect) { GetMinimumWindowRect(&rect); }
    void Draw(CMemDC* dc) override;

protected:
    CTypedPtrArray<CPtrArray, CLegendText*> m_pointItems;
    CTypedPtrArray<CPtrArray, CLegendText*> m_seriesItems;
    BOOL m_pointMode;
    int m_itemFontSize;
    CString m_itemFontFace;
    CHART_WINDOW_POSITION m_position;
    int m_autoHideWidth;
    int m_autoHideHeight;

    CLegendText* _CreateNewLegendItem(CString& caption, COLORREF colour);
    CTypedPtrArray<CPtrArray, CLegendText*>& CurrentItems();
    void RemoveItem(CTypedPtrArray<CPtrArray, CLegendText*>& items, int index);
    // Widest item and height of the first one of the current list.
    void ItemMeasures(int& width, int& height);
    bool IsSideways() const { return m_position == CHART_LEFT || m_position == CHART_RIGHT; }
    // Columns (rows when sideways) that fit the stored rectangle; 0 when none do.
    int FittingLines(int n, int width, int height);
    void _ArrangeHorizontal(CMemDC* dc);
    void _ArrangeVertical(CMemDC* dc);
    void PlaceItem(CLegendText* item, int x, int y);

    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};
