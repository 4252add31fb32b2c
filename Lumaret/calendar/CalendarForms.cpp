#include "calendar/CalendarForms.h"

#include "album/AlbumTables.h"
#include "framework/ODBCQuery.h"
#include "mivo/Trace.h"
#include "shell/WholeFile.h"
#include "templates/TemplateTables.h"

#include <cstdlib>

namespace {

const char kTable[] = "CalendarForms";
const char* const kValueColumns[CAL_VALUE_COUNT] = {
    "YearX", "YearY", "YearHeight", "YearColor", "MonthX", "MonthY", "MonthHeight", "MonthColor",
    "DaysAreaX", "DaysAreaY", "DaysAreaWidth", "DaysAreaHeight", "DaysLineDraw", "DaysLineColor",
    "UserImgX", "UserImgY", "UserImgWidth", "UserImgHeight", "DescX", "DescY", "DescColor", "DescHeight"};
// Names are read through buffers this large.
const int kLongestText = 4096;

CString KeyFilter(int key)
{
    CString filter;
    filter.Format("CalNo = %d", key);
    return filter;
}

CString Text(CODBCQuery& query, const char* column)
{
    const char* value = query.ColumnValue(column, 1);
    return value ? CString(value) : CString();
}

int Number(CODBCQuery& query, const char* column)
{
    const char* value = query.ColumnValue(column, 0);
    return value ? (int)std::atol(value) : 0;
}

// The BLOB of the fetched row; false when it is too long to be a picture of ours or unreadable.
bool ReadBlob(CODBCQuery& query, std::vector<BYTE>& bytes)
{
    bytes.clear();
    int length = query.GetBLOBColumnLen("CalBackImg");
    if (length <= 0)
        return true;
    if (length > CTemplateTables::LARGEST_PICTURE) {
        MIVO_WARN(kTraceLumaret, "CalBackImg holds %d bytes, more than any picture of ours", length);
        return false;
    }
    bytes.assign((size_t)length, 0);
    if (!query.GetColumnValueBLOB("CalBackImg", bytes.data(), length)) {
        bytes.clear();
        return false;
    }
    return true;
}

CalendarUnpacked Unpack(CODBCQuery& query, int key, const CString& fileType)
{
    CalendarUnpacked result;
    CString path = CCalendarForms::TempFileName(key, fileType);
    if (path.IsEmpty()) {
        MIVO_WARN(kTraceLumaret, "calendar %d: file type \"%s\" is no extension", key, (LPCSTR)fileType);
        result.nState = CalendarUnpacked::BAD_TYPE;
        return result;
    }
    std::vector<BYTE> bytes;
    if (!ReadBlob(query, bytes)) {
        result.nState = CalendarUnpacked::NOT_WRITTEN;
        return result;
    }
    if (bytes.empty()) {
        result.strPath = path;
        return result;
    }
    if (!WriteWholeFile(path, bytes)) {
        MIVO_WARN(kTraceLumaret, "cannot write %s", (LPCSTR)path);
        result.nState = CalendarUnpacked::NOT_WRITTEN;
        return result;
    }
    result.nState = CalendarUnpacked::WRITTEN;
    result.strPath = path;
    return result;
}

}  // namespace

const char* CCalendarForms::ColumnName(CalendarValue v)
{
    return v >= 0 && v < CAL_VALUE_COUNT ? kValueColumns[v] : "";
}

std::vector<CalendarListRow> CCalendarForms::List()
{
    std::vector<CalendarListRow> rows;
    std::unique_ptr<CODBCQuery> query = CTemplateTables::OpenTemplateQuery();
    query->SetStringColumn("CalNo", "", 0);
    for (const char* column : {"CalName", "CalSize", "CalDir"}) {
        query->SetStringColumn(column, "", 1);
        query->SetDataBufSize(CString(column), kLongestText);
    }
    query->m_strOrder = "order by CalNo";
    if (!query->RunStructQuery("Select From CalendarForms"))
        return rows;
    while (query->FetchNextRow()) {
        CalendarListRow row;
        row.nCalNo = Number(*query, "CalNo");
        row.strName = Text(*query, "CalName");
        row.strDir = Text(*query, "CalDir");
        row.strSize = Text(*query, "CalSize");
        rows.push_back(row);
    }
    return rows;
}

int CCalendarForms::NextKey(CODBCQuery& query)
{
    return CAlbumTables::NextKey(query, kTable, "CalNo", CString());
}

int CCalendarForms::Load(int key, CalendarForm& form, CalendarUnpacked& picture)
{
    std::unique_ptr<CODBCQuery> query = CTemplateTables::OpenTemplateQuery();
    for (const char* column : {"CalName", "CalDir", "CalSize"}) {
        query->SetStringColumn(column, "", 1);
        query->SetDataBufSize(CString(column), kLongestText);
    }
    for (const char* column : kValueColumns)
        query->SetStringColumn(column, "", 0);
    query->SetStringColumn("FileType", "", 1);
    query->SetBLOBColumn("CalBackImg", nullptr, -1);
    query->SetFilter(KeyFilter(key));
    if (!query->RunStructQuery("Select From CalendarForms") || !query->FetchNextRow())
        return 0;
    form.nCalNo = key;
    form.strName = Text(*query, "CalName");
    form.strDir = Text(*query, "CalDir");
    form.strSize = Text(*query, "CalSize");
    for (int i = 0; i < CAL_VALUE_COUNT; ++i)
        form.nValue[i] = Number(*query, kValueColumns[i]);
    form.strFileType = Text(*query, "FileType");
    picture = Unpack(*query, key, form.strFileType);
    return 1;
}

void CCalendarForms::FontHeights(int key, int& year, int& month, int& desc)
{
    year = month = desc = 0;
    std::unique_ptr<CODBCQuery> query = CTemplateTables::OpenTemplateQuery();
    for (const char* column : {"YearHeight", "MonthHeight", "DescHeight"})
        query->SetStringColumn(column, "", 0);
    query->SetFilter(KeyFilter(key));
    if (!query->RunStructQuery("Select From CalendarForms") || !query->FetchNextRow())
        return;
    year = Number(*query, "YearHeight");
    month = Number(*query, "MonthHeight");
    desc = Number(*query, "DescHeight");
}

int CCalendarForms::Save(const CalendarForm& form, const CString* picturePath)
{
    std::vector<BYTE> bytes;
    if (picturePath && !CTemplateTables::ReadPictureFile(*picturePath, bytes)) {
        MIVO_WARN(kTraceLumaret, "cannot read %s: nothing saved", (LPCSTR)*picturePath);
        return 0;
    }
    std::unique_ptr<CODBCQuery> query = CTemplateTables::OpenTemplateQuery();
    const bool insert = form.nCalNo == -1;
    int key = insert ? NextKey(*query) : form.nCalNo;
    query->ResetQuery();
    query->SetNumberColumn("CalNo", key, 0);
    query->SetStringColumn(CString("CalName"), form.strName, 1);
    query->SetStringColumn(CString("CalDir"), form.strDir, 1);
    query->SetStringColumn(CString("CalSize"), form.strSize, 1);
    for (int i = 0; i < CAL_VALUE_COUNT; ++i)
        query->SetNumberColumn(kValueColumns[i], form.nValue[i], 0);
    if (picturePath) {
        query->SetStringColumn(CString("FileType"), form.strFileType, 1);
        query->SetBLOBColumn("CalBackImg", bytes.data(), (int)bytes.size());
    }
    if (!insert)
        query->SetFilter(KeyFilter(key));
    if (!query->RunStructQuery(insert ? "Insert Into CalendarForms" : "Update CalendarForms"))
        return 0;
    return key;
}

int CCalendarForms::Delete(int key)
{
    std::unique_ptr<CODBCQuery> query = CTemplateTables::OpenTemplateQuery();
    query->SetFilter(KeyFilter(key));
    return query->RunStructQuery("Delete From CalendarForms") ? 1 : 0;
}

CString CCalendarForms::TempFileName(int key, const CString& fileType)
{
    if (!CTemplateTables::IsBareFileType(fileType))
        return CString();
    CString path;
    path.Format("%sTemp\\TmplCal%d.%s", (LPCSTR)CAlbumTables::DataFolder(), key, (LPCSTR)fileType);
    return path;
}

CString CCalendarForms::FileTypeOf(const CString& path)
{
    int slash = path.ReverseFind('\\');
    int dot = path.ReverseFind('.');
    if (dot < 0 || dot < slash)
        return CString();
    return path.Mid(dot + 1);
}
