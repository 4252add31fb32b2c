#include "controls/VXGroupEdit.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CVXGroupEdit, CEdit)
    ON_WM_CREATE()
    ON_WM_KILLFOCUS()
    ON_WM_DESTROY()
    ON_WM_CHAR()
END_MESSAGE_MAP()

CVXGroupEdit::CVXGroupEdit() : m_bCancelled(FALSE), m_nCode(3), m_bSingleLine(FALSE), m_nIndex(-1), m_bFinished(FALSE) {}

void CVXGroupEdit::PostNcDestroy()
{
    delete this;
}

int CVXGroupEdit::OnCreate(LPCREATESTRUCT cs)
{
    if (CEdit::OnCreate(cs) == -1)
        return -1;
    SetFont(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
    return 0;
}

void CVXGroupEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    PostMessage(WM_CLOSE);
    Finish();
}

// Closing with the focus still inside ends the edit as losing the focus does.
void CVXGroupEdit::OnDestroy()
{
    Finish();
    CEdit::OnDestroy();
}

void CVXGroupEdit::Finish()
{
    if (m_bFinished)
        return;
    m_bFinished = TRUE;
    GetWindowText(m_text);
    CWnd* owner = GetOwner();
    if (!m_bCancelled && !m_text.IsEmpty() && owner)
        owner->SendMessage(WM_USER + 1, m_nCode, (LPARAM)this);
}

void CVXGroupEdit::OnChar(UINT ch, UINT repeat, UINT flags)
{
    if (ch == VK_RETURN) {
        PostMessage(WM_CLOSE);
        return;
    }
    if (ch == VK_ESCAPE) {
        m_bCancelled = TRUE;
        PostMessage(WM_CLOSE);
        return;
    }
    CEdit::OnChar(ch, repeat, flags);
    if (m_nCode == 2)
        GrowToText();
}

// An item label grows with its text, never past the out-bar's client area.
void CVXGroupEdit::GrowToText()
{
    CWnd* bar = GetParent();
    if (!bar)
        return;
    CString text;
    GetWindowText(text);
    CRect edit, client;
    GetWindowRect(&edit);
    bar->ScreenToClient(&edit);
    bar->GetClientRect(&client);
    CClientDC dc(bar);
    CFont* font = bar->GetFont();
    CFont* old = dc.SelectObject(font ? font : CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
    CRect measured(0, 0, m_bSingleLine ? 0 : edit.Width(), 0);
    dc.DrawText(text, &measured,
                m_bSingleLine ? DT_CALCRECT : (DT_CALCRECT | DT_WORDBREAK | DT_CENTER));
    dc.SelectObject(old);
    const int margin = 8;
    CRect grown = edit;
    if (m_bSingleLine)
        grown.right = std::max(edit.right, std::min<LONG>(client.right, edit.left + measured.Width() + margin));
    else
        grown.bottom = std::max(edit.bottom, std::min<LONG>(client.bottom, edit.top + measured.Height() + margin));
    if (grown != edit)
        SetWindowPos(nullptr, 0, 0, grown.Width(), grown.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
