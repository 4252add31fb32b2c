// CDlgVXExplorer: the folder tree beside a detailed list of the chosen folder's entries, with
// the chosen folder's path above them. The caller runs it modally and reads m_strCurrentFolder
// after OK.
#pragma once

#include "dialogs/VXDialog.h"

#include "controls/DirListCtrl.h"
#include "controls/DirTreeCtrl.h"
#include "controls/ImageButton.h"
#include "controls/VXEdit.h"
#include "controls/xSplitterWnd.h"

class AFX_EXT_CLASS CDlgVXExplorer : public CVXDialog {
    DECLARE_DYNAMIC(CDlgVXExplorer)
public:
    explicit CDlgVXExplorer(CString startPath, CWnd* parent = nullptr);
    ~CDlgVXExplorer() override;

    // Small icons of the listed entries: the bitmap's pictures, then one per type key.
    CImageList m_imgTypes;
    CStringArray m_arrIconKeys;
    CUIntArray m_arrIconIndexes;
    CString m_strStartPath;
    CxSplitterWnd m_splitter;
    CString m_strListFolder;
    CString m_strListMask;
    CBrush m_brush;
    CStatic m_stcLabel;
    CImageButton m_btnCancel;
    CImageButton m_btnOK;
    CDirListCtrl m_list;
    CVXEdit m_editPath;
    CDirTreeCtrl m_tree;
    CString m_strCurrentFolder;
    // Set by callers that want a folder (128); kept for them, the dialog works the same either way.
    int m_nSelectMode;

    BOOL OnInitDialog() override;
    void SearchFileList(CString folder, CString mask);
    char* FormatNumberComma(char* out, long n);
    // Nonzero when both lists have the same size and every identifier compares equal.
    int CompareFullUniqueID(ITEMIDLIST* a, ITEMIDLIST* b);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg void OnTreeSelChanged(NMHDR* hdr, LRESULT* result);
    afx_msg void OnListRClick(NMHDR* hdr, LRESULT* result);
    DECLARE_MESSAGE_MAP()

private:
    struct Entry;
    void SetUpList();
    void ClearSortMarks();
    bool IsIgnoredItem(const ITEMIDLIST* full);
    int IconIndexFor(const CString& key, HICON icon);
    void InsertRow(int row, const Entry& entry);
    void LayOut(int cx, int cy);
    void FreeSpecialLists();

    ITEMIDLIST* m_pidlDesktop;
    ITEMIDLIST* m_pidlComputer;
    ITEMIDLIST* m_pidlNetwork;
};
