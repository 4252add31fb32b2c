#include "grid/GridExportFile.h"
#include "framework/ODBCQuery.h"

#include <string>

namespace {

// A tab or line break inside a cell would shift the columns of the file.
void BlankLineBreaks(CString& text)
{
    text.Replace('\t', ' ');
    text.Replace('\r', ' ');
    text.Replace('\n', ' ');
}

} // namespace

CString GridExportFile::Write(LPCSTR runDirectory, LPCSTR runFile, BOOL spreadsheet, int rows, int columns,
                              const CellText& cell)
{
    CString folder = CString(runDirectory) + "\\Temp";
    ::CreateDirectory(folder, nullptr);
    CString path = folder + "\\" + runFile + (spreadsheet ? ".xls" : ".txt");
    CString partial = path + ".part";
    std::string content;
    for (int row = 0; row < rows; row++) {
        for (int column = 0; column < columns; column++) {
            CString text = cell(row, column);
            BlankLineBreaks(text);
            content.append((LPCSTR)text, text.GetLength());
            content += '\t';
        }
        content += spreadsheet ? "\r" : "\r\n";
    }
    HANDLE file = ::CreateFile(partial, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return CString();
    DWORD done = 0;
    bool written = ::WriteFile(file, content.data(), (DWORD)content.size(), &done, nullptr) && done == content.size();
    ::CloseHandle(file);
    // The old export stays until the new one is complete.
    if (!written || !::MoveFileEx(partial, path, MOVEFILE_REPLACE_EXISTING)) {
        ::DeleteFile(partial);
        return CString();
    }
    return path;
}

void GridExportFile::Export(HWND owner, LPCSTR runDirectory, LPCSTR runFile, BOOL spreadsheet, int rows, int columns,
                            const CellText& cell)
{
    CString path = Write(runDirectory, runFile, spreadsheet, rows, columns, cell);
    if (!path.IsEmpty())
        ::ShellExecute(owner, "open", spreadsheet ? "Excel.exe" : "Notepad.exe", path, nullptr, SW_SHOWNORMAL);
}

void GridExportFile::SaveToTempReport(LPCSTR dataSource, LPCSTR reportId, int rows, int columns,
                                      const CellText& cell)
{
    CODBCQuery query(dataSource, "", "", 0);
    if (!query.InitQuery())
        return;
    CString id = reportId ? reportId : "";
    // Stored ids carry 0x1E for apostrophes: the delete must look for the same bytes.
    id.Replace('\'', '\x1E');
    query.ResetQuery();
    query.m_strQuery = "Delete from TempReport where RepID = '" + id + "'";
    query.RunQuery();
    for (int row = 0; row < rows; row++) {
        query.ResetQuery();
        query.SetStringColumn(CString("RepID"), CString(reportId ? reportId : ""), 1);
        query.SetNumberColumn("RowNum", row, 0);
        for (int column = 0; column < columns; column++) {
            CString name;
            name.Format("Column%03d", column);
            query.SetStringColumn(name, cell(row, column), 1);
        }
        query.RunStructQuery("Insert Into TempReport");
    }
    query.Commit();
    query.CloseQuery();
}
