// The document of a rich edit control, free of windows: CP949 text whose
// paragraphs end in '\r', a character format for every byte (both bytes of a
// double-byte character share one) and a paragraph format for every paragraph.
#pragma once

#include "win32/richedit.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace mivo {

// The formats a document keeps apart; past this many, new ones fall back to
// the first (hostile streams could ask for a format per character).
const size_t kMaxRichFormats = 4096;
// The largest character height kept, in twips (400 points): glyphs much larger
// take the text engine seconds each, which a hostile stream could ask for everywhere.
const LONG kMaxRichHeight = 400 * 20;

class RichText {
public:
    RichText();

    const std::string& Text() const { return m_text; }
    size_t Size() const { return m_text.size(); }

    // The character format of the byte at `pos` (the last one's past the end;
    // the default format of an empty document).
    const CHARFORMATA& CharFormatAt(size_t pos) const;
    const CHARFORMATA& DefaultFormat() const { return m_formats[0]; }
    void SetDefaultFormat(const CHARFORMATA& format);

    size_t ParagraphCount() const { return m_paras.size(); }
    size_t ParagraphOf(size_t pos) const;
    // First byte of a paragraph and the end of its text (its mark, or the document's end).
    size_t ParagraphStart(size_t index) const;
    size_t ParagraphEnd(size_t index) const;
    const PARAFORMAT& Paragraph(size_t index) const { return m_paras[index < m_paras.size() ? index : m_paras.size() - 1]; }

    // Replaces [start, end) by `piece`, its formats and paragraphs with it.
    void Replace(size_t start, size_t end, const RichText& piece);
    // Appends text in one format (used while reading a stream); '\r' starts a
    // paragraph formatted as `para`, which also formats the paragraph it ends.
    void Append(const std::string& text, const CHARFORMATA& format);
    void SetLastParagraph(const PARAFORMAT& para) { m_paras.back() = para; }
    void EndParagraph(const PARAFORMAT& next);

    // A piece of text in one character format, the paragraphs it makes copying `para`.
    static RichText Plain(const std::string& text, const CHARFORMATA& format, const PARAFORMAT& para);

    // The fields of `change` chosen by its mask, over [start, end).
    void ApplyCharFormat(size_t start, size_t end, const CHARFORMATA& change);
    // The format of the first byte of [start, end) with the mask cleared for
    // what differs further on; an empty range reads the byte before it.
    CHARFORMATA CommonCharFormat(size_t start, size_t end) const;
    void ApplyParaFormat(size_t first, size_t last, const PARAFORMAT& change);
    PARAFORMAT CommonParaFormat(size_t first, size_t last) const;

private:
    uint16_t Intern(const CHARFORMATA& format);

    std::string m_text;
    std::vector<uint16_t> m_charFormats;  // one per byte of m_text
    std::vector<CHARFORMATA> m_formats;   // [0] is the default
    std::unordered_map<std::string, uint16_t> m_formatIndex;  // FormatKey -> index, past the default
    std::vector<PARAFORMAT> m_paras;      // one per paragraph: the marks + 1
};

// Formats with every field present.
CHARFORMATA DefaultCharFormat();
PARAFORMAT DefaultParaFormat();
// Merges the fields `change` selects into `format`.
void MergeCharFormat(CHARFORMATA& format, const CHARFORMATA& change);
void MergeParaFormat(PARAFORMAT& format, const PARAFORMAT& change);
bool SameCharFormat(const CHARFORMATA& a, const CHARFORMATA& b);
// The fields SameCharFormat compares, as bytes.
std::string FormatKey(const CHARFORMATA& f);

}  // namespace mivo
