#include "editor/DlgImgHistogram.h"

#include "editor/EditorDialogs.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(CDlgImgHistogram, CVXDialog)

BEGIN_MESSAGE_MAP(CDlgImgHistogram, CVXDialog)
    ON_WM_PAINT()
    ON_NOTIFY(TCN_SELCHANGE, IDC_HG_TABS, OnTabChange)
END_MESSAGE_MAP()

namespace {
const char* const kTabNames[CDlgImgHistogram::kTables] = {"Gray", "Red", "Green", "Blue"};
const COLORREF kBarColours[CDlgImgHistogram::kTables] = {RGB(0xA0, 0xA0, 0xA0), RGB(0xFF, 0, 0), RGB(0, 0xFF, 0),
                                                         RGB(0, 0, 0xFF)};
const int kTabTables[CDlgImgHistogram::kTables] = {0, 3, 2, 1};
const int kGridStep = 32;
}  // namespace

CDlgImgHistogram::CDlgImgHistogram(CWnd* pParent)
    : CVXDialog(IDD_IMG_HISTOGRAM, pParent), m_nChannel(0), m_pHistogram(nullptr)
{
    m_strProfileName = "ImgHistogram";
    m_nIconID = 128;
}

CDlgImgHistogram::~CDlgImgHistogram() = default;

int CDlgImgHistogram::TableOfTab(int tab)
{
    return tab >= 0 && tab < kTables ? kTabTables[tab] : 0;
}

void CDlgImgHistogram::DoDataExchange(CDataExchange* pDX)
{
    CVXDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnClose);
    DDX_Control(pDX, IDC_HG_TABS, m_tabs);
}

BOOL CDlgImgHistogram::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    editor_dialogs::StyleButton(m_btnClose, IDI_BUTTON_OK);
    for (int i = 0; i < kTables; ++i) {
        TCITEM item = {};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = const_cast<char*>(kTabNames[i]);
        item.iImage = -1;
        m_tabs.SendMessage(TCM_INSERTITEM, (WPARAM)i, (LPARAM)&item);
    }
    LoadProfile();
    return TRUE;
}

void CDlgImgHistogram::OnTabChange(NMHDR*, LRESULT* pResult)
{
    m_nChannel = m_tabs.GetCurSel();
    if (m_nChannel < 0 || m_nChannel >= kTables)
        m_nChannel = 0;
    Invalidate(FALSE);
    UpdateWindow();
    *pResult = 0;
}

void CDlgImgHistogram::OnPaint()
{
    CPaintDC dc(this);
    const CRect placed = editor_dialogs::ChildRect(this, IDC_HG_CHART);
    const CRect chart(placed.left, placed.top, placed.left + kLevels, placed.top + kLevels);
    if (CWnd* area = GetDlgItem(IDC_HG_CHART))
        area->MoveWindow(chart, FALSE);
    dc.FillSolidRect(chart, ::GetSysColor(COLOR_WINDOW));

    CPen grid(PS_DOT, 1, RGB(0x80, 0x80, 0x80));
    CPen* old = dc.SelectObject(&grid);
    for (int k = 0; k < kLevels / kGridStep; ++k) {
        dc.MoveTo(chart.left + kGridStep * k, chart.top);
        dc.LineTo(chart.left + kGridStep * k, chart.top + kLevels);
        dc.MoveTo(chart.left, chart.top + kGridStep * k);
        dc.LineTo(chart.left + kLevels, chart.top + kGridStep * k);
    }
    CPen bars(PS_SOLID, 1, kBarColours[m_nChannel]);
    dc.SelectObject(&bars);
    if (m_pHistogram) {
        const int* table = m_pHistogram + TableOfTab(m_nChannel) * kLevels;
        for (int i = 0; i < kLevels; ++i) {
            int v = table[i];
            if (v <= 0)
                continue;
            // Producers scale to 0..255; anything above still stays inside.
            v = min(v, kLevels);
            dc.MoveTo(chart.left + i, chart.top + kLevels - 1);
            dc.LineTo(chart.left + i, chart.top + kLevels - v);
        }
    }
    dc.SelectObject(old);
}
