// A stand-in for the web database and its file server on 127.0.0.1: POST to
// the query or the update page answers a procedure from rows the caller gives
// (fields end in "~/", rows in "~|", separators and blanks in values as the
// escape bytes, text as given, i.e. CP949); the community procedures
// SP_MIVO_CUSTOMER_* not given so work on a member table of their own; GET
// serves given bytes by path, else 404. Every request is recorded.
#pragma once

#include "support/LoopbackHttpServer.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace mivotest {

using WdbcRow = std::vector<std::string>;

// One community member as SP_MIVO_CUSTOMER_SAVE stores it (text decoded, CP949).
struct WdbcMember {
    std::string id, password, name, sex, birth, calendar, address, email, version, regDate;
};

class WebDatabaseStub {
public:
    static const char kQueryPage[];   // "/wdbc/wdbc_sel.asp"
    static const char kUpdatePage[];  // "/wdbc/wdbc_upt.asp"

    // port 0: any free port.
    explicit WebDatabaseStub(int port = 0);

    int port() const { return m_server->port(); }
    std::vector<HttpRequestRecord> requests() const { return m_server->requests(); }
    // The GET requests' paths, in order.
    std::vector<std::string> downloads() const;

    // Rows answered for "DBSP=<name>"; procedures never set answer an empty reply.
    void SetProcedure(const std::string& name, const std::vector<WdbcRow>& rows);
    void SetFile(const std::string& path, const std::string& bytes);
    // The member table: DETAIL answers name, sex, birth date, calendar, address, e-mail and two
    // empty columns for a matching id and password; DUPCHECK a row for a known id; SAVE stores
    // (CustNew "1" refuses a known id, "0" an unknown one) and DELETE removes, each answering
    // "1" or "0".
    void SetMember(const WdbcMember& member);
    std::map<std::string, WdbcMember> members() const;
    void RemoveFile(const std::string& path);

    // The reply text of a table, as the web database writes it.
    static std::string EncodeRows(const std::vector<WdbcRow>& rows);
    // The procedure a form body names (its DBSP field), or "".
    static std::string ProcedureOf(const std::string& body);
    // A form field's value with the escape bytes turned back, or "" when absent.
    static std::string FieldOf(const std::string& body, const std::string& name);

private:
    HttpReply Answer(const HttpRequestRecord& request);
    // The member table's answer to a community procedure; false for other procedures.
    bool AnswerMember(const std::string& procedure, const std::string& body, std::vector<WdbcRow>& rows);

    mutable std::mutex m_lock;
    std::map<std::string, std::vector<WdbcRow>> m_procedures;
    std::map<std::string, std::string> m_files;
    std::map<std::string, WdbcMember> m_members;
    std::unique_ptr<LoopbackHttpServer> m_server;  // last: it stops before the tables go
};

}  // namespace mivotest
