// CVXListCtrl: a report list view with click-to-sort headers marked by a
// triangle in the title, an edit box or drop-down list per column for the
// cells, row removal with Delete, rows coloured by their data word, and the
// grid's export files and TempReport dump from a header menu.
#pragma once

#include "mfc.h"

class CVXListEdit;
class CVXListCombo;

// Column types of AddColumnType.
#define VXLIST_COLUMN_EDIT 0
#define VXLIST_COLUMN_COMBO 1

class AFX_EXT_CLASS CVXListCtrl : public CListCtrl {
    DECLARE_DYNAMIC(CVXListCtrl)
public:
    CVXListCtrl();
    ~CVXListCtrl() override;

    void AddColumnType(UINT type) { m_arrayColumnTypes.Add(type); }
    void SetRunDirectory(LPCSTR folder) { m_strRunDirectory = folder; }
    void SetRunFile(LPCSTR name) { m_strRunFile = name; }
    void EnableEditing(BOOL on) { m_bEditEnabled = on; }
    void SetColorByData(BOOL on) { m_bColorByData = on; }
    // The entries every drop-down list editor offers.
    CStringList& GetChoices() { return m_listChoices; }

    CEdit* EditItem(int row, int column);
    CComboBox* ComboItem(int row, int column);
    int SortTextItems(int column, BOOL ascending, int first = 0, int last = -1);
    int SortNumericItems(int column, BOOL ascending, int first = 0, int last = -1);
    int GetSortColumn() const { return m_iSortColumn; }

    void OnVxListExcel();
    void OnVxListText();
    void SaveToLocalDB(LPCSTR dataSource, LPCSTR reportId);

    // An editor's window is going: the list no longer reaches it.
    void EditorDestroyed(CWnd* editor);
    CVXListEdit* GetOpenEdit() const { return m_pListEdit; }
    CVXListCombo* GetOpenCombo() const { return m_pListCombo; }

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    int GetColumnCount();
    CString GetColumnTitle(int column);
    void MarkSortedTitles();
    void SwapRows(int row1, int row2);
    void EndEditBox();
    CRect PlaceEditor(int row, int column, int area);
    void Export(BOOL spreadsheet);

    afx_msg int OnCreate(LPCREATESTRUCT create);
    afx_msg void OnHeaderClick(NMHDR* hdr, LRESULT* result);
    afx_msg void OnHeaderRightClick(NMHDR* hdr, LRESULT* result);
    afx_msg void OnCustomDraw(NMHDR* hdr, LRESULT* result);
    afx_msg void OnClick(NMHDR* hdr, LRESULT* result);
    afx_msg void OnKeyDown(NMHDR* hdr, LRESULT* result);
    afx_msg BOOL OnEndLabelEdit(NMHDR* hdr, LRESULT* result);
    afx_msg void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    afx_msg void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    afx_msg BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    DECLARE_MESSAGE_MAP()

    int m_iSortColumn = -1;
    BOOL m_bAscending = TRUE;
    BOOL m_bColorByData = FALSE;
    CString m_strRunDirectory = ".";
    CString m_strRunFile = "Temp";
    BOOL m_bEditEnabled = FALSE;
    CUIntArray m_arrayColumnTypes;
    CStringList m_listChoices{10};
    CVXListCombo* m_pListCombo = nullptr;
    CVXListEdit* m_pListEdit = nullptr;
    int m_iLastClickedRow = -1;
};
