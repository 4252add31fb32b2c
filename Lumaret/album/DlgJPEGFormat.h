// CDlgJPEGFormat: the page in which the user picks a JPEG file and lists its inner structure (markers,
// Exif header, EXIF directories) in a tree grid. Shown as a page of an MDI layer frame: the main
// frame opens it empty, the editor with its file's path set. Nothing is analysed until "분석".
#pragma once

#include "mfc.h"

#include "album/JpegStructureWalk.h"
#include "dialogs/VXDialog.h"
#include "grid/VXGridCtrl.h"

class CDlgJPEGFormat : public CVXDialog {
    DECLARE_DYNAMIC(CDlgJPEGFormat)
public:
    explicit CDlgJPEGFormat(CWnd* pParent = nullptr);
    ~CDlgJPEGFormat() override;

    // Opens a new inspector page in the main frame, titled "JPEG Format", with the path set
    // (empty for none). Null when no page could be made.
    static CDlgJPEGFormat* OpenInLayer(const CString& path);

    BOOL OnInitDialog() override;
    // One analysis of the path held, with the grid's redraw off.
    void WalkJpegMarkers();
    const CString& LastError() const { return m_walk.LastError(); }

    CString m_strPath;
    CVXGridCtrl m_gridStructure;
    CImageList m_imageList;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnSelectFile();
    afx_msg void OnAnalyse();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnGridItemClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnGridNoAction(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnGridEditKillFocus(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void SetUpGrid();

    CJpegStructureWalk m_walk;
};
