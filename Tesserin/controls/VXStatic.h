// CVXStatic: a static label with its own colours and font that can also act
// as a link: a click toggles a window, runs a dialog, opens a document or
// program through the shell (then shown in the visited colour) and sends a message.
#pragma once

#include "mfc.h"

class AFX_EXT_CLASS CVXStatic : public CStatic {
    DECLARE_DYNCREATE(CVXStatic)
public:
    CVXStatic();
    ~CVXStatic() override;

    CVXStatic& operator=(const CVXStatic& other);

    void onClickShowWindow(CWnd* wnd) { m_pShowWnd = wnd; }
    void onClickShowModalDialog(CDialog* dialog) { m_pModalDialog = dialog; }
    void onClickDoShellCommand(const CString& command) { m_strShellCommand = command; }
    void onClickSendMessage(CWnd* target, UINT message, UINT wParam);
    void doOnClickEvents(bool enable);
    void doCustomCursor(bool custom) { m_byCustomCursor = custom ? 1 : 0; }

    COLORREF SetVXStaticTextColor(COLORREF colour);
    COLORREF setLinkColorUnvisited(COLORREF colour);
    COLORREF setLinkColorVisited(COLORREF colour);
    COLORREF SetVXStaticBkColor(COLORREF colour);
    COLORREF GetVXStaticTextColor() const { return m_crText; }
    COLORREF GetVXStaticBkColor() const { return m_crBack; }
    BOOL IsVisited() const { return m_bVisited; }
    void SetVXStaticFont(const LOGFONT* font);
    void SetVXStaticFont(LPCSTR face, int points, int weight = FW_NORMAL,
                         BYTE pitchAndFamily = DEFAULT_PITCH | FF_DONTCARE);
    virtual void CreateBrushType();

protected:
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg void OnClicked();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()

    CWnd* m_pShowWnd;
    CWnd* m_pMessageTarget;
    UINT m_nMessage;
    UINT m_nMessageWParam;
    CDialog* m_pModalDialog;
    BYTE m_byCustomCursor;
    CBrush m_brBack;
    BOOL m_bVisited;
    CString m_strShellCommand;
    COLORREF m_crBack;
    COLORREF m_crText;
    COLORREF m_crVisited;
    CFont m_font;

private:
    void Repaint();
    void OpenShellCommand();
};
