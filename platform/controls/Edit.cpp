// The "Edit" class: single- and multi-line text entry. Typed double-byte
// characters arrive as two WM_CHAR messages; the caret, deletion and the
// selection always move by whole characters.
#include "controls/BuiltinClasses.h"
#include "controls/EditControl.h"
#include "win32/clipboard.h"
#include "win32/codepage.h"
#include "win32/cursors.h"
#include "win32/globalmem.h"
#include "win32/input.h"
#include "win32/menus.h"
#include "win32/msgbox.h"
#include "mivo/Trace.h"
#include "mivo/codepage.h"

#include <algorithm>
#include <climits>
#include <cstring>


namespace mivo {

namespace {

const size_t kDefaultLimit = 32767;
const size_t kMaximumLimit = 0x7FFFFFFE;

EditControl* Data(HWND hwnd)
{
    return ControlWindow<EditControl>::Of(hwnd);
}

void Refresh(EditControl& e)
{
    e.Layout();
    e.ScrollToCaret();
    InvalidateRect(e.Handle(), nullptr, FALSE);
    e.PlaceCaret();
    e.UpdateScrollBars();
}

// EN_UPDATE before the control shows the change, EN_CHANGE after.
void NotifyChange(HWND hwnd)
{
    NotifyParent(hwnd, EN_UPDATE);
    if (!IsWindow(hwnd))
        return;
    UpdateWindow(hwnd);
    NotifyParent(hwnd, EN_CHANGE);
}

void Edited(EditControl& e)
{
    e.modified = true;
    Refresh(e);
    NotifyChange(e.Handle());
}

std::string ApplyCase(const EditControl& e, std::string text)
{
    if (e.Style() & ES_UPPERCASE)
        AnsiUpper(&text[0], text.size());
    else if (e.Style() & ES_LOWERCASE)
        AnsiLower(&text[0], text.size());
    return text;
}

// Inserts what the user typed or pasted; a change that does not fit where
// the control cannot scroll is taken back. Returns whether the text changed.
bool InsertByUser(EditControl& e, const std::string& raw, bool typing)
{
    HWND hwnd = e.Handle();
    if (e.ReadOnly()) {
        MessageBeep(0);
        return false;
    }
    EditBuffer before = e.buffer;
    bool truncated = false;
    bool changed = e.buffer.Replace(ApplyCase(e, raw), e.limit, true, typing, &truncated);
    if (changed) {
        e.Layout();
        if (!e.Fits()) {
            e.buffer = before;
            e.Layout();
            changed = false;
            truncated = true;
        }
    }
    if (truncated) {
        NotifyParent(hwnd, EN_MAXTEXT);
        if (!IsWindow(hwnd))
            return false;
    }
    if (changed)
        Edited(e);
    return changed;
}

bool DeleteByUser(EditControl& e, bool backward)
{
    if (e.ReadOnly()) {
        MessageBeep(0);
        return false;
    }
    bool changed = backward ? e.buffer.DeleteBackward() : e.buffer.DeleteForward();
    if (changed)
        Edited(e);
    return changed;
}

void Select(EditControl& e, size_t anchor, size_t caret)
{
    e.buffer.Select(anchor, caret);
    e.buffer.EndTyping();
    e.ScrollToCaret();
    InvalidateRect(e.Handle(), nullptr, FALSE);
    e.PlaceCaret();
}

void MoveCaret(EditControl& e, size_t pos, bool extend)
{
    Select(e, extend ? e.buffer.Anchor() : pos, pos);
}

// --- the clipboard

void CopySelection(EditControl& e)
{
    if (e.passwordChar || !e.buffer.HasSelection())
        return;
    std::string text = e.buffer.SelectedText();
    if (!OpenClipboard(e.Handle()))
        return;
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (block) {
        char* p = (char*)GlobalLock(block);
        if (p) {
            std::memcpy(p, text.c_str(), text.size() + 1);
            GlobalUnlock(block);
            SetClipboardData(CF_TEXT, block);
        } else {
            GlobalFree(block);
        }
    }
    CloseClipboard();
}

std::string ClipboardText(HWND owner)
{
    std::string text;
    if (!OpenClipboard(owner))
        return text;
    HANDLE block = GetClipboardData(CF_TEXT);
    if (block) {
        const char* p = (const char*)GlobalLock(block);
        if (p) {
            size_t max = GlobalSize(block);
            text.assign(p, strnlen(p, max));
            GlobalUnlock(block);
        }
    }
    CloseClipboard();
    return text;
}

void Paste(EditControl& e)
{
    std::string text = ClipboardText(e.Handle());
    if (!e.Multiline()) {
        size_t stop = text.find_first_of("\r\n");
        if (stop != std::string::npos)
            text.resize(stop);
    } else {
        std::string lines;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
                lines += '\r';
            lines += text[i];
        }
        text.swap(lines);
    }
    if (!text.empty() || e.buffer.HasSelection())
        InsertByUser(e, text, false);
}

void Cut(EditControl& e)
{
    if (e.ReadOnly() || e.passwordChar || !e.buffer.HasSelection())
        return;
    CopySelection(e);
    DeleteByUser(e, false);
}

bool UndoByUser(EditControl& e)
{
    if (e.ReadOnly() || !e.buffer.Undo())
        return false;
    Edited(e);
    return true;
}

void ContextMenu(EditControl& e, LPARAM lParam)
{
    HWND hwnd = e.Handle();
    if (GetFocus() != hwnd)
        SetFocus(hwnd);
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (pt.x == -1 && pt.y == -1) {
        pt = e.PositionOf(e.buffer.Caret());
        ClientToScreen(hwnd, &pt);
    }
    bool editable = !e.ReadOnly();
    bool selection = e.buffer.HasSelection();
    bool secret = e.passwordChar != 0;
    bool all = e.buffer.SelStart() == 0 && e.buffer.SelEnd() == e.buffer.Size();
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return;
    AppendMenu(menu, (editable && e.buffer.CanUndo()) ? 0 : MF_GRAYED, WM_UNDO, "실행 취소(&U)");
    AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenu(menu, (editable && selection && !secret) ? 0 : MF_GRAYED, WM_CUT, "잘라내기(&T)");
    AppendMenu(menu, (selection && !secret) ? 0 : MF_GRAYED, WM_COPY, "복사(&C)");
    AppendMenu(menu, (editable && IsClipboardFormatAvailable(CF_TEXT)) ? 0 : MF_GRAYED, WM_PASTE, "붙여넣기(&P)");
    AppendMenu(menu, (editable && selection) ? 0 : MF_GRAYED, WM_CLEAR, "삭제(&D)");
    AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenu(menu, (e.buffer.Size() > 0 && !all) ? 0 : MF_GRAYED, EM_SETSEL, "모두 선택(&A)");
    UINT command = (UINT)TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, pt.x, pt.y, 0, hwnd,
                                        nullptr);
    DestroyMenu(menu);
    if (!IsWindow(hwnd) || !command)
        return;
    if (command == EM_SETSEL)
        SendMessage(hwnd, EM_SETSEL, 0, -1);
    else
        SendMessage(hwnd, command, 0, 0);
}

// --- keys

void VerticalMove(EditControl& e, int lines, bool extend)
{
    size_t caret = e.buffer.Caret();
    size_t index = e.LineOf(caret);
    long target = std::max(0L, std::min((long)index + lines, (long)e.LineCount() - 1));
    POINT pt = e.PositionOf(caret);
    MoveCaret(e, e.PositionOnLine((size_t)target, pt.x), extend);
}

void KeyDown(EditControl& e, WPARAM vk)
{
    bool shift = GetKeyState(VK_SHIFT) < 0;
    bool ctrl = GetKeyState(VK_CONTROL) < 0;
    size_t caret = e.buffer.Caret();
    const EditLine& line = e.Line(e.LineOf(caret));
    switch (vk) {
    case VK_LEFT:
        MoveCaret(e, ctrl ? e.buffer.WordLeft(caret) : e.buffer.Previous(caret), shift);
        break;
    case VK_RIGHT:
        MoveCaret(e, ctrl ? e.buffer.WordRight(caret) : e.buffer.Next(caret), shift);
        break;
    case VK_UP:
        if (e.Multiline())
            VerticalMove(e, -1, shift);
        else
            MoveCaret(e, e.buffer.Previous(caret), shift);
        break;
    case VK_DOWN:
        if (e.Multiline())
            VerticalMove(e, 1, shift);
        else
            MoveCaret(e, e.buffer.Next(caret), shift);
        break;
    case VK_PRIOR:
        if (e.Multiline())
            VerticalMove(e, -e.VisibleLineCount(), shift);
        break;
    case VK_NEXT:
        if (e.Multiline())
            VerticalMove(e, e.VisibleLineCount(), shift);
        break;
    case VK_HOME:
        MoveCaret(e, (ctrl || !e.Multiline()) ? 0 : line.start, shift);
        break;
    case VK_END:
        MoveCaret(e, (ctrl || !e.Multiline()) ? e.buffer.Size() : line.start + line.length, shift);
        break;
    case VK_DELETE:
        if (shift)
            Cut(e);
        else
            DeleteByUser(e, false);
        break;
    case VK_INSERT:
        if (ctrl)
            CopySelection(e);
        else if (shift)
            Paste(e);
        break;
    }
}

void Char(EditControl& e, WPARAM wParam)
{
    unsigned ch = (unsigned)(wParam & 0xFF);
    if (e.pendingLead >= 0) {
        std::string pair;
        pair += (char)e.pendingLead;
        pair += (char)ch;
        e.pendingLead = -1;
        if (ch >= 0x41)
            InsertByUser(e, pair, true);
        return;
    }
    if (ch >= 0x81 && ch <= 0xFE) {
        e.pendingLead = (int)ch;
        return;
    }
    switch (ch) {
    case 0x08:
        DeleteByUser(e, true);
        return;
    case 0x03:
        CopySelection(e);
        return;
    case 0x16:
        Paste(e);
        return;
    case 0x18:
        Cut(e);
        return;
    case 0x1A:
        UndoByUser(e);
        return;
    case '\r':
    case '\n':
        if (e.Multiline())
            InsertByUser(e, "\r\n", true);
        return;
    case '\t':
        if (e.Multiline())
            InsertByUser(e, "\t", true);
        return;
    }
    if (ch < 0x20 || ch == 0x7F)
        return;
    if ((e.Style() & ES_NUMBER) && (ch < '0' || ch > '9')) {
        MessageBeep(0);
        return;
    }
    InsertByUser(e, std::string(1, (char)ch), true);
}

UINT DialogCode(const EditControl& e, const MSG* msg)
{
    UINT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    if (!e.Multiline())
        return code;
    code |= DLGC_WANTALLKEYS;
    if (msg && msg->message == WM_KEYDOWN) {
        // In a dialog Escape, Tab and (without ES_WANTRETURN) Enter still belong to the dialog.
        if (msg->wParam == VK_ESCAPE || (msg->wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0) ||
            (msg->wParam == VK_RETURN && !(e.Style() & ES_WANTRETURN)))
            code &= ~DLGC_WANTALLKEYS;
    }
    return code;
}

// --- the mouse

void MouseDown(EditControl& e, LPARAM lParam, bool word)
{
    HWND hwnd = e.Handle();
    if (GetFocus() != hwnd)
        SetFocus(hwnd);
    EditControl* again = Data(hwnd);
    if (!again)
        return;
    size_t pos = again->PositionAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    if (word) {
        size_t start = pos, end = pos;
        if (pos < again->buffer.Size() && again->buffer.Text()[pos] != ' ') {
            end = again->buffer.WordRight(pos);
            start = again->buffer.WordLeft(again->buffer.Next(pos));
        }
        Select(*again, start, end);
    } else {
        MoveCaret(*again, pos, GetKeyState(VK_SHIFT) < 0);
    }
    again->tracking = true;
    SetCapture(hwnd);
}

void MouseMove(EditControl& e, LPARAM lParam)
{
    if (!e.tracking || GetCapture() != e.Handle())
        return;
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    RECT format = e.FormatRect();
    if (pt.x < format.left)
        e.ScrollPixels(-e.AverageCharWidth());
    else if (pt.x > format.right)
        e.ScrollPixels(e.AverageCharWidth());
    if (e.Multiline()) {
        if (pt.y < format.top)
            e.ScrollLines(-1);
        else if (pt.y > format.bottom)
            e.ScrollLines(1);
    }
    MoveCaret(e, e.PositionAt(pt), true);
}

// --- messages

LRESULT GetSel(const EditControl& e, WPARAM wParam, LPARAM lParam)
{
    DWORD start = (DWORD)e.buffer.SelStart(), end = (DWORD)e.buffer.SelEnd();
    if (wParam)
        *(DWORD*)wParam = start;
    if (lParam)
        *(DWORD*)lParam = end;
    if (start > 0xFFFF || end > 0xFFFF)
        return -1;
    return MAKELRESULT(start, end);
}

void SetSel(EditControl& e, WPARAM wParam, LPARAM lParam)
{
    long start = (long)(int)wParam, end = (long)(int)lParam;
    size_t size = e.buffer.Size();
    if (start == -1) {
        Select(e, e.buffer.Caret(), e.buffer.Caret());
        return;
    }
    size_t a = start < 0 ? size : std::min((size_t)start, size);
    size_t c = end < 0 ? size : std::min((size_t)end, size);
    Select(e, a, c);
}

LRESULT ReplaceSel(EditControl& e, WPARAM canUndo, LPARAM lParam)
{
    const char* text = lParam ? (const char*)lParam : "";
    bool truncated = false;
    bool changed = e.buffer.Replace(ApplyCase(e, text), e.limit, canUndo != 0, false, &truncated);
    HWND hwnd = e.Handle();
    if (truncated)
        NotifyParent(hwnd, EN_MAXTEXT);
    if (changed && IsWindow(hwnd))
        if (EditControl* again = Data(hwnd))
            Edited(*again);
    return 0;
}

LRESULT SetText(EditControl& e, LPARAM lParam)
{
    const char* text = lParam ? (const char*)lParam : "";
    e.buffer.SetText(ApplyCase(e, text));
    e.modified = false;
    e.pendingLead = -1;
    Refresh(e);
    // A multi-line edit does not report text set by WM_SETTEXT.
    if (!e.Multiline())
        NotifyChange(e.Handle());
    return TRUE;
}

LRESULT GetText(const EditControl& e, WPARAM max, LPARAM lParam)
{
    char* out = (char*)lParam;
    if (!out || max == 0)
        return 0;
    const std::string& text = e.buffer.Text();
    size_t n = CutToCharBoundary(text.data(), text.size(), (size_t)max - 1);
    std::memcpy(out, text.data(), n);
    out[n] = 0;
    return (LRESULT)n;
}

LRESULT LineFromChar(EditControl& e, WPARAM wParam)
{
    if (!e.Multiline())
        return 0;
    long pos = (long)(int)wParam;
    size_t at = pos < 0 ? e.buffer.SelStart() : std::min((size_t)pos, e.buffer.Size());
    return (LRESULT)e.LineOf(at);
}

LRESULT LineIndex(EditControl& e, WPARAM wParam)
{
    long line = (long)(int)wParam;
    if (line < 0)
        line = (long)e.LineOf(e.buffer.Caret());
    if ((size_t)line >= e.LineCount())
        return -1;
    return (LRESULT)e.Line((size_t)line).start;
}

LRESULT LineLength(EditControl& e, WPARAM wParam)
{
    if (!e.Multiline())
        return (LRESULT)e.buffer.Size();
    long pos = (long)(int)wParam;
    if (pos < 0) {
        // The characters not selected on the lines the selection touches.
        const EditLine& first = e.Line(e.LineOf(e.buffer.SelStart()));
        const EditLine& last = e.Line(e.LineOf(e.buffer.SelEnd()));
        size_t before = e.buffer.SelStart() - first.start;
        size_t after = last.start + last.length > e.buffer.SelEnd() ? last.start + last.length - e.buffer.SelEnd() : 0;
        return (LRESULT)(before + after);
    }
    if ((size_t)pos > e.buffer.Size())
        return 0;
    return (LRESULT)e.Line(e.LineOf((size_t)pos)).length;
}

LRESULT GetLine(EditControl& e, WPARAM wParam, LPARAM lParam)
{
    char* out = (char*)lParam;
    if (!out)
        return 0;
    WORD max;
    std::memcpy(&max, out, sizeof(max));
    size_t index = e.Multiline() ? (size_t)wParam : 0;
    if (index >= e.LineCount() || max == 0)
        return 0;
    const EditLine& line = e.Line(index);
    size_t n = CutToCharBoundary(e.buffer.Text().data() + line.start, line.length, max);
    std::memcpy(out, e.buffer.Text().data() + line.start, n);
    if (n < max)
        out[n] = 0;
    return (LRESULT)n;
}

LRESULT SetMargins(EditControl& e, WPARAM flags, LPARAM lParam)
{
    int left = LOWORD(lParam), right = HIWORD(lParam);
    if (flags & EC_LEFTMARGIN)
        e.marginLeft = (left == EC_USEFONTINFO) ? e.AverageCharWidth() / 2 : left;
    if (flags & EC_RIGHTMARGIN)
        e.marginRight = (right == EC_USEFONTINFO) ? e.AverageCharWidth() / 2 : right;
    Refresh(e);
    return 0;
}

LRESULT SetTabStops(EditControl& e, WPARAM count, LPARAM lParam)
{
    if (!e.Multiline())
        return FALSE;
    e.tabStops.clear();
    const int* stops = (const int*)lParam;
    int unit = e.AverageCharWidth();
    if (count == 1 && stops)
        e.tabStops.push_back(std::max(1, stops[0] * unit / 4));
    for (WPARAM i = 0; count > 1 && stops && i < count && i < 256; ++i)
        e.tabStops.push_back(stops[i] * unit / 4);
    Refresh(e);
    return TRUE;
}

// Sideways scrolling counts pixels: a line is an average character, a page the formatting width.
LRESULT HorizontalScroll(EditControl& e, WPARAM code)
{
    RECT format = e.FormatRect();
    int page = std::max(1, (int)(format.right - format.left));
    int x = e.ScrollX();
    switch (LOWORD(code)) {
    case SB_LINELEFT: x -= e.AverageCharWidth(); break;
    case SB_LINERIGHT: x += e.AverageCharWidth(); break;
    case SB_PAGELEFT: x -= page; break;
    case SB_PAGERIGHT: x += page; break;
    case SB_LEFT: x = 0; break;
    case SB_RIGHT: x = e.WidestLine(); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: x = (int)HIWORD(code); break;
    default: return 0;
    }
    if (e.ScrollToX(x))
        NotifyParent(e.Handle(), EN_HSCROLL);
    return 0;
}

LRESULT ScrollMessage(EditControl& e, UINT msg, WPARAM code)
{
    if (msg == WM_HSCROLL)
        return HorizontalScroll(e, code);
    int lines = 0;
    switch (LOWORD(code)) {
    case SB_LINEUP: lines = -1; break;
    case SB_LINEDOWN: lines = 1; break;
    case SB_PAGEUP: lines = -e.VisibleLineCount(); break;
    case SB_PAGEDOWN: lines = e.VisibleLineCount(); break;
    case SB_TOP: lines = -e.FirstVisibleLine(); break;
    case SB_BOTTOM: lines = (int)e.LineCount(); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: lines = (int)(short)HIWORD(code) - e.FirstVisibleLine(); break;
    }
    int before = e.FirstVisibleLine();
    if (e.ScrollLines(lines))
        NotifyParent(e.Handle(), EN_VSCROLL);
    return MAKELRESULT((WORD)(e.FirstVisibleLine() - before), TRUE);
}

LRESULT Create(HWND hwnd, const CREATESTRUCTA* cs)
{
    EditControl* e = Data(hwnd);
    if (!e || !cs)
        return -1;
    e->limit = kDefaultLimit;
    if ((cs->style & ES_PASSWORD) && !(cs->style & ES_MULTILINE))
        e->passwordChar = '*';
    e->Measure();
    std::string text = (cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) ? cs->lpszName : "";
    e->buffer.SetText(ApplyCase(*e, text));
    e->Layout();
    return 0;
}

void Focus(EditControl& e, bool gained)
{
    HWND hwnd = e.Handle();
    e.focused = gained;
    if (gained) {
        CreateCaret(hwnd, nullptr, 1, e.LineHeight());
        e.PlaceCaret();
        ShowCaret(hwnd);
    } else {
        DestroyCaret();
        e.tracking = false;
        e.pendingLead = -1;
        e.composition.clear();
    }
    InvalidateRect(hwnd, nullptr, FALSE);
    NotifyParent(hwnd, gained ? EN_SETFOCUS : EN_KILLFOCUS);
}

LRESULT SetFont(HWND hwnd, EditControl& e, UINT msg, WPARAM wParam, LPARAM lParam)
{
    DefWindowProc(hwnd, msg, wParam, lParam);
    e.Measure();
    Refresh(e);
    if (e.focused) {
        DestroyCaret();
        CreateCaret(hwnd, nullptr, 1, e.LineHeight());
        e.PlaceCaret();
        ShowCaret(hwnd);
    }
    if (LOWORD(lParam))
        InvalidateRect(hwnd, nullptr, TRUE);
    return 0;
}

LRESULT Resized(HWND hwnd, EditControl& e, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Refresh(e);
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT EndTracking(HWND hwnd, EditControl& e, UINT msg)
{
    if (e.tracking) {
        e.tracking = false;
        if (msg == WM_LBUTTONUP && GetCapture() == hwnd)
            ReleaseCapture();
    }
    return 0;
}

// The wheel scrolls a multiline edit; a single line passes it on.
LRESULT MouseWheel(HWND hwnd, EditControl& e, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!e.Multiline())
        return ControlDefault(hwnd, msg, wParam, lParam);
    e.ScrollLines(-3 * GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA);
    return 0;
}

LRESULT Clear(EditControl& e)
{
    if (e.buffer.HasSelection())
        DeleteByUser(e, false);
    return 0;
}

LRESULT ScrollCaret(EditControl& e)
{
    e.ScrollToCaret();
    e.PlaceCaret();
    return TRUE;
}

LRESULT SetReadOnly(HWND hwnd, EditControl& e, WPARAM on)
{
    DWORD style = e.Style();
    SetWindowLong(hwnd, GWL_STYLE, (LONG)(on ? (style | ES_READONLY) : (style & ~ES_READONLY)));
    InvalidateRect(hwnd, nullptr, TRUE);
    return TRUE;
}

LRESULT LineScroll(EditControl& e, WPARAM chars, LPARAM lines)
{
    if (!e.Multiline())
        return FALSE;
    e.ScrollPixels((int)chars * e.AverageCharWidth());
    e.ScrollLines((int)lines);
    return TRUE;
}

LRESULT SetPasswordChar(HWND hwnd, EditControl& e, WPARAM ch)
{
    if (e.Multiline())
        return 0;
    e.passwordChar = (char)ch;
    DWORD style = e.Style();
    SetWindowLong(hwnd, GWL_STYLE, (LONG)(ch ? (style | ES_PASSWORD) : (style & ~ES_PASSWORD)));
    Refresh(e);
    return 0;
}

LRESULT GetRect(const EditControl& e, LPARAM out)
{
    if (out)
        *(RECT*)out = e.FormatRect();
    return 0;
}

LRESULT SetRect(HWND hwnd, EditControl& e, UINT msg, LPARAM rect)
{
    e.SetFormatRect((const RECT*)rect);
    if (msg == EM_SETRECT)
        InvalidateRect(hwnd, nullptr, TRUE);
    return 0;
}

LRESULT PositionFromChar(EditControl& e, WPARAM index)
{
    if (index > e.buffer.Size())
        return -1;
    POINT pt = e.PositionOf((size_t)index);
    return MAKELRESULT((SHORT)pt.x, (SHORT)pt.y);
}

LRESULT CharFromPosition(EditControl& e, LPARAM point)
{
    size_t pos = e.PositionAt(POINT{GET_X_LPARAM(point), GET_Y_LPARAM(point)});
    return MAKELRESULT((WORD)std::min<size_t>(pos, 0xFFFF), (WORD)e.LineOf(pos));
}

// Messages about the edit's own memory handle and word breaks: no buffer handle here, no custom breaks.
LRESULT Unsupported(UINT msg)
{
    std::string name = MessageName(msg);
    MIVO_FIXME_ONCE(kTraceControls, "Edit " + name, "\"Edit\" answers %s with 0", name.c_str());
    return 0;
}

// The input method's composition: shown at the caret until the syllable is
// committed (it then arrives as WM_CHAR) or given up.
LRESULT Composition(EditControl& e, UINT msg, WPARAM wParam, LPARAM lParam)
{
    HWND hwnd = e.Handle();
    std::string text;
    if (msg == WM_IME_COMPOSITION) {
        if (!(lParam & GCS_COMPSTR))
            return DefWindowProc(hwnd, msg, wParam, lParam);
        // Read-only and password fields show nothing of it.
        if (!e.ReadOnly() && !e.passwordChar) {
            HIMC context = ImmGetContext(hwnd);
            LONG size = ImmGetCompositionString(context, GCS_COMPSTR, nullptr, 0);
            if (size > 0) {
                text.resize((size_t)size);
                size = ImmGetCompositionString(context, GCS_COMPSTR, &text[0], (DWORD)size);
                text.resize(size > 0 ? (size_t)size : 0);
            }
            ImmReleaseContext(hwnd, context);
        }
    }
    if (text == e.composition)
        return 0;
    e.composition = text;
    InvalidateRect(hwnd, nullptr, FALSE);
    e.PlaceCaret();
    return 0;
}

LRESULT Handle(HWND hwnd, EditControl& e, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE: return Create(hwnd, (const CREATESTRUCTA*)lParam);
    case WM_GETDLGCODE: return DialogCode(e, (const MSG*)lParam);
    case WM_SETTEXT: return SetText(e, lParam);
    case WM_GETTEXT: return GetText(e, wParam, lParam);
    case WM_GETTEXTLENGTH: return (LRESULT)e.buffer.Size();
    case WM_SETFONT: return SetFont(hwnd, e, msg, wParam, lParam);
    case WM_SIZE:
    case WM_STYLECHANGED: return Resized(hwnd, e, msg, wParam, lParam);
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case WM_ERASEBKGND:
    case WM_PAINT:
    case WM_PRINTCLIENT: return PaintMessage(hwnd, msg, wParam, [&](HDC hdc) { e.Paint(hdc); });
    case WM_SETFOCUS: Focus(e, true); return 0;
    case WM_KILLFOCUS: Focus(e, false); return 0;
    case WM_KEYDOWN: KeyDown(e, wParam); return 0;
    case WM_CHAR: Char(e, wParam); return 0;
    case WM_IME_STARTCOMPOSITION:
    case WM_IME_COMPOSITION:
    case WM_IME_ENDCOMPOSITION: return Composition(e, msg, wParam, lParam);
    case WM_LBUTTONDOWN: MouseDown(e, lParam, false); return 0;
    case WM_LBUTTONDBLCLK: MouseDown(e, lParam, true); return 0;
    case WM_MOUSEMOVE: MouseMove(e, lParam); return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED: return EndTracking(hwnd, e, msg);
    case WM_MOUSEWHEEL: return MouseWheel(hwnd, e, msg, wParam, lParam);
    case WM_CONTEXTMENU: ContextMenu(e, lParam); return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
    case EM_SCROLL: return ScrollMessage(e, msg == EM_SCROLL ? WM_VSCROLL : msg, wParam);
    case WM_CUT: Cut(e); return 0;
    case WM_COPY: CopySelection(e); return 0;
    case WM_PASTE: Paste(e); return 0;
    case WM_CLEAR: return Clear(e);
    case WM_UNDO:
    case EM_UNDO: return UndoByUser(e);
    case EM_CANUNDO: return e.buffer.CanUndo();
    case EM_EMPTYUNDOBUFFER: e.buffer.EmptyUndo(); return 0;
    case EM_GETSEL: return GetSel(e, wParam, lParam);
    case EM_SETSEL: SetSel(e, wParam, lParam); return 0;
    case EM_REPLACESEL: return ReplaceSel(e, wParam, lParam);
    case EM_SCROLLCARET: return ScrollCaret(e);
    case EM_LIMITTEXT: e.limit = wParam ? (size_t)wParam : kMaximumLimit; return 0;
    case EM_GETLIMITTEXT: return (LRESULT)e.limit;
    case EM_SETREADONLY: return SetReadOnly(hwnd, e, wParam);
    case EM_GETMODIFY: return e.modified;
    case EM_SETMODIFY: e.modified = wParam != 0; return 0;
    case EM_GETLINECOUNT: return (LRESULT)e.LineCount();
    case EM_LINEFROMCHAR: return LineFromChar(e, wParam);
    case EM_LINEINDEX: return LineIndex(e, wParam);
    case EM_LINELENGTH: return LineLength(e, wParam);
    case EM_GETLINE: return GetLine(e, wParam, lParam);
    case EM_GETFIRSTVISIBLELINE: return e.Multiline() ? e.FirstVisibleLine() : e.FirstVisibleChar();
    case EM_LINESCROLL: return LineScroll(e, wParam, lParam);
    case EM_SETMARGINS: return SetMargins(e, wParam, lParam);
    case EM_GETMARGINS: return MAKELRESULT(e.marginLeft, e.marginRight);
    case EM_SETPASSWORDCHAR: return SetPasswordChar(hwnd, e, wParam);
    case EM_GETPASSWORDCHAR: return (unsigned char)e.passwordChar;
    case EM_GETRECT: return GetRect(e, lParam);
    case EM_SETRECT:
    case EM_SETRECTNP: return SetRect(hwnd, e, msg, lParam);
    case EM_POSFROMCHAR: return PositionFromChar(e, wParam);
    case EM_CHARFROMPOS: return CharFromPosition(e, lParam);
    case EM_SETTABSTOPS: return SetTabStops(e, wParam, lParam);
    case EM_FMTLINES: return wParam;
    case EM_GETHANDLE:
    case EM_SETHANDLE:
    case EM_GETTHUMB:
    case EM_SETWORDBREAKPROC:
    case EM_GETWORDBREAKPROC: return Unsupported(msg);
    }
    return ControlDefault(hwnd, msg, wParam, lParam);
}

}  // namespace

const WNDPROC EditProc = ControlWindow<EditControl>::Procedure<Handle>;

}  // namespace mivo
