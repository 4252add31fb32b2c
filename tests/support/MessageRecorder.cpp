#include "support/MessageRecorder.h"

#include <mivo/testing/MessageDelivery.h>

#include <cstdio>
namespace mivo::test {

namespace {

MessageRecorder* g_current = nullptr;

// Whether the innermost recorded message on this thread is now in DefWindowProc:
// what arrives meanwhile came through the default procedure.
thread_local bool t_inDefProc = false;

// Sets t_inDefProc for one stretch of a procedure and puts the caller's value back.
struct DefProcStretch {
    bool saved;
    explicit DefProcStretch(bool inDefProc) : saved(t_inDefProc) { t_inDefProc = inDefProc; }
    ~DefProcStretch() { t_inDefProc = saved; }
};

LRESULT CALLBACK RecorderProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (g_current)
        return g_current->Handle(hwnd, msg, wParam, lParam, nullptr);
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

void RegisterOnce()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    WNDCLASS wc = {};
    wc.lpfnWndProc = RecorderProc;
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = MessageRecorder::ClassName();
    RegisterClass(&wc);
    wc.style = CS_DBLCLKS;
    wc.lpszClassName = MessageRecorder::ClassNameDblClks();
    RegisterClass(&wc);
}

}  // namespace

MessageRecorder::MessageRecorder()
{
    RegisterOnce();
    g_current = this;
}

MessageRecorder::~MessageRecorder()
{
    for (auto& s : m_subclassed)
        if (IsWindow(s.first))
            SetWindowLongPtr(s.first, GWLP_WNDPROC, (LONG_PTR)s.second);
    if (g_current == this)
        g_current = nullptr;
}

const char* MessageRecorder::ClassName()
{
    return "MivoTestRecorder";
}

const char* MessageRecorder::ClassNameDblClks()
{
    return "MivoTestRecorderDbl";
}

namespace {

LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (g_current)
        return g_current->Handle(hwnd, msg, wParam, lParam, (WNDPROC)-1);
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

}  // namespace

void MessageRecorder::Attach(HWND hwnd)
{
    WNDPROC old = (WNDPROC)SetWindowLongPtr(hwnd, GWLP_WNDPROC, (LONG_PTR)SubclassProc);
    std::lock_guard<std::mutex> guard(m_lock);
    m_subclassed[hwnd] = old;
}

void MessageRecorder::OnMessage(UINT msg, Handler handler)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_handlers[msg] = handler;
}

void MessageRecorder::Clear()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_log.clear();
}

std::vector<RecordedMessage> MessageRecorder::All() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_log;
}

std::vector<UINT> MessageRecorder::Messages(HWND hwnd, const std::vector<UINT>& only) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    std::vector<UINT> out;
    for (auto& r : m_log) {
        if (hwnd && r.hwnd != hwnd)
            continue;
        if (!only.empty()) {
            bool keep = false;
            for (UINT m : only)
                keep = keep || m == r.msg;
            if (!keep)
                continue;
        }
        out.push_back(r.msg);
    }
    return out;
}

int MessageRecorder::Count(HWND hwnd, UINT msg) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    int n = 0;
    for (auto& r : m_log)
        if ((!hwnd || r.hwnd == hwnd) && r.msg == msg)
            ++n;
    return n;
}

LRESULT MessageRecorder::Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, WNDPROC next)
{
    RecordedMessage record{hwnd, msg, wParam, lParam};
    record.posted = InPostedMessage();
    record.defProc = t_inDefProc;
    if (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CHILD)
        record.parent = GetParent(hwnd);
    // What the handler or the subclassed procedure sends is their own, not the default procedure's.
    DefProcStretch own(false);

    Handler handler;
    WNDPROC original = nullptr;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_log.push_back(record);
        auto it = m_handlers.find(msg);
        if (it != m_handlers.end())
            handler = it->second;
        if (next) {
            auto s = m_subclassed.find(hwnd);
            if (s != m_subclassed.end())
                original = s->second;
        }
    }
    LRESULT result = 0;
    if (handler && handler(hwnd, msg, wParam, lParam, &result))
        return result;
    if (original)
        return CallWindowProc(original, hwnd, msg, wParam, lParam);
    DefProcStretch passing(true);
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

HWND CreateTestWindow(const char* title, DWORD style, int x, int y, int cx, int cy, HWND parent, int id,
                      DWORD exStyle, const char* cls)
{
    RegisterOnce();
    return CreateWindowEx(exStyle, cls ? cls : MessageRecorder::ClassName(), title, style, x, y, cx, cy, parent,
                          (HMENU)(INT_PTR)id, nullptr, nullptr);
}

std::string MessageList(const std::vector<UINT>& msgs)
{
    std::string s;
    for (UINT m : msgs) {
        if (!s.empty())
            s += ", ";
        s += MessageName(m);
    }
    return s;
}

}  // namespace mivo::test
