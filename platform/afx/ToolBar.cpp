// CToolBar: creation, the TOOLBAR resource and its bitmap, and the buttons.
#include "mfc/ToolBar.h"

#include "afxres.h"
#include "mfc/MessageMap.h"
#include "mivo/templates.h"

#include <cstring>
#include <vector>

namespace {

const UINT kResourceVersion = 1;
const int kMaxResourceButtons = 4096;
const int kMaxImageSide = 1024;
const int kSeparatorWidth = 8;
// The control keeps its own placement out of the way: the bar places it.
const DWORD kControlPlacement = CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;

UINT StyleOf(const TBBUTTON& b)
{
    return MAKELONG(b.fsStyle, b.fsState) ^ TBBS_DISABLED;
}

}  // namespace

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

CToolBar::CToolBar()
{
    m_cyTopBorder = 3;
    m_cyBottomBorder = 3;
}

CToolBar::~CToolBar()
{
    DestroyWindow();
    if (m_hbmImageWell)
        ::DeleteObject(m_hbmImageWell);
    m_toolBarCtrl.m_hWnd = nullptr;  // a view of this window, not its owner
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder),
                    nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID)
{
    m_cxLeftBorder = rcBorders.left;
    m_cyTopBorder = rcBorders.top;
    m_cxRightBorder = rcBorders.right;
    m_cyBottomBorder = rcBorders.bottom;
    m_dwStyle = dwStyle & CBRS_ALL;
    DWORD windowStyle = (dwStyle & ~CBRS_ALL) | dwCtrlStyle | kControlPlacement;
    if (dwStyle & CBRS_TOOLTIPS)
        windowStyle |= TBSTYLE_TOOLTIPS;
    if (!CWnd::CreateEx(0, TOOLBARCLASSNAME, nullptr, windowStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    SetSizes(m_sizeButton, m_sizeImage);
    if (dwStyle & (CBRS_TOOLTIPS | CBRS_FLYBY))
        EnableToolTips(TRUE);
    return TRUE;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    m_sizeButton = sizeButton;
    m_sizeImage = sizeImage;
    if (!m_hWnd)
        return;
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(sizeImage.cx, sizeImage.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(sizeButton.cx, sizeButton.cy));
    Invalidate();
}

// The borders above and below the buttons take what the height leaves.
void CToolBar::SetHeight(int cyHeight)
{
    int extra = cyHeight - ButtonsExtent().cy - BorderExtent(TRUE).cy + m_cyTopBorder + m_cyBottomBorder;
    if (extra < 0)
        extra = 0;
    m_cyTopBorder = extra / 2;
    m_cyBottomBorder = extra - m_cyTopBorder;
    Invalidate();
}

BOOL CToolBar::ReadToolBarResource(LPCSTR lpszResourceName, CSize& image, CUIntArray& ids) const
{
    HINSTANCE module = AfxFindResourceHandle(lpszResourceName, RT_TOOLBAR);
    HRSRC found = ::FindResource(module, lpszResourceName, RT_TOOLBAR);
    if (!found)
        return FALSE;
    const BYTE* data = (const BYTE*)::LockResource(::LoadResource(module, found));
    DWORD size = ::SizeofResource(module, found);
    mivo::ToolBarResourceData head;
    if (!data || size < sizeof(head))
        return FALSE;
    std::memcpy(&head, data, sizeof(head));
    if (head.wVersion != kResourceVersion || head.wWidth == 0 || head.wHeight == 0 ||
        head.wWidth > kMaxImageSide || head.wHeight > kMaxImageSide || head.wItemCount > kMaxResourceButtons ||
        sizeof(head) + head.wItemCount * sizeof(WORD) > size)
        return FALSE;
    image = CSize(head.wWidth, head.wHeight);
    ids.SetSize(head.wItemCount);
    for (WORD i = 0; i < head.wItemCount; ++i) {
        WORD id;
        std::memcpy(&id, data + sizeof(head) + i * sizeof(WORD), sizeof(id));
        ids[i] = id;
    }
    return TRUE;
}

BOOL CToolBar::LoadToolBar(LPCSTR lpszResourceName)
{
    CSize image;
    CUIntArray ids;
    if (!m_hWnd || !ReadToolBarResource(lpszResourceName, image, ids))
        return FALSE;
    if (!SetButtons(ids.GetData(), (int)ids.GetSize()))
        return FALSE;
    SetSizes(CSize(image.cx + 7, image.cy + 7), image);
    return LoadBitmap(lpszResourceName);
}

BOOL CToolBar::LoadBitmap(LPCSTR lpszResourceName)
{
    HINSTANCE module = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
    HRSRC found = ::FindResource(module, lpszResourceName, RT_BITMAP);
    if (!found)
        return FALSE;
    HBITMAP bitmap = AfxLoadSysColorBitmap(module, found);
    if (!bitmap || !SetBitmap(bitmap))
        return FALSE;
    m_hInstImageWell = module;
    m_hRsrcImageWell = found;
    return TRUE;
}

BOOL CToolBar::SetBitmap(HBITMAP hbmImageWell)
{
    if (!m_hWnd || !hbmImageWell)
        return FALSE;
    BITMAP info = {};
    if (!::GetObject(hbmImageWell, sizeof(info), &info))
        return FALSE;
    int count = m_sizeImage.cx > 0 ? info.bmWidth / m_sizeImage.cx : 0;
    BOOL ok;
    if (m_hbmImageWell) {
        TBREPLACEBITMAP replace = {nullptr, (UINT_PTR)m_hbmImageWell, nullptr, (UINT_PTR)hbmImageWell, count};
        ok = (BOOL)SendMessage(TB_REPLACEBITMAP, 0, (LPARAM)&replace);
    } else {
        TBADDBITMAP add = {nullptr, (UINT_PTR)hbmImageWell};
        ok = SendMessage(TB_ADDBITMAP, (WPARAM)count, (LPARAM)&add) >= 0;
    }
    if (!ok) {
        ::DeleteObject(hbmImageWell);
        return FALSE;
    }
    if (m_hbmImageWell && m_hbmImageWell != hbmImageWell)
        ::DeleteObject(m_hbmImageWell);
    m_hbmImageWell = hbmImageWell;
    Invalidate();
    return TRUE;
}

// Separators take the place of a NULL array; images are numbered across the buttons.
BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    if (!m_hWnd || nIDCount < 0)
        return FALSE;
    for (int i = GetCount(); i > 0; --i)
        SendMessage(TB_DELETEBUTTON, (WPARAM)(i - 1));
    std::vector<TBBUTTON> buttons((size_t)nIDCount);
    int image = 0;
    for (int i = 0; i < nIDCount; ++i) {
        TBBUTTON& b = buttons[(size_t)i];
        std::memset(&b, 0, sizeof(b));
        b.iString = -1;
        UINT id = lpIDArray ? lpIDArray[i] : ID_SEPARATOR;
        if (id == ID_SEPARATOR) {
            b.fsStyle = TBSTYLE_SEP;
            b.iBitmap = kSeparatorWidth;
        } else {
            b.idCommand = (int)id;
            b.fsState = TBSTATE_ENABLED;
            b.iBitmap = image++;
        }
    }
    if (nIDCount > 0 && !SendMessage(TB_ADDBUTTONS, (WPARAM)nIDCount, (LPARAM)buttons.data()))
        return FALSE;
    m_nCount = nIDCount;
    return TRUE;
}

int CToolBar::GetCount() const
{
    return m_hWnd ? (int)::SendMessage(m_hWnd, TB_BUTTONCOUNT, 0, 0) : 0;
}

int CToolBar::CommandToIndex(UINT nIDFind) const
{
    return m_hWnd ? (int)::SendMessage(m_hWnd, TB_COMMANDTOINDEX, nIDFind, 0) : -1;
}

UINT CToolBar::GetItemID(int nIndex) const
{
    TBBUTTON b = {};
    if (!m_hWnd || !::SendMessage(m_hWnd, TB_GETBUTTON, (WPARAM)nIndex, (LPARAM)&b))
        return ID_SEPARATOR;
    return (b.fsStyle & TBSTYLE_SEP) ? ID_SEPARATOR : (UINT)b.idCommand;
}

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (!m_hWnd || !::SendMessage(m_hWnd, TB_GETITEMRECT, (WPARAM)nIndex, (LPARAM)lpRect))
        ::SetRectEmpty(lpRect);
}

UINT CToolBar::GetButtonStyle(int nIndex) const
{
    TBBUTTON b = {};
    if (!m_hWnd || !::SendMessage(m_hWnd, TB_GETBUTTON, (WPARAM)nIndex, (LPARAM)&b))
        return 0;
    return StyleOf(b);
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    TBBUTTON b = {};
    if (!m_hWnd || !SendMessage(TB_GETBUTTON, (WPARAM)nIndex, (LPARAM)&b) || StyleOf(b) == nStyle)
        return;
    UINT raw = nStyle ^ TBBS_DISABLED;
    TBBUTTONINFO info = {sizeof(info)};
    info.dwMask = TBIF_STYLE | TBIF_STATE | TBIF_BYINDEX;
    info.fsStyle = (BYTE)LOWORD(raw);
    info.fsState = (BYTE)HIWORD(raw);
    SendMessage(TB_SETBUTTONINFO, (WPARAM)nIndex, (LPARAM)&info);
}

void CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const
{
    TBBUTTON b = {};
    if (!m_hWnd || !::SendMessage(m_hWnd, TB_GETBUTTON, (WPARAM)nIndex, (LPARAM)&b)) {
        nID = 0;
        nStyle = 0;
        iImage = 0;
        return;
    }
    nID = (UINT)b.idCommand;
    nStyle = StyleOf(b);
    iImage = b.iBitmap;
}

// For a separator the image is its width.
void CToolBar::SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage)
{
    if (!m_hWnd || nIndex < 0 || nIndex >= GetCount())
        return;
    UINT raw = nStyle ^ TBBS_DISABLED;
    TBBUTTONINFO info = {sizeof(info)};
    info.dwMask = TBIF_COMMAND | TBIF_IMAGE | TBIF_STYLE | TBIF_STATE | TBIF_BYINDEX;
    info.idCommand = (int)nID;
    info.iImage = iImage;
    info.fsStyle = (BYTE)LOWORD(raw);
    info.fsState = (BYTE)HIWORD(raw);
    SendMessage(TB_SETBUTTONINFO, (WPARAM)nIndex, (LPARAM)&info);
}

BOOL CToolBar::SetButtonText(int nIndex, LPCSTR lpszText)
{
    if (!m_hWnd || nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    TBBUTTONINFO info = {sizeof(info)};
    info.dwMask = TBIF_TEXT | TBIF_BYINDEX;
    info.pszText = const_cast<LPSTR>(lpszText ? lpszText : "");
    return (BOOL)SendMessage(TB_SETBUTTONINFO, (WPARAM)nIndex, (LPARAM)&info);
}

CString CToolBar::GetButtonText(int nIndex) const
{
    CString text;
    GetButtonText(nIndex, text);
    return text;
}

void CToolBar::GetButtonText(int nIndex, CString& rString) const
{
    char buffer[1024] = "";
    TBBUTTONINFO info = {sizeof(info)};
    info.dwMask = TBIF_TEXT | TBIF_BYINDEX;
    info.pszText = buffer;
    info.cchText = (int)sizeof(buffer);
    if (!m_hWnd || ::SendMessage(m_hWnd, TB_GETBUTTONINFO, (WPARAM)nIndex, (LPARAM)&info) < 0)
        buffer[0] = '\0';
    rString = buffer;
}

CToolBarCtrl& CToolBar::GetToolBarCtrl() const
{
    m_toolBarCtrl.m_hWnd = m_hWnd;
    return m_toolBarCtrl;
}
