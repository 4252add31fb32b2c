#include "controls/EditBuffer.h"

#include <utility>

namespace mivo {

namespace {

// Bytes below 0x41 are never trail bytes, so a character starts right after one.
size_t SyncPointBefore(const std::string& s, size_t pos)
{
    while (pos > 0) {
        if ((unsigned char)s[pos - 1] < 0x41)
            return pos;
        --pos;
    }
    return 0;
}

size_t CharLength(const std::string& s, size_t i)
{
    if (i >= s.size())
        return 0;
    return ((unsigned char)s[i] >= 0x81 && i + 1 < s.size()) ? 2 : 1;
}

bool IsWordByte(unsigned char c)
{
    return c >= 0x80 || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsSpace(unsigned char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

size_t EditBuffer::Snap(size_t pos) const
{
    if (pos >= m_text.size())
        return m_text.size();
    size_t p = SyncPointBefore(m_text, pos);
    while (p < pos) {
        size_t n = CharLength(m_text, p);
        if (p + n > pos)
            break;
        p += n;
    }
    return p;
}

size_t EditBuffer::Next(size_t pos) const
{
    pos = Snap(pos);
    if (pos >= m_text.size())
        return m_text.size();
    // A line break moves as one.
    if (m_text.compare(pos, 2, "\r\n") == 0)
        return pos + 2;
    return pos + CharLength(m_text, pos);
}

size_t EditBuffer::Previous(size_t pos) const
{
    pos = Snap(pos);
    if (pos == 0)
        return 0;
    if (pos >= 2 && m_text.compare(pos - 2, 2, "\r\n") == 0)
        return pos - 2;
    size_t p = SyncPointBefore(m_text, pos - 1);
    size_t prev = p;
    while (p < pos) {
        prev = p;
        p += CharLength(m_text, p);
    }
    return prev;
}

size_t EditBuffer::WordLeft(size_t pos) const
{
    pos = Previous(pos);
    while (pos > 0 && IsSpace((unsigned char)m_text[pos]))
        pos = Previous(pos);
    if (pos == 0)
        return 0;
    bool word = IsWordByte((unsigned char)m_text[pos]);
    while (pos > 0) {
        size_t prev = Previous(pos);
        unsigned char c = (unsigned char)m_text[prev];
        if (IsSpace(c) || IsWordByte(c) != word)
            break;
        pos = prev;
    }
    return pos;
}

size_t EditBuffer::WordRight(size_t pos) const
{
    pos = Snap(pos);
    size_t n = m_text.size();
    if (pos >= n)
        return n;
    if (!IsSpace((unsigned char)m_text[pos])) {
        bool word = IsWordByte((unsigned char)m_text[pos]);
        while (pos < n && !IsSpace((unsigned char)m_text[pos]) && IsWordByte((unsigned char)m_text[pos]) == word)
            pos = Next(pos);
    }
    while (pos < n && IsSpace((unsigned char)m_text[pos]))
        pos = Next(pos);
    return pos;
}

void EditBuffer::SetText(const std::string& text)
{
    m_text = text;
    m_anchor = m_caret = 0;
    EmptyUndo();
}

void EditBuffer::Select(size_t anchor, size_t caret)
{
    size_t a = Snap(anchor), c = Snap(caret);
    if (a != m_anchor || c != m_caret)
        m_typing = false;
    m_anchor = a;
    m_caret = c;
}

void EditBuffer::SaveUndo()
{
    m_undoText = m_text;
    m_undoAnchor = m_anchor;
    m_undoCaret = m_caret;
    m_hasUndo = true;
}

bool EditBuffer::Replace(const std::string& text, size_t limit, bool undoable, bool typing, bool* truncated)
{
    if (truncated)
        *truncated = false;
    size_t start = SelStart(), end = SelEnd();
    size_t kept = m_text.size() - (end - start);
    std::string insert = text;
    if (kept + insert.size() > limit) {
        size_t room = limit > kept ? limit - kept : 0;
        // Cut on a character boundary of the inserted text.
        size_t cut = 0;
        while (cut < insert.size()) {
            size_t n = CharLength(insert, cut);
            if (cut + n > room)
                break;
            cut += n;
        }
        insert.resize(cut);
        if (truncated)
            *truncated = true;
    }
    if (insert.empty() && start == end)
        return false;
    if (undoable) {
        if (!(typing && m_typing && m_hasUndo))
            SaveUndo();
    } else {
        m_hasUndo = false;
    }
    m_typing = typing;
    m_text.replace(start, end - start, insert);
    m_anchor = m_caret = start + insert.size();
    return true;
}

bool EditBuffer::DeleteBackward()
{
    if (!HasSelection()) {
        if (m_caret == 0)
            return false;
        m_anchor = Previous(m_caret);
    }
    return Replace(std::string(), (size_t)-1, true, false, nullptr);
}

bool EditBuffer::DeleteForward()
{
    if (!HasSelection()) {
        if (m_caret >= m_text.size())
            return false;
        m_anchor = m_caret;
        m_caret = Next(m_caret);
    }
    return Replace(std::string(), (size_t)-1, true, false, nullptr);
}

bool EditBuffer::Undo()
{
    if (!m_hasUndo)
        return false;
    std::swap(m_text, m_undoText);
    std::swap(m_anchor, m_undoAnchor);
    std::swap(m_caret, m_undoCaret);
    m_typing = false;
    return true;
}

}  // namespace mivo
