// CDlgUserInputBox: one line of text under a caption, with OK and Cancel. GetUserInput runs it
// and hands the text to a caller's buffer of kUserInputBufferSize bytes.
#pragma once

#include "dialogs/VXDialog.h"

#include "controls/ImageButton.h"

// The callers' buffers hold this many bytes; the field takes one less, in whole characters.
const int kUserInputBufferSize = 128;

class AFX_EXT_CLASS CDlgUserInputBox : public CVXDialog {
    DECLARE_DYNAMIC(CDlgUserInputBox)
public:
    explicit CDlgUserInputBox(CWnd* parent = nullptr);

    CString m_strCaption;
    CImageButton m_btnOK;
    CImageButton m_btnCancel;
    CEdit m_edit;
    CString m_strInput;

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    DECLARE_MESSAGE_MAP()
};

// 1 with the text in out (at most kUserInputBufferSize - 1 bytes, never half a character) when
// the box ends with OK on a text that is not empty; else 0, out untouched.
AFX_EXT_API int GetUserInput(CString caption, char* out);
