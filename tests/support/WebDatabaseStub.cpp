#include "support/WebDatabaseStub.h"

namespace mivotest {

namespace {

// The bytes the web database writes for characters a value may not carry.
const struct {
    char character;
    char code;
} kEscapes[] = {
    {'\\', 0x1A}, {'\'', 0x18}, {'&', 0x1F}, {'\n', 0x1C}, {'\r', 0x1D},
    {'\t', 0x1B}, {' ', 0x19},  {'+', 0x17}, {'%', 0x16},
};

std::string Escaped(const std::string& value)
{
    std::string out = value;
    for (char& c : out) {
        for (const auto& e : kEscapes) {
            if (c == e.character) {
                c = e.code;
                break;
            }
        }
    }
    return out;
}

}  // namespace

const char WebDatabaseStub::kQueryPage[] = "/wdbc/wdbc_sel.asp";

WebDatabaseStub::WebDatabaseStub(int port)
{
    m_server = std::make_unique<LoopbackHttpServer>([this](const HttpRequestRecord& r) { return Answer(r); }, port);
}

std::vector<std::string> WebDatabaseStub::downloads() const
{
    std::vector<std::string> paths;
    for (const HttpRequestRecord& r : requests())
        if (r.method == "GET")
            paths.push_back(r.path);
    return paths;
}

void WebDatabaseStub::SetProcedure(const std::string& name, const std::vector<WdbcRow>& rows)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_procedures[name] = rows;
}

void WebDatabaseStub::SetFile(const std::string& path, const std::string& bytes)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_files[path] = bytes;
}

void WebDatabaseStub::RemoveFile(const std::string& path)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_files.erase(path);
}

std::string WebDatabaseStub::EncodeRows(const std::vector<WdbcRow>& rows)
{
    std::string out;
    for (const WdbcRow& row : rows) {
        for (size_t i = 0; i < row.size(); ++i)
            out += Escaped(row[i]) + (i + 1 < row.size() ? "~/" : "~|");
    }
    return out;
}

std::string WebDatabaseStub::ProcedureOf(const std::string& body)
{
    size_t at = 0;
    while (at < body.size()) {
        size_t end = body.find('&', at);
        std::string field = body.substr(at, end == std::string::npos ? std::string::npos : end - at);
        if (field.compare(0, 5, "DBSP=") == 0)
            return field.substr(5);
        if (end == std::string::npos)
            break;
        at = end + 1;
    }
    return std::string();
}

HttpReply WebDatabaseStub::Answer(const HttpRequestRecord& request)
{
    HttpReply reply;
    std::lock_guard<std::mutex> guard(m_lock);
    if (request.method == "POST" && request.path == kQueryPage) {
        auto it = m_procedures.find(ProcedureOf(request.body));
        if (it != m_procedures.end())
            reply.body = EncodeRows(it->second);
        return reply;
    }
    if (request.method == "GET") {
        auto it = m_files.find(request.path);
        if (it != m_files.end()) {
            reply.body = it->second;
            return reply;
        }
    }
    reply.status = 404;
    reply.body = "not found";
    return reply;
}

}  // namespace mivotest
