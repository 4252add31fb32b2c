// The tab-separated export file and the TempReport dump that the grid and the
// report list share: the caller hands over its table as a count of rows and
// columns and the text of each cell.
#pragma once

#include "mfc.h"

#include <functional>

class GridExportFile {
public:
    using CellText = std::function<CString(int row, int column)>;

    // Writes "<run directory>\Temp\<run file>.xls" (lines ended by CR) or ".txt"
    // (CR LF); the path written, or empty when the file cannot be made.
    static CString Write(LPCSTR runDirectory, LPCSTR runFile, BOOL spreadsheet, int rows, int columns,
                         const CellText& cell);
    // Writes the file and opens it with "Excel.exe" or "Notepad.exe".
    static void Export(HWND owner, LPCSTR runDirectory, LPCSTR runFile, BOOL spreadsheet, int rows, int columns,
                       const CellText& cell);
    // Replaces the report's rows of table TempReport: RepID, RowNum and "Column%03d" per column.
    static void SaveToTempReport(LPCSTR dataSource, LPCSTR reportId, int rows, int columns, const CellText& cell);
};
