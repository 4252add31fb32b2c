#include "controls/VXMenuData.h"

#include <new>

namespace {

size_t WideLength(const WCHAR* text)
{
    size_t n = 0;
    while (text[n])
        ++n;
    return n;
}

WCHAR* EmptyText()
{
    return new WCHAR[1]{0};
}

}  // namespace

CVXMenuData::CVXMenuData()
    : m_szMenuText(EmptyText()), xoffset(-1), global_offset(-1), nID(-1), nFlags(0), nCommand(0), syncflag(0),
      bitmap(nullptr)
{
}

CVXMenuData::~CVXMenuData()
{
    delete[] m_szMenuText;
    if (bitmap) {
        bitmap->DeleteImageList();
        delete bitmap;
    }
}

void CVXMenuData::SetWideString(const WCHAR* text)
{
    if (text == m_szMenuText)
        return;
    size_t n = text ? WideLength(text) : 0;
    WCHAR* copy = new WCHAR[n + 1];
    for (size_t i = 0; i < n; ++i)
        copy[i] = text[i];
    copy[n] = 0;
    delete[] m_szMenuText;
    m_szMenuText = copy;
}

void CVXMenuData::SetAnsiString(LPCSTR text)
{
    if (!text || !*text) {
        SetWideString(nullptr);
        return;
    }
    int n = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (n <= 0) {
        SetWideString(nullptr);
        return;
    }
    WCHAR* wide = new WCHAR[(size_t)n];
    if (::MultiByteToWideChar(CP_ACP, 0, text, -1, wide, n) <= 0)
        wide[0] = 0;
    wide[n - 1] = 0;
    delete[] m_szMenuText;
    m_szMenuText = wide;
}

CString CVXMenuData::GetString() const
{
    int n = ::WideCharToMultiByte(CP_ACP, 0, m_szMenuText, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1)
        return CString();
    CString out;
    char* buffer = out.GetBuffer(n);
    if (::WideCharToMultiByte(CP_ACP, 0, m_szMenuText, -1, buffer, n, nullptr, nullptr) <= 0)
        buffer[0] = 0;
    out.ReleaseBuffer();
    return out;
}
