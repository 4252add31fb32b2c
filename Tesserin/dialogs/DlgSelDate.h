// CDlgSelDate: a month calendar dropped under an edit field; the arrow keys move the selected
// day, a click on a day or OK takes it. SelectDate and its three siblings run it and write the
// chosen date, in their own form, into the caller's buffer and the field.
#pragma once

#include "mfc.h"

#include "controls/ImageButton.h"

class AFX_EXT_CLASS CDlgSelDate : public CDialog {
    DECLARE_DYNAMIC(CDlgSelDate)
public:
    explicit CDlgSelDate(CWnd* parent = nullptr);

    COleDateTime m_dtSelected;
    CMonthCalCtrl m_calendar;
    CImageButton m_btnOK;
    CImageButton m_btnCancel;
    // The window to drop under; may be null.
    CWnd* m_pAnchor;
    // "%Y-%m-%d"; null or empty opens on today.
    const char* m_pszInitial;
    char m_szResultDate[11];
    char m_szResultCompact[9];

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    afx_msg void OnSelect(NMHDR* hdr, LRESULT* result);
    DECLARE_MESSAGE_MAP()

private:
    void PlaceAtAnchor();
    void MoveSelection(int days);
};

// Each returns out on OK (also set as the anchor's text), null when cancelled (out and the
// anchor untouched). initial is only read: "%Y-%m-%d", 8 digits, "%Y-%m" and 6 digits in turn;
// out receives the same form.
AFX_EXT_API char* SelectDate(char* out, const char* initial, CWnd* anchor);
AFX_EXT_API char* SelectCompactDate(char* out, const char* initial, CWnd* anchor);
AFX_EXT_API char* SelectMonth(char* out, const char* initial, CWnd* anchor);
AFX_EXT_API char* SelectCompactMonth(char* out, const char* initial, CWnd* anchor);
