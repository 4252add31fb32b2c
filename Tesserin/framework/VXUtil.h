// The library's free helpers for small recurring jobs: numbers and lines of text, paths and
// folders, URLs, dates and weeks, the network probe, tree items, MDI views and the input mode.
// Text is CP949. Output buffers come from the caller and must be large enough unless a length
// is passed; functions returning char* return their output buffer.
#pragma once

#include "mfc.h"

// Longest URL text the URL helpers produce, terminator included.
const int kVXUrlMax = 512;

// ---- Text and numbers (VXUtilText.cpp) ----

// "-1,234": commas between groups of three digits, never after the sign.
AFX_EXT_API char* FormatNumberComma(char* out, int n);
// The integer part grouped as above, the "%f" fraction without trailing zeros ("1,234.5", "12").
AFX_EXT_API char* FormatDoubleComma(char* out, double d);
AFX_EXT_API char* RemoveCrLfFromString(char* out, const char* in);
// "20031225" -> "2003-12-25"; an empty input leaves out untouched.
AFX_EXT_API char* MakeLongDate(const char* compact, char* out);
// Copies the line starting at `start` (CR LF or a lone LF ends it) into line, unterminated.
// Returns the index after the line end, or -1 when start is outside buf or the line is the last.
AFX_EXT_API int GetOneLineFromBuf(const char* buf, char* line, int start);
// Rewrites buf with CR LF line ends and text inserted after the first line containing after
// (or, with until, after the next line containing until). 1 when done; 0, buf unchanged, when
// the result would not fit in bufSize bytes with its terminator.
AFX_EXT_API int InsertLinesAfter(char* buf, const char* after, CString text, const char* until, int bufSize);
// Indices of src in ascending order, equal entries in their order; src itself is unchanged.
AFX_EXT_API void SortStringArray(CStringArray* src, CUIntArray* order);
AFX_EXT_API void SortUIntArray(CUIntArray* src, CUIntArray* order);
// A reversible scrambling of short texts into decimal digits; out receives at most outLen - 1
// digits and its terminator.
AFX_EXT_API char* EncodeVantrelString(const char* in, char* out, int outLen);
AFX_EXT_API char* DecodeVantrelString(const char* in, char* out);
AFX_EXT_API char* EVS(const char* in, char* out, int outLen);
AFX_EXT_API char* DVS(const char* in, char* out);

// ---- Paths and files (VXUtilPath.cpp) ----

// dir = drive and folder with its backslash, fileName = name and extension, ext = ".jpg";
// null outputs are skipped. Returns fileName.
AFX_EXT_API char* DivideFilePathAndName(const char* path, char* dir, char* fileName, char* ext);
// full without the base folder when base is a whole-folder prefix of it, else full.
AFX_EXT_API char* RelativePathFromFullPath(const char* base, const char* full, char* out);
AFX_EXT_API char* FullPathFromRelativePath(const char* base, const char* rel, char* out);
// Deletes what the folder holds (or the folder too). Links are removed, never entered; empty
// paths, drive roots, the home folder and the folders above it are refused.
AFX_EXT_API void RecursiveDeleteFolder(CString folder);
AFX_EXT_API void EraseFolder(CString folder);
AFX_EXT_API int ReadFileToBuf(CString path, void* buf, UINT len);
AFX_EXT_API int WriteFileFromBuf(CString path, const char* text);
// The shell's folder browser: 1 with the chosen folder, 0 and out empty when cancelled.
AFX_EXT_API int GetFolder(CString& out, HWND owner, const char* title, const char* root, const char* initial);
AFX_EXT_API int CALLBACK BrowseCallbackProc(HWND wnd, UINT msg, LPARAM param, LPARAM data);

// ---- URLs (VXUtilUrl.cpp); each output holds at most kVXUrlMax bytes ----

AFX_EXT_API void FindHostNameFromURL(const char* url, char* host, char* path, char* fileName);
AFX_EXT_API void FindDirNameFromURL(const char* url, char* dir);
AFX_EXT_API void FindAbsURLFromRelURL(const char* base, const char* rel, char* out);

// ---- Dates (VXUtilDate.cpp): "yyyy-mm-dd", compact "yyyymmdd", "hh:mm:ss" ----

AFX_EXT_API CTime TimeFromChars(const char* date);
AFX_EXT_API CTimeSpan TimeSpanFromChars(const char* from, const char* to);
AFX_EXT_API COleDateTime OleDateTimeFromChars(const char* text);
AFX_EXT_API COleDateTime OleDateTimeFromCompactChars(const char* compact);
// Sunday-to-Saturday weeks, week 1 holding the first day; a week ending in the next year
// (or month) is week 1 of it, and *year (and *month) say which.
AFX_EXT_API int WeekOfYearFromDateTime(COleDateTime d, int* year);
AFX_EXT_API int WeekOfMonthFromDateTime(COleDateTime d, int* year, int* month);
AFX_EXT_API int WeekOfYearFromChar(const char* text, int* year);
AFX_EXT_API int WeekOfMonthFromChar(const char* text, int* year, int* month);
// Whole years, then months, then days from `from` to `to`, and the whole days in all; zeros
// when to is before from. Null pointers are skipped.
AFX_EXT_API void FindDurationFromDateTimes(COleDateTime from, COleDateTime to, int* years, int* months,
                                           int* days, int* totalDays);

// ---- Network (VXUtilNet.cpp) ----

// One echo of the host: 256 + round trip in ms on a reply, 0 without one, 2 when "ICMP.DLL"
// is missing, 3 when the name does not resolve.
AFX_EXT_API int PINGTest(const char* host);
// 1 when an address of the own host is neither private, link-local nor 127.0.0.1.
AFX_EXT_API int IsInternetConnected();
// The own host's first address in dotted form; empty when there is none.
AFX_EXT_API char* FindUserIPAddress(char* out);

// ---- Tree items (VXUtilTree.cpp) ----

// Depth first below start, then start's following siblings and theirs; start itself never.
AFX_EXT_API HTREEITEM SearchTreeItemByData(CTreeCtrl* tree, HTREEITEM start, DWORD_PTR data);
AFX_EXT_API HTREEITEM SearchTreeItemByTitle(CTreeCtrl* tree, HTREEITEM start, CString title);
// Copies item with its subtree as the last child of newParent; NULL when newParent is the item
// or lies below it.
AFX_EXT_API HTREEITEM CopyTreeBranch(CTreeCtrl* tree, HTREEITEM item, HTREEITEM newParent, BOOL deleteSource);

// ---- Views and input (VXUtilView.cpp; OpenLayerViewFromDlg in controls/LayerViewOpen.cpp) ----

AFX_EXT_API CView* OpenView(CString docName, BOOL maximize, BOOL reuse);
AFX_EXT_API void GetDocViewList(CString docName, CPtrArray* views);
// Search modes: 0 always opens a new frame; 1 reuses a frame by title or page class; 2 by
// title; 4 by page class. Null when no frame could be made or there is no dialog to show.
// The dialog passes to the function: it is shown, or deleted (also when a found frame's page
// is returned instead).
AFX_EXT_API CDialog* OpenLayerViewFromDlg(const char* title, CDialog* dlg, UINT dlgTemplateId, UINT frameResourceId,
                                          HWND mdiClient, CWnd* parentFrame, BOOL maximize, int searchMode);
// Switches the window's input between Hangul and alphanumeric; 0 when it has no input context.
AFX_EXT_API int IME_SET_Hangul(HWND wnd, BOOL hangul);
