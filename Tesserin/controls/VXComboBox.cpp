#include "controls/VXComboBox.h"

#include "controls/ControlSupport.h"

#include <cstring>

IMPLEMENT_DYNCREATE(CVXComboBox, CComboBox)

BEGIN_MESSAGE_MAP(CVXComboBox, CComboBox)
    ON_CONTROL_REFLECT_EX(CBN_SETFOCUS, OnSetFocusReflect)
    ON_CONTROL_REFLECT_EX(CBN_KILLFOCUS, OnKillFocusReflect)
    ON_WM_ACTIVATE()
    ON_WM_CTLCOLOR()
    ON_WM_PAINT()
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

namespace {

const DWORD kFrameStyles = WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME;

// The length of `text` cut to `capacity` bytes without splitting a double-byte character.
int CutLength(const char* text, int capacity)
{
    int length = 0;
    while (text[length]) {
        int step = (IsDBCSLeadByte((BYTE)text[length]) && text[length + 1]) ? 2 : 1;
        if (length + step > capacity)
            break;
        length += step;
    }
    return length;
}

}  // namespace

CVXComboBox::CVXComboBox()
    : m_bFlat(TRUE), m_bFocus(FALSE), m_nMenuId(0) {}

CVXComboBox::~CVXComboBox() = default;

CVXComboBox& CVXComboBox::operator=(const CVXComboBox& other)
{
    if (this == &other)
        return *this;
    ChangeBackColor(other.m_colours.Current());
    m_colours.SetText(other.m_colours.Text());
    if (other.m_font.GetSafeHandle()) {
        CopyControlFont(m_font, other.m_font);
        if (m_hWnd)
            SetFont(&m_font, TRUE);
    }
    return *this;
}

// --- names and codes

int CVXComboBox::AddStringCode(LPCSTR name, LPCSTR code)
{
    m_arrCode.Add(code ? code : "");
    return InsertString(-1, name ? name : "");
}

LPCSTR CVXComboBox::GetMatchCode(LPCSTR name)
{
    CString text;
    if (!name) {
        GetWindowText(text);
        name = text;
    }
    if (!*name)
        return nullptr;
    int count = GetCount();
    for (int i = 0; i < count; ++i) {
        CString item;
        GetLBText(i, item);
        if (item == name)
            return GetMatchCode(i);
    }
    return nullptr;
}

LPCSTR CVXComboBox::GetMatchCode(int index)
{
    if (index < 0 || index >= m_arrCode.GetSize())
        AfxThrowInvalidArgException();
    return m_arrCode[index];
}

LPSTR CVXComboBox::GetMatchName(LPCSTR code, LPSTR buffer)
{
    return GetMatchName(code, buffer, INT_MAX);
}

LPSTR CVXComboBox::GetMatchName(LPCSTR code, LPSTR buffer, int capacity)
{
    if (!code || !buffer || capacity < 0)
        return buffer;
    for (int i = 0; i < m_arrCode.GetSize(); ++i) {
        if (m_arrCode[i] != code)
            continue;
        CString item;
        if (i < GetCount())
            GetLBText(i, item);
        int length = CutLength(item, capacity);
        std::memcpy(buffer, (LPCSTR)item, length);
        buffer[length] = 0;
        return buffer;
    }
    return buffer;
}

void CVXComboBox::ResetContent()
{
    m_arrCode.RemoveAll();
    CComboBox::ResetContent();
}

// --- colours and font

void CVXComboBox::CreateBrushType()
{
    m_colours.MakeBrush();
}

void CVXComboBox::ChangeBackColor(COLORREF colour)
{
    m_colours.SetCurrent(colour);
    CreateBrushType();
    if (m_hWnd)
        Invalidate();
}

COLORREF CVXComboBox::SetComboBoxBkColor(COLORREF colour)
{
    COLORREF previous = m_colours.Current();
    ChangeBackColor(colour);
    return previous;
}

void CVXComboBox::ApplyBackColors(COLORREF normal, COLORREF focus)
{
    if (m_colours.Apply(normal, focus))
        ChangeBackColor(normal);
}

COLORREF CVXComboBox::SetComboBoxTextColor(COLORREF colour)
{
    COLORREF previous = m_colours.SetText(colour);
    if (m_hWnd)
        Invalidate();
    return previous;
}

void CVXComboBox::SetComboBoxFont(const LOGFONT* font)
{
    SetControlFont(*this, m_font, font);
}

void CVXComboBox::SetComboBoxFont(LPCSTR face, int points, int weight, BYTE pitchAndFamily)
{
    SetControlFont(*this, m_font, face, points, weight, pitchAndFamily);
}

BOOL CVXComboBox::OnSetFocusReflect()
{
    m_bFocus = TRUE;
    ChangeBackColor(m_colours.For(true));
    return FALSE;
}

BOOL CVXComboBox::OnKillFocusReflect()
{
    m_bFocus = FALSE;
    ChangeBackColor(m_colours.For(false));
    return FALSE;
}

void CVXComboBox::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CComboBox::OnActivate(nState, pWndOther, bMinimized);
    ChangeBackColor(m_colours.For(true));
}

HBRUSH CVXComboBox::OnCtlColor(CDC* pDC, CWnd*, UINT)
{
    return m_colours.Paint(pDC);
}

// --- flat painting

// A frame change repaints the window, so it is made only when a style really goes.
void CVXComboBox::DropFrameStyles()
{
    if (GetExStyle() & kFrameStyles)
        ModifyStyleEx(kFrameStyles, 0, SWP_FRAMECHANGED);
}

bool CVXComboBox::CursorInside() const
{
    CPoint cursor;
    GetCursorPos(&cursor);
    CRect window;
    GetWindowRect(&window);
    return window.PtInRect(cursor) != FALSE;
}

void CVXComboBox::OnPaint()
{
    DropFrameStyles();
    Default();
    if (!m_bFlat)
        return;
    int state = (CursorInside() || m_bFocus) ? STATE_HOVER : STATE_NORMAL;
    DrawCombo(state, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHILIGHT));
}

void CVXComboBox::DrawCombo(int state, COLORREF topLeft, COLORREF bottomRight)
{
    CRect rect;
    GetClientRect(&rect);
    CWindowDC dc(this);
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    bool enabled = IsWindowEnabled() != FALSE;
    if (enabled)
        dc.Draw3dRect(&rect, topLeft, bottomRight);
    rect.DeflateRect(1, 1);
    dc.Draw3dRect(&rect, face, face);
    rect.DeflateRect(1, 1);

    CRect button = rect;
    button.left = button.right - GetSystemMetrics(SM_CXHSCROLL);
    dc.Draw3dRect(&button, face, face);
    CRect inner = button;
    inner.DeflateRect(1, 1);
    dc.Draw3dRect(&inner, face, face);
    if (!enabled)
        return;
    button.InflateRect(0, 1);
    COLORREF light = GetSysColor(COLOR_BTNHILIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
    if (state == STATE_NORMAL || state == STATE_HOVER) {
        dc.Draw3dRect(&button, light, shadow);
    } else if (state == STATE_PRESSED) {
        button.OffsetRect(1, 1);
        dc.Draw3dRect(&button, shadow, light);
    }
}

void CVXComboBox::OnContextMenu(CWnd* pWnd, CPoint point)
{
    if (!TrackResourceContextMenu(this, m_nMenuId, point))
        CComboBox::OnContextMenu(pWnd, point);
}
