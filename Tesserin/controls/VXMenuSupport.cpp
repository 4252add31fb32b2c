#include "controls/VXMenuSupport.h"

namespace vxmenu {

HFONT CreateMenuFont()
{
    NONCLIENTMETRICS metrics = {};
    metrics.cbSize = sizeof(metrics);
    ::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    return ::CreateFontIndirect(&metrics.lfMenuFont);
}

HWND MeasuringWindow()
{
    CWnd* main = AfxGetMainWnd();
    if (main && main->m_hWnd)
        return main->m_hWnd;
    return ::GetDesktopWindow();
}

std::u16string Widen(LPCSTR text)
{
    if (!text || !*text)
        return std::u16string();
    int n = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (n <= 1)
        return std::u16string();
    std::u16string wide((size_t)n, u'\0');
    if (::MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], n) <= 0)
        return std::u16string();
    wide.resize((size_t)n - 1);
    return wide;
}

bool IsNull(LPCSTR text)
{
    return text == nullptr;
}

CString LowerAnsi(const CString& text)
{
    CString out = text;
    int n = out.GetLength();
    char* p = out.GetBuffer(n);
    for (int i = 0; i < n; ++i) {
        if (::IsDBCSLeadByte((BYTE)p[i]) && i + 1 < n) {
            ++i;  // the trail byte may look like an ASCII letter
            continue;
        }
        if (p[i] >= 'A' && p[i] <= 'Z')
            p[i] = (char)(p[i] - 'A' + 'a');
    }
    out.ReleaseBuffer(n);
    return out;
}

size_t WideLength(const WCHAR* text)
{
    size_t n = 0;
    while (text && text[n])
        ++n;
    return n;
}

std::u16string LeftOfTab(const WCHAR* text)
{
    std::u16string s(text ? text : u"");
    size_t tab = s.find(u'\t');
    return tab == std::u16string::npos ? s : s.substr(0, tab);
}

std::u16string RightOfTab(const WCHAR* text)
{
    std::u16string s(text ? text : u"");
    size_t tab = s.rfind(u'\t');
    return tab == std::u16string::npos ? std::u16string() : s.substr(tab + 1);
}

bool HasTab(const WCHAR* text)
{
    for (size_t i = 0; text && text[i]; ++i)
        if (text[i] == u'\t')
            return true;
    return false;
}

void DrawItemText(HDC dc, const WCHAR* text, const RECT& rect)
{
    std::u16string left = LeftOfTab(text), right = RightOfTab(text);
    RECT r = rect;
    ::DrawTextW(dc, left.c_str(), (int)left.size(), &r, DT_VCENTER | DT_LEFT | DT_SINGLELINE);
    if (!right.empty()) {
        r = rect;
        ::DrawTextW(dc, right.c_str(), (int)right.size(), &r, DT_VCENTER | DT_RIGHT | DT_SINGLELINE);
    }
}

}  // namespace vxmenu
