// The text of an edit control and what is done to it, free of windows: the
// selection, moving by characters and words, replacing, the undo step.
// Positions are byte offsets into CP949 text and always sit on a character start.
#pragma once

#include <cstddef>
#include <string>

namespace mivo {

class EditBuffer {
public:
    const std::string& Text() const { return m_text; }
    size_t Size() const { return m_text.size(); }
    size_t Anchor() const { return m_anchor; }
    size_t Caret() const { return m_caret; }
    size_t SelStart() const { return m_anchor < m_caret ? m_anchor : m_caret; }
    size_t SelEnd() const { return m_anchor < m_caret ? m_caret : m_anchor; }
    bool HasSelection() const { return m_anchor != m_caret; }
    std::string SelectedText() const { return m_text.substr(SelStart(), SelEnd() - SelStart()); }

    // Replaces everything; the selection goes to the start and the undo step is dropped.
    void SetText(const std::string& text);
    // Positions past the end go to the end; inside a character, to its start.
    void Select(size_t anchor, size_t caret);

    // Replaces the selection with `text`, keeping the whole to `limit` bytes
    // without cutting a character. `typing` joins consecutive keystrokes into
    // one undo step. Returns false when nothing changed; `truncated` tells
    // whether the limit cut the text.
    bool Replace(const std::string& text, size_t limit, bool undoable, bool typing, bool* truncated);
    // Deletes the selection, or the character before / after the caret.
    bool DeleteBackward();
    bool DeleteForward();

    bool CanUndo() const { return m_hasUndo; }
    // Swaps the text with the undo step: a second undo redoes.
    bool Undo();
    void EmptyUndo() { m_hasUndo = false; m_typing = false; }
    // A caret move ends a run of typing.
    void EndTyping() { m_typing = false; }

    size_t Next(size_t pos) const;
    size_t Previous(size_t pos) const;
    size_t WordLeft(size_t pos) const;
    size_t WordRight(size_t pos) const;
    // Rounds down to a character start.
    size_t Snap(size_t pos) const;

private:
    void SaveUndo();

    std::string m_text;
    size_t m_anchor = 0;
    size_t m_caret = 0;
    bool m_hasUndo = false;
    bool m_typing = false;
    std::string m_undoText;
    size_t m_undoAnchor = 0;
    size_t m_undoCaret = 0;
};

}  // namespace mivo
