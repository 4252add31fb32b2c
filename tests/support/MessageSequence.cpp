#include "support/MessageSequence.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <sstream>
#include <string>

namespace mivo::test {

namespace {

enum class Relation { Self, Parent, Child, Other };

// A record with how its window stands to the window under test.
struct Seen {
    RecordedMessage m;
    Relation relation;
};

HWND ParentOf(const std::vector<RecordedMessage>& log, HWND window)
{
    for (const auto& r : log)
        if (r.hwnd == window && r.parent)
            return r.parent;
    if (IsWindow(window) && (GetWindowLongPtr(window, GWL_STYLE) & WS_CHILD))
        return GetParent(window);
    return nullptr;
}

Relation RelationOf(const RecordedMessage& r, HWND window, HWND parent)
{
    if (r.hwnd == window)
        return Relation::Self;
    if (parent && r.hwnd == parent)
        return Relation::Parent;
    if (r.parent == window)
        return Relation::Child;
    return Relation::Other;
}

Relation RelationWanted(const ExpectedMessage& e)
{
    return (e.flags & kParent) ? Relation::Parent : (e.flags & kChild) ? Relation::Child : Relation::Self;
}

bool Matches(const ExpectedMessage& e, const Seen& s, HWND window)
{
    const RecordedMessage& m = s.m;
    if (m.msg != e.msg)
        return false;
    if (e.hwnd ? m.hwnd != e.hwnd : window && s.relation != RelationWanted(e))
        return false;
    if (((e.flags & kSent) && m.posted) || ((e.flags & kPosted) && !m.posted))
        return false;
    if ((e.flags & kDefProc) && !m.defProc)
        return false;
    if ((e.flags & kWParam) && m.wParam != e.wParam)
        return false;
    if ((e.flags & kWParamLow) && LOWORD(m.wParam) != LOWORD(e.wParam))
        return false;
    return !((e.flags & kLParam) && m.lParam != e.lParam);
}

// The records the table speaks about, in order.
std::vector<Seen> View(const MessageRecorder& rec, HWND window, const Sequence& expected, SequenceScope scope)
{
    std::vector<RecordedMessage> log = rec.All();
    HWND parent = window ? ParentOf(log, window) : nullptr;
    bool wantParent = false, wantChild = false;
    std::set<HWND> named;
    std::set<UINT> numbers;
    for (const auto& e : expected) {
        wantParent = wantParent || (e.flags & kParent);
        wantChild = wantChild || (e.flags & kChild);
        if (e.hwnd)
            named.insert(e.hwnd);
        numbers.insert(e.msg);
    }
    std::vector<Seen> out;
    for (const auto& m : log) {
        Relation relation = window ? RelationOf(m, window, parent) : Relation::Self;
        bool inView = relation == Relation::Self || (relation == Relation::Parent && wantParent) ||
                      (relation == Relation::Child && wantChild) || named.count(m.hwnd);
        if (!inView || (scope == SequenceScope::Named && !numbers.count(m.msg)))
            continue;
        out.push_back(Seen{m, relation});
    }
    return out;
}

std::string Hex(unsigned long long v)
{
    char buf[24];
    std::snprintf(buf, sizeof(buf), "0x%llx", v);
    return buf;
}

// Private messages read better relative to their range than as bare numbers.
std::string NameOf(UINT msg)
{
    std::string name = MessageName(msg);
    if (name.compare(0, 2, "0x") != 0)
        return name;
    if (msg >= WM_APP && msg < 0xC000)
        return "WM_APP+" + std::to_string(msg - WM_APP);
    if (msg >= WM_USER && msg < WM_APP)
        return "WM_USER+" + std::to_string(msg - WM_USER);
    return name;
}

std::string Describe(const ExpectedMessage& e)
{
    std::string s = NameOf(e.msg);
    if (e.hwnd)
        s += " @" + Hex((uintptr_t)e.hwnd);
    if (e.flags & kParent)
        s += " parent";
    if (e.flags & kChild)
        s += " child";
    if (e.flags & kSent)
        s += " sent";
    if (e.flags & kPosted)
        s += " posted";
    if (e.flags & kDefProc)
        s += " defproc";
    if (e.flags & kWParam)
        s += " wp=" + Hex((unsigned long long)e.wParam);
    if (e.flags & kWParamLow)
        s += " LOWORD(wp)=" + Hex(LOWORD(e.wParam));
    if (e.flags & kLParam)
        s += " lp=" + Hex((unsigned long long)e.lParam);
    if (e.flags & kOptional)
        s += " (optional)";
    if (e.flags & kAnyNumber)
        s += " (any number)";
    return s;
}

std::string Describe(const Seen& s)
{
    std::string out = NameOf(s.m.msg);
    switch (s.relation) {
    case Relation::Parent: out += " parent"; break;
    case Relation::Child: out += " child @" + Hex((uintptr_t)s.m.hwnd); break;
    case Relation::Other: out += " @" + Hex((uintptr_t)s.m.hwnd); break;
    case Relation::Self: break;
    }
    out += s.m.posted ? " posted" : " sent";
    if (s.m.defProc)
        out += " defproc";
    out += " wp=" + Hex((unsigned long long)s.m.wParam) + " lp=" + Hex((unsigned long long)s.m.lParam);
    return out;
}

// One printed line: an expected row, an actual record, or both.
struct Line {
    int row = -1;
    int seen = -1;
};

// Walks the table over the records as far as it goes. States (row i, record j);
// the furthest state reached tells where the two part ways.
std::vector<Line> Align(const Sequence& expected, const std::vector<Seen>& seen, HWND window, bool* complete,
                        size_t* diverge)
{
    const size_t rows = expected.size(), records = seen.size();
    const size_t width = records + 1;
    std::vector<long> from((rows + 1) * width, -2);  // -2 unreached, -1 start
    std::vector<size_t> todo{0};
    from[0] = -1;
    auto reach = [&](size_t i, size_t j, size_t prev) {
        size_t k = i * width + j;
        if (from[k] == -2) {
            from[k] = (long)prev;
            todo.push_back(k);
        }
    };
    for (size_t t = 0; t < todo.size(); ++t) {
        size_t k = todo[t], i = k / width, j = k % width;
        if (i == rows)
            continue;
        const ExpectedMessage& e = expected[i];
        if (e.flags & (kOptional | kAnyNumber))
            reach(i + 1, j, k);
        if (j < records && Matches(e, seen[j], window))
            reach((e.flags & kAnyNumber) ? i : i + 1, j + 1, k);
    }
    // The furthest state: most records explained, then most rows used.
    size_t best = 0;
    for (size_t k = 0; k < from.size(); ++k) {
        if (from[k] == -2)
            continue;
        size_t i = k / width, j = k % width, bi = best / width, bj = best % width;
        if (j > bj || (j == bj && i > bi))
            best = k;
    }
    *complete = best == rows * width + records;

    std::vector<Line> path;
    for (size_t k = best; from[k] != -1; k = (size_t)from[k]) {
        size_t p = (size_t)from[k];
        Line line;
        line.row = (int)(p / width);
        if (k % width != p % width)
            line.seen = (int)(p % width);
        path.push_back(line);
    }
    std::reverse(path.begin(), path.end());
    *diverge = path.size();
    size_t i = best / width, j = best % width;
    while (i < rows || j < records) {
        Line line;
        line.row = i < rows ? (int)i++ : -1;
        line.seen = j < records ? (int)j++ : -1;
        path.push_back(line);
    }
    return path;
}

}  // namespace

ExpectedMessage At(HWND hwnd, UINT msg, unsigned flags, WPARAM wParam, LPARAM lParam)
{
    ExpectedMessage e;
    e.msg = msg;
    e.flags = flags;
    e.wParam = wParam;
    e.lParam = lParam;
    e.hwnd = hwnd;
    return e;
}

ExpectedMessage Command(HWND control, int code)
{
    return At(GetParent(control), WM_COMMAND, kSent | kWParam | kLParam,
              MAKEWPARAM(GetDlgCtrlID(control), code), (LPARAM)control);
}

::testing::AssertionResult MatchSequence(const MessageRecorder& rec, HWND window, const Sequence& expected,
                                         SequenceScope scope)
{
    std::vector<Seen> seen = View(rec, window, expected, scope);
    bool complete = false;
    size_t diverge = 0;
    std::vector<Line> lines = Align(expected, seen, window, &complete, &diverge);
    if (complete)
        return ::testing::AssertionSuccess();

    size_t column = std::string("expected").size();
    for (const Line& l : lines)
        if (l.row >= 0)
            column = std::max(column, Describe(expected[l.row]).size());
    std::ostringstream out;
    out << "message sequence of " << (window ? Hex((uintptr_t)window) : std::string("every window"))
        << (scope == SequenceScope::Named ? " (messages the table names)" : "")
        << " differs (=> where they part, ! rows still apart after it):\n";
    auto row = [&](const std::string& mark, const std::string& left, const std::string& right) {
        out << mark << left << std::string(column - left.size() + 2, ' ') << "| " << right << "\n";
    };
    row("   ", "expected", "actual");
    for (size_t n = 0; n < lines.size(); ++n) {
        const Line& l = lines[n];
        // After the first difference the rows pair up by position; those that still differ get a mark too.
        bool differs = n > diverge && !(l.row >= 0 && l.seen >= 0 && Matches(expected[l.row], seen[l.seen], window));
        row(n == diverge ? "=> " : differs ? " ! " : "   ", l.row >= 0 ? Describe(expected[l.row]) : "",
            l.seen >= 0 ? Describe(seen[l.seen]) : "");
    }
    return ::testing::AssertionFailure() << out.str();
}

}  // namespace mivo::test
