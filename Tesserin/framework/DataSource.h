// Registration of the local database files as ODBC data sources.
#pragma once

#include "mfc.h"

// Registers `lpszFilePath` (a Windows-form path) as the user data source
// `lpszDSN` of the SQLite driver, with WAL journal and a busy timeout so
// that workers may open their own connections. Fails, registering nothing,
// when the file does not exist: the driver would otherwise make an empty one.
AFX_EXT_API BOOL RegisterLocalDataSource(LPCSTR lpszDSN, LPCSTR lpszFilePath);
