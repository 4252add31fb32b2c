#include "controls/VXStatic.h"

#include "controls/ControlSupport.h"

IMPLEMENT_DYNCREATE(CVXStatic, CStatic)

BEGIN_MESSAGE_MAP(CVXStatic, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
    ON_CONTROL_REFLECT(STN_CLICKED, OnClicked)
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

namespace {

const WORD kLinkCursorId = 32512;

}  // namespace

CVXStatic::CVXStatic()
    : m_pShowWnd(nullptr), m_pMessageTarget(nullptr), m_nMessage(0), m_nMessageWParam(0), m_pModalDialog(nullptr),
      m_byCustomCursor(0), m_bVisited(FALSE), m_crBack(GetSysColor(COLOR_BTNFACE)),
      m_crText(GetSysColor(COLOR_WINDOWTEXT)), m_crVisited(RGB(0, 128, 192))
{
    m_brBack.CreateSolidBrush(m_crBack);
}

CVXStatic::~CVXStatic() = default;

CVXStatic& CVXStatic::operator=(const CVXStatic& other)
{
    if (this == &other)
        return *this;
    m_strShellCommand = other.m_strShellCommand;
    m_crVisited = other.m_crVisited;
    m_crText = other.m_crText;
    m_crBack = other.m_crBack;
    CreateBrushType();
    if (other.m_font.GetSafeHandle()) {
        CopyControlFont(m_font, other.m_font);
        if (m_hWnd)
            SetFont(&m_font, TRUE);
    }
    m_pShowWnd = other.m_pShowWnd;
    m_pModalDialog = other.m_pModalDialog;
    m_pMessageTarget = other.m_pMessageTarget;
    m_nMessage = other.m_nMessage;
    m_nMessageWParam = other.m_nMessageWParam;
    m_bVisited = other.m_bVisited;
    m_byCustomCursor = other.m_byCustomCursor;
    Repaint();
    return *this;
}

void CVXStatic::Repaint()
{
    if (m_hWnd)
        Invalidate();
}

void CVXStatic::onClickSendMessage(CWnd* target, UINT message, UINT wParam)
{
    m_pMessageTarget = target;
    m_nMessage = message;
    m_nMessageWParam = wParam;
}

void CVXStatic::doOnClickEvents(bool enable)
{
    if (!m_hWnd)
        return;
    bool has = (GetStyle() & SS_NOTIFY) != 0;
    if (enable && !has)
        ModifyStyle(0, SS_NOTIFY);
    else if (!enable && has)
        ModifyStyle(SS_NOTIFY, 0);
}

COLORREF CVXStatic::SetVXStaticTextColor(COLORREF colour)
{
    COLORREF previous = m_crText;
    m_crText = colour;
    Repaint();
    return previous;
}

COLORREF CVXStatic::setLinkColorUnvisited(COLORREF colour)
{
    m_crText = colour;
    Repaint();
    return colour;
}

COLORREF CVXStatic::setLinkColorVisited(COLORREF colour)
{
    COLORREF previous = m_crVisited;
    m_crVisited = colour;
    return previous;
}

void CVXStatic::CreateBrushType()
{
    m_brBack.DeleteObject();
    m_brBack.CreateSolidBrush(m_crBack);
}

COLORREF CVXStatic::SetVXStaticBkColor(COLORREF colour)
{
    COLORREF previous = m_crBack;
    m_crBack = colour;
    CreateBrushType();
    Repaint();
    return previous;
}

void CVXStatic::SetVXStaticFont(const LOGFONT* font)
{
    SetControlFont(*this, m_font, font);
}

void CVXStatic::SetVXStaticFont(LPCSTR face, int points, int weight, BYTE pitchAndFamily)
{
    SetControlFont(*this, m_font, face, points, weight, pitchAndFamily);
}

HBRUSH CVXStatic::CtlColor(CDC* pDC, UINT)
{
    if (m_strShellCommand.IsEmpty()) {
        pDC->SetTextColor(m_crText);
    } else {
        // A link reports its clicks whether or not the owner asked for it.
        if (!(GetStyle() & SS_NOTIFY))
            ModifyStyle(0, SS_NOTIFY);
        pDC->SetTextColor(m_bVisited ? m_crVisited : m_crText);
    }
    pDC->SetBkColor(m_crBack);
    return (HBRUSH)m_brBack.GetSafeHandle();
}

void CVXStatic::OnClicked()
{
    if (m_pShowWnd && m_pShowWnd->GetSafeHwnd())
        m_pShowWnd->ShowWindow(m_pShowWnd->IsWindowVisible() ? SW_HIDE : SW_SHOW);
    if (m_pModalDialog)
        m_pModalDialog->DoModal();
    if (!m_strShellCommand.IsEmpty())
        OpenShellCommand();
    if (m_nMessage && m_pMessageTarget && m_pMessageTarget->GetSafeHwnd())
        m_pMessageTarget->SendMessage(m_nMessage, m_nMessageWParam, 0);
}

void CVXStatic::OpenShellCommand()
{
    HINSTANCE result = ::ShellExecute(nullptr, "open", m_strShellCommand, nullptr, nullptr, SW_SHOWNORMAL);
    if ((INT_PTR)result <= 32) {
        ::MessageBeep(0);
        AfxMessageBox("Unable to open " + m_strShellCommand + ".", MB_ICONINFORMATION);
        return;
    }
    m_bVisited = TRUE;
    Repaint();
}

BOOL CVXStatic::OnSetCursor(CWnd*, UINT, UINT)
{
    HCURSOR cursor = nullptr;
    if (m_byCustomCursor) {
        LPCSTR name = MAKEINTRESOURCE(kLinkCursorId);
        HINSTANCE module = AfxFindResourceHandle(name, RT_GROUP_CURSOR);
        if (module && ::FindResource(module, name, RT_GROUP_CURSOR))
            cursor = ::LoadCursor(module, name);
    }
    ::SetCursor(cursor ? cursor : ::LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
}
