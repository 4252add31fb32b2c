// CToolTipCtrl: the "tooltips_class32" control.
#pragma once

#include "mfc/Wnd.h"
#include "mfc/String.h"

class AFX_EXT_CLASS CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    CToolTipCtrl() = default;
    ~CToolTipCtrl() override;

    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

    void Activate(BOOL bActivate) { Send(TTM_ACTIVATE, bActivate); }
    BOOL AddTool(CWnd* pWnd, LPCSTR lpszText = LPSTR_TEXTCALLBACK, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    void GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    BOOL GetToolInfo(TOOLINFO& ToolInfo, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    void SetToolInfo(LPTOOLINFO lpToolInfo) { Send(TTM_SETTOOLINFO, 0, (LPARAM)lpToolInfo); }
    void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
    int GetToolCount() const { return (int)Send(TTM_GETTOOLCOUNT); }
    void RelayEvent(LPMSG lpMsg) { Send(TTM_RELAYEVENT, 0, (LPARAM)lpMsg); }
    void SetDelayTime(UINT nDelay) { Send(TTM_SETDELAYTIME, TTDT_AUTOMATIC, MAKELPARAM(nDelay, 0)); }
    void SetDelayTime(DWORD dwDuration, int iTime) { Send(TTM_SETDELAYTIME, dwDuration, MAKELPARAM(iTime, 0)); }
    int GetDelayTime(DWORD dwDuration) const { return (int)Send(TTM_GETDELAYTIME, dwDuration); }
    void UpdateTipText(LPCSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    int SetMaxTipWidth(int iWidth) { return (int)Send(TTM_SETMAXTIPWIDTH, 0, (LPARAM)iWidth); }
    int GetMaxTipWidth() const { return (int)Send(TTM_GETMAXTIPWIDTH); }
    void SetTipBkColor(COLORREF clr) { Send(TTM_SETTIPBKCOLOR, (WPARAM)clr); }
    void SetTipTextColor(COLORREF clr) { Send(TTM_SETTIPTEXTCOLOR, (WPARAM)clr); }
    COLORREF GetTipBkColor() const { return (COLORREF)Send(TTM_GETTIPBKCOLOR); }
    COLORREF GetTipTextColor() const { return (COLORREF)Send(TTM_GETTIPTEXTCOLOR); }
    void Pop() { Send(TTM_POP); }
    void Update() { Send(TTM_UPDATE); }
    BOOL HitTest(CWnd* pWnd, CPoint pt, LPTOOLINFO lpToolInfo) const;
    void FillInToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT_PTR nIDTool) const;

protected:
    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const { return ::SendMessage(m_hWnd, msg, wParam, lParam); }
};
