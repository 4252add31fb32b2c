// Shows the chart control in its kinds: a line chart, a 3-D bar chart, a pie,
// a rotated pie and a strip area chart fed by a timer. Hovering a point pops
// up its value; Ctrl-drag turns the 3-D charts.
//
//   mivo_chartdemo                    run until closed
//   MIVO_SHOT_COMMAND=cmd             run `cmd chartdemo` once the charts are drawn, then end
//   mivo_chartdemo --print out.pdf    print the bar chart to a PDF file (no dialog) and end
//   mivo_chartdemo --bmp out.bmp      save the bar chart as a .bmp file and end
#include "chart/VXChartCtrl.h"
#include "mivo/paths.h"
#include "mivo/testing/printdlg.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

namespace {

const UINT_PTR kStripTimer = 1, kShotTimer = 2;
const int kWidth = 960, kHeight = 660;

class DemoWindow : public CWnd {
public:
    CVXChartCtrl line, bar, pie, rotated, strip;
    double next = 0;
    int tick = 0;

    BOOL Make()
    {
        if (!CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW)), "Mivo 차트",
                      WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 20, 20, kWidth, kHeight, nullptr, nullptr))
            return FALSE;
        CRect client;
        GetClientRect(&client);
        const int w = client.Width() / 3, h = client.Height() / 2;
        MakeLine(CRect(0, 0, w, h));
        MakeBar(CRect(w, 0, 2 * w, h));
        MakePie(pie, CRect(2 * w, 0, client.Width(), h), 5, "원형 차트");
        MakePie(rotated, CRect(0, h, w, client.Height()), 6, "입체 원형 차트");
        MakeStrip(CRect(w, h, client.Width(), client.Height()));
        return TRUE;
    }

protected:
    void Common(CVXChartCtrl& chart, const CRect& place, int type, const char* title, const char* footer)
    {
        chart.Create(nullptr, "", WS_CHILD | WS_VISIBLE, place, this, 1000);
        chart.SetStyle(0x109);
        chart.SetChartType(type);
        chart.SetFont(9, "Arial", 0);
        chart.SetHeaderText(CHART_MIDDLE, (char*)title);
        chart.SetFooterText(CHART_RIGHT, (char*)footer);
        chart.SetHeaderTextColor(RGB(255, 230, 120));
        chart.SetWindowColor(RGB(16, 24, 48));
        chart.SetLineColor(RGB(200, 210, 230));
    }

    void MakeLine(const CRect& place)
    {
        Common(line, place, 1, "월별 방문자", "2026");
        line.ShowSeriesLegend();
        line.SetChartFillColor(RGB(30, 40, 80));
        line.AddDataSeries("사진", RGB(90, 200, 255));
        line.AddDataSeries("앨범", RGB(255, 140, 60));
        for (int i = 0; i < 12; ++i) {
            CDataPoint a(i, 40 + 30 * std::sin(i / 2.0) + i * 3, RGB(90, 200, 255), "");
            line.AddDataPoint(&a, 0);
            CDataPoint b(i, 20 + i * 4 + (i % 3) * 6, RGB(255, 140, 60), "");
            line.AddDataPoint(&b, 1);
        }
        CString format = "%.0f";
        line.SetAxisFormatString(AXIS_X, format);
        line.SetAxisFormatString(AXIS_Y, format);
        CString yTitle = "명";
        line.SetAxisText(AXIS_Y, &yTitle);
        line.SetAxisStyleX(0xB9 | AXIS_AUTO_SCALE);
        line.SetAxisStyleY(0x4B9 | AXIS_AUTO_SCALE);
        line.UpdateWindow();
    }

    void MakeBar(const CRect& place)
    {
        Common(bar, place, 2, "분기별 인화 주문", "단위: 장");
        bar.SetChartFillColor(RGB(60, 70, 110));
        bar.SetCustomChartStyle(0x1000);
        bar.ShowSeriesLegend();
        const char* quarters[] = {"Q1", "Q2", "Q3", "Q4"};
        const COLORREF colours[] = {RGB(80, 170, 250), RGB(250, 120, 90)};
        const char* names[] = {"4x6", "5x7"};
        for (int s = 0; s < 2; ++s) {
            bar.AddDataSeries(names[s], colours[s]);
            for (int i = 0; i < 4; ++i) {
                CDataPoint p(i, 3 + i * 2 + s * 3 - (i == 2) * 4, colours[s], quarters[i]);
                bar.AddDataPoint(&p, s);
            }
        }
        CString format = "%.0f", blank = " ";
        bar.SetAxisFormatString(AXIS_Y, format);
        // Room under the bars for the quarter captions, without numbers there.
        bar.SetAxisFormatString(AXIS_X, blank);
        bar.SetAxisStyleX(0x1E3 | AXIS_LABELS);
        bar.SetAxisStyleY(0x4B9 | AXIS_AUTO_SCALE | AXIS_ZERO_BASED);  // bars stand on the floor
        bar.UpdateWindow();
    }

    void MakePie(CVXChartCtrl& chart, const CRect& place, int type, const char* title)
    {
        Common(chart, place, type, title, "");
        chart.ShowFooter(FALSE);
        chart.SetLegendAutoHide(100, 40);
        chart.AddDataSeries("형식", 0);
        struct Slice {
            const char* name;
            double value;
            COLORREF colour;
        } slices[] = {{"JPEG", 52, RGB(240, 90, 80)},  {"BMP", 12, RGB(90, 200, 120)},
                      {"GIF", 8, RGB(250, 200, 60)},   {"기타", 5, RGB(140, 120, 230)},
                      {"RAW", 23, RGB(80, 170, 250)}};
        for (const Slice& s : slices) {
            CDataPoint p(0, s.value, s.colour, s.name);
            chart.AddDataPoint(&p, 0);
        }
        chart.UpdateWindow();
    }

    void MakeStrip(const CRect& place)
    {
        Common(strip, place, 32, "실시간 처리량", "최근 30초");
        strip.ShowLegend(FALSE);
        strip.SetChartFillColor(RGB(24, 36, 70));
        strip.AddDataSeries("처리량", RGB(60, 220, 140));
        CString format = "%.0f";
        strip.SetAxisFormatString(AXIS_Y, format);
        strip.SetAxisStyleX(0xB9 | AXIS_AUTO_SCALE);
        strip.SetAxisScale(AXIS_Y, 0, 100);
        strip.SetScaleStep(AXIS_Y, 10, 20);
        next = (double)time(nullptr);
        for (int i = 0; i < 24; ++i)
            Feed();
        SetTimer(kStripTimer, 500, nullptr);
    }

    void Feed()
    {
        next += 1;
        ++tick;
        CDataPoint p(next, 50 + 30 * std::sin(tick / 3.0) + (tick * 37 % 11), RGB(60, 220, 140), "");
        strip.AddDataPoint(&p, 0);
        strip.UpdateWindow();
    }

    afx_msg void OnTimer(UINT_PTR id)
    {
        if (id == kStripTimer)
            Feed();
    }
    afx_msg LRESULT OnPopupText(WPARAM wParam, LPARAM lParam)
    {
        auto* point = (CDataPoint*)wParam;
        auto* text = (CString*)lParam;
        if (point && text) {
            if (point->m_sCaption.IsEmpty())
                text->Format("값 %.1f", point->m_dY);
            else
                text->Format("%s: %.1f", (const char*)point->m_sCaption, point->m_dY);
        }
        return 0;
    }
    afx_msg void OnDestroy()
    {
        KillTimer(kStripTimer);
        ::PostQuitMessage(0);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DemoWindow, CWnd)
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_CHART_GET_POPUP_TEXT, OnPopupText)
END_MESSAGE_MAP()

void Pump(int milliseconds)
{
    DWORD until = ::GetTickCount() + (DWORD)milliseconds;
    while ((int)(until - ::GetTickCount()) > 0) {
        MSG msg;
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
        ::Sleep(20);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    DemoWindow window;
    if (!window.Make()) {
        std::fprintf(stderr, "the demo window could not be made\n");
        return 1;
    }
    window.ShowWindow(SW_SHOW);
    window.CWnd::UpdateWindow();
    std::string option = argc > 2 ? argv[1] : "";
    if (option == "--print" || option == "--bmp") {
        Pump(300);
        int failed = 1;
        std::string target = mivo::FromPosixPath(argv[2]);
        if (option == "--print") {
            mivo::SetPrintDialogHook([target](const PRINTDLGA&, mivo::PrintDialogAnswer& answer) {
                answer.outputFile = target;
            });
            window.bar.Print();
            mivo::SetPrintDialogHook(nullptr);
            failed = 0;
        } else {
            CString path = target.c_str();
            failed = window.bar.ExportBMPToFile(&path);
        }
        window.DestroyWindow();
        return failed;
    }
    if (const char* command = std::getenv("MIVO_SHOT_COMMAND")) {
        Pump(2500);
        std::string line = std::string(command) + " chartdemo";
        int result = std::system(line.c_str());
        window.DestroyWindow();
        return result == 0 ? 0 : 1;
    }
    MSG msg;
    while (::GetMessage(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    return 0;
}
