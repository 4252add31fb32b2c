// A SQLite database made from the shipped SQL in a temporary folder and
// registered as an ODBC data source in a private odbc.ini.
#pragma once

#include "support/TempFolder.h"

#include <string>
#include <vector>

namespace mivotest {

class TempDatabase {
public:
    // `scripts` are file names in the source tree's data/ folder; `extraSql` runs after them.
    TempDatabase(const std::string& dsn, const std::vector<std::string>& scripts, const std::string& extraSql = "");
    ~TempDatabase();

    const std::string& dsn() const { return m_dsn; }
    std::string filePath() const { return m_folder.file(m_dsn + ".dat"); }
    // Runs SQL directly on the file, bypassing ODBC (for checks and fixtures).
    bool exec(const std::string& sql) const;
    // The first column of the first row of a query, as UTF-8 text.
    std::string scalar(const std::string& sql) const;
    const TempFolder& folder() const { return m_folder; }

private:
    TempFolder m_folder;
    std::string m_dsn;
};

// Points unixODBC at a private odbc.ini in `folder` for the rest of the process.
void UsePrivateOdbcIni(const TempFolder& folder);

}  // namespace mivotest
