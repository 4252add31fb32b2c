// CCalendarForms: every statement the program runs on the calendar template table CalendarForms
// and the unpacking of a template's background picture into the "Temp" folder. The template
// editor writes through it; the make-calendar dialog and its chooser read through it, so all
// of them agree on columns, conversions and file names.
#pragma once

#include "mfc.h"

#include <memory>
#include <vector>

class CODBCQuery;

// The number columns, in the order a save lists them.
enum CalendarValue {
    CAL_YEAR_X, CAL_YEAR_Y, CAL_YEAR_HEIGHT, CAL_YEAR_COLOR,
    CAL_MONTH_X, CAL_MONTH_Y, CAL_MONTH_HEIGHT, CAL_MONTH_COLOR,
    CAL_DAYS_X, CAL_DAYS_Y, CAL_DAYS_WIDTH, CAL_DAYS_HEIGHT, CAL_DAYS_LINE_DRAW, CAL_DAYS_LINE_COLOR,
    CAL_USER_X, CAL_USER_Y, CAL_USER_WIDTH, CAL_USER_HEIGHT,
    CAL_DESC_X, CAL_DESC_Y, CAL_DESC_COLOR, CAL_DESC_HEIGHT,
    CAL_VALUE_COUNT
};

// One template row without its picture.
struct CalendarForm {
    int nCalNo = -1;
    CString strName;
    CString strDir;
    CString strSize;
    CString strFileType;
    int nValue[CAL_VALUE_COUNT] = {};

    int& operator[](CalendarValue v) { return nValue[v]; }
    int operator[](CalendarValue v) const { return nValue[v]; }
};

// A list row: what the editor's list and the chooser show.
struct CalendarListRow {
    int nCalNo = 0;
    CString strName;
    CString strDir;
    CString strSize;
};

// What opening a row did with its picture.
struct CalendarUnpacked {
    enum State {
        WRITTEN,      // the picture is in strPath
        EMPTY,        // no bytes stored: nothing written, strPath names whatever an earlier opening left
        NOT_WRITTEN,  // the file could not be written: strPath is empty, so no older file is loaded
        BAD_TYPE      // the stored type is no bare extension: strPath is empty
    };
    State nState = EMPTY;
    CString strPath;
};

class CCalendarForms {
public:
    static const char* ColumnName(CalendarValue v);

    // Every row in key order; empty when the table cannot be read.
    static std::vector<CalendarListRow> List();
    // "Max(CalNo)+1"; no row, an empty value or 0 gives 1.
    static int NextKey(CODBCQuery& query);
    // Reads row key and unpacks its picture to TempFileName. 0 when no row came; form and
    // picture are then untouched.
    static int Load(int key, CalendarForm& form, CalendarUnpacked& picture);
    // YearHeight, MonthHeight and DescHeight of a row; all 0 when there is none.
    static void FontHeights(int key, int& year, int& month, int& desc);
    // Stores the form: a new row under the next key when form.nCalNo is -1 (the key is
    // returned, form.nCalNo stays -1), else row form.nCalNo (returns it). A picture path given
    // (not null) stores that whole file as CalBackImg with form.strFileType; a file that cannot be
    // read stops the save before any statement. 0 when nothing was stored.
    static int Save(const CalendarForm& form, const CString* picturePath);
    // 1 when the row was removed.
    static int Delete(int key);

    // "%sTemp\\TmplCal%d.%s" of the data folder; empty when the type would make another path.
    static CString TempFileName(int key, const CString& fileType);
    // The extension of a chosen file without its dot ("" when it has none).
    static CString FileTypeOf(const CString& path);
};
