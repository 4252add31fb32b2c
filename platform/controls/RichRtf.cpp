#include "controls/RichRtf.h"

#include "mivo/codepage.h"
#include "win32/gdi.h"
#include "win32/gditext.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

namespace mivo {

namespace {

const size_t kMaxControlWord = 32;
const int kMaxSkipCount = 16;  // \ucN

struct Font {
    std::string face;
    BYTE charset = DEFAULT_CHARSET;
};

// What a group carries: the character format, where its text goes, how many
// characters follow a \uN.
struct GroupState {
    CHARFORMATA format;
    enum Destination { Text, Skip, FontTable, ColourTable, Bullet } destination = Text;
    int unicodeSkip = 1;
};

class Reader {
public:
    Reader(const std::string& data, const CHARFORMATA& base, const PARAFORMAT& para)
        : m_data(data), m_para(para), m_basePara(para)
    {
        m_state.format = base;
        m_state.format.dwEffects &= ~(CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE | CFE_STRIKEOUT);
        m_base = m_state.format;
        m_out.SetDefaultFormat(base);
        m_out.SetLastParagraph(para);
    }

    RichText Read()
    {
        while (m_pos < m_data.size()) {
            char c = m_data[m_pos++];
            if (c == '{')
                OpenGroup();
            else if (c == '}')
                CloseGroup();
            else if (c == '\\')
                Control();
            else if (c != '\r' && c != '\n')
                Byte((unsigned char)c);
        }
        Flush();
        m_out.SetLastParagraph(m_para);
        return std::move(m_out);
    }

private:
    // --- groups

    void OpenGroup()
    {
        Flush();
        if (m_depth >= kMaxRtfDepth) {
            ++m_ignoredDepth;
            return;
        }
        m_stack.push_back(m_state);
        ++m_depth;
        m_groupStart = true;
    }

    void CloseGroup()
    {
        Flush();
        if (m_ignoredDepth > 0) {
            --m_ignoredDepth;
            return;
        }
        if (m_stack.empty())
            return;  // a stray brace
        if (m_state.destination == GroupState::FontTable)
            EndFontEntry();
        m_state = m_stack.back();
        m_stack.pop_back();
        --m_depth;
    }

    // --- control words and symbols

    void Control()
    {
        if (m_pos >= m_data.size())
            return;
        char c = m_data[m_pos];
        if (!std::isalpha((unsigned char)c)) {
            ++m_pos;
            Symbol(c);
            return;
        }
        std::string word;
        while (m_pos < m_data.size() && std::isalpha((unsigned char)m_data[m_pos])) {
            if (word.size() < kMaxControlWord)
                word += m_data[m_pos];
            ++m_pos;
        }
        bool hasParameter = false;
        long parameter = Number(&hasParameter);
        if (m_pos < m_data.size() && m_data[m_pos] == ' ')
            ++m_pos;
        bool first = m_groupStart;
        m_groupStart = false;
        Word(word, hasParameter, parameter, first);
    }

    // An optional signed number; its magnitude is clamped, the rest of its digits read.
    long Number(bool* present)
    {
        bool negative = false;
        if (m_pos < m_data.size() && m_data[m_pos] == '-' && m_pos + 1 < m_data.size() &&
            std::isdigit((unsigned char)m_data[m_pos + 1])) {
            negative = true;
            ++m_pos;
        }
        long value = 0;
        *present = false;
        while (m_pos < m_data.size() && std::isdigit((unsigned char)m_data[m_pos])) {
            *present = true;
            value = std::min(kMaxRtfParameter, value * 10 + (m_data[m_pos] - '0'));
            ++m_pos;
        }
        return negative ? -value : value;
    }

    void Symbol(char c)
    {
        // \* marks the group's first word as a destination that may be skipped.
        if (c != '*')
            m_groupStart = false;
        switch (c) {
        case '\'':
            Hex();
            return;
        case '*':
            if (m_state.destination == GroupState::Text || m_state.destination == GroupState::FontTable)
                m_state.destination = GroupState::Skip;
            return;
        case '\\':
        case '{':
        case '}':
            Byte((unsigned char)c);
            return;
        case '~':
            Byte(' ');
            return;
        case '_':
            Byte('-');
            return;
        case '\r':
        case '\n':
            Paragraph();
            return;
        }
    }

    // \'hh: one byte; a bad escape is dropped.
    void Hex()
    {
        int value = 0;
        for (int i = 0; i < 2; ++i) {
            if (m_pos >= m_data.size() || !std::isxdigit((unsigned char)m_data[m_pos]))
                return;
            char h = (char)std::tolower((unsigned char)m_data[m_pos++]);
            value = value * 16 + (std::isdigit((unsigned char)h) ? h - '0' : h - 'a' + 10);
        }
        Byte((unsigned char)value);
    }

    void Word(const std::string& w, bool has, long n, bool firstInGroup)
    {
        if (Destination(w, firstInGroup))
            return;
        if (m_state.destination == GroupState::ColourTable) {
            ColourPart(w, n);
            return;
        }
        if (m_state.destination == GroupState::FontTable) {
            FontPart(w, n);
            return;
        }
        if (m_state.destination == GroupState::Bullet) {
            if (w == "pnlvlblt")
                m_para.wNumbering = PFN_BULLET;
            return;
        }
        if (m_state.destination == GroupState::Skip)
            return;
        if (w == "u") {
            Unicode(n);
            return;
        }
        if (w == "uc") {
            m_state.unicodeSkip = (int)std::max(0L, std::min((long)kMaxSkipCount, n));
            return;
        }
        if (CharacterWord(w, has, n) || ParagraphWord(w, n))
            return;
        if (w == "par" || w == "line")
            Paragraph();
        else if (w == "tab")
            Byte('\t');
        else if (w == "emspace" || w == "enspace")
            Byte(' ');
    }

    // Words that open a destination; true when `w` was one.
    bool Destination(const std::string& w, bool firstInGroup)
    {
        static const char* const skipped[] = {"stylesheet", "info",   "pict",   "header",  "footer",   "headerl",
                                              "headerr",    "footerl", "footerr", "footnote", "pntext", "object",
                                              "fldinst",    "themedata", "listtable", "listoverridetable", "xmlnstbl",
                                              "rsidtbl",    "generator", "latentstyles", "datastore", "colorschememapping"};
        if (!firstInGroup && w != "fonttbl" && w != "colortbl")
            return false;
        if (w == "fonttbl") {
            m_state.destination = GroupState::FontTable;
            return true;
        }
        if (w == "colortbl") {
            m_state.destination = GroupState::ColourTable;
            m_colours.clear();
            m_colourRed = m_colourGreen = m_colourBlue = 0;
            return true;
        }
        if (w == "pn") {
            // The paragraph's numbering: only its bullet level is read.
            bool inText = m_stack.empty() || m_stack.back().destination == GroupState::Text;
            m_state.destination = inText ? GroupState::Bullet : GroupState::Skip;
            return true;
        }
        for (const char* name : skipped)
            if (w == name) {
                m_state.destination = GroupState::Skip;
                return true;
            }
        return false;
    }

    bool CharacterWord(const std::string& w, bool has, long n)
    {
        CHARFORMATA change = {};
        change.cbSize = sizeof(change);
        bool on = !has || n != 0;
        if (w == "plain") {
            Flush();
            m_state.format = m_base;
            return true;
        }
        if (w == "b") {
            change.dwMask = CFM_BOLD;
            change.dwEffects = on ? CFE_BOLD : 0;
        } else if (w == "i") {
            change.dwMask = CFM_ITALIC;
            change.dwEffects = on ? CFE_ITALIC : 0;
        } else if (w == "ul") {
            change.dwMask = CFM_UNDERLINE;
            change.dwEffects = on ? CFE_UNDERLINE : 0;
        } else if (w == "ulnone") {
            change.dwMask = CFM_UNDERLINE;
        } else if (w == "strike") {
            change.dwMask = CFM_STRIKEOUT;
            change.dwEffects = on ? CFE_STRIKEOUT : 0;
        } else if (w == "fs") {
            if (!has || n <= 0)
                return true;
            change.dwMask = CFM_SIZE;
            change.yHeight = (LONG)(n * 10);
        } else if (w == "cf") {
            change.dwMask = CFM_COLOR;
            if (n <= 0 || n >= (long)m_colours.size() || m_colours[(size_t)n] == CLR_INVALID)
                change.dwEffects = CFE_AUTOCOLOR;
            else
                change.crTextColor = m_colours[(size_t)n];
        } else if (w == "f") {
            auto font = m_fonts.find(n);
            if (font == m_fonts.end())
                return true;
            change.dwMask = CFM_FACE | CFM_CHARSET;
            size_t len = CutToCharBoundary(font->second.face.data(), font->second.face.size(),
                                           sizeof(change.szFaceName) - 1);
            std::memcpy(change.szFaceName, font->second.face.data(), len);
            change.bCharSet = font->second.charset;
        } else {
            return false;
        }
        Flush();
        MergeCharFormat(m_state.format, change);
        return true;
    }

    bool ParagraphWord(const std::string& w, long n)
    {
        LONG twips = (LONG)n;
        if (w == "pard") {
            m_para = m_basePara;
            m_leftIndent = m_firstIndent = 0;
        } else if (w == "ql" || w == "qj") {
            m_para.wAlignment = PFA_LEFT;
        } else if (w == "qr") {
            m_para.wAlignment = PFA_RIGHT;
        } else if (w == "qc") {
            m_para.wAlignment = PFA_CENTER;
        } else if (w == "li" || w == "fi") {
            (w == "li" ? m_leftIndent : m_firstIndent) = twips;
            m_para.dxStartIndent = m_leftIndent + m_firstIndent;
            m_para.dxOffset = -m_firstIndent;
        } else if (w == "ri") {
            m_para.dxRightIndent = twips;
        } else {
            return false;
        }
        return true;
    }

    void Unicode(long n)
    {
        if (n < 0)
            n += 65536;
        std::u16string wide(1, (n < 0 || n > 0xFFFF || (n >= 0xD800 && n <= 0xDFFF)) ? u'?' : (char16_t)n);
        for (char c : Utf16ToAnsi(wide))
            Byte((unsigned char)c);
        // The stand-in characters after \uN are skipped: plain bytes, \'hh escapes.
        for (int skip = m_state.unicodeSkip; skip > 0 && m_pos < m_data.size(); --skip) {
            if (m_data[m_pos] == '\\' && m_pos + 1 < m_data.size() && m_data[m_pos + 1] == '\'')
                m_pos = std::min(m_data.size(), m_pos + 4);
            else if (m_data[m_pos] == '{' || m_data[m_pos] == '}' || m_data[m_pos] == '\\')
                break;
            else
                ++m_pos;
        }
    }

    // --- tables

    void ColourPart(const std::string& w, long n)
    {
        int v = (int)std::max(0L, std::min(255L, n));
        if (w == "red")
            m_colourRed = v;
        else if (w == "green")
            m_colourGreen = v;
        else if (w == "blue")
            m_colourBlue = v;
        m_colourGiven = true;
    }

    void FontPart(const std::string& w, long n)
    {
        if (w == "f") {
            EndFontEntry();
            m_fontNumber = n;
            m_fontFace.clear();
            m_fontCharset = DEFAULT_CHARSET;
            m_inFont = true;
        } else if (w == "fcharset") {
            m_fontCharset = (BYTE)std::max(0L, std::min(255L, n));
        }
    }

    void EndFontEntry()
    {
        if (!m_inFont)
            return;
        m_inFont = false;
        while (!m_fontFace.empty() && m_fontFace.back() == ' ')
            m_fontFace.pop_back();
        if (m_fonts.size() >= (size_t)kMaxRtfFonts && !m_fonts.count(m_fontNumber))
            return;
        Font& font = m_fonts[m_fontNumber];
        font.face = m_fontFace;
        font.charset = m_fontCharset;
    }

    // --- text

    void Byte(unsigned char c)
    {
        m_groupStart = false;
        switch (m_state.destination) {
        case GroupState::Skip:
        case GroupState::Bullet:
            return;
        case GroupState::FontTable:
            if (c == ';')
                EndFontEntry();
            else if (m_inFont && m_fontFace.size() < 64)
                m_fontFace += (char)c;
            return;
        case GroupState::ColourTable:
            if (c == ';') {
                if (m_colours.size() < (size_t)kMaxRtfColours)
                    m_colours.push_back(m_colourGiven ? RGB(m_colourRed, m_colourGreen, m_colourBlue) : CLR_INVALID);
                m_colourRed = m_colourGreen = m_colourBlue = 0;
                m_colourGiven = false;
            }
            return;
        case GroupState::Text:
            break;
        }
        if (c == '\t' || c >= 0x20)
            m_pending += (char)c;
    }

    void Paragraph()
    {
        if (m_state.destination != GroupState::Text)
            return;
        Flush();
        m_out.SetLastParagraph(m_para);
        m_out.EndParagraph(m_para);
    }

    // The text gathered in one format goes out with broken double-byte characters made '?'.
    void Flush()
    {
        if (m_pending.empty())
            return;
        std::string clean;
        clean.reserve(m_pending.size());
        for (size_t i = 0; i < m_pending.size();) {
            char16_t unit = 0;
            bool valid = false;
            int n = DecodeAnsiChar(m_pending.data(), m_pending.size(), i, unit, valid);
            if (n <= 0)
                n = 1;
            if (valid)
                clean.append(m_pending, i, (size_t)n);
            else
                clean += '?';
            i += (size_t)n;
        }
        m_pending.clear();
        m_out.Append(clean, m_state.format);
    }

    const std::string& m_data;
    size_t m_pos = 0;
    RichText m_out;
    GroupState m_state;
    std::vector<GroupState> m_stack;
    int m_depth = 0;
    int m_ignoredDepth = 0;
    bool m_groupStart = false;
    CHARFORMATA m_base;
    PARAFORMAT m_para;
    PARAFORMAT m_basePara;
    LONG m_leftIndent = 0;
    LONG m_firstIndent = 0;
    std::string m_pending;

    std::map<long, Font> m_fonts;
    bool m_inFont = false;
    long m_fontNumber = 0;
    std::string m_fontFace;
    BYTE m_fontCharset = DEFAULT_CHARSET;

    std::vector<COLORREF> m_colours;
    int m_colourRed = 0, m_colourGreen = 0, m_colourBlue = 0;
    bool m_colourGiven = false;
};

// --- writing

void Escaped(std::string& out, const std::string& text)
{
    for (unsigned char c : text) {
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += (char)c;
        } else if (c == '\r') {
            out += "\\par\r\n";
        } else if (c == '\t') {
            out += "\\tab ";
        } else if (c >= 0x80) {
            char hex[8];
            std::snprintf(hex, sizeof(hex), "\\'%02x", c);
            out += hex;
        } else if (c >= 0x20) {
            out += (char)c;
        }
    }
}

std::string ParagraphWords(const PARAFORMAT& p)
{
    std::string out = "\\pard";
    if (p.wAlignment == PFA_RIGHT)
        out += "\\qr";
    else if (p.wAlignment == PFA_CENTER)
        out += "\\qc";
    if (p.wNumbering == PFN_BULLET)
        out += "{\\*\\pn\\pnlvlblt}";
    LONG first = -p.dxOffset, left = p.dxStartIndent + p.dxOffset;
    if (left)
        out += "\\li" + std::to_string(left);
    if (first)
        out += "\\fi" + std::to_string(first);
    if (p.dxRightIndent)
        out += "\\ri" + std::to_string(p.dxRightIndent);
    // Only a control word takes a delimiting blank: after a closing brace a blank is text.
    return out.back() == '}' ? out : out + " ";
}

}  // namespace

bool LooksLikeRtf(const std::string& data)
{
    size_t i = data.find_first_not_of(" \t\r\n");
    return i != std::string::npos && data.compare(i, 5, "{\\rtf") == 0;
}

RichText ReadRtf(const std::string& data, const CHARFORMATA& base, const PARAFORMAT& para)
{
    return Reader(data, base, para).Read();
}

std::string WriteRtf(const RichText& text, size_t start, size_t end)
{
    end = std::min(end, text.Size());
    start = std::min(start, end);
    // Each face with the character set its text was formatted in (a Latin face keeps 0).
    std::vector<std::pair<std::string, BYTE>> faces;
    std::vector<COLORREF> colours;
    auto faceIndex = [&](const CHARFORMATA& f) {
        std::pair<std::string, BYTE> face(std::string(f.szFaceName, strnlen(f.szFaceName, sizeof(f.szFaceName))),
                                          f.bCharSet);
        auto it = std::find(faces.begin(), faces.end(), face);
        if (it != faces.end())
            return (size_t)(it - faces.begin());
        faces.push_back(face);
        return faces.size() - 1;
    };
    auto colourIndex = [&](const CHARFORMATA& f) {
        if (f.dwEffects & CFE_AUTOCOLOR)
            return (size_t)0;
        auto it = std::find(colours.begin(), colours.end(), f.crTextColor);
        if (it != colours.end())
            return (size_t)(it - colours.begin()) + 1;
        colours.push_back(f.crTextColor);
        return colours.size();
    };

    std::string body;
    size_t para = text.ParagraphOf(start);
    body += ParagraphWords(text.Paragraph(para));
    const std::string& s = text.Text();
    for (size_t i = start; i < end;) {
        const CHARFORMATA& f = text.CharFormatAt(i);
        size_t j = i;
        while (j < end && SameCharFormat(text.CharFormatAt(j), f) && s[j] != '\r')
            ++j;
        if (j == i)
            j = i + 1;  // a paragraph mark on its own
        body += "\\plain\\f" + std::to_string(faceIndex(f)) + "\\fs" + std::to_string(f.yHeight / 10) + "\\cf" +
                std::to_string(colourIndex(f));
        if (f.dwEffects & CFE_BOLD)
            body += "\\b";
        if (f.dwEffects & CFE_ITALIC)
            body += "\\i";
        if (f.dwEffects & CFE_UNDERLINE)
            body += "\\ul";
        if (f.dwEffects & CFE_STRIKEOUT)
            body += "\\strike";
        body += ' ';
        Escaped(body, s.substr(i, j - i));
        if (s[j - 1] == '\r' && j < text.Size())
            body += ParagraphWords(text.Paragraph(++para));
        i = j;
    }

    std::string out = "{\\rtf1\\ansi\\ansicpg949\\deff0{\\fonttbl";
    for (size_t i = 0; i < faces.size(); ++i) {
        out += "{\\f" + std::to_string(i) + "\\fnil\\fcharset" + std::to_string(faces[i].second) + " ";
        Escaped(out, faces[i].first);
        out += ";}";
    }
    out += "}\r\n{\\colortbl ;";
    for (COLORREF c : colours)
        out += "\\red" + std::to_string(GetRValue(c)) + "\\green" + std::to_string(GetGValue(c)) + "\\blue" +
               std::to_string(GetBValue(c)) + ";";
    out += "}\r\n" + body + "}\r\n";
    return out;
}

}  // namespace mivo
