#include "support/TempDatabase.h"

#include "mfc.h"
#include "framework/DataSource.h"

#include <sqlite3.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace mivotest {

namespace {

std::string readFile(const std::string& path)
{
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

void UsePrivateOdbcIni(const TempFolder& folder)
{
    std::string ini = folder.file("odbc.ini");
    std::ofstream(ini, std::ios::app).flush();
    ::setenv("ODBCINI", ini.c_str(), 1);
}

TempDatabase::TempDatabase(const std::string& dsn, const std::vector<std::string>& scripts,
                           const std::string& extraSql)
    : m_dsn(dsn)
{
    std::string sql;
    for (const std::string& s : scripts)
        sql += readFile(std::string(MIVO_SOURCE_DIR) + "/data/" + s) + "\n";
    sql += extraSql;
    if (!exec(sql))
        throw std::runtime_error("cannot build the test database");
    UsePrivateOdbcIni(m_folder);
    std::string windowsFile = m_folder.windowsPath() + dsn + ".dat";
    if (!RegisterLocalDataSource(dsn.c_str(), windowsFile.c_str()))
        throw std::runtime_error("cannot register the data source");
}

TempDatabase::~TempDatabase() = default;

bool TempDatabase::exec(const std::string& sql) const
{
    sqlite3* db = nullptr;
    if (sqlite3_open(filePath().c_str(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    sqlite3_busy_timeout(db, 5000);
    bool ok = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

std::string TempDatabase::scalar(const std::string& sql) const
{
    sqlite3* db = nullptr;
    std::string result;
    if (sqlite3_open(filePath().c_str(), &db) == SQLITE_OK) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW) {
            const unsigned char* text = sqlite3_column_text(stmt, 0);
            result = text ? (const char*)text : "";
        }
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    return result;
}

}  // namespace mivotest
