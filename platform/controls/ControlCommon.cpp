// Helpers every standard control uses.
#include "controls/ControlsInternal.h"
#include "mivo/Trace.h"
#include "mivo/testing/layoutsteps.h"

#include <atomic>

namespace mivo {

void NotifyParent(HWND control, int code)
{
    HWND parent = GetParent(control);
    if (!parent)
        return;
    SendMessage(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code), (LPARAM)control);
}

HBRUSH ControlColor(HWND control, HDC hdc, UINT msg)
{
    HWND parent = GetParent(control);
    HBRUSH brush = nullptr;
    if (parent)
        brush = (HBRUSH)SendMessage(parent, msg, (WPARAM)hdc, (LPARAM)control);
    if (!brush)
        brush = (HBRUSH)DefWindowProc(control, msg, (WPARAM)hdc, (LPARAM)control);
    return brush;
}

HFONT ControlFont(HWND control)
{
    HFONT font = (HFONT)SendMessage(control, WM_GETFONT, 0, 0);
    return font ? font : (HFONT)GetStockObject(DEFAULT_GUI_FONT);
}

int FontLineHeight(HWND control)
{
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc)
        return 16;
    HGDIOBJ old = SelectObject(dc, ControlFont(control));
    TEXTMETRICA tm = {};
    int h = GetTextMetrics(dc, &tm) ? tm.tmHeight : 16;
    SelectObject(dc, old);
    DeleteDC(dc);
    return h > 0 ? h : 16;
}

std::string ControlText(HWND hwnd)
{
    int len = GetWindowTextLength(hwnd);
    if (len <= 0)
        return std::string();
    std::string text((size_t)len + 1, '\0');
    int got = GetWindowText(hwnd, &text[0], len + 1);
    text.resize(got > 0 ? (size_t)got : 0);
    return text;
}

int TextWidth(HDC hdc, const char* text, int length)
{
    if (length <= 0)
        return 0;
    SIZE size = {0, 0};
    GetTextExtentPoint32(hdc, text, length, &size);
    return size.cx;
}

namespace {

// The classes whose messages all lie below WM_USER; the others (the common
// controls) keep theirs from WM_USER on.
const char* const kSystemRangeClasses[] = {"Button", "Static", "Edit", "ListBox", "ComboBox", "ComboLBox", "ScrollBar"};

const UINT kControlMessagesFirst = 0x00B0;  // EM_, SBM_ and BM_ up to 0x00FF
const UINT kControlMessagesLast = 0x00FF;
const UINT kListMessagesFirst = 0x0140;  // CB_, STM_ and LB_ up to 0x01FF
const UINT kListMessagesLast = 0x01FF;
const UINT kClassMessagesLast = 0x7FFF;  // WM_APP and up belong to the program

bool UsesSystemRangeOnly(const char* cls)
{
    for (const char* name : kSystemRangeClasses)
        if (lstrcmpi(cls, name) == 0)
            return true;
    return false;
}

// A message of a control's own kind: one DefWindowProc never handles.
bool IsControlMessage(const char* cls, UINT msg)
{
    if ((msg >= kControlMessagesFirst && msg <= kControlMessagesLast) ||
        (msg >= kListMessagesFirst && msg <= kListMessagesLast))
        return true;
    return msg >= WM_USER && msg <= kClassMessagesLast && !UsesSystemRangeOnly(cls);
}

// One fixme line per class and message the control left to DefWindowProc.
void ReportUnhandled(HWND hwnd, UINT msg)
{
    char cls[64] = "";
    GetClassName(hwnd, cls, (int)sizeof(cls));
    if (!IsControlMessage(cls, msg))
        return;
    std::string name = MessageName(msg);
    MIVO_FIXME_ONCE(kTraceControls, std::string(cls) + " " + name, "\"%s\" does not handle %s", cls, name.c_str());
}

}  // namespace

LRESULT ControlDefault(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (Tracing(kTraceControls))
        TraceMessage(kTraceControls, hwnd, nullptr, msg, wParam, lParam);
    if (Tracing(kTraceControls, TraceLevel::Fixme))
        ReportUnhandled(hwnd, msg);
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

size_t CharLengthAt(const std::string& s, size_t i)
{
    if (i >= s.size())
        return 0;
    return ((unsigned char)s[i] >= 0x81 && i + 1 < s.size()) ? 2 : 1;
}

size_t CharStartAtOrBefore(const std::string& s, size_t i, size_t from)
{
    if (i > s.size())
        i = s.size();
    size_t pos = from > i ? 0 : from;
    while (pos < i) {
        size_t n = CharLengthAt(s, pos);
        if (pos + n > i)
            break;
        pos += n;
    }
    return pos;
}

size_t PreviousCharStart(const std::string& s, size_t i, size_t from)
{
    if (i == 0)
        return 0;
    if (from >= i)
        from = 0;
    size_t pos = from, prev = from;
    while (pos < i && pos < s.size()) {
        prev = pos;
        pos += CharLengthAt(s, pos);
    }
    CountLayoutSteps(pos - from);
    return prev;
}

namespace {
std::atomic<uint64_t> g_layoutSteps{0};
}  // namespace

void CountLayoutSteps(size_t steps)
{
    g_layoutSteps.fetch_add(steps, std::memory_order_relaxed);
}

uint64_t TextLayoutSteps()
{
    return g_layoutSteps.load(std::memory_order_relaxed);
}

void ResetTextLayoutSteps()
{
    g_layoutSteps.store(0, std::memory_order_relaxed);
}

}  // namespace mivo
