// CVXChartCtrl: the chart control. A child window holding a header and a
// footer title, a legend and the plot; it forwards the program's calls to
// them, passes point messages on to its parent, prints itself on one page and
// saves itself as a .bmp file.
#pragma once

#include "chart/ChartPlotWnd.h"
#include "chart/LegendWnd.h"
#include "chart/TitleWnd.h"
#include "controls/MemDC.h"

class AFX_EXT_CLASS CVXChartCtrl : public CWnd {
public:
    CVXChartCtrl();
    ~CVXChartCtrl() override;

    virtual void UpdateWindow();
    virtual void Invalidate(BOOL erase = TRUE);

    // Data.
    int AddDataSeries(CString caption, COLORREF colour);
    int AddDataPoint(CDataPoint* point, int series);
    int RemoveDataPoint(int point, int series);
    CDataSeries* GetDataSeries(int index);
    int GetNumOfDataPoints(int series);
    void GetRangeInDataSeries(int series, double& min, double& max, AXIS axis);
    void GetXAxisRange(double& min, double& max);
    void GetYAxisRange(double& min, double& max);
    void SetDataSeriesColor(COLORREF colour, int series);
    COLORREF GetDataSeriesColor(int series);
    void SetDataSeriesCaption(CString caption, int series);
    CString GetDataSeriesCaption(int series);
    void SetCustomChartStyle(WORD style);
    WORD GetCustomChartStyle();
    int GetCount();
    void Purge();

    // Axes.
    void GetAxisScale(AXIS axis, double& min, double& max);
    void SetAxisScale(AXIS axis, double min, double max);
    void SetScaleStep(AXIS axis, double minor, double major);
    void GetScaleStep(AXIS axis, double& minor, double& major);
    void SetAxisText(AXIS axis, CString* text);
    void SetAxisFormatString(AXIS axis, CString& format);
    void SetLineColor(COLORREF colour);
    COLORREF GetLineColor();
    COLORREF GetChartFillColor();
    void SetChartFillColor(COLORREF colour);
    BYTE GetDepth();
    double GetHorzRotation();
    double GetVertRotation();
    void SetDepth(BYTE depth);
    void SetHorzRotation(double degrees);
    void SetVertRotation(double degrees);
    DWORD _GetAxisStyle(AXIS axis);
    DWORD GetAxisStyleX();
    DWORD GetAxisStyleY();
    void SetAxisStyleX(DWORD style);
    void SetAxisStyleY(DWORD style);
    void _SetAxisStyle(DWORD style);

    // Windows.
    void SetHeaderText(CHART_WINDOW_POSITION position, CString& text);
    void SetHeaderText(CHART_WINDOW_POSITION position, const char* text);
    void SetFooterText(CHART_WINDOW_POSITION position, CString& text);
    void SetFooterText(CHART_WINDOW_POSITION position, const char* text);
    void SetHeaderTextColor(COLORREF colour);
    void SetFooterTextColor(COLORREF colour);
    void SetWindowColor(COLORREF colour);
    COLORREF GetWindowColor();
    void SetFont(int size, const char* face, BYTE style);
    void ShowHeader(BOOL show);
    void ShowFooter(BOOL show);
    void ShowLegend(BOOL show);
    void ShowSeriesLegend();
    void ShowPointLegend();
    void SetLegendPosition(CHART_WINDOW_POSITION position);
    void SetLegendAutoHide(BYTE width, BYTE height);
    void SetLegendSeriesItemColor(COLORREF colour, int index);
    void SetStyle(STYLES style);
    STYLES GetStyle();
    int SetChartType(int type);
    int GetChartType() const { return m_chartType; }

    // Printing and export.
    void Print();
    int ExportBMPToFile(CString* path);
    static HANDLE DDBToDIB(CBitmap& bitmap, DWORD compression, CPalette* palette);
    static int WriteDIB(CString* path, HANDLE dib);

    // The parts, for programs that style them further.
    CTitleWnd& GetHeader() { return m_header; }
    CTitleWnd& GetFooter() { return m_footer; }
    CLegendWnd& GetLegend() { return m_legend; }
    ChartPlotWnd& GetPlot() { return m_plot; }
    const CRect& GetHeaderRect() const { return m_headerRect; }
    const CRect& GetFooterRect() const { return m_footerRect; }
    const CRect& GetLegendRect() const { return m_legendRect; }
    const CRect& GetChartRect() const { return m_chartRect; }

protected:
    CTitleWnd m_header;
    CTitleWnd m_footer;
    CLegendWnd m_legend;
    ChartPlotWnd m_plot;
    CRect m_headerRect, m_footerRect, m_legendRect, m_chartRect;
    int m_chartType;
    BOOL m_headerShown, m_footerShown, m_legendShown;
    CHART_WINDOW_POSITION m_legendPosition;
    std::unique_ptr<CMemDC> m_pPrintDC;
    CFont m_printFont;

    void _AutoScale(DWORD style);
    void _RecalculateAllWindows(CRect* area = nullptr);
    void _RecalculateLegend(const CRect& layout);
    void _RecalculateHeader(const CRect& layout);
    void _RecalculateFooter(const CRect& layout);
    void _RecalculateChart();
    int _OnPreparePrinting(CRect& page);
    void _OnBeginPrinting(CRect& page);
    int _OnEndPrinting();
    void SetPrintingOnParts(CMemDC* dc);
    void SendSizeToSelf();
    bool Ignores3DSettings() const;
    static void SetTitleText(CTitleWnd& title, CHART_WINDOW_POSITION position, CString text);

    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnRButtonDown(UINT flags, CPoint point);
    afx_msg LRESULT OnChartUpdate(WPARAM, LPARAM);
    afx_msg LRESULT OnGetPopupText(WPARAM, LPARAM);
    afx_msg LRESULT OnPointDblClk(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()
};
