// Dialog data exchange and validation.
#include "mivo/Trace.h"
#include "mfc.h"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string TextOf(HWND hWnd)
{
    int len = ::GetWindowTextLength(hWnd);
    if (len <= 0)
        return std::string();
    std::string text((size_t)len + 1, '\0');
    int got = ::GetWindowText(hWnd, &text[0], len + 1);
    text.resize(got > 0 ? (size_t)got : 0);
    return text;
}

std::string Trimmed(const std::string& s)
{
    size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos)
        return std::string();
    size_t e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

// A whole decimal integer within [lo, hi]; anything else is no number.
bool ParseInteger(const std::string& raw, long long lo, long long hi, long long& out)
{
    std::string s = Trimmed(raw);
    if (s.empty())
        return false;
    size_t i = 0;
    bool negative = false;
    if (s[0] == '-' || s[0] == '+') {
        negative = s[0] == '-';
        i = 1;
    }
    if (i >= s.size())
        return false;
    unsigned long long value = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9')
            return false;
        value = value * 10 + (unsigned)(s[i] - '0');
        if (value > (unsigned long long)LLONG_MAX)
            return false;
    }
    long long v = negative ? -(long long)value : (long long)value;
    if (v < lo || v > hi)
        return false;
    out = v;
    return true;
}

bool ParseReal(const std::string& raw, double lo, double hi, double& out)
{
    std::string s = Trimmed(raw);
    if (s.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    double v = std::strtod(s.c_str(), &end);
    if (end == s.c_str() || *end != '\0' || errno == ERANGE || !std::isfinite(v) || v < lo || v > hi)
        return false;
    out = v;
    return true;
}

template <class T>
void ExchangeInteger(CDataExchange* pDX, int nIDC, T& value, long long lo, long long hi, const char* format)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        long long v = 0;
        value = ParseInteger(TextOf(hWnd), lo, hi, v) ? (T)v : (T)0;
        return;
    }
    char text[32];
    std::snprintf(text, sizeof(text), format, value);
    AfxSetWindowText(hWnd, text);
}

template <class T>
void ExchangeReal(CDataExchange* pDX, int nIDC, T& value, double limit, int digits)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        double v = 0;
        value = ParseReal(TextOf(hWnd), -limit, limit, v) ? (T)v : (T)0;
        return;
    }
    char text[64];
    std::snprintf(text, sizeof(text), "%.*g", digits, (double)value);
    AfxSetWindowText(hWnd, text);
}

// Shows a validation message with %1 and %2 replaced, then fails the exchange.
[[noreturn]] void FailWith(CDataExchange* pDX, const char* pattern, const std::string& first,
                           const std::string& second = std::string())
{
    std::string text = pattern;
    size_t at;
    if ((at = text.find("%1")) != std::string::npos)
        text.replace(at, 2, first);
    if ((at = text.find("%2")) != std::string::npos)
        text.replace(at, 2, second);
    AfxMessageBox(text.c_str(), MB_ICONEXCLAMATION);
    pDX->Fail();
}

int RadioIndex(HWND first, int* checked)
{
    *checked = -1;
    int index = 0;
    for (HWND h = first; h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (h != first && (::GetWindowLong(h, GWL_STYLE) & WS_GROUP))
            break;
        if (::SendMessage(h, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            if (::SendMessage(h, BM_GETCHECK, 0, 0) == BST_CHECKED && *checked < 0)
                *checked = index;
            ++index;
        }
    }
    return index;
}

}  // namespace

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWnd = ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), nIDC);
    if (!hWnd) {
        MIVO_WARN(kTraceAfx, "data exchange with control %d, which the dialog does not have", nIDC);
        AfxThrowNotSupportedException();
    }
    m_hWndLastControl = hWnd;
    m_bEditLastControl = FALSE;
    return hWnd;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWnd = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWnd;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_hWndLastControl && ::IsWindow(m_hWndLastControl)) {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessage(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

void AFXAPI AfxSetWindowText(HWND hWndCtrl, LPCSTR lpszNew)
{
    const char* text = lpszNew ? lpszNew : "";
    if (TextOf(hWndCtrl) != text)
        ::SetWindowText(hWndCtrl, text);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    ExchangeInteger(pDX, nIDC, value, INT_MIN, INT_MAX, "%d");
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    ExchangeInteger(pDX, nIDC, value, 0, UINT_MAX, "%u");
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    ExchangeInteger(pDX, nIDC, value, LONG_MIN, LONG_MAX, "%ld");
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, float& value)
{
    ExchangeReal(pDX, nIDC, value, FLT_MAX, FLT_DIG);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    ExchangeReal(pDX, nIDC, value, DBL_MAX, DBL_DIG);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = TextOf(hWnd).c_str();
    else
        AfxSetWindowText(hWnd, value);
}

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = (int)::SendMessage(hWnd, BM_GETCHECK, 0, 0);
        return;
    }
    if (value < 0 || value > 2)
        value = 0;
    ::SendMessage(hWnd, BM_SETCHECK, (WPARAM)value, 0);
}

void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND first = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        RadioIndex(first, &value);
        return;
    }
    int index = 0;
    for (HWND h = first; h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (h != first && (::GetWindowLong(h, GWL_STYLE) & WS_GROUP))
            break;
        if (::SendMessage(h, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            ::SendMessage(h, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
            ++index;
        }
    }
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.GetSafeHwnd())
        return;
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWnd))
        AfxThrowNotSupportedException();
}

void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = TextOf(hWnd).c_str();
        return;
    }
    // The first item that starts with the text; a drop-down list ignores other text.
    if (::SendMessage(hWnd, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)(LPCSTR)value) == CB_ERR)
        AfxSetWindowText(hWnd, value);
}

void AFXAPI DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = TextOf(hWnd).c_str();
        return;
    }
    LRESULT found = ::SendMessage(hWnd, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)(LPCSTR)value);
    if (found != CB_ERR)
        ::SendMessage(hWnd, CB_SETCURSEL, (WPARAM)found, 0);
    else
        AfxSetWindowText(hWnd, value);
}

void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessage(hWnd, CB_GETCURSEL, 0, 0);
    else
        ::SendMessage(hWnd, CB_SETCURSEL, (WPARAM)index, 0);
}

namespace {

CString ListSelectionText(HWND hWnd)
{
    LRESULT sel = ::SendMessage(hWnd, LB_GETCURSEL, 0, 0);
    if (sel == LB_ERR)
        return CString();
    LRESULT len = ::SendMessage(hWnd, LB_GETTEXTLEN, (WPARAM)sel, 0);
    if (len == LB_ERR || len < 0)
        return CString();
    std::string text((size_t)len + sizeof(ULONG_PTR) + 1, '\0');
    ::SendMessage(hWnd, LB_GETTEXT, (WPARAM)sel, (LPARAM)&text[0]);
    return CString(text.c_str());
}

}  // namespace

void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = ListSelectionText(hWnd);
    else if (::SendMessage(hWnd, LB_SELECTSTRING, (WPARAM)-1, (LPARAM)(LPCSTR)value) == LB_ERR)
        ::SendMessage(hWnd, LB_SETCURSEL, (WPARAM)-1, 0);
}

void AFXAPI DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = ListSelectionText(hWnd);
        return;
    }
    LRESULT found = ::SendMessage(hWnd, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)(LPCSTR)value);
    ::SendMessage(hWnd, LB_SETCURSEL, (WPARAM)(found == LB_ERR ? -1 : found), 0);
}

void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessage(hWnd, LB_GETCURSEL, 0, 0);
    else
        ::SendMessage(hWnd, LB_SETCURSEL, (WPARAM)index, 0);
}

void AFXAPI DDX_Scroll(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = (int)::SendMessage(hWnd, SBM_GETPOS, 0, 0);
    else
        ::SendMessage(hWnd, SBM_SETPOS, (WPARAM)value, TRUE);
}

void AFXAPI DDX_Slider(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = (int)::SendMessage(hWnd, TBM_GETPOS, 0, 0);
    else
        ::SendMessage(hWnd, TBM_SETPOS, TRUE, value);
}

void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    FailWith(pDX, "%1에서 %2 사이의 정수를 입력하십시오.", std::to_string(minVal), std::to_string(maxVal));
}

void AFXAPI DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (!pDX->m_bSaveAndValidate) {
        // The control takes no more than that from the user.
        HWND last = pDX->m_hWndLastControl;
        if (last) {
            char cls[16] = {};
            ::GetClassName(last, cls, sizeof(cls));
            UINT limit = lstrcmpi(cls, "ComboBox") == 0 ? CB_LIMITTEXT : EM_LIMITTEXT;
            ::SendMessage(last, limit, (WPARAM)nChars, 0);
        }
        return;
    }
    if (value.GetLength() > nChars)
        FailWith(pDX, "이 항목에는 %1자까지만 입력할 수 있습니다.", std::to_string(nChars));
}
