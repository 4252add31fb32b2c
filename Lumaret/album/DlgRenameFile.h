// CDlgRenameFile: gives one image file a new name in its own folder; the album rows and the
// cached thumbnail follow it.
#pragma once

#include "mfc.h"

#include "controls/ImageButton.h"
#include "dialogs/VXDialog.h"

class CDlgRenameFile : public CVXDialog {
    DECLARE_DYNAMIC(CDlgRenameFile)
public:
    explicit CDlgRenameFile(CWnd* parent = nullptr);
    ~CDlgRenameFile() override;

    BOOL OnInitDialog() override;

    // Whether name and extension make a file name that stays in its folder and shows.
    static BOOL IsPlainFileName(const CString& name, const CString& extension);

    CString m_strPath;
    CString m_strNewPath;
    CString m_strCurName;
    CString m_strNewName;
    CString m_strExtension;
    CImageButton m_btnRename;
    CImageButton m_btnCancel;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    DECLARE_MESSAGE_MAP()

private:
    CString m_strFolder;
};
