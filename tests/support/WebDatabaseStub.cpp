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

std::string Unescaped(const std::string& value)
{
    std::string out = value;
    for (char& c : out) {
        for (const auto& e : kEscapes) {
            if (c == e.code) {
                c = e.character;
                break;
            }
        }
    }
    return out;
}

}  // namespace

const char WebDatabaseStub::kQueryPage[] = "/wdbc/wdbc_sel.asp";
const char WebDatabaseStub::kUpdatePage[] = "/wdbc/wdbc_upt.asp";

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
    return FieldOf(body, "DBSP");
}

std::string WebDatabaseStub::FieldOf(const std::string& body, const std::string& name)
{
    std::string key = name + "=";
    size_t at = 0;
    while (at < body.size()) {
        size_t end = body.find('&', at);
        std::string field = body.substr(at, end == std::string::npos ? std::string::npos : end - at);
        if (field.compare(0, key.size(), key) == 0)
            return Unescaped(field.substr(key.size()));
        if (end == std::string::npos)
            break;
        at = end + 1;
    }
    return std::string();
}

void WebDatabaseStub::SetMember(const WdbcMember& member)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_members[member.id] = member;
}

std::map<std::string, WdbcMember> WebDatabaseStub::members() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_members;
}

bool WebDatabaseStub::AnswerMember(const std::string& procedure, const std::string& body, std::vector<WdbcRow>& rows)
{
    std::string id = FieldOf(body, "CustID");
    auto known = m_members.find(id);
    if (procedure == "SP_MIVO_CUSTOMER_DETAIL") {
        if (known != m_members.end() && known->second.password == FieldOf(body, "CustPWD")) {
            const WdbcMember& m = known->second;
            rows.push_back({m.name, m.sex, m.birth, m.calendar, m.address, m.email, "", ""});
        }
        return true;
    }
    if (procedure == "SP_MIVO_CUSTOMER_DUPCHECK") {
        if (known != m_members.end())
            rows.push_back({id});
        return true;
    }
    if (procedure == "SP_MIVO_CUSTOMER_SAVE") {
        bool isNew = FieldOf(body, "CustNew") == "1";
        bool ok = !id.empty() && (isNew ? known == m_members.end() : known != m_members.end());
        if (ok) {
            WdbcMember m;
            m.id = id;
            m.password = FieldOf(body, "CustPWD");
            m.name = FieldOf(body, "CustName");
            m.sex = FieldOf(body, "CustSex");
            m.birth = FieldOf(body, "CustBirth");
            m.calendar = FieldOf(body, "CustMnSn");
            m.address = FieldOf(body, "CustAddr");
            m.email = FieldOf(body, "CustEMail");
            m.version = FieldOf(body, "ProductVersion1");
            m.regDate = FieldOf(body, "RegDate");
            m_members[id] = m;
        }
        rows.push_back({ok ? "1" : "0"});
        return true;
    }
    if (procedure == "SP_MIVO_CUSTOMER_DELETE") {
        bool ok = known != m_members.end();
        if (ok)
            m_members.erase(known);
        rows.push_back({ok ? "1" : "0"});
        return true;
    }
    return false;
}

HttpReply WebDatabaseStub::Answer(const HttpRequestRecord& request)
{
    HttpReply reply;
    std::lock_guard<std::mutex> guard(m_lock);
    if (request.method == "POST" && (request.path == kQueryPage || request.path == kUpdatePage)) {
        std::string procedure = ProcedureOf(request.body);
        auto it = m_procedures.find(procedure);
        std::vector<WdbcRow> rows;
        if (it != m_procedures.end())
            reply.body = EncodeRows(it->second);
        else if (AnswerMember(procedure, request.body, rows))
            reply.body = EncodeRows(rows);
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
