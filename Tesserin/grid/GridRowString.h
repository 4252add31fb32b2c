// The packed cells of one grid row: every cell is one field
// "(image,overlay,check,colour,length,format)text" ended by the separator.
#pragma once

#include "mfc.h"

// The six numbers of a cell; -1 everywhere is an empty cell.
struct GridCellFields {
    int iImage = -1;
    int iOverlay = -1;
    int iCheck = -1;
    int iTextColor = -1;
    int iTextLength = -1;
    int iNumberFormat = -1;

    bool IsEmpty() const;
};

class GridRowString {
public:
    // The text of one empty field with this separator.
    static CString EmptyField(char separator);
    // Replaces the whole string with `count` empty fields.
    static void Fill(CString& row, int count, char separator);
    // Reads field n: numbers (fields not reached keep the caller's values) and,
    // with a buffer, at most size - 1 text bytes. 0 for an empty cell, else 1.
    static int Read(const CString& row, int n, char separator, GridCellFields& cell, char* text, int size);
    // Inserts a complete field before field n (n = count appends).
    static void Write(CString& row, int n, char separator, const GridCellFields& cell, const char* text);
    static void Delete(CString& row, int n, char separator);
    static void Replace(CString& row, int n, char separator, const GridCellFields& cell, const char* text);
    // Rewrites every field from one separator to another.
    static void ChangeSeparator(CString& row, char from, char to);
    // Separator bytes inside a text become blanks (double-byte characters are skipped whole).
    static void BlankSeparators(char* text, char separator);
    // The byte length of at most `limit` bytes of text, never ending inside a double-byte character.
    static int CutLength(const char* text, int limit);

private:
    static int FieldStart(const CString& row, int n, char separator);
    static int FieldEnd(const CString& row, int start, char separator);
    static CString Format(const GridCellFields& cell, const char* text, char separator);
};
