#include "dialogs/DlgSelDate.h"

#include "dialogs/DialogButtons.h"
#include "res/resource.h"

#include <cstdlib>
#include <cstring>

namespace {

// Dates before this year are taken as "no date" (the zero date lies in 1899).
const int kFirstUsableYear = 1902;
const int kDateLength = 10;     // "%Y-%m-%d"
const int kTimeLength = 8;      // "%H:%M:%S"
const int kCompactDateLength = 8;
const int kCompactMonthLength = 6;
const int kMonthLength = 7;     // "%Y-%m"

bool HasChars(const char* text, size_t n)
{
    return text && strnlen(text, n) == n;
}

int Number(const char* text, int digits)
{
    char part[8] = {};
    memcpy(part, text, digits);
    return atoi(part);
}

// A date at midnight from "%Y-%m-%d", a time on 1 January 2000 from "%H:%M:%S", else the zero
// date. A text shorter than its form is never read past its end.
COleDateTime DateFromText(const char* text)
{
    if (HasChars(text, kDateLength) && text[4] == '-')
        return COleDateTime(Number(text, 4), Number(text + 5, 2), Number(text + 8, 2), 0, 0, 0);
    if (HasChars(text, kTimeLength) && text[2] == ':')
        return COleDateTime(2000, 1, 1, Number(text, 2), Number(text + 3, 2), Number(text + 6, 2));
    return COleDateTime();
}

// The dashed form of a compact date; empty when the text is too short to hold one.
CString DashedFromCompact(const char* compact, bool monthOnly)
{
    const int length = monthOnly ? kCompactMonthLength : kCompactDateLength;
    if (!HasChars(compact, length))
        return CString();
    CString dashed(compact, 4);
    dashed += '-';
    dashed += CString(compact + 4, 2);
    dashed += '-';
    dashed += monthOnly ? CString("01") : CString(compact + 6, 2);
    return dashed;
}

bool RunPicker(CDlgSelDate& dlg, const char* initial, CWnd* anchor)
{
    dlg.m_pszInitial = initial;
    dlg.m_pAnchor = anchor;
    return dlg.DoModal() == IDOK;
}

char* Deliver(char* out, const char* text, int length, CWnd* anchor)
{
    memcpy(out, text, length);
    out[length] = '\0';
    if (anchor && ::IsWindow(anchor->GetSafeHwnd()))
        anchor->SetWindowText(out);
    return out;
}

}  // namespace

IMPLEMENT_DYNAMIC(CDlgSelDate, CDialog)

BEGIN_MESSAGE_MAP(CDlgSelDate, CDialog)
    ON_NOTIFY(MCN_SELECT, IDC_SELDATE_CALENDAR, OnSelect)
END_MESSAGE_MAP()

CDlgSelDate::CDlgSelDate(CWnd* parent)
    : CDialog(IDD_SEL_DATE, parent), m_dtSelected(COleDateTime::GetCurrentTime()), m_pAnchor(nullptr),
      m_pszInitial(nullptr), m_szResultDate(), m_szResultCompact()
{
}

void CDlgSelDate::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SELDATE_CALENDAR, m_calendar);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
}

BOOL CDlgSelDate::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetupDialogButton(m_btnOK);
    SetupDialogButton(m_btnCancel);
    if (m_pAnchor && ::IsWindow(m_pAnchor->GetSafeHwnd()))
        PlaceAtAnchor();

    COleDateTime start = m_pszInitial && *m_pszInitial ? DateFromText(m_pszInitial) : COleDateTime::GetCurrentTime();
    if (start.GetStatus() == COleDateTime::valid && start.GetYear() >= kFirstUsableYear)
        m_dtSelected = start;
    m_calendar.SetCurSel(m_dtSelected);
    m_calendar.SetFocus();
    return FALSE;
}

// Top-left at the anchor's bottom-left; above the anchor when the bottom of the screen is in
// the way, flush with the right edge when that is; never off the top or left.
void CDlgSelDate::PlaceAtAnchor()
{
    CRect anchor, self;
    m_pAnchor->GetWindowRect(&anchor);
    GetWindowRect(&self);
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    int x = anchor.left;
    int y = anchor.bottom;
    if (y + self.Height() > screenHeight)
        y = anchor.top - self.Height();
    if (x + self.Width() > screenWidth)
        x = screenWidth - self.Width();
    SetWindowPos(nullptr, x < 0 ? 0 : x, y < 0 ? 0 : y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void CDlgSelDate::MoveSelection(int days)
{
    COleDateTime day;
    if (!m_calendar.GetCurSel(day))
        return;
    m_calendar.SetCurSel(day + COleDateTimeSpan(days, 0, 0, 0));
}

BOOL CDlgSelDate::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && m_calendar.GetSafeHwnd() && ::GetFocus() == m_calendar.GetSafeHwnd()) {
        switch (pMsg->wParam) {
        case VK_LEFT: MoveSelection(-1); return TRUE;
        case VK_RIGHT: MoveSelection(1); return TRUE;
        case VK_UP: MoveSelection(-7); return TRUE;
        case VK_DOWN: MoveSelection(7); return TRUE;
        case VK_RETURN: OnOK(); return TRUE;
        default: break;
        }
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CDlgSelDate::OnSelect(NMHDR*, LRESULT* result)
{
    *result = 0;
    OnOK();
}

void CDlgSelDate::OnOK()
{
    m_calendar.GetCurSel(m_dtSelected);
    lstrcpyn(m_szResultDate, m_dtSelected.Format("%Y-%m-%d"), sizeof(m_szResultDate));
    lstrcpyn(m_szResultCompact, m_dtSelected.Format("%Y%m%d"), sizeof(m_szResultCompact));
    EndDialog(IDOK);
}

char* SelectDate(char* out, const char* initial, CWnd* anchor)
{
    CDlgSelDate dlg;
    if (!RunPicker(dlg, initial, anchor))
        return nullptr;
    return Deliver(out, dlg.m_szResultDate, kDateLength, anchor);
}

char* SelectCompactDate(char* out, const char* initial, CWnd* anchor)
{
    CDlgSelDate dlg;
    CString dashed = DashedFromCompact(initial, false);
    if (!RunPicker(dlg, dashed, anchor))
        return nullptr;
    return Deliver(out, dlg.m_szResultCompact, kCompactDateLength, anchor);
}

char* SelectMonth(char* out, const char* initial, CWnd* anchor)
{
    CDlgSelDate dlg;
    CString dashed = initial ? initial : "";
    if (!dashed.IsEmpty())
        dashed += "-01";
    if (!RunPicker(dlg, dashed, anchor))
        return nullptr;
    return Deliver(out, dlg.m_szResultDate, kMonthLength, anchor);
}

char* SelectCompactMonth(char* out, const char* initial, CWnd* anchor)
{
    CDlgSelDate dlg;
    CString dashed = DashedFromCompact(initial, true);
    if (!RunPicker(dlg, dashed, anchor))
        return nullptr;
    return Deliver(out, dlg.m_szResultCompact, kCompactMonthLength, anchor);
}
