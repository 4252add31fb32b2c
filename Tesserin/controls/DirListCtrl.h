// CDirListCtrl: the report list of one folder's entries. Sorts by a clicked column (column 1
// as a number) with a mark in its title, makes a folder by editing a new row's name, and
// deletes the selected entries after asking, folders with everything in them.
#pragma once

#include "mfc.h"

class AFX_EXT_CLASS CDirListCtrl : public CListCtrl {
public:
    CDirListCtrl();

    // Entry paths are this folder + the entry's name; it ends with a backslash.
    void SetFolderPath(const char* path) { m_folderPath = path; }
    const CString& GetFolderPath() const { return m_folderPath; }
    int GetSortColumn() const { return m_sortColumn; }
    int IsAscending() const { return m_ascending; }

    void SetNewStyle(long style, BOOL set);
    // A parent that shows the folder menu itself gets the right click (NM_RCLICK) instead of the list.
    void SetMenuByParent(BOOL byParent) { m_menuByParent = byParent; }
    // The folder menu at the cursor; its commands come to this list.
    void ShowFolderMenu();
    // Rows low..high (-1: the last row) in place, by the column's text or its number.
    int SortTextItems(int column, BOOL ascending, int low = 0, int high = -1);
    int SortNumericItems(int column, BOOL ascending, int low = 0, int high = -1);

    // 0 when the folder and everything below it went, -1 otherwise.
    int DeleteDir(const char* path);
    int TakeOwnership(const char* path);
    int SetPermission(const char* path, const char* account, DWORD accessMask);
    int SetPrivilege(HANDLE token, const char* privilege, BOOL disableAll);

protected:
    afx_msg void OnHeaderClicked(NMHDR* hdr, LRESULT* result);
    afx_msg BOOL OnRclick(NMHDR* hdr, LRESULT* result);
    afx_msg void OnEndlabeledit(NMHDR* hdr, LRESULT* result);
    afx_msg void OnPopupNew();
    afx_msg void OnPopupDelete();
    DECLARE_MESSAGE_MAP()

private:
    int Sort(int column, bool ascending, int low, int high, bool numeric);
    int CompareRows(const CString& a, const CString& b, bool numeric) const;
    void SwapRows(int a, int b);
    int ColumnCount();
    void ShowSortMark(int column, bool ascending);
    bool IsProtectedPath(const char* path) const;
    void DeleteEntry(const CString& full);

    int m_sortColumn = -1;
    BOOL m_menuByParent = FALSE;
    int m_ascending = 1;
    CString m_folderPath;
};
