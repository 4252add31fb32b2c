#include "framework/DataSource.h"

#include "win32/sqlodbc.h"
#include "mivo/codepage.h"
#include "mivo/paths.h"

#include <sys/stat.h>

#include <string>

namespace {

const char* kDriver = "SQLite3";
const char* kIniFile = "ODBC.INI";

bool writeEntry(const std::string& dsn, const char* key, const std::string& value)
{
    return SQLWritePrivateProfileString(dsn.c_str(), key, value.c_str(), kIniFile) != 0;
}

}  // namespace

BOOL RegisterLocalDataSource(LPCSTR lpszDSN, LPCSTR lpszFilePath)
{
    if (lpszDSN == nullptr || *lpszDSN == 0 || lpszFilePath == nullptr)
        return FALSE;
    std::string path;
    if (!mivo::ToPosixPath(lpszFilePath, path))
        return FALSE;
    struct stat info;
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return FALSE;
    std::string dsn = mivo::ToUtf8(lpszDSN);
    if (!SQLWriteDSNToIni(dsn.c_str(), kDriver))
        return FALSE;
    bool ok = writeEntry(dsn, "Description", "Mivo local database") && writeEntry(dsn, "Database", path) &&
              writeEntry(dsn, "Timeout", "30000") && writeEntry(dsn, "JournalMode", "WAL") &&
              writeEntry(dsn, "SyncPragma", "NORMAL") && writeEntry(dsn, "LongNames", "0") &&
              writeEntry(dsn, "FKSupport", "0");
    return ok ? TRUE : FALSE;
}
