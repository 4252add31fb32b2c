// CDlgScreenCapture: "화면 캡쳐", the chooser of what to capture: the desktop
// or one visible top-level window. The main frame reads the choice and does
// the capture.
#pragma once

#include "controls/ImageButton.h"
#include "dialogs/VXDialog.h"

// The windows collected for the chooser, top-most first.
struct CaptureWindowList {
    enum { kMaxWindows = 254, kMaxTitle = 260 };
    int nCount = 0;
    struct Entry {
        HWND hWnd;
        char szTitle[kMaxTitle + 1];
    } entries[kMaxWindows];
};

// Takes a visible, not minimised top-level window with a client area above 4 x 4 pixels and a
// title into the list (a CaptureWindowList*), while there is room. Always goes on.
BOOL CALLBACK EnumTopWindowsProc(HWND hWnd, LPARAM lParam);

class CDlgScreenCapture : public CVXDialog {
    DECLARE_DYNAMIC(CDlgScreenCapture)
public:
    explicit CDlgScreenCapture(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;

    // Cuts a window's screen rectangle to a screen of `screen` pixels at (0, 0): `area` is the
    // part on screen, `offset` where that part starts inside the window. FALSE when nothing of
    // it is on screen.
    static BOOL ClipToScreen(const CRect& window, const CSize& screen, CRect& area, CPoint& offset);

    CString m_strSelTitle;
    HWND m_hSelWnd;
    CImageButton m_btnOK;
    CImageButton m_btnCancel;
    CListBox m_lstWindows;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    DECLARE_MESSAGE_MAP()

private:
    // Whether a window covers the whole primary screen, as the desktop does.
    static BOOL CoversScreen(HWND hWnd);
};
