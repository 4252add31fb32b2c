#include "controls/ImageButton.h"
#include "controls/ControlSupport.h"
#include "mivo/codepage.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNCREATE(CImageButton, CButton)

BEGIN_MESSAGE_MAP(CImageButton, CButton)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_WM_KILLFOCUS()
    ON_WM_ACTIVATE()
    ON_WM_ENABLE()
    ON_WM_CANCELMODE()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_GETDLGCODE()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MEASUREITEM()
    ON_WM_MENUCHAR()
    ON_MESSAGE(BM_SETSTYLE, OnSetStyle)
    ON_MESSAGE(BM_SETCHECK, OnSetCheck)
    ON_MESSAGE(BM_GETCHECK, OnGetCheck)
END_MESSAGE_MAP()

namespace {

const UINT kTypeMask = 0x0F;
const size_t kMaxText = 259;

void LineThrough(CDC* pDC, COLORREF colour, CPoint a, CPoint b, CPoint c)
{
    CPen pen(PS_SOLID, 1, colour);
    CPen* old = pDC->SelectObject(&pen);
    pDC->MoveTo(a);
    pDC->LineTo(b);
    pDC->LineTo(c);
    pDC->SelectObject(old);
}

void FrameIn(CDC* pDC, const CRect& rect, COLORREF colour)
{
    CBrush brush(colour);
    pDC->FrameRect(&rect, &brush);
}

}  // namespace

CImageButton::CImageButton()
    : m_ptImageOrg(3, 3), m_ptPressedOffset(1, 1), m_bIsFlat(TRUE), m_bMouseOnButton(FALSE),
      m_bDrawTransparent(FALSE), m_bIsPressed(FALSE), m_bIsFocused(FALSE), m_bIsDisabled(FALSE),
      m_bIsDefault(FALSE), m_bIsCheckBox(FALSE), m_byAlign(ALIGN_HORIZ), m_bDrawBorder(TRUE), m_bDrawFlatFocus(FALSE),
      m_hParentWndMenu(nullptr), m_bMenuDisplayed(FALSE), m_bNormalBorder(FALSE), m_hCursor(nullptr),
      m_pbmpOldBk(nullptr), m_bAlwaysTrack(TRUE), m_nCheck(0)
{
    m_szURL[0] = 0;
    SetDefaultColors(FALSE);
}

CImageButton::~CImageButton()
{
    DiscardBackground();
    FreeResources();
    if (m_hCursor)
        ::DestroyCursor(m_hCursor);
    m_menuPopup.DestroyMenu();
}

void CImageButton::Repaint(BOOL repaint)
{
    if (repaint && m_hWnd)
        Invalidate();
}

// --- subclassing and button messages

void CImageButton::PreSubclassWindow()
{
    UINT type = GetButtonStyle() & kTypeMask;
    if (type & 0x02)
        m_bIsCheckBox = TRUE;
    if (type == BS_DEFPUSHBUTTON)
        m_bIsDefault = TRUE;
    ModifyStyle(kTypeMask, BS_OWNERDRAW, SWP_FRAMECHANGED);
    CButton::PreSubclassWindow();
}

LRESULT CImageButton::OnSetStyle(WPARAM wParam, LPARAM lParam)
{
    UINT type = (UINT)wParam & kTypeMask;
    if (type == BS_DEFPUSHBUTTON)
        m_bIsDefault = TRUE;
    else if (type == BS_PUSHBUTTON)
        m_bIsDefault = FALSE;
    return DefWindowProc(BM_SETSTYLE, ((UINT)wParam & ~kTypeMask) | BS_OWNERDRAW, lParam);
}

UINT CImageButton::OnGetDlgCode()
{
    UINT code = (UINT)Default();
    return code | (m_bIsDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

LRESULT CImageButton::OnSetCheck(WPARAM wParam, LPARAM)
{
    if (m_bIsCheckBox) {
        m_nCheck = (wParam == BST_CHECKED || wParam == BST_INDETERMINATE) ? 1 : 0;
        Invalidate();
    }
    return 0;
}

LRESULT CImageButton::OnGetCheck(WPARAM, LPARAM)
{
    return m_nCheck;
}

HBRUSH CImageButton::CtlColor(CDC*, UINT)
{
    return (HBRUSH)::GetStockObject(NULL_BRUSH);
}

BOOL CImageButton::OnSetCursor(CWnd*, UINT, UINT)
{
    if (m_hCursor) {
        ::SetCursor(m_hCursor);
        return TRUE;
    }
    return (BOOL)Default();
}

// --- hover

void CImageButton::OnMouseMove(UINT nFlags, CPoint point)
{
    CButton::OnMouseMove(nFlags, point);
    if ((nFlags & MK_LBUTTON) && !m_bMouseOnButton)
        return;
    if (!m_bIsFlat)
        return;
    CPoint screen = point;
    ClientToScreen(&screen);
    CWnd* under = WindowFromPoint(screen);
    bool tracking = m_bAlwaysTrack || ::GetActiveWindow() != nullptr;
    if (under && under->m_hWnd == m_hWnd && tracking) {
        if (m_bMouseOnButton)
            return;
        m_bMouseOnButton = TRUE;
        Invalidate();
        PlayRecordedSound(0);
        TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hWnd, 0};
        ::TrackMouseEvent(&track);
    } else {
        CancelHover();
    }
}

void CImageButton::CancelHover()
{
    if (!m_bMouseOnButton)
        return;
    m_bMouseOnButton = FALSE;
    Invalidate();
}

void CImageButton::ClearHover()
{
    if (m_bIsFlat) {
        m_bMouseOnButton = FALSE;
        Invalidate();
    }
}

LRESULT CImageButton::OnMouseLeave(WPARAM, LPARAM)
{
    ClearHover();
    return 0;
}

void CImageButton::OnKillFocus(CWnd* pNewWnd)
{
    CButton::OnKillFocus(pNewWnd);
    ClearHover();
}

void CImageButton::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CButton::OnActivate(nState, pWndOther, bMinimized);
    if (nState == WA_INACTIVE)
        ClearHover();
}

void CImageButton::OnCancelMode()
{
    CButton::OnCancelMode();
    ClearHover();
}

void CImageButton::OnEnable(BOOL bEnable)
{
    CButton::OnEnable(bEnable);
    if (bEnable)
        return;
    CWnd* parent = GetParent();
    if (parent) {
        HWND next = ::GetNextDlgTabItem(parent->m_hWnd, m_hWnd, FALSE);
        ::SetFocus(next && next != m_hWnd ? next : parent->m_hWnd);
    }
    m_bMouseOnButton = FALSE;
    Invalidate();
}

// A double click counts as a second press, so quick clicks each click.
void CImageButton::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    DefWindowProc(WM_LBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
}

BOOL CImageButton::PreTranslateMessage(MSG* pMsg)
{
    if (m_ToolTip.m_hWnd)
        m_ToolTip.RelayEvent(pMsg);
    if (pMsg->message == WM_LBUTTONDBLCLK && pMsg->hwnd == m_hWnd)
        pMsg->message = WM_LBUTTONDOWN;
    return CButton::PreTranslateMessage(pMsg);
}

void CImageButton::OnSysColorChange()
{
    CButton::OnSysColorChange();
    DiscardBackground();
    SetDefaultColors(TRUE);
}

// --- click

BOOL CImageButton::OnClicked()
{
    SetFocus();
    PlayRecordedSound(1);
    if (m_bIsCheckBox) {
        m_nCheck = !m_nCheck;
        Invalidate();
    } else if (m_menuPopup.m_hMenu) {
        ShowDropDownMenu();
    } else if (m_szURL[0]) {
        OpenURL();
    }
    return FALSE;
}

void CImageButton::ShowDropDownMenu()
{
    CRect rect;
    GetWindowRect(&rect);
    m_bMenuDisplayed = TRUE;
    Invalidate();
    HMENU popup = ::GetSubMenu(m_menuPopup.m_hMenu, 0);
    if (m_csCallbacks.wnd)
        ::SendMessage(m_csCallbacks.wnd, m_csCallbacks.message, (WPARAM)popup, m_csCallbacks.lParam);
    UINT command = popup ? TrackDropDown(popup, rect) : 0;
    m_bMenuDisplayed = FALSE;
    Invalidate();
    if (command && m_hParentWndMenu)
        ::PostMessage(m_hParentWndMenu, WM_COMMAND, MAKEWPARAM(LOWORD(command), 0), 0);
}

UINT CImageButton::TrackDropDown(HMENU popup, const CRect& rect)
{
    return (UINT)::TrackPopupMenuEx(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_NONOTIFY | TPM_RETURNCMD, rect.left,
                                    rect.bottom, m_hWnd, nullptr);
}

void CImageButton::OpenURL()
{
    ::ShellExecute(nullptr, "open", m_szURL, nullptr, nullptr, SW_SHOWMAXIMIZED);
}

// --- simple setters

DWORD CImageButton::SetFlat(BOOL flat, BOOL repaint)
{
    m_bIsFlat = flat;
    Repaint(repaint);
    return BTN_OK;
}

DWORD CImageButton::DrawBorder(BOOL enable, BOOL repaint)
{
    m_bDrawBorder = enable;
    Repaint(repaint);
    return BTN_OK;
}

DWORD CImageButton::DrawFlatFocus(BOOL enable, BOOL repaint)
{
    m_bDrawFlatFocus = enable;
    Repaint(repaint);
    return BTN_OK;
}

DWORD CImageButton::SetAlwaysTrack(BOOL always)
{
    m_bAlwaysTrack = always;
    return BTN_OK;
}

DWORD CImageButton::SetAlign(BYTE align, BOOL repaint)
{
    if (align > ALIGN_OVERLAP)
        return BTN_INVALID_ALIGN;
    m_byAlign = align;
    Repaint(repaint);
    return BTN_OK;
}

DWORD CImageButton::SetPressedStyle(BYTE style, BOOL repaint)
{
    if (style == PRESSED_LEFTRIGHT)
        m_ptPressedOffset = CPoint(1, 1);
    else if (style == PRESSED_TOPBOTTOM)
        m_ptPressedOffset = CPoint(0, 2);
    else
        return BTN_INVALID_PRESSED_STYLE;
    Repaint(repaint);
    return BTN_OK;
}

DWORD CImageButton::SetCheck(int check, BOOL repaint)
{
    if (m_bIsCheckBox) {
        m_nCheck = check != 0;
        Repaint(repaint);
    }
    return BTN_OK;
}

DWORD CImageButton::SetDefaultColors(BOOL repaint)
{
    for (int i = 0; i < MAX_COLORS; ++i)
        m_crColors[i] = ::GetSysColor(i % 2 == 0 ? COLOR_BTNFACE : COLOR_BTNTEXT);
    Repaint(repaint);
    return BTN_OK;
}

DWORD CImageButton::SetColor(BYTE index, COLORREF colour, BOOL repaint)
{
    if (index >= MAX_COLORS)
        return BTN_INVALID_INDEX;
    m_crColors[index] = colour;
    Repaint(repaint);
    return BTN_OK;
}

DWORD CImageButton::GetColor(BYTE index, COLORREF* colour)
{
    if (index >= MAX_COLORS)
        return BTN_INVALID_INDEX;
    if (!colour)
        return BTN_BAD_PARAM;
    *colour = m_crColors[index];
    return BTN_OK;
}

// One offset for all three channels, shrunk so that none of them clips and
// the colour keeps its hue.
DWORD CImageButton::OffsetColor(BYTE index, short offset, BOOL repaint)
{
    if (index >= MAX_COLORS)
        return BTN_INVALID_INDEX;
    if (offset < -255 || offset > 255)
        return BTN_BAD_PARAM;
    int channels[3] = {GetRValue(m_crColors[index]), GetGValue(m_crColors[index]), GetBValue(m_crColors[index])};
    int shift = offset;
    for (int c : channels) {
        if (shift > 0 && c + shift > 255)
            shift = 255 - c;
        if (shift < 0 && c + shift < 0)
            shift = -c;
    }
    m_crColors[index] = RGB(channels[0] + shift, channels[1] + shift, channels[2] + shift);
    Repaint(repaint);
    return BTN_OK;
}

DWORD CImageButton::SetBtnCursor(int cursorId, BOOL repaint)
{
    if (m_hCursor)
        ::DestroyCursor(m_hCursor);
    m_hCursor = nullptr;
    if (cursorId == 0)
        return BTN_OK;
    LPCSTR name = MAKEINTRESOURCE(LOWORD(cursorId));
    HINSTANCE module = AfxFindResourceHandle(name, RT_GROUP_CURSOR);
    m_hCursor = (HCURSOR)::LoadImage(module, name, IMAGE_CURSOR, 0, 0, 0);
    Repaint(repaint);
    return m_hCursor ? BTN_OK : BTN_INVALID_RESOURCE;
}

DWORD CImageButton::SetURL(LPCSTR url)
{
    m_szURL[0] = 0;
    if (url)
        mivo::CopyCutToCharBoundary(m_szURL, url, kMaxText);
    return BTN_OK;
}

void CImageButton::SetSoundRecord(SoundRecord& record, LPCSTR sound, HMODULE module, BOOL async)
{
    record = SoundRecord();
    if (!sound)
        return;
    if (module) {
        record.resource = sound;
        record.module = module;
        record.flags = SND_RESOURCE;
    } else {
        char name[kMaxText + 1];
        mivo::CopyCutToCharBoundary(name, sound, kMaxText);
        record.name = name;
        record.flags = SND_FILENAME;
    }
    record.flags |= SND_NODEFAULT | SND_NOWAIT | (async ? SND_ASYNC : 0);
}

DWORD CImageButton::SetSound(LPCSTR sound, HMODULE module, BOOL onClick, BOOL async)
{
    SetSoundRecord(m_csSounds[onClick ? 1 : 0], sound, module, async);
    return BTN_OK;
}

void CImageButton::PlayRecordedSound(int which)
{
    const SoundRecord& record = m_csSounds[which];
    if (!record.flags)
        return;
    ::PlaySound(record.module ? record.resource : (LPCSTR)record.name, record.module, record.flags);
}

DWORD CImageButton::SetMenu(UINT menuId, HWND owner, int drawMode, UINT toolbarId, CSize iconSize,
                            COLORREF toolbarBack, BOOL repaint)
{
    m_menuPopup.DestroyMenu();
    m_hParentWndMenu = nullptr;
    m_bMenuDisplayed = FALSE;
    if (menuId) {
        CVXMenu::original_drawmode = CVXMenu::xp_drawmode = (UINT)drawMode;
        if (!m_menuPopup.LoadMenu((int)menuId))
            return BTN_INVALID_RESOURCE;
        if (toolbarId) {
            m_menuPopup.SetBitmapBackground(toolbarBack);
            CVXMenu::SetIconSize(iconSize.cx, iconSize.cy);
            if (!m_menuPopup.LoadToolbar(toolbarId)) {
                m_menuPopup.DestroyMenu();
                return BTN_INVALID_RESOURCE;
            }
        }
        m_hParentWndMenu = owner;
    }
    Repaint(repaint);
    return BTN_OK;
}

// Items of the owner-drawn drop-down are measured by the menu that made them.
void CImageButton::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMIS)
{
    if (lpMIS->CtlType == ODT_MENU && CVXMenu::IsMenu((HMENU)(UINT_PTR)lpMIS->itemID))
        m_menuPopup.MeasureItem(lpMIS);
    else
        CButton::OnMeasureItem(nIDCtl, lpMIS);
}

LRESULT CImageButton::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    if (CVXMenu::IsMenu(pMenu))
        return CVXMenu::FindKeyboardShortcut(nChar, nFlags, pMenu);
    return Default();
}

DWORD CImageButton::SetMenuCallback(HWND wnd, UINT message, LPARAM lParam)
{
    m_csCallbacks.wnd = wnd;
    m_csCallbacks.message = message;
    m_csCallbacks.lParam = lParam;
    return BTN_OK;
}

// --- tooltip

void CImageButton::SetTooltipText(LPCSTR text, BOOL activate)
{
    SetButtonTooltip(*this, m_ToolTip, text, activate);
}

void CImageButton::SetTooltipText(int textId, BOOL activate)
{
    CString text;
    text.LoadString(textId);
    if (!text.IsEmpty())
        SetTooltipText((LPCSTR)text, activate);
}

void CImageButton::ActivateTooltip(BOOL activate)
{
    ActivateButtonTooltip(m_ToolTip, activate);
}

// --- transparent background

void CImageButton::DiscardBackground()
{
    DiscardBackgroundCopy(m_dcBk, m_pbmpOldBk, m_bmpBk);
}

DWORD CImageButton::DrawTransparent(BOOL repaint)
{
    m_bDrawTransparent = TRUE;
    DiscardBackground();
    Repaint(repaint);
    return BTN_OK;
}

DWORD CImageButton::SetBk(CDC* dc)
{
    if (!m_bDrawTransparent || !dc || !m_hWnd || !GetParent())
        return BTN_BAD_PARAM;
    DiscardBackground();
    CRect client, place;
    GetClientRect(&client);
    GetWindowRect(&place);
    GetParent()->ScreenToClient(&place);
    m_dcBk.CreateCompatibleDC(dc);
    m_bmpBk.CreateCompatibleBitmap(dc, client.Width(), client.Height());
    m_pbmpOldBk = m_dcBk.SelectObject(&m_bmpBk);
    m_dcBk.BitBlt(0, 0, client.Width(), client.Height(), dc, place.left, place.top, SRCCOPY);
    return BTN_OK;
}

void CImageButton::PaintBk(CDC* pDC)
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

void CImageButton::SizeToContent()
{
    DWORD width = 0, height = 0;
    if (m_csIcons[0].icon) {
        width = m_csIcons[0].width;
        height = m_csIcons[0].height;
    } else if (m_csBitmaps[0].bitmap) {
        width = m_csBitmaps[0].width;
        height = m_csBitmaps[0].height;
    } else {
        return;
    }
    SetWindowPos(nullptr, -1, -1, (int)width, (int)height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// --- painting

void CImageButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    UINT state = lpDIS->itemState;
    m_bIsFocused = (state & ODS_FOCUS) != 0;
    m_bIsDisabled = (state & ODS_DISABLED) != 0;
    bool selected = (state & ODS_SELECTED) != 0;
    m_bIsPressed = m_bIsCheckBox ? (selected || m_nCheck) : (selected || m_bMenuDisplayed);

    CRect itemRect = lpDIS->rcItem;
    pDC->SetBkMode(TRANSPARENT);
    if (!m_bIsFlat && (m_bIsFocused || m_bIsDefault)) {
        FrameIn(pDC, itemRect, RGB(0, 0, 0));
        itemRect.DeflateRect(1, 1);
    }
    if (m_bDrawTransparent)
        PaintBk(pDC);
    else
        OnDrawBackground(pDC, &itemRect);
    if (m_bNormalBorder)
        FrameIn(pDC, itemRect, ::GetSysColor(COLOR_BTNSHADOW));

    if (m_bIsPressed) {
        if (!m_bIsFlat)
            FrameIn(pDC, itemRect, ::GetSysColor(COLOR_BTNSHADOW));
        else if (m_bDrawBorder || (m_bMouseOnButton && m_bIsCheckBox))
            OnDrawBorder(pDC, &itemRect);
    } else {
        if (!m_bIsFlat)
            DrawRaisedEdge(pDC, itemRect);
        else if (m_bMouseOnButton && (m_bDrawBorder || m_bIsCheckBox))
            OnDrawBorder(pDC, &itemRect);
    }

    CRect captionRect = itemRect;
    DrawCaption(pDC, m_bIsPressed, m_bIsDisabled, itemRect, captionRect);

    if (m_bIsFocused && (!m_bIsFlat || m_bDrawFlatFocus)) {
        CRect focus = itemRect;
        focus.DeflateRect(3, 3);
        pDC->DrawFocusRect(&focus);
    }
}

void CImageButton::DrawRaisedEdge(CDC* pDC, const CRect& r)
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

void CImageButton::DrawCaption(CDC* pDC, BOOL pressed, BOOL disabled, CRect& itemRect, CRect& captionRect)
{
    CString text;
    GetWindowText(text);
    BOOL hasText = !text.IsEmpty();
    if (m_csIcons[0].icon)
        DrawTheIcon(pDC, hasText, &itemRect, &captionRect, pressed, disabled);
    if (m_csBitmaps[0].bitmap) {
        pDC->SetBkColor(RGB(255, 255, 255));
        DrawTheBitmap(pDC, hasText, &itemRect, &captionRect, pressed, disabled);
    }
    if (hasText)
        DrawTheText(pDC, text, &itemRect, &captionRect, pressed, disabled);
}

DWORD CImageButton::OnDrawBackground(CDC* pDC, const RECT* pRect)
{
    COLORREF colour = m_crColors[COLOR_BK_OUT];
    if (m_bMouseOnButton || m_bIsPressed)
        colour = m_crColors[COLOR_BK_IN];
    else if (m_bIsFocused)
        colour = m_crColors[COLOR_BK_FOCUS];
    pDC->FillSolidRect(pRect, colour);
    return BTN_OK;
}

DWORD CImageButton::OnDrawBorder(CDC* pDC, const RECT* pRect)
{
    COLORREF light = ::GetSysColor(COLOR_BTNHILIGHT), shadow = ::GetSysColor(COLOR_BTNSHADOW);
    if (m_bIsPressed)
        pDC->Draw3dRect(pRect, shadow, light);
    else
        pDC->Draw3dRect(pRect, light, shadow);
    return BTN_OK;
}

void CImageButton::PrepareImageRect(BOOL hasText, RECT* itemRect, RECT* captionRect, BOOL pressed, DWORD width,
                                    DWORD height, RECT* imageRect)
{
    CRect image = *itemRect;
    int w = (int)width, h = (int)height;
    switch (m_byAlign) {
    case ALIGN_HORIZ:
        if (hasText) {
            image.left += m_ptImageOrg.x;
            captionRect->left += m_ptImageOrg.x + w;
        } else {
            image.left += (image.Width() - w) / 2;
        }
        image.top += (image.Height() - h) / 2;
        break;
    case ALIGN_VERT:
        image.left += (image.Width() - w) / 2;
        if (hasText) {
            image.top = m_ptImageOrg.y;
            captionRect->top += h;
        } else {
            image.top += (image.Height() - h) / 2;
        }
        break;
    case ALIGN_HORIZ_RIGHT:
        if (hasText) {
            CRect client;
            GetClientRect(&client);
            int captionWidth = captionRect->right - captionRect->left;
            captionRect->right = captionWidth - w - m_ptImageOrg.x;
            captionRect->left = m_ptImageOrg.x;
            image.left = client.Width() - w - m_ptImageOrg.x;
            image.top += (image.Height() - h) / 2;
        } else {
            image.left += (image.Width() - w) / 2;
        }
        break;
    default:
        break;
    }
    if (pressed && !m_bIsCheckBox)
        image.OffsetRect(m_ptPressedOffset);
    image.right = image.left + w;
    image.bottom = image.top + h;
    *imageRect = image;
}

int CImageButton::ImageIndex() const
{
    if (m_bIsPressed || (!m_bIsCheckBox && m_bMouseOnButton))
        return 0;
    bool second = m_csIcons[0].icon ? m_csIcons[1].icon != nullptr : m_csBitmaps[1].bitmap != nullptr;
    return second ? 1 : 0;
}

void CImageButton::DrawTheIcon(CDC* pDC, BOOL hasText, RECT* itemRect, RECT* captionRect, BOOL pressed,
                               BOOL disabled)
{
    const IconRecord& icon = m_csIcons[ImageIndex()];
    CRect image;
    PrepareImageRect(hasText, itemRect, captionRect, pressed, m_csIcons[0].width, m_csIcons[0].height, &image);
    ::DrawState(pDC->GetSafeHdc(), nullptr, nullptr, (LPARAM)icon.icon, 0, image.left, image.top, (int)icon.width,
                (int)icon.height, DST_ICON | (disabled ? DSS_DISABLED : DSS_NORMAL));
}

void CImageButton::DrawTheBitmap(CDC* pDC, BOOL hasText, RECT* itemRect, RECT* captionRect, BOOL pressed,
                                 BOOL disabled)
{
    const BitmapRecord& bitmap = m_csBitmaps[ImageIndex()];
    CRect image;
    PrepareImageRect(hasText, itemRect, captionRect, pressed, m_csBitmaps[0].width, m_csBitmaps[0].height, &image);
    int w = (int)bitmap.width, h = (int)bitmap.height;
    CDC source;
    source.CreateCompatibleDC(pDC);
    if (!disabled) {
        pDC->SetTextColor(RGB(0, 0, 0));
        HGDIOBJ old = ::SelectObject(source.m_hDC, bitmap.mask);
        pDC->BitBlt(image.left, image.top, w, h, &source, 0, 0, SRCAND);
        ::SelectObject(source.m_hDC, bitmap.bitmap);
        pDC->BitBlt(image.left, image.top, w, h, &source, 0, 0, SRCPAINT);
        ::SelectObject(source.m_hDC, old);
        return;
    }
    CDC composed;
    composed.CreateCompatibleDC(pDC);
    CBitmap white;
    white.CreateCompatibleBitmap(pDC, w, h);
    CBitmap* oldComposed = composed.SelectObject(&white);
    composed.FillSolidRect(0, 0, w, h, RGB(255, 255, 255));
    composed.SetTextColor(RGB(0, 0, 0));
    composed.SetBkColor(RGB(255, 255, 255));
    HGDIOBJ old = ::SelectObject(source.m_hDC, bitmap.mask);
    composed.BitBlt(0, 0, w, h, &source, 0, 0, SRCAND);
    ::SelectObject(source.m_hDC, bitmap.bitmap);
    composed.BitBlt(0, 0, w, h, &source, 0, 0, SRCPAINT);
    ::SelectObject(source.m_hDC, old);
    composed.SelectObject(oldComposed);
    ::DrawState(pDC->GetSafeHdc(), nullptr, nullptr, (LPARAM)white.GetSafeHandle(), 0, image.left, image.top, w, h,
                DST_BITMAP | DSS_DISABLED);
}

void CImageButton::DrawTheText(CDC* pDC, LPCSTR text, RECT* itemRect, RECT* captionRect, BOOL pressed,
                               BOOL disabled)
{
    (void)itemRect;
    CRect caption = *captionRect;
    if (pressed && !m_bIsCheckBox)
        caption.OffsetRect(m_ptPressedOffset);
    CFont* font = GetFont();
    CFont* oldFont = font ? pDC->SelectObject(font) : nullptr;
    CRect centre = caption;
    pDC->DrawText(text, -1, &centre, DT_WORDBREAK | DT_CENTER | DT_CALCRECT);
    centre.OffsetRect((caption.Width() - centre.Width()) / 2, (caption.Height() - centre.Height()) / 2);
    if (disabled) {
        centre.OffsetRect(1, 1);
        pDC->SetTextColor(::GetSysColor(COLOR_3DHILIGHT));
        pDC->DrawText(text, -1, &centre, DT_WORDBREAK | DT_CENTER);
        centre.OffsetRect(-1, -1);
        pDC->SetTextColor(::GetSysColor(COLOR_3DSHADOW));
        pDC->DrawText(text, -1, &centre, DT_WORDBREAK | DT_CENTER);
    } else {
        bool in = m_bMouseOnButton || pressed;
        pDC->SetTextColor(m_crColors[in ? COLOR_FG_IN : COLOR_FG_OUT]);
        pDC->SetBkColor(m_crColors[in ? COLOR_BK_IN : COLOR_BK_OUT]);
        pDC->DrawText(text, -1, &centre, DT_WORDBREAK | DT_CENTER);
    }
    if (oldFont)
        pDC->SelectObject(oldFont);
}
