#include "controls/RichText.h"

#include "mivo/codepage.h"
#include "win32/gdi.h"
#include "win32/gditext.h"

#include <algorithm>
#include <cstring>

namespace mivo {

namespace {

const DWORD kEffectBits = CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE | CFE_STRIKEOUT | CFE_PROTECTED | CFE_LINK;
const LONG kDefaultHeight = 200;  // ten points

size_t FaceLength(const char* face)
{
    return strnlen(face, sizeof(CHARFORMATA::szFaceName));
}

// The mask bits of `a` that `b` agrees with.
DWORD Agreement(const CHARFORMATA& a, const CHARFORMATA& b)
{
    DWORD mask = CFM_ALL;
    mask &= ~((a.dwEffects ^ b.dwEffects) & kEffectBits);
    if (a.yHeight != b.yHeight)
        mask &= ~CFM_SIZE;
    if (a.yOffset != b.yOffset)
        mask &= ~CFM_OFFSET;
    bool automatic = (a.dwEffects & CFE_AUTOCOLOR) != 0;
    if (((a.dwEffects ^ b.dwEffects) & CFE_AUTOCOLOR) || (!automatic && a.crTextColor != b.crTextColor))
        mask &= ~CFM_COLOR;
    if (a.bCharSet != b.bCharSet)
        mask &= ~CFM_CHARSET;
    size_t la = FaceLength(a.szFaceName), lb = FaceLength(b.szFaceName);
    if (la != lb || std::memcmp(a.szFaceName, b.szFaceName, la) != 0 || a.bPitchAndFamily != b.bPitchAndFamily)
        mask &= ~CFM_FACE;
    return mask;
}

}  // namespace

CHARFORMATA DefaultCharFormat()
{
    CHARFORMATA f = {};
    f.cbSize = sizeof(f);
    f.dwMask = CFM_ALL;
    f.dwEffects = CFE_AUTOCOLOR;
    f.yHeight = kDefaultHeight;
    f.crTextColor = RGB(0, 0, 0);
    f.bCharSet = HANGEUL_CHARSET;
    f.bPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    std::strcpy(f.szFaceName, "굴림");
    return f;
}

PARAFORMAT DefaultParaFormat()
{
    PARAFORMAT p = {};
    p.cbSize = sizeof(p);
    p.dwMask = PFM_STARTINDENT | PFM_RIGHTINDENT | PFM_OFFSET | PFM_ALIGNMENT | PFM_TABSTOPS | PFM_NUMBERING;
    p.wAlignment = PFA_LEFT;
    return p;
}

bool SameCharFormat(const CHARFORMATA& a, const CHARFORMATA& b)
{
    return Agreement(a, b) == CFM_ALL;
}

void MergeCharFormat(CHARFORMATA& format, const CHARFORMATA& change)
{
    DWORD mask = change.dwMask;
    DWORD effects = mask & kEffectBits;
    format.dwEffects = (format.dwEffects & ~effects) | (change.dwEffects & effects);
    if (mask & CFM_COLOR) {
        format.dwEffects = (format.dwEffects & ~CFE_AUTOCOLOR) | (change.dwEffects & CFE_AUTOCOLOR);
        format.crTextColor = change.crTextColor & 0xFFFFFF;
    }
    if ((mask & CFM_SIZE) && change.yHeight > 0)
        format.yHeight = std::min(change.yHeight, kMaxRichHeight);
    if (mask & CFM_OFFSET)
        format.yOffset = change.yOffset;
    if (mask & CFM_CHARSET)
        format.bCharSet = change.bCharSet;
    if (mask & CFM_FACE) {
        size_t n = FaceLength(change.szFaceName);
        if (n == sizeof(format.szFaceName))
            n = CutToCharBoundary(change.szFaceName, n, n - 1);
        std::memset(format.szFaceName, 0, sizeof(format.szFaceName));
        std::memcpy(format.szFaceName, change.szFaceName, n);
        format.bPitchAndFamily = change.bPitchAndFamily;
    }
    format.cbSize = sizeof(format);
    format.dwMask = CFM_ALL;
}

void MergeParaFormat(PARAFORMAT& format, const PARAFORMAT& change)
{
    DWORD mask = change.dwMask;
    if (mask & PFM_NUMBERING)
        format.wNumbering = change.wNumbering == PFN_BULLET ? PFN_BULLET : 0;
    if (mask & PFM_STARTINDENT)
        format.dxStartIndent = change.dxStartIndent;
    else if (mask & PFM_OFFSETINDENT)
        format.dxStartIndent += change.dxStartIndent;
    if (mask & PFM_RIGHTINDENT)
        format.dxRightIndent = change.dxRightIndent;
    if (mask & PFM_OFFSET)
        format.dxOffset = change.dxOffset;
    if ((mask & PFM_ALIGNMENT) && change.wAlignment >= PFA_LEFT && change.wAlignment <= PFA_CENTER)
        format.wAlignment = change.wAlignment;
    if (mask & PFM_TABSTOPS) {
        format.cTabCount = (SHORT)std::max(0, std::min((int)change.cTabCount, MAX_TAB_STOPS));
        std::memcpy(format.rgxTabs, change.rgxTabs, sizeof(format.rgxTabs));
    }
    format.cbSize = sizeof(format);
    format.dwMask = DefaultParaFormat().dwMask;
}

RichText::RichText() : m_formats{DefaultCharFormat()}, m_paras{DefaultParaFormat()} {}

void RichText::SetDefaultFormat(const CHARFORMATA& format)
{
    m_formats[0] = format;
    m_formats[0].dwMask = CFM_ALL;
}

const CHARFORMATA& RichText::CharFormatAt(size_t pos) const
{
    if (m_charFormats.empty())
        return m_formats[0];
    size_t at = std::min(pos, m_charFormats.size() - 1);
    return m_formats[m_charFormats[at]];
}

std::string FormatKey(const CHARFORMATA& f)
{
    DWORD effects = f.dwEffects & (kEffectBits | CFE_AUTOCOLOR);
    COLORREF colour = (f.dwEffects & CFE_AUTOCOLOR) ? 0 : f.crTextColor;
    std::string key;
    for (DWORD v : {effects, (DWORD)f.yHeight, (DWORD)f.yOffset, colour, (DWORD)f.bCharSet, (DWORD)f.bPitchAndFamily})
        key.append((const char*)&v, sizeof(v));
    key.append(f.szFaceName, FaceLength(f.szFaceName));
    return key;
}

uint16_t RichText::Intern(const CHARFORMATA& format)
{
    if (SameCharFormat(m_formats[0], format))
        return 0;
    std::string key = FormatKey(format);
    auto it = m_formatIndex.find(key);
    if (it != m_formatIndex.end())
        return it->second;
    if (m_formats.size() >= kMaxRichFormats)
        return 0;
    m_formats.push_back(format);
    m_formats.back().dwMask = CFM_ALL;
    uint16_t id = (uint16_t)(m_formats.size() - 1);
    m_formatIndex[key] = id;
    return id;
}

size_t RichText::ParagraphOf(size_t pos) const
{
    pos = std::min(pos, m_text.size());
    return (size_t)std::count(m_text.begin(), m_text.begin() + (std::ptrdiff_t)pos, '\r');
}

size_t RichText::ParagraphStart(size_t index) const
{
    size_t pos = 0;
    for (size_t i = 0; i < index; ++i) {
        size_t mark = m_text.find('\r', pos);
        if (mark == std::string::npos)
            return m_text.size();
        pos = mark + 1;
    }
    return pos;
}

size_t RichText::ParagraphEnd(size_t index) const
{
    size_t mark = m_text.find('\r', ParagraphStart(index));
    return mark == std::string::npos ? m_text.size() : mark;
}

void RichText::Replace(size_t start, size_t end, const RichText& piece)
{
    start = std::min(start, m_text.size());
    end = std::max(start, std::min(end, m_text.size()));
    size_t first = ParagraphOf(start);
    size_t removed = (size_t)std::count(m_text.begin() + (std::ptrdiff_t)start, m_text.begin() + (std::ptrdiff_t)end, '\r');
    // The paragraph left at the end of the piece keeps the format of the mark that survives.
    PARAFORMAT merged = m_paras[std::min(first + removed, m_paras.size() - 1)];
    std::vector<PARAFORMAT> paras(m_paras.begin(), m_paras.begin() + (std::ptrdiff_t)first);
    paras.insert(paras.end(), piece.m_paras.begin(), piece.m_paras.end() - 1);
    paras.push_back(merged);
    paras.insert(paras.end(), m_paras.begin() + (std::ptrdiff_t)std::min(first + removed + 1, m_paras.size()),
                 m_paras.end());

    std::vector<uint16_t> ids(piece.m_charFormats.size());
    std::vector<int> mapped(piece.m_formats.size(), -1);
    for (size_t i = 0; i < ids.size(); ++i) {
        uint16_t from = piece.m_charFormats[i];
        if (mapped[from] < 0)
            mapped[from] = Intern(piece.m_formats[from]);
        ids[i] = (uint16_t)mapped[from];
    }
    m_text.replace(start, end - start, piece.m_text);
    m_charFormats.erase(m_charFormats.begin() + (std::ptrdiff_t)start, m_charFormats.begin() + (std::ptrdiff_t)end);
    m_charFormats.insert(m_charFormats.begin() + (std::ptrdiff_t)start, ids.begin(), ids.end());
    m_paras.swap(paras);
}

void RichText::Append(const std::string& text, const CHARFORMATA& format)
{
    uint16_t id = Intern(format);
    for (char c : text) {
        m_text += c;
        m_charFormats.push_back(id);
        if (c == '\r')
            m_paras.push_back(m_paras.back());
    }
}

void RichText::EndParagraph(const PARAFORMAT& next)
{
    m_text += '\r';
    m_charFormats.push_back(m_charFormats.empty() ? 0 : m_charFormats.back());
    m_paras.push_back(next);
}

RichText RichText::Plain(const std::string& text, const CHARFORMATA& format, const PARAFORMAT& para)
{
    RichText piece;
    piece.m_paras[0] = para;
    piece.Append(text, format);
    return piece;
}

void RichText::ApplyCharFormat(size_t start, size_t end, const CHARFORMATA& change)
{
    end = std::min(end, m_text.size());
    std::vector<int> mapped(m_formats.size(), -1);
    for (size_t i = start; i < end; ++i) {
        uint16_t from = m_charFormats[i];
        if (from < mapped.size() && mapped[from] >= 0) {
            m_charFormats[i] = (uint16_t)mapped[from];
            continue;
        }
        CHARFORMATA f = m_formats[from];
        MergeCharFormat(f, change);
        uint16_t to = Intern(f);
        if (from < mapped.size())
            mapped[from] = to;
        m_charFormats[i] = to;
    }
}

CHARFORMATA RichText::CommonCharFormat(size_t start, size_t end) const
{
    end = std::min(end, m_text.size());
    if (start >= end)
        return CharFormatAt(start > 0 ? start - 1 : 0);
    CHARFORMATA f = m_formats[m_charFormats[start]];
    f.dwMask = CFM_ALL;
    uint16_t last = m_charFormats[start];
    for (size_t i = start + 1; i < end; ++i) {
        if (m_charFormats[i] == last)
            continue;
        last = m_charFormats[i];
        f.dwMask &= Agreement(f, m_formats[last]);
    }
    return f;
}

void RichText::ApplyParaFormat(size_t first, size_t last, const PARAFORMAT& change)
{
    for (size_t i = first; i <= last && i < m_paras.size(); ++i)
        MergeParaFormat(m_paras[i], change);
}

PARAFORMAT RichText::CommonParaFormat(size_t first, size_t last) const
{
    PARAFORMAT p = Paragraph(first);
    for (size_t i = first + 1; i <= last && i < m_paras.size(); ++i) {
        const PARAFORMAT& q = m_paras[i];
        if (q.wNumbering != p.wNumbering)
            p.dwMask &= ~PFM_NUMBERING;
        if (q.dxStartIndent != p.dxStartIndent)
            p.dwMask &= ~PFM_STARTINDENT;
        if (q.dxRightIndent != p.dxRightIndent)
            p.dwMask &= ~PFM_RIGHTINDENT;
        if (q.dxOffset != p.dxOffset)
            p.dwMask &= ~PFM_OFFSET;
        if (q.wAlignment != p.wAlignment)
            p.dwMask &= ~PFM_ALIGNMENT;
    }
    return p;
}

}  // namespace mivo
