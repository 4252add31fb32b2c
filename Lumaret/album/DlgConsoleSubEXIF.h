// CDlgConsoleSubEXIF: the second sub pane of both console panes, a two-column grid listing the
// EXIF data of the photo last chosen.
#pragma once

#include "mfc.h"

#include "dialogs/VXDialog.h"
#include "grid/VXGridCtrl.h"

class CDlgConsoleSubEXIF : public CVXDialog {
public:
    explicit CDlgConsoleSubEXIF(CWnd* pParent = nullptr);
    ~CDlgConsoleSubEXIF() override;

    BOOL OnInitDialog() override;

    // Lists the file's EXIF rows; a file without them (or not a JPEG) leaves the grid empty.
    void ShowExif(CString path);

    CVXGridCtrl m_wndGrid;
    CImageList m_imageList;
    CString m_strPath;

protected:
    void OnOK() override {}
    void OnCancel() override {}
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg void OnGridItemClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnGridIgnored(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void DefineColumns();
};
