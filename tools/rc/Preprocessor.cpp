#include "Preprocessor.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "Tokenizer.h"
#include "TokenSource.h"

namespace rc {

namespace {

constexpr size_t kMaxIncludeDepth = 40;

std::string Trim(const std::string& s)
{
    size_t b = 0;
    while (b < s.size() && std::isspace((unsigned char)s[b]))
        ++b;
    size_t e = s.size();
    while (e > b && std::isspace((unsigned char)s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

std::string DirectoryOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string Lower(std::string s)
{
    for (char& c : s)
        c = (char)std::tolower((unsigned char)c);
    return s;
}

bool IsRegularFile(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string CanonicalPath(const std::string& path)
{
    char buffer[PATH_MAX];
    if (realpath(path.c_str(), buffer))
        return buffer;
    return path;
}

// Scripts write Windows paths; both separators are accepted.
std::string ToPosixSeparators(const std::string& name)
{
    std::string out;
    for (size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '\\') {
            if (out.empty() || out.back() != '/')
                out.push_back('/');
        } else {
            out.push_back(name[i]);
        }
    }
    return out;
}

// Headers of the Windows SDK and MFC that scripts include for names this
// compiler already knows; skipped when no file of that name is on the path.
bool IsKnownSystemInclude(const std::string& name)
{
    std::string base = Lower(name.substr(name.find_last_of('/') + 1));
    static const char* known[] = {"windows.h", "winres.h", "winresrc.h", "afxres.h", "commctrl.h",
                                  "richedit.h", "winuser.h", "winnt.h", "dlgs.h", "winver.h",
                                  "ntverp.h", "prsht.h", "winuser.rh", "commctrl.rh"};
    for (const char* k : known)
        if (base == k)
            return true;
    // MFC's standard resource scripts (afxres.rc, afxprint.rc, ...).
    return base.compare(0, 3, "afx") == 0 && base.size() > 3 &&
           base.compare(base.size() - 3, 3, ".rc") == 0;
}

bool IsHeaderName(const std::string& path)
{
    std::string lower = Lower(path);
    size_t dot = lower.rfind('.');
    if (dot == std::string::npos || lower.find('/', dot) != std::string::npos)
        return false;
    std::string ext = lower.substr(dot);
    return ext == ".h" || ext == ".hh" || ext == ".hpp" || ext == ".hxx" || ext == ".c" ||
           ext == ".cpp" || ext == ".cxx" || ext == ".cc";
}

}  // namespace

std::string StripComments(const std::string& line, bool& inBlockComment)
{
    std::string out;
    size_t i = 0;
    char quote = 0;
    while (i < line.size()) {
        if (inBlockComment) {
            size_t end = line.find("*/", i);
            if (end == std::string::npos)
                return out;
            inBlockComment = false;
            i = end + 2;
            out.push_back(' ');
            continue;
        }
        char c = line[i];
        if (quote) {
            out.push_back(c);
            if (c == '\\' && i + 1 < line.size()) {
                out.push_back(line[i + 1]);
                i += 2;
                continue;
            }
            if (c == quote)
                quote = 0;
            ++i;
            continue;
        }
        if (c == '"' || c == '\'') {
            quote = c;
            out.push_back(c);
            ++i;
            continue;
        }
        if (c == '/' && i + 1 < line.size() && line[i + 1] == '/')
            return out;
        if (c == '/' && i + 1 < line.size() && line[i + 1] == '*') {
            inBlockComment = true;
            i += 2;
            continue;
        }
        out.push_back(c);
        ++i;
    }
    return out;
}

Preprocessor::Preprocessor(MacroTable& macros, std::vector<std::string> includeDirs)
    : macros_(macros), includeDirs_(std::move(includeDirs))
{
}

void Preprocessor::OpenMainFile(const std::string& path)
{
    mainDir_ = DirectoryOf(path);
    Location none;
    none.file = path;
    Push(path, none);
}

void Preprocessor::Push(const std::string& path, const Location& from)
{
    if (files_.size() >= kMaxIncludeDepth)
        throw RcError(from, "#include nested too deeply (an include loop?)");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw RcError(from, "cannot open '" + path + "'");
    std::stringstream buffer;
    buffer << in.rdbuf();
    std::string content = buffer.str();
    Location start{path, 1};
    if (content.size() >= 2 && ((unsigned char)content[0] == 0xFF && (unsigned char)content[1] == 0xFE))
        throw RcError(start, "file is UTF-16; resource scripts are UTF-8");
    if (content.find('\0') != std::string::npos)
        throw RcError(start, "file contains NUL bytes; resource scripts are UTF-8 text");
    if (content.compare(0, 3, "\xEF\xBB\xBF") == 0)
        content.erase(0, 3);

    File f;
    f.path = path;
    f.dir = DirectoryOf(path);
    f.header = IsHeaderName(path);
    f.conditionsAtStart = conditions_.size();
    size_t pos = 0;
    while (pos <= content.size()) {
        size_t nl = content.find('\n', pos);
        if (nl == std::string::npos) {
            if (pos < content.size())
                f.lines.push_back(content.substr(pos));
            break;
        }
        std::string line = content.substr(pos, nl - pos);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        f.lines.push_back(line);
        pos = nl + 1;
    }
    filesRead_.push_back(path);
    files_.push_back(std::move(f));
}

void Preprocessor::FinishFile()
{
    File& f = files_.back();
    if (conditions_.size() > f.conditionsAtStart)
        throw RcError(conditions_.back().loc, "#if without #endif");
    if (f.inComment)
        throw RcError(Location{f.path, (int)f.lines.size()}, "comment not closed at the end of the file");
    files_.pop_back();
}

Token Preprocessor::NextRaw()
{
    while (true) {
        if (!lineTokens_.empty()) {
            Token t = lineTokens_.front();
            lineTokens_.pop_front();
            return t;
        }
        if (files_.empty()) {
            Token end;
            end.loc = last_;
            return end;
        }
        File& f = files_.back();
        if (f.next >= f.lines.size()) {
            last_ = Location{f.path, (int)f.lines.size()};
            FinishFile();
            continue;
        }
        Location loc{f.path, (int)f.next + 1};
        last_ = loc;
        bool startedInComment = f.inComment;
        std::string text = StripComments(f.lines[f.next++], f.inComment);
        std::string trimmed = Trim(text);
        if (!startedInComment && !trimmed.empty() && trimmed[0] == '#') {
            while (!trimmed.empty() && trimmed.back() == '\\' && f.next < f.lines.size()) {
                trimmed.pop_back();
                trimmed += " " + Trim(StripComments(f.lines[f.next++], f.inComment));
            }
            Directive(trimmed.substr(1), loc);
            continue;
        }
        if (!Active() || f.header || trimmed.empty())
            continue;
        std::vector<Token> tokens = Tokenizer::Split(text, loc);
        lineTokens_.assign(tokens.begin(), tokens.end());
    }
}

void Preprocessor::Directive(const std::string& text, const Location& loc)
{
    std::string body = Trim(text);
    size_t n = 0;
    while (n < body.size() && (std::isalnum((unsigned char)body[n]) || body[n] == '_'))
        ++n;
    std::string name = body.substr(0, n);
    std::string rest = Trim(body.substr(n));

    if (name == "if" || name == "ifdef" || name == "ifndef") {
        Condition c{Active(), false, false, false, loc};
        if (c.parentActive) {
            if (name == "if")
                c.active = Evaluate(rest, loc);
            else {
                bool defined = macros_.IsDefined(Trim(rest));
                c.active = name == "ifdef" ? defined : !defined;
            }
        }
        c.taken = c.active;
        conditions_.push_back(c);
        return;
    }
    if (name == "elif" || name == "else" || name == "endif") {
        size_t floor = files_.empty() ? 0 : files_.back().conditionsAtStart;
        if (conditions_.size() <= floor)
            throw RcError(loc, "#" + name + " without #if");
        Condition& c = conditions_.back();
        if (name == "endif") {
            conditions_.pop_back();
            return;
        }
        if (c.sawElse)
            throw RcError(loc, "#" + name + " after #else");
        if (name == "else") {
            c.sawElse = true;
            c.active = c.parentActive && !c.taken;
        } else {
            c.active = c.parentActive && !c.taken && Evaluate(rest, loc);
        }
        c.taken = c.taken || c.active;
        return;
    }
    if (!Active() || name.empty())
        return;
    if (name == "include")
        Include(rest, loc);
    else if (name == "define")
        Define(rest, loc);
    else if (name == "undef")
        macros_.Undefine(Trim(rest));
    else if (name == "pragma") {
        if (Trim(rest) == "once")
            onceFiles_.insert(CanonicalPath(files_.back().path));
    } else if (name == "error")
        throw RcError(loc, "#error " + rest);
    else if (name == "warning" || name == "line")
        return;
    else
        throw RcError(loc, "unknown directive '#" + name + "'");
}

void Preprocessor::Include(const std::string& rest, const Location& loc)
{
    if (rest.size() < 2 || !((rest[0] == '"' && rest.find('"', 1) != std::string::npos) ||
                             (rest[0] == '<' && rest.find('>', 1) != std::string::npos)))
        throw RcError(loc, "#include expects \"file\" or <file>");
    bool quoted = rest[0] == '"';
    std::string name = rest.substr(1, rest.find(quoted ? '"' : '>', 1) - 1);
    std::string posixName = ToPosixSeparators(name);
    std::string path = ResolveInclude(posixName, quoted);
    if (path.empty()) {
        if (IsKnownSystemInclude(posixName))
            return;
        throw RcError(loc, "cannot open include file '" + name + "'");
    }
    if (onceFiles_.count(CanonicalPath(path)))
        return;
    Push(path, loc);
}

std::string Preprocessor::ResolveInclude(const std::string& name, bool quoted) const
{
    if (!name.empty() && name[0] == '/')
        return IsRegularFile(name) ? name : std::string();
    std::vector<std::string> dirs;
    if (quoted) {
        if (!files_.empty())
            dirs.push_back(files_.back().dir);
        dirs.push_back(mainDir_);
    }
    dirs.insert(dirs.end(), includeDirs_.begin(), includeDirs_.end());
    for (const std::string& d : dirs) {
        std::string candidate = d + "/" + name;
        if (IsRegularFile(candidate))
            return candidate;
    }
    return std::string();
}

void Preprocessor::Define(const std::string& rest, const Location& loc)
{
    size_t n = 0;
    while (n < rest.size() && (std::isalnum((unsigned char)rest[n]) || rest[n] == '_'))
        ++n;
    if (n == 0 || std::isdigit((unsigned char)rest[0]))
        throw RcError(loc, "#define expects a name");
    std::string name = rest.substr(0, n);
    bool functionLike = n < rest.size() && rest[n] == '(';
    std::string body = functionLike ? std::string() : Trim(rest.substr(n));
    macros_.Define(name, body, functionLike, loc);
}

bool Preprocessor::Evaluate(const std::string& expression, const Location& loc)
{
    std::vector<Token> raw = Tokenizer::Split(expression, loc);
    // "defined X" and "defined(X)" are answered before macros expand.
    std::vector<Token> tokens;
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i].kind == TokenKind::Identifier && raw[i].text == "defined") {
            size_t j = i + 1;
            bool paren = j < raw.size() && raw[j].IsPunct("(");
            if (paren)
                ++j;
            if (j >= raw.size() || raw[j].kind != TokenKind::Identifier)
                throw RcError(loc, "defined expects a name");
            Token value;
            value.kind = TokenKind::Number;
            value.loc = loc;
            value.number = macros_.IsDefined(raw[j].text) ? 1 : 0;
            if (paren) {
                if (j + 1 >= raw.size() || !raw[j + 1].IsPunct(")"))
                    throw RcError(loc, "defined( without )");
                ++j;
            }
            tokens.push_back(value);
            i = j;
            continue;
        }
        tokens.push_back(raw[i]);
    }
    if (tokens.empty())
        throw RcError(loc, "#if without an expression");
    VectorTokenSource source(macros_, tokens, loc);
    ExpressionEvaluator eval(source, true);
    Value v = eval.Expression();
    if (source.Peek().kind != TokenKind::End)
        throw RcError(loc, "unexpected text after the #if expression");
    return v.v != 0;
}

std::string Preprocessor::FindDataFile(const std::string& name, const Location& from)
{
    std::string posixName = ToPosixSeparators(name);
    if (!posixName.empty() && posixName[0] == '/') {
        if (!IsRegularFile(posixName))
            return std::string();
        filesRead_.push_back(posixName);
        return posixName;
    }
    std::vector<std::string> dirs;
    dirs.push_back(DirectoryOf(from.file));
    dirs.push_back(mainDir_);
    dirs.insert(dirs.end(), includeDirs_.begin(), includeDirs_.end());
    for (const std::string& d : dirs) {
        std::string candidate = d + "/" + posixName;
        if (IsRegularFile(candidate)) {
            filesRead_.push_back(candidate);
            return candidate;
        }
    }
    return std::string();
}

}  // namespace rc
