// CDlgVXMsgBox: a question box with a message and up to seven labelled image buttons, each with an
// optional icon; VxMsgBox runs it and answers the number of the button pressed.
#pragma once

#include "controls/ImageButton.h"
#include "dialogs/VXDialog.h"

class AFX_EXT_CLASS CDlgVXMsgBox : public CVXDialog {
    DECLARE_DYNAMIC(CDlgVXMsgBox)
public:
    static const int kButtons = 7;
    // An icon id that leaves its button without an icon.
    static const int kNoIcon = -1;

    explicit CDlgVXMsgBox(CWnd* pParentWnd = nullptr);
    ~CDlgVXMsgBox() override;

    BOOL OnInitDialog() override;

    CString m_strCaption;
    // An empty label hides its button; the others keep their places.
    CString m_strLabel[kButtons];
    int m_nIcon[kButtons];
    // The number (1 to 7) of the button pressed, 0 until one is.
    int m_nResult;
    CImageButton m_btnChoice[kButtons];
    CString m_strMessage;

    afx_msg void OnButton1();
    afx_msg void OnButton2();
    afx_msg void OnButton3();
    afx_msg void OnButton4();
    afx_msg void OnButton5();
    afx_msg void OnButton6();
    afx_msg void OnButton7();

    // The control of button 1 to 7.
    static UINT ButtonControlId(int number);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    DECLARE_MESSAGE_MAP()

private:
    void Choose(int number);
    void SetUpButton(CImageButton& button, int icon, const CString& label);
};

// Runs the box without a parent: 1 to 7 for the button pressed, 0 when it was closed otherwise.
AFX_EXT_API int VxMsgBox(CString strCaption, CString strText, CString strLabel1, int nIcon1, CString strLabel2,
                         int nIcon2, CString strLabel3, int nIcon3, CString strLabel4, int nIcon4, CString strLabel5,
                         int nIcon5, CString strLabel6, int nIcon6, CString strLabel7, int nIcon7);
