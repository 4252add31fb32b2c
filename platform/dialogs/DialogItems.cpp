// Helpers that work on a dialog's items by id: numbers, check marks, radio groups.
#include "dialogs/DialogInternal.h"
#include "win32/controls.h"

#include <climits>
#include <cstdio>

using namespace mivo;

BOOL SetDlgItemInt(HWND hDlg, int nIDDlgItem, UINT uValue, BOOL bSigned)
{
    char text[16];
    if (bSigned)
        std::snprintf(text, sizeof(text), "%d", (int)uValue);
    else
        std::snprintf(text, sizeof(text), "%u", uValue);
    return SetDlgItemText(hDlg, nIDDlgItem, text);
}

// Leading blanks, a sign when signed, then decimal digits up to the first
// other character; out of range or no digit at all fails.
UINT GetDlgItemInt(HWND hDlg, int nIDDlgItem, BOOL* lpTranslated, BOOL bSigned)
{
    if (lpTranslated)
        *lpTranslated = FALSE;
    HWND item = GetDlgItem(hDlg, nIDDlgItem);
    if (!item)
        return 0;
    std::string text = WindowTextOf(item);
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (bSigned && i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    unsigned long long value = 0;
    size_t digits = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
        value = value * 10 + (unsigned)(text[i] - '0');
        if (value > 0xFFFFFFFFull)
            return 0;
    }
    if (digits == 0)
        return 0;
    if (bSigned) {
        if ((!negative && value > (unsigned long long)INT_MAX) ||
            (negative && value > (unsigned long long)INT_MAX + 1))
            return 0;
        if (lpTranslated)
            *lpTranslated = TRUE;
        long long v = negative ? -(long long)value : (long long)value;
        return (UINT)(int)v;
    }
    if (lpTranslated)
        *lpTranslated = TRUE;
    return (UINT)value;
}

BOOL CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck)
{
    HWND button = GetDlgItem(hDlg, nIDButton);
    if (!button)
        return FALSE;
    SendMessage(button, BM_SETCHECK, uCheck, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND hDlg, int nIDButton)
{
    HWND button = GetDlgItem(hDlg, nIDButton);
    return button ? (UINT)SendMessage(button, BM_GETCHECK, 0, 0) : 0;
}

BOOL CheckRadioButton(HWND hDlg, int nIDFirstButton, int nIDLastButton, int nIDCheckButton)
{
    if (!IsWindow(hDlg))
        return FALSE;
    for (HWND c = GetWindow(hDlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        int id = GetDlgCtrlID(c);
        if (id < nIDFirstButton || id > nIDLastButton)
            continue;
        SendMessage(c, BM_SETCHECK, id == nIDCheckButton ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    return TRUE;
}
