#include "controls/CheckButton.h"
#include "controls/ControlSupport.h"

#include "controls/ImageButton.h"
#include "controls/VXGDI.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNCREATE(CCheckButton, CButton)

BEGIN_MESSAGE_MAP(CCheckButton, CButton)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_CAPTURECHANGED()
    ON_WM_KILLFOCUS()
    ON_WM_ACTIVATE()
    ON_WM_ENABLE()
    ON_WM_CANCELMODE()
    ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

namespace {

const int kMargin = 3;
const size_t kMaxText = 259;

void RoundFrame(CDC* pDC, CRect rect, COLORREF border, COLORREF fill)
{
    CVXGDI::VXRoundRect(pDC, &rect, border, fill);
}

void LineThrough(CDC* pDC, COLORREF colour, CPoint a, CPoint b, CPoint c)
{
    CPen pen(PS_SOLID, 1, colour);
    CPen* old = pDC->SelectObject(&pen);
    pDC->MoveTo(a);
    pDC->LineTo(b);
    pDC->LineTo(c);
    pDC->SelectObject(old);
}

}  // namespace

CCheckButton::CCheckButton()
    : m_bDrawTransparent(FALSE), m_bMouseOnButton(FALSE), m_nCheckState(0), m_bIsFocused(FALSE),
      m_bIsDisabled(FALSE), m_nAlign(ALIGN_HORIZ), m_bDrawBorder(TRUE), m_bNormalBorder(FALSE), m_bIsFlat(TRUE),
      m_bDrawFlatFocus(FALSE), m_bAutoRepeat(FALSE), m_dwAutoRepeatDelay(100), m_hCursor(nullptr),
      m_pbmpOldBk(nullptr), m_bIsDefault(FALSE), m_bIsCheckBox(FALSE), m_nCheck(0)
{
    m_szURL[0] = 0;
    SetDefaultColors(0);
}

CCheckButton::~CCheckButton()
{
    DiscardBackground();
    FreeResources();
    if (m_hCursor)
        ::DestroyCursor(m_hCursor);
}

void CCheckButton::Repaint(int repaint)
{
    if (repaint == 1 && m_hWnd)
        Invalidate();
}

// --- settings

void CCheckButton::SetCheckState(int state)
{
    m_nCheckState = state;
    if (m_hWnd)
        Invalidate();
}

void CCheckButton::SetCheck(int check, int repaint)
{
    if (!m_bIsCheckBox)
        return;
    m_nCheck = check != 0;
    Repaint(repaint);
}

void CCheckButton::SetColors(COLORREF c0, COLORREF c1, COLORREF c2, COLORREF c3, COLORREF c4, COLORREF c5,
                             int repaint)
{
    const COLORREF given[MAX_COLORS] = {c0, c1, c2, c3, c4, c5};
    for (int i = 0; i < MAX_COLORS; ++i)
        if (given[i] != kKeep)
            m_crColors[i] = given[i];
    Repaint(repaint);
}

DWORD CCheckButton::SetColor(BYTE index, COLORREF colour, int repaint)
{
    if (index >= MAX_COLORS)
        return BTN_INVALID_INDEX;
    m_crColors[index] = colour;
    Repaint(repaint);
    return BTN_OK;
}

DWORD CCheckButton::GetColor(BYTE index, COLORREF* colour)
{
    if (index >= MAX_COLORS)
        return BTN_INVALID_INDEX;
    if (colour)
        *colour = m_crColors[index];
    return BTN_OK;
}

DWORD CCheckButton::SetDefaultColors(int repaint)
{
    m_crColors[0] = ::GetSysColor(COLOR_3DHILIGHT);
    m_crColors[1] = ::GetSysColor(COLOR_BTNTEXT);
    m_crColors[2] = ::GetSysColor(COLOR_BTNFACE);
    m_crColors[3] = ::GetSysColor(COLOR_BTNTEXT);
    m_crColors[4] = RGB(255, 255, 255);
    m_crColors[5] = ::GetSysColor(COLOR_BTNSHADOW);
    Repaint(repaint);
    return BTN_OK;
}

DWORD CCheckButton::SetAutoRepeat(BOOL repeat, DWORD delay)
{
    m_bAutoRepeat = repeat;
    m_dwAutoRepeatDelay = delay;
    return BTN_OK;
}

void CCheckButton::SetFlat(BOOL flat)
{
    m_bIsFlat = flat;
    Repaint(1);
}

void CCheckButton::SetAlign(int align)
{
    if (align >= ALIGN_HORIZ && align <= ALIGN_HORIZ_RIGHT) {
        m_nAlign = align;
        Repaint(1);
    }
}

void CCheckButton::SetFlatFocus(BOOL flatFocus, int repaint)
{
    m_bDrawFlatFocus = flatFocus;
    Repaint(repaint);
}

DWORD CCheckButton::SetBtnCursor(int cursorId)
{
    if (m_hCursor)
        ::DestroyCursor(m_hCursor);
    m_hCursor = nullptr;
    if (cursorId == 0)
        return 1;
    LPCSTR name = MAKEINTRESOURCE(LOWORD(cursorId));
    HINSTANCE module = AfxFindResourceHandle(name, RT_GROUP_CURSOR);
    m_hCursor = (HCURSOR)::LoadImage(module, name, IMAGE_CURSOR, 0, 0, 0);
    return m_hCursor ? 1 : 0;
}

DWORD CCheckButton::SetURL(LPCSTR url)
{
    m_szURL[0] = 0;
    if (url) {
        size_t length = std::min(std::strlen(url), kMaxText);
        std::memcpy(m_szURL, url, length);
        m_szURL[length] = 0;
    }
    return BTN_OK;
}

// --- images

void CCheckButton::FreeResources(BOOL check)
{
    for (int i = 0; i < 2; ++i) {
        if (check) {
            if (m_csIcons[i].icon)
                ::DestroyIcon(m_csIcons[i].icon);
            if (m_csBitmaps[i].bitmap)
                ::DeleteObject(m_csBitmaps[i].bitmap);
            if (m_csBitmaps[i].mask)
                ::DeleteObject(m_csBitmaps[i].mask);
        }
        m_csIcons[i] = IconRecord();
        m_csBitmaps[i] = BitmapRecord();
    }
}

HBITMAP CCheckButton::CreateBitmapMask(HBITMAP source, DWORD width, DWORD height, COLORREF key)
{
    return CImageButton::CreateBitmapMask(source, width, height, key);
}

DWORD CCheckButton::SetIcon(HICON in, HICON out)
{
    FreeResources();
    if (in) {
        m_csIcons[0].icon = in;
        m_csIcons[1].icon = out;
        if (!IconSize(in, m_csIcons[0].width, m_csIcons[0].height) ||
            (out && !IconSize(out, m_csIcons[1].width, m_csIcons[1].height))) {
            FreeResources();
            return BTN_INVALID_RESOURCE;
        }
    }
    if (m_hWnd)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return BTN_OK;
}

DWORD CCheckButton::SetIcon(int in, int out)
{
    LPCSTR name = MAKEINTRESOURCE(LOWORD(in));
    HINSTANCE module = AfxFindResourceHandle(name, RT_GROUP_ICON);
    HICON inIcon = in ? (HICON)::LoadImage(module, name, IMAGE_ICON, 0, 0, 0) : nullptr;
    HICON outIcon = out ? (HICON)::LoadImage(module, MAKEINTRESOURCE(LOWORD(out)), IMAGE_ICON, 0, 0, 0) : nullptr;
    return SetIcon(inIcon, outIcon);
}

DWORD CCheckButton::SetBitmaps(HBITMAP in, COLORREF inKey, HBITMAP out, COLORREF outKey)
{
    FreeResources();
    HBITMAP sources[2] = {in, out};
    COLORREF keys[2] = {inKey, outKey};
    for (int i = 0; i < 2 && in && sources[i]; ++i) {
        BitmapRecord& record = m_csBitmaps[i];
        record.bitmap = sources[i];
        BITMAP bm;
        if (!::GetObject(sources[i], sizeof(bm), &bm)) {
            FreeResources();
            return BTN_INVALID_RESOURCE;
        }
        record.width = (DWORD)bm.bmWidth;
        record.height = (DWORD)bm.bmHeight;
        record.mask = CreateBitmapMask(sources[i], record.width, record.height, keys[i]);
        if (!record.mask) {
            FreeResources();
            return BTN_FAILED_MASK;
        }
    }
    if (m_hWnd)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return BTN_OK;
}

DWORD CCheckButton::SetBitmaps(int in, COLORREF inKey, int out, COLORREF outKey)
{
    HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCE(LOWORD(in)), RT_BITMAP);
    HBITMAP inBitmap = ::LoadBitmap(module, MAKEINTRESOURCE(LOWORD(in)));
    HBITMAP outBitmap = out ? ::LoadBitmap(module, MAKEINTRESOURCE(LOWORD(out))) : nullptr;
    return SetBitmaps(inBitmap, inKey, outBitmap, outKey);
}

// --- tooltip and transparency

void CCheckButton::SetTooltipText(LPCSTR text, BOOL activate)
{
    SetButtonTooltip(*this, m_ToolTip, text, activate);
}

void CCheckButton::SetTooltipText(int textId, BOOL activate)
{
    CString text;
    text.LoadString(textId);
    if (!text.IsEmpty())
        SetTooltipText((LPCSTR)text, activate);
}

void CCheckButton::ActivateTooltip(BOOL activate)
{
    ActivateButtonTooltip(m_ToolTip, activate);
}

void CCheckButton::DiscardBackground()
{
    DiscardBackgroundCopy(m_dcBk, m_pbmpOldBk, m_bmpBk);
}

DWORD CCheckButton::DrawTransparent(int repaint)
{
    m_bDrawTransparent = TRUE;
    DiscardBackground();
    Repaint(repaint);
    return BTN_OK;
}

void CCheckButton::PaintBk(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    if (!m_dcBk.m_hDC && GetParent()) {
        CClientDC parentDC(GetParent());
        CRect place;
        GetWindowRect(&place);
        GetParent()->ScreenToClient(&place);
        m_dcBk.CreateCompatibleDC(&parentDC);
        m_bmpBk.CreateCompatibleBitmap(&parentDC, client.Width(), client.Height());
        m_pbmpOldBk = m_dcBk.SelectObject(&m_bmpBk);
        m_dcBk.BitBlt(0, 0, client.Width(), client.Height(), &parentDC, place.left, place.top, SRCCOPY);
    }
    if (m_dcBk.m_hDC)
        pDC->BitBlt(0, 0, client.Width(), client.Height(), &m_dcBk, 0, 0, SRCCOPY);
}

// --- messages

void CCheckButton::PreSubclassWindow()
{
    UINT low = GetButtonStyle() & 0xFF;
    if (low & 0x01)
        m_bIsDefault = TRUE;
    if (low & 0x02)
        m_bIsCheckBox = TRUE;
    SetButtonStyle((low & ~0x0Fu) | BS_OWNERDRAW, TRUE);
    CButton::PreSubclassWindow();
}

// A double click is a second press, so quick clicks each click.
LRESULT CCheckButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_LBUTTONDBLCLK)
        message = WM_LBUTTONDOWN;
    return CButton::WindowProc(message, wParam, lParam);
}

BOOL CCheckButton::PreTranslateMessage(MSG* pMsg)
{
    if (m_ToolTip.m_hWnd)
        m_ToolTip.RelayEvent(pMsg);
    return CButton::PreTranslateMessage(pMsg);
}

HBRUSH CCheckButton::CtlColor(CDC*, UINT)
{
    return (HBRUSH)::GetStockObject(NULL_BRUSH);
}

BOOL CCheckButton::OnSetCursor(CWnd*, UINT, UINT)
{
    if (m_hCursor) {
        ::SetCursor(m_hCursor);
        return TRUE;
    }
    return (BOOL)Default();
}

BOOL CCheckButton::OnClicked()
{
    if (m_bIsCheckBox) {
        m_nCheck = !m_nCheck;
        Invalidate();
    } else if (m_szURL[0]) {
        ::ShellExecute(nullptr, "open", m_szURL, nullptr, nullptr, SW_SHOWMAXIMIZED);
    }
    return FALSE;
}

void CCheckButton::OnMouseMove(UINT nFlags, CPoint point)
{
    CButton::OnMouseMove(nFlags, point);
    if ((nFlags & MK_LBUTTON) && !m_bMouseOnButton)
        return;
    if (!m_bIsFlat)
        return;
    CPoint screen = point;
    ClientToScreen(&screen);
    CWnd* under = WindowFromPoint(screen);
    if (GetCapture() != this && ::GetActiveWindow() && (GetOwner() || GetParent())) {
        m_bMouseOnButton = TRUE;
        SetCapture();
        Invalidate();
    } else if (!under || under->m_hWnd != m_hWnd) {
        ClearHover(true);
        if (!(nFlags & MK_LBUTTON) && GetCapture() == this)
            ReleaseCapture();
    }
}

void CCheckButton::ClearHover(bool repaint)
{
    bool was = m_bMouseOnButton != FALSE;
    m_bMouseOnButton = FALSE;
    if (was && repaint && m_hWnd)
        Invalidate();
}

// Hover lives on the capture: losing it ends the hover look too.
void CCheckButton::OnCaptureChanged(CWnd* pWnd)
{
    CButton::OnCaptureChanged(pWnd);
    if (m_bMouseOnButton) {
        if (GetCapture() == this)
            ReleaseCapture();
        ClearHover(true);
    }
}

void CCheckButton::OnKillFocus(CWnd* pNewWnd)
{
    CButton::OnKillFocus(pNewWnd);
    m_bMouseOnButton = FALSE;
}

void CCheckButton::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CButton::OnActivate(nState, pWndOther, bMinimized);
    if (nState == WA_INACTIVE && m_bIsFlat)
        ClearHover(true);
}

void CCheckButton::OnEnable(BOOL bEnable)
{
    CButton::OnEnable(bEnable);
    if (!bEnable && m_bIsFlat)
        ClearHover(true);
}

void CCheckButton::OnCancelMode()
{
    CButton::OnCancelMode();
    if (m_bIsFlat)
        ClearHover(true);
}

void CCheckButton::OnSysColorChange()
{
    CButton::OnSysColorChange();
    DiscardBackground();
}

void CCheckButton::OnLButtonDown(UINT nFlags, CPoint point)
{
    CButton::OnLButtonDown(nFlags, point);
    if (m_bAutoRepeat == 1)
        RunAutoRepeat();
}

// Sends the command while the left button is held, in pairs, then lets the
// control finish its ordinary click.
void CCheckButton::RunAutoRepeat()
{
    HWND self = m_hWnd;
    HWND parent = ::GetParent(self);
    WPARAM command = MAKEWPARAM(LOWORD(GetDlgCtrlID()), 0);
    SetCapture();
    MSG msg;
    if (!::PeekMessage(&msg, self, WM_LBUTTONUP, WM_LBUTTONUP, PM_REMOVE)) {
        int sent = 0;
        do {
            ::SendMessage(parent, WM_COMMAND, command, (LPARAM)self);
            ++sent;
            ::Sleep(m_dwAutoRepeatDelay);
        } while (::IsWindow(self) && !::PeekMessage(&msg, self, WM_LBUTTONUP, WM_LBUTTONUP, PM_REMOVE));
        if (sent % 2)
            ::SendMessage(parent, WM_COMMAND, command, (LPARAM)self);
    }
    if (!::IsWindow(self))
        return;
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    // The release goes first: a button that loses the capture drops its press,
    // and then the ordinary click would never come.
    SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(cursor.x, cursor.y));
    if (GetCapture() == this)
        ReleaseCapture();
    SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(cursor.x, cursor.y));
}

// --- painting

void CCheckButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    m_bIsFocused = (lpDIS->itemState & ODS_FOCUS) != 0;
    m_bIsDisabled = (lpDIS->itemState & ODS_DISABLED) != 0;
    bool checked = m_nCheckState != 0;
    CRect item = lpDIS->rcItem;
    pDC->SetBkMode(TRANSPARENT);
    if (!m_bIsFlat && (m_bIsFocused || m_bIsDefault)) {
        CBrush black(RGB(0, 0, 0));
        pDC->FrameRect(&item, &black);
        item.DeflateRect(1, 1);
    }
    if (m_bDrawTransparent)
        PaintBk(pDC);
    else
        OnDrawBackground(pDC, &item);
    if (m_bNormalBorder)
        RoundFrame(pDC, item, m_crColors[5], m_crColors[2]);
    if (checked) {
        if (!m_bIsFlat)
            RoundFrame(pDC, item, m_crColors[5], m_crColors[2]);
        else if (m_bDrawBorder)
            OnDrawBorder(pDC, &item);
    } else {
        if (!m_bIsFlat)
            DrawRaisedEdge(pDC, item);
        else if (m_bMouseOnButton && m_bDrawBorder)
            OnDrawBorder(pDC, &item);
    }
    CString text;
    GetWindowText(text);
    CRect caption = item;
    if (m_csIcons[0].icon)
        DrawIconImage(pDC, !text.IsEmpty(), item, caption);
    if (m_csBitmaps[0].bitmap) {
        pDC->SetBkColor(RGB(255, 255, 255));
        DrawBitmapImage(pDC, !text.IsEmpty(), item, caption);
    }
    if (!text.IsEmpty())
        DrawCaptionText(pDC, text, caption);
    if (m_bIsFocused && (!m_bIsFlat || m_bDrawFlatFocus)) {
        CRect focus = item;
        focus.DeflateRect(3, 3);
        pDC->DrawFocusRect(&focus);
    }
}

DWORD CCheckButton::OnDrawBackground(CDC* pDC, CRect* pRect)
{
    RoundFrame(pDC, *pRect, m_crColors[5], m_nCheckState ? m_crColors[4] : m_crColors[2]);
    return BTN_OK;
}

DWORD CCheckButton::OnDrawBorder(CDC* pDC, CRect* pRect)
{
    RoundFrame(pDC, *pRect, m_crColors[5], m_nCheckState ? m_crColors[4] : m_crColors[0]);
    return BTN_OK;
}

void CCheckButton::DrawRaisedEdge(CDC* pDC, const CRect& r)
{
    LineThrough(pDC, ::GetSysColor(COLOR_BTNHILIGHT), CPoint(r.left, r.bottom - 1), CPoint(r.left, r.top),
                CPoint(r.right, r.top));
    LineThrough(pDC, ::GetSysColor(COLOR_3DLIGHT), CPoint(r.left + 1, r.bottom - 1), CPoint(r.left + 1, r.top + 1),
                CPoint(r.right, r.top + 1));
    LineThrough(pDC, ::GetSysColor(COLOR_3DDKSHADOW), CPoint(r.left, r.bottom - 1), CPoint(r.right - 1, r.bottom - 1),
                CPoint(r.right - 1, r.top - 1));
    LineThrough(pDC, ::GetSysColor(COLOR_BTNSHADOW), CPoint(r.left + 1, r.bottom - 2),
                CPoint(r.right - 2, r.bottom - 2), CPoint(r.right - 2, r.top));
}

int CCheckButton::ImageIndex(bool icons) const
{
    if (m_nCheckState || (!m_bIsCheckBox && m_bMouseOnButton))
        return 0;
    bool second = icons ? m_csIcons[1].icon != nullptr : m_csBitmaps[1].bitmap != nullptr;
    return second ? 1 : 0;
}

// An image larger than the button is centred too: it overhangs both sides alike.
CRect CCheckButton::ImageRect(bool hasText, const CRect& item, CRect& caption, DWORD width, DWORD height) const
{
    CRect image = item;
    int w = (int)width, h = (int)height;
    if (m_nAlign == ALIGN_VERT) {
        image.left += (image.Width() - w) / 2;
        if (hasText) {
            image.top = kMargin;
            caption.top += h;
        } else {
            image.top += (image.Height() - h) / 2;
        }
    } else if (m_nAlign == ALIGN_HORIZ_RIGHT && hasText) {
        CRect client;
        GetClientRect(&client);
        int captionWidth = caption.Width();
        caption.right = captionWidth - w - kMargin;
        caption.left = kMargin;
        image.left = client.Width() - w - kMargin;
        image.top += (image.Height() - h) / 2;
    } else if (hasText) {
        image.left += kMargin;
        caption.left += kMargin + w;
        image.top += (image.Height() - h) / 2;
    } else {
        image.left += (image.Width() - w) / 2;
        image.top += (image.Height() - h) / 2;
    }
    if (m_nCheckState && !m_bIsCheckBox)
        image.OffsetRect(1, 1);
    image.right = image.left + w;
    image.bottom = image.top + h;
    return image;
}

void CCheckButton::DrawIconImage(CDC* pDC, bool hasText, const CRect& item, CRect& caption)
{
    const IconRecord& icon = m_csIcons[ImageIndex(true)];
    CRect image = ImageRect(hasText, item, caption, m_csIcons[0].width, m_csIcons[0].height);
    ::DrawState(pDC->GetSafeHdc(), nullptr, nullptr, (LPARAM)icon.icon, 0, image.left, image.top, (int)icon.width,
                (int)icon.height, DST_ICON | (m_bIsDisabled ? DSS_DISABLED : DSS_NORMAL));
}

void CCheckButton::DrawBitmapImage(CDC* pDC, bool hasText, const CRect& item, CRect& caption)
{
    const BitmapRecord& bitmap = m_csBitmaps[ImageIndex(false)];
    CRect image = ImageRect(hasText, item, caption, m_csBitmaps[0].width, m_csBitmaps[0].height);
    CDC source;
    source.CreateCompatibleDC(pDC);
    pDC->SetTextColor(RGB(0, 0, 0));
    HGDIOBJ old = ::SelectObject(source.m_hDC, bitmap.mask);
    pDC->BitBlt(image.left, image.top, (int)bitmap.width, (int)bitmap.height, &source, 0, 0, SRCAND);
    ::SelectObject(source.m_hDC, bitmap.bitmap);
    pDC->BitBlt(image.left, image.top, (int)bitmap.width, (int)bitmap.height, &source, 0, 0, SRCPAINT);
    ::SelectObject(source.m_hDC, old);
}

void CCheckButton::DrawCaptionText(CDC* pDC, LPCSTR text, CRect caption)
{
    if (m_nCheckState && !m_bIsCheckBox)
        caption.OffsetRect(1, 1);
    CFont* font = GetFont();
    CFont* oldFont = font ? pDC->SelectObject(font) : nullptr;
    CRect centre = caption;
    pDC->DrawText(text, -1, &centre, DT_WORDBREAK | DT_CENTER | DT_CALCRECT);
    centre.OffsetRect((caption.Width() - centre.Width()) / 2, (caption.Height() - centre.Height()) / 2);
    if (m_bIsDisabled) {
        centre.OffsetRect(1, 1);
        pDC->SetTextColor(::GetSysColor(COLOR_3DHILIGHT));
        pDC->DrawText(text, -1, &centre, DT_WORDBREAK | DT_CENTER);
        centre.OffsetRect(-1, -1);
        pDC->SetTextColor(::GetSysColor(COLOR_3DSHADOW));
    } else if (m_bMouseOnButton) {
        pDC->SetTextColor(m_crColors[1]);
        pDC->SetBkColor(m_crColors[0]);
    } else if (m_nCheckState) {
        pDC->SetTextColor(m_crColors[1]);
        pDC->SetBkColor(m_crColors[4]);
    } else {
        pDC->SetTextColor(m_crColors[3]);
        pDC->SetBkColor(m_crColors[2]);
    }
    pDC->DrawText(text, -1, &centre, DT_WORDBREAK | DT_CENTER);
    if (oldFont)
        pDC->SelectObject(oldFont);
}
