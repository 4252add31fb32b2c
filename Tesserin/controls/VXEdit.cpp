#include "controls/VXEdit.h"

#include "controls/ControlSupport.h"

#include <ctime>

IMPLEMENT_DYNCREATE(CVXEdit, CEdit)

BEGIN_MESSAGE_MAP(CVXEdit, CEdit)
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_CHAR()
    ON_WM_KEYDOWN()
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

namespace {

bool IsPrintable(UINT c)
{
    return c >= 0x20 && c <= 0x7E;
}

bool IsAsciiDigit(UINT c)
{
    return c >= '0' && c <= '9';
}

bool IsAsciiLetter(UINT c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

CString Today(const char* format)
{
    std::time_t now = std::time(nullptr);
    std::tm local;
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof(text), format, &local);
    return CString(text);
}

char LocaleSeparator(LCTYPE type, char fallback)
{
    char text[8] = {0};
    return GetLocaleInfo(LOCALE_USER_DEFAULT, type, text, sizeof(text)) > 1 ? text[0] : fallback;
}

}  // namespace

CVXEdit::CVXEdit()
    : m_bNumeric(FALSE), m_bMask(FALSE), m_bDate(FALSE), m_bMonth(FALSE), m_bSending(FALSE),
      m_strHourLimit("47"), m_strMinuteLimit("59"), m_dValue(0.0), m_nMenuId(0), m_skipTrailByte(false)
{
    m_number.point = LocaleSeparator(LOCALE_SDECIMAL, '.');
    char comma = LocaleSeparator(LOCALE_STHOUSAND, ',');
    m_number.comma = comma == m_number.point ? ',' : comma;
}

CVXEdit::~CVXEdit() = default;

CVXEdit& CVXEdit::operator=(const CVXEdit& other)
{
    if (this == &other)
        return *this;
    ChangeBackColor(other.m_colours.Current());
    m_colours.SetText(other.m_colours.Text());
    if (other.m_font.GetSafeHandle()) {
        CopyControlFont(m_font, other.m_font);
        if (m_hWnd)
            SetFont(&m_font, TRUE);
    }
    return *this;
}

// --- mask, date and month modes

void CVXEdit::SetMask(LPCSTR mask, LPCSTR literals, LPCSTR valid)
{
    m_bMask = m_bDate = m_bMonth = FALSE;
    if (!mask || !*mask)
        return;
    m_strMask = mask;
    m_strLiteral = (literals && (int)strlen(literals) == m_strMask.GetLength()) ? literals : "";
    m_strValid = valid ? valid : "";
    m_bMask = TRUE;
}

void CVXEdit::SetDateMode(BOOL setText)
{
    SetMask("0000-00-00", "____-__-__");
    m_bDate = TRUE;
    m_strShadow = m_strRestore = Today("%Y-%m-%d");
    if (setText && m_hWnd)
        SetWindowText(m_strShadow);
}

void CVXEdit::SetMonthMode(BOOL setText)
{
    SetMask("0000-00", "____-__");
    m_bMonth = TRUE;
    m_strShadow = m_strRestore = Today("%Y-%m");
    if (setText && m_hWnd)
        SetWindowText(m_strShadow);
}

CString CVXEdit::GetEditDate()
{
    return m_bDate ? m_strShadow : CString();
}

CString CVXEdit::GetEditMonth()
{
    return m_bMonth ? m_strShadow : CString();
}

CString CVXEdit::GetEditCompactDate()
{
    if (!m_bDate || !m_hWnd)
        return CString();
    CString text;
    GetWindowText(text);
    text.Remove('-');
    return text;
}

CString CVXEdit::GetEditCompactMonth()
{
    if (!m_bMonth || !m_hWnd)
        return CString();
    CString text;
    GetWindowText(text);
    text.Remove('-');
    return text;
}

void CVXEdit::SetDashedDate(CString dashed)
{
    m_strShadow = m_strRestore = dashed;
    if (m_hWnd)
        SetWindowText(dashed);
}

// Text too short to hold the digits is left alone rather than cut into a broken date.
void CVXEdit::SetEditCompactDate(CString text)
{
    if (m_bDate && text.GetLength() >= 8)
        SetDashedDate(text.Left(4) + "-" + text.Mid(4, 2) + "-" + text.Mid(6, 2));
}

void CVXEdit::SetEditCompactMonth(CString text)
{
    if (m_bMonth && text.GetLength() >= 6)
        SetDashedDate(text.Left(4) + "-" + text.Mid(4, 2));
}

void CVXEdit::SendChar(UINT c)
{
    BOOL wasSending = m_bSending;
    m_bSending = TRUE;
    SendMessage(WM_CHAR, c, 1);
    m_bSending = wasSending;
}

void CVXEdit::Beep() const
{
    MessageBeep((UINT)-1);
}

int CVXEdit::CaretPos() const
{
    int start = 0, end = 0;
    GetSel(start, end);
    return end;
}

char CVXEdit::ShadowAt(int pos) const
{
    return pos < m_strShadow.GetLength() ? m_strShadow[pos] : 0;
}

int CVXEdit::CheckChar(UINT nChar)
{
    if (!m_bMask || !IsPrintable(nChar))
        return 1;
    int pos = CaretPos();
    SetSel(pos, pos);
    if (pos >= m_strMask.GetLength()) {
        Beep();
        return 0;
    }
    if (!m_strLiteral.IsEmpty() && m_strLiteral[pos] != '_') {
        SendChar((BYTE)m_strLiteral[pos]);
        pos = CaretPos();
        // The literal may have been the last position.
        if (pos >= m_strMask.GetLength()) {
            Beep();
            return 0;
        }
    }
    if (m_strValid.Find((char)nChar) >= 0)
        return 1;
    return CheckMaskLetter(pos, nChar) ? 1 : 0;
}

bool CVXEdit::CheckMaskLetter(int pos, UINT c)
{
    bool ok = false;
    switch (m_strMask[pos]) {
    case '0':
        if (IsAsciiDigit(c))
            return CheckDigitRange(pos, c);
        break;
    case '#':
        ok = IsAsciiDigit(c) || c == ' ';
        break;
    case '9':
        ok = IsAsciiDigit(c);
        break;
    case '&':
        ok = true;
        break;
    case '?':
        ok = IsAsciiLetter(c) || c == ' ';
        break;
    case 'A':
        ok = IsAsciiLetter(c) || IsAsciiDigit(c);
        break;
    case 'L':
        ok = IsAsciiLetter(c);
        break;
    case 'a':
        ok = IsAsciiLetter(c) || IsAsciiDigit(c) || c == ' ';
        break;
    }
    if (!ok)
        Beep();
    return ok;
}

// Position `first` may not exceed the limit's first digit, the next one its
// second digit once the first equals it.
bool CVXEdit::CheckLimit(int pos, UINT c, const CString& limit, int first) const
{
    if (limit.GetLength() < 2)
        return true;
    if (pos == first)
        return c <= (UINT)(BYTE)limit[0];
    if (pos == first + 1 && first < m_strShadow.GetLength() && ShadowAt(first) == limit[0])
        return c <= (UINT)(BYTE)limit[1];
    return true;
}

// Range refusals are silent: the digit is plausible, only out of range.
bool CVXEdit::CheckDigitRange(int pos, UINT c) const
{
    if (!m_bDate && !m_bMonth)
        return CheckLimit(pos, c, m_strHourLimit, 0) && CheckLimit(pos, c, m_strMinuteLimit, 3);
    if (pos == 5)
        return c <= '1';
    if (pos == 6 && m_strShadow.GetLength() > 5) {
        if (ShadowAt(5) == '1')
            return c < '3';
        if (ShadowAt(5) == '0')
            return c != '0';
    }
    if (!m_bDate)
        return true;
    if (pos == 8)
        return c < '4';
    if (pos == 9 && m_strShadow.GetLength() > 8) {
        if (ShadowAt(8) == '3')
            return c < '4';
        if (ShadowAt(8) == '0')
            return c != '0';
    }
    return true;
}

// --- typing

bool CVXEdit::NumericTyping() const
{
    return m_bNumeric && m_hWnd && !(GetStyle() & ES_READONLY);
}

void CVXEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    nChar &= 0xFF;
    if (m_skipTrailByte) {
        m_skipTrailByte = false;
        return;
    }
    if (NumericTyping()) {
        if (IsDBCSLeadByte((BYTE)nChar))
            m_skipTrailByte = true;
        else
            NumericKey(false, nChar);
        return;
    }
    if (!m_bMask) {
        DefWindowProc(WM_CHAR, nChar, MAKELPARAM(nRepCnt, nFlags));
        return;
    }
    MaskChar(nChar, nRepCnt, nFlags);
}

void CVXEdit::MaskChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // A double-byte character never fits a mask letter: refuse both its bytes.
    if (nChar >= 0x80 && !m_bSending) {
        Beep();
        m_skipTrailByte = IsDBCSLeadByte((BYTE)nChar) != FALSE;
        return;
    }
    if (!m_bSending && !CheckChar(nChar))
        return;
    if (IsPrintable(nChar)) {
        Overwrite(nChar, nRepCnt, nFlags);
        if (!m_bSending)
            TypeFollowingLiteral();
        return;
    }
    if (nChar == VK_BACK) {
        MaskBackspace();
        return;
    }
    DefWindowProc(WM_CHAR, nChar, MAKELPARAM(nRepCnt, nFlags));
}

void CVXEdit::Overwrite(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    int pos = CaretPos();
    SetSel(pos, pos + 1);
    Clear();
    if (pos < m_strShadow.GetLength())
        m_strShadow.SetAt(pos, (char)nChar);
    else if (pos == m_strShadow.GetLength())
        m_strShadow += (char)nChar;
    DefWindowProc(WM_CHAR, nChar, MAKELPARAM(nRepCnt, nFlags));
}

void CVXEdit::TypeFollowingLiteral()
{
    int pos = CaretPos();
    if (pos < m_strLiteral.GetLength() && m_strLiteral[pos] != '_')
        SendChar((BYTE)m_strLiteral[pos]);
}

void CVXEdit::MaskBackspace()
{
    int start = 0, end = 0;
    GetSel(start, end);
    if (start != end || end < 1 || end > m_strShadow.GetLength()) {
        Beep();
        return;
    }
    SendMessage(WM_KEYDOWN, VK_LEFT, 1);
    if (end - 1 < m_strRestore.GetLength()) {
        SendChar((BYTE)m_strRestore[end - 1]);
        SendMessage(WM_KEYDOWN, VK_LEFT, 1);
    }
}

void CVXEdit::NumericKey(bool deleteKey, UINT nChar)
{
    CString shown;
    GetWindowText(shown);
    CNumericText::Edit edit;
    edit.text = (const char*)shown;
    GetSel(edit.start, edit.end);
    if (deleteKey)
        m_number.Delete(edit);
    else if (!m_number.Type(edit, (unsigned char)nChar))
        return;
    if (edit.text != (const char*)shown)
        SetWindowText(edit.text.c_str());
    SetSel(edit.end, edit.end);
    m_dValue = m_number.Parse(edit.text);
}

void CVXEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (NumericTyping() && (nChar == VK_DELETE || nChar == VK_INSERT)) {
        if (nChar == VK_DELETE)
            NumericKey(true, 0);
        return;
    }
    DefWindowProc(WM_KEYDOWN, nChar, MAKELPARAM(nRepCnt, nFlags));
}

// Delete and Insert are taken before the edit control's own key handling sees them.
BOOL CVXEdit::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd == m_hWnd && pMsg->message == WM_KEYDOWN && NumericTyping() &&
        (pMsg->wParam == VK_DELETE || pMsg->wParam == VK_INSERT)) {
        OnKeyDown((UINT)pMsg->wParam, LOWORD(pMsg->lParam), HIWORD(pMsg->lParam));
        return TRUE;
    }
    return CEdit::PreTranslateMessage(pMsg);
}

// --- numeric display

void CVXEdit::SetDecimals(int decimals)
{
    m_number.decimals = decimals;
    _SetValue(m_dValue);
}

void CVXEdit::EnableCommas(BOOL enable)
{
    m_number.commas = enable != FALSE;
    _SetValue(m_dValue);
}

void CVXEdit::SetComma(char comma)
{
    m_number.comma = comma;
    _SetValue(m_dValue);
}

void CVXEdit::SetDecimalPoint(char point)
{
    m_number.point = point;
    _SetValue(m_dValue);
}

void CVXEdit::SetValue(double value)
{
    m_dValue = value;
    if (m_bNumeric && value == 0 && m_number.decimals == 0) {
        if (m_hWnd) {
            SetWindowText("0");
            SetSel(0, 0);
        }
        return;
    }
    _SetValue(value);
}

void CVXEdit::_SetValue(double value)
{
    m_dValue = value;
    std::string shown = m_number.Format(value);
    if (shown.empty())
        shown = "0";
    if (m_hWnd) {
        SetWindowText(shown.c_str());
        SetSel(0, 0);
    }
}

// --- colours, font, menu

void CVXEdit::CreateBrushType()
{
    m_colours.MakeBrush();
}

void CVXEdit::ChangeBackColor(COLORREF colour)
{
    m_colours.SetCurrent(colour);
    CreateBrushType();
    if (m_hWnd)
        Invalidate();
}

COLORREF CVXEdit::SetEditBkColor(COLORREF colour)
{
    COLORREF previous = m_colours.Current();
    ChangeBackColor(colour);
    return previous;
}

void CVXEdit::ApplyBackColors(COLORREF normal, COLORREF focus)
{
    if (m_colours.Apply(normal, focus))
        ChangeBackColor(normal);
}

COLORREF CVXEdit::SetEditTextColor(COLORREF colour)
{
    COLORREF previous = m_colours.SetText(colour);
    if (m_hWnd)
        Invalidate();
    return previous;
}

void CVXEdit::SetEditFont(const LOGFONT* font)
{
    SetControlFont(*this, m_font, font);
}

void CVXEdit::SetEditFont(LPCSTR face, int points, int weight, BYTE pitchAndFamily)
{
    SetControlFont(*this, m_font, face, points, weight, pitchAndFamily);
}

HBRUSH CVXEdit::CtlColor(CDC* pDC, UINT)
{
    return m_colours.Paint(pDC);
}

void CVXEdit::OnSetFocus(CWnd* pOldWnd)
{
    CEdit::OnSetFocus(pOldWnd);
    ChangeBackColor(m_colours.For(true));
}

void CVXEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    ChangeBackColor(m_colours.For(false));
    if (m_bNumeric && m_dValue == 0 && m_number.decimals == 0)
        SetWindowText("0");
}

void CVXEdit::OnContextMenu(CWnd* pWnd, CPoint point)
{
    if (!TrackResourceContextMenu(this, m_nMenuId, point))
        CEdit::OnContextMenu(pWnd, point);
}
