// Windows command-line splitting.
#include "win32/procapi.h"
#include "mivo/process.h"

namespace mivo {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Reads one argument at `p` (after blanks) by the run-time's rules.
std::string ReadArgument(const char*& p)
{
    std::string arg;
    bool quoted = false;
    while (*p && (quoted || !IsBlank(*p))) {
        if (*p == '\\') {
            size_t backslashes = 0;
            while (*p == '\\') {
                ++backslashes;
                ++p;
            }
            if (*p == '"') {
                arg.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    arg += '"';
                    ++p;
                }
                // An even count leaves the quote to the code below.
            } else {
                arg.append(backslashes, '\\');
            }
            continue;
        }
        if (*p == '"') {
            if (quoted && p[1] == '"') {
                arg += '"';
                p += 2;
                continue;
            }
            quoted = !quoted;
            ++p;
            continue;
        }
        arg += *p++;
    }
    return arg;
}

void ReadArguments(const char* p, std::vector<std::string>& out)
{
    for (;;) {
        while (IsBlank(*p))
            ++p;
        if (!*p)
            return;
        out.push_back(ReadArgument(p));
    }
}

}  // namespace

std::vector<std::string> SplitCommandLine(const char* commandLine)
{
    std::vector<std::string> out;
    if (!commandLine)
        return out;
    const char* p = commandLine;
    while (IsBlank(*p))
        ++p;
    if (!*p)
        return out;
    // The program name: quotes group, backslashes are plain characters.
    std::string program;
    bool quoted = false;
    for (; *p && (quoted || !IsBlank(*p)); ++p) {
        if (*p == '"')
            quoted = !quoted;
        else
            program += *p;
    }
    out.push_back(program);
    ReadArguments(p, out);
    return out;
}

std::vector<std::string> SplitArguments(const char* arguments)
{
    std::vector<std::string> out;
    if (arguments)
        ReadArguments(arguments, out);
    return out;
}

}  // namespace mivo
