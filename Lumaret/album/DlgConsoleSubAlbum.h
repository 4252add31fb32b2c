// CDlgConsoleSubAlbum: the album pane's third sub pane. It shows the descriptive fields of the
// photo's AlbumDetail row and saves them; the row itself is made when the photo enters an album.
#pragma once

#include "mfc.h"

#include "controls/ImageButton.h"
#include "controls/VXEdit.h"
#include "controls/VXStatic.h"
#include "dialogs/VXDialog.h"

class CDlgConsoleSubAlbum : public CVXDialog {
public:
    explicit CDlgConsoleSubAlbum(CWnd* pParent = nullptr);
    ~CDlgConsoleSubAlbum() override;

    BOOL OnInitDialog() override;

    // Reads the row (m_nAlbumID, m_nSeq) into the fields; a missing row empties them.
    void LoadDetails();
    // The fields into the row; "저장" stays enabled when no row took them.
    void SaveDetails();

    CString m_strTitle;
    CString m_strTargetList;
    CString m_strPhotographer;
    CString m_strProcess;
    CString m_strPhotoDesc;
    CString m_strPathName;
    int m_nAlbumID;
    int m_nSeq;

    CVXEdit m_editTitle;
    CVXEdit m_editTarget;
    CVXEdit m_editPhotographer;
    CVXEdit m_editProcess;
    CVXEdit m_editMemo;
    CVXEdit m_editFile;
    CVXStatic m_labels[6];
    CImageButton m_btnNew;
    CImageButton m_btnSave;

protected:
    void OnOK() override {}
    void OnCancel() override {}
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnNewEntry();
    afx_msg void OnSaveDetails();
    afx_msg void OnFieldChange();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    void EmptyDescriptions();
};
