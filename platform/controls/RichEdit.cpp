// The "RichEdit20A" class: text in runs of formats and paragraphs, typed,
// selected, formatted by messages, streamed in and out as rich or plain text
// and printed by ranges. Paragraphs end in '\r' wherever the text is read.
#include "controls/BuiltinClasses.h"
#include "controls/RichEditControl.h"
#include "controls/RichRtf.h"
#include "mivo/codepage.h"
#include "win32/clipboard.h"
#include "win32/globalmem.h"
#include "win32/msgbox.h"
#include "win32/richedit.h"

#include <algorithm>
#include <cstring>

namespace mivo {

namespace {

const size_t kMaxStreamBytes = 16 * 1024 * 1024;
const LONG kStreamChunk = 4096;
const size_t kMaximumLimit = 0x7FFFFFFE;

RichEditControl* Data(HWND hwnd)
{
    return ControlWindow<RichEditControl>::Of(hwnd);
}

void Refresh(RichEditControl& r)
{
    r.Layout();
    r.ScrollToCaret();
    InvalidateRect(r.Handle(), nullptr, FALSE);
    r.PlaceCaret();
}

void Notify(RichEditControl& r)
{
    r.modified = true;
    if (r.eventMask & ENM_CHANGE)
        NotifyParent(r.Handle(), EN_CHANGE);
}

void Changed(RichEditControl& r)
{
    Refresh(r);
    Notify(r);
}

// [start, oldEnd) became [start, newEnd): only the paragraphs it touched are laid out again.
void Changed(RichEditControl& r, size_t start, size_t oldEnd, size_t newEnd)
{
    r.Relayout(start, oldEnd, newEnd);
    r.ScrollToCaret();
    InvalidateRect(r.Handle(), nullptr, FALSE);
    r.PlaceCaret();
    Notify(r);
}

// Line breaks of outside text ("\r\n", "\n") become paragraph marks.
std::string ToMarks(const std::string& in)
{
    std::string out;
    out.reserve(in.size());
    for (size_t i = 0; i < in.size(); ++i) {
        if (in[i] == '\n' && i > 0 && in[i - 1] == '\r')
            continue;
        out += in[i] == '\n' ? '\r' : in[i];
    }
    return out;
}

// Keeps text within the limit without cutting a character.
std::string Fit(const RichEditControl& r, const std::string& in, size_t replaced)
{
    size_t room = r.limit > r.text.Size() - replaced ? r.limit - (r.text.Size() - replaced) : 0;
    return in.substr(0, CutToCharBoundary(in.data(), in.size(), room));
}

// What the last replacement changed: [start, oldEnd) became [start, newEnd).
struct Change {
    size_t start = 0, oldEnd = 0, newEnd = 0;
};

bool ReplaceSelection(RichEditControl& r, const std::string& raw, Change* change = nullptr)
{
    size_t start = r.SelStart(), end = r.SelEnd();
    std::string in = Fit(r, ToMarks(raw), end - start);
    if (in.size() < raw.size() && (r.eventMask & ENM_CHANGE))
        NotifyParent(r.Handle(), EN_MAXTEXT);
    if (in.empty() && start == end)
        return false;
    CHARFORMATA format = r.typingFormat;
    r.text.Replace(start, end, RichText::Plain(in, format, r.text.Paragraph(r.text.ParagraphOf(start))));
    r.anchor = r.caret = start + in.size();
    r.typingFormat = format;
    if (change)
        *change = Change{start, end, start + in.size()};
    return true;
}

bool TypeText(RichEditControl& r, const std::string& in)
{
    if (r.ReadOnly()) {
        MessageBeep(0);
        return false;
    }
    CHARFORMATA format = r.typingFormat;
    Change change;
    if (!ReplaceSelection(r, in, &change))
        return false;
    Changed(r, change.start, change.oldEnd, change.newEnd);
    r.typingFormat = format;
    return true;
}

// The start of the character before `pos`, scanning from the start of its paragraph only.
size_t CharBefore(const std::string& s, size_t pos)
{
    if (pos == 0 || s[pos - 1] == '\r')
        return pos == 0 ? 0 : pos - 1;
    size_t mark = s.rfind('\r', pos - 1);
    return PreviousCharStart(s, pos, mark == std::string::npos ? 0 : mark + 1);
}

bool Delete(RichEditControl& r, bool backward)
{
    if (r.ReadOnly()) {
        MessageBeep(0);
        return false;
    }
    const std::string& s = r.text.Text();
    size_t start = r.SelStart(), end = r.SelEnd();
    if (start == end) {
        if (backward) {
            if (start == 0)
                return false;
            start = CharBefore(s, start);
        } else {
            if (end >= s.size())
                return false;
            end += CharLengthAt(s, end);
        }
    }
    r.text.Replace(start, end, RichText());
    r.anchor = r.caret = start;
    Changed(r, start, end, start);
    r.Select(start, start);
    return true;
}

// --- the clipboard (plain text)

void Copy(RichEditControl& r)
{
    if (r.SelStart() == r.SelEnd() || !OpenClipboard(r.Handle()))
        return;
    std::string text;
    for (size_t i = r.SelStart(); i < r.SelEnd(); ++i) {
        text += r.text.Text()[i];
        if (text.back() == '\r')
            text += '\n';
    }
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (char* p = block ? (char*)GlobalLock(block) : nullptr) {
        std::memcpy(p, text.c_str(), text.size() + 1);
        GlobalUnlock(block);
        SetClipboardData(CF_TEXT, block);
    } else if (block) {
        GlobalFree(block);
    }
    CloseClipboard();
}

void Paste(RichEditControl& r)
{
    if (!OpenClipboard(r.Handle()))
        return;
    std::string text;
    if (HANDLE block = GetClipboardData(CF_TEXT)) {
        if (const char* p = (const char*)GlobalLock(block)) {
            text.assign(p, strnlen(p, GlobalSize(block)));
            GlobalUnlock(block);
        }
    }
    CloseClipboard();
    TypeText(r, text);
}

// --- keys and the mouse

void VerticalMove(RichEditControl& r, int lines, bool extend)
{
    RichLayout& screen = r.Screen();
    if (screen.Lines().empty())
        return;
    long index = (long)screen.LineOf(r.caret) + lines;
    index = std::max(0L, std::min(index, (long)screen.Lines().size() - 1));
    POINT at = screen.PositionOf(r.caret);
    size_t pos = screen.PositionAt(r.text, POINT{at.x, screen.Lines()[(size_t)index].top});
    r.Select(extend ? r.anchor : pos, pos);
}

void KeyDown(RichEditControl& r, WPARAM vk)
{
    bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
    const std::string& s = r.text.Text();
    RichLayout& screen = r.Screen();
    auto move = [&](size_t pos) { r.Select(shift ? r.anchor : pos, pos); };
    switch (vk) {
    case VK_LEFT:
        if (r.caret > 0)
            move(CharBefore(s, r.caret));
        else
            move(0);
        break;
    case VK_RIGHT:
        move(r.caret < s.size() ? r.caret + CharLengthAt(s, r.caret) : s.size());
        break;
    case VK_UP:
        VerticalMove(r, -1, shift);
        break;
    case VK_DOWN:
        VerticalMove(r, 1, shift);
        break;
    case VK_HOME:
        if (ctrl || screen.Lines().empty())
            move(0);
        else
            move(screen.Lines()[screen.LineOf(r.caret)].start);
        break;
    case VK_END:
        if (ctrl || screen.Lines().empty()) {
            move(s.size());
        } else {
            const RichLine& line = screen.Lines()[screen.LineOf(r.caret)];
            size_t end = line.end;
            if (end > line.start && (s[end - 1] == '\r' || (end < s.size() && s[end - 1] == ' ')))
                --end;
            move(end);
        }
        break;
    case VK_DELETE:
        Delete(r, false);
        break;
    }
}

void Char(RichEditControl& r, WPARAM wParam)
{
    unsigned ch = (unsigned)(wParam & 0xFF);
    if (r.pendingLead >= 0) {
        std::string pair{(char)r.pendingLead, (char)ch};
        r.pendingLead = -1;
        if (ch >= 0x41)
            TypeText(r, pair);
        return;
    }
    if (ch >= 0x81 && ch <= 0xFE) {
        r.pendingLead = (int)ch;
        return;
    }
    bool multiline = (r.Style() & ES_MULTILINE) != 0;
    switch (ch) {
    case 0x08:
        Delete(r, true);
        return;
    case 0x03:
        Copy(r);
        return;
    case 0x16:
        Paste(r);
        return;
    case 0x18:
        if (!r.ReadOnly()) {
            Copy(r);
            Delete(r, false);
        }
        return;
    case '\r':
    case '\n':
        if (multiline)
            TypeText(r, "\r");
        return;
    case '\t':
        TypeText(r, "\t");
        return;
    }
    if (ch >= 0x20 && ch != 0x7F)
        TypeText(r, std::string(1, (char)ch));
}

size_t PointToPosition(RichEditControl& r, LPARAM lParam)
{
    RECT rc = r.FormatRect();
    POINT pt{GET_X_LPARAM(lParam) - rc.left, GET_Y_LPARAM(lParam) - rc.top + r.scrollY};
    return r.Screen().PositionAt(r.text, pt);
}

void MouseDown(RichEditControl& r, LPARAM lParam)
{
    HWND hwnd = r.Handle();
    if (GetFocus() != hwnd)
        SetFocus(hwnd);
    RichEditControl* again = Data(hwnd);
    if (!again)
        return;
    size_t pos = PointToPosition(*again, lParam);
    again->Select(GetKeyState(VK_SHIFT) < 0 ? again->anchor : pos, pos);
    again->tracking = true;
    SetCapture(hwnd);
}

// --- formats

bool SetCharFormat(RichEditControl& r, WPARAM which, const CHARFORMATA* change)
{
    if (!change || change->cbSize < sizeof(CHARFORMATA))
        return false;
    CHARFORMATA c = *change;
    if (which & SCF_ALL) {
        r.text.ApplyCharFormat(0, r.text.Size(), c);
        CHARFORMATA d = r.text.DefaultFormat();
        MergeCharFormat(d, c);
        r.text.SetDefaultFormat(d);
        MergeCharFormat(r.typingFormat, c);
    } else if (which & SCF_SELECTION) {
        size_t start = r.SelStart(), end = r.SelEnd();
        if (which & SCF_WORD && start == end) {
            const std::string& s = r.text.Text();
            while (start > 0 && s[start - 1] != ' ' && s[start - 1] != '\r')
                --start;
            while (end < s.size() && s[end] != ' ' && s[end] != '\r')
                ++end;
        }
        if (start < end)
            r.text.ApplyCharFormat(start, end, c);
        MergeCharFormat(r.typingFormat, c);
    } else {
        CHARFORMATA d = r.text.DefaultFormat();
        MergeCharFormat(d, c);
        r.text.SetDefaultFormat(d);
        if (r.text.Size() == 0)
            r.typingFormat = d;
    }
    Refresh(r);
    return true;
}

DWORD GetCharFormat(RichEditControl& r, WPARAM which, CHARFORMATA* out)
{
    if (!out || out->cbSize < sizeof(CHARFORMATA))
        return 0;
    CHARFORMATA f;
    if (which & SCF_SELECTION)
        f = r.SelStart() == r.SelEnd() ? r.typingFormat : r.text.CommonCharFormat(r.SelStart(), r.SelEnd());
    else
        f = r.text.DefaultFormat();
    if (which & SCF_SELECTION && r.SelStart() == r.SelEnd())
        f.dwMask = CFM_ALL;
    UINT size = out->cbSize;
    std::memcpy(out, &f, sizeof(f));
    out->cbSize = size;
    return out->dwMask;
}

void SelectedParagraphs(const RichEditControl& r, size_t* first, size_t* last)
{
    *first = r.text.ParagraphOf(r.SelStart());
    size_t end = r.SelEnd();
    // A selection ending just after a mark does not reach into the next paragraph.
    if (end > r.SelStart() && r.text.Text()[end - 1] == '\r')
        --end;
    *last = std::max(*first, r.text.ParagraphOf(end));
}

bool SetParaFormat(RichEditControl& r, const PARAFORMAT* change)
{
    if (!change || change->cbSize < sizeof(PARAFORMAT))
        return false;
    size_t first = 0, last = 0;
    SelectedParagraphs(r, &first, &last);
    r.text.ApplyParaFormat(first, last, *change);
    Refresh(r);
    return true;
}

DWORD GetParaFormat(RichEditControl& r, PARAFORMAT* out)
{
    if (!out || out->cbSize < sizeof(PARAFORMAT))
        return 0;
    size_t first = 0, last = 0;
    SelectedParagraphs(r, &first, &last);
    PARAFORMAT p = r.text.CommonParaFormat(first, last);
    UINT size = out->cbSize;
    std::memcpy(out, &p, sizeof(p));
    out->cbSize = size;
    return out->dwMask;
}

// --- streams

LRESULT StreamIn(RichEditControl& r, WPARAM format, EDITSTREAM* stream)
{
    if (!stream || !stream->pfnCallback || !(format & (SF_TEXT | SF_RTF)))
        return 0;
    std::string data;
    std::vector<BYTE> chunk((size_t)kStreamChunk);
    stream->dwError = 0;
    while (data.size() < kMaxStreamBytes) {
        LONG got = 0;
        DWORD error = stream->pfnCallback(stream->dwCookie, chunk.data(), kStreamChunk, &got);
        if (error) {
            stream->dwError = error;
            break;
        }
        if (got <= 0)
            break;
        data.append((const char*)chunk.data(), (size_t)std::min(got, kStreamChunk));
    }
    bool selection = (format & SFF_SELECTION) != 0;
    size_t start = selection ? r.SelStart() : 0, end = selection ? r.SelEnd() : r.text.Size();
    const PARAFORMAT& para = r.text.Paragraph(r.text.ParagraphOf(start));
    RichText piece = (format & SF_RTF) && LooksLikeRtf(data)
                         ? ReadRtf(data, r.text.DefaultFormat(), para)
                         : RichText::Plain(ToMarks(data), selection ? r.typingFormat : r.text.DefaultFormat(), para);
    // The limit holds for every stream: one into a selection gets the room the rest of the text leaves.
    size_t kept = selection ? r.text.Size() - (end - start) : 0;
    size_t room = r.limit > kept ? r.limit - kept : 0;
    if (piece.Size() > room)
        piece.Replace(CutToCharBoundary(piece.Text().data(), piece.Size(), room), piece.Size(), RichText());
    size_t length = piece.Size();
    if (selection) {
        r.text.Replace(start, end, piece);
        r.anchor = r.caret = start + length;
        Changed(r, start, end, start + length);
        r.Select(start + length, start + length);
    } else {
        CHARFORMATA base = r.text.DefaultFormat();
        r.text = piece;
        r.text.SetDefaultFormat(base);
        r.scrollY = 0;
        r.Select(0, 0);
        Refresh(r);
        r.modified = false;
    }
    return (LRESULT)length;
}

LRESULT StreamOut(RichEditControl& r, WPARAM format, EDITSTREAM* stream)
{
    if (!stream || !stream->pfnCallback)
        return 0;
    bool selection = (format & SFF_SELECTION) != 0;
    size_t start = selection ? r.SelStart() : 0, end = selection ? r.SelEnd() : r.text.Size();
    std::string data;
    if (format & SF_RTF) {
        data = WriteRtf(r.text, start, end);
    } else {
        for (size_t i = start; i < end; ++i) {
            data += r.text.Text()[i];
            if (data.back() == '\r')
                data += '\n';
        }
    }
    stream->dwError = 0;
    size_t sent = 0;
    while (sent < data.size()) {
        LONG n = (LONG)std::min<size_t>((size_t)kStreamChunk, data.size() - sent), done = 0;
        DWORD error = stream->pfnCallback(stream->dwCookie, (LPBYTE)&data[sent], n, &done);
        if (error) {
            stream->dwError = error;
            break;
        }
        if (done <= 0)
            break;
        sent += (size_t)std::min(done, n);
    }
    return (LRESULT)sent;
}

// --- text messages

LRESULT SetText(RichEditControl& r, const char* in)
{
    std::string data = in ? in : "";
    CHARFORMATA base = r.text.DefaultFormat();
    PARAFORMAT para = DefaultParaFormat();
    r.text = LooksLikeRtf(data) ? ReadRtf(data, base, para) : RichText::Plain(ToMarks(data), base, para);
    r.text.SetDefaultFormat(base);
    r.scrollY = 0;
    r.modified = false;
    r.pendingLead = -1;
    r.Select(0, 0);
    Refresh(r);
    return TRUE;
}

LRESULT CopyOut(const std::string& text, size_t start, size_t end, char* out, size_t max)
{
    if (!out || max == 0)
        return 0;
    end = std::min(end, text.size());
    start = std::min(start, end);
    size_t n = CutToCharBoundary(text.data() + start, end - start, max - 1);
    std::memcpy(out, text.data() + start, n);
    out[n] = 0;
    return (LRESULT)n;
}

LRESULT GetTextRange(RichEditControl& r, TEXTRANGEA* range)
{
    if (!range || !range->lpstrText)
        return 0;
    size_t size = r.text.Size();
    size_t from = range->chrg.cpMin < 0 ? 0 : std::min((size_t)range->chrg.cpMin, size);
    size_t to = range->chrg.cpMax < 0 ? size : std::min((size_t)range->chrg.cpMax, size);
    // The caller's buffer holds the range and its terminating zero.
    return CopyOut(r.text.Text(), from, to, range->lpstrText, to >= from ? to - from + 1 : 1);
}

void SetSelection(RichEditControl& r, long start, long end)
{
    size_t size = r.text.Size();
    if (start == -1) {
        r.Select(r.caret, r.caret);
        return;
    }
    if (start == 0 && end == -1) {
        r.Select(0, size);
        return;
    }
    r.Select(start < 0 ? size : std::min((size_t)start, size), end < 0 ? size : std::min((size_t)end, size));
}

void ApplyFont(RichEditControl& r, HFONT font)
{
    LOGFONTA lf = {};
    if (!font || !GetObject(font, sizeof(lf), &lf))
        return;
    CHARFORMATA c = {};
    c.cbSize = sizeof(c);
    c.dwMask = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_CHARSET;
    LONG height = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight * 4 / 5;  // a cell height holds a little leading
    c.yHeight = std::max<LONG>(20, height * 1440 / 96);
    c.dwEffects = (lf.lfWeight >= FW_BOLD ? CFE_BOLD : 0) | (lf.lfItalic ? CFE_ITALIC : 0) |
                  (lf.lfUnderline ? CFE_UNDERLINE : 0);
    c.bCharSet = lf.lfCharSet;
    c.bPitchAndFamily = lf.lfPitchAndFamily;
    std::memcpy(c.szFaceName, lf.lfFaceName, sizeof(c.szFaceName));
    c.szFaceName[sizeof(c.szFaceName) - 1] = 0;
    SetCharFormat(r, SCF_ALL, &c);
}

void Focus(RichEditControl& r, bool gained)
{
    HWND hwnd = r.Handle();
    r.focused = gained;
    if (gained) {
        r.PlaceCaret();
    } else {
        DestroyCaret();
        r.tracking = false;
        r.pendingLead = -1;
    }
    InvalidateRect(hwnd, nullptr, FALSE);
    NotifyParent(hwnd, gained ? EN_SETFOCUS : EN_KILLFOCUS);
}

LRESULT Scroll(RichEditControl& r, WPARAM code)
{
    RECT rc = r.FormatRect();
    int page = std::max(1, (int)(rc.bottom - rc.top)), line = 16;
    int y = r.scrollY;
    switch (LOWORD(code)) {
    case SB_LINEUP: y -= line; break;
    case SB_LINEDOWN: y += line; break;
    case SB_PAGEUP: y -= page; break;
    case SB_PAGEDOWN: y += page; break;
    case SB_TOP: y = 0; break;
    case SB_BOTTOM: y = r.Screen().Height(); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: y = (int)HIWORD(code); break;
    default: return 0;
    }
    r.scrollY = std::max(0, std::min(y, r.Screen().Height() - page));
    // Scrolling moves the lines, it does not change them.
    if (r.Style() & WS_VSCROLL)
        SetScrollPos(r.Handle(), SB_VERT, r.scrollY, TRUE);
    InvalidateRect(r.Handle(), nullptr, FALSE);
    r.PlaceCaret();
    return 0;
}

LRESULT Create(RichEditControl& r, const CREATESTRUCTA* cs)
{
    if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName))
        SetText(r, cs->lpszName);
    r.Layout();
    return 0;
}

// A multiline control wants every key but those that leave it.
LRESULT DialogCode(RichEditControl& r, const MSG* m)
{
    LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    if ((r.Style() & ES_MULTILINE) &&
        !(m && m->message == WM_KEYDOWN &&
          (m->wParam == VK_ESCAPE || m->wParam == VK_TAB || (m->wParam == VK_RETURN && !(r.Style() & ES_WANTRETURN)))))
        code |= DLGC_WANTALLKEYS;
    return code;
}

LRESULT SetFont(HWND hwnd, RichEditControl& r, UINT msg, WPARAM wParam, LPARAM lParam)
{
    DefWindowProc(hwnd, msg, wParam, lParam);
    ApplyFont(r, (HFONT)wParam);
    return 0;
}

LRESULT Resized(HWND hwnd, RichEditControl& r, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Refresh(r);
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT MouseMove(HWND hwnd, RichEditControl& r, LPARAM lParam)
{
    if (r.tracking && GetCapture() == hwnd) {
        size_t pos = PointToPosition(r, lParam);
        r.Select(r.anchor, pos);
    }
    return 0;
}

LRESULT EndTracking(HWND hwnd, RichEditControl& r, UINT msg)
{
    if (r.tracking) {
        r.tracking = false;
        if (msg == WM_LBUTTONUP && GetCapture() == hwnd)
            ReleaseCapture();
    }
    return 0;
}

LRESULT Cut(RichEditControl& r)
{
    if (!r.ReadOnly()) {
        Copy(r);
        if (r.SelStart() != r.SelEnd())
            Delete(r, false);
    }
    return 0;
}

LRESULT Clear(RichEditControl& r)
{
    if (r.SelStart() != r.SelEnd())
        Delete(r, false);
    return 0;
}

LRESULT GetSel(RichEditControl& r, WPARAM startOut, LPARAM endOut)
{
    DWORD start = (DWORD)r.SelStart(), end = (DWORD)r.SelEnd();
    if (startOut)
        *(DWORD*)startOut = start;
    if (endOut)
        *(DWORD*)endOut = end;
    return (start > 0xFFFF || end > 0xFFFF) ? -1 : MAKELRESULT(start, end);
}

LRESULT ExGetSel(RichEditControl& r, CHARRANGE* range)
{
    if (range) {
        range->cpMin = (LONG)r.SelStart();
        range->cpMax = (LONG)r.SelEnd();
    }
    return 0;
}

LRESULT ExSetSel(RichEditControl& r, const CHARRANGE* range)
{
    if (range)
        SetSelection(r, range->cpMin, range->cpMax);
    return (LRESULT)r.SelEnd();
}

LRESULT ReplaceSel(RichEditControl& r, const char* text)
{
    if (ReplaceSelection(r, text ? text : ""))
        Changed(r);
    return 0;
}

LRESULT HideSelection(HWND hwnd, RichEditControl& r, WPARAM hide)
{
    r.hideSelection = hide != 0;
    InvalidateRect(hwnd, nullptr, FALSE);
    return 0;
}

// A null range ends a run of formatting and forgets its band.
LRESULT FormatRange(RichEditControl& r, WPARAM render, const FORMATRANGE* range)
{
    if (!range) {
        r.band = RichEditControl::Band();
        return 0;
    }
    return (LRESULT)r.FormatRange(*range, render != 0);
}

LRESULT SetBackgroundColor(HWND hwnd, RichEditControl& r, WPARAM useSystem, LPARAM color)
{
    COLORREF old = r.background != CLR_INVALID ? r.background : GetSysColor(COLOR_WINDOW);
    r.background = useSystem ? CLR_INVALID : (COLORREF)color;
    InvalidateRect(hwnd, nullptr, FALSE);
    return (LRESULT)old;
}

LRESULT SetEventMask(RichEditControl& r, LPARAM mask)
{
    DWORD old = r.eventMask;
    r.eventMask = (DWORD)mask;
    return (LRESULT)old;
}

LRESULT LimitText(RichEditControl& r, UINT msg, WPARAM wParam, LPARAM lParam)
{
    r.limit = lParam || wParam ? (size_t)(msg == EM_EXLIMITTEXT ? lParam : wParam) : kMaximumLimit;
    if (msg == EM_EXLIMITTEXT && !lParam)
        r.limit = 65536;
    return 0;
}

LRESULT SetReadOnly(HWND hwnd, RichEditControl& r, WPARAM on)
{
    DWORD style = r.Style();
    SetWindowLong(hwnd, GWL_STYLE, (LONG)(on ? (style | ES_READONLY) : (style & ~ES_READONLY)));
    return TRUE;
}

LRESULT LineFromChar(RichEditControl& r, UINT msg, WPARAM wParam, LPARAM lParam)
{
    long pos = (long)(msg == EM_EXLINEFROMCHAR ? lParam : (LPARAM)(int)wParam);
    return (LRESULT)r.Screen().LineOf(pos < 0 ? r.SelStart() : (size_t)pos);
}

LRESULT LineIndex(RichEditControl& r, WPARAM wParam)
{
    long line = (long)(int)wParam;
    const auto& lines = r.Screen().Lines();
    size_t index = line < 0 ? r.Screen().LineOf(r.caret) : (size_t)line;
    return index < lines.size() ? (LRESULT)lines[index].start : (lines.empty() && index == 0 ? 0 : -1);
}

LRESULT PositionFromChar(RichEditControl& r, WPARAM index)
{
    RECT rc = r.FormatRect();
    POINT at = r.Screen().PositionOf((size_t)index);
    return MAKELRESULT((SHORT)(at.x + rc.left), (SHORT)(at.y + rc.top - r.scrollY));
}

LRESULT CharFromPosition(RichEditControl& r, const POINTL* pt)
{
    return pt ? (LRESULT)PointToPosition(r, MAKELPARAM(pt->x, pt->y)) : 0;
}

LRESULT ScrollCaret(RichEditControl& r)
{
    r.ScrollToCaret();
    r.PlaceCaret();
    return 0;
}

LRESULT Handle(HWND hwnd, RichEditControl& r, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE: return Create(r, (const CREATESTRUCTA*)lParam);
    case WM_GETDLGCODE: return DialogCode(r, (const MSG*)lParam);
    case WM_SETTEXT: return SetText(r, (const char*)lParam);
    case WM_GETTEXT: return CopyOut(r.text.Text(), 0, r.text.Size(), (char*)lParam, (size_t)wParam);
    case WM_GETTEXTLENGTH: return (LRESULT)r.text.Size();
    case WM_SETFONT: return SetFont(hwnd, r, msg, wParam, lParam);
    case WM_SIZE:
    case WM_STYLECHANGED: return Resized(hwnd, r, msg, wParam, lParam);
    case WM_ERASEBKGND:
    case WM_PAINT:
    case WM_PRINTCLIENT: return PaintMessage(hwnd, msg, wParam, [&](HDC hdc) { r.Paint(hdc); });
    case WM_SETFOCUS: Focus(r, true); return 0;
    case WM_KILLFOCUS: Focus(r, false); return 0;
    case WM_KEYDOWN: KeyDown(r, wParam); return 0;
    case WM_CHAR: Char(r, wParam); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: MouseDown(r, lParam); return 0;
    case WM_MOUSEMOVE: return MouseMove(hwnd, r, lParam);
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED: return EndTracking(hwnd, r, msg);
    case WM_VSCROLL: return Scroll(r, wParam);
    case WM_MOUSEWHEEL: return Scroll(r, GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? SB_LINEUP : SB_LINEDOWN);
    case WM_COPY: Copy(r); return 0;
    case WM_CUT: return Cut(r);
    case WM_PASTE: Paste(r); return 0;
    case WM_CLEAR: return Clear(r);
    case EM_GETSEL: return GetSel(r, wParam, lParam);
    case EM_SETSEL: SetSelection(r, (long)(int)wParam, (long)(int)lParam); return 0;
    case EM_EXGETSEL: return ExGetSel(r, (CHARRANGE*)lParam);
    case EM_EXSETSEL: return ExSetSel(r, (const CHARRANGE*)lParam);
    case EM_REPLACESEL: return ReplaceSel(r, (const char*)lParam);
    case EM_GETSELTEXT:
        return CopyOut(r.text.Text(), r.SelStart(), r.SelEnd(), (char*)lParam, r.SelEnd() - r.SelStart() + 1);
    case EM_GETTEXTRANGE: return GetTextRange(r, (TEXTRANGEA*)lParam);
    case EM_HIDESELECTION: return HideSelection(hwnd, r, wParam);
    case EM_SETCHARFORMAT: return SetCharFormat(r, wParam, (const CHARFORMATA*)lParam);
    case EM_GETCHARFORMAT: return (LRESULT)GetCharFormat(r, wParam, (CHARFORMATA*)lParam);
    case EM_SETPARAFORMAT: return SetParaFormat(r, (const PARAFORMAT*)lParam);
    case EM_GETPARAFORMAT: return (LRESULT)GetParaFormat(r, (PARAFORMAT*)lParam);
    case EM_STREAMIN: return StreamIn(r, wParam, (EDITSTREAM*)lParam);
    case EM_STREAMOUT: return StreamOut(r, wParam, (EDITSTREAM*)lParam);
    case EM_FORMATRANGE: return FormatRange(r, wParam, (const FORMATRANGE*)lParam);
    case EM_DISPLAYBAND: return r.DisplayBand((const RECT*)lParam);
    case EM_SETTARGETDEVICE: return TRUE;
    case EM_SETBKGNDCOLOR: return SetBackgroundColor(hwnd, r, wParam, lParam);
    case EM_SETEVENTMASK: return SetEventMask(r, lParam);
    case EM_GETEVENTMASK: return (LRESULT)r.eventMask;
    case EM_EXLIMITTEXT:
    case EM_LIMITTEXT: return LimitText(r, msg, wParam, lParam);
    case EM_GETLIMITTEXT: return (LRESULT)r.limit;
    case EM_GETMODIFY: return r.modified;
    case EM_SETMODIFY: r.modified = wParam != 0; return 0;
    case EM_SETREADONLY: return SetReadOnly(hwnd, r, wParam);
    case EM_GETLINECOUNT: return (LRESULT)std::max<size_t>(1, r.Screen().Lines().size());
    case EM_LINEFROMCHAR:
    case EM_EXLINEFROMCHAR: return LineFromChar(r, msg, wParam, lParam);
    case EM_LINEINDEX: return LineIndex(r, wParam);
    case EM_POSFROMCHAR: return PositionFromChar(r, wParam);
    case EM_CHARFROMPOS: return CharFromPosition(r, (const POINTL*)lParam);
    case EM_SCROLLCARET: return ScrollCaret(r);
    case EM_CANUNDO:
    case EM_UNDO: return 0;
    case EM_CANPASTE: return IsClipboardFormatAvailable(CF_TEXT);
    case EM_EMPTYUNDOBUFFER: return 0;
    }
    return ControlDefault(hwnd, msg, wParam, lParam);
}

}  // namespace

const WNDPROC RichEditProc = ControlWindow<RichEditControl>::Procedure<Handle>;

}  // namespace mivo
