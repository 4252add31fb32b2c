// A stand-in for the web database and its file server on 127.0.0.1: POST to
// the query page answers a procedure from rows the caller gives (fields end
// in "~/", rows in "~|", separators and blanks in values as the escape bytes,
// text as given, i.e. CP949); GET serves given bytes by path, else 404. Every
// request is recorded.
#pragma once

#include "support/LoopbackHttpServer.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace mivotest {

using WdbcRow = std::vector<std::string>;

class WebDatabaseStub {
public:
    static const char kQueryPage[];  // "/wdbc/wdbc_sel.asp"

    // port 0: any free port.
    explicit WebDatabaseStub(int port = 0);

    int port() const { return m_server->port(); }
    std::vector<HttpRequestRecord> requests() const { return m_server->requests(); }
    // The GET requests' paths, in order.
    std::vector<std::string> downloads() const;

    // Rows answered for "DBSP=<name>"; procedures never set answer an empty reply.
    void SetProcedure(const std::string& name, const std::vector<WdbcRow>& rows);
    void SetFile(const std::string& path, const std::string& bytes);
    void RemoveFile(const std::string& path);

    // The reply text of a table, as the web database writes it.
    static std::string EncodeRows(const std::vector<WdbcRow>& rows);
    // The procedure a form body names (its DBSP field), or "".
    static std::string ProcedureOf(const std::string& body);

private:
    HttpReply Answer(const HttpRequestRecord& request);

    mutable std::mutex m_lock;
    std::map<std::string, std::vector<WdbcRow>> m_procedures;
    std::map<std::string, std::string> m_files;
    std::unique_ptr<LoopbackHttpServer> m_server;  // last: it stops before the tables go
};

}  // namespace mivotest
