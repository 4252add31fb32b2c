// CVXDialog: the base of the programs' dialogs. It keeps the window position and bound string and
// integer members in the profile store under its profile name, owns child dialogs, knows whether it
// is itself a page hosted in a frame or embedded in another window (such dialogs ignore Enter and
// Escape), and paints an optional background picture with transparent buttons and labels over it.
#pragma once

#include "mfc.h"

class CImageObject;
class CVXApp;

class AFX_EXT_CLASS CVXDialog : public CDialog {
    DECLARE_DYNAMIC(CVXDialog)
public:
    // How the background picture is laid over the client area; any other value tiles.
    enum { BACK_TILED = 1, BACK_CENTERED = 2, BACK_STRETCHED = 3 };

    CVXDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CVXDialog() override;

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    // Called after the background is painted, with the device that holds it.
    virtual void OnPostEraseBkgnd(CDC* pDC);

    void AddStringProfile(CString strEntry, CString* pMember);
    void AddNumberProfile(CString strEntry, int* pMember);
    // Restores the window position (top-level dialogs) and then the bound members in binding order.
    void LoadProfile();

    // The dialog owns the child from then on.
    void AddChildDialog(CWnd* pDlg);
    // Shows the children with index a and b and hides all others.
    void ShowChildWnds(int a, int b);
    void SetCaption(CString strText);
    // Ends a top-level dialog through OnCancel; a hosted page closes the frame that hosts it.
    void CloseVXDialog();
    int SetBackImg(UINT nBitmapID);

    afx_msg void OnDestroy();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);

    CString m_strProfileName;
    UINT m_nIconID;
    BOOL m_bChild;
    BOOL m_bEmbedded;
    BOOL m_bSavePosition;
    CTypedPtrArray<CPtrArray, CWnd*> m_arrChildDlgs;
    CStringArray m_arrProfileNames;
    CTypedPtrArray<CPtrArray, CString*> m_arrStringMembers;
    CTypedPtrArray<CPtrArray, int*> m_arrNumberMembers;
    CImageObject* m_pBackImg;
    int m_nBackMode;
    CBrush m_brHollow;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    DECLARE_MESSAGE_MAP()

private:
    void DeleteChildDialogs();
    // The application's profile store, or null when the application is not a CVXApp.
    static CVXApp* ProfileApp();
    bool HasBackImage() const;
    void RestorePosition(CVXApp* app);
    void SavePosition();
    void SaveBoundMembers();
    void PaintBackground(CDC* pDC, const CRect& client);
};
