#include "controls/ControlSupport.h"

#include <cstring>

void CopyFaceName(char* dest, const char* face)
{
    size_t length = 0;
    if (face) {
        while (face[length]) {
            size_t step = (IsDBCSLeadByte((BYTE)face[length]) && face[length + 1]) ? 2 : 1;
            if (length + step > LF_FACESIZE - 1)
                break;
            length += step;
        }
        std::memcpy(dest, face, length);
    }
    dest[length] = 0;
}

BOOL CreateControlFont(CFont& font, const char* face, int points, int weight, BYTE pitchAndFamily)
{
    LOGFONT lf;
    std::memset(&lf, 0, sizeof(lf));
    HDC screen = ::GetDC(nullptr);
    int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen)
        ::ReleaseDC(nullptr, screen);
    lf.lfHeight = -MulDiv(points, dpi, 72);
    lf.lfWeight = weight;
    lf.lfOutPrecision = OUT_TT_PRECIS;
    lf.lfPitchAndFamily = pitchAndFamily;
    CopyFaceName(lf.lfFaceName, face);
    font.DeleteObject();
    return font.CreateFontIndirect(&lf);
}

void SetControlFont(CWnd& wnd, CFont& font, const LOGFONT* lf)
{
    if (!lf)
        return;
    font.DeleteObject();
    font.CreateFontIndirect(lf);
    if (wnd.m_hWnd)
        wnd.SetFont(&font, TRUE);
}

void SetControlFont(CWnd& wnd, CFont& font, const char* face, int points, int weight, BYTE pitchAndFamily)
{
    CreateControlFont(font, face, points, weight, pitchAndFamily);
    if (wnd.m_hWnd)
        wnd.SetFont(&font, TRUE);
}

void SetButtonTooltip(CWnd& button, CToolTipCtrl& tip, LPCSTR text, BOOL activate)
{
    if (!text || !button.m_hWnd)
        return;
    if (!tip.m_hWnd) {
        tip.Create(&button);
        tip.Activate(FALSE);
        tip.SetMaxTipWidth(400);
    }
    if (tip.GetToolCount() == 0) {
        CRect client;
        button.GetClientRect(&client);
        tip.AddTool(&button, text, &client, 1);
    }
    tip.UpdateTipText(text, &button, 1);
    tip.Activate(activate);
}

void ActivateButtonTooltip(CToolTipCtrl& tip, BOOL activate)
{
    if (tip.m_hWnd && tip.GetToolCount() > 0)
        tip.Activate(activate);
}

void DiscardBackgroundCopy(CDC& dc, CBitmap*& oldBitmap, CBitmap& bitmap)
{
    if (!dc.m_hDC)
        return;
    if (oldBitmap)
        dc.SelectObject(oldBitmap);
    oldBitmap = nullptr;
    dc.DeleteDC();
    bitmap.DeleteObject();
}

void CopyControlFont(CFont& font, const CFont& source)
{
    if (!source.GetSafeHandle() || &font == &source)
        return;
    LOGFONT lf;
    if (!::GetObject(source.GetSafeHandle(), sizeof(lf), &lf))
        return;
    font.DeleteObject();
    font.CreateFontIndirect(&lf);
}

BOOL TrackResourceContextMenu(CWnd* wnd, UINT menuId, CPoint point)
{
    if (!menuId || !wnd)
        return FALSE;
    HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCE(menuId), RT_MENU);
    HMENU loaded = ::LoadMenu(module, MAKEINTRESOURCE(menuId));
    if (!loaded)
        return FALSE;
    HMENU popup = ::GetSubMenu(loaded, 0);
    if (popup)
        ::TrackPopupMenu(popup, TPM_RIGHTBUTTON, point.x, point.y, 0, wnd->GetSafeHwnd(), nullptr);
    ::DestroyMenu(loaded);
    return popup != nullptr;
}

bool IconSize(HICON icon, DWORD& width, DWORD& height)
{
    ICONINFO info;
    if (!icon || !::GetIconInfo(icon, &info))
        return false;
    width = info.xHotspot * 2;
    height = info.yHotspot * 2;
    if (info.hbmMask)
        ::DeleteObject(info.hbmMask);
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
    return true;
}
